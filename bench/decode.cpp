// Decoding a full 500x375 scene picture in each format, and the size-only read
// that lazy scene loading does instead. The pictures are made by convert.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "window/DecodedPicture.h"
#include "window/PictureDecoder.h"

namespace {

std::vector<uint8_t> makePicture(const std::string& output) {
    auto folder = std::filesystem::temp_directory_path();
    auto path = folder / ("mentarium-bench-" + std::to_string(getpid()) + "-" + output.substr(output.find(':') + 1));
    std::string format = output.find(':') == std::string::npos ? "" : output.substr(0, output.find(':') + 1);
    std::string command = "convert -size 500x375 plasma:fractal -seed 7 -blur 0x1 " +
                          std::string(output.find("gif") != std::string::npos ? "-colors 128 " : "") + "'" + format +
                          path.string() + "'";
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(path);
    return bytes;
}

const std::vector<uint8_t>& picture(int format) {
    static const std::vector<uint8_t> pictures[] = {makePicture("scene.gif"), makePicture("PNG24:scene.png"),
                                                    makePicture("PNG32:alpha.png"), makePicture("scene.jpg")};
    return pictures[format];
}

const char* const kNames[] = {"gif", "png_rgb", "png_rgba", "jpeg"};

void decodePicture(benchmark::State& state, bool pixelsWanted) {
    const std::vector<uint8_t>& bytes = picture(int(state.range(0)));
    state.SetLabel(kNames[state.range(0)]);
    if (bytes.empty()) {
        state.SkipWithError("convert could not make the picture");
        return;
    }
    for (auto _ : state) {
        window::DecodedPicture out;
        bool ok = window::PictureDecoder::decode(bytes.data(), bytes.size(), pixelsWanted, out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.pixels);
    }
    if (pixelsWanted) state.SetItemsProcessed(int64_t(state.iterations()) * 500 * 375);
}

void BM_DecodeFull(benchmark::State& state) { decodePicture(state, true); }
void BM_DecodeSizeOnly(benchmark::State& state) { decodePicture(state, false); }

}  // namespace

BENCHMARK(BM_DecodeFull)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeSizeOnly)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
