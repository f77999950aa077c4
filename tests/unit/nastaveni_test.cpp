// The settings window in this process: the page it opens at, pages created once, Apply and
// Cancel, the rebuilt tree, the pages of the application's general settings, a tool's page
// registered through the page protocol, the tray-click handlers, and the layout of the
// templates (Czech letters present, no text cut off).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/nastaveni.h"
#include "core/odesilatelemailu.h"
#include "core/strankyaplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "multimedia/dlgnastavzaznamu.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "resources/resource.h"
#include "zkusebni_prvky.h"
#include "clipboard/strankyschranky.h"
#include "internet/hostinfo.h"
#include "internet/pocasistranky.h"
#include "internet/rssnastaveni.h"
#include "launcher/dlgnastavspousteni.h"
#include "monitors/dlgnastavsledovani.h"
#include "multimedia/dlgnastavovladanicd.h"
#include "notes/strankypoznamky.h"
#include "records/dlgnastavzaznamy.h"
#include "screen/strankyobrazovky.h"
#include "timers/dlgnastavcasovace.h"
#include "windows/dlgnastavhorkeklavesy.h"
#include "windows/strankyrozsireni.h"

using knihovna::Chyba;

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

// The application as start-up leaves it, with every settings object, on an empty registry key.
struct Prostredi {
    bool vlastniSeznam = false;
    testy::ZachytavacZprav zpravy;

    Prostredi() {
        testy::SmazatKlic(KLIC);
        aplikace.titulek = L"Kolvex";
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        aplikace.velkaIkona.Nastavit(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 32, 32, 0)));
        aplikace.malaIkona.Nastavit(
            static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_KOLVEX), IMAGE_ICON, 16, 16, 0)));
        if (!aplikace.seznamMenu.Get()) {
            aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
            aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
            vlastniSeznam = true;
        }
        NastavitVychoziNastaveniObecne(aplikace);
        VytvoritNastaveniNastroju();
    }
    ~Prostredi() {
        ZrusitNastaveniNastroju();
        nastaveniOdesilatelEmailu.reset();
        nastaveniSpousteniAplikaci.reset();
        if (vlastniSeznam) aplikace.seznamMenu.Zrusit();
        aplikace.velkaIkona.Zrusit();
        aplikace.malaIkona.Zrusit();
        testy::SmazatKlic(KLIC);
    }
};

LPARAM DataPolozky(HWND strom, HTREEITEM polozka) {
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = polozka;
    TreeView_GetItem(strom, &item);
    return item.lParam;
}

std::wstring TextPolozky(HWND strom, HTREEITEM polozka) {
    wchar_t text[128] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = polozka;
    item.pszText = text;
    item.cchTextMax = 128;
    TreeView_GetItem(strom, &item);
    return text;
}

// Every item in tree order.
void ProjitStrom(HWND strom, HTREEITEM polozka, std::vector<HTREEITEM>& vysledek) {
    for (; polozka; polozka = TreeView_GetNextSibling(strom, polozka)) {
        vysledek.push_back(polozka);
        ProjitStrom(strom, TreeView_GetChild(strom, polozka), vysledek);
    }
}

std::vector<HTREEITEM> Polozky(HWND strom) {
    std::vector<HTREEITEM> vysledek;
    ProjitStrom(strom, TreeView_GetRoot(strom), vysledek);
    return vysledek;
}

HTREEITEM NajitPolozku(HWND strom, LPARAM stranka) {
    for (HTREEITEM p : Polozky(strom))
        if (DataPolozky(strom, p) == stranka) return p;
    return nullptr;
}

void Vybrat(DlgNastaveni& okno, UINT stranka) {
    HTREEITEM polozka = NajitPolozku(okno.Strom(), stranka);
    ASSERT_NE(polozka, nullptr) << stranka;
    ASSERT_TRUE(TreeView_SelectItem(okno.Strom(), polozka));
}

bool PouzitPovoleno(const DlgNastaveni& okno) { return ::IsWindowEnabled(okno.Polozka(IDC_NASTAVENI_POUZIT)) != 0; }

void Kliknout(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool ExistujeHodnota(const std::wstring& klic, const wchar_t* hodnota) {
    return ::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), hodnota, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

size_t PocetVytvorenych(const DlgNastaveni& okno) {
    size_t pocet = 0;
    for (size_t i = 0; i < PocetStranek; ++i)
        if (okno.Stranka(i)) ++pocet;
    return pocet;
}

// A tool's page as a tool issue would add it: records its store step.
class TestovaStranka : public StrankaNastaveniImpl<TestovaStranka> {
public:
    enum { IDD = 9003 };
    static int ulozeni;
    KNIHOVNA_MAPA_ZPRAV(TestovaStranka)
        PRIKAZ(2101, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()
    void Ulozit() override { ++ulozeni; }
};
int TestovaStranka::ulozeni = 0;

// A page whose initialisation or store step fails, as a damaged value or a registry fault makes it.
class ChybnaStranka : public StrankaNastaveniImpl<ChybnaStranka> {
public:
    enum { IDD = 9003 };
    static bool chybaZobrazeni;
    static bool chybaUlozeni;
    KNIHOVNA_MAPA_ZPRAV(ChybnaStranka)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        if (chybaZobrazeni) knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
        return TRUE;
    }
    void Ulozit() override {
        if (chybaUlozeni) knihovna::VyhoditChybu(E_ACCESSDENIED);
    }
};
bool ChybnaStranka::chybaZobrazeni = false;
bool ChybnaStranka::chybaUlozeni = false;

std::wstring ZpravaStranky(UINT id, const wchar_t* titulek) {
    return knihovna::Formatovat(knihovna::Retezec(id).c_str(), titulek);
}

void Stisknout(DlgNastaveni& okno, int id) {
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(okno.Polozka(id)));
}

}  // namespace

// ---------------------------------------------------------------------------------------------

TEST(OknoNastaveni, OtevreSeNaStranceSRozbalenymiRodici) {
    Prostredi prostredi;
    aplikace.nastaveni.rozbalitSeznamNastaveni = false;  // a collapsed tree: only the path is opened
    struct Pripad {
        UINT pozadovana;
        LPARAM vybrana;
        const wchar_t* titulek;
        int urovenVybrane;   // 0 = root item
        bool maStranku;      // a page class is known for it
    };
    const Pripad pripady[] = {
        {0, 104, L" Kolvex - Nastavení: Všeobecné", 0, true},
        {9999, 104, L" Kolvex - Nastavení: Všeobecné", 0, true},
        {107, 104, L" Kolvex - Nastavení: Všeobecné", 0, true},  // an id no item carries
        {105, 105, L" Kolvex - Nastavení: Akce po spuštění", 1, true},
        {178, 178, L" Kolvex - Nastavení: Volitelné položky hlavní nabídky", 1, true},
        {112, 112, L" Kolvex - Nastavení: Vložení textu do schránky", 1, false},  // the child, not "Schránka"
        {192, 192, L" Kolvex - Nastavení: Odeslání opisu obrazovky emailem", 2, false},
        {190, 190, L" Kolvex - Nastavení: Odesílání emailem", 0, true},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.pozadovana);
        DlgNastaveni okno;
        okno.Vytvorit(nullptr, p.pozadovana);
        HWND strom = okno.Strom();
        EXPECT_EQ(Polozky(strom).size(), 38u);
        HTREEITEM vybrana = TreeView_GetSelection(strom);
        ASSERT_NE(vybrana, nullptr);
        EXPECT_EQ(DataPolozky(strom, vybrana), p.vybrana);
        EXPECT_EQ(okno.AktualniStranka(), static_cast<UINT>(p.vybrana));
        EXPECT_EQ(okno.Text(), p.titulek);
        int uroven = 0;
        for (HTREEITEM rodic = TreeView_GetParent(strom, vybrana); rodic; rodic = TreeView_GetParent(strom, rodic)) {
            ++uroven;
            EXPECT_TRUE(TreeView_GetItemState(strom, rodic, TVIS_EXPANDED) & TVIS_EXPANDED)
                << "parent \"" << Utf8(TextPolozky(strom, rodic)) << "\" collapsed";
        }
        EXPECT_EQ(uroven, p.urovenVybrane);
        // only the shown page exists, and it is visible inside the page area
        const RadekStranky* radek = NajitRadekStranky(static_cast<UINT>(p.vybrana));
        ASSERT_NE(radek, nullptr);
        EXPECT_EQ(PocetVytvorenych(okno), p.maStranku ? 1u : 0u);
        if (p.maStranku) {
            HWND stranka = okno.Stranka(radek->slot)->OknoStranky();
            ASSERT_NE(stranka, nullptr);
            EXPECT_TRUE(::IsWindowVisible(stranka) || !::IsWindowVisible(okno.m_hWnd));
            EXPECT_TRUE(::GetWindowLongW(stranka, GWL_STYLE) & WS_VISIBLE);
            EXPECT_EQ(::GetParent(stranka), okno.m_hWnd);
        }
    }
    EXPECT_TRUE(prostredi.zpravy.zpravy.empty()) << prostredi.zpravy;
}

TEST(OknoNastaveni, KazdaStrankaSeVytvoriJednouAZachovaUpravy) {
    Prostredi prostredi;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 104);
    StrankaNastaveni* obecna = okno.Stranka(StrObecne);
    ASSERT_NE(obecna, nullptr);
    HWND oknoObecne = obecna->OknoStranky();
    const bool puvodne = ::IsDlgButtonChecked(oknoObecne, IDC_OBECNE_ZVUK) == BST_CHECKED;
    Kliknout(oknoObecne, IDC_OBECNE_ZVUK);

    Vybrat(okno, 105);
    ASSERT_NE(okno.Stranka(StrPoSpusteni), nullptr);
    EXPECT_FALSE(::GetWindowLongW(oknoObecne, GWL_STYLE) & WS_VISIBLE);
    HWND oknoPoSpusteni = okno.Stranka(StrPoSpusteni)->OknoStranky();

    Vybrat(okno, 104);
    EXPECT_EQ(okno.Stranka(StrObecne), obecna);
    EXPECT_EQ(obecna->OknoStranky(), oknoObecne);
    EXPECT_TRUE(::GetWindowLongW(oknoObecne, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(::GetWindowLongW(oknoPoSpusteni, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(::IsDlgButtonChecked(oknoObecne, IDC_OBECNE_ZVUK) == BST_CHECKED, !puvodne) << "the edit was lost";

    // an item whose page no tool has registered yet: the title names it, no page is shown
    Vybrat(okno, 157);
    EXPECT_EQ(okno.Stranka(StrOpisObrazovky), nullptr);
    EXPECT_EQ(okno.Text(), L" Kolvex - Nastavení: Opis obrazovky");
    EXPECT_FALSE(::GetWindowLongW(oknoObecne, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(PocetVytvorenych(okno), 2u);
}

TEST(OknoNastaveni, PouzitBezOtevrenychStranekUloziObecneAVsechnyObjekty) {
    Prostredi prostredi;
    aplikace.nastaveni.rozbalitSeznamNastaveni = true;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 0);
    EXPECT_TRUE(PouzitPovoleno(okno)) << "the tree build enables Apply";
    Kliknout(okno.m_hWnd, IDC_NASTAVENI_ROZBALIT);  // collapse: stored only by Apply
    EXPECT_TRUE(aplikace.nastaveni.rozbalitSeznamNastaveni);

    ::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_NASTAVENI_POUZIT, BN_CLICKED), 0);
    EXPECT_FALSE(PouzitPovoleno(okno));
    EXPECT_FALSE(aplikace.nastaveni.rozbalitSeznamNastaveni);
    DWORD rozbalit = 1;
    ASSERT_TRUE(testy::PrecistDword(KLIC, L"rozbalitSeznamNastaveni", rozbalit));
    EXPECT_EQ(rozbalit, 0u);
    EXPECT_TRUE(ExistujeHodnota(KLIC, L"vlastniVzhled"));
    EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Polozky menu", L"stopky"));
    EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Po spusteni", L"stopky"));
    const wchar_t* const sekce[] = {L"Ctecka RSS", L"Hodiny", L"Host info", L"Kontakty", L"Sonvidar",
                                    L"Obrazovka", L"Odesilatel emailu", L"Ovladani CD", L"Pocasi",
                                    L"Poznamky", L"Seznam registraci", L"Schranka", L"Sledovani pameti",
                                    L"Sledovani procesu", L"Stopky"};
    for (const wchar_t* s : sekce) EXPECT_TRUE(testy::ExistujeKlic(KLIC + L"\\" + s)) << Utf8(s);
    EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Odesilatel emailu", L"odesilatel"));
    // the launcher's load at start-up may create its key; Apply writes nothing into it
    DWORD hodnotSpousteni = 0;
    HKEY spousteni = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\" + aplikace.klicSpousteniAplikaci).c_str(), 0, KEY_READ,
                        &spousteni) == ERROR_SUCCESS) {
        ::RegQueryInfoKeyW(spousteni, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &hodnotSpousteni,
                           nullptr, nullptr, nullptr, nullptr);
        ::RegCloseKey(spousteni);
    }
    EXPECT_EQ(hodnotSpousteni, 0u) << "the launcher's settings are saved only by its own page";
    EXPECT_TRUE(prostredi.zpravy.zpravy.empty()) << prostredi.zpravy;
}

TEST(OknoNastaveni, StornoNicNeulozi) {
    Prostredi prostredi;
    const bool vzhled = aplikace.nastaveni.vlastniVzhled;
    auto okno = std::make_unique<DlgNastaveni>();
    okno->Vytvorit(nullptr, 190);
    HWND email = okno->Stranka(StrOdesilatelEmailu)->OknoStranky();
    ::SetDlgItemTextW(email, IDC_EMAIL_SERVER, L"smtp.example.cz");
    Vybrat(*okno, 104);
    Kliknout(okno->Stranka(StrObecne)->OknoStranky(), IDC_OBECNE_VZHLED);
    Vybrat(*okno, 105);

    ::SendMessageW(okno->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(okno->JeOkno());
    okno.reset();
    testy::Pumpovat();
    EXPECT_EQ(aplikace.nastaveni.vlastniVzhled, vzhled);
    EXPECT_TRUE(nastaveniOdesilatelEmailu->server.Prazdny());
    EXPECT_FALSE(ExistujeHodnota(KLIC, L"vlastniVzhled"));
    EXPECT_FALSE(testy::ExistujeKlic(KLIC + L"\\Odesilatel emailu"));
    EXPECT_FALSE(testy::ExistujeKlic(KLIC + L"\\Po spusteni"));
}

TEST(OknoNastaveni, OkUlozi) {
    Prostredi prostredi;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 190);
    ::SetDlgItemTextW(okno.Stranka(StrOdesilatelEmailu)->OknoStranky(), IDC_EMAIL_SERVER, L"smtp.example.cz");
    ::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(okno.JeOkno());
    EXPECT_EQ(nastaveniOdesilatelEmailu->server.Text(), L"smtp.example.cz");
    EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Odesilatel emailu", L"server"));
}

TEST(OknoNastaveni, ZmenaVlastnihoVzhleduPrestaviStrom) {
    Prostredi prostredi;
    aplikace.nastaveni.vlastniVzhled = false;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 104);
    HWND strom = okno.Strom();
    EXPECT_EQ(TreeView_GetImageList(strom, TVSIL_NORMAL), nullptr);
    const int vychoziVyska = TreeView_GetItemHeight(strom);
    HWND obecne = okno.Stranka(StrObecne)->OknoStranky();

    // clicked twice (back to the old state): the tree is still rebuilt after Apply
    HTREEITEM koren = TreeView_GetRoot(strom);
    Kliknout(obecne, IDC_OBECNE_VZHLED);
    Kliknout(obecne, IDC_OBECNE_VZHLED);
    okno.Pouzit();
    testy::Pumpovat();
    EXPECT_NE(TreeView_GetRoot(strom), koren) << "no rebuild";
    EXPECT_EQ(TreeView_GetImageList(strom, TVSIL_NORMAL), nullptr);
    EXPECT_TRUE(PouzitPovoleno(okno));

    // on: images from the menu list, item height 18, the current page stays selected and shown
    Kliknout(obecne, IDC_OBECNE_VZHLED);
    okno.Pouzit();
    EXPECT_FALSE(PouzitPovoleno(okno));
    testy::Pumpovat();
    EXPECT_TRUE(aplikace.nastaveni.vlastniVzhled);
    EXPECT_EQ(TreeView_GetImageList(strom, TVSIL_NORMAL), aplikace.seznamMenu.Get());
    EXPECT_EQ(TreeView_GetItemHeight(strom), 18);
    EXPECT_TRUE(PouzitPovoleno(okno)) << "the rebuild enables Apply";
    HTREEITEM vybrana = TreeView_GetSelection(strom);
    EXPECT_EQ(DataPolozky(strom, vybrana), 104);
    EXPECT_TRUE(::GetWindowLongW(obecne, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(okno.Stranka(StrObecne)->OknoStranky(), obecne);
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = TreeView_GetRoot(strom);
    TreeView_GetItem(strom, &item);
    EXPECT_EQ(item.iImage, 18);
    EXPECT_EQ(item.iSelectedImage, 18);
    for (HTREEITEM p : Polozky(strom)) {
        item.hItem = p;
        TreeView_GetItem(strom, &item);
        EXPECT_LT(item.iImage, aplikace.seznamMenu.Pocet()) << Utf8(TextPolozky(strom, p));
    }

    // and off again: the default height, no images
    Kliknout(obecne, IDC_OBECNE_VZHLED);
    okno.Pouzit();
    testy::Pumpovat();
    EXPECT_EQ(TreeView_GetImageList(strom, TVSIL_NORMAL), nullptr);
    EXPECT_EQ(TreeView_GetItemHeight(strom), vychoziVyska);
}

TEST(OknoNastaveni, StromMaPolozkyVPoradiAUrovnich) {
    Prostredi prostredi;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 0);
    HWND strom = okno.Strom();
    std::wstring obrys;
    for (HTREEITEM p : Polozky(strom)) {
        int uroven = 0;
        for (HTREEITEM r = TreeView_GetParent(strom, p); r; r = TreeView_GetParent(strom, r)) ++uroven;
        obrys += std::wstring(static_cast<size_t>(uroven), L'.') + TextPolozky(strom, p) + L"=" +
                 std::to_wstring(DataPolozky(strom, p)) + L";";
    }
    EXPECT_EQ(obrys,
              L"Všeobecné=104;.Klávesové zkratky=111;.Akce po spuštění=105;.Hlavní nabídka=178;"
              L"Spouštění aplikací=106;.Aplikace=108;Rozšíření oken=152;.Ovládání oken=151;"
              L"Schránka=112;.Text do schránky=112;.Operativní texty=113;.Editor textů=114;"
              L"Sledování paměti=141;Sledování procesů=153;Poznámky=125;.Textové poznámky=126;"
              L".Zvukové poznámky=127;Ovládání CD=167;Obrazovka=156;.Opis obrazovky=157;..Opis emailem=192;"
              L".Sběrač barvy=158;.Měření obrazovky=159;.Režimy obrazovky=160;Odesílání emailem=190;"
              L"Kontakty=183;Seznam registrací a hesel=174;Čtečka RSS zdrojů=198;Hodiny=196;Stopky=171;"
              L"IP info=203;Počasí=205;.Předpověd z ČHMÚ=207;.Předpovědní model Aladin=206;.Snímek z družice=208;"
              L"Sonvidar=179;.Záznam zvuku=180;.Záznam videa=181;");
    // "Rozbalit vše" expands and collapses the whole tree, and enables Apply
    okno.Pouzit();
    ::CheckDlgButton(okno.m_hWnd, IDC_NASTAVENI_ROZBALIT, BST_UNCHECKED);
    Kliknout(okno.m_hWnd, IDC_NASTAVENI_ROZBALIT);
    EXPECT_TRUE(PouzitPovoleno(okno));
    for (HTREEITEM p : Polozky(strom))
        if (TreeView_GetChild(strom, p)) {
            EXPECT_TRUE(TreeView_GetItemState(strom, p, TVIS_EXPANDED) & TVIS_EXPANDED);
        }
    Kliknout(okno.m_hWnd, IDC_NASTAVENI_ROZBALIT);
    for (HTREEITEM p : Polozky(strom))
        if (TreeView_GetChild(strom, p) && TreeView_GetParent(strom, p) == nullptr &&
            DataPolozky(strom, p) != 104) {  // the selected page's branch may stay open
            EXPECT_FALSE(TreeView_GetItemState(strom, p, TVIS_EXPANDED) & TVIS_EXPANDED);
        }
}

TEST(OknoNastaveni, StrankaNastrojeRegistrovanaProtokolem) {
    Prostredi prostredi;
    // the clock's page (196) and the host-information page (203), whose combo Apply reads itself
    ZaregistrovatStrankuNastaveni(196, VytvoritStranku<TestovaStranka>);
    ZaregistrovatStrankuNastaveni(203, VytvoritStranku<TestovaStranka>);
    TestovaStranka::ulozeni = 0;
    {
        DlgNastaveni okno;
        okno.Vytvorit(nullptr, 196);
        ASSERT_NE(okno.Stranka(StrHodiny), nullptr);
        HWND hodiny = okno.Stranka(StrHodiny)->OknoStranky();
        ASSERT_NE(hodiny, nullptr);
        okno.Pouzit();
        EXPECT_FALSE(PouzitPovoleno(okno));
        ::SetDlgItemTextW(hodiny, 2101, L"změna");  // the page's change reaches the window
        testy::Pumpovat();
        EXPECT_TRUE(PouzitPovoleno(okno));

        Vybrat(okno, 203);
        HWND host = okno.Stranka(StrHostInfo)->OknoStranky();
        ASSERT_NE(host, hodiny);
        HWND combo = ::GetDlgItem(host, 1245);
        knihovna::PridatPolozkuCombo(combo, L"Zobrazit okno na pruhu úloh", 0);
        knihovna::PridatPolozkuCombo(combo, L"Skrýt okno do ikony v oznamovací oblasti", 1);
        ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
        nastaveniHostInfo->minimalizace = 0;
        TestovaStranka::ulozeni = 0;
        okno.Pouzit();
        EXPECT_EQ(TestovaStranka::ulozeni, 2) << "both created pages store";
        EXPECT_EQ(nastaveniHostInfo->minimalizace, 1u);
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        okno.Pouzit();
        EXPECT_EQ(nastaveniHostInfo->minimalizace, static_cast<DWORD>(-1)) << "no selection stores -1";
    }
    ZaregistrovatStrankuNastaveni(196, nullptr);
    ZaregistrovatStrankuNastaveni(203, nullptr);
    EXPECT_EQ(TvurceStrankyNastaveni(196), nullptr);
    EXPECT_NE(TvurceStrankyNastaveni(104), nullptr);
}

TEST(OknoNastaveni, ChybyStromu) {
    HRESULT hr = S_OK;
    try {
        RozbalitPolozkyStromu(nullptr, reinterpret_cast<HTREEITEM>(1), true);
    } catch (const Chyba& chyba) {
        hr = chyba.Hresult();
    }
    EXPECT_EQ(hr, E_HANDLE);
    HWND strom = ::CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    RozbalitPolozkyStromu(strom, nullptr, true);  // a null item does nothing
    hr = S_OK;
    try {
        VlozitPolozkuStromuId(strom, 9999, nullptr, 1);
    } catch (const Chyba& chyba) {
        hr = chyba.Hresult();
    }
    EXPECT_EQ(hr, E_INVALIDARG);
    HTREEITEM koren = VlozitPolozkuStromuId(strom, IDS_NAZEV_KONTAKTY, nullptr, 183, 90);
    HTREEITEM dite = VlozitPolozkuStromu(strom, L"Dítě", koren, 7);
    EXPECT_EQ(TextPolozky(strom, koren), L"Kontakty");
    EXPECT_EQ(TreeView_GetParent(strom, dite), koren);
    EXPECT_EQ(DataPolozky(strom, dite), 7);
    ::DestroyWindow(strom);
}

// ---------------------------------------------------------------------------------------------
// Pages 104, 105 and 178: every row's check box against its general-settings value.

namespace {

struct Radek {
    UINT prikaz;
    const wchar_t* text;
};

const Radek radkyPoSpusteni[] = {
    {40092, L"Spustit modul \"Sledování paměti\""},
    {40112, L"Spustit modul \"Sledování procesů\""},
    {40098, L"Spustit modul \"Rozšíření oken\""},
    {40006, L"Zobrazit ovládací ikonu nástroje \"Spouštění aplikací\"."},
    {40011, L"Zobrazit ovládací ikonu nástroje \"Schránka\"."},
    {40015, L"Zobrazit ovládací ikonu nástroje \"Obrazovka\"."},
    {40012, L"Zobrazit ovládací ikonu nástroje \"Poznámky\"."},
    {40013, L"Zobrazit ovládací ikonu nástroje \"Textové poznámky\"."},
    {40014, L"Zobrazit ovládací ikonu nástroje \"Zvukové poznámky\"."},
    {40016, L"Zobrazit ovládací ikonu nástroje \"Počasí\"."},
    {40219, L"Spustit nástroj \"Předpovědní model Aladin\""},
    {40218, L"Spustit nástroj \"Předpověď z ČHMÚ\""},
    {40220, L"Spustit nástroj \"Snímek z meteorologické družice\""},
    {40140, L"Zobrazit ovládací ikony CD/DVD mechanik"},
    {40158, L"Spustit modul \"Stopky\""},
    {40184, L"Spustit modul \"Hodiny\""},
    {40165, L"Spustit modul \"Seznam registrací a hesel\""},
    {40179, L"Spustit modul \"Kontakty\""},
    {40004, L"Spustit modul \"Čtečka RSS zdrojů\""},
    {40202, L"Spustit modul \"IP info\""},
    {40017, L"Zobrazit ovládací ikonu nástroje \"Sonvidar\"."},
};

const Radek radkyPolozekMenu[] = {
    {40131, L"Obrazovka"}, {40140, L"Ovládání CD"}, {40089, L"Poznámky"}, {40098, L"Rozšíření oken"},
    {40004, L"RSS čtečka"}, {40058, L"Schránka"}, {40165, L"Seznam registrací a hesel"}, {40179, L"Kontakty"},
    {40092, L"Sledování paměti"}, {40112, L"Sledování procesů"}, {40158, L"Stopky"}, {40184, L"Hodiny"},
    {40005, L"Spouštění aplikací"}, {40202, L"IP info"}, {40224, L"Informace o síti LAN"}, {40167, L"Sonvidar"},
};

// The value of each row by the stored field's name, independent of the page's own table.
std::vector<bool*> HodnotyPoSpusteni() {
    PoSpusteni& p = aplikace.nastaveni.poSpusteni;
    return {&p.sledovaniPameti, &p.sledovaniProcesu, &p.rozsireniOken, &p.ikonaSpousteniAplikaci,
            &p.ikonaSchranka, &p.ikonaObrazovka, &p.ikonaPoznamky, &p.ikonaPoznamkyTextove,
            &p.ikonaPoznamkyZvukove, &p.ikonaPocasi, &p.pocasiAladin, &p.pocasiPredpovedText,
            &p.pocasiSnimekDruzice, &p.ovladaniCD, &p.stopky, &p.hodiny, &p.seznamRegistraci,
            &p.kontakty, &p.cteckaRSS, &p.hostInfo, &p.ikonaSonvidar};
}

std::vector<bool*> HodnotyPolozekMenu() {
    PolozkyMenu& m = aplikace.nastaveni.polozkyMenu;
    return {&m.obrazovka, &m.ovladaniCD, &m.poznamky, &m.rozsireniOken, &m.rssCtecka, &m.schranka,
            &m.seznamRegistraci, &m.kontakty, &m.sledovaniPameti, &m.sledovaniProcesu, &m.stopky,
            &m.hodiny, &m.spousteniAplikaci, &m.hostInfo, &m.sitLanInfo, &m.sonvidar};
}

std::wstring TextPolozkySeznamu(HWND seznam, int index) {
    wchar_t text[256] = L"";
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = 256;
    ::SendMessageW(seznam, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

// One page of a check list: texts and order, then each row alone checked, both directions.
template <class Stranka, size_t N>
void OveritSeznamVoleb(const Radek (&radky)[N], const std::vector<bool*>& hodnoty, int idSeznamu) {
    ASSERT_EQ(hodnoty.size(), N);
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    for (size_t i = 0; i <= N; ++i) {  // i == N: all rows clear
        for (size_t j = 0; j < N; ++j) *hodnoty[j] = (j == i);
        Stranka stranka;
        stranka.Vytvorit(rodic);
        HWND seznam = stranka.Polozka(idSeznamu);
        ASSERT_EQ(::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(N));
        for (size_t j = 0; j < N; ++j) {
            SCOPED_TRACE(radky[j].prikaz);
            if (i == 0) {
                EXPECT_EQ(TextPolozkySeznamu(seznam, static_cast<int>(j)), radky[j].text);
            }
            EXPECT_EQ(stranka.seznam.JeZaskrtnuta(radky[j].prikaz), j == i) << "shown from the value";
        }
        // store: the checks inverted, each value follows its own row
        for (size_t j = 0; j < N; ++j) stranka.seznam.NastavitZaskrtnuti(static_cast<int>(j), j != i);
        stranka.Ulozit();
        for (size_t j = 0; j < N; ++j) EXPECT_EQ(*hodnoty[j], j != i) << "stored, row " << j;
    }
    ::DestroyWindow(rodic);
}

}  // namespace

TEST(StrankyAplikace, AkcePoSpusteniZaskrtnutiOdpovidaHodnotam) {
    Prostredi prostredi;
    OveritSeznamVoleb<DlgNastavPoSpusteni>(radkyPoSpusteni, HodnotyPoSpusteni(), IDC_PO_SPUSTENI_SEZNAM);
}

TEST(StrankyAplikace, PolozkyHlavniNabidkyZaskrtnutiOdpovidaHodnotamOstatniZustanou) {
    Prostredi prostredi;
    OveritSeznamVoleb<DlgNastavPolozkyMenuHlavni>(radkyPolozekMenu, HodnotyPolozekMenu(), IDC_POLOZKY_MENU_SEZNAM);
    // the values without an item keep theirs
    PolozkyMenu& m = aplikace.nastaveni.polozkyMenu;
    m.externiAplikace = false;
    m.napoveda = true;
    m.pocasi = false;
    m.shellExtension = true;
    m.zasuvneModuly = false;
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    DlgNastavPolozkyMenuHlavni stranka;
    stranka.Vytvorit(rodic);
    for (int i = 0; i < 16; ++i) stranka.seznam.NastavitZaskrtnuti(i, i % 2 == 0);
    stranka.Ulozit();
    EXPECT_FALSE(m.externiAplikace);
    EXPECT_TRUE(m.napoveda);
    EXPECT_FALSE(m.pocasi);
    EXPECT_TRUE(m.shellExtension);
    EXPECT_FALSE(m.zasuvneModuly);
    stranka.Ukoncit(0);
    ::DestroyWindow(rodic);
}

TEST(StrankyAplikace, VseobecneZaskrtnutiOdpovidaHodnotam) {
    Prostredi prostredi;
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    for (int pripad = 0; pripad < 4; ++pripad) {
        const bool vzhled = pripad & 1, zvuk = (pripad & 2) != 0;
        aplikace.nastaveni.vlastniVzhled = vzhled;
        aplikace.nastaveni.zvuk = zvuk;
        DlgNastavObecne stranka;
        stranka.Vytvorit(rodic);
        EXPECT_EQ(::IsDlgButtonChecked(stranka.m_hWnd, IDC_OBECNE_VZHLED) == BST_CHECKED, vzhled);
        EXPECT_EQ(::IsDlgButtonChecked(stranka.m_hWnd, IDC_OBECNE_ZVUK) == BST_CHECKED, zvuk);
        Kliknout(stranka.m_hWnd, IDC_OBECNE_ZVUK);
        EXPECT_FALSE(stranka.zmenaVzhledu);
        Kliknout(stranka.m_hWnd, IDC_OBECNE_VZHLED);
        EXPECT_TRUE(stranka.zmenaVzhledu);
        stranka.Ulozit();
        EXPECT_FALSE(stranka.zmenaVzhledu);
        EXPECT_EQ(aplikace.nastaveni.vlastniVzhled, !vzhled);
        EXPECT_EQ(aplikace.nastaveni.zvuk, !zvuk);
        // the change notices went to the parent: one per click and the rebuild request
        int zmeny = 0, obnoveni = 0;
        MSG msg;
        while (::PeekMessageW(&msg, rodic, 0, 0, PM_REMOVE)) {
            if (msg.message == ZpravaStrankaZmenena) ++zmeny;
            if (msg.message == ZpravaObnovitStromNastaveni) ++obnoveni;
        }
        EXPECT_EQ(zmeny, 2);
        EXPECT_EQ(obnoveni, 1);
    }
    ::DestroyWindow(rodic);
}

TEST(StrankyAplikace, KliknutiDoSeznamuPovoliPouzit) {
    Prostredi prostredi;
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 105);
    ::ShowWindow(okno.m_hWnd, SW_SHOW);
    okno.Pouzit();
    ASSERT_FALSE(PouzitPovoleno(okno));
    HWND seznam = ::GetDlgItem(okno.Stranka(StrPoSpusteni)->OknoStranky(), IDC_PO_SPUSTENI_SEZNAM);
    RECT polozka{};
    polozka.left = LVIR_LABEL;
    ::SendMessageW(seznam, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&polozka));
    LPARAM misto = MAKELPARAM(polozka.left + 5, (polozka.top + polozka.bottom) / 2);
    ::SendMessageW(seznam, WM_LBUTTONDOWN, MK_LBUTTON, misto);
    ::SendMessageW(seznam, WM_LBUTTONUP, 0, misto);
    testy::Pumpovat();
    EXPECT_TRUE(PouzitPovoleno(okno));
    ::ShowWindow(okno.m_hWnd, SW_HIDE);
}

// ---------------------------------------------------------------------------------------------
// The tray-click handlers shared by the tools' pages.

TEST(AkceKliknuti, ZobrazeniAZmenaAkce) {
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 300, 200, rodic, nullptr, nullptr, nullptr);
    StrankaAkciKliknuti stranka;
    stranka.comboKliknuti = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, okno,
                                              reinterpret_cast<HMENU>(1104), nullptr, nullptr);
    stranka.comboAkce = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, okno,
                                          reinterpret_cast<HMENU>(1105), nullptr, nullptr);
    DWORD leve = 40113, ctrlLeve = 12345, stredni = static_cast<DWORD>(-1);
    knihovna::PridatPolozkuCombo(stranka.comboKliknuti, L"Levé tlačítko", reinterpret_cast<LPARAM>(&leve));
    knihovna::PridatPolozkuCombo(stranka.comboKliknuti, L"<Ctrl> + levé tlačítko", reinterpret_cast<LPARAM>(&ctrlLeve));
    knihovna::PridatPolozkuCombo(stranka.comboKliknuti, L"Prostřední tlačítko", reinterpret_cast<LPARAM>(&stredni));
    for (LPARAM akce : {40113, 40114, 40115}) knihovna::PridatPolozkuCombo(stranka.comboAkce, L"akce", akce);
    auto vyberAkce = [&] { return ::SendMessageW(stranka.comboAkce, CB_GETCURSEL, 0, 0); };

    ::SendMessageW(stranka.comboKliknuti, CB_SETCURSEL, 0, 0);
    ZobrazitAkciKliknuti(stranka);
    EXPECT_EQ(vyberAkce(), 0);
    ::SendMessageW(stranka.comboKliknuti, CB_SETCURSEL, 1, 0);
    ZobrazitAkciKliknuti(stranka);
    EXPECT_EQ(vyberAkce(), CB_ERR) << "an action not in the list shows no selection";
    ::SendMessageW(stranka.comboAkce, CB_SETCURSEL, 2, 0);
    ::SendMessageW(stranka.comboKliknuti, CB_SETCURSEL, 2, 0);
    ZobrazitAkciKliknuti(stranka);
    EXPECT_EQ(vyberAkce(), 2) << "-1 leaves the action combo alone";

    // choosing an action writes the selected click's field at once and tells the window
    ::SendMessageW(stranka.comboKliknuti, CB_SETCURSEL, 0, 0);
    ::SendMessageW(stranka.comboAkce, CB_SETCURSEL, 1, 0);
    BOOL zpracovano = TRUE;
    EXPECT_EQ(ZmenitAkciKliknuti(stranka, okno, zpracovano), 0);
    EXPECT_FALSE(zpracovano);
    EXPECT_EQ(leve, 40114u);
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, rodic, ZpravaStrankaZmenena, ZpravaStrankaZmenena, PM_REMOVE));
    ::SendMessageW(stranka.comboAkce, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ZmenitAkciKliknuti(stranka, okno, zpracovano);
    EXPECT_EQ(leve, 40114u);
    EXPECT_FALSE(::PeekMessageW(&msg, rodic, ZpravaStrankaZmenena, ZpravaStrankaZmenena, PM_REMOVE));
    ::DestroyWindow(rodic);
}

TEST(AkceKliknuti, SestavitTextZTabulky) {
    EXPECT_EQ(SestavitTextZTabulky(IDS_NAZEV_STOPKY, IDS_FORMAT_SPUSTIT_MODUL), L"Spustit modul \"Stopky\"");
    EXPECT_THROW(SestavitTextZTabulky(9999, IDS_FORMAT_SPUSTIT_MODUL), Chyba);
}

// ---------------------------------------------------------------------------------------------
// Layout: the window and each of its own pages with Czech texts that fit.

namespace {

std::wstring TridaOkna(HWND okno) {
    wchar_t trida[64] = L"";
    ::GetClassNameW(okno, trida, 64);
    return trida;
}

// Text width in the control's own font against the room the control gives it.
void OveritTextyPrvku(HWND dialog) {
    for (HWND prvek = ::GetWindow(dialog, GW_CHILD); prvek; prvek = ::GetWindow(prvek, GW_HWNDNEXT)) {
        const std::wstring trida = TridaOkna(prvek);
        if (trida != L"Button" && trida != L"Static") continue;
        std::wstring text = testy::TextOkna(prvek);
        if (text.empty()) continue;
        RECT klient;
        ::GetClientRect(prvek, &klient);
        HDC dc = ::GetDC(prvek);
        HGDIOBJ stare = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(prvek, WM_GETFONT, 0, 0)));
        RECT potreba{0, 0, 0, 0};
        ::DrawTextW(dc, text.c_str(), -1, &potreba, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        // Czech letters are in the font (no missing-glyph boxes)
        WORD glyfy[32];
        const wchar_t cesky[] = L"ěščřžýáíéůúďťňĚŠČŘŽÝÁÍÉŮÚ";
        ::GetGlyphIndicesW(dc, cesky, static_cast<int>(wcslen(cesky)), glyfy, GGI_MARK_NONEXISTING_GLYPHS);
        for (size_t i = 0; i < wcslen(cesky); ++i) EXPECT_NE(glyfy[i], 0xFFFF) << "missing glyph " << i;
        ::SelectObject(dc, stare);
        ::ReleaseDC(prvek, dc);
        int mista = klient.right - klient.left;
        const LONG styl = ::GetWindowLongW(prvek, GWL_STYLE);
        if (trida == L"Button") {
            const LONG typ = styl & BS_TYPEMASK;
            if (typ == BS_AUTOCHECKBOX || typ == BS_CHECKBOX || typ == BS_AUTORADIOBUTTON || typ == BS_RADIOBUTTON)
                mista -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
            else
                mista -= 4;
        }
        const LONG druh = styl & SS_TYPEMASK;
        if (trida == L"Static" && potreba.right > mista && (druh == SS_LEFT || druh == SS_CENTER || druh == SS_RIGHT)) {
            // a wrapping static text: its lines within the control's height
            HDC dcRadku = ::GetDC(prvek);
            HGDIOBJ puvodni = ::SelectObject(dcRadku, reinterpret_cast<HFONT>(::SendMessageW(prvek, WM_GETFONT, 0, 0)));
            potreba = RECT{0, 0, mista, 0};
            ::DrawTextW(dcRadku, text.c_str(), -1, &potreba, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
            ::SelectObject(dcRadku, puvodni);
            ::ReleaseDC(prvek, dcRadku);
        }
        EXPECT_LE(potreba.right, mista) << "cut off: \"" << Utf8(text) << "\"";
        EXPECT_LE(potreba.bottom, klient.bottom - klient.top) << "too low: \"" << Utf8(text) << "\"";
    }
}

bool Uvnitr(const RECT& vnitrni, const RECT& vnejsi) {
    return vnitrni.left >= vnejsi.left && vnitrni.top >= vnejsi.top && vnitrni.right <= vnejsi.right &&
           vnitrni.bottom <= vnejsi.bottom;
}

}  // namespace

TEST(RozvrzeniNastaveni, TextySeVejdouAStrankyLeziVOblasti) {
    Prostredi prostredi;
    for (UINT id : {104u, 105u, 178u, 190u}) {
        SCOPED_TRACE(id);
        DlgNastaveni okno;
        okno.Vytvorit(nullptr, id);
        OveritTextyPrvku(okno.m_hWnd);
        HWND stranka = okno.Stranka(NajitRadekStranky(id)->slot)->OknoStranky();
        OveritTextyPrvku(stranka);

        // the page lies right of the tree, above the buttons, inside the window; its controls inside it
        RECT klient, strom, tlacitko, obdelnikStranky;
        ::GetClientRect(okno.m_hWnd, &klient);
        ::GetWindowRect(okno.Strom(), &strom);
        ::MapWindowPoints(nullptr, okno.m_hWnd, reinterpret_cast<POINT*>(&strom), 2);
        ::GetWindowRect(okno.Polozka(IDOK), &tlacitko);
        ::MapWindowPoints(nullptr, okno.m_hWnd, reinterpret_cast<POINT*>(&tlacitko), 2);
        ::GetWindowRect(stranka, &obdelnikStranky);
        ::MapWindowPoints(nullptr, okno.m_hWnd, reinterpret_cast<POINT*>(&obdelnikStranky), 2);
        EXPECT_TRUE(Uvnitr(obdelnikStranky, klient));
        EXPECT_GE(obdelnikStranky.left, strom.right);
        EXPECT_LT(obdelnikStranky.bottom, tlacitko.top);
        RECT mistoStranky;
        ::GetWindowRect(stranka, &mistoStranky);
        for (HWND prvek = ::GetWindow(stranka, GW_CHILD); prvek; prvek = ::GetWindow(prvek, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(prvek, &r);
            EXPECT_TRUE(Uvnitr(r, mistoStranky)) << "control " << ::GetDlgCtrlID(prvek) << " outside the page area";
        }
    }
}

TEST(OknoNastaveni, PolohaSeUloziPodVlastnimJmenem) {
    Prostredi prostredi;
    RECT prace;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &prace, 0);
    {
        DlgNastaveni okno;
        EXPECT_EQ(DlgNastaveni::NazevPolohy(), L"QKolvexOknoNastaveni") << "set from the string table";
        okno.Vytvorit(nullptr, 0);
        RECT r;
        ::GetWindowRect(okno.m_hWnd, &r);
        const int sirka = r.right - r.left, vyska = r.bottom - r.top;
        EXPECT_NEAR(r.left, (prace.left + prace.right) / 2 - sirka / 2, 1) << "not centred without a placement";
        EXPECT_NEAR(r.top, (prace.top + prace.bottom) / 2 - vyska / 2, 1);
        ::ShowWindow(okno.m_hWnd, SW_SHOWNA);
        ::SetWindowPos(okno.m_hWnd, nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        okno.Zavrit(IDCANCEL);
    }
    const std::wstring klic = KLIC + L"\\Parametry oken\\QKolvexOknoNastaveni";
    DWORD poloha = 0;
    ASSERT_TRUE(testy::PrecistDword(klic, L"Poloha", poloha));
    EXPECT_EQ(poloha, static_cast<DWORD>(40 | (50 << 16)));
    DlgNastaveni okno;
    okno.Vytvorit(nullptr, 0);
    RECT r;
    ::GetWindowRect(okno.m_hWnd, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
}

// Every item of the page tree, all expanded, with the own look's icons, is read whole.
TEST(OknoNastaveni, StromNeoreziDlouhePolozky) {
    for (bool vzhled : {true, false}) {
        SCOPED_TRACE(vzhled);
        Prostredi prostredi;
        aplikace.nastaveni.vlastniVzhled = vzhled;
        DlgNastaveni okno;
        okno.Vytvorit(nullptr, 104);
        HWND strom = okno.Strom();
        RozbalitPolozkyStromu(strom, TreeView_GetRoot(strom), true);
        RECT klient;
        ::GetClientRect(strom, &klient);
        int polozek = 0;
        std::function<void(HTREEITEM)> projit = [&](HTREEITEM polozka) {
            for (; polozka; polozka = TreeView_GetNextSibling(strom, polozka)) {
                ++polozek;
                RECT r{};
                ASSERT_TRUE(TreeView_GetItemRect(strom, polozka, &r, TRUE));
                // scrolled away horizontally would hide it too
                EXPECT_GE(r.left, 0);
                EXPECT_LE(r.right, klient.right) << DataPolozky(strom, polozka);
                projit(TreeView_GetChild(strom, polozka));
            }
        };
        projit(TreeView_GetRoot(strom));
        EXPECT_GT(polozek, 20);
        okno.Zavrit(IDCANCEL);
    }
}

// A failure on one page or in one save keeps the window open: the page that failed is named, the
// edits of the other pages are stored, and nothing leaks out to end the window's modal run.
TEST(OknoNastaveni, ChybaStrankyNeboUlozeniNechaOknoOtevreneAOstatniUlozi) {
    enum Druh { ZOBRAZENI, ULOZENI_STRANKY, ULOZENI_OBJEKTU };
    const struct {
        Druh druh;
        UINT idZpravy;  // the start of the one message; 0 = the settings object's own
    } pripady[] = {{ZOBRAZENI, IDS_STRANKU_NELZE_ZOBRAZIT}, {ULOZENI_STRANKY, IDS_STRANKU_NELZE_ULOZIT},
                   {ULOZENI_OBJEKTU, IDS_CHYBA_ZAPISU_KONFIGURACE_MODULU}};
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.druh);
        Prostredi prostredi;
        ZaregistrovatStrankuNastaveni(196, VytvoritStranku<ChybnaStranka>);
        ChybnaStranka::chybaZobrazeni = p.druh == ZOBRAZENI;
        ChybnaStranka::chybaUlozeni = p.druh == ULOZENI_STRANKY;
        if (p.druh == ULOZENI_OBJEKTU) {
            // a volatile clock key cannot hold the persistent font section below it
            HKEY h = nullptr;
            ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\Hodiny").c_str(), 0, nullptr,
                                        REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &h, nullptr),
                      ERROR_SUCCESS);
            ::RegCloseKey(h);
        }
        {
            DlgNastaveni okno;
            okno.Vytvorit(nullptr, 190);
            ::SetDlgItemTextW(okno.Stranka(StrOdesilatelEmailu)->OknoStranky(), IDC_EMAIL_SERVER, L"smtp.example.cz");
            Vybrat(okno, 196);
            EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()) << "the page's error left its handler";
            if (p.druh == ZOBRAZENI) {
                ASSERT_EQ(prostredi.zpravy.zpravy.size(), 1u) << prostredi.zpravy;
                EXPECT_EQ(prostredi.zpravy.zpravy[0].text.rfind(ZpravaStranky(p.idZpravy, L"Hodiny"), 0), 0u)
                    << prostredi.zpravy;
                EXPECT_EQ(okno.Stranka(StrHodiny), nullptr);
            } else {
                ASSERT_NE(okno.Stranka(StrHodiny), nullptr);
            }
            Stisknout(okno, IDOK);
            EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()) << "the store's error left OK's handler";
            knihovna::ZahoditOdlozenouVyjimku();
            EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Odesilatel emailu", L"server")) << "another page's edit was lost";
            EXPECT_EQ(nastaveniOdesilatelEmailu->server.Text(), L"smtp.example.cz");
            if (p.druh == ZOBRAZENI) {
                EXPECT_FALSE(okno.JeOkno()) << "a page that could not be shown keeps nothing from closing";
                EXPECT_EQ(prostredi.zpravy.zpravy.size(), 1u) << prostredi.zpravy;
            } else {
                EXPECT_TRUE(okno.JeOkno()) << "OK closed the window over a failed store";
                EXPECT_TRUE(PouzitPovoleno(okno));
                ASSERT_EQ(prostredi.zpravy.zpravy.size(), 1u) << prostredi.zpravy;
                const std::wstring ocekavana =
                    p.druh == ULOZENI_STRANKY ? ZpravaStranky(p.idZpravy, L"Hodiny")
                                              : ZpravaStranky(p.idZpravy, knihovna::Retezec(IDS_NAZEV_HODINY).c_str());
                EXPECT_EQ(prostredi.zpravy.zpravy[0].text.rfind(ocekavana, 0), 0u) << prostredi.zpravy;
                // once the fault is gone, OK stores and closes
                ChybnaStranka::chybaUlozeni = false;
                testy::SmazatKlic(KLIC + L"\\Hodiny");
                Stisknout(okno, IDOK);
                EXPECT_FALSE(okno.JeOkno());
            }
        }
        ZaregistrovatStrankuNastaveni(196, nullptr);
    }
    ChybnaStranka::chybaZobrazeni = ChybnaStranka::chybaUlozeni = false;
}

// The sound-recording page refuses a file name or folder a file cannot have (a quote would also
// split Sonvidar's command line): its own Czech message, the stored value kept, the window open,
// the page's other values and the other pages' edits taken.
TEST(OknoNastaveni, StrankaZaznamuOdmitneZnakyKtereNazevSouboruNeunese) {
    const struct {
        const wchar_t* soubor;
        const wchar_t* slozka;
        UINT idZpravy;  // 0 = accepted
    } pripady[] = {
        {L"zaz\"nam", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"a/b", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"a\\b", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"a:b", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"a*b?", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"<a>|", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"a\tb", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"", L"C:\\Zaznamy", IDS_NEPLATNY_SOUBOR_ZAZNAMU},
        {L"nahravka", L"C:\\Zaz\"namy", IDS_NEPLATNA_SLOZKA_ZAZNAMU},
        {L"nahravka", L"C:\\Zaznamy\\a:b", IDS_NEPLATNA_SLOZKA_ZAZNAMU},
        {L"nahravka", L"C:\\Zaznamy|x", IDS_NEPLATNA_SLOZKA_ZAZNAMU},
        {L"nahrávka 1", L"C:\\Záznamy zvuku\\dnes", 0},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(knihovna::NaUzky(std::wstring(p.soubor) + L" | " + p.slozka, CP_UTF8));
        Prostredi prostredi;
        ZaregistrovatStrankuNastaveni(180, VytvoritStranku<DlgNastavZaznamZvukuWma>);
        const std::wstring puvodniSoubor = nastaveniSonvidar->zvuk.soubor;
        const std::wstring puvodniSlozka = nastaveniSonvidar->zvuk.slozka;
        {
            DlgNastaveni okno;
            okno.Vytvorit(nullptr, 190);
            ::SetDlgItemTextW(okno.Stranka(StrOdesilatelEmailu)->OknoStranky(), IDC_EMAIL_SERVER, L"smtp.example.cz");
            Vybrat(okno, 180);
            HWND stranka = okno.Stranka(StrZaznamZvukuWma)->OknoStranky();
            ::SetDlgItemTextW(stranka, 1106, p.soubor);
            ::SetDlgItemTextW(stranka, 1031, p.slozka);
            ::SetDlgItemTextW(stranka, 1110, L"77");
            Stisknout(okno, IDOK);
            EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());
            knihovna::ZahoditOdlozenouVyjimku();
            EXPECT_EQ(nastaveniSonvidar->zvuk.maxPocetSouboru, 77u) << "the page's valid value was lost";
            EXPECT_TRUE(ExistujeHodnota(KLIC + L"\\Odesilatel emailu", L"server")) << "another page's edit was lost";
            if (p.idZpravy == 0) {
                EXPECT_FALSE(okno.JeOkno());
                EXPECT_TRUE(prostredi.zpravy.zpravy.empty()) << prostredi.zpravy;
                EXPECT_EQ(nastaveniSonvidar->zvuk.soubor.Text(), p.soubor);
                EXPECT_EQ(nastaveniSonvidar->zvuk.slozka.Text(), p.slozka);
                continue;
            }
            EXPECT_TRUE(okno.JeOkno()) << "OK closed the window over a refused name";
            ASSERT_EQ(prostredi.zpravy.zpravy.size(), 1u) << prostredi.zpravy;
            const bool soubor = p.idZpravy == IDS_NEPLATNY_SOUBOR_ZAZNAMU;
            const std::wstring ocekavana = knihovna::Formatovat(knihovna::Retezec(p.idZpravy).c_str(),
                                                                soubor ? p.soubor : p.slozka,
                                                                (soubor ? puvodniSoubor : puvodniSlozka).c_str());
            EXPECT_EQ(prostredi.zpravy.zpravy[0].text, ocekavana) << prostredi.zpravy;
            EXPECT_EQ(nastaveniSonvidar->zvuk.soubor.Text(), soubor ? puvodniSoubor : std::wstring(p.soubor));
            EXPECT_EQ(nastaveniSonvidar->zvuk.slozka.Text(), soubor ? std::wstring(p.slozka) : puvodniSlozka);
            std::wstring ulozeny;
            DWORD velikost = 0;
            if (::RegGetValueW(HKEY_CURRENT_USER, (KLIC + L"\\Sonvidar\\Zaznam zvuku").c_str(),
                               soubor ? L"soubor" : L"slozka", RRF_RT_REG_SZ, nullptr, nullptr, &velikost) == ERROR_SUCCESS) {
                ulozeny.resize(velikost / sizeof(wchar_t));
                ::RegGetValueW(HKEY_CURRENT_USER, (KLIC + L"\\Sonvidar\\Zaznam zvuku").c_str(),
                               soubor ? L"soubor" : L"slozka", RRF_RT_REG_SZ, nullptr, &ulozeny[0], &velikost);
                ulozeny.resize(wcslen(ulozeny.c_str()));
            }
            EXPECT_EQ(ulozeny, soubor ? puvodniSoubor : puvodniSlozka) << "the refused value was stored";
        }
        ZaregistrovatStrankuNastaveni(180, nullptr);
    }
}

// ---------------------------------------------------------------------------------------------
// What every settings page shows once it has filled itself: list-box rows, list-view rows and
// cells, the combo boxes' items and the texts its initialisation set, each whole in its control
// (run at 96 and at 144 DPI).

namespace {

// The text's width in the control's font.
int SirkaTextu(HWND prvek, const std::wstring& text) {
    HDC dc = ::GetDC(prvek);
    HFONT pismo = reinterpret_cast<HFONT>(::SendMessageW(prvek, WM_GETFONT, 0, 0));
    HGDIOBJ stare = ::SelectObject(dc, pismo ? static_cast<HGDIOBJ>(pismo) : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, stare);
    ::ReleaseDC(prvek, dc);
    return r.right;
}

// Rows and items of the page's lists and combo boxes that their control cuts.
void OveritRadkySeznamu(HWND stranka, const std::wstring& kde, std::vector<std::wstring>& chyby) {
    auto chyba = [&](HWND prvek, const std::wstring& text, int sirka, int misto) {
        chyby.push_back(kde + L", prvek " + std::to_wstring(::GetDlgCtrlID(prvek)) + L" (" + TridaOkna(prvek) +
                        L") \"" + text + L"\": text " + std::to_wstring(sirka) + L", místo " + std::to_wstring(misto));
    };
    for (HWND prvek = ::GetWindow(stranka, GW_CHILD); prvek; prvek = ::GetWindow(prvek, GW_HWNDNEXT)) {
        const std::wstring trida = TridaOkna(prvek);
        const LONG styl = ::GetWindowLongW(prvek, GWL_STYLE);
        RECT klient{};
        ::GetClientRect(prvek, &klient);
        if (_wcsicmp(trida.c_str(), L"ListBox") == 0) {
            if ((styl & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(styl & LBS_HASSTRINGS)) continue;
            if (styl & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) continue;  // drawn by the page, checked there
            const int rozsah = (styl & WS_HSCROLL) ? static_cast<int>(::SendMessageW(prvek, LB_GETHORIZONTALEXTENT, 0, 0)) : 0;
            const int pocet = static_cast<int>(::SendMessageW(prvek, LB_GETCOUNT, 0, 0));
            for (int i = 0; i < pocet; ++i) {
                const LRESULT delka = ::SendMessageW(prvek, LB_GETTEXTLEN, i, 0);
                if (delka <= 0) continue;
                std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
                ::SendMessageW(prvek, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
                text.resize(static_cast<size_t>(delka));
                const int sirka = SirkaTextu(prvek, text);
                const int misto = std::max<int>(klient.right, rozsah) - 2;
                if (sirka > misto) chyba(prvek, text, sirka, misto);
            }
        } else if (_wcsicmp(trida.c_str(), L"ComboBox") == 0) {
            if (styl & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) continue;  // drawn by the page, checked there
            RECT okno{};
            ::GetWindowRect(prvek, &okno);
            const int pocet = static_cast<int>(::SendMessageW(prvek, CB_GETCOUNT, 0, 0));
            // the dropped list: its width less a scroll bar when not every item shows
            const int viditelnych = static_cast<int>(::SendMessageW(prvek, CB_GETMINVISIBLE, 0, 0));
            int misto = std::max<int>(static_cast<int>(::SendMessageW(prvek, CB_GETDROPPEDWIDTH, 0, 0)),
                                      okno.right - okno.left) - 2 * ::GetSystemMetrics(SM_CXEDGE) - 2;
            if (pocet > viditelnych) misto -= ::GetSystemMetrics(SM_CXVSCROLL);
            for (int i = 0; i < pocet; ++i) {
                const LRESULT delka = ::SendMessageW(prvek, CB_GETLBTEXTLEN, i, 0);
                if (delka <= 0) continue;
                std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
                ::SendMessageW(prvek, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
                text.resize(static_cast<size_t>(delka));
                const int sirka = SirkaTextu(prvek, text);
                if (sirka > misto) chyba(prvek, text, sirka, misto);
            }
        } else if (_wcsicmp(trida.c_str(), WC_LISTVIEWW) == 0 && (styl & LVS_TYPEMASK) == LVS_REPORT) {
            HWND hlavicka = reinterpret_cast<HWND>(::SendMessageW(prvek, LVM_GETHEADER, 0, 0));
            const int sloupcu = hlavicka ? static_cast<int>(::SendMessageW(hlavicka, HDM_GETITEMCOUNT, 0, 0)) : 1;
            const int pocet = static_cast<int>(::SendMessageW(prvek, LVM_GETITEMCOUNT, 0, 0));
            for (int i = 0; i < pocet; ++i)
                for (int sloupec = 0; sloupec < std::max(sloupcu, 1); ++sloupec) {
                    wchar_t text[512] = L"";
                    LVITEMW polozka{};
                    polozka.iSubItem = sloupec;
                    polozka.pszText = text;
                    polozka.cchTextMax = 512;
                    ::SendMessageW(prvek, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&polozka));
                    if (!text[0]) continue;
                    RECT popisek{LVIR_LABEL, sloupec, 0, 0};
                    if (!::SendMessageW(prvek, sloupec == 0 ? LVM_GETITEMRECT : LVM_GETSUBITEMRECT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(&popisek)))
                        continue;
                    if (sloupec == 0) {
                        popisek.left = LVIR_LABEL;
                        ::SendMessageW(prvek, LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&popisek));
                    }
                    const int sirka = static_cast<int>(::SendMessageW(prvek, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
                    if (sirka > popisek.right - popisek.left) chyba(prvek, text, sirka, popisek.right - popisek.left);
                }
        }
    }
}

}  // namespace

TEST(TextyDialogu, PoOtevreniKazdeStrankyNastaveniSeRadkyAPolozkyVejdou) {
    Prostredi prostredi;
    ZaregistrovatStrankyObrazovky();
    ZaregistrovatStrankySchranky();
    const std::pair<UINT, TvurceStranky> stranky[] = {
        {IDD_NASTAV_KONTAKTY, VytvoritStranku<DlgNastavKontakty>},
        {IDD_NASTAV_SEZNAM_REGISTRACI, VytvoritStranku<DlgNastavSeznamRegistraci>},
        {IDD_NASTAV_POZNAMKY, VytvoritStranku<DlgNastavPoznamky>},
        {IDD_NASTAV_POZNAMKY_TEXTOVE, VytvoritStranku<DlgNastavPoznamkyTextove>},
        {IDD_NASTAV_POZNAMKY_ZVUKOVE, VytvoritStranku<DlgNastavPoznamkyZvukove>},
        {IDD_NASTAV_SPOUSTENI_APLIKACI, VytvoritStranku<DlgNastavSpousteniAplikaci>},
        {IDD_NASTAV_SPOUSTENE_APLIKACE, VytvoritStranku<DlgNastavSpousteneAplikace>},
        {IDD_NASTAV_OKNA_AKCE, VytvoritStranku<DlgNastavOknaAkce>},
        {IDD_NASTAV_ROZSIRENI_OKEN, VytvoritStranku<DlgNastavRozsireniOken>},
        {IDD_NASTAV_HOST_INFO, VytvoritStranku<DlgNastavHostInfo>},
        {DlgNastavPocasiObecne::IDD, VytvoritStranku<DlgNastavPocasiObecne>},
        {DlgNastavPocasiAladin::IDD, VytvoritStranku<DlgNastavPocasiAladin>},
        {DlgNastavPocasiPredpovedText::IDD, VytvoritStranku<DlgNastavPocasiPredpovedText>},
        {DlgNastavPocasiSnimekDruzice::IDD, VytvoritStranku<DlgNastavPocasiSnimekDruzice>},
        {IDD_NASTAV_CTECKA_RSS, VytvoritStranku<DlgNastavCteckaRSS>},
        {IDD_NASTAV_SLEDOVANI_PAMETI, VytvoritStranku<DlgNastavSledovaniPameti>},
        {IDD_NASTAV_SLEDOVANI_PROCESU, VytvoritStranku<DlgNastavSledovaniProcesu>},
        {IDD_NASTAV_HODINY, VytvoritStranku<DlgNastavHodiny>},
        {IDD_NASTAV_STOPKY, VytvoritStranku<DlgNastavStopky>},
        {IDD_NASTAV_HORKE_KLAVESY, VytvoritStranku<DlgNastavHorkeKlavesy>},
        {IDD_NASTAV_SONVIDAR, VytvoritStranku<DlgNastavSonvidar>},
        {IDD_NASTAV_ZAZNAM_ZVUKU_WMA, VytvoritStranku<DlgNastavZaznamZvukuWma>},
        {IDD_NASTAV_ZAZNAM_VIDEA_WMV, VytvoritStranku<DlgNastavZaznamVideaWmv>},
        {DlgNastavOvladaniCD::IDD, VytvoritStranku<DlgNastavOvladaniCD>},
    };
    for (const auto& s : stranky) ZaregistrovatStrankuNastaveni(s.first, s.second);

    std::vector<std::wstring> chyby;
    int otevrenych = 0;
    for (UINT id = 100; id < 1000; ++id) {
        const RadekStranky* radek = NajitRadekStranky(id);
        if (!radek || !TvurceStrankyNastaveni(id)) continue;
        SCOPED_TRACE(id);
        DlgNastaveni okno;
        okno.Vytvorit(nullptr, id);
        StrankaNastaveni* stranka = okno.Stranka(radek->slot);
        EXPECT_NE(stranka, nullptr) << "page " << id << " did not open";
        if (!stranka || !stranka->OknoStranky()) continue;
        ++otevrenych;
        OveritTextyPrvku(stranka->OknoStranky());
        OveritRadkySeznamu(stranka->OknoStranky(), L"stránka " + std::to_wstring(id) + L" " + radek->titulek, chyby);
    }
    const HDC obrazovka = ::GetDC(nullptr);
    std::printf("%d stránek při %d DPI\n", otevrenych, ::GetDeviceCaps(obrazovka, LOGPIXELSY));
    ::ReleaseDC(nullptr, obrazovka);
    EXPECT_GE(otevrenych, 30);
    std::wstring seznam;
    for (const std::wstring& c : chyby) seznam += c + L"\n";
    EXPECT_TRUE(chyby.empty()) << chyby.size() << " rows or items cut:\n" << Utf8(seznam);
}
