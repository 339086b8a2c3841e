// Binding the game pack and the logo pack, and refusing every pack the game could not draw from safely.
#include "resources_helpers.h"

#include "board/board.h"
#include "video/font.h"

#include <array>
#include <functional>
#include <unistd.h>

namespace {

// Where a file offset of the bound pack lies in its loaded block.
const uint8_t* in_block(size_t file_offset) { return resource_pack->block + file_offset - 4; }

// Where item 0 of the table of entry `e` lies in the loaded block.
const uint8_t* first_item(const Bytes& f, int e) { return in_block(item_file_offset(f, entry_file_offset(f, e), 0)); }

}  // namespace

using BindGamePack = ResourcesTest;

// Binding makes the game font current and the sound bank's samples
// available; releasing clears the roles and the font, which must not lead
// into the freed block.
TEST_F(BindGamePack, EveryRoleLeadsToItsOwnEntryReleasingClearsThemAndAFailureNamesTheFileEntryAndItem)
{
    // The placeholder game pack, bound from a file.
    Bytes file = make_test_game_pack();
    std::string path = scratch_path("DATA50.RES");
    ASSERT_TRUE(save_bytes(path.c_str(), file));
    ASSERT_TRUE(bind_resources(path.c_str()));
    unlink(path.c_str());
    std::vector<int> roles_of(PACK_ENTRIES_USED);
    for (const PackRole& role : GAME_PACK_ROLES) {
        ASSERT_TRUE(role.entry >= 0 && role.entry < PACK_ENTRIES_USED) << role.entry;
        roles_of[(size_t)role.entry]++;
        if (role.kind == KIND_TABLE || !role.table)
            continue;
        ASSERT_EQ(role.table->count, word_at(file, entry_file_offset(file, role.entry))) << role.entry;
        EXPECT_EQ(role.table->items[0], first_item(file, role.entry)) << role.entry;
    }
    EXPECT_EQ(roles_of, std::vector<int>(PACK_ENTRIES_USED, 1));

    // The roles the game reads by name, each from its own entry.
    auto first_of = [](const PackTable& table) { return table.count > 0 ? table.items[0] : nullptr; };
    for (int k = 0; k < 5; k++) {
        EXPECT_EQ(first_of(MothImages[k]), first_item(file, 1 + k)) << k;
        EXPECT_EQ(first_of(SwapFadeImages[k]), first_item(file, 6 + k)) << k;
    }
    EXPECT_EQ(first_of(ColumnImages[9]), first_item(file, 28));
    EXPECT_EQ(GamePalette, in_block(entry_file_offset(file, 0)));
    EXPECT_EQ(GameBackground, in_block(entry_file_offset(file, 12)));
    EXPECT_EQ((const uint8_t*)PointerImage, in_block(entry_file_offset(file, 29))) << "not a table";
    EXPECT_EQ((const uint8_t*)TitlePicture, in_block(entry_file_offset(file, 44)));
    EXPECT_EQ(TitlePalette, in_block(entry_file_offset(file, 45)));
    EXPECT_EQ(resource_pack->entries[31], in_block(entry_file_offset(file, 31)) + 4)
        << "a bound table's entry leads to its first offset";
    EXPECT_EQ(current_font.glyphs, (const ImageRecord* const*)FontGlyphs.items);
    EXPECT_EQ(current_font.glyph_routine, &draw_sprite_shifted);
    EXPECT_EQ(measure_text("AB"), 3 + 'A' % 4 + 1 + 3 + 'B' % 4) << "glyph widths from the pack, spacing 1";
    // Sample k is the bytes between pointers k and k + 1; 14 pointers mark 13 samples.
    const uint8_t* start = nullptr;
    uint32_t length = 0;
    for (int k = 0; k < 13; k++) {
        ASSERT_TRUE(sound_sample(k, &start, &length)) << k;
        EXPECT_EQ(Bytes(start, start + length), Bytes(32 + 8 * k, 0x80 + k)) << k;
    }
    EXPECT_FALSE(sound_sample(13, &start, &length));
    EXPECT_FALSE(sound_sample(-1, &start, &length));

    release_resources();
    EXPECT_EQ((std::array<const void*, 4>{resource_pack, GamePalette, TitlePalette, current_font.glyphs}),
              (std::array<const void*, 4>{}));
    EXPECT_EQ(FontGlyphs.count, 0);
    // A failure on the terminal names the file, the entry and the item.
    testing::internal::CaptureStderr();
    EXPECT_FALSE(bind_resources(path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": cannot open the file (not found)\n");

    std::vector<Bytes> entries = test_game_entries();
    entries[18] = make_table({Bytes(5, 0)});
    ASSERT_TRUE(save_bytes(path.c_str(), make_pack(entries)));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(bind_resources(path.c_str()));
    std::string said = testing::internal::GetCapturedStderr();
    unlink(path.c_str());
    EXPECT_EQ(said, path + ": entry 18 (sound switch): 1 images, the game needs 6\n");
    EXPECT_EQ(resource_pack, nullptr);
    EXPECT_EQ(MothImages[0].count, 0) << "roles bound before the failure are cleared";
}

using BrokenGamePack = ResourcesTest;

// (Entries the game does not read may hold anything.)
TEST_F(BrokenGamePack, EachIsRefusedWithAMessageNamingTheEntry)
{
    // A transition picture of 640 x 8 whose row 7 reaches one pixel too far.
    Bytes wide = encode_fill_runs(0, 0, 640, 8, Bytes(640 * 8, 0).data(), 0);
    ASSERT_EQ(wide.size(), 8u + 8 * 6);
    wide.insert(wide.end() - 5, 0x00);    // a sixth skip run of 1 in the last row
    wide[wide.size() - 7] = 6;

    struct Case { const char* what; std::function<void(std::vector<Bytes>&)> change_entries;
                  std::function<void(Bytes&)> change_file; std::string message; };
    const Case cases[] = {
        {"entries the game does not use hold anything",
         [](std::vector<Bytes>& e) {
             e[33] = {0xFF, 0xFF, 0xFF, 0xFF, 1}, e[34] = {}, e[36] = Bytes(3, 0x80);
             e.push_back({1, 2, 3});    // an entry past 45 is ignored
         },
         nullptr, ""},
        {"truncated", nullptr, [](Bytes& f) { f.resize(f.size() - 500); },
         "DATA50.RES: entry 45 (title palette): a palette needs 768 bytes, 268 are left in the block"},
        {"run row longer than the width",
         [&](std::vector<Bytes>& e) {
             std::vector<Bytes> transitions(43, encode_fill_runs(0, 0, 4, 4, Bytes(16, 1).data(), 0));
             transitions[12] = wide;
             e[40] = make_table(transitions);
         },
         nullptr, "DATA50.RES: entry 40 (transitions), image 12: row 7 runs add up to 641, not 640"},
        {"table count 2^31", [](std::vector<Bytes>& e) { set_word(e[30], 0, 0x80000000u); }, nullptr,
         "DATA50.RES: entry 30 (digits): table count -2147483648 is negative"},
        {"text without NUL", nullptr,
         [](Bytes& f) {
             // Text 3 moved onto the last byte of the file, a palette component.
             size_t texts = entry_file_offset(f, 41);
             set_word(f, texts + 4 + 4 * 3, (uint32_t)(f.size() - 1 - (texts + 4)));
         },
         "DATA50.RES: entry 41 (texts), text 3: the text has no NUL before the end of the block"},
        {"palette component of 64", [](std::vector<Bytes>& e) { e[0][3 * 200 + 2] = 64; }, nullptr,
         "DATA50.RES: entry 0 (game palette): colour 200: blue is 64, more than 63"},
        {"run image off the screen",
         [](std::vector<Bytes>& e) {
             std::vector<Bytes> buttons(6, encode_runs(600, 400, 10, 10, Bytes(100, 2).data(), 0));
             buttons[2] = encode_runs(630, 400, 20, 10, Bytes(200, 2).data(), 0);
             e[13] = make_table(buttons);
         },
         nullptr,
         "DATA50.RES: entry 13 (menu button), image 2: a 20 x 10 image at (630, 400) does not lie wholly on the "
         "640 x 480 screen"},
        {"too few entries", [](std::vector<Bytes>& e) { e.resize(45); }, nullptr,
         "DATA50.RES: the pack has 45 entries, 46 are needed"},
        {"too few glyphs", [](std::vector<Bytes>& e) { e[31] = make_table(std::vector<Bytes>(255, e[29])); },
         nullptr, "DATA50.RES: entry 31 (glyphs): 255 images, the game needs 256"},
        {"short screen picture", nullptr, [](Bytes& f) { set_word(f, 4 + 4 * 12, (uint32_t)word_at(f, 4 + 4 * 45)); },
         "DATA50.RES: entry 12 (game background): a screen picture needs 307200 bytes, 768 are left in the block"},
        {"sound bank too small", [](std::vector<Bytes>& e) { e[32] = make_sound_bank({Bytes(4, 1)}); }, nullptr,
         "DATA50.RES: entry 32 (sound bank): 2 pointers; samples 0 to 12 need at least 14"},
        {"sound bank going backwards", nullptr,
         [](Bytes& f) {
             size_t bank = entry_file_offset(f, 32);
             set_word(f, bank + 4 + 4 * 6, (uint32_t)word_at(f, bank + 4 + 4 * 6) - 100);
         },
         "DATA50.RES: entry 32 (sound bank): sample 5 ends before it starts (pointer 6 lies before pointer 5)"},
        {"empty moth image", [](std::vector<Bytes>& e) { set16(e[3], 4 + 4 * 20 + 4, 0); }, nullptr,
         "DATA50.RES: entry 3 (moths), image 0: the image is 0 x 12; both must be at least 1"},
        {"title picture off the screen", [](std::vector<Bytes>& e) { set16(e[44], 2, 460); }, nullptr,
         "DATA50.RES: entry 44 (title picture): a 64 x 32 image at (0, 460) does not lie wholly on the 640 x 480 "
         "screen"},
    };
    for (const Case& c : cases) {
        std::vector<Bytes> entries = test_game_entries();
        if (c.change_entries)
            c.change_entries(entries);
        Bytes file = make_pack(entries);
        if (c.change_file)
            c.change_file(file);
        EXPECT_EQ(game_pack_problem(file), c.message) << c.what;
        EXPECT_EQ(resource_pack != nullptr, c.message.empty()) << c.what;
        release_resources();
    }
}

using LogoPackBinding = ResourcesTest;

TEST_F(LogoPackBinding, LoadsOnFirstUseAndIsKeptAndAMissingOrShortOneSaysSo)
{
    std::vector<Bytes> entries = test_logo_entries();
    entries[1] = make_table(std::vector<Bytes>(42, encode_fill_runs(0, 0, 2, 2, Bytes(4, 9).data(), 0)));
    Bytes file = make_pack(entries);
    std::string error;
    EXPECT_FALSE(bind_logo_pack(load_pack_memory(file.data(), file.size()), "brenmoor.res", &error));
    EXPECT_EQ(error, "brenmoor.res: entry 1 (logo pictures): 42 images, the game needs 43");
    EXPECT_EQ(LogoPack, nullptr);

    std::string path = scratch_path("brenmoor.res");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_logo_pack(path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": cannot open the file (not found)\n");
    EXPECT_EQ(LogoPack, nullptr);

    ASSERT_TRUE(save_bytes(path.c_str(), make_test_logo_pack()));
    ASSERT_TRUE(load_logo_pack(path.c_str()));
    unlink(path.c_str());
    ResourcePack* first = LogoPack;
    EXPECT_EQ(LogoImages.count, 43);
    EXPECT_EQ(LogoPalette, LogoPack->block + 8);
    EXPECT_TRUE(load_logo_pack(path.c_str())) << "the file is not read again";
    EXPECT_EQ(LogoPack, first);
}
