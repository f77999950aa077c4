#include "clipboard/strankyschranky.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"

using knihovna::VyhoditChybu;

namespace {

constexpr int OBRAZEK_SLOZKY = 54;  // the folder glyph of every folder edit

constexpr int MAX_POCET_MIN = 4, MAX_POCET_MAX = 100000;
constexpr int VYSKA_MIN = 16, VYSKA_MAX = 400;

HWND Prvek(HWND stranka, int id) {
    HWND h = ::GetDlgItem(stranka, id);
    if (!h) VyhoditChybu(E_INVALIDARG);
    return h;
}

void NastavitZaskrtnuti(HWND stranka, int id, bool hodnota) {
    ::SendMessageW(Prvek(stranka, id), BM_SETCHECK, hodnota ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Zaskrtnuto(HWND stranka, int id) { return ::IsDlgButtonChecked(stranka, id) == BST_CHECKED; }

KonfiguraceSchranka& Nastaveni() {
    if (!nastaveniSchranka) VyhoditChybu(E_HANDLE);
    return *nastaveniSchranka;
}

}  // namespace

LRESULT DlgNastavTextDoSchranky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniTextuDoSchranky& n = Nastaveni().textDoSchranky;
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_NAVRCHU, n.oknoNavrchu);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_ZAVRIT, n.poVlozeniZavrit);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_TAZENI, n.oknoTazeni);
    knihovna::ComboBox combo(Prvek(m_hWnd, IDC_SCHRANKA_TRIDENI));
    knihovna::PridatPolozkuCombo(combo, L"Vzestupné", 1);
    knihovna::PridatPolozkuCombo(combo, L"Sestupné", 2);
    knihovna::PridatPolozkuCombo(combo, L"Žádné", 0);
    combo.VybratPolozkuPodleDat(static_cast<LPARAM>(n.trideni));
    const std::wstring cesta = n.slozka.Text();
    slozka.Pripojit(Prvek(m_hWnd, IDC_SCHRANKA_SLOZKA), cesta.c_str(), aplikace.seznamMenu.Get(), OBRAZEK_SLOZKY);
    odkaz.Pripojit(Prvek(m_hWnd, IDC_SCHRANKA_ODKAZ_SLOZKY), cesta.c_str());
    return TRUE;
}

LRESULT DlgNastavTextDoSchranky::OnZmenaSlozky(WORD, WORD, HWND, BOOL& zpracovano) {
    std::wstring text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_SCHRANKA_SLOZKA, text);
    if (odkaz.JeOkno()) odkaz.NastavitSlozku(text.c_str());
    return OznamitZmenuNastaveni(m_hWnd, zpracovano);
}

void DlgNastavTextDoSchranky::Ulozit() {
    NastaveniTextuDoSchranky& n = Nastaveni().textDoSchranky;
    n.oknoNavrchu = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_NAVRCHU);
    n.poVlozeniZavrit = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_ZAVRIT);
    n.oknoTazeni = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_TAZENI);
    n.trideni = static_cast<DWORD>(knihovna::ComboBox(Prvek(m_hWnd, IDC_SCHRANKA_TRIDENI)).NacistDataVybranePolozky());
    std::wstring text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_SCHRANKA_SLOZKA, text);
    n.slozka = text;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavSchrankaOperativniTexty::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniOperativnichTextu& n = Nastaveni().operativni;
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_NAVRCHU, n.oknoNavrchu);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_ZAVRIT, n.poVlozeniZavrit);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_TAZENI, n.oknoTazeni);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_UKLADAT, n.automatickyUkladat);
    NastavitZaskrtnuti(m_hWnd, IDC_SCHRANKA_NACITAT, n.automatickyNacitat);
    maxPocet.Pripojit(Prvek(m_hWnd, IDC_SCHRANKA_MAX_POCET), n.maxPocet, MAX_POCET_MIN, MAX_POCET_MAX);
    vyskaPolozky.Pripojit(Prvek(m_hWnd, IDC_SCHRANKA_VYSKA_POLOZKY), n.vyskaPolozky, VYSKA_MIN, VYSKA_MAX);
    tooltip.Vytvorit(m_hWnd);
    const std::wstring format = knihovna::Retezec(IDS_HODNOTA_V_ROZSAHU);
    tooltip.PridatNastroj(maxPocet.m_hWnd, knihovna::Formatovat(format.c_str(), MAX_POCET_MIN, MAX_POCET_MAX).c_str());
    tooltip.PridatNastroj(vyskaPolozky.m_hWnd, knihovna::Formatovat(format.c_str(), VYSKA_MIN, VYSKA_MAX).c_str());
    return TRUE;
}

void DlgNastavSchrankaOperativniTexty::Ulozit() {
    NastaveniOperativnichTextu& n = Nastaveni().operativni;
    n.oknoNavrchu = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_NAVRCHU);
    n.poVlozeniZavrit = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_ZAVRIT);
    n.oknoTazeni = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_TAZENI);
    n.automatickyUkladat = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_UKLADAT);
    n.automatickyNacitat = Zaskrtnuto(m_hWnd, IDC_SCHRANKA_NACITAT);
    unsigned hodnota = 0;
    if (maxPocet.NacistHodnotu(&hodnota) == 0) n.maxPocet = hodnota;  // out of range: the stored value stays
    if (vyskaPolozky.NacistHodnotu(&hodnota) == 0) n.vyskaPolozky = hodnota;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavSchrankaEditorTextu::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const NastaveniEditoruTextu& n = Nastaveni().editor;
    NastavitZaskrtnuti(m_hWnd, IDC_EDITOR_UKLADAT_SOUBOR, n.automatickyUkladatSoubor);
    NastavitZaskrtnuti(m_hWnd, IDC_EDITOR_UKLADAT_TEXT, n.automatickyUkladatText);
    NastavitZaskrtnuti(m_hWnd, IDC_EDITOR_POTVRZOVAT, n.potvrzovatOdebrani);
    return TRUE;
}

void DlgNastavSchrankaEditorTextu::Ulozit() {
    NastaveniEditoruTextu& n = Nastaveni().editor;
    n.automatickyUkladatSoubor = Zaskrtnuto(m_hWnd, IDC_EDITOR_UKLADAT_SOUBOR);
    n.automatickyUkladatText = Zaskrtnuto(m_hWnd, IDC_EDITOR_UKLADAT_TEXT);
    n.potvrzovatOdebrani = Zaskrtnuto(m_hWnd, IDC_EDITOR_POTVRZOVAT);
}

void ZaregistrovatStrankySchranky() {
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_TEXT_DO_SCHRANKY, VytvoritStranku<DlgNastavTextDoSchranky>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SCHRANKA_OPERATIVNI, VytvoritStranku<DlgNastavSchrankaOperativniTexty>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_SCHRANKA_EDITOR, VytvoritStranku<DlgNastavSchrankaEditorTextu>);
}
