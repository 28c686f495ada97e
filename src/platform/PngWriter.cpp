#include "platform/PngWriter.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace platform {

bool writePng(const std::string& path, const uint32_t* pixels, int width, int height, std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + ": " + path;
        return false;
    };
    if (width <= 0 || height <= 0 || pixels == nullptr) return fail("nothing to write");
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return fail("cannot open for writing");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return fail("out of memory");
    }
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return fail("write error");
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            uint32_t p = src[x];
            row[x * 4 + 0] = static_cast<uint8_t>(p >> 16);
            row[x * 4 + 1] = static_cast<uint8_t>(p >> 8);
            row[x * 4 + 2] = static_cast<uint8_t>(p);
            row[x * 4 + 3] = static_cast<uint8_t>(p >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    bool closed = std::fclose(file) == 0;
    return closed || fail("close error");
}

}  // namespace platform
