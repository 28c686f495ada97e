#pragma once

namespace platform {

// Shows a message to the player (caption and text in Windows-1252) with an OK
// button. Without a display the caption and text go to standard error and the
// call returns at once.
void messageBox(const char* caption, const char* text);

}  // namespace platform
