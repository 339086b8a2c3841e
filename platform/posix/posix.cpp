#include "platform/posix/posix.h"

#include "platform/codepage.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

bool posix_is_directory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool posix_is_file(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

static bool make_directories(const std::string& path)
{
    for (size_t at = 1; at <= path.size(); at++) {
        if (at < path.size() && path[at] != '/')
            continue;
        std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return posix_is_directory(path);
}

static std::string with_slash(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

std::string posix_install_dir(bool quick)
{
    const char* override_dir = std::getenv(quick ? "TINHOARD_DIR" : "FLICKERMOTH_DIR");
    std::string dir;
    if (override_dir && *override_dir) {
        dir = with_slash(override_dir);
    } else {
        const char* data = std::getenv("XDG_DATA_HOME");
        const char* home = std::getenv("HOME");
        if (data && *data == '/')
            dir = with_slash(data);
        else if (home && *home)
            dir = with_slash(home) + ".local/share/";
        else
            return "";
        dir += quick ? "tinhoard/" : "flickermoth/";
    }
    return make_directories(dir) ? dir : "";
}

std::string posix_pictures_dir()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return "";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string dirs_file = (config && *config == '/' ? std::string(config) : std::string(home) + "/.config") +
                            "/user-dirs.dirs";
    std::ifstream in(dirs_file);
    std::string line;
    std::string dir;
    while (std::getline(in, line)) {
        const std::string key = "XDG_PICTURES_DIR=\"";
        if (line.rfind(key, 0) != 0 || line.back() != '"')
            continue;
        dir = line.substr(key.size(), line.size() - key.size() - 1);
        if (dir.rfind("$HOME", 0) == 0)
            dir = home + dir.substr(5);
    }
    if (dir.empty())
        dir = std::string(home) + "/Pictures";
    return posix_is_directory(dir) ? with_slash(dir) : "";
}

std::string posix_owner_name()
{
    struct passwd* account = getpwuid(getuid());
    if (!account)
        return "";
    std::string full = account->pw_gecos ? account->pw_gecos : "";
    full = full.substr(0, full.find(','));
    std::string name = utf8_to_cp1251_dropping(full.empty() ? account->pw_name : full);
    return name;
}

static std::string find_on_path(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : "";
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::string candidate = with_slash(dir.empty() ? "." : dir) + program;
        if (posix_is_file(candidate) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

int posix_start_program(const char* command)
{
    std::vector<std::string> words;
    std::stringstream split(command);
    std::string word;
    while (split >> word)
        words.push_back(word);
    if (words.empty())
        return 0;
    std::string program = find_on_path(words[0]);
    if (program.empty())
        return 0;
    // Everything is made before the fork: the sound and window threads may
    // hold the allocator's lock at that moment, and the child has only
    // this thread to release it with.
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t child = fork();
    if (child < 0)
        return 0;
    if (child == 0) {
        // A grandchild runs the program, so that it outlives us and nobody
        // has to wait for it.
        setsid();
        if (fork() != 0)
            _exit(0);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return 1;
}

std::string posix_make_temp_dir(const char* prefix)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = with_slash(tmp && *tmp == '/' ? tmp : "/tmp") + prefix + "-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back(0);
    if (!mkdtemp(name.data()))
        return "";
    return with_slash(name.data());
}

std::string posix_program_dir()
{
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "";
    path[n] = 0;
    char* slash = std::strrchr(path, '/');
    if (!slash)
        return "";
    slash[1] = 0;
    return path;
}
