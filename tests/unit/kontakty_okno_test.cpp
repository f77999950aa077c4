// The contacts window and the contact dialog: add with a taken name, rename to a taken name, the
// actions through the shell seam, the e-mail length rule of the menu, and closing by 40026.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/kontakty.h"
#include "knihovna/modul.h"
#include "core/ikonatray.h"
#include "podpora/pomocnik.h"
#include "records/dlgkontakt.h"
#include "records/dlgnastavzaznamy.h"
#include "records/modulkontakty.h"
#include "resources/resource.h"

namespace {

Kontakt Novy(const std::wstring& nazev, const std::wstring& email) {
    Kontakt k;
    k.nazev = nazev;
    k.email = email;
    k.www = L"www.example.cz";
    k.skype = L"jan.novak";
    k.telefon = L"+420 123";
    return k;
}

// Tray icons recorded instead of shown (the test display has no notification area).
struct ZaznamIkon {
    FunkceNotifyIcon puvodni = notifikacniIkona;
    static BOOL WINAPI Prijmout(DWORD, PNOTIFYICONDATAW) { return TRUE; }
    ZaznamIkon() { notifikacniIkona = Prijmout; }
    ~ZaznamIkon() { notifikacniIkona = puvodni; }
};

std::vector<std::wstring> cileShellu;
HINSTANCE WINAPI ZaznamenatShell(HWND, LPCWSTR, LPCWSTR cil, LPCWSTR, LPCWSTR, INT) {
    cileShellu.push_back(cil);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

std::vector<std::wstring> nazvy;  // answers of the name question, in order
bool OdpovedetNazev(std::wstring& nazev) {
    if (nazvy.empty()) return false;
    nazev = nazvy.front();
    nazvy.erase(nazvy.begin());
    return true;
}
// Shown by its own style (the modeless dialog itself stays hidden in these tests).
bool Zobrazena(HWND okno) { return (::GetWindowLongW(okno, GWL_STYLE) & WS_VISIBLE) != 0; }

int dialogu = 0;
INT_PTR PotvrditDialog(Kontakt& kontakt, int) {
    ++dialogu;
    kontakt.email = L"novy@example.cz";
    return IDOK;
}

// The window on the test thread with its store and file in a temporary folder.
class KontaktyOkno : public ::testing::Test {
protected:
    void SetUp() override {
        puvodniNastaveni = std::move(nastaveniKontakty);
        puvodniSeznam = std::move(seznamKontaktu);
        nastaveniKontakty = std::make_unique<KonfiguraceKontakty>();
        nastaveniKontakty->NastavitVychozi();  // not what other runs left in the registry
        nastaveniKontakty->soubor = slozka.Cesta() + L"\\Kontakty.qxml";
        nastaveniKontakty->oznamovaciIkona = 0;
        nastaveniKontakty->minimalizovat = 0;
        SeznamKontaktu s;
        s.Pridat(Novy(L"Alena", L"a@b.cz"));   // 6 characters
        s.Pridat(Novy(L"Bohouš", L"ab.cz"));   // 5 characters
        s.Ulozit(nastaveniKontakty->soubor);
        puvodniShell = knihovna::spustitShell;
        knihovna::spustitShell = ZaznamenatShell;
        cileShellu.clear();
        puvodniNazev = ModulKontakty::zadatNazev;
        puvodniDialog = ModulKontakty::upravitKontakt;
        ModulKontakty::zadatNazev = OdpovedetNazev;
        ModulKontakty::upravitKontakt = PotvrditDialog;
        dialogu = 0;
        modul = std::make_unique<ModulKontakty>();
        modul->VytvoritOkno(false);
    }
    void TearDown() override {
        if (modul && modul->m_hWnd) ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);
        modul.reset();
        ModulKontakty::zadatNazev = puvodniNazev;
        ModulKontakty::upravitKontakt = puvodniDialog;
        knihovna::spustitShell = puvodniShell;
        seznamKontaktu = std::move(puvodniSeznam);
        nastaveniKontakty = std::move(puvodniNastaveni);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {}
    }
    void Vybrat(const std::wstring& nazev) {
        LRESULT radek = ::SendMessageW(modul->Seznam(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(nazev.c_str()));
        ASSERT_NE(radek, LB_ERR);
        ::SendMessageW(modul->Seznam(), LB_SETCURSEL, static_cast<WPARAM>(radek), 0);
    }
    testy::DocasnaSlozka slozka;
    std::unique_ptr<ModulKontakty> modul;
    std::unique_ptr<KonfiguraceKontakty> puvodniNastaveni;
    std::unique_ptr<SeznamKontaktu> puvodniSeznam;
    knihovna::FunkceShellExecute puvodniShell;
    bool (*puvodniNazev)(std::wstring&);
    INT_PTR (*puvodniDialog)(Kontakt&, int);
};

}  // namespace

TEST_F(KontaktyOkno, PridaniExistujicihoNazvuSeZeptaZnovu) {
    testy::ZachytavacZprav zpravy;
    nazvy = {L"alena", L"Cyril"};  // the first is taken (letter case aside)
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40176, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Tento název již v seznamu existuje.");
    EXPECT_EQ(dialogu, 1);
    ASSERT_EQ(seznamKontaktu->Pocet(), 3);
    // added at once to the file
    SeznamKontaktu soubor;
    soubor.Nacist(nastaveniKontakty->soubor);
    EXPECT_GE(soubor.NajitPodleNazvu(L"Cyril"), 0);

    nazvy = {};  // cancel: nothing added
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40176, 0);
    EXPECT_EQ(seznamKontaktu->Pocet(), 3);
}

TEST_F(KontaktyOkno, AkcePresShellAEmailovePravidlo) {
    testy::ZachytavacZprav zpravy;
    Vybrat(L"Bohouš");
    EXPECT_FALSE(modul->AkceDostupna(40172));  // 5 characters: greyed
    Vybrat(L"Alena");
    EXPECT_TRUE(modul->AkceDostupna(40172));  // 6: offered
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40172, 0);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40173, 0);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40174, 0);
    ASSERT_EQ(cileShellu.size(), 3u);
    EXPECT_EQ(cileShellu[0], L"mailto:a@b.cz");
    EXPECT_EQ(cileShellu[1], L"http://www.example.cz");
    EXPECT_EQ(cileShellu[2], L"callto:jan.novak");

    // an address that starts with the scheme is opened as it is; a short e-mail only tells so
    Kontakt k;
    seznamKontaktu->Polozka(0, k);
    k.www = L"HTTP://Example.cz";
    seznamKontaktu->Zmenit(0, k);
    Vybrat(L"Alena");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40173, 0);
    EXPECT_EQ(cileShellu.back(), L"HTTP://Example.cz");
    Vybrat(L"Bohouš");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40172, 0);
    EXPECT_EQ(cileShellu.size(), 4u);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Kontakt \"Bohouš\" nemá nastavený platný email.");
}

TEST_F(KontaktyOkno, ZavritZavreOknoAUlozi) {
    testy::ZachytavacZprav zpravy(IDYES);
    Vybrat(L"Bohouš");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40178, 0);  // remove: written at close
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_DEFBUTTON2);
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40026, 0);
    EXPECT_TRUE(testy::CekatNa([&] { return !::IsWindow(modul->m_hWnd); }, 3000));
    SeznamKontaktu soubor;
    soubor.Nacist(nastaveniKontakty->soubor);
    EXPECT_EQ(soubor.Pocet(), 1);
    EXPECT_LT(soubor.NajitPodleNazvu(L"Bohouš"), 0);
}

TEST_F(KontaktyOkno, PoskozenySouborSeUschovaPredUlozenim) {
    if (modul->m_hWnd) ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);
    modul.reset();
    const std::wstring cesta = nastaveniKontakty->soubor.Text();
    const std::wstring poskozeny = L"<kontakt>\r\n <nazev>X</nazev>\r\n</kontakt>\r\n";
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD zapsano = 0;
    ::WriteFile(h, poskozeny.data(), static_cast<DWORD>(poskozeny.size() * 2), &zapsano, nullptr);
    ::CloseHandle(h);
    const std::vector<BYTE> bajty = testy::PrecistBajty(cesta);
    testy::ZachytavacZprav zpravy;
    modul = std::make_unique<ModulKontakty>();
    modul->VytvoritOkno(false);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Nepodařilo se načíst kontakty ze souboru"), std::wstring::npos);
    EXPECT_EQ(::SendMessageW(modul->Seznam(), LB_GETCOUNT, 0, 0), 0);
    ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);  // no change: the file stays as it is
    EXPECT_EQ(testy::PrecistBajty(cesta), bajty);

    modul = std::make_unique<ModulKontakty>();
    modul->VytvoritOkno(false);
    nazvy = {L"Nový"};
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40176, 0);
    EXPECT_EQ(testy::PrecistBajty(cesta + L".bak"), bajty);
    SeznamKontaktu soubor;
    soubor.Nacist(cesta);
    EXPECT_EQ(soubor.Pocet(), 1);
    // the next saves (another contact, the close) write a good list: it is no damaged file to keep
    nazvy = {L"Další"};
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40176, 0);
    ::SendMessageW(modul->m_hWnd, WM_CLOSE, 0, 0);
    soubor.Nacist(cesta);
    EXPECT_EQ(soubor.Pocet(), 2);
    EXPECT_EQ(testy::PrecistBajty(cesta + L".bak"), bajty);
    EXPECT_FALSE(testy::ExistujeSoubor(cesta + L".1.bak")) << "a good list was kept as if it were damaged";
}

// ---------------------------------------------------------------------------------------------

TEST(KontaktDialog, PrejmenovaniNaExistujiciNazevZachovaOstatniPole) {
    auto puvodni = std::move(seznamKontaktu);
    seznamKontaktu = std::make_unique<SeznamKontaktu>();
    seznamKontaktu->Pridat(Novy(L"Alena", L"a@b.cz"));
    seznamKontaktu->Pridat(Novy(L"Bohouš", L"b@b.cz"));
    testy::ZachytavacZprav zpravy;
    {
        Kontakt k = Novy(L"Alena", L"a@b.cz");
        DlgKontakt dialog(&k, 0);
        dialog.Vytvorit(nullptr, reinterpret_cast<LPARAM>(&k));
        ASSERT_TRUE(dialog.obecne && dialog.info);
        EXPECT_TRUE(Zobrazena(dialog.obecne->m_hWnd));
        EXPECT_FALSE(Zobrazena(dialog.info->m_hWnd));
        dialog.ZobrazitStranku(1);
        EXPECT_FALSE(Zobrazena(dialog.obecne->m_hWnd));
        EXPECT_TRUE(Zobrazena(dialog.info->m_hWnd));

        // typing in a page enables "Použít" (the page's filling did not: its reports are handled first)
        HWND pouzit = ::GetDlgItem(dialog.m_hWnd, IDC_NASTAVENI_POUZIT);
        for (MSG zprava; ::PeekMessageW(&zprava, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&zprava);
        EXPECT_FALSE(::IsWindowEnabled(pouzit));
        for (wchar_t znak : std::wstring(L"poznámka"))
            ::SendDlgItemMessageW(dialog.info->m_hWnd, IDC_KONTAKT_INFO, WM_CHAR, znak, 1);
        EXPECT_TRUE(testy::CekatNa([&] { return ::IsWindowEnabled(pouzit) != 0; }, 2000));
        ::SetDlgItemTextW(dialog.m_hWnd, IDC_ZOBRAZENY_NAZEV, L"Bohouš");
        ::SetDlgItemTextW(dialog.obecne->m_hWnd, IDC_KONTAKT_TELEFON, L"777 888 999");
        ::SetDlgItemTextW(dialog.info->m_hWnd, IDC_KONTAKT_ADRESA, L"Dlouhá 1\r\nPraha");
        ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ASSERT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(zpravy.zpravy[0].text, L"Zadaný nový název kontaktu již existuje a nelze ho použít.");
        EXPECT_EQ(k.nazev, L"Alena");
        EXPECT_EQ(k.telefon, L"777 888 999");
        EXPECT_EQ(k.adresa, L"Dlouhá 1\r\nPraha");
        EXPECT_EQ(dialog.vysledek, IDOK);
    }
    {
        // own name unchanged: no message; a tag in a value: refused, the contact unchanged
        zpravy.zpravy.clear();
        Kontakt k = Novy(L"Alena", L"a@b.cz");
        DlgKontakt dialog(&k, 0);
        dialog.Vytvorit(nullptr, reinterpret_cast<LPARAM>(&k));
        EXPECT_TRUE(dialog.Pouzit());
        EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
        ::SetDlgItemTextW(dialog.obecne->m_hWnd, IDC_KONTAKT_MSN, L"x</msn>");
        EXPECT_FALSE(dialog.Pouzit());
        EXPECT_EQ(zpravy.zpravy.size(), 1u);
        EXPECT_EQ(k.msn, L"");
    }
    seznamKontaktu = std::move(puvodni);
}

namespace {
HINSTANCE WINAPI SelhatShell(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT) {
    ::SetLastError(ERROR_NO_ASSOCIATION);
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(31));
}
}  // namespace

TEST_F(KontaktyOkno, ChybejiciProgramJenHlasiAOknoZustane) {
    testy::ZachytavacZprav zpravy;
    knihovna::spustitShell = SelhatShell;
    Vybrat(L"Alena");
    ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40172, 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Akci s kontaktem \"Alena\" se nepodařilo provést."), std::wstring::npos);
    EXPECT_TRUE(::IsWindow(modul->m_hWnd));
}

TEST_F(KontaktyOkno, MinimalizaceSIkonouSkryjeOkno) {
    ZaznamIkon ikony;
    // the program's image lists are not loaded here: the window gets a system icon
    ::SendMessageW(modul->m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(::LoadIconW(nullptr, IDI_APPLICATION)));
    nastaveniKontakty->oznamovaciIkona = 1;
    ::SendMessageW(modul->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_NE(modul->Ikona(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(modul->m_hWnd));
    ::SendMessageW(modul->m_hWnd, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);  // hidden: shown again
    EXPECT_TRUE(::IsWindowVisible(modul->m_hWnd));
    ::SendMessageW(modul->m_hWnd, ZPRAVA_IKONY_TRAY, 1, WM_LBUTTONUP);  // visible: minimised (posted)
    EXPECT_TRUE(testy::CekatNa([&] { return !::IsWindowVisible(modul->m_hWnd); }, 2000));
}

TEST(KontaktyStranka, BityOknaStrankyNemeniOstatni) {
    // the page's boxes cover 0x4, 0x10, 0x20, 0x10000: the others stay
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(okno, nullptr);
    HWND box = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 5, 5, okno,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_OKNO_NAVRCHU)), nullptr, nullptr);
    ASSERT_NE(box, nullptr);
    const BitZaskrtnuti bity[] = {{IDC_OKNO_NAVRCHU, 0x4}};
    ZaskrtnoutBity(okno, bity, 1, 0x10007);
    EXPECT_EQ(::IsDlgButtonChecked(okno, IDC_OKNO_NAVRCHU), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(PrecistBity(okno, bity, 1, 0x10007), 0x10007u);
    ::CheckDlgButton(okno, IDC_OKNO_NAVRCHU, BST_UNCHECKED);
    EXPECT_EQ(PrecistBity(okno, bity, 1, 0x1000Fu), 0x1000Bu);
    ::DestroyWindow(okno);
}

namespace {
// A contact the store loses while the edit dialog runs (by whatever path), then OK.
const wchar_t* odebratPodDialogem = nullptr;
INT_PTR ZmenitSeznamPodDialogem(Kontakt& kontakt, int) {
    seznamKontaktu->Odebrat(seznamKontaktu->NajitPodleNazvu(odebratPodDialogem));
    kontakt.email = L"novy@example.cz";
    return IDOK;
}
}  // namespace

// The edit goes back to the contact it was opened for, wherever that is now; when it is gone the
// user is told and the edit is kept as a new contact (saved at once, as an addition).
TEST_F(KontaktyOkno, UpravaSeVratiDoSvehoKontaktuIKdyzSeSeznamZmenil) {
    struct Pripad {
        const wchar_t* odebrany;
        int pocet;
        std::vector<std::wstring> zprava;
    } pripady[] = {
        {L"Alena", 1, {}},
        {L"Bohouš", 2, {L"Upravovaný kontakt \"Bohouš\" byl mezitím odebrán ze seznamu.\nÚpravy se proto uloží jako nový kontakt."}},
    };
    ModulKontakty::upravitKontakt = ZmenitSeznamPodDialogem;
    // a confirmed edit is written at once: every case starts from the fixture's file
    const std::wstring soubor = nastaveniKontakty->soubor, puvodni = soubor + L".puvodni";
    ASSERT_TRUE(::CopyFileW(soubor.c_str(), puvodni.c_str(), FALSE));
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.pocet);
        ASSERT_TRUE(::CopyFileW(puvodni.c_str(), soubor.c_str(), FALSE));
        seznamKontaktu->Nacist(nastaveniKontakty->soubor);
        modul->NaplnitSeznam(0);
        odebratPodDialogem = p.odebrany;
        testy::ZachytavacZprav zpravy;
        Vybrat(L"Bohouš");
        ::SendMessageW(modul->m_hWnd, WM_COMMAND, 40177, 0);
        std::vector<std::wstring> texty;
        for (const auto& z : zpravy.zpravy) texty.push_back(z.text);
        EXPECT_EQ(texty, p.zprava);
        ASSERT_EQ(seznamKontaktu->Pocet(), p.pocet);
        const int index = seznamKontaktu->NajitPodleNazvu(L"Bohouš");
        ASSERT_GE(index, 0);
        Kontakt k;
        seznamKontaktu->Polozka(index, k);
        EXPECT_EQ(k.email, L"novy@example.cz");
        EXPECT_EQ(modul->VybranyKontakt(), index) << "the edited contact is selected";
    }
    SeznamKontaktu ulozeny;
    ulozeny.Nacist(soubor);
    EXPECT_GE(ulozeny.NajitPodleNazvu(L"Bohouš"), 0) << "the kept edit was not saved";
}

// A long list (sorted, as by default) is added in steps from messages the window posts itself:
// the first step at once, the contact asked for selected as soon as its row is listed, and in view
// at the end also when later rows were sorted in above it.
TEST_F(KontaktyOkno, DlouhySeznamSePlniPoKusechSVyberem) {
    seznamKontaktu->Pridat(Novy(L"Zuzana", L"z@b.cz"));  // index 2, the list's last row
    for (int i = 0; i < 1200; ++i) {
        wchar_t nazev[16];
        swprintf(nazev, 16, L"kontakt %04d", i);
        seznamKontaktu->Pridat(Novy(nazev, L"k@b.cz"));  // index 3 + i
    }
    const int pocet = seznamKontaktu->Pocet();
    struct Pripad {
        int vybrat;
        int vybranyPoPrvnimKusu;  // the selected contact after the first step, -1 none
        int radekNakonec;
        const wchar_t* text;
    } pripady[] = {
        {2, 2, pocet - 1, L"Zuzana"},                   // listed at once, then rows come in above it
        {3 + 1100, -1, 2 + 1100, L"kontakt 1100"},     // listed by the third step
        {pocet, -1, 0, L"Alena"},                       // no such contact: the first row
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.vybrat);
        modul->NaplnitSeznam(p.vybrat);
        // a step ends by count or by time, whichever comes first
        const LRESULT poPrvnimKusu = ::SendMessageW(modul->Seznam(), LB_GETCOUNT, 0, 0);
        EXPECT_TRUE(poPrvnimKusu > 2 && poPrvnimKusu <= static_cast<LRESULT>(ModulKontakty::KUS_PLNENI))
            << poPrvnimKusu << " rows after the first step: the whole list was added before the window could answer";
        EXPECT_EQ(modul->VybranyKontakt(), p.vybranyPoPrvnimKusu);
        ASSERT_TRUE(testy::CekatNa([&] { return !modul->Plni(); }, 20000));
        ASSERT_EQ(::SendMessageW(modul->Seznam(), LB_GETCOUNT, 0, 0), pocet);
        const LRESULT radek = ::SendMessageW(modul->Seznam(), LB_GETCURSEL, 0, 0);
        EXPECT_EQ(radek, p.radekNakonec);
        Kontakt k;
        seznamKontaktu->Polozka(modul->VybranyKontakt(), k);
        EXPECT_EQ(k.nazev, p.text);
        RECT klient{}, polozka{};
        ::GetClientRect(modul->Seznam(), &klient);
        ::SendMessageW(modul->Seznam(), LB_GETITEMRECT, static_cast<WPARAM>(radek), reinterpret_cast<LPARAM>(&polozka));
        EXPECT_TRUE(polozka.top >= 0 && polozka.bottom <= klient.bottom) << "the selected row is out of view";
    }
}
