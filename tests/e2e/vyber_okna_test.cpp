// The window picker of the real program: dragging its cross-hair over a window describes that
// window in a balloon at the main tray icon; the whole caption of the picker is readable.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

// One mouse event at an absolute screen point, delivered before the next one is sent.
void Mys(POINT bod, DWORD priznaky) {
    const int sirka = ::GetSystemMetrics(SM_CXSCREEN);
    const int vyska = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT vstup{};
    vstup.type = INPUT_MOUSE;
    vstup.mi.dx = static_cast<LONG>((bod.x * 65536LL + sirka / 2) / sirka);
    vstup.mi.dy = static_cast<LONG>((bod.y * 65536LL + vyska / 2) / vyska);
    vstup.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | priznaky;
    ::SendInput(1, &vstup, sizeof(vstup));
    CekatNa([&] {
        POINT p;
        return ::GetCursorPos(&p) && p.x == bod.x && p.y == bod.y;
    }, 1000);
    BarevneOkno::Pumpovat();
}

// A visible balloon (the shell's tooltip window) whose text holds the part.
HWND NajitBublinu(const std::wstring& cast) {
    for (HWND h = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); h; h = ::FindWindowExW(nullptr, h, TOOLTIPS_CLASSW, nullptr))
        if (::IsWindowVisible(h) && TextOkna(h).find(cast) != std::wstring::npos) return h;
    return nullptr;
}

// Width of the text in the wider of the two caption fonts (tool windows may be drawn in either).
int SirkaTitulku(const wchar_t* text, int& tlacitko) {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof(m);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
    tlacitko = m.iSmCaptionWidth > m.iCaptionWidth ? m.iSmCaptionWidth : m.iCaptionWidth;
    int sirka = 0;
    HDC dc = ::GetDC(nullptr);
    for (const LOGFONTW* popis : {&m.lfSmCaptionFont, &m.lfCaptionFont}) {
        HFONT pismo = ::CreateFontIndirectW(popis);
        HGDIOBJ stare = ::SelectObject(dc, pismo);
        SIZE rozmer{};
        ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &rozmer);
        ::SelectObject(dc, stare);
        ::DeleteObject(pismo);
        if (rozmer.cx > sirka) sirka = rozmer.cx;
    }
    ::ReleaseDC(nullptr, dc);
    return sirka;
}

}  // namespace

TEST(VyberOknaZvenku, TazeniNadOknemUkazeBublinuSJehoPolohouAVelikosti) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    HWND obrazovka = kolvex.CekatNaOkno(L"QKolvexObrazovka");
    ASSERT_NE(obrazovka, nullptr);
    BarevneOkno cil(RGB(10, 200, 30), RECT{100, 50, 400, 250});

    // "Opis vybraného okna"
    ::PostMessageW(obrazovka, WM_COMMAND, 40114, 0);
    HWND vybirac = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        vybirac = NajitOknoProcesu(kolvex.Pid(), L"QVyberOkna");
        return vybirac && ::IsWindowVisible(vybirac);
    })) << "the window picker did not open";
    PrekreslitOkno(vybirac);
    Snimek snimek = UlozitSnimekOkna(vybirac, L"vyber_okna");
    std::printf("Snímek výběru okna: %ls\n", snimek.soubor.c_str());

    RECT r;
    ASSERT_TRUE(::GetWindowRect(vybirac, &r));
    int tlacitko = 0;
    const int titulek = SirkaTitulku(L"Výběr okna", tlacitko);
    // room for the text and the three caption buttons of the style (drawn or not)
    EXPECT_GE(r.right - r.left, titulek + 3 * tlacitko + 2 * ::GetSystemMetrics(SM_CXSIZEFRAME))
        << "the caption \"Výběr okna\" is cut";
    // inside the work area: not over the taskbar that Kolvex's own tray icon shows
    HWND panel = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT p{}, spolecne{};
    if (panel && ::IsWindowVisible(panel) && ::GetWindowRect(panel, &p))
        EXPECT_FALSE(::IntersectRect(&spolecne, &r, &p)) << "the picker " << r.left << "," << r.top << "-" << r.right
                                                         << "," << r.bottom << " covers the taskbar at " << p.top;
    const POINT stred{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Mys(stred, 0);
    Mys(stred, MOUSEEVENTF_LEFTDOWN);
    for (int krok = 1; krok <= 4; ++krok)
        Mys(POINT{stred.x + (250 - stred.x) * krok / 4, stred.y + (150 - stred.y) * krok / 4}, 0);

    HWND bublina = nullptr;
    EXPECT_TRUE(CekatNa([&] { return (bublina = NajitBublinu(L"x: 100, y: 50")) != nullptr; }, 5000))
        << "no balloon described the window under the cross-hair";
    if (bublina) {
        EXPECT_NE(TextOkna(bublina).find(L"šířka: 300, výška: 200"), std::wstring::npos) << TextOkna(bublina);
        UlozitSnimekOkna(::GetDesktopWindow(), L"vyber_okna_bublina");
    }
    Mys(POINT{250, 150}, MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(vybirac); })) << "releasing the button did not end the pick";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
