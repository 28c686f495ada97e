/* Mentarium host interface.
 *
 * A host program loads libmentarium.so, fills a host information block and calls
 * GameDLLNotify(MENTARIUM_START, block). The game then draws into the host's window
 * and reports what happens through the block's callback, until the host calls
 * GameDLLNotify(MENTARIUM_STOP, block). The block must stay alive and unchanged
 * from the start call until the stop call returns.
 *
 * The block is an array of pointer-sized slots; the game reads the slots named below
 * and ignores the others. Slots hold integers, pointers or function pointers cast to
 * intptr_t.
 *
 * The game's scene is 500 x 375 pixels; it is shown scaled to the host window's
 * client area with its aspect kept and centred (black bars fill the rest). Use
 * mentarium_scene_to_window to place input in scene coordinates.
 */
#ifndef MENTARIUM_HOST_H
#define MENTARIUM_HOST_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Codes of GameDLLNotify. MENTARIUM_SERVICE lets the game do its window work on the
 * host's thread: a host calls it from its event loop every time it wakes (after
 * handling its SDL events). The game's threads push an SDL event whenever they
 * have window work (a frame to show, a message, a repaint), so a host may sleep in
 * SDL_WaitEvent between calls. MENTARIUM_SERVICE answers the longest time in
 * milliseconds the host may wait for an event before calling again (while the
 * loading display is shown it wants a look every few milliseconds), or
 * MENTARIUM_SERVICE_WHEN_WOKEN (-1): call again when the next SDL event arrives.
 * A host that calls it every few milliseconds anyway works just as well. */
enum { MENTARIUM_START = 0, MENTARIUM_STOP = 1, MENTARIUM_SERVICE = 2, MENTARIUM_DESCRIBE = 3, MENTARIUM_STEP = 4 };
enum { MENTARIUM_SERVICE_WHEN_WOKEN = -1 };

/* MENTARIUM_DESCRIBE is an aid for automated players and tests: block points to two
 * slots, a char buffer and its capacity; the game writes a text describing what it
 * shows (one line per fact, "key value ..."; see the host program's --bot) and
 * answers the text's full length, which may exceed the capacity (the text is then
 * cut, always terminated). It answers 0 when no game runs. Call it from the host's
 * thread, like the other codes. */

/* MENTARIUM_STEP is for hosts that play by program and want plays that repeat
 * exactly and run as fast as the machine allows. When the block's
 * MENTARIUM_SLOT_STEPPED_FRAMES was non-zero at the start call, the game runs a
 * frame only when asked: each MENTARIUM_STEP first lets the game handle the input
 * the host gave since the last one (call MENTARIUM_SERVICE after pushing it), then
 * runs one frame and returns when it is done. It answers the frame's length in
 * game milliseconds, or 0 when no frame ran (frames are not stepped, or the game
 * has no frames yet, as while its scene loads: call again a little later). The
 * game's own clock then counts the frames stepped. Call it from the host's thread. */

/* Slots of the host information block. */
enum {
    MENTARIUM_SLOT_CONTEXT = 0,         /* handed back as the first callback argument */
    MENTARIUM_SLOT_CALLBACK = 1,        /* MentariumHostCallback, or 0: no notifications */
    MENTARIUM_SLOT_INSTANCE = 2,        /* the host's own handle for the game; may be 0 */
    MENTARIUM_SLOT_PARENT_WINDOW = 3,   /* the host's SDL_Window*; the game draws into it */
    MENTARIUM_SLOT_GAME_DIRECTORY = 10, /* const char*: directory holding Cogniquilt.bin, looked in first;
                                           "" or 0: the archive is searched for from the executable's directory */
    MENTARIUM_SLOT_LANGUAGE = 11,       /* const char*: the language the game speaks, "en", "de", "fr" or "es";
                                           "" or 0 (or a code it does not speak): the game chooses from the
                                           environment as desktop programs do: the first of LANGUAGE (a colon
                                           list such as "fr:de"), LC_ALL, LC_MESSAGES and LANG that is set
                                           decides, its first supported language wins, else English */
    MENTARIUM_SLOT_STEPPED_FRAMES = 17, /* non-zero: frames run only at MENTARIUM_STEP (above) */
    MENTARIUM_SLOT_UNLOCK_ALL = 18,     /* non-zero: every game can be practised in this run (never saved) */
    MENTARIUM_SLOT_SHOW_DOWNLOAD = 19,  /* non-zero: the main menu shows its download button */
    MENTARIUM_BLOCK_SLOTS = 20
};

/* Notification codes sent through the callback. */
enum {
    MENTARIUM_NOTIFY_DOWNLOAD = 0,   /* the player pressed the download button */
    MENTARIUM_NOTIFY_SOUND_ON = 2,   /* sound switched on again */
    MENTARIUM_NOTIFY_SOUND_OFF = 3,  /* sound muted */
    MENTARIUM_NOTIFY_LOADED = 4,     /* loading complete, first menu shown */
    MENTARIUM_NOTIFY_STARTED = 5,    /* start-up built the game (before its window exists) */
    MENTARIUM_NOTIFY_LEFT_GAME = 6,  /* the player confirmed leaving a running minigame */
    MENTARIUM_NOTIFY_PLAY_START = 7, /* a minigame starts a play */
    MENTARIUM_NOTIFY_GAME_OVER = 8,  /* a minigame ended; the game-over overlay shows */
    MENTARIUM_NOTIFY_STOPPED = 9,    /* the game was stopped by the host, or could not start or load (its
                                        archive missing or damaged; the player was told): the host may
                                        call MENTARIUM_STOP, which then does nothing */
    MENTARIUM_NOTIFY_PAUSED = 10,    /* a minigame was paused */
    MENTARIUM_NOTIFY_RESUMED = 11,   /* a minigame resumes, or a dialog or menu closed */
    MENTARIUM_NOTIFY_BEST_SCORE = 12 /* new best daily test score; text "<score>N</score><rank>R</rank>" */
};

/* The host callback. text is null except for MENTARIUM_NOTIFY_BEST_SCORE. It may be
 * called on any of the game's threads; the result is ignored. */
typedef void (*MentariumHostCallback)(intptr_t context, int code, const char* text);

/* The one exported entry point. Returns 0, except for MENTARIUM_SERVICE,
 * MENTARIUM_DESCRIBE and MENTARIUM_STEP (above). */
typedef int (*GameDLLNotifyFunction)(int code, intptr_t* block);
int GameDLLNotify(int code, intptr_t* block);

/* Scene size and its placement in a window of the given client size. */
enum { MENTARIUM_SCENE_WIDTH = 500, MENTARIUM_SCENE_HEIGHT = 375 };

typedef struct {
    int x, y, width, height; /* where the scene is drawn inside the window */
} MentariumViewport;

static inline MentariumViewport mentarium_viewport(int windowWidth, int windowHeight) {
    MentariumViewport v;
    /* the largest size with the scene's aspect that fits, centred */
    if ((int64_t)windowWidth * MENTARIUM_SCENE_HEIGHT <= (int64_t)windowHeight * MENTARIUM_SCENE_WIDTH) {
        v.width = windowWidth;
        v.height = (int)((int64_t)windowWidth * MENTARIUM_SCENE_HEIGHT / MENTARIUM_SCENE_WIDTH);
    } else {
        v.height = windowHeight;
        v.width = (int)((int64_t)windowHeight * MENTARIUM_SCENE_WIDTH / MENTARIUM_SCENE_HEIGHT);
    }
    if (v.width < 1) v.width = 1;
    if (v.height < 1) v.height = 1;
    v.x = (windowWidth - v.width) / 2;
    v.y = (windowHeight - v.height) / 2;
    return v;
}

/* Scene point to window point (the centre of the scene pixel) and back (for input). */
static inline void mentarium_scene_to_window(MentariumViewport v, int sx, int sy, int* wx, int* wy) {
    *wx = v.x + (int)((2 * (int64_t)sx + 1) * v.width / (2 * MENTARIUM_SCENE_WIDTH));
    *wy = v.y + (int)((2 * (int64_t)sy + 1) * v.height / (2 * MENTARIUM_SCENE_HEIGHT));
}

static inline void mentarium_window_to_scene(MentariumViewport v, int wx, int wy, int* sx, int* sy) {
    *sx = (int)((int64_t)(wx - v.x) * MENTARIUM_SCENE_WIDTH / v.width);
    *sy = (int)((int64_t)(wy - v.y) * MENTARIUM_SCENE_HEIGHT / v.height);
}

#ifdef __cplusplus
}
#endif

#endif /* MENTARIUM_HOST_H */
