// Binding the game pack and the logo pack: every entry the game reads is
// resolved, checked and stored in its role once, here, so that drawing and
// playing can trust what they are given.
#include "resources/resources.h"

#include "video/image.h"

#include <cstdio>

namespace {

// The pack being bound, and where to say what is wrong with it.
struct Binding {
    ResourcePack* pack;
    const char* pack_name;
    std::span<const PackRole> roles;
    std::string* error;
};

const char* entry_name(const Binding& b, int entry)
{
    const PackRole* role = find_role(b.roles, entry);
    return role ? role->name : "unused";
}

bool reject(const Binding& b, const std::string& what)
{
    if (b.error)
        *b.error = std::string(b.pack_name) + ": " + what;
    return false;
}

bool reject_entry(const Binding& b, int entry, const std::string& what)
{
    return reject(b, "entry " + std::to_string(entry) + " (" + entry_name(b, entry) + "): " + what);
}

// `item` is "image 12", "text 3" and the like.
bool reject_item(const Binding& b, int entry, const std::string& item, const std::string& what)
{
    return reject(b, "entry " + std::to_string(entry) + " (" + entry_name(b, entry) + "), " + item + ": " + what);
}

bool bind_images(const Binding& b, int entry, int encoding, int minimum, PackTable* table)
{
    std::string why;
    if (!bind_table(b.pack, entry, table, &why))
        return reject_entry(b, entry, why);
    if (table->count < minimum)
        return reject_entry(b, entry,
                            std::to_string(table->count) + " images, the game needs " + std::to_string(minimum));
    // Run images are drawn at (0, 0): their offsets are their place on the screen.
    bool drawn_at_origin = encoding != IMAGE_RAW;
    for (int i = 0; i < table->count; i++) {
        if (!pack_check_image(b.pack, table->items[i], encoding, &why, drawn_at_origin))
            return reject_item(b, entry, "image " + std::to_string(i), why);
    }
    return true;
}

// A palette, a screen picture or a single image, kept once it is good.
bool single_entry(const Binding& b, const PackRole& role)
{
    std::string why;
    const uint8_t* bytes = b.pack->entries[role.entry];
    bool good = role.kind == KIND_PALETTE  ? pack_check_palette(b.pack, bytes, &why)
                : role.kind == KIND_SCREEN ? pack_check_screen(b.pack, bytes, &why)
                                           : pack_check_image(b.pack, bytes, role.encoding, &why,
                                                              role.encoding != IMAGE_RAW);
    if (!good)
        return reject_entry(b, role.entry, why);
    role.keep(bytes);
    return true;
}

// Enough pointers for the samples played, none before the one ahead of it.
bool sound_bank(const Binding& b, int entry, int minimum, PackTable* bank)
{
    std::string why;
    if (!bind_table(b.pack, entry, bank, &why))
        return reject_entry(b, entry, why);
    if (bank->count < minimum)
        return reject_entry(b, entry,
                            std::to_string(bank->count) + " pointers; samples 0 to " + std::to_string(minimum - 2) +
                                " need at least " + std::to_string(minimum));
    if (!pack_check_sound_bank(*bank, &why))
        return reject_entry(b, entry, why);
    return true;
}

bool texts(const Binding& b, int entry, int minimum, PackTable* table)
{
    std::string why;
    if (!bind_table(b.pack, entry, table, &why))
        return reject_entry(b, entry, why);
    if (table->count < minimum)
        return reject_entry(b, entry,
                            std::to_string(table->count) + " texts, the game needs " + std::to_string(minimum));
    for (int i = 0; i < table->count; i++) {
        if (!pack_check_text(b.pack, table->items[i], &why))
            return reject_item(b, entry, "text " + std::to_string(i), why);
    }
    return true;
}

bool enough_entries(const Binding& b, int needed)
{
    if (b.pack->entry_count >= needed)
        return true;
    return reject(b, "the pack has " + std::to_string(b.pack->entry_count) + " entries, " + std::to_string(needed) +
                         " are needed");
}

bool bind_role(const Binding& b, const PackRole& role)
{
    switch (role.kind) {
    case KIND_IMAGES: return bind_images(b, role.entry, role.encoding, role.minimum, role.table);
    case KIND_SOUNDS: return sound_bank(b, role.entry, role.minimum, role.table);
    case KIND_TEXTS: return texts(b, role.entry, role.minimum, role.table);
    case KIND_PALETTE:
    case KIND_SCREEN:
    case KIND_IMAGE: return single_entry(b, role);
    default: return true;    // the game does not read it
    }
}

// The roles in the table's order; each is set once its entry is known to
// be good.
bool bind_entries(const Binding& b)
{
    if (!enough_entries(b, (int)b.roles.size()))
        return false;
    for (const PackRole& role : b.roles) {
        if (!bind_role(b, role))
            return false;
    }
    return true;
}

void clear_roles(std::span<const PackRole> roles)
{
    for (const PackRole& role : roles) {
        if (role.table)
            *role.table = {};
        if (role.keep)
            role.keep(nullptr);
    }
}

void release_game_pack()
{
    // The font must not keep pointing into the freed block.
    if (resource_pack && current_font.glyphs == GameFont.glyphs) {
        Font none = {};
        select_font(nullptr, &none);
    }
    free_pack(resource_pack);
    resource_pack = nullptr;
    clear_roles(GAME_PACK_ROLES);
    GameFont = {};
}

void release_logo_pack()
{
    free_pack(LogoPack);
    LogoPack = nullptr;
    clear_roles(LOGO_PACK_ROLES);
}

}  // namespace

bool bind_resources_pack(ResourcePack* pack, const char* name, std::string* error)
{
    release_game_pack();
    if (!pack) {
        if (error)
            *error = std::string(name) + ": no pack";
        return false;
    }
    resource_pack = pack;
    if (!bind_entries({pack, name, GAME_PACK_ROLES, error})) {
        release_game_pack();
        return false;
    }

    make_font(&GameFont, (const ImageRecord* const*)FontGlyphs.items, 0, draw_sprite_shifted, 1);
    select_font(nullptr, &GameFont);

    return true;
}

bool bind_resources(const char* path)
{
    std::string error;
    ResourcePack* pack = load_pack_file(path, &error);
    if (!pack) {
        release_game_pack();
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    }
    if (!bind_resources_pack(pack, path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}

void release_resources()
{
    release_game_pack();
    release_logo_pack();
}

bool bind_logo_pack(ResourcePack* pack, const char* name, std::string* error)
{
    release_logo_pack();
    if (!pack) {
        if (error)
            *error = std::string(name) + ": no pack";
        return false;
    }
    LogoPack = pack;
    if (!bind_entries({pack, name, LOGO_PACK_ROLES, error})) {
        release_logo_pack();
        return false;
    }
    return true;
}

bool load_logo_pack(const char* path)
{
    if (LogoPack)
        return true;
    std::string error;
    ResourcePack* pack = load_pack_file(path, &error);
    if (!pack) {
        std::fprintf(stderr, "%s: %s\n", path, error.c_str());
        return false;
    }
    if (!bind_logo_pack(pack, path, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}
