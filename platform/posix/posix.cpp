#include "platform/posix/posix.h"

#include "platform/codepage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
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

// Where the installation directory is, made or not; empty when the
// environment names none.
static std::string install_dir_path(bool quick)
{
    const char* override_dir = std::getenv(quick ? "TINHOARD_DIR" : "FLICKERMOTH_DIR");
    if (override_dir && *override_dir)
        return with_slash(override_dir);
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::string dir;
    if (data && *data == '/')
        dir = with_slash(data);
    else if (home && *home)
        dir = with_slash(home) + ".local/share/";
    else
        return "";
    return dir + (quick ? "tinhoard/" : "flickermoth/");
}

std::string posix_install_dir(bool quick)
{
    std::string dir = install_dir_path(quick);
    return !dir.empty() && make_directories(dir) ? dir : "";
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

std::string posix_collection_dir()
{
    std::string dir = install_dir_path(true);
    return dir.rfind('/', 0) == 0 && posix_is_directory(dir) ? dir : "";
}

int posix_start_program(const char* command)
{
    std::vector<std::string> words;
    std::stringstream split(command);
    std::string word;
    while (split >> word)
        words.push_back(word);
    // Only a program of the collection's own folder, named without a path:
    // never one found on the search path or in the current directory.
    std::string dir = posix_collection_dir();
    if (words.empty() || dir.empty() || words[0].find('/') != std::string::npos)
        return 0;
    std::string program = dir + words[0];
    if (!posix_is_file(program) || access(program.c_str(), X_OK) != 0)
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

std::string posix_config_dir()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config && *config == '/')
        return with_slash(config) + "flickermoth/";
    if (home && *home)
        return with_slash(home) + ".config/flickermoth/";
    return "";
}

int posix_read_text(const std::string& path, size_t limit, std::string* text, std::string* error)
{
    text->clear();
    FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        if (errno == ENOENT)
            return 0;
        *error = std::strerror(errno);
        return -1;
    }
    char buffer[1024];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
        text->append(buffer, got);
        if (text->size() > limit) {
            std::fclose(in);
            *error = "longer than " + std::to_string(limit) + " bytes";
            return -1;
        }
    }
    bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) {
        *error = "read error";
        return -1;
    }
    return 1;
}

bool posix_write_atomically(const std::string& path, const std::string& text, std::string* error)
{
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !make_directories(path.substr(0, slash))) {
        *error = std::string("cannot make its directory: ") + std::strerror(errno);
        return false;
    }
    std::string temporary = path + ".new-" + std::to_string(getpid());
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = std::strerror(errno);
        return false;
    }
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += (size_t)n;
    }
    bool ok = written == text.size() && fsync(fd) == 0;
    int saved = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    *error = std::strerror(ok ? errno : saved);
    unlink(temporary.c_str());
    return false;
}
