// The keyboard and the mouse through DirectInput 3, non-exclusive and in
// the foreground only: while the game is in the background the devices
// cannot be acquired, and every key and button reads as up.
#define DIRECTINPUT_VERSION 0x0300
#include "platform/win32/internal.h"

#include <dinput.h>

#include <cstring>

namespace {

struct Input {
    IDirectInputA* direct_input = nullptr;
    IDirectInputDeviceA* keyboard = nullptr;
    IDirectInputDeviceA* mouse = nullptr;
};

Input input;

// A device that keeps reporting the loss after every successful Acquire
// would otherwise hold the frame for ever.
constexpr int MOST_ACQUIRES = 8;

bool lost(HRESULT result) { return result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED; }

// Reads a device's state, acquiring it again while it reports it was lost.
bool read_state(IDirectInputDeviceA* device, DWORD size, void* state)
{
    for (int tries = 0;; tries++) {
        HRESULT result = device->GetDeviceState(size, state);
        if (SUCCEEDED(result))
            return true;
        if (!lost(result) || tries == MOST_ACQUIRES || FAILED(device->Acquire()))
            return false;
    }
}

void set_property(IDirectInputDeviceA* device, REFGUID property, DWORD value)
{
    DIPROPDWORD word = {};
    word.diph.dwSize = sizeof word;
    word.diph.dwHeaderSize = sizeof word.diph;
    word.diph.dwObj = 0;
    word.diph.dwHow = DIPH_DEVICE;
    word.dwData = value;
    device->SetProperty(property, &word.diph);
}

bool create_direct_input()
{
    if (input.direct_input)
        return true;
    return SUCCEEDED(DirectInputCreateA(app_instance, DIRECTINPUT_VERSION, &input.direct_input, nullptr));
}

IDirectInputDeviceA* create_device(REFGUID guid, const DIDATAFORMAT* format)
{
    IDirectInputDeviceA* device = nullptr;
    if (FAILED(input.direct_input->CreateDevice(guid, &device, nullptr)))
        return nullptr;
    if (FAILED(device->SetDataFormat(format)) ||
        FAILED(device->SetCooperativeLevel(main_window, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))) {
        device->Release();
        return nullptr;
    }
    return device;
}

void release_device(IDirectInputDeviceA*& device)
{
    if (!device)
        return;
    device->Unacquire();
    device->Release();
    device = nullptr;
}

}  // namespace

int win32_keyboard_open()
{
    if (!create_direct_input())
        return 0;
    input.keyboard = create_device(GUID_SysKeyboard, &c_dfDIKeyboard);
    if (!input.keyboard)
        return 0;
    // The event buffer is set up but never read: the game takes snapshots.
    set_property(input.keyboard, DIPROP_BUFFERSIZE, 32);
    input.keyboard->Acquire();
    return 1;
}

int win32_mouse_open()
{
    if (!create_direct_input())
        return 0;
    input.mouse = create_device(GUID_SysMouse, &c_dfDIMouse);
    if (!input.mouse)
        return 0;
    set_property(input.mouse, DIPROP_AXISMODE, DIPROPAXISMODE_REL);
    input.mouse->Acquire();
    return 1;
}

void win32_input_close()
{
    release_device(input.keyboard);
    release_device(input.mouse);
    if (input.direct_input)
        input.direct_input->Release();
    input.direct_input = nullptr;
}

void win32_read_keys(uint8_t keys[256])
{
    if (!input.keyboard || !read_state(input.keyboard, 256, keys))
        std::memset(keys, 0, 256);
}

// Relative motion, one count a pixel; the game adds it to its pointer and
// keeps the pointer on the screen.
void win32_read_mouse(PlatformMouse* mouse)
{
    DIMOUSESTATE state = {};
    static_assert(sizeof state == 16, "x, y and wheel motion, then four buttons");
    if (!input.mouse || !read_state(input.mouse, sizeof state, &state))
        state = DIMOUSESTATE{};
    *mouse = PlatformMouse{};
    mouse->dx = state.lX;
    mouse->dy = state.lY;
    mouse->left = state.rgbButtons[0];
    mouse->right = state.rgbButtons[1];
}
