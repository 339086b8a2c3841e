// Placeholder packs: every entry the game reads, with small made-up images,
// so that tests, fuzzers, benchmarks and tools can bind resources without
// the real art.
#pragma once

#include "resources/pack_writer.h"

#include <vector>

// A complete game pack in the layout of "DATA50.RES", made of small
// placeholder images with every table at the size the game indexes, for
// tests and tools that need resources without the real art. The entries
// come one by one too, so that a test can change one before make_pack.
// Its images are small blocks of one colour with transparent corners; raw
// ones are centred on their drawing point, run ones placed on the screen.
// Sizes and colours are listed in test_pack.cpp and kept stable for the tests
// that draw them. Sample k of its sound bank is 32 + 8k bytes of
// value 0x80 + k.
std::vector<Bytes> test_game_entries();
Bytes make_test_game_pack();
// The same for the logo pack ("brenmoor.res"): a palette and 43 pictures.
std::vector<Bytes> test_logo_entries();
Bytes make_test_logo_pack();
