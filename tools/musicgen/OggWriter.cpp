#include "OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace musicgen {

namespace {

constexpr int kSerial = 0x4D54524D;  // fixed: reproducible output
constexpr int kChunk = 1024;

struct File {
    FILE* f;
    ~File() {
        if (f) std::fclose(f);
    }
};

void writePage(FILE* f, const ogg_page& page) {
    if (std::fwrite(page.header, 1, page.header_len, f) != static_cast<size_t>(page.header_len) ||
        std::fwrite(page.body, 1, page.body_len, f) != static_cast<size_t>(page.body_len))
        throw std::runtime_error("write failed");
}

}  // namespace

void writeOggVorbis(const std::string& path, const std::vector<float>& samples, int rate, float quality) {
    File out{std::fopen(path.c_str(), "wb")};
    if (!out.f) throw std::runtime_error("cannot write " + path);

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        throw std::runtime_error("vorbis encoder refused the settings");
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "musicGame");
    vorbis_comment_add_tag(&vc, "LOOP", "whole");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, kSerial);

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page) != 0) writePage(out.f, page);

    // Feed the samples in chunks, then mark the end; drain the encoder after each.
    auto drain = [&]() {
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) writePage(out.f, page);
            }
        }
    };
    for (size_t pos = 0; pos < samples.size(); pos += kChunk) {
        const size_t n = std::min<size_t>(kChunk, samples.size() - pos);
        float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i) buffer[0][i] = samples[pos + i];
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        drain();
    }
    vorbis_analysis_wrote(&vd, 0);
    drain();
    while (ogg_stream_flush(&os, &page) != 0) writePage(out.f, page);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
}

}  // namespace musicgen
