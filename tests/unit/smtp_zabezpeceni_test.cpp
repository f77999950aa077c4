// Where the SMTP client's user name and password go, and how it judges the server's TLS: the
// bytes that crossed the wire in clear, the certificate's reasons in Czech, TLS 1.3.
#include <gtest/gtest.h>

#include <winsock2.h>

#include <algorithm>

#include "core/email.h"
#include "core/tls.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"
#include "unit/smtp_testu.h"

using namespace brenvald_email;
using namespace testy_smtp;

namespace {

// The login every case below sets, and how it would look on the wire.
const wchar_t* const UZIVATEL = L"uzivatel";
const wchar_t* const HESLO = L"heslo";
const char* const PRIHLASENI_NA_DRATE[] = {"AUTH", "dXppdmF0ZWw=", "aGVzbG8=", "heslo"};

// Which of the login's traces crossed in clear.
std::vector<std::string> StopyPrihlaseni(const std::string& bajty) {
    std::vector<std::string> stopy;
    for (const char* stopa : PRIHLASENI_NA_DRATE)
        if (bajty.find(stopa) != std::string::npos) stopy.push_back(stopa);
    return stopy;
}

// The client for the port with the login set, quick to give up.
void NastavitKlienta(Smtp& smtp, int port) {
    smtp.prodlevaPoPripojeni = 0;
    smtp.casovyLimitOdpovedi = 5;
    smtp.NastavitPort(static_cast<unsigned short>(port));
    smtp.uzivatel = UZIVATEL;
    smtp.heslo = HESLO;
}

// Sockets, and the test servers' authority trusted.
class SmtpZabezpeceni : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(autorita.Pridana()); }
    Sokety sokety;
    testy::DuveryhodnaAutorita autorita;
};

}  // namespace

// The user name and password go only to a server that offers a login, and only inside TLS when
// it offers TLS; a server that takes mail without a login gets it without one. A server that
// wants a login it does not offer gets none and the send fails with the reason.
TEST_F(SmtpZabezpeceni, PrihlaseniJenKdyzHoServerNabizi) {
    struct {
        const char* popis;
        int port;
        const wchar_t* odesilatel;
        int vysledek;
        std::wstring popisChyby;
        const char* prihlasen;                 // the login the server saw with the message
        std::vector<std::string> vCistemTextu;  // traces of the login in the clear bytes
    } pripady[] = {
        {"neither STARTTLS nor AUTH", testy::PORT_SMTP, L"kolvex@example.cz", 0, L"", "", {}},
        {"no AUTH, MAIL FROM answered 530", testy::PORT_SMTP, L"prihlaseni@example.cz", 530,
         L"Server požaduje přihlášení, ale žádné nenabízí; jméno a heslo mu nebyly odeslány. "
         L"530 5.7.0 Vyzadovano prihlaseni",
         nullptr, {}},
        {"HELO only", testy::PORT_SMTP_BEZ_EHLO, L"kolvex@example.cz", 0, L"", "", {}},
        {"STARTTLS, AUTH inside", testy::PORT_SMTP_TLS, L"kolvex@example.cz", 0, L"", "uzivatel", {}},
        // the control: a server that offers AUTH without TLS asks for the login in clear
        {"AUTH without STARTTLS", testy::PORT_SMTP_AUTH, L"kolvex@example.cz", 0, L"", "uzivatel",
         {"AUTH", "dXppdmF0ZWw=", "aGVzbG8="}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        testy::SuroveBajtySmtp surove(p.port);
        Prijato prijato("prihlaseni-nabizeno");
        ZaznamovySmtp smtp;
        NastavitKlienta(smtp, p.port);
        ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1) << testy::NaUtf8(smtp.PopisChyby());
        ZpravaEmail zprava = NovaZprava("prihlaseni-nabizeno");
        zprava.odesilatel.adresa = p.odesilatel;
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), p.vysledek);
        EXPECT_EQ(smtp.PopisChyby(), p.popisChyby);
        EXPECT_EQ(std::count(smtp.prikazy.begin(), smtp.prikazy.end(), "AUTH"), p.prihlasen && *p.prihlasen ? 1 : 0);
        smtp.Odpojit();  // QUIT answered: the server has logged all the client sent
        if (p.prihlasen) {
            ASSERT_TRUE(prijato.Dorazilo());
            EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), p.prihlasen);
        } else {
            EXPECT_FALSE(prijato.Existuje());
        }
        const std::string bajty = surove.Bajty();
        EXPECT_EQ(bajty.rfind("EHLO ", 0), 0u) << "the clear bytes are logged";
        EXPECT_EQ(StopyPrihlaseni(bajty), p.vCistemTextu);
    }
}

// User name and password leave as UTF-8, whatever the ANSI code page: characters outside it
// arrive whole.
TEST_F(SmtpZabezpeceni, JmenoAHesloVUtf8) {
    testy::SuroveBajtySmtp surove(testy::PORT_SMTP_AUTH);
    Prijato prijato("prihlaseni-utf8");
    ZaznamovySmtp smtp;
    smtp.prodlevaPoPripojeni = 0;
    smtp.NastavitPort(static_cast<unsigned short>(testy::PORT_SMTP_AUTH));
    smtp.uzivatel = L"uživatel Žluťoučký";
    smtp.heslo = L"heslo ěščř € 😀";
    ASSERT_EQ(smtp.Pripojit(L"127.0.0.1"), 1);
    ZpravaEmail zprava = NovaZprava("prihlaseni-utf8");
    EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0) << testy::NaUtf8(smtp.PopisChyby());
    smtp.Odpojit();
    ASSERT_TRUE(prijato.Dorazilo());
    EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), Utf8(L"uživatel Žluťoučký"));
    const std::string bajty = surove.Bajty();
    EXPECT_NE(bajty.find("dcW+aXZhdGVsIMW9bHXFpW91xI1rw70=\r\n"), std::string::npos);
    EXPECT_NE(bajty.find("aGVzbG8gxJvFocSNxZkg4oKsIPCfmIA=\r\n"), std::string::npos);
}

// A certificate the client refuses says why in Czech, and nothing but EHLO and STARTTLS crossed;
// a certificate that names the server by its address alone is the server's.
TEST_F(SmtpZabezpeceni, CertifikatyServeru) {
    struct {
        const char* popis;
        int port;
        std::wstring chyba;  // empty: connected and sent
    } pripady[] = {
        {"expired", testy::PORT_SMTP_TLS_PROSLY,
         L"Platnost certifikátu serveru \"127.0.0.1\" skončila; nic nebylo odesláno."},
        {"not valid yet", testy::PORT_SMTP_TLS_BUDOUCI,
         L"Certifikát serveru \"127.0.0.1\" ještě neplatí (zkontrolujte i datum a čas počítače); nic nebylo "
         L"odesláno."},
        {"for clients only", testy::PORT_SMTP_TLS_PRO_KLIENTA,
         L"Certifikát serveru \"127.0.0.1\" není určen k ověření serveru; nic nebylo odesláno."},
        {"the address as an IP entry only", testy::PORT_SMTP_TLS_JEN_ADRESA, L""},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.popis);
        testy::ZaznamSmtp zaznam;
        testy::SuroveBajtySmtp surove(p.port);
        Prijato prijato("certifikat");
        ZaznamovySmtp smtp;
        NastavitKlienta(smtp, p.port);
        EXPECT_EQ(smtp.Pripojit(L"127.0.0.1"), p.chyba.empty() ? 1 : 0);
        EXPECT_EQ(smtp.PopisChyby(), p.chyba);
        EXPECT_EQ(smtp.JeSifrovane(), p.chyba.empty());
        ZpravaEmail zprava = NovaZprava("certifikat");
        EXPECT_EQ(smtp.OdeslatZpravu(zprava), p.chyba.empty() ? 0 : -1) << testy::NaUtf8(smtp.PopisChyby());
        smtp.Odpojit();
        std::vector<std::string> ocekavane = {"PLAIN EHLO", "PLAIN STARTTLS"};
        if (p.chyba.empty()) {
            ASSERT_TRUE(prijato.Dorazilo());
            EXPECT_EQ(Radek(prijato.Soubor(L"obalka.txt"), "PRIHLASEN"), "uzivatel");
            ocekavane.insert(ocekavane.end(), {"TLS EHLO", "TLS AUTH", "TLS MAIL", "TLS DATA"});
        } else {
            testy::CekatNa([] { return false; }, 200);  // the server's side settles
            EXPECT_FALSE(prijato.Existuje());
        }
        EXPECT_EQ(zaznam.Prikazy(p.port), ocekavane);
        EXPECT_EQ(StopyPrihlaseni(surove.Bajty()), std::vector<std::string>{});
    }
}

// The reasons for the refusals a loopback server cannot show (revocation needs the issuer's
// list), beside those it can.
TEST_F(SmtpZabezpeceni, DuvodyOdmitnutiCertifikatu) {
    struct {
        HRESULT vysledek;
        std::wstring text;
    } pripady[] = {
        {S_OK, L""},
        {CERT_E_EXPIRED, L"Platnost certifikátu serveru \"mail.example.cz\" skončila; nic nebylo odesláno."},
        {CERTIFIKAT_JESTE_NEPLATI,
         L"Certifikát serveru \"mail.example.cz\" ještě neplatí (zkontrolujte i datum a čas počítače); nic nebylo "
         L"odesláno."},
        {CERT_E_REVOKED, L"Certifikát serveru \"mail.example.cz\" jeho vydavatel odvolal; nic nebylo odesláno."},
        {CRYPT_E_REVOKED, L"Certifikát serveru \"mail.example.cz\" jeho vydavatel odvolal; nic nebylo odesláno."},
        {CERT_E_WRONG_USAGE,
         L"Certifikát serveru \"mail.example.cz\" není určen k ověření serveru; nic nebylo odesláno."},
        {CERT_E_UNTRUSTEDROOT,
         L"Certifikát serveru \"mail.example.cz\" nevydala důvěryhodná certifikační autorita; nic nebylo odesláno."},
        {CERT_E_CN_NO_MATCH, L"Certifikát serveru nepatří serveru \"mail.example.cz\" z nastavení; nic nebylo odesláno."},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.vysledek);
        EXPECT_EQ(PopisOdmitnutehoCertifikatu(p.vysledek, L"mail.example.cz"), p.text);
    }
    // anything else keeps the system's reason after the common sentence
    EXPECT_EQ(PopisOdmitnutehoCertifikatu(CERT_E_CRITICAL, L"mail.example.cz")
                  .rfind(L"Certifikát serveru \"mail.example.cz\" není platný; nic nebylo odesláno. ", 0),
              0u);
}

// A server that speaks TLS 1.3 only: the system's newest TLS reaches it, or the send fails with
// the reason, never silently and never in clear. Under Wine 8 Schannel speaks TLS 1.2 at most,
// through either credential structure; the older one (the road of systems without the newer)
// must still reach a TLS 1.2 server.
TEST_F(SmtpZabezpeceni, Tls13) {
    const std::wstring jenNovejsi =
        L"Server \"127.0.0.1\" přijímá jen novější verzi šifrování (TLS), než jakou umí tento systém; nic nebylo "
        L"odesláno.";
    struct Obnovit {
        ~Obnovit() { KanalTls::zkusitSchCredentials = true; }
    } obnovit;
    for (bool novaStruktura : {true, false}) {
        KanalTls::zkusitSchCredentials = novaStruktura;
        for (int port : {testy::PORT_SMTP_TLS13, testy::PORT_SMTP_TLS}) {
            SCOPED_TRACE(std::string(novaStruktura ? "SCH_CREDENTIALS " : "SCHANNEL_CRED ") +
                         (port == testy::PORT_SMTP_TLS ? "TLS 1.2" : "TLS 1.3 only"));
            testy::ZaznamSmtp zaznam;
            testy::SuroveBajtySmtp surove(port);
            ZaznamovySmtp smtp;
            NastavitKlienta(smtp, port);
            const int pripojeno = smtp.Pripojit(L"127.0.0.1");
            if (port == testy::PORT_SMTP_TLS) {
                EXPECT_EQ(pripojeno, 1) << testy::NaUtf8(smtp.PopisChyby());
            }
            if (pripojeno) {
                EXPECT_TRUE(smtp.JeSifrovane());
                ZpravaEmail zprava = NovaZprava("tls13");
                EXPECT_EQ(smtp.OdeslatZpravu(zprava), 0) << testy::NaUtf8(smtp.PopisChyby());
                smtp.Odpojit();
                const std::vector<std::string> prikazy = zaznam.Prikazy(port);
                EXPECT_EQ(std::count(prikazy.begin(), prikazy.end(), "TLS AUTH"), 1);
                EXPECT_EQ(std::count(prikazy.begin(), prikazy.end(), "TLS DATA"), 1);
            } else {
                EXPECT_EQ(smtp.PopisChyby(), jenNovejsi);
                EXPECT_EQ(smtp.chyby, std::vector<int>{-1});
                testy::CekatNa([] { return false; }, 200);  // the server's side settles
                EXPECT_EQ(zaznam.Prikazy(port), (std::vector<std::string>{"PLAIN EHLO", "PLAIN STARTTLS"}));
            }
            EXPECT_EQ(StopyPrihlaseni(surove.Bajty()), std::vector<std::string>{});
        }
    }
}
