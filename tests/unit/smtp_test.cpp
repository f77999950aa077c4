#include <gtest/gtest.h>

#include <winsock2.h>

#include "core/email.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

using namespace brenvald_email;

namespace {

// Windows Sockets for the test program (the application starts them at start-up).
struct Sokety {
    Sokety() {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 0), &wsa);
    }
    ~Sokety() { ::WSACleanup(); }
};

// A client that records its notifications.
class ZaznamovySmtp : public Smtp {
public:
    std::vector<int> varovani, chyby;
    std::vector<std::string> prikazy;
    int odpovedNaVarovani = 0;
    int PriVarovani(int kod, const std::wstring&) override {
        varovani.push_back(kod);
        return odpovedNaVarovani;
    }
    int PriChybe(int kod, const std::wstring&) override {
        chyby.push_back(kod);
        return 0;
    }
    void PriOdpovedi(const std::string& prikaz, int, const std::wstring&) override {
        prikazy.push_back(prikaz.substr(0, prikaz.find_first_of(" \r")));
    }
};

// What the server received for a test (below <servers>/prijate/<name>).
class Prijato {
public:
    explicit Prijato(const std::string& nazev)
        : m_slozka(testy::SlozkaServeru() + L"\\prijate\\" + knihovna::NaSiroky(nazev, CP_UTF8)) {
        testy::SmazatStrom(m_slozka);
    }
    bool Dorazilo() const {
        return testy::CekatNa([&] { return testy::ExistujeSoubor(m_slozka + L"\\hotovo.txt"); }, 5000);
    }
    bool Existuje() const { return testy::ExistujeSoubor(m_slozka + L"\\hotovo.txt"); }
    std::string Soubor(const wchar_t* jmeno) const {
        std::string obsah;
        testy::PrecistSoubor(m_slozka + L"\\" + jmeno, obsah);
        return obsah;
    }

private:
    std::wstring m_slozka;
};

std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

ZpravaEmail NovaZprava(const std::string& test) {
    ZpravaEmail zprava;
    zprava.odesilatel = {L"Kolvex", L"kolvex@example.cz"};
    zprava.prijemce = {L"Příjemce", L"prijemce@example.cz"};
    zprava.predmet = L"Zkouška";
    zprava.hlavicky.emplace_back("X-Kolvex-Test", test);
    zprava.casti.push_back({L"text/plain", L"utf-8", L"", 0, L"Text."});
    return zprava;
}

std::string Radek(const std::string& obalka, const std::string& klic) {
    size_t i = obalka.find(klic + ":");
    if (i == std::string::npos) return {};
    i += klic.size() + 1;
    return obalka.substr(i, obalka.find('\n', i) - i);
}

}  // namespace

TEST(Smtp, ZpravaSCeskymTextemAPrilohamiDorazi) {
    Sokety sokety;
    testy::DocasnaSlozka slozka;
    const std::wstring obrazek = slozka.Cesta() + L"\\opis obrazovky.png";
    const std::wstring poznamka = slozka.Cesta() + L"\\poznámka.txt";
    std::vector<BYTE> bajty = testy::Vzor(5000);
    ASSERT_TRUE(testy::ZapsatSoubor(obrazek, std::string(bajty.begin(), bajty.end())));
    ASSERT_TRUE(testy::ZapsatSoubor(poznamka, ".tečka na začátku\r\n.\r\nkonec"));

    const std::wstring text = L"Dobrý den,\r\nposílám opis obrazovky – ěščřžýáíéůú ĚŠČŘŽÝÁÍÉŮÚ.\r\n.řádek s tečkou\r\n\r\nS pozdravem\r\n";
    const std::wstring html = L"<p>Příliš žluťoučký kůň " + std::wstring(100, L'x') + L"</p>";
    Prijato prijato("cesky");
    ZpravaEmail zprava = NovaZprava("cesky");
    zprava.odesilatel = {L"Odesílatel Kolvexu", L"kolvex@example.cz"};
    zprava.predmet = L"Opis obrazovky – ěščřžýáíéůú, a to dlouhý předmět, který se musí zalomit na více řádků";
    zprava.casti = {{L"text/plain", L"utf-8", L"", 0, text}, {L"text/html", L"windows-1250", L"", 0, html}};
    zprava.prilohy = {{L"", L"", L"", 0, obrazek, L"", false}, {L"", L"", L"", 0, poznamka, L"", false}};
    zprava.skrytiPrijemci.push_back({L"", L"skryty@example.cz"});

    ZaznamovySmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP);
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    EXPECT_TRUE(smtp.JeRozsirene());
    EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
    EXPECT_EQ(smtp.Ukoncit(), 0);
    smtp.Odpojit();
    // No user name: no AUTH; a multi-line EHLO reply does not disturb the next command.
    EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), 0);
    EXPECT_TRUE(smtp.chyby.empty());

    ASSERT_TRUE(prijato.Dorazilo());
    EXPECT_EQ(prijato.Soubor(L"defekty.txt"), "");
    EXPECT_EQ(prijato.Soubor(L"predmet.txt"), Utf8(zprava.predmet));
    EXPECT_EQ(prijato.Soubor(L"od.txt"), Utf8(L"Odesílatel Kolvexu <kolvex@example.cz>"));
    EXPECT_EQ(prijato.Soubor(L"komu.txt"), Utf8(L"Příjemce <prijemce@example.cz>"));
    EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "RCPT TO"), "prijemce@example.cz,skryty@example.cz");
    EXPECT_EQ(prijato.Soubor(L"struktura.txt"),
              "multipart/mixed\nmultipart/alternative\ntext/plain base64 utf-8\ntext/html quoted-printable windows-1250\n"
              "image/png base64\ntext/plain base64 None\n");
    EXPECT_EQ(prijato.Soubor(L"text-0.txt"), Utf8(text));
    EXPECT_EQ(prijato.Soubor(L"text-1.txt"), Utf8(html));
    EXPECT_EQ(prijato.Soubor(L"priloha-0.jmeno"), "opis obrazovky.png");
    EXPECT_EQ(prijato.Soubor(L"priloha-0.data"), std::string(bajty.begin(), bajty.end()));
    EXPECT_EQ(prijato.Soubor(L"priloha-1.jmeno"), Utf8(L"poznámka.txt"));
    EXPECT_EQ(prijato.Soubor(L"priloha-1.data"), ".tečka na začátku\r\n.\r\nkonec");
}

TEST(Smtp, JedinaCastSTeckamiAPrazdneTelo) {
    Sokety sokety;
    Smtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP);
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    struct Pripad {
        const char* nazev;
        const wchar_t* text;
    } pripady[] = {{"tecky", L".\r\n..dve\r\n.konec\r\n"}, {"prazdne", L""}};
    for (const Pripad& p : pripady) {
        Prijato prijato(p.nazev);
        ZpravaEmail zprava = NovaZprava(p.nazev);
        zprava.casti[0].text = p.text;
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
        ASSERT_TRUE(prijato.Dorazilo());
        EXPECT_EQ(prijato.Soubor(L"struktura.txt"), "text/plain 7bit utf-8\n");
        EXPECT_EQ(prijato.Soubor(L"text-0.txt"), Utf8(p.text));
        EXPECT_EQ(prijato.Soubor(L"defekty.txt"), "");
    }
    smtp.Odpojit();
}

TEST(Smtp, PrihlaseniAuthLogin) {
    Sokety sokety;
    {
        Prijato prijato("prihlaseni");
        ZaznamovySmtp smtp;
        smtp.NastavitPort(testy::PORT_SMTP_AUTH);
        smtp.uzivatel = L"uzivatel";
        smtp.heslo = L"heslo";
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("prihlaseni");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
        smtp.Odpojit();
        ASSERT_TRUE(prijato.Dorazilo());
        EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), "uzivatel");
        EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "POZDRAV").substr(0, 4), "EHLO");
    }
    {
        // Without a user name nothing is tried, and the server's 530 is the answer.
        Prijato prijato("bez-prihlaseni");
        ZaznamovySmtp smtp;
        smtp.NastavitPort(testy::PORT_SMTP_AUTH);
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("bez-prihlaseni");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 530);
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), 0);
        smtp.Odpojit();
        EXPECT_FALSE(prijato.Existuje());
    }
    {
        // A wrong password: the client keeps asking only a bounded number of times.
        Prijato prijato("spatne-heslo");
        ZaznamovySmtp smtp;
        smtp.odpovedNaVarovani = 1;  // "try again" after every refused login
        smtp.NastavitPort(testy::PORT_SMTP_AUTH);
        smtp.uzivatel = L"uzivatel";
        smtp.heslo = L"spatne";
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("spatne-heslo");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 530);
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "MAIL"), 1 + smtp.pokusyPrihlaseni);
        EXPECT_LE(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"),
                  (1 + smtp.pokusyPrihlaseni) * smtp.pokusyPrihlaseni);
        smtp.Odpojit();
        EXPECT_FALSE(prijato.Existuje());
    }
}

TEST(Smtp, OdmitnutyEhloVedeNaHeloBezAuth) {
    Sokety sokety;
    Prijato prijato("helo");
    ZaznamovySmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP_BEZ_EHLO);
    smtp.uzivatel = L"uzivatel";
    smtp.heslo = L"heslo";
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    EXPECT_FALSE(smtp.JeRozsirene());
    ZpravaEmail zprava = NovaZprava("helo");
    EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
    smtp.Odpojit();
    EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), 0);
    ASSERT_TRUE(prijato.Dorazilo());
    EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "POZDRAV").substr(0, 4), "HELO");
}

TEST(Smtp, OdmitnutiPrijemci) {
    Sokety sokety;
    {
        // The only recipient refused: nothing is sent and the RCPT code is the result.
        Prijato prijato("odmitnuty");
        ZaznamovySmtp smtp;
        smtp.NastavitPort(testy::PORT_SMTP);
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("odmitnuty");
        zprava.prijemce = {L"", L"odmitnout@example.cz"};
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 550);
        EXPECT_EQ(smtp.varovani, std::vector<int>{550});
        EXPECT_TRUE(smtp.JePripojeno());
        smtp.Odpojit();
        EXPECT_FALSE(prijato.Existuje());
    }
    {
        // One accepted recipient is enough.
        Prijato prijato("jeden-prijat");
        Smtp smtp;
        smtp.NastavitPort(testy::PORT_SMTP);
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("jeden-prijat");
        zprava.dalsiPrijemci.push_back({L"", L"odmitnout@example.cz"});
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
        smtp.Odpojit();
        ASSERT_TRUE(prijato.Dorazilo());
        EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "RCPT TO"), "prijemce@example.cz");
    }
}

TEST(Smtp, ChybejiciPrilohaNicNeodesle) {
    Sokety sokety;
    Prijato prijato("bez-prilohy");
    ZaznamovySmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP);
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    ZpravaEmail zprava = NovaZprava("bez-prilohy");
    zprava.prilohy.push_back({L"", L"", L"", 0, L"C:\\neexistuje\\opis.jpg", L"", false});
    EXPECT_EQ(smtp.OdeslatZpravu(zprava), -1);
    EXPECT_EQ(smtp.chyby, std::vector<int>{-1});
    EXPECT_NE(smtp.PosledniOdpoved().find(L"opis.jpg"), std::wstring::npos);
    EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "MAIL"), 0);
    smtp.Odpojit();
    EXPECT_FALSE(prijato.Existuje());

    ZpravaEmail bezOdesilatele = NovaZprava("x");
    bezOdesilatele.odesilatel.adresa.clear();
    EXPECT_EQ(smtp.OdeslatZpravu(bezOdesilatele), -1);
}

TEST(Smtp, MlcisiServerKonciCasovymLimitem) {
    Sokety sokety;
    ZaznamovySmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP_TICHY);
    smtp.casovyLimitOdpovedi = 2;
    smtp.prodlevaPoPripojeni = 0;
    ULONGLONG zacatek = ::GetTickCount64();
    EXPECT_EQ(smtp.Pripojit(L"127.0.0.1"), 0);
    ULONGLONG trvani = ::GetTickCount64() - zacatek;
    EXPECT_GE(trvani, 1900u);
    EXPECT_LT(trvani, 6000u);
    EXPECT_FALSE(smtp.JePripojeno());
    EXPECT_EQ(smtp.chyby, std::vector<int>{-1});
    // Nothing after the silent EHLO: no HELO, no QUIT.
    EXPECT_EQ(smtp.prikazy, std::vector<std::string>{""});

    // A closed port fails at once.
    Smtp nikdo;
    nikdo.NastavitPort(static_cast<unsigned short>(testy::PORT_HTTP + 9));
    nikdo.prodlevaPoPripojeni = 0;
    EXPECT_EQ(nikdo.Pripojit(L"127.0.0.1"), 0);
}

// Attachments arrive byte for byte: a binary that is mostly printable, with lone CR, lone LF and
// zero bytes, and a text attachment holding the same, both go Base64.
TEST(Smtp, PrilohySBinarnimiBajtyDoraziPresne) {
    Sokety sokety;
    testy::DocasnaSlozka slozka;
    std::string binarni;
    for (int i = 0; i < 40; ++i) binarni += "Radek textu " + std::to_string(i) + (i % 3 == 0 ? "\r" : i % 3 == 1 ? "\n" : "\r\n");
    binarni += std::string("\0\0konec\0", 9);
    binarni += std::string(200, 'x');  // a long line too
    const std::wstring data = slozka.Cesta() + L"\\data.bin";
    const std::wstring text = slozka.Cesta() + L"\\zaznam.txt";
    ASSERT_TRUE(testy::ZapsatSoubor(data, binarni));
    ASSERT_TRUE(testy::ZapsatSoubor(text, binarni));
    Prijato prijato("binarni");
    ZpravaEmail zprava = NovaZprava("binarni");
    zprava.prilohy = {{L"", L"", L"", 0, data, L"", false}, {L"", L"", L"", 0, text, L"", false}};
    ZaznamovySmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP);
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
    smtp.Odpojit();
    ASSERT_TRUE(prijato.Dorazilo());
    EXPECT_EQ(prijato.Soubor(L"priloha-0.data"), binarni);
    EXPECT_EQ(prijato.Soubor(L"priloha-1.data"), binarni);

    // the choice itself, for every encoding asked for
    for (int kodovani : {KODOVANI_AUTOMATICKY, KODOVANI_7BIT, KODOVANI_8BIT, KODOVANI_QUOTED_PRINTABLE}) {
        EXPECT_EQ(KodovaniPrilohy(L"application/octet-stream", kodovani, "jen text"), KODOVANI_BASE64);
        EXPECT_EQ(KodovaniPrilohy(L"image/png", kodovani, "jen text"), KODOVANI_BASE64);
        EXPECT_EQ(KodovaniPrilohy(L"text/plain", kodovani, std::string("a\0b", 3)), KODOVANI_BASE64);
        EXPECT_EQ(KodovaniPrilohy(L"text/plain", kodovani, "a\rb"), KODOVANI_BASE64);
        EXPECT_EQ(KodovaniPrilohy(L"text/plain", kodovani, "a\nb"), KODOVANI_BASE64);
        EXPECT_EQ(KodovaniPrilohy(L"text/plain", kodovani, "a\r\nb\r\n"), kodovani);
    }
}

// No usable recipient is a clear failure; an address that would break or be cut in the command
// is refused before anything is sent.
TEST(Smtp, NepouzitelniPrijemciJsouChybou) {
    Sokety sokety;
    struct {
        const char* popis;
        std::wstring odesilatel, prijemce, dalsi;
    } pripady[] = {
        {"empty recipients only", L"kolvex@example.cz", L"", L""},
        {"CR LF in a recipient", L"kolvex@example.cz", L"a@b.cz\r\nRCPT TO: <c@d.cz>", L""},
        {"angle bracket", L"kolvex@example.cz", L"a@b.cz>", L""},
        {"another recipient broken", L"kolvex@example.cz", L"a@b.cz", L"<x@y.cz"},
        {"overlong recipient", L"kolvex@example.cz", std::wstring(242, L'a') + L"@b.cz", L""},
        {"LF in the sender", L"kolvex@example.cz\nDATA", L"a@b.cz", L""},
        {"overlong sender", std::wstring(250, L'k') + L"@example.cz", L"a@b.cz", L""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        Prijato prijato("neplatny");
        ZaznamovySmtp smtp;
        smtp.prodlevaPoPripojeni = 0;
        smtp.NastavitPort(testy::PORT_SMTP);
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("neplatny");
        zprava.odesilatel.adresa = p.odesilatel;
        zprava.prijemce.adresa = p.prijemce;
        zprava.dalsiPrijemci = {{L"", p.dalsi}};
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), -1);
        EXPECT_EQ(smtp.chyby, std::vector<int>{-1});
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "MAIL"), 0) << "nothing reached the server";
        EXPECT_FALSE(smtp.PosledniOdpoved().empty());
        smtp.Odpojit();
        EXPECT_FALSE(prijato.Existuje());
    }
    EXPECT_TRUE(PlatnaAdresaSmtp(std::wstring(241, L'a') + L"@b.cz"));  // 246 characters
    EXPECT_FALSE(PlatnaAdresaSmtp(std::wstring(242, L'a') + L"@b.cz"));
}
