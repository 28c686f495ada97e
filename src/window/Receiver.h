#pragma once

namespace window {

class Event;

// The one-operation interface of everything that receives input events:
// components and sprites.
class Receiver {
public:
    virtual bool handleEvent(Event* event) = 0;

protected:
    ~Receiver() = default;
};

}  // namespace window
