#include "multimedia/dlgnastavzaznamu.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "multimedia/ovladaczaznamu.h"
#include "resources/resource.h"

using knihovna::PridatPolozkuCombo;
using knihovna::PridatPolozkuComboId;

bool (*vyprazdnitSlozkuZaznamu)(const std::wstring& slozka) = nullptr;

namespace {

constexpr int IDC_SLOZKA = 1031;
constexpr int OBRAZEK_SLOZKY = 54;  // the folder glyph of every folder edit
constexpr int IDC_ODKAZ_SLOZKA = 1032;
constexpr int IDC_SOUBOR = 1106;
constexpr int IDC_POCET = 1110;
constexpr int IDC_PREHRAT_ZAZNAM = 1188;
constexpr int IDC_ZASTAVIT_PRI_UKONCENI = 1189;
const wchar_t* const STRANKA_KODERU = L"https://www.microsoft.com/windows/windowsmedia/cs/9series/encoder/default.aspx";

KonfiguraceSonvidar& GlobalniNastaveni() {
    if (!nastaveniSonvidar) knihovna::VyhoditChybu(E_HANDLE);
    return *nastaveniSonvidar;
}

std::wstring TextPrvku(HWND stranka, int id) {
    HWND h = ::GetDlgItem(stranka, id);
    if (!h) knihovna::VyhoditChybu(E_HANDLE);
    const int delka = ::GetWindowTextLengthW(h);
    std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(h, &text[0], delka + 1)));
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

KonfiguraceSonvidar& DlgNastavSonvidar::Nastaveni() { return nastaveni ? *nastaveni : GlobalniNastaveni(); }

LRESULT DlgNastavSonvidar::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguraceSonvidar& n = Nastaveni();
    m_akce.comboKliknuti = Polozka(IDC_AKCE_KLIKNUTI_KLIK);
    m_akce.comboAkce = Polozka(IDC_AKCE_KLIKNUTI_AKCE);
    if (!m_akce.comboAkce || !m_akce.comboKliknuti) knihovna::VyhoditChybu(E_INVALIDARG);
    const struct {
        const wchar_t* text;
        DWORD* pole;
    } kliknuti[] = {
        {L"Levé tlačítko", &n.ikonaLeve},
        {L"<Ctrl> + levé tlačítko", &n.ikonaCtrlLeve},
        {L"<Shift> + levé tlačítko", &n.ikonaShiftLeve},
        {L"<Ctrl>+<Shift> + levé tlačítko", &n.ikonaCtrlShiftLeve},
        {L"Střední tlačítko", &n.ikonaStredni},
    };
    for (const auto& k : kliknuti) PridatPolozkuCombo(m_akce.comboKliknuti, k.text, reinterpret_cast<LPARAM>(k.pole));
    if (::SendMessageW(m_akce.comboKliknuti, CB_SETCURSEL, 0, 0) == CB_ERR) knihovna::VyhoditChybu(E_INVALIDARG);
    PridatPolozkuCombo(m_akce.comboAkce, L"Zobrazit nabídku", 0);
    PridatPolozkuComboId(m_akce.comboAkce, IDS_ZAZNAM_ZVUKU_WMA, 1);
    PridatPolozkuComboId(m_akce.comboAkce, IDS_ZAZNAM_VIDEA_WMV, 2);
    PridatPolozkuCombo(m_akce.comboAkce, L"Spustit konfiguraci záznamu zvuku", 10);
    PridatPolozkuCombo(m_akce.comboAkce, L"Spustit konfiguraci záznamu videa", 11);
    ::CheckDlgButton(m_hWnd, 1186, n.zjistovatInstalaciWME ? BST_CHECKED : BST_UNCHECKED);
    m_stahnout.Pripojit(Polozka(1187));
    m_stahnout.prikaz = 0;  // the page handles the click itself
    ZobrazitAkciKliknuti(m_akce);
    return TRUE;
}

LRESULT DlgNastavSonvidar::OnVyberKliknuti(WORD, WORD, HWND, BOOL&) { return ZobrazitAkciKliknuti(m_akce); }

LRESULT DlgNastavSonvidar::OnVyberAkce(WORD, WORD, HWND, BOOL& zpracovano) {
    return ZmenitAkciKliknuti(m_akce, m_hWnd, zpracovano);
}

LRESULT DlgNastavSonvidar::OnStahnoutKoder(WORD kod, WORD, HWND, BOOL&) {
    if (kod != STN_CLICKED) return 0;
    try {
        HINSTANCE h = knihovna::spustitShell(nullptr, L"open", STRANKA_KODERU, nullptr, nullptr, SW_SHOWMAXIMIZED);
        if (reinterpret_cast<INT_PTR>(h) <= 32) knihovna::VyhoditPosledniChybu();
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

void StrankaZaznamu::Zahajit(HWND stranka, const NastaveniZaznamu& z, int odkazNastaveni, int odkazVymazat,
                             UINT tipVymazat) {
    const std::wstring slozka = z.slozka;
    m_tip.Vytvorit(stranka);
    m_slozka.Pripojit(::GetDlgItem(stranka, IDC_SLOZKA), slozka.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_SLOZKY);
    m_odkazSlozka.Pripojit(::GetDlgItem(stranka, IDC_ODKAZ_SLOZKA), slozka.c_str());
    ::SetDlgItemTextW(stranka, IDC_SOUBOR, std::wstring(z.soubor).c_str());
    m_pocet.Pripojit(::GetDlgItem(stranka, IDC_POCET), z.maxPocetSouboru, 1, 10000);
    m_tip.PridatNastroj(m_pocet.m_hWnd, m_pocet.TextRozsahu().c_str());
    ::CheckDlgButton(stranka, IDC_PREHRAT_ZAZNAM, z.prehrat ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(stranka, IDC_ZASTAVIT_PRI_UKONCENI, z.zastavitPriUkonceni ? BST_CHECKED : BST_UNCHECKED);
    m_nastaveni.Pripojit(::GetDlgItem(stranka, odkazNastaveni));
    m_nastaveni.prikaz = 0;
    m_vymazat.Pripojit(::GetDlgItem(stranka, odkazVymazat));
    m_vymazat.prikaz = 0;
    m_tip.PridatNastrojId(m_vymazat.m_hWnd, tipVymazat);
}

bool JePlatnySouborZaznamu(const std::wstring& soubor) { return !soubor.empty() && !knihovna::MaZakazanyZnakNazvu(soubor); }

bool JePlatnaSlozkaZaznamu(const std::wstring& slozka) {
    for (size_t i = 0; i < slozka.size(); ++i) {
        const wchar_t z = slozka[i];
        if (z < 32 || wcschr(L"*?\"<>|", z)) return false;
        if (z == L':' && i != 1) return false;  // only after the drive letter
    }
    return true;
}

// A name Sonvidar's command line could not carry is refused with the page's message; the other
// values are taken and the refused one keeps its stored value.
void StrankaZaznamu::Ulozit(HWND stranka, NastaveniZaznamu& z) {
    const std::wstring slozka = TextPrvku(stranka, IDC_SLOZKA);
    const std::wstring soubor = TextPrvku(stranka, IDC_SOUBOR);
    unsigned pocet = 0;
    if (m_pocet.NacistHodnotu(&pocet) == 0) z.maxPocetSouboru = pocet;  // out of range: unchanged
    z.prehrat = ::IsDlgButtonChecked(stranka, IDC_PREHRAT_ZAZNAM) == BST_CHECKED;
    z.zastavitPriUkonceni = ::IsDlgButtonChecked(stranka, IDC_ZASTAVIT_PRI_UKONCENI) == BST_CHECKED;
    std::wstring odmitnuto;
    if (JePlatnaSlozkaZaznamu(slozka))
        z.slozka = slozka;
    else
        odmitnuto = knihovna::Formatovat(knihovna::Retezec(IDS_NEPLATNA_SLOZKA_ZAZNAMU).c_str(), slozka.c_str(),
                                         z.slozka.Text().c_str());
    if (JePlatnySouborZaznamu(soubor)) {
        z.soubor = soubor;
    } else {
        if (!odmitnuto.empty()) odmitnuto += L"\n\n";
        odmitnuto += knihovna::Formatovat(knihovna::Retezec(IDS_NEPLATNY_SOUBOR_ZAZNAMU).c_str(), soubor.c_str(),
                                          z.soubor.Text().c_str());
    }
    if (odmitnuto.empty()) return;
    aplikace.ZobrazitZpravu(odmitnuto, MB_ICONWARNING);
    knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_CANCELLED));
}

void StrankaZaznamu::VymazatSlozku(HWND stranka) {
    const std::wstring slozka = TextPrvku(stranka, IDC_SLOZKA);  // the typed folder, not the stored one
    if (vyprazdnitSlozkuZaznamu) vyprazdnitSlozkuZaznamu(slozka);
}

// ---------------------------------------------------------------------------------------------

NastaveniZaznamu& DlgNastavZaznamZvukuWma::Zaznam() { return nastaveni ? *nastaveni : GlobalniNastaveni().zvuk; }

LRESULT DlgNastavZaznamZvukuWma::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    Zahajit(m_hWnd, Zaznam(), 1190, 1192, IDS_SMAZAT_ZAZNAMY_ZVUKU);
    return TRUE;
}

void DlgNastavZaznamZvukuWma::Ulozit() { StrankaZaznamu::Ulozit(m_hWnd, Zaznam()); }

LRESULT DlgNastavZaznamZvukuWma::OnNastaveniSonvidaru(WORD kod, WORD, HWND, BOOL&) {
    if (kod == STN_CLICKED && modulSonvidar) modulSonvidar->NastaveniZaznamuZvuku();
    return 0;
}

LRESULT DlgNastavZaznamZvukuWma::OnVymazat(WORD kod, WORD, HWND, BOOL&) {
    if (kod == STN_CLICKED) VymazatSlozku(m_hWnd);
    return 0;
}

NastaveniZaznamu& DlgNastavZaznamVideaWmv::Zaznam() { return nastaveni ? *nastaveni : GlobalniNastaveni().video; }

LRESULT DlgNastavZaznamVideaWmv::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    Zahajit(m_hWnd, Zaznam(), 1191, 1193, IDS_SMAZAT_ZAZNAMY_VIDEA);
    return TRUE;
}

void DlgNastavZaznamVideaWmv::Ulozit() { StrankaZaznamu::Ulozit(m_hWnd, Zaznam()); }

LRESULT DlgNastavZaznamVideaWmv::OnNastaveniSonvidaru(WORD kod, WORD, HWND, BOOL&) {
    if (kod == STN_CLICKED && modulSonvidar) modulSonvidar->NastaveniZaznamuVidea();
    return 0;
}

LRESULT DlgNastavZaznamVideaWmv::OnVymazat(WORD kod, WORD, HWND, BOOL&) {
    if (kod == STN_CLICKED) VymazatSlozku(m_hWnd);
    return 0;
}
