#include "core/strankyaplikace.h"

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

// ---------------------------------------------------------------------------------------------
// Shared page handlers

LRESULT OznamitZmenuNastaveni(HWND stranka, BOOL& zpracovano) {
    zpracovano = FALSE;
    ::PostMessageW(::GetParent(stranka), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

LRESULT ZobrazitAkciKliknuti(StrankaAkciKliknuti& stranka) {
    LRESULT klik = ::SendMessageW(stranka.comboKliknuti, CB_GETCURSEL, 0, 0);
    if (klik == CB_ERR) return 0;
    auto pole = reinterpret_cast<DWORD*>(::SendMessageW(stranka.comboKliknuti, CB_GETITEMDATA,
                                                        static_cast<WPARAM>(klik), 0));
    if (!pole || pole == reinterpret_cast<DWORD*>(CB_ERR)) return 0;
    const DWORD akce = *pole;
    if (akce == static_cast<DWORD>(-1)) return 0;
    const LRESULT pocet = ::SendMessageW(stranka.comboAkce, CB_GETCOUNT, 0, 0);
    LRESULT nalezena = -1;
    for (LRESULT i = 0; i < pocet; ++i) {
        if (static_cast<DWORD>(::SendMessageW(stranka.comboAkce, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == akce) {
            nalezena = i;
            break;
        }
    }
    LRESULT vysledek = ::SendMessageW(stranka.comboAkce, CB_SETCURSEL, static_cast<WPARAM>(nalezena), 0);
    if (nalezena >= 0 && vysledek == CB_ERR) VyhoditChybu(E_INVALIDARG);
    return 0;
}

LRESULT ZmenitAkciKliknuti(StrankaAkciKliknuti& stranka, HWND okno, BOOL& zpracovano) {
    zpracovano = FALSE;
    LRESULT akce = ::SendMessageW(stranka.comboAkce, CB_GETCURSEL, 0, 0);
    LRESULT klik = ::SendMessageW(stranka.comboKliknuti, CB_GETCURSEL, 0, 0);
    if (akce == CB_ERR || klik == CB_ERR) return 0;
    auto pole = reinterpret_cast<DWORD*>(::SendMessageW(stranka.comboKliknuti, CB_GETITEMDATA,
                                                        static_cast<WPARAM>(klik), 0));
    if (!pole || pole == reinterpret_cast<DWORD*>(CB_ERR)) return 0;
    *pole = static_cast<DWORD>(::SendMessageW(stranka.comboAkce, CB_GETITEMDATA, static_cast<WPARAM>(akce), 0));
    ::PostMessageW(::GetParent(okno), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

std::wstring SestavitTextZTabulky(UINT idNazvu, UINT idFormatu) {
    std::wstring nazev, format;
    if (!knihovna::NacistRetezec(idNazvu, nazev) || !knihovna::NacistRetezec(idFormatu, format))
        VyhoditPosledniChybu();
    return Formatovat(format.c_str(), nazev.c_str());
}

// ---------------------------------------------------------------------------------------------

namespace {

std::wstring TextRadku(const RadekSeznamuVoleb& radek) {
    if (radek.text) return radek.text;
    if (radek.idFormatu) return SestavitTextZTabulky(radek.idNazvu, radek.idFormatu);
    std::wstring text;
    if (!knihovna::NacistRetezec(radek.idNazvu, text)) VyhoditPosledniChybu();
    return text;
}

void NaplnitSeznam(knihovna::CheckListView& seznam, HWND ovladac, const std::vector<RadekSeznamuVoleb>& radky) {
    if (!ovladac) VyhoditChybu(E_INVALIDARG);
    seznam.Pripojit(ovladac);
    int pozice = 0;
    for (const RadekSeznamuVoleb& radek : radky) {
        int index = seznam.PridatPolozku(TextRadku(radek).c_str(), pozice++, static_cast<LPARAM>(radek.prikaz));
        seznam.NastavitZaskrtnuti(index, *radek.hodnota);
    }
}

void UlozitSeznam(const knihovna::CheckListView& seznam, const std::vector<RadekSeznamuVoleb>& radky) {
    for (const RadekSeznamuVoleb& radek : radky) *radek.hodnota = seznam.JeZaskrtnuta(static_cast<LPARAM>(radek.prikaz));
}

}  // namespace

std::vector<RadekSeznamuVoleb> RadkyPoSpusteni() {
    PoSpusteni& p = aplikace.nastaveni.poSpusteni;
    const UINT modul = IDS_FORMAT_SPUSTIT_MODUL, nastroj = IDS_FORMAT_SPUSTIT_NASTROJ,
               ikona = IDS_FORMAT_OVLADACI_IKONA;
    return {
        {modul, IDS_NAZEV_SLEDOVANI_PAMETI, nullptr, 40092, &p.sledovaniPameti},
        {modul, IDS_NAZEV_SLEDOVANI_PROCESU, nullptr, 40112, &p.sledovaniProcesu},
        {modul, IDS_NAZEV_ROZSIRENI_OKEN, nullptr, 40098, &p.rozsireniOken},
        {ikona, IDS_NAZEV_SPOUSTENI_APLIKACI, nullptr, 40006, &p.ikonaSpousteniAplikaci},
        {ikona, IDS_NAZEV_SCHRANKA, nullptr, 40011, &p.ikonaSchranka},
        {ikona, IDS_NAZEV_OBRAZOVKA, nullptr, 40015, &p.ikonaObrazovka},
        {ikona, IDS_NAZEV_POZNAMKY, nullptr, 40012, &p.ikonaPoznamky},
        {ikona, IDS_NAZEV_POZNAMKY_TEXTOVE, nullptr, 40013, &p.ikonaPoznamkyTextove},
        {ikona, IDS_NAZEV_POZNAMKY_ZVUKOVE, nullptr, 40014, &p.ikonaPoznamkyZvukove},
        {ikona, IDS_NAZEV_POCASI, nullptr, 40016, &p.ikonaPocasi},
        {nastroj, IDS_NAZEV_POCASI_ALADIN, nullptr, 40219, &p.pocasiAladin},
        {nastroj, IDS_NAZEV_POCASI_PREDPOVED, nullptr, 40218, &p.pocasiPredpovedText},
        {nastroj, IDS_NAZEV_POCASI_DRUZICE, nullptr, 40220, &p.pocasiSnimekDruzice},
        {0, 0, L"Zobrazit ovládací ikony CD/DVD mechanik", 40140, &p.ovladaniCD},
        {modul, IDS_NAZEV_STOPKY, nullptr, 40158, &p.stopky},
        {modul, IDS_NAZEV_HODINY, nullptr, 40184, &p.hodiny},
        {modul, IDS_NAZEV_SEZNAM_REGISTRACI, nullptr, 40165, &p.seznamRegistraci},
        {modul, IDS_NAZEV_KONTAKTY, nullptr, 40179, &p.kontakty},
        {modul, IDS_NAZEV_CTECKA_RSS, nullptr, 40004, &p.cteckaRSS},
        {modul, IDS_NAZEV_HOST_INFO, nullptr, 40202, &p.hostInfo},
        {ikona, IDS_NAZEV_SONVIDAR, nullptr, 40017, &p.ikonaSonvidar},
    };
}

std::vector<RadekSeznamuVoleb> RadkyPolozekMenu() {
    PolozkyMenu& m = aplikace.nastaveni.polozkyMenu;
    return {
        {0, IDS_NAZEV_OBRAZOVKA, nullptr, 40131, &m.obrazovka},
        {0, IDS_NAZEV_OVLADANI_CD, nullptr, 40140, &m.ovladaniCD},
        {0, IDS_NAZEV_POZNAMKY, nullptr, 40089, &m.poznamky},
        {0, IDS_NAZEV_ROZSIRENI_OKEN, nullptr, 40098, &m.rozsireniOken},
        {0, 0, L"RSS čtečka", 40004, &m.rssCtecka},
        {0, IDS_NAZEV_SCHRANKA, nullptr, 40058, &m.schranka},
        {0, IDS_NAZEV_SEZNAM_REGISTRACI, nullptr, 40165, &m.seznamRegistraci},
        {0, IDS_NAZEV_KONTAKTY, nullptr, 40179, &m.kontakty},
        {0, IDS_NAZEV_SLEDOVANI_PAMETI, nullptr, 40092, &m.sledovaniPameti},
        {0, IDS_NAZEV_SLEDOVANI_PROCESU, nullptr, 40112, &m.sledovaniProcesu},
        {0, IDS_NAZEV_STOPKY, nullptr, 40158, &m.stopky},
        {0, IDS_NAZEV_HODINY, nullptr, 40184, &m.hodiny},
        {0, IDS_NAZEV_SPOUSTENI_APLIKACI, nullptr, 40005, &m.spousteniAplikaci},
        {0, IDS_NAZEV_HOST_INFO, nullptr, 40202, &m.hostInfo},
        {0, IDS_NAZEV_SIT_LAN_INFO, nullptr, 40224, &m.sitLanInfo},
        {0, IDS_NAZEV_SONVIDAR, nullptr, 40167, &m.sonvidar},
    };
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavObecne::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    ::CheckDlgButton(m_hWnd, IDC_OBECNE_VZHLED, aplikace.nastaveni.vlastniVzhled ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_OBECNE_ZVUK, aplikace.nastaveni.zvuk ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

LRESULT DlgNastavObecne::OnVzhled(WORD, WORD, HWND, BOOL&) {
    zmenaVzhledu = true;
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

void DlgNastavObecne::Ulozit() {
    aplikace.nastaveni.vlastniVzhled = ::IsDlgButtonChecked(m_hWnd, IDC_OBECNE_VZHLED) == BST_CHECKED;
    aplikace.nastaveni.zvuk = ::IsDlgButtonChecked(m_hWnd, IDC_OBECNE_ZVUK) == BST_CHECKED;
    if (zmenaVzhledu) {
        ::PostMessageW(::GetParent(m_hWnd), ZpravaObnovitStromNastaveni, 0, 0);
        zmenaVzhledu = false;
    }
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPoSpusteni::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    NaplnitSeznam(seznam, Polozka(IDC_PO_SPUSTENI_SEZNAM), RadkyPoSpusteni());
    return TRUE;
}

LRESULT DlgNastavPoSpusteni::OnKliknuti(int, NMHDR*, BOOL&) {
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

void DlgNastavPoSpusteni::Ulozit() { UlozitSeznam(seznam, RadkyPoSpusteni()); }

LRESULT DlgNastavPolozkyMenuHlavni::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    NaplnitSeznam(seznam, Polozka(IDC_POLOZKY_MENU_SEZNAM), RadkyPolozekMenu());
    return TRUE;
}

LRESULT DlgNastavPolozkyMenuHlavni::OnKliknuti(int, NMHDR*, BOOL&) {
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

void DlgNastavPolozkyMenuHlavni::Ulozit() { UlozitSeznam(seznam, RadkyPolozekMenu()); }
