// The keyboard and the pointer as devices the game reads once a frame.
//
// Every key and button is followed as the page reports it, so one that went
// down and up again between two reads still reads down once: a quick tap is
// never lost between frames. While the page is hidden or without the focus
// every key reads up and the mouse reads still. A touch arrives already as
// the mouse buttons it stands for (page.js).
#include "platform/platform.h"
#include "platform/web/web_internal.h"
#include "platform/web/web_rules.h"

#include <climits>
#include <cstring>

extern "C" {
int web_page_pointer(double* out);
void web_page_set_games_keys(const char* list);
}

namespace {

struct Devices {
    bool open = false;
    bool active = false;
    uint8_t down[256] = {};
    uint8_t tapped[256] = {};
    bool button_down[2] = {};
    bool button_tapped[2] = {};
    int last_x = INT_MIN, last_y = INT_MIN;
};

Devices devices;

void let_go_of_everything()
{
    std::memset(devices.down, 0, sizeof devices.down);
    std::memset(devices.tapped, 0, sizeof devices.tapped);
    devices.button_down[0] = devices.button_down[1] = false;
    devices.button_tapped[0] = devices.button_tapped[1] = false;
}

}  // namespace

void web_input_key(const char* code, bool down)
{
    int scan = web_scan_code(code);
    if (!scan || !devices.active)
        return;
    devices.down[scan] = down;
    if (down)
        devices.tapped[scan] = 1;
}

void web_input_button(int button, bool down)
{
    if (button < 0 || button > 1 || !devices.active)
        return;
    devices.button_down[button] = down;
    if (down)
        devices.button_tapped[button] = true;
}

void web_input_activate(bool active)
{
    devices.active = active;
    if (!active)
        let_go_of_everything();
}

bool web_input_active() { return devices.active; }

int web_keyboard_open()
{
    web_page_set_games_keys(web_games_keys().c_str());
    devices.open = true;
    return 1;
}

int web_mouse_open() { return 1; }

void web_input_close()
{
    bool active = devices.active;
    devices = Devices{};
    devices.active = active;
}

void web_read_keys(uint8_t keys[256])
{
    web_pump();
    if (!devices.active) {
        std::memset(keys, 0, 256);
        return;
    }
    for (int code = 0; code < 256; code++) {
        keys[code] = devices.down[code] || devices.tapped[code] ? 0x80 : 0;
        devices.tapped[code] = 0;
    }
}

void web_read_mouse(PlatformMouse* mouse)
{
    web_pump();
    *mouse = PlatformMouse{};
    if (!devices.active)
        return;
    for (int b = 0; b < 2; b++) {
        bool down = devices.button_down[b] || devices.button_tapped[b];
        (b == 0 ? mouse->left : mouse->right) = down ? 0x80 : 0;
        devices.button_tapped[b] = false;
    }
    double place[4];
    if (!web_page_pointer(place))
        return;
    int x, y;
    web_page_to_picture(place[0], place[1], place[2], place[3], &x, &y);
    if (x != devices.last_x || y != devices.last_y) {
        mouse->has_position = 1;
        mouse->x = x;
        mouse->y = y;
        devices.last_x = x;
        devices.last_y = y;
    }
}
