// High-score tests: a table file in a directory of the test's own.
#pragma once

#include "hiscore/hiscore.h"
#include "platform/headless/headless.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

struct ScoreDir {
    std::string path;
    ScoreDir()
    {
        char name[] = "/tmp/flickermoth-scores-XXXXXX";
        path = std::string(mkdtemp(name)) + "/";
        headless_devices().install_dir = path;
    }
    ~ScoreDir() { std::filesystem::remove_all(path); }
    std::string file() const { return path + "HIGH50"; }
};

// Types `text` as a person would, one character a frame from `frame` on.
inline void type_at_a_pace(uint64_t frame, const std::string& text)
{
    for (size_t i = 0; i < text.size(); i++)
        headless_type(frame + i, text.substr(i, 1));
}

inline void write_bytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write((const char*)bytes.data(), bytes.size());
}

inline std::vector<uint8_t> read_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The bytes of a table file of (name, score) rows in the order given: 40
// a row, the name in 36 (a name of 36 has no terminator), the score in 4.
inline std::vector<uint8_t> rows_bytes(const std::vector<std::pair<const char*, int32_t>>& rows)
{
    std::vector<uint8_t> bytes;
    for (auto& [name, score] : rows) {
        size_t at = bytes.size();
        bytes.resize(at + 40, 0);
        std::memcpy(&bytes[at], name, std::min<size_t>(std::strlen(name), 36));
        for (int i = 0; i < 4; i++)
            bytes[at + 36 + i] = (uint8_t)((uint32_t)score >> (8 * i));
    }
    return bytes;
}

inline void write_table(const std::string& path, const std::vector<std::pair<const char*, int32_t>>& rows)
{
    write_bytes(path, rows_bytes(rows));
}

// The (name, score) rows a table file holds.
inline std::vector<std::pair<std::string, int32_t>> read_table(const std::string& path)
{
    std::vector<std::pair<std::string, int32_t>> rows;
    std::vector<uint8_t> bytes = read_bytes(path);
    for (size_t at = 0; at + 40 <= bytes.size(); at += 40) {
        std::string name((const char*)&bytes[at], strnlen((const char*)&bytes[at], 36));
        int32_t score = (int32_t)(bytes[at + 36] | bytes[at + 37] << 8 | bytes[at + 38] << 16 | (uint32_t)bytes[at + 39] << 24);
        rows.push_back({name, score});
    }
    return rows;
}
