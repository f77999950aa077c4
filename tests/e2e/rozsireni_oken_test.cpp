// The window extension from outside: Kolvex's module with Fenrik acting on a test program's
// window (a gesture, hiding and restoring, the restore at exit), a window-action hot key, and
// screenshots of the two settings pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

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

// Another program whose window stops answering while the test wants (its message loop blocked).
class ZamrzajiciProgram {
public:
    explicit ZamrzajiciProgram(const std::wstring& argumenty = L"")
        : program(L"pomocne\\zamrzajici\\ZamrzajiciOkno.exe", argumenty) {
        okno = program.CekatNaOkno(L"QTestZamrzajiciOkno");
        const std::wstring pid = std::to_wstring(program.Pid());
        zamrzlo = ::OpenEventW(SYNCHRONIZE, FALSE, (L"KolvexTestZamrzlo_" + pid).c_str());
        rozmrznout = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, (L"KolvexTestRozmrznout_" + pid).c_str());
        CekatNa([&] { return Viditelne(okno); });
    }
    ~ZamrzajiciProgram() {
        Rozmrznout();
        if (::IsWindow(okno)) ::PostMessageW(okno, WM_CLOSE, 0, 0);
        program.CekatNaKonec(5000);
        if (zamrzlo) ::CloseHandle(zamrzlo);
        if (rozmrznout) ::CloseHandle(rozmrznout);
    }
    bool Pripraven() const { return okno && zamrzlo && rozmrznout && Viditelne(okno); }
    // Blocks the window's thread; true once it stopped answering.
    bool Zamrznout() {
        ::PostMessageW(okno, WM_APP + 1, 0, 0);
        return ::WaitForSingleObject(zamrzlo, 5000) == WAIT_OBJECT_0;
    }
    void Rozmrznout() {
        if (rozmrznout) ::SetEvent(rozmrznout);
    }
    HWND Edit() const { return ::FindWindowExW(okno, nullptr, L"Edit", nullptr); }

    Program program;
    HWND okno = nullptr;

private:
    HANDLE zamrzlo = nullptr;
    HANDLE rozmrznout = nullptr;
};

void OtocitKoleckem(POINT bod, int posun, bool shift) {
    ::SetCursorPos(bod.x, bod.y);
    INPUT vstup[3]{};
    int n = 0;
    if (shift) {
        vstup[n].type = INPUT_KEYBOARD;
        vstup[n++].ki.wVk = VK_SHIFT;
    }
    vstup[n].type = INPUT_MOUSE;
    vstup[n].mi.dwFlags = MOUSEEVENTF_WHEEL;
    vstup[n++].mi.mouseData = static_cast<DWORD>(posun);
    if (shift) {
        vstup[n].type = INPUT_KEYBOARD;
        vstup[n].ki.wVk = VK_SHIFT;
        vstup[n++].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(static_cast<UINT>(n), vstup, sizeof(INPUT));
}

// Esc closes the menu of the window vlastnik, pressed once the menu has the keyboard (a key
// pressed before goes to another thread and is lost).
bool ZavritMenuKlavesou(HWND vlastnik, HWND menu) {
    if (!CekatNaKlavesniciMenu(vlastnik)) return false;
    StisknoutKlavesy({VK_ESCAPE});
    return CekatNa([&] { return !Viditelne(menu); });
}

bool VLevePolovine(HWND okno, bool leva) {
    RECT prace{}, r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
    ::GetWindowRect(okno, &r);
    const int ww = prace.right - prace.left, wh = prace.bottom - prace.top;
    return r.left == (leva ? 0 : ww / 2) && r.top == 0 && r.right - r.left == ww / 2 && r.bottom - r.top == wh;
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
    ASSERT_TRUE(ZavritMenuKlavesou(modul, menu));

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

TEST_F(RozsireniOken, ZamrzleOknoNebraniObnoveniOstatnichPriKonci) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    std::vector<std::unique_ptr<ZamrzajiciProgram>> programy;
    for (int i = 0; i < 3; ++i) {
        programy.push_back(std::make_unique<ZamrzajiciProgram>());
        ASSERT_TRUE(programy.back()->Pripraven());
        ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(programy.back()->okno));
        ASSERT_TRUE(CekatNa([&] { return !Viditelne(programy.back()->okno); })) << "window " << i << " not hidden";
    }
    ASSERT_TRUE(programy[0]->Zamrznout());

    // "Konec": the hung program neither stops the extension nor keeps the others hidden
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaZpravu(4000), nullptr) << TextZpravy(kolvex.CekatNaZpravu(1));
    EXPECT_EQ(kolvex.CekatNaKonec(10000), 0u) << "Kolvex did not end";
    EXPECT_TRUE(CekatNa([&] { return Viditelne(programy[1]->okno) && Viditelne(programy[2]->okno); }))
        << "the answering programs stayed hidden";
    EXPECT_FALSE(Viditelne(programy[0]->okno));
    // the hung one is shown as soon as it answers again
    programy[0]->Rozmrznout();
    EXPECT_TRUE(CekatNa([&] { return Viditelne(programy[0]->okno); })) << "the hung program stayed hidden";
}

TEST_F(RozsireniOken, ZamrzleOknoNebraniSkryvaniDalsich) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    ZamrzajiciProgram zamrzly, dalsi;
    ASSERT_TRUE(zamrzly.Pripraven() && dalsi.Pripraven());
    ASSERT_TRUE(zamrzly.Zamrznout());
    ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(zamrzly.okno));
    ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(dalsi.okno));
    EXPECT_TRUE(CekatNa([&] { return !Viditelne(dalsi.okno); }, 8000)) << "the hung window blocked the next hide";
    zamrzly.Rozmrznout();
    EXPECT_TRUE(CekatNa([&] { return !Viditelne(zamrzly.okno); })) << "the hung window was not hidden once it answered";
    Ukoncit();
    EXPECT_TRUE(Viditelne(zamrzly.okno));
    EXPECT_TRUE(Viditelne(dalsi.okno));
}

TEST_F(RozsireniOken, HorkaKlavesaNadZamrzlymOknemNeblokujeDalsi) {
    ZapsatHorkouKlavesu(40099, MOD_CONTROL | MOD_ALT, 'L', 34);  // left half
    ZapsatHorkouKlavesu(40100, MOD_CONTROL | MOD_ALT, 'R', 34);  // right half
    hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ZamrzajiciProgram zamrzly;
    ASSERT_TRUE(zamrzly.Pripraven());
    // the hot keys are registered right after the main window appears: press until one acts
    for (int pokus = 0; pokus < 10 && !VLevePolovine(zamrzly.okno, true); ++pokus) {
        ::SetForegroundWindow(zamrzly.okno);
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'L'});
        CekatNa([&] { return VLevePolovine(zamrzly.okno, true); }, 500);
    }
    ASSERT_TRUE(VLevePolovine(zamrzly.okno, true));

    ASSERT_TRUE(zamrzly.Zamrznout());
    StisknoutKlavesy({VK_CONTROL, VK_MENU, 'R'});  // on the hung foreground window
    // a command queued behind the hot key: handled only when the hot key did not wait for the window
    ::PostMessageW(hlavni, WM_COMMAND, 40002, 151);
    HWND nastaveni = CekatNaNastaveni(kolvex, L"Ovládání oken");
    EXPECT_NE(nastaveni, nullptr) << "a hot key over a hung window blocked Kolvex's main window";
    if (nastaveni) ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    zamrzly.Rozmrznout();
    EXPECT_TRUE(CekatNa([&] { return VLevePolovine(zamrzly.okno, false); }))
        << "the hung window did not move once it answered";
    Ukoncit();
}

TEST_F(RozsireniOken, GestoKoleckemNadOvladacemSkryjeJehoOkno) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    // "<Shift>+ Kolečko myši "k sobě"" set to hiding on the page "Ovládání oken"
    ::PostMessageW(hlavni, WM_COMMAND, 40002, 151);
    HWND nastaveni = CekatNaNastaveni(kolvex, L"Ovládání oken");
    ASSERT_NE(nastaveni, nullptr);
    HWND gesta = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        HWND stranka = nullptr;
        while ((stranka = ::FindWindowExW(nastaveni, stranka, L"#32770", nullptr)) != nullptr)
            if ((gesta = ::GetDlgItem(stranka, 1098)) != nullptr) return true;
        return false;
    }));
    HWND stranka = ::GetParent(gesta);
    HWND akce = ::FindWindowExW(stranka, nullptr, L"ComboBox", nullptr);
    ASSERT_NE(akce, nullptr);
    const LRESULT gesto = ::SendMessageW(gesta, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(L"<Shift>+ Kolečko myši \"k sobě\""));
    ASSERT_GE(gesto, 0);
    // Notifications are sent, as the controls send them: a posted LBN_SELCHANGE handled after the
    // combo's selection below would show the gesture's old action over it.
    ::SendMessageW(gesta, LB_SETCURSEL, static_cast<WPARAM>(gesto), 0);
    ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(gesta), LBN_SELCHANGE), reinterpret_cast<LPARAM>(gesta));
    const LRESULT skryt = ::SendMessageW(akce, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
        reinterpret_cast<LPARAM>(L"\"Skrýt\" okno do seznamu u ikony v oznamovací oblasti"));
    ASSERT_GE(skryt, 0);
    ::SendMessageW(akce, CB_SETCURSEL, static_cast<WPARAM>(skryt), 0);
    ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(akce), CBN_SELCHANGE), reinterpret_cast<LPARAM>(akce));
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));

    ZamrzajiciProgram program;
    ASSERT_TRUE(program.Pripraven());
    HWND edit = program.Edit();
    ASSERT_NE(edit, nullptr);
    RECT r{};
    ::GetWindowRect(edit, &r);
    const POINT bod{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    bool skryto = false;
    for (int pokus = 0; pokus < 10 && !skryto; ++pokus) {
        ::SetForegroundWindow(program.okno);
        OtocitKoleckem(bod, -WHEEL_DELTA, true);
        skryto = CekatNa([&] { return !Viditelne(program.okno) || !(::GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE); }, 1000);
    }
    EXPECT_TRUE(skryto) << "the wheel gesture did nothing";
    EXPECT_FALSE(Viditelne(program.okno)) << "the gesture did not hide the top-level window";
    EXPECT_NE(::GetWindowLongPtrW(edit, GWL_STYLE) & WS_VISIBLE, 0) << "the gesture hid the control itself";
    Ukoncit();
    EXPECT_TRUE(Viditelne(program.okno));
    EXPECT_TRUE(::IsWindowVisible(edit));
}

TEST_F(RozsireniOken, OknoBezTitulkuJeVNabidceSkrytychOken) {
    ASSERT_NO_FATAL_FAILURE(SpustitRozsireni());
    ZamrzajiciProgram program(L"/beztitulku");
    ASSERT_TRUE(program.Pripraven());
    ASSERT_EQ(TextOkna(program.okno), L"");
    ::PostMessageW(modul, SKRYT_OKNO, 0, reinterpret_cast<LPARAM>(program.okno));
    ASSERT_TRUE(CekatNa([&] { return !Viditelne(program.okno); }));

    ::PostMessageW(modul, WM_APP + 9, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(CekatNa([&] { return Viditelne(menu = NajitOknoProcesu(kolvex.Pid(), L"#32768")); }))
        << "the menu of the hidden windows did not open for a window without a title";
    ::Sleep(300);  // let the items paint
    Snimek snimek = UlozitSnimekOkna(menu, L"skryta_okna_bez_titulku");
    std::printf("Snímek nabídky skrytých oken: %ls\n", snimek.soubor.c_str());
    EXPECT_GT(snimek.tmavychBodu, 20) << "no program name drawn in the menu";
    ASSERT_TRUE(ZavritMenuKlavesou(modul, menu));
    ::PostMessageW(modul, WM_COMMAND, 54000, 0);
    EXPECT_TRUE(CekatNa([&] { return Viditelne(program.okno); })) << "the menu command did not restore it";
    Ukoncit();
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

// A hot-key action that fails over a hung window says which tool and which action failed, in the
// tool's error form, not the bare time-out text.
TEST_F(RozsireniOken, HorkaKlavesaNadZamrzlymOknemRekneNastrojAAkci) {
    ZapsatHorkouKlavesu(40103, MOD_CONTROL | MOD_ALT, 'P', 34);  // "Nastavit aktivní okno poloprůhledné"
    hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ZamrzajiciProgram zamrzly;
    ASSERT_TRUE(zamrzly.Pripraven());
    ASSERT_TRUE(zamrzly.Zamrznout());
    // the hot keys are registered right after the main window appears: press until a box comes
    HWND zprava = nullptr;
    for (int pokus = 0; pokus < 10 && !zprava; ++pokus) {
        ::SetForegroundWindow(zamrzly.okno);
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'P'});
        zprava = kolvex.CekatNaZpravu(pokus == 0 ? 8000 : 2000);
    }
    ASSERT_NE(zprava, nullptr) << "no message about the failed action";
    const std::wstring text = TextZpravy(zprava);
    EXPECT_EQ(text.rfind(L"Došlo k chybě v nástroji \"Rozšíření oken\".\nPopis Chyby: Nastavit aktivní okno poloprůhledné: ", 0), 0u)
        << text;
    EXPECT_NE(text.find(L"Chcete aplikaci \"Kolvex\" ukončit?"), std::wstring::npos) << text;
    EXPECT_EQ(TextOkna(zprava), L"Kolvex");
    ::PostMessageW(zprava, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(zprava); }));
    zamrzly.Rozmrznout();
    Ukoncit();
}
