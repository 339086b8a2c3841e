// Where the desktop builds keep the player's things: the table's directory
// and the screenshots' directory, found from the environment as a desktop
// session sets it.
#include "platform/posix/posix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

// A home of its own for each test, with the variables that point into it;
// the old values come back afterwards.
struct FakeHome {
    std::string path;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;

    FakeHome()
    {
        path = std::filesystem::path(posix_make_temp_dir("flickermoth-home")).parent_path();    // no closing '/'
        if (path.empty())
            std::abort();    // a home of "" would put the player's things at the root
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "FLICKERMOTH_DIR", "TMPDIR", "TINHOARD_DIR"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        setenv("HOME", path.c_str(), 1);
    }
    ~FakeHome()
    {
        for (auto& [name, value] : saved)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
        std::filesystem::remove_all(path);
    }
    void write(const std::string& relative, const std::string& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(path + "/" + relative).parent_path());
        std::ofstream(path + "/" + relative) << text;
    }
};

TEST(PosixDirectories, EachDirectoryIsWhereTheDesktopOrTheEnvironmentPuts)
{
    FakeHome home;
    // No such directory yet: nowhere to put screenshots.
    EXPECT_EQ(posix_pictures_dir(), "");
    std::filesystem::create_directories(home.path + "/Pictures");
    EXPECT_EQ(posix_pictures_dir(), home.path + "/Pictures/");

    // The desktop's own name for it, with $HOME in it, wins; the last
    // line that names it counts, and other lines are passed over.
    std::filesystem::create_directories(home.path + "/Bilder");
    home.write(".config/user-dirs.dirs", "# written by the desktop\n"
                                         "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                         "XDG_PICTURES_DIR=\"$HOME/Old\"\n"
                                         "\n"
                                         "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n");
    EXPECT_EQ(posix_pictures_dir(), home.path + "/Bilder/");

    // A configuration directory set elsewhere, naming an absolute path.
    std::filesystem::create_directories(home.path + "/shots");
    home.write("elsewhere/user-dirs.dirs", "XDG_PICTURES_DIR=\"" + home.path + "/shots\"\n");
    setenv("XDG_CONFIG_HOME", (home.path + "/elsewhere").c_str(), 1);
    EXPECT_EQ(posix_pictures_dir(), home.path + "/shots/");

    // A named directory that does not exist is not replaced by a guess.
    home.write("elsewhere/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/gone\"\n");
    EXPECT_EQ(posix_pictures_dir(), "");

    // The tables' directory is made where the environment points.
    EXPECT_EQ(posix_install_dir(false), home.path + "/.local/share/flickermoth/");
    EXPECT_TRUE(posix_is_directory(home.path + "/.local/share/flickermoth"));

    setenv("XDG_DATA_HOME", (home.path + "/data").c_str(), 1);
    EXPECT_EQ(posix_install_dir(false), home.path + "/data/flickermoth/");
    // A relative data home is not a valid one: the default stands.
    setenv("XDG_DATA_HOME", "data", 1);
    EXPECT_EQ(posix_install_dir(false), home.path + "/.local/share/flickermoth/");

    setenv("FLICKERMOTH_DIR", (home.path + "/mine/deep").c_str(), 1);
    EXPECT_EQ(posix_install_dir(false), home.path + "/mine/deep/");
    EXPECT_TRUE(posix_is_directory(home.path + "/mine/deep"));

    // A place that cannot be made gives no directory at all.
    home.write("blocked", "a file, not a directory");
    setenv("FLICKERMOTH_DIR", (home.path + "/blocked/under").c_str(), 1);
    EXPECT_EQ(posix_install_dir(false), "");

    setenv("TMPDIR", home.path.c_str(), 1);    // a temporary directory is new and our own each time
    std::string first = posix_make_temp_dir("flickermoth-test"), second = posix_make_temp_dir("flickermoth-test");
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(home.path + "/flickermoth-test-", 0), 0u) << first;
    EXPECT_EQ(first.back(), '/');
    EXPECT_TRUE(std::filesystem::is_empty(first));
}

TEST(PosixSettingsFile, TheSettingsLiveInTheConfigurationHomeAndAreReplacedWhole)
{
    FakeHome home;
    setenv("XDG_CONFIG_HOME", "relative", 1);    // not a valid one: the default stands
    EXPECT_EQ(posix_config_dir(), home.path + "/.config/flickermoth/");
    setenv("XDG_CONFIG_HOME", (home.path + "/conf").c_str(), 1);
    std::string path = home.path + "/conf/flickermoth/settings";
    EXPECT_EQ(posix_config_dir() + "settings", path);

    std::string text, error;
    EXPECT_EQ(posix_read_text(path, 100, &text, &error), 0);    // none yet: no complaint
    ASSERT_TRUE(posix_write_atomically(path, "sound = off\n", &error)) << error;
    std::ifstream reader(path);    // another program reading the old settings
    ASSERT_TRUE(posix_write_atomically(path, "sound = on\n", &error)) << error;
    EXPECT_EQ(posix_read_text(path, 100, &text, &error), 1);
    EXPECT_EQ(text, "sound = on\n");
    // The new file took the old one's place: a reader of the old one still
    // reads it whole, never a half-written mixture.
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "sound = off\n");
    // Nothing is left beside it: the temporary file was renamed over it.
    std::filesystem::directory_iterator listing(home.path + "/conf/flickermoth");
    EXPECT_EQ(std::distance(begin(listing), end(listing)), 1);

    EXPECT_EQ(posix_read_text(path, 5, &text, &error), -1);    // too long to be settings
    EXPECT_FALSE(error.empty());
    // A directory that cannot be made: a failure with its reason, no crash.
    home.write("blocked", "a file");
    error.clear();
    EXPECT_FALSE(posix_write_atomically(home.path + "/blocked/flickermoth/settings", "x", &error));
    EXPECT_FALSE(error.empty());
}

// The collection's launcher starts only from the collection's own folder:
// never from the search path or the current directory (an empty entry of
// the search path), nor named with a path, nor from a relative TINHOARD_DIR.
TEST(PosixLauncher, OnlyTheCollectionsOwnFolderIsLookedIn)
{
    FakeHome home;
    std::string saved_path = std::getenv("PATH") ? std::getenv("PATH") : "";
    std::string saved_cwd = std::filesystem::current_path();
    std::string started = home.path + "/started";
    for (std::string dir : {"bin", "work", ".local/share/tinhoard", "elsewhere"}) {
        home.write(dir + "/TINHOARD.EXE", "#!/bin/sh\necho " + dir + " \"$@\" >" + started + "\n");
        std::filesystem::permissions(home.path + "/" + dir + "/TINHOARD.EXE", std::filesystem::perms::owner_all);
    }
    setenv("PATH", (home.path + "/bin:").c_str(), 1);
    std::filesystem::current_path(home.path + "/work");
    const std::tuple<std::string, const char*, std::string> cases[] = {
        {home.path + "/none", "TINHOARD.EXE P", ""},    // no launcher in the collection's folder
        {"", "TINHOARD.EXE P", ".local/share/tinhoard P"},
        {home.path + "/elsewhere", "TINHOARD.EXE 1", "elsewhere 1"},
        {home.path + "/elsewhere", "../bin/TINHOARD.EXE P", ""},
        {".", "TINHOARD.EXE P", ""},
    };
    for (const auto& [collection, command, ran] : cases) {
        collection.empty() ? unsetenv("TINHOARD_DIR") : setenv("TINHOARD_DIR", collection.c_str(), 1);
        EXPECT_EQ(posix_start_program(command), ran.empty() ? 0 : 1) << collection << ": " << command;
        if (ran.empty())
            continue;
        for (int i = 0; i < 400 && !std::filesystem::exists(started); i++)
            usleep(50000);
        usleep(50000);    // it runs in the background: the line written whole
        std::string line;
        std::getline(std::ifstream(started), line);
        std::filesystem::remove(started);
        EXPECT_EQ(line, ran);
    }
    std::filesystem::current_path(saved_cwd);
    setenv("PATH", saved_path.c_str(), 1);
}

}  // namespace
