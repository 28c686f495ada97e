#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Pictures made by ImageMagick's convert in a private temporary folder, and
// convert's own decode of them as 0xAARRGGBB words for pixel comparisons.
class ReferencePictures {
public:
    ReferencePictures();
    ~ReferencePictures();
    ReferencePictures(const ReferencePictures&) = delete;
    ReferencePictures& operator=(const ReferencePictures&) = delete;

    // Runs convert with the arguments (a shell fragment); the last argument
    // names the output, which lands in the folder. Returns its path.
    std::filesystem::path make(const std::string& arguments, const std::string& output);
    std::vector<uint8_t> bytes(const std::filesystem::path& file) const;
    // convert's decode: one word per pixel, rows top-down.
    std::vector<uint32_t> reference(const std::filesystem::path& file);
    const std::filesystem::path& folder() const { return folder_; }

    // A 37x23 test card, made once per folder: four colour corners blended,
    // alpha rising left to right. Quoted, ready to start a convert command.
    std::string card();

private:
    std::filesystem::path folder_;
    std::filesystem::path card_;
};
