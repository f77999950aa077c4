#include "core/nastaveni.h"

#include <map>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/odesilatelemailu.h"
#include "core/strankyaplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

DlgNastaveni* dlgNastaveni = nullptr;

namespace {

const RadekStranky tabulkaStranek[] = {
    {104, L"Všeobecné", StrObecne},
    {105, L"Akce po spuštění", StrPoSpusteni},
    {106, L"Spouštění aplikací", StrSpousteniAplikaci},
    {108, L"Spouštěné aplikace", StrSpousteneAplikace},
    {111, L"Klávesové zkratky", StrHorkeKlavesy},
    {112, L"Vložení textu do schránky", StrTextDoSchranky},
    {113, L"Operativní schránka", StrSchrankaOperativniTexty},
    {114, L"Editor vkládaných textů do schránky", StrSchrankaEditorTextu},
    {125, L"Poznámky", StrPoznamky},
    {126, L"Textové poznámky", StrPoznamkyTextove},
    {127, L"Zvukové poznámky", StrPoznamkyZvukove},
    {141, L"Sledování paměti", StrSledovaniPameti},
    {151, L"Ovládání oken", StrOknaAkce},
    {152, L"Rozšíření oken", StrRozsireniOken},
    {153, L"Sledování procesů", StrSledovaniProcesu},
    {156, L"Obrazovka", StrObrazovka},
    {157, L"Opis obrazovky", StrOpisObrazovky},
    {158, L"Sběrač barvy", StrSberacBarvy},
    {159, L"Měření obrazovky", StrMereniObrazovky},
    {160, L"Režimy obrazovky", StrRezimyObrazovky},
    {167, L"Ovládání CD/DVD mechanik(-y)", StrOvladaniCD},
    {171, L"Stopky", StrStopky},
    {174, L"Seznam registací a hesel", StrSeznamRegistraci},
    {178, L"Volitelné položky hlavní nabídky", StrPolozkyMenuHlavni},
    {179, L"Sonvidar", StrSonvidar},
    {180, L"Záznam zvuku", StrZaznamZvukuWma},
    {181, L"Záznam videa", StrZaznamVideaWmv},
    {183, L"Kontakty", StrKontakty},
    {190, L"Odesílání emailem", StrOdesilatelEmailu},
    {192, L"Odeslání opisu obrazovky emailem", StrOpisObrazovkyEmail},
    {196, L"Hodiny", StrHodiny},
    {198, L"Čtečka RSS kanálů", StrCteckaRSS},
    {203, L"IP Info", StrHostInfo},
    {205, L"Počasí", StrPocasiObecne},
    {206, L"Aladin", StrPocasiAladin},
    {207, L"Předpověď", StrPocasiPredpovedText},
    {208, L"Snímek družice", StrPocasiSnimekDruzice},
};

// The tree: level 0 = root item, 1 = child of the last root item, 2 = child of the last level-1 item.
struct PolozkaStromu {
    int uroven;
    const wchar_t* text;  // null: string idTextu
    UINT idTextu;
    UINT stranka;
    int obrazek;
};

const PolozkaStromu polozkyStromu[] = {
    {0, L"Všeobecné", 0, 104, 18},
    {1, L"Klávesové zkratky", 0, 111, 11},
    {1, L"Akce po spuštění", 0, 105, 40},
    {1, L"Hlavní nabídka", 0, 178, 20},
    {0, L"Spouštění aplikací", 0, 106, 58},
    {1, L"Aplikace", 0, 108, 10},
    {0, L"Rozšíření oken", 0, 152, 10},
    {1, L"Ovládání oken", 0, 151, 10},
    {0, L"Schránka", 0, 112, 9},
    {1, L"Text do schránky", 0, 112, 42},
    {1, L"Operativní texty", 0, 113, 43},
    {1, L"Editor textů", 0, 114, 38},
    {0, L"Sledování paměti", 0, 141, 59},
    {0, L"Sledování procesů", 0, 153, 76},
    {0, L"Poznámky", 0, 125, 67},
    {1, L"Textové poznámky", 0, 126, 68},
    {1, L"Zvukové poznámky", 0, 127, 60},
    {0, L"Ovládání CD", 0, 167, 81},
    {0, L"Obrazovka", 0, 156, 65},
    {1, L"Opis obrazovky", 0, 157, 21},
    {2, L"Opis emailem", 0, 192, 6},
    {1, L"Sběrač barvy", 0, 158, 78},
    {1, L"Měření obrazovky", 0, 159, 80},
    {1, L"Režimy obrazovky", 0, 160, 65},
    {0, L"Odesílání emailem", 0, 190, 6},
    {0, nullptr, IDS_NAZEV_KONTAKTY, 183, 90},
    {0, nullptr, IDS_NAZEV_SEZNAM_REGISTRACI, 174, 89},
    {0, nullptr, IDS_NAZEV_CTECKA_RSS, 198, 74},
    {0, nullptr, IDS_NAZEV_HODINY, 196, 63},
    {0, L"Stopky", 0, 171, 64},
    {0, nullptr, IDS_NAZEV_HOST_INFO, 203, 73},
    {0, L"Počasí", 0, 205, 62},
    {1, L"Předpověd z ČHMÚ", 0, 207, 96},
    {1, L"Předpovědní model Aladin", 0, 206, 45},
    {1, L"Snímek z družice", 0, 208, 21},
    {0, L"Sonvidar", 0, 179, 61},
    {1, L"Záznam zvuku", 0, 180, 60},
    {1, L"Záznam videa", 0, 181, 37},
};

// Apply's order of the page stores: the general page first, then by class name, the launcher's
// options before its application list. Pages 111, 151, 156, 160 and 205 have no step.
const size_t poradiUlozeni[] = {
    StrObecne,          StrCteckaRSS,           StrHodiny,
    StrHostInfo,        StrKontakty,            StrSonvidar,
    StrMereniObrazovky, StrOdesilatelEmailu,    StrOpisObrazovky,
    StrOpisObrazovkyEmail, StrOvladaniCD,       StrPocasiAladin,
    StrPocasiPredpovedText, StrPocasiSnimekDruzice, StrPolozkyMenuHlavni,
    StrPoSpusteni,      StrPoznamky,            StrPoznamkyTextove,
    StrPoznamkyZvukove, StrRozsireniOken,       StrSberacBarvy,
    StrSeznamRegistraci, StrSchrankaEditorTextu, StrSchrankaOperativniTexty,
    StrSledovaniPameti, StrSledovaniProcesu,    StrSpousteniAplikaci,
    StrSpousteneAplikace, StrStopky,            StrTextDoSchranky,
    StrZaznamVideaWmv,  StrZaznamZvukuWma,
};

// Controls that Apply reads itself on the pages that have no store step of their own.
constexpr int IDC_HOST_INFO_MINIMALIZACE = 1245;
constexpr int IDC_SONVIDAR_ZJISTOVAT_WME = 1186;
constexpr int IDC_POZNAMKY_IKONA_LEVE = 1055;
constexpr int IDC_ROZSIRENI_INFORMOVAT = 1101;
constexpr int IDC_ROZSIRENI_PRUHLEDNOST = 1099;

std::map<UINT, TvurceStranky>& RegistrStranek() {
    static std::map<UINT, TvurceStranky> registr = {
        {IDD_NASTAV_OBECNE, VytvoritStranku<DlgNastavObecne>},
        {IDD_NASTAV_PO_SPUSTENI, VytvoritStranku<DlgNastavPoSpusteni>},
        {IDD_NASTAV_POLOZKY_MENU_HLAVNI, VytvoritStranku<DlgNastavPolozkyMenuHlavni>},
        {IDD_NASTAV_ODESILATEL_EMAILU, VytvoritStranku<DlgNastavOdesilatelEmailu>},
    };
    return registr;
}

bool JeZaskrtnuto(HWND okno, int id) { return ::IsDlgButtonChecked(okno, id) == BST_CHECKED; }

// Item data of a combo's selected item; -1 when nothing is selected (or there is no combo).
DWORD DataVybranePolozky(HWND okno, int id) {
    HWND combo = ::GetDlgItem(okno, id);
    if (!combo) return static_cast<DWORD>(-1);
    LRESULT vyber = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (vyber == CB_ERR) return static_cast<DWORD>(-1);
    return static_cast<DWORD>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(vyber), 0));
}

// "<what failed on the page>" with the page's title, and the error's text.
void HlasitChybuStranky(UINT idZpravy, const RadekStranky& radek, const knihovna::Chyba& chyba) {
    aplikace.ZobrazitChybuCom(Formatovat(knihovna::Retezec(idZpravy).c_str(), radek.titulek), chyba);
}

template <class K>
void UlozitObjekt(const std::unique_ptr<K>& objekt) {
    if (objekt) objekt->Ulozit();
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void ZaregistrovatStrankuNastaveni(UINT idStranky, TvurceStranky tvurce) {
    if (tvurce) RegistrStranek()[idStranky] = tvurce;
    else RegistrStranek().erase(idStranky);
}

TvurceStranky TvurceStrankyNastaveni(UINT idStranky) {
    auto nalezena = RegistrStranek().find(idStranky);
    return nalezena == RegistrStranek().end() ? nullptr : nalezena->second;
}

const RadekStranky* NajitRadekStranky(UINT id) {
    for (const RadekStranky& radek : tabulkaStranek)
        if (radek.id == id) return &radek;
    return nullptr;
}

HTREEITEM VlozitPolozkuStromu(HWND strom, const wchar_t* text, HTREEITEM rodic, LPARAM data, int obrazek) {
    TVINSERTSTRUCTW vlozeni{};
    vlozeni.hParent = rodic ? rodic : TVI_ROOT;
    vlozeni.hInsertAfter = TVI_LAST;
    vlozeni.item.mask = TVIF_TEXT | TVIF_PARAM;
    vlozeni.item.pszText = const_cast<wchar_t*>(text);
    vlozeni.item.lParam = data;
    if (obrazek >= 0) {
        vlozeni.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        vlozeni.item.iImage = obrazek;
        vlozeni.item.iSelectedImage = obrazek;
    }
    auto polozka = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(strom, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&vlozeni)));
    if (!polozka) VyhoditPosledniChybu();
    return polozka;
}

HTREEITEM VlozitPolozkuStromuId(HWND strom, UINT idTextu, HTREEITEM rodic, LPARAM data, int obrazek) {
    std::wstring text;
    if (!knihovna::NacistRetezec(idTextu, text)) VyhoditChybu(E_INVALIDARG);
    return VlozitPolozkuStromu(strom, text.c_str(), rodic, data, obrazek);
}

void RozbalitPolozkyStromu(HWND strom, HTREEITEM polozka, bool rozbalit) {
    if (!::IsWindow(strom)) VyhoditChybu(E_HANDLE);
    for (; polozka; polozka = TreeView_GetNextSibling(strom, polozka)) {
        ::SendMessageW(strom, TVM_EXPAND, rozbalit ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(polozka));
        RozbalitPolozkyStromu(strom, TreeView_GetChild(strom, polozka), rozbalit);
    }
}

// ---------------------------------------------------------------------------------------------

std::wstring& DlgNastaveni::NazevPolohy() {
    static std::wstring nazev = L"QKolvexNastaveni";
    return nazev;
}

DlgNastaveni::DlgNastaveni() {
    std::wstring nazev;
    if (knihovna::NacistRetezec(IDS_TRIDA_OKNA_NASTAVENI, nazev)) NazevPolohy() = nazev;
    NastavitKlic(aplikace.klicAplikace);
}

DlgNastaveni::~DlgNastaveni() {
    if (dlgNastaveni == this) dlgNastaveni = nullptr;
    try {
        SmazatStranky();
    } catch (...) {
        // a page window that would not go away: the process goes on without it
    }
    if (m_strom && ::IsWindow(m_strom)) ::DestroyWindow(m_strom);
    m_strom = nullptr;
    if (m_tooltip.m_hWnd && ::IsWindow(m_tooltip.m_hWnd)) ::DestroyWindow(m_tooltip.m_hWnd);
    m_tooltip.m_hWnd = nullptr;
}

void DlgNastaveni::SmazatStranky() {
    bool vse = true;
    for (auto& stranka : m_stranky) {
        if (!stranka) continue;
        HWND okno = stranka->OknoStranky();
        if (okno && ::IsWindow(okno) && !::DestroyWindow(okno)) vse = false;
        stranka.reset();
    }
    Overit(vse);
}

INT_PTR DlgNastaveni::Spustit(UINT stranka) {
    dlgNastaveni = this;
    struct Konec {
        DlgNastaveni* dialog;
        ~Konec() {
            if (dlgNastaveni == dialog) dlgNastaveni = nullptr;
        }
    } konec{this};
    return SpustitModalne(nullptr, static_cast<LPARAM>(stranka));
}

LRESULT DlgNastaveni::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    m_aktualniStranka = static_cast<UINT>(l);
    ::SetWindowTextW(m_hWnd, Formatovat(L"%s - Nastavení", aplikace.titulek.c_str()).c_str());
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    ::CheckDlgButton(m_hWnd, IDC_NASTAVENI_ROZBALIT,
                     aplikace.nastaveni.rozbalitSeznamNastaveni ? BST_CHECKED : BST_UNCHECKED);
    m_pouzit = Polozka(IDC_NASTAVENI_POUZIT);

    HWND odkaz = Polozka(IDC_NASTAVENI_ODKAZ);
    if (!odkaz) VyhoditChybu(E_INVALIDARG);
    m_odkaz.PripojitSUrl(odkaz, nullptr);
    std::wstring web = knihovna::webAutora;
    size_t schema = web.find(L"://");
    if (schema != std::wstring::npos) web = web.substr(schema + 3);
    m_odkaz.NastavitText(Formatovat(L"Další nástroje firmy Brenvald najdete na %s", web.c_str()).c_str());
    m_tooltip.Vytvorit(m_hWnd);
    m_tooltip.PridatNastrojId(odkaz, IDS_TIP_WEB_AUTORA);

    m_strom = Polozka(IDC_NASTAVENI_STROM);
    if (!m_strom) VyhoditChybu(E_INVALIDARG);
    m_vychoziVyskaPolozky = static_cast<int>(::SendMessageW(m_strom, TVM_GETITEMHEIGHT, 0, 0));
    VytvoritStrom(m_aktualniStranka);

    if (ObnovitPolohu(NazevPolohy().c_str(), true) != 0) Vycentrovat(nullptr);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void DlgNastaveni::VytvoritStrom(UINT stranka) {
    if (!::IsWindow(m_strom)) VyhoditChybu(E_INVALIDARG);
    if (TreeView_GetCount(m_strom) > 0 && !TreeView_DeleteAllItems(m_strom)) VyhoditPosledniChybu();

    const bool vlastniVzhled = aplikace.nastaveni.vlastniVzhled;
    if (vlastniVzhled) {
        ::SendMessageW(m_strom, TVM_SETITEMHEIGHT, static_cast<WPARAM>(knihovna::Skalovat(18)), 0);
        ::SendMessageW(m_strom, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(aplikace.seznamMenu.Get()));
    } else {
        ::SendMessageW(m_strom, TVM_SETITEMHEIGHT, static_cast<WPARAM>(m_vychoziVyskaPolozky), 0);
        ::SendMessageW(m_strom, TVM_SETIMAGELIST, TVSIL_NORMAL, 0);
    }

    HTREEITEM rodice[3] = {nullptr, nullptr, nullptr};
    HTREEITEM vybrat = nullptr;
    for (const PolozkaStromu& p : polozkyStromu) {
        HTREEITEM rodic = p.uroven > 0 ? rodice[p.uroven - 1] : nullptr;
        int obrazek = vlastniVzhled ? p.obrazek : -1;
        HTREEITEM polozka = p.text ? VlozitPolozkuStromu(m_strom, p.text, rodic, p.stranka, obrazek)
                                   : VlozitPolozkuStromuId(m_strom, p.idTextu, rodic, p.stranka, obrazek);
        rodice[p.uroven] = polozka;
        if (!vybrat) vybrat = polozka;  // "Všeobecné" unless a later item carries the page
        if (p.stranka == stranka) vybrat = polozka;
    }

    RozbalitVse();

    RECT klient, strom;
    Overit(::GetClientRect(m_hWnd, &klient) != 0);
    Overit(::GetWindowRect(m_strom, &strom) != 0);
    m_obdelnikStranky = klient;
    m_obdelnikStranky.left += (strom.right - strom.left) + 12;
    m_obdelnikStranky.right -= 12;
    m_obdelnikStranky.bottom -= 50;

    if (!TreeView_SelectItem(m_strom, vybrat)) VyhoditPosledniChybu();
}

LRESULT DlgNastaveni::ZmenitStranku(int, NMHDR* hlavicka, BOOL&) {
    auto zmena = reinterpret_cast<NMTREEVIEWW*>(hlavicka);
    if (!zmena->itemNew.hItem) return 0;  // the tree is being emptied: keep the current page
    for (auto& stranka : m_stranky) {
        HWND okno = stranka ? stranka->OknoStranky() : nullptr;
        if (okno) ::ShowWindow(okno, SW_HIDE);
    }
    std::wstring titulek = Formatovat(L" %s - Nastavení: ", aplikace.titulek.c_str());
    m_aktualniStranka = static_cast<UINT>(zmena->itemNew.lParam);
    if (const RadekStranky* radek = NajitRadekStranky(m_aktualniStranka)) {
        ZobrazitStranku(*radek);
        titulek += radek->titulek;
    }
    ::SetWindowTextW(m_hWnd, titulek.c_str());
    return 0;
}

void DlgNastaveni::ZobrazitStranku(const RadekStranky& radek) {
    auto& stranka = m_stranky[radek.slot];
    if (!stranka) {
        TvurceStranky tvurce = TvurceStrankyNastaveni(radek.id);
        if (!tvurce) return;  // no page class yet: the item shows nothing
        stranka = tvurce();
        if (!stranka) return;
        try {
            stranka->VytvoritStranku(m_hWnd);
        } catch (const knihovna::Chyba& chyba) {
            // A page that could not be created stays an empty object. A page whose initialisation
            // failed says so and goes: its settings keep their values, the other pages their edits.
            if (HWND okno = stranka->OknoStranky()) {
                ::DestroyWindow(okno);
                stranka.reset();
                HlasitChybuStranky(IDS_STRANKU_NELZE_ZOBRAZIT, radek, chyba);
                return;
            }
        }
        if (HWND okno = stranka->OknoStranky())
            ::SetWindowPos(okno, nullptr, m_obdelnikStranky.left, m_obdelnikStranky.top,
                           m_obdelnikStranky.right - m_obdelnikStranky.left,
                           m_obdelnikStranky.bottom - m_obdelnikStranky.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND okno = stranka->OknoStranky()) ::ShowWindow(okno, SW_SHOW);
}

void DlgNastaveni::UlozitStrankyOknem(size_t slot) {
    HWND okno = m_stranky[slot] ? m_stranky[slot]->OknoStranky() : nullptr;
    if (!okno) return;
    switch (slot) {
        case StrHostInfo:
            if (nastaveniHostInfo) nastaveniHostInfo->minimalizace = DataVybranePolozky(okno, IDC_HOST_INFO_MINIMALIZACE);
            break;
        case StrSonvidar:
            if (nastaveniSonvidar) nastaveniSonvidar->zjistovatInstalaciWME = JeZaskrtnuto(okno, IDC_SONVIDAR_ZJISTOVAT_WME);
            break;
        case StrPoznamky:
            if (nastaveniPoznamky) nastaveniPoznamky->ikonaLeve = DataVybranePolozky(okno, IDC_POZNAMKY_IKONA_LEVE);
            break;
        case StrRozsireniOken:
            if (nastaveniRozsireniOken) {
                nastaveniRozsireniOken->informovatPoSkryti = JeZaskrtnuto(okno, IDC_ROZSIRENI_INFORMOVAT);
                nastaveniRozsireniOken->procentoPruhlednosti =
                    static_cast<DWORD>(::SendDlgItemMessageW(okno, IDC_ROZSIRENI_PRUHLEDNOST, TBM_GETPOS, 0, 0));
            }
            break;
        default: break;
    }
}

bool DlgNastaveni::Pouzit() {
    const unsigned chybPred = PocetHlasenychChybNastaveni();
    bool vse = true;
    // 1. The created pages store their controls, the general page first; one that fails says
    // so, the others still store.
    for (size_t slot : poradiUlozeni) {
        if (!m_stranky[slot]) continue;
        try {
            m_stranky[slot]->Ulozit();
            UlozitStrankyOknem(slot);
        } catch (const knihovna::Chyba& chyba) {
            vse = false;
            if (chyba.Hresult() == HRESULT_FROM_WIN32(ERROR_CANCELLED)) continue;  // the page has told why
            for (const RadekStranky& r : tabulkaStranek)
                if (r.slot == slot) {
                    HlasitChybuStranky(IDS_STRANKU_NELZE_ULOZIT, r, chyba);
                    break;
                }
        }
    }
    // 2-3. The general settings.
    aplikace.nastaveni.rozbalitSeznamNastaveni = JeZaskrtnuto(m_hWnd, IDC_NASTAVENI_ROZBALIT);
    UlozitNastaveniObecne(aplikace);
    // 4. Every settings object, whether its pages were opened or not; the launcher's is saved by
    // its own page.
    UlozitObjekt(nastaveniCteckaRSS);
    UlozitObjekt(nastaveniHodiny);
    UlozitObjekt(nastaveniHostInfo);
    UlozitObjekt(nastaveniKontakty);
    UlozitObjekt(nastaveniSonvidar);
    UlozitObjekt(nastaveniObrazovka);
    UlozitObjekt(nastaveniOdesilatelEmailu);
    UlozitObjekt(nastaveniOvladaniCD);
    UlozitObjekt(nastaveniPocasi);
    UlozitObjekt(nastaveniPoznamky);
    UlozitObjekt(nastaveniRozsireniOken);
    UlozitObjekt(nastaveniSeznamRegistraci);
    UlozitObjekt(nastaveniSchranka);
    UlozitObjekt(nastaveniSledovaniPameti);
    UlozitObjekt(nastaveniSledovaniProcesu);
    UlozitObjekt(nastaveniStopky);
    // 5. Each failed save has shown its message; Apply stays enabled for another try.
    if (PocetHlasenychChybNastaveni() != chybPred) vse = false;
    ::EnableWindow(m_pouzit, vse ? FALSE : TRUE);
    return vse;
}

LRESULT DlgNastaveni::RozbalitVse() {
    const bool rozbalit = JeZaskrtnuto(m_hWnd, IDC_NASTAVENI_ROZBALIT);
    if (!::IsWindow(m_strom)) VyhoditChybu(E_HANDLE);
    RozbalitPolozkyStromu(m_strom, TreeView_GetRoot(m_strom), rozbalit);
    ::EnableWindow(m_pouzit, TRUE);
    return 0;
}

void DlgNastaveni::Zavrit(int tlacitko) {
    if (tlacitko == IDOK && !Pouzit()) return;  // what failed was shown; nothing is lost
    UlozitPolohu(NazevPolohy().c_str());
    Ukoncit(tlacitko);
}

LRESULT DlgNastaveni::OnStrankaZmenena(UINT, WPARAM, LPARAM, BOOL&) {
    ::EnableWindow(m_pouzit, TRUE);
    return 0;
}

LRESULT DlgNastaveni::OnObnovitStrom(UINT, WPARAM, LPARAM, BOOL&) {
    VytvoritStrom(m_aktualniStranka);
    return 0;
}

LRESULT DlgNastaveni::OnOk(WORD, WORD, HWND, BOOL&) {
    Zavrit(IDOK);
    return 0;
}

LRESULT DlgNastaveni::OnStorno(WORD, WORD, HWND, BOOL&) {
    Zavrit(IDCANCEL);
    return 0;
}

LRESULT DlgNastaveni::OnPouzit(WORD, WORD, HWND, BOOL&) {
    Pouzit();
    return 0;
}

LRESULT DlgNastaveni::OnRozbalitVse(WORD, WORD, HWND, BOOL&) { return RozbalitVse(); }
