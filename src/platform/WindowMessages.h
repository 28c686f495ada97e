#pragma once

#include <cstdint>

namespace platform {

// Window handles are opaque tokens that the window system validates on every
// use, so a handle outliving its window is harmless.
struct OpaqueWindow;
using WindowHandle = OpaqueWindow*;

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;
using WindowProc = LResult (*)(WindowHandle window, unsigned message, WParam wParam, LParam lParam);

// Message numbers keep their classic Windows values, so that translated code and
// traces read the same on every platform.
namespace msg {
constexpr unsigned Create = 0x0001;
constexpr unsigned Destroy = 0x0002;
constexpr unsigned Move = 0x0003;
constexpr unsigned Size = 0x0005;
constexpr unsigned Activate = 0x0006;
constexpr unsigned SetFocus = 0x0007;
constexpr unsigned KillFocus = 0x0008;
constexpr unsigned Paint = 0x000F;
constexpr unsigned Close = 0x0010;
constexpr unsigned EraseBackground = 0x0014;
constexpr unsigned SetCursor = 0x0020;
constexpr unsigned GetMinMaxInfo = 0x0024;
constexpr unsigned WindowPosChanging = 0x0046;
constexpr unsigned WindowPosChanged = 0x0047;
constexpr unsigned NcDestroy = 0x0082;
constexpr unsigned KeyDown = 0x0100;
constexpr unsigned KeyUp = 0x0101;
constexpr unsigned Char = 0x0102;
constexpr unsigned SysCommand = 0x0112;
constexpr unsigned MouseMove = 0x0200;
constexpr unsigned LButtonDown = 0x0201;
constexpr unsigned LButtonUp = 0x0202;
constexpr unsigned RButtonDown = 0x0204;
constexpr unsigned RButtonUp = 0x0205;
constexpr unsigned CaptureChanged = 0x0215;
constexpr unsigned User = 0x0400;
}  // namespace msg

// Window styles.
namespace style {
constexpr uint32_t Popup = 0x80000000u;
constexpr uint32_t Child = 0x40000000u;
constexpr uint32_t Minimize = 0x20000000u;
constexpr uint32_t Visible = 0x10000000u;
constexpr uint32_t ClipChildren = 0x02000000u;
constexpr uint32_t Caption = 0x00C00000u;
constexpr uint32_t SysMenu = 0x00080000u;
constexpr uint32_t ThickFrame = 0x00040000u;
constexpr uint32_t MinimizeBox = 0x00020000u;
constexpr uint32_t MaximizeBox = 0x00010000u;
constexpr uint32_t ExTopmost = 0x00000008u;
}  // namespace style

// WM_SIZE kinds, mouse key flags, hit tests and system commands.
constexpr WParam SizeRestored = 0;
constexpr WParam SizeMinimized = 1;
constexpr WParam SizeMaximized = 2;
constexpr WParam MkLButton = 0x0001;
constexpr WParam MkRButton = 0x0002;
constexpr WParam MkShift = 0x0004;
constexpr WParam MkControl = 0x0008;
constexpr int HitClient = 1;
constexpr WParam ScSize = 0xF000;
constexpr WParam ScMinimize = 0xF020;
constexpr WParam ScMaximize = 0xF030;
constexpr WParam ScClose = 0xF060;
constexpr WParam ScRestore = 0xF120;
constexpr WParam ActiveInactive = 0;
constexpr WParam ActiveActive = 1;

// SetWindowPos flags and z-order markers.
namespace swp {
constexpr unsigned NoSize = 0x0001;
constexpr unsigned NoMove = 0x0002;
constexpr unsigned NoZOrder = 0x0004;
constexpr unsigned NoActivate = 0x0010;
constexpr unsigned ShowWindow = 0x0040;
constexpr unsigned HideWindow = 0x0080;
}  // namespace swp
inline const WindowHandle InsertTopmost = reinterpret_cast<WindowHandle>(intptr_t(-1));
inline const WindowHandle InsertNotTopmost = reinterpret_cast<WindowHandle>(intptr_t(-2));

// ShowWindow commands.
namespace show {
constexpr int Hide = 0;
constexpr int Normal = 1;
constexpr int Minimized = 2;
constexpr int Maximized = 3;
constexpr int ShowNoActivate = 4;
constexpr int Show = 5;
constexpr int Minimize = 6;
constexpr int MinNoActive = 7;
constexpr int Restore = 9;
}  // namespace show

struct PointI {
    int x = 0, y = 0;
};

// The message parameter of WM_GETMINMAXINFO; handlers edit it in place.
struct MinMaxInfo {
    PointI reserved;
    PointI maxSize;
    PointI maxPosition;
    PointI minTrackSize;
    PointI maxTrackSize;
};

// The message parameter of WM_WINDOWPOSCHANGING/CHANGED: outer position and size.
struct WindowPos {
    WindowHandle window = nullptr;
    WindowHandle insertAfter = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    unsigned flags = 0;
};

// The message parameter of WM_CREATE.
struct CreateStruct {
    void* createParam = nullptr;
    WindowHandle parent = nullptr;
    int x = 0, y = 0, cx = 0, cy = 0;
    uint32_t style = 0;
    const char* title = "";
    const char* className = "";
};

inline LParam makeLParam(int low, int high) {
    return static_cast<LParam>(
        static_cast<int32_t>((static_cast<uint32_t>(high & 0xFFFF) << 16) | static_cast<uint32_t>(low & 0xFFFF)));
}
inline int loWord(uintptr_t v) { return static_cast<int>(v & 0xFFFF); }
inline int hiWord(uintptr_t v) { return static_cast<int>((v >> 16) & 0xFFFF); }
// Mouse positions are signed 16-bit values (a captured pointer may be left of or above the window).
inline int signedLo(LParam v) { return static_cast<int16_t>(v & 0xFFFF); }
inline int signedHi(LParam v) { return static_cast<int16_t>((static_cast<uintptr_t>(v) >> 16) & 0xFFFF); }

// Key message data: repeat count in the low word, bit 30 set when the key was already down.
constexpr LParam KeyPreviouslyDown = LParam(1) << 30;
constexpr LParam KeyTransitionUp = LParam(1) << 31;

}  // namespace platform
