#pragma once

#include <string>

namespace launcher {

// Opens url in the desktop's browser through xdg-open without waiting for it.
// A failure to launch xdg-open, or xdg-open reporting failure, is told on
// standard error, so a press that opens nothing does not pass silently.
void openInBrowser(const std::string& url);

}  // namespace launcher
