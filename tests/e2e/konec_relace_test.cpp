// How Kolvex ends, seen from outside: a log-off as Windows does it (WM_QUERYENDSESSION and
// WM_ENDSESSION sent to every top-level window of the process, then the process ended) keeps what
// the tools hold and shows no box; "Konec" while a tool's dialog or question is open cancels that
// dialog, the tool closes as usual (and saves), and no stop report appears.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const wchar_t* const KLIC = L"Software\\Brenvald\\Kolvex\\5.0";
const wchar_t* const TRIDA_HLAVNIHO_OKNA = L"QKolvexHlavniOkno";

std::string Utf8(const std::wstring& text) {
    const int delka = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                            nullptr);
    std::string vysledek(static_cast<size_t>(delka), '\0');
    if (delka > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &vysledek[0], delka, nullptr,
                              nullptr);
    return vysledek;
}

std::wstring SlozkaDat() { return SlozkaDokumentu() + L"\\Kolvex 5"; }
std::wstring SlozkaPoznamek() { return SlozkaDat() + (CeskeProstredi() ? L"\\Poznámky" : L"\\Poznamky"); }

void ZapsatHodnotu(const wchar_t* sekce, const wchar_t* nazev, DWORD typ, const void* data, DWORD velikost) {
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KLIC) + L"\\" + sekce).c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, nazev, 0, typ, static_cast<const BYTE*>(data), velikost);
    ::RegCloseKey(klic);
}
void ZapsatText(const wchar_t* sekce, const wchar_t* nazev, const std::wstring& text) {
    ZapsatHodnotu(sekce, nazev, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
void ZapsatDword(const wchar_t* sekce, const wchar_t* nazev, DWORD hodnota) {
    ZapsatHodnotu(sekce, nazev, REG_DWORD, &hodnota, sizeof(hodnota));
}

void ZapsatSoubor(const std::wstring& cesta, const void* data, size_t velikost) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, data, static_cast<DWORD>(velikost), &zapsano, nullptr);
    ::CloseHandle(h);
}

std::wstring TextSouboru(const std::wstring& cesta) {
    const std::vector<BYTE> b = PrecistBajty(cesta);
    return std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / sizeof(wchar_t));
}
bool ObsahujeUtf16(const std::wstring& cesta, const std::wstring& text) {
    return TextSouboru(cesta).find(text) != std::wstring::npos;
}


// The editor's text-list file (SchrankaVkladaneTexty.tdsdat) of named texts.
std::vector<BYTE> SouborTextu(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> zaznamy) {
    std::vector<BYTE> b = {0x03, 0x2A, 0xCD, 0x62};
    auto pridat = [&](const std::wstring& text) {
        for (wchar_t z : text) {
            b.push_back(static_cast<BYTE>(z & 0xFF));
            b.push_back(static_cast<BYTE>(z >> 8));
        }
        b.insert(b.end(), 2, 0);
    };
    for (const auto& z : zaznamy) {
        pridat(z.first);
        pridat(z.second);
        b.insert(b.end(), 8, 0);
    }
    return b;
}
const wchar_t* const ADRESA = L"Ulice 1\r\n110 00 Praha";
std::vector<BYTE> VychoziTexty(const wchar_t* adresa = ADRESA) {
    return SouborTextu({{L"Zeta", L"poslední"}, {L"Adresa", adresa}, {L"Podpis", L"S pozdravem\r\nJan"}});
}

HWND CekatNaViditelne(const Program& program, const wchar_t* trida, DWORD ms = 10000) {
    HWND okno = nullptr;
    CekatNa([&] { return (okno = NajitOknoProcesu(program.Pid(), trida)) && ::IsWindowVisible(okno); }, ms);
    return okno && ::IsWindowVisible(okno) ? okno : nullptr;
}

// The process's visible dialogs (#32770) that have the control (0: any).
struct HledaniDialogu {
    DWORD pid;
    int prvek;
    std::vector<HWND> nalezene;
};
BOOL CALLBACK ZkusitDialog(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniDialogu*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t trida[32] = L"";
    ::GetClassNameW(okno, trida, 32);
    if (pid == h->pid && wcscmp(trida, L"#32770") == 0 && ::IsWindowVisible(okno) &&
        (h->prvek == 0 || ::GetDlgItem(okno, h->prvek)))
        h->nalezene.push_back(okno);
    return TRUE;
}
std::vector<HWND> Dialogy(DWORD pid, int prvek = 0) {
    HledaniDialogu h{pid, prvek, {}};
    ::EnumWindows(ZkusitDialog, reinterpret_cast<LPARAM>(&h));
    return h.nalezene;
}
HWND CekatNaDialog(const Program& program, int prvek) {
    HWND dialog = nullptr;
    CekatNa([&] {
        std::vector<HWND> d = Dialogy(program.Pid(), prvek);
        dialog = d.empty() ? nullptr : d.front();
        return dialog != nullptr || !program.Bezi();
    });
    return dialog;
}

// Texts of the message boxes the process shows now, for a failure message.
std::string Zpravy(DWORD pid) {
    std::string vysledek;
    for (HWND box : Dialogy(pid, 0xFFFF)) vysledek += Utf8(TextZpravy(box)) + " | ";
    return vysledek;
}

// Windows's log-off: both session messages to every top-level window of the process, each waited
// for (as Windows waits, with a bound), then the process is ended. True when every window answered
// the query with TRUE and every WM_ENDSESSION returned in time.
bool OdhlasitJakoWindows(Program& kolvex, std::string& hlaseni) {
    bool ok = OznamitKonecRelace(kolvex.Pid(), true, hlaseni);
    const std::string boxy = Zpravy(kolvex.Pid());
    if (!boxy.empty()) {
        hlaseni += "a box is shown: " + boxy;
        ok = false;
    }
    ::TerminateProcess(kolvex.Proces(), 0);
    kolvex.CekatNaKonec();
    return ok;
}

class KonecRelace : public ::testing::Test {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

// A working day ended by a log-off: three texts added to the operative clipboard, a note open with
// new text, the text editor with a line typed, a contact edited (and another's edit dialog left
// open). Everything is on disk after the session messages, and no box appeared.
TEST_F(KonecRelace, OdhlaseniUloziCoNastrojeDrziABezBoxu) {
    DocasnaSlozka slozka;
    const std::wstring kontakty = slozka.Cesta() + L"\\Kontakty.qxml";
    const std::wstring obsah = KontaktQxml(L"Alfa", L"alfa@example.cz") + KontaktQxml(L"Beta", L"beta@example.cz");
    ZapsatSoubor(kontakty, obsah.data(), obsah.size() * sizeof(wchar_t));
    ZapsatText(L"Kontakty", L"soubor", kontakty);
    ZapsatDword(L"Kontakty", L"minimalizovat", 0);
    ::CreateDirectoryW(SlozkaDat().c_str(), nullptr);
    ::CreateDirectoryW(SlozkaPoznamek().c_str(), nullptr);
    const std::wstring poznamka = SlozkaPoznamek() + L"\\A.pozn";
    ZapsatSoubor(poznamka, "ranni", 5);
    const std::wstring texty = SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat";
    const std::vector<BYTE> puvodniTexty = VychoziTexty();
    ZapsatSoubor(texty, puvodniTexty.data(), puvodniTexty.size());

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexOknoSchranka"), nullptr);
    HWND modulPoznamek = kolvex.CekatNaOkno(L"QPoznamky");
    ASSERT_NE(modulPoznamek, nullptr);

    // three texts into the operative clipboard (its window shows them arrive)
    ::PostMessageW(hlavni, WM_COMMAND, 40041, 0);
    HWND operativni = CekatNaViditelne(kolvex, L"QOperativniSchrankaTxt");
    ASSERT_NE(operativni, nullptr);
    HWND seznamOperativni = ::FindWindowExW(operativni, nullptr, L"ListBox", nullptr);
    ASSERT_NE(seznamOperativni, nullptr);
    const wchar_t* const zkopirovane[] = {L"první text", L"druhý text", L"třetí text"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(DoSchranky(zkopirovane[i]));
        ::PostMessageW(hlavni, WM_COMMAND, 40042, 0);
        ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznamOperativni, LB_GETCOUNT, 0, 0) == i + 1; }));
    }

    // a note with new text
    ::PostMessageW(modulPoznamek, WM_COMMAND, 40061, 0);
    HWND seznamPoznamek = CekatNaViditelne(kolvex, L"QPoznamkyTextove");
    ASSERT_NE(seznamPoznamek, nullptr);
    ::PostMessageW(seznamPoznamek, WM_COMMAND, 40067, 0);
    HWND oknoPoznamky = CekatNaViditelne(kolvex, L"QPoznamkaText");
    ASSERT_NE(oknoPoznamky, nullptr);
    HWND editPoznamky = ::FindWindowExW(oknoPoznamky, nullptr, L"QEditPoznamka", nullptr);
    ASSERT_TRUE(CekatNa([&] { return TextOkna(editPoznamky) == L"ranni"; }));
    ::SendMessageW(editPoznamky, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"odpoledni"));

    // the editor with a line added to its current text ("Adresa", first in sorted order)
    ::PostMessageW(hlavni, WM_COMMAND, 40025, 0);
    HWND editor = CekatNaViditelne(kolvex, L"QSchrankaEditorTextu");
    ASSERT_NE(editor, nullptr);
    HWND editTextu = nullptr;
    ASSERT_TRUE(CekatNa([&] { return (editTextu = Potomek(editor, L"Edit")) && TextOkna(editTextu) == ADRESA; }));
    ::SendMessageW(editTextu, EM_SETSEL, 1000, 1000);
    ::SendMessageW(editTextu, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\nCZ"));
    ASSERT_TRUE(CekatNa([&] { return TextOkna(editTextu) == std::wstring(ADRESA) + L"\r\nCZ"; }));

    // a contact edited and confirmed, and the next one's edit dialog left open
    ::PostMessageW(hlavni, WM_COMMAND, 40179, 0);
    HWND oknoKontaktu = CekatNaViditelne(kolvex, L"QKolvexKontakty");
    ASSERT_NE(oknoKontaktu, nullptr);
    HWND seznamKontaktu = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznamKontaktu = ::FindWindowExW(oknoKontaktu, nullptr, L"ListBox", nullptr);
        return seznamKontaktu && ::SendMessageW(seznamKontaktu, LB_GETCOUNT, 0, 0) == 2;
    }));
    for (const wchar_t* email : {L"alfa.nova@example.cz", L"beta.rozepsana@example.cz"}) {
        ::SendMessageW(seznamKontaktu, LB_SETCURSEL, email[0] == L'a' ? 0 : 1, 0);
        ::PostMessageW(oknoKontaktu, WM_COMMAND, 40177, 0);
        HWND dialog = CekatNaDialog(kolvex, 1195);
        ASSERT_NE(dialog, nullptr) << "no edit dialog";
        HWND pole = ::GetDlgItem(::FindWindowExW(dialog, nullptr, L"#32770", nullptr), 1204);
        ASSERT_NE(pole, nullptr);
        ::SetWindowTextW(pole, email);
        if (email[0] == L'a') {
            ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            ASSERT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));
        }
    }

    std::string hlaseni;
    EXPECT_TRUE(OdhlasitJakoWindows(kolvex, hlaseni)) << hlaseni;

    std::vector<BYTE> ocekavane;
    for (const wchar_t* text : {zkopirovane[2], zkopirovane[1], zkopirovane[0]}) {
        for (const wchar_t* z = text; *z; ++z) {
            ocekavane.push_back(static_cast<BYTE>(*z & 0xFF));
            ocekavane.push_back(static_cast<BYTE>(*z >> 8));
        }
        ocekavane.insert(ocekavane.end(), 2, 0);
    }
    std::vector<BYTE> operativniSoubor = PrecistBajty(SlozkaDat() + L"\\Operativni schranka.otdat");
    EXPECT_EQ(operativniSoubor.size() > 4 ? std::vector<BYTE>(operativniSoubor.begin() + 4, operativniSoubor.end())
                                          : std::vector<BYTE>{},
              ocekavane)
        << "the operative clipboard was not saved";
    const std::vector<BYTE> pozn = PrecistBajty(poznamka);
    EXPECT_EQ(std::string(pozn.begin(), pozn.end()), "odpoledni") << "the open note was not saved";
    EXPECT_EQ(PrecistBajty(texty), VychoziTexty(L"Ulice 1\r\n110 00 Praha\r\nCZ")) << "the editor's text was not saved";
    EXPECT_TRUE(ObsahujeUtf16(kontakty, L"<email>alfa.nova@example.cz</email>")) << Utf8(TextSouboru(kontakty));
    EXPECT_TRUE(ObsahujeUtf16(kontakty, L"<email>beta@example.cz</email>")) << "the open edit is cancelled";
}

// A save that fails while the session ends (the contacts folder is gone): its error would be a box;
// the stop goes on without one and ends in time.
TEST_F(KonecRelace, ChybaUlozeniPriOdhlaseniNeukazeBox) {
    DocasnaSlozka slozka;
    ZapsatText(L"Kontakty", L"soubor", slozka.Cesta() + L"\\zmizela\\Kontakty.qxml");
    ZapsatDword(L"Kontakty", L"minimalizovat", 0);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    ::PostMessageW(hlavni, WM_COMMAND, 40179, 0);
    ASSERT_NE(CekatNaViditelne(kolvex, L"QKolvexKontakty"), nullptr);
    std::string hlaseni;
    EXPECT_TRUE(OdhlasitJakoWindows(kolvex, hlaseni)) << hlaseni;
}

namespace {

// A tool whose dialog or question is open when "Konec" comes.
struct DialogPriKonci {
    const char* nazev;
    UINT prikazNastroje;  // opens the tool's window (main window's command)
    const wchar_t* trida;
    UINT prikazDialogu;  // the tool window's command that opens the dialog or question
    int prvekDialogu;    // a control the dialog has (0xFFFF: a message box)
    enum Nastroj { Kontakty, Registrace, Editor } nastroj;
};

void PrintTo(const DialogPriKonci& p, std::ostream* os) { *os << p.nazev; }

class KonecSDialogem : public ::testing::TestWithParam<DialogPriKonci> {
protected:
    void SetUp() override { VycistitStavKolvexu(); }
    void TearDown() override { VycistitStavKolvexu(); }
};

}  // namespace

// The tool's record "Alfa" is changed and confirmed (the file has it at once), the editor's current
// text gets a typed line; then the dialog or question opens over "Beta" (or the editor), and "Konec"
// comes: the dialog is cancelled (nothing of it is applied), the tool closes and saves, no stop
// report shows, and Kolvex ends with 0 well within the module time-out.
TEST_P(KonecSDialogem, DialogSeZrusiANastrojUlozi) {
    const DialogPriKonci& p = GetParam();
    DocasnaSlozka slozka;
    std::wstring soubor;
    const wchar_t* sekce = p.nastroj == DialogPriKonci::Kontakty ? L"Kontakty" : L"Seznam registraci";
    if (p.nastroj == DialogPriKonci::Editor) {
        ::CreateDirectoryW(SlozkaDat().c_str(), nullptr);
        soubor = SlozkaDat() + L"\\SchrankaVkladaneTexty.tdsdat";
        const std::vector<BYTE> b = VychoziTexty();
        ZapsatSoubor(soubor, b.data(), b.size());
    } else {
        soubor = slozka.Cesta() + (p.nastroj == DialogPriKonci::Kontakty ? L"\\Kontakty.qxml" : L"\\Registrace.qxml");
        const std::wstring obsah = p.nastroj == DialogPriKonci::Kontakty
                                       ? KontaktQxml(L"Alfa", L"alfa@example.cz") + KontaktQxml(L"Beta", L"beta@example.cz")
                                       : RegistraceQxml(L"Alfa", L"alfa") + RegistraceQxml(L"Beta", L"beta");
        ZapsatSoubor(soubor, obsah.data(), obsah.size() * sizeof(wchar_t));
        ZapsatText(sekce, L"soubor", soubor);
        ZapsatDword(sekce, L"minimalizovat", 0);
    }

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(TRIDA_HLAVNIHO_OKNA);
    ASSERT_NE(hlavni, nullptr);
    if (p.nastroj == DialogPriKonci::Editor) {
        ASSERT_NE(kolvex.CekatNaOkno(L"QKolvexOknoSchranka"), nullptr);
    }
    ::PostMessageW(hlavni, WM_COMMAND, p.prikazNastroje, 0);
    HWND okno = CekatNaViditelne(kolvex, p.trida);
    ASSERT_NE(okno, nullptr);

    if (p.nastroj == DialogPriKonci::Editor) {
        HWND edit = nullptr;
        ASSERT_TRUE(CekatNa([&] { return (edit = Potomek(okno, L"Edit")) && TextOkna(edit) == ADRESA; }));
        ::SendMessageW(edit, EM_SETSEL, 1000, 1000);
        ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\nCZ"));
        ASSERT_TRUE(CekatNa([&] { return TextOkna(edit) == std::wstring(ADRESA) + L"\r\nCZ"; }));
    } else {
        HWND seznam = nullptr;
        ASSERT_TRUE(CekatNa([&] {
            seznam = ::FindWindowExW(okno, nullptr, L"ListBox", nullptr);
            return seznam && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2;
        }));
        // "Alfa" edited and confirmed
        ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
        const bool kontakty = p.nastroj == DialogPriKonci::Kontakty;
        ::PostMessageW(okno, WM_COMMAND, kontakty ? 40177 : 40160, 0);
        HWND dialog = CekatNaDialog(kolvex, kontakty ? 1195 : 1179);
        ASSERT_NE(dialog, nullptr);
        HWND rodic = kontakty ? ::FindWindowExW(dialog, nullptr, L"#32770", nullptr) : dialog;
        ::SetWindowTextW(::GetDlgItem(rodic, kontakty ? 1204 : 1178), L"alfa.nova@example.cz");
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));
        const std::wstring znacka = kontakty ? L"<email>" : L"<prihlasovaciJmeno>";
        EXPECT_TRUE(CekatNa([&] { return ObsahujeUtf16(soubor, znacka + L"alfa.nova@example.cz<"); }))
            << "the confirmed edit is not in the file";
        ::SendMessageW(seznam, LB_SETCURSEL, 1, 0);  // "Beta"
    }

    ::PostMessageW(okno, WM_COMMAND, p.prikazDialogu, 0);
    HWND dialog = CekatNaDialog(kolvex, p.prvekDialogu);
    ASSERT_NE(dialog, nullptr) << "the dialog did not open";
    if (p.prvekDialogu == 1195 || p.prvekDialogu == 1179) {
        HWND rodic = p.prvekDialogu == 1195 ? ::FindWindowExW(dialog, nullptr, L"#32770", nullptr) : dialog;
        ::SetWindowTextW(::GetDlgItem(rodic, p.prvekDialogu == 1195 ? 1204 : 1178), L"beta.rozepsana@example.cz");
    } else if (p.prvekDialogu != 0xFFFF) {
        ::SetWindowTextW(::FindWindowExW(dialog, nullptr, L"Edit", nullptr), L"Nový");
    }

    const DWORD zacatek = ::GetTickCount();
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec"
    const DWORD kod = kolvex.CekatNaKonec(15000);
    const DWORD trvani = ::GetTickCount() - zacatek;
    EXPECT_EQ(kod, 0u) << "Kolvex did not end; boxes: " << Zpravy(kolvex.Pid());
    EXPECT_LT(trvani, 4000u) << "the stop waited for the dialog";

    if (p.nastroj == DialogPriKonci::Editor) {
        EXPECT_EQ(PrecistBajty(soubor), VychoziTexty(L"Ulice 1\r\n110 00 Praha\r\nCZ"))
            << "the typed text was not saved, or the cancelled dialog acted";
    } else {
        const std::wstring znacka = p.nastroj == DialogPriKonci::Kontakty ? L"<email>" : L"<prihlasovaciJmeno>";
        EXPECT_TRUE(ObsahujeUtf16(soubor, znacka + L"alfa.nova@example.cz<")) << Utf8(TextSouboru(soubor));
        EXPECT_TRUE(ObsahujeUtf16(soubor, L"<nazev>Beta</nazev>")) << "the question was answered yes";
        EXPECT_FALSE(ObsahujeUtf16(soubor, L"beta.rozepsana")) << "the open dialog's edit was applied";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Konec, KonecSDialogem,
    ::testing::Values(
        DialogPriKonci{"KontaktyUprava", 40179, L"QKolvexKontakty", 40177, 1195, DialogPriKonci::Kontakty},
        DialogPriKonci{"KontaktyOdebrani", 40179, L"QKolvexKontakty", 40178, 0xFFFF, DialogPriKonci::Kontakty},
        DialogPriKonci{"RegistraceUprava", 40165, L"QKolvexSeznamRegistraci", 40160, 1179, DialogPriKonci::Registrace},
        DialogPriKonci{"RegistraceOdebrani", 40165, L"QKolvexSeznamRegistraci", 40161, 0xFFFF,
                       DialogPriKonci::Registrace},
        DialogPriKonci{"EditorPridat", 40025, L"QSchrankaEditorTextu", 40036, IDOK, DialogPriKonci::Editor},
        DialogPriKonci{"EditorOdebrani", 40025, L"QSchrankaEditorTextu", 40037, 0xFFFF, DialogPriKonci::Editor}),
    [](const ::testing::TestParamInfo<DialogPriKonci>& info) { return std::string(info.param.nazev); });
