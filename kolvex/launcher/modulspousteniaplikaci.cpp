#include "launcher/modulspousteniaplikaci.h"

#include <commdlg.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfigurace.h"
#include "core/oknohlavni.h"
#include "core/stranka.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "launcher/dlgnastavspousteni.h"
#include "launcher/spusteniaplikace.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<ModulSpousteniAplikaci> modulSpousteniAplikaci;
std::unique_ptr<VlaknoSpousteni> vlaknoSpousteni;

namespace {

constexpr int OBRAZEK_MODULU = 58;
constexpr UINT STRANKA_SPOUSTENI = 106;
constexpr UINT ODDELOVAC_APLIKACI = 40007;

// The image of a fixed item of the launcher's menus; -1 = none.
int IkonaPolozky(UINT id, bool ikonaZobrazena) {
    switch (id) {
        case 40008: return 1;
        case 40009: return ikonaZobrazena ? 16 : 13;
        default: break;
    }
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

// Balloons of entry starts: the module's own, or the main icon's while the module does not exist.
void BublinaSpousteni(const std::wstring& text, DWORD druh) {
    if (modulSpousteniAplikaci) {
        modulSpousteniAplikaci->ZobrazitBublinu(text, druh);
        return;
    }
    if (oknoHlavni && oknoHlavni->ikona)
        ::ZobrazitBublinu(*oknoHlavni->ikona, aplikace.titulek, druh, aplikace.nastaveni.zvuk, text,
                          aplikace.malaIkona.Get());
}

}  // namespace

std::vector<PolozkaNabidkyAplikaci> PolozkyNabidkyAplikaci(const std::vector<SpoustenaAplikace>& aplikace,
                                                            const KonfiguraceSpousteniAplikaci& nastaveni,
                                                            const SeznamSpustenychProcesu* procesy) {
    std::vector<PolozkaNabidkyAplikaci> polozky;
    const DWORD rezim = nastaveni.trideniAplikaci;
    const bool skupiny = nastaveni.oddelovatPodleOpravneni &&
                         (rezim == TRIDENI_OPRAVNENI || rezim == (TRIDENI_OPRAVNENI | TRIDENI_SESTUPNE));
    for (size_t i = 0; i < aplikace.size(); ++i) {
        const SpoustenaAplikace& a = aplikace[i];
        if (skupiny && i > 0 && a.uroven != aplikace[i - 1].uroven) {
            PolozkaNabidkyAplikaci oddelovac;
            oddelovac.oddelovac = true;
            oddelovac.zakazana = true;
            polozky.push_back(oddelovac);
        }
        PolozkaNabidkyAplikaci polozka;
        polozka.id = static_cast<UINT>(i + 1);
        polozka.text = a.nazev;
        polozka.zakazana = nastaveni.zakazatPolozkySpustene && procesy && a.jednaInstance &&
                           procesy->NajitPodleCesty(a.cesta) != nullptr;
        polozky.push_back(polozka);
    }
    return polozky;
}

bool VybratSouborAplikace(std::wstring& cesta) {
    wchar_t soubor[MAX_PATH] = L"";
    const wchar_t filtr[] = L"Programy (*.exe)\0*.exe\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ::GetActiveWindow();
    ofn.hInstance = ::GetModuleHandleW(nullptr);
    ofn.lpstrFilter = filtr;
    ofn.lpstrFile = soubor;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Vyberte cestu k souboru aplikace";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&ofn)) return false;
    cesta = soubor;
    return true;
}

// ---------------------------------------------------------------------------------------------

ModulSpousteniAplikaci::ModulSpousteniAplikaci() : m_trida(knihovna::Retezec(IDS_TRIDA_SPOUSTENI)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_SPOUSTENI_APLIKACI);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulSpousteniAplikaci::~ModulSpousteniAplikaci() = default;

HWND ModulSpousteniAplikaci::VytvoritOkno() {
    Vytvorit(HWND_MESSAGE, nullptr, nazevModulu.c_str(), WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (aplikace.nastaveni.poSpusteni.ikonaSpousteniAplikaci) VytvoritOvladaciIkonu();
    return m_hWnd;
}

void ModulSpousteniAplikaci::ZobrazitBublinu(const std::wstring& text, DWORD druh) {
    if (ovladaciIkona) {
        ::ZobrazitBublinu(*ovladaciIkona, aplikace.titulek, druh, aplikace.nastaveni.zvuk, text, ikonaModulu);
    } else if (oknoHlavni && oknoHlavni->ikona) {
        ::ZobrazitBublinu(*oknoHlavni->ikona, aplikace.titulek, druh, aplikace.nastaveni.zvuk, text,
                          aplikace.malaIkona.Get());
    }
}

LRESULT ModulSpousteniAplikaci::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    OdebratOvladaciIkonu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSpousteniAplikaci::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSpousteniAplikaci::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            const UINT id = polozka->itemID;
            if (id >= 1 && id < 40001) {
                HICON ikona = nullptr;
                if (seznamAplikaci) {
                    knihovna::Zamek zamek(seznamAplikaci->Zamek());
                    if (HIMAGELIST ikony = seznamAplikaci->Ikony())
                        if (static_cast<int>(id - 1) < ImageList_GetImageCount(ikony))
                            ikona = ::ImageList_GetIcon(ikony, static_cast<int>(id - 1), ILD_NORMAL);
                }
                knihovna::UchytIkony vlastni(ikona);
                KreslitPolozkuMenu(*m_menu, *polozka, ikona ? -1 : 10, ikona);
            } else {
                KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(id, ovladaciIkona != nullptr));
            }
        } catch (const knihovna::Chyba&) {
            // drawing goes on with the next item
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSpousteniAplikaci::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w == 1 && (l == WM_LBUTTONUP || l == WM_RBUTTONUP || l == WM_MBUTTONUP)) ZobrazitNabidku();
    return 0;
}

LRESULT ModulSpousteniAplikaci::OnPrikaz(UINT, WPARAM w, LPARAM, BOOL&) {
    // The commands shared by module windows (Help) first.
    ZpracovatSpolecnyPrikaz(m_hWnd, LOWORD(w));
    ProvestPrikaz(LOWORD(w));
    return 0;
}

void ModulSpousteniAplikaci::ProvestPrikaz(UINT id) {
    HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    switch (id) {
        case 40008:
            if (hlavni) ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_SPOUSTENI);
            return;
        case 40009:
            if (hlavni) ::PostMessageW(hlavni, WM_COMMAND, 40006, 0);
            return;
        case 40055: ZobrazitNabidku(); return;
        case 40018: ZobrazitNabidkuAplikaci(); return;
        default: break;
    }
    if (id >= 1 && id <= 1000 && seznamAplikaci) {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        if (id - 1 >= seznamAplikaci->Pocet()) return;
        try {
            SpustitAplikaciSeznamu(id - 1);
        } catch (const knihovna::Chyba& chyba) {
            // A start that failed is the user's news, not the end of the launcher.
            const SpoustenaAplikace& a = seznamAplikaci->Polozka(id - 1);
            ZobrazitBublinu(knihovna::Formatovat(knihovna::Retezec(IDS_SPOUSTENI_CHYBA_PROCESU).c_str(), a.nazev.c_str(),
                                                 TextUrovne(a.uroven).c_str(), a.cesta.c_str(),
                                                 knihovna::Modul::TextChybyCom(chyba).c_str()),
                            BUBLINA_CHYBA);
        }
    }
}

void ModulSpousteniAplikaci::VlozitPolozkyAplikaci(HMENU menu, UINT predId) {
    if (!seznamAplikaci || !nastaveniSpousteniAplikaci) return;
    std::vector<SpoustenaAplikace> aplikace = seznamAplikaci->Kopie();
    std::unique_ptr<SeznamSpustenychProcesu> procesy;
    if (nastaveniSpousteniAplikaci->zakazatPolozkySpustene) {
        procesy = std::make_unique<SeznamSpustenychProcesu>();
        procesy->Nacist();
    }
    const bool vlastni = nastaveniSpousteniAplikaci->vlastniMenuAplikace;
    for (const PolozkaNabidkyAplikaci& p : PolozkyNabidkyAplikaci(aplikace, *nastaveniSpousteniAplikaci, procesy.get())) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        mii.wID = p.id;
        mii.fState = p.zakazana ? MFS_GRAYED | MFS_DISABLED : MFS_ENABLED;
        if (p.oddelovac) {
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fMask |= MIIM_STRING;
            mii.fType = vlastni ? MFT_OWNERDRAW : MFT_STRING;
            mii.dwTypeData = const_cast<wchar_t*>(p.text.c_str());
        }
        if (predId)
            Overit(::InsertMenuItemW(menu, predId, FALSE, &mii) != 0);
        else
            Overit(::InsertMenuItemW(menu, static_cast<UINT>(::GetMenuItemCount(menu)), TRUE, &mii) != 0);
    }
}

HMENU ModulSpousteniAplikaci::SestavitNabidku() {
    HMENU nactene = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_SPOUSTENI));
    Overit(nactene != nullptr);
    knihovna::UchytMenu vlastnik(nactene);
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(nactene, 0);
    if (seznamAplikaci && seznamAplikaci->Pocet() > 0) {
        MenuPopup::VlozitOddelovac(zaznam, 40008, ODDELOVAC_APLIKACI);
        VlozitPolozkyAplikaci(zaznam.popup, ODDELOVAC_APLIKACI);
    }
    if (!ovladaciIkona) MenuPopup::NastavitTextPolozky(zaznam.popup, 40009, IDS_ZOBRAZIT_IKONU);
    return vlastnik.Odevzdat();
}

HMENU ModulSpousteniAplikaci::SestavitNabidkuAplikaci() {
    HMENU menu = ::CreatePopupMenu();
    Overit(menu != nullptr);
    knihovna::UchytMenu vlastnik(menu);
    VlozitPolozkyAplikaci(menu, 0);
    return vlastnik.Odevzdat();
}

void ModulSpousteniAplikaci::Zobrazit(MenuPopup& zaznam) {
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

void ModulSpousteniAplikaci::ZobrazitNabidku() {
    if (m_menu) return;  // one menu at a time
    knihovna::UchytMenu vlastnik(SestavitNabidku());
    MenuPopup zaznam;
    zaznam.popup = ::GetSubMenu(vlastnik.Get(), 0);
    zaznam.obrazky = aplikace.seznamMenu.Get();
    MenuNapoveda napoveda(&zaznam);
    napoveda.NahraditZastupce();
    if (aplikace.nastaveni.vlastniVzhled) {
        for (UINT id : {40003u, 40008u, 40009u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    }
    Zobrazit(zaznam);
}

void ModulSpousteniAplikaci::ZobrazitNabidkuAplikaci() {
    if (m_menu) return;
    knihovna::UchytMenu vlastnik(SestavitNabidkuAplikaci());
    MenuPopup zaznam;
    zaznam.popup = vlastnik.Get();
    zaznam.obrazky = aplikace.seznamMenu.Get();
    Zobrazit(zaznam);
}

// ---------------------------------------------------------------------------------------------

VlaknoSpousteni::VlaknoSpousteni() : VlaknoModulu(IDS_NAZEV_SPOUSTENI_APLIKACI) {}

knihovna::OknoModul* VlaknoSpousteni::Objekt() const {
    return modulSpousteniAplikaci && modulSpousteniAplikaci->m_hWnd ? modulSpousteniAplikaci.get() : nullptr;
}

HWND VlaknoSpousteni::VytvoritOkno(bool) {
    if (!modulSpousteniAplikaci) knihovna::VyhoditChybu(E_HANDLE);
    return modulSpousteniAplikaci->VytvoritOkno();
}

void VlaknoSpousteni::ZrusitOkno() {
    // The object outlives its thread; its window and tray icon go, the list is written.
    if (modulSpousteniAplikaci) {
        try {
            modulSpousteniAplikaci->OdebratOvladaciIkonu();
        } catch (const knihovna::Chyba&) {
            // the shell may be gone already
        }
        if (modulSpousteniAplikaci->m_hWnd && ::IsWindow(modulSpousteniAplikaci->m_hWnd))
            ::DestroyWindow(modulSpousteniAplikaci->m_hWnd);
    }
    UlozitSeznamAplikaci();
}

void UlozitSeznamAplikaci() {
    if (!seznamAplikaci) return;
    try {
        seznamAplikaci->Ulozit();
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuNastaveniId(IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU, IDS_NAZEV_SPOUSTENI_APLIKACI, chyba);
    }
}

void VytvoritModulSpousteniAplikaci() {
    if (!funkceSpousteni.zobrazitBublinu) funkceSpousteni.zobrazitBublinu = BublinaSpousteni;
    if (!seznamAplikaci) {
        seznamAplikaci = std::make_unique<SeznamAplikaci>(aplikace.klicAplikace);
        try {
            HRESULT hr = seznamAplikaci->Nacist();
            if (FAILED(hr)) knihovna::VyhoditChybu(hr);
        } catch (const knihovna::Chyba& chyba) {
            // What was read stays; unreadable values are kept in the registry as they are.
            HlasitChybuNastaveniId(IDS_CHYBA_NACTENI_KONFIGURACE_MODULU, IDS_NAZEV_SPOUSTENI_APLIKACI, chyba);
        }
    }
    if (!modulSpousteniAplikaci) modulSpousteniAplikaci = std::make_unique<ModulSpousteniAplikaci>();
    if (!vlaknoSpousteni) vlaknoSpousteni = std::make_unique<VlaknoSpousteni>();
    ZaregistrovatNastroj(Nastroj::SpousteniAplikaci, vlaknoSpousteni.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SPOUSTENI_APLIKACI, VytvoritStranku<DlgNastavSpousteniAplikaci>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SPOUSTENE_APLIKACE, VytvoritStranku<DlgNastavSpousteneAplikace>);
}

void SmazatModulSpousteniAplikaci() {
    ZaregistrovatNastroj(Nastroj::SpousteniAplikaci, nullptr);
    vlaknoSpousteni.reset();
    modulSpousteniAplikaci.reset();
    seznamAplikaci.reset();
}
