#include "platform/JpegCodec.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform {
namespace {

struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    int maxScans;
};

[[noreturn]] void jumpBack(j_common_ptr common) { std::longjmp(reinterpret_cast<ErrorJump*>(common->err)->jump, 1); }

void stayQuiet(j_common_ptr) {}

void limitScans(j_common_ptr common) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(common);
    if (decompress->input_scan_number > reinterpret_cast<ErrorJump*>(common->err)->maxScans) jumpBack(common);
}

}  // namespace

// No object with a destructor lives in this frame: libjpeg leaves it by longjmp.
bool JpegCodec::decode(const uint8_t* data, size_t length, int maxScans, long maxMemory, PictureTarget& target) {
    if (length == 0) return false;
    jpeg_decompress_struct info;
    ErrorJump errors;
    jpeg_progress_mgr progress;
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpBack;
    errors.manager.output_message = stayQuiet;
    errors.maxScans = maxScans;
    progress.progress_monitor = limitScans;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(length));
    jpeg_read_header(&info, TRUE);

    int width = int(info.image_width);
    int height = int(info.image_height);
    if (!target.accept(width, height)) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    if (!target.wantsPixels()) {
        jpeg_destroy_decompress(&info);
        return true;
    }

    // Little-endian B, G, R, A bytes are exactly 0xAARRGGBB words, alpha 255.
    info.out_color_space = JCS_EXT_BGRA;
    info.mem->max_memory_to_use = maxMemory;
    jpeg_start_decompress(&info);
    if (int(info.output_width) != width || int(info.output_height) != height || info.output_components != 4) {
        jumpBack(reinterpret_cast<j_common_ptr>(&info));
    }
    uint32_t* pixels = target.allocate(false);
    if (!pixels) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(pixels + size_t(info.output_scanline) * width);
        if (jpeg_read_scanlines(&info, &row, 1) != 1) jumpBack(reinterpret_cast<j_common_ptr>(&info));
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace platform
