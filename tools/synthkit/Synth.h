#pragma once

// Small additive synthesiser shared by the effect and music generators:
// oscillators, an attack/decay/release envelope, pitch glide, vibrato and a
// one-pole low-pass, rendered into a float buffer. Everything is deterministic:
// noise comes from a seeded xorshift generator, never from the clock.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "../common/Recipe.h"

namespace synthkit {

constexpr double kPi = 3.14159265358979323846;

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1).
    double bipolar() { return (next() >> 8) * (2.0 / 16777216.0) - 1.0; }

private:
    uint32_t state_;
};

enum class Wave { Sine, Triangle, Square, Saw, Noise };

inline Wave waveNamed(const std::string& name) {
    if (name == "sine") return Wave::Sine;
    if (name == "triangle") return Wave::Triangle;
    if (name == "square") return Wave::Square;
    if (name == "saw") return Wave::Saw;
    if (name == "noise") return Wave::Noise;
    throw std::runtime_error("unknown wave " + name);
}

// One sounding voice: what a recipe line describes.
struct Tone {
    Wave wave = Wave::Sine;
    std::vector<double> harmonics{1.0};  // amplitude of partial 1, 2, 3, ...
    double from = 440, to = 440;         // Hz at the start and at the end of the note
    double gain = 0.5;
    double attack = 0.005;                     // seconds, linear rise
    double decay = 0;                          // seconds, exponential fall time constant (0: none)
    double sustain = 0;                        // level the decay falls toward
    double release = 0.05;                     // seconds, fall to silence after the note
    double vibratoRate = 0, vibratoDepth = 0;  // Hz, semitones
    double lowpass = 0;                        // Hz, 0: off
    double detune = 0;                         // cents; non-zero adds a second voice this far sharp
    double pan = 0;                            // unused by mono output, kept for the recipes' sake
};

// Reads the settings of a recipe line into a tone; unknown keys stay defaults.
inline Tone toneFrom(const recipe::Statement& st, Tone t = Tone()) {
    if (st.has("wave")) t.wave = waveNamed(st.text("wave", "sine"));
    if (st.has("harmonics")) t.harmonics = st.numbers("harmonics");
    t.from = st.number("from", t.from);
    t.to = st.number("to", st.has("from") ? t.from : t.to);
    t.gain = st.number("gain", t.gain);
    t.attack = st.number("attack", t.attack);
    t.decay = st.number("decay", t.decay);
    t.sustain = st.number("sustain", t.sustain);
    t.release = st.number("release", t.release);
    t.vibratoRate = st.number("vibrato", t.vibratoRate);
    t.vibratoDepth = st.number("depth", t.vibratoDepth);
    t.lowpass = st.number("lowpass", t.lowpass);
    t.detune = st.number("detune", t.detune);
    return t;
}

// Envelope level at time s after the note began, for a note held `length` seconds.
inline double envelope(const Tone& t, double s, double length) {
    auto held = [&](double u) {
        double a = t.attack > 0 ? std::min(1.0, u / t.attack) : 1.0;
        if (t.decay <= 0 || u <= t.attack) return a;
        return t.sustain + (1.0 - t.sustain) * std::exp(-(u - t.attack) / t.decay);
    };
    if (s < length) return held(s);
    if (t.release <= 0) return 0;
    double r = (s - length) / t.release;
    if (r >= 1) return 0;
    // Raised-cosine release: the level and its slope both reach zero smoothly.
    return held(length) * 0.5 * (1 + std::cos(kPi * r));
}

// Sine from a table with linear interpolation: the music renders tens of
// millions of partial samples, and the table keeps that to a second or so.
inline double tableSine(double p) {
    constexpr int kSize = 4096;
    static const std::vector<double> table = [] {
        std::vector<double> t(kSize + 1);
        for (int i = 0; i <= kSize; ++i) t[i] = std::sin(2 * kPi * i / kSize);
        return t;
    }();
    const double x = p * kSize;
    const int i = static_cast<int>(x);
    return table[i] + (table[i + 1] - table[i]) * (x - i);
}

inline double waveValue(Wave w, double phase, Rng& rng) {
    double p = phase - std::floor(phase);
    switch (w) {
    case Wave::Sine: return tableSine(p);
    case Wave::Triangle: return p < 0.5 ? 4 * p - 1 : 3 - 4 * p;
    case Wave::Square: return p < 0.5 ? 1 : -1;
    case Wave::Saw: return 2 * p - 1;
    case Wave::Noise: return rng.bipolar();
    }
    return 0;
}

// Mixes one note into out, starting at sample `start`. With wrap the buffer is
// a loop: a tail that runs past the end continues at the beginning, so the
// loop's end joins its start without a step.
inline void renderTone(const Tone& t, long start, double length, int rate, std::vector<float>& out, bool wrap,
                       Rng& rng) {
    const long total = static_cast<long>((length + std::max(0.0, t.release)) * rate) + 1;
    const long size = static_cast<long>(out.size());
    if (size == 0) return;
    const int voices = t.detune != 0 ? 2 : 1;
    const double lpA = t.lowpass > 0 ? 1 - std::exp(-2 * kPi * t.lowpass / rate) : 1;
    std::vector<double> phases(t.harmonics.size() * voices, 0.0);
    const double detuneFactor = std::pow(2.0, t.detune / 1200.0);
    double lp = 0;
    for (long i = 0; i < total; ++i) {
        long at = start + i;
        if (wrap) at = ((at % size) + size) % size;
        else if (at < 0)
            continue;
        else if (at >= size)
            break;
        const double s = static_cast<double>(i) / rate;
        const double env = envelope(t, s, length);
        if (env <= 0 && s >= length) break;
        double f = t.from;
        if (t.to != t.from) f *= std::pow(t.to / t.from, length > 0 ? std::min(1.0, s / length) : 1.0);
        if (t.vibratoDepth != 0) f *= std::pow(2.0, t.vibratoDepth * std::sin(2 * kPi * t.vibratoRate * s) / 12.0);
        double v = 0;
        for (int voice = 0; voice < voices; ++voice) {
            const double vf = voice == 0 ? f : f * detuneFactor;
            for (size_t h = 0; h < t.harmonics.size(); ++h) {
                double& ph = phases[voice * t.harmonics.size() + h];
                const double hf = vf * (h + 1);
                if (hf < rate / 2.0 && t.harmonics[h] != 0) v += t.harmonics[h] * waveValue(t.wave, ph, rng);
                ph += hf / rate;
                if (ph > 1e6) ph -= std::floor(ph);
            }
        }
        v /= voices;
        lp += lpA * (v - lp);
        out[at] += static_cast<float>(lp * env * t.gain);
    }
}

// Scales the buffer down when its peak exceeds `ceiling`.
inline void limitPeak(std::vector<float>& buf, double ceiling) {
    float peak = 0;
    for (float v : buf) peak = std::max(peak, std::fabs(v));
    if (peak > ceiling) {
        const float k = static_cast<float>(ceiling / peak);
        for (float& v : buf) v *= k;
    }
}

inline int16_t toPcm16(float v) {
    const double c = std::clamp(static_cast<double>(v), -1.0, 1.0);
    return static_cast<int16_t>(std::lround(c * 32767.0));
}

}  // namespace synthkit
