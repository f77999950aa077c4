#include "screen/vypocty.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "knihovna/text.h"

LiteralyBarvy LiteralyZBarvy(COLORREF barva) {
    const unsigned r = GetRValue(barva), g = GetGValue(barva), b = GetBValue(barva);
    LiteralyBarvy l;
    l.html = knihovna::Formatovat(L"#%.2X%.2X%.2X", r, g, b);
    l.c = knihovna::Formatovat(L"0x00%.2X%.2X%.2X", b, g, r);
    l.delphi = knihovna::Formatovat(L"$00%.2X%.2X%.2X", b, g, r);
    l.basic = knihovna::Formatovat(L"&H00%.2X%.2X%.2X&", b, g, r);
    return l;
}

Hsv HsvZBarvy(COLORREF barva) {
    const double r = GetRValue(barva), g = GetGValue(barva), b = GetBValue(barva);
    const double maximum = std::max({r, g, b});
    const double minimum = std::min({r, g, b});
    Hsv v;
    v.jas = static_cast<int>(maximum / 255.0 * 100.0);
    v.sytost = maximum == 0 ? 0 : static_cast<int>((1.0 - minimum / maximum) * 100.0);
    // A grey has no hue: 0 instead of a division by zero.
    if (maximum == minimum) return v;
    const double rozsah = maximum - minimum;
    double odstin = 0;
    if (r == maximum) odstin = 60.0 * (g - b) / rozsah + (g < b ? 360.0 : 0.0);
    if (g == maximum) odstin = 60.0 * (b - r) / rozsah + 120.0;
    if (b == maximum) odstin = 60.0 * (r - g) / rozsah + 240.0;
    v.odstin = static_cast<int>(odstin);
    return v;
}

int OmezitZoom(DWORD zoom) {
    return static_cast<int>(std::min(std::max(zoom, ZOOM_MIN), ZOOM_MAX));
}

RECT ZdrojLupy(const RECT& lupa, POINT bod, DWORD zoom) {
    const int z = OmezitZoom(zoom);
    const int sirka = (lupa.right - lupa.left) / z;
    const int vyska = (lupa.bottom - lupa.top) / z;
    RECT r;
    r.left = bod.x - sirka / 2;
    r.top = bod.y - vyska / 2;
    r.right = r.left + sirka;
    r.bottom = r.top + vyska;
    return r;
}

POINT StredZnacky(const RECT& oblast, int velikost) {
    return {oblast.left + (oblast.right - oblast.left - velikost) / 2,
            oblast.top + (oblast.bottom - oblast.top - velikost) / 2};
}

VysledekMereni Zmerit(int x1, int y1, int x2, int y2) {
    VysledekMereni v;
    v.dx = std::abs(x2 - x1);
    v.dy = std::abs(y2 - y1);
    v.delka = static_cast<int>(std::sqrt(static_cast<double>(v.dx) * v.dx + static_cast<double>(v.dy) * v.dy));
    return v;
}
