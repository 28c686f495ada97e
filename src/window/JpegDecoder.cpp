#include "window/JpegDecoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace window {

// Rows are written as B, G, R, A bytes, which read as 0xAARRGGBB words only here.
static_assert(std::endian::native == std::endian::little);

namespace {

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr common) { std::longjmp(reinterpret_cast<ErrorJump*>(common->err)->jump, 1); }

void stayQuiet(j_common_ptr) {}

void limitScans(j_common_ptr common) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(common);
    if (decompress->input_scan_number > JpegDecoder::kMaxScans) jumpBack(common);
}

}  // namespace

// No object with a destructor lives in this frame: libjpeg leaves it by longjmp.
bool JpegDecoder::decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out) {
    if (length == 0) return false;
    jpeg_decompress_struct info;
    ErrorJump errors;
    jpeg_progress_mgr progress;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpBack;
    errors.manager.output_message = stayQuiet;
    progress.progress_monitor = limitScans;
    uint32_t* volatile pixels = nullptr;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        DecodedPicture::freePixels(pixels);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(length));
    jpeg_read_header(&info, TRUE);

    int width = int(info.image_width);
    int height = int(info.image_height);
    if (!DecodedPicture::sizeAllowed(width, height)) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    if (!pixelsWanted) {
        jpeg_destroy_decompress(&info);
        out.width = width;
        out.height = height;
        return true;
    }

    // Little-endian B, G, R, A bytes are exactly our 0xAARRGGBB words, alpha 255.
    info.out_color_space = JCS_EXT_BGRA;
    info.mem->max_memory_to_use = DecodedPicture::kMaxPixelBytes;
    jpeg_start_decompress(&info);
    if (int(info.output_width) != width || int(info.output_height) != height || info.output_components != 4) {
        jumpBack(reinterpret_cast<j_common_ptr>(&info));
    }
    pixels = DecodedPicture::allocatePixels(width, height);
    if (!pixels) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels + size_t(info.output_scanline) * width);
        if (jpeg_read_scanlines(&info, &row, 1) != 1) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.width = width;
    out.height = height;
    out.pixels = pixels;
    out.hasAlpha = false;
    return true;
}

}  // namespace window
