#include "monitors/modulsledovanipameti.h"

#include <objbase.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/oknohlavni.h"
#include "knihovna/modul.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulSledovaniPameti> modulSledovaniPameti;

namespace {

constexpr UINT_PTR CASOVAC_TIKU = 1;
constexpr UINT STRANKA_SLEDOVANI_PAMETI = 141;
std::unique_ptr<VlaknoSledovaniPameti> vlaknoSledovaniPameti;

const KonfiguraceSledovaniPameti& Nastaveni() {
    static KonfiguraceSledovaniPameti* vychozi = nullptr;
    if (nastaveniSledovaniPameti) return *nastaveniSledovaniPameti;
    if (!vychozi) vychozi = new KonfiguraceSledovaniPameti();
    return *vychozi;
}

IkonaTray* IkonaHlavnihoOkna() { return oknoHlavni ? oknoHlavni->ikona.get() : nullptr; }

// A modal dialog of the module: a second command while it is open closes it.
template <class Dialog>
void PrepnoutDialog(Dialog*& dialog) {
    if (dialog) {
        if (dialog->m_hWnd && ::IsWindow(dialog->m_hWnd)) dialog->Odeslat(WM_COMMAND, IDCANCEL, 0);
        return;
    }
    std::unique_ptr<Dialog> novy = std::make_unique<Dialog>();
    dialog = novy.get();
    struct Zapomenout {
        Dialog*& d;
        ~Zapomenout() { d = nullptr; }
    } zapomenout{dialog};
    novy->SpustitModalne(nullptr);
}

}  // namespace

IkonaTray* (*ikonaProZpravyLogu)() = IkonaHlavnihoOkna;

ModulSledovaniPameti::ModulSledovaniPameti() : m_trida(knihovna::Retezec(IDS_TRIDA_SLEDOVANI_PAMETI)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_SLEDOVANI_PAMETI);
    stav.dwLength = sizeof(stav);
}

ModulSledovaniPameti::~ModulSledovaniPameti() {
    try {
        OdebratVarovani();
    } catch (const knihovna::Chyba&) {
    }
    delete ikonaPameti;
    ikonaPameti = nullptr;
}

std::wstring ModulSledovaniPameti::CestaLogu() {
    return Formatovat(L"%s\\%s", aplikace.nastaveni.slozkaData.Text().c_str(), SOUBOR_LOGU);
}

HWND ModulSledovaniPameti::VytvoritOkno() {
    Vytvorit(nullptr, nullptr, aplikace.titulek.c_str(), WS_OVERLAPPEDWINDOW, 0, m_trida.c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    if (!ikonaPameti) ikonaPameti = new IkonaPameti(m_hWnd, Nastaveni());
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Overit(::SetTimer(m_hWnd, CASOVAC_TIKU, Nastaveni().intervalAktualizace, nullptr) != 0);
    Odeslat(WM_TIMER, CASOVAC_TIKU, 0);
    return m_hWnd;
}

void ModulSledovaniPameti::Tik() {
    const KonfiguraceSledovaniPameti& n = Nastaveni();
    stav.dwLength = sizeof(stav);
    ziskatStavPameti(&stav);
    if (!ikonaPameti) return;
    ikonaPameti->Aktualizovat(stav);
    const DWORD zatizeni = stav.dwMemoryLoad;
    if (zatizeni < n.varovaniProcent) return;
    if (varovani) return;  // one warning until the user clicks the icon away

    auto ikona = std::make_unique<IkonaTray>();
    std::wstring tip = Formatovat(L"Varování na využití paměti!\nKlepnutím ikonu skryjete.\n(%s)", aplikace.titulek.c_str());
    ikona->Pridat(m_hWnd, 2, ::LoadIconW(nullptr, IDI_WARNING), tip.c_str());
    varovani = ikona.release();
    const bool zvuk = aplikace.nastaveni.zvuk;
    if (zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
    ZobrazitBublinu(*varovani, aplikace.titulek, BUBLINA_VAROVANI, zvuk,
                    Formatovat(knihovna::Retezec(IDS_VAROVANI_PAMETI).c_str(), static_cast<int>(zatizeni)));
    if (n.logovat) ZapsatLog(Formatovat(knihovna::Retezec(IDS_LOG_VAROVANI_PAMETI).c_str(), static_cast<int>(zatizeni)));
}

void ModulSledovaniPameti::ZapsatLog(const std::wstring& zprava) {
    try {
        const DWORD limit = Nastaveni().maxVelikostLogu;
        if (ZapsatRadekLogu(CestaLogu(), zprava, limit) == VysledekLogu::Plny) {
            if (IkonaTray* hlavni = ikonaProZpravyLogu())
                ZobrazitBublinu(*hlavni, aplikace.titulek, BUBLINA_CHYBA, aplikace.nastaveni.zvuk,
                                Formatovat(knihovna::Retezec(IDS_LOG_PLNY).c_str(), static_cast<int>(limit)));
        }
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuCom(Formatovat(knihovna::Retezec(IDS_CHYBA_ZAPISU_LOGU).c_str(), nazevModulu.c_str()),
                                  chyba);
    }
}

void ModulSledovaniPameti::OdebratVarovani() { knihovna::UvolnitIkonuTray(varovani); }

LRESULT ModulSledovaniPameti::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == CASOVAC_TIKU) Tik();
    return 0;
}

LRESULT ModulSledovaniPameti::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    const UINT mys = static_cast<UINT>(l);
    if (w == 1) {
        if (mys == WM_MOUSEMOVE && ikonaPameti) ikonaPameti->Ukazat();  // the tip is about to be read
        if (mys == WM_LBUTTONUP) {
            switch (Nastaveni().ikonaLeve) {
                case 1: Odeslat(WM_COMMAND, 40090, 0); break;
                case 2: Odeslat(WM_COMMAND, 40002, 0); break;
                default: ZobrazitNabidku(); break;
            }
        } else if (mys == WM_RBUTTONUP || mys == WM_MBUTTONUP) {
            ZobrazitNabidku();
        }
    } else if (w == 2) {
        if (mys == WM_LBUTTONUP)
            OdebratVarovani();
        else if (mys == WM_RBUTTONUP || mys == WM_MBUTTONUP)
            ZobrazitNabidku();
    }
    return 0;
}

LRESULT ModulSledovaniPameti::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40090: PrepnoutDialog(m_info); return 0;
        case 40091:
            PrepnoutDialog(m_hardware);
            ::CoFreeUnusedLibraries();
            return 0;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_SLEDOVANI_PAMETI);
            return 0;
        case 40020:
        case 40021:
        case 40022:
        case 40023: knihovna::PoslatPrikazHlavnimuOknu(id); return 0;
        case 40001: Odeslat(WM_CLOSE, 0, 0); return 0;
        default: return OknoNormalni::OnCommand(msg, w, l, zpracovano);
    }
}

LRESULT ModulSledovaniPameti::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu && polozka->itemID >= 40001 && polozka->itemID <= 40091) {
        try {
            int index = -1;
            IkonaPrikazuMenu(polozka->itemID, index);
            KreslitPolozkuMenu(*m_menu, *polozka, index);
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

void ModulSledovaniPameti::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_SLEDOVANI_PAMETI);
    MenuPopup& zaznam = nabidka.zaznam;
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40091, m_hardware != nullptr);
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40090, m_info != nullptr);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40090u, 40091u, 40001u, 40002u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

LRESULT ModulSledovaniPameti::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::KillTimer(m_hWnd, CASOVAC_TIKU);
    if (m_info && m_info->m_hWnd && ::IsWindow(m_info->m_hWnd)) m_info->Odeslat(WM_COMMAND, IDCANCEL, 0);
    if (m_hardware && m_hardware->m_hWnd) m_hardware->Odeslat(WM_COMMAND, IDCANCEL, 0);
    OdebratVarovani();
    delete ikonaPameti;
    ikonaPameti = nullptr;
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSledovaniPameti::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoSledovaniPameti::VlaknoSledovaniPameti() : VlaknoModulu(IDS_NAZEV_SLEDOVANI_PAMETI) {}

HWND VlaknoSledovaniPameti::VytvoritOkno(bool) {
    // the hardware dialog uses COM on this thread; CoUninitialize comes with ZrusitOkno
    ::CoInitialize(nullptr);
    modulSledovaniPameti = std::make_unique<ModulSledovaniPameti>();
    return modulSledovaniPameti->VytvoritOkno();
}

void VlaknoSledovaniPameti::ZrusitOkno() {
    modulSledovaniPameti.reset();
    ::CoUninitialize();
}

void VlaknoSledovaniPameti::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.sledovaniPameti = false; }

int VlaknoSledovaniPameti::PrioritaVlakna() const { return Nastaveni().threadPriority; }

void VytvoritModulSledovaniPameti() {
    if (!vlaknoSledovaniPameti) vlaknoSledovaniPameti = std::make_unique<VlaknoSledovaniPameti>();
    ZaregistrovatNastroj(Nastroj::SledovaniPameti, vlaknoSledovaniPameti.get());
}

void SmazatModulSledovaniPameti() {
    ZaregistrovatNastroj(Nastroj::SledovaniPameti, nullptr);
    vlaknoSledovaniPameti.reset();
}
