// Notes from outside: the notes tray menu creates a note, Czech text typed with real key presses
// lands in the .pozn file as code-page bytes when the note window closes; the list windows and
// the settings pages are captured for people to look at.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";
const wchar_t* const TRIDA_MODULU = L"QPoznamky";

std::wstring SlozkaPoznamek() {
    return SlozkaDokumentu() + (CeskeProstredi() ? L"\\Kolvex 5\\Poznámky" : L"\\Kolvex 5\\Poznamky");
}

// The text-notes folder made before the program starts, as a user's earlier notes left it.
void ZalozitSlozkuPoznamek() {
    ::CreateDirectoryW((SlozkaDokumentu() + L"\\Kolvex 5").c_str(), nullptr);
    ::CreateDirectoryW(SlozkaPoznamek().c_str(), nullptr);
}

HWND CekatNaViditelne(const Program& program, const wchar_t* trida, DWORD ms = 10000) {
    HWND okno = nullptr;
    CekatNa(
        [&] {
            okno = NajitOknoProcesu(program.Pid(), trida);
            return okno && ::IsWindowVisible(okno);
        },
        ms);
    return okno && ::IsWindowVisible(okno) ? okno : nullptr;
}

// The input dialog of the program (a #32770 with an edit).
HWND CekatNaDialogVstupu(const Program& program) {
    HWND dialog = nullptr;
    CekatNa(
        [&] {
            dialog = NajitOknoProcesu(program.Pid(), L"#32770");
            return dialog && ::IsWindowVisible(dialog) && ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        },
        10000);
    return dialog;
}

bool CekatNaPopredi(HWND okno) {
    return CekatNa([&] { return ::GetForegroundWindow() == okno; }, 5000);
}

std::string BajtyTextu(const std::wstring& text, UINT kodovaStranka) {
    int delka = ::WideCharToMultiByte(kodovaStranka, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string vysledek(static_cast<size_t>(delka), '\0');
    ::WideCharToMultiByte(kodovaStranka, 0, text.c_str(), static_cast<int>(text.size()), &vysledek[0], delka, nullptr,
                          nullptr);
    return vysledek;
}

// A button's click as the button reports it to its dialog.
void StisknoutTlacitko(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// The tray menu of notes icon 1, 2 or 3 as a right click on the icon opens it.
HWND OtevritNabidkuIkony(HWND modul, UINT ikona) {
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 3 && !menu; ++pokus) {
        ::PostMessageW(modul, WM_APP + 9, ikona, WM_RBUTTONUP);
        CekatNa([&] { return (menu = ::FindWindowW(L"#32768", nullptr)) != nullptr && ::IsWindowVisible(menu); }, 3000);
        if (menu && !::IsWindowVisible(menu)) menu = nullptr;
    }
    return menu;
}

// Item n (1 = the first) of the icon's menu chosen with the arrow keys and Enter.
bool VybratZNabidkyIkony(HWND modul, UINT ikona, int polozka) {
    HWND menu = OtevritNabidkuIkony(modul, ikona);
    if (!menu) return false;
    for (int i = 0; i < polozka; ++i) StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_RETURN});
    return CekatNa([&] { return !::IsWindowVisible(menu); }, 5000);
}

// Every message posted to the module window before this call has been handled (and what those
// handlers posted in turn): a menu opened twice by posted tray messages only shows after them.
bool PockatNaModul(HWND modul, UINT ikona) {
    for (int kolo = 0; kolo < 2; ++kolo) {
        HWND menu = OtevritNabidkuIkony(modul, ikona);
        if (!menu) return false;
        StisknoutKlavesy({VK_ESCAPE});
        if (!CekatNa([&] { return !::IsWindowVisible(menu); }, 5000)) return false;
    }
    return true;
}

HWND CekatNaDialogZaznamu(const Program& program) {
    HWND dialog = nullptr;
    CekatNa(
        [&] {
            dialog = NajitOknoProcesu(program.Pid(), L"#32770");
            return dialog && ::IsWindowVisible(dialog) && TextOkna(dialog).find(L"Záznam zvukové poznámky") == 0;
        },
        10000);
    return dialog && TextOkna(dialog).find(L"Záznam zvukové poznámky") == 0 ? dialog : nullptr;
}

void ZapsatSoubor(const std::wstring& cesta, const std::string& obsah) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD zapsano = 0;
    ::WriteFile(h, obsah.data(), static_cast<DWORD>(obsah.size()), &zapsano, nullptr);
    ::CloseHandle(h);
}

class PoznamkyZvenku : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

TEST_F(PoznamkyZvenku, NabidkaVytvoriPoznamkuAPsanyCeskyTextJeVSouboru) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr) << "the notes module did not start";

    // The notes tray menu: the first item "Nová textová poznámka".
    HWND menu = nullptr;
    for (int pokus = 0; pokus < 3 && !menu; ++pokus) {
        ::PostMessageW(modul, WM_APP + 9, 1, WM_RBUTTONUP);
        CekatNa([&] { return (menu = ::FindWindowW(L"#32768", nullptr)) != nullptr && ::IsWindowVisible(menu); }, 3000);
    }
    ASSERT_NE(menu, nullptr) << "the notes menu did not open";
    StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_RETURN});

    // The list window opens and asks for the new note's name.
    HWND dialog = CekatNaDialogVstupu(kolvex);
    ASSERT_NE(dialog, nullptr) << "no name prompt";
    ASSERT_TRUE(CekatNaPopredi(dialog));
    const std::wstring nazev = L"Nákup úterý";
    StisknoutKlavesy({VK_CONTROL, 'A'});
    HWND edit = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    NapsatText(nazev);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == nazev; }, 5000)) << "typed: " << std::string(TextOkna(edit).begin(), TextOkna(edit).end());
    StisknoutKlavesy({VK_RETURN});

    const std::wstring soubor = SlozkaPoznamek() + L"\\" + nazev + L".pozn";
    ASSERT_TRUE(CekatNa([&] { return ExistujeSoubor(soubor); }, 5000)) << "the note file was not created";
    EXPECT_TRUE(PrecistBajty(soubor).empty()) << "a new note is an empty file";

    HWND seznam = CekatNaViditelne(kolvex, L"QPoznamkyTextove");
    ASSERT_NE(seznam, nullptr);
    ASSERT_TRUE(CekatNaPopredi(seznam));
    ::Sleep(500);  // let the list paint
    Snimek snimekSeznamu = UlozitSnimekOkna(seznam, L"poznamky_seznam_textovych");
    std::printf("Snímek seznamu poznámek: %ls\n", snimekSeznamu.soubor.c_str());

    // Enter opens the selected (new) note in the note window.
    StisknoutKlavesy({VK_RETURN});
    HWND poznamka = CekatNaViditelne(kolvex, L"QPoznamkaText");
    ASSERT_NE(poznamka, nullptr) << "the note window did not open";
    ASSERT_TRUE(CekatNaPopredi(poznamka));
    const std::wstring text = L"Příliš žluťoučký kůň\r\núpěl ďábelské ódy.";
    NapsatText(L"Příliš žluťoučký kůň");
    StisknoutKlavesy({VK_RETURN});
    NapsatText(L"úpěl ďábelské ódy.");
    HWND editPoznamky = ::FindWindowExW(poznamka, nullptr, L"QEditPoznamka", nullptr);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(editPoznamky) == text; }, 5000));
    ::Sleep(500);  // let the edit paint
    Snimek snimekPoznamky = UlozitSnimekOkna(poznamka, L"poznamky_okno_poznamky");
    std::printf("Snímek okna poznámky: %ls\n", snimekPoznamky.soubor.c_str());
    EXPECT_GT(snimekPoznamky.tmavychBodu, 100) << "no text drawn";

    // Esc closes the note window and writes the note.
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(poznamka); }, 5000)) << "the note window did not close";
    const UINT stranka = CeskeProstredi() ? 1250 : ::GetACP();
    const std::string ocekavane = BajtyTextu(text, stranka);
    std::vector<BYTE> bajty;
    EXPECT_TRUE(CekatNa([&] {
        bajty = PrecistBajty(soubor);
        return std::string(bajty.begin(), bajty.end()) == ocekavane;
    }, 5000));
    if (CeskeProstredi()) {
        EXPECT_EQ(bajty.size(), text.size()) << "one byte per letter in code page 1250";
    }

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(PoznamkyZvenku, KonecProgramuUloziOtevrenouPoznamku) {
    ZalozitSlozkuPoznamek();
    const std::wstring soubor = SlozkaPoznamek() + L"\\A.pozn";
    {
        HANDLE h = ::CreateFileW(soubor.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD zapsano = 0;
        ::WriteFile(h, "stary", 5, &zapsano, nullptr);
        ::CloseHandle(h);
    }
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, WM_COMMAND, 40061, 0);
    HWND seznam = CekatNaViditelne(kolvex, L"QPoznamkyTextove");
    ASSERT_NE(seznam, nullptr);
    ::PostMessageW(seznam, WM_COMMAND, 40067, 0);
    HWND poznamka = CekatNaViditelne(kolvex, L"QPoznamkaText");
    ASSERT_NE(poznamka, nullptr);
    HWND edit = ::FindWindowExW(poznamka, nullptr, L"QEditPoznamka", nullptr);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"stary"; }, 5000));
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"novy text"));

    // "Konec" while the note is open: the module's stop writes it.
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    std::vector<BYTE> bajty = PrecistBajty(soubor);
    EXPECT_EQ(std::string(bajty.begin(), bajty.end()), "novy text");
}

TEST_F(PoznamkyZvenku, SnimkyOkenZvukovychPoznamekAStranekNastaveni) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, WM_COMMAND, 40062, 0);
    HWND zvukove = CekatNaViditelne(kolvex, L"QPoznamkyZvukove");
    ASSERT_NE(zvukove, nullptr) << "the sound-notes window did not open";
    ASSERT_TRUE(CekatNaPopredi(zvukove));
    ::Sleep(500);
    Snimek snimek = UlozitSnimekOkna(zvukove, L"poznamky_seznam_zvukovych");
    std::printf("Snímek zvukových poznámek: %ls\n", snimek.soubor.c_str());
    EXPECT_GT(snimek.pocetBarev, 4);

    // The context menu from the keyboard (Shift+F10 gives a position of -1, -1).
    ::PostMessageW(zvukove, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(zvukove), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND menu = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (menu = ::FindWindowW(L"#32768", nullptr)) != nullptr && ::IsWindowVisible(menu); },
                        5000));
    ::Sleep(300);
    Snimek snimekMenu = UlozitSnimekOkna(menu, L"poznamky_menu_zvukovych");
    std::printf("Snímek nabídky: %ls\n", snimekMenu.soubor.c_str());
    EXPECT_GT(snimekMenu.tmavychBodu, 200);
    StisknoutKlavesy({VK_ESCAPE});
    EXPECT_TRUE(CekatNa([&] { return !::IsWindowVisible(menu); }, 5000));

    // The settings window at each notes page.
    for (int stranka : {125, 126, 127}) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, stranka);
        HWND nastaveni = nullptr;
        ASSERT_TRUE(CekatNa(
            [&] {
                nastaveni = NajitOknoProcesu(kolvex.Pid(), L"#32770");
                return nastaveni && ::IsWindowVisible(nastaveni) && TextOkna(nastaveni).find(L"Nastavení: ") != std::wstring::npos;
            },
            10000));
        CekatNaPopredi(nastaveni);
        ::Sleep(500);  // let every control paint
        Snimek s = UlozitSnimekOkna(nastaveni, L"poznamky_stranka_" + std::to_wstring(stranka));
        std::printf("Snímek stránky %d: %ls\n", stranka, s.soubor.c_str());
        EXPECT_GT(s.tmavychBodu, 500);
        ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }, 5000));
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

namespace {

constexpr size_t LIMIT_POZNAMKY = 1024 * 1024;  // the most the note file's reader takes

std::string Obsah(const std::wstring& cesta) {
    const std::vector<BYTE> bajty = PrecistBajty(cesta);
    return std::string(bajty.begin(), bajty.end());
}

LRESULT PoslatSCasem(HWND okno, UINT zprava, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR vysledek = 0;
    ::SendMessageTimeoutW(okno, zprava, w, l, SMTO_ABORTIFHUNG, 10000, &vysledek);
    return static_cast<LRESULT>(vysledek);
}

// Lines of 78 letters and CR LF, cut to the length.
std::wstring Radky(size_t delka, wchar_t pismeno) {
    std::wstring text;
    text.reserve(delka);
    while (text.size() < delka) text += (text.size() % 80 < 78) ? pismeno : (text.size() % 80 == 78 ? L'\r' : L'\n');
    return text;
}

// The message box of the program, answered with the button; its text.
std::wstring OdpovedetNaZpravu(const Program& program, int tlacitko) {
    HWND box = program.CekatNaZpravu();
    if (!box) return L"<žádná zpráva>";
    const std::wstring text = TextZpravy(box);
    StisknoutTlacitko(box, tlacitko);
    CekatNa([&] { return !::IsWindow(box); }, 5000);
    return text;
}

std::string Utf8(const std::wstring& text) { return BajtyTextu(text, CP_UTF8); }

}  // namespace

// Pasted with Ctrl+V into the note window, then Esc: characters that code page 1250 lacks are
// named and nothing is written until the user answers; a paste over the note's limit is reported
// and the note keeps what fitted; a note at the limit is saved whole.
TEST_F(PoznamkyZvenku, VlozenyTextMimoKodovouStrankuANadLimitNicNeztratiBezSlova) {
    if (!CeskeProstredi()) GTEST_SKIP() << "the cases are written for code page 1250";
    ZalozitSlozkuPoznamek();
    const std::wstring soubor = SlozkaPoznamek() + L"\\A.pozn";
    ZapsatSoubor(soubor, "stary");
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    ::PostMessageW(modul, WM_COMMAND, 40061, 0);
    HWND seznam = CekatNaViditelne(kolvex, L"QPoznamkyTextove");
    ASSERT_NE(seznam, nullptr);

    struct Pripad {
        const char* popis;
        std::wstring vlozeno;
        const wchar_t* hlaseni;  // reported at the paste (part of the text), or none
        const wchar_t* znaky;    // named at the close, or none
        std::wstring ulozeno;
    } pripady[] = {
        {"outside code page 1250", L"zavolat Ивану; ok 😀; cena 5 € ≈ 130 Kč; Łódź ñ ü", nullptr,
         L"И в а н у 😀 ≈ ñ", L"zavolat ; ok ; cena 5 €  130 Kč; Łódź  ü"},
        {"at the limit", Radky(LIMIT_POZNAMKY, L'x'), nullptr, nullptr, Radky(LIMIT_POZNAMKY, L'x')},
        {"over the limit", Radky(LIMIT_POZNAMKY + 7, L'y'), L"nejvýše 1048576 znaků", nullptr,
         Radky(LIMIT_POZNAMKY, L'y')},
    };
    std::string naDisku = "stary";
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.popis);
        ::PostMessageW(seznam, WM_COMMAND, 40067, 0);
        HWND poznamka = CekatNaViditelne(kolvex, L"QPoznamkaText");
        ASSERT_NE(poznamka, nullptr);
        HWND edit = ::FindWindowExW(poznamka, nullptr, L"QEditPoznamka", nullptr);
        ASSERT_TRUE(CekatNaPopredi(poznamka));
        ASSERT_TRUE(DoSchranky(p.vlozeno));
        StisknoutKlavesy({VK_CONTROL, 'A'});
        StisknoutKlavesy({VK_CONTROL, 'V'});
        // a megabyte's layout takes the edit a while; the report comes once the paste has returned
        const size_t zobrazeno = std::min(p.vlozeno.size(), LIMIT_POZNAMKY);
        ASSERT_TRUE(CekatNa([&] { return static_cast<size_t>(PoslatSCasem(edit, WM_GETTEXTLENGTH)) == zobrazeno; },
                            60000))
            << "the edit holds " << PoslatSCasem(edit, WM_GETTEXTLENGTH);
        if (p.hlaseni) {
            const std::wstring zprava = OdpovedetNaZpravu(kolvex, IDOK);
            EXPECT_NE(zprava.find(p.hlaseni), std::wstring::npos) << Utf8(zprava);
        }
        ASSERT_TRUE(CekatNaPopredi(poznamka));
        StisknoutKlavesy({VK_ESCAPE});
        if (p.znaky) {
            // "Ne": nothing is written, the window stays with the whole text
            std::wstring otazka = OdpovedetNaZpravu(kolvex, IDNO);
            EXPECT_NE(otazka.find(p.znaky), std::wstring::npos) << Utf8(otazka);
            EXPECT_NE(otazka.find(L"Poznámku A "), std::wstring::npos) << Utf8(otazka);
            EXPECT_TRUE(::IsWindowVisible(poznamka));
            EXPECT_EQ(TextOkna(edit), p.vlozeno);
            EXPECT_EQ(Obsah(soubor), naDisku) << "written before the user answered";
            // "Ano": saved without them
            ASSERT_TRUE(CekatNaPopredi(poznamka));
            StisknoutKlavesy({VK_ESCAPE});
            otazka = OdpovedetNaZpravu(kolvex, IDYES);
            EXPECT_NE(otazka.find(p.znaky), std::wstring::npos) << Utf8(otazka);
        }
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(poznamka); }, 10000)) << "the note window did not close";
        naDisku = BajtyTextu(p.ulozeno, 1250);
        EXPECT_TRUE(CekatNa([&] { return Obsah(soubor) == naDisku; }, 5000))
            << Obsah(soubor).size() << " bytes on disk, " << naDisku.size() << " expected";
        EXPECT_EQ(kolvex.CekatNaZpravu(300), nullptr) << "an unexpected message";
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// Note A, third in the list sorted by time, is opened with Enter, edited and closed: it moves to
// the top and the selection goes with it, so Delete asks about A by name and deletes A's file.
// In the sound-notes list a rename re-sorts the list by name and Delete deletes the renamed note.
TEST_F(PoznamkyZvenku, OdstraneniPoPreserazeniSmazeVybranouPoznamku) {
    ZalozitSlozkuPoznamek();
    const std::wstring slozka = SlozkaPoznamek() + L"\\";
    const wchar_t* const nazvy[] = {L"A", L"B", L"C"};
    for (int i = 0; i < 3; ++i) {
        ZapsatSoubor(slozka + nazvy[i] + L".pozn", std::string(1, static_cast<char>('a' + i)));
        NastavitCasZapisu(slozka + nazvy[i] + L".pozn", i);  // C newest
        ZapsatSoubor(slozka + L"zvuk " + nazvy[i] + L".wav", "RIFF");
    }
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);

    ::PostMessageW(modul, WM_COMMAND, 40061, 0);
    HWND okno = CekatNaViditelne(kolvex, L"QPoznamkyTextove");
    ASSERT_NE(okno, nullptr);
    ::PostMessageW(okno, WM_COMMAND, 40182, 0);  // "Seřadit podle času změny"
    HWND seznam = ::FindWindowExW(okno, nullptr, L"ListBoxSeznam", nullptr);
    ASSERT_NE(seznam, nullptr);
    ASSERT_TRUE(CekatNaPopredi(okno));
    StisknoutKlavesy({VK_DOWN});
    StisknoutKlavesy({VK_DOWN});
    ASSERT_TRUE(CekatNa([&] { return PoslatSCasem(seznam, LB_GETCURSEL) == 2; }, 5000));
    StisknoutKlavesy({VK_RETURN});
    HWND poznamka = CekatNaViditelne(kolvex, L"QPoznamkaText");
    ASSERT_NE(poznamka, nullptr);
    HWND edit = ::FindWindowExW(poznamka, nullptr, L"QEditPoznamka", nullptr);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"a"; }, 5000)) << "the third note is not A";
    ASSERT_TRUE(CekatNaPopredi(poznamka));
    NapsatText(L"x");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == L"xa"; }, 5000));
    StisknoutKlavesy({VK_ESCAPE});
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(poznamka); }, 5000));
    EXPECT_EQ(Obsah(slozka + L"A.pozn"), "xa");
    ASSERT_TRUE(CekatNa([&] { return PoslatSCasem(seznam, LB_GETCURSEL) == 0; }, 5000))
        << "the selection stayed on row " << PoslatSCasem(seznam, LB_GETCURSEL) << " after A moved to the top";
    ASSERT_TRUE(CekatNaPopredi(okno));
    StisknoutKlavesy({VK_DELETE});
    const std::wstring otazka = OdpovedetNaZpravu(kolvex, IDYES);
    EXPECT_NE(otazka.find(L"\"A\""), std::wstring::npos) << Utf8(otazka);
    EXPECT_TRUE(CekatNa([&] { return !ExistujeSoubor(slozka + L"A.pozn"); }, 5000)) << "A was not deleted";
    EXPECT_EQ(Obsah(slozka + L"B.pozn"), "b");
    EXPECT_EQ(Obsah(slozka + L"C.pozn"), "c");

    ::PostMessageW(modul, WM_COMMAND, 40062, 0);
    HWND zvukove = CekatNaViditelne(kolvex, L"QPoznamkyZvukove");
    ASSERT_NE(zvukove, nullptr);
    ::PostMessageW(zvukove, WM_COMMAND, 40181, 0);  // "Seřadit podle názvu": zvuk A, zvuk B, zvuk C
    HWND seznamZvuku = ::FindWindowExW(zvukove, nullptr, L"ListBoxSeznam", nullptr);
    ASSERT_NE(seznamZvuku, nullptr);
    ASSERT_TRUE(CekatNaPopredi(zvukove));
    ASSERT_TRUE(CekatNa([&] { return PoslatSCasem(seznamZvuku, LB_GETCURSEL) == 0; }, 5000));
    StisknoutKlavesy({VK_F2});
    HWND dialog = CekatNaDialogVstupu(kolvex);
    ASSERT_NE(dialog, nullptr) << "no rename prompt";
    HWND vstup = ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(CekatNaPopredi(dialog));
    ::SendMessageW(vstup, EM_SETSEL, 0, -1);
    NapsatText(L"zvuk Z");
    ASSERT_TRUE(CekatNa([&] { return TextOkna(vstup) == L"zvuk Z"; }, 5000));
    StisknoutKlavesy({VK_RETURN});
    ASSERT_TRUE(CekatNa([&] { return ExistujeSoubor(slozka + L"zvuk Z.wav"); }, 5000));
    ASSERT_TRUE(CekatNa([&] { return PoslatSCasem(seznamZvuku, LB_GETCURSEL) == 2; }, 5000))
        << "the selection did not follow the renamed note to the end";
    ASSERT_TRUE(CekatNaPopredi(zvukove));
    StisknoutKlavesy({VK_DELETE});
    const std::wstring otazkaZvuku = OdpovedetNaZpravu(kolvex, IDYES);
    EXPECT_NE(otazkaZvuku.find(L"\"zvuk Z\""), std::wstring::npos) << Utf8(otazkaZvuku);
    EXPECT_TRUE(CekatNa([&] { return !ExistujeSoubor(slozka + L"zvuk Z.wav"); }, 5000));
    EXPECT_TRUE(ExistujeSoubor(slozka + L"zvuk B.wav"));
    EXPECT_TRUE(ExistujeSoubor(slozka + L"zvuk C.wav"));

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// Both list windows are at least as wide as their toolbar, whatever the DPI scales its buttons
// to: the last button ("Zavřít") lies inside the window's client area. (Run at 144 DPI too.)
class DpiSeznamyPoznamek : public PoznamkyZvenku {};

TEST_F(DpiSeznamyPoznamek, OknoUkazeCelyToolbar) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    struct {
        UINT prikaz;
        const wchar_t* trida;
        const wchar_t* snimek;
    } okna[] = {{40061, L"QPoznamkyTextove", L"poznamky_toolbar_textovych"},
                {40062, L"QPoznamkyZvukove", L"poznamky_toolbar_zvukovych"}};
    for (const auto& o : okna) {
        ::PostMessageW(modul, WM_COMMAND, o.prikaz, 0);
        HWND okno = CekatNaViditelne(kolvex, o.trida);
        ASSERT_NE(okno, nullptr);
        HWND rebar = ::FindWindowExW(okno, nullptr, L"ReBarWindow32", nullptr);
        HWND toolbar = rebar ? ::FindWindowExW(rebar, nullptr, L"ToolbarWindow32", nullptr) : nullptr;
        ASSERT_NE(toolbar, nullptr);
        const LRESULT pocet = PoslatSCasem(toolbar, TB_BUTTONCOUNT);
        ASSERT_GT(pocet, 0);
        // the button's rectangle comes back through memory of the program's own
        void* cizi = ::VirtualAllocEx(kolvex.Proces(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(cizi, nullptr);
        RECT tlacitko{};
        PoslatSCasem(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(pocet - 1), reinterpret_cast<LPARAM>(cizi));
        SIZE_T precteno = 0;
        ::ReadProcessMemory(kolvex.Proces(), cizi, &tlacitko, sizeof(tlacitko), &precteno);
        ::VirtualFreeEx(kolvex.Proces(), cizi, 0, MEM_RELEASE);
        ASSERT_EQ(precteno, sizeof(tlacitko));
        POINT vpravo{tlacitko.right, tlacitko.bottom};
        ::ClientToScreen(toolbar, &vpravo);
        RECT klient{};
        ::GetClientRect(okno, &klient);
        POINT okraj{klient.right, klient.bottom};
        ::ClientToScreen(okno, &okraj);
        EXPECT_LE(vpravo.x, okraj.x) << "the last toolbar button ends " << (vpravo.x - okraj.x)
                                     << " px outside the window";
        ::Sleep(300);  // let the toolbar paint
        Snimek snimek = UlozitSnimekOkna(okno, o.snimek);
        std::printf("Snímek seznamu s toolbarem: %ls\n", snimek.soubor.c_str());
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(PoznamkyZvenku, ZaznamZvukovePoznamkyZNabidkyUloziWaveSDaty) {
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    // "Záznam nové zvukové poznámky": the sound-notes window opens and starts the recording.
    ::PostMessageW(modul, WM_COMMAND, 40060, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(CekatNa(
        [&] {
            dialog = NajitOknoProcesu(kolvex.Pid(), L"#32770");
            return dialog && ::IsWindowVisible(dialog) && TextOkna(dialog).find(L"Záznam zvukové poznámky") == 0;
        },
        10000))
        << "no recording dialog";
    HWND trvani = ::GetDlgItem(dialog, 1068);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(trvani).find(L"Trvání záznamu: 1 sekundy") == 0; }, 5000))
        << "the duration did not count";
    ::Sleep(300);
    Snimek snimek = UlozitSnimekOkna(dialog, L"poznamky_zaznam");
    std::printf("Snímek záznamu: %ls\n", snimek.soubor.c_str());

    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND vstup = CekatNaDialogVstupu(kolvex);
    ASSERT_NE(vstup, nullptr) << "no name prompt after saving";
    HWND edit = ::FindWindowExW(vstup, nullptr, L"Edit", nullptr);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Porada"));
    ::PostMessageW(vstup, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    const std::wstring soubor = SlozkaPoznamek() + L"\\Porada.wav";
    ASSERT_TRUE(CekatNa([&] { return ExistujeSoubor(soubor); }, 5000));
    // the name appears before the program has let go of the file: wait for content that can be read
    std::vector<BYTE> bajty;
    CekatNa([&] { return (bajty = PrecistBajty(soubor)).size() > 44; }, 5000);
    ASSERT_GT(bajty.size(), 44u) << "only a WAVE header: nothing was recorded";
    EXPECT_EQ(std::string(bajty.begin(), bajty.begin() + 4), "RIFF");
    EXPECT_FALSE(ExistujeSoubor(SlozkaPoznamek() + L"\\temp.wav")) << "the recording goes through no note file";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

TEST_F(PoznamkyZvenku, HorkaKlavesaSeznamuOtevreAZavreSeznam) {
    // Ctrl+Alt+J for "Zobrazit/skrýt seznam textových poznámek" (40061) in the hot-key table.
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Brenvald\\Kolvex\\5.0\\Horke klavesy", 0, nullptr, 0,
                                KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const DWORD zaznam[4] = {MOD_CONTROL | MOD_ALT, 'J', 40061, 32};
    ::RegSetValueExW(h, L"40061", 0, REG_BINARY, reinterpret_cast<const BYTE*>(zaznam), sizeof(zaznam));
    ::RegCloseKey(h);

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(kolvex.CekatNaOkno(TRIDA_MODULU), nullptr);
    // The first key events on a new X display can be lost: a press that arrives opens the list.
    HWND seznam = nullptr;
    for (int pokus = 0; pokus < 3 && !seznam; ++pokus) {
        StisknoutKlavesy({VK_CONTROL, VK_MENU, 'J'});
        seznam = CekatNaViditelne(kolvex, L"QPoznamkyTextove", 3000);
    }
    ASSERT_NE(seznam, nullptr) << "the hot key did not open the list";
    // The same hot key closes it again.
    StisknoutKlavesy({VK_CONTROL, VK_MENU, 'J'});
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(seznam); }, 5000)) << "the hot key did not close the list";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

// The list's own toggle in the tray menu ("Zobrazit seznam") while that list runs its dialog (the
// recording dialog of the sound notes, the new-note prompt of the text notes): the list and the
// dialog stay, the dialog comes forward, and what it holds becomes the note; afterwards the same
// toggle closes the list.
struct PrepnutiBehemDialogu {
    const char* pripad;
    UINT ikona;                 // 2 text notes, 3 sound notes
    const wchar_t* tridaSeznamu;
    const wchar_t* nazev;       // typed into the name prompt
    const wchar_t* pripona;
};

void PrintTo(const PrepnutiBehemDialogu& p, std::ostream* vystup) { *vystup << p.pripad; }

class PrepnutiSeznamuBehemDialogu : public PoznamkyZvenku,
                                    public ::testing::WithParamInterface<PrepnutiBehemDialogu> {};

TEST_P(PrepnutiSeznamuBehemDialogu, SeznamADialogZustanouAPoznamkaSeUlozi) {
    const PrepnutiBehemDialogu& p = GetParam();
    const bool zvukove = p.ikona == 3;
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);

    // The first item: a new note (the list opens and runs its dialog).
    ASSERT_TRUE(VybratZNabidkyIkony(modul, p.ikona, 1));
    HWND dialog = zvukove ? CekatNaDialogZaznamu(kolvex) : CekatNaDialogVstupu(kolvex);
    ASSERT_NE(dialog, nullptr) << "no dialog of the list";
    HWND seznam = CekatNaViditelne(kolvex, p.tridaSeznamu);
    ASSERT_NE(seznam, nullptr);
    if (zvukove) {
        HWND trvani = ::GetDlgItem(dialog, 1068);
        ASSERT_TRUE(CekatNa([&] { return TextOkna(trvani).find(L"Trvání záznamu: 1 sekundy") == 0; }, 5000));
    }

    // The second item: the list's toggle, while the dialog's loop runs. The menus that wait for
    // the module take the foreground; a second toggle then brings the dialog forward.
    ASSERT_TRUE(VybratZNabidkyIkony(modul, p.ikona, 2));
    ASSERT_TRUE(PockatNaModul(modul, p.ikona));
    ASSERT_TRUE(::IsWindow(dialog)) << "the dialog was pulled away with its list";
    ASSERT_TRUE(::IsWindow(seznam)) << "the list closed under its running dialog";
    EXPECT_TRUE(::IsWindowVisible(dialog));
    ASSERT_NE(::GetForegroundWindow(), dialog);
    ASSERT_TRUE(VybratZNabidkyIkony(modul, p.ikona, 2));
    EXPECT_TRUE(CekatNaPopredi(dialog)) << "the dialog was not brought forward";
    ASSERT_TRUE(::IsWindow(seznam));

    HWND vstup = dialog;
    if (zvukove) {
        StisknoutTlacitko(dialog, IDOK);  // "Uložit"
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }, 5000));
        vstup = CekatNaDialogVstupu(kolvex);
        ASSERT_NE(vstup, nullptr) << "no name prompt after saving";
    }
    ASSERT_TRUE(CekatNaPopredi(vstup));
    HWND edit = ::FindWindowExW(vstup, nullptr, L"Edit", nullptr);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    NapsatText(p.nazev);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == p.nazev; }, 5000));
    StisknoutKlavesy({VK_RETURN});
    const std::wstring soubor = SlozkaPoznamek() + L"\\" + p.nazev + p.pripona;
    ASSERT_TRUE(CekatNa([&] { return ExistujeSoubor(soubor); }, 5000)) << "the note was not made";
    if (zvukove) {
        std::vector<BYTE> bajty = PrecistBajty(soubor);
        EXPECT_GT(bajty.size(), 44u) << "the recording was dropped";
    }
    EXPECT_TRUE(::IsWindow(seznam));

    // With no dialog open the toggle closes the list.
    ASSERT_TRUE(VybratZNabidkyIkony(modul, p.ikona, 2));
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(seznam); }, 5000)) << "the toggle did not close the list";

    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Poznamky, PrepnutiSeznamuBehemDialogu,
                         ::testing::Values(PrepnutiBehemDialogu{"zvukove", 3, L"QPoznamkyZvukove", L"Porada", L".wav"},
                                           PrepnutiBehemDialogu{"textove", 2, L"QPoznamkyTextove", L"Úkoly", L".pozn"}),
                         [](const ::testing::TestParamInfo<PrepnutiBehemDialogu>& info) {
                             return std::string(info.param.pripad);
                         });

// A saved recording that gets no name is kept in the notes folder, beside an earlier one, and the
// user is told where; ending the program while it records keeps it too, and the next start tells.
struct NepojmenovanyZaznam {
    const char* pripad;
    bool predchozi;             // a "temp.wav" of an earlier recording lies in the folder
    bool konecProgramu;         // the program ends while recording (else "Storno" at the prompt)
    const wchar_t* ocekavany;   // the file that holds the recording
};

void PrintTo(const NepojmenovanyZaznam& p, std::ostream* vystup) { *vystup << p.pripad; }

class ZaznamBezNazvu : public PoznamkyZvenku, public ::testing::WithParamInterface<NepojmenovanyZaznam> {};

TEST_P(ZaznamBezNazvu, ZaznamZustaneVeSlozceAZpravaRekneKde) {
    const NepojmenovanyZaznam& p = GetParam();
    const std::string predchozi = "RIFF earlier recording";
    if (p.predchozi) {
        ZalozitSlozkuPoznamek();
        ZapsatSoubor(SlozkaPoznamek() + L"\\temp.wav", predchozi);
    }
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    HWND modul = kolvex.CekatNaOkno(TRIDA_MODULU);
    ASSERT_NE(modul, nullptr);
    ASSERT_TRUE(VybratZNabidkyIkony(modul, 3, 1));
    HWND dialog = CekatNaDialogZaznamu(kolvex);
    ASSERT_NE(dialog, nullptr);
    HWND trvani = ::GetDlgItem(dialog, 1068);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(trvani).find(L"Trvání záznamu: 1 sekundy") == 0; }, 5000));
    const std::wstring soubor = SlozkaPoznamek() + L"\\" + p.ocekavany;

    if (p.konecProgramu) {
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
        // The next start says where the recording is, once.
        for (int start = 0; start < 2; ++start) {
            Program dalsi;
            HWND dalsiHlavni = dalsi.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
            HWND dalsiModul = dalsi.CekatNaOkno(TRIDA_MODULU);
            ASSERT_NE(dalsiModul, nullptr);
            if (start == 0) {
                HWND zprava = dalsi.CekatNaZpravu();
                ASSERT_NE(zprava, nullptr) << "no word on the recording kept at the end";
                const std::wstring text = TextZpravy(zprava);
                EXPECT_NE(text.find(L"probíhal záznam zvukové poznámky"), std::wstring::npos)
                    << std::string(text.begin(), text.end());
                EXPECT_NE(text.find(soubor), std::wstring::npos) << "the message does not name the file";
                ::PostMessageW(zprava, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                ASSERT_TRUE(CekatNa([&] { return !::IsWindow(zprava); }, 5000));
            } else {
                // the notice is posted before the module's loop runs: handled before the menu
                ASSERT_TRUE(PockatNaModul(dalsiModul, 3));
                EXPECT_EQ(NajitOknoProcesu(dalsi.Pid(), L"#32770"), nullptr) << "told twice";
            }
            ::PostMessageW(dalsiHlavni, WM_COMMAND, 40001, 0);
            EXPECT_EQ(dalsi.CekatNaKonec(), 0u);
        }
    } else {
        ASSERT_TRUE(CekatNaPopredi(dialog));
        StisknoutTlacitko(dialog, IDOK);
        HWND vstup = CekatNaDialogVstupu(kolvex);
        ASSERT_NE(vstup, nullptr) << "no name prompt after saving";
        ASSERT_TRUE(CekatNaPopredi(vstup));
        StisknoutTlacitko(vstup, IDCANCEL);  // "Storno"
        HWND zprava = kolvex.CekatNaZpravu();
        ASSERT_NE(zprava, nullptr) << "no word on where the recording is";
        const std::wstring text = TextZpravy(zprava);
        EXPECT_NE(text.find(L"nebyla pojmenována"), std::wstring::npos) << std::string(text.begin(), text.end());
        EXPECT_NE(text.find(soubor), std::wstring::npos) << "the message does not name the file";
        ::PostMessageW(zprava, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        // The list shows the kept recording as a note.
        HWND seznam = CekatNaViditelne(kolvex, L"QPoznamkyZvukove");
        ASSERT_NE(seznam, nullptr);
        HWND seznamBox = ::FindWindowExW(seznam, nullptr, L"ListBoxSeznam", nullptr);
        EXPECT_TRUE(CekatNa([&] { return ::SendMessageW(seznamBox, LB_GETCOUNT, 0, 0) == (p.predchozi ? 2 : 1); }, 5000));
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }
    std::vector<BYTE> bajty = PrecistBajty(soubor);
    ASSERT_GT(bajty.size(), 44u) << "the recording was dropped";
    EXPECT_EQ(std::string(bajty.begin(), bajty.begin() + 4), "RIFF");
    if (p.predchozi) {
        std::vector<BYTE> stary = PrecistBajty(SlozkaPoznamek() + L"\\temp.wav");
        EXPECT_EQ(std::string(stary.begin(), stary.end()), predchozi) << "the earlier recording was replaced";
    }
}

INSTANTIATE_TEST_SUITE_P(Poznamky, ZaznamBezNazvu,
                         ::testing::Values(NepojmenovanyZaznam{"storno", false, false, L"temp.wav"},
                                           NepojmenovanyZaznam{"storno_vedle_predchoziho", true, false, L"temp 2.wav"},
                                           NepojmenovanyZaznam{"konec_programu", false, true, L"temp.wav"}),
                         [](const ::testing::TestParamInfo<NepojmenovanyZaznam>& info) {
                             return std::string(info.param.pripad);
                         });
