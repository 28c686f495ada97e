// sfxgen: synthesises the game's sound effects from a text recipe into WAV
// files (16-bit mono PCM). Usage: sfxgen RECIPE OUTDIR
// Writes OUTDIR/NAME.wav per effect and OUTDIR/effects.order, the effect names
// by their index in the scene's sound list.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "../common/Recipe.h"
#include "../synthkit/Synth.h"

namespace {

using recipe::Statement;

struct Effect {
    std::string name;
    int index = -1;
    double tail = 0.05;
    std::vector<Statement> tones;
    double echoDelay = 0, echoFeedback = 0;
    int echoRepeats = 0;
};

void putLE(std::ofstream& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void writeWav(const std::string& path, const std::vector<float>& samples, int rate) {
    std::ofstream out(path, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + path);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    putLE(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLE(out, 16, 4);
    putLE(out, 1, 2);  // PCM
    putLE(out, 1, 2);  // mono
    putLE(out, rate, 4);
    putLE(out, rate * 2, 4);  // bytes per second
    putLE(out, 2, 2);         // block align
    putLE(out, 16, 2);        // bits per sample
    out.write("data", 4);
    putLE(out, dataBytes, 4);
    for (float v : samples) putLE(out, static_cast<uint16_t>(synthkit::toPcm16(v)), 2);
    if (!out) throw std::runtime_error("write failed: " + path);
}

std::vector<float> render(const Effect& e, int rate) {
    double end = 0;
    for (const Statement& st : e.tones)
        end = std::max(end, st.number("at", 0) + st.number("length", 0.1) + st.number("release", 0.05));
    end += e.echoDelay * e.echoRepeats + e.tail;
    std::vector<float> buf(static_cast<size_t>(end * rate) + 1, 0.0f);
    synthkit::Rng rng(0x5F3759DFu ^ static_cast<uint32_t>(e.index * 7919));
    for (const Statement& st : e.tones) {
        synthkit::Tone t = synthkit::toneFrom(st);
        const long start = static_cast<long>(st.number("at", 0) * rate);
        synthkit::renderTone(t, start, st.number("length", 0.1), rate, buf, false, rng);
    }
    if (e.echoRepeats > 0) {
        // Feed-forward echoes of the dry sound, each quieter by the feedback factor.
        const std::vector<float> dry = buf;
        const long d = static_cast<long>(e.echoDelay * rate);
        double g = 1;
        for (int r = 1; r <= e.echoRepeats; ++r) {
            g *= e.echoFeedback;
            for (size_t i = 0; i + r * d < buf.size(); ++i) buf[i + r * d] += static_cast<float>(dry[i] * g);
        }
    }
    synthkit::limitPeak(buf, 0.9);
    // A short fade at the very end so that the sample never stops on a step.
    const size_t fade = std::min<size_t>(buf.size(), rate / 200);
    for (size_t i = 0; i < fade; ++i) buf[buf.size() - 1 - i] *= static_cast<float>(i) / fade;
    return buf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: sfxgen RECIPE OUTDIR\n";
        return 2;
    }
    try {
        int rate = 22050;
        std::vector<Effect> effects;
        for (const Statement& st : recipe::readRecipe(argv[1])) {
            const std::string& head = st.words.empty() ? std::string() : st.words[0];
            if (head == "rate") {
                rate = static_cast<int>(st.number("hz", rate));
            } else if (head == "effect") {
                if (st.words.size() != 2)
                    throw std::runtime_error("line " + std::to_string(st.line) + ": effect needs a name");
                Effect e;
                e.name = st.words[1];
                e.index = static_cast<int>(st.number("index", -1));
                e.tail = st.number("tail", e.tail);
                effects.push_back(e);
            } else if (head == "tone" || head == "echo") {
                if (effects.empty())
                    throw std::runtime_error("line " + std::to_string(st.line) + ": " + head + " outside an effect");
                if (head == "tone") {
                    effects.back().tones.push_back(st);
                } else {
                    effects.back().echoDelay = st.number("delay", 0.1);
                    effects.back().echoFeedback = st.number("feedback", 0.3);
                    effects.back().echoRepeats = static_cast<int>(st.number("repeats", 3));
                }
            } else {
                throw std::runtime_error("line " + std::to_string(st.line) + ": unknown statement " + head);
            }
        }
        // The indices must cover 0..n-1 exactly once: they are the scene's sound numbers.
        std::map<int, std::string> order;
        for (const Effect& e : effects) {
            if (e.index < 0 || e.index >= static_cast<int>(effects.size()) || !order.emplace(e.index, e.name).second)
                throw std::runtime_error("effect " + e.name + ": index missing, out of range or used twice");
            if (e.tones.empty()) throw std::runtime_error("effect " + e.name + " has no tone");
        }
        const std::string dir = argv[2];
        for (const Effect& e : effects) writeWav(dir + "/" + e.name + ".wav", render(e, rate), rate);
        std::ofstream list(dir + "/effects.order");
        for (const auto& [index, name] : order) list << index << ' ' << name << '\n';
        if (!list) throw std::runtime_error("cannot write effects.order");
    } catch (const std::exception& ex) {
        std::cerr << "sfxgen: " << ex.what() << '\n';
        return 1;
    }
    return 0;
}
