#include "records/dlgregistraceheslo.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"

namespace {

std::wstring TextPrvku(HWND dialog, int id) {
    std::wstring text;
    knihovna::NacistTextPrvku(dialog, id, text);
    return text;
}

}  // namespace

DlgRegistraceHeslo::DlgRegistraceHeslo(Registrace* registrace, int index)
    : registrace(registrace), index(index), m_klic(knihovna::Retezec(IDS_POLOHA_DLG_REGISTRACE)) {
    NastavitKlic(aplikace.klicAplikace);
}

INT_PTR DlgRegistraceHeslo::Spustit(HWND vlastnik) {
    SpustitModalne(vlastnik, reinterpret_cast<LPARAM>(registrace));
    return vysledek;
}

LRESULT DlgRegistraceHeslo::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    if (l) registrace = reinterpret_cast<Registrace*>(l);
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    ::SetWindowTextW(m_hWnd, knihovna::Formatovat(L"Úprava registrace - %s", aplikace.titulek.c_str()).c_str());
    if (!registrace) {
        Ukoncit2(IDCANCEL);
        return TRUE;
    }
    odkaz.Pripojit(Polozka(IDC_REGISTRACE_ODKAZ));
    m_odkazPripojen = true;
    tooltip.Vytvorit(m_hWnd);
    tooltip.PridatNastrojId(odkaz.m_hWnd, IDS_TIP_OTEVRIT_URL);
    ::SetDlgItemTextW(m_hWnd, IDC_ZOBRAZENY_NAZEV, registrace->nazev.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_REGISTRACE_HESLO, registrace->heslo.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_REGISTRACE_INFO, registrace->info.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_REGISTRACE_JMENO, registrace->prihlasovaciJmeno.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_REGISTRACE_URL, registrace->url.c_str());
    PouzitUrl();
    m_znakHesla = static_cast<wchar_t>(::SendDlgItemMessageW(m_hWnd, IDC_REGISTRACE_HESLO, EM_GETPASSWORDCHAR, 0, 0));
    if (!m_znakHesla) m_znakHesla = L'*';
    const bool zobrazit = nastaveniSeznamRegistraci && nastaveniSeznamRegistraci->zobrazovatHeslo;
    ::CheckDlgButton(m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO, zobrazit ? BST_CHECKED : BST_UNCHECKED);
    PouzitZobrazeniHesla();
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), FALSE);
    if (ObnovitPolohu(m_klic.c_str(), true) != 0) Vycentrovat(nullptr);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void DlgRegistraceHeslo::PouzitUrl() {
    const std::wstring url = TextPrvku(m_hWnd, IDC_REGISTRACE_URL);
    HWND stitek = Polozka(IDC_REGISTRACE_ODKAZ);
    LONG styl = ::GetWindowLongW(stitek, GWL_STYLE) & ~(SS_TYPEMASK | SS_NOTIFY);
    if (url.size() >= 5) {
        styl |= SS_OWNERDRAW | SS_NOTIFY;
        if (m_odkazPripojen) odkaz.NastavitUrl(url.c_str());
    } else {
        styl |= SS_LEFT;
    }
    ::SetWindowLongW(stitek, GWL_STYLE, styl);
    ::InvalidateRect(stitek, nullptr, TRUE);
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), TRUE);
}

void DlgRegistraceHeslo::PouzitZobrazeniHesla() {
    const bool zobrazit = ::IsDlgButtonChecked(m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO) == BST_CHECKED;
    ::SendDlgItemMessageW(m_hWnd, IDC_REGISTRACE_HESLO, EM_SETPASSWORDCHAR, zobrazit ? 0 : m_znakHesla, 0);
    if (nastaveniSeznamRegistraci) nastaveniSeznamRegistraci->zobrazovatHeslo = zobrazit;
    ::InvalidateRect(Polozka(IDC_REGISTRACE_HESLO), nullptr, TRUE);
}

bool DlgRegistraceHeslo::Pouzit() {
    if (!registrace) return false;
    Registrace nova = *registrace;
    nova.heslo = TextPrvku(m_hWnd, IDC_REGISTRACE_HESLO);
    nova.info = TextPrvku(m_hWnd, IDC_REGISTRACE_INFO);
    nova.prihlasovaciJmeno = TextPrvku(m_hWnd, IDC_REGISTRACE_JMENO);
    nova.url = TextPrvku(m_hWnd, IDC_REGISTRACE_URL);
    const std::wstring nazev = TextPrvku(m_hWnd, IDC_ZOBRAZENY_NAZEV);
    // The file has no escaping: a value that would read back differently is not taken.
    for (const std::wstring* text : std::initializer_list<const std::wstring*>{&nova.heslo, &nova.info, &nova.prihlasovaciJmeno, &nova.url, &nazev}) {
        if (ObsahujeZnackuFormatu(*text, ZnackyRegistraci())) {
            aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_ZNACKA_FORMATU), MB_ICONERROR);
            return false;
        }
    }
    const int nalezeno = seznamRegistraci ? seznamRegistraci->NajitPodleNazvu(nazev) : -1;
    // the own entry is the one the copy came from, wherever the list has it now
    const int vlastni =
        registrace->identita && seznamRegistraci ? seznamRegistraci->NajitPodleIdentity(registrace->identita) : index;
    if (nalezeno < 0) {
        nova.nazev = nazev;
    } else if (nalezeno != vlastni) {
        aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_REGISTRACE_NAZEV_EXISTUJE), MB_ICONERROR);
        ::SetDlgItemTextW(m_hWnd, IDC_ZOBRAZENY_NAZEV, registrace->nazev.c_str());
    }
    *registrace = nova;
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), FALSE);
    return true;
}

void DlgRegistraceHeslo::Ukoncit2(INT_PTR kod) {
    vysledek = kod;
    Ukoncit(kod);
}

LRESULT DlgRegistraceHeslo::OnOk(WORD, WORD, HWND, BOOL&) {
    if (!Pouzit()) return 0;
    UlozitPolohu(m_klic.c_str());
    Ukoncit2(IDOK);
    return 0;
}

LRESULT DlgRegistraceHeslo::OnStorno(WORD, WORD, HWND, BOOL&) {
    UlozitPolohu(m_klic.c_str());
    Ukoncit2(IDCANCEL);
    return 0;
}

LRESULT DlgRegistraceHeslo::OnPouzit(WORD, WORD, HWND, BOOL&) {
    Pouzit();
    return 0;
}

LRESULT DlgRegistraceHeslo::OnZobrazitHeslo(WORD, WORD, HWND, BOOL&) {
    PouzitZobrazeniHesla();
    return 0;
}

LRESULT DlgRegistraceHeslo::OnZmenaUrl(WORD, WORD, HWND, BOOL&) {
    PouzitUrl();
    return 0;
}

LRESULT DlgRegistraceHeslo::OnZmena(WORD, WORD id, HWND, BOOL&) {
    if (id == IDC_ZOBRAZENY_NAZEV || id == IDC_REGISTRACE_JMENO || id == IDC_REGISTRACE_HESLO || id == IDC_REGISTRACE_INFO)
        ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), TRUE);
    return 0;
}
