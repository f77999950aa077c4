// The main road from outside: a real key press of the capture hot key writes the next numbered
// picture file of the screen's size; the format setting changes the file kind; a tray click and
// the screen menu's folder command work the same way.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "podpora/obrazky.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

void ZapsatDword(const std::wstring& klic, const wchar_t* hodnota, DWORD data) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, hodnota, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    ::RegCloseKey(h);
}

// Ctrl+Alt+K for "Uložit opis obrazovky do souboru" (40113), in the hot-key table's record.
void NastavitHorkouKlavesuOpisu() {
    HKEY h = nullptr;
    std::wstring klic = std::wstring(KLIC) + L"\\Horke klavesy";
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    const uint32_t zaznam[4] = {MOD_CONTROL | MOD_ALT, 'K', 40113, 33};
    ::RegSetValueExW(h, L"40113", 0, REG_BINARY, reinterpret_cast<const BYTE*>(zaznam), sizeof(zaznam));
    ::RegCloseKey(h);
}

class OpisObrazovky : public ::testing::Test {
protected:
    void SetUp() override {
        SpustitGdiPlus();
        VycistitStavKolvexu();
        NastavitHorkouKlavesuOpisu();
        // no follow-up program: a fresh prefix has no picture editor
        ZapsatDword(std::wstring(KLIC) + L"\\Opis", L"shellOtevrit", 0);
    }
    void TearDown() override { VycistitStavKolvexu(); }

    static std::wstring Opis(const wchar_t* jmeno) {
        return SlozkaDokumentu() + L"\\Kolvex 5\\Opis obrazovky\\" + jmeno;
    }
    // The screen module is up: its window exists once the start-up sequence ran.
    static HWND SpustitAPockat(Program& kolvex) {
        if (!kolvex.CekatNaOkno(L"QKolvexHlavniOkno")) return nullptr;
        return kolvex.CekatNaOkno(L"QKolvexObrazovka");
    }
    static bool CekatNaObrazek(const std::wstring& soubor, DWORD ms = 10000) {
        return CekatNa([&] { return Dekodovat(soubor).nacten; }, ms);
    }
    // Presses the hot key until the capture appears. The first key events after Wine has set up
    // a new X display can be lost before they reach the hot-key check; a press that arrives
    // produces exactly one file.
    static bool StisknoutAPockat(const std::wstring& soubor) {
        for (int pokus = 0; pokus < 3; ++pokus) {
            StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
            if (CekatNaObrazek(soubor, 3000)) return true;
        }
        return false;
    }
    static void Ukoncit(Program& kolvex, HWND hlavni) {
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }
};

}  // namespace

TEST_F(OpisObrazovky, HorkaKlavesaUloziDalsiCislovanyOpis) {
    Program kolvex;
    HWND modul = SpustitAPockat(kolvex);
    ASSERT_NE(modul, nullptr) << "the screen module did not start";
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");

    ASSERT_TRUE(StisknoutAPockat(Opis(L"Obrazovka0.jpg")));
    DekodovanyObrazek d = Dekodovat(Opis(L"Obrazovka0.jpg"));
    EXPECT_EQ(d.format, "JPEG");
    EXPECT_EQ(d.sirka, static_cast<UINT>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(d.vyska, static_cast<UINT>(::GetSystemMetrics(SM_CYSCREEN)));

    StisknoutKlavesy({VK_CONTROL, VK_MENU, 'K'});
    ASSERT_TRUE(CekatNaObrazek(Opis(L"Obrazovka1.jpg")));
    EXPECT_FALSE(ExistujeSoubor(Opis(L"Obrazovka2.jpg"))) << "one press, one capture";

    // a left click on the module's tray icon captures too
    ::PostMessageW(modul, WM_APP + 9, 1, WM_LBUTTONUP);
    ASSERT_TRUE(CekatNaObrazek(Opis(L"Obrazovka2.jpg")));

    // the clipboard holds the capture
    ASSERT_TRUE(CekatNa([] { return ::IsClipboardFormatAvailable(CF_BITMAP) != 0; }, 2000));
    Ukoncit(kolvex, hlavni);
}

TEST_F(OpisObrazovky, FormatPngDaPristiOpisJakoPng) {
    ZapsatDword(std::wstring(KLIC) + L"\\Opis", L"format", 1);
    Program kolvex;
    ASSERT_NE(SpustitAPockat(kolvex), nullptr);
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_TRUE(StisknoutAPockat(Opis(L"Obrazovka0.png")));
    DekodovanyObrazek d = Dekodovat(Opis(L"Obrazovka0.png"));
    EXPECT_EQ(d.format, "PNG");
    EXPECT_EQ(d.sirka, static_cast<UINT>(::GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_FALSE(ExistujeSoubor(Opis(L"Obrazovka0.jpg")));
    Ukoncit(kolvex, hlavni);
}

TEST_F(OpisObrazovky, SlozkaOpisuSeOteviraZNabidkyObrazovky) {
    Program kolvex;
    HWND modul = SpustitAPockat(kolvex);
    ASSERT_NE(modul, nullptr);
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    // "Otevřít složku s opisy" as the menu sends it
    ::PostMessageW(modul, WM_COMMAND, 40132, 0);
    HWND pruzkumnik = nullptr;
    EXPECT_TRUE(CekatNa(
        [&] {
            pruzkumnik = ::FindWindowW(nullptr, L"Opis obrazovky");
            if (!pruzkumnik) pruzkumnik = ::FindWindowW(nullptr, (SlozkaDokumentu() + L"\\Kolvex 5\\Opis obrazovky").c_str());
            return pruzkumnik != nullptr;
        },
        10000))
        << "no Explorer window showed the capture folder";
    if (pruzkumnik) ::PostMessageW(pruzkumnik, WM_CLOSE, 0, 0);
    Ukoncit(kolvex, hlavni);
}

// A question raised from the tray menu comes to the front over the program the user works in,
// and Return answers it (No, the default): the folder keeps its files.
TEST_F(OpisObrazovky, DotazZNabidkyIkonyJeVPopredi) {
    Program kolvex;
    HWND modul = SpustitAPockat(kolvex);
    ASSERT_NE(modul, nullptr);
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    const std::wstring soubor = Opis(L"ponechat.txt");
    ASSERT_TRUE(CekatNa([&] {
        HANDLE h = ::CreateFileW(soubor.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(h);
        return true;
    }));

    // the user's program in front
    HWND uzivatelske = ::CreateWindowExW(0, L"STATIC", L"Program uživatele", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                         100, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(uzivatelske, nullptr);
    ::SetForegroundWindow(uzivatelske);
    ASSERT_TRUE(CekatNa([&] { return ::GetForegroundWindow() == uzivatelske; }));

    // tray menu: "Složka s opisy" > "Odstranit obsah složky s opisy"
    ::SetCursorPos(200, 150);
    ::PostMessageW(modul, WM_APP + 7, 1, 0);
    ASSERT_TRUE(CekatNa([&] {
        HWND menu = NajitOknoProcesu(kolvex.Pid(), L"#32768");
        return menu && ::IsWindowVisible(menu);
    }));
    for (WORD klavesa : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN}) StisknoutKlavesy({klavesa});

    HWND box = kolvex.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "no question";
    EXPECT_NE(TextZpravy(box).find(L"Opravdu chcete kompletně vymazat"), std::wstring::npos) << TextZpravy(box);
    EXPECT_TRUE(CekatNa([&] { return ::GetForegroundWindow() == box; }, 2000))
        << "the question is not the foreground window";
    PrekreslitOkno(box);
    UlozitSnimekOkna(box, L"dotaz_z_nabidky_ikony");
    StisknoutKlavesy({VK_RETURN});
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(box); })) << "Return did not reach the question";
    EXPECT_TRUE(ExistujeSoubor(soubor)) << "Return answered Yes";
    ::DestroyWindow(uzivatelske);
    Ukoncit(kolvex, hlavni);
}

namespace {

// What the input looked like when a click did not do what it should: the cursor against the
// point, the buttons and modifiers down, the foreground and capture windows, the list's selection.
std::string StavVstupu(HWND okno, HWND seznam, POINT bod) {
    POINT kurzor{};
    ::GetCursorPos(&kurzor);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(okno, nullptr), &info);
    char text[400];
    std::snprintf(text, sizeof(text),
                  "cursor %ld,%ld (point %ld,%ld); down: left %d right %d ctrl %d alt %d shift %d; foreground %p "
                  "(settings %p); capture %p (list %p); selected row %ld; double-click time %u",
                  kurzor.x, kurzor.y, bod.x, bod.y, ::GetAsyncKeyState(VK_LBUTTON) < 0, ::GetAsyncKeyState(VK_RBUTTON) < 0,
                  ::GetAsyncKeyState(VK_CONTROL) < 0, ::GetAsyncKeyState(VK_MENU) < 0, ::GetAsyncKeyState(VK_SHIFT) < 0,
                  static_cast<void*>(::GetForegroundWindow()), static_cast<void*>(okno),
                  static_cast<void*>(info.hwndCapture), static_cast<void*>(seznam),
                  static_cast<long>(::SendMessageW(seznam, LB_GETCURSEL, 0, 0)), ::GetDoubleClickTime());
    return text;
}

}  // namespace

// A double click on the capture row of the hot-key page takes the capture at once, as the hot key
// would, with the settings window still open.
TEST_F(OpisObrazovky, DvojklikNaRadekStrankyHorkychKlavesUloziOpis) {
    Program kolvex;
    ASSERT_NE(SpustitAPockat(kolvex), nullptr) << "the screen module did not start";
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ::PostMessageW(hlavni, WM_COMMAND, 40002, 111);
    HWND nastaveni = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
        return nastaveni && ::IsWindowVisible(nastaveni) &&
               TextOkna(nastaveni).find(L"Klávesové zkratky") != std::wstring::npos;
    })) << "the hot-key page did not open";
    HWND stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
    ASSERT_NE(stranka, nullptr);
    // the screen category: its first row is "Uložit opis obrazovky do souboru" (40113)
    HWND skupina = ::GetDlgItem(stranka, 1027);
    ::SendMessageW(skupina, CB_SETCURSEL, 3, 0);
    ::PostMessageW(stranka, WM_COMMAND, MAKEWPARAM(1027, CBN_SELCHANGE), reinterpret_cast<LPARAM>(skupina));
    HWND seznam = ::GetDlgItem(stranka, 1023);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 7; }));
    // the settings window comes to the front as it opens; a user clicks it once it is there
    EXPECT_TRUE(CekatNa([&] { return ::GetForegroundWindow() == nastaveni; }))
        << "the settings window is not the foreground window";
    const LRESULT vyska = ::SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0);
    POINT bod{40, static_cast<LONG>(vyska / 2)};
    ::ClientToScreen(seznam, &bod);
    DvojklikLevym(bod);
    const bool opis = CekatNaObrazek(Opis(L"Obrazovka0.jpg"));
    EXPECT_TRUE(opis) << "the double click took no capture; " << StavVstupu(nastaveni, seznam, bod);
    if (!opis) UlozitSnimekOkna(nastaveni, L"opis_dvojklik_bez_opisu");
    EXPECT_TRUE(::IsWindow(nastaveni));
    EXPECT_FALSE(ExistujeSoubor(Opis(L"Obrazovka1.jpg"))) << "one double click, one capture";
    ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    Ukoncit(kolvex, hlavni);
}
