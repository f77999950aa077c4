// The registrations, contacts, host and LAN tools from outside: a damaged registrations file is
// reported while Kolvex runs on, and adding an entry keeps the damaged bytes as a copy; the tool
// windows open from the main window's commands, and "&Zavřít" closes the contacts window; an edit
// dialog owns its list window, nothing acts under it, and the edit reaches its own record.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"
#include "podpora/snimek.h"

using namespace testy;

namespace {

const wchar_t KLIC[] = L"Software\\Brenvald\\Kolvex\\5.0";

void ZapsatHodnotu(const wchar_t* sekce, const wchar_t* nazev, const std::wstring& text) {
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KLIC) + L"\\" + sekce).c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(klic);
}

void ZapsatDword(const wchar_t* sekce, const wchar_t* nazev, DWORD hodnota) {
    HKEY klic = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (std::wstring(KLIC) + L"\\" + sekce).c_str(), 0, nullptr, 0,
                                KEY_WRITE, nullptr, &klic, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hodnota), sizeof(hodnota));
    ::RegCloseKey(klic);
}

struct HledaniDialogu {
    DWORD pid;
    int prvek;
    HWND nalezeno;
};

BOOL CALLBACK ZkusitDialog(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniDialogu*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t trida[32] = L"";
    ::GetClassNameW(okno, trida, 32);
    if (pid == h->pid && wcscmp(trida, L"#32770") == 0 && ::IsWindowVisible(okno) && ::GetDlgItem(okno, h->prvek)) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of the process that has the control.
HWND CekatNaDialog(const Program& program, int prvek, DWORD ms = 10000) {
    HledaniDialogu h{program.Pid(), prvek, nullptr};
    CekatNa([&] {
        h.nalezeno = nullptr;
        ::EnumWindows(ZkusitDialog, reinterpret_cast<LPARAM>(&h));
        return h.nalezeno != nullptr || !program.Bezi();
    }, ms);
    return h.nalezeno;
}

void Vyfotit(HWND okno, const wchar_t* jmeno) {
    testy::PrekreslitOkno(okno);
    CekatNa([&] { return UlozitSnimekOkna(okno, jmeno).tmavychBodu > 20; }, 3000);
    // controls low in the z-order may paint a moment later: take the picture once more
    CekatNa([] { return false; }, 300);
    UlozitSnimekOkna(okno, jmeno);
}

void Kliknout(HWND dialog, int id) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::wstring Text(const std::vector<BYTE>& b) {
    return std::wstring(reinterpret_cast<const wchar_t*>(b.data()), b.size() / sizeof(wchar_t));
}

}  // namespace

TEST(ZaznamyZvenku, PoskozenySouborRegistraciSeOhlasiAZustane) {
    VycistitStavKolvexu();
    DocasnaSlozka slozka;
    const std::wstring cesta = slozka.Cesta() + L"\\Registrace.qxml";
    const std::wstring poskozeny =
        L"<registrace>\r\n <heslo>tajne</heslo>\r\n <nazev>Banka</nazev>\r\n <prihlasovaciJmeno>jan</prihlasovaciJmeno>\r\n"
        L" <url>http://banka.example</url>\r\n</registrace>\r\n";
    {
        HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD zapsano = 0;
        ::WriteFile(h, poskozeny.data(), static_cast<DWORD>(poskozeny.size() * sizeof(wchar_t)), &zapsano, nullptr);
        ::CloseHandle(h);
    }
    const std::vector<BYTE> puvodni = PrecistBajty(cesta);
    ZapsatHodnotu(L"Seznam registraci", L"soubor", cesta);
    ZapsatDword(L"Seznam registraci", L"minimalizovat", 0);

    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    ::PostMessageW(hlavni, WM_COMMAND, 40165, 0);  // "Registrace a hesla"
    HWND box = kolvex.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "the damaged file was not reported";
    const std::wstring zprava = TextZpravy(box);
    EXPECT_NE(zprava.find(L"Došlo k chybě při načítání seznamu registrací ze souboru " + cesta), std::wstring::npos)
        << zprava.c_str();
    Vyfotit(box, L"registrace_poskozeny_soubor");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);

    HWND okno = kolvex.CekatNaOkno(L"QKolvexSeznamRegistraci");
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(okno) != 0; }));
    EXPECT_TRUE(kolvex.Bezi());
    EXPECT_EQ(PrecistBajty(cesta), puvodni);

    // add an entry: the name question, then the edit dialog
    ::PostMessageW(okno, WM_COMMAND, 40159, 0);
    HWND dotaz = CekatNaDialog(kolvex, 1045);
    ASSERT_NE(dotaz, nullptr) << "no name question";
    ::SetDlgItemTextW(dotaz, 1045, L"Pošta");
    Kliknout(dotaz, IDOK);
    HWND dialog = CekatNaDialog(kolvex, 1179);
    ASSERT_NE(dialog, nullptr) << "no edit dialog";
    ::SetDlgItemTextW(dialog, 1178, L"jana.novakova");
    ::SetDlgItemTextW(dialog, 1179, L"heslo123");
    ::SetDlgItemTextW(dialog, 1171, L"https://posta.example.cz");
    ::SetDlgItemTextW(dialog, 1172, L"Poznámka k účtu");
    Vyfotit(dialog, L"registrace_dialog");
    Kliknout(dialog, IDOK);

    ASSERT_TRUE(CekatNa([&] { return Text(PrecistBajty(cesta)).find(L"<nazev>Pošta</nazev>") != std::wstring::npos; }))
        << "the new entry was not saved";
    EXPECT_EQ(PrecistBajty(cesta + L".bak"), puvodni) << "the damaged file's bytes were not kept";
    const std::wstring ulozeno = Text(PrecistBajty(cesta));
    EXPECT_NE(ulozeno.find(L" <heslo>heslo123</heslo>\r\n <info>Poznámka k účtu</info>\r\n"), std::wstring::npos);
    Vyfotit(okno, L"registrace_okno");
    EXPECT_TRUE(kolvex.Bezi());

    // Esc in the list ends the tool, not the program (the first keys on a new display may be lost)
    ::SetForegroundWindow(okno);
    for (int pokus = 0; pokus < 4 && ::IsWindow(okno); ++pokus) {
        StisknoutKlavesy({VK_ESCAPE});
        CekatNa([&] { return !::IsWindow(okno); }, 1500);
    }
    EXPECT_FALSE(::IsWindow(okno)) << "Esc did not close the registrations window";
    EXPECT_TRUE(kolvex.Bezi());
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    kolvex.CekatNaKonec();
    VycistitStavKolvexu();  // the settings point into the removed temporary folder
}

TEST(ZaznamyZvenku, KontaktyHostALanOknaZPrikazu) {
    VycistitStavKolvexu();
    DocasnaSlozka slozka;
    ZapsatHodnotu(L"Kontakty", L"soubor", slozka.Cesta() + L"\\Kontakty.qxml");
    ZapsatDword(L"Kontakty", L"minimalizovat", 0);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);

    ::PostMessageW(hlavni, WM_COMMAND, 40179, 0);  // contacts
    HWND kontakty = kolvex.CekatNaOkno(L"QKolvexKontakty");
    ASSERT_NE(kontakty, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(kontakty) != 0; }));
    ::PostMessageW(kontakty, WM_COMMAND, 40176, 0);  // add: name question, then the contact dialog
    HWND dotaz = CekatNaDialog(kolvex, 1045);
    ASSERT_NE(dotaz, nullptr);
    Kliknout(dotaz, IDOK);  // "Nový kontakt"
    HWND dialog = CekatNaDialog(kolvex, 1195);
    ASSERT_NE(dialog, nullptr) << "no contact dialog";
    HWND obecne = ::FindWindowExW(dialog, nullptr, L"#32770", nullptr);
    ASSERT_NE(obecne, nullptr);
    ::SetDlgItemTextW(obecne, 1204, L"jan@example.cz");
    Vyfotit(dialog, L"kontakt_dialog");
    Kliknout(dialog, IDOK);
    ASSERT_TRUE(CekatNa([&] {
        return Text(PrecistBajty(slozka.Cesta() + L"\\Kontakty.qxml")).find(L"<email>jan@example.cz</email>") !=
               std::wstring::npos;
    }));
    Vyfotit(kontakty, L"kontakty_okno");
    // the list's context menu, from the keyboard position
    ::PostMessageW(kontakty, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(kontakty), MAKELPARAM(0xFFFF, 0xFFFF));
    HWND nabidka = nullptr;
    if (CekatNa([&] { return (nabidka = NajitOknoProcesu(kolvex.Pid(), L"#32768")) && ::IsWindowVisible(nabidka); })) {
        Vyfotit(nabidka, L"kontakty_nabidka");
        for (int pokus = 0; pokus < 4 && ::IsWindowVisible(nabidka); ++pokus) {
            StisknoutKlavesy({VK_ESCAPE});
            CekatNa([&] { return !::IsWindowVisible(nabidka); }, 1000);
        }
    }
    ::PostMessageW(kontakty, WM_COMMAND, 40026, 0);  // "&Zavřít"
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(kontakty); }));

    ::PostMessageW(hlavni, WM_COMMAND, 40202, 0);  // host information
    HWND host = kolvex.CekatNaOkno(L"QKolvexHostInfo");
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(host) != 0; }));
    Vyfotit(host, L"host_info");

    ::PostMessageW(hlavni, WM_COMMAND, 40224, 0);  // LAN information: Wine has no browser
    HWND lan = kolvex.CekatNaOkno(L"QKolvexSitLanInfo");
    ASSERT_NE(lan, nullptr);
    ASSERT_TRUE(CekatNa([&] { return ::IsWindowVisible(lan) != 0; }));
    HWND lanDialog = ::FindWindowExW(lan, nullptr, L"#32770", nullptr);
    ASSERT_NE(lanDialog, nullptr);
    EXPECT_EQ(::SendDlgItemMessageW(lanDialog, 1258, LB_GETCOUNT, 0, 0), 0);
    Vyfotit(lan, L"lan_info");
    ::PostMessageW(hlavni, WM_COMMAND, 40224, 0);
    EXPECT_TRUE(CekatNa([&] { return !::IsWindow(lan); }));
    EXPECT_TRUE(kolvex.Bezi());
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    kolvex.CekatNaKonec();
    VycistitStavKolvexu();
}

namespace {

struct HledaniPrvku {
    int id;
    HWND nalezeno;
};

BOOL CALLBACK ZkusitPrvek(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<HledaniPrvku*>(l);
    if (::GetDlgCtrlID(okno) == h->id) {
        h->nalezeno = okno;
        return FALSE;
    }
    return TRUE;
}

HWND NajitPrvek(HWND okno, int id) {
    HledaniPrvku h{id, nullptr};
    ::EnumChildWindows(okno, ZkusitPrvek, reinterpret_cast<LPARAM>(&h));
    return h.nalezeno;
}

// The settings window of the process once a control of the page is in it.
HWND CekatNaStranku(const Program& program, int prvek) {
    HWND okno = nullptr;
    CekatNa([&] {
        okno = NajitOknoProcesu(program.Pid(), L"#32770");
        return (okno && NajitPrvek(okno, prvek)) || !program.Bezi();
    });
    return okno && NajitPrvek(okno, prvek) ? okno : nullptr;
}

}  // namespace

TEST(ZaznamyZvenku, StrankyNastaveniAUlozeniBezZmenyBitu) {
    VycistitStavKolvexu();
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);
    struct Pripad {
        UINT stranka;
        int prvek;
        const wchar_t* soubor;
    } pripady[] = {
        {183, 1194, L"nastaveni_183_kontakty"},
        {203, 1245, L"nastaveni_203_host_info"},
        {174, 1175, L"nastaveni_174_registrace"},
    };
    for (const Pripad& p : pripady) {
        ::PostMessageW(hlavni, WM_COMMAND, 40002, static_cast<LPARAM>(p.stranka));
        HWND nastaveni = CekatNaStranku(kolvex, p.prvek);
        ASSERT_NE(nastaveni, nullptr) << p.stranka;
        Vyfotit(nastaveni, p.soubor);
        if (p.stranka != 174) {
            ::PostMessageW(nastaveni, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
            continue;
        }
        // show the password in the status bar, and OK: the window bits stay as they were
        ::SendMessageW(NajitPrvek(nastaveni, 1175), BM_CLICK, 0, 0);
        ::PostMessageW(nastaveni, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(nastaveni); }));
    }
    DWORD okno = 0, heslo = 0;
    ASSERT_TRUE(PrecistDword(std::wstring(KLIC) + L"\\Seznam registraci", L"oknoSeznam", okno));
    EXPECT_EQ(okno, 0x30007u);
    ASSERT_TRUE(PrecistDword(std::wstring(KLIC) + L"\\Seznam registraci", L"statusBarHeslo", heslo));
    EXPECT_EQ(heslo, 1u);
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    kolvex.CekatNaKonec();
    VycistitStavKolvexu();
}

namespace {

void ZapsatSoubor(const std::wstring& cesta, const std::wstring& text) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &zapsano, nullptr);
    ::CloseHandle(h);
}



// The group of the file's text that holds the name, empty when none.
std::wstring Skupina(const std::wstring& text, const std::wstring& skupina, const std::wstring& nazev) {
    const std::wstring konec = L"</" + skupina + L">";
    for (size_t od = 0; od < text.size();) {
        size_t do_ = text.find(konec, od);
        if (do_ == std::wstring::npos) break;
        std::wstring s = text.substr(od, do_ - od);
        if (s.find(L"<nazev>" + nazev + L"</nazev>") != std::wstring::npos) return s;
        od = do_ + konec.size();
    }
    return {};
}

struct PocitaniOken {
    DWORD pid;
    const wchar_t* trida;
    HWND krome;
    int pocet;
};

BOOL CALLBACK PocitatOkno(HWND okno, LPARAM l) {
    auto* h = reinterpret_cast<PocitaniOken*>(l);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    wchar_t trida[32] = L"";
    ::GetClassNameW(okno, trida, 32);
    if (pid == h->pid && okno != h->krome && wcscmp(trida, h->trida) == 0 && ::IsWindowVisible(okno)) ++h->pocet;
    return TRUE;
}

// The process's visible windows of a class, but one.
int PocetOken(DWORD pid, const wchar_t* trida, HWND krome) {
    PocitaniOken h{pid, trida, krome, 0};
    ::EnumWindows(PocitatOkno, reinterpret_cast<LPARAM>(&h));
    return h.pocet;
}

// Posted messages of one thread are handled in order: a selection posted after them shows that
// they (and what they posted on to the window) have been handled.
void PockatNaZpracovani(HWND seznam) {
    for (int radek : {1, 0}) {
        ::PostMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
        ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznam, LB_GETCURSEL, 0, 0) == radek; }));
    }
}

struct NastrojZaznamu {
    const char* jmeno;
    UINT prikaz;
    const wchar_t* trida;
    const wchar_t* sekce;
    const wchar_t* soubor;
    std::wstring (*zaznam)(const std::wstring& nazev, const std::wstring& pole);
    const wchar_t* skupina;
    const wchar_t* znacka;  // the edited field's element
    int prvekDialogu;       // a control that only the edit dialog has
    int pole;               // the edited field
    bool naStrance;         // the field lies on the dialog's first tab page
    UINT zavrit;            // the command that closes the tool window
};

const NastrojZaznamu NASTROJE[] = {
    {"kontakty", 40179, L"QKolvexKontakty", L"Kontakty", L"Kontakty.qxml", KontaktQxml, L"kontakt", L"email", 1195, 1204, true,
     40026},
    {"registrace", 40165, L"QKolvexSeznamRegistraci", L"Seznam registraci", L"Registrace.qxml", RegistraceQxml, L"registrace",
     L"prihlasovaciJmeno", 1179, 1178, false, 40026},
};

HWND PoleDialogu(HWND dialog, const NastrojZaznamu& n) {
    HWND rodic = n.naStrance ? ::FindWindowExW(dialog, nullptr, L"#32770", nullptr) : dialog;
    return rodic ? ::GetDlgItem(rodic, n.pole) : nullptr;
}

// F2 in the list (real key presses; the first on a new display can be lost) opens the edit dialog.
HWND UpravitKlavesou(const Program& kolvex, HWND okno, const NastrojZaznamu& n) {
    HWND dialog = nullptr;
    for (int pokus = 0; pokus < 3 && !dialog; ++pokus) {
        ::SetForegroundWindow(okno);
        StisknoutKlavesy({VK_F2});
        dialog = CekatNaDialog(kolvex, n.prvekDialogu, 3000);
    }
    return dialog;
}

}  // namespace

// The edit dialog is owned by the list window, which is disabled while it runs: Delete, Insert
// and Esc posted to the list change nothing, a WM_CLOSE waits for the dialog, and OK writes the
// edit into the record it was opened for.
TEST(ZaznamyZvenku, UpravaPodOtevrenymDialogemNeprepiseJinyZaznam) {
    for (const NastrojZaznamu& n : NASTROJE) {
        SCOPED_TRACE(n.jmeno);
        VycistitStavKolvexu();
        DocasnaSlozka slozka;
        const std::wstring cesta = slozka.Cesta() + L"\\" + n.soubor;
        ZapsatSoubor(cesta, n.zaznam(L"Alfa", L"alfa@example.cz") + n.zaznam(L"Beta", L"beta@example.cz"));
        ZapsatHodnotu(n.sekce, L"soubor", cesta);
        ZapsatDword(n.sekce, L"minimalizovat", 0);

        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
        ASSERT_NE(hlavni, nullptr);
        ::PostMessageW(hlavni, WM_COMMAND, n.prikaz, 0);
        HWND okno = kolvex.CekatNaOkno(n.trida);
        ASSERT_NE(okno, nullptr);
        HWND seznam = nullptr;  // the window exists a moment before its list
        ASSERT_TRUE(CekatNa([&] {
            seznam = ::FindWindowExW(okno, nullptr, L"ListBox", nullptr);
            return seznam && ::IsWindowVisible(okno) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 2;
        }));
        ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);  // "Alfa"

        HWND dialog = UpravitKlavesou(kolvex, okno, n);
        ASSERT_NE(dialog, nullptr) << "F2 did not open the edit dialog";
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), okno) << "the dialog has no owner";
        EXPECT_FALSE(::IsWindowEnabled(okno)) << "the list window is live under the dialog";
        ASSERT_NE(PoleDialogu(dialog, n), nullptr);
        ::SetWindowTextW(PoleDialogu(dialog, n), L"alfa.nova@example.cz");

        // the keys reach the list's queue all the same: nothing may act under the dialog
        for (WPARAM klavesa : {VK_DELETE, VK_INSERT, VK_ESCAPE}) ::PostMessageW(seznam, WM_KEYDOWN, klavesa, 0);
        PockatNaZpracovani(seznam);
        EXPECT_TRUE(::IsWindow(okno)) << "Esc destroyed the window under the dialog";
        EXPECT_TRUE(::IsWindow(dialog));
        EXPECT_EQ(::SendMessageW(seznam, LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(PocetOken(kolvex.Pid(), L"#32770", dialog), 0) << "a question or prompt opened under the dialog";

        Kliknout(dialog, IDOK);
        ASSERT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));
        EXPECT_TRUE(CekatNa([&] { return ::IsWindowEnabled(okno) && ::GetForegroundWindow() == okno; }))
            << "the list window is not active after the edit";

        // a second edit, and the tool is closed while its dialog runs: the window waits for it
        dialog = UpravitKlavesou(kolvex, okno, n);
        ASSERT_NE(dialog, nullptr);
        // the tray toggle only brings the dialog forward: the main window goes on at once (the
        // host window it opens next appears without waiting for the tool to stop)
        ::PostMessageW(hlavni, WM_COMMAND, n.prikaz, 0);
        ::PostMessageW(hlavni, WM_COMMAND, 40202, 0);
        HWND host = kolvex.CekatNaOkno(L"QKolvexHostInfo", 3000);
        EXPECT_NE(host, nullptr) << "the toggle waited for the tool";
        if (host) ::PostMessageW(hlavni, WM_COMMAND, 40202, 0);
        EXPECT_TRUE(::IsWindow(okno));
        ::PostMessageW(okno, WM_COMMAND, n.zavrit, 0);
        ::PostMessageW(okno, WM_CLOSE, 0, 0);
        PockatNaZpracovani(seznam);
        ASSERT_TRUE(::IsWindow(okno)) << "the window was closed under the dialog";
        ASSERT_TRUE(::IsWindow(dialog));
        ::SetWindowTextW(PoleDialogu(dialog, n), L"alfa.druha@example.cz");
        Kliknout(dialog, IDOK);
        EXPECT_TRUE(CekatNa([&] { return !::IsWindow(okno); })) << "the window did not close after the dialog";

        const std::wstring text = Text(PrecistBajty(cesta));
        const std::wstring pole = std::wstring(L"<") + n.znacka + L">";
        EXPECT_NE(Skupina(text, n.skupina, L"Alfa").find(pole + L"alfa.druha@example.cz<"), std::wstring::npos)
            << std::string(text.begin(), text.end());
        EXPECT_NE(Skupina(text, n.skupina, L"Beta").find(pole + L"beta@example.cz<"), std::wstring::npos)
            << "the other record was overwritten";
        EXPECT_TRUE(kolvex.Bezi());
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        EXPECT_EQ(kolvex.CekatNaKonec(), 0u);
    }
    VycistitStavKolvexu();
}

// The contact dialog opens with "Použít" disabled (the pages' own filling is no change) and a
// typed change enables it; after adding a registration the list window has the keys again.
TEST(ZaznamyZvenku, PouzitAzPoZmeneAFokusPoPridani) {
    VycistitStavKolvexu();
    DocasnaSlozka slozka;
    ZapsatSoubor(slozka.Cesta() + L"\\Kontakty.qxml", KontaktQxml(L"Alfa", L"alfa@example.cz"));
    ZapsatHodnotu(L"Kontakty", L"soubor", slozka.Cesta() + L"\\Kontakty.qxml");
    ZapsatDword(L"Kontakty", L"minimalizovat", 0);
    ZapsatHodnotu(L"Seznam registraci", L"soubor", slozka.Cesta() + L"\\Registrace.qxml");
    ZapsatDword(L"Seznam registraci", L"minimalizovat", 0);
    Program kolvex;
    HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno");
    ASSERT_NE(hlavni, nullptr);

    ::PostMessageW(hlavni, WM_COMMAND, 40179, 0);
    HWND kontakty = kolvex.CekatNaOkno(L"QKolvexKontakty");
    ASSERT_NE(kontakty, nullptr);
    HWND seznam = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznam = ::FindWindowExW(kontakty, nullptr, L"ListBox", nullptr);
        return seznam && ::IsWindowVisible(kontakty) && ::SendMessageW(seznam, LB_GETCOUNT, 0, 0) == 1;
    }));
    HWND dialog = UpravitKlavesou(kolvex, kontakty, NASTROJE[0]);
    ASSERT_NE(dialog, nullptr);
    // what the opening posted is handled before a selection posted now to the name edit
    HWND nazev = ::GetDlgItem(dialog, 1177);
    ::PostMessageW(nazev, EM_SETSEL, 0, 2);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(nazev, EM_GETSEL, 0, 0) == MAKELRESULT(0, 2); }));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, 1002))) << "\"Použít\" enabled without a change";
    ::SetWindowTextW(PoleDialogu(dialog, NASTROJE[0]), L"jiny@example.cz");
    EXPECT_TRUE(CekatNa([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, 1002)) != 0; })) << "a change left it disabled";
    Kliknout(dialog, IDCANCEL);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(dialog); }));

    ::PostMessageW(hlavni, WM_COMMAND, 40165, 0);
    HWND registrace = kolvex.CekatNaOkno(L"QKolvexSeznamRegistraci");
    ASSERT_NE(registrace, nullptr);
    HWND seznamRegistraci = nullptr;
    ASSERT_TRUE(CekatNa([&] {
        seznamRegistraci = ::FindWindowExW(registrace, nullptr, L"ListBox", nullptr);
        return seznamRegistraci && ::IsWindowVisible(registrace);
    }));
    HWND dotaz = nullptr;
    for (int pokus = 0; pokus < 3 && !dotaz; ++pokus) {
        ::SetForegroundWindow(registrace);
        StisknoutKlavesy({VK_INSERT});
        dotaz = CekatNaDialog(kolvex, 1045, 3000);
    }
    ASSERT_NE(dotaz, nullptr) << "Insert did not ask for a name";
    Kliknout(dotaz, IDOK);  // "Nová registrace"
    dialog = CekatNaDialog(kolvex, 1179);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), registrace);
    Kliknout(dialog, IDOK);
    ASSERT_TRUE(CekatNa([&] { return ::SendMessageW(seznamRegistraci, LB_GETCOUNT, 0, 0) == 1; }));
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(CekatNa([&] {
        return ::GetForegroundWindow() == registrace &&
               ::GetGUIThreadInfo(::GetWindowThreadProcessId(registrace, nullptr), &info) && info.hwndFocus == seznamRegistraci;
    })) << "the list window is left inactive after an addition";
    // and the keys work in it: Delete asks about the new entry
    StisknoutKlavesy({VK_DELETE});
    HWND otazka = kolvex.CekatNaZpravu(3000);
    ASSERT_NE(otazka, nullptr) << "Delete after the addition did not reach the list";
    EXPECT_NE(TextZpravy(otazka).find(L"Nová registrace"), std::wstring::npos);
    ::PostMessageW(otazka, WM_COMMAND, IDNO, 0);
    ASSERT_TRUE(CekatNa([&] { return !::IsWindow(otazka); }));
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
    kolvex.CekatNaKonec();
    VycistitStavKolvexu();
}

// A contacts file near the reader's cap, opened from the main window's command: the window
// answers while its list fills, and then lists every contact in its order with the first contact
// of the store selected and in view, in a sorted list (rows sorted in above the selection as they
// come) as in one kept in the store's order.
TEST(ZaznamyZvenku, DlouhySeznamKontaktuSePlniAOknoPritomOdpovida) {
    struct Pripad {
        DWORD trideni;
        bool prvniNaKonci;  // the store's first contact is the list's last row
    } pripady[] = {{1, true}, {0, false}};
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.trideni);
        VycistitStavKolvexu();
        DocasnaSlozka slozka;
        // names in no order in the file; the store orders them by code units ("Zdeněk" first), a
        // sorted list by the language ("Zdeněk" last)
        std::wstring text = KontaktQxml(L"Zdeněk", L"zdenek@example.cz");
        std::vector<std::wstring> ostatni;
        for (unsigned i = 0;; ++i) {
            wchar_t nazev[32];
            swprintf(nazev, 32, L"kontakt %06u", i * 7919u % 100003u);
            const std::wstring dalsi = KontaktQxml(nazev, L"k@example.cz");
            if ((text.size() + dalsi.size()) * sizeof(wchar_t) > 8u * 1024 * 1024 - 4096) break;
            text += dalsi;
            ostatni.push_back(nazev);
        }
        std::sort(ostatni.begin(), ostatni.end());
        std::vector<std::wstring> radky = ostatni;
        radky.insert(p.prvniNaKonci ? radky.end() : radky.begin(), L"Zdeněk");
        const LRESULT pocet = static_cast<LRESULT>(radky.size());
        ZapsatSoubor(slozka.Cesta() + L"\\Kontakty.qxml", text);
        ZapsatHodnotu(L"Kontakty", L"soubor", slozka.Cesta() + L"\\Kontakty.qxml");
        ZapsatDword(L"Kontakty", L"minimalizovat", 0);
        ZapsatDword(L"Kontakty", L"trideni", p.trideni);
        Program kolvex;
        HWND hlavni = kolvex.CekatNaOkno(L"QKolvexHlavniOkno", 30000);
        ASSERT_NE(hlavni, nullptr);

        ::PostMessageW(hlavni, WM_COMMAND, 40179, 0);
        HWND kontakty = kolvex.CekatNaOkno(L"QKolvexKontakty", 30000);
        ASSERT_NE(kontakty, nullptr);
        HWND seznam = nullptr;
        ASSERT_TRUE(CekatNa([&] { return (seznam = ::FindWindowExW(kontakty, nullptr, L"ListBox", nullptr)) != nullptr; }));
        // The list exists before the file is read: the window's thread first answers once it
        // waits for messages, which a fill in one go does only after the last row.
        const LRESULT prvni = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
        EXPECT_LT(prvni, pocet) << "the whole list was added before the window answered";
        LRESULT pridano = prvni;
        const ULONGLONG konec = ::GetTickCount64() + 60000;
        LARGE_INTEGER frekvence{};
        ::QueryPerformanceFrequency(&frekvence);
        double nejdele = 0;  // ms, the longest wait for an answer
        LRESULT pridanoPriNejdelsim = 0;
        // and it goes on answering between the steps (a step takes milliseconds; the bound is wide
        // enough for a machine under load and still catches a window that stops answering)
        while (pridano < pocet && ::GetTickCount64() < konec) {
            DWORD_PTR vysledek = 0;
            LARGE_INTEGER pred{}, po{};
            ::QueryPerformanceCounter(&pred);
            ASSERT_NE(::SendMessageTimeoutW(kontakty, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &vysledek), 0)
                << "the window did not answer with " << pridano << " rows listed";
            ::QueryPerformanceCounter(&po);
            const double ms = 1000.0 * static_cast<double>(po.QuadPart - pred.QuadPart) / static_cast<double>(frekvence.QuadPart);
            if (ms > nejdele) nejdele = ms, pridanoPriNejdelsim = pridano;
            pridano = ::SendMessageW(seznam, LB_GETCOUNT, 0, 0);
        }
        ASSERT_EQ(pridano, pocet);
        // no step does work that grows with the list (the last one used to look the selected
        // row up row by row: seconds for this list); steps end after tens of ms even under load
        EXPECT_LT(nejdele, 1000.0) << "the window did not answer for " << nejdele << " ms with " << pridanoPriNejdelsim << " rows listed";
        auto textRadku = [&](LRESULT radek) {
            std::wstring t(static_cast<size_t>(::SendMessageW(seznam, LB_GETTEXTLEN, static_cast<WPARAM>(radek), 0)), L'\0');
            ::SendMessageW(seznam, LB_GETTEXT, static_cast<WPARAM>(radek), reinterpret_cast<LPARAM>(&t[0]));
            return t;
        };
        for (LRESULT radek = 0; radek < pocet; radek += 97)
            ASSERT_EQ(textRadku(radek), radky[static_cast<size_t>(radek)]) << "row " << radek;
        EXPECT_EQ(textRadku(pocet - 1), radky.back());
        // the store's first contact selected, and in view
        const LRESULT vybrany = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
        EXPECT_EQ(vybrany, p.prvniNaKonci ? pocet - 1 : 0);
        EXPECT_EQ(textRadku(vybrany), L"Zdeněk");
        RECT klient{}, polozka{};
        ::GetClientRect(seznam, &klient);
        ::SendMessageW(seznam, LB_GETITEMRECT, static_cast<WPARAM>(vybrany), reinterpret_cast<LPARAM>(&polozka));
        EXPECT_TRUE(polozka.top >= 0 && polozka.bottom <= klient.bottom) << "the selected row is out of view";

        ::PostMessageW(kontakty, WM_COMMAND, 40026, 0);  // "&Zavřít"
        EXPECT_TRUE(CekatNa([&] { return !::IsWindow(kontakty); }, 30000));
        ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);
        kolvex.CekatNaKonec();
    }
    VycistitStavKolvexu();
}
