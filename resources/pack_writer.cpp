// Building resource packs in memory: image encoders, tables, the pack
// layout, and saving the result.
#include "resources/pack_writer.h"

#include "resources/pack.h"

#include "platform/file.h"

namespace {

constexpr int ROW_MAX_RUNS = 255;
constexpr int SKIP_MAX = 128;
constexpr int RUN_COPY_MAX = 128;
constexpr int FILL_RUN_MAX = 64;

void put16(Bytes& out, int value)
{
    out.push_back((uint8_t)value);
    out.push_back((uint8_t)(value >> 8));
}

void put32(Bytes& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back((uint8_t)(value >> shift));
}

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

bool size_fits(int width, int height) { return width >= 1 && width <= 0xFFFF && height >= 1 && height <= 0xFFFF; }

Bytes image_header(int x_offset, int y_offset, int width, int height)
{
    Bytes out;
    put16(out, x_offset);
    put16(out, y_offset);
    put16(out, width);
    put16(out, height);
    return out;
}

// How many pixels from `i` on repeat row[i], up to `limit`.
int repeat_length(const uint8_t* row, int width, int i, int limit)
{
    int n = 1;
    while (i + n < width && n < limit && row[i + n] == row[i])
        n++;
    return n;
}

// Appends one row's run count and runs. Fill runs (fill-run encoding only)
// take repeats of `fill_from` pixels or more; a larger value than 64 turns
// them off. False when the row needs more than 255 runs.
bool encode_row(Bytes& out, const uint8_t* row, int width, int transparent, bool fill_runs, int fill_from)
{
    Bytes runs;
    int count = 0;
    int copy_max = fill_runs ? FILL_RUN_MAX : RUN_COPY_MAX;
    auto fill_worthy = [&](int i) { return fill_runs && repeat_length(row, width, i, FILL_RUN_MAX) >= fill_from; };
    int i = 0;
    while (i < width) {
        count++;
        if (row[i] == transparent) {
            int n = 1;
            while (i + n < width && n < SKIP_MAX && row[i + n] == transparent)
                n++;
            runs.push_back((uint8_t)(n - 1));
            i += n;
        } else if (fill_worthy(i)) {
            int n = repeat_length(row, width, i, FILL_RUN_MAX);
            runs.push_back((uint8_t)(0xC0 | (n - 1)));
            runs.push_back(row[i]);
            i += n;
        } else {
            int start = i;
            do
                i++;
            while (i < width && i - start < copy_max && row[i] != transparent && !fill_worthy(i));
            runs.push_back((uint8_t)(0x80 | (i - start - 1)));
            runs.insert(runs.end(), row + start, row + i);
        }
    }
    if (count > ROW_MAX_RUNS)
        return false;
    out.push_back((uint8_t)count);
    append(out, runs);
    return true;
}

Bytes encode_run_image(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent,
                       bool fill_runs)
{
    if (!size_fits(width, height))
        return {};
    Bytes out = image_header(x_offset, y_offset, width, height);
    for (int r = 0; r < height; r++) {
        const uint8_t* row = pixels + (size_t)r * width;
        // A row of many short repeats between skips could pass 255 runs
        // with fills; copies alone cut it into the fewest runs.
        if (!encode_row(out, row, width, transparent, fill_runs, 3) &&
            !(fill_runs && encode_row(out, row, width, transparent, true, FILL_RUN_MAX + 1)))
            return {};
    }
    return out;
}

}  // namespace

Bytes encode_raw(int x_offset, int y_offset, int width, int height, const uint8_t* pixels)
{
    if (!size_fits(width, height))
        return {};
    Bytes out = image_header(x_offset, y_offset, width, height);
    out.insert(out.end(), pixels, pixels + (size_t)width * height);
    return out;
}

Bytes encode_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent)
{
    return encode_run_image(x_offset, y_offset, width, height, pixels, transparent, false);
}

Bytes encode_fill_runs(int x_offset, int y_offset, int width, int height, const uint8_t* pixels, int transparent)
{
    return encode_run_image(x_offset, y_offset, width, height, pixels, transparent, true);
}

Bytes make_table(const std::vector<Bytes>& items)
{
    Bytes out;
    put32(out, (uint32_t)items.size());
    uint32_t at = 4 * (uint32_t)items.size();    // counted from the first offset
    for (const Bytes& item : items) {
        put32(out, at);
        at += (uint32_t)item.size();
    }
    for (const Bytes& item : items)
        append(out, item);
    return out;
}

Bytes make_sound_bank(const std::vector<Bytes>& samples)
{
    Bytes out;
    uint32_t pointers = (uint32_t)samples.size() + 1;
    put32(out, pointers);
    uint32_t at = 4 * pointers;
    for (const Bytes& sample : samples) {
        put32(out, at);
        at += (uint32_t)sample.size();
    }
    put32(out, at);    // the end of the last sample
    for (const Bytes& sample : samples)
        append(out, sample);
    return out;
}

Bytes make_text_table(const std::vector<std::string>& texts)
{
    std::vector<Bytes> items;
    for (const std::string& text : texts) {
        Bytes item(text.begin(), text.end());
        item.push_back(0);
        items.push_back(item);
    }
    return make_table(items);
}

Bytes make_pack(const std::vector<Bytes>& entries)
{
    Bytes out;
    put32(out, (uint32_t)entries.size());
    uint32_t at = 4 * (uint32_t)entries.size();    // counted from file offset 4
    for (const Bytes& entry : entries) {
        put32(out, at);
        at += (uint32_t)entry.size();
    }
    for (const Bytes& entry : entries)
        append(out, entry);
    return out;
}

bool save_bytes(const char* path, const Bytes& bytes)
{
    File file;
    if (!file_open(&file, path, FILE_CREATE))
        return false;
    bool written = file_write(&file, bytes.data(), (uint32_t)bytes.size());
    file_close(&file);
    return written;
}

int skip_stand_in(const std::vector<int>& pixels)
{
    bool used[256] = {};
    bool skips = false;
    for (int p : pixels) {
        if (p == PIXEL_SKIP)
            skips = true;
        else
            used[p & 0xFF] = true;
    }
    if (!skips)
        return -1;
    for (int i = 0; i < 256; i++)
        if (!used[i])
            return i;
    return -2;
}

std::vector<uint8_t> pixels_with_skips_as(const std::vector<int>& pixels, int stand_in)
{
    std::vector<uint8_t> bytes(pixels.size());
    for (size_t i = 0; i < pixels.size(); i++)
        bytes[i] = (uint8_t)(pixels[i] == PIXEL_SKIP ? stand_in : pixels[i]);
    return bytes;
}

Bytes encode_with_skips(int x_offset, int y_offset, int width, int height, const std::vector<int>& pixels, int encoding)
{
    // In a raw picture index 0 is what is not drawn: skips are 0, whatever
    // else the picture uses.
    if (encoding == IMAGE_RAW)
        return encode_raw(x_offset, y_offset, width, height, pixels_with_skips_as(pixels, 0).data());
    int stand_in = skip_stand_in(pixels);
    if (stand_in == -2)
        return {};
    std::vector<uint8_t> bytes = pixels_with_skips_as(pixels, stand_in);
    if (encoding == IMAGE_RUNS)
        return encode_runs(x_offset, y_offset, width, height, bytes.data(), stand_in);
    return encode_fill_runs(x_offset, y_offset, width, height, bytes.data(), stand_in);
}
