// The scene data in the archive: every item it names exists, every class is
// one the game registers, the shell finds its screens, sprites, texts and
// numbers, and frame grids fit their pictures.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <sstream>

#include "ContentFiles.h"
#include "Png.h"
#include "SceneReader.h"

namespace contenttest {
namespace {

// The main scene and every scene nested in it, by item name.
const std::map<std::string, Scene>& scenes() {
    static const std::map<std::string, Scene> all = [] {
        std::map<std::string, Scene> out;
        std::function<void(const std::string&)> visit = [&](const std::string& item) {
            if (out.count(item) || !hasItem(item)) return;
            out[item] = parseScene(readText(items().at(item)));
            for (const SpriteLine& line : out[item].sprites)
                if (!line.subItem.empty() && line.subItem[0] == '+') visit(line.subItem.substr(1));
        };
        visit("datfile");
        return out;
    }();
    return all;
}

const Scene& mainScene() { return scenes().at("datfile"); }

const Scene& screen(const std::string& spriteName) {
    const SpriteLine* line = mainScene().sprite(spriteName);
    if (!line) throw std::runtime_error("no screen " + spriteName);
    return scenes().at(line->subItem.substr(1));
}

// Picture names a sprite line resolves to archive items: a declared picture
// by its specification, any other name as the item of that name.
std::vector<std::string> pictureItems(const Scene& scene, const std::string& picture) {
    for (const auto& [name, pictureSource] : scene.images) {
        if (name != picture) continue;
        std::vector<std::string> out;
        std::stringstream parts(pictureSource);
        for (std::string part; std::getline(parts, part, '|');)
            if (!part.empty() && part[0] == '+') out.push_back(part.substr(1));
        return out;
    }
    return {picture};
}

TEST(Scene, MainSceneAndEveryNestedSceneAreInTheArchive) {
    ASSERT_TRUE(hasItem("datfile"));
    for (const auto& [item, scene] : scenes())
        for (const SpriteLine& line : scene.sprites)
            if (!line.subItem.empty()) {
                ASSERT_EQ(line.subItem[0], '+') << line.name << " in " << item << " loads a loose file";
                EXPECT_TRUE(hasItem(line.subItem.substr(1))) << line.subItem << " named in " << item;
            }
    EXPECT_GE(scenes().size(), 8u);
}

TEST(Scene, EveryPictureAndSoundItemExists) {
    for (const auto& [item, scene] : scenes()) {
        for (const SpriteLine& line : scene.sprites)
            for (const std::string& picture : line.pictures)
                if (!picture.empty()) {
                    for (const std::string& needed : pictureItems(scene, picture))
                        EXPECT_TRUE(hasItem(needed)) << needed << " for " << line.name << " in " << item;
                }
        for (const std::string& sound : scene.sounds) {
            std::string name = sound[0] == '*' ? sound.substr(1) : sound;
            ASSERT_EQ(name[0], '+') << sound << " is not an archive item";
            EXPECT_TRUE(hasItem(name.substr(1))) << sound;
        }
    }
    EXPECT_TRUE(hasItem("musicGame"));
    EXPECT_TRUE(hasItem("handCursor"));
}

TEST(Scene, EveryClassIsOneTheGameRegisters) {
    const std::set<std::string> registered = {"AnimateSprite",
                                              "ButtonSprite",
                                              "ColorBalButtonSprite",
                                              "ColorLabels",
                                              "Concentration",
                                              "DailyTestCompleteScreen",
                                              "DailyTestMenu",
                                              "DailyTestPayoffScreen",
                                              "DailyTestRestScreen",
                                              "DialogSprite",
                                              "DifficultyMenu",
                                              "ExitMenu",
                                              "FancyContainer",
                                              "FindCircles",
                                              "FindNewImage",
                                              "FlyBy",
                                              "GameBase",
                                              "GetInShape",
                                              "InGameInstructDialog",
                                              "InstructDialog",
                                              "LineGraphSprite",
                                              "MainMenu",
                                              "MatchMaker",
                                              "MatchMaker2",
                                              "MemoRandom",
                                              "NewFontSprite",
                                              "NumberOrder",
                                              "NumberSprite",
                                              "PauseMenu",
                                              "PracticeAreaMenu",
                                              "PracticeCompleteScreen",
                                              "RectButtonSprite",
                                              "RectSprite",
                                              "ScalerSprite",
                                              "ShadowShift",
                                              "Simon",
                                              "SparkleSprite",
                                              "SpatialMemory",
                                              "SpotChanges",
                                              "Sprite",
                                              "StartGameSwipe",
                                              "StroopTest",
                                              "TextSprite",
                                              "WhichIsMore"};
    for (const auto& [item, scene] : scenes())
        for (const SpriteLine& line : scene.sprites)
            EXPECT_TRUE(registered.count(line.className))
                << line.className << " (" << line.name << " in " << item << ")";
}

TEST(Scene, NamesAreUniqueWithinEachScene) {
    for (const auto& [item, scene] : scenes()) {
        std::set<std::string> seen;
        for (const SpriteLine& line : scene.sprites)
            if (!line.name.empty()) {
                EXPECT_TRUE(seen.insert(line.name).second) << line.name << " twice in " << item;
            }
    }
}

TEST(Scene, TheShellFindsItsScreensAndTheirSprites) {
    for (const char* name :
         {"MainMenu", "Instructions", "InGameInstructions", "PauseMenu", "GameOverOverlay", "ExitMenu",
          "StartGameSwipe", "Dim", "PracticeAreaMenu", "DifficultyMenu", "PracticeCompleteScreen", "DailyTestMenu",
          "DailyTestRestScreen", "DailyTestCompleteScreen", "DailyTestPayoffScreen"})
        EXPECT_NE(mainScene().sprite(name), nullptr) << name;
    const std::map<std::string, std::vector<std::string>> children = {
        {"MainMenu",
         {"bStartPracticeArea", "bStartDailyTest", "bMuteVolume", "bDownLoad", "bMenuInstructions", "RazozDialog"}},
        {"PauseMenu", {"PauseEndGame", "PauseMainMenu", "PauseCancel", "PauseHowToPlay", "bMuteVolume"}},
        {"ExitMenu", {"ExitYes", "ExitNo", "ExitTitlePractice", "ExitTitleTest"}},
        {"Instructions", {"bInstructionsClose", "version"}},
        {"InGameInstructions", {"Instructions", "ExitNo"}},
        {"StartGameSwipe", {"StartGameAction"}},
        {"PracticeAreaMenu", {"bBackToMenu", "GameDescription", "RazozDialog"}},
        {"DifficultyMenu",
         {"bDifficultyEasy",
          "bDifficultyNormal",
          "bDifficultyHard",
          "bBackToMenu",
          "GameName",
          "Instructions",
          "RazozDialog_0",
          "RazozDialog_1",
          "RazozDialog_2",
          "HighScoreEasy",
          "HighScoreNormal",
          "HighScoreHard",
          "TrophiesEasy",
          "TrophiesNormal",
          "TrophiesHard",
          "PracticeScoreHistory_0",
          "PracticeScoreHistory_1",
          "PracticeScoreHistory_2",
          "PracticeScoreHighlight",
          "graphXLabel",
          "graphYLabel"}},
        {"PracticeCompleteScreen",
         {"bOk", "GameName", "Score", "HighScore", "Trophy", "NoTrophy", "graRazoz", "PracticeScoreHistory",
          "PracticeScoreHighlight", "graphXLabel", "graphYLabel"}},
        {"DailyTestMenu",
         {"bStartTest", "bBackToMenu", "dailyTestTitle", "iDailyTestTrophy", "dailyTestScoreGoal",
          "DailyTestScoreHistory", "DailyTestScoreHighlight", "graphXLabel", "graphYLabel", "rankpopup",
          "rankpopuptext", "rankpopupscore"}},
        {"DailyTestRestScreen", {"ButtonStart", "bContinue", "bMenu", "Instructions", "RazozDialog"}},
        {"DailyTestPayoffScreen",
         {"bOk", "RazozDialog", "RazozDialog_BadNews", "graRazoz", "DialogBox", "yourscoretitle", "yourscore",
          "goalscoretitle", "goalscore", "congratsScaler", "iDailyTestTrophy", "ranktitle", "ranktitle_scaled",
          "unlocktitle", "unlocktitle_scaled", "lock", "Twinkles", "PayOffLevelText"}},
        {"DailyTestCompleteScreen",
         {"bOk", "dailyTestScore", "graRazoz", "DailyTestScoreHistory", "DailyTestScoreHighlight", "graphXLabel",
          "graphYLabel"}},
    };
    for (const auto& [screenName, names] : children)
        for (const std::string& name : names)
            EXPECT_NE(screen(screenName).sprite(name), nullptr) << screenName << "/" << name;
    // Numbered sprites: a start button per game, a row per test game, a mark per rank.
    for (int g = 0; g < 16; ++g)
        EXPECT_NE(screen("PracticeAreaMenu").sprite("bStart" + std::to_string(g)), nullptr) << "bStart" << g;
    for (int k = 1; k <= 6; ++k) {
        const std::string n = std::to_string(k);
        for (const char* rest : {"GameListings", "Game_"})
            EXPECT_NE(screen("DailyTestRestScreen").sprite(rest + n), nullptr) << rest << k;
        for (const char* complete : {"Score_", "Game_", "GameListPanel"})
            EXPECT_NE(screen("DailyTestCompleteScreen").sprite(complete + n), nullptr) << complete << k;
        for (int m = 1; m <= 4; ++m)
            EXPECT_NE(screen("DailyTestCompleteScreen").sprite("star" + n + "_" + std::to_string(m)), nullptr);
    }
    for (int i = 0; i <= 13; ++i)
        EXPECT_NE(screen("DailyTestMenu").sprite("iDailyTestTrophyEarned" + std::to_string(i)), nullptr) << i;
    // Screens read their first numbers from their own scene's number list.
    EXPECT_GE(screen("MainMenu").data.size(), 4u);
    EXPECT_GE(screen("DifficultyMenu").data.size(), 3u);
    EXPECT_GE(screen("PracticeCompleteScreen").data.size(), 3u);
    EXPECT_GE(screen("DailyTestMenu").data.size(), 4u);
    EXPECT_GE(screen("DailyTestRestScreen").data.size(), 4u);
    EXPECT_GE(screen("DailyTestPayoffScreen").data.size(), 3u);
    const std::vector<int>& complete = screen("DailyTestCompleteScreen").data;
    ASSERT_GE(complete.size(), 6u);
    // The complete screen draws its end texts from as many keys as it says.
    for (int i = 0; i < complete[0]; ++i)
        EXPECT_NE(mainScene().text("TXT_DAILY_TEST_END_GOOD_" + std::to_string(i)), nullptr) << i;
    for (int i = 0; i < complete[1]; ++i)
        EXPECT_NE(mainScene().text("TXT_DAILY_TEST_END_BAD_" + std::to_string(i)), nullptr) << i;
    // The three start signs are frames 0, 1 and 2 of one animation.
    EXPECT_GE(screen("StartGameSwipe").sprite("StartGameAction")->numbers.at(2), 3);
    // The version sprite gets a platform font, so it must be a text sprite.
    EXPECT_EQ(screen("Instructions").sprite("version")->className, "TextSprite");
}

TEST(Scene, DialogLinesGiveSizeModalityAndStartHidden) {
    for (const SpriteLine& line : mainScene().sprites) {
        if (line.subItem.empty()) continue;
        ASSERT_GE(line.numbers.size(), 6u) << line.name;
        EXPECT_GT(line.numbers[2], 0) << line.name;
        EXPECT_GT(line.numbers[3], 0) << line.name;
        EXPECT_LE(line.numbers[0] + line.numbers[2], 500) << line.name << " leaves the scene";
        EXPECT_LE(line.numbers[1] + line.numbers[3], 375) << line.name << " leaves the scene";
        EXPECT_EQ(line.numbers[5], 0) << line.name << ": screens are shown by the shell, not at load";
    }
}

TEST(Scene, TextsComeInKeyTextPairsAndFillTheirPlaceholders) {
    const Scene& s = mainScene();
    ASSERT_EQ(s.strings.size() % 2, 0u);
    for (size_t i = 0; i < s.strings.size(); i += 2)
        EXPECT_TRUE(s.strings[i].rfind("TXT_", 0) == 0 || s.strings[i].rfind("TEXT_", 0) == 0) << s.strings[i];
    std::vector<std::string> keys = {"TXT_INTRO_HAVE_SOME_FUN",
                                     "TXT_INTRO_RAZOZ_INTRO",
                                     "TXT_INTRO_VURIVU_INFO",
                                     "TXT_MAIN_MENU_CHOOSE_PROMPT",
                                     "TXT_PRACTICE_AREA_HELP",
                                     "TXT_DAILY_TEST_HELP",
                                     "TXT_PRACTICE_WELCOME",
                                     "TXT_PRACTICE_TROPHIES",
                                     "TXT_PRACTICE_CLICK_UNLOCK_TO_PLAY",
                                     "TXT_PRACTICE_FIRST_PLAY_INTRO",
                                     "TXT_PRACTICE_GOLD_CONGRATULATIONS",
                                     "TXT_BRONZE",
                                     "TXT_SILVER",
                                     "TXT_GOLD",
                                     "TXT_DAILY_TEST_FIRST_INTRO",
                                     "TXT_TRY_AGAIN",
                                     "TXT_YOU_EARNED_NEW_RANK",
                                     "TEXT_TEST_LEVEL",
                                     "TXT_DAILY_TEST_COMPLETED_FIRST"};
    for (int g = 0; g < 16; ++g) {
        keys.push_back("TXT_GAMENAME_" + std::to_string(g));
        for (int h = 1; h <= 2; ++h) keys.push_back("TXT_HINT_" + std::to_string(g + 1) + "_" + std::to_string(h));
    }
    for (int r = 0; r < 15; ++r) keys.push_back("TXT_TEST_TITLE_" + std::to_string(r));
    for (const std::string& key : keys) {
        const std::string* text = s.text(key);
        ASSERT_NE(text, nullptr) << key;
        EXPECT_FALSE(text->empty()) << key;
    }
    // Texts filled with values carry exactly the placeholders the game fills.
    const std::map<std::string, std::vector<std::string>> filled = {
        {"TXT_YOU_NEED_VURIVU_TO_EARN_TROPHY", {"%1", "%2"}}, {"TXT_CONGRATULATIONS_YOU_EARNED_TROPHY", {"%1"}},
        {"TXT_YOUR_BEST_AND_WORST_GAME", {"%1", "%2"}},       {"TXT_YOU_DID_WELL_PLAYING", {"%1"}},
        {"TXT_TEST_TITLE_PLUS_LEVEL_SUFFIX", {"%1", "%2"}},   {"TXT_DAILY_TEST_END_BAD_0", {"%1"}}};
    for (const auto& [key, markers] : filled) {
        const std::string* text = s.text(key);
        ASSERT_NE(text, nullptr) << key;
        for (const std::string& m : markers) EXPECT_NE(text->find(m), std::string::npos) << key << " lacks " << m;
        EXPECT_EQ(text->find("%" + std::to_string(markers.size() + 1)), std::string::npos) << key;
    }
    // Shown texts are 8-bit Windows-1252: plain ASCII in the sources.
    for (const std::string& t : s.strings)
        for (unsigned char c : t) EXPECT_TRUE(c >= 32 && c < 127) << t;
}

TEST(Scene, ConfigurationNumbersHoldRanksTrophiesAndUnlockOrder) {
    const std::vector<int>& d = mainScene().data;
    ASSERT_GE(d.size(), 41u);
    for (int i = 1; i < 15; ++i) EXPECT_LT(d[i - 1], d[i]) << "rank threshold " << i;
    EXPECT_GT(d[15], 0) << "rank step";
    for (int difficulty = 0; difficulty < 3; ++difficulty) {
        const int* t = &d[16 + difficulty * 3];
        EXPECT_GT(t[0], 0);
        EXPECT_LT(t[0], t[1]);
        EXPECT_LT(t[1], t[2]);
    }
    std::vector<int> order(d.begin() + 25, d.begin() + 41);
    std::sort(order.begin(), order.end());
    for (int g = 0; g < 16; ++g) EXPECT_EQ(order[g], g) << "unlock order must name every game once";
}

TEST(Scene, SoundListFollowsTheEffectIndices) {
    std::istringstream order(readText(binaryDir() + "/content/sfx/effects.order"));
    std::vector<std::string> expected;
    int index;
    std::string name;
    while (order >> index >> name) {
        ASSERT_EQ(index, static_cast<int>(expected.size()));
        expected.push_back("+" + name);
    }
    EXPECT_EQ(mainScene().sounds, expected);
    ASSERT_GE(expected.size(), 12u);
    EXPECT_EQ(expected[6], "+sfxSuccess");
    EXPECT_EQ(expected[7], "+sfxFailure");
    EXPECT_EQ(expected[8], "+sfxGameOver");
    EXPECT_EQ(expected[9], "+sfxTick");
    EXPECT_EQ(expected[10], "+sfxClick");
    EXPECT_EQ(expected[11], "+sfxNewRank");
}

// Frame grids must divide their pictures, and the frames a line names must exist.
TEST(Scene, FrameGridsFitTheirPictures) {
    int checked = 0;
    for (const auto& [item, scene] : scenes())
        for (const SpriteLine& line : scene.sprites) {
            if (line.pictures.empty() || line.pictures[0].empty() || !hasItem(line.pictures[0])) continue;
            const Picture p = decodePng(items().at(line.pictures[0]));
            const std::string where = line.name + " in " + item;
            if (line.className == "AnimateSprite" || line.className == "ButtonSprite" ||
                line.className == "ColorBalButtonSprite") {
                ASSERT_GE(line.numbers.size(), 4u) << where;
                const int cols = line.numbers[2], rows = line.numbers[3];
                ASSERT_GE(cols, 1) << where;
                ASSERT_GE(rows, 1) << where;
                EXPECT_EQ(p.width % cols, 0) << where;
                EXPECT_EQ(p.height % rows, 0) << where;
                const size_t lastFrameNumber = line.className == "AnimateSprite" ? 5 : 7;
                for (size_t k = 4; k < std::min(line.numbers.size(), lastFrameNumber); ++k)
                    EXPECT_LT(line.numbers[k], cols * rows) << where << " names frame " << line.numbers[k];
                ++checked;
            } else if (line.className == "NumberSprite") {
                const bool digitsOnly = line.numbers.size() > 4 && line.numbers[4] == 1;
                EXPECT_EQ(p.width % (digitsOnly ? 10 : 15), 0) << where;
                ++checked;
            } else if (line.className == "NewFontSprite") {
                ASSERT_EQ(line.pictures.size(), 2u) << where;
                const Picture metrics = decodePng(items().at(line.pictures[1]));
                EXPECT_EQ(metrics.width * metrics.height, 224 * 6) << where;
                ++checked;
            }
        }
    EXPECT_GT(checked, 10);
}

// A text sprite without text reads the archive item of its own name.
TEST(Scene, TextItemsEndWithTheByteTheReaderDrops) {
    const std::string text = readText(items().at("txtHowToPlay"));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(text[text.size() - 2], '\n') << "a second line feed would show as an empty last line";
}

}  // namespace
}  // namespace contenttest

namespace contenttest {
namespace {

const std::vector<std::string>& minigameNames() {
    static const std::vector<std::string> names = {"Concentration", "FindNewImage", "SpatialMemory", "Simon",
                                                   "StroopTest",    "ColorLabels",  "SpotChanges",   "FindCircles",
                                                   "NumberOrder",   "ShadowShift",  "WhichIsMore",   "MemoRandom",
                                                   "MatchMaker",    "MatchMaker2",  "FlyBy",         "GetInShape"};
    return names;
}

TEST(MinigameScenes, EveryMinigameScreenCarriesTheGameBar) {
    int games = 0;
    for (const std::string& game : minigameNames()) {
        const SpriteLine* line = mainScene().sprite(game);
        if (!line) continue;
        EXPECT_EQ(line->className, game) << "a minigame screen is created by its own class";
        const Scene& s = screen(game);
        for (const char* name : {"Score", "Timer", "SuccessFailure", "AnswerIndicator", "AnswerIndicator2",
                                 "STARBAROVERLAY", "star1", "star2", "star3", "star4", "Quit"})
            EXPECT_NE(s.sprite(name), nullptr) << game << "/" << name;
        EXPECT_EQ(s.sprite("SuccessFailure")->numbers.at(2), 2) << "frame 0 success, frame 1 failure";
        ++games;
    }
    EXPECT_GE(games, 1);
}

// The base divides by several parameters and clamps others; values that would
// divide by zero, start a daily test below level 1 or a multiplier below 0 are content faults.
TEST(MinigameScenes, ParametersAreSafeForTheGameBase) {
    for (const std::string& game : minigameNames()) {
        if (!mainScene().sprite(game)) continue;
        const std::vector<int>& p = screen(game).data;
        ASSERT_GE(p.size(), 39u) << game;
        EXPECT_GE(p[38], 0) << game << ": level steps in a game (none: the level moves only with answers)";
        EXPECT_LE(p[38], 60) << game << ": more level steps than seconds";
        EXPECT_NE(p[22], 0) << game << ": points ratio denominator";
        // Position 6 is also the starting multiplier, which may be 0 (the base raises a start level of 0 to 1).
        EXPECT_GE(p[6], 0) << game << ": starting multiplier";
        for (int i = 7; i <= 16; ++i) EXPECT_GE(p[i], 1) << game << ": daily test start level " << i;
        for (int i = 23; i <= 36; ++i) EXPECT_GE(p[i], 10) << game << ": a result factor below 1.0 is ignored";
        for (int i = 0; i < 3; ++i) EXPECT_GE(p[i], 0) << game;
    }
}

TEST(MinigameScenes, ConcentrationDealsBoardsItCanLayOut) {
    const Scene& s = screen("Concentration");
    const std::vector<int>& p = s.data;
    ASSERT_GE(p.size(), 55u);
    // Quantities at positions start, largest, level per step, steps per level step.
    for (int start : {39, 43, 47, 51}) EXPECT_NE(p[start + 2], 0) << "level per step at " << start + 2 << " divides";
    EXPECT_LE(p[39], 8);
    EXPECT_LE(p[40], 8) << "largest deal size index";
    EXPECT_GE(p[43], 1);
    EXPECT_LE(p[44], 5) << "face modes are 1 to 5";
    EXPECT_LE(p[48], 5) << "preview modes are 0 to 5";
    ASSERT_NE(s.sprite("GameBounds"), nullptr);
    ASSERT_NE(s.sprite("CardBackPrototype"), nullptr);
    // The largest board, 4 x 6 cards with 2-pixel gaps, fits the play area.
    const Picture back = decodePng(items().at(s.sprite("CardBackPrototype")->pictures.at(0)));
    const int cell = back.width / s.sprite("CardBackPrototype")->numbers.at(2);
    const std::vector<int>& bounds = s.sprite("GameBounds")->numbers;
    EXPECT_LE(6 * cell + 5 * 2, bounds.at(2));
    EXPECT_LE(4 * back.height + 3 * 2, bounds.at(3));
    EXPECT_GE(bounds.at(1), 46) << "cards would cover the game bar";
    EXPECT_TRUE(hasItem("iFindNewImagePop"));
}

TEST(MinigameScenes, SharedTileTablesAreComplete) {
    std::vector<std::string> names;
    for (int i = 1; i <= 18; ++i)
        for (int j = 1; j <= 4; ++j) names.push_back("iTileFaceFour_" + std::to_string(i) + "_" + std::to_string(j));
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 2; ++j) {
            names.push_back("iTileFaceTwoNormal_" + std::to_string(i) + "_" + std::to_string(j));
            names.push_back("iTileFaceTwoLetters_" + std::to_string(i) + "_" + std::to_string(j));
        }
    for (int k = 0; k <= 9; ++k) names.push_back("iTileNumber" + std::to_string(k));
    ASSERT_EQ(names.size(), 102u);
    std::set<std::vector<uint8_t>> distinct;
    for (const std::string& name : names) {
        ASSERT_TRUE(hasItem(name)) << name;
        const Picture p = decodePng(items().at(name));
        EXPECT_EQ(p.width, 64) << name;
        EXPECT_EQ(p.height, 64) << name;
        distinct.insert(p.rgba);
    }
    EXPECT_EQ(distinct.size(), names.size()) << "two tiles look the same, so a pair could not be told apart";
}

TEST(MinigameScenes, IncludedBlocksAreDependenciesOfTheScenesUsingThem) {
    const std::string deps = readText(binaryDir() + "/content/scenes/Concentration.dat.d");
    EXPECT_NE(deps.find(sourceDir() + "/content/scenes/GameHud.inc"), std::string::npos) << deps;
    EXPECT_EQ(("\n" + readText(items().at("Concentration.dat"))).find("\n;#include "), std::string::npos)
        << "left unexpanded";
}

}  // namespace
}  // namespace contenttest
