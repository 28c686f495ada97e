// The host program's wait on the dummy video driver of a headless run: an event
// pushed by another thread ends a wait without limit, and a wait with a limit
// and no event ends empty.
#include <SDL.h>
#include <gtest/gtest.h>

#include <thread>

#include "launcher/EventWaiter.h"

TEST(EventWaiterTest, AnEventPushedByAnotherThreadEndsTheWait) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0);
    {
        launcher::EventWaiter waiter;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {}
        EXPECT_FALSE(waiter.wait(&event, 5));
        Uint32 type = SDL_RegisterEvents(1);
        std::thread pusher([type] {
            SDL_Delay(20);
            SDL_Event pushed{};
            pushed.type = type;
            SDL_PushEvent(&pushed);
        });
        ASSERT_TRUE(waiter.wait(&event, -1));
        EXPECT_EQ(event.type, type);
        pusher.join();
    }
    SDL_Quit();
}
