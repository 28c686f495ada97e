#pragma once

// Sound files made by code for the tests: WAV images and a tiny tracker module.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace testmedia {

using Bytes = std::vector<unsigned char>;

inline void put16(Bytes& b, unsigned v) {
    b.push_back(static_cast<unsigned char>(v & 0xFF));
    b.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}
inline void put32(Bytes& b, unsigned v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void putText(Bytes& b, const char* text) {
    while (*text) b.push_back(static_cast<unsigned char>(*text++));
}

// A PCM WAV: frames frames of channels channels at bits 8 or 16, each value
// from value(frame, channel) in -1..1.
inline Bytes makeWav(int frames, int rate, int channels, int bits, const std::function<double(int, int)>& value) {
    Bytes body;
    for (int f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            double v = value(f, c);
            if (bits == 8) {
                body.push_back(static_cast<unsigned char>(128 + static_cast<int>(v * 127)));
            } else {
                put16(body, static_cast<unsigned>(static_cast<int16_t>(v * 32767)) & 0xFFFF);
            }
        }
    }
    Bytes wav;
    int block = channels * bits / 8;
    putText(wav, "RIFF");
    put32(wav, static_cast<unsigned>(36 + body.size()));
    putText(wav, "WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, static_cast<unsigned>(channels));
    put32(wav, static_cast<unsigned>(rate));
    put32(wav, static_cast<unsigned>(rate * block));
    put16(wav, static_cast<unsigned>(block));
    put16(wav, static_cast<unsigned>(bits));
    putText(wav, "data");
    put32(wav, static_cast<unsigned>(body.size()));
    wav.insert(wav.end(), body.begin(), body.end());
    return wav;
}

// Mono 16-bit WAV holding one constant level.
inline Bytes makeConstantWav(int frames, int rate, double level) {
    return makeWav(frames, rate, 1, 16, [level](int, int) { return level; });
}

// A four-channel ProTracker module: one looping square-wave instrument struck
// at the first row, so it sounds for as long as the song plays.
inline Bytes makeModule() {
    Bytes mod(20, 0);  // title
    for (int s = 0; s < 31; ++s) {
        Bytes header(22, 0);  // name
        bool used = s == 0;
        auto be16 = [&header](unsigned v) {
            header.push_back(static_cast<unsigned char>(v >> 8));
            header.push_back(static_cast<unsigned char>(v & 0xFF));
        };
        be16(used ? 16 : 0);  // length in words
        header.push_back(0);  // finetune
        header.push_back(used ? 64 : 0);
        be16(0);              // loop start
        be16(used ? 16 : 1);  // loop length in words
        mod.insert(mod.end(), header.begin(), header.end());
    }
    mod.push_back(1);    // song length
    mod.push_back(127);  // restart
    mod.insert(mod.end(), 128, 0);
    putText(mod, "M.K.");
    Bytes pattern(64 * 4 * 4, 0);
    const unsigned period = 428;
    pattern[0] = static_cast<unsigned char>((1 & 0xF0) | (period >> 8));
    pattern[1] = static_cast<unsigned char>(period & 0xFF);
    pattern[2] = static_cast<unsigned char>((1 & 0x0F) << 4);
    mod.insert(mod.end(), pattern.begin(), pattern.end());
    for (int i = 0; i < 32; ++i) mod.push_back(static_cast<unsigned char>(i < 16 ? 100 : -100));
    return mod;
}

inline void writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

}  // namespace testmedia
