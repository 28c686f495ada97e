// musicgen: renders the game's background music from a text score with the
// shared synthesiser and encodes it as Ogg Vorbis.
// Usage: musicgen SCORE OUT.ogg

#include <iostream>
#include <stdexcept>

#include "OggWriter.h"
#include "Score.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: musicgen SCORE OUT.ogg\n";
        return 2;
    }
    try {
        const musicgen::Score score = musicgen::readScore(recipe::readRecipe(argv[1]));
        std::vector<float> loop = musicgen::renderLoop(score);
        synthkit::limitPeak(loop, 0.8);
        musicgen::writeOggVorbis(argv[2], loop, score.rate, 0.35f);
    } catch (const std::exception& ex) {
        std::cerr << "musicgen: " << ex.what() << '\n';
        return 1;
    }
    return 0;
}
