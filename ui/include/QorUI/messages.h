// Window message ids, their parameter packing, key codes and command values.
// The numbers are the classic ones, so ids the program posts (1090, 1691, ...)
// and key codes stored in its files keep their meaning.
#pragma once

#include "QorUI/types.h"

// A window's handle: a number never reused within a process; 0 is none.
using HWND = std::uintptr_t;

struct MSG {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

enum : UINT {
  WM_NULL = 0x0000,
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,  // wParam SIZE_*, lParam MAKELPARAM(width, height)
  WM_ACTIVATE = 0x0006,
  WM_SETFOCUS = 0x0007,
  WM_KILLFOCUS = 0x0008,
  WM_PAINT = 0x000F,  // lParam: PaintRequest* from the host
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ERASEBKGND = 0x0014,
  WM_SHOWWINDOW = 0x0018,
  WM_GETMINMAXINFO = 0x0024,  // lParam: MINMAXINFO*
  WM_WINDOWPOSCHANGING = 0x0046,
  WM_WINDOWPOSCHANGED = 0x0047,
  WM_NCDESTROY = 0x0082,
  WM_NCACTIVATE = 0x0086,  // wParam 1 active, 0 inactive
  WM_KEYDOWN = 0x0100,     // wParam VK_*, lParam repeat count in the low word
  WM_KEYUP = 0x0101,
  WM_CHAR = 0x0102,  // wParam: a Unicode code point
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_COMMAND = 0x0111,
  WM_TIMER = 0x0113,      // wParam: timer id
  WM_MOUSEMOVE = 0x0200,  // wParam MK_*, lParam MAKELPARAM(x, y) in client pixels
  WM_LBUTTONDOWN = 0x0201,
  WM_LBUTTONUP = 0x0202,
  WM_LBUTTONDBLCLK = 0x0203,
  WM_RBUTTONDOWN = 0x0204,
  WM_RBUTTONUP = 0x0205,
  WM_RBUTTONDBLCLK = 0x0206,
  WM_MBUTTONDOWN = 0x0207,
  WM_MBUTTONUP = 0x0208,
  WM_MOUSEWHEEL = 0x020A,  // wParam MAKEWPARAM(MK_*, delta), lParam client point
  WM_MOUSEHOVER = 0x02A1,
  WM_MOUSELEAVE = 0x02A3,
  WM_CTLCOLOREDIT = 0x0133,
  WM_CTLCOLORSTATIC = 0x0138,
  WM_USER = 0x0400,
};

// The closing message of dialogs (DoOK, DoCancel, ...): wParam is the result.
constexpr UINT WM_USER_CLOSE_WINDOW = WM_USER + 66;  // 1090

enum : WPARAM {
  MK_LBUTTON = 0x0001,
  MK_RBUTTON = 0x0002,
  MK_SHIFT = 0x0004,
  MK_CONTROL = 0x0008,
  MK_MBUTTON = 0x0010,
};

enum : WPARAM { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

enum : int {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_RESTORE = 9,
};

enum : UINT { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

constexpr UINT WHEEL_DELTA = 120;

// Key codes (virtual-key numbering); letters and digits are their ASCII codes.
enum : UINT {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_CLEAR = 0x0C,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,  // Alt
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_LWIN = 0x5B,
  VK_RWIN = 0x5C,
  VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SEPARATOR = 0x6C,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,  // ... VK_F24 = 0x87
  VK_F4 = 0x73,
  VK_F24 = 0x87,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_LSHIFT = 0xA0,
  VK_RSHIFT = 0xA1,
  VK_LCONTROL = 0xA2,
  VK_RCONTROL = 0xA3,
  VK_LMENU = 0xA4,
  VK_RMENU = 0xA5,
  VK_VOLUME_MUTE = 0xAD,
  VK_VOLUME_DOWN = 0xAE,
  VK_VOLUME_UP = 0xAF,
  VK_MEDIA_NEXT_TRACK = 0xB0,
  VK_MEDIA_PREV_TRACK = 0xB1,
  VK_MEDIA_STOP = 0xB2,
  VK_MEDIA_PLAY_PAUSE = 0xB3,
  VK_OEM_1 = 0xBA,  // ;:
  VK_OEM_PLUS = 0xBB,
  VK_OEM_COMMA = 0xBC,
  VK_OEM_MINUS = 0xBD,
  VK_OEM_PERIOD = 0xBE,
  VK_OEM_2 = 0xBF,  // /?
  VK_OEM_3 = 0xC0,  // `~
  VK_OEM_4 = 0xDB,  // [{
  VK_OEM_5 = 0xDC,  // \|
  VK_OEM_6 = 0xDD,  // ]}
  VK_OEM_7 = 0xDE,  // '"
  VK_OEM_102 = 0xE2,
};

constexpr LPARAM MAKELPARAM(int lo, int hi) {
  return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(unsigned lo, int hi) {
  return static_cast<WPARAM>((lo & 0xFFFFu) | ((static_cast<unsigned>(hi) & 0xFFFFu) << 16));
}
constexpr unsigned LOWORD(std::uintptr_t v) {
  return static_cast<unsigned>(v & 0xFFFF);
}
constexpr unsigned HIWORD(std::uintptr_t v) {
  return static_cast<unsigned>((v >> 16) & 0xFFFF);
}
// Coordinates travel as signed 16-bit values.
constexpr int GET_X_LPARAM(LPARAM l) {
  return static_cast<short>(l & 0xFFFF);
}
constexpr int GET_Y_LPARAM(LPARAM l) {
  return static_cast<short>((l >> 16) & 0xFFFF);
}
constexpr CPoint PointFromLParam(LPARAM l) {
  return {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
}
constexpr LPARAM LParamFromPoint(CPoint p) {
  return MAKELPARAM(p.x, p.y);
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) {
  return static_cast<short>(HIWORD(w));
}

struct MINMAXINFO {
  CPoint ptMaxSize;
  CPoint ptMaxPosition;
  CPoint ptMinTrackSize;
  CPoint ptMaxTrackSize;
};

// Sent by the host with WM_PAINT: the area to bring up to date. The window
// answers with the canvas to present (its back buffer), or leaves it null.
class Canvas;
struct PaintRequest {
  CRect dirty;
  const Canvas* buffer = nullptr;
};
