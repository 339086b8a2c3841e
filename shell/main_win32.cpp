// The program's entry point on Windows: the window, the native backend,
// then the game with the argument text of the command line.
#include "platform/platform.h"
#include "platform/win32/backend.h"
#include "platform/win32/startup.h"
#include "shell/app.h"

#include <windows.h>

#include <string>

static const int ICON_RESOURCE = 101;
static const char WINDOW_TITLE[] = "TINHOARD";

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    // What follows the program's name on its command line (Windows-1251 on
    // the systems the game is made for).
    std::string argument_text = win32_argument_text(GetCommandLineA());
    platform_use(win32_backend());
    if (!win32_open_window(instance, show, ICON_RESOURCE, WINDOW_TITLE)) {
        app_error_box("Can't create MainWindow.", false);
        return EXIT_START_FAILED;
    }
    // The game's data is read from the current directory; when it is not
    // there, the box names the place.
    char here[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof here, here);
    if (GetFileAttributesA(game_pack_path.c_str()) == INVALID_FILE_ATTRIBUTES && length > 0 && length < sizeof here)
        game_pack_places = {std::string(here) + (here[length - 1] == '\\' ? "" : "\\") + game_pack_path};
    int code = app_run(argument_text.c_str());
    win32_close();
    return code;
}
