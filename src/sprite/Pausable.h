#pragma once

namespace sprite {

// A child whose animation a container can hold and resume as a group.
class Pausable {
public:
    virtual void setPaused(bool paused) = 0;

protected:
    ~Pausable() = default;
};

}  // namespace sprite
