// The launcher's settings pages: the hot-key checks of Apply on page 108 (a command's key, another
// entry's key, the entry's own key), adding, renaming and removing entries with the name checks,
// the options and sort combo of page 106, and Czech texts that fit their controls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/horkeklavesy.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "launcher/dlgnastavspousteni.h"
#include "launcher/seznamaplikaci.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "resources/resource.h"

namespace {

const std::wstring KOREN = L"Software\\Brenvald\\TestSpousteni\\5.0";

std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

// Answers of the seams of the page (name prompt and file dialog), in order.
std::vector<std::wstring> nazvy;
std::vector<std::wstring> soubory;
int pocetDotazuNaSoubor = 0;
bool ZadatNazev(std::wstring& text, UINT) {
    if (nazvy.empty()) return false;
    text = nazvy.front();
    nazvy.erase(nazvy.begin());
    return true;
}
bool VybratSoubor(std::wstring& cesta) {
    ++pocetDotazuNaSoubor;
    if (soubory.empty()) return false;
    cesta = soubory.front();
    soubory.erase(soubory.begin());
    return true;
}

class StrankyAplikaci : public ::testing::Test {
protected:
    void SetUp() override {
        testy::SmazatKlic(KOREN);
        aplikace.titulek = L"Kolvex";
        puvodniKlavesy = std::move(aplikace.horkeKlavesy);
        aplikace.horkeKlavesy = std::make_unique<HorkeKlavesy>(KOREN.c_str());
        aplikace.horkeKlavesy->Pridat(40019, KATEGORIE_VSEOBECNE);
        aplikace.horkeKlavesy->zaznamy[0].modifikatory = MOD_CONTROL | MOD_ALT;
        aplikace.horkeKlavesy->zaznamy[0].klavesa = 'K';
        puvodniNastaveni = std::move(nastaveniSpousteniAplikaci);
        nastaveniSpousteniAplikaci = std::make_unique<KonfiguraceSpousteniAplikaci>();
        nastaveniSpousteniAplikaci->trideniAplikaci = TRIDENI_NAZEV;
        puvodniSeznam = std::move(seznamAplikaci);
        seznamAplikaci = std::make_unique<SeznamAplikaci>(KOREN);
        size_t a = seznamAplikaci->Pridat(L"Editor", L"C:\\editor.exe", UROVEN_BEZNY_UZIVATEL);
        seznamAplikaci->NastavitKlavesu(a, 'L', MOD_CONTROL | MOD_ALT);
        seznamAplikaci->Pridat(L"Kalkulačka", L"C:\\kalk.exe", UROVEN_PLNY_PRISTUP);
        seznamAplikaci->SeraditPodle(TRIDENI_NAZEV);
        nazvy.clear();
        soubory.clear();
        pocetDotazuNaSoubor = 0;
        DlgNastavSpousteneAplikace::zadatNazev = ZadatNazev;
        DlgNastavSpousteneAplikace::vybratSoubor = VybratSoubor;
        rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 700, 600, nullptr, nullptr, nullptr, nullptr);
        stranka = std::make_unique<DlgNastavSpousteneAplikace>();
        stranka->Vytvorit(rodic);
    }
    void TearDown() override {
        stranka.reset();
        ::DestroyWindow(rodic);
        seznamAplikaci = std::move(puvodniSeznam);
        nastaveniSpousteniAplikaci = std::move(puvodniNastaveni);
        aplikace.horkeKlavesy = std::move(puvodniKlavesy);
        testy::SmazatKlic(KOREN);
        testy::SmazatKlic(L"Software\\Brenvald\\Kolvex\\5.0\\Spousteni aplikaci");
    }

    void Vybrat(const wchar_t* nazev) {
        int index = seznamAplikaci->NajitPodleNazvu(nazev);
        ASSERT_GE(index, 0);
        stranka->NaplnitSeznam(index);
        ASSERT_EQ(stranka->VybranaAplikace(), index);
    }
    void NastavitKlavesu(BYTE klavesa, BYTE priznaky) {
        ::SendMessageW(stranka->Polozka(IDC_APLIKACE_KLAVESA), HKM_SETHOTKEY, MAKEWORD(klavesa, priznaky), 0);
    }
    WORD Klavesa() const {
        return static_cast<WORD>(::SendMessageW(stranka->Polozka(IDC_APLIKACE_KLAVESA), HKM_GETHOTKEY, 0, 0));
    }
    const SpoustenaAplikace& Polozka(const wchar_t* nazev) {
        return seznamAplikaci->Polozka(static_cast<size_t>(seznamAplikaci->NajitPodleNazvu(nazev)));
    }

    std::unique_ptr<HorkeKlavesy> puvodniKlavesy;
    std::unique_ptr<KonfiguraceSpousteniAplikaci> puvodniNastaveni;
    std::unique_ptr<SeznamAplikaci> puvodniSeznam;
    HWND rodic = nullptr;
    std::unique_ptr<DlgNastavSpousteneAplikace> stranka;
    testy::ZachytavacZprav zpravy{IDYES};
};

}  // namespace

TEST_F(StrankyAplikaci, PouzitKlavesaPrikazuJinePolozkyAVlastni) {
    EXPECT_EQ(::SendMessageW(stranka->Polozka(IDC_APLIKACE_SEZNAM), LB_GETITEMHEIGHT, 0, 0), 18);
    Vybrat(L"Kalkulačka");
    struct Pripad {
        BYTE klavesa;
        BYTE priznaky;
        const wchar_t* zprava;  // null = accepted
    };
    const Pripad pripady[] = {
        {'K', HOTKEYF_CONTROL | HOTKEYF_ALT, L"Tato klávesová zkratka je již použita."},
        {'L', HOTKEYF_CONTROL | HOTKEYF_ALT, L"Klávesová zkratka je již nastavena aplikaci \"Editor\"\n(C:\\editor.exe)."},
        {'K', HOTKEYF_CONTROL, nullptr},  // other modifiers: another key
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.klavesa);
        zpravy.zpravy.clear();
        NastavitKlavesu(p.klavesa, p.priznaky);
        stranka->Ulozit();
        if (p.zprava) {
            ASSERT_EQ(zpravy.zpravy.size(), 1u);
            EXPECT_EQ(zpravy.zpravy[0].text, p.zprava) << Utf8(zpravy.zpravy[0].text);
            EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
            EXPECT_EQ(Klavesa(), 0) << "the refused key is cleared";
            EXPECT_EQ(Polozka(L"Kalkulačka").virtKlavesa, 0u) << "nothing stored";
        } else {
            EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
            EXPECT_EQ(Polozka(L"Kalkulačka").virtKlavesa, static_cast<DWORD>('K'));
            EXPECT_EQ(Polozka(L"Kalkulačka").modifikator, static_cast<DWORD>(MOD_CONTROL));
        }
    }

    // the entry keeps its own key
    zpravy.zpravy.clear();
    Vybrat(L"Editor");
    EXPECT_EQ(Klavesa(), MAKEWORD('L', HOTKEYF_CONTROL | HOTKEYF_ALT)) << "the page shows the stored key";
    ::SetDlgItemTextW(stranka->m_hWnd, IDC_APLIKACE_CESTA, L"C:\\nový editor.exe");
    ::SendMessageW(stranka->Polozka(IDC_APLIKACE_OPRAVNENI), CB_SETCURSEL, 3, 0);
    ::CheckDlgButton(stranka->m_hWnd, IDC_APLIKACE_JEDNA_INSTANCE, BST_CHECKED);
    ::CheckDlgButton(stranka->m_hWnd, IDC_APLIKACE_PO_SPUSTENI, BST_CHECKED);
    stranka->Ulozit();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    const SpoustenaAplikace& editor = Polozka(L"Editor");
    EXPECT_EQ(editor.virtKlavesa, static_cast<DWORD>('L'));
    EXPECT_EQ(editor.cesta, L"C:\\nový editor.exe");
    EXPECT_EQ(editor.uroven, UROVEN_NEDUVERYHODNY);
    EXPECT_TRUE(editor.jednaInstance);
    EXPECT_TRUE(editor.poSpusteni);
    // Apply writes the list
    DWORD klavesa = 0;
    EXPECT_TRUE(testy::PrecistDword(seznamAplikaci->CestaKlice() + L"\\Editor", L"virtKlavesa", klavesa));
    EXPECT_EQ(klavesa, static_cast<DWORD>('L'));
}

TEST_F(StrankyAplikaci, PridatSKontrolouNazvu) {
    const size_t puvodne = seznamAplikaci->Pocet();
    struct Pripad {
        const wchar_t* nazev;
        const wchar_t* zprava;
    };
    const Pripad odmitnute[] = {
        {L"Editor", L"Tento název již existuje a není možné jej použít.\nOpakujte akci s jiným názvem."},
        {L"editor", L"Tento název již existuje a není možné jej použít.\nOpakujte akci s jiným názvem."},
        {L"Hry\\Šachy", nullptr},
        {L"", nullptr},
    };
    for (const Pripad& p : odmitnute) {
        SCOPED_TRACE(Utf8(p.nazev));
        zpravy.zpravy.clear();
        nazvy = {p.nazev};
        soubory = {L"C:\\x.exe"};
        stranka->Pridat();
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        if (p.zprava) {
            EXPECT_EQ(zpravy.zpravy[0].text, p.zprava);
        }
        EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
        EXPECT_EQ(seznamAplikaci->Pocet(), puvodne);
        EXPECT_EQ(pocetDotazuNaSoubor, 0) << "no file is asked for a refused name";
    }

    // cancelling the file dialog adds nothing
    zpravy.zpravy.clear();
    nazvy = {L"Šachy"};
    soubory.clear();
    stranka->Pridat();
    EXPECT_EQ(seznamAplikaci->Pocet(), puvodne);

    nazvy = {L"Šachy"};
    soubory = {L"C:\\Hry\\šachy.exe"};
    stranka->Pridat();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    ASSERT_EQ(seznamAplikaci->Pocet(), puvodne + 1);
    const SpoustenaAplikace& nova = Polozka(L"Šachy");
    EXPECT_EQ(nova.cesta, L"C:\\Hry\\šachy.exe");
    EXPECT_EQ(nova.uroven, UROVEN_BEZNY_UZIVATEL);
    EXPECT_EQ(stranka->VybranaAplikace(), seznamAplikaci->NajitPodleNazvu(L"Šachy")) << "the new entry is selected";
    EXPECT_TRUE(::IsWindowEnabled(stranka->Polozka(IDC_APLIKACE_POUZIT)));
    EXPECT_EQ(::SendMessageW(stranka->Polozka(IDC_APLIKACE_SEZNAM), LB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(puvodne + 1));
}

TEST_F(StrankyAplikaci, PrejmenovatAOdebrat) {
    Vybrat(L"Kalkulačka");
    nazvy = {L"EDITOR"};
    stranka->Prejmenovat();
    ASSERT_EQ(zpravy.zpravy.size(), 1u) << "a name the registry takes for another entry's key";
    EXPECT_GE(seznamAplikaci->NajitPodleNazvu(L"Kalkulačka"), 0);

    zpravy.zpravy.clear();
    nazvy = {L"KALKULAČKA"};  // the entry's own name in other letters is allowed
    stranka->Prejmenovat();
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    EXPECT_GE(seznamAplikaci->NajitPodleNazvu(L"KALKULAČKA"), 0);

    nazvy = {L"Účetnictví"};
    stranka->Prejmenovat();
    ASSERT_GE(seznamAplikaci->NajitPodleNazvu(L"Účetnictví"), 0);
    EXPECT_EQ(stranka->VybranaAplikace(), seznamAplikaci->NajitPodleNazvu(L"Účetnictví"));

    // removing the last entry selects the new last one; "no" keeps it
    stranka->NaplnitSeznam(static_cast<int>(seznamAplikaci->Pocet() - 1));
    zpravy.zpravy.clear();
    zpravy.odpovedi = {IDNO};
    stranka->Odebrat();
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Opravdu chcete aplikaci Účetnictví (C:\\kalk.exe) odebrat ze seznamu?");
    EXPECT_EQ(zpravy.zpravy[0].priznaky & (MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2),
              static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));
    EXPECT_EQ(seznamAplikaci->Pocet(), 2u);
    stranka->Odebrat();  // default answer: yes
    ASSERT_EQ(seznamAplikaci->Pocet(), 1u);
    EXPECT_EQ(stranka->VybranaAplikace(), 0);
    stranka->Odebrat();
    EXPECT_EQ(seznamAplikaci->Pocet(), 0u);
    EXPECT_EQ(stranka->VybranaAplikace(), -1);
    stranka->Odebrat();  // nothing selected: nothing asked
    EXPECT_EQ(zpravy.zpravy.size(), 3u);
}

TEST_F(StrankyAplikaci, MoznostiATrideni) {
    DlgNastavSpousteniAplikaci moznosti;
    nastaveniSpousteniAplikaci->oddelovatPodleOpravneni = false;
    nastaveniSpousteniAplikaci->vlastniMenuAplikace = true;
    nastaveniSpousteniAplikaci->zakazatPolozkySpustene = false;
    nastaveniSpousteniAplikaci->trideniAplikaci = 0x10010;
    moznosti.Vytvorit(rodic);
    HWND combo = moznosti.Polozka(IDC_SPOUSTENI_TRIDENI);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 5) << "\"Počtu spuštění ze Dravonu sestupně\"";
    EXPECT_EQ(::IsDlgButtonChecked(moznosti.m_hWnd, IDC_SPOUSTENI_IKONY), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(::IsDlgButtonChecked(moznosti.m_hWnd, IDC_SPOUSTENI_ODDELOVAT), static_cast<UINT>(BST_UNCHECKED));

    // choosing a mode sorts the list at once and refills the list page
    ::SendMessageW(combo, CB_SETCURSEL, 1, 0);  // "Názvu sestupně"
    ::SendMessageW(moznosti.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SPOUSTENI_TRIDENI, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(nastaveniSpousteniAplikaci->trideniAplikaci, 0x10001u);
    EXPECT_EQ(seznamAplikaci->Polozka(0).nazev, L"Kalkulačka");
    wchar_t prvni[64] = L"";
    ::SendMessageW(stranka->Polozka(IDC_APLIKACE_SEZNAM), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(prvni));
    EXPECT_STREQ(prvni, L"Kalkulačka");

    ::CheckDlgButton(moznosti.m_hWnd, IDC_SPOUSTENI_ODDELOVAT, BST_CHECKED);
    moznosti.Ulozit();
    EXPECT_TRUE(nastaveniSpousteniAplikaci->oddelovatPodleOpravneni);
    DWORD ulozeno = 0;
    EXPECT_TRUE(testy::PrecistDword(L"Software\\Brenvald\\Kolvex\\5.0\\Spousteni aplikaci", L"trideniAplikaci", ulozeno));
    EXPECT_EQ(ulozeno, 0x10001u);

    // a mode no entry has: no selection
    nastaveniSpousteniAplikaci->trideniAplikaci = 0x77;
    DlgNastavSpousteniAplikaci jine;
    jine.Vytvorit(rodic);
    EXPECT_EQ(::SendMessageW(jine.Polozka(IDC_SPOUSTENI_TRIDENI), CB_GETCURSEL, 0, 0), CB_ERR);

    // counters reset after "yes", written at once
    seznamAplikaci->Polozka(0).pocetSpusteni = 9;
    ::SendMessageW(jine.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SPOUSTENI_VYNULOVAT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(jine.Polozka(IDC_SPOUSTENI_VYNULOVAT)));
    EXPECT_EQ(seznamAplikaci->Polozka(0).pocetSpusteni, 0);
    DWORD pocet = 9;
    EXPECT_TRUE(testy::PrecistDword(seznamAplikaci->CestaKlice() + L"\\Kalkulačka", L"pocetSpusteni", pocet));
    EXPECT_EQ(pocet, 0u);
}

TEST_F(StrankyAplikaci, CeskeTextySeVejdou) {
    DlgNastavSpousteniAplikaci moznosti;
    moznosti.Vytvorit(rodic);
    for (HWND dialog : {moznosti.m_hWnd, stranka->m_hWnd}) {
        RECT stranky;
        ::GetWindowRect(dialog, &stranky);
        for (HWND prvek = ::GetWindow(dialog, GW_CHILD); prvek; prvek = ::GetWindow(prvek, GW_HWNDNEXT)) {
            wchar_t trida[32] = L"";
            ::GetClassNameW(prvek, trida, 32);
            const std::wstring text = testy::TextOkna(prvek);
            RECT r;
            ::GetWindowRect(prvek, &r);
            EXPECT_TRUE(r.left >= stranky.left && r.right <= stranky.right && r.bottom <= stranky.bottom)
                << "control " << ::GetDlgCtrlID(prvek) << " outside the page";
            if ((std::wstring(trida) != L"Button" && std::wstring(trida) != L"Static") || text.empty()) continue;
            const LONG styl = ::GetWindowLongW(prvek, GWL_STYLE);
            if ((styl & BS_TYPEMASK) == BS_GROUPBOX) continue;
            RECT klient;
            ::GetClientRect(prvek, &klient);
            int mista = klient.right;
            if ((styl & BS_TYPEMASK) == BS_AUTOCHECKBOX) mista -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
            HDC dc = ::GetDC(prvek);
            HGDIOBJ stare = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(prvek, WM_GETFONT, 0, 0)));
            RECT potreba{0, 0, mista, 0};
            const bool viceRadku = (styl & BS_MULTILINE) != 0;
            ::DrawTextW(dc, text.c_str(), -1, &potreba,
                        DT_CALCRECT | DT_NOPREFIX | (viceRadku ? DT_WORDBREAK : DT_SINGLELINE));
            ::SelectObject(dc, stare);
            ::ReleaseDC(prvek, dc);
            EXPECT_LE(potreba.right, mista) << "cut off: \"" << Utf8(text) << "\"";
            EXPECT_LE(potreba.bottom, klient.bottom) << "too low: \"" << Utf8(text) << "\"";
        }
    }
}
