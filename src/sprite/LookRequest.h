#pragma once

#include <atomic>

namespace sprite {

// Whether a sprite, or one below it in the sprite tree, wants the next dirty
// collection to visit it. Every change raises the flag of the sprite and of
// each container above it; the collection visits only raised sprites and
// lowers each flag just before the visit, so a tree in which nothing changed is
// not walked. A sprite that animates on its own raises its flag again during
// its visit to stay on the walk.
//
// The links to the containers are weak and guarded by one process-wide lock,
// taken alone and only for as long as a raise, link or unlink lasts, so a
// container cannot go away while a change below it is still being passed up.
class LookRequest {
public:
    LookRequest() = default;
    LookRequest(const LookRequest&) = delete;
    LookRequest& operator=(const LookRequest&) = delete;

    // Raises this flag and every container's above it.
    void raise();
    // Answers whether the flag was raised, and lowers it.
    bool take() { return raised_.exchange(false); }
    bool isRaised() const { return raised_.load(); }

    // Makes container the one whose flag a raise passes on to.
    void linkTo(LookRequest* container);
    // Drops the link when it still leads to container (a sprite moved to
    // another container in the meantime keeps its new link).
    void unlinkFrom(const LookRequest* container);

private:
    std::atomic<bool> raised_{true};  // a new sprite is visited once at least
    LookRequest* container_ = nullptr;
};

}  // namespace sprite
