#include "notes/oknopoznamkyzvuk.h"

#include <mmsystem.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "core/dialogy.h"
#include "notes/zaznamzvuku.h"
#include "resources/resource.h"

using knihovna::Overit;

OknoPoznamkyZvuk* oknoPoznamkyZvuk = nullptr;

namespace {

constexpr int OBRAZEK_ZVUKOVYCH = 60;
constexpr UINT STRANKA_ZVUKOVE = 127;

const int tlacitkaToolbaru[][2] = {
    {40071, 40}, {40072, 41}, {40073, 86}, {40069, 56}, {40070, 16}, {0, 0},
    {40002, 1},  {0, 0},      {40003, 3},  {0, 0},      {40026, 0},
};

// Removes a recording that did not become a note.
void SmazatDocasnySoubor(const std::wstring& soubor) {
    if (!soubor.empty()) ::DeleteFileW(soubor.c_str());
}

}  // namespace

OknoPoznamkyZvuk::OknoPoznamkyZvuk() : m_trida(knihovna::Retezec(IDS_TRIDA_POZNAMKY_ZVUKOVE)) {
    m_zvukove = true;
    NastavitKlic(aplikace.klicAplikace);
    NacistIkonu(OBRAZEK_ZVUKOVYCH);
}

OknoPoznamkyZvuk::~OknoPoznamkyZvuk() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void OknoPoznamkyZvuk::Vytvorit() {
    DWORD styl = 0, rozsireny = 0;
    StylOkna(PriznakyOknaSeznamu(true), styl, rozsireny);
    const std::wstring titulek = knihovna::Formatovat(L"Zvukové poznámky - %s", aplikace.titulek.c_str());
    const RECT obdelnik{0, 0, 260, 480};
    OknoImpl::Vytvorit(nullptr, &obdelnik, titulek.c_str(), styl, rozsireny, m_trida.c_str());
    DokoncitVytvoreni(tlacitkaToolbaru, sizeof(tlacitkaToolbaru) / sizeof(tlacitkaToolbaru[0]));
}

void OknoPoznamkyZvuk::Prehrat() {
    const int index = VybranaPoznamka();
    if (index < 0 || !seznamZvukovychPoznamek) {
        ::SetFocus(seznam.m_hWnd);
        return;
    }
    const std::wstring cesta = seznamZvukovychPoznamek->Cesta(index);
    ::PlaySoundW(cesta.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

void OknoPoznamkyZvuk::NovaPoznamka() {
    if (dlgZaznamZvukovePoznamky) {
        if (dlgZaznamZvukovePoznamky->m_hWnd) ::SetForegroundWindow(dlgZaznamZvukovePoznamky->m_hWnd);
        return;
    }
    // The recording lands in a file of its own outside the notes folder; only a named note is
    // moved into the folder, so no earlier recording and no note is ever overwritten unasked.
    std::wstring docasny = VytvoritDocasnySouborZaznamu();
    struct Uklid {
        std::wstring& soubor;
        ~Uklid() { SmazatDocasnySoubor(soubor); }
    } uklid{docasny};
    INT_PTR vysledek = IDCANCEL;
    {
        DlgZaznamZvukovePoznamky dialog(docasny);
        dlgZaznamZvukovePoznamky = &dialog;
        struct Zapomenout {
            ~Zapomenout() { dlgZaznamZvukovePoznamky = nullptr; }
        } zapomenout;
        vysledek = dialog.SpustitModalne(m_hWnd);
    }
    if (vysledek != IDOK) return;

    const std::wstring slozka = SlozkaSeznamu(true);
    std::wstring nazev = L"Nová poznámka";
    for (;;) {
        if (!ZadatTextId(nazev, IDS_NAZEV_NOVE_ZVUKOVE_POZNAMKY)) return;
        if (!OveritNazevPoznamky(nazev)) continue;
        const std::wstring cil = CestaPoznamky(slozka, nazev, PRIPONA_ZVUKOVE);
        if (cil.size() >= MAX_PATH) {
            aplikace.ZobrazitZpravuId(IDS_DLOUHY_NAZEV_POZNAMKY, MB_ICONERROR);
            continue;
        }
        if (::PathFileExistsW(cil.c_str()) && !aplikace.OtazkaId(IDS_OTAZKA_PREPSAT_POZNAMKU, false, true)) continue;
        if (!::PathFileExistsW(slozka.c_str()) && !::CreateDirectoryW(slozka.c_str(), nullptr)) {
            aplikace.ZobrazitChybuId(0);
            continue;
        }
        if (!::MoveFileExW(docasny.c_str(), cil.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
            aplikace.ZobrazitChybuId(0);
            continue;
        }
        docasny.clear();  // it is the note now
        break;
    }
    if (seznamZvukovychPoznamek) {
        seznamZvukovychPoznamek->NacistZvukovePoznamky();
        NaplnitSeznam(-1);
    }
    ::SetFocus(seznam.m_hWnd);
}

LRESULT OknoPoznamkyZvuk::OnKlavesa(UINT, WPARAM w, LPARAM l, BOOL&) {
    switch (w) {
        case VK_RETURN:
            if (reinterpret_cast<HWND>(l) == seznam.m_hWnd) Prehrat();
            break;
        case VK_PAUSE: ::PlaySoundW(nullptr, nullptr, 0); break;
        case VK_INSERT: NovaPoznamka(); break;
        default: ZpracovatKlavesuSeznamu(w); break;
    }
    return 0;
}

LRESULT OknoPoznamkyZvuk::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = LOWORD(w);
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    switch (id) {
        case 40071: Prehrat(); return 0;
        case 40072: ::PlaySoundW(nullptr, nullptr, 0); return 0;
        case 40073: NovaPoznamka(); return 0;
        default: break;
    }
    if (ZpracovatPrikazSeznamu(id, STRANKA_ZVUKOVE)) return 0;
    return VychoziZpracovani(msg, w, l);
}
