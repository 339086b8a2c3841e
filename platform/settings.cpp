#include "platform/settings.h"

#include <cstdlib>

namespace {

std::string trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool parse_switch(const std::string& word, bool* value)
{
    if (word == "yes" || word == "on" || word == "true" || word == "1") {
        *value = true;
        return true;
    }
    if (word == "no" || word == "off" || word == "false" || word == "0") {
        *value = false;
        return true;
    }
    return false;
}

// A whole number of no more than five digits, nothing else.
bool parse_number(const std::string& word, int* value)
{
    if (word.empty() || word.size() > 5 || word.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::atoi(word.c_str());
    return true;
}

// "1280x960".
bool parse_size(const std::string& word, int* width, int* height)
{
    size_t x = word.find('x');
    if (x == std::string::npos)
        return false;
    int w, h;
    if (!parse_number(word.substr(0, x), &w) || !parse_number(word.substr(x + 1), &h))
        return false;
    if (w < SETTINGS_WINDOW_MIN_WIDTH || h < SETTINGS_WINDOW_MIN_HEIGHT || w > SETTINGS_WINDOW_MAX ||
        h > SETTINGS_WINDOW_MAX)
        return false;
    *width = w;
    *height = h;
    return true;
}

// One "key = value" line over `settings`; empty on success, else what was wrong.
std::string parse_line(const std::string& key, const std::string& value, Settings* settings)
{
    if (key == "fullscreen")
        return parse_switch(value, &settings->fullscreen) ? "" : "fullscreen takes yes or no";
    if (key == "window_size")
        return parse_size(value, &settings->window_width, &settings->window_height)
                   ? ""
                   : "window_size takes a size such as 1280x960, at least 320x240";
    if (key == "scale")
        return settings_parse_scale(value, &settings->scale) ? "" : "scale takes integer or fit";
    if (key == "sound")
        return parse_switch(value, &settings->sound) ? "" : "sound takes on or off";
    if (key == "frame_period") {
        int period;
        if (!parse_number(value, &period) || period < FRAME_PERIOD_MIN || period > FRAME_PERIOD_MAX)
            return "frame_period takes a number of milliseconds from " + std::to_string(FRAME_PERIOD_MIN) + " to " +
                   std::to_string(FRAME_PERIOD_MAX);
        settings->frame_period = period;
        return "";
    }
    return "unknown setting \"" + key + "\"";
}

}  // namespace

bool settings_parse_scale(const std::string& word, PictureScale* scale)
{
    if (word == "integer")
        *scale = SCALE_INTEGER;
    else if (word == "fit")
        *scale = SCALE_FIT;
    else
        return false;
    return true;
}

const char* settings_scale_name(PictureScale scale) { return scale == SCALE_FIT ? "fit" : "integer"; }

void settings_parse(const std::string& text, Settings* settings, std::vector<std::string>* problems)
{
    if (text.size() > SETTINGS_TEXT_MAX || text.find('\0') != std::string::npos) {
        problems->push_back("not a settings text (too long, or not text at all)");
        return;
    }
    size_t start = 0;
    for (int number = 1; start < text.size(); number++) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#')
            continue;
        size_t equals = line.find('=');
        std::string problem = equals == std::string::npos
                                  ? "no \"key = value\""
                                  : parse_line(trim(line.substr(0, equals)), trim(line.substr(equals + 1)), settings);
        if (!problem.empty())
            problems->push_back("line " + std::to_string(number) + ": " + problem);
    }
}

std::string settings_format(const Settings& s)
{
    std::string text =
        "# FlickerMoth's settings, written by the game whenever they change.\n"
        "# fullscreen: yes or no (Alt+Enter switches); window_size: the window's size;\n"
        "# scale: integer (whole multiples, sharp) or fit (the largest that fits);\n"
        "# sound: on or off (the game menu's switch); frame_period: milliseconds a\n"
        "# frame, 5 (fastest) to 80 (slowest), 35 at first (the + and - keys).\n";
    text += std::string("fullscreen = ") + (s.fullscreen ? "yes" : "no") + "\n";
    if (s.window_width > 0 && s.window_height > 0)
        text += "window_size = " + std::to_string(s.window_width) + "x" + std::to_string(s.window_height) + "\n";
    text += std::string("scale = ") + settings_scale_name(s.scale) + "\n";
    text += std::string("sound = ") + (s.sound ? "on" : "off") + "\n";
    text += "frame_period = " + std::to_string(s.frame_period) + "\n";
    return text;
}

bool settings_take_changes(const Settings& before, const Settings& now, Settings* kept)
{
    Settings was = *kept;
    if (now.fullscreen != before.fullscreen)
        kept->fullscreen = now.fullscreen;
    if (now.window_width != before.window_width || now.window_height != before.window_height) {
        kept->window_width = now.window_width;
        kept->window_height = now.window_height;
    }
    if (now.scale != before.scale)
        kept->scale = now.scale;
    if (now.sound != before.sound)
        kept->sound = now.sound;
    if (now.frame_period != before.frame_period)
        kept->frame_period = now.frame_period;
    return !(was == *kept);
}
