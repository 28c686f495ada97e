#include "game/minigames/FindCircles.h"

#include <algorithm>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/AnimateSprite.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(FindCircles)

namespace {

constexpr int kPhaseAnswerSoon = 2;
constexpr int kPhaseFade = 4;
constexpr int kSizes = 4;
constexpr int kShowFrames = 24, kFadeSteps = 10, kNextTurnFrames = 12;
constexpr int kShownAlpha = 128;
// A play area too small for a turn's circles has no free place: the search stops here.
constexpr int kPlacingAttempts = 1000;

}  // namespace

FindCircles::~FindCircles() { releaseCircles(); }

void FindCircles::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* area = part("GameBounds")) {
        area->setVisible(false);
        playArea_.set(area->getX(), area->getY(), area->getWidth(), area->getHeight());
    }
}

// --- the combinations of sizes ---

std::vector<FindCircles::CircleCombo> FindCircles::buildCombos(int fewest, int most) {
    std::vector<CircleCombo> table;
    for (int n = std::max(fewest, 1); n <= most; ++n) {
        std::vector<int> tuple(n, 1);
        for (;;) {
            CircleCombo combo;
            combo.sizes = tuple;
            std::sort(combo.sizes.begin(), combo.sizes.end());
            combo.count = n;
            bool known = std::any_of(table.begin(), table.end(),
                                     [&](const CircleCombo& c) { return c.count == n && c.sizes == combo.sizes; });
            if (!known) {
                combo.difficulty = 2 * n;
                for (int s : combo.sizes) combo.difficulty += s;
                // After the last entry of lower difficulty: the table stays sorted.
                auto after = std::find_if(table.rbegin(), table.rend(),
                                          [&](const CircleCombo& c) { return c.difficulty < combo.difficulty; });
                table.insert(after.base(), combo);
            }
            // The odometer: the first position turns fastest.
            int i = 0;
            while (i < n && tuple[i] == kSizes) tuple[i++] = 1;
            if (i == n) break;
            ++tuple[i];
        }
    }
    return table;
}

void FindCircles::combosForLevel(const std::vector<CircleCombo>& table, int level, int& first, int& last) {
    first = last = -1;
    if (table.empty()) return;
    int d = std::clamp(level, table.front().difficulty, table.back().difficulty);
    for (int i = 0; i < static_cast<int>(table.size()); ++i)
        if (table[i].difficulty == d) {
            if (first < 0) first = i;
            last = i;
        }
}

bool FindCircles::overlap(sprite::Sprite* a, sprite::Sprite* b) {
    auto cornerInside = [](sprite::Sprite* s, sprite::Sprite* other) {
        const int x = s->getX(), y = s->getY(), w = s->getWidth(), h = s->getHeight();
        return other->contains(x, y) || other->contains(x + w, y) || other->contains(x, y + h) ||
               other->contains(x + w, y + h);
    };
    a->getBounds();  // the hit test uses the bounds as last computed
    b->getBounds();
    return cornerInside(a, b) || cornerInside(b, a);
}

// --- play ---

void FindCircles::startGame() {
    {
        ObjectLock hold(this, true);
        combos_ = buildCombos(param(ParamFewestCircles), std::min(param(ParamMostCircles), MaxCircles));
    }
    GameBase::startGame();
}

void FindCircles::stopGame() {
    ObjectLock hold(this, true);
    GameBase::stopGame();
    combos_.clear();
}

sprite::AnimateSprite* FindCircles::circle(int i) const { return i >= 0 && i < circleCount() ? circles_[i] : nullptr; }

void FindCircles::releaseCircles() {
    for (sprite::AnimateSprite* s : circles_) s->release();
    circles_.clear();
}

void FindCircles::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (sprite::AnimateSprite* s : circles_) remove(s);
    releaseCircles();
    found_.clear();
    turnCounter_ = 0;
}

void FindCircles::place(sprite::Sprite* s) {
    const int w = s->getWidth(), h = s->getHeight();
    for (int attempt = 0; attempt < kPlacingAttempts; ++attempt) {
        s->setLocation(playArea_.x + random_.nextInt(std::max(playArea_.width - w, 0)),
                       playArea_.y + random_.nextInt(std::max(playArea_.height - h, 0)));
        if (std::none_of(circles_.begin(), circles_.end(), [&](sprite::Sprite* other) { return overlap(s, other); }))
            return;
    }
}

void FindCircles::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    int first = -1, last = -1;
    combosForLevel(combos_, getLevel(), first, last);
    if (first >= 0) {
        const CircleCombo& combo = combos_[random_.nextInt(first, last)];
        for (int size : combo.sizes) {
            auto* prototype = dynamic_cast<sprite::AnimateSprite*>(part(numberedName("PrototypeCircle", size).c_str()));
            if (prototype == nullptr) continue;
            auto* s = static_cast<sprite::AnimateSprite*>(prototype->clone());
            s->setColorFactors(kShownAlpha, 128, 128, 128);
            place(s);
            s->setVisible(true);
            add(s);
            circles_.push_back(s);
        }
    }
    found_.assign(circles_.size(), 0);
    GameBase::endTurn();
}

void FindCircles::fadeAll(int alpha, int steps) {
    for (sprite::AnimateSprite* s : circles_) s->fadeTo(alpha, steps, false);
}

void FindCircles::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (!turnEnded_) {
            endTurn();
            scheduleNextPhase(kPhaseFade, kShowFrames);
        }
        break;
    case kPhaseFade:
        fadeAll(0, kFadeSteps);
        scheduleNextPhase(kPhaseAnswerSoon, kFadeSteps);
        break;
    case kPhaseAnswerSoon: scheduleNextPhase(PhaseAnswer, 1); break;
    case PhaseCorrect:
        ++turnCounter_;
        if (turnCounter_ < circleCount()) {
            scheduleNextPhase(PhaseAnswer, 1);
        } else {
            finishTurn(true, 1);
        }
        break;
    case PhaseWrong:
        finishTurn(false, 1);
        fadeAll(kShownAlpha, 1);  // every circle shows again at once
        break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, kNextTurnFrames); break;
    default: break;
    }
}

int FindCircles::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer})) return answer;
    const int lx = event->x - getX(), ly = event->y - getY();
    for (int i = 0; i < circleCount(); ++i) {
        if (!circles_[i]->hitTest(lx, ly)) continue;
        if (found_[i] == 0) {  // a circle already found takes the click and changes nothing
            playSound(MentariumCanvas::SoundClick);
            found_[i] = 1;
            circles_[i]->fadeTo(kShownAlpha, kFadeSteps, false);
            setPhase(PhaseCorrect);
        }
        return TAKEN;
    }
    if (!playArea_.contains(lx, ly)) return answer;
    playSound(MentariumCanvas::SoundClick);
    setPhase(PhaseWrong);
    return TAKEN;
}

void FindCircles::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "circles " + std::to_string(circleCount()) + "\n";
    // Where a click that hits no circle counts as a miss.
    text += "area " + std::to_string(getX() + playArea_.x) + " " + std::to_string(getY() + playArea_.y) + " " +
            std::to_string(playArea_.width) + " " + std::to_string(playArea_.height) + "\n";
    for (int i = 0; i < circleCount(); ++i) {
        sprite::AnimateSprite* s = circles_[i];
        text += "circle " + std::to_string(i) + " " + std::to_string(getX() + s->getX() + s->getWidth() / 2) + " " +
                std::to_string(getY() + s->getY() + s->getHeight() / 2) + " " + std::to_string(s->getWidth()) + " " +
                std::to_string(found_[i]) + "\n";
    }
}
