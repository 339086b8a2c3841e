// The program's icon file (.ico) made from the generator's PNG icons: one
// directory entry per picture, each picture stored as the PNG it is, which
// Windows reads since Vista. Made at build time for the resource script.
#pragma once

#include <cstdint>
#include <vector>

// False when a picture is not a PNG or is larger than 256 x 256.
bool icon_from_pngs(const std::vector<std::vector<uint8_t>>& pngs, std::vector<uint8_t>* icon);
