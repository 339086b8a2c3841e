#include "frame/settings_keeper.h"

#include "audio/sound.h"
#include "platform/globals.h"
#include "platform/platform.h"

namespace {

struct Keeper {
    const SettingsStore* store = nullptr;
    Settings in_force;
    Settings remembered;       // what the store should hold
    Settings written;          // what it last took (or held at start)
    bool watching = false;     // `seen` holds the choices of an earlier frame
    Settings seen;
    uint32_t changed_at = 0;   // tick of the last change the player made
};

Keeper keeper;

Settings current_choices()
{
    Settings now = keeper.seen;
    if (keeper.store->read_window)
        keeper.store->read_window(&now);
    now.frame_period = frame_period;
    if (sound_system.sound_available)
        now.sound = sound_system.sound_enabled != 0;
    return now;
}

void write_if_changed()
{
    if (keeper.remembered == keeper.written)
        return;
    // A store that fails says so itself; the game goes on and tries again
    // at the next change.
    keeper.written = keeper.remembered;
    if (keeper.store->save)
        keeper.store->save(settings_format(keeper.remembered));
}

}  // namespace

void settings_keep(const SettingsStore* store, const Settings& remembered, const Settings& in_force)
{
    keeper = Keeper{};
    keeper.store = store;
    keeper.remembered = keeper.written = remembered;
    keeper.in_force = store ? in_force : Settings{};
}

const Settings& settings_in_force() { return keeper.in_force; }

int settings_start_frame_period(bool replaying)
{
    return replaying ? FRAME_PERIOD_START : keeper.in_force.frame_period;
}

void settings_apply_sound()
{
    if (!keeper.in_force.sound)
        sound_system.sound_enabled = 0;
}

void settings_frame()
{
    if (!keeper.store)
        return;
    if (!keeper.watching) {
        // The first frame: what is in force now is where the run starts.
        keeper.seen = keeper.in_force;
        keeper.seen = current_choices();
        keeper.watching = true;
        return;
    }
    Settings now = current_choices();
    uint32_t tick = platform_ticks();
    if (settings_take_changes(keeper.seen, now, &keeper.remembered) || !(now == keeper.seen))
        keeper.changed_at = tick;
    keeper.seen = now;
    if (tick - keeper.changed_at >= SETTINGS_SETTLE_MS)
        write_if_changed();
}

void settings_flush()
{
    if (!keeper.store)
        return;
    if (keeper.watching) {
        Settings now = current_choices();
        settings_take_changes(keeper.seen, now, &keeper.remembered);
        keeper.seen = now;
    }
    write_if_changed();
}

void settings_reset() { keeper = {}; }
