#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "launcher/Bot.h"
#include "launcher/Description.h"
#include "launcher/GamePlayer.h"

using launcher::Bot;
using launcher::Description;
using launcher::GamePlayer;

namespace {

// The one click a game's player makes on a described board.
GamePlayer::Point clickOf(const char* game, const std::string& board, bool right = true) {
    auto player = launcher::makeGamePlayer(game);
    EXPECT_TRUE(player) << game;
    if (!player) return {-1, -1};
    std::vector<GamePlayer::Point> points = player->answer(Description(board), right);
    EXPECT_EQ(points.size(), 1u) << game << "\n" << board;
    return points.empty() ? GamePlayer::Point{-1, -1} : points[0];
}

// A bot with those settings that keeps its report lines to itself.
std::unique_ptr<Bot> quietBot(const Bot::Settings& settings) {
    auto bot = std::make_unique<Bot>(settings);
    bot->setPrinting(false);
    return bot;
}

const std::string kGames =
    "games Concentration FindNewImage SpatialMemory Simon StroopTest ColorLabels SpotChanges FindCircles "
    "NumberOrder ShadowShift WhichIsMore MemoRandom MatchMaker MatchMaker2 FlyBy GetInShape\n";

}  // namespace

TEST(DescriptionTest, ReadsFactsRowsScreensAndButtons) {
    Description d(kGames +
                  "state 4\nscreen MainMenu\nbutton MainMenu bStartPracticeArea 200 100 100 30\n"
                  "word 3 ink 5\ncard 0 1 2 3 4\ncard 1 5 6 7 8\n");
    EXPECT_EQ(d.fact("state"), 4);
    EXPECT_EQ(d.fact("missing", 7), 7);
    EXPECT_EQ(d.rows("word")[0], (std::vector<int>{3, 5}));  // the naming word is skipped
    ASSERT_EQ(d.rows("card").size(), 2u);
    EXPECT_EQ(d.rows("card")[1][4], 8);
    EXPECT_TRUE(d.showing("MainMenu"));
    EXPECT_FALSE(d.showing("PracticeAreaMenu"));
    ASSERT_NE(d.button("bStartPracticeArea"), nullptr);
    EXPECT_EQ(d.button("bStartPracticeArea")->centreX(), 250);
    EXPECT_EQ(d.gameIndex("StroopTest"), 4);
    EXPECT_EQ(d.gameIndex("Nothing"), -1);
}

TEST(GamePlayerTest, ConcentrationPlaysFromTheFacesItHasSeen) {
    // card I X Y W H PAIR OPEN FRAME VISIBLE. The preview shows cards 1-3 face up;
    // card 4 is never shown, so its picture (2, like cards 1 and 3) is unknown.
    auto player = launcher::makeGamePlayer("Concentration");
    player->observe(
        Description("card 0 0 0 10 10 9 1 2 1\ncard 1 20 0 10 10 2 0 2 1\ncard 2 40 0 10 10 5 0 2 1\n"
                    "card 3 60 0 10 10 2 0 2 1\ncard 4 80 0 10 10 2 0 0 1\n"));
    std::string down =
        "first -1\ncard 0 0 0 10 10 9 1 2 1\ncard 1 20 0 10 10 2 0 0 1\ncard 2 40 0 10 10 5 0 0 1\n"
        "card 3 60 0 10 10 2 0 0 1\ncard 4 80 0 10 10 2 0 0 1\n";
    auto right = player->answer(Description(down), true);
    ASSERT_EQ(right.size(), 2u);
    EXPECT_EQ(right[0].x, 25);
    EXPECT_EQ(right[1].x, 65);
    // A miss turns the unseen card first: a guess, not the known pair.
    auto wrong = player->answer(Description(down), false);
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].x, 85);

    // Card 1 turned by the player: the second card is its remembered twin, or
    // for a miss the card remembered as another picture.
    std::string turned = "first 1\ncard 1 20 0 10 10 2 1 2 1\ncard 2 40 0 10 10 5 0 0 1\ncard 3 60 0 10 10 2 0 0 1\n";
    player->observe(Description(turned));
    EXPECT_EQ(player->answer(Description(turned), true).at(0).x, 65);
    EXPECT_EQ(player->answer(Description(turned), false).at(0).x, 45);

    // Only a known pair left: no miss is on offer (the bot then answers right),
    // and the pair's second click is never the first card again.
    std::string lastPair = "first -1\ncard 1 20 0 10 10 2 0 0 1\ncard 3 60 0 10 10 2 0 0 1\n";
    EXPECT_TRUE(player->answer(Description(lastPair), false).empty());
    auto last = player->answer(Description(lastPair), true);
    ASSERT_EQ(last.size(), 2u);
    EXPECT_NE(last[0].x, last[1].x);
    // Beside a turned card only an unseen one: it may be the twin, so it is no sure miss.
    std::string unseen = "first 2\ncard 2 40 0 10 10 5 1 2 1\ncard 4 80 0 10 10 2 0 0 1\n";
    player->observe(Description(unseen));
    EXPECT_TRUE(player->answer(Description(unseen), false).empty());
    EXPECT_EQ(player->answer(Description(unseen), true).at(0).x, 85);
}

TEST(GamePlayerTest, ConcentrationGuessesWhenNoFaceIsKnownAndWaitsForTheFace) {
    auto player = launcher::makeGamePlayer("Concentration");
    std::string down = "first -1\ncard 0 0 0 10 10 3 0 0 1\ncard 1 20 0 10 10 3 0 0 1\n";
    player->observe(Description(down));
    auto guess = player->answer(Description(down), true);
    ASSERT_EQ(guess.size(), 1u);  // the face-down pictures are not read
    EXPECT_EQ(guess[0].x, 5);
    // Turned but not yet face up: nothing to decide yet.
    std::string turning = "first 0\ncard 0 0 0 10 10 3 1 1 1\ncard 1 20 0 10 10 3 0 0 1\n";
    player->observe(Description(turning));
    EXPECT_TRUE(player->answer(Description(turning), true).empty());
}

TEST(GamePlayerTest, StroopTakesTheWordsColourAndMissesOnTheInk) {
    std::string board = "word 4 ink 1\nbucket 0 0 0 20 20 1\nbucket 1 30 0 20 20 6\nbucket 2 60 0 20 20 4\n";
    EXPECT_EQ(clickOf("StroopTest", board).x, 70);
    EXPECT_EQ(clickOf("StroopTest", board, false).x, 10);
}

TEST(GamePlayerTest, NumberOrderGoesFromTheSmallestNumberUp) {
    // numbers COUNT FOUND ...; tile ROW COL X Y W H VALUE RANK SHOWN
    std::string board =
        "numbers 3 1 0 0\ntile 0 0 0 0 10 10 17 3 0\ntile 0 1 20 0 10 10 2 1 1\n"
        "tile 0 2 40 0 10 10 9 2 0\n";
    EXPECT_EQ(clickOf("NumberOrder", board).x, 45);  // 2 is taken: 9 comes next
}

TEST(GamePlayerTest, WhichIsMoreTakesTheFullestPanel) {
    std::string board = "panel 0 0 0 100 50 7\npanel 1 0 60 100 50 9\npanel 2 0 120 100 50 8\n";
    EXPECT_EQ(clickOf("WhichIsMore", board).y, 85);
    EXPECT_NE(clickOf("WhichIsMore", board, false).y, 85);
}

TEST(GamePlayerTest, FindNewImageRemembersThePlacesOfTheLastTurn) {
    auto player = launcher::makeGamePlayer("FindNewImage");
    auto first = player->answer(Description("picture 4 100 100\n"), true);
    ASSERT_EQ(first.size(), 1u);
    auto second = player->answer(Description("picture 4 100 100\npicture 9 200 50\npicture 1 10 10\n"), true);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].x, 200);  // place 9 is the first of the two new ones
    auto third =
        player->answer(Description("picture 4 100 100\npicture 9 200 50\npicture 1 10 10\npicture 3 7 7\n"), true);
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].x, 7);
}

TEST(GamePlayerTest, FindCirclesMissesInTheEmptyPartOfThePlayArea) {
    // circle I CX CY SIZE FOUND
    std::string board = "area 0 0 100 100\ncircle 0 20 20 30 1\ncircle 1 70 70 30 0\n";
    EXPECT_EQ(clickOf("FindCircles", board).x, 70);
    GamePlayer::Point miss = clickOf("FindCircles", board, false);
    EXPECT_GE(miss.x, 0);
    EXPECT_LT(miss.x, 100);
    for (auto [cx, cy] : {std::pair{20, 20}, std::pair{70, 70}})
        EXPECT_GT((miss.x - cx) * (miss.x - cx) + (miss.y - cy) * (miss.y - cy), 17 * 17);
}

TEST(GamePlayerTest, SimonClicksTheNextEntryOfTheSequence) {
    std::string board =
        "simon 4 3 1 3 10\nsequence 2 0 3\nchoice 0 0 0 10 10 0 0\nchoice 1 20 0 10 10 0 1\n"
        "choice 2 40 0 10 10 0 2\nchoice 3 60 0 10 10 0 3\n";
    EXPECT_EQ(clickOf("Simon", board).x, 5);
}

TEST(GamePlayerTest, MemoryGamesClickWhatWasShownAndNotFoundYet) {
    // tile I X Y W H STATE FRAME: 3 is found already, 2 waits
    EXPECT_EQ(clickOf("SpatialMemory", "tile 0 0 0 10 10 1 0\ntile 1 20 0 10 10 3 0\ntile 2 40 0 10 10 2 0\n").x, 45);
    // choice I CX CY SEEN FOUND
    EXPECT_EQ(clickOf("MemoRandom", "choice 0 10 10 1 1\nchoice 1 30 10 0 0\nchoice 2 50 10 1 0\n").x, 50);
}

// Match Maker II clicks "Match" only on a picture equal to the one N steps back;
// Fly By presses the count of the asked kind among the flights it saw.
TEST(GamePlayerTest, SequenceGamesRememberWhatPassed) {
    auto nback = launcher::makeGamePlayer("MatchMaker2");
    for (const char* step : {"nback 2 step 0 picture 7 answered 0\n", "nback 2 step 1 picture 3 answered 0\n"})
        nback->observe(Description(step));
    Description noMatch("nback 2 step 2 picture 4 answered 0\nmatchbutton 250 300 1\n");
    nback->observe(noMatch);
    EXPECT_TRUE(nback->answer(noMatch, true).empty());
    Description match("nback 2 step 3 picture 3 answered 0\nmatchbutton 250 300 1\n");
    nback->observe(match);
    ASSERT_EQ(nback->answer(match, true).size(), 1u);
    EXPECT_EQ(nback->answer(match, true)[0].x, 250);

    auto flyBy = launcher::makeGamePlayer("FlyBy");
    for (const char* look :
         {"flights 4 asked -1\nflight 0 10 10 2\nflight 1 60 10 5\n",
          "flights 4 asked -1\nflight 1 90 10 5\nflight 2 20 10 2\n", "flights 4 asked -1\nflight 3 20 10 2\n"})
        flyBy->observe(Description(look));
    Description asked("flights 4 asked 2\ncount 2 100 300 1\ncount 3 150 300 1\ncount 4 200 300 1\n");
    flyBy->observe(asked);
    EXPECT_EQ(flyBy->answer(asked, true).at(0).x, 150);
    EXPECT_EQ(flyBy->answer(asked, false).at(0).x, 100);
}

TEST(GamePlayerTest, MatchingGamesTakeTheTargetsTwin) {
    for (const char* game : {"MatchMaker", "ShadowShift", "GetInShape"})
        EXPECT_EQ(clickOf(game, "options 3 1 target 12\noption 0 10 10 5\noption 1 30 10 12\noption 2 50 10 13\n").x,
                  30)
            << game;
}

TEST(GamePlayerTest, ColourLabelsAndSpotTheChangeTakeTheOddCard) {
    // label I X Y W H INK MATCHES VISIBLE: 0 is checked already, 1 hides its word
    EXPECT_EQ(clickOf("ColorLabels",
                      "label 0 0 0 10 10 -2 1 1\nlabel 1 20 0 10 10 3 1 0\nlabel 2 40 0 10 10 4 0 1\n"
                      "label 3 60 0 10 10 5 1 1\n")
                  .x,
              65);
    // card I X Y W H TILES CHANGED ...
    EXPECT_EQ(clickOf("SpotChanges", "card 0 0 0 10 10 4 4 0 0\ncard 1 20 0 10 10 6 2 0 0\n").x, 25);
}

TEST(BotTest, FindsItsWayToTheGameAndItsDifficulty) {
    auto bot = quietBot({.game = "StroopTest", .difficulty = 2});
    auto first = bot->step(kGames + "state 4\nscreen MainMenu\nbutton MainMenu bStartPracticeArea 200 100 100 30\n", 0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].x, 250);
    auto practice = bot->step(kGames +
                                 "state 4\nscreen PracticeAreaMenu\nbutton PracticeAreaMenu bStart0 0 0 10 10\n"
                                 "button PracticeAreaMenu bStart4 100 0 10 10\n",
                             1000);
    ASSERT_EQ(practice.size(), 1u);
    EXPECT_EQ(practice[0].x, 105);
    auto difficulty = bot->step(kGames +
                                   "state 4\nscreen DifficultyMenu\nbutton DifficultyMenu bDifficultyEasy 0 0 10 10\n"
                                   "button DifficultyMenu bDifficultyHard 0 100 10 10\n",
                               2000);
    ASSERT_EQ(difficulty.size(), 1u);
    EXPECT_EQ(difficulty[0].y, 105);
    EXPECT_FALSE(bot->isDone());
}

TEST(BotTest, ALockedOrUnknownGameIsAnErrorNotAWait) {
    Bot::Settings settings;
    settings.game = "Simon";
    Bot locked(settings);
    locked.setPrinting(false);
    locked.step(kGames + "state 4\nscreen PracticeAreaMenu\nbutton PracticeAreaMenu bStart0 0 0 10 10\n", 0);
    EXPECT_TRUE(locked.isDone());
    EXPECT_EQ(locked.exitCode(), 3);

    settings.game = "Tetris";
    Bot unknown(settings);
    unknown.setPrinting(false);
    unknown.step(kGames + "state 4\nscreen MainMenu\n", 0);
    EXPECT_TRUE(unknown.isDone());
    EXPECT_EQ(unknown.exitCode(), 3);
}

TEST(BotTest, SkillSetsTheMissesAndTheReaction) {
    EXPECT_EQ(Bot::missChance(1.0), 0.0);
    EXPECT_GT(Bot::missChance(0.3), Bot::missChance(0.6));
    EXPECT_GT(Bot::reactionMs(0.3), Bot::reactionMs(0.6));
    EXPECT_GT(Bot::reactionMs(0.6), Bot::reactionMs(1.0));

    // A full-skill bot answers every turn of a play right; a weak one misses some.
    auto play = [](double skill) {
        auto bot = quietBot({.game = "WhichIsMore", .skill = skill, .seed = 7});
        int wrong = 0, turns = 0;
        std::string board =
            kGames + "state 0\ngame 10\nvisible 1\nphase 5\npanel 0 0 0 100 50 7\npanel 1 0 60 100 50 9\n";
        for (int now = 0; now < 200000 && turns < 40; now += 100) {
            // The score moves with each answer, so the board reads as a new turn.
            auto clicks = bot->step(board + "score " + std::to_string(turns) + "\n", now);
            for (const auto& c : clicks) {
                ++turns;
                if (c.y < 50) ++wrong;
            }
        }
        EXPECT_EQ(turns, 40);
        return wrong;
    };
    EXPECT_EQ(play(1.0), 0);
    EXPECT_GT(play(0.3), 4);
}

TEST(BotTest, ReportsTheHighestLevelOfThePlayAtGameOver) {
    auto bot = quietBot({.game = "WhichIsMore"});
    const std::string board = kGames + "game 10\nvisible 1\nphase 5\npanel 0 0 0 100 50 7\npanel 1 0 60 100 50 9\n";
    // The level rises to 7 and falls back to 4 before the time is up.
    int now = 0;
    for (int level : {3, 7, 4}) bot->step(board + "state 0\nlevel " + std::to_string(level) + "\n", now += 1000);
    bot->step(board + "state 6\nlevel 4\nscore 120\n", now += 1000);
    const std::vector<std::string>& lines = bot->lines();
    auto gameOver = std::find(lines.begin(), lines.end(), "bot gameover score 120");
    ASSERT_NE(gameOver, lines.end());
    ASSERT_NE(gameOver + 1, lines.end());
    EXPECT_EQ(*(gameOver + 1), "bot level highest 7");
}

TEST(BotTest, ASlowBotReactsToEachNewPictureAfresh) {
    // Match Maker II stays answerable from one picture to the next; every
    // picture must still wait for the bot's reaction before a press.
    auto bot = quietBot({.game = "MatchMaker2", .skill = 0.3});
    const std::string board = kGames + "state 0\ngame 13\nvisible 1\nphase 5\nmatchbutton 250 300 1\n";
    int now = 0, presses = 0;
    for (int step = 0; step < 12; ++step) {
        // Each picture repeats the one before: from the second on, a match.
        const std::string shown = board + "nback 1 step " + std::to_string(step) + " picture 6 answered 0\n";
        const int came = now + 100;
        for (int t = 0; t < 3000; t += 100)
            for (const Bot::Click& click : bot->step(shown, now += 100)) {
                ++presses;
                EXPECT_GE(click.atMs - came, Bot::reactionMs(0.3) * 4 / 5) << "step " << step;
            }
    }
    EXPECT_GT(presses, 3);
}
