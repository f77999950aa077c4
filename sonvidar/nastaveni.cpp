#include "nastaveni.h"

#include <vector>

#include "resource.h"

namespace Brenvald_Sonvidar {

using Knihovna::Formatovat;
using Knihovna::KlicRegistru;

DlgNastavZaznamZvuku* dlgNastavZaznamZvuku = nullptr;
DlgNastavZaznamVidea* dlgNastavZaznamVidea = nullptr;

namespace {
const wchar_t* const VYCHOZI_PROFIL_ZVUKU = L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)";
const wchar_t* const VYCHOZI_PROFIL_VIDEA = L"Windows Media Video 8 for Local Area Network (768 Kbps)";
const wchar_t* const VYCHOZI_ZVUKOVE_ZARIZENI = L"Default_Audio_Device";
const wchar_t* const VYCHOZI_VIDEO_ZARIZENI = L"Default_Video_Device";

HWND Prvek(HWND dialog, int id) {
    HWND h = ::GetDlgItem(dialog, id);
    if (!h) Knihovna::Vyhodit(E_HANDLE);
    return h;
}

void NastavitZaskrtnuti(HWND dialog, int id, bool zapnuto) {
    Prvek(dialog, id);
    ::CheckDlgButton(dialog, id, zapnuto ? BST_CHECKED : BST_UNCHECKED);
}

bool Zaskrtnuto(HWND dialog, int id) {
    Prvek(dialog, id);
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void ZahajitDialog(Knihovna::Okno& dialog, UINT idTitulku) {
    ::SetWindowTextW(dialog.m_hWnd, Formatovat(Knihovna::Retezec(idTitulku).c_str(), Knihovna::modul.titulek.c_str()).c_str());
    ::SendMessageW(dialog.m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Knihovna::modul.velkaIkona));
    ::SendMessageW(dialog.m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Knihovna::modul.malaIkona));
}

// The input lines with their list index; the stored line is searched by its whole text.
void NaplnitLinky(Knihovna::ComboBox& combo, HWND h, const std::wstring& vybrana) {
    combo.Pripojit(h);
    ::SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < seznamVstupnichLinek.Pocet(); ++i)
        combo.PridatText(seznamVstupnichLinek.Polozka(i), static_cast<LPARAM>(i));
    combo.VybratText(vybrana, true);  // not found: no selection
}

void PrepnoutNyni(Knihovna::ComboBox& linka) {
    std::wstring nazev;
    linka.NacistVybranyText(nazev);
    PrepnoutVstupniLinku(nazev);
}

// A combo without selection keeps the old value.
void PrevzitVyber(const Knihovna::ComboBox& combo, std::wstring& hodnota) { combo.NacistVybranyText(hodnota); }

// The input line and the three checks both settings dialogs share.
template <class Nastaveni>
void ZobrazitSpolecne(HWND dialog, Knihovna::ComboBox& linka, const Nastaveni& n) {
    NaplnitLinky(linka, Prvek(dialog, IDC_VSTUPNI_LINKA), n.ovladacHlasitosti);
    NastavitZaskrtnuti(dialog, IDC_PREPNOUT_OVLADAC, n.prepnoutOvladac);
    NastavitZaskrtnuti(dialog, IDC_ZPRAVA_IKONA, n.zpravaIkona);
    NastavitZaskrtnuti(dialog, IDC_KONEC_NA_KLIK, n.konecNaKlik);
}

template <class Nastaveni>
void PrevzitSpolecne(HWND dialog, const Knihovna::ComboBox& linka, Nastaveni& n) {
    PrevzitVyber(linka, n.ovladacHlasitosti);
    n.prepnoutOvladac = Zaskrtnuto(dialog, IDC_PREPNOUT_OVLADAC);
    n.zpravaIkona = Zaskrtnuto(dialog, IDC_ZPRAVA_IKONA);
    n.konecNaKlik = Zaskrtnuto(dialog, IDC_KONEC_NA_KLIK);
}
}  // namespace

// ---------------------------------------------------------------------------------------------

void AplikaceZaznamu::VychoziNastaveniZvuku() {
    zvuk.konecNaKlik = false;
    zvuk.prepnoutOvladac = true;
    zvuk.profil = VYCHOZI_PROFIL_ZVUKU;
    zvuk.zarizeni = VYCHOZI_ZVUKOVE_ZARIZENI;
    zvuk.zpravaIkona = true;
    zvuk.ikona = true;
}

void AplikaceZaznamu::VychoziNastaveniVidea() {
    video.konecNaKlik = false;
    video.prepnoutOvladac = true;
    video.profilVideo = VYCHOZI_PROFIL_VIDEA;
    video.profilZvuk = VYCHOZI_PROFIL_ZVUKU;
    video.zarizeniVideo = VYCHOZI_VIDEO_ZARIZENI;
    video.zarizeniZvuk = VYCHOZI_ZVUKOVE_ZARIZENI;
    video.zpravaIkona = true;
    video.ikona = true;
}

namespace {
// The stored values of each settings group in their registry order (the tray icon is never stored).
template <class F>
void ProjitUlozene(NastaveniZvuku& n, F&& f) {
    f(L"konecNaKlik", n.konecNaKlik);
    f(L"ovladacHlasitosti", n.ovladacHlasitosti);
    f(L"prepnoutOvladac", n.prepnoutOvladac);
    f(L"profil", n.profil);
    f(L"zarizeni", n.zarizeni);
    f(L"zpravaIkona", n.zpravaIkona);
}

template <class F>
void ProjitUlozene(NastaveniVidea& n, F&& f) {
    f(L"konecNaKlik", n.konecNaKlik);
    f(L"ovladacHlasitosti", n.ovladacHlasitosti);
    f(L"prepnoutOvladac", n.prepnoutOvladac);
    f(L"profilVideo", n.profilVideo);
    f(L"profilZvuk", n.profilZvuk);
    f(L"zarizeniVideo", n.zarizeniVideo);
    f(L"zarizeniZvuk", n.zarizeniZvuk);
    f(L"zpravaIkona", n.zpravaIkona);
}

// Each value on its own: one that cannot be read keeps its default and is listed.
struct CteniHodnoty {
    KlicRegistru& klic;
    std::vector<std::wstring>& poskozene;
    HRESULT& prvniChyba;
    template <class T>
    void operator()(const wchar_t* nazev, T& hodnota) const {
        try {
            Precist(nazev, hodnota);
        } catch (const Knihovna::Chyba& chyba) {
            poskozene.push_back(nazev);
            if (SUCCEEDED(prvniChyba)) prvniChyba = chyba.Hr();
        }
    }
    void Precist(const wchar_t* nazev, bool& hodnota) const { klic.CistBool(nazev, hodnota); }
    void Precist(const wchar_t* nazev, std::wstring& hodnota) const { klic.CistText(nazev, hodnota); }
};

}  // namespace

bool NutnaProZaznam(const wchar_t* nazev, bool videa) {
    static const wchar_t* const zvuk[] = {L"profil", L"zarizeni", nullptr};
    static const wchar_t* const video[] = {L"profilVideo", L"zarizeniVideo", L"zarizeniZvuk", nullptr};
    for (const wchar_t* const* nutna = videa ? video : zvuk; *nutna; ++nutna)
        if (wcscmp(nazev, *nutna) == 0) return true;
    return false;
}

namespace {
struct ZapisHodnoty {
    KlicRegistru& klic;
    void operator()(const wchar_t* nazev, bool& hodnota) const { klic.ZapsatBool(nazev, hodnota); }
    void operator()(const wchar_t* nazev, std::wstring& hodnota) const { klic.ZapsatText(nazev, hodnota); }
};

template <class Nastaveni>
void NacistNastaveni(const wchar_t* sekce, Nastaveni& n, std::vector<std::wstring>& poskozene) {
    poskozene.clear();
    KlicRegistru klic;
    klic.Otevrit(sekce);
    HRESULT prvniChyba = S_OK;
    ProjitUlozene(n, CteniHodnoty{klic, poskozene, prvniChyba});
    klic.Zavrit();
    if (FAILED(prvniChyba)) Knihovna::Vyhodit(prvniChyba);
}

template <class Nastaveni>
void UlozitNastaveni(const wchar_t* sekce, Nastaveni& n) {
    KlicRegistru klic;
    klic.Otevrit(sekce);
    ProjitUlozene(n, ZapisHodnoty{klic});
    klic.Zavrit();
}
}  // namespace

void AplikaceZaznamu::NacistNastaveniZvuku() { NacistNastaveni(sekceZvuku, zvuk, poskozeneHodnoty); }
void AplikaceZaznamu::NacistNastaveniVidea() { NacistNastaveni(sekceVidea, video, poskozeneHodnoty); }
void AplikaceZaznamu::UlozitNastaveniZvuku() { UlozitNastaveni(sekceZvuku, zvuk); }
void AplikaceZaznamu::UlozitNastaveniVidea() { UlozitNastaveni(sekceVidea, video); }

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavZaznamZvuku::Zpracovat(UINT msg, WPARAM w, LPARAM, bool& zpracovano) {
    NastaveniZvuku& n = aplikace.zvuk;
    switch (msg) {
        case WM_INITDIALOG:
            ZahajitDialog(*this, IDS_NASTAVENI_ZVUKU);
            m_zarizeni.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_ZARIZENI), seznamZarizeniZvuku, n.zarizeni);
            m_profil.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_PROFIL), seznamProfiluZvuku, n.profil);
            ZobrazitSpolecne(m_hWnd, m_linka, n);
            Vycentrovat();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(w)) {
                case IDOK:
                    PrevzitVyber(m_zarizeni, n.zarizeni);
                    PrevzitVyber(m_profil, n.profil);
                    PrevzitSpolecne(m_hWnd, m_linka, n);
                    aplikace.UlozitNastaveniZvuku();
                    ::EndDialog(m_hWnd, IDOK);
                    return 0;
                case IDCANCEL: ::EndDialog(m_hWnd, IDCANCEL); return 0;
                case IDC_PREPNOUT_NYNI: PrepnoutNyni(m_linka); return 0;
                default: break;
            }
            break;
        default: break;
    }
    zpracovano = false;
    return 0;
}

LRESULT DlgNastavZaznamVidea::Zpracovat(UINT msg, WPARAM w, LPARAM, bool& zpracovano) {
    NastaveniVidea& n = aplikace.video;
    switch (msg) {
        case WM_INITDIALOG:
            ZahajitDialog(*this, IDS_NASTAVENI_VIDEA);
            m_zarizeniZvuk.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_ZARIZENI_ZVUK), seznamZarizeniZvuku, n.zarizeniZvuk);
            m_profilZvuk.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_PROFIL_ZVUK), seznamProfiluZvuku, n.profilZvuk);
            m_zarizeniVideo.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_ZARIZENI_VIDEO), seznamZarizeniVidea, n.zarizeniVideo);
            m_profilVideo.NaplnitZeSeznamu(Prvek(m_hWnd, IDC_PROFIL_VIDEO), seznamProfiluVidea, n.profilVideo);
            ZobrazitSpolecne(m_hWnd, m_linka, n);
            Vycentrovat();
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(w)) {
                case IDOK:
                    PrevzitVyber(m_zarizeniZvuk, n.zarizeniZvuk);
                    PrevzitVyber(m_profilZvuk, n.profilZvuk);
                    PrevzitVyber(m_zarizeniVideo, n.zarizeniVideo);
                    PrevzitVyber(m_profilVideo, n.profilVideo);
                    PrevzitSpolecne(m_hWnd, m_linka, n);
                    aplikace.UlozitNastaveniVidea();
                    ::EndDialog(m_hWnd, IDOK);
                    return 0;
                case IDCANCEL: ::EndDialog(m_hWnd, IDCANCEL); return 0;
                case IDC_PREPNOUT_NYNI: PrepnoutNyni(m_linka); return 0;
                default: break;
            }
            break;
        default: break;
    }
    zpracovano = false;
    return 0;
}

}  // namespace Brenvald_Sonvidar
