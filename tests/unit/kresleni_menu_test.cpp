// Owner-drawn menu items: a disabled item shows its access key as an underline, never as "&".
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "core/menu.h"

namespace {

std::vector<DWORD> Pixely(HDC dc, HBITMAP bitmapa, int sirka, int vyska) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = sirka;
    info.bmiHeader.biHeight = -vyska;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixely(static_cast<size_t>(sirka) * vyska);
    ::GetDIBits(dc, bitmapa, 0, vyska, pixely.data(), &info, DIB_RGB_COLORS);
    return pixely;
}

// The item as KreslitPolozkuMenu draws it, and the text as the reference draws it.
std::vector<DWORD> Nakreslit(HMENU popup, UINT id, const wchar_t* reference, UINT druh) {
    const int sirka = 300, vyska = 20;
    HDC obrazovka = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(obrazovka);
    HBITMAP bitmapa = ::CreateCompatibleBitmap(obrazovka, sirka, vyska);
    HGDIOBJ stara = ::SelectObject(dc, bitmapa);
    RECT r{0, 0, sirka, vyska};
    if (reference) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_MENU));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(COLOR_MENUTEXT));
        HGDIOBJ pismo = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE velikost{};
        ::GetTextExtentPoint32W(dc, reference, static_cast<int>(wcslen(reference)), &velikost);
        ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(reference), static_cast<WPARAM>(wcslen(reference)),
                     23, (vyska - velikost.cy) / 2, 0, 0, druh | DSS_DISABLED);
        ::SelectObject(dc, pismo);
    } else {
        MenuPopup menu;
        menu.popup = popup;
        menu.obrazky = nullptr;
        DRAWITEMSTRUCT polozka{};
        polozka.CtlType = ODT_MENU;
        polozka.itemID = id;
        polozka.itemState = ODS_GRAYED;
        polozka.hDC = dc;
        polozka.rcItem = r;
        KreslitPolozkuMenu(menu, polozka, -1);
    }
    std::vector<DWORD> pixely = Pixely(dc, bitmapa, sirka, vyska);
    ::SelectObject(dc, stara);
    ::DeleteObject(bitmapa);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, obrazovka);
    return pixely;
}

}  // namespace

TEST(KresleniMenu, ZakazanaPolozkaNeukazujeAmpersand) {
    HMENU popup = ::CreatePopupMenu();
    ASSERT_TRUE(::AppendMenuW(popup, MF_STRING | MF_GRAYED, 40118, L"Úsporný režim &monitoru"));
    const std::vector<DWORD> polozka = Nakreslit(popup, 40118, nullptr, 0);
    const std::vector<DWORD> podtrzena = Nakreslit(nullptr, 0, L"Úsporný režim &monitoru", DST_PREFIXTEXT);
    const std::vector<DWORD> doslovna = Nakreslit(nullptr, 0, L"Úsporný režim &monitoru", DST_TEXT);
    ASSERT_NE(podtrzena, doslovna) << "the two references must differ";
    EXPECT_EQ(polozka, podtrzena) << "the access key is underlined, no \"&\" is drawn";
    ::DestroyMenu(popup);
}
