#include "shell/options.h"

#include "input/input.h"
#include "platform/codepage.h"
#include "platform/file.h"
#include "shell/app.h"

#include <cstdio>
#include <cstdlib>

static bool parse_count(const std::string& text, long long* value)
{
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end || v < 0)
        return false;
    *value = v;
    return true;
}

Options parse_options(const std::vector<std::string>& arguments)
{
    Options o;
    o.input_file = REPLAY_FILE_NAME;
    std::string friendly;    // the argument text a friendly option asks for
    std::vector<std::string> rest;
    for (size_t i = 0; i < arguments.size(); i++) {
        const std::string& a = arguments[i];
        if (a.rfind("--", 0) != 0) {
            rest.push_back(a);
            continue;
        }
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= arguments.size()) {
                o.error = a + " needs " + what;
                return "";
            }
            return arguments[++i];
        };
        if (a == "--headless")
            o.headless = true;
        else if (a == "--window") {
            o.window = true;
            o.fullscreen = false;
        } else if (a == "--fullscreen") {
            o.fullscreen = true;
            o.window = false;
        } else if (a == "--scale") {
            PictureScale scale;
            if (settings_parse_scale(value("integer or fit"), &scale))
                o.scale = scale;
            else if (o.error.empty())
                o.error = "--scale takes integer or fit";
        }
        else if (a == "--help")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--quick")
            friendly = "Q";
        else if (a == "--play") {
            friendly = "5";
            o.input_file_asked = true;
            if (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0)
                o.input_file = arguments[++i];
        } else if (a == "--record") {
            friendly = RECORDING_WORD;
            o.input_file_asked = true;
            o.input_file = value("a file name");
        } else if (a == "--frames") {
            if (!parse_count(value("a number"), &o.frames))
                o.error = "--frames needs a number";
        } else if (a == "--shots")
            o.shots_dir = value("a directory");
        else if (a == "--shot-every") {
            if (!parse_count(value("a number"), &o.shot_every) || o.shot_every == 0)
                o.error = "--shot-every needs a number above 0";
        } else if (a == "--trace")
            o.trace_path = value("a file name");
        else if (a == "--demo")
            o.demo = true;
        else
            o.error = "unknown option " + a;
    }

    std::string joined;
    for (size_t i = 0; i < rest.size(); i++)
        joined += (i ? " " : "") + rest[i];
    // Text that is not UTF-8 is taken as it is: it may already be
    // Windows-1251. Letters the code page lacks become their nearest plain
    // letters, as in typed names.
    o.argument_text = utf8_is_valid(joined) ? utf8_to_cp1251_dropping(joined) : joined;
    if (!friendly.empty())
        o.argument_text = friendly;
    return o;
}

Settings settings_for_run(const Settings& remembered, const Options& options)
{
    Settings run = remembered;
    if (options.window || options.fullscreen)
        run.fullscreen = options.fullscreen;
    if (options.scale)
        run.scale = *options.scale;
    return run;
}

std::string input_file_problem(const Options& o)
{
    if (!o.input_file_asked)
        return "";
    const char* name = o.input_file.c_str();
    File file;
    if (o.argument_text == "5") {
        if (!file_open(&file, name, FILE_READ))
            return "cannot play back " + o.input_file + ": " + file_error_text(file_last_error());
        file_close(&file);
        return "";
    }
    // A recording that is already there is kept until the game starts
    // recording over it; a new one is made here only to see that it can be.
    if (file_open(&file, name, FILE_UPDATE)) {
        file_close(&file);
        return "";
    }
    if (file_last_error() == FILE_ERROR_NOT_FOUND) {
        if (file_open(&file, name, FILE_CREATE)) {
            file_close(&file);
            std::remove(name);
            return "";
        }
        // Not there, and cannot be made: its folder is missing.
        if (file_last_error() == FILE_ERROR_NOT_FOUND || file_last_error() == FILE_ERROR_PATH_NOT_FOUND)
            return "cannot record into " + o.input_file + ": no such folder";
    }
    return "cannot record into " + o.input_file + ": " + file_error_text(file_last_error());
}

std::string usage_text()
{
    return "Usage: flickermoth [options] [argument text]\n"
           "\n"
           "  --window          play in a window this time\n"
           "  --fullscreen      play full screen this time\n"
           "  --scale MODE      this time scale the picture by whole multiples (integer)\n"
           "                    or to the largest size that fits (fit)\n"
           "  --quick           skip the maker's logo (the argument text \"Q\")\n"
           "  --play [FILE]     play back a recording (default DATA52.RES; the argument text \"5\")\n"
           "  --record FILE     record the mouse of a game into FILE\n"
           "  --headless        run without a window, in virtual time, as fast as possible\n"
           "  --frames N        headless: stop after N frames\n"
           "  --shots DIR       headless: write presented frames as PNG files into DIR\n"
           "  --shot-every N    headless: only every Nth presented frame\n"
           "  --trace FILE      write the state of every frame to FILE, one JSON object a line\n"
           "  --demo            the autoplayer plays; a click or a key hands the game to you\n"
           "  --help, --version\n"
           "\n"
           "Full screen or a window, the window's size, the scale, the sound switch and\n"
           "the speed are remembered in $XDG_CONFIG_HOME/flickermoth/settings\n"
           "(~/.config/flickermoth/settings); the options above change them for one run.\n";
}
