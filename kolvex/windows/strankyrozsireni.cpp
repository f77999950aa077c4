#include "windows/strankyrozsireni.h"

#include <commctrl.h>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "windows/akceoken.h"

using knihovna::VyhoditChybu;

const wchar_t* const popisyGest[POCET_GEST] = {
    L"<Ctrl> + Levé tlačítko v titulku",
    L"<Shift> + Levé tlačítko v titulku",
    L"<Ctrl>+<Shift> + Levé tlačítko v titulku",
    L"Střední tlačítko v titulku",
    L"<Ctrl> + Střední tlačítko v titulku",
    L"<Shift> + Střední tlačítko v titulku",
    L"<Ctrl>+<Shift> + Střední tlačítko v titulku",
    L"Pravé tlačítko na ikoně \"Zavřít\"",
    L"<Ctrl> + Pravé tlačítko na ikoně \"Zavřít\"",
    L"<Shift> + Pravé tlačítko na ikoně \"Zavřít\"",
    L"<Ctrl>+<Shift> + Pravé tlačítko na ikoně \"Zavřít\"",
    L"Tlačítko \"zpět\" v titulku",
    L"<Ctrl> + Tlačítko \"zpět\" v titulku",
    L"<Shift> + Tlačítko \"zpět\" v titulku",
    L"<Ctrl>+<Shift> + Tlačítko \"zpět\" v titulku",
    L"Tlačítko \"vpřed\" v titulku",
    L"<Ctrl> + Tlačítko \"vpřed\" v titulku",
    L"<Shift> + Tlačítko \"vpřed\" v titulku",
    L"<Ctrl>+<Shift> + Tlačítko \"vpřed\" v titulku",
    L"<Ctrl>+ Kolečko myši \"k sobě\"",
    L"<Ctrl>+<Shift>+ Kolečko myši \"k sobě\"",
    L"<Shift>+ Kolečko myši \"k sobě\"",
    L"<Ctrl>+ Kolečko myši \"od sebe\"",
    L"<Ctrl>+<Shift>+ Kolečko myši \"od sebe\"",
    L"<Shift>+ Kolečko myši \"od sebe\"",
};

const NabizenaAkce nabizeneAkce[11] = {
    {L"Žádná akce", AKCE_ZADNA},
    {L"Nastavit polohu \"Na vrchu\"", AKCE_NAVRCHU_ZAPNOUT},
    {L"\"Skrýt\" okno do seznamu u ikony v oznamovací oblasti", AKCE_SKRYT},
    {L"Zrušit polohu \"Na vrchu\"", AKCE_NAVRCHU_VYPNOUT},
    {L"Přepnout polohu \"Na vrchu\"", AKCE_NAVRCHU_PREPNOUT},
    {L"Průhledné okno", AKCE_PRUHLEDNOST},
    {L"Zrušit průhlednost okna", AKCE_BEZ_PRUHLEDNOSTI},
    {L"Zarovnat okno do levé poloviny obrazovky", AKCE_LEVA_POLOVINA},
    {L"Zarovnat okno do pravé poloviny obrazovky", AKCE_PRAVA_POLOVINA},
    {L"Zarovnat okno do horní poloviny obrazovky", AKCE_HORNI_POLOVINA},
    {L"Zarovnat okno do spodní poloviny obrazovky", AKCE_DOLNI_POLOVINA},
};

namespace {

// The settings the pages edit; the pages open only while the settings objects exist.
KonfiguraceRozsireniOken& Nastaveni() {
    if (!nastaveniRozsireniOken) VyhoditChybu(E_HANDLE);
    return *nastaveniRozsireniOken;
}

}  // namespace

LRESULT DlgNastavOknaAkce::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    KonfiguraceRozsireniOken& n = Nastaveni();
    m_akce = Polozka(IDC_OKNA_AKCE_AKCE);
    m_gesta = Polozka(IDC_OKNA_AKCE_UDALOSTI);
    for (int i = 0; i < POCET_GEST; ++i) {
        const LRESULT index = ::SendMessageW(m_gesta, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(popisyGest[i]));
        if (index < 0 ||
            ::SendMessageW(m_gesta, LB_SETITEMDATA, static_cast<WPARAM>(index),
                           reinterpret_cast<LPARAM>(&n.akceGest[i])) == LB_ERR)
            VyhoditChybu(E_FAIL);
    }
    ::SendMessageW(m_gesta, LB_SETCURSEL, 0, 0);
    for (const NabizenaAkce& akce : nabizeneAkce) {
        const LRESULT index = ::SendMessageW(m_akce, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(akce.popis));
        if (index == CB_ERR || index == CB_ERRSPACE) VyhoditChybu(E_FAIL);
        if (::SendMessageW(m_akce, CB_SETITEMDATA, static_cast<WPARAM>(index), akce.kod) == CB_ERR)
            VyhoditChybu(E_INVALIDARG);
    }
    ZobrazitAkci();
    return TRUE;
}

void DlgNastavOknaAkce::ZobrazitAkci() {
    const LRESULT gesto = ::SendMessageW(m_gesta, LB_GETCURSEL, 0, 0);
    if (gesto == LB_ERR) return;
    const auto* pole = reinterpret_cast<const DWORD*>(::SendMessageW(m_gesta, LB_GETITEMDATA, static_cast<WPARAM>(gesto), 0));
    if (!pole || reinterpret_cast<LRESULT>(pole) == LB_ERR) return;
    const LRESULT pocet = ::SendMessageW(m_akce, CB_GETCOUNT, 0, 0);
    LRESULT vyber = -1;
    for (LRESULT i = 0; i < pocet; ++i)
        if (static_cast<DWORD>(::SendMessageW(m_akce, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == *pole) vyber = i;
    if (::SendMessageW(m_akce, CB_SETCURSEL, static_cast<WPARAM>(vyber), 0) == CB_ERR && vyber != -1)
        VyhoditChybu(E_INVALIDARG);
}

LRESULT DlgNastavOknaAkce::OnVyberGesta(WORD, WORD, HWND, BOOL&) {
    ZobrazitAkci();
    return 0;
}

LRESULT DlgNastavOknaAkce::OnVyberAkce(WORD, WORD, HWND, BOOL&) {
    const LRESULT gesto = ::SendMessageW(m_gesta, LB_GETCURSEL, 0, 0);
    const LRESULT akce = ::SendMessageW(m_akce, CB_GETCURSEL, 0, 0);
    if (gesto == LB_ERR || akce == CB_ERR) return 0;
    auto* pole = reinterpret_cast<DWORD*>(::SendMessageW(m_gesta, LB_GETITEMDATA, static_cast<WPARAM>(gesto), 0));
    if (!pole || reinterpret_cast<LRESULT>(pole) == LB_ERR) return 0;
    // at once: the running extension uses the new action without Apply
    *pole = static_cast<DWORD>(::SendMessageW(m_akce, CB_GETITEMDATA, static_cast<WPARAM>(akce), 0));
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

// ---------------------------------------------------------------------------------------------

void DlgNastavRozsireniOken::ZobrazitHodnotu(bool sProcenty) {
    const auto pozice = static_cast<unsigned>(
        ::SendDlgItemMessageW(m_hWnd, IDC_PRUHLEDNOST_POSUVNIK, TBM_GETPOS, 0, 0));
    const std::wstring text = sProcenty ? knihovna::Formatovat(L"%d %%", static_cast<int>(pozice))
                                        : knihovna::Formatovat(L"%u", pozice);
    ::SetDlgItemTextW(m_hWnd, IDC_PRUHLEDNOST_TEXT, text.c_str());
}

LRESULT DlgNastavRozsireniOken::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    const KonfiguraceRozsireniOken& n = Nastaveni();
    HWND posuvnik = Polozka(IDC_PRUHLEDNOST_POSUVNIK);
    ::SendMessageW(posuvnik, TBM_SETRANGE, TRUE, MAKELPARAM(5, 95));
    ::SendMessageW(posuvnik, TBM_SETTICFREQ, 5, 0);
    ::SendMessageW(posuvnik, TBM_SETPOS, TRUE, static_cast<LPARAM>(n.procentoPruhlednosti));
    ZobrazitHodnotu(false);
    ::CheckDlgButton(m_hWnd, IDC_INFORMOVAT_PO_SKRYTI, n.informovatPoSkryti ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

LRESULT DlgNastavRozsireniOken::OnHScroll(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    if (reinterpret_cast<HWND>(l) != Polozka(IDC_PRUHLEDNOST_POSUVNIK)) {
        zpracovano = FALSE;
        return 0;
    }
    ZobrazitHodnotu(false);
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}

LRESULT DlgNastavRozsireniOken::OnPusteni(int, NMHDR*, BOOL&) {
    ZobrazitHodnotu(true);
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
    return 0;
}
