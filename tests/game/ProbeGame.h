#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "GameFixture.h"
#include "game/GameBase.h"
#include "support/TempDir.h"

namespace game_test {

// The smallest minigame: the base's phases only, so play stays in phase 3
// and the countdown, level and scoring of the base can be watched alone.
class ProbeGame : public GameBase {
    MENTARIUM_METACLASS(ProbeGame)

public:
    MENTARIUM_CLASS(ProbeGame, GameBase)
    void update(int) override { ++updates; }
    int updates = 0;
};

// The game's archive with one more item: the main scene with these lines
// among its minigames, each in place of the scene's line of the same name;
// a line "-Name" leaves that line out. Packed by our packer into dir; empty
// on failure.
inline std::string archiveWithScene(const testsupport::TempDir& dir, const std::string& item,
                                    const std::string& lines) {
    const std::string binary = MENTARIUM_BINARY_DIR;
    std::ifstream in(binary + "/content/scenes/Mentarium.dat", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string scene = text.str();
    std::istringstream added(lines);
    for (std::string line; std::getline(added, line);) {
        const bool leaveOut = !line.empty() && line[0] == '-';
        const std::string name = line.substr(leaveOut ? 1 : 0, line.find(' ') - (leaveOut ? 1 : 0));
        size_t at = scene.find("\n" + name + " ");
        if (at != std::string::npos) {
            size_t end = scene.find('\n', at + 1);
            if (leaveOut) scene.erase(at + 1, end - at);
            else
                scene.replace(at + 1, end - at - 1, line);
        } else if (leaveOut) {
            continue;  // not there anyway
        } else if ((at = scene.find("GameOverOverlay ")) != std::string::npos) {
            scene.insert(at, line + "\n");
        } else {
            return std::string();
        }
    }
    std::ofstream(dir.file(item), std::ios::binary) << scene;
    std::string archive = dir.file(item + ".bin");
    std::string command = binary + "/tools/mkarchive pack " + archive + " " + item + "=" + dir.file(item);
    std::ifstream items(binary + "/content/items.list");
    for (std::string line; std::getline(items, line);)
        if (size_t tab = line.find('\t'); tab != std::string::npos)
            command += " '" + line.substr(0, tab) + "=" + line.substr(tab + 1) + "'";
    return std::system(command.c_str()) == 0 ? archive : std::string();
}

// "probedat": a probe game in the last game slot, in place of that game, showing Concentration's
// minigame screen (its HUD and number list), and no game in slot MissingIndex. Packed once per process.
constexpr int MissingIndex = 9;
inline std::string probeArchive() {
    static testsupport::TempDir dir;
    static std::string archive = archiveWithScene(dir, "probedat",
                                                  "GetInShape ProbeGame:+Concentration.dat 0 0 500 375 0 0 0\n-" +
                                                      std::string(MentariumCanvas::gameClassName(MissingIndex)) + "\n");
    return archive;
}

// "fulldat": every minigame the scene lacks stands in as a probe game, so a
// daily test can pick any game. Packed once per process.
inline std::string fullGameArchive() {
    static testsupport::TempDir dir;
    static std::string archive = [] {
        std::ifstream in(std::string(MENTARIUM_BINARY_DIR) + "/content/scenes/Mentarium.dat", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string lines;
        for (int i = 0; i < MentariumCanvas::GameCount; ++i) {
            std::string name = MentariumCanvas::gameClassName(i);
            if (text.str().find("\n" + name + " ") == std::string::npos)
                lines += name + " ProbeGame:+Concentration.dat 0 0 500 375 0 0 0\n";
        }
        return archiveWithScene(dir, "fulldat", lines);
    }();
    return archive;
}

class ProbeFixture : public GameFixture {
protected:
    static constexpr int ProbeIndex = 15;

    std::string archivePath() override { return probeArchive(); }

    void SetUp() override {
        GameFixture::SetUp();
        loadGame("+probedat");
        probe = dynamic_cast<ProbeGame*>(canvas->gameAt(ProbeIndex));
        ASSERT_NE(probe, nullptr);
    }

    // Replaces parameters of the probe's list (position, value pairs).
    void setParams(std::initializer_list<std::pair<int, int>> changes) { GameFixture::setParams(probe, changes); }

    ProbeGame* start(int difficulty = 1) {
        startPractice(ProbeIndex, difficulty);
        return probe;
    }

    ProbeGame* probe = nullptr;
};

}  // namespace game_test
