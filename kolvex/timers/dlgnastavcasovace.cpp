#include "timers/dlgnastavcasovace.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <shlwapi.h>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/vlaknomodulu.h"
#include "timers/modulhodiny.h"
#include "timers/modulstopky.h"

DWORD PrecistPriznakyOkna(HWND stranka) {
    DWORD okno = 0;
    if (::IsDlgButtonChecked(stranka, IDC_OKNO_NAVRCHU) == BST_CHECKED) okno |= 0x04;
    if (::IsDlgButtonChecked(stranka, IDC_OKNO_PRUHLEDNE) == BST_CHECKED) okno |= 0x20;
    if (::IsDlgButtonChecked(stranka, IDC_OKNO_OKRAJ) == BST_CHECKED) okno |= 0x40;
    return okno;
}

void NastavitPriznakyOkna(HWND stranka, DWORD okno) {
    ::CheckDlgButton(stranka, IDC_OKNO_NAVRCHU, (okno & 0x04) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(stranka, IDC_OKNO_PRUHLEDNE, (okno & 0x20) ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(stranka, IDC_OKNO_OKRAJ, (okno & 0x40) ? BST_CHECKED : BST_UNCHECKED);
}

namespace {

bool VybratPismo(HWND vlastnik, LOGFONTW& pismo) {
    CHOOSEFONTW volba{};
    volba.lStructSize = sizeof(volba);
    volba.hwndOwner = vlastnik;
    volba.lpLogFont = &pismo;
    volba.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    return ::ChooseFontW(&volba) != 0;
}

// The item data of the selection; false when nothing is selected (the stored value stays).
bool VybranaHodnota(HWND combo, DWORD& cil) {
    LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index < 0) return false;
    cil = static_cast<DWORD>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return true;
}

void NaplnitCombo(HWND combo, std::initializer_list<const wchar_t*> texty, DWORD hodnota) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    LPARAM data = 0;
    for (const wchar_t* text : texty) knihovna::PridatPolozkuCombo(combo, text, data++);
    knihovna::ComboBox(combo).VybratPolozkuPodleDat(static_cast<LPARAM>(hodnota));
}

void OznamitZmenu(HWND stranka) { ::PostMessageW(::GetParent(stranka), ZpravaStrankaZmenena, 0, 0); }

// The font button: a chosen font is a change of the page.
void ZmenitPismo(HWND stranka, LOGFONTW* pismo) {
    if (pismo && VybratPismo(stranka, *pismo)) OznamitZmenu(stranka);
}

// The controls both pages share: the window flags, the tray icon check and the two colours.
template <class Konfigurace>
void ZobrazitVzhled(HWND stranka, const Konfigurace& n, knihovna::ButtonVyberBarvy& barvaTextu,
                    knihovna::ButtonVyberBarvy& barvaPozadi, knihovna::ToolTip& tooltip) {
    NastavitPriznakyOkna(stranka, n.okno);
    ::CheckDlgButton(stranka, IDC_VLASTNI_IKONA, n.ikona ? BST_CHECKED : BST_UNCHECKED);
    barvaTextu.Pripojit(::GetDlgItem(stranka, IDC_BARVA_TEXTU), n.barvaTextu);
    barvaPozadi.Pripojit(::GetDlgItem(stranka, IDC_BARVA_POZADI), n.barvaPozadi);
    tooltip.PridatNastrojId(barvaTextu.m_hWnd, IDS_TIP_VYBRAT_BARVU);
    tooltip.PridatNastrojId(barvaPozadi.m_hWnd, IDS_TIP_VYBRAT_BARVU);
}

template <class Konfigurace>
void PrevzitVzhled(HWND stranka, Konfigurace& n, const knihovna::ButtonVyberBarvy& barvaTextu,
                   const knihovna::ButtonVyberBarvy& barvaPozadi) {
    n.okno = PrecistPriznakyOkna(stranka);
    n.ikona = ::IsDlgButtonChecked(stranka, IDC_VLASTNI_IKONA) == BST_CHECKED;
    n.barvaPozadi = barvaPozadi.barva;
    n.barvaTextu = barvaTextu.barva;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavStopky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    if (!nastaveniStopky) knihovna::VyhoditChybu(E_HANDLE);
    const KonfiguraceStopky& n = *nastaveniStopky;
    tooltip.Vytvorit(m_hWnd);
    ZobrazitVzhled(m_hWnd, n, barvaTextu, barvaPozadi, tooltip);
    ::CheckDlgButton(m_hWnd, IDC_ZOBRAZIT_VYSLEDEK, n.zobrazeniVysledku ? BST_CHECKED : BST_UNCHECKED);
    knihovna::NaplnitComboKdy(minimalizovat, Polozka(IDC_MINIMALIZOVAT), n.minimalizovat);
    return TRUE;
}

LRESULT DlgNastavStopky::OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&) {
    OznamitZmenu(m_hWnd);
    return 0;
}

LRESULT DlgNastavStopky::OnPismo(WORD, WORD, HWND, BOOL&) {
    ZmenitPismo(m_hWnd, nastaveniStopky ? &nastaveniStopky->pismo : nullptr);
    return 0;
}

void DlgNastavStopky::Ulozit() {
    if (!nastaveniStopky) return;
    KonfiguraceStopky& n = *nastaveniStopky;
    PrevzitVzhled(m_hWnd, n, barvaTextu, barvaPozadi);
    n.zobrazeniVysledku = ::IsDlgButtonChecked(m_hWnd, IDC_ZOBRAZIT_VYSLEDEK) == BST_CHECKED ? 1 : 0;
    VybranaHodnota(minimalizovat.m_hWnd, n.minimalizovat);
    if (VlaknoModulu* stopky = NajitNastroj(Nastroj::Stopky)) stopky->Odeslat(ZpravaPouzitNastaveniStopek);
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavHodiny::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    if (!nastaveniHodiny) knihovna::VyhoditChybu(E_HANDLE);
    const KonfiguraceHodiny& n = *nastaveniHodiny;
    tooltip.Vytvorit(m_hWnd);
    ZobrazitVzhled(m_hWnd, n, barvaTextu, barvaPozadi, tooltip);
    const std::wstring cesta = n.gongSoubor.Text();
    soubor.Pripojit(Polozka(IDC_GONG_SOUBOR), cesta.c_str(), nullptr, -1,
                    L"Soubory vlnového zvuku (*.WAV)\0*.wav\0\0");
    NaplnitCombo(Polozka(IDC_DATUM),
                 {L"Nezobrazovat datum", L"Datum v číselném (krátkém) tvaru", L"Datum v textovém (dlouhém) tvaru"},
                 n.datum);
    NaplnitCombo(Polozka(IDC_GONG),
                 {L"Žádný", L"Každou hodinu", L"Každou půlhodinu", L"Každou čtvrthodinu", L"Každou minutu"}, n.gong);
    return TRUE;
}

LRESULT DlgNastavHodiny::OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&) {
    OznamitZmenu(m_hWnd);
    return 0;
}

LRESULT DlgNastavHodiny::OnPismo(WORD, WORD, HWND, BOOL&) {
    ZmenitPismo(m_hWnd, nastaveniHodiny ? &nastaveniHodiny->pismo : nullptr);
    return 0;
}

LRESULT DlgNastavHodiny::OnPrehrat(WORD, WORD, HWND, BOOL&) {
    std::wstring cesta;
    knihovna::NacistTextPrvku(m_hWnd, IDC_GONG_SOUBOR, cesta);
    if (!cesta.empty() && ::PathFileExistsW(cesta.c_str())) ::PlaySoundW(cesta.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
    return 0;
}

void DlgNastavHodiny::Ulozit() {
    if (!nastaveniHodiny) return;
    KonfiguraceHodiny& n = *nastaveniHodiny;
    PrevzitVzhled(m_hWnd, n, barvaTextu, barvaPozadi);
    VybranaHodnota(Polozka(IDC_DATUM), n.datum);
    VybranaHodnota(Polozka(IDC_GONG), n.gong);
    std::wstring cesta;
    knihovna::NacistTextPrvku(m_hWnd, IDC_GONG_SOUBOR, cesta);
    n.gongSoubor = cesta;
    ModulHodiny::PouzitNastaveniBezicich();
}
