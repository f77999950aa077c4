// Pure computations of the screen tools: colour literals and HSV of the colour picker, the
// magnifier's source rectangle, the measured extents of a line or area, and clamped zooms.
#pragma once

#include <windows.h>

#include <string>

// The four colour literals of a colour (bytes red, green, blue).
struct LiteralyBarvy {
    std::wstring html;    // "#RRGGBB"
    std::wstring c;       // "0x00BBGGRR"
    std::wstring delphi;  // "$00BBGGRR"
    std::wstring basic;   // "&H00BBGGRR&"
};
LiteralyBarvy LiteralyZBarvy(COLORREF barva);

// Hue 0-359, saturation 0-100, value 0-100. A grey (red = green = blue) has hue 0.
struct Hsv {
    int odstin = 0;
    int sytost = 0;
    int jas = 0;
};
Hsv HsvZBarvy(COLORREF barva);

// Stored zooms of the magnifiers lie in 1-40; anything else is brought into that range.
constexpr DWORD ZOOM_MIN = 1;
constexpr DWORD ZOOM_MAX = 40;
int OmezitZoom(DWORD zoom);

// The screen rectangle a magnifier of that rectangle shows around the point: its size is the
// magnifier's divided by the zoom (clamped first), centred on the point.
RECT ZdrojLupy(const RECT& lupa, POINT bod, DWORD zoom);
// Where a 16 x 16 mark goes to be centred in the rectangle.
POINT StredZnacky(const RECT& oblast, int velikost = 16);

// Extents of a line or area from (x1, y1) to (x2, y2): |dx|, |dy| and the truncated length.
struct VysledekMereni {
    int dx = 0;
    int dy = 0;
    int delka = 0;
};
VysledekMereni Zmerit(int x1, int y1, int x2, int y2);
