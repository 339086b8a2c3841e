// Contact sheets of the board's moths for the preview tool.
#pragma once

#include <string>
#include <vector>

// Writes moths-vision.png and .txt (the five moths under each kind of
// colour vision, and how far apart they lie) and moths-sequences.png (a
// collect's burst and a swap frame by frame) into `out_dir`; their paths go
// to `written`. False when a file cannot be written.
bool preview_moths(const std::string& out_dir, std::vector<std::string>* written);
