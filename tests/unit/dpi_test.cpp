// What the suite draws itself follows the system DPI (run at 96 and at 144 DPI): the memory
// monitor's tray icon and the menu pictures at the small-icon size, the clock's text inside its
// window.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "monitors/ikonapameti.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "resources/resource.h"
#include "sonvidar/knihovna.h"
#include "timers/modulhodiny.h"

namespace {

BOOL WINAPI PrijmoutIkonu(DWORD, PNOTIFYICONDATAW) { return TRUE; }

SIZE VelikostIkony(HICON ikona) {
    ICONINFO info{};
    if (!::GetIconInfo(ikona, &info)) return {0, 0};
    BITMAP b{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(b), &b);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return {b.bmWidth, info.hbmColor ? b.bmHeight : b.bmHeight / 2};
}

int Dpi() {
    HDC obrazovka = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(obrazovka, LOGPIXELSY);
    ::ReleaseDC(nullptr, obrazovka);
    return dpi;
}

}  // namespace

TEST(DpiKresleni, IkonaPametiMaVelikostMaleIkony) {
    const FunkceNotifyIcon puvodni = notifikacniIkona;
    notifikacniIkona = PrijmoutIkonu;
    KonfiguraceSledovaniPameti nastaveni;
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    {
        IkonaPameti ikona(okno, nastaveni);
        MEMORYSTATUS stav{};
        stav.dwMemoryLoad = 100;
        ikona.Aktualizovat(stav);
        const SIZE s = VelikostIkony(ikona.Ikona());
        std::printf("ikona paměti %ldx%ld při %d DPI\n", s.cx, s.cy, Dpi());
        EXPECT_EQ(s.cx, ::GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(s.cy, ::GetSystemMetrics(SM_CYSMICON));
        if (Dpi() == 144) EXPECT_EQ(s.cx, 24) << "the tray icon at 150 %";
    }
    ::DestroyWindow(okno);
    notifikacniIkona = puvodni;
}

TEST(DpiKresleni, ObrazkyNabidekMajiVelikostMaleIkony) {
    SeznamObrazku seznam;
    seznam.Vytvorit(IDB_MENU_ZAKLAD);
    const int zaklad = seznam.Pocet();
    seznam.Pridat(IDB_MENU_DALSI);
    EXPECT_GT(seznam.Pocet(), zaklad) << "the second strip keeps its pictures";
    int sirka = 0, vyska = 0;
    ASSERT_TRUE(ImageList_GetIconSize(seznam.Get(), &sirka, &vyska));
    EXPECT_EQ(sirka, ::GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(vyska, ::GetSystemMetrics(SM_CYSMICON));
    HICON desata = ImageList_GetIcon(seznam.Get(), 10, ILD_NORMAL);
    ASSERT_NE(desata, nullptr);
    EXPECT_EQ(VelikostIkony(desata).cx, ::GetSystemMetrics(SM_CXSMICON));
    ::DestroyIcon(desata);
}

TEST(DpiKresleni, TextHodinJeCelyVJejichOkne) {
    auto puvodni = std::move(nastaveniHodiny);
    nastaveniHodiny = std::make_unique<KonfiguraceHodiny>();
    nastaveniHodiny->ikona = false;
    nastaveniHodiny->gong = 0;
    nastaveniHodiny->datum = 2;
    nastaveniHodiny->okno = 0x04 | 0x40;
    {
        ModulHodiny hodiny;
        HWND h = hodiny.VytvoritOkno();
        RECT klient{};
        ::GetClientRect(h, &klient);
        HFONT pismo = ::CreateFontIndirectW(&nastaveniHodiny->pismo);
        HDC dc = ::GetDC(h);
        HGDIOBJ stare = ::SelectObject(dc, pismo);
        const std::wstring text = hodiny.TextNyni();
        SIZE rozmer{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &rozmer);
        ::SelectObject(dc, stare);
        ::ReleaseDC(h, dc);
        ::DeleteObject(pismo);
        EXPECT_LE(rozmer.cx, klient.right) << text.size() << " characters cut";
        EXPECT_LE(rozmer.cy, klient.bottom);
        testy::PrekreslitOkno(h);
        testy::CekatNa([] { return false; }, 300);
        testy::UlozitSnimekOkna(h, L"hodiny_dpi");
        ::SendMessageW(h, WM_CLOSE, 0, 0);
    }
    nastaveniHodiny = std::move(puvodni);
}

// Sonvidar's picture strips (its tray icons) come at the small-icon size too.
TEST(DpiKresleni, ObrazkySonvidaruMajiVelikostMaleIkony) {
    HMODULE sonvidar = ::LoadLibraryExW((testy::SlozkaTestu() + L"\\Sonvidar.exe").c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(sonvidar, nullptr);
    for (UINT pas : {102u, 103u, 104u}) {
        HBITMAP bitmapa = Knihovna::NacistPasObrazku(sonvidar, pas);
        BITMAP b{};
        ASSERT_TRUE(::GetObjectW(bitmapa, sizeof(b), &b)) << pas;
        EXPECT_EQ(b.bmHeight, ::GetSystemMetrics(SM_CYSMICON)) << pas;
        EXPECT_EQ(b.bmWidth % b.bmHeight, 0) << pas << ": whole pictures";
        ::DeleteObject(bitmapa);
    }
    ::FreeLibrary(sonvidar);
}
