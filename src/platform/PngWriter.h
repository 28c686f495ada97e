#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Writes 0xAARRGGBB pixels (top-down, stride width) as an 8-bit RGBA PNG.
// Deterministic: no time stamps or text chunks. False with a message on failure.
bool writePng(const std::string& path, const uint32_t* pixels, int width, int height, std::string* error = nullptr);

}  // namespace platform
