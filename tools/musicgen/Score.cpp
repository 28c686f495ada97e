#include "Score.h"

#include <cmath>
#include <map>
#include <stdexcept>

namespace musicgen {

namespace {

const std::map<std::string, std::vector<int>>& qualities() {
    static const std::map<std::string, std::vector<int>> table = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},    {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},     {"6", {0, 4, 7, 9}},      {"m6", {0, 3, 7, 9}},    {"sus2", {0, 2, 7}},
        {"sus4", {0, 5, 7}},       {"7sus4", {0, 5, 7, 10}}, {"add9", {0, 4, 7, 14}}, {"maj9", {0, 4, 7, 11, 14}},
        {"m9", {0, 3, 7, 10, 14}},
    };
    return table;
}

std::runtime_error lineError(const recipe::Statement& st, const std::string& what) {
    return std::runtime_error("line " + std::to_string(st.line) + ": " + what);
}

std::vector<int> parseTones(const recipe::Statement& st) {
    std::vector<int> out;
    const std::string list = st.text("tones", "");
    size_t pos = 0;
    while (pos <= list.size()) {
        size_t comma = list.find(',', pos);
        if (comma == std::string::npos) comma = list.size();
        const std::string item = list.substr(pos, comma - pos);
        if (item == "-") out.push_back(Part::kRest);
        else if (item == "c")
            out.push_back(Part::kWholeChord);
        else {
            char* end = nullptr;
            long v = std::strtol(item.c_str(), &end, 10);
            if (item.empty() || *end != '\0' || v < 0 || v > 24) throw lineError(st, "bad tone " + item);
            out.push_back(static_cast<int>(v));
        }
        pos = comma + 1;
    }
    if (out.empty()) throw lineError(st, "part without tones");
    return out;
}

double hz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

}  // namespace

const synthkit::Tone& Score::instrument(const std::string& name) const {
    for (const auto& [n, tone] : instruments)
        if (n == name) return tone;
    throw std::runtime_error("unknown instrument " + name);
}

Chord parseChord(const std::string& symbol) {
    static const int letters[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (symbol.empty() || symbol[0] < 'A' || symbol[0] > 'G') throw std::runtime_error("bad chord " + symbol);
    Chord c;
    c.root = letters[symbol[0] - 'A'];
    size_t i = 1;
    if (i < symbol.size() && (symbol[i] == '#' || symbol[i] == 'b')) {
        c.root = (c.root + (symbol[i] == '#' ? 1 : 11)) % 12;
        ++i;
    }
    auto it = qualities().find(symbol.substr(i));
    if (it == qualities().end()) throw std::runtime_error("unknown chord quality in " + symbol);
    c.intervals = it->second;
    return c;
}

Score readScore(const std::vector<recipe::Statement>& statements) {
    Score s;
    for (const recipe::Statement& st : statements) {
        const std::string head = st.words.empty() ? "" : st.words[0];
        if (head == "rate") {
            s.rate = static_cast<int>(st.number("hz", s.rate));
        } else if (head == "tempo") {
            s.bpm = st.number("bpm", s.bpm);
        } else if (head == "meter") {
            s.beatsPerBar = static_cast<int>(st.number("beats", s.beatsPerBar));
        } else if (head == "instrument") {
            if (st.words.size() != 2) throw lineError(st, "instrument needs a name");
            s.instruments.emplace_back(st.words[1], synthkit::toneFrom(st));
        } else if (head == "progression") {
            for (size_t i = 1; i < st.words.size(); ++i) s.bars.push_back(parseChord(st.words[i]));
        } else if (head == "part") {
            if (st.words.size() != 2) throw lineError(st, "part needs an instrument");
            Part p;
            p.instrument = st.words[1];
            s.instrument(p.instrument);  // must exist
            p.octave = static_cast<int>(st.number("octave", p.octave));
            p.step = st.number("step", p.step);
            p.hold = st.number("hold", p.hold);
            p.fromBar = static_cast<int>(st.number("from", p.fromBar));
            p.toBar = static_cast<int>(st.number("to", p.toBar));
            if (p.step <= 0) throw lineError(st, "step must be positive");
            p.tones = parseTones(st);
            s.parts.push_back(p);
        } else {
            throw lineError(st, "unknown statement " + head);
        }
    }
    if (s.bars.empty()) throw std::runtime_error("the score has no progression");
    if (s.bpm <= 0 || s.beatsPerBar <= 0) throw std::runtime_error("bad tempo or meter");
    return s;
}

std::vector<float> renderLoop(const Score& score) {
    std::vector<float> out(static_cast<size_t>(score.totalSamples()), 0.0f);
    synthkit::Rng rng(0x4D555349u);
    const double spb = score.secondsPerBeat();
    for (const Part& part : score.parts) {
        const synthkit::Tone& base = score.instrument(part.instrument);
        const int stepsPerBar = static_cast<int>(std::lround(score.beatsPerBar / part.step));
        long stepNo = 0;
        for (size_t bar = 0; bar < score.bars.size(); ++bar) {
            const Chord& chord = score.bars[bar];
            for (int k = 0; k < stepsPerBar; ++k, ++stepNo) {
                if (static_cast<int>(bar) < part.fromBar || static_cast<int>(bar) >= part.toBar) continue;
                const int tone = part.tones[stepNo % part.tones.size()];
                if (tone == Part::kRest) continue;
                const double beat = bar * score.beatsPerBar + k * part.step;
                const long start = static_cast<long>(beat * spb * score.rate);
                const double length = part.step * part.hold * spb;
                // A little variation in loudness keeps repeated notes from sounding mechanical.
                const double humanise = 1.0 + 0.08 * rng.bipolar();
                std::vector<int> notes;
                const int rootMidi = 12 * (part.octave + 1) + chord.root;
                if (tone == Part::kWholeChord) {
                    for (int iv : chord.intervals) notes.push_back(rootMidi + iv);
                } else {
                    const int n = static_cast<int>(chord.intervals.size());
                    notes.push_back(rootMidi + chord.intervals[tone % n] + 12 * (tone / n));
                }
                for (int midi : notes) {
                    synthkit::Tone t = base;
                    t.from = t.to = hz(midi);
                    t.gain *= humanise / (tone == Part::kWholeChord ? std::sqrt(notes.size()) : 1.0);
                    synthkit::renderTone(t, start, length, score.rate, out, true, rng);
                }
            }
        }
    }
    return out;
}

}  // namespace musicgen
