#include "windows/dlgnastavhorkeklavesy.h"

#include "core/aplikace.h"
#include "core/menu.h"
#include "knihovna/text.h"
#include "knihovna/dpi.h"
#include "knihovna/uchyt.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;

const KategorieHorkychKlaves KATEGORIE_HORKYCH_KLAVES[10] = {
    {0, 11},
    {KATEGORIE_VSEOBECNE, 18},
    {KATEGORIE_POZNAMKY, 67},
    {KATEGORIE_OBRAZOVKA, 65},
    {KATEGORIE_ROZSIRENI_OKEN, 10},
    {KATEGORIE_SCHRANKA, 9},
    {KATEGORIE_INTERNET, 5},
    {KATEGORIE_MERENI_CASU, 63},
    {KATEGORIE_MULTIMEDIA, 61},
    {KATEGORIE_SLEDOVANI_SYSTEMU, 71},
};

namespace {

constexpr int VYSKA_KATEGORIE = 18;
constexpr int OBRAZEK_ZNACKY = 2;  // the application's mark of a bound command (own look)

HorkeKlavesy* Tabulka() { return aplikace.horkeKlavesy.get(); }

bool VlastniVzhled() { return aplikace.nastaveni.vlastniVzhled; }

// The part of a command's text before the first line break; a missing string raises.
std::wstring TextPrikazu(UINT prikaz) {
    std::wstring text;
    if (!knihovna::NacistRetezec(prikaz, text)) knihovna::VyhoditPosledniChybu();
    const size_t konec = text.find(L'\n');
    return konec == std::wstring::npos ? text : text.substr(0, konec);
}

// Background and text colours of a row or category entry.
void Pozadi(const DRAWITEMSTRUCT& d, RECT oblast) {
    const bool vybrana = (d.itemState & ODS_SELECTED) != 0;
    ::FillRect(d.hDC, &oblast, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(d.hDC, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(d.hDC, TRANSPARENT);
}

// Where a row's text starts: after the picture's real width, or after the system's check mark.
int OdsazeniTextu(bool vlastni) {
    return vlastni ? 2 + knihovna::SirkaObrazku(aplikace.seznamMenu.Get()) + 5 : knihovna::SirkaMaleIkony() + 3;
}

void KreslitObrazek(HDC dc, int obrazek, int x, int y) {
    if (obrazek >= 0 && aplikace.seznamMenu.Get())
        ImageList_DrawEx(aplikace.seznamMenu.Get(), obrazek, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

}  // namespace

BYTE ModifikatoryProOvladac(uint32_t modifikatory) {
    BYTE priznaky = 0;
    if (modifikatory & MOD_CONTROL) priznaky |= HOTKEYF_CONTROL;
    if (modifikatory & MOD_SHIFT) priznaky |= HOTKEYF_SHIFT;
    if (modifikatory & MOD_ALT) priznaky |= HOTKEYF_ALT;
    return priznaky;
}

uint32_t ModifikatoryZOvladace(BYTE priznaky) {
    uint32_t modifikatory = 0;
    if (priznaky & HOTKEYF_CONTROL) modifikatory |= MOD_CONTROL;
    if (priznaky & HOTKEYF_SHIFT) modifikatory |= MOD_SHIFT;
    if (priznaky & HOTKEYF_ALT) modifikatory |= MOD_ALT;
    return modifikatory;
}

int NajitRadekSKlavesou(const HorkeKlavesy& tabulka, uint32_t modifikatory, uint32_t klavesa) {
    for (size_t i = 0; i < tabulka.zaznamy.size(); ++i)
        if (tabulka.zaznamy[i].klavesa == klavesa && tabulka.zaznamy[i].modifikatory == modifikatory)
            return static_cast<int>(i);
    return -1;
}

int IkonaPrikazuHorkeKlavesy(UINT prikaz) {
    static const struct {
        UINT prikaz;
        int obrazek;
    } VLASTNI[] = {
        {40018, 58}, {40019, 18}, {40020, 5},  {40023, 4},  {40040, 42}, {40041, 43}, {40042, 17},
        {40059, 17}, {40048, 34}, {40049, 32}, {40050, 35}, {40051, 33}, {40052, 36}, {40053, 15},
        {40060, 86}, {40061, 68}, {40062, 60}, {40090, 59}, {40099, 27}, {40100, 28}, {40101, 29},
        {40102, 30}, {40103, 31}, {40105, 31}, {40104, 75}, {40106, 10}, {40107, 13},
    };
    for (const auto& radek : VLASTNI)
        if (radek.prikaz == prikaz) return radek.obrazek;
    int obrazek = -1;
    IkonaPrikazuMenu(prikaz, obrazek);
    return obrazek;
}

// ---------------------------------------------------------------------------------------------

void ListBoxHorkeKlavesy::Prevzit(HWND ovladac) {
    Pripojit(ovladac);
    Poslat(LB_SETITEMHEIGHT, 0, knihovna::Skalovat(VlastniVzhled() ? 20 : 16));
}

void ListBoxHorkeKlavesy::Naplnit(UINT kategorie) {
    Poslat(LB_RESETCONTENT);
    if (HorkeKlavesy* tabulka = Tabulka()) {
        for (size_t i = 0; i < tabulka->zaznamy.size(); ++i) {
            const HorkaKlavesa& radek = tabulka->zaznamy[i];
            if (kategorie != 0 && radek.kategorie != kategorie) continue;
            PridatPolozku(TextPrikazu(radek.prikaz).c_str(), static_cast<LPARAM>(i));
        }
    }
    if (Poslat(LB_GETCOUNT) > 0) Poslat(LB_SETCURSEL, 0);
}

LRESULT ListBoxHorkeKlavesy::OnKresleni(UINT, WPARAM, LPARAM l, BOOL&) {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (!d || d->itemID == static_cast<UINT>(-1)) return TRUE;
    std::wstring text;
    NacistTextPolozky(static_cast<int>(d->itemID), text);
    const bool vlastni = VlastniVzhled();
    const size_t index = static_cast<size_t>(d->itemData);
    HorkeKlavesy* tabulka = Tabulka();
    const HorkaKlavesa* radek = tabulka && index < tabulka->zaznamy.size() ? &tabulka->zaznamy[index] : nullptr;

    RECT oblast = d->rcItem;
    if (!vlastni) oblast.left += knihovna::SirkaMaleIkony();
    Pozadi(*d, oblast);
    if (vlastni && radek) {
        int sirka = 0, vyska = 0;
        if (aplikace.seznamMenu.Get()) ImageList_GetIconSize(aplikace.seznamMenu.Get(), &sirka, &vyska);
        KreslitObrazek(d->hDC, IkonaPrikazuHorkeKlavesy(radek->prikaz), d->rcItem.left + 2,
                       d->rcItem.top + (d->rcItem.bottom - d->rcItem.top - vyska) / 2);
    }
    RECT r = d->rcItem;
    r.left += OdsazeniTextu(vlastni);
    ::DrawTextW(d->hDC, text.c_str(), static_cast<int>(text.size()), &r,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (radek && radek->klavesa != 0) {
        // The mark of a bound command, 3 pixels after the text.
        RECT mira = r;
        ::DrawTextW(d->hDC, text.c_str(), static_cast<int>(text.size()), &mira, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        const int x = mira.right + 3;
        const int y = d->rcItem.top + (d->rcItem.bottom - d->rcItem.top - knihovna::VyskaMaleIkony()) / 2;
        if (vlastni) {
            KreslitObrazek(d->hDC, OBRAZEK_ZNACKY, x, y);
        } else {
            RECT znacka{x, y, x + knihovna::SirkaMaleIkony(), y + knihovna::VyskaMaleIkony()};
            ::DrawFrameControl(d->hDC, &znacka, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
        }
    }
    if (d->itemState & ODS_FOCUS) ::DrawFocusRect(d->hDC, &oblast);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavHorkeKlavesy::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    // 1. The category filter, "all" selected.
    HWND combo = Polozka(IDC_HORKE_KLAVESY_SKUPINA);
    if (!combo) VyhoditChybu(E_INVALIDARG);
    for (const KategorieHorkychKlaves& k : KATEGORIE_HORKYCH_KLAVES) {
        if (k.kategorie == 0)
            knihovna::PridatPolozkuCombo(combo, L"Všechny nastavitelné", 0);
        else
            knihovna::PridatPolozkuComboId(combo, k.kategorie, static_cast<LPARAM>(k.kategorie));
    }
    if (::SendMessageW(combo, CB_SETCURSEL, 0, 0) == CB_ERR) VyhoditChybu(E_INVALIDARG);
    // 2. The command list for all categories.
    seznam.Prevzit(Polozka(IDC_HORKE_KLAVESY_SEZNAM));
    seznam.Naplnit(0);
    // 3. The tooltip of "Nastavit".
    tip.Vytvorit(m_hWnd);
    tip.PridatNastrojId(Polozka(IDC_HORKE_KLAVESY_NASTAVIT), IDS_TIP_NASTAVIT_KLAVESU);
    // 4. The first command's key.
    ZobrazitKlavesu();
    return TRUE;
}

LRESULT DlgNastavHorkeKlavesy::OnMeasureItem(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (!m || m->CtlType != ODT_COMBOBOX || m->CtlID != IDC_HORKE_KLAVESY_SKUPINA) {
        zpracovano = FALSE;
        return 0;
    }
    m->itemHeight = static_cast<UINT>(knihovna::Skalovat(VYSKA_KATEGORIE));
    return TRUE;
}

LRESULT DlgNastavHorkeKlavesy::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (!d || d->CtlID != IDC_HORKE_KLAVESY_SKUPINA) {
        zpracovano = FALSE;  // the list draws its own rows (reflected)
        return 0;
    }
    if (d->itemID == static_cast<UINT>(-1)) return TRUE;
    Pozadi(*d, d->rcItem);
    const LRESULT delka = ::SendMessageW(d->hwndItem, CB_GETLBTEXTLEN, d->itemID, 0);
    std::wstring text(delka > 0 ? static_cast<size_t>(delka) + 1 : 1, L'\0');
    if (delka > 0) ::SendMessageW(d->hwndItem, CB_GETLBTEXT, d->itemID, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(delka > 0 ? static_cast<size_t>(delka) : 0);
    RECT r = d->rcItem;
    if (VlastniVzhled()) {
        const int vyska = d->rcItem.bottom - d->rcItem.top;
        if (d->itemID < 10)
            KreslitObrazek(d->hDC, KATEGORIE_HORKYCH_KLAVES[d->itemID].obrazek, r.left + 2, r.top + (vyska - knihovna::VyskaMaleIkony()) / 2);
        r.left += OdsazeniTextu(true);
    } else {
        r.left += 4;
    }
    ::DrawTextW(d->hDC, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if ((d->itemState & ODS_FOCUS) && !(d->itemState & ODS_COMBOBOXEDIT)) ::DrawFocusRect(d->hDC, &d->rcItem);
    return TRUE;
}

int DlgNastavHorkeKlavesy::VybranyRadek() const {
    const LRESULT vyber = ::SendMessageW(seznam.m_hWnd, LB_GETCURSEL, 0, 0);
    if (vyber == LB_ERR) return -1;
    const LRESULT data = ::SendMessageW(seznam.m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(vyber), 0);
    HorkeKlavesy* tabulka = Tabulka();
    if (data == LB_ERR || !tabulka || data < 0 || static_cast<size_t>(data) >= tabulka->zaznamy.size()) return -1;
    return static_cast<int>(data);
}

void DlgNastavHorkeKlavesy::ZobrazitKlavesu() {
    const int radek = VybranyRadek();
    if (radek >= 0) {
        const HorkaKlavesa& r = Tabulka()->zaznamy[static_cast<size_t>(radek)];
        ::SendDlgItemMessageW(m_hWnd, IDC_HORKE_KLAVESY_KLAVESA, HKM_SETHOTKEY,
                              MAKEWORD(static_cast<BYTE>(r.klavesa), ModifikatoryProOvladac(r.modifikatory)), 0);
    }
    ::EnableWindow(Polozka(IDC_HORKE_KLAVESY_NASTAVIT), FALSE);
}

void DlgNastavHorkeKlavesy::NastavitKlavesu() {
    const int radek = VybranyRadek();
    if (radek < 0) return;
    HorkeKlavesy& tabulka = *Tabulka();
    const WORD hodnota = static_cast<WORD>(::SendDlgItemMessageW(m_hWnd, IDC_HORKE_KLAVESY_KLAVESA, HKM_GETHOTKEY, 0, 0));
    const uint32_t klavesa = LOBYTE(hodnota);
    const uint32_t modifikatory = ModifikatoryZOvladace(HIBYTE(hodnota));
    // A key already used by any command (the selected one too) is refused.
    if (klavesa != 0 && NajitRadekSKlavesou(tabulka, modifikatory, klavesa) >= 0) {
        aplikace.ZobrazitZpravuId(IDS_HORKA_KLAVESA_POUZITA, MB_ICONERROR);
        ZobrazitKlavesu();
        return;
    }
    // A key of 0 removes the command's hot key.
    tabulka.zaznamy[static_cast<size_t>(radek)].modifikatory = modifikatory;
    tabulka.zaznamy[static_cast<size_t>(radek)].klavesa = klavesa;
    ::EnableWindow(Polozka(IDC_HORKE_KLAVESY_NASTAVIT), FALSE);
    ::RedrawWindow(seznam.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT DlgNastavHorkeKlavesy::OnVyberPrikazu(WORD, WORD, HWND, BOOL&) {
    ZobrazitKlavesu();
    return 0;
}

LRESULT DlgNastavHorkeKlavesy::OnDvojklik(WORD, WORD, HWND, BOOL&) {
    // The command runs at once, even with the settings window open, through the main window's
    // hot-key dispatch: screen, window and recording commands reach their tools as the key would.
    const int radek = VybranyRadek();
    HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    if (radek >= 0 && hlavni)
        ::PostMessageW(hlavni, WM_HOTKEY, Tabulka()->zaznamy[static_cast<size_t>(radek)].prikaz, 0);
    return 0;
}

LRESULT DlgNastavHorkeKlavesy::OnVyberKategorie(WORD, WORD, HWND, BOOL&) {
    HWND combo = Polozka(IDC_HORKE_KLAVESY_SKUPINA);
    const LRESULT vyber = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (vyber != CB_ERR) {
        const LRESULT data = ::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(vyber), 0);
        if (data != CB_ERR) seznam.Naplnit(static_cast<UINT>(data));
    }
    ZobrazitKlavesu();
    return 0;
}

LRESULT DlgNastavHorkeKlavesy::OnZmenaKlavesy(WORD, WORD, HWND, BOOL& zpracovano) {
    ::EnableWindow(Polozka(IDC_HORKE_KLAVESY_NASTAVIT), TRUE);
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

LRESULT DlgNastavHorkeKlavesy::OnNastavit(WORD, WORD, HWND, BOOL&) {
    NastavitKlavesu();
    return 0;
}
