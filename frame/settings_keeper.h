// Keeping the player's choices from one run to the next.
//
// The program's entry reads the remembered settings, lays the command
// line's over them and hands both here together with a store: where the
// text goes and how the window's own choices are read. Once a frame the
// pump lets the keeper look at the speed, the sound switch and the window;
// a choice the player changed is written once it has stayed put for a
// moment, and whatever is still unwritten at the end of the run then.
//
// Without a store (headless runs, the tests, the tools) nothing is read or
// written and the game starts from its fixed values.
#pragma once

#include "platform/settings.h"

#include <string>

struct SettingsStore {
    // The window's choices as they are now (full screen, the window's size,
    // the scale); null when the program has no window of its own.
    void (*read_window)(Settings* settings);
    // Keeps the text; false when it could not (the store says why).
    bool (*save)(const std::string& text);
};

// How long a changed choice must stay the same before it is written, so
// that holding a speed key writes once, not once a frame.
constexpr uint32_t SETTINGS_SETTLE_MS = 500;

// `remembered`: what the store held at start (broken lines left out);
// `in_force`: what this run starts with, the command line's choices laid
// over it. Null `store` stops keeping.
void settings_keep(const SettingsStore* store, const Settings& remembered, const Settings& in_force);
// The settings this run started with (the fixed values without a store).
const Settings& settings_in_force();

// The frame period a run starts with: the remembered speed, except in
// playback and recording, which always start from the fixed 35 ms so that a
// recording replays frame for frame whatever the player's own speed is.
int settings_start_frame_period(bool replaying);
// Applies the remembered sound switch. Called once the sounds the whole
// game keeps loaded are in their slots (loads do nothing while the sound is
// off, so switching it off earlier would leave them empty for later).
void settings_apply_sound();

// Once a frame: notes what the player changed, writes it once settled.
void settings_frame();
// Writes what is still unwritten (at the end of the run).
void settings_flush();
// Nothing kept: no store, nothing remembered, in force or seen.
void settings_reset();
