// Loading packs, resolving entries and tables, and the checks that keep a
// broken pack from ever leading a read outside its block.
#include "resources_helpers.h"

#include <cstring>
#include <unistd.h>

namespace {

Bytes word_bytes(std::initializer_list<int32_t> words)
{
    Bytes out(words.size() * 4);
    for (size_t i = 0; i < words.size(); i++)
        set_word(out, 4 * i, (uint32_t)words.begin()[i]);
    return out;
}

TEST(PackEntries, OffsetsCountFromTheByteAfterTheEntryCountAndTheLastEntryMayBeEmpty)
{
    Bytes file = make_pack({Bytes{11, 12}, Bytes{21, 22, 23}, Bytes{31}, Bytes{}});
    ASSERT_EQ(word_at(file, 4), 16) << "entry 0's data follows the 4 offsets: block offset 4 x 4";
    LoadedPack loaded(file);
    ASSERT_NE(loaded.pack, nullptr) << loaded.error;
    EXPECT_EQ(loaded.pack->entry_count, 4);
    EXPECT_EQ(loaded.pack->size, file.size() - 4);
    EXPECT_EQ(loaded.pack->entries[0], loaded.pack->block + 16);
    EXPECT_EQ(loaded.pack->entries[0][0], file[20]) << "block offset 4N is file offset 4 + 4N";
    EXPECT_EQ(loaded.pack->entries[1][2], 23);
    EXPECT_EQ(loaded.pack->entries[2][0], 31);
    EXPECT_EQ(loaded.pack->entries[3], loaded.pack->block + loaded.pack->size) << "an empty entry ends the block";
    EXPECT_EQ(std::memcmp(loaded.pack->block, file.data() + 4, file.size() - 4), 0);
}

TEST(PackEntries, TruncatedOrInconsistentPacksDoNotLoadAndAFileLoadsLikeTheSameBytesInMemory)
{
    const Bytes good = make_pack({Bytes{1, 2, 3, 4}, Bytes{5, 6}});
    auto with_word = [&](size_t at, int32_t value) { Bytes b = good; set_word(b, at, (uint32_t)value); return b; };
    const std::pair<Bytes, const char*> cases[] = {
        {Bytes{2, 0, 0}, "the pack is shorter than 4 bytes"},
        {Bytes(good.begin(), good.end() - 3), "entry 1: offset 12 is outside the block of 11 bytes"},
        {with_word(4, 1000), "entry 0: offset 1000 is outside the block of 14 bytes"},
        {with_word(8, -4), "entry 1: offset -4 is outside the block of 14 bytes"},
        {with_word(0, 4), "entry count 4 needs 16 bytes of offsets, the block holds 14"},    // just too many
        {with_word(0, -1), "entry count -1 is negative"},
    };
    for (const auto& [bytes, message] : cases) {
        LoadedPack loaded(bytes);
        EXPECT_EQ(loaded.pack, nullptr) << message;
        EXPECT_EQ(loaded.error, message);
    }
    // A file loads like the same bytes in memory, and a missing one says so.
    Bytes file = make_pack({Bytes{1, 2, 3}, word_bytes({0})});
    std::string path = scratch_path("pack.res");
    ASSERT_TRUE(save_bytes(path.c_str(), file));
    std::string error;
    ResourcePack* pack = load_pack_file(path.c_str(), &error);
    ASSERT_NE(pack, nullptr) << error;
    EXPECT_EQ(pack->size, file.size() - 4);
    EXPECT_EQ(std::memcmp(pack->block, file.data() + 4, pack->size), 0);
    EXPECT_EQ(pack->entries[1], pack->block + 8 + 3);
    free_pack(pack);
    unlink(path.c_str());
    EXPECT_EQ(load_pack_file(path.c_str(), &error), nullptr);
    EXPECT_EQ(error, "cannot open the file (not found)");
    EXPECT_FALSE(save_bytes((path + "/no/such/folder").c_str(), file)) << "a failed save says so";
}

TEST(PackTables, BindingResolvesItemsFromTheFirstOffsetAndMovesTheEntryOnOrRefusesOffsetsLeavingTheBlock)
{
    // Entry 0 is a table of 3 items: two after it, one (offset -12) before
    // it, at the very start of the block.
    Bytes table = word_bytes({3, 12, 14, -12});
    table.insert(table.end(), {0xA1, 0xA2, 0xB1});
    LoadedPack loaded(make_pack({table, Bytes{0xC1, 0xC2}}));
    ASSERT_NE(loaded.pack, nullptr) << loaded.error;
    ResourcePack* pack = loaded.pack;
    const uint8_t* count_address = pack->entries[0];

    PackTable bound;
    ASSERT_TRUE(bind_table(pack, 0, &bound));
    const uint8_t* first = count_address + 4;
    EXPECT_EQ(pack->entries[0], first) << "the entry now leads to the first offset, not the count";
    ASSERT_EQ(bound.count, 3);
    EXPECT_EQ(bound.items[0], first + 12);
    EXPECT_EQ(*bound.items[0], 0xA1);
    EXPECT_EQ(*bound.items[1], 0xB1);    // offset 14: past 0xA1 and 0xA2
    EXPECT_EQ(bound.items[2], first - 12);

    PackTable again;
    ASSERT_TRUE(bind_table(pack, 0, &again));
    EXPECT_EQ(again.items, bound.items) << "a table is bound once per load";
    EXPECT_EQ(again.count, 3);
    EXPECT_EQ(pack->entries[0], first) << "binding again does not move the entry further";

    // A count of zero binds to an empty table and leaves the data alone.
    LoadedPack empty(make_pack({make_table({}), Bytes{7, 7, 7}}));
    ASSERT_NE(empty.pack, nullptr) << empty.error;
    Bytes before(empty.pack->block, empty.pack->block + empty.pack->size);
    ASSERT_TRUE(bind_table(empty.pack, 0, &bound));
    EXPECT_EQ(bound.count, 0);
    EXPECT_EQ(Bytes(empty.pack->block, empty.pack->block + empty.pack->size), before);
    EXPECT_EQ(empty.pack->entries[0], empty.pack->block + 8 + 4);
    // Table counts and offsets that leave the block are refused.
    const std::pair<Bytes, const char*> cases[] = {
        {Bytes{}, "no room for a table count before the end of the block"},
        {word_bytes({INT32_MIN, 0}), "table count -2147483648 is negative"},
        {word_bytes({1 << 30, 0}), "table count 1073741824 needs 4294967296 bytes of offsets, 4 are left in the block"},
        {word_bytes({3, 12, 8}), "table count 3 needs 12 bytes of offsets, 8 are left in the block"},
        {word_bytes({2, 8, 9}), "item 1: offset 9 leads outside the block"},
        {word_bytes({2, 8, -13}), "item 1: offset -13 leads outside the block"},
    };
    for (const auto& [table_bytes, message] : cases) {
        LoadedPack loaded(make_pack({table_bytes}));
        ASSERT_NE(loaded.pack, nullptr) << loaded.error;
        PackTable table;
        std::string error;
        EXPECT_FALSE(bind_table(loaded.pack, 0, &table, &error)) << message;
        EXPECT_EQ(error, message);
        EXPECT_EQ(loaded.pack->tables[0].count, -1) << "a refused table stays unbound";
    }
}

TEST(PackTables, EntriesAtTheSameOffsetShareOneTableAndOverlappingTablesCannotOverrunTheRoomForItems)
{
    Bytes file = make_pack({make_table({Bytes{1}, Bytes{2}}), Bytes{0}});
    set_word(file, 8, (uint32_t)word_at(file, 4));    // entry 1 at entry 0's table
    LoadedPack loaded(file);
    ASSERT_NE(loaded.pack, nullptr) << loaded.error;
    PackTable a, b;
    ASSERT_TRUE(bind_table(loaded.pack, 0, &a));
    ASSERT_TRUE(bind_table(loaded.pack, 1, &b));
    EXPECT_EQ(b.items, a.items);
    EXPECT_EQ(loaded.pack->entries[1], loaded.pack->entries[0]);
    EXPECT_EQ(loaded.pack->table_items_used, 2u);

    // Entry 0: a table of 100 items filling the block; entry 1 starts on its
    // first offset, which reads as a count of 99 that fits as well.
    Bytes table(4 + 400, 0);
    set_word(table, 0, 100);
    set_word(table, 4, 99);
    file = make_pack({table, Bytes()});
    set_word(file, 8, 8 + 4);
    LoadedPack overlapping(file);
    ASSERT_NE(overlapping.pack, nullptr) << overlapping.error;
    std::string error;
    ASSERT_TRUE(bind_table(overlapping.pack, 0, &a, &error)) << error;
    EXPECT_FALSE(bind_table(overlapping.pack, 1, &b, &error));
    EXPECT_EQ(error, "table of 99 items overlaps other tables");
    EXPECT_LE(overlapping.pack->table_items_used, overlapping.pack->table_items_room);
}

enum Check { RAW, RUNS, FILL_RUNS, PLACED, PALETTE, SCREEN, TEXT };

// The message of the check of `bytes`, lying alone in a pack; "" when good.
std::string problem(const Bytes& bytes, Check check)
{
    LoadedPack one(make_pack({bytes}));
    EXPECT_NE(one.pack, nullptr) << one.error;
    const uint8_t* data = one.pack->entries[0];
    std::string error;
    bool good = check == PALETTE ? pack_check_palette(one.pack, data, &error)
                : check == SCREEN ? pack_check_screen(one.pack, data, &error)
                : check == TEXT   ? pack_check_text(one.pack, data, &error)
                : check == PLACED ? pack_check_image(one.pack, data, IMAGE_FILL_RUNS, &error, true)
                                  : pack_check_image(one.pack, data, check, &error);
    return good ? "" : error;
}

Bytes changed(Bytes bytes, size_t at, uint8_t value) { return bytes[at] = value, bytes; }

TEST(PackPieces, EachIsCheckedAgainstTheEndOfTheBlockAndTheScreen)
{
    const Bytes raw = encode_raw(0, 0, 4, 3, Bytes(12, 5).data());
    // 3 x 2 runs: row 0 = copy 2 + skip 1, row 1 = skip 3.
    const Bytes runs = {0, 0, 0, 0, 3, 0, 2, 0, 2, 0x81, 9, 9, 0x00, 1, 0x02};
    // 70 x 1: fill 64 (0xFF) + copy 6 (0x85); as runs 0xFF is a copy of 128.
    const Bytes fills = {0, 0, 0, 0, 70, 0, 1, 0, 2, 0xFF, 4, 0x85, 1, 2, 3, 4, 5, 6};
    auto placed = [](int x, int y, int w, int h) { return encode_fill_runs(x, y, w, h, Bytes(w * h, 3).data(), 0); };
    Bytes longest(PACK_TEXT_MAX + 1, 'W'), too_long(PACK_TEXT_MAX + 2, 'W');
    longest.back() = too_long.back() = 0;
    const std::string off_screen = " does not lie wholly on the 640 x 480 screen";
    struct Case { Bytes bytes; Check check; std::string message; };
    const Case cases[] = {
        {raw, RAW, ""},
        {Bytes(raw.begin(), raw.end() - 1), RAW, "12 pixels of a 4 x 3 image, 11 bytes left in the block"},
        {changed(raw, 6, 0), RAW, "the image is 4 x 0; both must be at least 1"},
        {Bytes{0, 0, 0, 0, 1, 0, 1}, RAW, "the image header runs past the end of the block"},
        {encode_raw(0, 0, 640, 480, Bytes(640 * 480, 1).data()), RAW, ""},
        {encode_raw(0, 0, 641, 1, Bytes(641, 1).data()), RAW, "the image is 641 x 1, larger than the 640 x 480 screen"},
        {encode_runs(0, 0, 1, 481, Bytes(481, 1).data(), 0), RUNS,
         "the image is 1 x 481, larger than the 640 x 480 screen"},
        {runs, RUNS, ""},
        {changed(runs, 14, 0x03), RUNS, "row 1 runs add up to 4, not 3"},
        {changed(runs, 13, 0), RUNS, "row 1 has no runs"},
        {Bytes(runs.begin(), runs.begin() + 11), RUNS, "row 0 runs past the end of the block"},
        {Bytes(runs.begin(), runs.begin() + 13), RUNS, "row 1 starts past the end of the block"},
        {fills, FILL_RUNS, ""},
        {fills, RUNS, "row 0 runs past the end of the block"},
        {Bytes{0, 0, 0, 0, 64, 0, 1, 0, 1, 0xFF}, FILL_RUNS, "row 0 runs past the end of the block"},
        {placed(620, 460, 20, 20), PLACED, ""},
        {placed(621, 0, 20, 4), PLACED, "a 20 x 4 image at (621, 0)" + off_screen},
        {placed(0, -1, 4, 4), PLACED, "a 4 x 4 image at (0, -1)" + off_screen},
        {placed(-5, 0, 4, 4), PLACED, "a 4 x 4 image at (-5, 0)" + off_screen},
        {placed(0, 470, 4, 11), PLACED, "a 4 x 11 image at (0, 470)" + off_screen},
        {placed(-5, 0, 4, 4), FILL_RUNS, ""},    // drawn at a point of its own: clipped
        {Bytes(768, 63), PALETTE, ""},
        {changed(Bytes(768, 63), 5 * 3 + 1, 64), PALETTE, "colour 5: green is 64, more than 63"},
        {Bytes(767, 0), PALETTE, "a palette needs 768 bytes, 767 are left in the block"},
        {Bytes(640 * 480, 1), SCREEN, ""},
        {Bytes(640 * 480 - 1, 1), SCREEN, "a screen picture needs 307200 bytes, 307199 are left in the block"},
        {Bytes{'A', 'B', 0}, TEXT, ""},
        {Bytes{'A', 'B', 'C'}, TEXT, "the text has no NUL before the end of the block"},
        {longest, TEXT, ""},
        {too_long, TEXT, "the text is longer than 1023 characters"},
    };
    for (size_t i = 0; i < std::size(cases); i++)
        EXPECT_EQ(problem(cases[i].bytes, cases[i].check), cases[i].message) << "case " << i;
}

}  // namespace
