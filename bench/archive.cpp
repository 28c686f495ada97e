// Item look-ups and scene-data tokenizing: the loader's hot paths at start-up.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "io/ByteArrayInputStream.h"
#include "io/StreamTokenizer.h"
#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"

namespace {

std::vector<uint8_t> archiveImage(int items, size_t itemSize) {
    lang::ResourceArchiveWriter writer;
    for (int i = 0; i < items; ++i) writer.add("item" + std::to_string(i), std::vector<uint8_t>(itemSize, 'a'));
    return writer.image();
}

void BM_OpenArchive(benchmark::State& state) {
    std::vector<uint8_t> image = archiveImage(static_cast<int>(state.range(0)), 16);
    for (auto _ : state) {
        auto* header = new lang::ResourceFileHeader(image.data(), static_cast<int>(image.size()), false);
        header->release();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenArchive)->Arg(1000);

void BM_GetItem(benchmark::State& state) {
    std::vector<uint8_t> image = archiveImage(1000, static_cast<size_t>(state.range(0)));
    auto* header = new lang::ResourceFileHeader(image.data(), static_cast<int>(image.size()), false);
    lang::String name("item500");
    bool cache = state.range(1) != 0;
    for (auto _ : state) {
        lang::ResourceItem* item = header->getItem(name, cache);
        benchmark::DoNotOptimize(item->getData());
        item->release();
    }
    header->release();
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GetItem)->Args({4096, 0})->Args({4096, 1})->Args({1 << 20, 0});

void BM_TokenizeSceneData(benchmark::State& state) {
    std::string text = "\xEF\xBB\xBF<sprites>\r";
    while (text.size() < 200000)
        text += "Button:menu.dat +logo 12 -3 0x1F 12.5 \"quoted text with blanks\" ; comment\r";
    for (auto _ : state) {
        auto* stream =
            new io::ByteArrayInputStream(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
        auto* tokenizer = new io::StreamTokenizer(stream);
        tokenizer->commentChar(';');
        tokenizer->quoteChar('"');
        tokenizer->parseNumbers();
        int tokens = 0;
        while (tokenizer->nextToken() != io::StreamTokenizer::TT_EOF) ++tokens;
        benchmark::DoNotOptimize(tokens);
        tokenizer->release();
        stream->release();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TokenizeSceneData);

}  // namespace
