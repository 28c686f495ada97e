// Every text the scene puts in a box fits that box: the words Razoz says in
// his speech bubble, game names in the daily test's lists, rank titles in the
// medal pop-up, the opened game's name on the rank screen and the How to Play
// text in its panel. Run on the built scene in every language the game
// speaks, so it guards new texts and translations alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "sprite/DialogSprite.h"
#include "sprite/NewFontSprite.h"
#include "util/RectangleNM.h"

namespace game_test {
namespace {

// The scene's texts by key, read from the built main scene of a language.
std::vector<std::pair<std::string, std::string>> sceneTexts(const std::string& language) {
    std::string folder = language == "en" ? "" : language + "/";
    std::ifstream in(std::string(MENTARIUM_BINARY_DIR) + "/content/scenes/" + folder + "Mentarium.dat");
    std::vector<std::pair<std::string, std::string>> texts;
    bool inStrings = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("<", 0) == 0) inStrings = line.rfind("<strings>", 0) == 0;
        size_t open = line.find('"'), close = line.rfind('"');
        if (!inStrings || line.empty() || line[0] == ';' || open == std::string::npos || close <= open) continue;
        std::string key = line.substr(0, line.find_first_of(" \t"));
        texts.emplace_back(key, line.substr(open + 1, close - open - 1));
    }
    return texts;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

// Fills every "%n" with the longest game name, the widest the game puts there.
std::string filled(std::string text, const std::string& longest) {
    for (size_t at = text.find('%'); at != std::string::npos && at + 1 < text.size(); at = text.find('%', at))
        text.replace(at, 2, longest);
    return text;
}

class TextFitGame : public GameFixture, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        lang::ResourceFile::setLanguage(lang::String(GetParam()));
        loadGame();
        texts = sceneTexts(GetParam());
        ASSERT_GT(texts.size(), 40u);
        for (int g = 0; g < MentariumCanvas::GameCount; ++g) {
            std::string name = canvas->gameName(g).c_str();
            names.push_back(name);
            if (name.size() > longestName.size()) longestName = name;
        }
    }

    void TearDown() override {
        GameFixture::TearDown();
        lang::ResourceFile::setLanguage(lang::String("en"));
    }

    sprite::DialogSprite* screen(MentariumCanvas::Screen which) {
        return dynamic_cast<sprite::DialogSprite*>(canvas->screen(which));
    }
    template <typename T>
    T* part(sprite::DialogSprite* s, const std::string& name) {
        return s ? dynamic_cast<T*>(s->findChild(lang::String(name.c_str()))) : nullptr;
    }

    // The text's bounds lie inside the box's, less an inner margin.
    void expectFits(sprite::NewFontSprite* words, sprite::Sprite* box, const std::string& text, int margin,
                    const std::string& where) {
        ASSERT_NE(words, nullptr) << where;
        ASSERT_NE(box, nullptr) << where;
        words->setText(lang::String(text.c_str()));
        util::RectangleNM t = *words->getBounds();
        const int left = box->getX() + margin, top = box->getY() + margin;
        const int right = box->getX() + box->getWidth() - margin, bottom = box->getY() + box->getHeight() - margin;
        EXPECT_TRUE(t.x >= left && t.y >= top && t.x + t.width <= right && t.y + t.height <= bottom)
            << where << ": \"" << text << "\" takes " << t.x << "," << t.y << " " << t.width << "x" << t.height
            << ", the box inside is " << left << "," << top << " to " << right << "," << bottom;
    }

    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::string> names;
    std::string longestName;
};

// Everything Razoz may say fits his bubble on every screen he speaks on.
TEST_P(TextFitGame, RazozWordsFitTheSpeechBubble) {
    std::vector<std::string> said;
    for (const auto& [key, text] : texts)
        if (!startsWith(key, "TXT_GAMENAME_") && !startsWith(key, "TXT_TEST_TITLE_") && key != "TXT_BRONZE" &&
            key != "TXT_SILVER" && key != "TXT_GOLD" && key != "TEXT_TEST_LEVEL" && key != "TXT_FIND_CORRECT_MATCHES")
            said.push_back(filled(text, longestName));
    // The longest joined texts: a trophy earned with the advice, and the test's closing words.
    said.push_back(filled(std::string(canvas->text("TXT_CONGRATULATIONS_YOU_EARNED_TROPHY").c_str()) + "\n" +
                              canvas->text("TXT_YOU_NEED_VURIVU_TO_EARN_TROPHY").c_str(),
                          longestName));
    for (int i = 0; i < 3; ++i)
        said.push_back(
            filled(std::string(canvas->text(("TXT_DAILY_TEST_END_GOOD_" + std::to_string(i)).c_str()).c_str()) + " " +
                       canvas->text("TXT_YOUR_BEST_AND_WORST_GAME").c_str(),
                   longestName));
    int checked = 0;
    for (int s = 0; s < MentariumCanvas::ScreenCount; ++s) {
        sprite::DialogSprite* dialog = screen(static_cast<MentariumCanvas::Screen>(s));
        auto* bubble = part<sprite::Sprite>(dialog, "bubble");
        if (bubble == nullptr) continue;
        for (const char* box : {"RazozDialog", "RazozDialog_0", "RazozDialog_1", "RazozDialog_2"})
            if (auto* words = part<sprite::NewFontSprite>(dialog, box)) {
                for (const std::string& text : said) expectFits(words, bubble, text, 4, std::string("screen ") + box);
                ++checked;
            }
    }
    EXPECT_GE(checked, 5);
}

// Every game name fits its row in the daily test's lists.
TEST_P(TextFitGame, GameNamesFitTheirRowsInTheDailyTestLists) {
    struct List {
        MentariumCanvas::Screen screen;
        const char* row;
        int margin;
    };
    for (const List& list : {List{MentariumCanvas::ScreenDailyTestRest, "GameListings", 2},
                             List{MentariumCanvas::ScreenDailyTestComplete, "GameListPanel", 2}}) {
        sprite::DialogSprite* dialog = screen(list.screen);
        ASSERT_NE(dialog, nullptr);
        for (int k = 1; k <= 6; ++k) {
            auto* words = part<sprite::NewFontSprite>(dialog, "Game_" + std::to_string(k));
            auto* row = part<sprite::Sprite>(dialog, list.row + std::to_string(k));
            for (const std::string& name : names) expectFits(words, row, name, list.margin, list.row);
        }
    }
}

// Every rank title fits the pop-up over the earned marks.
TEST_P(TextFitGame, RankTitlesFitThePopup) {
    sprite::DialogSprite* menu = screen(MentariumCanvas::ScreenDailyTestMenu);
    auto* popup = part<sprite::Sprite>(menu, "rankpopup");
    auto* words = part<sprite::NewFontSprite>(menu, "rankpopuptext");
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(words, nullptr);
    // Placed as the menu places them over a mark.
    popup->setLocation(100, 100);
    words->setLocation(100 + popup->getWidth() / 2, 106);
    for (const auto& [key, text] : texts)
        if (startsWith(key, "TXT_TEST_TITLE_") && text.find('%') == std::string::npos)
            expectFits(words, popup, text, 4, key);
}

// The opened game's name, zoomed in on the rank screen, stays on the screen.
TEST_P(TextFitGame, UnlockedGameNamesStayOnTheRankScreen) {
    sprite::DialogSprite* payoff = screen(MentariumCanvas::ScreenDailyTestPayoff);
    auto* words = part<sprite::NewFontSprite>(payoff, "unlocktitle");
    auto* zoom = part<sprite::Sprite>(payoff, "unlocktitle_scaled");
    ASSERT_NE(words, nullptr);
    ASSERT_NE(zoom, nullptr);
    // The zoomed picture is centred where its text would stand.
    words->setLocation(zoom->getX(), zoom->getY());
    for (const std::string& name : names) expectFits(words, payoff, name, 6, "unlocktitle");
}

// The How to Play text fits its panel above the Close button.
TEST_P(TextFitGame, HowToPlayFitsItsPanel) {
    sprite::DialogSprite* dialog = screen(MentariumCanvas::ScreenInstructions);
    ASSERT_NE(dialog, nullptr);
    auto* words = part<sprite::NewFontSprite>(dialog, "txtHowToPlay");
    auto* close = part<sprite::Sprite>(dialog, "bInstructionsClose");
    ASSERT_NE(words, nullptr);
    ASSERT_NE(close, nullptr);
    util::RectangleNM t = *words->getBounds();
    EXPECT_GT(t.height, 40);
    EXPECT_LE(t.y + t.height, close->getY() - 4) << "the text runs into the Close button";
    EXPECT_LE(t.x + t.width, dialog->getWidth() - 12);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, TextFitGame, ::testing::Values("en", "de", "fr", "es"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
}  // namespace game_test
