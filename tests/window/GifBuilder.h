#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes small GIFs byte by byte, so tests control every field. The image data
// is valid LZW that never grows the code table (a clear code before it would).
struct GifBuilder {
    std::string version = "GIF89a";
    int width = 4;
    int height = 4;
    std::vector<uint32_t> globalTable;  // 0xRRGGBB entries; empty: no global table
    std::vector<uint32_t> localTable;
    int transparent = -1;  // written in a graphic control block when >= 0
    int delay = 0;
    bool looping = false;
    bool interlaced = false;
    int left = 0, top = 0;
    int frameWidth = -1, frameHeight = -1;  // -1: the screen size
    int minCodeSize = 8;
    std::vector<uint8_t> indices;  // frame rows top-down, as the picture shows them

    std::vector<uint8_t> build() const;
    // Codes (already of the right widths) packed into sub-blocks after minCode.
    static std::vector<uint8_t> packCodes(int minCode, const std::vector<std::pair<int, int>>& codes);
};
