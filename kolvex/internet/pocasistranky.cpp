#include "internet/pocasistranky.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "internet/pocasidata.h"
#include "internet/pocasiokna.h"
#include "knihovna/chyba.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"

using knihovna::PridatPolozkuCombo;

namespace {

constexpr int OBRAZEK_PROCHAZET = 8;

KonfiguracePocasi& Nastaveni(KonfiguracePocasi* nastaveni) { return nastaveni ? *nastaveni : NastaveniPocasi(); }

struct PolozkaCombo {
    const wchar_t* text;
    LPARAM data;
};

// Fills a combo and selects the item of the value (the first item when none matches).
void NaplnitCombo(HWND combo, std::initializer_list<PolozkaCombo> polozky, LPARAM hodnota) {
    if (!combo) knihovna::VyhoditChybu(E_INVALIDARG);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const PolozkaCombo& p : polozky) PridatPolozkuCombo(combo, p.text, p.data);
    if (FAILED(knihovna::ComboBox(combo).VybratPolozkuPodleDat(hodnota)))
        if (::SendMessageW(combo, CB_SETCURSEL, 0, 0) == CB_ERR) knihovna::VyhoditChybu(E_INVALIDARG);
}

bool Zaskrtnuto(HWND stranka, int id) { return ::IsDlgButtonChecked(stranka, id) == BST_CHECKED; }
void Zaskrtnout(HWND stranka, int id, bool ano) { ::CheckDlgButton(stranka, id, ano ? BST_CHECKED : BST_UNCHECKED); }

}  // namespace

LRESULT DlgNastavPocasiObecne::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguracePocasi& n = Nastaveni(nastaveni);
    m_akce.comboAkce = Polozka(IDC_AKCE_KLIKNUTI_AKCE);
    m_akce.comboKliknuti = Polozka(IDC_AKCE_KLIKNUTI_KLIK);
    if (!m_akce.comboAkce || !m_akce.comboKliknuti) knihovna::VyhoditChybu(E_INVALIDARG);
    PridatPolozkuCombo(m_akce.comboAkce, L"Zobrazit nabídku", 0);
    knihovna::PridatPolozkuComboId(m_akce.comboAkce, IDS_NAZEV_POCASI_ALADIN, 1);
    knihovna::PridatPolozkuComboId(m_akce.comboAkce, IDS_NAZEV_POCASI_PREDPOVED, 2);
    knihovna::PridatPolozkuComboId(m_akce.comboAkce, IDS_NAZEV_POCASI_DRUZICE, 3);
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
    ZobrazitAkciKliknuti(m_akce);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPocasiAladin::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniAladin n = Nastaveni(nastaveni).aladin;
    const std::wstring slozkaDat = n.slozkaData;
    odkazSlozky.Pripojit(Polozka(IDC_POCASI_ODKAZ_SLOZKY), slozkaDat.c_str());
    slozka.Pripojit(Polozka(IDC_POCASI_SLOZKA), slozkaDat.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_PROCHAZET);
    NaplnitCombo(Polozka(IDC_POCASI_MODEL),
                 {{L"Nenačítat žádný model", 0},
                  {L"Oblačnost", 40204},
                  {L"Srážky za posledních 6 hodin", 40205},
                  {L"Teplota ve 2 metrech", 40203},
                  {L"Vítr v 10 metrech", 40206},
                  {L"Zobrazit současně všechny 4 modely", 40207}},
                 static_cast<LPARAM>(n.model));
    NaplnitCombo(Polozka(IDC_POCASI_POCATEK), {{L"0 hodin", 0}, {L"12 hodin", 12}}, static_cast<LPARAM>(n.pocatek));
    NaplnitCombo(Polozka(IDC_POCASI_POCET_OBRAZKU), {{L"1 obrázek", 1}, {L"4 obrázky", 4}},
                 static_cast<LPARAM>(n.pocetObrazku));
    interval.Pripojit(Polozka(IDC_POCASI_INTERVAL), n.intervalAnimace, 1, 36000);
    znackaX.Pripojit(Polozka(IDC_POCASI_ZNACKA_X), LOWORD(n.poziceZnacky), -1, -1);
    znackaY.Pripojit(Polozka(IDC_POCASI_ZNACKA_Y), HIWORD(n.poziceZnacky), -1, -1);
    if (n.intervalAnimace >= 1 && n.intervalAnimace <= 36000)
        ::SetDlgItemTextW(m_hWnd, IDC_POCASI_INTERVAL_TEXT, TextIntervaluAnimace(n.intervalAnimace).c_str());
    Zaskrtnout(m_hWnd, IDC_POCASI_MISTNI_CAS, n.zobrazMistniCas);
    Zaskrtnout(m_hWnd, IDC_OKNO_NAVRCHU, n.oknoNavrchu);
    Zaskrtnout(m_hWnd, IDC_OKNO_PRUHLEDNE, n.oknoPruhledne);
    return TRUE;
}

LRESULT DlgNastavPocasiAladin::OnInterval(WORD, WORD, HWND, BOOL& zpracovano) {
    unsigned hodnota = 0;
    if (interval.m_hWnd && interval.NacistHodnotu(&hodnota) == 0)
        ::SetDlgItemTextW(m_hWnd, IDC_POCASI_INTERVAL_TEXT, TextIntervaluAnimace(hodnota).c_str());
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

LRESULT DlgNastavPocasiAladin::OnSlozka(WORD, WORD, HWND, BOOL& zpracovano) {
    if (odkazSlozky.m_hWnd) odkazSlozky.NastavitSlozku(slozka.Text().c_str());
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

void DlgNastavPocasiAladin::Ulozit() {
    NastaveniAladin& n = Nastaveni(nastaveni).aladin;
    n.slozkaData = slozka.Text();
    // a combo without a selection keeps the stored value (never -1)
    auto vybrano = [this](int id, DWORD& cil) {
        LPARAM data = knihovna::ComboBox(Polozka(id)).NacistDataVybranePolozky();
        if (data != -1) cil = static_cast<DWORD>(data);
    };
    vybrano(IDC_POCASI_MODEL, n.model);
    vybrano(IDC_POCASI_POCATEK, n.pocatek);
    vybrano(IDC_POCASI_POCET_OBRAZKU, n.pocetObrazku);
    n.oknoNavrchu = Zaskrtnuto(m_hWnd, IDC_OKNO_NAVRCHU);
    n.oknoPruhledne = Zaskrtnuto(m_hWnd, IDC_OKNO_PRUHLEDNE);
    n.zobrazMistniCas = Zaskrtnuto(m_hWnd, IDC_POCASI_MISTNI_CAS);
    // a value outside 1-36000 (or none) stores 1.5 s
    unsigned hodnota = 0;
    n.intervalAnimace = interval.NacistHodnotu(&hodnota) == 0 ? hodnota : 15;
    unsigned x = 0, y = 0;
    if (znackaX.NacistHodnotu(&x) != 0) x = 0;
    if (znackaY.NacistHodnotu(&y) != 0) y = 0;
    n.poziceZnacky = (static_cast<DWORD>(y & 0xFFFF) << 16) | (x & 0xFFFF);
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPocasiPredpovedText::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniPredpovedi n = Nastaveni(nastaveni).predpoved;
    Zaskrtnout(m_hWnd, IDC_OKNO_NAVRCHU, n.oknoNavrchu);
    Zaskrtnout(m_hWnd, IDC_OKNO_PRUHLEDNE, n.oknoPruhledne > 0);
    return TRUE;
}

void DlgNastavPocasiPredpovedText::Ulozit() {
    NastaveniPredpovedi& n = Nastaveni(nastaveni).predpoved;
    n.oknoNavrchu = Zaskrtnuto(m_hWnd, IDC_OKNO_NAVRCHU);
    n.oknoPruhledne = Zaskrtnuto(m_hWnd, IDC_OKNO_PRUHLEDNE) ? 2 : 0;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavPocasiSnimekDruzice::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniDruzice n = Nastaveni(nastaveni).druzice;
    const std::wstring slozkaDat = n.slozkaData;
    odkazSlozky.Pripojit(Polozka(IDC_POCASI_ODKAZ_SLOZKY), slozkaDat.c_str());
    slozka.Pripojit(Polozka(IDC_POCASI_SLOZKA), slozkaDat.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_PROCHAZET);
    Zaskrtnout(m_hWnd, IDC_OKNO_NAVRCHU, n.oknoNavrchu);
    Zaskrtnout(m_hWnd, IDC_OKNO_PRUHLEDNE, n.oknoPruhledne > 0);
    NaplnitCombo(Polozka(IDC_POCASI_ZDROJ),
                 {{L"Aktuální snímek z webu Českého hydrometeorologického ústavu", 1},
                  {L"Aktuální snímek z webu Meteopressu", 2}},
                 static_cast<LPARAM>(n.vychoziZdroj));
    return TRUE;
}

LRESULT DlgNastavPocasiSnimekDruzice::OnSlozka(WORD, WORD, HWND, BOOL& zpracovano) {
    if (odkazSlozky.m_hWnd) odkazSlozky.NastavitSlozku(slozka.Text().c_str());
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

void DlgNastavPocasiSnimekDruzice::Ulozit() {
    NastaveniDruzice& n = Nastaveni(nastaveni).druzice;
    n.slozkaData = slozka.Text();
    n.oknoNavrchu = Zaskrtnuto(m_hWnd, IDC_OKNO_NAVRCHU);
    LPARAM zdroj = knihovna::ComboBox(Polozka(IDC_POCASI_ZDROJ)).NacistDataVybranePolozky();
    if (zdroj != -1) n.vychoziZdroj = static_cast<DWORD>(zdroj);
    n.oknoPruhledne = Zaskrtnuto(m_hWnd, IDC_OKNO_PRUHLEDNE) ? 2 : 0;
}
