#include "platform/PngCodec.h"

#include <png.h>

#include <cstring>
#include <new>

namespace platform {
namespace {

struct MemorySource {
    const uint8_t* data;
    size_t length;
    size_t position;
};

void readFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (source->length - source->position < count) png_error(png, "truncated");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

// Errors jump back to decode; nothing is printed.
void failDecode(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

}  // namespace

// No object with a destructor lives in this frame: libpng leaves it by longjmp.
bool PngCodec::decode(const uint8_t* data, size_t length, int maxSide, PictureTarget& target) {
    MemorySource source{data, length, 0};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecode, ignoreWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        delete[] rows;
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &source, readFromMemory);
    png_set_user_limits(png, png_uint_32(maxSide), png_uint_32(maxSide));
    png_read_info(png, info);

    int width = int(png_get_image_width(png, info));
    int height = int(png_get_image_height(png, info));
    if (!target.accept(width, height)) png_error(png, "picture refused");
    if (!target.wantsPixels()) {
        png_destroy_read_struct(&png, &info, nullptr);
        return true;
    }

    int colourType = png_get_color_type(png, info);
    bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_strip_16(png);
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!alpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t(width) * 4) png_error(png, "unexpected row layout");

    uint32_t* pixels = target.allocate(alpha);
    rows = new (std::nothrow) png_bytep[size_t(height)];
    if (!pixels || !rows) png_error(png, "out of memory");
    for (int y = 0; y < height; y++) rows[y] = reinterpret_cast<png_bytep>(pixels + size_t(y) * width);
    png_read_image(png, rows);

    delete[] rows;
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace platform
