// The window extension's settings pages: the gesture list and its actions, written at once, and
// the transparency page's label.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "windows/strankyrozsireni.h"

namespace {

std::wstring TextPolozkyListu(HWND list, int index) {
    wchar_t text[128] = L"";
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

class StrankyRozsireni : public ::testing::Test {
protected:
    void SetUp() override {
        if (!nastaveniRozsireniOken) {
            nastaveniRozsireniOken = std::make_unique<KonfiguraceRozsireniOken>();
            vlastni = true;
        }
        zaloha = *nastaveniRozsireniOken;
        rodic = ::CreateWindowExW(0, L"STATIC", L"Nastavení", WS_POPUP, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                  nullptr);
    }
    void TearDown() override {
        ::DestroyWindow(rodic);
        *nastaveniRozsireniOken = zaloha;
        if (vlastni) nastaveniRozsireniOken.reset();
    }
    bool ZmenaOhlasena() {
        MSG msg;
        bool ohlasena = false;
        while (::PeekMessageW(&msg, rodic, ZpravaStrankaZmenena, ZpravaStrankaZmenena, PM_REMOVE)) ohlasena = true;
        return ohlasena;
    }
    HWND rodic = nullptr;
    bool vlastni = false;
    KonfiguraceRozsireniOken zaloha;
};

}  // namespace

TEST_F(StrankyRozsireni, SeznamGestSerazenyAAkceSeZapiseHned) {
    DlgNastavOknaAkce stranka;
    HWND okno = stranka.VytvoritStranku(rodic);
    ASSERT_NE(okno, nullptr);
    HWND list = ::GetDlgItem(okno, IDC_OKNA_AKCE_UDALOSTI);
    HWND kombo = ::GetDlgItem(okno, IDC_OKNA_AKCE_AKCE);
    ASSERT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 25);
    ASSERT_EQ(::SendMessageW(kombo, CB_GETCOUNT, 0, 0), 11);
    for (int i = 1; i < 25; ++i)
        EXPECT_LE(::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, TextPolozkyListu(list, i - 1).c_str(), -1,
                                   TextPolozkyListu(list, i).c_str(), -1),
                  CSTR_EQUAL)
            << "the gestures are listed by text";

    auto vybratGesto = [&](const std::wstring& popis) {
        const LRESULT index = ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(popis.c_str()));
        EXPECT_GE(index, 0) << popis.size();
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(okno, WM_COMMAND, MAKEWPARAM(IDC_OKNA_AKCE_UDALOSTI, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    };

    // Ctrl + wheel "k sobě" holds code 30, which the list does not offer: no action shown
    vybratGesto(L"<Ctrl>+ Kolečko myši \"k sobě\"");
    EXPECT_EQ(::SendMessageW(kombo, CB_GETCURSEL, 0, 0), CB_ERR);

    // the right button on "Zavřít" hides (third action)
    vybratGesto(L"Pravé tlačítko na ikoně \"Zavřít\"");
    ASSERT_EQ(::SendMessageW(kombo, CB_GETCURSEL, 0, 0), 2);
    ZmenaOhlasena();

    // choosing "Zarovnat okno do levé poloviny obrazovky" changes the setting at once
    ::SendMessageW(kombo, CB_SETCURSEL, 7, 0);
    ::SendMessageW(okno, WM_COMMAND, MAKEWPARAM(IDC_OKNA_AKCE_AKCE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(kombo));
    EXPECT_EQ(nastaveniRozsireniOken->akceGest[GESTO_PRAVE_ZAVRIT], 10u);
    EXPECT_TRUE(ZmenaOhlasena());
    EXPECT_EQ(nastaveniRozsireniOken->akceGest[GESTO_CTRL_PRAVE_ZAVRIT], 0u) << "another gesture changed";
}

TEST_F(StrankyRozsireni, ProcentoPruhlednostiAOznameni) {
    nastaveniRozsireniOken->procentoPruhlednosti = 50;
    nastaveniRozsireniOken->informovatPoSkryti = true;
    DlgNastavRozsireniOken stranka;
    HWND okno = stranka.VytvoritStranku(rodic);
    ASSERT_NE(okno, nullptr);
    HWND posuvnik = ::GetDlgItem(okno, IDC_PRUHLEDNOST_POSUVNIK);
    wchar_t text[32] = L"";
    ::GetDlgItemTextW(okno, IDC_PRUHLEDNOST_TEXT, text, 32);
    EXPECT_STREQ(text, L"50");
    EXPECT_EQ(::SendMessageW(posuvnik, TBM_GETRANGEMIN, 0, 0), 5);
    EXPECT_EQ(::SendMessageW(posuvnik, TBM_GETRANGEMAX, 0, 0), 95);
    EXPECT_EQ(::IsDlgButtonChecked(okno, IDC_INFORMOVAT_PO_SKRYTI), BST_CHECKED);

    ::SendMessageW(posuvnik, TBM_SETPOS, TRUE, 35);
    ::SendMessageW(okno, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 35), reinterpret_cast<LPARAM>(posuvnik));
    ::GetDlgItemTextW(okno, IDC_PRUHLEDNOST_TEXT, text, 32);
    EXPECT_STREQ(text, L"35") << "a bare number while the thumb moves";
    EXPECT_TRUE(ZmenaOhlasena());

    NMHDR uvolneni{posuvnik, static_cast<UINT_PTR>(IDC_PRUHLEDNOST_POSUVNIK), static_cast<UINT>(NM_RELEASEDCAPTURE)};
    ::SendMessageW(okno, WM_NOTIFY, IDC_PRUHLEDNOST_POSUVNIK, reinterpret_cast<LPARAM>(&uvolneni));
    ::GetDlgItemTextW(okno, IDC_PRUHLEDNOST_TEXT, text, 32);
    EXPECT_STREQ(text, L"35 %") << "the number with \" %\" once the mouse is released";
    EXPECT_EQ(nastaveniRozsireniOken->procentoPruhlednosti, 50u) << "the page stores only on Apply";
}
