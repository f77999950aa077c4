// The menu pictures at 120, 144 and 192 DPI come from strips drawn at that size from the icon
// theme's own art, not from the 16-pixel strip stretched pixel for pixel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/pomocne.h"
#include "resources/obrazky_velikosti.h"
#include "resources/resource.h"

namespace {

// One picture of a strip loaded from the resources, 0x00RRGGBB top-down.
struct Pas {
    int strana = 0, pocet = 0;
    std::vector<uint32_t> body;  // the whole strip
    uint32_t Bod(int obrazek, int x, int y) const {
        return body[static_cast<size_t>(y) * strana * pocet + static_cast<size_t>(obrazek) * strana + x];
    }
};

Pas NacistPas(UINT id) {
    Pas pas;
    HBITMAP b = static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!b) return pas;
    BITMAP info{};
    ::GetObjectW(b, sizeof(info), &info);
    pas.strana = info.bmHeight;
    pas.pocet = info.bmHeight > 0 ? info.bmWidth / info.bmHeight : 0;
    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = info.bmWidth;
    popis.bmiHeader.biHeight = -info.bmHeight;
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    pas.body.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(dc, b, 0, static_cast<UINT>(info.bmHeight), pas.body.data(), &popis, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    ::DeleteObject(b);
    for (uint32_t& bod : pas.body) bod &= 0x00FFFFFFu;
    return pas;
}

// A picture enlarged 1.5x pixel for pixel repeats columns 3k and 3k+1, and rows the same.
bool ZvetsenyPoBodech(const Pas& pas, int obrazek) {
    for (int k = 0; 3 * k + 1 < pas.strana; ++k)
        for (int i = 0; i < pas.strana; ++i) {
            if (pas.Bod(obrazek, 3 * k, i) != pas.Bod(obrazek, 3 * k + 1, i)) return false;
            if (pas.Bod(obrazek, i, 3 * k) != pas.Bod(obrazek, i, 3 * k + 1)) return false;
        }
    return true;
}

}  // namespace

TEST(DpiObrazky, PasyVlastnichVelikostiZObrazkuTematu) {
    const struct {
        UINT zaklad, id;
        int strana;
    } pasy[] = {
        {IDB_MENU_ZAKLAD, IDB_MENU_ZAKLAD_20, 20}, {IDB_MENU_ZAKLAD, IDB_MENU_ZAKLAD_24, 24},
        {IDB_MENU_ZAKLAD, IDB_MENU_ZAKLAD_32, 32}, {IDB_MENU_DALSI, IDB_MENU_DALSI_20, 20},
        {IDB_MENU_DALSI, IDB_MENU_DALSI_24, 24},   {IDB_MENU_DALSI, IDB_MENU_DALSI_32, 32},
        {IDB_DRUHY_ZAKLAD, IDB_DRUHY_ZAKLAD_24, 24}, {IDB_DRUHY_DALSI, IDB_DRUHY_DALSI_24, 24},
    };
    for (const auto& p : pasy) {
        SCOPED_TRACE("strip " + std::to_string(p.id));
        const Pas zaklad = NacistPas(p.zaklad), pas = NacistPas(p.id);
        ASSERT_EQ(zaklad.strana, 16);
        ASSERT_EQ(pas.strana, p.strana);
        EXPECT_EQ(pas.pocet, zaklad.pocet) << "the same pictures as the 16-pixel strip";
        int zvetsenych = 0;
        for (int i = 0; i < pas.pocet; ++i) zvetsenych += ZvetsenyPoBodech(pas, i) ? 1 : 0;
        EXPECT_EQ(zvetsenych, 0);
    }

    // the menu image list at this DPI's small-icon size takes its own strip where there is one
    SeznamObrazku seznam;
    seznam.Vytvorit(IDB_MENU_ZAKLAD);
    int sirka = 0, vyska = 0;
    ASSERT_TRUE(ImageList_GetIconSize(seznam.Get(), &sirka, &vyska));
    if (sirka == 16) return;
    HICON ikona = ImageList_GetIcon(seznam.Get(), 1, ILD_NORMAL);
    ASSERT_NE(ikona, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(ikona, &info));
    Pas obrazek;
    obrazek.strana = sirka;
    obrazek.pocet = 1;
    obrazek.body.resize(static_cast<size_t>(sirka) * sirka);
    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = sirka;
    popis.bmiHeader.biHeight = -sirka;
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(sirka), obrazek.body.data(), &popis, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(ikona);
    for (uint32_t& bod : obrazek.body) bod &= 0x00FFFFFFu;
    std::printf("obrázky nabídek %dx%d\n", sirka, vyska);
    if (sirka == 20 || sirka == 24 || sirka == 32) {
        EXPECT_FALSE(ZvetsenyPoBodech(obrazek, 0)) << "the settings picture";
    }
}
