// The RSS reader's settings page: what it shows for stored values, what Apply stores (heights
// outside 32..400 keep the stored one), and that every change of its controls enables Apply.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "internet/rssnastaveni.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "resources/resource.h"

namespace {

class StrankaCteckyRss : public ::testing::Test {
protected:
    void SetUp() override {
        m_puvodni = std::move(nastaveniCteckaRSS);
        nastaveniCteckaRSS = std::make_unique<KonfiguraceCteckaRSS>();
        nastaveniCteckaRSS->vyskaPolozkySeznamu = 60;
        nastaveniCteckaRSS->zobrazovatPopis = 1;
        nastaveniCteckaRSS->oknoNavrchuMinimalizovat = true;
        m_rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 700, 600, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        m_stranka.reset();
        ::DestroyWindow(m_rodic);
        nastaveniCteckaRSS = std::move(m_puvodni);
    }
    void Vytvorit() {
        m_stranka = std::make_unique<DlgNastavCteckaRSS>();
        m_stranka->VytvoritStranku(m_rodic);
        Zmeny();  // filling the controls is no change
    }
    HWND Prvek(int id) const { return m_stranka->Polozka(id); }
    // Change notifications the page posted to its parent since the last call.
    int Zmeny() {
        int pocet = 0;
        MSG msg;
        while (::PeekMessageW(&msg, m_rodic, ZpravaStrankaZmenena, ZpravaStrankaZmenena, PM_REMOVE)) ++pocet;
        return pocet;
    }

    std::unique_ptr<KonfiguraceCteckaRSS> m_puvodni;
    HWND m_rodic = nullptr;
    std::unique_ptr<DlgNastavCteckaRSS> m_stranka;
};

}  // namespace

TEST_F(StrankaCteckyRss, ZobraziUlozenouVolbu) {
    Vytvorit();
    EXPECT_EQ(testy::TextOkna(Prvek(IDC_RSS_VYSKA)), L"60");
    HWND combo = Prvek(IDC_RSS_ZOBRAZENI_POPISU);
    ASSERT_EQ(::SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    wchar_t text[100] = L"";
    ::SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Zobrazovat popis v seznamu položek");
    EXPECT_EQ(::IsDlgButtonChecked(m_stranka->m_hWnd, IDC_RSS_MINIMALIZOVAT), BST_CHECKED);

    // any other stored value selects the first entry
    m_stranka.reset();
    nastaveniCteckaRSS->zobrazovatPopis = 7;
    Vytvorit();
    EXPECT_EQ(::SendMessageW(Prvek(IDC_RSS_ZOBRAZENI_POPISU), CB_GETCURSEL, 0, 0), 0);
}

TEST_F(StrankaCteckyRss, UlozeniVysekAVolebAOznameniZmen) {
    Vytvorit();
    struct Pripad {
        const wchar_t* text;
        DWORD ulozeno;
    } pripady[] = {{L"20", 60}, {L"500", 60}, {L"", 60}, {L"120", 120}, {L"32", 32}, {L"400", 400}};
    for (const Pripad& p : pripady) {
        ::SetWindowTextW(Prvek(IDC_RSS_VYSKA), p.text);
        EXPECT_EQ(Zmeny(), 1) << testy::TextOkna(Prvek(IDC_RSS_VYSKA)).size();
        m_stranka->Ulozit();
        EXPECT_EQ(nastaveniCteckaRSS->vyskaPolozkySeznamu, p.ulozeno);
    }

    HWND combo = Prvek(IDC_RSS_ZOBRAZENI_POPISU);
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    ::SendMessageW(m_stranka->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_RSS_ZOBRAZENI_POPISU, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(Zmeny(), 1);
    ::CheckDlgButton(m_stranka->m_hWnd, IDC_RSS_MINIMALIZOVAT, BST_UNCHECKED);
    ::SendMessageW(m_stranka->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_RSS_MINIMALIZOVAT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(Prvek(IDC_RSS_MINIMALIZOVAT)));
    EXPECT_EQ(Zmeny(), 1);
    m_stranka->Ulozit();
    EXPECT_EQ(nastaveniCteckaRSS->zobrazovatPopis, 0u);
    EXPECT_FALSE(nastaveniCteckaRSS->oknoNavrchuMinimalizovat);
}
