#include "core/oknohlavni.h"

#include "core/aktualizace.h"
#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/hlavnimenu.h"
#include "core/napojeni.h"
#include "core/oknorelace.h"
#include "core/vlaknomodulu.h"
#include "knihovna/text.h"
#include "knihovna/dpi.h"
#include "knihovna/modalni.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Overit;

namespace {

HWND HlavniOkno() { return oknoHlavni ? oknoHlavni->m_hWnd : nullptr; }

constexpr UINT_PTR CASOVAC_SPUSTENI = 1;
constexpr UINT_PTR CASOVAC_POLOZEK = 2;  // launcher entries and plug-ins, 200 ms after the modules

VlaknoModulu* Modul(Nastroj nastroj) { return NajitNastroj(nastroj); }

void Prepnout(Nastroj nastroj, bool automaticky = false) {
    if (VlaknoModulu* m = Modul(nastroj)) m->Prepnout(automaticky);
}

void PoslatModulu(Nastroj nastroj, UINT zprava, WPARAM w, LPARAM l) {
    if (VlaknoModulu* m = Modul(nastroj)) m->Odeslat(zprava, w, l);
}

// A module's control tray icon: removed when shown, else added, by the module's own thread
// (the icon is used there by its menus; this thread only asks).
void PrepnoutOvladaciIkonu(Nastroj nastroj) {
    if (VlaknoModulu* m = Modul(nastroj)) m->PrepnoutOvladaciIkonu();
}

void Pockat() {
    if (aplikace.nastaveni.prodlevaPoSpusteni > 0) ::Sleep(static_cast<DWORD>(aplikace.nastaveni.prodlevaPoSpusteni));
}

}  // namespace

std::wstring PopisHlavniIkony(const std::wstring& titulek, const std::wstring& uzivatel, const std::wstring& pocitac,
                              const std::wstring& ipAdresa) {
    return knihovna::Formatovat(L"** %s **\nUživatel: %s\nPočitač: %s\nIP adresa: %s", titulek.c_str(),
                                uzivatel.c_str(), pocitac.c_str(), ipAdresa.c_str());
}

CilHorkeKlavesy UrcitCilHorkeKlavesy(UINT id) {
    if ((id >= 1 && id <= 1000) || id == 40018) return CilHorkeKlavesy::Spousteni;
    if ((id >= 40048 && id <= 40053) || (id >= 40099 && id <= 40107) || id == 40109 || id == 40110)
        return CilHorkeKlavesy::AkceOkna;
    if ((id >= 40113 && id <= 40116) || id == 40127 || id == 40133 || id == 40134) return CilHorkeKlavesy::Obrazovka;
    if (id == 40168 || id == 40169) return CilHorkeKlavesy::Sonvidar;
    return CilHorkeKlavesy::HlavniOkno;
}

OknoHlavni::OknoHlavni() : m_nazevTridy(knihovna::Retezec(IDS_TRIDA_HLAVNIHO_OKNA)) {
    knihovna::ziskatHlavniOkno = HlavniOkno;
    NastavitMereniMenu();
}

OknoHlavni::~OknoHlavni() {
    try {
        OdebratIkonu();
    } catch (const Chyba&) {
        // the shell may already be gone at process end
    }
    ikona.reset();
}

void OknoHlavni::Vytvorit() {
    OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, aplikace.titulek.c_str(), WS_POPUP, WS_EX_TOOLWINDOW,
                       m_nazevTridy.c_str(), nullptr, aplikace.velkaIkona.Get());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PridatIkonu();
    ZaregistrovatHorkeKlavesy();
    VytvoritOknoRelace([] {
        if (oknoHlavni) oknoHlavni->UkoncitRelaci();
    });
    Overit(::SetTimer(m_hWnd, CASOVAC_SPUSTENI, 100, nullptr) != 0);
}

void OknoHlavni::PridatIkonu() {
    if (ikona) return;
    auto nova = std::make_unique<IkonaTray>();
    nova->Pridat(m_hWnd, 1, aplikace.malaIkona.Get(), nullptr);
    ikona = std::move(nova);
    ikona->NastavitPopis(
        PopisHlavniIkony(aplikace.titulek, aplikace.jmenoUzivatele, aplikace.jmenoPocitace, aplikace.ipAdresa).c_str());
}

void OknoHlavni::OdebratIkonu() {
    if (!ikona) return;
    std::unique_ptr<IkonaTray> stara = std::move(ikona);
    stara->Odebrat();
}

// ---------------------------------------------------------------------------------------------
// Hot keys

FunkceRegistraceKlavesy registraceHorkeKlavesy = ::RegisterHotKey;

int OknoHlavni::ProjitHorkeKlavesy(bool registrovat) {
    int chyby = 0;
    if (!registrovat) {
        // Only what was registered: a key that failed to register is no failure to unregister.
        for (int id : registrovaneKlavesy)
            if (!::UnregisterHotKey(m_hWnd, id)) ++chyby;
        registrovaneKlavesy.clear();
    } else {
        // MOD_NOREPEAT: a held key is one command, not a stream of them.
        auto projit = [&](int id, UINT modifikatory, UINT klavesa) {
            if (registraceHorkeKlavesy(m_hWnd, id, (modifikatory & 0x0F) | MOD_NOREPEAT, klavesa))
                registrovaneKlavesy.push_back(id);
            else
                ++chyby;
        };
        if (aplikace.horkeKlavesy)
            for (const HorkaKlavesa& radek : aplikace.horkeKlavesy->zaznamy)
                if (radek.klavesa != 0) projit(static_cast<int>(radek.prikaz), radek.modifikatory, radek.klavesa);
        std::vector<PolozkaSpousteni> polozky = PolozkySpousteniAplikaci();
        for (size_t i = 0; i < polozky.size() && i < 1000; ++i)
            if (polozky[i].klavesa > 0) projit(static_cast<int>(i + 1), polozky[i].modifikatory, polozky[i].klavesa);
    }
    if (chyby > 0 && ikona) {
        std::wstring text = knihovna::Formatovat(
            knihovna::Retezec(registrovat ? IDS_HORKE_KLAVESY_NEZAREGISTROVANY : IDS_HORKE_KLAVESY_NEODREGISTROVANY)
                .c_str(),
            chyby);
        ZobrazitBublinu(*ikona, aplikace.titulek, BUBLINA_CHYBA, aplikace.nastaveni.zvuk, text,
                        aplikace.malaIkona.Get());
    }
    return chyby;
}

int OknoHlavni::ZaregistrovatHorkeKlavesy() {
    if (horkeKlavesyRegistrovany) return 0;
    horkeKlavesyRegistrovany = true;
    return ProjitHorkeKlavesy(true);
}

int OknoHlavni::OdregistrovatHorkeKlavesy() {
    if (!horkeKlavesyRegistrovany) return 0;
    horkeKlavesyRegistrovany = false;
    return ProjitHorkeKlavesy(false);
}

LRESULT OknoHlavni::OnHotKey(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = static_cast<UINT>(w);
    try {
        switch (UrcitCilHorkeKlavesy(id)) {
            case CilHorkeKlavesy::Spousteni: PoslatModulu(Nastroj::SpousteniAplikaci, WM_COMMAND, id, 0); break;
            case CilHorkeKlavesy::AkceOkna:
                try {
                    ProvestAkciOkna(id);
                } catch (const Chyba& chyba) {
                    HlasitChybuAkceModulu(chyba, IDS_NAZEV_ROZSIRENI_OKEN, id);  // the tool and the action
                }
                break;
            case CilHorkeKlavesy::Obrazovka: PoslatModulu(Nastroj::Obrazovka, WM_COMMAND, id, 0); break;
            case CilHorkeKlavesy::Sonvidar: PoslatModulu(Nastroj::Sonvidar, WM_COMMAND, id, 0); break;
            case CilHorkeKlavesy::HlavniOkno: ::PostMessageW(m_hWnd, WM_COMMAND, id, 0); break;
        }
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------
// Start-up and stop

// The update check's worker posts its result (WM_APP+30); the box is shown here.
LRESULT OknoHlavni::OnVysledekAktualizace(UINT, WPARAM, LPARAM l, BOOL&) { return PrevzitVysledekAktualizace(l); }

// A balloon another thread handed over (WM_APP+32): the tray icon is used on this thread only.
LRESULT OknoHlavni::OnBublinaHlavniIkony(UINT, WPARAM, LPARAM l, BOOL&) { return PrevzitBublinuHlavniIkony(l); }

LRESULT OknoHlavni::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == CASOVAC_SPUSTENI) {
        Overit(::KillTimer(m_hWnd, CASOVAC_SPUSTENI) != 0);
        Posloupnost();
    } else if (w == CASOVAC_POLOZEK) {
        Overit(::KillTimer(m_hWnd, CASOVAC_POLOZEK) != 0);
        SpustitPolozkyPoSpusteni();
    }
    return 0;
}

void OknoHlavni::Posloupnost() {
    const PoSpusteni& po = aplikace.nastaveni.poSpusteni;
    auto poslat = [this](UINT id, LPARAM l) {
        ::PostMessageW(m_hWnd, WM_COMMAND, id, l);
        Pockat();
    };
    // The posted starts run after this handler, in the order posted.
    if (po.sledovaniPameti) poslat(40092, 0);
    if (po.sledovaniProcesu) poslat(40112, 0);
    for (Nastroj stale : {Nastroj::Sonvidar, Nastroj::Obrazovka, Nastroj::Pocasi, Nastroj::Poznamky,
                          Nastroj::SpousteniAplikaci, Nastroj::Schranka})
        if (VlaknoModulu* m = Modul(stale)) m->Spustit(true);
    if (po.ovladaniCD) poslat(40141, 0);
    if (po.hodiny) poslat(40184, 1);
    if (po.hostInfo) poslat(40202, 1);
    if (po.stopky) poslat(40158, 1);
    if (po.seznamRegistraci) poslat(40165, 1);
    if (po.kontakty) poslat(40179, 1);
    if (po.cteckaRSS) poslat(40004, 1);
    if (po.rozsireniOken) poslat(40098, 1);
    // A timer instead of a pause: the main thread stays responsive for those 200 ms.
    Overit(::SetTimer(m_hWnd, CASOVAC_POLOZEK, 200, nullptr) != 0);
}

void OknoHlavni::SpustitPolozkyPoSpusteni() {
    std::vector<PolozkaSpousteni> polozky = PolozkySpousteniAplikaci();
    for (size_t i = 0; i < polozky.size(); ++i) {
        if (!polozky[i].poSpusteni) continue;
        try {
            SpustitAplikaciSeznamu(i);
        } catch (const Chyba& chyba) {
            aplikace.ZobrazitChybuComPopis(chyba);
        }
    }
    SpustitZasuvneModulyPoSpusteni();
}

void OknoHlavni::ZastavitVse() {
    // Each step on its own: whatever fails, the rest is stopped and the window goes.
    auto krok = [](auto&& zastavit) {
        try {
            zastavit();
        } catch (...) {
            // reported where it failed; the shutdown goes on
        }
    };
    krok([&] { OdebratIkonu(); });
    krok([] {
        if (VlaknoModulu* m = Modul(Nastroj::RozsireniOken)) m->Zastavit();
    });
    krok([] { ZastavitJednotkyCD(); });
    for (Nastroj nastroj : {Nastroj::Sonvidar, Nastroj::CteckaRSS, Nastroj::Hodiny, Nastroj::HostInfo,
                            Nastroj::Kontakty, Nastroj::SledovaniPameti, Nastroj::SledovaniProcesu,
                            Nastroj::Obrazovka, Nastroj::Pocasi, Nastroj::Poznamky, Nastroj::SeznamRegistraci,
                            Nastroj::Schranka, Nastroj::SitLanInfo, Nastroj::SpousteniAplikaci, Nastroj::Stopky})
        krok([nastroj] {
            if (VlaknoModulu* m = Modul(nastroj)) m->Zastavit();
        });
    krok([] { ZastavitZasuvneModuly(); });
    m_zastaveno = true;
}

LRESULT OknoHlavni::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_zavira && !m_zastaveno) return 0;  // a report's box is open inside the stop below
    if (!m_zavira) {
        m_zavira = true;
        ZastavitVse();
    }
    return VychoziZpracovani(msg, w, l);
}

void OknoHlavni::UkoncitRelaci() {
    // A stop already under way (its report's box was open) goes on; no box shows from now.
    if (m_zavira) return;
    m_zavira = true;
    // Everything is saved before this message returns: Windows may end the process right after.
    ZastavitVse();
    // A dialog of this thread (settings, about) ends first; the window is destroyed after its loop.
    knihovna::UkoncitModalniOkna(::GetCurrentThreadId());
    if (menu) ::EndMenu();
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

LRESULT OknoHlavni::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZrusitOknoRelace();
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoHlavni::OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if ((w & 0xFFF0) == SC_MINIMIZE) {
        VychoziZpracovani(msg, w, l);
        ::ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------
// Tray menu

LRESULT OknoHlavni::OnIkona(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w == 1 && (l == WM_LBUTTONUP || l == WM_RBUTTONUP || l == WM_MBUTTONUP)) {
        try {
            ZobrazitMenu();
        } catch (const Chyba& chyba) {
            aplikace.ZobrazitChybuComPopis(chyba);
        }
    }
    return 0;
}

void OknoHlavni::ZobrazitMenu() {
    if (menu) return;  // already open
    HlavniMenu hlavni;
    POINT bod = PoziceMenu(m_hWnd);
    menu = &hlavni.Zaznam();
    ::SetForegroundWindow(m_hWnd);
    BOOL vysledek = ::TrackPopupMenu(hlavni.Popup(), TPM_RIGHTBUTTON, bod.x, bod.y, 0, m_hWnd, nullptr);
    DWORD kod = ::GetLastError();
    menu = nullptr;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
    if (!vysledek && kod != ERROR_SUCCESS) {
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
}

LRESULT OknoHlavni::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU) {
        polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
        if (menu) {
            try {
                polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*menu, polozka->itemID) + 40);
            } catch (const Chyba&) {
                // an item that cannot be measured keeps the system's width
            }
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoHlavni::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && menu) {
        try {
            UINT id = polozka->itemID;
            HICON vlastni = nullptr;
            if (id >= 55000 && id <= 55999) vlastni = IkonaZasuvnehoModulu(id - 55000);
            KreslitPolozkuMenu(*menu, *polozka, vlastni ? -1 : IkonaPolozkyHlavnihoMenu(id), vlastni);
        } catch (const Chyba&) {
            // drawing goes on with the next item
        }
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------
// Commands

void OknoHlavni::ZobrazitNastaveniOkna(UINT stranka) {
    if (m_nastaveniOtevreno) return;
    m_nastaveniOtevreno = true;
    const bool registrovany = horkeKlavesyRegistrovany;
    if (registrovany) OdregistrovatHorkeKlavesy();
    try {
        ZobrazitNastaveni(m_hWnd, stranka);
    } catch (...) {
        m_nastaveniOtevreno = false;
        if (registrovany) ZaregistrovatHorkeKlavesy();
        throw;
    }
    m_nastaveniOtevreno = false;
    if (registrovany) {
        // The page edits the rows in place; the load brings the stored state back on top.
        if (aplikace.horkeKlavesy) aplikace.horkeKlavesy->Nacist();
        ZaregistrovatHorkeKlavesy();
    }
}

bool OknoHlavni::ProvestPrikaz(UINT id, LPARAM l) {
    const bool automaticky = l != 0;
    switch (id) {
        // program and help
        case 40001: ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0); return true;
        case 40002: ZobrazitNastaveniOkna(static_cast<UINT>(l)); return true;
        case 40019: ZobrazitMenu(); return true;
        case 40020: OtevritStrankuSoftwaru(); return true;
        case 40021: aplikace.NapsatPodpore(); return true;
        case 40022: ZkontrolovatAktualizace(); return true;
        case 40023: ZobrazitOProgramu(); return true;
        case 40095: ZobrazitRegistraciRozsireni(true); return true;
        case 40096: ZobrazitRegistraciRozsireni(false); return true;
        case 40187:
        case 40188: {
            ExterniProgram program = id == 40187 ? ExterniProgram::Varnel : ExterniProgram::Meltis;
            if (NalezenExterniProgram(program)) PrepnoutExterniProgram(program);
            return true;
        }

        // tool modules
        case 40004: Prepnout(Nastroj::CteckaRSS); return true;
        // the launcher's menu; a launcher still making its window is waited for, as for its hot keys
        case 40005: PoslatModulu(Nastroj::SpousteniAplikaci, WM_COMMAND, 40055, 0); return true;
        case 40058: PoslatModulu(Nastroj::Schranka, WM_APP + 7, 1, 0); return true;
        case 40089: PoslatModulu(Nastroj::Poznamky, WM_APP + 7, 1, 0); return true;
        case 40092: Prepnout(Nastroj::SledovaniPameti); return true;
        case 40098: Prepnout(Nastroj::RozsireniOken, automaticky); return true;
        case 40112: Prepnout(Nastroj::SledovaniProcesu); return true;
        case 40131: PoslatModulu(Nastroj::Obrazovka, WM_APP + 7, 1, 0); return true;
        case 40141:
            for (size_t i = 0; i < PocetJednotekCD(); ++i)
                if (VlaknoModulu* jednotka = JednotkaCD(i)) jednotka->Prepnout();
            return true;
        case 40158: Prepnout(Nastroj::Stopky, automaticky); return true;
        case 40165: Prepnout(Nastroj::SeznamRegistraci, automaticky); return true;
        case 40167: PoslatModulu(Nastroj::Sonvidar, WM_APP + 7, 1, 0); return true;
        case 40179: Prepnout(Nastroj::Kontakty, automaticky); return true;
        case 40184: Prepnout(Nastroj::Hodiny, automaticky); return true;
        case 40202: Prepnout(Nastroj::HostInfo); return true;
        case 40224: Prepnout(Nastroj::SitLanInfo); return true;

        // control tray icons
        case 40006: PrepnoutOvladaciIkonu(Nastroj::SpousteniAplikaci); return true;
        case 40011: PrepnoutOvladaciIkonu(Nastroj::Schranka); return true;
        case 40012: PrepnoutOvladaciIkonu(Nastroj::Poznamky); return true;
        case 40013: PoslatModulu(Nastroj::Poznamky, WM_COMMAND, 40064, 0); return true;
        case 40014: PoslatModulu(Nastroj::Poznamky, WM_COMMAND, 40066, 0); return true;
        case 40015: PrepnoutOvladaciIkonu(Nastroj::Obrazovka); return true;
        case 40016: PrepnoutOvladaciIkonu(Nastroj::Pocasi); return true;
        case 40017: PrepnoutOvladaciIkonu(Nastroj::Sonvidar); return true;

        // forwarded unchanged; 40042 and the stopwatch commands have hot-key rows of their own
        case 40025:
        case 40040:
        case 40041:
        case 40042: PoslatModulu(Nastroj::Schranka, WM_COMMAND, id, l); return true;
        case 40059:
        case 40060:
        case 40061:
        case 40062: PoslatModulu(Nastroj::Poznamky, WM_COMMAND, id, l); return true;
        case 40090: PoslatModulu(Nastroj::SledovaniPameti, WM_COMMAND, id, l); return true;
        case 40152:
        case 40153:
        case 40154:
        case 40157: PoslatModulu(Nastroj::Stopky, WM_COMMAND, id, l); return true;
        default: break;
    }
    if (id >= 53000 && id <= 53050) {
        size_t index = id - 53000;
        if (index < PocetJednotekCD())
            if (VlaknoModulu* jednotka = JednotkaCD(index)) jednotka->Prepnout();
        return true;
    }
    if (id >= 55000 && id <= 55999) {
        size_t index = id - 55000;
        if (index >= PocetZasuvnychModulu()) knihovna::VyhoditChybu(E_INVALIDARG);
        PrepnoutZasuvnyModul(index);
        return true;
    }
    return false;
}

LRESULT OknoHlavni::OnCommand(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    try {
        zpracovano = ProvestPrikaz(LOWORD(w), l) ? TRUE : FALSE;
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}
