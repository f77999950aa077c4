// The weather tools from outside: the satellite window is opened from the weather tray icon's
// menu of the running Kolvex and shows the picture served by the loopback server.
#include <gtest/gtest.h>

#include <string>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

constexpr UINT ZPRAVA_IKONY_TRAY = WM_APP + 9;

void ZapsatText(const wchar_t* klic, const wchar_t* hodnota, const std::wstring& data) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic, hodnota, REG_SZ, data.c_str(),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

void ZapsatCislo(const wchar_t* klic, const wchar_t* hodnota, DWORD data) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, klic, hodnota, REG_DWORD, &data, sizeof(data)), ERROR_SUCCESS);
}

SIZE Klient(HWND okno) {
    RECT r{};
    ::GetClientRect(okno, &r);
    return SIZE{r.right, r.bottom};
}

// The visible popup menu of the process (class #32768), if one is open.
bool MenuOtevreno(DWORD pid) {
    HWND menu = NajitOknoProcesu(pid, L"#32768");
    return menu && ::IsWindowVisible(menu);
}

}  // namespace

TEST(PocasiZvenku, SnimekDruziceZNabidkyIkonyUkazeObrazekZeServeru) {
    VycistitStavKolvexu();
    const std::wstring host = L"127.0.0.1:" + std::to_wstring(PrvniPortServeru()) + L"/pocasi";
    ZapsatText(L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi", L"serverDruziceChmu", host);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr) << "Kolvex ended with " << kolvex.CekatNaKonec(0);
    HWND modul = kolvex.CekatNaOkno(L"QKolvexPocasi");
    ASSERT_NE(modul, nullptr) << "the weather module did not start";
    EXPECT_TRUE(CekatNa([&] { return !::IsWindowVisible(modul); }, 3000)) << "the module window stays hidden";

    // a right click on the weather icon opens its menu; "Aktuální snímek z &družice" by its key
    HWND druzice = nullptr;
    for (int pokus = 0; pokus < 4 && !druzice; ++pokus) {
        ::PostMessageW(modul, ZPRAVA_IKONY_TRAY, 1, WM_RBUTTONUP);
        if (!CekatNa([&] { return MenuOtevreno(kolvex.Pid()); }, 3000)) continue;
        if (pokus == 0) {
            ::Sleep(300);
            UlozitSnimekOkna(NajitOknoProcesu(kolvex.Pid(), L"#32768"), L"pocasi_nabidka_ikony");
        }
        StisknoutKlavesy({'D'});
        CekatNa([&] { return (druzice = NajitOknoProcesu(kolvex.Pid(), L"QPocasiSnimekDruzice")) != nullptr; }, 3000);
        if (!druzice && MenuOtevreno(kolvex.Pid())) StisknoutKlavesy({VK_ESCAPE});
    }
    ASSERT_NE(druzice, nullptr) << "the satellite window did not open from the menu";
    // the picture (120 x 80) arrives from 127.0.0.1 and the window fits its client area to it
    ASSERT_TRUE(CekatNa([&] {
        SIZE k = Klient(druzice);
        return ::IsWindowVisible(druzice) && k.cx == 120 && k.cy == 80;
    }, 15000)) << Klient(druzice).cx << " x " << Klient(druzice).cy;
    const std::wstring slozka = SlozkaDokumentu() + L"\\Kolvex 5\\Počasí\\";
    EXPECT_TRUE(ExistujeSoubor(slozka + L"Družicové snímky\\AktualniSnimek.jpg") ||
                ExistujeSoubor(slozka + L"Druzicove snimky\\AktualniSnimek.jpg"));
    ::SetWindowPos(druzice, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CekatNa([&] { return UlozitSnimekOkna(druzice, L"pocasi_druzice_e2e").pocetBarev > 10; }, 3000);

    // the menu shows the open window checked; choosing it again closes the window
    ::PostMessageW(modul, WM_COMMAND, 40220, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(druzice); }, 8000));

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(15000), 0u);
}

TEST(PocasiZvenku, KlikNaIkonuOteviraModelAOknoOtviraSvouStrankuNastaveni) {
    VycistitStavKolvexu();
    ZapsatCislo(L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi", L"ikonaLeve", 1);  // left click: the model window
    ZapsatCislo(L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi\\Aladin", L"model", 0);  // load nothing
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr) << "Kolvex ended with " << kolvex.CekatNaKonec(0);
    HWND modul = kolvex.CekatNaOkno(L"QKolvexPocasi");
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    HWND aladin = kolvex.CekatNaOkno(L"QPocasiOknoAladin");
    ASSERT_NE(aladin, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(aladin) != 0; }, 5000)) << "model 0 still shows the window";
    ::SetWindowPos(aladin, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::Sleep(300);
    Snimek snimek = UlozitSnimekOkna(aladin, L"pocasi_aladin_e2e");
    EXPECT_GT(snimek.tmavychBodu, 200) << "menu, toolbar and info text drawn";

    // the menu bar's "Model" menu (owner-drawn with the program's own look)
    ::SetForegroundWindow(aladin);
    ::PostMessageW(aladin, WM_SYSCOMMAND, SC_KEYMENU, 'm');
    if (CekatNa([&] { return MenuOtevreno(kolvex.Pid()); }, 3000)) {
        ::Sleep(300);
        UlozitSnimekOkna(NajitOknoProcesu(kolvex.Pid(), L"#32768"), L"pocasi_aladin_menu");
        StisknoutKlavesy({VK_ESCAPE});
        StisknoutKlavesy({VK_ESCAPE});
        CekatNa([&] { return !MenuOtevreno(kolvex.Pid()); }, 3000);
    }

    // the window's "Nastavení" opens the settings window at the model's page
    ::PostMessageW(aladin, WM_COMMAND, 40002, 0);
    HWND nastaveni = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
        return nastaveni && ::IsWindowVisible(nastaveni) && TextOkna(nastaveni).find(L"Aladin") != std::wstring::npos;
    }, 8000));
    ::Sleep(500);
    UlozitSnimekOkna(nastaveni, L"pocasi_nastaveni_206");
    ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    for (UINT stranka : {205u, 207u, 208u}) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(stranka));
        ASSERT_TRUE(CekatNa([&] {
            nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            return nastaveni && ::IsWindowVisible(nastaveni);
        }, 8000));
        ::Sleep(400);
        UlozitSnimekOkna(nastaveni, L"pocasi_nastaveni_" + std::to_wstring(stranka));
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }

    // a second left click closes the window again
    ::PostMessageW(modul, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(aladin); }, 8000));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(15000), 0u);
    // the module saved every weather value when it stopped
    DWORD hodnota = 0;
    EXPECT_TRUE(PrecistDword(L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi\\Snimek druzice", L"vychoziZdroj", hodnota));
    EXPECT_EQ(hodnota, 1u);
    EXPECT_TRUE(PrecistDword(L"Software\\Brenvald\\Kolvex\\5.0\\Pocasi", L"ikonaLeve", hodnota));
    EXPECT_EQ(hodnota, 1u);
}
