// The headless backend: virtual clock, scripted input, kept frames.
#include "platform/headless/headless.h"

#include "platform/png.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

struct InputChange {
    enum Kind { MOVE, MOTION, BUTTON, KEY } kind;
    int a, b;
};

struct ScriptedEvent {
    uint64_t frame;
    PlatformEvent event;
};

struct Voice {
    bool live = false;
    std::vector<uint8_t> data;
    bool lost = false;
};

struct Headless {
    uint32_t clock = 0;
    uint64_t mouse_reads = 0;
    uint64_t key_read_frame = UINT64_MAX;     // mouse_reads at the last key read
    bool limit_closed = false;                // the frame limit has closed the window

    std::multimap<uint64_t, InputChange> changes;
    std::vector<ScriptedEvent> events;        // in the order they were scripted, stable by frame
    uint8_t keys[256] = {};
    bool left = false, right = false;
    bool moved = false;
    int target_x = 0, target_y = 0;
    int motion_x = 0, motion_y = 0;

    HeadlessFrame last;
    std::vector<HeadlessFrame> frames;
    bool keep = false;
    uint64_t presents = 0;
    void (*on_present)(const HeadlessFrame&, void*) = nullptr;
    void* on_present_context = nullptr;

    HeadlessDevices devices;
    bool sound_open = false;
    std::vector<Voice> voices;
    std::vector<HeadlessSoundEvent> sound_log;
    bool cd_open = false;
    int cd_stops = 0;
    std::vector<std::string> boxes;
    std::vector<std::string> programs;
};

Headless h;

uint64_t begun_frame() { return h.mouse_reads > 0 ? h.mouse_reads - 1 : 0; }

void apply_changes(uint64_t frame)
{
    auto range = h.changes.equal_range(frame);
    for (auto it = range.first; it != range.second; ++it) {
        const InputChange& c = it->second;
        switch (c.kind) {
        case InputChange::MOVE:
            h.target_x = c.a;
            h.target_y = c.b;
            h.moved = true;
            break;
        case InputChange::MOTION:
            h.motion_x += c.a;
            h.motion_y += c.b;
            break;
        case InputChange::BUTTON:
            (c.a == 0 ? h.left : h.right) = c.b != 0;
            break;
        case InputChange::KEY:
            h.keys[c.a & 0xFF] = c.b ? 0x80 : 0;
            break;
        }
    }
    h.changes.erase(range.first, range.second);
}

Voice* voice_at(int voice)
{
    if (voice <= 0 || voice > (int)h.voices.size() || !h.voices[voice - 1].live)
        return nullptr;
    return &h.voices[voice - 1];
}

// ---- Backend entries -------------------------------------------------------

uint32_t ticks() { return h.clock; }

void idle(uint32_t ms) { h.clock += ms > 0 ? ms : 1; }

int poll_event(PlatformEvent* event)
{
    uint64_t now = begun_frame();
    for (size_t i = 0; i < h.events.size(); i++) {
        if (h.events[i].frame <= now) {
            *event = h.events[i].event;
            h.events.erase(h.events.begin() + (long)i);
            return 1;
        }
    }
    return 0;
}

// The game is in the background. An event already due (the activation a
// new window starts with) is taken at once, as a real system hands over
// one that is waiting; otherwise time passes until the next scripted event,
// whatever frame it was scripted for. With nothing left to happen the
// machine shuts the window, so a test can never hang here.
void wait_event(PlatformEvent* event)
{
    if (poll_event(event))
        return;
    h.clock += 1000;
    if (h.events.empty()) {
        *event = PlatformEvent{EVENT_QUIT, 0};
        return;
    }
    auto first = std::min_element(h.events.begin(), h.events.end(),
                                  [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.frame < b.frame; });
    *event = first->event;
    h.events.erase(first);
}

int display_open() { return h.devices.display ? 1 : 0; }
void display_close() {}

void present(const uint8_t* pixels, int pitch, const uint8_t* rgb)
{
    h.last.pixels.resize(640 * 480);
    h.last.rgb.assign(rgb, rgb + 768);
    for (int y = 0; y < 480; y++)
        std::memcpy(&h.last.pixels[(size_t)y * 640], pixels + (size_t)y * pitch, 640);
    h.presents++;
    if (h.keep)
        h.frames.push_back(h.last);
    if (h.on_present)
        h.on_present(h.last, h.on_present_context);
}

int keyboard_open() { return h.devices.keyboard ? 1 : 0; }
int mouse_open() { return h.devices.mouse ? 1 : 0; }
void input_close() {}

void read_keys(uint8_t keys[256])
{
    if (h.key_read_frame == h.mouse_reads)
        std::memset(h.keys, 0, sizeof h.keys);    // the player lets go while the game waits
    h.key_read_frame = h.mouse_reads;
    std::memcpy(keys, h.keys, 256);
}

void read_mouse(PlatformMouse* mouse)
{
    apply_changes(h.mouse_reads);
    h.mouse_reads++;
    // At the limit, or past it when the limit was set after the count had
    // gone by it: the window closes once.
    if (h.devices.frame_limit && h.mouse_reads >= h.devices.frame_limit && !h.limit_closed) {
        h.limit_closed = true;
        h.events.insert(h.events.begin(), ScriptedEvent{0, {EVENT_QUIT, 0}});
        h.events.insert(h.events.begin(), ScriptedEvent{0, {EVENT_CLOSE, 0}});
    }
    *mouse = PlatformMouse{};
    mouse->dx = h.motion_x;
    mouse->dy = h.motion_y;
    h.motion_x = h.motion_y = 0;
    mouse->left = h.left ? 0x80 : 0;
    mouse->right = h.right ? 0x80 : 0;
    if (h.moved) {
        mouse->has_position = 1;
        mouse->x = h.target_x;
        mouse->y = h.target_y;
        h.moved = false;
    }
}

int sound_open()
{
    h.sound_open = h.devices.sound;
    return h.sound_open ? 1 : 0;
}

void sound_close()
{
    h.voices.clear();
    h.sound_open = false;
}

int voice_create(uint32_t length)
{
    if (!h.sound_open || !h.devices.voices)
        return 0;
    Voice v;
    v.live = true;
    v.data.assign(length, 0x80);
    h.voices.push_back(v);
    int voice = (int)h.voices.size();
    h.sound_log.push_back({SOUND_LOG_CREATE, voice, {}, 0});
    return voice;
}

void voice_release(int voice)
{
    if (Voice* v = voice_at(voice)) {
        v->live = false;
        v->data.clear();
        h.sound_log.push_back({SOUND_LOG_RELEASE, voice, {}, 0});
    }
}

void voice_fill(int voice, const uint8_t* sample, uint32_t length)
{
    if (Voice* v = voice_at(voice)) {
        uint32_t n = std::min<uint32_t>(length, (uint32_t)v->data.size());
        std::memcpy(v->data.data(), sample, n);
        h.sound_log.push_back({SOUND_LOG_FILL, voice, std::vector<uint8_t>(sample, sample + n), 0});
    }
}

int voice_play(int voice, int flags)
{
    Voice* v = voice_at(voice);
    if (!v)
        return VOICE_FAILED;
    if (v->lost)
        return VOICE_LOST;
    h.sound_log.push_back({SOUND_LOG_PLAY, voice, v->data, flags});
    return VOICE_OK;
}

void voice_restore(int voice)
{
    if (Voice* v = voice_at(voice)) {
        v->lost = false;
        h.sound_log.push_back({SOUND_LOG_RESTORE, voice, {}, 0});
    }
}

int cd_open()
{
    h.cd_open = h.devices.cd;
    return h.cd_open ? 1 : 0;
}

void cd_stop()
{
    if (h.cd_open)
        h.cd_stops++;
}

void cd_close() { h.cd_open = false; }

void message_box(const char* caption, const char* text, int)
{
    h.boxes.push_back(text);
    std::fprintf(stderr, "%s %s\n", caption, text);
}

int start_program(const char* command)
{
    h.programs.push_back(command);
    return h.devices.start_program_result;
}

int copy_text(const std::string& text, char* buffer, size_t size)
{
    if (text.empty() || text.size() + 1 > size)
        return 0;
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return 1;
}

int read_install_dir(int, char* buffer, size_t size) { return copy_text(h.devices.install_dir, buffer, size); }
int read_owner_name(char* buffer, size_t size) { return copy_text(h.devices.owner_name, buffer, size); }

const PlatformBackend backend = {
    "headless",
    ticks, idle, poll_event, wait_event,
    display_open, display_close, present,
    keyboard_open, mouse_open, input_close, read_keys, read_mouse,
    sound_open, sound_close, voice_create, voice_release, voice_fill, voice_play, voice_restore,
    cd_open, cd_stop, cd_close,
    message_box, start_program, read_install_dir, read_owner_name,
};

}  // namespace

const PlatformBackend* headless_backend() { return &backend; }
const PlatformBackend* platform_default_backend() { return &backend; }

void headless_reset(uint32_t start_tick)
{
    h = Headless{};
    h.clock = start_tick;
    h.events.push_back({0, {EVENT_ACTIVATE, 1}});
}

void headless_set_ticks(uint32_t tick) { h.clock = tick; }
void headless_advance(uint32_t ms) { h.clock += ms; }
uint32_t headless_ticks() { return h.clock; }

uint64_t headless_frame() { return h.mouse_reads; }

void headless_mouse_to(uint64_t frame, int x, int y) { h.changes.insert({frame, {InputChange::MOVE, x, y}}); }
void headless_mouse_motion(uint64_t frame, int dx, int dy) { h.changes.insert({frame, {InputChange::MOTION, dx, dy}}); }
void headless_button(uint64_t frame, int button, bool down) { h.changes.insert({frame, {InputChange::BUTTON, button, down}}); }
void headless_key(uint64_t frame, int scan_code, bool down) { h.changes.insert({frame, {InputChange::KEY, scan_code, down}}); }

void headless_type(uint64_t frame, const std::string& bytes)
{
    for (unsigned char c : bytes)
        headless_event(frame, EVENT_CHAR, c);
}

void headless_event(uint64_t frame, int kind, uint32_t value)
{
    // Keep the list ordered by frame, and in scripting order within a frame.
    auto at = std::upper_bound(h.events.begin(), h.events.end(), frame,
                               [](uint64_t f, const ScriptedEvent& e) { return f < e.frame; });
    h.events.insert(at, ScriptedEvent{frame, {kind, value}});
}

size_t headless_script_left() { return h.events.size() + h.changes.size(); }

uint64_t headless_present_count() { return h.presents; }

const HeadlessFrame& headless_last_frame()
{
    if (h.last.pixels.empty()) {
        h.last.pixels.assign(640 * 480, 0);
        h.last.rgb.assign(768, 0);
    }
    return h.last;
}

void headless_keep_frames(bool keep)
{
    h.keep = keep;
    if (!keep)
        h.frames.clear();
}

const std::vector<HeadlessFrame>& headless_frames() { return h.frames; }

void headless_on_present(void (*callback)(const HeadlessFrame&, void*), void* context)
{
    h.on_present = callback;
    h.on_present_context = context;
}

bool headless_write_png(const HeadlessFrame& frame, const char* path)
{
    return png_write_indexed(path, frame.pixels.data(), 640, 480, 640, frame.rgb.data());
}

HeadlessDevices& headless_devices() { return h.devices; }

const std::vector<HeadlessSoundEvent>& headless_sound_log() { return h.sound_log; }
void headless_clear_sound_log() { h.sound_log.clear(); }

void headless_lose_voice(int voice)
{
    if (Voice* v = voice_at(voice)) {
        v->lost = true;
        std::fill(v->data.begin(), v->data.end(), 0);
    }
}

int headless_live_voices()
{
    return (int)std::count_if(h.voices.begin(), h.voices.end(), [](const Voice& v) { return v.live; });
}

int headless_cd_stops() { return h.cd_stops; }
bool headless_cd_is_open() { return h.cd_open; }
const std::vector<std::string>& headless_message_boxes() { return h.boxes; }
const std::vector<std::string>& headless_started_programs() { return h.programs; }

// The machine starts fresh, as after headless_reset(0).
static const bool headless_started = (headless_reset(0), true);
