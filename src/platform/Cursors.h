#pragma once

#include <cstdint>

namespace platform {

// Pointer shapes. A null cursor handle means "no image": setting it hides the pointer.
struct CursorRecord;
using CursorHandle = CursorRecord*;

namespace cursorId {
constexpr int Arrow = 32512;
constexpr int TextBeam = 32513;
constexpr int Wait = 32514;
constexpr int Cross = 32515;
}  // namespace cursorId

// One shared cursor per system shape; never freed. Null for unknown ids.
CursorHandle loadSystemCursor(int id);
// A colour cursor from 0xAARRGGBB pixels (copied). Any thread; the SDL side is made
// when the cursor is first shown.
CursorHandle createCursor(const uint32_t* pixels, int width, int height, int hotX, int hotY);
void destroyCursor(CursorHandle cursor);
// Shows a cursor over our windows (null hides the pointer); answers the previous one.
// Window thread.
CursorHandle setCursor(CursorHandle cursor);
CursorHandle getCursor();
int systemCursorId(CursorHandle cursor);  // 0 for picture cursors

}  // namespace platform
