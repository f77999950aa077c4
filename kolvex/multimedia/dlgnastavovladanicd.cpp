#include "multimedia/dlgnastavovladanicd.h"

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

using knihovna::PridatPolozkuCombo;

const PrioritaVlakna prioritaVlaken[6] = {
    {L"Nízká", THREAD_PRIORITY_LOWEST},
    {L"Snížená", THREAD_PRIORITY_BELOW_NORMAL},
    {L"Normální", THREAD_PRIORITY_NORMAL},
    {L"Zvýšená", THREAD_PRIORITY_ABOVE_NORMAL},
    {L"Vysoká", THREAD_PRIORITY_HIGHEST},
    {L"Reálný čas - není doporučeno!", THREAD_PRIORITY_TIME_CRITICAL},
};

KonfiguraceOvladaniCD& DlgNastavOvladaniCD::Nastaveni() {
    if (nastaveni) return *nastaveni;
    if (!nastaveniOvladaniCD) knihovna::VyhoditChybu(E_HANDLE);
    return *nastaveniOvladaniCD;
}

LRESULT DlgNastavOvladaniCD::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguraceOvladaniCD& n = Nastaveni();
    m_akce.comboAkce = Polozka(IDC_AKCE_KLIKNUTI_AKCE);
    m_akce.comboKliknuti = Polozka(IDC_AKCE_KLIKNUTI_KLIK);
    HWND priorita = Polozka(IDC_PRIORITA_VLAKNA);
    if (!m_akce.comboAkce || !m_akce.comboKliknuti || !priorita) knihovna::VyhoditChybu(E_INVALIDARG);

    static const struct {
        const wchar_t* text;
        DWORD akce;
    } akce[] = {
        {L"Neprovádět nic", 0},      {L"Zobrazit nabídku", 1},          {L"Otevřít mechaniku", 2},
        {L"Otevřít všechny mechaniky", 4}, {L"Zavřít mechaniku", 5}, {L"Zavřít všechny mechaniky", 7},
    };
    for (const auto& a : akce) PridatPolozkuCombo(m_akce.comboAkce, a.text, static_cast<LPARAM>(a.akce));

    const struct {
        const wchar_t* text;
        DWORD* pole;
    } kliknuti[] = {
        {L"Levé tlačítko", &n.leve},
        {L"<Ctrl> + levé tlačítko", &n.ctrlLeve},
        {L"<Ctrl> + <Shift> + levé tlačítko", &n.ctrlShiftLeve},
        {L"<Shift> + levé tlačítko", &n.shiftLeve},
        {L"Střední tlačítko", &n.stredni},
    };
    for (const auto& k : kliknuti) PridatPolozkuCombo(m_akce.comboKliknuti, k.text, reinterpret_cast<LPARAM>(k.pole));
    ::SendMessageW(m_akce.comboKliknuti, CB_SETCURSEL, 0, 0);

    ::CheckDlgButton(m_hWnd, IDC_CD_ZPRAVA_VLOZENI, n.zpravaVlozeni ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_CD_ZPRAVA_VYJMUTI, n.zpravaVyjmuti ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_CD_IKONA_OBSAH, n.ikonaObsah ? BST_CHECKED : BST_UNCHECKED);

    ::SendMessageW(priorita, CB_RESETCONTENT, 0, 0);
    for (const auto& p : prioritaVlaken) PridatPolozkuCombo(priorita, p.text, static_cast<LPARAM>(p.hodnota));
    knihovna::ComboBox(priorita).VybratPolozkuPodleDat(static_cast<LPARAM>(n.threadPriority));  // none when unknown

    ZobrazitAkciKliknuti(m_akce);
    return TRUE;
}

LRESULT DlgNastavOvladaniCD::OnVyberKliknuti(WORD, WORD, HWND, BOOL&) { return ZobrazitAkciKliknuti(m_akce); }

LRESULT DlgNastavOvladaniCD::OnVyberAkce(WORD, WORD, HWND, BOOL& zpracovano) {
    return ZmenitAkciKliknuti(m_akce, m_hWnd, zpracovano);
}

void DlgNastavOvladaniCD::Ulozit() {
    KonfiguraceOvladaniCD& n = Nastaveni();
    n.ikonaObsah = ::IsDlgButtonChecked(m_hWnd, IDC_CD_IKONA_OBSAH) == BST_CHECKED;
    n.zpravaVlozeni = ::IsDlgButtonChecked(m_hWnd, IDC_CD_ZPRAVA_VLOZENI) == BST_CHECKED;
    n.zpravaVyjmuti = ::IsDlgButtonChecked(m_hWnd, IDC_CD_ZPRAVA_VYJMUTI) == BST_CHECKED;
    HWND priorita = Polozka(IDC_PRIORITA_VLAKNA);
    LRESULT vybrana = ::SendMessageW(priorita, CB_GETCURSEL, 0, 0);
    // no selection (a stored value outside the list): the stored value stays, never -1
    if (vybrana != CB_ERR)
        n.threadPriority = static_cast<int>(::SendMessageW(priorita, CB_GETITEMDATA, static_cast<WPARAM>(vybrana), 0));
}
