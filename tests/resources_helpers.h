// Small helpers for the resource tests: packs built by the pack writer,
// patched word by word, loaded from memory or from a file.
#pragma once

#include "resources/pack_writer.h"
#include "testkit/test_pack.h"
#include "resources/resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

inline int32_t word_at(const Bytes& bytes, size_t at)
{
    return (int32_t)(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | (uint32_t)bytes[at + 3] << 24);
}

inline void set_word(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        bytes[at + i] = (uint8_t)(value >> (8 * i));
}

inline void set16(Bytes& bytes, size_t at, int value)
{
    bytes[at] = (uint8_t)value;
    bytes[at + 1] = (uint8_t)(value >> 8);
}

// Where entry `e`'s data starts in the pack file.
inline size_t entry_file_offset(const Bytes& pack, int e) { return 4 + (size_t)word_at(pack, 4 + 4 * (size_t)e); }

// Where item `i` of the table at file offset `table` starts in the file.
inline size_t item_file_offset(const Bytes& pack, size_t table, int i)
{
    return table + 4 + (size_t)word_at(pack, table + 4 + 4 * (size_t)i);
}

// A pack loaded from memory, freed when the test ends.
struct LoadedPack {
    ResourcePack* pack = nullptr;
    std::string error;
    explicit LoadedPack(const Bytes& bytes) { pack = load_pack_memory(bytes.data(), bytes.size(), &error); }
    ~LoadedPack() { free_pack(pack); }
    LoadedPack(const LoadedPack&) = delete;
    LoadedPack& operator=(const LoadedPack&) = delete;
};

// Binds `bytes` as the game pack "DATA50.RES"; the message when it fails,
// "" when it binds.
inline std::string game_pack_problem(const Bytes& bytes)
{
    std::string error;
    ResourcePack* pack = load_pack_memory(bytes.data(), bytes.size(), &error);
    if (!pack)
        return "DATA50.RES: " + error;
    if (!bind_resources_pack(pack, "DATA50.RES", &error))
        return error.empty() ? "failed without a message" : error;
    return "";
}

// A file of this test's own in the test scratch folder.
inline std::string scratch_path(const char* name)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::TempDir() + "flickermoth_" + test->test_suite_name() + "_" + test->name() + "_" + name;
}

// Releases the resources when the test ends, whatever it bound.
class ResourcesTest : public testing::Test {
protected:
    void TearDown() override { release_resources(); }
};
