// List-box base and handlers, combo helpers, tab control, check-list view, texts, toolbars
// and the release helpers.
#include <gtest/gtest.h>

#include <windows.h>

#include "knihovna/prvky.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"
#include "zkusebni_prvky.h"

using knihovna::Chyba;
using knihovna::ComboBox;
using knihovna::OknoObal;

namespace {

// Test strings of testy.rc.
constexpr UINT IDS_TEST_JMENO_A_POPIS_ID = 9100;
constexpr UINT IDS_TEST_BEZ_POPISU_ID = 9101;

HRESULT ChybaZ(const std::function<void()>& akce) {
    try {
        akce();
    } catch (const Chyba& chyba) {
        return chyba.Hresult();
    }
    return S_OK;
}

class Seznam : public knihovna::ListBoxImpl<Seznam> {
public:
    KNIHOVNA_MAPA_ZPRAV(Seznam)
        ZPRAVA(WM_KEYDOWN, OznamitEnterEsc)
        ZPRAVA(WM_CHAR, VybratPodlePismene)
        ZPRAVA(WM_CONTEXTMENU, PostoupitKontextoveMenu)
        ZPRAVA(WM_LBUTTONDBLCLK, OznamitDvojklik)
    KNIHOVNA_KONEC_MAPY()
};

class Prvky : public ::testing::Test {
protected:
    testy::DialogPrvku dialog;
    void SetUp() override { dialog.Otevrit(); }
    void TearDown() override { EXPECT_FALSE(knihovna::JeOdlozenaVyjimka()); }
    HWND Prvek(int id) { return dialog.Polozka(id); }
    std::wstring VybranyText(HWND combo) {
        LRESULT i = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
        if (i < 0) return L"<nic>";
        std::wstring text;
        ComboBox(combo).NacistTextPolozky(static_cast<int>(i), text);
        return text;
    }
};

}  // namespace

TEST_F(Prvky, PevnaComba) {
    ComboBox combo;
    struct Pripad {
        bool kdy;
        LPARAM hodnota;
        const wchar_t* vybrano;
    };
    const Pripad pripady[] = {
        {true, 0, L"Nikdy"},
        {true, 1, L"Při automatickém spuštění po startu aplikace"},
        {true, 2, L"Při ručním spuštění za běhu"},
        {true, 3, L"Při každém způsobu spuštění"},
        {true, 7, L"Nikdy"},
        {false, 2, L"Zobrazovat vždy"},
        {false, 1, L"Zobrazit pouze při minimalizaci okna"},
        {false, 0, L"Nezobrazovat"},
        {false, -1, L"Zobrazovat vždy"},
    };
    for (const Pripad& p : pripady) {
        if (p.kdy)
            knihovna::NaplnitComboKdy(combo, Prvek(2021), p.hodnota);
        else
            knihovna::NaplnitComboIkona(combo, Prvek(2021), p.hodnota);
        EXPECT_EQ(combo.m_hWnd, Prvek(2021));
        EXPECT_EQ(combo.Poslat(CB_GETCOUNT), p.kdy ? 4 : 3);  // emptied before filling
        EXPECT_EQ(VybranyText(Prvek(2021)), p.vybrano) << p.hodnota;
    }
    knihovna::NaplnitComboIkona(combo, Prvek(2021), 0);
    std::wstring prvni;
    combo.NacistTextPolozky(0, prvni);
    EXPECT_EQ(prvni, L"Zobrazovat vždy");
    EXPECT_EQ(combo.Poslat(CB_GETITEMDATA, 0), 2);
    EXPECT_EQ(combo.NacistDataVybranePolozky(), 0);
}

TEST_F(Prvky, ComboVyberPodleDatAChyby) {
    ComboBox combo(Prvek(2021));
    EXPECT_EQ(knihovna::PridatPolozkuCombo(combo, L"Jedna", 10), 0);
    EXPECT_EQ(knihovna::PridatPolozkuCombo(combo, L"Dvě", 20), 1);
    EXPECT_EQ(knihovna::PridatPolozkuComboId(combo, IDS_TEST_BEZ_POPISU_ID, 30), 2);
    EXPECT_EQ(combo.VybratPolozkuPodleDat(20), S_OK);
    EXPECT_EQ(combo.NacistDataVybranePolozky(), 20);
    EXPECT_EQ(combo.VybratPolozkuPodleDat(99), E_INVALIDARG);
    EXPECT_EQ(combo.Poslat(CB_GETCURSEL), CB_ERR);  // nothing selected
    EXPECT_EQ(combo.NacistDataVybranePolozky(), -1);
    std::wstring text = L"staré";
    combo.NacistTextPolozky(2, text);
    EXPECT_EQ(text, L"Jen název");
    EXPECT_EQ(ChybaZ([&] { combo.NacistTextPolozky(9, text); }), E_INVALIDARG);

    EXPECT_EQ(ChybaZ([] { knihovna::PridatPolozkuCombo(nullptr, L"x", 0); }), E_HANDLE);
    EXPECT_EQ(ChybaZ([&] { ComboBox().NacistDataVybranePolozky(); }), E_HANDLE);
    EXPECT_TRUE(FAILED(ChybaZ([&] { knihovna::PridatPolozkuComboId(combo, 9199, 0); })));
    EXPECT_EQ(combo.Poslat(CB_GETCOUNT), 3);
}

TEST_F(Prvky, SeznamOznamujeEnterEscDvojklikAKontextoveMenu) {
    HWND h = Prvek(2020);
    {
        Seznam seznam;
        seznam.Pripojit(h);
        EXPECT_EQ(seznam.PridatPolozku(L"Jablko", 100), 0);
        EXPECT_EQ(seznam.PridatPolozku(L"banán", 200), 1);
        EXPECT_EQ(seznam.PridatPolozku(L"Borůvka", 300), 2);
        EXPECT_EQ(seznam.Poslat(LB_GETITEMDATA, 1), 200);
        std::wstring text = L"beze změny";
        EXPECT_EQ(seznam.NacistTextPolozky(5, text), -1);
        EXPECT_EQ(text, L"beze změny");
        EXPECT_EQ(seznam.NacistTextPolozky(2, text), 0);
        EXPECT_EQ(text, L"Borůvka");

        ::SendMessageW(h, WM_KEYDOWN, VK_RETURN, 0);
        ::SendMessageW(h, WM_KEYDOWN, VK_ESCAPE, 0);
        ::SendMessageW(h, WM_KEYDOWN, VK_DOWN, 0);
        ::SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
        auto prijate = dialog.Prijate(knihovna::ZPRAVA_PRVKU);
        ASSERT_EQ(prijate.size(), 3u);
        EXPECT_EQ(prijate[0].w, static_cast<WPARAM>(VK_RETURN));
        EXPECT_EQ(prijate[1].w, static_cast<WPARAM>(VK_ESCAPE));
        EXPECT_EQ(prijate[2].w, static_cast<WPARAM>(VK_RETURN));
        for (const auto& z : prijate) EXPECT_EQ(z.l, reinterpret_cast<LPARAM>(h));

        ::SendMessageW(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(30, 40));
        auto menu = dialog.Prijate(WM_CONTEXTMENU);
        ASSERT_FALSE(menu.empty());
        EXPECT_EQ(menu[0].w, reinterpret_cast<WPARAM>(h));
        EXPECT_EQ(menu[0].l, MAKELPARAM(30, 40));

        // a letter in either case selects the first item that begins with it, and the owner
        // hears of the change as of any other selection by the keyboard
        dialog.zaznamy.clear();
        ::SendMessageW(h, LB_SETCURSEL, 0, 0);
        ::SendMessageW(h, WM_CHAR, L'B', 0);
        EXPECT_EQ(::SendMessageW(h, LB_GETCURSEL, 0, 0), 1);
        ::SendMessageW(h, WM_CHAR, L'b', 0);
        EXPECT_EQ(::SendMessageW(h, LB_GETCURSEL, 0, 0), 1);
        ::SendMessageW(h, LB_SETCURSEL, 2, 0);
        ::SendMessageW(h, WM_CHAR, L'j', 0);
        EXPECT_EQ(::SendMessageW(h, LB_GETCURSEL, 0, 0), 0);
        ::SendMessageW(h, WM_CHAR, L'x', 0);  // no such item: the selection stays
        EXPECT_EQ(::SendMessageW(h, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(dialog.Prijate(WM_COMMAND).size(), 2u);  // 'B' and 'j' changed the selection
    }
    EXPECT_FALSE(::IsWindow(h));  // the list box goes with its object
}

TEST_F(Prvky, ZalozkyVzhledAPolozky) {
    knihovna::TabControl zalozky;
    EXPECT_EQ(ChybaZ([&] { zalozky.Pripojit(nullptr, nullptr); }), E_HANDLE);
    HWND h = Prvek(2022);
    HIMAGELIST obrazky = ::ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    zalozky.Pripojit(h, obrazky);
    const LONG_PTR styl = ::GetWindowLongPtrW(h, GWL_STYLE);
    EXPECT_FALSE(styl & TCS_OWNERDRAWFIXED);
    EXPECT_EQ(styl & (TCS_MULTILINE | TCS_HOTTRACK | WS_TABSTOP | WS_GROUP),
              TCS_MULTILINE | TCS_HOTTRACK | WS_TABSTOP | WS_GROUP);
    EXPECT_TRUE(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(zalozky.Poslat(TCM_GETIMAGELIST)), obrazky);
    EXPECT_EQ(zalozky.VlozitPolozku(0, L"Obecné"), 0);
    EXPECT_EQ(zalozky.VlozitPolozku(0, L"Kontakt"), 0);
    EXPECT_EQ(zalozky.VlozitPolozku(5, L"Poznámka"), 2);
    wchar_t text[64];
    TCITEMW polozka{};
    polozka.mask = TCIF_TEXT;
    polozka.pszText = text;
    polozka.cchTextMax = 64;
    zalozky.Poslat(TCM_GETITEMW, 1, reinterpret_cast<LPARAM>(&polozka));
    EXPECT_STREQ(text, L"Obecné");
    RECT r{};
    zalozky.Poslat(TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.bottom - r.top, 22);
    zalozky.Odpojit();
    ::ImageList_Destroy(obrazky);
}

TEST_F(Prvky, SeznamSeZaskrtavanim) {
    knihovna::CheckListView seznam;
    EXPECT_EQ(ChybaZ([&] { seznam.Pripojit(nullptr); }), E_INVALIDARG);
    HWND h = Prvek(2023);
    seznam.Pripojit(h);
    EXPECT_TRUE(seznam.Poslat(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES);
    RECT klient{};
    ::GetClientRect(h, &klient);
    EXPECT_EQ(seznam.Poslat(LVM_GETCOLUMNWIDTH, 0), klient.right) << "the column takes the list's width";
    EXPECT_EQ(seznam.PridatPolozku(L"Sledování paměti", 0, 40092), 0);
    EXPECT_EQ(seznam.PridatPolozku(L"Stopky", 1, 40158), 1);
    EXPECT_EQ(seznam.PridatPolozku(L"Hodiny", 1, 40184), 1);
    ::GetClientRect(h, &klient);
    EXPECT_GE(seznam.Poslat(LVM_GETCOLUMNWIDTH, 0), klient.right) << "short items keep the list's width";
    // an item wider than the list widens the column: its whole text is in its label
    const wchar_t* dlouha = L"Spustit modul Sledování paměti a ukázat jeho ovládací ikonu v oznamovací oblasti";
    EXPECT_EQ(seznam.PridatPolozku(dlouha, 3, 40999), 3);
    RECT popisek{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(seznam.Poslat(LVM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&popisek)));
    const LRESULT sirkaTextu = seznam.Poslat(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(dlouha));
    EXPECT_GT(sirkaTextu, klient.right);
    EXPECT_GE(popisek.right - popisek.left, sirkaTextu) << "the long item is cut";
    seznam.NastavitZaskrtnuti(0, true);
    seznam.NastavitZaskrtnuti(1, false);
    seznam.NastavitZaskrtnuti(2, true);
    EXPECT_TRUE(seznam.JeZaskrtnuta(40092));
    EXPECT_FALSE(seznam.JeZaskrtnuta(40184));
    EXPECT_TRUE(seznam.JeZaskrtnuta(40158));
    EXPECT_FALSE(seznam.JeZaskrtnuta(12345));
    EXPECT_EQ(::SendMessageW(h, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
}

TEST(TextyPrvku, CastiTextuZTabulkyARadky) {
    std::wstring cil;
    EXPECT_STREQ(knihovna::NacistCastTextuZTabulky(IDS_TEST_JMENO_A_POPIS_ID, 1, cil), L"Uložit opis");
    EXPECT_STREQ(knihovna::NacistCastTextuZTabulky(IDS_TEST_JMENO_A_POPIS_ID, 2, cil),
                 L"Uloží opis obrazovky do souboru");
    EXPECT_STREQ(knihovna::NacistCastTextuZTabulky(IDS_TEST_BEZ_POPISU_ID, 1, cil), L"Jen název");
    EXPECT_STREQ(knihovna::NacistCastTextuZTabulky(IDS_TEST_BEZ_POPISU_ID, 2, cil), L"Jen název");
    EXPECT_TRUE(FAILED(ChybaZ([&] { knihovna::NacistCastTextuZTabulky(9199, 1, cil); })));

    std::wstring radky = L"první\ndruhý\n";
    EXPECT_EQ(knihovna::RozdelitTextNaRadky(radky), 2);
    ASSERT_EQ(radky.size(), 12u);
    EXPECT_STREQ(radky.c_str(), L"první");
    EXPECT_STREQ(radky.c_str() + 6, L"druhý");
    EXPECT_STREQ(radky.c_str() + 12, L"");
    std::wstring jeden = L"bez konce";
    EXPECT_EQ(knihovna::RozdelitTextNaRadky(jeden), 0);
    EXPECT_EQ(jeden, L"bez konce");
}

TEST_F(Prvky, TextPrvkuAZruseniPrvku) {
    std::wstring text = L"x";
    knihovna::NacistTextPrvku(dialog.m_hWnd, 2001, text);
    EXPECT_EQ(text, L"www.priklad.cz");
    knihovna::NacistTextPrvku(dialog.m_hWnd, 4321, text);
    EXPECT_EQ(text, L"");

    OknoObal prvek(Prvek(2030));
    knihovna::ZrusitOknoPrvku(prvek);
    EXPECT_EQ(prvek.m_hWnd, nullptr);
    EXPECT_EQ(Prvek(2030), nullptr);
    knihovna::ZrusitOknoPrvku(prvek);  // nothing left: no error
}

TEST_F(Prvky, ToolbarRebarAStatusBar) {
    HIMAGELIST obrazky = ::ImageList_Create(16, 16, ILC_COLOR32, 4, 1);
    HWND toolbar = knihovna::VytvoritToolbar(dialog.m_hWnd, 3001, obrazky);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 0, 40110, true);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 1, 40111, false);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 2, 40112);
    ASSERT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 4);
    const BYTE ocekavane[] = {BTNS_AUTOSIZE | BTNS_WHOLEDROPDOWN, BTNS_AUTOSIZE | BTNS_DROPDOWN, BTNS_SEP,
                              BTNS_AUTOSIZE};
    const int prikazy[] = {40110, 40111, 0, 40112};
    for (int i = 0; i < 4; ++i) {
        TBBUTTON tlacitko{};
        ::SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tlacitko));
        EXPECT_EQ(tlacitko.fsStyle, ocekavane[i]) << i;
        if (i != 2) {
            EXPECT_EQ(tlacitko.idCommand, prikazy[i]) << i;
        }
    }
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETDISABLEDIMAGELIST, 0, 0)), obrazky);

    HWND rebar = knihovna::VytvoritRebar(dialog.m_hWnd, 3002);
    HWND dite = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 120, 24, rebar, nullptr, nullptr, nullptr);
    knihovna::VlozitPasRebaru(rebar, toolbar, 50, 200, 22, 7);
    knihovna::VlozitPasRebaruSeZlomem(rebar, dite);
    EXPECT_EQ(::SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(rebar, RB_IDTOINDEX, 7, 0), 0);
    REBARBANDINFOW pas{};
    pas.cbSize = sizeof(pas);
    pas.fMask = RBBIM_STYLE | RBBIM_CHILDSIZE | RBBIM_ID;
    ::SendMessageW(rebar, RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&pas));
    EXPECT_EQ(pas.fStyle & (RBBS_BREAK | RBBS_GRIPPERALWAYS), static_cast<UINT>(RBBS_BREAK | RBBS_GRIPPERALWAYS));
    EXPECT_EQ(pas.cxMinChild, 120u);
    EXPECT_EQ(pas.cyMinChild, 24u);
    knihovna::ZobrazitPasRebaru(rebar, 7, false);
    pas.fMask = RBBIM_STYLE;
    ::SendMessageW(rebar, RB_GETBANDINFOW, 0, reinterpret_cast<LPARAM>(&pas));
    EXPECT_TRUE(pas.fStyle & RBBS_HIDDEN);
    EXPECT_TRUE(FAILED(ChybaZ([&] { knihovna::ZobrazitPasRebaru(rebar, 99, true); })));
    EXPECT_EQ(ChybaZ([&] { knihovna::VlozitPasRebaru(nullptr, dite, 1, 1, 1, 1); }), E_HANDLE);

    HWND stav = knihovna::VytvoritStatusBar(dialog.m_hWnd, 3003, SBARS_SIZEGRIP);
    EXPECT_TRUE(::GetWindowLongPtrW(stav, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(::GetDlgCtrlID(stav), 3003);
    ::DestroyWindow(rebar);
    ::ImageList_Destroy(obrazky);
}

namespace {
struct Menu {
    HMENU m_hMenu = ::CreatePopupMenu();
    static int smazano;
    ~Menu() { ++smazano; }
};
int Menu::smazano = 0;
struct Ikona {
    static int odebrano;
    void Odebrat() { ++odebrano; }
};
int Ikona::odebrano = 0;
}  // namespace

TEST_F(Prvky, UvolneniObjektuPresUkazatele) {
    Menu* menu = new Menu;
    HMENU h = menu->m_hMenu;
    knihovna::UvolnitMenu(menu);
    EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(Menu::smazano, 1);
    EXPECT_FALSE(::IsMenu(h));
    knihovna::UvolnitMenu(menu);  // null: nothing

    Ikona* ikona = new Ikona;
    knihovna::UvolnitIkonuTray(ikona);
    EXPECT_EQ(ikona, nullptr);
    EXPECT_EQ(Ikona::odebrano, 1);

    auto* okno = new knihovna::OknoObal(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                                          nullptr, nullptr));
    HWND hOkna = okno->m_hWnd;
    knihovna::SmazatOkno(okno);
    EXPECT_EQ(okno, nullptr);
    EXPECT_FALSE(::IsWindow(hOkna));
}
