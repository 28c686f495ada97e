#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace contenttest {

// A picture decoded by libpng into 8-bit RGBA.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    uint8_t alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    uint8_t blue(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 2]; }
};

// Throws std::runtime_error when the file is not a PNG libpng can read.
Picture decodePng(const std::string& path);

}  // namespace contenttest
