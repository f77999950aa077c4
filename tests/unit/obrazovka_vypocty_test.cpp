// Pure computations of the screen tools: colour literals, HSV, magnifier geometry, measured extents.
#include <gtest/gtest.h>

#include "screen/vypocty.h"

TEST(ObrazovkaVypocty, LiteralyBarvyJsouTabulkouPripadu) {
    struct {
        COLORREF barva;
        const wchar_t *html, *c, *delphi, *basic;
    } pripady[] = {
        {RGB(0x56, 0x34, 0x12), L"#563412", L"0x00123456", L"$00123456", L"&H00123456&"},
        {RGB(0, 0, 0), L"#000000", L"0x00000000", L"$00000000", L"&H00000000&"},
        {RGB(0xFF, 0x00, 0x0A), L"#FF000A", L"0x000A00FF", L"$000A00FF", L"&H000A00FF&"},
    };
    for (const auto& p : pripady) {
        const LiteralyBarvy l = LiteralyZBarvy(p.barva);
        EXPECT_EQ(l.html, p.html);
        EXPECT_EQ(l.c, p.c);
        EXPECT_EQ(l.delphi, p.delphi);
        EXPECT_EQ(l.basic, p.basic);
    }
}

TEST(ObrazovkaVypocty, HsvJeTabulkouPripaduASedaMaOdstinNula) {
    struct {
        const char* popis;
        COLORREF barva;
        int odstin, sytost, jas;
    } pripady[] = {
        {"red", RGB(255, 0, 0), 0, 100, 100},
        {"green", RGB(0, 255, 0), 120, 100, 100},
        {"blue", RGB(0, 0, 255), 240, 100, 100},
        {"magenta-ish red wraps past 360", RGB(255, 0, 128), 329, 100, 100},
        {"yellow: red and green tie", RGB(255, 255, 0), 60, 100, 100},
        {"grey", RGB(128, 128, 128), 0, 0, 50},
        {"black", RGB(0, 0, 0), 0, 0, 0},
        {"white", RGB(255, 255, 255), 0, 0, 100},
        {"dark orange", RGB(0x56, 0x34, 0x12), 30, 79, 33},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        const Hsv v = HsvZBarvy(p.barva);
        EXPECT_EQ(v.odstin, p.odstin);
        EXPECT_EQ(v.sytost, p.sytost);
        EXPECT_EQ(v.jas, p.jas);
    }
}

TEST(ObrazovkaVypocty, LupaUkazujeOblastPodleZoomu) {
    const RECT lupa{188, 108, 290, 208};  // 102 x 100, the colour picker's magnifier
    struct {
        DWORD zoom;
        RECT zdroj;
    } pripady[] = {
        {1, {500 - 51, 400 - 50, 500 + 51, 400 + 50}},  // one to one
        {4, {500 - 12, 400 - 12, 500 - 12 + 25, 400 - 12 + 25}},
        {40, {499, 399, 501, 401}},                      // a 2 x 2 area
        {0, {500 - 51, 400 - 50, 500 + 51, 400 + 50}},   // a stored 0 counts as 1 (no division by 0)
        {1000, {499, 399, 501, 401}},                    // clamped to 40
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.zoom);
        const RECT r = ZdrojLupy(lupa, POINT{500, 400}, p.zoom);
        EXPECT_EQ(r.left, p.zdroj.left);
        EXPECT_EQ(r.top, p.zdroj.top);
        EXPECT_EQ(r.right, p.zdroj.right);
        EXPECT_EQ(r.bottom, p.zdroj.bottom);
    }
    const POINT znacka = StredZnacky(lupa);
    EXPECT_EQ(znacka.x, 188 + (102 - 16) / 2);
    EXPECT_EQ(znacka.y, 108 + (100 - 16) / 2);
    EXPECT_EQ(OmezitZoom(0), 1);
    EXPECT_EQ(OmezitZoom(41), 40);
    EXPECT_EQ(OmezitZoom(7), 7);
}

TEST(ObrazovkaVypocty, MereniUsecky) {
    struct {
        int x1, y1, x2, y2, dx, dy, delka;
    } pripady[] = {
        {10, 10, 13, 14, 3, 4, 5}, {0, 0, 1, 1, 1, 1, 1}, {5, 5, 5, 5, 0, 0, 0}, {13, 14, 10, 10, 3, 4, 5},
        {0, 0, 100, 0, 100, 0, 100},
    };
    for (const auto& p : pripady) {
        const VysledekMereni v = Zmerit(p.x1, p.y1, p.x2, p.y2);
        EXPECT_EQ(v.dx, p.dx);
        EXPECT_EQ(v.dy, p.dy);
        EXPECT_EQ(v.delka, p.delka);
    }
}
