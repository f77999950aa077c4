// CD/DVD drives: autorun.inf, device broadcasts, click actions, the MCI door path, the drive list
// on fixture drives of the test prefix, the drive window with its thread, the settings page and
// the two information dialogs.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "multimedia/dlginfojednotky.h"
#include "multimedia/dlgnastavovladanicd.h"
#include "multimedia/jednotkacd.h"
#include "multimedia/ovladanicd.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"
#include "resources/resource.h"

namespace {

std::vector<BYTE> Bajty(const std::string& text) { return std::vector<BYTE>(text.begin(), text.end()); }

void ZapsatSoubor(const std::wstring& cesta, const std::vector<BYTE>& data) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    if (!data.empty()) ::WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

// A 16x16 32-bit icon file.
std::vector<BYTE> SouborIkony() {
    std::vector<BYTE> d;
    auto u16 = [&d](unsigned v) { d.push_back(BYTE(v)); d.push_back(BYTE(v >> 8)); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    const unsigned obraz = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0); u16(1); u16(1);                              // header: icon, one image
    d.push_back(16); d.push_back(16); d.push_back(0); d.push_back(0);
    u16(1); u16(32); u32(obraz); u32(6 + 16);            // directory entry
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(16 * 16 * 4); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < 16 * 16; ++i) u32(0xFF2080E0);   // pixels
    for (int i = 0; i < 16; ++i) u32(0);                 // AND mask
    return d;
}

DEV_BROADCAST_VOLUME Svazek(DWORD maska, WORD priznaky, DWORD typ = DBT_DEVTYP_VOLUME) {
    DEV_BROADCAST_VOLUME v{};
    v.dbcv_size = sizeof(v);
    v.dbcv_devicetype = typ;
    v.dbcv_unitmask = maska;
    v.dbcv_flags = priznaky;
    return v;
}

// The settings object with the defaults of the drive icons (whatever the registry holds).
void Vychozi(KonfiguraceOvladaniCD& n) {
    n.leve = 1;
    n.ctrlLeve = 1;
    n.ctrlShiftLeve = 4;
    n.shiftLeve = 2;
    n.stredni = 2;
    n.ikonaObsah = true;
    n.zpravaVlozeni = false;
    n.zpravaVyjmuti = false;
    n.threadPriority = 0;
}

// The drive's thread has made its window and tray icon and runs its loop.
bool Pripravena(OknoJednotkyCD* jednotka) { return jednotka->IkonaZobrazena() && jednotka->Vlakno().Okno() != nullptr; }

constexpr DWORD BIT(char pismeno) { return 1u << (pismeno - 'A'); }

// Records of the two seams, safe for the drive threads.
struct VolaniMci {
    UINT prikaz;
    DWORD_PTR priznaky;
    std::wstring prvek;
};
std::mutex zamek;
std::vector<VolaniMci> volaniMci;
MCIERROR chybaOtevreni = 0;

MCIERROR WINAPI ZaznamenatMci(MCIDEVICEID, UINT prikaz, DWORD_PTR priznaky, DWORD_PTR parametry) {
    std::lock_guard<std::mutex> z(zamek);
    VolaniMci v{prikaz, priznaky, {}};
    if (prikaz == MCI_OPEN) {
        auto* p = reinterpret_cast<MCI_OPEN_PARMSW*>(parametry);
        v.prvek = p->lpstrElementName ? p->lpstrElementName : L"";
        EXPECT_EQ(reinterpret_cast<ULONG_PTR>(p->lpstrDeviceType), static_cast<ULONG_PTR>(MCI_DEVTYPE_CD_AUDIO));
        if (chybaOtevreni == 0) p->wDeviceID = 77;
    }
    volaniMci.push_back(v);
    return prikaz == MCI_OPEN ? chybaOtevreni : 0;
}

struct VolaniIkony {
    DWORD zprava;
    NOTIFYICONDATAW data;
};
std::vector<VolaniIkony> volaniIkon;

BOOL WINAPI ZaznamenatIkonu(DWORD zprava, PNOTIFYICONDATAW data) {
    std::lock_guard<std::mutex> z(zamek);
    volaniIkon.push_back({zprava, *data});
    return TRUE;
}

template <class T>
std::vector<T> Kopie(const std::vector<T>& v) {
    std::lock_guard<std::mutex> z(zamek);
    return v;
}

// The application's image list and icons, the seams and a settings object of the test's own.
class JednotkyCD : public ::testing::Test {
protected:
    void SetUp() override {
        {
            std::lock_guard<std::mutex> z(zamek);
            volaniMci.clear();
            volaniIkon.clear();
            chybaOtevreni = 0;
        }
        puvodniMci = prikazMciJednotky;
        prikazMciJednotky = ZaznamenatMci;
        puvodniIkona = notifikacniIkona;
        notifikacniIkona = ZaznamenatIkonu;
        if (!aplikace.seznamMenu.Get()) {
            aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
            aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
            vlastniSeznam = true;
        }
        puvodniNastaveni = std::move(nastaveniOvladaniCD);
        nastaveniOvladaniCD = std::make_unique<KonfiguraceOvladaniCD>();
        Vychozi(*nastaveniOvladaniCD);
    }
    void TearDown() override {
        jednotkyCD.reset();
        nastaveniOvladaniCD = std::move(puvodniNastaveni);
        if (vlastniSeznam) aplikace.seznamMenu.Zrusit();
        prikazMciJednotky = puvodniMci;
        notifikacniIkona = puvodniIkona;
    }

    FunkceMci puvodniMci = nullptr;
    FunkceNotifyIcon puvodniIkona = nullptr;
    bool vlastniSeznam = false;
    std::unique_ptr<KonfiguraceOvladaniCD> puvodniNastaveni;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// autorun.inf

TEST(AutorunCD, IkonaZKliceIconNeboOpen) {
    struct {
        std::string obsah;
        std::wstring ikona;
    } pripady[] = {
        {"[autorun]\r\nIcon = disc.ico\r\n", L"E:\\disc.ico"},
        {"[AutoRun]\r\nopen=setup.exe\r\n", L"E:\\setup.exe"},
        {"[autorun]\r\nopen=setup.exe\r\nICON=obal.ico\r\n", L"E:\\obal.ico"},
        {"[autorun]\r\nicon=setup.exe,1\r\n", L"E:\\setup.exe,1"},
        {"[autorun]\r\nicon=moje ikona.ico\r\n", L"E:\\moje"},
        {"[autorun]\r\nicon=\tdisk.ico\tx\r\n", L"E:\\disk.ico"},
        {"[autorun]\nicon=a.ico\nopen=b.exe\n", L"E:\\a.ico"},  // bare line feeds end the value too
        {"[autorun]\r\nicon=posledni.ico", L"E:\\posledni.ico"},
        {"[autorun]\r\nlabel=Disk\r\n", L""},
        {"[autorun]\r\nicon=\r\n", L""},
        {"[autorun]\r\nicon disc.ico\r\n", L""},
        {"", L""},
        {std::string("[autorun]\0icon=skryta.ico\r\n", 27), L""},  // the text ends at a zero byte
        {"icon=" + std::string(300, 'x') + "\r\n", L""},               // longer than any path
    };
    for (const auto& p : pripady)
        EXPECT_EQ(CestaIkonyAutorun(L"E:", Bajty(p.obsah)), p.ikona) << p.obsah;
}

TEST(AutorunCD, VelkySouborNeboSmetiBezPadu) {
    std::string velky = "[autorun]\r\nicon=disc.ico\r\n";
    velky.resize(100 * 1024, ' ');
    EXPECT_EQ(CestaIkonyAutorun(L"E:", Bajty(velky)), L"") << "a 100 KiB file is not read";

    std::string hranice = "[autorun]\r\nicon=disc.ico\r\n";
    hranice.resize(MAX_VELIKOST_AUTORUN, ' ');
    EXPECT_EQ(CestaIkonyAutorun(L"E:", Bajty(hranice)), L"E:\\disc.ico") << "64 KiB exactly is still read";

    std::mt19937 nahoda(17);
    for (int i = 0; i < 300; ++i) {
        std::vector<BYTE> smeti(1 + nahoda() % 4096);
        for (BYTE& b : smeti) b = static_cast<BYTE>(nahoda());
        if (i % 3 == 0) std::memcpy(smeti.data(), "icon=", 5);
        std::string hodnota = HodnotaIkonyAutorun(smeti.data(), smeti.size());
        EXPECT_LT(hodnota.size(), static_cast<size_t>(MAX_PATH));
        EXPECT_EQ(hodnota.find_first_of(" \t\r\n"), std::string::npos);
    }
}

TEST(AutorunCD, IkonaDiskuZeSouboruNaJednotce) {
    testy::DocasnaSlozka disk;
    EXPECT_EQ(NacistIkonuDisku(disk.Cesta()), nullptr) << "no autorun.inf, no icon";
    ZapsatSoubor(disk.Cesta() + L"\\disc.ico", SouborIkony());
    ZapsatSoubor(disk.Cesta() + L"\\autorun.inf", Bajty("[autorun]\r\nicon = disc.ico\r\n"));
    HICON ikona = NacistIkonuDisku(disk.Cesta());
    EXPECT_NE(ikona, nullptr);
    if (ikona) ::DestroyIcon(ikona);

    ZapsatSoubor(disk.Cesta() + L"\\autorun.inf", Bajty("[autorun]\r\nicon=chybi.ico\r\n"));
    EXPECT_EQ(NacistIkonuDisku(disk.Cesta()), nullptr) << "a missing icon file";
    std::string velky = "[autorun]\r\nicon=disc.ico\r\n";
    velky.resize(100 * 1024, ';');
    ZapsatSoubor(disk.Cesta() + L"\\autorun.inf", Bajty(velky));
    EXPECT_EQ(NacistIkonuDisku(disk.Cesta()), nullptr) << "a file over the cap";
}

// ---------------------------------------------------------------------------------------------
// Device broadcasts and click actions

TEST(ZmenaMediaCD, TabulkaUdalosti) {
    struct {
        WPARAM udalost;
        DEV_BROADCAST_VOLUME svazek;
        char pismeno;
        ZmenaMedia vysledek;
    } pripady[] = {
        {DBT_DEVICEARRIVAL, Svazek(BIT('D'), DBTF_MEDIA), 'D', ZmenaMedia::Vlozeni},
        {DBT_DEVICEREMOVECOMPLETE, Svazek(BIT('D'), DBTF_MEDIA), 'D', ZmenaMedia::Vyjmuti},
        {DBT_DEVICEARRIVAL, Svazek(BIT('E'), DBTF_MEDIA), 'D', ZmenaMedia::Zadna},
        {DBT_DEVICEARRIVAL, Svazek(BIT('D') | BIT('F'), DBTF_MEDIA), 'F', ZmenaMedia::Zadna},  // lowest bit: D
        {DBT_DEVICEARRIVAL, Svazek(BIT('D') | BIT('F'), DBTF_MEDIA), 'D', ZmenaMedia::Vlozeni},
        {DBT_DEVICEARRIVAL, Svazek(BIT('D'), 0), 'D', ZmenaMedia::Zadna},          // a volume, not a medium
        {DBT_DEVICEARRIVAL, Svazek(BIT('D'), DBTF_MEDIA, DBT_DEVTYP_PORT), 'D', ZmenaMedia::Zadna},
        {DBT_DEVICEQUERYREMOVE, Svazek(BIT('D'), DBTF_MEDIA), 'D', ZmenaMedia::Zadna},
        {DBT_DEVICEARRIVAL, Svazek(0, DBTF_MEDIA), 'A', ZmenaMedia::Zadna},
        {DBT_DEVICEARRIVAL, Svazek(BIT('Z'), DBTF_MEDIA), 'Z', ZmenaMedia::Vlozeni},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(RozpoznatZmenuMedia(p.udalost, reinterpret_cast<LPARAM>(&p.svazek), p.pismeno), p.vysledek)
            << "event " << p.udalost << " mask " << p.svazek.dbcv_unitmask << " letter " << p.pismeno;
    EXPECT_EQ(RozpoznatZmenuMedia(DBT_DEVICEARRIVAL, 0, 'D'), ZmenaMedia::Zadna);
    DEV_BROADCAST_HDR kratka{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};
    EXPECT_EQ(RozpoznatZmenuMedia(DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&kratka), 'A'), ZmenaMedia::Zadna)
        << "a header too short for a volume record is not read further";
}

TEST(KliknutiCD, VychoziAkceTlacitek) {
    KonfiguraceOvladaniCD n;
    Vychozi(n);
    struct {
        UINT zprava;
        bool ctrl, shift;
        DWORD akce;
    } pripady[] = {
        {WM_LBUTTONUP, false, false, 1}, {WM_LBUTTONUP, true, false, 1}, {WM_LBUTTONUP, true, true, 4},
        {WM_LBUTTONUP, false, true, 2},  {WM_MBUTTONUP, false, false, 2}, {WM_RBUTTONUP, false, false, 1},
        {WM_LBUTTONDOWN, false, false, 0}, {WM_MOUSEMOVE, true, true, 0},
    };
    for (const auto& p : pripady)
        EXPECT_EQ(AkceKliknutiCD(n, p.zprava, p.ctrl, p.shift), p.akce) << p.zprava << " " << p.ctrl << p.shift;
}

// ---------------------------------------------------------------------------------------------
// MCI

TEST_F(JednotkyCD, DvereProchaziMci) {
    EXPECT_EQ(OvladatDvereMechaniky('D', true), 0u);
    auto v = Kopie(volaniMci);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].prikaz, static_cast<UINT>(MCI_OPEN));
    EXPECT_EQ(v[0].prvek, L"D:");
    EXPECT_EQ(v[0].priznaky, static_cast<DWORD_PTR>(MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE));
    EXPECT_EQ(v[1].prikaz, static_cast<UINT>(MCI_SET));
    EXPECT_EQ(v[1].priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_OPEN));
    EXPECT_EQ(v[2].prikaz, static_cast<UINT>(MCI_CLOSE));

    volaniMci.clear();
    OvladatDvereMechaniky('F', false);
    v = Kopie(volaniMci);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].prvek, L"F:");
    EXPECT_EQ(v[1].priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_CLOSED));

    volaniMci.clear();
    chybaOtevreni = MCIERR_DEVICE_NOT_READY;
    EXPECT_EQ(OvladatDvereMechaniky('D', true), static_cast<MCIERROR>(MCIERR_DEVICE_NOT_READY));
    EXPECT_EQ(Kopie(volaniMci).size(), 1u) << "a failed open sends nothing more";
}

TEST(MciCD, SkutecneMciNaFiktivniMechaniceSeHlasiCiste) {
    testy::DocasnaSlozka slozka;
    testy::FiktivniJednotka cd(L'Q', slozka.Cesta());
    ASSERT_TRUE(cd.Pripravena());
    testy::ZachytavacZprav zpravy;
    // Wine has no door to move: whatever MCI answers comes back as a value, never as a message
    MCIERROR otevreni = OvladatDvereMechaniky('Q', true);
    MCIERROR zavreni = OvladatDvereMechaniky('Q', false);
    EXPECT_EQ(otevreni, zavreni);
    // a letter without any drive: the open fails and nothing else happens
    EXPECT_NE(OvladatDvereMechaniky('W', true), 0u);
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

// ---------------------------------------------------------------------------------------------
// The drive list on fixture drives: D: and F: are CD-ROM drives, E: a plain folder drive

TEST_F(JednotkyCD, SeznamJednotekPoradiAMenu) {
    testy::DocasnaSlozka d, e, f;
    testy::FiktivniJednotka cdD(L'D', d.Cesta()), diskE(L'E', e.Cesta(), DRIVE_FIXED), cdF(L'F', f.Cesta());
    ASSERT_TRUE(cdD.Pripravena() && diskE.Pripravena() && cdF.Pripravena());

    jednotkyCD = std::make_unique<OvladaniCD>();
    EXPECT_EQ(jednotkyCD->nazev, L"Ovládání CD");
    EXPECT_NE(jednotkyCD->ikonaPrazdna, nullptr);
    EXPECT_NE(jednotkyCD->ikonaDisk, nullptr);
    jednotkyCD->NajitJednotky();
    ASSERT_EQ(jednotkyCD->Pocet(), 2u);
    EXPECT_EQ(jednotkyCD->Jednotka(0)->cesta, L"D:");
    EXPECT_EQ(jednotkyCD->Jednotka(0)->pismeno, 'D');
    EXPECT_EQ(jednotkyCD->Jednotka(0)->index, 0u);
    EXPECT_EQ(jednotkyCD->Jednotka(1)->cesta, L"F:");
    EXPECT_EQ(jednotkyCD->Jednotka(1)->index, 1u);
    EXPECT_FALSE(jednotkyCD->Jednotka(0)->Bezi()) << "finding starts no drive";

    HMENU menu = jednotkyCD->VytvoritMenuJednotek();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(::GetMenuItemCount(menu), 2);
    EXPECT_EQ(::GetMenuItemID(menu, 0), 53001u) << "the last drive found comes first";
    EXPECT_EQ(::GetMenuItemID(menu, 1), 53000u);
    wchar_t text[16] = L"";
    ::GetMenuStringW(menu, 0, text, 16, MF_BYPOSITION);
    EXPECT_STREQ(text, L"F:");
    EXPECT_EQ(::GetMenuState(menu, 53000, MF_BYCOMMAND) & MF_CHECKED, 0u);
    ::DestroyMenu(menu);

    // D: runs: its item is checked, its icon has id 1
    jednotkyCD->Jednotka(0)->Spustit();
    ASSERT_TRUE(testy::CekatNa([] { return Pripravena(jednotkyCD->Jednotka(0)); }));
    menu = jednotkyCD->VytvoritMenuJednotek();
    EXPECT_NE(::GetMenuState(menu, 53000, MF_BYCOMMAND) & MF_CHECKED, 0u);
    EXPECT_EQ(::GetMenuState(menu, 53001, MF_BYCOMMAND) & MF_CHECKED, 0u);
    ::DestroyMenu(menu);
    auto ikony = Kopie(volaniIkon);
    ASSERT_FALSE(ikony.empty());
    EXPECT_EQ(ikony[0].zprava, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(ikony[0].data.uID, 1u);
    EXPECT_EQ(ikony[0].data.hIcon, jednotkyCD->ikonaPrazdna);
    EXPECT_NE(std::wstring(ikony[0].data.szTip).find(L"D: - Jednotka CD/DVD"), std::wstring::npos);

    // open all: only the running drive gets the command
    jednotkyCD->OtevritVsechny();
    ASSERT_TRUE(testy::CekatNa([] { return Kopie(volaniMci).size() >= 3; }));
    auto mci = Kopie(volaniMci);
    EXPECT_EQ(mci[0].prvek, L"D:");
    EXPECT_EQ(mci[1].priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_OPEN));

    // both run, then close all reaches both
    jednotkyCD->Jednotka(1)->Spustit();
    ASSERT_TRUE(testy::CekatNa([] { return Pripravena(jednotkyCD->Jednotka(1)); }));
    {
        std::lock_guard<std::mutex> z(zamek);
        volaniMci.clear();
    }
    jednotkyCD->ZavritVsechny();
    ASSERT_TRUE(testy::CekatNa([] { return Kopie(volaniMci).size() >= 6; }));
    std::vector<std::wstring> prvky;
    for (const auto& v : Kopie(volaniMci)) {
        if (v.prikaz == MCI_OPEN) prvky.push_back(v.prvek);
        if (v.prikaz == MCI_SET) {
            EXPECT_EQ(v.priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_CLOSED));
        }
    }
    std::sort(prvky.begin(), prvky.end());
    EXPECT_EQ(prvky, (std::vector<std::wstring>{L"D:", L"F:"}));

    // the stop of all drives ends the threads and removes both icons
    jednotkyCD->ZastavitJednotky();
    EXPECT_EQ(jednotkyCD->Pocet(), 0u);
    int odebrano = 0;
    for (const auto& v : Kopie(volaniIkon))
        if (v.zprava == NIM_DELETE) ++odebrano;
    EXPECT_EQ(odebrano, 2);
}

// The drive window on its thread, as the main window drives it: the tray icon appears, its
// commands reach the MCI path, device broadcasts change the icon and show the balloon.
TEST_F(JednotkyCD, OknoJednotkyIkonaPrikazyAUdalosti) {
    testy::DocasnaSlozka d;
    testy::FiktivniJednotka cd(L'D', d.Cesta());
    ASSERT_TRUE(cd.Pripravena());
    ZapsatSoubor(d.Cesta() + L"\\disc.ico", SouborIkony());
    ZapsatSoubor(d.Cesta() + L"\\autorun.inf", Bajty("[autorun]\r\nIcon = disc.ico\r\n"));

    jednotkyCD = std::make_unique<OvladaniCD>();
    jednotkyCD->NajitJednotky();
    ASSERT_EQ(jednotkyCD->Pocet(), 1u);
    auto* jednotka = jednotkyCD->Jednotka(0);
    jednotka->Vlakno().Prepnout();  // what command 53000 does
    ASSERT_TRUE(testy::CekatNa([&] { return Pripravena(jednotka); }));
    HWND okno = jednotka->Vlakno().Okno();
    ASSERT_TRUE(::IsWindow(okno));
    wchar_t trida[64] = L"";
    ::GetClassNameW(okno, trida, 64);
    EXPECT_STREQ(trida, L"QOknoCDDrive");
    EXPECT_FALSE(::IsWindowVisible(okno));

    // the door command of the drive menu, chosen there with its key: the MCI path gets it
    ::PostMessageW(okno, ZPRAVA_IKONY_TRAY, 1, WM_RBUTTONUP);
    HWND menu = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] {
        menu = testy::NajitOknoProcesu(::GetCurrentProcessId(), L"#32768");
        return menu && ::IsWindowVisible(menu);
    }));
    // the first key events on a fresh X display can be lost: press until the menu has taken one
    for (int pokus = 0; pokus < 3 && ::IsWindowVisible(menu); ++pokus) {
        testy::StisknoutKlavesy({'O'});
        testy::CekatNa([&] { return !::IsWindowVisible(menu); }, 1500);
    }
    ASSERT_TRUE(testy::CekatNa([] { return Kopie(volaniMci).size() >= 3; }));
    auto dvere = Kopie(volaniMci);
    EXPECT_EQ(dvere[0].prvek, L"D:");
    EXPECT_EQ(dvere[1].priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_OPEN));
    // actions 3 and 6 do nothing; 5 closes the door
    {
        std::lock_guard<std::mutex> z(zamek);
        volaniMci.clear();
    }
    nastaveniOvladaniCD->leve = 3;
    ::SendMessageW(okno, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    nastaveniOvladaniCD->leve = 6;
    ::SendMessageW(okno, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    EXPECT_TRUE(Kopie(volaniMci).empty());
    nastaveniOvladaniCD->leve = 5;
    ::SendMessageW(okno, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);
    auto mci = Kopie(volaniMci);
    ASSERT_EQ(mci.size(), 3u);
    EXPECT_EQ(mci[1].priznaky, static_cast<DWORD_PTR>(MCI_SET_DOOR_CLOSED));
    ::SendMessageW(okno, ZPRAVA_IKONY_TRAY, 2, WM_LBUTTONUP);  // another drive's icon id
    EXPECT_EQ(Kopie(volaniMci).size(), 3u);

    auto upravy = [] {
        std::vector<NOTIFYICONDATAW> v;
        for (const auto& c : Kopie(volaniIkon))
            if (c.zprava == NIM_MODIFY) v.push_back(c.data);
        return v;
    };
    // another letter: ignored
    DEV_BROADCAST_VOLUME jiny = Svazek(BIT('E'), DBTF_MEDIA);
    ::SendMessageW(okno, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&jiny));
    EXPECT_TRUE(upravy().empty());

    // own letter, without the disc icon and without balloons: the disc-present icon
    nastaveniOvladaniCD->ikonaObsah = false;
    DEV_BROADCAST_VOLUME vlastni = Svazek(BIT('D'), DBTF_MEDIA);
    ::SendMessageW(okno, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&vlastni));
    auto u = upravy();
    ASSERT_EQ(u.size(), 1u);
    EXPECT_EQ(u[0].hIcon, jednotkyCD->ikonaDisk);
    EXPECT_EQ(jednotka->IkonaDisku(), nullptr);

    // with the disc icon and the insertion balloon: the autorun icon and string 168
    nastaveniOvladaniCD->ikonaObsah = true;
    nastaveniOvladaniCD->zpravaVlozeni = true;
    ::SendMessageW(okno, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&vlastni));
    u = upravy();
    ASSERT_GE(u.size(), 3u);
    EXPECT_NE(jednotka->IkonaDisku(), nullptr);
    EXPECT_EQ(jednotka->ZobrazenaIkona(), jednotka->IkonaDisku());
    bool bublina = false;
    for (const auto& data : u)
        if ((data.uFlags & NIF_INFO) && std::wstring(data.szInfo) == L"Do mechaniky D: byl vložen disk.") {
            bublina = true;
            EXPECT_EQ(data.dwInfoFlags & 0x0F, static_cast<DWORD>(NIIF_INFO));
        }
    EXPECT_TRUE(bublina);

    // removal without its balloon: the empty-drive icon, no new balloon; the disc icon is kept
    const size_t predtim = upravy().size();
    ::SendMessageW(okno, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&vlastni));
    u = upravy();
    ASSERT_EQ(u.size(), predtim + 1);
    EXPECT_EQ(u.back().hIcon, jednotkyCD->ikonaPrazdna);
    EXPECT_FALSE(u.back().uFlags & NIF_INFO);
    EXPECT_NE(jednotka->IkonaDisku(), nullptr);
    nastaveniOvladaniCD->zpravaVyjmuti = true;
    ::SendMessageW(okno, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(&vlastni));
    EXPECT_EQ(std::wstring(upravy().back().szInfo), L"Z mechaniky D: byl vyjmut disk.");

    // stopping (command 53000 again) ends the thread within the time-out and removes the icon
    const DWORD zacatek = ::GetTickCount();
    jednotka->Vlakno().Prepnout();
    EXPECT_LT(::GetTickCount() - zacatek, 5000u);
    EXPECT_FALSE(jednotka->Bezi());
    EXPECT_FALSE(jednotka->IkonaZobrazena());
    EXPECT_FALSE(::IsWindow(okno));
}

// ---------------------------------------------------------------------------------------------
// Settings page

namespace {

class StrankaCD : public JednotkyCD {
protected:
    void Otevrit() {
        if (!vychoziNastaveno) Vychozi(n);
        vychoziNastaveno = true;
        stranka = std::make_unique<DlgNastavOvladaniCD>();
        stranka->nastaveni = &n;
        rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        stranka->VytvoritStranku(rodic);
    }
    void TearDown() override {
        stranka.reset();
        if (rodic) ::DestroyWindow(rodic);
        JednotkyCD::TearDown();
    }
    HWND Prvek(int id) { return ::GetDlgItem(stranka->OknoStranky(), id); }
    LRESULT Vybrana(int id) { return ::SendMessageW(Prvek(id), CB_GETCURSEL, 0, 0); }
    void Vybrat(int id, LRESULT index) {
        ::SendMessageW(Prvek(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(stranka->OknoStranky(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Prvek(id)));
    }

    KonfiguraceOvladaniCD n;
    bool vychoziNastaveno = false;
    std::unique_ptr<DlgNastavOvladaniCD> stranka;
    HWND rodic = nullptr;
};

}  // namespace

TEST_F(StrankaCD, AkceKliknutiZapisujeHned) {
    Otevrit();
    EXPECT_EQ(::SendMessageW(Prvek(1105), CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(::SendMessageW(Prvek(1104), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(Vybrana(1104), 0);
    EXPECT_EQ(::SendMessageW(Prvek(1105), CB_GETITEMDATA, static_cast<WPARAM>(Vybrana(1105)), 0), 1)
        << "the left click shows its action";
    Vybrat(1104, 2);  // Ctrl + Shift + left
    EXPECT_EQ(::SendMessageW(Prvek(1105), CB_GETITEMDATA, static_cast<WPARAM>(Vybrana(1105)), 0), 4);
    Vybrat(1105, 4);  // "Zavřít mechaniku"
    EXPECT_EQ(n.ctrlShiftLeve, 5u) << "written at once, before Apply";
    EXPECT_EQ(n.leve, 1u);

    // for a person to look at: the page in a window of its size
    RECT r;
    ::GetWindowRect(stranka->OknoStranky(), &r);
    ::SetWindowPos(rodic, HWND_TOP, 20, 20, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    ::ShowWindow(stranka->OknoStranky(), SW_SHOW);
    ::UpdateWindow(rodic);
    ::UpdateWindow(stranka->OknoStranky());
    EXPECT_FALSE(testy::UlozitSnimekOkna(stranka->OknoStranky(), L"jednotkacd_stranka").soubor.empty());
}

TEST_F(StrankaCD, UlozeniZaskrtnutiAPriority) {
    Vychozi(n);
    vychoziNastaveno = true;
    n.threadPriority = 7;  // not one of the six
    n.zpravaVlozeni = true;
    Otevrit();
    EXPECT_EQ(Vybrana(1078), CB_ERR) << "no item for an unknown priority";
    EXPECT_EQ(::IsDlgButtonChecked(stranka->OknoStranky(), 1156), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(::IsDlgButtonChecked(stranka->OknoStranky(), 1158), static_cast<UINT>(BST_CHECKED));
    ::CheckDlgButton(stranka->OknoStranky(), 1156, BST_UNCHECKED);
    ::CheckDlgButton(stranka->OknoStranky(), 1157, BST_CHECKED);
    stranka->Ulozit();
    EXPECT_EQ(n.threadPriority, 7) << "no selection stores nothing new, never -1";
    EXPECT_FALSE(n.zpravaVlozeni);
    EXPECT_TRUE(n.zpravaVyjmuti);
    EXPECT_TRUE(n.ikonaObsah);

    Vybrat(1078, 1);  // "Snížená"
    stranka->Ulozit();
    EXPECT_EQ(n.threadPriority, THREAD_PRIORITY_BELOW_NORMAL);
    stranka.reset();
    Otevrit();
    EXPECT_EQ(Vybrana(1078), 1);
}

// ---------------------------------------------------------------------------------------------
// Information dialogs

TEST(InfoDiskyCD, TextyJednotek) {
    EXPECT_EQ(TextDiskoveJednotky(L"C:\\", L"Systém", DRIVE_FIXED), L"C:\\ (Systém) - pevný disk");
    EXPECT_EQ(TextDiskoveJednotky(L"D:\\", nullptr, DRIVE_CDROM), L"D:\\ - jednotka CD");
    EXPECT_EQ(TextDiskoveJednotky(L"A:\\", nullptr, DRIVE_REMOVABLE), L"A:\\ - externí disk");
    EXPECT_EQ(TextDiskoveJednotky(L"N:\\", L"", DRIVE_REMOTE), L"N:\\ () - vzdálený/síťový disk");
    EXPECT_EQ(TextDiskoveJednotky(L"R:\\", nullptr, DRIVE_RAMDISK), L"R:\\ - RAM disk");
    EXPECT_EQ(TextDiskoveJednotky(L"X:\\", nullptr, DRIVE_UNKNOWN), L"X:\\");
    EXPECT_EQ(TextDiskoveJednotky(L"Y:\\", nullptr, DRIVE_NO_ROOT_DIR), L"Y:\\");
}

TEST(InfoDiskyCD, DialogNaFiktivniMechanice) {
    testy::DocasnaSlozka slozka;
    ZapsatSoubor(slozka.Cesta() + L"\\.windows-label", Bajty("KOLVEXCD\n"));
    testy::FiktivniJednotka cd(L'Q', slozka.Cesta());
    ASSERT_TRUE(cd.Pripravena());
    testy::ZachytavacZprav zpravy;
    DlgInfoDisky dlg;
    dlg.Vytvorit(nullptr);
    HWND seznam = ::GetDlgItem(dlg.m_hWnd, 1023);
    std::wstring titulek(256, L'\0');
    titulek.resize(::GetWindowTextW(dlg.m_hWnd, &titulek[0], 256));
    EXPECT_NE(titulek.find(L" - Informace o diskových jednotkách"), std::wstring::npos);

    // C: is selected at first
    LRESULT vybrana = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    ASSERT_NE(vybrana, LB_ERR);
    std::wstring text(256, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(vybrana),
                                                   reinterpret_cast<LPARAM>(&text[0]))));
    EXPECT_EQ(text.substr(0, 3), L"C:\\");

    LRESULT q = ::SendMessageW(seznam, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"Q:"));
    ASSERT_NE(q, LB_ERR);
    text.assign(256, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(q), reinterpret_cast<LPARAM>(&text[0]))));
    EXPECT_EQ(text, L"Q:\\ (KOLVEXCD) - jednotka CD");
    ::SendMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(q), 0);
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(1023, LBN_SELCHANGE), reinterpret_cast<LPARAM>(seznam));
    wchar_t hodnota[64] = L"";
    ::GetDlgItemTextW(dlg.m_hWnd, 1159, hodnota, 64);
    EXPECT_STREQ(hodnota, L"KOLVEXCD");
    ::GetDlgItemTextW(dlg.m_hWnd, 1160, hodnota, 64);
    EXPECT_STRNE(hodnota, L"???");
    EXPECT_STRNE(hodnota, L"");
    BOOL cislo = FALSE;
    UINT delka = ::GetDlgItemInt(dlg.m_hWnd, 1161, &cislo, FALSE);
    EXPECT_TRUE(cislo);
    EXPECT_GT(delka, 0u);
    ::ShowWindow(dlg.m_hWnd, SW_SHOW);
    ::SetForegroundWindow(dlg.m_hWnd);
    ::UpdateWindow(dlg.m_hWnd);
    EXPECT_FALSE(testy::UlozitSnimekOkna(dlg.m_hWnd, L"jednotkacd_info_disky").soubor.empty());
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(InfoJednotekCD, FormatovaniVlastnosti) {
    std::map<std::wstring, VARIANT> vlastnosti;
    auto text = [&vlastnosti](const wchar_t* nazev, const wchar_t* hodnota) {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(hodnota);
        vlastnosti[nazev] = v;
    };
    text(L"Drive", L"D:");
    text(L"Name", L"KOLVEX DVD-ROM");
    text(L"Manufacturer", L"Brenvald");
    text(L"DeviceID", L"IDE\\CDROM\\1");
    text(L"MaxMediaSize", L"5000000000");
    text(L"Size", L"681574400");
    VARIANT nic;
    ::VariantInit(&nic);
    nic.vt = VT_NULL;
    vlastnosti[L"Model"] = nic;
    VARIANT ne;
    ::VariantInit(&ne);
    ne.vt = VT_BOOL;
    ne.boolVal = VARIANT_FALSE;
    vlastnosti[L"MediaLoaded"] = ne;
    VARIANT rychlost;
    ::VariantInit(&rychlost);
    rychlost.vt = VT_R8;
    rychlost.dblVal = 150.5;
    vlastnosti[L"TransferRate"] = rychlost;

    auto cteni = [&vlastnosti](const wchar_t* nazev, VARIANT& hodnota) {
        auto it = vlastnosti.find(nazev);
        if (it == vlastnosti.end()) return false;
        return SUCCEEDED(::VariantCopy(&hodnota, &it->second));
    };
    std::wstring koren;
    auto svazek = [&koren](const std::wstring& k, std::wstring& jmeno, std::wstring& system) {
        koren = k;
        jmeno = L"FILMY";
        system = L"UDF";
        return true;
    };
    bool pipnout = true;
    EXPECT_EQ(FormatovatVlastnostiCD(cteni, svazek, &pipnout),
              L"Jednotka: D:\r\n"
              L"Jmenovka: FILMY\r\n"
              L"Systém souborů: UDF\r\n"
              L"\r\n"
              L"Zařízení: KOLVEX DVD-ROM\r\n"
              L"Výrobce: Brenvald\r\n"
              L"ID zařízení: IDE\\CDROM\\1\r\n"
              L"V mechanice je disk: NE\r\n"
              L"Max. kapacita média: 5000000000\r\n"
              L"Využité místo: 681574400 Bytů\r\n"
              L"Přenosová rychlost: 150.500000 kB/sec.\r\n");
    EXPECT_EQ(koren, L"D:\\");
    EXPECT_FALSE(pipnout);

    // no disc: no label lines; MaxBlockSize only beeps
    auto bezDisku = [](const std::wstring&, std::wstring&, std::wstring&) { return false; };
    VARIANT blok;
    ::VariantInit(&blok);
    blok.vt = VT_I4;
    blok.lVal = 2048;
    vlastnosti[L"MaxBlockSize"] = blok;
    vlastnosti[L"MediaLoaded"].boolVal = VARIANT_TRUE;
    std::wstring bez = FormatovatVlastnostiCD(cteni, bezDisku, &pipnout);
    EXPECT_EQ(bez.find(L"Jmenovka"), std::wstring::npos);
    EXPECT_EQ(bez.substr(0, 15), L"Jednotka: D:\r\n\r");
    EXPECT_NE(bez.find(L"V mechanice je disk: ANO\r\n"), std::wstring::npos);
    EXPECT_TRUE(pipnout);

    // nothing at all: an empty text
    auto prazdne = [](const wchar_t*, VARIANT&) { return false; };
    EXPECT_EQ(FormatovatVlastnostiCD(prazdne, bezDisku), L"");
    for (auto& p : vlastnosti) ::VariantClear(&p.second);
}

TEST(InfoJednotekCD, WmiBezMechanikyNicNenajde) {
    knihovna::InicializaceCom com;
    testy::ZachytavacZprav zpravy;
    DlgInfoJednotkyCD dlg;
    dlg.Vytvorit(nullptr);
    // Wine's WMI lists no CD/DVD drive in a prefix without one
    EXPECT_EQ(dlg.PocetJednotek(), 0u);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dlg.m_hWnd, 1023), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::GetWindowTextLengthW(::GetDlgItem(dlg.m_hWnd, 1162)), 0);
    ::ShowWindow(dlg.m_hWnd, SW_SHOW);
    ::UpdateWindow(dlg.m_hWnd);
    testy::UlozitSnimekOkna(dlg.m_hWnd, L"jednotkacd_info_jednotek");
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

namespace {

struct HledaniDialogu {
    const wchar_t* titulek;
    HWND nalezeno;
};

BOOL CALLBACK ZkusitDialog(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniDialogu*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t text[256] = L"";
    ::GetWindowTextW(okno, text, 256);
    if (pid == ::GetCurrentProcessId() && std::wstring(text).find(h->titulek) != std::wstring::npos) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

// The information dialogs run on the drive's thread, one of each kind in the whole process: a
// second request only brings the open one to the front.
TEST_F(JednotkyCD, InformacniDialogJenJedenaVPopredi) {
    testy::DocasnaSlozka d, f;
    testy::FiktivniJednotka cdD(L'D', d.Cesta()), cdF(L'F', f.Cesta());
    ASSERT_TRUE(cdD.Pripravena() && cdF.Pripravena());
    jednotkyCD = std::make_unique<OvladaniCD>();
    jednotkyCD->NajitJednotky();
    ASSERT_EQ(jednotkyCD->Pocet(), 2u);
    // command 40141: every drive toggled by itself (D: runs, F: stopped -> D: stops, F: starts)
    jednotkyCD->Jednotka(0)->Spustit();
    ASSERT_TRUE(testy::CekatNa([] { return Pripravena(jednotkyCD->Jednotka(0)); }));
    for (size_t i = 0; i < jednotkyCD->Pocet(); ++i) jednotkyCD->Jednotka(i)->Vlakno().Prepnout();
    EXPECT_FALSE(jednotkyCD->Jednotka(0)->Bezi());
    ASSERT_TRUE(testy::CekatNa([] { return Pripravena(jednotkyCD->Jednotka(1)); }));
    jednotkyCD->Jednotka(0)->Spustit();
    ASSERT_TRUE(testy::CekatNa([] { return Pripravena(jednotkyCD->Jednotka(0)); }));

    auto najitDialog = [](const wchar_t* titulek) {
        HledaniDialogu h{titulek, nullptr};
        ::EnumWindows(ZkusitDialog, reinterpret_cast<LPARAM>(&h));
        return h.nalezeno;
    };

    testy::ZachytavacZprav zpravy;
    ::PostMessageW(jednotkyCD->Jednotka(0)->Vlakno().Okno(), WM_COMMAND, 40139, 0);
    HWND disky = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (disky = najitDialog(L"Informace o diskových jednotkách")) != nullptr; }));
    EXPECT_TRUE(JeOtevrenoInfoDisky());
    DWORD vlakno = ::GetWindowThreadProcessId(disky, nullptr);
    // the second drive asks for it too: no second dialog
    ::PostMessageW(jednotkyCD->Jednotka(1)->Vlakno().Okno(), WM_COMMAND, 40139, 0);
    ::SendMessageW(jednotkyCD->Jednotka(1)->Vlakno().Okno(), WM_NULL, 0, 0);  // after the command
    int pocet = 0;
    for (HWND h = ::FindWindowW(L"#32770", nullptr); h; h = ::FindWindowExW(nullptr, h, L"#32770", nullptr)) {
        wchar_t text[256] = L"";
        ::GetWindowTextW(h, text, 256);
        if (std::wstring(text).find(L"Informace o diskových jednotkách") != std::wstring::npos) ++pocet;
    }
    EXPECT_EQ(pocet, 1);
    EXPECT_EQ(vlakno, ::GetWindowThreadProcessId(jednotkyCD->Jednotka(0)->Vlakno().Okno(), nullptr));

    // the CD/DVD dialog runs beside it, on the other drive's thread, with COM of that thread
    ::PostMessageW(jednotkyCD->Jednotka(1)->Vlakno().Okno(), WM_COMMAND, 40138, 0);
    HWND cd = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (cd = najitDialog(L"Informace o jednotkách CD/DVD")) != nullptr; }, 15000));
    EXPECT_TRUE(JeOtevrenoInfoJednotekCD());
    // Wine's WMI reports the two fixture drives; the first one's details are shown
    EXPECT_EQ(::SendMessageW(::GetDlgItem(cd, 1023), LB_GETCOUNT, 0, 0), 2);
    wchar_t podrobnosti[1024] = L"";
    ::GetDlgItemTextW(cd, 1162, podrobnosti, 1024);
    EXPECT_EQ(std::wstring(podrobnosti).substr(0, 14), L"Jednotka: D:\r\n");
    EXPECT_NE(std::wstring(podrobnosti).find(L"\r\n\r\nZařízení: "), std::wstring::npos);
    ::Sleep(300);  // for the picture only: the dialog paints on the drive's thread
    testy::UlozitSnimekOkna(cd, L"jednotkacd_info_jednotek_mechaniky");

    ::PostMessageW(disky, WM_COMMAND, IDOK, 0);
    ::PostMessageW(cd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(testy::CekatNa([] { return !JeOtevrenoInfoDisky() && !JeOtevrenoInfoJednotekCD(); }));
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    jednotkyCD->ZastavitJednotky();
}
