// Where the desktop builds keep the player's things: the table's directory
// and the screenshots' directory, found from the environment as a desktop
// session sets it.
#include "platform/posix/posix.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// A home of its own for each test, with the variables that point into it;
// the old values come back afterwards.
struct FakeHome {
    std::string path;
    std::string saved[4];
    const char* names[4] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "FLICKERMOTH_DIR"};

    FakeHome()
    {
        char dir[] = "/tmp/flickermoth-home-XXXXXX";
        path = mkdtemp(dir) ? dir : "";
        for (int i = 0; i < 4; i++) {
            const char* value = std::getenv(names[i]);
            saved[i] = value ? value : std::string("\x01");
            unsetenv(names[i]);
        }
        setenv("HOME", path.c_str(), 1);
    }
    ~FakeHome()
    {
        for (int i = 0; i < 4; i++) {
            if (saved[i] == "\x01")
                unsetenv(names[i]);
            else
                setenv(names[i], saved[i].c_str(), 1);
        }
        std::filesystem::remove_all(path);
    }
    void write(const std::string& relative, const std::string& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(path + "/" + relative).parent_path());
        std::ofstream(path + "/" + relative) << text;
    }
};

TEST(PosixDirectories, ThePicturesDirectoryIsTheOneTheDesktopNames)
{
    FakeHome home;
    ASSERT_FALSE(home.path.empty());
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
}

TEST(PosixDirectories, TheTablesDirectoryIsMadeWhereTheEnvironmentPoints)
{
    FakeHome home;
    ASSERT_FALSE(home.path.empty());
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
}

TEST(PosixDirectories, ATemporaryDirectoryIsNewAndOurOwnEachTime)
{
    FakeHome home;
    ASSERT_FALSE(home.path.empty());
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    setenv("TMPDIR", home.path.c_str(), 1);
    std::string first = posix_make_temp_dir("flickermoth-test");
    std::string second = posix_make_temp_dir("flickermoth-test");
    if (old)
        setenv("TMPDIR", saved.c_str(), 1);
    else
        unsetenv("TMPDIR");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(home.path + "/flickermoth-test-", 0), 0u) << first;
    EXPECT_EQ(first.back(), '/');
    EXPECT_TRUE(posix_is_directory(first));
    EXPECT_TRUE(std::filesystem::is_empty(first));
}

}  // namespace
