#include <gtest/gtest.h>

#include <winsock2.h>

#include <algorithm>

#include "core/email.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"
#include "unit/smtp_testu.h"

using namespace brenvald_email;
using namespace testy_smtp;

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
    EXPECT_FALSE(smtp.JeSifrovane()) << "no STARTTLS offered: plain, as before";
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
        // A wrong password is sent once: "try again" without another password does not resend
        // it, and the message is not offered to the server.
        Prijato prijato("spatne-heslo");
        ZaznamovySmtp smtp;
        smtp.odpovedNaVarovani = 1;
        smtp.NastavitPort(testy::PORT_SMTP_AUTH);
        smtp.uzivatel = L"uzivatel";
        smtp.heslo = L"spatne";
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("spatne-heslo");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 535);
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), 1);
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "MAIL"), 0);
        EXPECT_EQ(smtp.PopisChyby(), L"Server odmítl přihlášení: 535 5.7.8 Authentication credentials invalid");
        smtp.Odpojit();
        EXPECT_FALSE(prijato.Existuje());
    }
    {
        // A client that asks for another password after the refusal logs in with it.
        class OpravneHeslo : public ZaznamovySmtp {
        public:
            int PriVarovani(int kod, const std::wstring& text) override {
                ZaznamovySmtp::PriVarovani(kod, text);
                heslo = L"heslo";
                return 1;
            }
        };
        Prijato prijato("opravene-heslo");
        OpravneHeslo smtp;
        smtp.NastavitPort(testy::PORT_SMTP_AUTH);
        smtp.uzivatel = L"uzivatel";
        smtp.heslo = L"spatne";
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
        ZpravaEmail zprava = NovaZprava("opravene-heslo");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0);
        EXPECT_EQ(smtp.varovani, std::vector<int>{535});
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), 2);
        smtp.Odpojit();
        ASSERT_TRUE(prijato.Dorazilo());
        EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), "uzivatel");
    }
}

// A refused login ends the send with the server's answer, without a second try; a server that
// falls silent at the login is a time-out.
TEST(Smtp, OdmitnutePrihlaseniKonciBezOpakovani) {
    Sokety sokety;
    struct {
        const wchar_t* uzivatel;
        int pripojeno;
        int vysledek;
        std::wstring popis;
    } pripady[] = {
        {L"odmitnout535", 1, 535, L"Server odmítl přihlášení: 535 5.7.8 Prihlaseni odmitnuto"},
        {L"odmitnout530", 1, 530, L"Server odmítl přihlášení: 530 5.7.0 Ucet je zablokovan"},
        {L"ticho", 0, -1, L"Server neodpověděl do 2 s."},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(testy::NaUtf8(p.uzivatel));
        testy::ZaznamSmtp zaznam;
        ZaznamovySmtp smtp;
        smtp.odpovedNaVarovani = 1;  // "try again" brings no other password
        smtp.casovyLimitOdpovedi = 2;
        smtp.prodlevaPoPripojeni = 0;
        smtp.NastavitPort(testy::PORT_SMTP_PRIHLASENI);
        smtp.uzivatel = p.uzivatel;
        smtp.heslo = L"spatne";
        const ULONGLONG zacatek = ::GetTickCount64();
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), p.pripojeno);
        if (p.pripojeno) {
            ZpravaEmail zprava = NovaZprava("odmitnute-prihlaseni");
            EXPECT_EQ(smtp.OdeslatZpravu(zprava), p.vysledek);
            EXPECT_EQ(smtp.OdeslatZpravu(zprava), p.vysledek) << "a second message does not log in again";
        }
        EXPECT_EQ(smtp.PopisChyby(), p.popis);
        EXPECT_LT(::GetTickCount64() - zacatek, 5000u);
        EXPECT_FALSE(smtp.chyby.empty());
        smtp.Odpojit();
        const std::vector<std::string> prikazy = zaznam.Prikazy(testy::PORT_SMTP_PRIHLASENI);
        EXPECT_EQ(std::count(prikazy.begin(), prikazy.end(), "PLAIN AUTH"), 1);
        EXPECT_EQ(std::count(prikazy.begin(), prikazy.end(), "PLAIN MAIL"), 0);
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

namespace {

// A message with a binary attachment larger than one piece and a text one, for the TLS tests.
struct ZpravaSPrilohami {
    testy::DocasnaSlozka slozka;
    std::string binarni, text;
    ZpravaEmail zprava;
    explicit ZpravaSPrilohami(const std::string& test) : zprava(NovaZprava(test)) {
        std::vector<BYTE> bajty = testy::Vzor(70000);
        binarni.assign(bajty.begin(), bajty.end());
        text = ".tečka na začátku\r\n.\r\nkonec";
        testy::ZapsatSoubor(slozka.Cesta() + L"\\opis.png", binarni);
        testy::ZapsatSoubor(slozka.Cesta() + L"\\poznámka.txt", text);
        zprava.prilohy = {{L"", L"", L"", 0, slozka.Cesta() + L"\\opis.png", L"", false},
                          {L"", L"", L"", 0, slozka.Cesta() + L"\\poznámka.txt", L"", false}};
    }
};

class PrubehSmtp : public ZaznamovySmtp {
public:
    std::vector<size_t> odeslano;
    int PriOdesilani(const char*, size_t n, size_t celkem) override {
        odeslano.push_back(n);
        this->celkem = celkem;
        return 1;
    }
    size_t celkem = 0;
};

}  // namespace

// A server that offers STARTTLS gets the password and the message only inside TLS, with the
// certificate checked; the message arrives byte for byte, with progress as over plain TCP.
TEST(Smtp, StarttlsSifrujePrihlaseniIZpravu) {
    Sokety sokety;
    testy::DuveryhodnaAutorita autorita;
    ASSERT_TRUE(autorita.Pridana());
    testy::ZaznamSmtp zaznam;
    Prijato prijato("tls");
    ZpravaSPrilohami z("tls");
    PrubehSmtp smtp;
    smtp.NastavitPort(testy::PORT_SMTP_TLS);
    smtp.uzivatel = L"uzivatel";
    smtp.heslo = L"heslo";
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1) << testy::NaUtf8(smtp.PopisChyby());
    EXPECT_TRUE(smtp.JeSifrovane());
    EXPECT_TRUE(smtp.JeRozsirene());
    EXPECT_EQ(smtp.OdeslatZpravu(z.zprava), 0) << testy::NaUtf8(smtp.PopisChyby());
    EXPECT_EQ(smtp.Ukoncit(), 0);
    smtp.Odpojit();
    EXPECT_TRUE(smtp.chyby.empty());

    const std::vector<std::string> ocekavane = {"PLAIN EHLO", "PLAIN STARTTLS", "TLS EHLO", "TLS AUTH", "TLS MAIL",
                                                "TLS DATA"};
    EXPECT_EQ(zaznam.Prikazy(testy::PORT_SMTP_TLS), ocekavane);
    ASSERT_TRUE(prijato.Dorazilo());
    EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), "uzivatel");
    EXPECT_EQ(prijato.Soubor(L"defekty.txt"), "");
    EXPECT_EQ(prijato.Soubor(L"priloha-0.data"), z.binarni);
    EXPECT_EQ(prijato.Soubor(L"priloha-1.data"), z.text);
    EXPECT_EQ(prijato.Soubor(L"text-0.txt"), "Text.");
    // the long DATA text went in pieces, each reported
    ASSERT_GT(smtp.odeslano.size(), 90u);
    EXPECT_EQ(smtp.odeslano.back(), smtp.celkem);
    EXPECT_TRUE(std::is_sorted(smtp.odeslano.begin(), smtp.odeslano.end()));
}

// Once STARTTLS was offered, every failure of it ends the connection with its own message:
// no login, no message and no plain retry.
TEST(Smtp, SelhaniStarttlsNikdyNepokracujeNesifrovane) {
    Sokety sokety;
    testy::DuveryhodnaAutorita autorita;
    ASSERT_TRUE(autorita.Pridana());
    struct {
        const char* popis;
        int port;
        std::wstring zprava;
        std::vector<std::string> prikazy;
    } pripady[] = {
        {"certificate for another name", testy::PORT_SMTP_TLS_JINY_NAZEV,
         L"Certifikát serveru nepatří serveru \"127.0.0.1\" z nastavení; nic nebylo odesláno.",
         {"PLAIN EHLO", "PLAIN STARTTLS"}},
        {"untrusted authority", testy::PORT_SMTP_TLS_CIZI,
         L"Certifikát serveru \"127.0.0.1\" nevydala důvěryhodná certifikační autorita; nic nebylo odesláno.",
         {"PLAIN EHLO", "PLAIN STARTTLS"}},
        {"STARTTLS refused", testy::PORT_SMTP_TLS_ODMITNUTO,
         L"Server nabízí šifrované spojení (STARTTLS), ale odmítl ho zahájit: 454 4.7.0 TLS neni k dispozici",
         {"EHLO", "STARTTLS"}},
        {"closed inside the handshake", testy::PORT_SMTP_TLS_ZAVRENO,
         L"Šifrované spojení (TLS) se serverem se nepodařilo navázat. Server ukončil spojení.", {"EHLO", "STARTTLS"}},
        {"silent inside the handshake", testy::PORT_SMTP_TLS_TICHO,
         L"Šifrované spojení (TLS) se serverem se nepodařilo navázat. Server neodpověděl do 2 s.",
         {"EHLO", "STARTTLS"}},
    };
    for (auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        // the scripted servers log without knowing TLS: their lines say PLAIN
        if (p.prikazy[0] == "EHLO")
            for (std::string& prikaz : p.prikazy) prikaz = "PLAIN " + prikaz;
        testy::ZaznamSmtp zaznam;
        ZaznamovySmtp smtp;
        smtp.casovyLimitOdpovedi = 2;
        smtp.prodlevaPoPripojeni = 0;
        smtp.NastavitPort(static_cast<unsigned short>(p.port));
        smtp.uzivatel = L"uzivatel";
        smtp.heslo = L"heslo";
        const ULONGLONG zacatek = ::GetTickCount64();
        EXPECT_EQ(smtp.Pripojit(L"127.0.0.1"), 0);
        EXPECT_LT(::GetTickCount64() - zacatek, 5000u) << "no hang";
        EXPECT_EQ(smtp.PopisChyby(), p.zprava);
        EXPECT_FALSE(smtp.JePripojeno());
        EXPECT_FALSE(smtp.JeSifrovane());
        EXPECT_EQ(smtp.chyby, std::vector<int>{-1});
        ZpravaEmail zprava = NovaZprava("tls-selhani");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), -1) << "nothing goes over a failed connection";
        // the servers' side settles before their log is read
        testy::CekatNa([&] { return false; }, 200);
        EXPECT_EQ(zaznam.Prikazy(p.port), p.prikazy);
    }
}

// The reply limit holds inside TLS: a server silent after the upgrade ends the send in time.
TEST(Smtp, CasovyLimitPlatiIVSifrovanemSpojeni) {
    Sokety sokety;
    testy::DuveryhodnaAutorita autorita;
    ASSERT_TRUE(autorita.Pridana());
    testy::ZaznamSmtp zaznam;
    ZaznamovySmtp smtp;
    smtp.casovyLimitOdpovedi = 2;
    smtp.prodlevaPoPripojeni = 0;
    smtp.NastavitPort(testy::PORT_SMTP_TLS_TICHO_PRI_AUTH);
    smtp.uzivatel = L"uzivatel";
    smtp.heslo = L"heslo";
    const ULONGLONG zacatek = ::GetTickCount64();
    EXPECT_EQ(smtp.Pripojit(L"127.0.0.1"), 0);
    const ULONGLONG trvani = ::GetTickCount64() - zacatek;
    EXPECT_GE(trvani, 1900u);
    EXPECT_LT(trvani, 5000u);
    EXPECT_EQ(smtp.PopisChyby(), L"Server neodpověděl do 2 s.");
    EXPECT_FALSE(smtp.JePripojeno());
    const std::vector<std::string> ocekavane = {"PLAIN EHLO", "PLAIN STARTTLS", "TLS EHLO", "TLS AUTH"};
    EXPECT_EQ(zaznam.Prikazy(testy::PORT_SMTP_TLS_TICHO_PRI_AUTH), ocekavane);
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
    EXPECT_EQ(smtp.PopisChyby(), L"Server neodpověděl do 2 s.") << "a time-out, not a refused connection";
    // Nothing after the silent EHLO: no HELO, no QUIT.
    EXPECT_EQ(smtp.prikazy, std::vector<std::string>{""});

    // A closed port fails at once.
    Smtp nikdo;
    nikdo.NastavitPort(static_cast<unsigned short>(testy::PORT_ZAVRENY));
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
