#include "notes/strankypoznamky.h"

#include <commdlg.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"

using knihovna::Overit;

namespace {

constexpr int OBRAZEK_SLOZKY = 54;
constexpr DWORD NAVRCHU = 0x4;
constexpr DWORD BEZ_TITULKU = 0x10;
constexpr DWORD TAZENI = 0x10000;
constexpr DWORD STAVOVY_RADEK = 0x20000;

const UINT akceObecne[] = {40074, 40059, 40060, 40061, 40062};
const UINT akceTextove[] = {40074, 40059, 40061};
const UINT akceZvukove[] = {40074, 40060, 40062};

void Zaskrtnout(HWND stranka, int id, bool zapnuto) {
    ::CheckDlgButton(stranka, id, zapnuto ? BST_CHECKED : BST_UNCHECKED);
}

bool Zaskrtnuto(HWND stranka, int id) { return ::IsDlgButtonChecked(stranka, id) == BST_CHECKED; }

// A check box click reports the change of the page; other notifications go on.
LRESULT OznamitZaskrtnuti(HWND stranka, WORD kod, BOOL& zpracovano) {
    if (kod == BN_CLICKED) return OznamitZmenuNastaveni(stranka, zpracovano);
    zpracovano = FALSE;
    return 0;
}

KonfiguracePoznamky& Nastaveni() {
    if (!nastaveniPoznamky) knihovna::VyhoditChybu(E_HANDLE);
    return *nastaveniPoznamky;
}

}  // namespace

void NaplnitComboAkce(HWND combo, const UINT* prikazy, size_t pocet, DWORD hodnota) {
    if (!::IsWindow(combo)) knihovna::VyhoditChybu(E_HANDLE);
    int vybrana = 0;
    for (size_t i = 0; i < pocet; ++i) {
        const int index = knihovna::PridatPolozkuComboId(combo, prikazy[i], prikazy[i]);
        if (prikazy[i] == hodnota) vybrana = index;
    }
    if (::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(vybrana), 0) == CB_ERR) knihovna::VyhoditChybu(E_INVALIDARG);
}

void NaplnitComboTrideni(HWND combo, DWORD hodnota) {
    if (!::IsWindow(combo)) knihovna::VyhoditChybu(E_HANDLE);
    const int podleNazvu = knihovna::PridatPolozkuComboId(combo, 40181, 1);
    const int podleCasu = knihovna::PridatPolozkuComboId(combo, 40182, 2);
    if (hodnota == 1) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(podleNazvu), 0);
    if (hodnota == 2) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(podleCasu), 0);
}

DWORD DataVybraneho(HWND combo) {
    if (!::IsWindow(combo)) knihovna::VyhoditChybu(E_HANDLE);
    return static_cast<DWORD>(knihovna::ComboBox(combo).NacistDataVybranePolozky());
}

void NastavitBit(DWORD& priznaky, DWORD bit, bool zapnuto) {
    if (zapnuto)
        priznaky |= bit;
    else
        priznaky &= ~bit;
}

void VytvoritSlozkuPoznamek(const std::wstring& slozka) {
    if (!::PathFileExistsW(slozka.c_str())) Overit(::CreateDirectoryW(slozka.c_str(), nullptr) != 0);
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPoznamky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    NaplnitComboAkce(Polozka(IDC_POZNAMKY_AKCE), akceObecne, sizeof(akceObecne) / sizeof(akceObecne[0]),
                     Nastaveni().ikonaLeve);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPoznamkyTextove::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguracePoznamky& n = Nastaveni();
    const std::wstring slozka = n.textove.slozka.Text();
    editSlozka.Pripojit(Polozka(IDC_POZNAMKY_SLOZKA), slozka.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_SLOZKY);
    NaplnitComboAkce(Polozka(IDC_POZNAMKY_AKCE), akceTextove, sizeof(akceTextove) / sizeof(akceTextove[0]),
                     n.textove.ikonaLeve);
    NaplnitComboTrideni(Polozka(IDC_POZNAMKY_TRIDENI), n.textove.trideni);
    const DWORD poznamka = n.textove.oknoPoznamka, seznam = n.textove.oknoSeznam;
    Zaskrtnout(m_hWnd, IDC_POZNAMKA_NAVRCHU, poznamka & NAVRCHU);
    Zaskrtnout(m_hWnd, IDC_POZNAMKA_BEZ_TITULKU, poznamka & BEZ_TITULKU);
    Zaskrtnout(m_hWnd, IDC_POZNAMKA_STAVOVY_RADEK, poznamka & STAVOVY_RADEK);
    Zaskrtnout(m_hWnd, IDC_POZNAMKA_TAZENI, poznamka & TAZENI);
    Zaskrtnout(m_hWnd, IDC_SEZNAM_NAVRCHU, seznam & NAVRCHU);
    Zaskrtnout(m_hWnd, IDC_SEZNAM_BEZ_TITULKU, seznam & BEZ_TITULKU);
    Zaskrtnout(m_hWnd, IDC_SEZNAM_TAZENI, seznam & TAZENI);
    odkazPismo.Pripojit(Polozka(IDC_POZNAMKY_PISMO));
    odkazPismo.prikaz = PRIKAZ_VYBRAT_PISMO;
    odkazSlozka.Pripojit(Polozka(IDC_POZNAMKY_ODKAZ_SLOZKA), slozka.c_str());
    tooltip.Vytvorit(m_hWnd);
    tooltip.PridatNastrojId(Polozka(IDC_POZNAMKY_PISMO), IDS_TIP_PISMO);
    tooltip.PridatNastrojId(Polozka(IDC_POZNAMKY_ODKAZ_SLOZKA), IDS_TIP_OTEVRIT_SLOZKU);
    return TRUE;
}

LRESULT DlgNastavPoznamkyTextove::OnZaskrtnuti(WORD kod, WORD, HWND, BOOL& zpracovano) {
    return OznamitZaskrtnuti(m_hWnd, kod, zpracovano);
}

LRESULT DlgNastavPoznamkyTextove::OnVybratPismo(WORD, WORD, HWND, BOOL&) {
    VybratPismo();
    return 0;
}

void DlgNastavPoznamkyTextove::VybratPismo() {
    KonfiguracePoznamky& n = Nastaveni();
    LOGFONTW pismo = n.pismo;
    CHOOSEFONTW volba{};
    volba.lStructSize = sizeof(volba);
    volba.hwndOwner = m_hWnd;
    volba.lpLogFont = &pismo;
    volba.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!::ChooseFontW(&volba)) return;
    n.pismo = pismo;  // at once: Cancel of the settings window does not undo it
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
}

void DlgNastavPoznamkyTextove::Ulozit() {
    KonfiguracePoznamky& n = Nastaveni();
    std::wstring slozka;
    knihovna::NacistTextPrvku(m_hWnd, IDC_POZNAMKY_SLOZKA, slozka);
    n.textove.slozka = slozka;
    VytvoritSlozkuPoznamek(slozka);
    n.textove.ikonaLeve = DataVybraneho(Polozka(IDC_POZNAMKY_AKCE));
    n.textove.trideni = DataVybraneho(Polozka(IDC_POZNAMKY_TRIDENI));
    NastavitBit(n.textove.oknoPoznamka, NAVRCHU, Zaskrtnuto(m_hWnd, IDC_POZNAMKA_NAVRCHU));
    NastavitBit(n.textove.oknoPoznamka, BEZ_TITULKU, Zaskrtnuto(m_hWnd, IDC_POZNAMKA_BEZ_TITULKU));
    NastavitBit(n.textove.oknoPoznamka, STAVOVY_RADEK, Zaskrtnuto(m_hWnd, IDC_POZNAMKA_STAVOVY_RADEK));
    NastavitBit(n.textove.oknoPoznamka, TAZENI, Zaskrtnuto(m_hWnd, IDC_POZNAMKA_TAZENI));
    NastavitBit(n.textove.oknoSeznam, NAVRCHU, Zaskrtnuto(m_hWnd, IDC_SEZNAM_NAVRCHU));
    NastavitBit(n.textove.oknoSeznam, BEZ_TITULKU, Zaskrtnuto(m_hWnd, IDC_SEZNAM_BEZ_TITULKU));
    NastavitBit(n.textove.oknoSeznam, TAZENI, Zaskrtnuto(m_hWnd, IDC_SEZNAM_TAZENI));
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPoznamkyZvukove::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguracePoznamky& n = Nastaveni();
    const std::wstring slozka = n.zvukove.slozka.Text();
    editSlozka.Pripojit(Polozka(IDC_POZNAMKY_SLOZKA), slozka.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_SLOZKY);
    NaplnitComboAkce(Polozka(IDC_POZNAMKY_AKCE), akceZvukove, sizeof(akceZvukove) / sizeof(akceZvukove[0]),
                     n.zvukove.ikonaLeve);
    NaplnitComboTrideni(Polozka(IDC_POZNAMKY_TRIDENI), n.zvukove.trideni);
    const DWORD seznam = n.zvukove.oknoSeznam;
    Zaskrtnout(m_hWnd, IDC_SEZNAM_NAVRCHU, seznam & NAVRCHU);
    Zaskrtnout(m_hWnd, IDC_SEZNAM_BEZ_TITULKU, seznam & BEZ_TITULKU);
    Zaskrtnout(m_hWnd, IDC_SEZNAM_TAZENI, seznam & TAZENI);
    Zaskrtnout(m_hWnd, IDC_POZNAMKY_PREPNOUT_OVLADAC, n.zvukove.prepnoutOvladac);

    HWND linky = Polozka(IDC_POZNAMKY_LINKA);
    if (!::IsWindow(linky)) knihovna::VyhoditChybu(E_HANDLE);
    if (aplikace.mixer) {
        const std::wstring ulozena = n.zvukove.ovladacHlasitosti.Text();
        const std::vector<std::wstring>& nazvy = aplikace.mixer->Nazvy();
        int vybrana = -1;
        for (size_t i = 0; i < nazvy.size(); ++i) {
            const int index = knihovna::PridatPolozkuCombo(linky, nazvy[i].c_str(), static_cast<LPARAM>(i));
            if (::lstrcmpiW(nazvy[i].c_str(), ulozena.c_str()) == 0) vybrana = index;
        }
        if (vybrana >= 0 && ::SendMessageW(linky, CB_SETCURSEL, static_cast<WPARAM>(vybrana), 0) == CB_ERR)
            knihovna::VyhoditChybu(E_INVALIDARG);
    }
    odkazSlozka.Pripojit(Polozka(IDC_POZNAMKY_ODKAZ_SLOZKA), slozka.c_str());
    tooltip.Vytvorit(m_hWnd);
    tooltip.PridatNastrojId(Polozka(IDC_POZNAMKY_ODKAZ_SLOZKA), IDS_TIP_OTEVRIT_SLOZKU);
    return TRUE;
}

LRESULT DlgNastavPoznamkyZvukove::OnZaskrtnuti(WORD kod, WORD, HWND, BOOL& zpracovano) {
    return OznamitZaskrtnuti(m_hWnd, kod, zpracovano);
}

LRESULT DlgNastavPoznamkyZvukove::OnPrepnoutNyni(WORD, WORD, HWND, BOOL&) {
    PrepnoutNyni();
    return 0;
}

int DlgNastavPoznamkyZvukove::PrepnoutNyni() {
    HWND linky = Polozka(IDC_POZNAMKY_LINKA);
    if (!::IsWindow(linky)) knihovna::VyhoditChybu(E_HANDLE);
    std::wstring nazev;
    const LRESULT vyber = ::SendMessageW(linky, CB_GETCURSEL, 0, 0);
    if (vyber != CB_ERR) knihovna::ComboBox(linky).NacistTextPolozky(static_cast<int>(vyber), nazev);
    return VybratVstupniLinku(nazev, *mixer);
}

void DlgNastavPoznamkyZvukove::Ulozit() {
    KonfiguracePoznamky& n = Nastaveni();
    std::wstring slozka;
    knihovna::NacistTextPrvku(m_hWnd, IDC_POZNAMKY_SLOZKA, slozka);
    n.zvukove.slozka = slozka;
    VytvoritSlozkuPoznamek(slozka);
    n.zvukove.ikonaLeve = DataVybraneho(Polozka(IDC_POZNAMKY_AKCE));
    n.zvukove.trideni = DataVybraneho(Polozka(IDC_POZNAMKY_TRIDENI));
    NastavitBit(n.zvukove.oknoSeznam, NAVRCHU, Zaskrtnuto(m_hWnd, IDC_SEZNAM_NAVRCHU));
    NastavitBit(n.zvukove.oknoSeznam, BEZ_TITULKU, Zaskrtnuto(m_hWnd, IDC_SEZNAM_BEZ_TITULKU));
    NastavitBit(n.zvukove.oknoSeznam, TAZENI, Zaskrtnuto(m_hWnd, IDC_SEZNAM_TAZENI));
    n.zvukove.prepnoutOvladac = Zaskrtnuto(m_hWnd, IDC_POZNAMKY_PREPNOUT_OVLADAC);
    HWND linky = Polozka(IDC_POZNAMKY_LINKA);
    const LRESULT pocet = ::SendMessageW(linky, CB_GETCOUNT, 0, 0);
    const LRESULT vyber = ::SendMessageW(linky, CB_GETCURSEL, 0, 0);
    if (pocet > 0 && vyber != CB_ERR) {
        std::wstring nazev;
        knihovna::ComboBox(linky).NacistTextPolozky(static_cast<int>(vyber), nazev);
        n.zvukove.ovladacHlasitosti = nazev;
    }
}
