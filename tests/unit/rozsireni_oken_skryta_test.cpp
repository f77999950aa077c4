// Windows hidden to the tray icon, and the window extension's module window handling events:
// the list, its icon and tip (through the tray seam), the limit, restoring, and the module's own
// handling of hiding, events and closing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "windows/modulrozsirenioken.h"
#include "windows/skrytaokna.h"
#include "windows/systemovanabidka.h"

using namespace testy;

namespace {

struct ZaznamIkony {
    DWORD zprava;
    UINT flags;
    std::wstring tip;
    std::wstring infoTitulek;
    std::wstring info;
};
std::vector<ZaznamIkony> ikony;

BOOL WINAPI ZaznamenatIkonu(DWORD zprava, PNOTIFYICONDATAW data) {
    ikony.push_back({zprava, data->uFlags, data->szTip, data->szInfoTitle, data->szInfo});
    return TRUE;
}

// The last tip the icon was given; empty when the icon was removed after it.
std::wstring PosledniTip() {
    std::wstring tip;
    for (const ZaznamIkony& z : ikony) {
        if (z.zprava == NIM_DELETE) tip.clear();
        if ((z.zprava == NIM_ADD || z.zprava == NIM_MODIFY) && (z.flags & NIF_TIP)) tip = z.tip;
    }
    return tip;
}

bool IkonaZobrazena() {
    bool zobrazena = false;
    for (const ZaznamIkony& z : ikony) {
        if (z.zprava == NIM_ADD) zobrazena = true;
        if (z.zprava == NIM_DELETE) zobrazena = false;
    }
    return zobrazena;
}

HWND VytvoritOkno(const wchar_t* titulek, bool viditelne) {
    return ::CreateWindowExW(0, L"STATIC", titulek, WS_OVERLAPPEDWINDOW | (viditelne ? WS_VISIBLE : 0), 50, 50, 200,
                             100, nullptr, nullptr, nullptr, nullptr);
}

class SkrytaOkna : public ::testing::Test {
protected:
    void SetUp() override {
        puvodni = notifikacniIkona;
        notifikacniIkona = ZaznamenatIkonu;
        ikony.clear();
        vlastnik = ::CreateWindowExW(0, L"STATIC", L"Vlastník", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                     nullptr);
    }
    void TearDown() override {
        for (HWND o : okna) ::DestroyWindow(o);
        ::DestroyWindow(vlastnik);
        notifikacniIkona = puvodni;
    }
    HWND Okno(const wchar_t* titulek = L"Skrývané okno", bool viditelne = true) {
        okna.push_back(VytvoritOkno(titulek, viditelne));
        return okna.back();
    }
    FunkceNotifyIcon puvodni = nullptr;
    HWND vlastnik = nullptr;
    std::vector<HWND> okna;
};

}  // namespace

TEST_F(SkrytaOkna, SkrytiAObnoveniMeniTipAIkonu) {
    SeznamSkrytychOken seznam(vlastnik);
    EXPECT_FALSE(IkonaZobrazena()) << "no icon while the list is empty";
    HWND a = Okno(L"První"), b = Okno(L"Druhé");
    ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, a, false));
    EXPECT_FALSE(::IsWindowVisible(a));
    EXPECT_TRUE(IkonaZobrazena());
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 1");
    EXPECT_EQ(ikony.front().tip, L"Skrytá okna") << "the tip the icon is added with";
    EXPECT_FALSE(SkrytOknoDoSeznamu(seznam, a, false)) << "the same window twice";
    EXPECT_EQ(seznam.Pocet(), 1u);

    ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, b, false));
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 2");
    EXPECT_TRUE(seznam.Obnovit(0));
    EXPECT_TRUE(::IsWindowVisible(a));
    EXPECT_FALSE(::IsWindowVisible(b));
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 1");
    EXPECT_EQ(seznam.Okno(0), b) << "later windows move down";
    EXPECT_FALSE(seznam.Obnovit(1));
    EXPECT_TRUE(seznam.Obnovit(0));
    EXPECT_TRUE(::IsWindowVisible(b));
    EXPECT_FALSE(IkonaZobrazena()) << "the last restored window takes the icon with it";

    // hiding again brings the icon back with the count 1
    ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, a, false));
    EXPECT_TRUE(IkonaZobrazena());
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 1");
}

TEST_F(SkrytaOkna, DvestePrvniOknoJeOdmitnutoAZustaneViditelne) {
    SeznamSkrytychOken seznam(vlastnik);
    for (size_t i = 0; i < MAX_SKRYTYCH_OKEN; ++i) ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, Okno(L"Okno", false), false)) << i;
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 200");
    HWND navic = Okno(L"Dvoustéprvní");
    EXPECT_FALSE(SkrytOknoDoSeznamu(seznam, navic, true));
    EXPECT_TRUE(::IsWindowVisible(navic)) << "a window the list refused was hidden all the same";
    EXPECT_FALSE(::IsIconic(navic));
    EXPECT_EQ(seznam.Pocet(), 200u);
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 200");
}

TEST_F(SkrytaOkna, NeplatneOknoAOznameni) {
    SeznamSkrytychOken seznam(vlastnik);
    EXPECT_THROW(seznam.Pridat(nullptr), knihovna::Chyba);
    HWND okno = Okno(L"Okno s oznámením");
    ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, okno, true));
    ASSERT_FALSE(ikony.empty());
    EXPECT_EQ(ikony.back().infoTitulek, L"Okno bylo skryto");
    EXPECT_EQ(ikony.back().info, L"Třída: Static\nText: Okno s oznámením");

    const std::wstring dlouhy(400, L'x');
    EXPECT_EQ(TextOznameniSkryti(L"Trida", dlouhy).size(), 255u);
    EXPECT_EQ(TextOznameniSkryti(L"Trida", L"Titulek"), L"Třída: Trida\nText: Titulek");
}

TEST_F(SkrytaOkna, KonecSeznamuObnoviVsechnaOkna) {
    HWND a = Okno(L"A"), b = Okno(L"B");
    {
        SeznamSkrytychOken seznam(vlastnik);
        ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, a, false));
        ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, b, false));
        ::DestroyWindow(b);  // gone meanwhile: skipped
    }
    EXPECT_TRUE(::IsWindowVisible(a));
    EXPECT_FALSE(IkonaZobrazena());
}

namespace {

// Reads the ids of the open popup menu of this process from another thread, then closes it.
struct CteniNabidky {
    HWND vlastnik;
    std::vector<UINT> id;
    bool nalezena = false;
};

DWORD WINAPI PrecistAZavritNabidku(void* parametr) {
    auto* cteni = static_cast<CteniNabidky*>(parametr);
    for (int i = 0; i < 300 && !cteni->nalezena; ++i) {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (menu && ::IsWindowVisible(menu)) {
            HMENU h = reinterpret_cast<HMENU>(::SendMessageW(menu, MN_GETHMENU, 0, 0));
            for (int j = 0; h && j < ::GetMenuItemCount(h); ++j) cteni->id.push_back(::GetMenuItemID(h, j));
            cteni->nalezena = true;
        } else {
            ::Sleep(10);
        }
    }
    ::PostMessageW(cteni->vlastnik, WM_CANCELMODE, 0, 0);
    return 0;
}

}  // namespace

TEST_F(SkrytaOkna, NabidkaUkazujePosledniSkryteNahoreIBezTitulku) {
    SeznamSkrytychOken seznam(vlastnik);
    HWND a = Okno(L"A"), bezTitulku = Okno(L""), c = Okno(L"C"), d = Okno(L"D"), zavrene = Okno(L"Zavřené");
    for (HWND o : {a, bezTitulku, c, d, zavrene}) ASSERT_TRUE(SkrytOknoDoSeznamu(seznam, o, false));
    ::DestroyWindow(zavrene);
    CteniNabidky cteni{vlastnik, {}, false};
    HANDLE vlakno = ::CreateThread(nullptr, 0, PrecistAZavritNabidku, &cteni, 0, nullptr);
    seznam.ZobrazitNabidku();
    ::WaitForSingleObject(vlakno, 5000);
    ::CloseHandle(vlakno);
    ASSERT_TRUE(cteni.nalezena) << "the menu did not open";
    const std::vector<UINT> ocekavane = {54003, 54002, 54001, 54000};
    EXPECT_EQ(cteni.id, ocekavane) << "the last hidden first, the window without a title offered, the closed one not";
    EXPECT_EQ(seznam.Nabidka(), nullptr) << "the menu is gone after it closed";

    // the middle one is restored from the menu's command: two remain
    EXPECT_TRUE(seznam.Obnovit(2));
    EXPECT_TRUE(::IsWindowVisible(c));
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 4");
}

// ---------------------------------------------------------------------------------------------
// The module window, driven by hand (Fenrik is not loaded here).

namespace {

class ModulOkna : public SkrytaOkna {
protected:
    void SetUp() override {
        SkrytaOkna::SetUp();
        if (!nastaveniRozsireniOken) {
            nastaveniRozsireniOken = std::make_unique<KonfiguraceRozsireniOken>();
            vlastniNastaveni = true;
        }
        nastaveniRozsireniOken->informovatPoSkryti = false;
        modul = std::make_unique<ModulRozsireniOken>();
        modul->nacistHaky = false;
        modul->VytvoritOkno();
        // hiding by a gesture goes to this window (the module is not registered here)
        cilSkryti = modul->m_hWnd;
        puvodniPredani = predatSkrytiOkna;
        predatSkrytiOkna = [](HWND okno) {
            return ::PostMessageW(cilSkryti, ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(okno)) != 0;
        };
    }
    void TearDown() override {
        predatSkrytiOkna = puvodniPredani;
        modul.reset();
        if (vlastniNastaveni) nastaveniRozsireniOken.reset();
        SkrytaOkna::TearDown();
    }
    LRESULT Udalost(ULONG_PTR kod, HWND okno, UdalostOkna zaznam) {
        COPYDATASTRUCT data{kod, sizeof(zaznam), &zaznam};
        return ::SendMessageW(modul->m_hWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(okno),
                              reinterpret_cast<LPARAM>(&data));
    }
    static uint32_t Slovo(HWND okno) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(okno)); }
    // the reports of failed events (string 12), answered "no"
    ZachytavacZprav zpravy{IDNO};
    std::unique_ptr<ModulRozsireniOken> modul;
    bool vlastniNastaveni = false;
    bool (*puvodniPredani)(HWND) = nullptr;
    static HWND cilSkryti;
};

HWND ModulOkna::cilSkryti = nullptr;

}  // namespace

TEST_F(ModulOkna, ZpravaSkrytOknoSkryjeAPrikazZNabidkyObnovi) {
    HWND okno = Okno(L"Skrýt mě");
    ::SendMessageW(modul->m_hWnd, ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(okno));
    ASSERT_NE(modul->SkrytaOkna(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(okno));
    EXPECT_EQ(PosledniTip(), L"Skrytých oken: 1");

    ::SendMessageW(modul->m_hWnd, WM_COMMAND, PRVNI_PRIKAZ_SKRYTEHO_OKNA, 0);
    EXPECT_TRUE(::IsWindowVisible(okno));
    EXPECT_FALSE(IkonaZobrazena());

    // a handle that is no window is one failed event; the module goes on
    ::SendMessageW(modul->m_hWnd, ZpravaSkrytOkno, 0, 0);
    EXPECT_EQ(modul->PocetChybUdalosti(), 1u);
    EXPECT_TRUE(::IsWindow(modul->m_hWnd));
}

TEST_F(ModulOkna, ZavreniModuluObnoviSkrytaOkna) {
    HWND a = Okno(L"A"), b = Okno(L"B");
    ::SendMessageW(modul->m_hWnd, ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(a));
    ::SendMessageW(modul->m_hWnd, ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(b));
    ASSERT_FALSE(::IsWindowVisible(a));
    ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(modul->m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(a));
    EXPECT_TRUE(::IsWindowVisible(b));
    EXPECT_FALSE(IkonaZobrazena());
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the quit the window posted
}

TEST_F(ModulOkna, ZruseniObjektuPoChybeVlaknaTakeObnoviOkna) {
    // a failed module thread deletes the object without WM_CLOSE: the windows come back all the same
    HWND okno = Okno(L"Po chybě");
    ::SendMessageW(modul->m_hWnd, ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(okno));
    ASSERT_FALSE(::IsWindowVisible(okno));
    modul.reset();
    EXPECT_TRUE(::IsWindowVisible(okno));
    EXPECT_FALSE(IkonaZobrazena());
}

TEST_F(ModulOkna, UdalostiFenrikuVolajiAkce) {
    HWND okno = Okno(L"Cíl událostí");
    // code 1: the system-menu items; code 2: their removal
    UdalostOkna prazdna{Slovo(okno), 0, 0};
    Udalost(1, okno, prazdna);
    EXPECT_EQ(PocetUpravenychOken(), 1u);
    Udalost(2, okno, prazdna);
    EXPECT_EQ(PocetUpravenychOken(), 0u);
    Udalost(2, okno, prazdna);  // never had them: nothing
    EXPECT_EQ(PocetUpravenychOken(), 0u);

    // a right click on the close button hides the window (default action 1)
    Udalost(WM_NCRBUTTONDOWN, okno, UdalostOkna{Slovo(okno), HTCLOSE, 0});
    CekatNa([&] { return !::IsWindowVisible(okno); }, 2000);
    EXPECT_FALSE(::IsWindowVisible(okno));

    // the system-menu command "Navrchu" and a changed gesture action apply at once
    HWND druhe = Okno(L"Druhé");
    Udalost(1, druhe, UdalostOkna{Slovo(druhe), 0, 0});
    Udalost(WM_SYSCOMMAND, druhe, UdalostOkna{Slovo(druhe), 40053, 0});
    EXPECT_NE(::GetWindowLongPtrW(druhe, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::GetMenuState(::GetSystemMenu(druhe, FALSE), 40053, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    const DWORD puvodniAkce = nastaveniRozsireniOken->akceGest[GESTO_CTRL_KOLECKO_OD_SEBE];
    nastaveniRozsireniOken->akceGest[GESTO_CTRL_KOLECKO_OD_SEBE] = AKCE_LEVA_POLOVINA;
    Udalost(WM_MOUSEWHEEL, druhe, UdalostOkna{Slovo(druhe), static_cast<uint32_t>(MAKELONG(MK_CONTROL, 120)), 0});
    nastaveniRozsireniOken->akceGest[GESTO_CTRL_KOLECKO_OD_SEBE] = puvodniAkce;
    RECT r{};
    ::GetWindowRect(druhe, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(modul->PocetChybUdalosti(), 0u);
}

TEST_F(ModulOkna, ChybaJedneUdalostiNeukonciModul) {
    HWND zmizele = VytvoritOkno(L"Zmizí", false);
    ::DestroyWindow(zmizele);
    // Ctrl + wheel towards the user grows the window: it vanished between report and action
    Udalost(WM_MOUSEWHEEL, zmizele, UdalostOkna{Slovo(zmizele), static_cast<uint32_t>(MAKELONG(MK_CONTROL, static_cast<WORD>(-120))), 0});
    EXPECT_EQ(modul->PocetChybUdalosti(), 1u);
    EXPECT_TRUE(::IsWindow(modul->m_hWnd));

    // a record of the wrong size is ignored
    HWND okno = Okno(L"Celé");
    uint32_t kratky[2] = {Slovo(okno), HTCLOSE};
    COPYDATASTRUCT data{WM_NCRBUTTONDOWN, sizeof(kratky), kratky};
    ::SendMessageW(modul->m_hWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(okno), reinterpret_cast<LPARAM>(&data));
    EXPECT_TRUE(::IsWindowVisible(okno));

    // and the next event is handled as usual
    Udalost(WM_SYSCOMMAND, okno, UdalostOkna{Slovo(okno), 40099, 0});
    RECT r{};
    ::GetWindowRect(okno, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(modul->PocetChybUdalosti(), 1u);

    // the failure is reported once the event has been answered, as the module's error (string 12)
    EXPECT_TRUE(zpravy.zpravy.empty()) << "reported while the event's sender still waited";
    CekatNa([&] { return !zpravy.zpravy.empty(); }, 2000);
    ASSERT_EQ(zpravy.zpravy.size(), 1u) << zpravy;
    EXPECT_EQ(zpravy.zpravy[0].text.rfind(L"Došlo k chybě v nástroji \"Rozšíření oken\".\nPopis Chyby: ", 0), 0u)
        << zpravy;
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Chcete aplikaci"), std::wstring::npos) << zpravy;
    EXPECT_TRUE(::IsWindow(modul->m_hWnd)) << "answering no ends the module";
}

TEST(PopisSkrytehoOkna, TitulekJinakProgramATrida) {
    struct Pripad {
        const wchar_t *titulek, *program, *trida, *ocekavano;
    };
    const Pripad pripady[] = {
        {L"Poznámky", L"notes.exe", L"QNotes", L"Poznámky"},
        {L"", L"ZamrzajiciOkno.exe", L"QTestZamrzajiciOkno", L"ZamrzajiciOkno.exe (QTestZamrzajiciOkno)"},
        {L"", L"", L"Edit", L"Edit"},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(PopisSkrytehoOkna(p.titulek, p.program, p.trida), p.ocekavano) << p.trida;
}
