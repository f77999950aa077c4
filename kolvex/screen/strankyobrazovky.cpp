#include "screen/strankyobrazovky.h"

#include <algorithm>
#include <string>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "screen/rezimy.h"
#include "screen/slozkaopisu.h"
#include "screen/vypocty.h"

using knihovna::PridatPolozkuCombo;
using knihovna::PridatPolozkuComboId;

namespace {

constexpr int OBRAZEK_SLOZKY = 54;  // the folder glyph of every folder edit

// Selects the item with the data, else the first one.
void VybratPodleDat(HWND combo, LPARAM data) {
    const LRESULT pocet = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    LRESULT vybrana = 0;
    for (LRESULT i = 0; i < pocet; ++i)
        if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) {
            vybrana = i;
            break;
        }
    if (pocet > 0) ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(vybrana), 0);
}

LPARAM DataVyberu(HWND combo, LPARAM vychozi) {
    const LPARAM data = knihovna::ComboBox(combo).NacistDataVybranePolozky();
    return data == -1 ? vychozi : data;
}

bool Zaskrtnuto(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Zaskrtnout(HWND dialog, int id, bool ano) { ::CheckDlgButton(dialog, id, ano ? BST_CHECKED : BST_UNCHECKED); }

std::wstring TextPrvku(HWND dialog, int id) {
    std::wstring text;
    knihovna::NacistTextPrvku(dialog, id, text);
    return text;
}

// A numeric field into its value only when it holds a number in its range.
void NacistCislo(const knihovna::EditCislo& edit, DWORD& hodnota) {
    unsigned cislo = 0;
    if (edit.m_hWnd && edit.NacistHodnotu(&cislo) == 0) hodnota = cislo;
}

void NastavitPosuvnik(HWND dialog, int id, int minimum, int maximum, DWORD hodnota) {
    HWND posuvnik = ::GetDlgItem(dialog, id);
    ::SendMessageW(posuvnik, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
    const int poloha = std::min(std::max(static_cast<int>(std::min<DWORD>(hodnota, 100000)), minimum), maximum);
    ::SendMessageW(posuvnik, TBM_SETPOS, TRUE, poloha);
}

DWORD PolohaPosuvniku(HWND dialog, int id) {
    return static_cast<DWORD>(::SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

void PostNotify(HWND stranka) { ::PostMessageW(::GetParent(stranka), ZpravaStrankaZmenena, 0, 0); }

}  // namespace

void ZaregistrovatStrankyObrazovky() {
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_OBRAZOVKA, VytvoritStranku<DlgNastavObrazovka>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_OPIS_OBRAZOVKY, VytvoritStranku<DlgNastavOpisObrazovky>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_OPIS_EMAIL, VytvoritStranku<DlgNastavOpisObrazovkyEmail>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SBERAC_BARVY, VytvoritStranku<DlgNastavSberacBarvy>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_MERENI_OBRAZOVKY, VytvoritStranku<DlgNastavMereniObrazovky>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_REZIMY_OBRAZOVKY, VytvoritStranku<DlgNastavRezimyObrazovky>);
}

// ---------------------------------------------------------------------------------------------
// 156 "Obrazovka"

LRESULT DlgNastavObrazovka::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    comboKliknuti = Polozka(IDC_AKCE_KLIKNUTI_KLIK);
    comboAkce = Polozka(IDC_AKCE_KLIKNUTI_AKCE);
    if (!nastaveniObrazovka) return TRUE;
    KonfiguraceObrazovka& n = *nastaveniObrazovka;
    const struct {
        const wchar_t* text;
        DWORD* pole;
    } kliknuti[] = {
        {L"Levé tlačítko", &n.leve},
        {L"<Ctrl> + levé tlačítko", &n.ctrlLeve},
        {L"<Ctrl> + <Shift> + levé tlačítko", &n.ctrlShiftLeve},
        {L"<Shift> + levé tlačítko", &n.shiftLeve},
        {L"Střední tlačítko", &n.stredni},
        {L"<Ctrl> + střední tlačítko", &n.ctrlStredni},
        {L"<Shift> + střední tlačítko", &n.shiftStredni},
    };
    for (const auto& k : kliknuti) PridatPolozkuCombo(comboKliknuti, k.text, reinterpret_cast<LPARAM>(k.pole));
    for (UINT prikaz : {40074u, 40113u, 40116u, 40127u, 40128u, 40129u, 40117u, 40118u, 40119u, 40120u})
        PridatPolozkuComboId(comboAkce, prikaz, prikaz);
    ::SendMessageW(comboKliknuti, CB_SETCURSEL, 0, 0);
    ZobrazitAkciKliknuti(*this);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// 157 capture

LRESULT DlgNastavOpisObrazovky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniOpisu n = nastaveniObrazovka ? nastaveniObrazovka->opis : NastaveniOpisu();
    const std::wstring slozka = n.slozka.Text();
    tooltip.Vytvorit(m_hWnd);
    editSlozka.Pripojit(Polozka(IDC_OPIS_SLOZKA), slozka.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_SLOZKY);
    odkazSlozka.Pripojit(Polozka(IDC_OPIS_ODKAZ_SLOZKA), slozka.c_str());
    odkazVymazat.prikaz = IDC_OPIS_VYMAZAT;
    odkazVymazat.Pripojit(Polozka(IDC_OPIS_VYMAZAT));
    tooltip.PridatNastrojId(Polozka(IDC_OPIS_VYMAZAT), IDS_TIP_VYMAZAT_SLOZKU);
    ::SetDlgItemTextW(m_hWnd, IDC_OPIS_SOUBOR, n.soubor.Text().c_str());

    comboFormat.Pripojit(Polozka(IDC_OPIS_FORMAT));
    PridatPolozkuCombo(comboFormat, L"Formát JPEG (.jpg)", FORMAT_JPEG);
    PridatPolozkuCombo(comboFormat, L"Formát PNG (.png)", FORMAT_PNG);
    PridatPolozkuCombo(comboFormat, L"Bitmapa (.bmp)", FORMAT_BMP);
    PridatPolozkuCombo(comboFormat, L"Formát TIFF (.tiff)", FORMAT_TIFF);
    PridatPolozkuCombo(comboFormat, L"Formát GIF (.gif)", FORMAT_GIF);
    VybratPodleDat(comboFormat, static_cast<LPARAM>(n.format));

    NastavitPosuvnik(m_hWnd, IDC_OPIS_KVALITA, 1, 100, n.kvalitaJpeg);
    ::SetDlgItemInt(m_hWnd, IDC_OPIS_KVALITA_CISLO, PolohaPosuvniku(m_hWnd, IDC_OPIS_KVALITA), FALSE);

    Zaskrtnout(m_hWnd, IDC_OPIS_CISLOVAT, n.cislovat);
    editMaxPocet.Pripojit(Polozka(IDC_OPIS_MAX_POCET), n.maxPocetSouboru, 1, 10000);
    Zaskrtnout(m_hWnd, IDC_OPIS_SCHRANKA, n.kopirovatDoSchranky);
    Zaskrtnout(m_hWnd, IDC_OPIS_INFO, n.zobrazitInfo);
    Zaskrtnout(m_hWnd, IDC_OPIS_VYREZ_SOURADNICE, n.vyrezZobrazovatSouradnice);
    Zaskrtnout(m_hWnd, IDC_OPIS_VYREZ_PRVNI, n.vyrezUlozitPriPrvnim);

    HWND akce = Polozka(IDC_OPIS_AKCE);
    PridatPolozkuCombo(akce, L"Neprovádět žádnou operaci se souborem opisu", 0);
    PridatPolozkuCombo(akce, L"Zobrazit nabídku s volbou požadované akce", 99);
    PridatPolozkuComboId(akce, IDS_AKCE_OTEVRIT, 1);
    PridatPolozkuComboId(akce, IDS_AKCE_UPRAVIT, 2);
    PridatPolozkuComboId(akce, IDS_AKCE_VYTISKNOUT, 3);
    VybratPodleDat(akce, static_cast<LPARAM>(n.shellOtevrit));

    HWND zobrazeni = Polozka(IDC_OPIS_ZOBRAZENI);
    PridatPolozkuCombo(zobrazeni, L"V normálním okně", SW_SHOWNORMAL + 4);  // 5 = SW_SHOW
    PridatPolozkuCombo(zobrazeni, L"V maximalizovaném okně", SW_SHOWMAXIMIZED);
    PridatPolozkuCombo(zobrazeni, L"V minimalizovaném okně", SW_SHOWMINIMIZED);
    VybratPodleDat(zobrazeni, static_cast<LPARAM>(n.shellShowCmd));

    editZoomVyber.Pripojit(Polozka(IDC_OPIS_ZOOM_VYBER), n.zoomOpisVyber, 1, 16);
    editZoomOkna.Pripojit(Polozka(IDC_OPIS_ZOOM_OKNA), n.zoomOpisOkna, 1, 16);
    return TRUE;
}

LRESULT DlgNastavOpisObrazovky::OnHScroll(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetDlgItemInt(m_hWnd, IDC_OPIS_KVALITA_CISLO, PolohaPosuvniku(m_hWnd, IDC_OPIS_KVALITA), FALSE);
    PostNotify(m_hWnd);
    return 0;
}

LRESULT DlgNastavOpisObrazovky::OnZmenaSlozky(WORD, WORD, HWND, BOOL& zpracovano) {
    if (odkazSlozka.m_hWnd) odkazSlozka.NastavitSlozku(TextPrvku(m_hWnd, IDC_OPIS_SLOZKA).c_str());
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

LRESULT DlgNastavOpisObrazovky::OnVymazat(WORD, WORD, HWND, BOOL&) {
    VyprazdnitSlozkuSDotazem(TextPrvku(m_hWnd, IDC_OPIS_SLOZKA));
    return 0;
}

void DlgNastavOpisObrazovky::Ulozit() {
    if (!nastaveniObrazovka || !m_hWnd) return;
    NastaveniOpisu& n = nastaveniObrazovka->opis;
    n.kvalitaJpeg = PolohaPosuvniku(m_hWnd, IDC_OPIS_KVALITA);
    n.slozka = TextPrvku(m_hWnd, IDC_OPIS_SLOZKA);
    NacistCislo(editMaxPocet, n.maxPocetSouboru);
    NacistCislo(editZoomVyber, n.zoomOpisVyber);
    NacistCislo(editZoomOkna, n.zoomOpisOkna);
    const std::wstring soubor = TextPrvku(m_hWnd, IDC_OPIS_SOUBOR);
    const bool platnyNazev = !knihovna::MaZakazanyZnakNazvu(soubor);
    if (platnyNazev) n.soubor = soubor;
    n.cislovat = Zaskrtnuto(m_hWnd, IDC_OPIS_CISLOVAT);
    n.kopirovatDoSchranky = Zaskrtnuto(m_hWnd, IDC_OPIS_SCHRANKA);
    n.zobrazitInfo = Zaskrtnuto(m_hWnd, IDC_OPIS_INFO);
    n.vyrezZobrazovatSouradnice = Zaskrtnuto(m_hWnd, IDC_OPIS_VYREZ_SOURADNICE);
    n.vyrezUlozitPriPrvnim = Zaskrtnuto(m_hWnd, IDC_OPIS_VYREZ_PRVNI);
    n.format = static_cast<DWORD>(DataVyberu(comboFormat, FORMAT_JPEG));
    n.shellOtevrit = static_cast<DWORD>(DataVyberu(Polozka(IDC_OPIS_AKCE), 0));
    n.shellShowCmd = static_cast<DWORD>(DataVyberu(Polozka(IDC_OPIS_ZOBRAZENI), SW_SHOWMAXIMIZED));
    if (platnyNazev) return;
    // the other values are taken; the refused name keeps its stored value
    aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_NEPLATNY_NAZEV_OPISU).c_str(), soubor.c_str(),
                                                 n.soubor.Text().c_str()),
                            MB_ICONWARNING);
    knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_CANCELLED));
}

// ---------------------------------------------------------------------------------------------
// 192 capture by e-mail

namespace {
void ZobrazitProcenta(HWND dialog) {
    ::SetDlgItemTextW(dialog, IDC_OPIS_EMAIL_PROCENTA,
                      knihovna::Formatovat(L"%u %%", PolohaPosuvniku(dialog, IDC_OPIS_EMAIL_VELIKOST)).c_str());
}
}  // namespace

LRESULT DlgNastavOpisObrazovkyEmail::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniOpisuEmailem n = nastaveniObrazovka ? nastaveniObrazovka->opisEmail : NastaveniOpisuEmailem();
    ::SetDlgItemTextW(m_hWnd, IDC_OPIS_EMAIL, n.email.Text().c_str());
    NastavitPosuvnik(m_hWnd, IDC_OPIS_EMAIL_VELIKOST, 5, 100, n.procentoVelikosti);
    ZobrazitProcenta(m_hWnd);
    ::SetDlgItemTextW(m_hWnd, IDC_OPIS_EMAIL_PREDMET, n.predmet.Text().c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_OPIS_EMAIL_TEXT, n.textZpravy.Text().c_str());
    Zaskrtnout(m_hWnd, IDC_OPIS_EMAIL_HTML, n.html);
    return TRUE;
}

LRESULT DlgNastavOpisObrazovkyEmail::OnHScroll(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitProcenta(m_hWnd);
    PostNotify(m_hWnd);
    return 0;
}

void DlgNastavOpisObrazovkyEmail::Ulozit() {
    if (!nastaveniObrazovka || !m_hWnd) return;
    NastaveniOpisuEmailem& n = nastaveniObrazovka->opisEmail;
    n.procentoVelikosti = PolohaPosuvniku(m_hWnd, IDC_OPIS_EMAIL_VELIKOST);
    n.email = TextPrvku(m_hWnd, IDC_OPIS_EMAIL);
    n.predmet = TextPrvku(m_hWnd, IDC_OPIS_EMAIL_PREDMET);
    n.textZpravy = TextPrvku(m_hWnd, IDC_OPIS_EMAIL_TEXT);
    n.html = Zaskrtnuto(m_hWnd, IDC_OPIS_EMAIL_HTML);
}

// ---------------------------------------------------------------------------------------------
// 158 colour picker

LRESULT DlgNastavSberacBarvy::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniSberaceBarvy n = nastaveniObrazovka ? nastaveniObrazovka->sberacBarvy : NastaveniSberaceBarvy();
    tooltip.Vytvorit(m_hWnd);
    editZoom.Pripojit(Polozka(IDC_ZOOM), static_cast<unsigned>(OmezitZoom(n.zoom)), ZOOM_MIN, ZOOM_MAX);
    Zaskrtnout(m_hWnd, IDC_SBERAC_NAVRCHU, n.navrchu);
    Zaskrtnout(m_hWnd, IDC_SBERAC_SKRYVAT, n.skryvat);
    return TRUE;
}

void DlgNastavSberacBarvy::Ulozit() {
    if (!nastaveniObrazovka || !m_hWnd) return;
    NastaveniSberaceBarvy& n = nastaveniObrazovka->sberacBarvy;
    NacistCislo(editZoom, n.zoom);
    n.skryvat = Zaskrtnuto(m_hWnd, IDC_SBERAC_SKRYVAT);
    n.navrchu = Zaskrtnuto(m_hWnd, IDC_SBERAC_NAVRCHU);
}

// ---------------------------------------------------------------------------------------------
// 159 measuring

LRESULT DlgNastavMereniObrazovky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniMereni useky = nastaveniObrazovka ? nastaveniObrazovka->mereniUseky : NastaveniMereni();
    const NastaveniMereni vyrez = nastaveniObrazovka ? nastaveniObrazovka->mereniVyrez : NastaveniMereni();
    editZoomUseky.Pripojit(Polozka(IDC_ZOOM), static_cast<unsigned>(OmezitZoom(useky.zoom)), ZOOM_MIN, ZOOM_MAX);
    editZoomVyrez.Pripojit(Polozka(IDC_MERENI_ZOOM_VYREZ), static_cast<unsigned>(OmezitZoom(vyrez.zoom)), ZOOM_MIN,
                           ZOOM_MAX);
    comboKlavesa = Polozka(IDC_MERENI_KLAVESA);
    PridatPolozkuCombo(comboKlavesa, L"<Control>", VK_CONTROL);
    PridatPolozkuCombo(comboKlavesa, L"<Shift>", VK_SHIFT);
    VybratPodleDat(comboKlavesa, static_cast<LPARAM>(useky.klavesaZobrazitZoom));
    Zaskrtnout(m_hWnd, IDC_MERENI_ZOBRAZIT_ZOOM, useky.zobrazitZoom);
    return TRUE;
}

void DlgNastavMereniObrazovky::Ulozit() {
    if (!nastaveniObrazovka || !m_hWnd) return;
    KonfiguraceObrazovka& n = *nastaveniObrazovka;
    NacistCislo(editZoomUseky, n.mereniUseky.zoom);
    NacistCislo(editZoomVyrez, n.mereniVyrez.zoom);
    n.mereniUseky.klavesaZobrazitZoom = static_cast<DWORD>(DataVyberu(comboKlavesa, VK_CONTROL));
    n.mereniUseky.zobrazitZoom = Zaskrtnuto(m_hWnd, IDC_MERENI_ZOBRAZIT_ZOOM);
}

// ---------------------------------------------------------------------------------------------
// 160 display modes

LRESULT DlgNastavRezimyObrazovky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    tooltip.Vytvorit(m_hWnd);
    seznamDostupnych = Polozka(IDC_REZIMY_DOSTUPNE);
    seznamUlozenych = Polozka(IDC_REZIMY_ULOZENE);
    ::SetDlgItemTextW(m_hWnd, IDC_REZIM_AKTUALNI, TextAktualnihoRezimu().c_str());
    ::SetDlgItemInt(m_hWnd, IDC_REZIMY_MONITORY, static_cast<UINT>(::GetSystemMetrics(SM_CMONITORS)), TRUE);
    DWORD pocet = 0;
    for (;; ++pocet) {
        DEVMODEW rezim{};
        rezim.dmSize = sizeof(rezim);
        if (!vycetRezimu(nullptr, pocet, &rezim)) break;
        const std::wstring text = TextRezimuDevMode(rezim);
        const LRESULT index = ::SendMessageW(seznamDostupnych, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) ::SendMessageW(seznamDostupnych, LB_SETITEMDATA, static_cast<WPARAM>(index), pocet);
    }
    if (pocet > 0) ::SendMessageW(seznamDostupnych, LB_SETCURSEL, 0, 0);
    ::SetDlgItemInt(m_hWnd, IDC_REZIMY_POCET, pocet, FALSE);
    NaplnitUlozene();
    return TRUE;
}

void DlgNastavRezimyObrazovky::NaplnitUlozene() {
    ::SendMessageW(seznamUlozenych, LB_RESETCONTENT, 0, 0);
    if (!rezimyObrazovky) return;
    const std::vector<RezimObrazovky> rezimy = rezimyObrazovky->Kopie();
    for (size_t i = 0; i < rezimy.size(); ++i) {
        const std::wstring text = TextRezimu(rezimy[i]);
        const LRESULT index = ::SendMessageW(seznamUlozenych, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index >= 0) ::SendMessageW(seznamUlozenych, LB_SETITEMDATA, static_cast<WPARAM>(index), i);
    }
}

bool DlgNastavRezimyObrazovky::Pridat() {
    if (!rezimyObrazovky || rezimyObrazovky->Pocet() >= MAX_POCET_REZIMU) return false;
    DWORD cislo = ENUM_CURRENT_SETTINGS;
    const LRESULT vyber = ::SendMessageW(seznamDostupnych, LB_GETCURSEL, 0, 0);
    if (vyber != LB_ERR)
        cislo = static_cast<DWORD>(::SendMessageW(seznamDostupnych, LB_GETITEMDATA, static_cast<WPARAM>(vyber), 0));
    DEVMODEW rezim{};
    rezim.dmSize = sizeof(rezim);
    if (!vycetRezimu(nullptr, cislo, &rezim)) knihovna::VyhoditPosledniChybu();
    RezimObrazovky novy;
    novy.zarizeni = 0;
    novy.sirka = rezim.dmPelsWidth;
    novy.vyska = rezim.dmPelsHeight;
    novy.barevHloubka = rezim.dmBitsPerPel;
    novy.frekvence = rezim.dmDisplayFrequency;
    if (!PridatRezim(*rezimyObrazovky, novy)) return false;
    NaplnitUlozene();
    PostNotify(m_hWnd);
    return true;
}

bool DlgNastavRezimyObrazovky::Odebrat() {
    const LRESULT vyber = ::SendMessageW(seznamUlozenych, LB_GETCURSEL, 0, 0);
    if (vyber == LB_ERR || !rezimyObrazovky) return false;
    const auto index = static_cast<size_t>(::SendMessageW(seznamUlozenych, LB_GETITEMDATA, static_cast<WPARAM>(vyber), 0));
    if (!OdebratRezim(*rezimyObrazovky, index)) return false;
    NaplnitUlozene();
    PostNotify(m_hWnd);
    return true;
}

LRESULT DlgNastavRezimyObrazovky::OnPridat(WORD, WORD, HWND, BOOL&) {
    Pridat();
    return 0;
}

LRESULT DlgNastavRezimyObrazovky::OnOdebrat(WORD, WORD, HWND, BOOL&) {
    Odebrat();
    return 0;
}
