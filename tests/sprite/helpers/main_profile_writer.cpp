// Writes to the player profile named by MENTARIUM_PROFILE, as a separate process.
//   helper_profile_writer write   stores a fixed set of values and exits
//   helper_profile_writer loop    says "ready" and rewrites values until killed
//   helper_profile_writer plays   says "ready" and adds practice plays until killed:
//                                 play n scores n and stores level n
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ProfileWriterData.h"
#include "lang/ByteArray.h"
#include "platform/ProgressStore.h"
#include "sprite/User.h"

namespace {

void toByteArray(const std::vector<uint8_t>& bytes, lang::ByteArray& out) {
    out.resize(static_cast<int>(bytes.size()));
    if (!bytes.empty()) std::memcpy(out.data(), bytes.data(), bytes.size());
}

int writeOnce(sprite::User& user) {
    user.setInt("FULLSCREEN", 0);
    user.setInt("NORMALEXIT", 1);
    user.setString("Debug", "XK");
    user.setString("fontName", "Liberation Sans");
    user.setInt("Options\\Volume", -12);
    lang::ByteArray bytes;
    toByteArray(profilewriter::blobFor(3), bytes);
    user.putBytes("Small", bytes);
    toByteArray(profilewriter::blobFor(1234), bytes);
    user.putLargeBytes("Saves\\Big", bytes);
    user.addScore("ann", "easy", 2, 300, 1);
    user.addScore("bob", "easy", 3, 500, 2);
    user.addScore("cid", 4, 100, 3);
    user.getCreditsOrDefault();
    user.addCredits(5);
    return 0;
}

[[noreturn]] void writeForever(sprite::User& user) {
    // The round that was under way when the last writer died is written again
    // whole, so every value stays within one round of the counter.
    int round = user.getInt("Counter", 0);
    std::printf("ready\n");
    std::fflush(stdout);
    lang::ByteArray bytes;
    for (;; ++round) {
        user.setInt("Counter", round);
        user.setString("Text", lang::String("value ") + round);
        toByteArray(profilewriter::blobFor(round), bytes);
        user.putLargeBytes("Blob", bytes);
        int score = profilewriter::scoreFor(round);
        user.addScore(lang::String("p") + score, "loop", score % 7, score, round);
    }
}

[[noreturn]] void playForever(sprite::User& user) {
    platform::ProgressStore store(user.store());
    int next = 0;
    store.forEachPlay([&](const platform::StoredPlay&) { ++next; });
    std::printf("ready\n");
    std::fflush(stdout);
    for (;; ++next)
        if (!store.addPractice(0, 0, next, next)) std::_Exit(4);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s write|loop|plays\n", argv[0]);
        return 2;
    }
    auto* user = new sprite::User();
    user->open("Cogniquilt");
    if (std::strcmp(argv[1], "loop") == 0) writeForever(*user);
    if (std::strcmp(argv[1], "plays") == 0 && user->store()) playForever(*user);
    int status = std::strcmp(argv[1], "write") == 0 ? writeOnce(*user) : 2;
    user->release();
    return status;
}
