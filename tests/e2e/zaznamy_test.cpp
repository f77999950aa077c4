// The registrations, contacts, host and LAN tools from outside: a damaged registrations file is
// reported while Kolvex runs on, and adding an entry keeps the damaged bytes as a copy; the tool
// windows open from the main window's commands, and "&Zavřít" closes the contacts window.
#include <gtest/gtest.h>

#include <windows.h>

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
