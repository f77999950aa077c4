// The stopwatch from outside: its hot key, pressed for real, starts it and stops it, and the
// result dialog shows the measured time with hundredths; stopping again while it is open leaves
// one dialog with the new time.
#include <gtest/gtest.h>

#include <cstdint>
#include <cwctype>
#include <utility>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

void ZapsatHorkouKlavesu(UINT prikaz, UINT modifikatory, UINT klavesa, UINT kategorie) {
    uint32_t data[4] = {modifikatory, klavesa, prikaz, kategorie};
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brenvald\\Kolvex\\5.0\\Horke klavesy", 0, nullptr, 0,
                                KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, std::to_wstring(prikaz).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data),
                     sizeof(data));
    ::RegCloseKey(klic);
}

// A screenshot once the window has drawn its text.
void UlozitSnimekPoVykresleni(HWND okno, const wchar_t* jmeno, int tmavych = 10) {
    testy::PrekreslitOkno(okno);
    CekatNa([&] { return UlozitSnimekOkna(okno, jmeno).tmavychBodu > tmavych; }, 3000);
}

// The result dialog: a dialog of the process whose time static (1168) has a text.
HWND DialogVysledku(DWORD pid, std::wstring& cas) {
    HWND dialog = NajitOknoProcesu(pid, L"#32770");
    if (!dialog || !::IsWindowVisible(dialog)) return nullptr;
    wchar_t text[64] = L"";
    ::GetDlgItemTextW(dialog, 1168, text, 64);
    if (!text[0]) return nullptr;
    cas = text;
    return dialog;
}

// Every dialog window of the process, shown or not (a box ended but still in a modal loop is
// hidden, not destroyed).
BOOL CALLBACK PocitatDialog(HWND okno, LPARAM l) {
    auto* hledani = reinterpret_cast<std::pair<DWORD, int>*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t trida[16] = L"";
    ::GetClassNameW(okno, trida, 16);
    if (pid == hledani->first && wcscmp(trida, L"#32770") == 0) ++hledani->second;
    return TRUE;
}

int PocetDialogu(DWORD pid) {
    std::pair<DWORD, int> hledani{pid, 0};
    ::EnumWindows(PocitatDialog, reinterpret_cast<LPARAM>(&hledani));
    return hledani.second;
}

// "h:mm:ss.cc" in seconds; -1 for another form.
double Sekundy(const std::wstring& t) {
    unsigned h = 0, m = 0, s = 0, c = 0;
    wchar_t zbytek = 0;
    if (swscanf(t.c_str(), L"%u:%2u:%2u.%2u%lc", &h, &m, &s, &c, &zbytek) != 4) return -1;
    if (t.size() < 10 || t[t.size() - 3] != L'.') return -1;
    return h * 3600.0 + m * 60.0 + s + c / 100.0;
}

}  // namespace

TEST(StopkyZvenku, HorkaKlavesaSpustiAZastaviAVysledekUkazeCas) {
    VycistitStavKolvexu();
    ZapsatHorkouKlavesu(40157, MOD_CONTROL | MOD_ALT, 'J', 36);  // "Spustit (pokračovat)/zastavit stopky"
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    ::PostMessageW(hlavni, WM_COMMAND, 40158, 0);  // "Stopky" of the tray menu
    HWND stopky = kolvex.CekatNaOkno(L"QKolvexStopky");
    ASSERT_NE(stopky, nullptr) << "the stopwatch did not start";
    EXPECT_TRUE(CekatNa([&] { return ::IsWindowVisible(stopky) != 0; }));
    UlozitSnimekPoVykresleni(stopky, L"stopky");

    // press, wait, press: the first key events after a new display can be lost, so repeat until
    // a result dialog appears
    HWND dialog = nullptr;
    std::wstring cas;
    for (int pokus = 0; pokus < 4 && !dialog; ++pokus) {
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'J'});
        if (CekatNa([&] { return (dialog = DialogVysledku(kolvex.Pid(), cas)) != nullptr; }, 1300)) break;
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'J'});
        CekatNa([&] { return (dialog = DialogVysledku(kolvex.Pid(), cas)) != nullptr; }, 3000);
    }
    ASSERT_NE(dialog, nullptr) << "no result dialog after the hot key";
    const double sekundy = Sekundy(cas);
    EXPECT_GE(sekundy, 1.0) << cas.c_str();
    EXPECT_LT(sekundy, 60.0) << cas.c_str();
    wchar_t titulek[80] = L"";
    ::GetWindowTextW(dialog, titulek, 80);
    EXPECT_STREQ(titulek, L"Kolvex - Stopky");
    UlozitSnimekPoVykresleni(dialog, L"stopky_vysledek", 200);

    // start and stop again while the box is open: one box stays, with the new time
    EXPECT_EQ(PocetDialogu(kolvex.Pid()), 1);
    // The hot key's own message to the main window: the keys themselves were proven above, and a
    // key pressed while the box takes the focus may be lost on a new display.
    const LPARAM klavesa = MAKELPARAM(MOD_CONTROL | MOD_ALT, 'J');
    ::PostMessageW(hlavni, WM_HOTKEY, 40157, klavesa);  // start
    ::Sleep(100);                                        // let the measured time grow
    ::PostMessageW(hlavni, WM_HOTKEY, 40157, klavesa);  // stop
    HWND dalsi = nullptr;
    std::wstring dalsiCas;
    CekatNa([&] {
        dalsi = DialogVysledku(kolvex.Pid(), dalsiCas);
        if (dalsi && dalsiCas == cas) dalsi = nullptr;
        return dalsi != nullptr;
    }, 5000);
    ASSERT_NE(dalsi, nullptr) << "no new result after stopping again";
    EXPECT_GT(Sekundy(dalsiCas), 0.0) << dalsiCas.c_str();
    EXPECT_EQ(PocetDialogu(kolvex.Pid()), 1) << "a result box runs inside another";
    dialog = dalsi;

    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    VycistitStavKolvexu();
}

TEST(StopkyZvenku, StrankyStopekAHodin) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    auto cekatNaNastaveni = [&](const std::wstring& stranka) {
        HWND okno = nullptr;
        CekatNa([&] {
            okno = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            return okno && ::IsWindowVisible(okno) && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos;
        });
        return okno && TextOkna(okno).find(L"Nastavení: " + stranka) != std::wstring::npos ? okno : nullptr;
    };

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 196);
    HWND nastaveni = cekatNaNastaveni(L"Hodiny");
    ASSERT_NE(nastaveni, nullptr) << "page 196 did not open";
    UlozitSnimekPoVykresleni(nastaveni, L"nastaveni_196", 1500);
    ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));

    ::PostMessageW(hlavni, WM_COMMAND, 40002, 171);
    nastaveni = cekatNaNastaveni(L"Stopky");
    ASSERT_NE(nastaveni, nullptr) << "page 171 did not open";
    UlozitSnimekPoVykresleni(nastaveni, L"nastaveni_171", 1500);
    HWND stranka = ::FindWindowExW(nastaveni, nullptr, L"#32770", nullptr);
    ASSERT_NE(stranka, nullptr);
    HWND pouzit = ::GetDlgItem(nastaveni, 1002);
    ::SendMessageW(nastaveni, WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED), reinterpret_cast<LPARAM>(pouzit));  // Apply
    ASSERT_TRUE(CekatNa([&] { return !::IsWindowEnabled(pouzit); }));
    // a change of the minimise combo alone enables "Použít"
    HWND combo = ::GetDlgItem(stranka, 1173);
    ::SendMessageW(combo, CB_SETCURSEL, 3, 0);
    ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(1173, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_TRUE(CekatNa([&] { return ::IsWindowEnabled(pouzit) != 0; }));
    ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    DWORD minimalizovat = 0;
    ASSERT_TRUE(PrecistDword(L"Software\\Brenvald\\Kolvex\\5.0\\Stopky", L"minimalizovat", minimalizovat));
    EXPECT_EQ(minimalizovat, 3u);

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    VycistitStavKolvexu();
}
