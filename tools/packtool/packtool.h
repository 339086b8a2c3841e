// The pack inspector: lists a pack, extracts it into a folder of PNG
// pictures, WAV sounds, UTF-8 texts and a manifest, builds a pack back from
// such a folder (the same bytes when nothing was changed), and draws
// contact sheets of a pack's pictures.
#pragma once

#include "resources/pack_writer.h"

#include <string>
#include <vector>

// One line per entry (and per item of a table): index, kind, size, role.
bool packtool_list(const std::string& pack_path, std::string* listing, std::string* error);

// Writes DIR/manifest.txt and the files it names. Images become indexed
// PNGs in the pack's palette (the transparent index marked), samples WAV
// files, texts UTF-8 converted from Windows-1251, palettes text files of
// 6-bit colours. Where re-encoding would not give the same bytes the image's
// exact bytes are kept beside it, so that build gives the pack back.
bool packtool_extract(const std::string& pack_path, const std::string& dir, std::string* error);

// The pack from an extracted folder. Pictures, sounds and texts that were
// edited are encoded afresh; untouched ones keep their exact bytes.
bool packtool_build(const std::string& dir, Bytes* pack, std::string* error);

// Contact sheets: OUT.png with the small pictures (sprites, glyphs, digits)
// at twice their size, and OUT-NN.png per entry of large pictures, at half
// size. The names written are added to `written`.
bool packtool_sheet(const std::string& pack_path, const std::string& out_png, std::vector<std::string>* written,
                    std::string* error);
