// build: a pack from an extracted folder, following its manifest.
#include "tools/packtool/contents.h"
#include "tools/packtool/media.h"
#include "tools/packtool/packtool.h"

#include "platform/codepage.h"

#include <fstream>
#include <sstream>

namespace {

struct Reader {
    std::string dir;
    std::string* error;
    int line_number = 0;

    bool fail(const std::string& why)
    {
        *error = dir + "/manifest.txt, line " + std::to_string(line_number) + ": " + why;
        return false;
    }
};

int encoding_of(const std::string& name)
{
    return name == "raw" ? IMAGE_RAW : name == "runs" ? IMAGE_RUNS : name == "fill-runs" ? IMAGE_FILL_RUNS : -1;
}

bool read_palette(const std::string& path, Bytes* bytes, std::string* error)
{
    std::ifstream in(path);
    if (!in) {
        *error = path + ": cannot be read";
        return false;
    }
    bytes->clear();
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        int r, g, b;
        if (!(fields >> r >> g >> b) || r < 0 || g < 0 || b < 0 || r > 63 || g > 63 || b > 63) {
            *error = path + ": each colour is three numbers 0..63";
            return false;
        }
        bytes->insert(bytes->end(), {(uint8_t)r, (uint8_t)g, (uint8_t)b});
    }
    if (bytes->size() != 768) {
        *error = path + ": a palette has 256 colours";
        return false;
    }
    return true;
}

// An image from its PNG, keeping the exact bytes when the picture is what
// they hold.
bool build_image(Reader& r, int encoding, const std::string& png, int x, int y, const std::string& exact, Bytes* out)
{
    IndexedPicture picture;
    if (!media_read_indexed_png(r.dir + "/" + png, &picture, r.error))
        return false;
    DecodedImage image;
    image.x_offset = x;
    image.y_offset = y;
    image.width = picture.width;
    image.height = picture.height;
    image.pixels.resize(picture.pixels.size());
    for (size_t i = 0; i < picture.pixels.size(); i++) {
        int p = picture.pixels[i];
        image.pixels[i] = encoding != IMAGE_RAW && p == picture.transparent ? PIXEL_SKIP : p;
    }
    if (!exact.empty()) {
        Bytes kept;
        DecodedImage before;
        std::string why = "cannot be read";
        if (!media_read_file(r.dir + "/" + exact, &kept) || !image_decode(kept, encoding, &before, &why))
            return r.fail(exact + " is not a whole image: " + why);
        if (before.x_offset == image.x_offset && before.y_offset == image.y_offset && before.width == image.width &&
            before.height == image.height && before.pixels == image.pixels) {
            *out = kept;
            return true;
        }
    }
    *out = image_encode(image, encoding);
    if (out->empty())
        return r.fail(png + " cannot be encoded (too large, or all 256 colours besides the transparent one)");
    return true;
}

bool build_item(Reader& r, EntryKind kind, int encoding, std::istringstream& fields, Bytes* out)
{
    std::string file;
    fields >> file;
    if (file.empty())
        return r.fail("an item names its file");
    std::string path = r.dir + "/" + file;
    switch (kind) {
    case KIND_IMAGES: {
        int x, y;
        std::string exact;
        if (!(fields >> x >> y))
            return r.fail("an image item gives its x and y offsets");
        fields >> exact;
        return build_image(r, encoding, file, x, y, exact, out);
    }
    case KIND_SOUNDS:
        return media_read_wav(path, out, r.error);
    case KIND_TEXTS: {
        Bytes utf8;
        std::string text;
        if (!media_read_file(path, &utf8))
            return r.fail(file + " cannot be read");
        if (!utf8_to_cp1251(std::string(utf8.begin(), utf8.end()), &text))
            return r.fail(file + " holds a character that Windows-1251 has not");
        out->assign(text.begin(), text.end());
        out->push_back(0);
        return true;
    }
    default:
        if (!media_read_file(path, out))
            return r.fail(file + " cannot be read");
        return true;
    }
}

}  // namespace

bool packtool_build(const std::string& dir, Bytes* pack, std::string* error)
{
    Reader r{dir, error};
    std::ifstream in(dir + "/manifest.txt");
    if (!in) {
        *error = dir + "/manifest.txt: cannot be read";
        return false;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    // A pack kept whole (see extract) is copied, whatever its parts say:
    // they may be what made extract keep it whole.
    for (const std::string& line : lines) {
        r.line_number++;
        std::istringstream fields(line);
        std::string word, file;
        fields >> word >> file;
        if (word == "exact") {
            if (!media_read_file(dir + "/" + file, pack))
                return r.fail(file + " cannot be read");
            return true;
        }
    }
    r.line_number = 0;
    PackContents contents;
    PackEntry* entry = nullptr;
    size_t items_expected = 0;
    for (const std::string& line : lines) {
        r.line_number++;
        std::istringstream fields(line);
        std::string word;
        fields >> word;
        if (word.empty() || word[0] == '#' || word == "flickermoth-pack" || word == "layout")
            continue;
        if (word == "entry") {
            if (entry && entry->items.size() != items_expected)
                return r.fail("the entry before has " + std::to_string(entry->items.size()) + " items, not " +
                              std::to_string(items_expected));
            int index;
            std::string kind;
            fields >> index >> kind;
            if (index != (int)contents.entries.size())
                return r.fail("entries come in order, from 0");
            contents.entries.push_back(PackEntry{});
            entry = &contents.entries.back();
            EntryKind k = KIND_BLOB;
            for (int i = KIND_PALETTE; i <= KIND_BLOB; i++)
                if (kind == kind_name((EntryKind)i))
                    k = (EntryKind)i;
            entry->layout = EntryLayout{k, 0, 0, ""};
            items_expected = 0;
            std::string file;
            if (k == KIND_PALETTE) {
                fields >> file;
                if (!read_palette(dir + "/" + file, &entry->bytes, error))
                    return false;
            } else if (k == KIND_SCREEN) {
                fields >> file;
                IndexedPicture picture;
                if (!media_read_indexed_png(dir + "/" + file, &picture, error))
                    return false;
                if (picture.width != 640 || picture.height != 480)
                    return r.fail(file + " must be 640 x 480");
                entry->bytes = picture.pixels;
            } else if (k == KIND_IMAGE || k == KIND_IMAGES) {
                std::string encoding;
                fields >> encoding;
                entry->layout.encoding = encoding_of(encoding);
                if (entry->layout.encoding < 0)
                    return r.fail("unknown image encoding " + encoding);
                if (k == KIND_IMAGES)
                    fields >> items_expected;
                else if (!build_item(r, KIND_IMAGES, entry->layout.encoding, fields, &entry->bytes))
                    return false;
            } else if (k == KIND_BLOB) {
                fields >> file;
                if (!media_read_file(dir + "/" + file, &entry->bytes))
                    return r.fail(file + " cannot be read");
            } else {
                fields >> items_expected;
            }
            continue;
        }
        if (word == "item") {
            if (!entry)
                return r.fail("an item before any entry");
            size_t index;
            fields >> index;
            if (index != entry->items.size())
                return r.fail("items come in order, from 0");
            entry->items.push_back(Bytes{});
            if (!build_item(r, entry->layout.kind, entry->layout.encoding, fields, &entry->items.back()))
                return false;
            continue;
        }
        return r.fail("unknown line: " + line);
    }
    if (entry && entry->items.size() != items_expected)
        return r.fail("the last entry has " + std::to_string(entry->items.size()) + " items, not " +
                      std::to_string(items_expected));
    *pack = pack_assemble(contents);
    return true;
}
