#include "notes/oknopoznamkyzvuk.h"

#include <mmsystem.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfigurace.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/modul.h"
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
    {40002, 1},  {0, 0},      {40003, 3},  {0, 0},      {40026, 19},
};

// Removes a recording that did not become a note.
void SmazatDocasnySoubor(const std::wstring& soubor) {
    if (!soubor.empty()) ::DeleteFileW(soubor.c_str());
}

// A saved recording that got no name goes to the notes folder as "temp.wav" ("temp 2.wav" and on
// while such a file exists, so an earlier one is never replaced); where the folder cannot take
// it, it stays in its temporary file. Returns the file that holds it.
std::wstring UschovatNepojmenovanyZaznam(const std::wstring& docasny, const std::wstring& slozka) {
    if (slozka.empty() || (!::PathIsDirectoryW(slozka.c_str()) && !::CreateDirectoryW(slozka.c_str(), nullptr)))
        return docasny;
    for (int i = 1; i < 1000; ++i) {
        const std::wstring nazev = i == 1 ? std::wstring(L"temp") : knihovna::Formatovat(L"temp %d", i);
        const std::wstring cil = CestaPoznamky(slozka, nazev, PRIPONA_ZVUKOVE);
        if (cil.size() >= MAX_PATH) break;
        if (::MoveFileExW(docasny.c_str(), cil.c_str(), MOVEFILE_COPY_ALLOWED)) return cil;
        const DWORD kod = ::GetLastError();
        if (kod != ERROR_ALREADY_EXISTS && kod != ERROR_FILE_EXISTS) break;
    }
    return docasny;
}

// A recording kept while the program ended is told at the next start of the notes: the value
// holds its file (one a line, should more have piled up).
const wchar_t* const USCHOVANY_ZAZNAM = L"uschovanyZaznam";

void ZapamatovatUschovanyZaznam(const std::wstring& soubor) {
    if (!nastaveniPoznamky) return;
    try {
        KonfiguraceZapis zapis;
        KlicKonfigurace& klic = zapis.Klic();
        klic.OtevritSekci(nastaveniPoznamky->sekceZvukove, true);
        std::wstring seznam;
        try {
            klic.NacistText(USCHOVANY_ZAZNAM, seznam);
        } catch (const knihovna::Chyba&) {
            seznam.clear();  // a damaged value is replaced
        }
        klic.ZapsatText(USCHOVANY_ZAZNAM, seznam.empty() ? soubor : seznam + L"\n" + soubor);
        klic.Zavrit();
    } catch (const knihovna::Chyba&) {
        // the program ends: the file stays in the notes folder all the same
    }
}

}  // namespace

void OznamitUschovanyZaznam() {
    if (!nastaveniPoznamky || knihovna::KonciRelace()) return;
    std::wstring seznam;
    try {
        KonfiguraceZapis zapis;
        KlicKonfigurace& klic = zapis.Klic();
        klic.OtevritSekci(nastaveniPoznamky->sekceZvukove, true);
        try {
            klic.NacistText(USCHOVANY_ZAZNAM, seznam);
        } catch (const knihovna::Chyba&) {
            seznam.clear();
        }
        // Dropped before the box: the note is told once, even when the program ends under the box.
        const LONG vysledek = ::RegDeleteValueW(klic.Klic(), USCHOVANY_ZAZNAM);
        if (vysledek != ERROR_SUCCESS && vysledek != ERROR_FILE_NOT_FOUND) return;
        klic.Zavrit();
    } catch (const knihovna::Chyba&) {
        return;
    }
    // Only files still there (the user may have moved them meanwhile).
    std::wstring soubory;
    for (size_t zacatek = 0; zacatek < seznam.size();) {
        size_t konec = seznam.find(L'\n', zacatek);
        if (konec == std::wstring::npos) konec = seznam.size();
        const std::wstring soubor = seznam.substr(zacatek, konec - zacatek);
        if (!soubor.empty() && ::PathFileExistsW(soubor.c_str())) soubory += (soubory.empty() ? L"" : L"\n") + soubor;
        zacatek = konec + 1;
    }
    if (soubory.empty()) return;
    aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_ZAZNAM_PRI_UKONCENI).c_str(), soubory.c_str()),
                            MB_ICONINFORMATION);
}

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
    if (dlgZaznamZvukovePoznamky || BeziModalniSmycka()) {
        if (dlgZaznamZvukovePoznamky && dlgZaznamZvukovePoznamky->m_hWnd)
            ::SetForegroundWindow(dlgZaznamZvukovePoznamky->m_hWnd);
        else
            ZobrazitModalniOkno();
        return;
    }
    ModalniSmycka smycka(*this);  // the window stays while the dialog and the prompt run
    const HWND okno = m_hWnd;
    // The recording lands in a file of its own outside the notes folder; only a named note is
    // moved into the folder, so no earlier recording and no note is ever overwritten unasked.
    std::wstring docasny = VytvoritDocasnySouborZaznamu();
    struct Uklid {
        std::wstring& soubor;
        ~Uklid() { SmazatDocasnySoubor(soubor); }
    } uklid{docasny};
    bool ulozeno = false;
    {
        DlgZaznamZvukovePoznamky dialog(docasny);
        dlgZaznamZvukovePoznamky = &dialog;
        struct Zapomenout {
            ~Zapomenout() { dlgZaznamZvukovePoznamky = nullptr; }
        } zapomenout;
        // A dialog destroyed with its owner (the module stopping) ends its loop with 0 even
        // after "Uložit": what it saved counts, not the result.
        const INT_PTR vysledek = dialog.SpustitModalne(m_hWnd);
        ulozeno = vysledek == IDOK || dialog.Ulozeno();
    }
    if (!ulozeno) return;

    // From here on the file holds a saved recording: it is kept whatever the prompt ends with.
    // When the module stopped meanwhile (the window is gone) it is kept without a prompt.
    const bool zeptat = okno && ::IsWindow(okno);
    const std::wstring slozka = SlozkaSeznamu(true);
    std::wstring nazev = L"Nová poznámka";
    while (zeptat) {
        if (!ZadatTextId(nazev, IDS_NAZEV_NOVE_ZVUKOVE_POZNAMKY)) break;
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
    if (!docasny.empty()) {
        const std::wstring kde = UschovatNepojmenovanyZaznam(docasny, slozka);
        docasny.clear();
        // While the module stops (the program ends, or Windows ends the session) no box can be
        // shown: the user learns where the recording is at the next start.
        if (::IsWindow(okno) && !knihovna::KonciRelace())
            aplikace.ZobrazitZpravu(
                knihovna::Formatovat(knihovna::Retezec(IDS_ZAZNAM_NEPOJMENOVAN).c_str(), kde.c_str()),
                MB_ICONINFORMATION);
        else
            ZapamatovatUschovanyZaznam(kde);
    }
    if (seznamZvukovychPoznamek) {
        seznamZvukovychPoznamek->NacistZvukovePoznamky();
        NaplnitSeznam(-1);
    }
    if (seznam.m_hWnd) ::SetFocus(seznam.m_hWnd);
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
    if (ZpracovatOznameniSeznamu(w, l)) return 0;
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
