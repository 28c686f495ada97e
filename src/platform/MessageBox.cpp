#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/CodePage.h"
#include "platform/WindowSystem.h"

namespace platform {

void messageBox(const char* caption, const char* text) {
    std::string title = cp1252ToUtf8(caption ? caption : "", caption ? std::strlen(caption) : 0);
    std::string body = cp1252ToUtf8(text ? text : "", text ? std::strlen(text) : 0);
    if (!isHeadless() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), body.c_str(), nullptr) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), body.c_str());
    std::fflush(stderr);
}

}  // namespace platform
