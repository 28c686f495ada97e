// The players of the sixteen games. Each reads the rows its game describes
// ("card I X Y W H ...") and picks the row to click.
#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include "GamePlayer.h"

namespace launcher {

namespace {

using Row = std::vector<int>;
using Rows = std::vector<Row>;
using Point = GamePlayer::Point;

// The number at position i of the first line under key, or otherwise.
int first(const Description& board, const char* key, size_t i, int otherwise = 1) {
    const std::vector<Row>& rows = board.rows(key);
    return !rows.empty() && rows[0].size() > i ? rows[0][i] : otherwise;
}

// Rows of a rectangle "I X Y W H ...": its centre.
Point centre(const Row& r) { return {r[1] + r[3] / 2, r[2] + r[4] / 2}; }
// Rows of a centre point "I X Y ...".
Point at(const Row& r) { return {r[1], r[2]}; }

// The rows of key with at least width numbers that pass the test.
Rows pick(const Description& board, const char* key, size_t width, const std::function<bool(const Row&)>& test) {
    Rows out;
    for (const Row& r : board.rows(key))
        if (r.size() >= width && test(r)) out.push_back(r);
    return out;
}

// A game answered by clicking one row: the first row that is right, or for a
// miss the first that is not; points name where a row is clicked.
class OneClickPlayer : public GamePlayer {
public:
    OneClickPlayer(const char* key, size_t width, Point (*where)(const Row&))
        : key_(key), width_(width), where_(where) {}

    std::vector<Point> answer(const Description& board, bool right) override {
        Rows rows =
            pick(board, key_, width_, [&](const Row& r) { return offered(board, r) && isRight(board, r) == right; });
        if (rows.empty()) return {};
        return {where_(choose(board, rows, right))};
    }

protected:
    virtual bool isRight(const Description& board, const Row& r) const = 0;
    // Rows that can be clicked at all (not found yet, on view).
    virtual bool offered(const Description&, const Row&) const { return true; }
    // Which of the rows to click (the first by default).
    virtual const Row& choose(const Description&, const Rows& rows, bool) const { return rows.front(); }

private:
    const char* key_;
    size_t width_;
    Point (*where_)(const Row&);
};

// Concentration: played from memory. Every face the screen shows (a card
// standing face up, in the preview or turned by the player) is remembered; a
// turn takes a remembered pair, or turns an unknown card and answers once its
// face is up. A miss takes a card remembered as another picture.
class ConcentrationPlayer : public GamePlayer {
public:
    void observe(const Description& board) override {
        // card I X Y W H PAIR OPEN FRAME VISIBLE; only a face-up card's PAIR is seen
        Rows cards = pick(board, "card", 9, [](const Row& c) { return c[8] != 0; });
        if (cards.size() > cardsOnBoard_) faces_.clear();  // a new board is dealt
        cardsOnBoard_ = cards.size();
        for (const Row& c : cards)
            if (c[7] == kFaceUp && c[5] >= 0) faces_[c[0]] = c[5];
    }

    int answersPerTurn(const Description&) const override { return 2; }

    std::vector<Point> answer(const Description& board, bool right) override {
        Rows closed = pick(board, "card", 9, [](const Row& c) { return c[8] && !c[6] && c[7] == 0; });
        if (closed.empty()) return {};
        const int turned = first(board, "first", 0, -1);
        if (turned >= 0) {
            auto face = faces_.find(turned);
            if (face == faces_.end()) return {};  // its face is not up yet
            const Row* other = second(closed, face->second, right);
            return other ? std::vector<Point>{centre(*other)} : std::vector<Point>{};
        }
        for (size_t i = 0; right && i < closed.size(); ++i)
            for (size_t j = i + 1; j < closed.size(); ++j)
                if (known(closed[i]) && faceOf(closed[i]) == faceOf(closed[j]))
                    return {centre(closed[i]), centre(closed[j])};
        // Nothing to take for sure: turn the first card not seen yet (or any).
        auto unseen = std::find_if(closed.begin(), closed.end(), [&](const Row& c) { return !known(c); });
        const Row& pick1 = unseen != closed.end() ? *unseen : closed.front();
        if (right || !known(pick1)) return {centre(pick1)};
        const Row* other = second(closed, faceOf(pick1), false);
        return other ? std::vector<Point>{centre(pick1), centre(*other)} : std::vector<Point>{};
    }

private:
    static constexpr int kFaceUp = 2;

    bool known(const Row& c) const { return faces_.count(c[0]) != 0; }
    int faceOf(const Row& c) const { return known(c) ? faces_.at(c[0]) : -1; }

    // The card to turn beside one showing face: its remembered twin, else one
    // not seen yet (right); for a miss, one remembered as another picture, or
    // none when no card is sure to differ (an unseen card may be the twin). A
    // miss never takes the first card again: its face is the one showing.
    const Row* second(const Rows& closed, int face, bool right) const {
        for (const Row& c : closed)
            if (known(c) && (faceOf(c) == face) == right) return &c;
        if (!right) return nullptr;
        for (const Row& c : closed)
            if (!known(c)) return &c;
        return closed.empty() ? nullptr : &closed.front();
    }

    std::map<int, int> faces_;  // card -> the picture seen on its face
    size_t cardsOnBoard_ = 0;
};

// Stroop Test: the bucket of the colour the word names; a miss takes the ink's.
class StroopPlayer : public OneClickPlayer {
public:
    StroopPlayer() : OneClickPlayer("bucket", 6, centre) {}

protected:
    bool isRight(const Description& board, const Row& r) const override { return r[5] == board.fact("word"); }
    const Row& choose(const Description& board, const Rows& rows, bool right) const override {
        const std::vector<Row>& word = board.rows("word");
        int ink = !word.empty() && word[0].size() >= 2 ? word[0][1] : -1;
        for (const Row& r : rows)
            if (!right && r[5] == ink) return r;
        return rows.front();
    }
};

// Number Order: the tiles from the smallest number up.
class NumberOrderPlayer : public GamePlayer {
public:
    int answersPerTurn(const Description& board) const override { return first(board, "numbers", 0); }
    bool answering(const Description& board) const override {
        int phase = board.fact("phase");
        return phase == 5 || phase == 8;
    }
    std::vector<Point> answer(const Description& board, bool right) override {
        // tile ROW COLUMN X Y W H VALUE RANK SHOWN
        Rows tiles = pick(board, "tile", 9, [](const Row&) { return true; });
        std::sort(tiles.begin(), tiles.end(), [](const Row& a, const Row& b) { return a[6] < b[6]; });
        auto next = static_cast<size_t>(first(board, "numbers", 1, 0));
        if (next >= tiles.size()) return {};
        const Row& t = right ? tiles[next] : tiles[next + 1 < tiles.size() ? next + 1 : next];
        if (!right && next + 1 >= tiles.size()) return {};
        return {{t[2] + t[4] / 2, t[3] + t[5] / 2}};
    }
};

// Which Is More: the panel with the most things in it.
class WhichIsMorePlayer : public OneClickPlayer {
public:
    WhichIsMorePlayer() : OneClickPlayer("panel", 6, centre) {}

protected:
    bool isRight(const Description& board, const Row& r) const override {
        int most = 0;
        for (const Row& p : board.rows("panel"))
            if (p.size() >= 6) most = std::max(most, p[5]);
        return r[5] == most;
    }
};

// Find the New Image: the picture in a place that was empty at the last answer.
class FindNewImagePlayer : public GamePlayer {
public:
    std::vector<Point> answer(const Description& board, bool right) override {
        Rows pictures = pick(board, "picture", 3, [](const Row&) { return true; });
        if (pictures.size() < known_.size()) known_.clear();  // a new play began
        std::vector<Point> click;
        for (const Row& p : pictures)
            if (click.empty() && (known_.count(p[0]) == 0) == right) click.push_back(at(p));
        for (const Row& p : pictures) known_.insert(p[0]);
        return click;
    }

private:
    std::set<int> known_;
};

// Find the Circles: a circle not found yet; a miss clicks the empty play area.
class FindCirclesPlayer : public GamePlayer {
public:
    int answersPerTurn(const Description& board) const override { return first(board, "circles", 0); }
    std::vector<Point> answer(const Description& board, bool right) override {
        // circle I CX CY SIZE FOUND
        Rows circles = pick(board, "circle", 5, [](const Row&) { return true; });
        if (right) {
            for (const Row& c : circles)
                if (c[4] == 0) return {at(c)};
            return {};
        }
        const std::vector<Row>& area = board.rows("area");
        if (area.empty() || area[0].size() < 4) return {};
        const Row& a = area[0];
        // The point of a coarse lattice over the area farthest from every circle's edge.
        Point best{-1, -1};
        int bestGap = 0;
        for (int y = a[1] + 4; y < a[1] + a[3] - 4; y += 8)
            for (int x = a[0] + 4; x < a[0] + a[2] - 4; x += 8) {
                int gap = 1 << 20;
                for (const Row& c : circles) {
                    int dx = x - c[1], dy = y - c[2], reach = c[3] / 2 + 2;
                    gap = std::min(gap, dx * dx + dy * dy - reach * reach);
                }
                if (gap > bestGap) {
                    bestGap = gap;
                    best = {x, y};
                }
            }
        if (best.x < 0) return {};
        return {best};
    }
};

// Spatial Memory: a lit tile not clicked yet; a miss clicks a plain tile.
class SpatialMemoryPlayer : public OneClickPlayer {
public:
    SpatialMemoryPlayer() : OneClickPlayer("tile", 7, centre) {}
    int answersPerTurn(const Description& board) const override { return first(board, "grid", 2); }

protected:
    static constexpr int kPlain = 1, kTarget = 2;
    bool offered(const Description&, const Row& r) const override { return r[5] == kPlain || r[5] == kTarget; }
    bool isRight(const Description&, const Row& r) const override { return r[5] == kTarget; }
};

// Simon: the button of the sequence's next entry.
class SimonPlayer : public OneClickPlayer {
public:
    SimonPlayer() : OneClickPlayer("choice", 7, centre) {}
    int answersPerTurn(const Description& board) const override { return first(board, "simon", 1); }

protected:
    bool isRight(const Description& board, const Row& r) const override {
        const std::vector<Row>& simon = board.rows("simon");
        const std::vector<Row>& sequence = board.rows("sequence");
        if (simon.empty() || simon[0].size() < 3 || sequence.empty()) return false;
        size_t next = static_cast<size_t>(simon[0][2]);
        return next < sequence[0].size() && sequence[0][next] == r[0];
    }
};

// Colour Labels: a word printed in its own colour, not checked yet.
class ColorLabelsPlayer : public OneClickPlayer {
public:
    ColorLabelsPlayer() : OneClickPlayer("label", 8, centre) {}
    int answersPerTurn(const Description& board) const override { return first(board, "labels", 2); }

protected:
    static constexpr int kChecked = -2;
    bool offered(const Description&, const Row& r) const override { return r[7] && r[5] != kChecked; }
    bool isRight(const Description&, const Row& r) const override { return r[6] == 1; }
};

// Spot the Change: the card whose picture is not the one it showed first.
class SpotChangesPlayer : public OneClickPlayer {
public:
    SpotChangesPlayer() : OneClickPlayer("card", 7, centre) {}

protected:
    bool isRight(const Description&, const Row& r) const override { return r[5] != r[6]; }
};

// Match Maker, Shadow Shift, Get in Shape: the option showing the target's figure.
class MatchPlayer : public OneClickPlayer {
public:
    MatchPlayer() : OneClickPlayer("option", 4, at) {}

protected:
    bool isRight(const Description& board, const Row& r) const override {
        const std::vector<Row>& options = board.rows("options");
        return !options.empty() && options[0].size() >= 3 && r[3] == options[0][2];
    }
};

// Match Maker II: "Match" when the picture equals the one N steps back, else
// let it pass. Pictures are remembered as they show; each step is decided once.
class NBackPlayer : public GamePlayer {
public:
    void observe(const Description& board) override {
        // nback N step S picture P answered A
        const std::vector<Row>& rows = board.rows("nback");
        if (rows.empty() || rows[0].size() < 4) return;
        const int step = rows[0][1], picture = rows[0][2];
        if (step < 0 || picture < 0) return;
        if (step < lastStep_) pictures_.clear();  // a new play
        lastStep_ = step;
        pictures_[step] = picture;
    }

    int turn(const Description& board) const override { return first(board, "nback", 1, -1); }

    std::vector<Point> answer(const Description& board, bool right) override {
        const std::vector<Row>& rows = board.rows("nback");
        const std::vector<Row>& button = board.rows("matchbutton");
        if (rows.empty() || rows[0].size() < 4 || rows[0][3] || button.empty() || button[0].size() < 3 || !button[0][2])
            return {};
        const int back = rows[0][0], step = rows[0][1];
        auto decided = decisions_.try_emplace(step, right).first->second;  // one decision a step
        auto now = pictures_.find(step), before = pictures_.find(step - back);
        const bool match = now != pictures_.end() && before != pictures_.end() && now->second == before->second;
        if (match != decided) return {};  // letting it pass is the answer
        return {{button[0][0], button[0][1]}};
    }

private:
    std::map<int, int> pictures_;
    std::map<int, bool> decisions_;
    int lastStep_ = -1;
};

// Fly By: counts each kind of picture as it flies past, then presses the count
// of the kind asked (one more on purpose for a miss).
class CountingPlayer : public GamePlayer {
public:
    void observe(const Description& board) override {
        if (asked(board) < 0 && counted_) seen_.clear(), counted_ = false;  // a new turn's flights
        for (const Row& f : board.rows("flight"))                           // flight I X Y KIND
            if (f.size() >= 4) seen_[f[0]] = f[3];
    }

    std::vector<Point> answer(const Description& board, bool right) override {
        const int kindAsked = asked(board);
        if (kindAsked < 0) return {};
        int count = 0;
        for (const auto& [flight, kind] : seen_) count += kind == kindAsked;
        if (!right) count = count > 1 ? count - 1 : count + 1;
        for (const Row& b : board.rows("count"))  // count K X Y LIVE
            if (b.size() >= 4 && b[0] == count && b[3]) {
                counted_ = true;
                return {{b[1], b[2]}};
            }
        return {};
    }

private:
    // flights N asked KIND (-1 while they fly)
    static int asked(const Description& board) { return first(board, "flights", 1, -1); }

    std::map<int, int> seen_;  // flight -> kind
    bool counted_ = false;
};

// Memo Random: a picture that was shown and is not found yet.
class RecallPlayer : public OneClickPlayer {
public:
    RecallPlayer() : OneClickPlayer("choice", 5, at) {}
    int answersPerTurn(const Description& board) const override { return first(board, "seen", 0); }

protected:
    bool offered(const Description&, const Row& r) const override { return r[4] == 0; }
    bool isRight(const Description&, const Row& r) const override { return r[3] == 1; }
};

template <typename T>
std::unique_ptr<GamePlayer> make() {
    return std::make_unique<T>();
}

}  // namespace

std::unique_ptr<GamePlayer> makeGamePlayer(const std::string& className) {
    static const std::map<std::string, std::unique_ptr<GamePlayer> (*)()> players = {
        {"Concentration", make<ConcentrationPlayer>},
        {"FindNewImage", make<FindNewImagePlayer>},
        {"SpatialMemory", make<SpatialMemoryPlayer>},
        {"Simon", make<SimonPlayer>},
        {"StroopTest", make<StroopPlayer>},
        {"ColorLabels", make<ColorLabelsPlayer>},
        {"SpotChanges", make<SpotChangesPlayer>},
        {"FindCircles", make<FindCirclesPlayer>},
        {"NumberOrder", make<NumberOrderPlayer>},
        {"ShadowShift", make<MatchPlayer>},
        {"WhichIsMore", make<WhichIsMorePlayer>},
        {"MemoRandom", make<RecallPlayer>},
        {"MatchMaker", make<MatchPlayer>},
        {"MatchMaker2", make<NBackPlayer>},
        {"FlyBy", make<CountingPlayer>},
        {"GetInShape", make<MatchPlayer>}};
    auto found = players.find(className);
    return found == players.end() ? nullptr : found->second();
}

}  // namespace launcher
