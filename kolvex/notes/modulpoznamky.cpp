#include "notes/modulpoznamky.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "knihovna/prvky.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "notes/oknopoznamka.h"
#include "notes/oknopoznamkytext.h"
#include "notes/oknopoznamkyzvuk.h"
#include "notes/seznampoznamek.h"
#include "notes/strankypoznamky.h"
#include "notes/zaznamzvuku.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<ModulPoznamky> modulPoznamky;
std::unique_ptr<VlaknoPoznamky> vlaknoPoznamky;

namespace {

constexpr int OBRAZEK_MODULU = 67;
constexpr int OBRAZEK_TEXTOVYCH = 68;
constexpr int OBRAZEK_ZVUKOVYCH = 60;
constexpr UINT ZOBRAZIT_NABIDKU = 40074;

HWND OknoModulu() { return modulPoznamky ? modulPoznamky->m_hWnd : nullptr; }

HWND HlavniOkno() { return knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr; }

void OtevritStranku(UINT stranka) {
    if (HWND hlavni = HlavniOkno()) ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(stranka));
}

HICON IkonaObrazku(int obrazek) {
    if (!aplikace.seznamMenu.Get()) return nullptr;
    HICON ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), obrazek, ILD_NORMAL);
    Overit(ikona != nullptr);
    return ikona;
}

// Image of an item of the module's menus.
int ObrazekPolozky(UINT id, bool ikonaZobrazena) {
    switch (id) {
        case 40002:
        case 40063:
        case 40065: return 1;
        case 40003: return 3;
        case 40020: return 5;
        case 40021: return 53;
        case 40022: return 14;
        case 40023: return 4;
        case 40059: return 17;
        case 40060: return 86;
        case 40061: return 68;
        case 40062: return 60;
        case 40046:
        case 40064:
        case 40066: return ikonaZobrazena ? 16 : 13;
        default: return -1;
    }
}

}  // namespace

UINT PrikazKliknutiPoznamek(UINT idIkony) {
    if (!nastaveniPoznamky) return 0;
    DWORD akce = ZOBRAZIT_NABIDKU;
    switch (idIkony) {
        case 1: akce = nastaveniPoznamky->ikonaLeve; break;
        case 2: akce = nastaveniPoznamky->textove.ikonaLeve; break;
        case 3: akce = nastaveniPoznamky->zvukove.ikonaLeve; break;
        default: break;
    }
    return akce == ZOBRAZIT_NABIDKU ? 0 : static_cast<UINT>(akce);
}

ModulPoznamky::ModulPoznamky() : m_trida(knihovna::Retezec(IDS_TRIDA_POZNAMKY)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_POZNAMKY);
    ikonaModulu = IkonaObrazku(OBRAZEK_MODULU);
    ikonaTextove = IkonaObrazku(OBRAZEK_TEXTOVYCH);
    ikonaZvukove = IkonaObrazku(OBRAZEK_ZVUKOVYCH);
}

ModulPoznamky::~ModulPoznamky() {
    knihovna::UvolnitIkonuTray(ikonaTrayTextove);
    knihovna::UvolnitIkonuTray(ikonaTrayZvukove);
    if (ikonaTextove) ::DestroyIcon(ikonaTextove);
    if (ikonaZvukove) ::DestroyIcon(ikonaZvukove);
}

HWND ModulPoznamky::VytvoritOkno() {
    oknoModuluPoznamek = OknoModulu;
    Vytvorit(HWND_MESSAGE, nullptr, nazevModulu.c_str(), WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    const PoSpusteni& po = aplikace.nastaveni.poSpusteni;
    if (po.ikonaPoznamky) PridatIkonu(1);
    if (po.ikonaPoznamkyTextove) PridatIkonu(2);
    if (po.ikonaPoznamkyZvukove) PridatIkonu(3);
    // from the loop, so the module's start does not wait for the box
    ::PostMessageW(m_hWnd, ZpravaUschovanyZaznam, 0, 0);
    return m_hWnd;
}

void ModulPoznamky::Spustit() {
    if (vlaknoPoznamky) vlaknoPoznamky->Spustit();
}

void ModulPoznamky::Zastavit() {
    if (vlaknoPoznamky) vlaknoPoznamky->Zastavit();
}

void ModulPoznamky::PridatIkonu(UINT idIkony) {
    if (idIkony == 1) {
        VytvoritOvladaciIkonu();
        return;
    }
    IkonaTray*& ikona = idIkony == 2 ? ikonaTrayTextove : ikonaTrayZvukove;
    if (ikona) return;
    std::wstring tip;
    FormatovatTextSNadpisemPoznamky(idIkony == 2 ? IDS_TEXTOVE_POZNAMKY : IDS_ZVUKOVE_POZNAMKY, tip);
    auto* nova = new IkonaTray();
    try {
        nova->Pridat(m_hWnd, idIkony, idIkony == 2 ? ikonaTextove : ikonaZvukove, nullptr);
        nova->NastavitPopis(tip.c_str());
    } catch (...) {
        try {
            nova->Odebrat();
        } catch (const knihovna::Chyba&) {
        }
        delete nova;
        throw;
    }
    ikona = nova;
}

void ModulPoznamky::PrepnoutIkonu(UINT idIkony) {
    if (idIkony == 1) {
        if (ovladaciIkona)
            OdebratOvladaciIkonu();
        else
            VytvoritOvladaciIkonu();
        return;
    }
    IkonaTray*& ikona = idIkony == 2 ? ikonaTrayTextove : ikonaTrayZvukove;
    if (ikona)
        knihovna::UvolnitIkonuTray(ikona);
    else
        PridatIkonu(idIkony);
}

void ModulPoznamky::ZavritOknaPoznamek() {
    // A running recording is saved, not dropped: the sound-notes window keeps it unnamed.
    if (dlgZaznamZvukovePoznamky && dlgZaznamZvukovePoznamky->m_hWnd)
        ::SendMessageW(dlgZaznamZvukovePoznamky->m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (oknoTextovePoznamky) {
        // A failure has been shown; the module ends all the same.
        oknoTextovePoznamky->UlozitPoznamku();
        if (oknoTextovePoznamky->m_hWnd) ::DestroyWindow(oknoTextovePoznamky->m_hWnd);
    }
    if (oknoPoznamkyText && oknoPoznamkyText->m_hWnd) ::DestroyWindow(oknoPoznamkyText->m_hWnd);
    if (oknoPoznamkyZvuk && oknoPoznamkyZvuk->m_hWnd) ::DestroyWindow(oknoPoznamkyZvuk->m_hWnd);
}

LRESULT ModulPoznamky::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZavritOknaPoznamek();
    try {
        OdebratOvladaciIkonu();
    } catch (const knihovna::Chyba&) {
    }
    try {
        knihovna::UvolnitIkonuTray(ikonaTrayTextove);
        knihovna::UvolnitIkonuTray(ikonaTrayZvukove);
    } catch (const knihovna::Chyba&) {
        // the shell may be gone already
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulPoznamky::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulPoznamky::OnMeasureItemMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka->CtlType != ODT_MENU) return FALSE;
    polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
    if (menu) {
        try {
            polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*menu, polozka->itemID) + 40);
        } catch (const knihovna::Chyba&) {
            polozka->itemWidth = 120;
        }
    }
    return TRUE;
}

LRESULT ModulPoznamky::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && menu) {
        bool zobrazena = ovladaciIkona != nullptr;
        if (polozka->itemID == 40064) zobrazena = ikonaTrayTextove != nullptr;
        if (polozka->itemID == 40066) zobrazena = ikonaTrayZvukove != nullptr;
        int obrazek = ObrazekPolozky(polozka->itemID, zobrazena);
        if (obrazek < 0) IkonaPrikazuMenu(polozka->itemID, obrazek);
        try {
            KreslitPolozkuMenu(*menu, *polozka, obrazek);
        } catch (const knihovna::Chyba&) {
        }
        return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulPoznamky::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = static_cast<UINT>(w);
    if (id < 1 || id > 3) return 0;
    const UINT idMenu = id == 1 ? IDM_POZNAMKY : (id == 2 ? IDM_POZNAMKY_TEXTOVE : IDM_POZNAMKY_ZVUKOVE);
    switch (static_cast<UINT>(l)) {
        case WM_LBUTTONUP: {
            const UINT prikaz = PrikazKliknutiPoznamek(id);
            if (prikaz == 0)
                ZobrazitNabidku(idMenu);
            else
                Odeslat(WM_COMMAND, prikaz, 0);
            break;
        }
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: ZobrazitNabidku(idMenu); break;
        default: break;
    }
    return 0;
}

LRESULT ModulPoznamky::OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitNabidku(IDM_POZNAMKY);
    return 0;
}

LRESULT ModulPoznamky::OnUschovanyZaznam(UINT, WPARAM, LPARAM, BOOL&) {
    OznamitUschovanyZaznam();
    return 0;
}

LRESULT ModulPoznamky::OnPoznamkaZmenena(UINT, WPARAM, LPARAM, BOOL&) {
    if (!oknoTextovePoznamky) return 0;
    OknoPoznamka* okno = oknoTextovePoznamky;
    oknoTextovePoznamky = nullptr;
    HWND h = okno->m_hWnd;
    const bool zniceno = !h || !::IsWindow(h) || ::DestroyWindow(h);
    const DWORD kod = ::GetLastError();
    delete okno;
    if (!zniceno) {
        ::SetLastError(kod);
        knihovna::VyhoditPosledniChybu();
    }
    if (seznamTextovychPoznamek && nastaveniPoznamky) seznamTextovychPoznamek->Seradit(nastaveniPoznamky->textove.trideni);
    if (oknoPoznamkyText) {
        oknoPoznamkyText->NaplnitSeznam(-1);
        if (oknoPoznamkyText->Seznam()) ::SetFocus(oknoPoznamkyText->Seznam());
    }
    return 0;
}

LRESULT ModulPoznamky::OnCommand(UINT, WPARAM w, LPARAM l, BOOL&) {
    ProvestPrikaz(LOWORD(w), l);
    return 0;
}

void ModulPoznamky::ProvestPrikaz(UINT id, LPARAM l) {
    knihovna::OknoNormalni::ZpracovatSpolecnyPrikaz(m_hWnd, id);
    switch (id) {
        case 40002: OtevritStranku(125); break;
        case 40063: OtevritStranku(126); break;
        case 40065: OtevritStranku(127); break;
        case 40059:
            if (oknoPoznamkyText && oknoPoznamkyText->m_hWnd)
                oknoPoznamkyText->Odeslat(WM_COMMAND, 40068, 0);
            else
                Odeslat(WM_COMMAND, 40061, 40068);
            break;
        case 40060:
            if (oknoPoznamkyZvuk && oknoPoznamkyZvuk->m_hWnd)
                oknoPoznamkyZvuk->Odeslat(WM_COMMAND, 40073, 0);
            else
                Odeslat(WM_COMMAND, 40062, 40073);
            break;
        case 40061: PrepnoutSeznamTextovych(l); break;
        case 40062: PrepnoutSeznamZvukovych(l); break;
        case 40046: PrepnoutIkonu(1); break;
        case 40064: PrepnoutIkonu(2); break;
        case 40066: PrepnoutIkonu(3); break;
        default: break;
    }
}

void ModulPoznamky::PrepnoutSeznamTextovych(LPARAM argument) {
    if (!seznamTextovychPoznamek) {
        seznamTextovychPoznamek = new SeznamPoznamek();
        seznamTextovychPoznamek->NacistTextovePoznamky();
    }
    if (oknoPoznamkyText) {
        // A window whose own modal loop runs is deleted only after that loop has returned; its
        // close request brings the loop's dialog forward instead.
        if (argument == 40061 && !oknoPoznamkyText->BeziModalniSmycka()) {
            OknoPoznamkyText* okno = oknoPoznamkyText;
            oknoPoznamkyText = nullptr;
            if (okno->m_hWnd && ::IsWindow(okno->m_hWnd)) ::DestroyWindow(okno->m_hWnd);
            delete okno;
            seznamTextovychPoznamek->Vyprazdnit();
            UvolnitSeznamTextovychPoznamek();
        } else if (oknoPoznamkyText->m_hWnd) {
            oknoPoznamkyText->Odeslat(WM_CLOSE);
        }
        return;
    }
    auto* okno = new OknoPoznamkyText();
    oknoPoznamkyText = okno;
    okno->Vytvorit();
    if (argument == 40068) okno->Odeslat(WM_COMMAND, 40068, 0);
}

void ModulPoznamky::PrepnoutSeznamZvukovych(LPARAM argument) {
    if (!seznamZvukovychPoznamek) {
        seznamZvukovychPoznamek = new SeznamPoznamek();
        seznamZvukovychPoznamek->NacistZvukovePoznamky();
    }
    if (oknoPoznamkyZvuk) {
        // A window whose own modal loop runs is deleted only after that loop has returned; its
        // close request brings the loop's dialog forward instead.
        if (argument == 40062 && !oknoPoznamkyZvuk->BeziModalniSmycka()) {
            OknoPoznamkyZvuk* okno = oknoPoznamkyZvuk;
            oknoPoznamkyZvuk = nullptr;
            if (okno->m_hWnd && ::IsWindow(okno->m_hWnd)) ::DestroyWindow(okno->m_hWnd);
            delete okno;
            seznamZvukovychPoznamek->Vyprazdnit();
            UvolnitSeznamZvukovychPoznamek();
        } else if (oknoPoznamkyZvuk->m_hWnd) {
            oknoPoznamkyZvuk->Odeslat(WM_CLOSE);
        }
        return;
    }
    auto* okno = new OknoPoznamkyZvuk();
    oknoPoznamkyZvuk = okno;
    okno->Vytvorit();
    if (argument == 40073) okno->Odeslat(WM_COMMAND, 40073, 0);
}

void ModulPoznamky::ZobrazitNabidku(UINT idMenu) {
    if (menu) return;
    NabidkaNastroje nabidka(idMenu);
    MenuPopup& zaznam = nabidka.zaznam;
    const bool seznamText = oknoPoznamkyText && oknoPoznamkyText->m_hWnd;
    const bool seznamZvuk = oknoPoznamkyZvuk && oknoPoznamkyZvuk->m_hWnd;
    if (idMenu == IDM_POZNAMKY) {
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40061, seznamText);
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40062, seznamZvuk);
        if (!ovladaciIkona) MenuPopup::NastavitTextPolozky(zaznam.popup, 40046, IDS_ZOBRAZIT_IKONU);
    } else if (idMenu == IDM_POZNAMKY_TEXTOVE) {
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40061, seznamText);
    } else {
        MenuPopup::ZaskrtnoutPolozku(zaznam, 40062, seznamZvuk);
    }
    if (aplikace.nastaveni.vlastniVzhled) {
        const int pocet = ::GetMenuItemCount(zaznam.popup);
        for (int i = 0; i < pocet; ++i) {
            const UINT id = ::GetMenuItemID(zaznam.popup, i);
            if (id == 0 || id == static_cast<UINT>(-1)) continue;
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
        }
    }
    ZobrazitMenuIkony(m_hWnd, zaznam, menu);
}

// ---------------------------------------------------------------------------------------------

VlaknoPoznamky::VlaknoPoznamky() : VlaknoModulu(IDS_NAZEV_POZNAMKY) {}

knihovna::OknoModul* VlaknoPoznamky::Objekt() const {
    return modulPoznamky && modulPoznamky->m_hWnd ? modulPoznamky.get() : nullptr;
}

bool VlaknoPoznamky::JeZobrazenaIkona(UINT polozka) const {
    if (!modulPoznamky || !modulPoznamky->m_hWnd) return false;
    if (polozka == 40013) return modulPoznamky->ikonaTrayTextove != nullptr;
    if (polozka == 40014) return modulPoznamky->ikonaTrayZvukove != nullptr;
    return modulPoznamky->ovladaciIkona != nullptr;
}

HWND VlaknoPoznamky::VytvoritOkno(bool) {
    if (!modulPoznamky) knihovna::VyhoditChybu(E_HANDLE);
    return modulPoznamky->VytvoritOkno();
}

void VlaknoPoznamky::ZrusitOkno() {
    // The note windows end with the module's thread; the module object stays for the run.
    delete oknoTextovePoznamky;
    oknoTextovePoznamky = nullptr;
    delete oknoPoznamkyText;
    oknoPoznamkyText = nullptr;
    delete oknoPoznamkyZvuk;
    oknoPoznamkyZvuk = nullptr;
    UvolnitSeznamTextovychPoznamek();
    UvolnitSeznamZvukovychPoznamek();
    if (!modulPoznamky) return;
    try {
        modulPoznamky->OdebratOvladaciIkonu();
        knihovna::UvolnitIkonuTray(modulPoznamky->ikonaTrayTextove);
        knihovna::UvolnitIkonuTray(modulPoznamky->ikonaTrayZvukove);
    } catch (const knihovna::Chyba&) {
        // the shell may be gone already
    }
    if (modulPoznamky->m_hWnd && ::IsWindow(modulPoznamky->m_hWnd)) ::DestroyWindow(modulPoznamky->m_hWnd);
}

void VlaknoPoznamky::PredZastavenim() {
    if (nastaveniPoznamky) nastaveniPoznamky->Ulozit();
}

void VytvoritModulPoznamky() {
    if (!modulPoznamky) modulPoznamky = std::make_unique<ModulPoznamky>();
    if (!vlaknoPoznamky) vlaknoPoznamky = std::make_unique<VlaknoPoznamky>();
    ZaregistrovatNastroj(Nastroj::Poznamky, vlaknoPoznamky.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_POZNAMKY, VytvoritStranku<DlgNastavPoznamky>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_POZNAMKY_TEXTOVE, VytvoritStranku<DlgNastavPoznamkyTextove>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_POZNAMKY_ZVUKOVE, VytvoritStranku<DlgNastavPoznamkyZvukove>);
}

void SmazatModulPoznamky() {
    ZaregistrovatNastroj(Nastroj::Poznamky, nullptr);
    vlaknoPoznamky.reset();
    modulPoznamky.reset();
}
