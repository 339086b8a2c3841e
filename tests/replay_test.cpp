// Recording the mouse into "DATA52.RES" and playing it back.
#include "hiscore_helpers.h"
#include "input/input.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

struct Pointer {
    int x, y;
    bool left, right, replaying;
    bool operator==(const Pointer&) const = default;
};

Pointer pointer()
{
    return {input.mouse_x, input.mouse_y, input.mouse_left != 0, input.mouse_right != 0, input.replay_active != 0};
}

std::vector<Pointer> run_frames(int count)
{
    std::vector<Pointer> path;
    for (int i = 0; i < count; i++) {
        input_poll_mouse();
        input_poll_keys();
        path.push_back(pointer());
    }
    return path;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The file's words, little-endian: a position is y << 16 | x, and a button
// held in the frame puts its mark before it.
Bytes position(int x, int y) { return {(uint8_t)x, (uint8_t)(x >> 8), (uint8_t)y, (uint8_t)(y >> 8)}; }
const Bytes LEFT = {0xFF, 0xFF, 0x00, 0x00}, RIGHT = {0xFE, 0xFE, 0x00, 0x00};

// Every test records into a directory of its own.
class Replay : public testing::Test {
protected:
    std::string dir, path;

    void SetUp() override
    {
        char name[] = "/tmp/flickermoth-replay-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        path = dir + "/" + REPLAY_FILE_NAME;
        input = InputState{};
        ASSERT_EQ(input_create(), 3);
    }

    void TearDown() override
    {
        input_release();
        std::remove(path.c_str());
        rmdir(dir.c_str());
    }

    // Starts a playback on a fresh machine, the pointer live at (x, y).
    void start_playback(int x = 0, int y = 0)
    {
        headless_reset(0);
        std::memset(input.keys, 0, sizeof input.keys);    // no key held over from a case before
        input.mouse_x = x;
        input.mouse_y = y;
        ASSERT_TRUE(replay_open(path.c_str(), false));
    }

    // True when nothing holds the file any more.
    bool file_is_free() const
    {
        File file;
        bool opened = file_open(&file, path.c_str(), FILE_UPDATE);
        if (opened)
            file_close(&file);
        return opened;
    }
};

}  // namespace

TEST_F(Replay, EachFrameRecordsItsClampedPositionAfterAMarkForAnyButtonHeld)
{
    ASSERT_TRUE(replay_open(path.c_str(), true));
    headless_mouse_to(0, 10, 20);                               // no button
    headless_mouse_to(1, 11, 21), headless_button(1, 0, true);  // left
    headless_mouse_to(2, 12, 22), headless_button(2, 0, false), headless_button(2, 1, true);   // right
    headless_mouse_to(3, 13, 23), headless_button(3, 0, true);  // both: the left mark
    headless_mouse_to(4, 900, 900), headless_button(4, 0, false), headless_button(4, 1, false);  // clamped first
    run_frames(5);
    replay_stop();

    Bytes expected = position(10, 20) + LEFT + position(11, 21) +
                     RIGHT + position(12, 22) + LEFT + position(13, 23);
    EXPECT_EQ(read_bytes(path), expected + Bytes({0x7F, 0x02, 0xDF, 0x01}));
}

TEST_F(Replay, F8EndsTheRecordingAfterTheRecordOfTheNextFrame)
{
    ASSERT_TRUE(replay_open(path.c_str(), true));
    headless_key(2, KEY_F8, true);
    run_frames(6);
    // Frames 0..2 are recorded; frame 3's mouse poll records, then sees F8.
    EXPECT_EQ(input.replay_active, 0);
    EXPECT_EQ(read_bytes(path).size(), 16u);
    EXPECT_TRUE(file_is_free());
}

TEST_F(Replay, ReleasingInputClosesARecordingThatIsStillRunning)
{
    ASSERT_TRUE(replay_open(path.c_str(), true));
    EXPECT_FALSE(file_is_free());
    run_frames(2);
    input_release();
    EXPECT_TRUE(file_is_free());
    EXPECT_EQ(read_bytes(path).size(), 8u);
}

// Each frame takes its position and buttons from the file; live motion is
// ignored, a live click adds. Past the end, after a damaged record, or on
// the frame after the one F8 is seen in, the live mouse moves the pointer on
// from the last position played, with nothing pressed.
TEST_F(Replay, PlaybackTakesEachFramesPointerFromTheFileUntilItsEndADamagedRecordOrF8)
{
    const Bytes good = position(300, 200);
    const Pointer damaged_path[] = {{300, 200, false, false, true}, {297, 202, false, false, false}};
    const struct {
        const char* what;
        Bytes file;
        std::vector<std::pair<int, int>> motions;    // at frames 1, 2, ...
        int right_click, f8;                         // the frame of each, or -1
        std::vector<Pointer> path;
    } cases[] = {
        {"the file's positions and buttons, a live right click added",
         position(50, 60) + LEFT + position(51, 61) + RIGHT + position(52, 62), {{100, 100}}, 0, -1,
         {{50, 60, false, true, true}, {51, 61, true, false, true}, {52, 62, false, true, true}}},
        {"past the end", position(100, 50) + position(101, 51), {{0, 0}, {5, 5}, {1, 0}}, -1, -1,
         {{100, 50, false, false, true}, {101, 51, false, false, true}, {106, 56, false, false, false},
          {107, 56, false, false, false}}},
        {"F8", position(10, 10) + position(20, 20) + position(30, 30) + position(40, 40),
         {{0, 0}, {0, 0}, {1, 1}}, -1, 1,
         {{10, 10, false, false, true}, {20, 20, false, false, true}, {30, 30, false, false, false},
          {31, 31, false, false, false}}},
        {"a short read", good + Bytes{0x10, 0x00}, {{-3, 2}}, -1, -1, {}},
        {"a button mark without its position", good + LEFT, {{-3, 2}}, -1, -1, {}},
        {"x off the screen", good + position(640, 10) + position(1, 1), {{-3, 2}}, -1, -1, {}},
        {"y off the screen", good + position(10, 480) + position(1, 1), {{-3, 2}}, -1, -1, {}},
        {"two marks in a row", good + LEFT + RIGHT + position(1, 1), {{-3, 2}}, -1, -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write_bytes(path, c.file);
        start_playback(5, 5);
        for (size_t i = 0; i < c.motions.size(); i++)
            headless_mouse_motion(i + 1, c.motions[i].first, c.motions[i].second);
        if (c.right_click >= 0)
            headless_button(c.right_click, 1, true), headless_button(c.right_click + 1, 1, false);
        if (c.f8 >= 0)
            headless_key(c.f8, KEY_F8, true);
        std::vector<Pointer> wanted = c.path.empty() ? std::vector<Pointer>(damaged_path, damaged_path + 2) : c.path;
        EXPECT_EQ(run_frames((int)wanted.size()), wanted);
        EXPECT_EQ(file_is_free(), !wanted.back().replaying);
    }
}

TEST_F(Replay, AMissingPlaybackFileOrARecordingThatCannotBeMadeLeavesTheMouseLive)
{
    EXPECT_FALSE(replay_open(path.c_str(), false));
    EXPECT_FALSE(replay_open((dir + "/missing/" + REPLAY_FILE_NAME).c_str(), true));
    EXPECT_EQ(input.replay_active, 0);
    headless_mouse_motion(0, 7, 9);
    run_frames(1);
    EXPECT_EQ(pointer(), (Pointer{7, 9, false, false, false}));
}
