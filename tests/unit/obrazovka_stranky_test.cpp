// The settings pages of the screen tools: stored values into the controls and back, out-of-range
// numbers keep the old value, change notifications, and the display-mode list with a fixture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "podpora/snimek.h"
#include "resources/resource.h"
#include "screen/rezimy.h"
#include "screen/strankyobrazovky.h"
#include "unit/servery_testu.h"

namespace {

std::wstring TextPrvku(HWND dialog, int id) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

LPARAM DataVyberu(HWND combo) {
    const LRESULT i = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    return i == CB_ERR ? -1 : ::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
}

void Zvolit(HWND stranka, int id, LPARAM data) {
    HWND combo = ::GetDlgItem(stranka, id);
    const LRESULT pocet = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < pocet; ++i)
        if (::SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data)
            ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    ::SendMessageW(stranka, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The modes the "driver" offers: three of them, and the current one.
const DEVMODEW* RezimFixture(DWORD cislo) {
    static DEVMODEW rezimy[4] = {};
    const DWORD data[4][4] = {{640, 480, 8, 60}, {800, 600, 16, 0}, {1024, 768, 32, 75}, {1280, 1024, 32, 60}};
    for (int i = 0; i < 4; ++i) {
        rezimy[i].dmSize = sizeof(DEVMODEW);
        rezimy[i].dmPelsWidth = data[i][0];
        rezimy[i].dmPelsHeight = data[i][1];
        rezimy[i].dmBitsPerPel = data[i][2];
        rezimy[i].dmDisplayFrequency = data[i][3];
    }
    if (cislo == ENUM_CURRENT_SETTINGS) return &rezimy[3];
    return cislo < 3 ? &rezimy[cislo] : nullptr;
}
BOOL WINAPI VycetFixture(LPCWSTR, DWORD cislo, DEVMODEW* rezim) {
    const DEVMODEW* r = RezimFixture(cislo);
    if (!r) return FALSE;
    *rezim = *r;
    return TRUE;
}

class ObrazovkaStranky : public ::testing::Test {
protected:
    void SetUp() override {
        puvodni = std::move(nastaveniObrazovka);
        nastaveniObrazovka = std::make_unique<KonfiguraceObrazovka>();
        nastaveniObrazovka->NastavitVychozi();
        puvodniRezimy = std::move(rezimyObrazovky);
        rezimyObrazovky = std::make_unique<RezimyObrazovky>();
        ZaregistrovatStrankyObrazovky();
        rodic = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 700, 520, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    }
    void TearDown() override {
        stranka.reset();
        ::DestroyWindow(rodic);
        rezimyObrazovky = std::move(puvodniRezimy);
        nastaveniObrazovka = std::move(puvodni);
    }

    HWND Otevrit(UINT id) {
        stranka.reset();
        Zmeny();
        TvurceStranky tvurce = TvurceStrankyNastaveni(id);
        if (!tvurce) return nullptr;
        stranka = tvurce();
        HWND h = stranka->VytvoritStranku(rodic);
        ::ShowWindow(h, SW_SHOW);
        Zmeny();  // what the opening itself posted
        return h;
    }
    // Change notifications posted to the parent since the last call.
    int Zmeny() {
        int pocet = 0;
        MSG msg;
        while (::PeekMessageW(&msg, rodic, ZpravaStrankaZmenena, ZpravaStrankaZmenena, PM_REMOVE)) ++pocet;
        return pocet;
    }
    void Snimek(HWND h, const wchar_t* jmeno) {
        testy::PrekreslitOkno(h);
        testy::CekatNa([] { return false; }, 300);  // the drawing reaches the screen for the picture
        testy::UlozitSnimekOkna(h, jmeno);
    }

    std::unique_ptr<KonfiguraceObrazovka> puvodni;
    std::unique_ptr<RezimyObrazovky> puvodniRezimy;
    std::unique_ptr<StrankaNastaveni> stranka;
    HWND rodic = nullptr;
};

}  // namespace

TEST_F(ObrazovkaStranky, StrankaObrazovkaMeniAkciKliknutiHned) {
    nastaveniObrazovka->ctrlLeve = 40116;
    nastaveniObrazovka->leve = 12345;  // not in the list
    HWND h = Otevrit(IDD_NASTAV_OBRAZOVKA);
    ASSERT_TRUE(h);
    HWND kliknuti = ::GetDlgItem(h, IDC_AKCE_KLIKNUTI_KLIK);
    HWND akce = ::GetDlgItem(h, IDC_AKCE_KLIKNUTI_AKCE);
    EXPECT_EQ(::SendMessageW(kliknuti, CB_GETCOUNT, 0, 0), 7);
    ASSERT_EQ(::SendMessageW(akce, CB_GETCOUNT, 0, 0), 10);
    wchar_t text[200] = {};
    ::SendMessageW(akce, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Zobrazit plovoucí nabídku");
    EXPECT_EQ(::SendMessageW(akce, CB_GETCURSEL, 0, 0), CB_ERR) << "a stored command not in the list selects nothing";

    ::SendMessageW(kliknuti, CB_SETCURSEL, 1, 0);  // <Ctrl> + levé tlačítko
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_AKCE_KLIKNUTI_KLIK, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kliknuti));
    EXPECT_EQ(DataVyberu(akce), 40116);
    Zvolit(h, IDC_AKCE_KLIKNUTI_AKCE, 40127);
    EXPECT_EQ(nastaveniObrazovka->ctrlLeve, 40127u) << "written at once, before Apply";
    EXPECT_EQ(Zmeny(), 1);
    Snimek(h, L"stranka_156");
}

TEST_F(ObrazovkaStranky, StrankaOpisuUkladaHodnotyAOdmitneCislaMimoRozsah) {
    NastaveniOpisu& n = nastaveniObrazovka->opis;
    n.slozka = L"C:\\Opisy";
    n.soubor = L"Snimek";
    n.format = 1;
    n.kvalitaJpeg = 55;
    n.cislovat = false;
    n.maxPocetSouboru = 300;
    n.kopirovatDoSchranky = false;
    n.zobrazitInfo = false;
    n.vyrezZobrazovatSouradnice = true;
    n.vyrezUlozitPriPrvnim = false;
    n.shellOtevrit = 99;
    n.shellShowCmd = 2;
    n.zoomOpisVyber = 3;
    n.zoomOpisOkna = 4;
    HWND h = Otevrit(IDD_NASTAV_OPIS_OBRAZOVKY);
    ASSERT_TRUE(h);
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_SLOZKA), L"C:\\Opisy");
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_SOUBOR), L"Snimek");
    EXPECT_EQ(DataVyberu(::GetDlgItem(h, IDC_OPIS_FORMAT)), 1);
    EXPECT_EQ(::SendDlgItemMessageW(h, IDC_OPIS_KVALITA, TBM_GETPOS, 0, 0), 55);
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_KVALITA_CISLO), L"55");
    EXPECT_EQ(::IsDlgButtonChecked(h, IDC_OPIS_CISLOVAT), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_MAX_POCET), L"300");
    EXPECT_EQ(::IsDlgButtonChecked(h, IDC_OPIS_VYREZ_SOURADNICE), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(DataVyberu(::GetDlgItem(h, IDC_OPIS_AKCE)), 99);
    EXPECT_EQ(DataVyberu(::GetDlgItem(h, IDC_OPIS_ZOBRAZENI)), 2);
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_ZOOM_VYBER), L"3");
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_ZOOM_OKNA), L"4");
    Snimek(h, L"stranka_157");

    // numbers outside their ranges keep the stored values
    ::SetDlgItemTextW(h, IDC_OPIS_MAX_POCET, L"0");
    ::SetDlgItemTextW(h, IDC_OPIS_ZOOM_VYBER, L"17");
    ::SetDlgItemTextW(h, IDC_OPIS_ZOOM_OKNA, L"");
    EXPECT_EQ(Zmeny(), 3);
    ::SetDlgItemTextW(h, IDC_OPIS_SOUBOR, L"Jiny");
    ::CheckDlgButton(h, IDC_OPIS_SCHRANKA, BST_CHECKED);
    Zvolit(h, IDC_OPIS_AKCE, 3);
    stranka->Ulozit();
    EXPECT_EQ(n.maxPocetSouboru, 300u);
    EXPECT_EQ(n.zoomOpisVyber, 3u);
    EXPECT_EQ(n.zoomOpisOkna, 4u);
    EXPECT_EQ(n.soubor.Text(), L"Jiny");
    EXPECT_TRUE(n.kopirovatDoSchranky);
    EXPECT_EQ(n.shellOtevrit, 3u);
    EXPECT_EQ(n.shellShowCmd, 2u);
    EXPECT_EQ(n.kvalitaJpeg, 55u);
    ::SetDlgItemTextW(h, IDC_OPIS_MAX_POCET, L"10001");
    stranka->Ulozit();
    EXPECT_EQ(n.maxPocetSouboru, 300u);
    ::SetDlgItemTextW(h, IDC_OPIS_MAX_POCET, L"10000");
    ::SetDlgItemTextW(h, IDC_OPIS_ZOOM_VYBER, L"16");
    stranka->Ulozit();
    EXPECT_EQ(n.maxPocetSouboru, 10000u);
    EXPECT_EQ(n.zoomOpisVyber, 16u);

    // a stored format outside 0-4 shows JPEG and is stored as 0
    n.format = 7;
    h = Otevrit(IDD_NASTAV_OPIS_OBRAZOVKY);
    EXPECT_EQ(DataVyberu(::GetDlgItem(h, IDC_OPIS_FORMAT)), 0);
    stranka->Ulozit();
    EXPECT_EQ(n.format, 0u);
}

TEST_F(ObrazovkaStranky, StrankaEmailuNejdePodPetProcent) {
    NastaveniOpisuEmailem& n = nastaveniObrazovka->opisEmail;
    n.email = L"prijemce@example.cz";
    n.procentoVelikosti = 50;
    n.textZpravy = L"Řádek 1\r\nŘádek 2";
    n.html = true;
    HWND h = Otevrit(IDD_NASTAV_OPIS_EMAIL);
    ASSERT_TRUE(h);
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_EMAIL), L"prijemce@example.cz");
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_EMAIL_PREDMET), L"Opis obrazovky z aplikace Kolvex pro Windows");
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_EMAIL_TEXT), L"Řádek 1\r\nŘádek 2");
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_EMAIL_PROCENTA), L"50 %");
    EXPECT_EQ(::IsDlgButtonChecked(h, IDC_OPIS_EMAIL_HTML), static_cast<UINT>(BST_CHECKED));
    Snimek(h, L"stranka_192");

    HWND posuvnik = ::GetDlgItem(h, IDC_OPIS_EMAIL_VELIKOST);
    ::SendMessageW(posuvnik, TBM_SETPOS, TRUE, 1);
    ::SendMessageW(h, WM_HSCROLL, TB_THUMBPOSITION, reinterpret_cast<LPARAM>(posuvnik));
    EXPECT_EQ(TextPrvku(h, IDC_OPIS_EMAIL_PROCENTA), L"5 %");
    EXPECT_EQ(Zmeny(), 1);
    ::SetDlgItemTextW(h, IDC_OPIS_EMAIL_PREDMET, L"Předmět");
    ::CheckDlgButton(h, IDC_OPIS_EMAIL_HTML, BST_UNCHECKED);
    stranka->Ulozit();
    EXPECT_EQ(n.procentoVelikosti, 5u);
    EXPECT_EQ(n.predmet.Text(), L"Předmět");
    EXPECT_FALSE(n.html);
}

TEST_F(ObrazovkaStranky, ZoomySberaceAMereniMimoRozsahSeNeulozi) {
    nastaveniObrazovka->sberacBarvy.zoom = 6;
    nastaveniObrazovka->sberacBarvy.navrchu = false;
    HWND h = Otevrit(IDD_NASTAV_SBERAC_BARVY);
    ASSERT_TRUE(h);
    EXPECT_EQ(TextPrvku(h, IDC_ZOOM), L"6");
    EXPECT_EQ(::IsDlgButtonChecked(h, IDC_SBERAC_NAVRCHU), static_cast<UINT>(BST_UNCHECKED));
    Snimek(h, L"stranka_158");
    for (const wchar_t* spatne : {L"41", L"0"}) {
        ::SetDlgItemTextW(h, IDC_ZOOM, spatne);
        stranka->Ulozit();
        EXPECT_EQ(nastaveniObrazovka->sberacBarvy.zoom, 6u) << spatne;
    }
    ::SetDlgItemTextW(h, IDC_ZOOM, L"40");
    ::CheckDlgButton(h, IDC_SBERAC_SKRYVAT, BST_CHECKED);
    stranka->Ulozit();
    EXPECT_EQ(nastaveniObrazovka->sberacBarvy.zoom, 40u);
    EXPECT_TRUE(nastaveniObrazovka->sberacBarvy.skryvat);

    nastaveniObrazovka->mereniUseky.zoom = 4;
    nastaveniObrazovka->mereniVyrez.zoom = 9;
    nastaveniObrazovka->mereniUseky.klavesaZobrazitZoom = 99;  // not in the list: the first
    h = Otevrit(IDD_NASTAV_MERENI_OBRAZOVKY);
    ASSERT_TRUE(h);
    EXPECT_EQ(TextPrvku(h, IDC_ZOOM), L"4");
    EXPECT_EQ(TextPrvku(h, IDC_MERENI_ZOOM_VYREZ), L"9");
    EXPECT_EQ(DataVyberu(::GetDlgItem(h, IDC_MERENI_KLAVESA)), VK_CONTROL);
    Snimek(h, L"stranka_159");
    ::SetDlgItemTextW(h, IDC_ZOOM, L"41");
    ::SetDlgItemTextW(h, IDC_MERENI_ZOOM_VYREZ, L"0");
    Zvolit(h, IDC_MERENI_KLAVESA, VK_SHIFT);
    ::CheckDlgButton(h, IDC_MERENI_ZOBRAZIT_ZOOM, BST_UNCHECKED);
    stranka->Ulozit();
    EXPECT_EQ(nastaveniObrazovka->mereniUseky.zoom, 4u);
    EXPECT_EQ(nastaveniObrazovka->mereniVyrez.zoom, 9u);
    EXPECT_EQ(nastaveniObrazovka->mereniUseky.klavesaZobrazitZoom, static_cast<DWORD>(VK_SHIFT));
    EXPECT_FALSE(nastaveniObrazovka->mereniUseky.zobrazitZoom);
}

TEST_F(ObrazovkaStranky, StrankaRezimuPridavaAOdebiraSLimitem200) {
    auto* const puvodniVycet = vycetRezimu;
    vycetRezimu = VycetFixture;
    HWND h = Otevrit(IDD_NASTAV_REZIMY_OBRAZOVKY);
    ASSERT_TRUE(h);
    auto* page = static_cast<DlgNastavRezimyObrazovky*>(stranka.get());
    HWND dostupne = ::GetDlgItem(h, IDC_REZIMY_DOSTUPNE);
    HWND ulozene = ::GetDlgItem(h, IDC_REZIMY_ULOZENE);
    EXPECT_EQ(TextPrvku(h, IDC_REZIMY_POCET), L"3");
    EXPECT_FALSE(TextPrvku(h, IDC_REZIM_AKTUALNI).empty());
    ASSERT_EQ(::SendMessageW(dostupne, LB_GETCOUNT, 0, 0), 3);
    wchar_t text[100] = {};
    ::SendMessageW(dostupne, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"800 x 600, Hi-color (16 bit)");
    EXPECT_EQ(::SendMessageW(dostupne, LB_GETCURSEL, 0, 0), 0);

    // the selected mode, then with no selection the current one
    ::SendMessageW(dostupne, LB_SETCURSEL, 2, 0);
    ::SendMessageW(h, WM_COMMAND, IDC_REZIMY_PRIDAT, 0);
    ::SendMessageW(dostupne, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_TRUE(page->Pridat());
    EXPECT_EQ(Zmeny(), 2);
    ASSERT_EQ(rezimyObrazovky->rezimy.size(), 2u);
    EXPECT_EQ(rezimyObrazovky->rezimy[0].sirka, 1024u);
    EXPECT_EQ(rezimyObrazovky->rezimy[0].frekvence, 75u);
    EXPECT_EQ(rezimyObrazovky->rezimy[1].sirka, 1280u);
    ASSERT_EQ(::SendMessageW(ulozene, LB_GETCOUNT, 0, 0), 2);
    ::SendMessageW(ulozene, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"1024 x 768, True color (32 bit), 75 Hz");
    Snimek(h, L"stranka_160");

    // "Odebrat" without a selection does nothing; with one it removes that mode
    ::SendMessageW(ulozene, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(page->Odebrat());
    ::SendMessageW(ulozene, LB_SETCURSEL, 0, 0);
    ::SendMessageW(h, WM_COMMAND, IDC_REZIMY_ODEBRAT, 0);
    ASSERT_EQ(rezimyObrazovky->rezimy.size(), 1u);
    EXPECT_EQ(rezimyObrazovky->rezimy[0].sirka, 1280u);
    EXPECT_EQ(Zmeny(), 1);

    // with 200 saved, "Přidat" changes nothing and posts nothing
    rezimyObrazovky->rezimy.resize(MAX_POCET_REZIMU);
    EXPECT_FALSE(page->Pridat());
    EXPECT_EQ(rezimyObrazovky->rezimy.size(), 200u);
    EXPECT_EQ(Zmeny(), 0);
    vycetRezimu = puvodniVycet;
}

namespace {

// Width of a combo item's text in the combo's font.
int SirkaPolozky(HWND combo, int i) {
    wchar_t text[300] = {};
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    HDC dc = ::GetDC(combo);
    HGDIOBJ stare = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(combo, WM_GETFONT, 0, 0)));
    SIZE rozmer{};
    ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &rozmer);
    ::SelectObject(dc, stare);
    ::ReleaseDC(combo, dc);
    return rozmer.cx;
}

}  // namespace

// The items of every combo of the screen pages are read whole in the open drop-down list, and the
// capture page's action combo shows its chosen operation whole.
TEST_F(ObrazovkaStranky, PolozkyComboSeVejdouDoRozbalenehoSeznamu) {
    const struct {
        UINT stranka;
        int combo;
        bool celaVolba;  // the chosen item fits the box itself
        const wchar_t* pridat;  // an item longer than the box, added to see the list widen
    } pripady[] = {
        {IDD_NASTAV_OBRAZOVKA, IDC_AKCE_KLIKNUTI_KLIK, false, nullptr},
        {IDD_NASTAV_OBRAZOVKA, IDC_AKCE_KLIKNUTI_AKCE, false, nullptr},
        {IDD_NASTAV_OPIS_OBRAZOVKY, IDC_OPIS_FORMAT, true, nullptr},
        {IDD_NASTAV_OPIS_OBRAZOVKY, IDC_OPIS_AKCE, true, nullptr},
        {IDD_NASTAV_OPIS_OBRAZOVKY, IDC_OPIS_ZOBRAZENI, true, nullptr},
        {IDD_NASTAV_OPIS_OBRAZOVKY, IDC_OPIS_ZOBRAZENI, false,
         L"V okně, které se otevře přes celou pracovní plochu na druhém monitoru vpravo"},
    };
    for (const auto& p : pripady) {
        HWND h = Otevrit(p.stranka);
        ASSERT_TRUE(h);
        HWND combo = ::GetDlgItem(h, p.combo);
        ASSERT_TRUE(combo);
        if (p.pridat) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.pridat));
        const int pocet = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        ASSERT_GT(pocet, 0) << p.combo;
        int nejsirsi = 0;
        for (int i = 0; i < pocet; ++i) nejsirsi = std::max(nejsirsi, SirkaPolozky(combo, i));

        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
        RECT seznam{};
        ::GetClientRect(info.hwndList, &seznam);
        if (p.combo == IDC_OPIS_AKCE) Snimek(h, L"stranka_157_akce");
        EXPECT_GE(seznam.right, nejsirsi + 4) << "combo " << p.combo << ": the list is narrower than its items";
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        if (p.celaVolba)
            EXPECT_GE(info.rcItem.right - info.rcItem.left, nejsirsi + 2) << "combo " << p.combo << " cuts its items";
    }
}

// The capture folder edit shows the folder glyph of the menu pictures (as the other pages' folder
// edits do), not the "..." of an edit without pictures.
TEST_F(ObrazovkaStranky, SlozkaOpisuMaObrazekSlozky) {
    const bool vlastniSeznam = !aplikace.seznamMenu.Get();
    if (vlastniSeznam) {
        aplikace.seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
        aplikace.seznamMenu.Pridat(IDB_MENU_DALSI);
    }
    HWND h = Otevrit(IDD_NASTAV_OPIS_OBRAZOVKY);
    ASSERT_TRUE(h);
    HWND edit = ::GetDlgItem(h, IDC_OPIS_SLOZKA);
    testy::PrekreslitOkno(h);
    testy::CekatNa([] { return false; }, 300);
    RECT klient;
    ::GetClientRect(edit, &klient);
    const int strana = ::GetSystemMetrics(SM_CXSMICON);
    POINT roh{klient.right - strana - 2, (klient.bottom - strana) / 2};
    if (roh.y < 0) roh.y = 0;
    ::ClientToScreen(edit, &roh);
    HDC obrazovka = ::GetDC(nullptr);
    int barevnych = 0;
    for (int y = roh.y; y < roh.y + strana; ++y)
        for (int x = roh.x; x < roh.x + strana; ++x) {
            const COLORREF c = ::GetPixel(obrazovka, x, y);
            const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            if (std::max({r, g, b}) - std::min({r, g, b}) > 40) ++barevnych;  // not grey: a picture
        }
    ::ReleaseDC(nullptr, obrazovka);
    Snimek(h, L"stranka_157_slozka");
    EXPECT_GT(barevnych, 10) << "the browse glyph is not a picture";
    stranka.reset();
    if (vlastniSeznam) aplikace.seznamMenu.Zrusit();
}

// A base name Windows cannot take ("Porada 14:30" would write an NTFS stream of "Porada 14") is
// refused as Apply stores the page: the Czech message names it and the stored name, the stored
// name stays, the page's other values are taken, and the window learns that the page has told why.
TEST_F(ObrazovkaStranky, StrankaOpisuOdmitneZnakyKtereNazevSouboruNeunese) {
    const struct {
        const wchar_t* nazev;
        bool prijat;
    } pripady[] = {
        {L"Porada 14:30", false}, {L"a/b", false}, {L"a\\b", false}, {L"a*b?", false}, {L"\"x\"", false},
        {L"<a>|", false},         {L"a\tb", false}, {L"Porada 14.30 – čtvrtek", true}, {L"", true},
    };
    NastaveniOpisu& n = nastaveniObrazovka->opis;
    for (const auto& p : pripady) {
        SCOPED_TRACE(testy::NaUtf8(p.nazev));
        n.soubor = L"Snimek";
        n.maxPocetSouboru = 300;
        HWND h = Otevrit(IDD_NASTAV_OPIS_OBRAZOVKY);
        ASSERT_TRUE(h);
        ::SetDlgItemTextW(h, IDC_OPIS_SOUBOR, p.nazev);
        ::SetDlgItemTextW(h, IDC_OPIS_MAX_POCET, L"77");
        testy::ZachytavacZprav zpravy;
        HRESULT hr = S_OK;
        try {
            stranka->Ulozit();
        } catch (const knihovna::Chyba& chyba) {
            hr = chyba.Hresult();
        }
        EXPECT_EQ(n.maxPocetSouboru, 77u) << "the page's valid value was lost";
        if (p.prijat) {
            EXPECT_EQ(hr, S_OK);
            EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
            EXPECT_EQ(n.soubor.Text(), p.nazev);
            continue;
        }
        EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_CANCELLED));
        EXPECT_EQ(n.soubor.Text(), L"Snimek");
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(zpravy.zpravy[0].text, L"Název souboru opisu \"" + std::wstring(p.nazev) +
                                             L"\" nelze použít.\nNázev nesmí obsahovat znaky \\ / : * ? \" < > |.\n"
                                             L"Platí dosavadní název \"Snimek\".");
    }
}
