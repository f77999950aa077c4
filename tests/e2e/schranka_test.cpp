// The clipboard tools from outside: a hot key opens the text-to-clipboard window over a seeded
// text-list file and Enter puts the chosen text on the clipboard; a text copied by another
// program enters the operative clipboard and is still there after the program restarts; the
// text editor driven by clicks and keys keeps everything typed; windows wait for their own
// dialogs before they close; and screenshots of the windows and settings pages.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_MODULU = L"QKolvexOknoSchranka";
const wchar_t* const TRIDA_TEXTU = L"QSchrankaVlozitText";
const wchar_t* const TRIDA_OPERATIVNI = L"QOperativniSchrankaTxt";
const wchar_t* const TRIDA_EDITORU = L"QSchrankaEditorTextu";

std::wstring SlozkaDat() { return SlozkaDokumentu() + L"\\Kolvex 5"; }

void ZapsatHorkouKlavesu(UINT prikaz, UINT modifikatory, UINT klavesa) {
    const uint32_t data[4] = {modifikatory, klavesa, prikaz, 35};
    HKEY h = nullptr;
    std::wstring klic = std::wstring(KLIC) + L"\\Horke klavesy";
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr), 0);
    ::RegSetValueExW(h, std::to_wstring(prikaz).c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(data), sizeof(data));
    ::RegCloseKey(h);
}

void PridatText(std::vector<BYTE>& b, const std::wstring& text) {
    for (wchar_t z : text) {
        b.push_back(static_cast<BYTE>(z & 0xFF));
        b.push_back(static_cast<BYTE>(z >> 8));
    }
    b.push_back(0);
    b.push_back(0);
}

// The default text-list file with three named texts, in file order "Zeta", "Adresa", "Podpis".
void ZalozitSeznamTextu() {
    ::CreateDirectoryW(SlozkaDat().c_str(), nullptr);
    std::vector<BYTE> b = {0x03, 0x2A, 0xCD, 0x62};
    const wchar_t* const zaznamy[][2] = {
        {L"Zeta", L"poslední"}, {L"Adresa", L"Ulice 1\r\n110 00 Praha"}, {L"Podpis", L"S pozdravem\r\nJan"}};
    for (const auto& z : zaznamy) {
        PridatText(b, z[0]);
        PridatText(b, z[1]);
        b.insert(b.end(), 8, 0);
    }
    HANDLE h = ::CreateFileW((SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat").c_str(), GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, b.data(), static_cast<DWORD>(b.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

// The clipboard's Unicode text with its exact length; "<nic>" when there is none.
std::wstring ZeSchranky() {
    std::wstring text = L"<nic>";
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* znaky = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = znaky;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

HWND Seznam(HWND okno) { return ::FindWindowExW(okno, nullptr, L"ListBox", nullptr); }

// Brings the window to the front and presses Enter until the clipboard holds the text (the first
// key events after Wine set up a new display can be lost).
bool EnterAz(HWND okno, const std::wstring& ocekavany) {
    for (int pokus = 0; pokus < 3; ++pokus) {
        ::SetForegroundWindow(okno);
        StisknoutKlavesy({VK_RETURN});
        if (CekatNa([&] { return ZeSchranky() == ocekavany; }, 3000)) return true;
    }
    return false;
}

// Posts a toggle command to the main window until the tool's window appears. The module's window
// exists a moment before the module takes commands (its creation minimises it first), and a
// command in that moment is dropped; a command that arrives opens the window within a second.
HWND OtevritPrikazem(const Program& kolvex, HWND hlavni, UINT prikaz, const wchar_t* trida) {
    for (int pokus = 0; pokus < 3; ++pokus) {
        ::PostMessageW(hlavni, WM_COMMAND, prikaz, 0);
        if (HWND okno = kolvex.CekatNaOkno(trida, 3000)) return okno;
    }
    return nullptr;
}

class Schranka : public ::testing::Test {
protected:
    void SetUp() override {
        VycistitStavKolvexu();
        ::GetCursorPos(&m_kurzor);
    }
    void TearDown() override {
        VycistitStavKolvexu();
        // a cursor left by the clicks over the next test's windows changes how its menus open
        ::SetCursorPos(m_kurzor.x, m_kurzor.y);
    }
    POINT m_kurzor{};

    // The clipboard module runs once its window exists.
    static HWND SpustitAPockat(Program& kolvex, HWND& hlavni) {
        hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
        if (!hlavni) return nullptr;
        return kolvex.CekatNaOkno(TRIDA_MODULU);
    }
    static void Ukoncit(Program& kolvex, HWND hlavni) {
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }
};

}  // namespace

TEST_F(Schranka, HorkaKlavesaNabidneTextyAEnterVlozi) {
    ZalozitSeznamTextu();
    ZapsatHorkouKlavesu(40040, MOD_CONTROL | MOD_ALT, 'T');
    ASSERT_TRUE(DoSchranky(L"před"));
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr) << "the clipboard module did not start";

    HWND okno = nullptr;
    for (int pokus = 0; pokus < 3 && !okno; ++pokus) {
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'T'});
        okno = kolvex.CekatNaOkno(TRIDA_TEXTU, 3000);
    }
    ASSERT_NE(okno, nullptr) << "the hot key did not open the text-to-clipboard window";
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(okno) != 0 && Seznam(okno); }));
    EXPECT_NE(TextOkna(okno).find(L"SchrankaVkladaneTexty.tdsdat"), std::wstring::npos) << "caption names the file";
    HWND seznam = Seznam(okno);
    ASSERT_NE(seznam, nullptr);
    EXPECT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 3);

    // sorted ascending: "Adresa" first and selected; its own text goes to the clipboard
    ASSERT_TRUE(EnterAz(okno, L"Ulice 1\r\n110 00 Praha")) << "clipboard: " << std::string(ZeSchranky().begin(), ZeSchranky().end());
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(okno); })) << "the window closes after the copy";

    // the tray command opens it again; a double-click-equivalent on the last item copies that one
    okno = OtevritPrikazem(kolvex, hlavni, 40040, TRIDA_TEXTU);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return (seznam = Seznam(okno)) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3; }));
    ::SendMessageW(seznam, LB_SETCURSEL, 2, 0);
    ::PostMessageW(seznam, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(CekatNa([] { return ZeSchranky() == L"poslední"; }));

    // closing the window stored the current file for the next start
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(okno); }));
    Ukoncit(kolvex, hlavni);
}

TEST_F(Schranka, TextJinehoProgramuJeVOperativniSchranceIPoRestartu) {
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);
    HWND okno = OtevritPrikazem(kolvex, hlavni, 40041, TRIDA_OPERATIVNI);
    ASSERT_NE(okno, nullptr) << "40041 did not open the operative window";
    HWND seznam = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (seznam = Seznam(okno)) != nullptr && ::IsWindowVisible(okno); }));
    EXPECT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 0);

    // "Přidat obsah schránky do operativní" (a hot-key command of the main window) takes what
    // another program copied
    ASSERT_TRUE(DoSchranky(L"z jiného programu\r\n\tdruhý řádek"));
    ::PostMessageW(hlavni, WM_COMMAND, 40042, 0);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 1; }));
    ASSERT_TRUE(DoSchranky(L"druhý"));
    ::PostMessageW(hlavni, WM_COMMAND, 40042, 0);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }));
    EXPECT_EQ(::SendMessageW(seznam, LB_GETCURSEL, 0, 0), 0) << "the newest text is first and selected";
    Ukoncit(kolvex, hlavni);

    const std::wstring soubor = SlozkaDat() + L"\\Operativni schranka.otdat";
    std::vector<BYTE> ocekavane = {0xB4, 0x9B, 0xAE, 0x52};
    PridatText(ocekavane, L"druhý");
    PridatText(ocekavane, L"z jiného programu\r\n\tdruhý řádek");
    EXPECT_EQ(PrecistBajty(soubor), ocekavane) << "the list is saved newest first at close";

    // after a restart the list is loaded again: the older text, chosen and entered, is copied
    ASSERT_TRUE(DoSchranky(L"jiné"));
    Program znovu;
    ASSERT_NE(SpustitAPockat(znovu, hlavni), nullptr);
    okno = OtevritPrikazem(znovu, hlavni, 40041, TRIDA_OPERATIVNI);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return (seznam = Seznam(okno)) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }));
    ::Sleep(300);
    Snimek snimek = UlozitSnimekOkna(okno, L"schranka_operativni");
    std::printf("Snímek operativní schránky: %ls\n", snimek.soubor.c_str());
    EXPECT_GT(snimek.tmavychBodu, 100) << "no text drawn";
    ::SendMessageW(seznam, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(EnterAz(okno, L"z jiného programu\r\n\tdruhý řádek"));
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(okno); })) << "the window closes after the copy";
    Ukoncit(znovu, hlavni);
}

TEST_F(Schranka, SnimkyOkenAStranek) {
    ZalozitSeznamTextu();
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);

    struct Okno {
        UINT prikaz;
        const wchar_t* trida;
        const wchar_t* soubor;
    };
    for (const Okno& o : {Okno{40040, TRIDA_TEXTU, L"schranka_text"}, Okno{40025, TRIDA_EDITORU, L"schranka_editor"}}) {
        HWND okno = OtevritPrikazem(kolvex, hlavni, o.prikaz, o.trida);
        ASSERT_NE(okno, nullptr) << o.prikaz;
        ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(okno) != 0; }));
        ::SetForegroundWindow(okno);
        ::Sleep(500);
        Snimek snimek = UlozitSnimekOkna(okno, o.soubor);
        std::printf("Snímek: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.pocetBarev, 8) << o.soubor;
        EXPECT_GT(snimek.tmavychBodu, 300) << o.soubor;
        ::PostMessageW(hlavni, WM_COMMAND, o.prikaz, 0);  // the same command closes it
        EXPECT_TRUE(CekatNa([&] { return !::IsWindow(okno); })) << o.prikaz;
    }

    // the module's tray menu, as the main menu's "Schránka" opens it
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 3 && !menu; ++pokus) {
        ::PostMessageW(hlavni, WM_COMMAND, 40058, 0);
        CekatNa([&] { return (menu = NajitOknoProcesu(kolvex.Pid(), L"#32768")) && ::IsWindowVisible(menu); }, 3000);
    }
    ASSERT_NE(menu, nullptr) << "40058 did not open the clipboard menu";
    ::Sleep(300);
    Snimek snimekMenu = UlozitSnimekOkna(menu, L"schranka_menu");
    std::printf("Snímek nabídky: %ls\n", snimekMenu.soubor.c_str());
    EXPECT_GT(snimekMenu.tmavychBodu, 300);
    for (int pokus = 0; pokus < 3 && ::IsWindowVisible(menu); ++pokus) {
        StisknoutKlavesy({VK_ESCAPE});
        CekatNa([&] { return !::IsWindowVisible(menu); }, 2000);
    }
    EXPECT_FALSE(::IsWindowVisible(menu)) << "Esc closes the menu";

    struct Stranka {
        UINT id;
        const wchar_t* titulek;
        const wchar_t* soubor;
    };
    for (const Stranka& s : {Stranka{112, L"Vložení textu do schránky", L"nastaveni_112"},
                             Stranka{113, L"Operativní schránka", L"nastaveni_113"},
                             Stranka{114, L"Editor vkládaných textů do schránky", L"nastaveni_114"}}) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, s.id);
        HWND nastaveni = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            return nastaveni && ::IsWindowVisible(nastaveni) && TextOkna(nastaveni).find(s.titulek) != std::wstring::npos;
        })) << s.id;
        ::Sleep(500);
        Snimek snimek = UlozitSnimekOkna(nastaveni, s.soubor);
        std::printf("Snímek stránky: %ls\n", snimek.soubor.c_str());
        EXPECT_GT(snimek.tmavychBodu, 500) << s.soubor;
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    Ukoncit(kolvex, hlavni);
}

TEST_F(Schranka, EditorOdebereTextKlavesouCtrlDeleteAUlozi) {
    ZalozitSeznamTextu();
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KLIC) + L"\\Schranka\\Editor textu").c_str(), 0, nullptr,
                                0, KEY_WRITE, nullptr, &h, nullptr),
              0);
    DWORD ne = 0;
    ::RegSetValueExW(h, L"potvrzovatOdebrani", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ne), sizeof(ne));
    ::RegCloseKey(h);

    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);
    HWND editor = OtevritPrikazem(kolvex, hlavni, 40025, TRIDA_EDITORU);
    ASSERT_NE(editor, nullptr) << "40025 did not open the editor";
    HWND seznam = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = Potomek(editor, L"ListBoxSeznam");
        return seznam && ::IsWindowVisible(editor) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3;
    }));
    // sorted list, file order kept: "Adresa" is first in the list, second in the file
    for (int pokus = 0; pokus < 3 && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3; ++pokus) {
        ::SetForegroundWindow(editor);
        ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
        StisknoutKlavesy({VK_CONTROL, VK_DELETE});
        CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2; }, 3000);
    }
    ASSERT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 2) << "Ctrl+Delete in the list did not remove the text";

    // closing the editor writes the file back (automatickyUkladatSoubor)
    ::PostMessageW(hlavni, WM_COMMAND, 40025, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(editor); }));
    std::vector<BYTE> ocekavane = {0x03, 0x2A, 0xCD, 0x62};
    for (const auto& z : {std::pair<const wchar_t*, const wchar_t*>{L"Zeta", L"poslední"},
                          std::pair<const wchar_t*, const wchar_t*>{L"Podpis", L"S pozdravem\r\nJan"}}) {
        PridatText(ocekavane, z.first);
        PridatText(ocekavane, z.second);
        ocekavane.insert(ocekavane.end(), 8, 0);
    }
    EXPECT_EQ(PrecistBajty(SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat"), ocekavane);
    Ukoncit(kolvex, hlavni);
}

namespace {

std::string Utf8(const std::wstring& text) {
    std::string vysledek(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &vysledek[0], static_cast<int>(vysledek.size()), nullptr, nullptr);
    return vysledek.c_str();
}

// The screen point in the middle of a list row (row height and top index, no pointers across
// processes).
POINT BodRadku(HWND seznam, int radek) {
    const int vyska = static_cast<int>(::SendMessageW(seznam, LB_GETITEMHEIGHT, 0, 0));
    const int horni = static_cast<int>(::SendMessageW(seznam, LB_GETTOPINDEX, 0, 0));
    POINT bod{20, (radek - horni) * vyska + vyska / 2};
    ::ClientToScreen(seznam, &bod);
    return bod;
}

int RadekNazvu(HWND seznam, const wchar_t* nazev) {
    return static_cast<int>(::SendMessageW(seznam, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(nazev)));
}

POINT StredOkna(HWND okno) {
    RECT r{};
    ::GetWindowRect(okno, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND Fokus(HWND okno) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(okno, nullptr), &info) ? info.hwndFocus : nullptr;
}

// A click on a list row, until the row is selected (a click can land where the cursor was before
// when Wine handles the pointer's move late).
bool KliknoutNaRadek(HWND seznam, int radek) {
    for (int pokus = 0; pokus < 3; ++pokus) {
        KliknoutLevym(BodRadku(seznam, radek));
        if (CekatNa([&] { return ::SendMessageW(seznam, LB_GETCURSEL, 0, 0) == radek; }, 2000)) return true;
    }
    return false;
}

// A click into the window, until the keyboard focus is there (so typing goes to it).
bool KliknoutDo(HWND okno) {
    for (int pokus = 0; pokus < 3; ++pokus) {
        KliknoutLevym(StredOkna(okno));
        if (CekatNa([&] { return Fokus(okno) == okno; }, 2000)) return true;
    }
    return false;
}

// The name prompt of the program (a visible #32770 with an edit).
HWND CekatNaDotaz(const Program& program) {
    HWND dialog = nullptr;
    CekatNa([&] {
        dialog = NajitOknoProcesu(program.Pid(), L"#32770");
        return dialog && ::IsWindowVisible(dialog) && ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    });
    return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

std::vector<BYTE> SouborTextu(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> zaznamy) {
    std::vector<BYTE> b = {0x03, 0x2A, 0xCD, 0x62};
    for (const auto& z : zaznamy) {
        PridatText(b, z.first);
        PridatText(b, z.second);
        b.insert(b.end(), 8, 0);
    }
    return b;
}

}  // namespace

// The editor driven as a user drives it: clicks and arrows in its list show the selected text,
// what is typed is stored into the text it was typed for when the selection moves on, on Save,
// on Add and on closing, and "Text do schránky" then copies the typed text.
TEST_F(Schranka, EditorUkazujeVybranyTextAPsaneNeztraci) {
    ZalozitSeznamTextu();
    const std::wstring soubor = SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat";
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);
    HWND editor = OtevritPrikazem(kolvex, hlavni, 40025, TRIDA_EDITORU);
    ASSERT_NE(editor, nullptr) << "40025 did not open the editor";
    HWND seznam = nullptr, edit = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = Potomek(editor, L"ListBoxSeznam");
        edit = Potomek(editor, L"Edit");
        return seznam && edit && ::IsWindowVisible(editor) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3;
    }));
    // the file opened at the start makes its first (sorted) text current
    EXPECT_TRUE(CekatNa([&] { return TextOkna(edit) == L"Ulice 1\r\n110 00 Praha"; })) << "edit: " << TextOkna(edit).size();

    // (the first input on a new display can be lost: the click is repeated until it arrives)
    ::SetForegroundWindow(editor);
    ASSERT_TRUE(KliknoutNaRadek(seznam, 2)) << "the click did not reach the list";
    EXPECT_TRUE(CekatNa([&] { return TextOkna(edit) == L"poslední"; })) << "a click on \"Zeta\" did not show its text";

    struct Krok {
        WORD klavesa;
        const wchar_t* text;
    };
    for (const Krok& k : {Krok{VK_UP, L"S pozdravem\r\nJan"}, Krok{VK_UP, L"Ulice 1\r\n110 00 Praha"},
                          Krok{VK_DOWN, L"S pozdravem\r\nJan"}}) {
        StisknoutKlavesy({k.klavesa});
        EXPECT_TRUE(CekatNa([&] { return TextOkna(edit) == k.text; })) << "key " << k.klavesa;
    }

    // typed into "Podpis", then "Uložit": the file holds what the edit shows
    ASSERT_TRUE(KliknoutDo(edit));
    StisknoutKlavesy({VK_CONTROL, VK_END});
    NapsatText(L" a další");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"S pozdravem\r\nJan a další"; }))
        << Utf8(TextOkna(edit)) << " / row " << ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    ::PostMessageW(editor, WM_COMMAND, 40032, 0);
    EXPECT_TRUE(CekatNa([&] {
        return PrecistBajty(soubor) == SouborTextu({{L"Zeta", L"poslední"},
                                                    {L"Adresa", L"Ulice 1\r\n110 00 Praha"},
                                                    {L"Podpis", L"S pozdravem\r\nJan a další"}});
    })) << "Save did not write the typed text";

    // typing goes on, then "Přidat" twice with a text typed into each new one
    NapsatText(L"!");
    struct Novy {
        const wchar_t* nazev;
        const wchar_t* text;
    };
    for (const Novy& n : {Novy{L"Nový", L"první nový"}, Novy{L"Druhý", L"druhý nový"}}) {
        const LRESULT pocet = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
        ::PostMessageW(editor, WM_COMMAND, 40036, 0);
        HWND dotaz = CekatNaDotaz(kolvex);
        ASSERT_NE(dotaz, nullptr) << "no name prompt for " << n.text;
        ::SetWindowTextW(::FindWindowExW(dotaz, nullptr, L"Edit", nullptr), n.nazev);
        ::PostMessageW(dotaz, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == pocet + 1 && TextOkna(edit).empty(); }))
            << "the new text is not shown empty";
        EXPECT_EQ(::SendMessageW(seznam, LB_GETCURSEL, 0, 0), RadekNazvu(seznam, n.nazev));
        ::SetForegroundWindow(editor);
        ASSERT_TRUE(KliknoutDo(edit));
        NapsatText(n.text);
        ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == n.text; }));
    }
    // a click on the first new one shows its own text, not the one typed last
    ASSERT_TRUE(KliknoutNaRadek(seznam, RadekNazvu(seznam, L"Nový")));
    EXPECT_TRUE(CekatNa([&] { return TextOkna(edit) == L"první nový"; })) << "edit: " << TextOkna(edit).size();
    ASSERT_TRUE(KliknoutDo(edit));
    StisknoutKlavesy({VK_CONTROL, VK_END});
    NapsatText(L" a dost");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"první nový a dost"; }));

    // "Přejmenovat" keeps the renamed text selected, so "Použít" stores the edit into it
    ::PostMessageW(editor, WM_COMMAND, 40038, 0);
    HWND dotaz = CekatNaDotaz(kolvex);
    ASSERT_NE(dotaz, nullptr) << "no rename prompt";
    ::SetWindowTextW(::FindWindowExW(dotaz, nullptr, L"Edit", nullptr), L"Nový text");
    ::PostMessageW(dotaz, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(CekatNa([&] { return RadekNazvu(seznam, L"Nový text") >= 0; }));
    EXPECT_EQ(::SendMessageW(seznam, LB_GETCURSEL, 0, 0), RadekNazvu(seznam, L"Nový text"));
    EXPECT_EQ(TextOkna(edit), L"první nový a dost");
    ::PostMessageW(editor, WM_COMMAND, 40039, 0);

    // closing the editor stores the text being typed and writes the file
    ::PostMessageW(hlavni, WM_COMMAND, 40025, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(editor); }));
    EXPECT_EQ(PrecistBajty(soubor), SouborTextu({{L"Zeta", L"poslední"},
                                                 {L"Adresa", L"Ulice 1\r\n110 00 Praha"},
                                                 {L"Podpis", L"S pozdravem\r\nJan a další!"},
                                                 {L"Nový text", L"první nový a dost"},
                                                 {L"Druhý", L"druhý nový"}}));

    // "Text do schránky" offers the saved texts: a click on "Druhý" and Enter copy what was typed
    HWND okno = OtevritPrikazem(kolvex, hlavni, 40040, TRIDA_TEXTU);
    ASSERT_NE(okno, nullptr);
    HWND texty = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (texty = Seznam(okno)) && ::SendMessageW(texty, LB_GETCOUNT, 0, 0) == 5; }));
    ::SetForegroundWindow(okno);
    const int radek = RadekNazvu(texty, L"Druhý");
    ASSERT_TRUE(KliknoutNaRadek(texty, radek));
    ASSERT_TRUE(EnterAz(okno, L"druhý nový"));
    Ukoncit(kolvex, hlavni);
}

// The editor's questions are owned by it: while the name question of "Přidat" runs the editor is
// disabled, and a WM_CLOSE that reaches it anyway waits until the question has been answered.
TEST_F(Schranka, EditorSeNezavrePodOtevrenymDotazem) {
    ZalozitSeznamTextu();
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);
    HWND editor = OtevritPrikazem(kolvex, hlavni, 40025, TRIDA_EDITORU);
    ASSERT_NE(editor, nullptr);
    HWND seznam = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = Potomek(editor, L"ListBoxSeznam");
        return seznam && ::IsWindowVisible(editor) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3;
    }));
    ::PostMessageW(editor, WM_COMMAND, 40036, 0);
    HWND dotaz = CekatNaDotaz(kolvex);
    ASSERT_NE(dotaz, nullptr);
    EXPECT_EQ(::GetWindow(dotaz, GW_OWNER), editor) << "the name question has no owner";
    EXPECT_FALSE(::IsWindowEnabled(editor));
    // the tray toggle only brings the question forward: the module goes on at once (the
    // operative window it opens next appears without waiting for the editor to stop)
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, WM_COMMAND, 40025, 0);
    ::PostMessageW(modul, WM_COMMAND, 40041, 0);
    EXPECT_NE(kolvex.CekatNaOkno(TRIDA_OPERATIVNI, 3000), nullptr) << "the toggle waited for the editor";
    EXPECT_TRUE(::IsWindow(editor));
    ::PostMessageW(editor, WM_CLOSE, 0, 0);
    ::PostMessageW(editor, WM_COMMAND, 40036, 0);  // a second question does not open over the first
    // posted messages of the thread are handled in order: this selection comes after them
    ::PostMessageW(seznam, LB_SETCURSEL, 2, 0);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCURSEL, 0, 0) == 2; }));
    ASSERT_TRUE(::IsWindow(editor)) << "the editor was closed under its question";
    ASSERT_TRUE(::IsWindow(dotaz));
    ::SetWindowTextW(::FindWindowExW(dotaz, nullptr, L"Edit", nullptr), L"Čtvrtý");
    ::PostMessageW(dotaz, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(editor); })) << "the editor did not close after the question";
    HWND dalsi = NajitOknoProcesu(kolvex.Pid(), L"#32770");
    EXPECT_FALSE(dalsi && ::IsWindowVisible(dalsi)) << "a second name question opened";
    std::vector<BYTE> ocekavane = SouborTextu({{L"Zeta", L"poslední"},
                                               {L"Adresa", L"Ulice 1\r\n110 00 Praha"},
                                               {L"Podpis", L"S pozdravem\r\nJan"}});
    PridatText(ocekavane, L"Čtvrtý");
    PridatText(ocekavane, L"");
    ocekavane.insert(ocekavane.end(), 8, 0);
    EXPECT_EQ(PrecistBajty(SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat"), ocekavane);
    Ukoncit(kolvex, hlavni);
}

// The file dialogs of the operative window and of "Text do schránky" are owned by their window;
// the tray toggle, Esc in the list and WM_CLOSE while the dialog runs leave the window (and the
// program) alone until the dialog has ended, and the window closes then.
TEST_F(Schranka, OknoSeSeznamemPockaNaSvujDialogSouboru) {
    ZalozitSeznamTextu();
    struct Pripad {
        UINT prikaz;         // the module's toggle
        const wchar_t* trida;
        UINT otevrit;        // the window's open-file command
    };
    Program kolvex;
    HWND hlavni = nullptr;
    HWND modul = SpustitAPockat(kolvex, hlavni);
    ASSERT_NE(modul, nullptr);
    for (const Pripad& p : {Pripad{40041, TRIDA_OPERATIVNI, 40056}, Pripad{40040, TRIDA_TEXTU, 40024}}) {
        SCOPED_TRACE(p.prikaz);
        HWND okno = OtevritPrikazem(kolvex, hlavni, p.prikaz, p.trida);
        ASSERT_NE(okno, nullptr);
        HWND seznam = nullptr;
        ASSERT_TRUE(CekatNa([&] { return (seznam = Seznam(okno)) != nullptr && ::IsWindowVisible(okno); }));
        if (::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 0) {  // the operative list starts empty
            ASSERT_TRUE(DoSchranky(L"jeden text"));
            ::PostMessageW(hlavni, WM_COMMAND, 40042, 0);
            ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 1; }));
        }

        ::PostMessageW(okno, WM_COMMAND, p.otevrit, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            dialog = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            return dialog && ::IsWindowVisible(dialog);
        }, 10000)) << "no open dialog";
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), okno) << "the file dialog has no owner";
        ::PostMessageW(modul, WM_COMMAND, p.prikaz, 0);  // the tray toggle
        ::PostMessageW(seznam, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageW(okno, WM_CLOSE, 0, 0);
        for (int radek : {-1, 0}) {  // handled in order after the window's messages above
            ::PostMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
            ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCURSEL, 0, 0) == radek; }));
        }
        // the toggle is handled on the module's thread: a command after it shows that it has been
        ::PostMessageW(modul, WM_COMMAND, 40025, 0);
        HWND editor = kolvex.CekatNaOkno(TRIDA_EDITORU, 3000);
        EXPECT_NE(editor, nullptr) << "the toggle waited for the window";
        ASSERT_TRUE(::IsWindow(okno)) << "the window was destroyed under its dialog";
        ASSERT_TRUE(::IsWindow(dialog));
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(CekatNa([&] { return !::IsWindow(dialog) && !::IsWindow(okno); }))
            << "the window did not close afterwards";
        EXPECT_TRUE(kolvex.Bezi());
        if (editor) {
            ::PostMessageW(modul, WM_COMMAND, 40025, 0);
            ASSERT_TRUE(CekatNa([&] { return !::IsWindow(editor); }));
        }
    }
    Ukoncit(kolvex, hlavni);
}

// With automatickyUkladatText off, leaving a text drops what was typed into it (the user's
// choice), while "Uložit" still writes what the edit shows.
TEST_F(Schranka, EditorBezUkladaniTextuUlozitPresto) {
    ZalozitSeznamTextu();
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KLIC) + L"\\Schranka\\Editor textu").c_str(), 0, nullptr,
                                0, KEY_WRITE, nullptr, &h, nullptr),
              0);
    DWORD ne = 0;
    ::RegSetValueExW(h, L"automatickyUkladatText", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ne), sizeof(ne));
    ::RegCloseKey(h);
    const std::wstring soubor = SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat";
    Program kolvex;
    HWND hlavni = nullptr;
    ASSERT_NE(SpustitAPockat(kolvex, hlavni), nullptr);
    HWND editor = OtevritPrikazem(kolvex, hlavni, 40025, TRIDA_EDITORU);
    ASSERT_NE(editor, nullptr);
    HWND seznam = nullptr, edit = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = Potomek(editor, L"ListBoxSeznam");
        edit = Potomek(editor, L"Edit");
        return seznam && edit && ::IsWindowVisible(editor) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 3 &&
               TextOkna(edit) == L"Ulice 1\r\n110 00 Praha";
    }));
    ::SetForegroundWindow(editor);
    ASSERT_TRUE(KliknoutDo(edit));
    StisknoutKlavesy({VK_CONTROL, VK_END});
    NapsatText(L" zahozeno");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"Ulice 1\r\n110 00 Praha zahozeno"; }));
    ASSERT_TRUE(KliknoutNaRadek(seznam, 2));
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"poslední"; }));
    ASSERT_TRUE(KliknoutNaRadek(seznam, 0));
    EXPECT_TRUE(CekatNa([&] { return TextOkna(edit) == L"Ulice 1\r\n110 00 Praha"; })) << "the text was stored anyway";

    ASSERT_TRUE(KliknoutDo(edit));
    StisknoutKlavesy({VK_CONTROL, VK_END});
    NapsatText(L" uloženo");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"Ulice 1\r\n110 00 Praha uloženo"; }));
    ::PostMessageW(editor, WM_COMMAND, 40032, 0);
    EXPECT_TRUE(CekatNa([&] {
        return PrecistBajty(soubor) == SouborTextu({{L"Zeta", L"poslední"},
                                                    {L"Adresa", L"Ulice 1\r\n110 00 Praha uloženo"},
                                                    {L"Podpis", L"S pozdravem\r\nJan"}});
    })) << "Save did not write the typed text";
    Ukoncit(kolvex, hlavni);
}
