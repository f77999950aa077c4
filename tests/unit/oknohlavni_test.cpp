// The main window in-process: menu builder, hot-key routing, start-up and stop order of the
// modules through their thread interface, hot-key failures.
#include <gtest/gtest.h>

#include <atomic>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlavnimenu.h"
#include "core/ikonatray.h"
#include "core/menu.h"
#include "core/oknohlavni.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "podpora/pomocnik.h"

namespace {

// What the fake modules saw, in order, across threads.
std::mutex zamek;
std::vector<std::wstring> udalosti;
void Zaznamenat(const std::wstring& u) {
    std::lock_guard<std::mutex> z(zamek);
    udalosti.push_back(u);
}
std::vector<std::wstring> Udalosti() {
    std::lock_guard<std::mutex> z(zamek);
    return udalosti;
}
// Under the lock too: a module thread still starting may be recording its start.
void VymazatUdalosti() {
    std::lock_guard<std::mutex> z(zamek);
    udalosti.clear();
}

class OknoFalesnehoModulu : public knihovna::OknoImpl<OknoFalesnehoModulu, knihovna::OknoModul>, public ModulAplikace {
public:
    std::wstring jmeno;
    bool ignorovatZavreni = false;
    KNIHOVNA_MAPA_ZPRAV(OknoFalesnehoModulu)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_APP + 7, OnMenu)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        return ignorovatZavreni ? 0 : VychoziZpracovani(msg, w, l);
    }
    LRESULT OnCommand(UINT, WPARAM w, LPARAM, BOOL&) {
        Zaznamenat(jmeno + L":" + std::to_wstring(LOWORD(w)));
        return 0;
    }
    LRESULT OnMenu(UINT, WPARAM, LPARAM, BOOL&) {
        Zaznamenat(jmeno + L":menu");
        return 0;
    }
};

class FalesnyModul : public VlaknoModulu {
public:
    FalesnyModul(const wchar_t* jmeno) : VlaknoModulu(41), m_jmeno(jmeno) {}
    std::wstring m_jmeno;
    bool ignorovatZavreni = false;
    bool selhat = false;
    OknoFalesnehoModulu* okno = nullptr;
    knihovna::OknoModul* Objekt() const override { return okno; }

protected:
    HWND VytvoritOkno(bool automaticky) override {
        Zaznamenat(L"start:" + m_jmeno + (automaticky ? L"*" : L""));
        if (selhat) knihovna::VyhoditChybu(E_ACCESSDENIED);
        okno = new OknoFalesnehoModulu();
        okno->jmeno = m_jmeno;
        okno->nazevModulu = m_jmeno;
        okno->ikonaModulu = ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
        okno->ignorovatZavreni = ignorovatZavreni;
        return okno->Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QTestFalesnyModul");
    }
    void ZrusitOkno() override {
        delete okno;
        okno = nullptr;
    }
    void PredZastavenim() override { Zaznamenat(L"stop:" + m_jmeno); }
    // Asked on the main thread as the thread is made: the exact order of the starts.
    int PrioritaVlakna() const override {
        spusteni.push_back(m_jmeno);
        return THREAD_PRIORITY_NORMAL;
    }

public:
    static std::vector<std::wstring> spusteni;
};

std::vector<std::wstring> FalesnyModul::spusteni;

const wchar_t* const JMENA[] = {L"RozsireniOken", L"Sonvidar", L"CteckaRSS", L"Hodiny", L"HostInfo", L"Kontakty",
                                L"SledovaniPameti", L"SledovaniProcesu", L"Obrazovka", L"Pocasi", L"Poznamky",
                                L"SeznamRegistraci", L"Schranka", L"SitLanInfo", L"SpousteniAplikaci", L"Stopky"};

// The thread that last added or removed an icon.
std::atomic<DWORD> vlaknoIkony{0};
BOOL WINAPI BezShellu(DWORD zprava, PNOTIFYICONDATAW) {
    if (zprava == NIM_ADD || zprava == NIM_DELETE) vlaknoIkony = ::GetCurrentThreadId();
    return TRUE;
}

struct ZachytBublin {
    static std::vector<NOTIFYICONDATAW> bubliny;
    static BOOL WINAPI Zaznam(DWORD, PNOTIFYICONDATAW d) {
        if ((d->uFlags & NIF_INFO) && d->szInfo[0]) bubliny.push_back(*d);
        return TRUE;
    }
};
std::vector<NOTIFYICONDATAW> ZachytBublin::bubliny;

class HlavniOkno : public ::testing::Test {
protected:
    void SetUp() override {
        VymazatUdalosti();
        FalesnyModul::spusteni.clear();
        puvodniShell = notifikacniIkona;
        notifikacniIkona = BezShellu;
        aplikace.titulek = L"Kolvex";
        aplikace.nastaveni = NastaveniObecne{};
        aplikace.nastaveni.casovyLimitModulu = 3000;
        if (!aplikace.malaIkona.Get()) aplikace.malaIkona.Nastavit(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
        if (!aplikace.velkaIkona.Get()) aplikace.velkaIkona.Nastavit(::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION)));
        {
            // the fake modules' class, registered once before their threads race to do it
            OknoFalesnehoModulu prvni;
            prvni.Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QTestFalesnyModul");
        }
        aplikace.horkeKlavesy = std::make_unique<HorkeKlavesy>(L"Software\\Brenvald\\KolvexTest\\5.0");
        for (size_t i = 0; i < static_cast<size_t>(Nastroj::Pocet); ++i) {
            moduly.push_back(std::make_unique<FalesnyModul>(JMENA[i]));
            ZaregistrovatNastroj(static_cast<Nastroj>(i), moduly.back().get());
        }
    }
    void TearDown() override {
        if (oknoHlavni && oknoHlavni->m_hWnd) ::SendMessageW(oknoHlavni->m_hWnd, WM_CLOSE, 0, 0);
        oknoHlavni.reset();
        for (size_t i = 0; i < static_cast<size_t>(Nastroj::Pocet); ++i) {
            moduly[i]->Zastavit();
            ZaregistrovatNastroj(static_cast<Nastroj>(i), nullptr);
        }
        moduly.clear();
        aplikace.horkeKlavesy.reset();
        notifikacniIkona = puvodniShell;
        knihovna::ZahoditOdlozenouVyjimku();
    }
    FalesnyModul& M(Nastroj n) { return *moduly[static_cast<size_t>(n)]; }
    HWND VytvoritHlavniOkno() {
        oknoHlavni = std::make_unique<OknoHlavni>();
        oknoHlavni->Vytvorit();
        return oknoHlavni->m_hWnd;
    }
    // The main window's start-up (a timer 100 ms after it is made) starts the six always-running
    // modules; a test that records events of its own lets it happen first, or the starts land
    // among its events.
    bool PockatNaSpusteni() {
        return testy::CekatNa([&] {
            for (Nastroj n : {Nastroj::Sonvidar, Nastroj::Obrazovka, Nastroj::Pocasi, Nastroj::Poznamky,
                              Nastroj::SpousteniAplikaci, Nastroj::Schranka})
                if (!M(n).Okno()) return false;
            return true;
        });
    }

    std::vector<std::unique_ptr<FalesnyModul>> moduly;
    FunkceNotifyIcon puvodniShell = nullptr;
};

struct StavPolozky {
    bool existuje = false, sedive = false, zaskrtnuto = false, kresleno = false, podmenu = false;
};

StavPolozky Stav(HMENU menu, UINT id) {
    StavPolozky s;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(menu, id, FALSE, &mii)) return s;
    s.existuje = true;
    s.sedive = (mii.fState & MFS_GRAYED) != 0;
    s.zaskrtnuto = (mii.fState & MFS_CHECKED) != 0;
    s.kresleno = (mii.fType & MFT_OWNERDRAW) != 0;
    s.podmenu = mii.hSubMenu != nullptr;
    return s;
}

}  // namespace

TEST_F(HlavniOkno, MenuPodlePrepinacuAVlastnihoVzhledu) {
    const UINT nastroje[] = {40058, 40089, 40131, 40098, 40005, 40184, 40158, 40167, 40092,
                             40112, 40004, 40202, 40224, 40179, 40165};
    for (bool vzhled : {true, false}) {
        aplikace.nastaveni.vlastniVzhled = vzhled;
        HlavniMenu menu;
        HMENU p = menu.Popup();
        for (UINT id : nastroje) {
            StavPolozky s = Stav(p, id);
            EXPECT_TRUE(s.existuje) << id;
            EXPECT_FALSE(s.sedive) << id;
            EXPECT_EQ(s.kresleno, vzhled) << id;
        }
        for (UINT id : {40002u, 40001u}) EXPECT_EQ(Stav(p, id).kresleno, vzhled) << id;
        // submenus put on their placeholders
        for (UINT id : {40003u, 40010u, 40094u}) EXPECT_TRUE(Stav(p, id).podmenu) << id;
        EXPECT_EQ(Stav(p, 40023).kresleno, vzhled);  // inside Help
        EXPECT_EQ(Stav(p, 40017).kresleno, vzhled);  // inside the control icons
        // no drive: "Ovládání CD" greyed; no plug-in: item removed; outside programs not found: hidden
        EXPECT_TRUE(Stav(p, 40140).sedive);
        EXPECT_EQ(NacistTextPolozkyMenu(p, 40140), L"Ovládání CD");
        EXPECT_FALSE(Stav(p, 40097).existuje);
        EXPECT_FALSE(Stav(p, 40187).existuje);
        EXPECT_FALSE(Stav(p, 40188).existuje);
        EXPECT_TRUE(Stav(p, 40186).existuje);
        // "Konec" last, no separator at the ends
        int pocet = ::GetMenuItemCount(p);
        EXPECT_EQ(::GetMenuItemID(p, pocet - 1), 40001u);
        EXPECT_NE(::GetMenuItemID(p, 0), 0u);
        EXPECT_EQ(NacistTextPolozkyMenu(p, 40094), L"Rozšíření Průzkumníka");
        EXPECT_EQ(NacistTextPolozkyMenu(p, 40003), L"Nápověda");
    }

    // outside programs shown greyed when not hidden
    aplikace.nastaveni.skrytNenalezeneExtAplikace = false;
    {
        HlavniMenu menu;
        EXPECT_TRUE(Stav(menu.Popup(), 40187).sedive);
        EXPECT_TRUE(Stav(menu.Popup(), 40188).sedive);
    }
}

TEST_F(HlavniOkno, VsechnyPrepinaceVypnuteNechajiNastaveniNapovedaIkonyAKonec) {
    PolozkyMenu vypnuto;
    bool* b = &vypnuto.externiAplikace;
    for (size_t i = 0; i < sizeof(PolozkyMenu) / sizeof(bool); ++i) b[i] = false;
    aplikace.nastaveni.polozkyMenu = vypnuto;
    HlavniMenu menu;
    HMENU p = menu.Popup();
    std::vector<UINT> polozky;
    for (int i = 0; i < ::GetMenuItemCount(p); ++i) polozky.push_back(::GetMenuItemID(p, i));
    // 40003 and 40010 carry submenus: GetMenuItemID answers -1 for them
    std::vector<UINT> ocekavane = {40002, static_cast<UINT>(-1), static_cast<UINT>(-1), 0, 40001};
    EXPECT_EQ(polozky, ocekavane);
    EXPECT_TRUE(Stav(p, 40010).podmenu);
    EXPECT_TRUE(Stav(p, 40003).podmenu);
}

TEST_F(HlavniOkno, ZaskrtnutiBezicichModuluAZobrazenychIkon) {
    HWND hlavni = VytvoritHlavniOkno();
    ASSERT_NE(hlavni, nullptr);
    M(Nastroj::Hodiny).Spustit();
    M(Nastroj::SledovaniProcesu).Spustit();
    M(Nastroj::Schranka).Spustit();
    ASSERT_TRUE(testy::CekatNa([&] { return M(Nastroj::Schranka).Okno() != nullptr; }));
    M(Nastroj::Schranka).okno->VytvoritOvladaciIkonu();

    HlavniMenu menu;
    HMENU p = menu.Popup();
    EXPECT_TRUE(Stav(p, 40184).zaskrtnuto);
    EXPECT_FALSE(Stav(p, 40112).zaskrtnuto);  // the process monitor's item gets no mark
    EXPECT_FALSE(Stav(p, 40004).zaskrtnuto);
    EXPECT_TRUE(Stav(p, 40011).zaskrtnuto);
    EXPECT_FALSE(Stav(p, 40006).zaskrtnuto);
}

TEST_F(HlavniOkno, SmerovaniHorkychKlavesTabulkou) {
    struct {
        UINT id;
        CilHorkeKlavesy cil;
    } pripady[] = {
        {1, CilHorkeKlavesy::Spousteni},       {1000, CilHorkeKlavesy::Spousteni},
        {40018, CilHorkeKlavesy::Spousteni},   {1001, CilHorkeKlavesy::HlavniOkno},
        {40048, CilHorkeKlavesy::AkceOkna},    {40053, CilHorkeKlavesy::AkceOkna},
        {40099, CilHorkeKlavesy::AkceOkna},    {40107, CilHorkeKlavesy::AkceOkna},
        {40109, CilHorkeKlavesy::AkceOkna},    {40110, CilHorkeKlavesy::AkceOkna},
        {40108, CilHorkeKlavesy::HlavniOkno},  {40113, CilHorkeKlavesy::Obrazovka},
        {40116, CilHorkeKlavesy::Obrazovka},   {40127, CilHorkeKlavesy::Obrazovka},
        {40133, CilHorkeKlavesy::Obrazovka},   {40134, CilHorkeKlavesy::Obrazovka},
        {40117, CilHorkeKlavesy::HlavniOkno},  {40168, CilHorkeKlavesy::Sonvidar},
        {40169, CilHorkeKlavesy::Sonvidar},    {40001, CilHorkeKlavesy::HlavniOkno},
        {40058, CilHorkeKlavesy::HlavniOkno},  {40004, CilHorkeKlavesy::HlavniOkno},
    };
    for (const auto& p : pripady) EXPECT_EQ(UrcitCilHorkeKlavesy(p.id), p.cil) << p.id;

    // and through the window: each reaches its module's window on the module's thread
    HWND hlavni = VytvoritHlavniOkno();
    for (Nastroj n : {Nastroj::SpousteniAplikaci, Nastroj::Obrazovka, Nastroj::Sonvidar, Nastroj::Schranka}) M(n).Spustit();
    // these four and the start-up's have recorded their start before the record is cleared
    ASSERT_TRUE(PockatNaSpusteni());
    VymazatUdalosti();
    for (UINT id : {7u, 40018u, 40113u, 40169u, 40058u, 40041u}) ::SendMessageW(hlavni, WM_HOTKEY, id, 0);
    auto ocekavane = std::vector<std::wstring>{L"SpousteniAplikaci:7", L"SpousteniAplikaci:40018", L"Obrazovka:40113",
                                               L"Sonvidar:40169", L"Schranka:menu", L"Schranka:40041"};
    EXPECT_TRUE(testy::CekatNa([&] { return Udalosti().size() >= ocekavane.size(); }));
    auto videno = Udalosti();
    std::sort(videno.begin(), videno.end());
    std::sort(ocekavane.begin(), ocekavane.end());
    EXPECT_EQ(videno, ocekavane);
}

TEST_F(HlavniOkno, SpusteniAZastaveniVPoradi) {
    testy::ZachytavacZprav zpravy(IDNO);
    PoSpusteni& po = aplikace.nastaveni.poSpusteni;
    po.sledovaniPameti = po.sledovaniProcesu = po.hodiny = po.hostInfo = po.stopky = po.seznamRegistraci =
        po.kontakty = po.cteckaRSS = true;
    HWND hlavni = VytvoritHlavniOkno();
    ASSERT_TRUE(testy::CekatNa([&] { return Udalosti().size() >= 14; }, 5000));
    std::vector<std::wstring> ocekavane = {
        L"start:Sonvidar*", L"start:Obrazovka*", L"start:Pocasi*", L"start:Poznamky*", L"start:SpousteniAplikaci*",
        L"start:Schranka*", L"start:SledovaniPameti", L"start:SledovaniProcesu", L"start:Hodiny*", L"start:HostInfo",
        L"start:Stopky*", L"start:SeznamRegistraci*", L"start:Kontakty*", L"start:CteckaRSS"};
    // in the exact order: the always-running six in the handler, then the posted ones in order posted
    std::vector<std::wstring> poradi = {L"Sonvidar", L"Obrazovka", L"Pocasi", L"Poznamky", L"SpousteniAplikaci",
                                        L"Schranka", L"SledovaniPameti", L"SledovaniProcesu", L"Hodiny",
                                        L"HostInfo", L"Stopky", L"SeznamRegistraci", L"Kontakty", L"CteckaRSS"};
    EXPECT_EQ(FalesnyModul::spusteni, poradi);
    // and each learnt whether it was started automatically
    auto videno = Udalosti();
    std::sort(videno.begin(), videno.end());
    std::sort(ocekavane.begin(), ocekavane.end());
    EXPECT_EQ(videno, ocekavane);

    // the two left start by command
    ::SendMessageW(hlavni, WM_COMMAND, 40098, 0);
    ::SendMessageW(hlavni, WM_COMMAND, 40224, 0);
    ASSERT_TRUE(testy::CekatNa([&] { return M(Nastroj::SitLanInfo).Okno() && M(Nastroj::RozsireniOken).Okno(); }));
    for (auto& m : moduly) EXPECT_TRUE(m->Bezi()) << std::string(m->m_jmeno.begin(), m->m_jmeno.end());
    for (auto& z : zpravy.zpravy) ADD_FAILURE() << std::string(z.text.begin(), z.text.end());

    VymazatUdalosti();
    ::SendMessageW(hlavni, WM_CLOSE, 0, 0);
    std::vector<std::wstring> zastaveni = {
        L"stop:RozsireniOken", L"stop:Sonvidar",   L"stop:CteckaRSS",        L"stop:Hodiny",
        L"stop:HostInfo",      L"stop:Kontakty",   L"stop:SledovaniPameti",  L"stop:SledovaniProcesu",
        L"stop:Obrazovka",     L"stop:Pocasi",     L"stop:Poznamky",         L"stop:SeznamRegistraci",
        L"stop:Schranka",      L"stop:SitLanInfo", L"stop:SpousteniAplikaci", L"stop:Stopky"};
    EXPECT_EQ(Udalosti(), zastaveni);
    for (auto& m : moduly) EXPECT_FALSE(m->Bezi());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop would end now
}

TEST_F(HlavniOkno, PrepinaniAOvladaciIkona) {
    HWND hlavni = VytvoritHlavniOkno();
    ASSERT_TRUE(PockatNaSpusteni());
    ::SendMessageW(hlavni, WM_COMMAND, 40184, 0);  // toggle: start (from the menu, not automatic)
    ASSERT_TRUE(testy::CekatNa([&] { return M(Nastroj::Hodiny).Okno() != nullptr; }));
    EXPECT_EQ(Udalosti().back(), L"start:Hodiny");
    ::SendMessageW(hlavni, WM_COMMAND, 40184, 0);  // toggle: stop
    EXPECT_FALSE(M(Nastroj::Hodiny).Bezi());

    M(Nastroj::Obrazovka).Spustit();
    ASSERT_TRUE(testy::CekatNa([&] { return M(Nastroj::Obrazovka).Okno() != nullptr; }));
    // the control icon is added and removed by the module's thread, which uses it in its menus
    const DWORD vlaknoModulu = ::GetWindowThreadProcessId(M(Nastroj::Obrazovka).Okno(), nullptr);
    ::SendMessageW(hlavni, WM_COMMAND, 40015, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return M(Nastroj::Obrazovka).JeZobrazenaIkona(40015); }));
    EXPECT_EQ(vlaknoIkony, vlaknoModulu);
    ::SendMessageW(hlavni, WM_COMMAND, 40015, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return !M(Nastroj::Obrazovka).JeZobrazenaIkona(40015); }));
    EXPECT_EQ(vlaknoIkony, vlaknoModulu);

    // a tool that is not part of the program: its commands do nothing
    ZaregistrovatNastroj(Nastroj::Pocasi, nullptr);
    ::SendMessageW(hlavni, WM_COMMAND, 40016, 0);
    ZaregistrovatNastroj(Nastroj::Pocasi, &M(Nastroj::Pocasi));
}

TEST_F(HlavniOkno, ZastaveniPoLimituHlasiChybuAZaviraProgram) {
    testy::ZachytavacZprav zpravy(IDOK);
    aplikace.nastaveni.casovyLimitModulu = 300;
    HWND hlavni = VytvoritHlavniOkno();
    FalesnyModul& m = M(Nastroj::Stopky);
    m.ignorovatZavreni = true;
    m.Spustit();
    ASSERT_TRUE(testy::CekatNa([&] { return m.Okno() != nullptr; }));
    m.Zastavit();
    // one message names the module; the time-out's code is not shown on its own
    EXPECT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
    ASSERT_FALSE(zpravy.zpravy.empty());
    EXPECT_EQ(zpravy.zpravy.back().text, L"Došlo k chybě při ukončování prováděcího toku modulu \"Ovládací ikony\"!");
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, hlavni, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    // let it go
    m.okno->ignorovatZavreni = false;
    m.Odeslat(WM_CLOSE);
    EXPECT_TRUE(testy::CekatNa([&] { return m.Okno() == nullptr; }));
}

TEST_F(HlavniOkno, SelhaniVlaknaSeHlasiAModulNebezi) {
    testy::ZachytavacZprav zpravy(IDNO);
    FalesnyModul& m = M(Nastroj::Kontakty);
    m.selhat = true;
    aplikace.nastaveni.poSpusteni.kontakty = true;
    m.Spustit(true);
    ASSERT_TRUE(testy::CekatNa([&] { return zpravy.zpravy.size() >= 2; }));
    EXPECT_NE(zpravy.zpravy[1].text.find(L"Došlo k chybě v nástroji \"Ovládací ikony\""), std::wstring::npos);
    EXPECT_FALSE(m.Bezi());
    m.Zastavit();  // ended: nothing to wait for, no report
    EXPECT_EQ(zpravy.zpravy.size(), 2u);
    m.selhat = false;
    m.Spustit();  // can be started again
    EXPECT_TRUE(testy::CekatNa([&] { return m.Okno() != nullptr; }));
}

TEST_F(HlavniOkno, NezaregistrovaneKlavesySeSpocitajiAOhlasiBublinou) {
    notifikacniIkona = ZachytBublin::Zaznam;
    ZachytBublin::bubliny.clear();
    // Ctrl+Alt+F11 is taken by another window first
    HWND jine = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(::RegisterHotKey(jine, 77, MOD_CONTROL | MOD_ALT, VK_F11));
    aplikace.horkeKlavesy->Pridat(40019, 27);
    aplikace.horkeKlavesy->Pridat(40001, 27);
    aplikace.horkeKlavesy->Pridat(40002, 27);
    aplikace.horkeKlavesy->zaznamy[0].modifikatory = MOD_CONTROL | MOD_ALT;
    aplikace.horkeKlavesy->zaznamy[0].klavesa = VK_F11;  // taken
    aplikace.horkeKlavesy->zaznamy[1].modifikatory = MOD_CONTROL | MOD_ALT;
    aplikace.horkeKlavesy->zaznamy[1].klavesa = VK_F12;  // free
    aplikace.nastaveni.zvuk = false;
    VytvoritHlavniOkno();
    ASSERT_EQ(ZachytBublin::bubliny.size(), 1u);
    EXPECT_STREQ(ZachytBublin::bubliny[0].szInfo, L"1 klávesové zkratky se nepodařilo zaregistrovat.");
    EXPECT_STREQ(ZachytBublin::bubliny[0].szInfoTitle, L"Kolvex");
    EXPECT_EQ(ZachytBublin::bubliny[0].dwInfoFlags, static_cast<DWORD>(NIIF_ERROR | NIIF_NOSOUND));
    EXPECT_TRUE(oknoHlavni->horkeKlavesyRegistrovany);
    // the free one works: another window cannot take it now
    EXPECT_FALSE(::RegisterHotKey(jine, 78, MOD_CONTROL | MOD_ALT, VK_F12));
    // only what was registered is unregistered: the one that failed is no second failure
    ZachytBublin::bubliny.clear();
    EXPECT_EQ(oknoHlavni->OdregistrovatHorkeKlavesy(), 0);
    EXPECT_TRUE(ZachytBublin::bubliny.empty());
    EXPECT_TRUE(::RegisterHotKey(jine, 78, MOD_CONTROL | MOD_ALT, VK_F12));
    ::UnregisterHotKey(jine, 77);
    ::UnregisterHotKey(jine, 78);
    ::DestroyWindow(jine);
}

namespace {
std::vector<UINT> registraceModifikatory;
BOOL WINAPI ZaznamenatRegistraci(HWND okno, int id, UINT modifikatory, UINT klavesa) {
    registraceModifikatory.push_back(modifikatory);
    return ::RegisterHotKey(okno, id, modifikatory, klavesa);
}
}  // namespace

// Hot keys are registered without auto-repeat: a held key runs its command once.
TEST_F(HlavniOkno, HorkeKlavesyBezOpakovani) {
    registraceModifikatory.clear();
    registraceHorkeKlavesy = ZaznamenatRegistraci;
    aplikace.horkeKlavesy->Pridat(40019, 27);
    aplikace.horkeKlavesy->zaznamy[0].modifikatory = MOD_CONTROL | MOD_SHIFT;
    aplikace.horkeKlavesy->zaznamy[0].klavesa = VK_F10;
    VytvoritHlavniOkno();
    registraceHorkeKlavesy = ::RegisterHotKey;
    ASSERT_EQ(registraceModifikatory.size(), 1u);
    EXPECT_EQ(registraceModifikatory[0], static_cast<UINT>(MOD_CONTROL | MOD_SHIFT | MOD_NOREPEAT));
    EXPECT_EQ(oknoHlavni->registrovaneKlavesy, std::vector<int>{40019});
    EXPECT_EQ(oknoHlavni->OdregistrovatHorkeKlavesy(), 0);
    EXPECT_TRUE(oknoHlavni->registrovaneKlavesy.empty());
}
