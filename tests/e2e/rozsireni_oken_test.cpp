// The window extension from outside: Kolvex's module with Fenrik acting on a test program's
// window (a gesture, hiding and restoring, the restore at exit), a window-action hot key, and
// screenshots of the two settings pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_MODULU = L"QKolvexOknoHaky";
const wchar_t* const TRIDA_TESTOVACIHO_OKNA = L"QTestOknoHaku";
const wchar_t* const KLAVESY = L"Software\\Brenvald\\Kolvex\\5.0\\Horke klavesy";
const wchar_t* const TESTOVACI_PROGRAM = L"pomocne\\haky\\OknoHaku.exe";
constexpr UINT SKRYT_OKNO = WM_APP + 6;

void ZapsatHorkouKlavesu(UINT prikaz, UINT modifikatory, UINT klavesa, UINT kategorie) {
    uint32_t data[4] = {modifikatory, klavesa, prikaz, kategorie};
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, KLAVESY, 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, std::to_wstring(prikaz).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data),
                     sizeof(data));
    ::RegCloseKey(klic);
}

bool Viditelne(HWND okno) { return ::IsWindow(okno) && ::IsWindowVisible(okno); }

// A screen point where the window answers the hit-test code.
bool BodOblasti(HWND okno, LRESULT kod, POINT& bod) {
    RECT r;
    if (!::GetWindowRect(okno, &r)) return false;
    for (bod.y = r.top; bod.y < r.top + 60; ++bod.y)
        for (bod.x = r.right - 1; bod.x > r.left; --bod.x)
            if (::SendMessageW(okno, WM_NCHITTEST, 0, MAKELPARAM(bod.x, bod.y)) == kod) return true;
    return false;
}

void KliknoutPravym(POINT bod) {
    ::SetCursorPos(bod.x, bod.y);
    INPUT vstup[2]{};
    vstup[0].type = vstup[1].type = INPUT_MOUSE;
    vstup[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    vstup[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ::SendInput(2, vstup, sizeof(INPUT));
}

HWND CekatNaNastaveni(const Program& program, const std::wstring& stranka) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
    });
    return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
}

class RozsireniOken : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }

    // Kolvex with the window extension switched on (tray command 40098).
    void SpustitRozsireni() {
        hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
        ASSERT_NE(hlavni, nullptr);
        ::PostMessageW(hlavni, WM_COMMAND, 40098, 0);
        modul = kolvex.CekatNaOkno(TRIDA_MODULU);
        ASSERT_NE(modul, nullptr) << "the window extension's window did not appear";
        // the window is shown for a moment while it minimises itself, then hidden
        EXPECT_TRUE(CekatNa([&] { return !::IsWindowVisible(modul); }));
    }
    void Ukoncit() {
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }

    Program kolvex;
    HWND hlavni = nullptr;
    HWND modul = nullptr;
};

}  // namespace

TEST_F(RozsireniOken, SkryteOknoSeObnoviZNabidkyIPriKonciProgramu) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    Program program(TESTOVACI_PROGRAM);
    HWND okno = program.CekatNaOkno(TRIDA_TESTOVACIHO_OKNA);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Viditelne(okno); }));

    ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(okno));
    ASSERT_TRUE(CekatNa([&] { return !Viditelne(okno); })) << "WM_APP+6 did not hide the window";

    // a click on the hidden windows' icon opens their menu (owner-drawn: icon and title)
    ::PostMessageW(modul, WM_APP + 9, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(CekatNa([&] { return Viditelne(menu = NajitOknoProcesu(kolvex.Pid(), L"#32768")); }))
        << "the menu of the hidden windows did not open";
    ::Sleep(300);  // let the items paint
    Snimek snimek = UlozitSnimekOkna(menu, L"skryta_okna_nabidka");
    std::printf("Snímek nabídky skrytých oken: %ls\n", snimek.soubor.c_str());
    EXPECT_GT(snimek.tmavychBodu, 20) << "no title drawn in the menu";
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !Viditelne(menu); }));

    // the first item of the hidden windows' menu restores it
    ::PostMessageW(modul, WM_COMMAND, 54000, 0);
    ASSERT_TRUE(CekatNa([&] { return Viditelne(okno); })) << "the menu command did not restore the window";

    ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(okno));
    ASSERT_TRUE(CekatNa([&] { return !Viditelne(okno); }));
    Ukoncit();
    EXPECT_TRUE(Viditelne(okno)) << "closing Kolvex left the window hidden";

    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.CekatNaKonec(), 0u);
}

// The start-up page's "Rozšíření oken": the extension runs after a start without any command.
TEST(RozsireniOkenPoSpusteni, SpustiSeKdyzJeZapnutoVAkcichPoSpusteni) {
    VycistitStavKolvexu();
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brenvald\\Kolvex\\5.0\\Po spusteni", 0, nullptr, 0,
                                KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const DWORD zapnuto = 1;
    ::RegSetValueExW(h, L"rozsireniOken", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zapnuto), sizeof(zapnuto));
    ::RegCloseKey(h);

    Program spusteny;
    HWND hlavni = spusteny.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    EXPECT_NE(spusteny.CekatNaOkno(TRIDA_MODULU), nullptr) << "the window extension did not start after start-up";
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(spusteny.CekatNaKonec(), 0u);
}

TEST_F(RozsireniOken, PraveTlacitkoNaZavritSkryjeOknoPresFenrik) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    Program program(TESTOVACI_PROGRAM);
    HWND okno = program.CekatNaOkno(TRIDA_TESTOVACIHO_OKNA);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Viditelne(okno); }));
    POINT zavrit;
    ASSERT_TRUE(BodOblasti(okno, HTCLOSE, zavrit)) << "no close button found";

    // Fenrik is loaded 100 ms after the module's window appears: click until the gesture acts
    bool skryto = false;
    for (int pokus = 0; pokus < 10 && !skryto; ++pokus) {
        KliknoutPravym(zavrit);
        skryto = CekatNa([&] { return !Viditelne(okno); }, 1000);
    }
    EXPECT_TRUE(skryto) << "a right click on the close button did not hide the window";
    EXPECT_TRUE(::IsWindow(okno)) << "the window was closed instead of hidden";

    // switching the extension off shows it again
    ::PostMessageW(hlavni, WM_COMMAND, 40098, 0);
    EXPECT_TRUE(CekatNa([&] { return Viditelne(okno); }));
    EXPECT_TRUE(CekatNa([&] { return NajitOknoProcesu(kolvex.Pid(), TRIDA_MODULU) == nullptr; }));

    // on again in the same run: Fenrik is loaded and its hooks installed anew
    ::PostMessageW(hlavni, WM_COMMAND, 40098, 0);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_MODULU), nullptr);
    skryto = false;
    for (int pokus = 0; pokus < 10 && !skryto; ++pokus) {
        KliknoutPravym(zavrit);
        skryto = CekatNa([&] { return !Viditelne(okno); }, 1000);
    }
    EXPECT_TRUE(skryto) << "the gesture did not act after the extension was switched on again";
    Ukoncit();
    EXPECT_TRUE(Viditelne(okno));
    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.CekatNaKonec(), 0u);
}

TEST_F(RozsireniOken, HorkaKlavesaPresuneAktivniOknoDoLevePoloviny) {
    ZapsatHorkouKlavesu(40099, MOD_CONTROL | MOD_ALT, 'L', 34);  // "Zarovnat okno do levé poloviny obrazovky"
    hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    Program program(TESTOVACI_PROGRAM);
    HWND okno = program.CekatNaOkno(TRIDA_TESTOVACIHO_OKNA);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Viditelne(okno); }));

    RECT prace{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
    const int ww = prace.right - prace.left, wh = prace.bottom - prace.top;
    auto vLevePolovine = [&] {
        RECT r{};
        ::GetWindowRect(okno, &r);
        return r.left == 0 && r.top == 0 && r.right - r.left == ww / 2 && r.bottom - r.top == wh;
    };
    ASSERT_FALSE(vLevePolovine());
    // the hot keys are registered right after the main window appears: press until it acts
    for (int pokus = 0; pokus < 10 && !vLevePolovine(); ++pokus) {
        ::SetForegroundWindow(okno);
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'L'});
        CekatNa(vLevePolovine, 500);
    }
    RECT r{};
    ::GetWindowRect(okno, &r);
    EXPECT_TRUE(vLevePolovine()) << "window at " << r.left << "," << r.top << " size " << r.right - r.left << "x"
                                 << r.bottom - r.top << ", work area " << ww << "x" << wh;
    Ukoncit();
    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.CekatNaKonec(), 0u);
}

TEST_F(RozsireniOken, HorkaKlavesaSkryjeAktivniOknoDoIkony) {
    ZapsatHorkouKlavesu(40107, MOD_CONTROL | MOD_ALT, 'H', 34);  // "Skrýt okno (i z pruhu úloh) ..."
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    Program program(TESTOVACI_PROGRAM);
    HWND okno = program.CekatNaOkno(TRIDA_TESTOVACIHO_OKNA);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Viditelne(okno); }));
    bool skryto = false;
    for (int pokus = 0; pokus < 10 && !skryto; ++pokus) {
        ::SetForegroundWindow(okno);
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'H'});
        skryto = CekatNa([&] { return !Viditelne(okno); }, 500);
    }
    EXPECT_TRUE(skryto) << "the hot key did not hide the active window";
    Ukoncit();
    EXPECT_TRUE(Viditelne(okno)) << "closing Kolvex left the window hidden";
    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.CekatNaKonec(), 0u);
}

TEST_F(RozsireniOken, SnimkyStranekNastaveni) {
    hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    struct Pripad {
        UINT stranka;
        const wchar_t* titulek;
        const wchar_t* soubor;
    };
    const Pripad pripady[] = {
        {151, L"Ovládání oken", L"nastaveni_151"},
        {152, L"Rozšíření oken", L"nastaveni_152"},
    };
    for (const Pripad& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = CekatNaNastaveni(kolvex, p.titulek);
        ASSERT_NE(nastaveni, nullptr) << p.stranka;
        ::Sleep(500);  // let every control paint
        Snimek snimek = UlozitSnimekOkna(nastaveni, p.soubor);
        ASSERT_FALSE(snimek.soubor.empty()) << "no screenshot written";
        std::printf("Snímek stránky nastavení: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.pocetBarev, 8) << "the capture is blank";
        EXPECT_GT(snimek.tmavychBodu, 500) << "no text drawn";
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    Ukoncit();
}
