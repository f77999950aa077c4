#include "monitors/dlgnastavsledovani.h"

#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "monitors/modulsledovanipameti.h"

using knihovna::Formatovat;

void NaplnitComboPriority(HWND combo, int hodnota) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    const struct {
        const wchar_t* text;
        int hodnota;
    } polozky[] = {{L"Nízká", THREAD_PRIORITY_LOWEST},      {L"Snížená", THREAD_PRIORITY_BELOW_NORMAL},
                   {L"Normální", THREAD_PRIORITY_NORMAL},   {L"Zvýšená", THREAD_PRIORITY_ABOVE_NORMAL},
                   {L"Vysoká", THREAD_PRIORITY_HIGHEST},    {L"Reálný čas - není doporučeno!", THREAD_PRIORITY_TIME_CRITICAL}};
    for (const auto& p : polozky) knihovna::PridatPolozkuCombo(combo, p.text, p.hodnota);
    knihovna::ComboBox(combo).VybratPolozkuPodleDat(hodnota);
}

void NaplnitComboAkceLeve(HWND combo, DWORD hodnota, bool procesy) {
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    knihovna::PridatPolozkuCombo(combo,
                                 procesy ? L"Zobrazit podrobné informace o stavu procesů"
                                         : L"Zobrazit podrobné informace o stavu paměti",
                                 1);
    knihovna::PridatPolozkuCombo(combo, L"Vyvolat plovoucí nabídku (stejné jako pravým tlačítkem)", 0);
    knihovna::PridatPolozkuCombo(combo, L"Zobrazit tento konfigurační dialog", 2);
    knihovna::ComboBox(combo).VybratPolozkuPodleDat(static_cast<LPARAM>(hodnota));
}

bool NacistVybranouHodnotu(HWND combo, LPARAM& hodnota) {
    LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR || index < 0) return false;
    hodnota = static_cast<LPARAM>(::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return true;
}

namespace {

void PripojitCislo(knihovna::EditCislo& edit, knihovna::ToolTip& tooltip, HWND ovladac, DWORD hodnota, int min, int max) {
    edit.Pripojit(ovladac, hodnota, min, max);
    tooltip.PridatNastroj(ovladac, Formatovat(knihovna::Retezec(IDS_HODNOTA_V_ROZSAHU).c_str(), min, max).c_str());
}

void PrecistCislo(const knihovna::EditCislo& edit, DWORD& cil) {
    unsigned hodnota = 0;
    if (edit.NacistHodnotu(&hodnota) == 0) cil = hodnota;
}

KonfiguraceSledovaniPameti& NastaveniPameti() {
    if (!nastaveniSledovaniPameti) knihovna::VyhoditChybu(E_HANDLE);
    return *nastaveniSledovaniPameti;
}

KonfiguraceSledovaniProcesu& NastaveniProcesu() {
    if (!nastaveniSledovaniProcesu) knihovna::VyhoditChybu(E_HANDLE);
    return *nastaveniSledovaniProcesu;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavSledovaniPameti::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguraceSledovaniPameti& n = NastaveniPameti();
    tooltip.Vytvorit(m_hWnd);
    const std::pair<knihovna::StaticOdkazCommand*, std::pair<int, UINT>> popisy[] = {
        {&popisObsazena, {IDC_POPIS_BARVA_OBSAZENA, PRIKAZ_BARVA_OBSAZENA}},
        {&popisPozadi, {IDC_POPIS_BARVA_POZADI, PRIKAZ_BARVA_POZADI}},
        {&popisText, {IDC_POPIS_BARVA_TEXT, PRIKAZ_BARVA_TEXT}}};
    for (const auto& p : popisy) {
        HWND ovladac = Polozka(p.second.first);
        p.first->Pripojit(ovladac);
        p.first->prikaz = static_cast<int>(p.second.second);
        tooltip.PridatNastrojId(ovladac, IDS_TIP_VYBRAT_BARVU);
    }
    NaplnitComboPriority(Polozka(IDC_PRIORITA_VLAKNA), n.threadPriority);
    PripojitCislo(interval, tooltip, Polozka(IDC_INTERVAL_AKTUALIZACE), n.intervalAktualizace, 1000, 60000);
    PripojitCislo(varovani, tooltip, Polozka(IDC_VAROVANI_PROCENT), n.varovaniProcent, 10, 300);
    PripojitCislo(velikostLogu, tooltip, Polozka(IDC_MAX_VELIKOST_LOGU), n.maxVelikostLogu, 1000, 50000000);
    NaplnitComboAkceLeve(Polozka(IDC_AKCE_LEVE), n.ikonaLeve, false);
    ::CheckDlgButton(m_hWnd, IDC_LOGOVAT, n.logovat ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_ZOBRAZIT_TEXT, n.zobrazitText ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_ZOBRAZIT_OBSAZENA, n.zobrazitObsazena ? BST_CHECKED : BST_UNCHECKED);

    const std::wstring cesta = ModulSledovaniPameti::CestaLogu();
    odkazLog.Pripojit(Polozka(IDC_ODKAZ_LOG));
    odkazLog.soubor = cesta;
    tooltip.PridatNastroj(odkazLog.m_hWnd,
                          Formatovat(::PathFileExistsW(cesta.c_str()) ? L"Otevřít soubor %s výchozí aplikací podle jeho typu"
                                                                      : L"Soubor %s neexistuje!",
                                     cesta.c_str())
                              .c_str());
    smazatLog.Pripojit(Polozka(IDC_SMAZAT_LOG));
    smazatLog.prikaz = PRIKAZ_SMAZAT_LOG;

    barvaObsazena.Pripojit(Polozka(IDC_BARVA_OBSAZENA), n.barvaObsazena);
    barvaPozadi.Pripojit(Polozka(IDC_BARVA_POZADI), n.barvaPozadi);
    barvaText.Pripojit(Polozka(IDC_BARVA_TEXT), n.barvaText);
    return TRUE;
}

LRESULT DlgNastavSledovaniPameti::OnPredatZmenu(UINT, WPARAM w, LPARAM l, BOOL&) {
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, w, l);
    return 0;
}

LRESULT DlgNastavSledovaniPameti::OnBarvaVybrana(UINT, WPARAM, LPARAM, BOOL&) {
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

LRESULT DlgNastavSledovaniPameti::OnPopisBarvy(WORD, WORD id, HWND, BOOL&) {
    switch (id) {
        case PRIKAZ_BARVA_OBSAZENA: barvaObsazena.VybratBarvu(); break;
        case PRIKAZ_BARVA_POZADI: barvaPozadi.VybratBarvu(); break;
        case PRIKAZ_BARVA_TEXT: barvaText.VybratBarvu(); break;
        default: break;
    }
    return 0;
}

LRESULT DlgNastavSledovaniPameti::OnSmazatLog(WORD, WORD, HWND, BOOL&) {
    const std::wstring cesta = ModulSledovaniPameti::CestaLogu();
    std::wstring dotaz = Formatovat(knihovna::Retezec(IDS_DOTAZ_SMAZAT_SOUBOR).c_str(), cesta.c_str());
    if (knihovna::oknoZpravy(knihovna::VlastnikZpravy(), dotaz.c_str(), aplikace.titulek.c_str(),
                             MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND) != IDYES)
        return 0;
    if (!::DeleteFileW(cesta.c_str())) aplikace.ZobrazitChybuId(0);
    return 0;
}

void DlgNastavSledovaniPameti::Ulozit() {
    KonfiguraceSledovaniPameti& n = NastaveniPameti();
    n.logovat = ::IsDlgButtonChecked(m_hWnd, IDC_LOGOVAT) == BST_CHECKED;
    LPARAM hodnota = 0;
    if (NacistVybranouHodnotu(Polozka(IDC_PRIORITA_VLAKNA), hodnota)) n.threadPriority = static_cast<int>(hodnota);
    PrecistCislo(interval, n.intervalAktualizace);
    PrecistCislo(velikostLogu, n.maxVelikostLogu);
    PrecistCislo(varovani, n.varovaniProcent);
    if (NacistVybranouHodnotu(Polozka(IDC_AKCE_LEVE), hodnota)) n.ikonaLeve = static_cast<DWORD>(hodnota);
    n.zobrazitObsazena = ::IsDlgButtonChecked(m_hWnd, IDC_ZOBRAZIT_OBSAZENA) == BST_CHECKED;
    n.zobrazitText = ::IsDlgButtonChecked(m_hWnd, IDC_ZOBRAZIT_TEXT) == BST_CHECKED;
    n.barvaObsazena = barvaObsazena.barva;
    n.barvaPozadi = barvaPozadi.barva;
    n.barvaText = barvaText.barva;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavSledovaniProcesu::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguraceSledovaniProcesu& n = NastaveniProcesu();
    tooltip.Vytvorit(m_hWnd);
    PripojitCislo(interval, tooltip, Polozka(IDC_INTERVAL_AKTUALIZACE), n.intervalAktualizace, 1, 120);
    PripojitCislo(limit, tooltip, Polozka(IDC_MAX_WORKING_SET), n.maxWorkingSetSize, 5, 10000);
    NaplnitComboAkceLeve(Polozka(IDC_AKCE_LEVE), n.ikonaLeve, true);
    NaplnitComboPriority(Polozka(IDC_PRIORITA_VLAKNA), n.threadPriority);
    return TRUE;
}

void DlgNastavSledovaniProcesu::Ulozit() {
    KonfiguraceSledovaniProcesu& n = NastaveniProcesu();
    PrecistCislo(interval, n.intervalAktualizace);
    PrecistCislo(limit, n.maxWorkingSetSize);
    LPARAM hodnota = 0;
    if (NacistVybranouHodnotu(Polozka(IDC_AKCE_LEVE), hodnota)) n.ikonaLeve = static_cast<DWORD>(hodnota);
    if (NacistVybranouHodnotu(Polozka(IDC_PRIORITA_VLAKNA), hodnota)) n.threadPriority = static_cast<int>(hodnota);
}
