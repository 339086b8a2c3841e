// list and extract: a pack into words and into files.
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"
#include "tools/packtool/packtool.h"

#include "platform/codepage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr int SAMPLE_RATE = 22050;

std::string number(int n, int digits = 3)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", digits, n);
    return text;
}

// A picture in the entry's palette; skipped pixels (and raw index 0) are
// shown by a transparent index.
bool write_picture(const PackContents& contents, int entry, const DecodedImage& image, int encoding,
                   const std::string& path, std::string* error)
{
    IndexedPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    entry_palette(contents, entry, picture.rgb);
    // Raw images show index 0 as clear; run images their skips, under an
    // index of their own.
    int stand_in = skip_stand_in(image.pixels);
    if (stand_in == -2) {
        *error = path + ": the picture uses all 256 colours and skips pixels too";
        return false;
    }
    picture.transparent = encoding == IMAGE_RAW ? 0 : stand_in;
    picture.pixels = pixels_with_skips_as(image.pixels, stand_in);
    if (!media_write_indexed_png(path, picture)) {
        *error = path + ": cannot be written";
        return false;
    }
    return true;
}

// An image item: its PNG, and its exact bytes when encoding it again would
// not give them back.
bool extract_image(const PackContents& contents, int entry, const Bytes& record, int encoding, const std::string& dir,
                   const std::string& name, std::ostream& manifest, std::string* error)
{
    DecodedImage image;
    std::string why;
    if (!image_decode(record, encoding, &image, &why)) {
        *error = "entry " + std::to_string(entry) + ": " + name + " is not a whole image: " + why;
        return false;
    }
    if (!write_picture(contents, entry, image, encoding, dir + "/" + name + ".png", error))
        return false;
    manifest << name << ".png " << image.x_offset << " " << image.y_offset;
    if (image_encode(image, encoding) != record) {
        if (!save_bytes((dir + "/" + name + ".img").c_str(), record)) {
            *error = dir + "/" + name + ".img: cannot be written";
            return false;
        }
        manifest << " " << name << ".img";
    }
    manifest << "\n";
    return true;
}

bool write_palette(const Bytes& bytes, const std::string& path)
{
    std::ofstream out(path);
    out << "# 256 colours: red green blue, each 0..63\n";
    for (int i = 0; i < 256; i++)
        out << (int)bytes[(size_t)i * 3] << " " << (int)bytes[(size_t)i * 3 + 1] << " " << (int)bytes[(size_t)i * 3 + 2]
            << "\n";
    return (bool)out;
}

bool extract_entry(const PackContents& contents, int e, const std::string& dir, std::ostream& manifest,
                   std::string* error)
{
    const PackEntry& entry = contents.entries[(size_t)e];
    std::string name = number(e);
    manifest << "entry " << e << " " << kind_name(entry.layout.kind);
    bool ok = true;
    switch (entry.layout.kind) {
    case KIND_PALETTE:
        manifest << " " << name << ".pal\n";
        ok = entry.bytes.size() == 768 && write_palette(entry.bytes, dir + "/" + name + ".pal");
        break;
    case KIND_SCREEN: {
        manifest << " " << name << ".png\n";
        IndexedPicture picture;
        picture.width = 640;
        picture.height = 480;
        entry_palette(contents, e, picture.rgb);
        picture.pixels = entry.bytes;
        ok = entry.bytes.size() == 640 * 480 && media_write_indexed_png(dir + "/" + name + ".png", picture);
        break;
    }
    case KIND_IMAGE:
        manifest << " " << encoding_name(entry.layout.encoding) << " ";
        return extract_image(contents, e, entry.bytes, entry.layout.encoding, dir, name, manifest, error);
    case KIND_IMAGES:
        manifest << " " << encoding_name(entry.layout.encoding) << " " << entry.items.size() << "\n";
        std::filesystem::create_directories(dir + "/" + name);
        for (size_t i = 0; i < entry.items.size(); i++) {
            manifest << "item " << i << " ";
            if (!extract_image(contents, e, entry.items[i], entry.layout.encoding, dir, name + "/" + number((int)i),
                               manifest, error))
                return false;
        }
        return true;
    case KIND_SOUNDS:
    case KIND_TEXTS:
    case KIND_TABLE:
        manifest << " " << entry.items.size() << "\n";
        std::filesystem::create_directories(dir + "/" + name);
        for (size_t i = 0; i < entry.items.size() && ok; i++) {
            std::string item = name + "/" + number((int)i);
            const Bytes& bytes = entry.items[i];
            if (entry.layout.kind == KIND_SOUNDS) {
                item += ".wav";
                ok = media_write_wav(dir + "/" + item, bytes, SAMPLE_RATE);
            } else if (entry.layout.kind == KIND_TEXTS) {
                item += ".txt";
                std::string text(bytes.begin(), bytes.end());
                text = text.substr(0, text.find('\0'));
                std::string utf8 = cp1251_to_utf8(text);
                ok = save_bytes((dir + "/" + item).c_str(), Bytes(utf8.begin(), utf8.end()));
            } else {
                item += ".bin";
                ok = save_bytes((dir + "/" + item).c_str(), bytes);
            }
            manifest << "item " << i << " " << item << "\n";
        }
        break;
    case KIND_BLOB:
        manifest << " " << name << ".bin\n";
        ok = save_bytes((dir + "/" + name + ".bin").c_str(), entry.bytes);
        break;
    }
    if (!ok)
        *error = "entry " + std::to_string(e) + " (" + entry.layout.role + ") cannot be written into " + dir;
    return ok;
}

}  // namespace

bool packtool_list(const std::string& pack_path, std::string* listing, std::string* error)
{
    PackContents contents;
    if (!pack_read(pack_path, &contents, error))
        return false;
    std::ostringstream out;
    out << pack_path << ": " << contents.file.size() << " bytes, " << contents.entries.size() << " entries, "
        << layout_name(contents.layout) << " pack\n";
    for (size_t e = 0; e < contents.entries.size(); e++) {
        const PackEntry& entry = contents.entries[e];
        bool table = entry.layout.kind == KIND_SOUNDS || entry.layout.kind == KIND_IMAGES ||
                     entry.layout.kind == KIND_TEXTS || entry.layout.kind == KIND_TABLE;
        size_t size = entry.bytes.size();
        for (const Bytes& item : entry.items)
            size += table ? item.size() : 0;
        bool image = entry.layout.kind == KIND_IMAGE || entry.layout.kind == KIND_IMAGES;
        char line[160];
        std::snprintf(line, sizeof line, "%3zu  %-8s %-9s %9zu bytes", e, kind_name(entry.layout.kind),
                      image ? encoding_name(entry.layout.encoding) : "", size);
        out << line;
        if (!entry.items.empty() || entry.layout.kind == KIND_TABLE)
            out << "  " << entry.items.size() << (entry.layout.kind == KIND_SOUNDS ? " samples" : " items");
        out << "  " << entry.layout.role << "\n";
    }
    *listing = out.str();
    return true;
}

bool packtool_extract(const std::string& pack_path, const std::string& dir, std::string* error)
{
    PackContents contents;
    if (!pack_read(pack_path, &contents, error))
        return false;
    std::error_code fs_error;
    std::filesystem::create_directories(dir, fs_error);
    std::ostringstream manifest;
    manifest << "flickermoth-pack 1\n";
    manifest << "layout " << layout_name(contents.layout) << "\n";
    for (size_t e = 0; e < contents.entries.size(); e++)
        if (!extract_entry(contents, (int)e, dir, manifest, error))
            return false;
    std::string text = manifest.str();
    if (!save_bytes((dir + "/manifest.txt").c_str(), Bytes(text.begin(), text.end()))) {
        *error = dir + "/manifest.txt: cannot be written";
        return false;
    }
    // A pack not laid out the way the pack writer lays packs out cannot be
    // made again from its parts: keep it whole, and build copies it.
    Bytes again;
    if (packtool_build(dir, &again, error) && again == contents.file)
        return true;
    text += "exact pack.raw\n";
    return save_bytes((dir + "/pack.raw").c_str(), contents.file) &&
           save_bytes((dir + "/manifest.txt").c_str(), Bytes(text.begin(), text.end()));
}
