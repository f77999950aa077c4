#include "screen/dlgopisakce.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/kontakty.h"
#include "knihovna/modul.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "screen/modulobrazovka.h"
#include "screen/opisemailem.h"

using knihovna::VyhoditChybu;

namespace {

// Shows an error of an action; the dialog goes on.
template <class F>
bool Zkusit(F&& akce) {
    try {
        akce();
        return true;
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    } catch (const std::bad_alloc&) {
        aplikace.ZobrazitChybuComPopis(knihovna::Chyba(E_OUTOFMEMORY));
    }
    return false;
}

}  // namespace

LRESULT DlgOpisObrazovkyAkce::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    if (l) soubor = reinterpret_cast<const wchar_t*>(l);
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    ::SetWindowTextW(m_hWnd, knihovna::Formatovat(L"Opis obrazovky (%s)", aplikace.titulek.c_str()).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_AKCE_SOUBOR, soubor.c_str());
    if (nastaveniObrazovka) ::SetDlgItemTextW(m_hWnd, IDC_AKCE_EMAIL, nastaveniObrazovka->opisEmail.email.Text().c_str());

    comboAkce = Polozka(IDC_AKCE_SEZNAM);
    knihovna::PridatPolozkuComboId(comboAkce, IDS_AKCE_OTEVRIT, AKCE_OPISU_OTEVRIT);
    knihovna::PridatPolozkuComboId(comboAkce, IDS_AKCE_UPRAVIT, AKCE_OPISU_UPRAVIT);
    knihovna::PridatPolozkuComboId(comboAkce, IDS_AKCE_VYTISKNOUT, AKCE_OPISU_TISK);
    knihovna::PridatPolozkuComboId(comboAkce, IDS_AKCE_ODESLAT, AKCE_OPISU_EMAIL);
    const DWORD vychozi = nastaveniObrazovka ? nastaveniObrazovka->opis.shellOtevrit : 0;
    const WPARAM vybrana = (vychozi >= 1 && vychozi <= 3) ? vychozi - 1 : 0;
    if (::SendMessageW(comboAkce, CB_SETCURSEL, vybrana, 0) == CB_ERR) VyhoditChybu(E_INVALIDARG);

    comboKontakty = Polozka(IDC_AKCE_KONTAKTY);
    // A copy: the contacts thread may reload or edit the list while this dialog is open.
    if (seznamKontaktu) m_kontakty = seznamKontaktu->Kopie();
    for (size_t i = 0; i < m_kontakty.size(); ++i)
        if (m_kontakty[i].email.size() > 5)
            knihovna::PridatPolozkuCombo(comboKontakty, m_kontakty[i].nazev.c_str(), static_cast<LPARAM>(i));
    if (::SendMessageW(comboKontakty, CB_GETCOUNT, 0, 0) > 0 &&
        ::SendMessageW(comboKontakty, CB_SETCURSEL, 0, 0) == CB_ERR)
        VyhoditChybu(E_INVALIDARG);
    Vycentrovat(::GetParent(m_hWnd));
    return TRUE;
}

void DlgOpisObrazovkyAkce::ProvestAkci() {
    const LPARAM akce = knihovna::ComboBox(comboAkce).NacistDataVybranePolozky();
    const wchar_t* sloveso = nullptr;
    switch (akce) {
        case AKCE_OPISU_OTEVRIT: sloveso = L"open"; break;
        case AKCE_OPISU_UPRAVIT: sloveso = L"edit"; break;
        case AKCE_OPISU_TISK: sloveso = L"print"; break;
        case AKCE_OPISU_EMAIL: OdeslatEmailem(); return;
        default: return;
    }
    HINSTANCE h = knihovna::spustitShell(nullptr, sloveso, soubor.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    if (reinterpret_cast<INT_PTR>(h) <= 32) knihovna::VyhoditPosledniChybu();
}

bool DlgOpisObrazovkyAkce::OdeslatEmailem() {
    std::wstring adresa;
    knihovna::NacistTextPrvku(m_hWnd, IDC_AKCE_EMAIL, adresa);
    HWND prijemce = oknoVysledku;
    if (!prijemce && modulObrazovka) prijemce = modulObrazovka->m_hWnd;
    return PozadovatOdeslaniOpisu(adresa, soubor, prijemce);
}

void DlgOpisObrazovkyAkce::PrevzitKontakt() {
    const LPARAM index = knihovna::ComboBox(comboKontakty).NacistDataVybranePolozky();
    if (index < 0 || static_cast<size_t>(index) >= m_kontakty.size()) return;
    const Kontakt& kontakt = m_kontakty[static_cast<size_t>(index)];
    if (kontakt.email.size() > 5) ::SetDlgItemTextW(m_hWnd, IDC_AKCE_EMAIL, kontakt.email.c_str());
}

LRESULT DlgOpisObrazovkyAkce::OnProvest(WORD, WORD, HWND, BOOL&) {
    Zkusit([this] { ProvestAkci(); });
    return 0;
}

LRESULT DlgOpisObrazovkyAkce::OnOk(WORD, WORD, HWND, BOOL&) {
    if (Zkusit([this] { ProvestAkci(); })) Ukoncit(IDOK);
    return 0;
}

LRESULT DlgOpisObrazovkyAkce::OnCancel(WORD, WORD, HWND, BOOL&) {
    Ukoncit(IDCANCEL);
    return 0;
}

LRESULT DlgOpisObrazovkyAkce::OnOdeslat(WORD, WORD, HWND, BOOL&) {
    Zkusit([this] { OdeslatEmailem(); });
    return 0;
}

LRESULT DlgOpisObrazovkyAkce::OnKontakt(WORD, WORD, HWND, BOOL&) {
    Zkusit([this] { PrevzitKontakt(); });
    return 0;
}
