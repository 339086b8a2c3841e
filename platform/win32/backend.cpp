// The Windows backend's table.
#include "platform/win32/backend.h"
#include "platform/win32/internal.h"

static const PlatformBackend backend = {
    "win32",
    win32_ticks, win32_idle, win32_poll_event, win32_wait_event,
    win32_display_open, win32_display_close, win32_present,
    win32_keyboard_open, win32_mouse_open, win32_input_close, win32_read_keys, win32_read_mouse,
    win32_sound_open, win32_sound_close, win32_voice_create, win32_voice_release, win32_voice_fill, win32_voice_play,
    win32_voice_restore,
    win32_cd_open, win32_cd_stop, win32_cd_close,
    win32_message_box, win32_start_program, win32_read_install_dir, win32_read_owner_name,
};

const PlatformBackend* win32_backend() { return &backend; }
