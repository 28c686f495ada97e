#pragma once

#include "lang/ObjectLock.h"
#include "sprite/Sprite.h"
#include "util/Region.h"
#include "util/Vector.h"

namespace sprite {

class DataLoader;

// A sprite holding an ordered list of children in its own coordinate space
// (first = bottom). It paints them clipped to its rectangle, gathers their dirty
// areas for the render pass and can fade itself out as one picture.
class FancyContainer : public Sprite {
    MENTARIUM_METACLASS(FancyContainer)

public:
    FancyContainer();
    FancyContainer(int w, int h);
    ~FancyContainer() override;
    MENTARIUM_CLASS(FancyContainer, Sprite)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setVisible(bool value) override;
    void setSize(int w, int h) override;
    void setColorFactors(int alpha, int red, int green, int blue) override;

    virtual void onLoaded(DataLoader* loader) {}
    virtual void loadImages();
    virtual void unloadImages();
    virtual bool addAfter(SpriteBase* child, SpriteBase* ref);
    virtual bool add(SpriteBase* child);
    virtual void remove(SpriteBase* child);
    virtual void setAnimationsPaused(bool paused);
    virtual void paintChildren(window::Graphics* g, util::Region* clipArea);

    // Moves child right before ref (to the bottom when ref is not a child); no repaint.
    void insertBefore(SpriteBase* child, SpriteBase* ref);
    // Fades the container out over the next collection passes, then hides it.
    void fadeOut();

    int childCount() const { return children.size(); }
    Sprite* childAt(int i) const { return static_cast<Sprite*>(children.elementAt(i)); }  // borrowed
    bool isFadingOut() const { return fadingOut; }
    int pendingRemovals() const { return removals.size(); }
    void setFadeStep(int step) { fadeStep = step; }

protected:
    // Records a child's rectangle (container coordinates) as dirty here and, moved
    // by the container's position, in the container's own dirty area.
    void markChildDirty(const util::RectangleNM& r);
    // Makes the container the one the child's changes are passed up to.
    void linkChild(Sprite* child);
    void resetRegion();
    void dropBuffer();
    // Runs visit on every child from the top (last) down while it answers true.
    template <typename Visit>
    void forChildrenFromTop(Visit visit);

    int fadeStep = 20;
    util::Vector children{10};
    util::Vector removals{10};
    bool fadingOut = false;
    util::Region region;  // guarded by its own monitor, taken before the children's

private:
    bool insertChild(SpriteBase* child, int index, bool leaveRemovals);
};

template <typename Visit>
void FancyContainer::forChildrenFromTop(Visit visit) {
    ObjectLock hold(&children, true);
    for (int i = children.size() - 1; i >= 0; --i) {
        if (i >= children.size()) continue;  // a handler may have changed the list
        if (!visit(static_cast<Sprite*>(children.uncheckedAt(i)))) break;
    }
}

}  // namespace sprite
