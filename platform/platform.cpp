// Dispatch of the platform calls to the backend in force.
#include "platform/platform.h"

static const PlatformBackend* active_backend = nullptr;

// Until someone picks a backend the game runs on the headless one, so a tool
// or test that forgets to choose still has a machine that answers.
static const PlatformBackend* backend()
{
    if (!active_backend)
        active_backend = platform_default_backend();
    return active_backend;
}

void platform_use(const PlatformBackend* chosen) { active_backend = chosen; }
const PlatformBackend* platform_backend() { return backend(); }

static const PlatformInputFilter* input_filter = nullptr;

void platform_set_input_filter(const PlatformInputFilter* filter) { input_filter = filter; }
const PlatformInputFilter* platform_input_filter() { return input_filter; }

uint32_t platform_ticks() { return backend()->ticks(); }
void platform_idle(uint32_t ms) { backend()->idle(ms); }
static bool filter_event(PlatformEvent* event)
{
    return input_filter && input_filter->event && input_filter->event(event, input_filter->context);
}

int platform_poll_event(PlatformEvent* event)
{
    if (filter_event(event))
        return 1;
    return backend()->poll_event(event);
}
// A player laid over the backend is asked first here too: while the game
// waits in the background, its close or its typing still arrives.
void platform_wait_event(PlatformEvent* event)
{
    if (!filter_event(event))
        backend()->wait_event(event);
}
int platform_display_open() { return backend()->display_open(); }
void platform_display_close() { backend()->display_close(); }
void platform_present(const uint8_t* pixels, int pitch, const uint8_t* rgb) { backend()->present(pixels, pitch, rgb); }
int platform_keyboard_open() { return backend()->keyboard_open(); }
int platform_mouse_open() { return backend()->mouse_open(); }
void platform_input_close() { backend()->input_close(); }
void platform_read_keys(uint8_t keys[256])
{
    backend()->read_keys(keys);
    if (input_filter && input_filter->keys)
        input_filter->keys(keys, input_filter->context);
}

void platform_read_mouse(PlatformMouse* mouse)
{
    backend()->read_mouse(mouse);
    if (input_filter && input_filter->mouse)
        input_filter->mouse(mouse, input_filter->context);
}
int platform_sound_open() { return backend()->sound_open(); }
void platform_sound_close() { backend()->sound_close(); }
int platform_voice_create(uint32_t length) { return backend()->voice_create(length); }
void platform_voice_release(int voice) { backend()->voice_release(voice); }
void platform_voice_fill(int voice, const uint8_t* sample, uint32_t length) { backend()->voice_fill(voice, sample, length); }
int platform_voice_play(int voice, int flags) { return backend()->voice_play(voice, flags); }
void platform_voice_restore(int voice) { backend()->voice_restore(voice); }
int platform_cd_open() { return backend()->cd_open(); }
void platform_cd_stop() { backend()->cd_stop(); }
void platform_cd_close() { backend()->cd_close(); }
void platform_message_box(const char* caption, const char* text, int owned) { backend()->message_box(caption, text, owned); }
int platform_start_program(const char* command) { return backend()->start_program(command); }
int platform_read_install_dir(int quick, char* buffer, size_t size) { return backend()->read_install_dir(quick, buffer, size); }
int platform_read_owner_name(char* buffer, size_t size) { return backend()->read_owner_name(buffer, size); }
