// The window extension's items in system menus: on windows of this process (real system menus),
// through the seam for menus a test makes, and on a window of another program.
#include <gtest/gtest.h>

#include <vector>

#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "windows/systemovanabidka.h"

using namespace testy;

namespace {

HWND VytvoritOkno(DWORD styl = WS_OVERLAPPEDWINDOW) {
    return ::CreateWindowExW(0, L"STATIC", L"Okno s nabídkou", styl, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                             nullptr);
}

bool MaPolozku(HMENU menu, UINT id) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID;
    return ::GetMenuItemInfoW(menu, id, FALSE, &info) != 0;
}

std::vector<UINT> Id(HMENU menu) {
    std::vector<UINT> id;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) id.push_back(::GetMenuItemID(menu, i));
    return id;
}

// Every test starts and ends with an empty list.
class SystemovaNabidka : public ::testing::Test {
protected:
    void SetUp() override { OdebratVsechnyPolozkySystemoveNabidky(); }
    void TearDown() override {
        OdebratVsechnyPolozkySystemoveNabidky();
        ziskatSystemoveMenu = puvodni;
        for (HWND o : okna) ::DestroyWindow(o);
    }
    HWND Okno(DWORD styl = WS_OVERLAPPEDWINDOW) {
        okna.push_back(VytvoritOkno(styl));
        return okna.back();
    }
    std::vector<HWND> okna;
    HMENU (*puvodni)(HWND) = ziskatSystemoveMenu;
};

}  // namespace

TEST_F(SystemovaNabidka, PolozkyPredObnovenimJednouAOdebraniVratiNabidku) {
    HWND okno = Okno();
    HMENU menu = ::GetSystemMenu(okno, FALSE);
    ASSERT_NE(menu, nullptr);
    const std::vector<UINT> puvodniId = Id(menu);

    ASSERT_TRUE(PridatPolozkySystemoveNabidky(okno));
    EXPECT_FALSE(PridatPolozkySystemoveNabidky(okno)) << "the same window twice";
    EXPECT_EQ(PocetUpravenychOken(), 1u);
    EXPECT_EQ(::GetMenuItemCount(menu), static_cast<int>(puvodniId.size()) + 4);

    // "Navrchu", "Skrýt do ikony", the submenu and the separator stand right above SC_RESTORE
    int obnovit = -1;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (::GetMenuItemID(menu, i) == SC_RESTORE) obnovit = i;
    ASSERT_GE(obnovit, 4);
    EXPECT_EQ(::GetMenuItemID(menu, obnovit - 4), 40053u);
    EXPECT_EQ(::GetMenuItemID(menu, obnovit - 3), 40107u);
    HMENU dalsi = ::GetSubMenu(menu, obnovit - 2);
    ASSERT_NE(dalsi, nullptr);
    wchar_t text[64] = L"";
    ::GetMenuStringW(menu, static_cast<UINT>(obnovit - 2), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Další možnosti");
    EXPECT_EQ(::GetMenuItemID(menu, obnovit - 1), 40108u);
    // the submenu's popups: "Zarovnat" with 40048 and "Průhlednost" with 40106
    EXPECT_TRUE(MaPolozku(dalsi, 40048));
    EXPECT_TRUE(MaPolozku(dalsi, 40106));

    EXPECT_TRUE(OdebratPolozkySystemoveNabidky(okno));
    EXPECT_FALSE(OdebratPolozkySystemoveNabidky(okno)) << "not in the list any more";
    EXPECT_EQ(Id(menu), puvodniId) << "the system menu is not as before";
    EXPECT_FALSE(MaPolozku(menu, 40053));
    EXPECT_FALSE(MaPolozku(menu, 40108));
    EXPECT_EQ(PocetUpravenychOken(), 0u);
}

TEST_F(SystemovaNabidka, OdebraniVsechPriKonciUklidiKazdeOkno) {
    HWND a = Okno(), b = Okno(), c = Okno();
    const std::vector<UINT> puvodniId = Id(::GetSystemMenu(a, FALSE));
    ASSERT_TRUE(PridatPolozkySystemoveNabidky(a));
    ASSERT_TRUE(PridatPolozkySystemoveNabidky(b));
    ASSERT_TRUE(PridatPolozkySystemoveNabidky(c));
    ::DestroyWindow(b);  // destroyed without removal: skipped at the end
    OdebratVsechnyPolozkySystemoveNabidky();
    EXPECT_EQ(PocetUpravenychOken(), 0u);
    EXPECT_EQ(Id(::GetSystemMenu(a, FALSE)), puvodniId);
    EXPECT_EQ(Id(::GetSystemMenu(c, FALSE)), puvodniId);
}

TEST_F(SystemovaNabidka, OknoBezNabidkyJeZapamatovanoAPlnySeznamOdmitne) {
    ziskatSystemoveMenu = [](HWND) -> HMENU { return nullptr; };
    EXPECT_FALSE(PridatPolozkySystemoveNabidky(nullptr));
    HWND bezNabidky = Okno();
    EXPECT_TRUE(PridatPolozkySystemoveNabidky(bezNabidky));
    EXPECT_TRUE(OdebratPolozkySystemoveNabidky(bezNabidky)) << "only the record goes";

    for (size_t i = 0; i < MAX_UPRAVENYCH_OKEN; ++i) ASSERT_TRUE(PridatPolozkySystemoveNabidky(Okno(WS_POPUP))) << i;
    EXPECT_EQ(PocetUpravenychOken(), 500u);
    EXPECT_FALSE(PridatPolozkySystemoveNabidky(Okno(WS_POPUP))) << "the 501st window";
    EXPECT_TRUE(OdebratPolozkySystemoveNabidkyNaIndexu(499));
    EXPECT_FALSE(OdebratPolozkySystemoveNabidkyNaIndexu(499));
    EXPECT_EQ(PocetUpravenychOken(), 499u);
}

TEST_F(SystemovaNabidka, NabidkaBezObnoveniVyhodiChybuAZustaneNedotcena) {
    static HMENU prazdne = nullptr;
    prazdne = ::CreatePopupMenu();
    ::AppendMenuW(prazdne, MF_STRING, SC_CLOSE, L"Zavřít");
    ziskatSystemoveMenu = [](HWND) { return prazdne; };
    HWND okno = Okno();
    bool vyhozeno = false;
    try {
        PridatPolozkySystemoveNabidky(okno);
    } catch (const knihovna::Chyba& chyba) {
        vyhozeno = true;
        EXPECT_TRUE(FAILED(chyba.Hresult()));
    }
    EXPECT_TRUE(vyhozeno) << "a menu without SC_RESTORE cannot take the items";
    EXPECT_EQ(PocetUpravenychOken(), 0u);
    EXPECT_EQ(::GetMenuItemCount(prazdne), 1) << "a half-made insertion stayed in the menu";
    ::DestroyMenu(prazdne);
}

TEST_F(SystemovaNabidka, OdebraniNechaVlastniPolozkyProgramuNadObnovenim) {
    // a program with items of its own above SC_RESTORE: only ours go, found by their handles
    static HMENU vlastni = nullptr;
    vlastni = ::CreatePopupMenu();
    ::AppendMenuW(vlastni, MF_STRING, 0x7001, L"Vlastní A");
    ::AppendMenuW(vlastni, MF_STRING, 0x7002, L"Vlastní B");
    ::AppendMenuW(vlastni, MF_STRING, SC_RESTORE, L"Obnovit");
    ::AppendMenuW(vlastni, MF_STRING, SC_CLOSE, L"Zavřít");
    ziskatSystemoveMenu = [](HWND) { return vlastni; };
    HWND okno = Okno();
    const std::vector<UINT> puvodniId = Id(vlastni);
    ASSERT_TRUE(PridatPolozkySystemoveNabidky(okno));
    EXPECT_EQ(::GetMenuItemCount(vlastni), 8);
    EXPECT_EQ(::GetMenuItemID(vlastni, 0), 0x7001u);
    ASSERT_TRUE(OdebratPolozkySystemoveNabidky(okno));
    EXPECT_EQ(Id(vlastni), puvodniId) << "an item of the program was removed in place of ours";
    ::DestroyMenu(vlastni);
}

TEST_F(SystemovaNabidka, OknoCizihoProgramuSeZpracujeCiste) {
    // The real call on another program's window: Wine gives no menu of another process, so the
    // window is remembered without items; on Windows it gets them. Either way nothing fails.
    Program program(L"pomocne\\haky\\OknoHaku.exe");
    HWND cizi = program.CekatNaOkno(L"QTestOknoHaku");
    ASSERT_NE(cizi, nullptr);
    EXPECT_NO_THROW(EXPECT_TRUE(PridatPolozkySystemoveNabidky(cizi)));
    EXPECT_EQ(PocetUpravenychOken(), 1u);
    EXPECT_NO_THROW(EXPECT_TRUE(OdebratPolozkySystemoveNabidky(cizi)));
    EXPECT_EQ(PocetUpravenychOken(), 0u);
    ::PostMessageW(cizi, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.CekatNaKonec(), 0u);
}
