#pragma once

// The music score: tempo, instruments, a chord per bar and parts that play
// the chords in patterns. Read from a text recipe (see content/music/).

#include <string>
#include <vector>

#include "../common/Recipe.h"
#include "../synthkit/Synth.h"

namespace musicgen {

struct Chord {
    int root = 0;                // pitch class, C = 0
    std::vector<int> intervals;  // semitones above the root, ascending
};

struct Part {
    std::string instrument;
    int octave = 4;
    double step = 1;                   // beats per pattern step
    double hold = 1;                   // note length in steps
    int fromBar = 0, toBar = 1 << 30;  // bars in which the part plays (to is exclusive)
    // Per step: a chord-tone index (0 = root; past the chord's size an octave
    // higher), kRest, or kWholeChord.
    std::vector<int> tones;
    static constexpr int kRest = -1000;
    static constexpr int kWholeChord = -1001;
};

struct Score {
    int rate = 22050;
    double bpm = 70;
    int beatsPerBar = 4;
    std::vector<std::pair<std::string, synthkit::Tone>> instruments;
    std::vector<Chord> bars;
    std::vector<Part> parts;

    double secondsPerBeat() const { return 60.0 / bpm; }
    long totalSamples() const { return static_cast<long>(bars.size() * beatsPerBar * secondsPerBeat() * rate + 0.5); }
    const synthkit::Tone& instrument(const std::string& name) const;
};

// Parses a chord symbol: root (A-G with # or b) and a quality among
// "", m, 7, maj7, m7, 6, m6, sus2, sus4, 7sus4, add9, maj9, m9.
Chord parseChord(const std::string& symbol);

Score readScore(const std::vector<recipe::Statement>& statements);

// Renders the score as one loop: notes that ring past the end continue at the start.
std::vector<float> renderLoop(const Score& score);

}  // namespace musicgen
