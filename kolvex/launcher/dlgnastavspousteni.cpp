#include "launcher/dlgnastavspousteni.h"

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/modul.h"
#include "knihovna/dpi.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "launcher/modulspousteniaplikaci.h"
#include "launcher/seznamaplikaci.h"

using knihovna::Formatovat;
using knihovna::Retezec;
using knihovna::VyhoditChybu;

const RezimTrideni rezimyTrideni[11] = {
    {L"Názvu", 1},
    {L"Názvu sestupně", 0x10001},
    {L"Oprávnění", 4},
    {L"Oprávnění sestupně", 0x10004},
    {L"Počtu spuštění ze Dravonu", 0x10},
    {L"Počtu spuštění ze Dravonu sestupně", 0x10010},
    {L"Cesty k aplikaci", 2},
    {L"Cesty k aplikaci sestupně", 0x10002},
    {L"Klávesové zkratky", 8},
    {L"Klávesové zkratky sestupně", 0x10008},
    {L"Netřídit", 0},
};

const UrovenOpravneni urovneOpravneni[4] = {
    {L"Plný přístup", UROVEN_PLNY_PRISTUP},
    {L"Běžný uživatel", UROVEN_BEZNY_UZIVATEL},
    {L"Omezený přístup", UROVEN_OMEZENY_PRISTUP},
    {L"Nedůvěryhodný", UROVEN_NEDUVERYHODNY},
};

DWORD ModifikatoryZHotkey(BYTE priznaky) {
    DWORD m = 0;
    if (priznaky & HOTKEYF_CONTROL) m |= MOD_CONTROL;
    if (priznaky & HOTKEYF_SHIFT) m |= MOD_SHIFT;
    if (priznaky & HOTKEYF_ALT) m |= MOD_ALT;
    return m;
}

BYTE HotkeyZModifikatoru(DWORD modifikatory) {
    BYTE p = 0;
    if (modifikatory & MOD_CONTROL) p |= HOTKEYF_CONTROL;
    if (modifikatory & MOD_SHIFT) p |= HOTKEYF_SHIFT;
    if (modifikatory & MOD_ALT) p |= HOTKEYF_ALT;
    return p;
}

namespace {

bool Zaskrtnuto(HWND okno, int id) { return ::IsDlgButtonChecked(okno, id) == BST_CHECKED; }

void Zaskrtnout(HWND okno, int id, bool ano) { ::CheckDlgButton(okno, id, ano ? BST_CHECKED : BST_UNCHECKED); }

// Selects the combo item with that data; none = no selection. A failing selection of an item
// that exists raises E_INVALIDARG.
void VybratPodleDat(HWND combo, DWORD data) {
    const LRESULT pocet = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    LRESULT nalezena = -1;
    for (LRESULT i = 0; i < pocet; ++i)
        if (static_cast<DWORD>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == data) {
            nalezena = i;
            break;
        }
    LRESULT r = ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(nalezena), 0);
    if (nalezena >= 0 && r == CB_ERR) VyhoditChybu(E_INVALIDARG);
}

// The other pages of the settings window learn that the list changed.
void OznamitStrankam(HWND stranka) {
    HWND rodic = ::GetParent(stranka);
    if (!rodic) return;
    for (HWND dite = ::GetWindow(rodic, GW_CHILD); dite; dite = ::GetWindow(dite, GW_HWNDNEXT))
        if (dite != stranka) ::SendMessageW(dite, ZpravaSeznamAplikaciZmenen, 0, 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Page 106

LRESULT DlgNastavSpousteniAplikaci::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    if (!nastaveniSpousteniAplikaci) VyhoditChybu(E_HANDLE);
    const KonfiguraceSpousteniAplikaci& n = *nastaveniSpousteniAplikaci;
    Zaskrtnout(m_hWnd, IDC_SPOUSTENI_ODDELOVAT, n.oddelovatPodleOpravneni);
    Zaskrtnout(m_hWnd, IDC_SPOUSTENI_IKONY, n.vlastniMenuAplikace);
    Zaskrtnout(m_hWnd, IDC_SPOUSTENI_ZAKAZAT, n.zakazatPolozkySpustene);
    HWND combo = Polozka(IDC_SPOUSTENI_TRIDENI);
    if (!combo) VyhoditChybu(E_INVALIDARG);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const RezimTrideni& r : rezimyTrideni) knihovna::PridatPolozkuCombo(combo, r.text, static_cast<LPARAM>(r.hodnota));
    VybratPodleDat(combo, n.trideniAplikaci);
    m_tooltip.Vytvorit(m_hWnd);
    return TRUE;
}

LRESULT DlgNastavSpousteniAplikaci::OnTrideni(WORD, WORD, HWND, BOOL&) {
    HWND combo = Polozka(IDC_SPOUSTENI_TRIDENI);
    LRESULT vyber = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (vyber == CB_ERR || !nastaveniSpousteniAplikaci) return 0;
    nastaveniSpousteniAplikaci->trideniAplikaci =
        static_cast<DWORD>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(vyber), 0));
    if (seznamAplikaci) seznamAplikaci->Seradit();
    OznamitStrankam(m_hWnd);
    // The mode reaches the registry with Apply, so the change enables it.
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

LRESULT DlgNastavSpousteniAplikaci::OnVynulovat(WORD, WORD, HWND, BOOL&) {
    if (!aplikace.OtazkaId(IDS_SPOUSTENI_VYNULOVAT, false, true)) return 0;
    if (!seznamAplikaci) return 0;
    {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        for (size_t i = 0; i < seznamAplikaci->Pocet(); ++i) seznamAplikaci->Polozka(i).pocetSpusteni = 0;
    }
    UlozitSeznamAplikaci();
    OznamitStrankam(m_hWnd);
    return 0;
}

void DlgNastavSpousteniAplikaci::Ulozit() {
    if (!nastaveniSpousteniAplikaci || !m_hWnd) return;
    nastaveniSpousteniAplikaci->oddelovatPodleOpravneni = Zaskrtnuto(m_hWnd, IDC_SPOUSTENI_ODDELOVAT);
    nastaveniSpousteniAplikaci->vlastniMenuAplikace = Zaskrtnuto(m_hWnd, IDC_SPOUSTENI_IKONY);
    nastaveniSpousteniAplikaci->zakazatPolozkySpustene = Zaskrtnuto(m_hWnd, IDC_SPOUSTENI_ZAKAZAT);
    nastaveniSpousteniAplikaci->Ulozit();
}

// ---------------------------------------------------------------------------------------------
// Page 108

bool (*DlgNastavSpousteneAplikace::zadatNazev)(std::wstring&, UINT) = ZadatTextId;
bool (*DlgNastavSpousteneAplikace::vybratSoubor)(std::wstring&) = VybratSouborAplikace;

LRESULT DlgNastavSpousteneAplikace::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    m_tooltip.Vytvorit(m_hWnd);
    const struct {
        int id;
        UINT text;
    } tipy[] = {{IDC_APLIKACE_POUZIT, IDS_TIP_POUZIT_PARAMETRY},
                {IDC_APLIKACE_ODEBRAT, IDS_TIP_ODEBRAT_APLIKACI},
                {IDC_APLIKACE_PREJMENOVAT, IDS_TIP_PREJMENOVAT_APLIKACI},
                {IDC_APLIKACE_PRIDAT, IDS_TIP_PRIDAT_APLIKACI}};
    for (const auto& t : tipy) {
        HWND prvek = Polozka(t.id);
        if (!prvek) VyhoditChybu(E_INVALIDARG);
        m_tooltip.PridatNastrojId(prvek, t.text);
    }
    HWND cesta = Polozka(IDC_APLIKACE_CESTA);
    if (!cesta) VyhoditChybu(E_INVALIDARG);
    m_cesta.Pripojit(cesta, nullptr, nullptr, -1, L"Spustitelné soubory\0*.exe\0");
    HWND combo = Polozka(IDC_APLIKACE_OPRAVNENI);
    if (!combo) VyhoditChybu(E_INVALIDARG);
    for (const UrovenOpravneni& u : urovneOpravneni) knihovna::PridatPolozkuCombo(combo, u.text, static_cast<LPARAM>(u.hodnota));
    // The template's list is measured before this object receives messages: the height is set here.
    ::SendMessageW(Polozka(IDC_APLIKACE_SEZNAM), LB_SETITEMHEIGHT, 0, knihovna::Skalovat(18));
    NaplnitSeznam();
    ::EnableWindow(Polozka(IDC_APLIKACE_POUZIT), FALSE);
    return TRUE;
}

int DlgNastavSpousteneAplikace::VybranaAplikace() const {
    HWND seznam = Polozka(IDC_APLIKACE_SEZNAM);
    LRESULT vyber = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (vyber == LB_ERR) return -1;
    LRESULT data = ::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(vyber), 0);
    if (data == LB_ERR || !seznamAplikaci || static_cast<size_t>(data) >= seznamAplikaci->Pocet()) return -1;
    return static_cast<int>(data);
}

void DlgNastavSpousteneAplikace::NaplnitSeznam(int vybrat) {
    HWND h = Polozka(IDC_APLIKACE_SEZNAM);
    if (!h) VyhoditChybu(E_INVALIDARG);
    LRESULT zapamatovany = ::SendMessageW(h, LB_GETCURSEL, 0, 0);
    ::SendMessageW(h, LB_RESETCONTENT, 0, 0);
    knihovna::ListBox seznam;
    seznam.m_hWnd = h;
    size_t pocet = 0;
    if (seznamAplikaci) {
        std::vector<SpoustenaAplikace> aplikace = seznamAplikaci->Kopie();
        pocet = aplikace.size();
        for (size_t i = 0; i < aplikace.size(); ++i) seznam.PridatPolozku(aplikace[i].nazev.c_str(), static_cast<LPARAM>(i));
    }
    LRESULT index = -1;
    if (vybrat >= 0 && static_cast<size_t>(vybrat) < pocet) {
        index = vybrat;
    } else if (zapamatovany != LB_ERR && pocet > 0) {
        index = zapamatovany >= static_cast<LRESULT>(pocet) ? static_cast<LRESULT>(pocet) - 1 : zapamatovany;
    } else if (pocet > 0) {
        index = 0;
    }
    ::SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ZobrazitVybranou();
}

void DlgNastavSpousteneAplikace::ZobrazitVybranou() {
    m_zobrazuji = true;
    struct Konec {
        bool& priznak;
        ~Konec() { priznak = false; }
    } konec{m_zobrazuji};
    SpoustenaAplikace a;
    const int vybrana = VybranaAplikace();
    if (vybrana >= 0) a = seznamAplikaci->Kopie()[static_cast<size_t>(vybrana)];
    ::SetDlgItemTextW(m_hWnd, IDC_APLIKACE_CESTA, a.cesta.c_str());
    VybratPodleDat(Polozka(IDC_APLIKACE_OPRAVNENI), vybrana >= 0 ? a.uroven : static_cast<DWORD>(-1));
    HWND klavesa = Polozka(IDC_APLIKACE_KLAVESA);
    ::SendMessageW(klavesa, HKM_SETHOTKEY, 0, 0);
    ::SendMessageW(klavesa, HKM_SETHOTKEY, MAKEWORD(static_cast<BYTE>(a.virtKlavesa), HotkeyZModifikatoru(a.modifikator)), 0);
    Zaskrtnout(m_hWnd, IDC_APLIKACE_JEDNA_INSTANCE, a.jednaInstance);
    Zaskrtnout(m_hWnd, IDC_APLIKACE_PO_SPUSTENI, a.poSpusteni);
}

void DlgNastavSpousteneAplikace::OznamitZmenu() {
    ::EnableWindow(Polozka(IDC_APLIKACE_POUZIT), TRUE);
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
}

bool DlgNastavSpousteneAplikace::OveritNazev(const std::wstring& nazev, int krome) {
    if (!JePlatnyNazevAplikace(nazev)) {
        aplikace.ZobrazitZpravu(Retezec(IDS_SPOUSTENI_NEPLATNY_NAZEV), MB_ICONERROR);
        return false;
    }
    if (seznamAplikaci && seznamAplikaci->NajitKolizniNazev(nazev, krome) >= 0) {
        aplikace.ZobrazitZpravu(Retezec(IDS_SPOUSTENI_NAZEV_EXISTUJE), MB_ICONERROR);
        return false;
    }
    return true;
}

void DlgNastavSpousteneAplikace::Pridat() {
    if (!seznamAplikaci) return;
    std::wstring nazev = L"Nová aplikace";
    if (!zadatNazev(nazev, IDS_SPOUSTENI_ZADAT_NAZEV)) return;
    if (!OveritNazev(nazev, -1)) return;
    std::wstring cesta;
    if (!vybratSoubor(cesta)) return;
    int nova = -1;
    {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        seznamAplikaci->Pridat(nazev, cesta, UROVEN_BEZNY_UZIVATEL);
        seznamAplikaci->Seradit();
        seznamAplikaci->ObnovitIkony();
        nova = seznamAplikaci->NajitPodleNazvu(nazev);
    }
    NaplnitSeznam(nova);
    OznamitZmenu();
}

void DlgNastavSpousteneAplikace::Odebrat() {
    const int vybrana = VybranaAplikace();
    if (vybrana < 0) return;
    const SpoustenaAplikace a = seznamAplikaci->Kopie()[static_cast<size_t>(vybrana)];
    std::wstring otazka = Formatovat(Retezec(IDS_SPOUSTENI_OTAZKA_ODEBRAT).c_str(), a.nazev.c_str(), a.cesta.c_str());
    if (knihovna::oknoZpravy(knihovna::VlastnikZpravy(), otazka.c_str(), aplikace.titulek.c_str(),
                             MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND) != IDYES)
        return;
    {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        int index = seznamAplikaci->NajitPodleNazvu(a.nazev);
        if (index < 0) return;
        seznamAplikaci->Odebrat(static_cast<size_t>(index));
        seznamAplikaci->ObnovitIkony();
    }
    NaplnitSeznam();
    OznamitZmenu();
}

void DlgNastavSpousteneAplikace::Prejmenovat() {
    const int vybrana = VybranaAplikace();
    if (vybrana < 0) return;
    const std::wstring puvodni = seznamAplikaci->Kopie()[static_cast<size_t>(vybrana)].nazev;
    std::wstring nazev = puvodni;
    if (!zadatNazev(nazev, IDS_SPOUSTENI_ZADAT_NOVY_NAZEV)) return;
    if (!OveritNazev(nazev, vybrana)) return;
    int index = -1;
    {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        seznamAplikaci->NastavitNazev(static_cast<size_t>(vybrana), nazev);
        seznamAplikaci->Seradit();
        seznamAplikaci->ObnovitIkony();
        index = seznamAplikaci->NajitPodleNazvu(nazev);
    }
    NaplnitSeznam(index);
    OznamitZmenu();
}

void DlgNastavSpousteneAplikace::Ulozit() {
    if (!m_hWnd || !seznamAplikaci) return;
    const int vybrana = VybranaAplikace();
    if (vybrana >= 0) {
        HWND ovladac = Polozka(IDC_APLIKACE_KLAVESA);
        const WORD hotkey = static_cast<WORD>(::SendMessageW(ovladac, HKM_GETHOTKEY, 0, 0));
        const DWORD klavesa = LOBYTE(hotkey);
        const DWORD modifikatory = ModifikatoryZHotkey(HIBYTE(hotkey));
        if (klavesa != 0) {
            if (aplikace.horkeKlavesy) {
                for (const HorkaKlavesa& radek : aplikace.horkeKlavesy->zaznamy) {
                    if (radek.klavesa == klavesa && radek.modifikatory == modifikatory) {
                        aplikace.ZobrazitZpravu(Retezec(IDS_HORKA_KLAVESA_POUZITA), MB_ICONERROR);
                        ::SendMessageW(ovladac, HKM_SETHOTKEY, 0, 0);
                        return;
                    }
                }
            }
            const int jina = seznamAplikaci->NajitPodleKlavesy(modifikatory, klavesa);
            if (jina >= 0 && jina != vybrana) {
                const SpoustenaAplikace a = seznamAplikaci->Kopie()[static_cast<size_t>(jina)];
                aplikace.ZobrazitZpravu(
                    Formatovat(Retezec(IDS_SPOUSTENI_KLAVESA_APLIKACE).c_str(), a.nazev.c_str(), a.cesta.c_str()),
                    MB_ICONERROR);
                ::SendMessageW(ovladac, HKM_SETHOTKEY, 0, 0);
                return;
            }
        }
        std::wstring cesta;
        knihovna::NacistTextPrvku(m_hWnd, IDC_APLIKACE_CESTA, cesta);
        knihovna::ComboBox combo(Polozka(IDC_APLIKACE_OPRAVNENI));
        const LPARAM uroven = combo.NacistDataVybranePolozky();
        {
            knihovna::Zamek zamek(seznamAplikaci->Zamek());
            const size_t i = static_cast<size_t>(vybrana);
            seznamAplikaci->NastavitCestu(i, cesta);
            if (uroven != -1) {
                seznamAplikaci->Polozka(i).uroven = static_cast<DWORD>(uroven);
                seznamAplikaci->Polozka(i).necitelne &= ~static_cast<DWORD>(NECITELNA_UROVEN);
            }
            seznamAplikaci->NastavitKlavesu(i, klavesa, modifikatory);
            SpoustenaAplikace& a = seznamAplikaci->Polozka(i);
            a.jednaInstance = Zaskrtnuto(m_hWnd, IDC_APLIKACE_JEDNA_INSTANCE);
            a.poSpusteni = Zaskrtnuto(m_hWnd, IDC_APLIKACE_PO_SPUSTENI);
            a.necitelne &= ~static_cast<DWORD>(NECITELNA_JEDNA_INSTANCE | NECITELNE_PO_SPUSTENI);
            seznamAplikaci->ObnovitIkony();
        }
        ::RedrawWindow(Polozka(IDC_APLIKACE_SEZNAM), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    // The list reaches the registry with Apply, not only when the program ends.
    UlozitSeznamAplikaci();
}

LRESULT DlgNastavSpousteneAplikace::OnMeasureItem(UINT, WPARAM, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlID == IDC_APLIKACE_SEZNAM) polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(18));
    return TRUE;
}

LRESULT DlgNastavSpousteneAplikace::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    auto* p = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (!p || p->CtlID != IDC_APLIKACE_SEZNAM) {
        zpracovano = FALSE;
        return 0;
    }
    if (p->itemID == static_cast<UINT>(-1)) return TRUE;
    const bool vybrana = (p->itemState & ODS_SELECTED) != 0;
    ::FillRect(p->hDC, &p->rcItem, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF barva = ::SetTextColor(p->hDC, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    int rezim = ::SetBkMode(p->hDC, TRANSPARENT);

    const size_t index = static_cast<size_t>(p->itemData);
    SpoustenaAplikace a;
    bool ikonaAplikace = false;
    const int y = p->rcItem.top + (p->rcItem.bottom - p->rcItem.top - knihovna::VyskaMaleIkony()) / 2;
    if (seznamAplikaci) {
        knihovna::Zamek zamek(seznamAplikaci->Zamek());
        if (index < seznamAplikaci->Pocet()) {
            a = seznamAplikaci->Polozka(index);
            HIMAGELIST ikony = seznamAplikaci->Ikony();
            if (ikony && static_cast<int>(index) < ImageList_GetImageCount(ikony)) {
                ImageList_Draw(ikony, static_cast<int>(index), p->hDC, p->rcItem.left + 2, y, ILD_TRANSPARENT);
                ikonaAplikace = true;
            }
        }
    }
    if (!ikonaAplikace && aplikace.seznamMenu.Get())
        ImageList_Draw(aplikace.seznamMenu.Get(), 10, p->hDC, p->rcItem.left + 2, y, ILD_TRANSPARENT);
    // the text between the pictures, by their real width
    const int sirka = knihovna::SirkaObrazku(aplikace.seznamMenu.Get());
    RECT text = p->rcItem;
    text.left += 2 + sirka + 4;
    text.right -= 2 + sirka + 4;
    std::wstring radek = Formatovat(L"%s (spuštěno %dx)", a.nazev.c_str(), a.pocetSpusteni);
    ::DrawTextW(p->hDC, radek.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (a.virtKlavesa != 0 && aplikace.seznamMenu.Get())
        ImageList_Draw(aplikace.seznamMenu.Get(), 11, p->hDC, p->rcItem.right - 2 - sirka, y, ILD_TRANSPARENT);
    if (p->itemState & ODS_FOCUS) ::DrawFocusRect(p->hDC, &p->rcItem);
    ::SetBkMode(p->hDC, rezim);
    ::SetTextColor(p->hDC, barva);
    return TRUE;
}

LRESULT DlgNastavSpousteneAplikace::OnBarvaStatic(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    if (reinterpret_cast<HWND>(l) != Polozka(IDC_APLIKACE_CESTA)) {
        zpracovano = FALSE;
        return 0;
    }
    HDC dc = reinterpret_cast<HDC>(w);
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

LRESULT DlgNastavSpousteneAplikace::OnSeznamZmenen(UINT, WPARAM, LPARAM, BOOL&) {
    NaplnitSeznam();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnVyber(WORD, WORD, HWND, BOOL&) {
    ZobrazitVybranou();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnPridat(WORD, WORD, HWND, BOOL&) {
    Pridat();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnOdebrat(WORD, WORD, HWND, BOOL&) {
    Odebrat();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnPrejmenovat(WORD, WORD, HWND, BOOL&) {
    Prejmenovat();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnPouzitParametry(WORD, WORD, HWND, BOOL&) {
    Ulozit();
    return 0;
}

LRESULT DlgNastavSpousteneAplikace::OnZmenaParametru(WORD, WORD, HWND, BOOL& zpracovano) {
    zpracovano = FALSE;
    if (!m_zobrazuji) OznamitZmenu();
    return 0;
}
