#include "Png.h"

#include <png.h>

#include <stdexcept>

#include "ContentFiles.h"

namespace contenttest {

Picture decodePng(const std::string& path) {
    const std::vector<uint8_t> bytes = readBytes(path);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
        throw std::runtime_error(path + ": " + image.message);
    image.format = PNG_FORMAT_RGBA;
    Picture p;
    p.width = static_cast<int>(image.width);
    p.height = static_cast<int>(image.height);
    p.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, p.rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        throw std::runtime_error(path + ": " + image.message);
    }
    return p;
}

}  // namespace contenttest
