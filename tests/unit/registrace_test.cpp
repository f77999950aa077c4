// The registrations and passwords: the list file (round trip, damaged files kept, the loaded
// path used for saving), name comparison, and the edit dialog's apply rules.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/tagovanytext.h"
#include "podpora/pomocnik.h"
#include "records/dlgregistraceheslo.h"
#include "records/seznamregistraci.h"
#include "resources/resource.h"

namespace {

Registrace Nova(const std::wstring& nazev) {
    Registrace r;
    r.nazev = nazev;
    r.prihlasovaciJmeno = nazev + L"-login";
    r.heslo = L"tajné " + nazev;
    r.info = L"řádek 1\r\nřádek 2";
    r.url = L"https://" + nazev + L".example.cz/";
    return r;
}

void Zapsat(const std::wstring& cesta, const std::wstring& text) {
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD zapsano = 0;
    ::WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &zapsano, nullptr);
    ::CloseHandle(h);
}

std::wstring Text(const std::vector<BYTE>& bajty) {
    return std::wstring(reinterpret_cast<const wchar_t*>(bajty.data()), bajty.size() / sizeof(wchar_t));
}

// The settings object with the file in a temporary folder, restored afterwards.
class RegistraceSoubor : public ::testing::Test {
protected:
    void SetUp() override {
        puvodni = std::move(nastaveniSeznamRegistraci);
        nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
        nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
        cesta = slozka.Cesta() + L"\\Registrace.qxml";
        nastaveniSeznamRegistraci->soubor = cesta;
    }
    void TearDown() override {
        nastaveniSeznamRegistraci = std::move(puvodni);
        seznamRegistraci.reset();
    }
    testy::DocasnaSlozka slozka;
    std::wstring cesta;
    std::unique_ptr<KonfiguraceSeznamRegistraci> puvodni;
};

}  // namespace

TEST(Registrace, PorovnaniNazvuTabulka) {
    struct Pripad {
        const wchar_t* a;
        const wchar_t* b;
        bool stejne;
    } pripady[] = {
        {L"mail", L"MAIL", true},       {L"Seznam", L"sEZNAM", true}, {L"Č", L"č", false},
        {L"Účet", L"účet", false},      {L"účet", L"ÚČET", false},    {L"banka", L"banka ", false},
        {L"", L"", true},               {L"a", L"b", false},          {L"Žluťoučký", L"Žluťoučký", true},
        {L"x[z", L"X[Z", true},         {L"@", L"`", false},
    };
    for (const Pripad& p : pripady) EXPECT_EQ(StejneNazvyRegistraci(p.a, p.b), p.stejne) << p.a << L" / " << p.b;
    SeznamRegistraci seznam;
    seznam.Pridat(Nova(L"MAIL"));
    seznam.Pridat(Nova(L"Čtenář"));
    EXPECT_EQ(seznam.NajitPodleNazvu(L"mail"), 0);
    EXPECT_EQ(seznam.NajitPodleNazvu(L"čtenář"), -1);
    EXPECT_EQ(seznam.NajitPodleNazvu(L"Čtenář"), 1);
}

TEST(Registrace, ZnackyFormatuOdmitnuty) {
    struct Pripad {
        const wchar_t* text;
        bool odmitnout;
    } pripady[] = {
        {L"heslo123", false}, {L"a < b > c", false}, {L"<b>tučně", false},  {L"konec</b>", true},
        {L"</", true},        {L"<nazev>", true},    {L"x<url>y", true},     {L"<registrace>", true},
        {L"<URL>", false},    {L"<info", false},
    };
    for (const Pripad& p : pripady)
        EXPECT_EQ(ObsahujeZnackuFormatu(p.text, ZnackyRegistraci()), p.odmitnout) << p.text;
}

TEST(Registrace, IndexMimoRozsahJeChyba) {
    SeznamRegistraci seznam;
    for (const wchar_t* n : {L"a", L"b", L"c"}) seznam.Pridat(Nova(n));
    seznam.Odebrat(0);
    ASSERT_EQ(seznam.Pocet(), 2);
    EXPECT_EQ(seznam.Polozka(0).nazev, L"b");
    EXPECT_EQ(seznam.Polozka(1).nazev, L"c");
    for (int spatny : {-1, 2}) {
        EXPECT_THROW(seznam.Polozka(spatny), knihovna::Chyba);
        EXPECT_THROW(seznam.Nahradit(spatny, Nova(L"x")), knihovna::Chyba);
        EXPECT_THROW(seznam.Odebrat(spatny), knihovna::Chyba);
    }
}

TEST_F(RegistraceSoubor, UlozeniANacteniVPoradiSouboru) {
    testy::ZachytavacZprav zpravy;
    SeznamRegistraci seznam;
    EXPECT_EQ(seznam.Nacist(), S_OK);  // no file: empty, no message
    EXPECT_EQ(seznam.Pocet(), 0);
    for (const wchar_t* n : {L"Zeta", L"alfa", L"Číslo"}) seznam.Pridat(Nova(n));
    ASSERT_EQ(seznam.Ulozit(), S_OK);
    const std::wstring text = Text(testy::PrecistBajty(cesta));
    EXPECT_EQ(text, TextSouboruRegistraci(seznam.Polozky()));
    // the values in the file's fixed order
    EXPECT_EQ(text.substr(0, 40), L"<registrace>\r\n <heslo>tajné Zeta</heslo>");
    const size_t info = text.find(L" <info>"), nazev = text.find(L" <nazev>"), jmeno = text.find(L" <prihlasovaciJmeno>"),
                 url = text.find(L" <url>");
    EXPECT_TRUE(info < nazev && nazev < jmeno && jmeno < url);

    SeznamRegistraci nacteny;
    ASSERT_EQ(nacteny.Nacist(), S_OK);
    ASSERT_EQ(nacteny.Pocet(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(nacteny.Polozka(i) == seznam.Polozka(i)) << i;
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
}

TEST(Registrace, PoradiPrvkuUvnitrSkupinyNezalezi) {
    const std::wstring text =
        L"<registrace>\r\n <url>u1</url>\r\n <nazev>Prvni</nazev>\r\n <info></info>\r\n <heslo>h1</heslo>\r\n"
        L" <prihlasovaciJmeno>j1</prihlasovaciJmeno>\r\n</registrace>\r\n"
        L"<registrace>\r\n <prihlasovaciJmeno>j2</prihlasovaciJmeno>\r\n <heslo>h2</heslo>\r\n <nazev>Druhy</nazev>\r\n"
        L" <url>u2</url>\r\n <info>a\r\nb</info>\r\n</registrace>\r\n";
    std::vector<Registrace> polozky = PrecistRegistrace(text);
    ASSERT_EQ(polozky.size(), 2u);
    EXPECT_EQ(polozky[0].nazev, L"Prvni");
    EXPECT_EQ(polozky[0].url, L"u1");
    EXPECT_EQ(polozky[1].nazev, L"Druhy");
    EXPECT_EQ(polozky[1].info, L"a\r\nb");
    EXPECT_EQ(polozky[1].prihlasovaciJmeno, L"j2");
}

TEST_F(RegistraceSoubor, ChybejiciInfoDaPrazdnySeznamAZpravuASouborZustane) {
    const std::wstring poskozeny =
        L"<registrace>\r\n <heslo>h</heslo>\r\n <nazev>Banka</nazev>\r\n <prihlasovaciJmeno>j</prihlasovaciJmeno>\r\n"
        L" <url>http://banka.cz</url>\r\n</registrace>\r\n";
    Zapsat(cesta, poskozeny);
    const std::vector<BYTE> puvodniBajty = testy::PrecistBajty(cesta);
    testy::ZachytavacZprav zpravy;
    SeznamRegistraci seznam;
    EXPECT_NE(seznam.Nacist(), S_OK);
    EXPECT_EQ(seznam.Pocet(), 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Došlo k chybě při načítání seznamu registrací ze souboru " + cesta + L"."),
              std::wstring::npos)
        << zpravy.zpravy[0].text;
    EXPECT_TRUE(seznam.JePoskozenySoubor());
    EXPECT_EQ(testy::PrecistBajty(cesta), puvodniBajty);

    // a later change: the damaged bytes are kept aside, the file gets the list
    seznam.Pridat(Nova(L"Nová"));
    ASSERT_EQ(seznam.Ulozit(), S_OK);
    EXPECT_EQ(testy::PrecistBajty(cesta + L".bak"), puvodniBajty);
    SeznamRegistraci znovu;
    ASSERT_EQ(znovu.Nacist(), S_OK);
    ASSERT_EQ(znovu.Pocet(), 1);
    EXPECT_EQ(znovu.Polozka(0).nazev, L"Nová");
    // the next save does not touch the copy
    znovu.Pridat(Nova(L"Další"));
    ASSERT_EQ(znovu.Ulozit(), S_OK);
    EXPECT_EQ(testy::PrecistBajty(cesta + L".bak"), puvodniBajty);
    EXPECT_FALSE(testy::ExistujeSoubor(cesta + L".1.bak"));
}

TEST_F(RegistraceSoubor, UkladaSeDoNactenehoSouboru) {
    SeznamRegistraci seznam;
    seznam.Pridat(Nova(L"A"));
    ASSERT_EQ(seznam.Ulozit(), S_OK);
    ASSERT_EQ(seznam.Nacist(), S_OK);
    const std::wstring jiny = slozka.Cesta() + L"\\Jiny.qxml";
    Zapsat(jiny, L"<registrace>\r\n</registrace>\r\n");
    const std::vector<BYTE> jinyPred = testy::PrecistBajty(jiny);
    nastaveniSeznamRegistraci->soubor = jiny;  // the page changed the path while the tool runs
    seznam.Pridat(Nova(L"B"));
    ASSERT_EQ(seznam.Ulozit(), S_OK);
    EXPECT_EQ(testy::PrecistBajty(jiny), jinyPred);
    SeznamRegistraci puvodni;
    ASSERT_EQ(puvodni.Nacist(cesta), S_OK);
    EXPECT_EQ(puvodni.Pocet(), 2);
}

TEST_F(RegistraceSoubor, ZapisDoNeexistujiciSlozkyHlasiChybu) {
    testy::ZachytavacZprav zpravy;
    SeznamRegistraci seznam;
    seznam.Nacist(slozka.Cesta() + L"\\neni\\Registrace.qxml");
    seznam.Pridat(Nova(L"A"));
    EXPECT_NE(seznam.Ulozit(), S_OK);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"Došlo k chybě při zápisu seznamu registací do souboru"), std::wstring::npos);
    EXPECT_EQ(seznam.Pocet(), 1);  // memory keeps the change
}

// ---------------------------------------------------------------------------------------------

namespace {

// The dialog modeless over an entry, with the list holding two entries.
struct DialogRegistrace {
    Registrace registrace;
    DlgRegistraceHeslo dialog;
    DialogRegistrace(const Registrace& r, int index) : registrace(r), dialog(&registrace, index) {
        seznamRegistraci = std::make_unique<SeznamRegistraci>();
        seznamRegistraci->Pridat(Nova(L"Banka"));
        seznamRegistraci->Pridat(Nova(L"Pošta"));
        dialog.Vytvorit(nullptr, reinterpret_cast<LPARAM>(&registrace));
    }
    ~DialogRegistrace() { seznamRegistraci.reset(); }
    void Nastavit(int id, const wchar_t* text) { ::SetDlgItemTextW(dialog.m_hWnd, id, text); }
    std::wstring Precist(int id) {
        wchar_t text[256] = L"";
        ::GetDlgItemTextW(dialog.m_hWnd, id, text, 256);
        return text;
    }
    bool PouzitPovoleno() { return ::IsWindowEnabled(::GetDlgItem(dialog.m_hWnd, IDC_NASTAVENI_POUZIT)) != 0; }
};

}  // namespace

TEST(RegistraceDialog, ZmenaJenVelikostiPismenZachovaNazev) {
    auto puvodni = std::move(nastaveniSeznamRegistraci);
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
    testy::ZachytavacZprav zpravy;
    DialogRegistrace d(Nova(L"Banka"), 0);
    EXPECT_FALSE(d.PouzitPovoleno());
    EXPECT_NE(::SendDlgItemMessageW(d.dialog.m_hWnd, IDC_REGISTRACE_HESLO, EM_GETPASSWORDCHAR, 0, 0), 0);  // masked
    d.Nastavit(IDC_ZOBRAZENY_NAZEV, L"BANKA");
    d.Nastavit(IDC_REGISTRACE_HESLO, L"nové heslo");
    EXPECT_TRUE(d.PouzitPovoleno());
    ::SendMessageW(d.dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_NASTAVENI_POUZIT, BN_CLICKED), 0);
    EXPECT_EQ(d.registrace.nazev, L"Banka");
    EXPECT_EQ(d.registrace.heslo, L"nové heslo");
    EXPECT_FALSE(d.PouzitPovoleno());
    EXPECT_TRUE(zpravy.zpravy.empty()) << zpravy;
    nastaveniSeznamRegistraci = std::move(puvodni);
}

TEST(RegistraceDialog, PrejmenovaniNaJinouRegistraciOdmitneNazevAleUlozi) {
    auto puvodni = std::move(nastaveniSeznamRegistraci);
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
    testy::ZachytavacZprav zpravy;
    DialogRegistrace d(Nova(L"Banka"), 0);
    d.Nastavit(IDC_ZOBRAZENY_NAZEV, L"pošta");  // another entry's name in other letter case
    d.Nastavit(IDC_REGISTRACE_JMENO, L"jan");
    ::SendMessageW(d.dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Zadaný nový název registrace již existuje a nelze ho použít.");
    EXPECT_EQ(d.registrace.nazev, L"Banka");
    EXPECT_EQ(d.registrace.prihlasovaciJmeno, L"jan");
    EXPECT_EQ(d.dialog.vysledek, IDOK);

    // a new entry: any existing name is refused
    zpravy.zpravy.clear();
    Registrace nova;
    nova.nazev = L"Nová";
    DlgRegistraceHeslo dialog(&nova, -1);
    dialog.Vytvorit(nullptr, reinterpret_cast<LPARAM>(&nova));
    ::SetDlgItemTextW(dialog.m_hWnd, IDC_ZOBRAZENY_NAZEV, L"BANKA");
    ::SendMessageW(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_NASTAVENI_POUZIT, BN_CLICKED), 0);
    EXPECT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(nova.nazev, L"Nová");
    wchar_t text[64] = L"";
    ::GetDlgItemTextW(dialog.m_hWnd, IDC_ZOBRAZENY_NAZEV, text, 64);
    EXPECT_STREQ(text, L"Nová");
    nastaveniSeznamRegistraci = std::move(puvodni);
}

TEST(RegistraceDialog, HodnotaSeZnackouSeNeprijme) {
    auto puvodni = std::move(nastaveniSeznamRegistraci);
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
    testy::ZachytavacZprav zpravy;
    DialogRegistrace d(Nova(L"Banka"), 0);
    const Registrace pred = d.registrace;
    d.Nastavit(IDC_REGISTRACE_INFO, L"poznámka</info>");
    d.Nastavit(IDC_REGISTRACE_HESLO, L"jiné");
    ::SendMessageW(d.dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_NE(zpravy.zpravy[0].text.find(L"</"), std::wstring::npos);
    EXPECT_TRUE(d.registrace == pred);
    EXPECT_EQ(d.dialog.vysledek, 0);  // still open
    EXPECT_TRUE(::IsWindow(d.dialog.m_hWnd));
    nastaveniSeznamRegistraci = std::move(puvodni);
}

TEST(RegistraceDialog, ZobrazeniHeslaAOdkazUrl) {
    auto puvodni = std::move(nastaveniSeznamRegistraci);
    nastaveniSeznamRegistraci = std::make_unique<KonfiguraceSeznamRegistraci>();
    nastaveniSeznamRegistraci->NastavitVychozi();  // not what other runs left in the registry
    nastaveniSeznamRegistraci->zobrazovatHeslo = true;
    {
        Registrace r = Nova(L"Banka");
        r.url = L"abcd";
        DialogRegistrace d(r, 0);
        EXPECT_EQ(::SendDlgItemMessageW(d.dialog.m_hWnd, IDC_REGISTRACE_HESLO, EM_GETPASSWORDCHAR, 0, 0), 0);
        HWND stitek = ::GetDlgItem(d.dialog.m_hWnd, IDC_REGISTRACE_ODKAZ);
        EXPECT_NE(::GetWindowLongW(stitek, GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
        d.Nastavit(IDC_REGISTRACE_URL, L"abcde");
        EXPECT_EQ(::GetWindowLongW(stitek, GWL_STYLE) & SS_TYPEMASK, SS_OWNERDRAW);
        EXPECT_EQ(d.dialog.odkaz.Url(), L"http://abcde");
        ::CheckDlgButton(d.dialog.m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO, BST_UNCHECKED);
        ::SendMessageW(d.dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_EMAIL_ZOBRAZIT_HESLO, BN_CLICKED), 0);
        EXPECT_NE(::SendDlgItemMessageW(d.dialog.m_hWnd, IDC_REGISTRACE_HESLO, EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_FALSE(nastaveniSeznamRegistraci->zobrazovatHeslo);  // the next dialog starts masked
    }
    nastaveniSeznamRegistraci = std::move(puvodni);
}
