// Small helpers for the resource tests: packs built by the pack writer,
// patched word by word, loaded from memory or from a file.
#pragma once

#include "resources/pack_writer.h"
#include "testkit/test_pack.h"
#include "resources/resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

inline int32_t word_at(const Bytes& b, size_t i)
{
    return (int32_t)(b[i] | b[i + 1] << 8 | b[i + 2] << 16 | (uint32_t)b[i + 3] << 24);
}
inline void set16(Bytes& b, size_t at, int v) { b[at] = (uint8_t)v, b[at + 1] = (uint8_t)(v >> 8); }
inline void set_word(Bytes& b, size_t at, uint32_t v) { set16(b, at, v & 0xFFFF), set16(b, at + 2, v >> 16); }

// Where entry `e`'s data starts in the pack file.
inline size_t entry_file_offset(const Bytes& pack, int e) { return 4 + (size_t)word_at(pack, 4 + 4 * (size_t)e); }

// Where item `i` of the table at file offset `table` starts in the file.
inline size_t item_file_offset(const Bytes& p, size_t t, int i) { return t + 4 + (size_t)word_at(p, t + 4 + 4 * i); }

// A pack loaded from memory, freed when the test ends.
struct LoadedPack {
    std::string error;
    ResourcePack* pack;
    explicit LoadedPack(const Bytes& bytes) : pack(load_pack_memory(bytes.data(), bytes.size(), &error)) {}
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
    return bind_resources_pack(pack, "DATA50.RES", &error) ? "" : error.empty() ? "failed without a message" : error;
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
