// mentarium: the host program. Opens a window, loads libmentarium.so, starts the
// game in the window and pumps the window's events until the player closes it.
#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Bot.h"
#include "Browser.h"
#include "DataSearch.h"
#include "EventWaiter.h"
#include "InstallLayout.h"
#include "Options.h"
#include "ProgressReport.h"
#include "Screenshot.h"
#include "Script.h"
#include "VideoStart.h"
#include "mentarium/host.h"
#include "platform/ProfileStore.h"
#include "platform/ProgressStore.h"

namespace {

const char kArchiveName[] = "Cogniquilt.bin";
const char kMakerSite[] = "https://www.quillory.com/";

launcher::Options options;
std::mutex outputLock;
// Set by the game's "loaded" notification; the script's clock starts there.
std::atomic<bool> sceneLoaded{false};
// Set by a "stopped" notification; before our own stop call it means the game
// ended by itself (its archive or scene could not be loaded).
std::atomic<bool> gameStopped{false};
// A game that never reports its scene still gets its script played after this.
constexpr Uint32 kLongestLoadMs = 20000;
// Stepped frames that the game did not run (its scene still loading) are asked
// for again after about a frame's time.
constexpr int kStepRetryMs = 40;
// The bot looks at every frame, as a player watching the screen sees each picture
// however briefly it shows (a found pair's flash lasts a few frames).
constexpr Uint32 kBotLookMs = 40;

// An event of the host's own, pushed to wake its loop when the scene has loaded.
Uint32 loadedEventType = 0;

void onNotify(intptr_t /*context*/, int code, const char* text) {
    if (code == MENTARIUM_NOTIFY_LOADED) {
        sceneLoaded = true;
        SDL_Event wake{};
        wake.type = loadedEventType;
        if (loadedEventType != 0) SDL_PushEvent(&wake);
    }
    if (code == MENTARIUM_NOTIFY_STOPPED) gameStopped = true;
    std::lock_guard<std::mutex> hold(outputLock);
    if (options.printNotifications) {
        if (text) std::printf("notify %d %s\n", code, text);
        else
            std::printf("notify %d\n", code);
        std::fflush(stdout);
    }
    if (options.verbose)
        std::fprintf(stderr, "mentarium: notification %d%s%s\n", code, text ? " " : "", text ? text : "");
    if (code == MENTARIUM_NOTIFY_DOWNLOAD && !options.headless) launcher::openInBrowser(kMakerSite);
}

// The game's description, each line prefixed so that a reader can pick it out.
void printDescription(const char* text, int nowMs) {
    std::printf("describe at %d\n", nowMs);
    for (const char* line = text; *line;) {
        const char* end = std::strchr(line, '\n');
        int length = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
        std::printf("describe %.*s\n", length, line);
        line += length + (end ? 1 : 0);
    }
    std::fflush(stdout);
}

// Injects one scripted step as the SDL events a player's input would make.
void play(const launcher::ScriptStep& step, SDL_Window* window, bool& quit) {
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    MentariumViewport view = mentarium_viewport(w, h);
    Uint32 id = SDL_GetWindowID(window);
    SDL_Event e{};
    switch (step.kind) {
    case launcher::ScriptStep::Kind::Move:
    case launcher::ScriptStep::Kind::Click: {
        int wx, wy;
        mentarium_scene_to_window(view, step.x, step.y, &wx, &wy);
        SDL_WarpMouseInWindow(window, wx, wy);
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = id;
        e.motion.x = wx;
        e.motion.y = wy;
        SDL_PushEvent(&e);
        if (step.kind == launcher::ScriptStep::Kind::Move) break;
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event b{};
            b.type = type;
            b.button.windowID = id;
            b.button.button = SDL_BUTTON_LEFT;
            b.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            b.button.clicks = 1;
            b.button.x = wx;
            b.button.y = wy;
            SDL_PushEvent(&b);
        }
        break;
    }
    case launcher::ScriptStep::Kind::Key: {
        SDL_Scancode scancode = SDL_GetScancodeFromName(step.argument.c_str());
        if (scancode == SDL_SCANCODE_UNKNOWN) {
            std::fprintf(stderr, "mentarium: script line %d: unknown key %s\n", step.line, step.argument.c_str());
            break;
        }
        for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event k{};
            k.type = type;
            k.key.windowID = id;
            k.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            k.key.keysym.scancode = scancode;
            k.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
            SDL_PushEvent(&k);
            if (type == SDL_KEYDOWN && step.argument.size() == 1) {
                SDL_Event t{};
                t.type = SDL_TEXTINPUT;
                t.text.windowID = id;
                t.text.text[0] = step.argument[0];
                SDL_PushEvent(&t);
            }
        }
        break;
    }
    case launcher::ScriptStep::Kind::Shot: {
        std::string error;
        if (!launcher::saveScreenshot(window, step.argument, error))
            std::fprintf(stderr, "mentarium: screenshot failed: %s\n", error.c_str());
        else if (options.verbose)
            std::fprintf(stderr, "mentarium: screenshot %s\n", step.argument.c_str());
        break;
    }
    case launcher::ScriptStep::Kind::Blur:
    case launcher::ScriptStep::Kind::Focus:
        e.type = SDL_WINDOWEVENT;
        e.window.windowID = id;
        e.window.event =
            step.kind == launcher::ScriptStep::Kind::Blur ? SDL_WINDOWEVENT_FOCUS_LOST : SDL_WINDOWEVENT_FOCUS_GAINED;
        SDL_PushEvent(&e);
        break;
    case launcher::ScriptStep::Kind::Describe: break;  // answered by the loop, which holds the game's entry
    case launcher::ScriptStep::Kind::Quit: quit = true; break;
    }
}

// --stats, --export-history and --reset-progress: the kept progress, without the game.
int runProgressAction() {
    std::shared_ptr<platform::ProfileStore> profile = platform::ProfileStore::openDefault();
    if (!profile) return 1;  // the store said why
    platform::ProgressStore store(profile);
    std::string why;
    switch (options.progressAction) {
    case launcher::Options::ProgressAction::Stats: launcher::printStats(store, stdout); return 0;
    case launcher::Options::ProgressAction::ExportHistory:
        if (!launcher::exportHistory(store, options.exportPath, why)) {
            std::fprintf(stderr, "mentarium: cannot write %s: %s\n", options.exportPath.c_str(), why.c_str());
            return 1;
        }
        return 0;
    case launcher::Options::ProgressAction::Reset: {
        std::string backup = launcher::resetProgress(store, why);
        if (backup.empty()) {
            std::fprintf(stderr, "mentarium: the progress was not reset: %s\n", why.c_str());
            return 1;
        }
        std::printf("The progress so far is kept in %s; the game starts afresh. Settings are kept.\n", backup.c_str());
        return 0;
    }
    case launcher::Options::ProgressAction::None: break;
    }
    return 0;
}

launcher::Bot::Settings botSettings(const launcher::Options& o) {
    launcher::Bot::Settings s;
    s.game = o.botGame;
    s.difficulty = o.botDifficulty;
    s.skill = o.botSkill;
    s.seed = o.hasSeed ? static_cast<unsigned long>(o.seed) : 1;
    return s;
}

// The shorter of two waits in ms, where -1 is no limit.
int sooner(int a, int b) {
    if (a < 0) return b;
    if (b < 0) return a;
    return a < b ? a : b;
}

}  // namespace

int main(int argc, char** argv) {
    options = launcher::parseOptions(argc, argv);
    if (options.progressAction != launcher::Options::ProgressAction::None) return runProgressAction();

    std::vector<launcher::ScriptStep> script;
    if (!options.script.empty()) {
        std::string error;
        if (!launcher::loadScript(options.script, script, error)) {
            std::fprintf(stderr, "mentarium: %s\n", error.c_str());
            return 2;
        }
    }

    std::string programDir = launcher::programDirectory();
    std::vector<std::string> dirs = launcher::searchDirectories(options.dataDirectory, programDir);
    launcher::addInstalledDataDirectory(dirs, programDir);
    std::string gameDir = launcher::findIn(dirs, kArchiveName);
    if (!options.dataDirectory.empty() && gameDir != options.dataDirectory) {
        // A directory named on the command line is meant: no other copy stands in for it.
        std::fprintf(stderr, "mentarium: --data %s: no %s there\n", options.dataDirectory.c_str(), kArchiveName);
        return 1;
    }
    if (gameDir.empty()) {
        std::fprintf(stderr, "mentarium: cannot find %s. Looked in:\n", kArchiveName);
        for (const std::string& d : dirs) std::fprintf(stderr, "  %s\n", d.c_str());
        std::fprintf(stderr, "Build it with scripts/run, or name its directory with --data.\n");
        return 1;
    }
    if (options.hasSeed) setenv("MENTARIUM_SEED", std::to_string(options.seed).c_str(), 1);
    if (!options.palette.empty()) setenv("MENTARIUM_PALETTE", options.palette.c_str(), 1);

    std::string libraryPath, libraryError;
    void* library = launcher::openGameLibrary(programDir, libraryPath, libraryError);
    if (!library) {
        std::fprintf(stderr, "mentarium: cannot load the game library %s: %s\n", libraryPath.c_str(),
                     libraryError.c_str());
        return 1;
    }
    auto notify = reinterpret_cast<GameDLLNotifyFunction>(dlsym(library, "GameDLLNotify"));
    if (!notify) {
        std::fprintf(stderr, "mentarium: %s has no GameDLLNotify\n", libraryPath.c_str());
        dlclose(library);
        return 1;
    }

    if (std::string error; !launcher::startVideo(options.headless, error)) {
        std::fprintf(stderr, "mentarium: cannot open a window: %s\n", error.c_str());
        dlclose(library);
        return 1;
    }
    // Full screen is the game's to switch (F11, Alt+Return, its kept choice); the
    // option asks it for this run.
    if (options.fullscreen) setenv("MENTARIUM_FULLSCREEN", "1", 1);
    Uint32 flags = SDL_WINDOW_RESIZABLE;
    int width = options.headless ? MENTARIUM_SCENE_WIDTH : options.width;
    int height = options.headless ? MENTARIUM_SCENE_HEIGHT : options.height;
    SDL_Window* window =
        SDL_CreateWindow("Mentarium", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!window) {
        std::fprintf(stderr, "mentarium: cannot open a window: %s\n", SDL_GetError());
        SDL_Quit();
        dlclose(library);
        return 1;
    }
    SDL_SetWindowMinimumSize(window, MENTARIUM_SCENE_WIDTH / 2, MENTARIUM_SCENE_HEIGHT / 2);

    Uint32 ownEvent = SDL_RegisterEvents(1);
    loadedEventType = ownEvent == static_cast<Uint32>(-1) ? 0 : ownEvent;

    static intptr_t block[MENTARIUM_BLOCK_SLOTS] = {};
    block[MENTARIUM_SLOT_CONTEXT] = 0;
    block[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(&onNotify);
    block[MENTARIUM_SLOT_INSTANCE] = reinterpret_cast<intptr_t>(library);
    block[MENTARIUM_SLOT_PARENT_WINDOW] = reinterpret_cast<intptr_t>(window);
    block[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(gameDir.c_str());
    block[MENTARIUM_SLOT_LANGUAGE] = reinterpret_cast<intptr_t>(options.language.c_str());
    block[MENTARIUM_SLOT_SHOW_DOWNLOAD] = 1;
    block[MENTARIUM_SLOT_UNLOCK_ALL] = options.unlockAll ? 1 : 0;
    block[MENTARIUM_SLOT_STEPPED_FRAMES] = options.stepped ? 1 : 0;
    if (options.verbose) std::fprintf(stderr, "mentarium: starting with data in %s\n", gameDir.c_str());
    notify(MENTARIUM_START, block);

    // Pump the window's events: the game handles its own through an event watch
    // on this thread; the host only watches for quitting and plays the script.
    // Between events the loop sleeps until the next thing due: what the game
    // asks for, the next script step or bot look, or the end of the longest load.
    // Stepped, it runs a frame on every pass once the scene has loaded, and the
    // script and bot times count the frames' game time.
    launcher::EventWaiter waiter;
    int waitMs = 0;
    Uint32 started = SDL_GetTicks();
    bool clockStarted = false;
    Uint32 steppedMs = 0;
    size_t next = 0;
    bool quit = false;
    launcher::Bot bot(botSettings(options));
    std::vector<launcher::Bot::Click> botClicks;
    Uint32 botLookedAt = 0;
    std::vector<char> description(1 << 14);
    while (!quit && !gameStopped) {
        SDL_Event e;
        if (waiter.wait(&e, waitMs)) {
            do {
                if (e.type == SDL_QUIT) quit = true;
            } while (SDL_PollEvent(&e));
        }
        waitMs = notify(MENTARIUM_SERVICE, block);
        // Script and bot times count from the loaded scene, however long loading takes.
        if (!clockStarted && (sceneLoaded || SDL_GetTicks() - started >= kLongestLoadMs)) {
            clockStarted = true;
            started = SDL_GetTicks();
        }
        if (options.stepped) {
            // While the scene loads the game's frames keep their own pace.
            int frameMs = notify(MENTARIUM_STEP, block);
            if (clockStarted) steppedMs += static_cast<Uint32>(frameMs);
            waitMs = clockStarted && frameMs > 0 ? 0 : sooner(waitMs, kStepRetryMs);
        }
        if (!clockStarted) {
            waitMs = sooner(waitMs, static_cast<int>(kLongestLoadMs - (SDL_GetTicks() - started)));
            continue;
        }
        Uint32 now = options.stepped ? steppedMs : SDL_GetTicks() - started;
        intptr_t query[2] = {reinterpret_cast<intptr_t>(description.data()), static_cast<intptr_t>(description.size())};
        while (!quit && next < script.size() && static_cast<long>(now) >= script[next].atMs) {
            const launcher::ScriptStep& step = script[next++];
            if (step.kind == launcher::ScriptStep::Kind::Describe && notify(MENTARIUM_DESCRIBE, query) > 0)
                printDescription(description.data(), static_cast<int>(now));
            play(step, window, quit);
        }
        if (options.bot && now - botLookedAt >= kBotLookMs) {
            botLookedAt = now;
            if (notify(MENTARIUM_DESCRIBE, query) > 0)
                for (const auto& click : bot.step(description.data(), static_cast<int>(now)))
                    botClicks.push_back(click);
            for (const std::string& name : bot.takeShots()) {
                launcher::ScriptStep shot;
                shot.kind = launcher::ScriptStep::Kind::Shot;
                shot.argument = (options.botShots.empty() ? std::string(".") : options.botShots) + "/" + name;
                if (!options.botShots.empty()) play(shot, window, quit);
            }
            if (bot.isDone()) quit = true;  // the play is over and shown
        }
        for (size_t i = 0; i < botClicks.size();) {
            if (static_cast<int>(now) < botClicks[i].atMs) {
                ++i;
                continue;
            }
            launcher::ScriptStep click;
            click.kind = launcher::ScriptStep::Kind::Click;
            click.x = botClicks[i].x;
            click.y = botClicks[i].y;
            play(click, window, quit);
            botClicks.erase(botClicks.begin() + static_cast<long>(i));
        }
        auto until = [now](long atMs) { return static_cast<int>(std::max(0L, atMs - static_cast<long>(now))); };
        if (next < script.size()) waitMs = sooner(waitMs, until(script[next].atMs));
        if (options.bot) waitMs = sooner(waitMs, until(static_cast<long>(botLookedAt) + kBotLookMs));
        for (const auto& click : botClicks) waitMs = sooner(waitMs, until(click.atMs));
    }

    // The game has shown what was wrong; the exit status tells scripts.
    bool endedByItself = gameStopped;
    if (endedByItself) std::fprintf(stderr, "mentarium: the game could not be loaded from %s\n", gameDir.c_str());
    notify(MENTARIUM_STOP, block);
    SDL_DestroyWindow(window);
    SDL_Quit();
    // The library is not unloaded: its process-wide registries (classes, fonts,
    // archives) are not freed at unload, and the process ends here anyway.
    // A game that stopped by itself (a failed load) is an error for the caller.
    if (endedByItself) return 1;
    return options.bot ? bot.exitCode() : 0;
}
