#include "timers/modulstopky.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "timers/oknocasovace.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulStopky> modulStopky;

namespace {

constexpr UINT_PTR CASOVAC_SEKUNDY = 1;
constexpr UINT STRANKA_STOPKY = 171;
constexpr int OBRAZEK_OKNA = 64;
std::unique_ptr<VlaknoStopek> vlaknoStopek;

const KonfiguraceStopky& Nastaveni() {
    static KonfiguraceStopky* vychozi = nullptr;
    if (nastaveniStopky) return *nastaveniStopky;
    if (!vychozi) vychozi = new KonfiguraceStopky();
    return *vychozi;
}

DWORD RozsirenyStyl(DWORD okno) { return WS_EX_TOOLWINDOW | RozsirenyStylOknaCasovace(okno); }

int IkonaPolozky(UINT id) {
    switch (id) {
        case 40152: return 40;
        case 40153: return 85;
        case 40154: return 41;
        case 40155: return 10;
        case 40156: return 0;
        default: {
            int index = -1;
            IkonaPrikazuMenu(id, index);
            return index;
        }
    }
}

void SpustitDialogVysledku(ModulStopky& modul, uint32_t ms) {
    DlgStopkyNamerenyCas dialog(ms);
    modul.vysledek = &dialog;
    struct Zapomenout {
        ModulStopky& m;
        DlgStopkyNamerenyCas* d;
        ~Zapomenout() {
            if (m.vysledek == d) m.vysledek = nullptr;
        }
    } zapomenout{modul, &dialog};
    dialog.SpustitModalne(nullptr);
}

}  // namespace

void (*ModulStopky::zobrazitVysledek)(ModulStopky&, uint32_t) = SpustitDialogVysledku;

// ---------------------------------------------------------------------------------------------

DlgStopkyNamerenyCas::DlgStopkyNamerenyCas(uint32_t ms) : cas(ms) { NastavitKlic(aplikace.klicAplikace); }

LRESULT DlgStopkyNamerenyCas::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    if (l != 0) cas = static_cast<uint32_t>(l);
    const std::wstring nazev = knihovna::Retezec(IDS_NAZEV_STOPKY);
    ::SetWindowTextW(m_hWnd, Formatovat(L"%s - %s", aplikace.titulek.c_str(), nazev.c_str()).c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    HICON mala = modulStopky && modulStopky->ikonaModulu ? modulStopky->ikonaModulu : aplikace.malaIkona.Get();
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mala));
    knihovna::PripojitNadpisVerdana(m_nadpis, Polozka(IDC_NAMERENY_CAS));
    if (cas == 0) {
        Ukoncit(IDCANCEL);
        return TRUE;
    }
    ::SetDlgItemTextW(m_hWnd, IDC_NAMERENY_CAS, TextVysledkuStopek(cas).c_str());
    if (ObnovitPolohu(L"QKolvexOkno", true) != 0) Vycentrovat(nullptr);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void DlgStopkyNamerenyCas::ZobrazitCas(uint32_t ms) {
    cas = ms;
    ::SetDlgItemTextW(m_hWnd, IDC_NAMERENY_CAS, TextVysledkuStopek(cas).c_str());
    ::SetForegroundWindow(m_hWnd);
}

LRESULT DlgStopkyNamerenyCas::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    UlozitPolohu(L"QKolvexOkno");
    Ukoncit(id);
    return 0;
}

// ---------------------------------------------------------------------------------------------

ModulStopky::ModulStopky() : m_trida(knihovna::Retezec(IDS_TRIDA_STOPKY)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_STOPKY);
}

ModulStopky::~ModulStopky() {
    try {
        knihovna::UvolnitIkonuTray(ikona);
    } catch (const knihovna::Chyba&) {
    }
}

void ModulStopky::VytvoritPismo() {
    VytvoritPismoCasovace(m_pismo, Nastaveni().pismo);
}

void ModulStopky::PrizpusobitVelikost() {
    PrizpusobitVelikostCasovace(m_hWnd, m_pismo.Get(), L"88:88:88", 1, Nastaveni().okno);
}

void ModulStopky::PridatIkonu() {
    if (ikona) return;
    std::wstring tip = Formatovat(knihovna::Retezec(IDS_TEXT_S_NADPISEM_POZNAMKY).c_str(), nazevModulu.c_str(),
                                  aplikace.titulek.c_str());
    auto nova = std::make_unique<IkonaTray>();
    nova->Pridat(m_hWnd, 1, ikonaModulu, tip.c_str());
    ikona = nova.release();
}

void ModulStopky::NastavitTip(const wchar_t* format) {
    if (ikona) ikona->NastavitPopis(Formatovat(format, aplikace.titulek.c_str()).c_str());
}

void ModulStopky::Prekreslit() {
    if (::IsWindowVisible(m_hWnd)) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
}

HWND ModulStopky::VytvoritOkno(bool automaticky) {
    const KonfiguraceStopky& n = Nastaveni();
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_OKNA, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
    mereni = MereniStopek();
    VytvoritPozadiCasovace(m_pozadi, n.barvaPozadi);
    HWND vlastnik = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    RECT obdelnik{0, 0, 120, 24};
    Vytvorit(vlastnik, &obdelnik, L"", StylOknaCasovace(n.okno), RozsirenyStyl(n.okno), m_trida.c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    VytvoritPismo();
    Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(m_pismo.Get()), 0);
    NastavitPruhlednostCasovace(m_hWnd, n.okno, n.barvaPozadi);
    PrizpusobitVelikost();
    if (ObnovitPolohu(m_trida.c_str(), true) != 0) UmistitDoRohuCasovace(m_hWnd, true);
    if (n.ikona) PridatIkonu();
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    if ((automaticky && (n.minimalizovat & 1)) || (!automaticky && (n.minimalizovat & 2))) {
        PridatIkonu();
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
    return m_hWnd;
}

void ModulStopky::Spustit() {
    if (!mereni.Spustit()) return;  // already running: nothing, not even the tooltip
    Overit(::SetTimer(m_hWnd, CASOVAC_SEKUNDY, 1000, nullptr) != 0);
    NastavitTip(L"%s: Stopky - Spuštěny");
    Prekreslit();
}

void ModulStopky::Pozastavit() {
    if (!mereni.Pozastavit()) return;
    ::KillTimer(m_hWnd, CASOVAC_SEKUNDY);
    Prekreslit();
    NastavitTip(L"%s: Stopky - Přerušeno");
}

void ModulStopky::Zastavit(bool sVysledkem) {
    if (!mereni.Zastavit()) return;
    ::KillTimer(m_hWnd, CASOVAC_SEKUNDY);
    Prekreslit();
    if (!sVysledkem) return;
    NastavitTip(L"%s: Stopky - Zastaveny");
    if (Nastaveni().zobrazeniVysledku > 0) {
        // At most one result box, and never one inside another: this stop arrives inside the open
        // box's modal loop, so that box shows the new time instead of a new box being started.
        if (vysledek && vysledek->m_hWnd && ::IsWindow(vysledek->m_hWnd))
            vysledek->ZobrazitCas(mereni.ulozeno);
        else
            zobrazitVysledek(*this, mereni.ulozeno);
    }
}

LRESULT ModulStopky::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    const std::wstring text = TextStopek(mereni.Cas());
    KreslitTextCasovace(m_hWnd, m_pozadi.Get(), m_pismo.Get(), Nastaveni().barvaTextu, text);
    return 0;
}

LRESULT ModulStopky::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == CASOVAC_SEKUNDY) Prekreslit();
    return 0;
}

LRESULT ModulStopky::OnContextMenu(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitNabidku();
    return 0;
}

LRESULT ModulStopky::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    if (l == WM_LBUTTONUP)
        Odeslat(WM_COMMAND, 40157, 0);
    else if (l == WM_RBUTTONUP)
        ZobrazitNabidku();
    return 0;
}

void ModulStopky::PouzitNastaveni() {
    const KonfiguraceStopky& n = Nastaveni();
    PouzitStylCasovace(m_hWnd, n.okno, RozsirenyStyl(n.okno), SW_RESTORE, n.barvaPozadi);
    VymenitPismoCasovace(m_hWnd, m_pismo, n.pismo);
    PrizpusobitVelikost();
    VytvoritPozadiCasovace(m_pozadi, n.barvaPozadi);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

LRESULT ModulStopky::OnPouzitNastaveni(UINT, WPARAM, LPARAM, BOOL&) {
    PouzitNastaveni();
    return 0;
}

LRESULT ModulStopky::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40152: Spustit(); return 0;
        case 40153: Pozastavit(); return 0;
        case 40154: Zastavit(true); return 0;
        case 40157:
            if (mereni.stav == MereniStopek::Zastaveno)
                Spustit();
            else
                Zastavit(true);
            return 0;
        case 40155:
            if (::IsWindowVisible(m_hWnd)) {
                if (ikona) ::ShowWindow(m_hWnd, SW_HIDE);
            } else {
                ::ShowWindow(m_hWnd, SW_RESTORE);
            }
            return 0;
        case 40156: Odeslat(WM_CLOSE, 0, 0); return 0;
        default:
            if (PredatPrikazCasovace(id, STRANKA_STOPKY)) return 0;
            return OknoNormalni::OnCommand(msg, w, l, zpracovano);
    }
}

LRESULT ModulStopky::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID));
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

void ModulStopky::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_STOPKY);
    MenuPopup& zaznam = nabidka.zaznam;
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40155, ::IsWindowVisible(m_hWnd) != 0);
    if (!ikona) ::EnableMenuItem(zaznam.popup, 40155, MF_BYCOMMAND | MF_GRAYED);
    switch (mereni.stav) {
        case MereniStopek::Zastaveno:
            ::EnableMenuItem(zaznam.popup, 40153, MF_BYCOMMAND | MF_GRAYED);
            ::EnableMenuItem(zaznam.popup, 40154, MF_BYCOMMAND | MF_GRAYED);
            break;
        case MereniStopek::Preruseno: ::EnableMenuItem(zaznam.popup, 40153, MF_BYCOMMAND | MF_GRAYED); break;
        case MereniStopek::Bezi: ::EnableMenuItem(zaznam.popup, 40152, MF_BYCOMMAND | MF_GRAYED); break;
    }
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40002u, 40153u, 40152u, 40154u, 40156u, 40155u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

LRESULT ModulStopky::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    Zastavit(w != 1);
    UlozitPolohu(m_trida.c_str());
    knihovna::UvolnitIkonuTray(ikona);
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulStopky::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoStopek::VlaknoStopek() : VlaknoModulu(IDS_NAZEV_STOPKY, true) {}

HWND VlaknoStopek::VytvoritOkno(bool automaticky) {
    modulStopky = std::make_unique<ModulStopky>();
    return modulStopky->VytvoritOkno(automaticky);
}

void VlaknoStopek::ZrusitOkno() { modulStopky.reset(); }

// The program stops the stopwatch: no result box (wParam 1).
void VlaknoStopek::PredZastavenim() { Odeslat(WM_CLOSE, 1, 1); }

void VlaknoStopek::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.stopky = false; }

void VytvoritModulStopky() {
    if (!vlaknoStopek) vlaknoStopek = std::make_unique<VlaknoStopek>();
    ZaregistrovatNastroj(Nastroj::Stopky, vlaknoStopek.get());
}

void SmazatModulStopky() {
    ZaregistrovatNastroj(Nastroj::Stopky, nullptr);
    vlaknoStopek.reset();
}
