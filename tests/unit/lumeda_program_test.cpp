// Lumeda as a program: its settings dialog (interval bounds, OK and Storno) and the slideshow
// window (first picture at once, keys, cyclic repeat, a damaged picture ends the show).
#include <gtest/gtest.h>

#include "knihovna/text.h"
#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"
#include "unit/programy_pomocnik.h"

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\Lumeda\\1.0";

std::wstring Lumeda() { return testy::SlozkaTestu() + L"\\Lumeda.exe"; }

void ZapsatDword(const wchar_t* nazev, DWORD hodnota) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLIC, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof(hodnota));
    ::RegCloseKey(h);
}

DWORD Dword(const wchar_t* nazev) {
    DWORD d = 0xDEAD;
    testy::PrecistDword(KLIC, nazev, d);
    return d;
}

class LumedaProgram : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SpustitGdiPlus();
        testy::SmazatKlic(KLIC);
    }
    void TearDown() override { testy::SmazatKlic(KLIC); }

    // Starts Lumeda and waits for its settings dialog.
    HWND Dialog(HANDLE& proces, const std::wstring& argumenty = L"") {
        proces = testy::SpustitProces(Lumeda(), L"Lumeda.exe" + argumenty);
        HWND d = nullptr;
        EXPECT_TRUE(testy::CekatNa([&] { return (d = testy::OknoProcesu(proces, L"#32770", L"Lumeda - Nastavení")) != nullptr; }, 10000));
        return d;
    }
    static void Ukoncit(HANDLE proces, HWND dialog, int tlacitko) {
        ::PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(tlacitko), 0);
        EXPECT_TRUE(testy::ProcesSkoncil(proces));
        ::CloseHandle(proces);
    }
    static COLORREF BodObrazovky(int x, int y) {
        HDC dc = ::GetDC(nullptr);
        COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(nullptr, dc);
        return c;
    }
    static bool CekatNaBarvu(COLORREF barva) {
        const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2, y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
        return testy::CekatNa([&] { return BodObrazovky(x, y) == barva; }, 10000);
    }
};

}  // namespace

TEST_F(LumedaProgram, NastaveniIntervalMimoMezeStornoNicNezapise) {
    ZapsatDword(L"interval", 7);
    HANDLE p = nullptr;
    HWND d = Dialog(p);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(testy::TextOkna(::GetDlgItem(d, 1004)), L"7");
    EXPECT_EQ(::SendDlgItemMessageW(d, 1005, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::ShowWindow(d, SW_SHOW);
    ::SetForegroundWindow(d);
    // the whole dialog drawn: the buttons and the check box add text to the label's
    testy::Snimek snimek;
    testy::CekatNa([&] {
        testy::PrekreslitOkno(d);
        snimek = testy::UlozitSnimekOkna(d, L"lumeda_nastaveni");
        return snimek.tmavychBodu > 600;
    });
    EXPECT_GT(snimek.tmavychBodu, 600);

    // 0 is out of bounds: the interval stays, the other values are saved
    ::SendDlgItemMessageW(d, 1005, BM_SETCHECK, BST_CHECKED, 0);
    ::SetWindowTextW(::GetDlgItem(d, 1004), L"0");
    Ukoncit(p, d, IDOK);
    EXPECT_EQ(Dword(L"interval"), 7u);
    EXPECT_EQ(Dword(L"cyklickyOpakovat"), 1u);
    EXPECT_NE(Dword(L"barvaPozadi"), 0xDEADu);

    d = Dialog(p);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(::SendDlgItemMessageW(d, 1005, BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SetWindowTextW(::GetDlgItem(d, 1004), L"1001");
    Ukoncit(p, d, IDOK);
    EXPECT_EQ(Dword(L"interval"), 7u);

    d = Dialog(p);
    ASSERT_NE(d, nullptr);
    ::SetWindowTextW(::GetDlgItem(d, 1004), L"1000");
    Ukoncit(p, d, IDOK);
    EXPECT_EQ(Dword(L"interval"), 1000u);

    // Storno writes nothing
    testy::SmazatKlic(KLIC);
    d = Dialog(p);
    ASSERT_NE(d, nullptr);
    ::SetWindowTextW(::GetDlgItem(d, 1004), L"3");
    Ukoncit(p, d, IDCANCEL);
    EXPECT_FALSE(testy::ExistujeKlic(KLIC) && Dword(L"interval") != 0xDEADu);
}

TEST_F(LumedaProgram, PoskozenaHodnotaSeNahlasiOstatniPlatiAOkJePonecha) {
    // a colour stored as text before an interval of 9
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLIC, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, L"barvaPozadi", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"modrá"), 12);
    ::RegCloseKey(h);
    ZapsatDword(L"cyklickyOpakovat", 1);
    ZapsatDword(L"interval", 9);

    HANDLE p = testy::SpustitProces(Lumeda(), L"Lumeda.exe");
    ASSERT_NE(p, nullptr);
    HWND zprava = nullptr;
    ASSERT_TRUE(testy::CekatNa(
        [&] {
            zprava = testy::OknoProcesu(p, L"#32770", nullptr);
            return zprava && !testy::TextZpravy(zprava).empty();
        },
        10000))
        << "no report of the damaged value";
    const std::wstring text = testy::TextZpravy(zprava);
    EXPECT_NE(text.find(L"\"barvaPozadi\""), std::wstring::npos) << knihovna::NaUzky(text, CP_UTF8);
    EXPECT_EQ(text.find(L"interval"), std::wstring::npos) << knihovna::NaUzky(text, CP_UTF8);
    ::PostMessageW(zprava, WM_COMMAND, IDOK, 0);

    HWND d = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (d = testy::OknoProcesu(p, L"#32770", L"Lumeda - Nastavení")) != nullptr; }, 10000));
    EXPECT_EQ(testy::TextOkna(::GetDlgItem(d, 1004)), L"9") << "the values after the damaged one were not read";
    EXPECT_EQ(::SendDlgItemMessageW(d, 1005, BM_GETCHECK, 0, 0), BST_CHECKED);
    Ukoncit(p, d, IDOK);
    EXPECT_EQ(Dword(L"interval"), 9u) << "OK overwrote the stored interval";
    EXPECT_EQ(Dword(L"cyklickyOpakovat"), 1u);
}

TEST_F(LumedaProgram, BezObrazkuNastaveni) {
    testy::DocasnaSlozka s;
    ASSERT_TRUE(::CreateDirectoryW((s.Cesta() + L"\\.skryta").c_str(), nullptr));
    ASSERT_TRUE(testy::UlozitObrazek(s.Cesta() + L"\\.skryta\\a.png", 10, 10, RGB(1, 2, 3)));
    ASSERT_TRUE(testy::ZapsatBajty(s.Cesta() + L"\\b.txt", "x"));
    for (const std::wstring& argumenty : {L" \"" + s.Cesta() + L"\"", std::wstring(L" b.txt c.doc"), std::wstring(L" /neznamy")}) {
        HANDLE p = nullptr;
        HWND d = Dialog(p, argumenty);
        ASSERT_NE(d, nullptr) << argumenty;
        Ukoncit(p, d, IDCANCEL);
    }
    // the registration switches end the program at once
    EXPECT_EQ(testy::SpustitAPockat(Lumeda(), L"Lumeda.exe /RegServer"), 0u);
    EXPECT_EQ(testy::SpustitAPockat(Lumeda(), L"Lumeda.exe -unregserver"), 0u);
}

TEST_F(LumedaProgram, PromitaniKlavesyACyklus) {
    testy::DocasnaSlozka s;
    const COLORREF cervena = RGB(220, 20, 20), modra = RGB(20, 20, 220), pozadi = RGB(0, 128, 0);
    const std::wstring a = s.Cesta() + L"\\a.png", b = s.Cesta() + L"\\b obrázek.tif", c = s.Cesta() + L"\\c.png";
    ASSERT_TRUE(testy::UlozitObrazek(a, 640, 480, cervena));
    ASSERT_TRUE(testy::UlozitObrazek(b, 4000, 1000, modra, L"image/tiff"));
    ASSERT_TRUE(testy::ZapsatBajty(c, "\x89PNG rozbity"));
    ZapsatDword(L"interval", 1000);
    ZapsatDword(L"barvaPozadi", pozadi);

    HANDLE p = testy::SpustitProces(Lumeda(), L"  \"" + a + L"\" \"" + b + L"\" \"" + c + L"\"");
    HWND okno = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (okno = testy::OknoProcesu(p, L"QOknoLumeda")) != nullptr; }, 10000));
    RECT r;
    ::GetWindowRect(okno, &r);
    EXPECT_EQ(r.right - r.left, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom - r.top, ::GetSystemMetrics(SM_CYSCREEN));
    ASSERT_TRUE(CekatNaBarvu(cervena)) << "the first picture at once";
    EXPECT_EQ(BodObrazovky(5, 5), pozadi);  // a small picture is not enlarged

    auto Klavesa = [&](WPARAM k) { ::PostMessageW(okno, WM_KEYUP, k, 0); };
    Klavesa(VK_LEFT);  // on the first picture: nothing
    Klavesa(VK_RIGHT);
    ASSERT_TRUE(CekatNaBarvu(modra));
    EXPECT_EQ(BodObrazovky(5, 5), pozadi);  // 4000 x 1000 fills the width only
    Klavesa(VK_UP);
    ASSERT_TRUE(CekatNaBarvu(cervena));
    Klavesa(VK_PAUSE);
    Klavesa(VK_DOWN);  // also ends the pause
    ASSERT_TRUE(CekatNaBarvu(modra));
    Klavesa(VK_RIGHT);  // the damaged third picture ends the show
    EXPECT_TRUE(testy::ProcesSkoncil(p));
    ::CloseHandle(p);

    // cyclic: Right on the last picture shows the first; Esc ends
    ZapsatDword(L"cyklickyOpakovat", 1);
    p = testy::SpustitProces(Lumeda(), L"  \"" + a + L"\" \"" + b + L"\"");
    ASSERT_TRUE(testy::CekatNa([&] { return (okno = testy::OknoProcesu(p, L"QOknoLumeda")) != nullptr; }, 10000));
    ASSERT_TRUE(CekatNaBarvu(cervena));
    Klavesa(VK_RIGHT);
    ASSERT_TRUE(CekatNaBarvu(modra));
    Klavesa(VK_RIGHT);
    ASSERT_TRUE(CekatNaBarvu(cervena));
    Klavesa(VK_ESCAPE);
    EXPECT_TRUE(testy::ProcesSkoncil(p));
    ::CloseHandle(p);
}

TEST_F(LumedaProgram, CasovacPrepinaObrazkyAKonciPoPoslednim) {
    testy::DocasnaSlozka s;
    const COLORREF zluta = RGB(230, 200, 30), fialova = RGB(140, 40, 160);
    const std::wstring a = s.Cesta() + L"\\a.bmp", b = s.Cesta() + L"\\b.jpeg";
    ASSERT_TRUE(testy::UlozitObrazek(a, 300, 200, zluta, L"image/bmp"));
    ASSERT_TRUE(testy::UlozitObrazek(b, 300, 200, fialova));  // PNG content under a JPEG name: GDI+ reads by content
    ZapsatDword(L"interval", 1);
    HANDLE p = testy::SpustitProces(Lumeda(), L" \"" + a + L"\" \"" + b + L"\"");
    ASSERT_TRUE(CekatNaBarvu(zluta));
    // one second later the second picture, one more and the show is over
    ASSERT_TRUE(CekatNaBarvu(fialova));
    EXPECT_TRUE(testy::ProcesSkoncil(p, 5000));
    ::CloseHandle(p);
}
