// Prints the first draws of util::Random for a seed: COUNT raw words, then COUNT
// values of nextInt(BOUND), one per line. Compared against an independent
// implementation by random_reference.py.
#include <cstdio>
#include <cstdlib>

#include "util/Random.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SEED COUNT BOUND\n", argv[0]);
        return 2;
    }
    int seed = std::atoi(argv[1]), count = std::atoi(argv[2]), bound = std::atoi(argv[3]);
    util::Random words(seed);
    for (int i = 0; i < count; ++i) std::printf("%u\n", words.nextWord());
    util::Random ints(seed);
    for (int i = 0; i < count; ++i) std::printf("%d\n", ints.nextInt(bound));
    return 0;
}
