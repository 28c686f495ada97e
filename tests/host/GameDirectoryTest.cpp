// A host that follows the host interface alone: it names the game directory in
// its block and sets no environment for the game.

#include <gtest/gtest.h>

#include <chrono>

#include "host/LoadedGame.h"

using hosttest::Heard;

// The directory of the block is where the archive is looked for first: a
// damaged one there is found (and refused) although the build's whole archive
// lies beside the test program. The failed start ends with "stopped".
TEST(GameDirectory, TheBlocksDirectoryIsSearchedFirstAndADamagedArchiveThereStopsTheGame) {
    hosttest::LoadedGame game;
    const char* error = "";
    ASSERT_TRUE(game.load(&error)) << error;
    testsupport::ScopedEnv noData("MENTARIUM_DATA", nullptr);
    testsupport::TempDir dir;
    dir.write("Cogniquilt.bin", std::vector<uint8_t>{1, 2, 3, 4});
    Heard::clear();
    intptr_t* block = game.blockWith(&Heard::record, nullptr);
    block[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(dir.path().c_str());
    game.notify(MENTARIUM_START);
    EXPECT_TRUE(game.serviceUntil([] { return Heard::any(MENTARIUM_NOTIFY_STOPPED); }, std::chrono::seconds(10)));
    EXPECT_FALSE(Heard::any(MENTARIUM_NOTIFY_LOADED));
    EXPECT_FALSE(Heard::any(MENTARIUM_NOTIFY_STARTED));  // no game was built
    Heard::clear();
    game.notify(MENTARIUM_STOP);  // nothing left to stop
    EXPECT_TRUE(Heard::soFar().empty());
}
