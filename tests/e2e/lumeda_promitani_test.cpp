// From outside: Kolvex's "Promítnout složku s opisy" (40135) on a capture folder with pictures
// starts Lumeda, whose full-screen window shows the first picture.
#include <gtest/gtest.h>

#include <vector>

#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

bool UlozitPng(const std::wstring& cesta, int sirka, int vyska, COLORREF barva) {
    UINT pocet = 0, velikost = 0;
    Gdiplus::GetImageEncodersSize(&pocet, &velikost);
    std::vector<BYTE> buffer(velikost);
    auto* kodeky = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(pocet, velikost, kodeky);
    for (UINT i = 0; i < pocet; ++i) {
        if (wcscmp(kodeky[i].MimeType, L"image/png") != 0) continue;
        Gdiplus::Bitmap obrazek(sirka, vyska, PixelFormat24bppRGB);
        {
            Gdiplus::Graphics g(&obrazek);
            Gdiplus::SolidBrush stetec(Gdiplus::Color(GetRValue(barva), GetGValue(barva), GetBValue(barva)));
            g.FillRectangle(&stetec, 0, 0, sirka, vyska);
            Gdiplus::SolidBrush bila(Gdiplus::Color(255, 255, 255));
            g.FillRectangle(&bila, sirka / 4, vyska / 4, sirka / 8, vyska / 8);
        }
        return obrazek.Save(cesta.c_str(), &kodeky[i].Clsid, nullptr) == Gdiplus::Ok;
    }
    return false;
}

COLORREF Bod(int x, int y) {
    HDC dc = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(nullptr, dc);
    return c;
}

}  // namespace

TEST(LumedaPromitani, PrikazKolvexuPromitneSlozkuOpisu) {
    SpustitGdiPlus();
    VycistitStavKolvexu();
    SmazatKlic(L"Software\\Brenvald\\Lumeda\\1.0");
    const std::wstring slozka = SlozkaDokumentu() + L"\\Kolvex 5\\Opis obrazovky";
    ::CreateDirectoryW((SlozkaDokumentu() + L"\\Kolvex 5").c_str(), nullptr);
    ::CreateDirectoryW(slozka.c_str(), nullptr);
    const COLORREF barva = RGB(30, 90, 200);
    ASSERT_TRUE(UlozitPng(slozka + L"\\Obrazovka0.png", 800, 600, barva));

    Program kolvex;
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexHlavniOkno"), nullptr);
    HWND modul = kolvex.CekatNaOkno(L"QKolvexObrazovka");
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, WM_COMMAND, 40135, 0);

    HWND lumeda = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (lumeda = ::FindWindowW(L"QOknoLumeda", nullptr)) != nullptr; }, 15000));
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    // the 800 x 600 capture is centred unscaled
    EXPECT_TRUE(CekatNa([&] { return Bod(cx / 2, cy / 2) == barva; }, 10000));
    EXPECT_EQ(Bod((cx - 800) / 2 + 5, (cy - 600) / 2 + 5), barva);
    EXPECT_NE(Bod((cx - 800) / 2 - 5, (cy - 600) / 2 - 5), barva);
    Snimek snimek = UlozitSnimekOkna(lumeda, L"lumeda_promitani");
    EXPECT_FALSE(snimek.soubor.empty());

    DWORD pid = 0;
    ::GetWindowThreadProcessId(lumeda, &pid);
    HANDLE proces = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    ::SetForegroundWindow(lumeda);
    StisknoutKlavesy({VK_ESCAPE});
    if (::WaitForSingleObject(proces, 5000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "Esc did not end the slideshow";
        ::PostMessageW(lumeda, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(proces, 5000);
    }
    ::CloseHandle(proces);

    ::PostMessageW(kolvex.CekatNaOkno(L"QKolvexHlavniOkno"), WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    ::DeleteFileW((slozka + L"\\Obrazovka0.png").c_str());
    VycistitStavKolvexu();
}
