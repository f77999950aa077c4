// The RSS reader of the running program: opened from the tray main menu, it loads a loopback
// feed and lists its item titles; another source in windows-1250 loads on a change of the
// combo; closing the window during a stalled loading returns at once and Kolvex runs on; with
// descriptions switched on the entries are drawn with them. Screenshots of both looks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_CTECKY = L"QKolvexRSS";
const std::wstring KLIC = L"Software\\Brenvald\\Kolvex\\5.0";

std::wstring Url(const wchar_t* cesta) { return L"http://127.0.0.1:" + std::to_wstring(PrvniPortServeru()) + cesta; }

void ZapsatDword(const std::wstring& sekce, const wchar_t* nazev, DWORD hodnota) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, (KLIC + L"\\" + sekce).c_str(), nazev, REG_DWORD, &hodnota, sizeof(hodnota));
}

// Only "RSS čtečka" left in the tray main menu, so the first item is the reader.
void JenCteckaVMenu() {
    for (const wchar_t* nazev : {L"externiAplikace", L"hodiny", L"hostInfo", L"kontakty", L"sonvidar", L"obrazovka",
                                 L"ovladaniCD", L"poznamky", L"rozsireniOken", L"schranka", L"seznamRegistraci",
                                 L"shellExtension", L"sitLanInfo", L"sledovaniPameti", L"sledovaniProcesu",
                                 L"spousteniAplikaci", L"stopky", L"zasuvneModuly"})
        ZapsatDword(L"Polozky menu", nazev, 0);
    ZapsatDword(L"Polozky menu", L"rssCtecka", 1);
}

void ZapsatZdroje() {
    const std::wstring slozka = SlozkaDokumentu() + L"\\Kolvex 5";
    ::CreateDirectoryW(slozka.c_str(), nullptr);
    std::wstring text;
    const struct {
        const wchar_t* nazev;
        std::wstring url;
        const wchar_t* popis;
    } zdroje[] = {{L"Zprávy v UTF-8", Url(L"/rss/kanal-utf8.xml"), L"Kanál v kódování UTF-8"},
                  {L"Zprávy ve windows-1250", Url(L"/rss/kanal-1250.xml"), L""},
                  {L"Zaseklý server", Url(L"/stall"), L""}};
    for (const auto& z : zdroje)
        text += std::wstring(L"<rss>\r\n <nazev>") + z.nazev + L"</nazev>\r\n <popis>" + z.popis + L"</popis>\r\n <url>" +
                z.url + L"</url>\r\n</rss>\r\n";
    HANDLE f = ::CreateFileW((slozka + L"\\ZdrojeRSS.qxml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &n, nullptr);
    ::CloseHandle(f);
}

HWND OtevritCteckuZMenu(const Program& kolvex, HWND hlavni) {
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 5 && !menu; ++pokus) {
        ::PostMessageW(hlavni, WM_APP + 9, 1, WM_RBUTTONUP);
        CekatNa([&] {
            menu = NajitOknoProcesu(kolvex.Pid(), L"#32768");
            return menu && ::IsWindowVisible(menu);
        }, 2000);
    }
    if (!menu) return nullptr;
    StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_RETURN});
    HWND ctecka = kolvex.CekatNaOkno(TRIDA_CTECKY);
    if (ctecka) CekatNa([&] { return ::IsWindowVisible(ctecka) != FALSE; });
    return ctecka;
}

std::vector<std::wstring> Titulky(HWND seznam) {
    std::vector<std::wstring> titulky;
    LRESULT pocet = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < pocet; ++i) {
        wchar_t text[256] = L"";
        ::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        titulky.push_back(text);
    }
    return titulky;
}

HWND ComboZdroju(HWND ctecka) { return ::FindWindowExW(::GetDlgItem(ctecka, 1049), nullptr, L"ComboBoxZdrojeRSS", nullptr); }

void VybratZdroj(HWND ctecka, int index) {
    HWND combo = ComboZdroju(ctecka);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // as the combo tells its parent, the rebar, which hands it on to the reader window
    ::PostMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(1236, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The status bar's first part (WM_GETTEXT crosses processes, SB_GETTEXT does not).
std::wstring TextStavu(HWND ctecka) { return TextOkna(::GetDlgItem(ctecka, 1182)); }

class CteckaZvenku : public ::testing::Test {
protected:
    void SetUp() override {
        VycistitStavKolvexu();
        JenCteckaVMenu();
        ZapsatZdroje();
    }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(CteckaZvenku, OtevreSeZMenuNacteKanalAZavreSeBehemZaseknuti) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    HWND ctecka = OtevritCteckuZMenu(kolvex, hlavni);
    ASSERT_NE(ctecka, nullptr) << "the tray menu did not open the reader";
    EXPECT_EQ(TextOkna(ctecka), L"Čtečka RSS zdrojů");

    HWND seznam = ::GetDlgItem(ctecka, 1237);
    ASSERT_NE(seznam, nullptr);
    const std::vector<std::wstring> ocekavane = {L"Příliš žluťoučký kůň úpěl ďábelské ódy", L"Druhá zpráva dne"};
    ASSERT_TRUE(CekatNa([&] { return Titulky(seznam) == ocekavane; })) << "the UTF-8 feed was not listed";
    EXPECT_TRUE(CekatNa([&] { return TextStavu(ctecka) == L"Kanál v kódování UTF-8"; }));
    EXPECT_EQ(::SendMessageW(ComboZdroju(ctecka), CB_GETCOUNT, 0, 0), 3);
    ::SetForegroundWindow(ctecka);
    PrekreslitOkno(ctecka);
    Snimek snimek = UlozitSnimekOkna(ctecka, L"rss_ctecka");
    EXPECT_FALSE(snimek.soubor.empty());
    EXPECT_GT(snimek.tmavychBodu, 200);

    // the windows-1250 feed on a change of the source
    ::SendMessageW(seznam, LB_RESETCONTENT, 0, 0);
    VybratZdroj(ctecka, 1);
    ASSERT_TRUE(CekatNa([&] { return Titulky(seznam) == ocekavane; })) << "the windows-1250 feed was not listed";
    EXPECT_TRUE(CekatNa([&] { return TextStavu(ctecka) == L"Zprávy ve windows-1250"; }));  // no description: the name

    // a stalled server: closing the window returns at once and the program goes on
    VybratZdroj(ctecka, 2);
    ASSERT_TRUE(CekatNa([&] { return TextStavu(ctecka) == L"Načítám RSS kanál ..."; }));
    EXPECT_FALSE(::IsWindowEnabled(ComboZdroju(ctecka)));
    ULONGLONG zacatek = ::GetTickCount64();
    ::PostMessageW(ctecka, WM_CLOSE, 0, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(ctecka); }, 5000));
    EXPECT_LT(::GetTickCount64() - zacatek, 3000u);
    ASSERT_TRUE(kolvex.Bezi());
    EXPECT_EQ(kolvex.CekatNaZpravu(500), nullptr);

    // and the reader starts again from the main window's command
    ::PostMessageW(hlavni, WM_COMMAND, 40004, 0);
    HWND znovu = kolvex.CekatNaOkno(TRIDA_CTECKY);
    ASSERT_NE(znovu, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(znovu) != FALSE; }));
    EXPECT_TRUE(CekatNa([&] { return Titulky(::GetDlgItem(znovu, 1237)) == ocekavane; }));

    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(CteckaZvenku, SPopisemKresliPolozkySPopisem) {
    ZapsatDword(L"Ctecka RSS", L"zobrazovatPopis", 1);
    ZapsatDword(L"Ctecka RSS", L"vyskaPolozkySeznamu", 48);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ::PostMessageW(hlavni, WM_COMMAND, 40004, 0);
    HWND ctecka = kolvex.CekatNaOkno(TRIDA_CTECKY);
    ASSERT_NE(ctecka, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(ctecka) != FALSE; }));  // its children exist by then
    HWND seznam = ::GetDlgItem(ctecka, 1237);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }));
    EXPECT_EQ(::SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0), 48);
    EXPECT_TRUE(::GetWindowLongPtrW(seznam, GWL_STYLE) & LBS_OWNERDRAWVARIABLE);
    ::SetForegroundWindow(ctecka);
    PrekreslitOkno(ctecka);
    Snimek snimek = UlozitSnimekOkna(ctecka, L"rss_ctecka_s_popisem");
    EXPECT_FALSE(snimek.soubor.empty());

    // the menu bar's first popup, opened from the keyboard
    ::SetForegroundWindow(ctecka);
    HWND lista = nullptr;
    for (int pokus = 0; pokus < 5 && !lista; ++pokus) {
        StisknoutKlavesy({VK_F10});
        StisknoutKlavesy({VK_DOWN});
        CekatNa([&] {
            lista = NajitOknoProcesu(kolvex.Pid(), L"#32768");
            return lista && ::IsWindowVisible(lista);
        }, 1000);
    }
    ASSERT_NE(lista, nullptr) << "F10 did not open the menu bar";
    // A menu's thread paints it in its menu loop, and Wine copies the painted window to the screen
    // a moment later: capture until the items are there.
    PrekreslitOkno(lista);
    Snimek snimekListy;
    CekatNa([&] { return (snimekListy = UlozitSnimekOkna(lista, L"rss_ctecka_nabidka")).tmavychBodu > 50; });
    EXPECT_GT(snimekListy.tmavychBodu, 50);
    // Esc closes the popup and leaves the bar selected; a second Esc, pressed only then, leaves
    // the menu (pressed at once, it could come after the context menu below opened, and close it)
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !::IsWindowVisible(lista); }));
    if (VRezimuMenu(ctecka)) StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !VRezimuMenu(ctecka); })) << "the menu bar stays selected";

    // the context menu asked for from the keyboard
    ::PostMessageW(ctecka, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ctecka), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND menu = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        menu = NajitOknoProcesu(kolvex.Pid(), L"#32768");
        return menu && ::IsWindowVisible(menu);
    }));
    PrekreslitOkno(menu);
    Snimek snimekMenu;
    CekatNa([&] { return (snimekMenu = UlozitSnimekOkna(menu, L"rss_ctecka_kontextova_nabidka")).tmavychBodu > 50; });
    EXPECT_GT(snimekMenu.tmavychBodu, 50);
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !::IsWindowVisible(menu); }));

    // "Předvolby" of the reader opens the settings at its page
    ::PostMessageW(ctecka, WM_COMMAND, 40002, 0);
    HWND nastaveni = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
        return nastaveni && ::IsWindowVisible(nastaveni) &&
               TextOkna(nastaveni).find(L"Nastavení: Čtečka RSS kanálů") != std::wstring::npos;
    }));
    ::Sleep(500);
    Snimek snimekStranky = UlozitSnimekOkna(nastaveni, L"rss_stranka_198");
    EXPECT_GT(snimekStranky.tmavychBodu, 500);
    ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    ::PostMessageW(hlavni, WM_CLOSE, 0, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}
