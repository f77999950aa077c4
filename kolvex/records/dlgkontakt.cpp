#include "records/dlgkontakt.h"

#include <uxtheme.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "knihovna/text.h"
#include "records/seznamregistraci.h"

namespace {

struct PolePrvku {
    int id;
    std::wstring Kontakt::*clen;
};
const PolePrvku OBECNE[] = {
    {IDC_KONTAKT_JMENO, &Kontakt::jmeno}, {IDC_KONTAKT_PRIJMENI, &Kontakt::prijmeni}, {IDC_KONTAKT_EMAIL, &Kontakt::email},
    {IDC_KONTAKT_SKYPE, &Kontakt::skype}, {IDC_KONTAKT_ICQ, &Kontakt::icq},           {IDC_KONTAKT_MSN, &Kontakt::msn},
    {IDC_KONTAKT_TELEFON, &Kontakt::telefon}, {IDC_KONTAKT_WWW, &Kontakt::www},
};
const PolePrvku INFO[] = {{IDC_KONTAKT_ADRESA, &Kontakt::adresa}, {IDC_KONTAKT_INFO, &Kontakt::info}};

std::wstring TextPrvku(HWND dialog, int id) {
    std::wstring text;
    knihovna::NacistTextPrvku(dialog, id, text);
    return text;
}

template <size_t N>
void Naplnit(HWND stranka, const Kontakt* kontakt, const PolePrvku (&pole)[N]) {
    ::EnableThemeDialogTexture(stranka, ETDT_ENABLETAB);
    if (!kontakt) return;
    for (const PolePrvku& p : pole) ::SetDlgItemTextW(stranka, p.id, (kontakt->*p.clen).c_str());
}

template <size_t N>
void Precist(HWND stranka, Kontakt& kontakt, const PolePrvku (&pole)[N]) {
    for (const PolePrvku& p : pole) kontakt.*p.clen = TextPrvku(stranka, p.id);
}

}  // namespace

const std::vector<std::wstring>& ZnackyKontaktu() {
    static const std::vector<std::wstring> znacky = {L"kontakt", L"adresa", L"email", L"icq", L"info", L"jmeno",
                                                     L"msn", L"nazev", L"prijmeni", L"skype", L"telefon", L"www"};
    return znacky;
}

void DlgKontaktObecne::Naplnit() { ::Naplnit(m_hWnd, kontakt, OBECNE); }

void DlgKontaktInfo::Naplnit() { ::Naplnit(m_hWnd, kontakt, INFO); }

// ---------------------------------------------------------------------------------------------

DlgKontakt::DlgKontakt(Kontakt* kontakt, int index)
    : kontakt(kontakt), index(index), m_klic(knihovna::Retezec(IDS_POLOHA_DLG_KONTAKT)) {
    NastavitKlic(aplikace.klicAplikace);
}

DlgKontakt::~DlgKontakt() {
    obecne.reset();
    info.reset();
}

INT_PTR DlgKontakt::Spustit(HWND vlastnik) {
    SpustitModalne(vlastnik, reinterpret_cast<LPARAM>(kontakt));
    return vysledek;
}

LRESULT DlgKontakt::OnInitDialog(UINT, WPARAM, LPARAM l, BOOL&) {
    if (l) kontakt = reinterpret_cast<Kontakt*>(l);
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    ::SetWindowTextW(m_hWnd, knihovna::Formatovat(L"Úprava kontaktu - %s", aplikace.titulek.c_str()).c_str());
    if (!kontakt) {
        Ukoncit2(IDCANCEL);
        return TRUE;
    }
    zalozky.Pripojit(Polozka(IDC_KONTAKT_ZALOZKY), aplikace.seznamMenu.Get());
    zalozky.VlozitPolozku(0, L"Obecné");
    zalozky.VlozitPolozku(1, L"Další informace");
    obecne = std::make_unique<DlgKontaktObecne>(kontakt);
    info = std::make_unique<DlgKontaktInfo>(kontakt);
    obecne->Vytvorit(m_hWnd);
    info->Vytvorit(m_hWnd);
    RECT r;
    knihovna::Overit(::GetWindowRect(zalozky.m_hWnd, &r) != 0);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    zalozky.Poslat(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    for (HWND stranka : {obecne->m_hWnd, info->m_hWnd})
        ::SetWindowPos(stranka, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // the pages above the tab control in the z-order, so that they receive the clicks
    ::SetWindowPos(zalozky.m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ZobrazitStranku(static_cast<int>(zalozky.Poslat(TCM_GETCURSEL)));
    ::SetDlgItemTextW(m_hWnd, IDC_ZOBRAZENY_NAZEV, kontakt->nazev.c_str());
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), FALSE);
    if (ObnovitPolohu(m_klic.c_str(), true) != 0) Vycentrovat(nullptr);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void DlgKontakt::ZobrazitStranku(int zalozka) {
    if (!obecne || !info) return;
    ::ShowWindow(obecne->m_hWnd, SW_HIDE);
    ::ShowWindow(info->m_hWnd, SW_HIDE);
    ::ShowWindow(zalozka == 1 ? info->m_hWnd : obecne->m_hWnd, SW_SHOW);
}

bool DlgKontakt::Pouzit() {
    if (!kontakt || !obecne || !info) return false;
    Kontakt novy = *kontakt;
    Precist(info->m_hWnd, novy, INFO);
    Precist(obecne->m_hWnd, novy, OBECNE);
    const std::wstring nazev = TextPrvku(m_hWnd, IDC_ZOBRAZENY_NAZEV);
    // The file has no escaping: a value that would read back differently is not taken.
    bool znacka = ObsahujeZnackuFormatu(nazev, ZnackyKontaktu());
    for (const PolePrvku& p : OBECNE) znacka = znacka || ObsahujeZnackuFormatu(novy.*p.clen, ZnackyKontaktu());
    for (const PolePrvku& p : INFO) znacka = znacka || ObsahujeZnackuFormatu(novy.*p.clen, ZnackyKontaktu());
    if (znacka) {
        aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_ZNACKA_FORMATU), MB_ICONERROR);
        return false;
    }
    const int nalezeno = seznamKontaktu ? seznamKontaktu->NajitPodleNazvu(nazev) : -1;
    // the own record is the one the copy came from, wherever the store has it now
    const int vlastni = kontakt->identita && seznamKontaktu ? seznamKontaktu->NajitPodleIdentity(kontakt->identita) : index;
    if (nalezeno < 0) {
        novy.nazev = nazev;
    } else if (nalezeno != vlastni) {
        aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_KONTAKT_NAZEV_EXISTUJE), MB_ICONERROR);
        ::SetDlgItemTextW(m_hWnd, IDC_ZOBRAZENY_NAZEV, kontakt->nazev.c_str());
    }
    *kontakt = novy;
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), FALSE);
    return true;
}

void DlgKontakt::Ukoncit2(INT_PTR kod) {
    vysledek = kod;
    Ukoncit(kod);
}

LRESULT DlgKontakt::OnZmenaStranky(UINT, WPARAM, LPARAM, BOOL&) {
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), TRUE);
    return 0;
}

LRESULT DlgKontakt::OnZmenaNazvu(WORD, WORD, HWND, BOOL&) {
    ::EnableWindow(Polozka(IDC_NASTAVENI_POUZIT), TRUE);
    return 0;
}

LRESULT DlgKontakt::OnOk(WORD, WORD, HWND, BOOL&) {
    if (!Pouzit()) return 0;
    UlozitPolohu(m_klic.c_str());
    Ukoncit2(IDOK);
    return 0;
}

LRESULT DlgKontakt::OnStorno(WORD, WORD, HWND, BOOL&) {
    UlozitPolohu(m_klic.c_str());
    Ukoncit2(IDCANCEL);
    return 0;
}

LRESULT DlgKontakt::OnPouzit(WORD, WORD, HWND, BOOL&) {
    Pouzit();
    return 0;
}

LRESULT DlgKontakt::OnZalozka(int, NMHDR*, BOOL&) {
    ZobrazitStranku(static_cast<int>(zalozky.Poslat(TCM_GETCURSEL)));
    return 0;
}
