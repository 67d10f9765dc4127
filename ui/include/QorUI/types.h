// Plain value types shared by the library and the program: message parameters,
// colours in their two byte orders, and half-open pixel geometry.
#pragma once

#include <algorithm>
#include <cstdint>

using UINT = unsigned int;
using BYTE = std::uint8_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

// Key and picked colours: 0x00BBGGRR, red in the low byte.
using COLORREF = std::uint32_t;
// Text and drawing colours inside the library: 0xAARRGGBB.
using ARGB = std::uint32_t;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
  return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
  return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
  return static_cast<BYTE>((c >> 16) & 0xFF);
}

constexpr ARGB MakeArgb(unsigned a, unsigned r, unsigned g, unsigned b) {
  return ((a & 0xFFu) << 24) | ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
constexpr BYTE ArgbAlpha(ARGB c) {
  return static_cast<BYTE>(c >> 24);
}
constexpr BYTE ArgbRed(ARGB c) {
  return static_cast<BYTE>((c >> 16) & 0xFF);
}
constexpr BYTE ArgbGreen(ARGB c) {
  return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE ArgbBlue(ARGB c) {
  return static_cast<BYTE>(c & 0xFF);
}

constexpr ARGB ArgbFromColorref(COLORREF c, BYTE alpha = 0xFF) {
  return MakeArgb(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}
constexpr COLORREF ColorrefFromArgb(ARGB c) {
  return RGB(ArgbRed(c), ArgbGreen(c), ArgbBlue(c));
}

struct CPoint {
  int x = 0;
  int y = 0;
  constexpr CPoint() = default;
  constexpr CPoint(int px, int py) : x(px), y(py) {}
  constexpr bool operator==(const CPoint&) const = default;
  constexpr CPoint operator+(CPoint o) const { return {x + o.x, y + o.y}; }
  constexpr CPoint operator-(CPoint o) const { return {x - o.x, y - o.y}; }
};

struct CSize {
  int cx = 0;
  int cy = 0;
  constexpr CSize() = default;
  constexpr CSize(int w, int h) : cx(w), cy(h) {}
  constexpr bool operator==(const CSize&) const = default;
};

// Half-open: a point on the right or bottom edge is outside.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  constexpr CRect(CPoint origin, CSize size)
      : left(origin.x), top(origin.y), right(origin.x + size.cx), bottom(origin.y + size.cy) {}
  constexpr bool operator==(const CRect&) const = default;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr bool PtInRect(CPoint p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }

  constexpr void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
  constexpr void SetRectEmpty() { *this = CRect(); }
  constexpr void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  constexpr void OffsetRect(CPoint d) { OffsetRect(d.x, d.y); }
  constexpr void InflateRect(int dx, int dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  constexpr void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  // Both return false and leave an empty rectangle when the result is empty.
  constexpr bool IntersectRect(const CRect& a, const CRect& b) {
    *this = CRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom));
    if (IsRectEmpty()) {
      SetRectEmpty();
      return false;
    }
    return true;
  }
  constexpr bool UnionRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty()) {
      *this = b;
    } else if (b.IsRectEmpty()) {
      *this = a;
    } else {
      *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom));
    }
    if (IsRectEmpty()) {
      SetRectEmpty();
      return false;
    }
    return true;
  }
};
