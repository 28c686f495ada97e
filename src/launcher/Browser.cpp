#include "Browser.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

extern char** environ;

namespace launcher {

void openInBrowser(const std::string& url) {
    std::string program = "xdg-open";
    std::string argument = url;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // Its chatter stays off our standard output, which scripts read; its errors show.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int failed = posix_spawnp(&child, "xdg-open", &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed != 0) {
        std::fprintf(stderr, "mentarium: cannot open %s: cannot run xdg-open: %s\n", url.c_str(),
                     std::strerror(failed));
        return;
    }
    // Reaped on a thread of its own: the browser may take its time.
    std::thread([child, url] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {}
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            std::fprintf(stderr, "mentarium: cannot open %s: xdg-open failed (status %d)\n", url.c_str(),
                         WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }).detach();
}

}  // namespace launcher
