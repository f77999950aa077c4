// Tray icons at any DPI: the notification area rebuilds an icon from its bitmaps with the mask's
// bits counted without row padding, so a 20- or 24-pixel mask loses its last rows there. The
// icons the suite hands over carry their mask as alpha, which is drawn whatever the mask says.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "knihovna/ikony.h"
#include "knihovna/uchyt.h"
#include "monitors/ikonapameti.h"
#include "resources/resource.h"

namespace {

BOOL WINAPI PrijmoutIkonu(DWORD, PNOTIFYICONDATAW) { return TRUE; }

// What the notification area shows of an icon: rebuilt from GetBitmapBits of its mask and colour,
// each counted as width x height bits rounded up to a word (no row padding).
HICON KopieOblasti(HICON ikona) {
    ICONINFO info{};
    if (!::GetIconInfo(ikona, &info)) return nullptr;
    knihovna::UchytBitmapy barvy(info.hbmColor), maska(info.hbmMask);
    BITMAP m{}, b{};
    ::GetObjectW(maska.Get(), sizeof(m), &m);
    ::GetObjectW(barvy.Get(), sizeof(b), &b);
    const size_t bajtuMasky = (static_cast<size_t>(m.bmWidth) * m.bmHeight * m.bmBitsPixel + 15) / 16 * 2;
    const size_t bajtuBarev = (static_cast<size_t>(b.bmWidth) * b.bmHeight * b.bmBitsPixel + 15) / 16 * 2;
    std::vector<BYTE> data(bajtuMasky + bajtuBarev);
    ::GetBitmapBits(maska.Get(), static_cast<LONG>(bajtuMasky), data.data());
    ::GetBitmapBits(barvy.Get(), static_cast<LONG>(bajtuBarev), data.data() + bajtuMasky);
    return ::CreateIcon(nullptr, b.bmWidth, b.bmHeight, static_cast<BYTE>(b.bmPlanes), static_cast<BYTE>(b.bmBitsPixel),
                        data.data(), data.data() + bajtuMasky);
}

// The icon drawn over white at its size: 0x00RRGGBB per pixel, top-down.
std::vector<uint32_t> NaBilem(HICON ikona, int strana) {
    BITMAPINFO popis{};
    popis.bmiHeader.biSize = sizeof(popis.bmiHeader);
    popis.bmiHeader.biWidth = strana;
    popis.bmiHeader.biHeight = -strana;
    popis.bmiHeader.biPlanes = 1;
    popis.bmiHeader.biBitCount = 32;
    void* data = nullptr;
    knihovna::UchytBitmapy bitmapa(::CreateDIBSection(nullptr, &popis, DIB_RGB_COLORS, &data, nullptr, 0));
    knihovna::UchytDc dc(::CreateCompatibleDC(nullptr));
    std::vector<uint32_t> body;
    if (!bitmapa || !dc || !data) return body;
    HGDIOBJ puvodni = ::SelectObject(dc.Get(), bitmapa.Get());
    RECT vse{0, 0, strana, strana};
    ::FillRect(dc.Get(), &vse, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::DrawIconEx(dc.Get(), 0, 0, ikona, strana, strana, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(data);
    for (int i = 0; i < strana * strana; ++i) body.push_back(p[i] & 0x00FFFFFFu);
    ::SelectObject(dc.Get(), puvodni);
    return body;
}

}  // namespace

// The clock's and stopwatch's icons (pictures of the menu strips) and the memory monitor's drawn
// icon look the same in the notification area as on their own.
TEST(DpiIkonyOblasti, IkonyTrayBezPruhuVOblasti) {
    const int strana = ::GetSystemMetrics(SM_CXSMICON);
    SeznamObrazku seznam;
    seznam.Vytvorit(IDB_MENU_ZAKLAD);
    seznam.Pridat(IDB_MENU_DALSI);

    const FunkceNotifyIcon puvodni = notifikacniIkona;
    notifikacniIkona = PrijmoutIkonu;
    KonfiguraceSledovaniPameti nastaveni;
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    IkonaPameti pamet(okno, nastaveni);
    MEMORYSTATUS stav{};
    stav.dwMemoryLoad = 40;
    pamet.Aktualizovat(stav);

    struct Pripad {
        const char* nazev;
        HICON ikona;
        bool vlastni;
    } pripady[] = {
        {"hodiny (63)", ::ImageList_GetIcon(seznam.Get(), 63, ILD_NORMAL), true},
        {"stopky (64)", ::ImageList_GetIcon(seznam.Get(), 64, ILD_NORMAL), true},
        {"sledování paměti", pamet.Ikona(), false},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(std::string(p.nazev) + " at " + std::to_string(strana) + " px");
        ASSERT_NE(p.ikona, nullptr);
        const std::vector<uint32_t> vzor = NaBilem(p.ikona, strana);
        ASSERT_EQ(vzor.size(), static_cast<size_t>(strana) * strana);
        knihovna::UchytIkony alfa(knihovna::IkonaSAlfou(p.ikona));
        ASSERT_TRUE(static_cast<bool>(alfa)) << "an icon without alpha gets one";
        EXPECT_EQ(NaBilem(alfa.Get(), strana), vzor) << "the alpha copy looks like the icon";
        knihovna::UchytIkony vOblasti(KopieOblasti(alfa.Get()));
        ASSERT_TRUE(static_cast<bool>(vOblasti));
        const std::vector<uint32_t> ukazana = NaBilem(vOblasti.Get(), strana);
        int jinych = 0, prvniRadek = -1;
        for (size_t i = 0; i < vzor.size() && i < ukazana.size(); ++i)
            if (vzor[i] != ukazana[i]) {
                ++jinych;
                if (prvniRadek < 0) prvniRadek = static_cast<int>(i) / strana;
            }
        EXPECT_EQ(jinych, 0) << "pixels changed in the notification area's copy from row " << prvniRadek;
        // an icon with alpha of its own is handed over as it is
        EXPECT_EQ(knihovna::IkonaSAlfou(alfa.Get()), nullptr);
        if (p.vlastni) ::DestroyIcon(p.ikona);
    }
    pamet.Odebrat();
    ::DestroyWindow(okno);
    notifikacniIkona = puvodni;
}
