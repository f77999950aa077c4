// E-mail: the message record with its body parts and attachments, its MIME composition, the
// Base64 coder and the SMTP client that sends a composed message.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class KanalTls;

namespace brenvald_email {

// Base64 of RFC 4648; encoding gives one line without breaks, decoding skips white space and
// characters outside the alphabet and stops at padding.
class Base64 {
public:
    virtual ~Base64() = default;

    void Zakodovat(const void* data, size_t n);
    void ZakodovatText(const char* text);
    void Dekodovat(const char* text, size_t n);
    void DekodovatText(const char* text);

    const std::string& Text() const { return m_text; }  // after encoding
    const std::string& Data() const { return m_data; }  // after decoding

    static std::string Kodovat(const void* data, size_t n);

private:
    std::string m_text;
    std::string m_data;
};

// Transfer encodings of a body.
enum KodovaniPrenosu : int {
    KODOVANI_AUTOMATICKY = 0,
    KODOVANI_7BIT = 1,
    KODOVANI_8BIT = 2,
    KODOVANI_QUOTED_PRINTABLE = 3,
    KODOVANI_BASE64 = 4,
};

// Kinds of a multipart message.
enum DruhMultipart : int { MULTIPART_AUTOMATICKY = 0, MULTIPART_MIXED = 1, MULTIPART_ALTERNATIVE = 2, MULTIPART_RELATED = 3 };

struct AdresaEmailu {
    std::wstring jmeno;
    std::wstring adresa;
};

// One body text. The text is sent in the charset named here; a charset that cannot carry the
// text (or is unknown) is replaced by "utf-8", so the label always matches the bytes.
struct CastZpravyEmail {
    std::wstring typObsahu = L"text/plain";
    std::wstring znakovaSada = L"utf-8";
    std::wstring idObsahu;
    int kodovani = KODOVANI_AUTOMATICKY;
    std::wstring text;
};

// One attached file, sent byte for byte. The content type comes from the caller, else from
// the file's last extension (registry, then a small built-in table), else
// application/octet-stream. A charset is declared for text types only when one is set here.
struct PrilohaEmailu {
    std::wstring typObsahu;
    std::wstring znakovaSada;
    std::wstring idObsahu;
    int kodovani = KODOVANI_AUTOMATICKY;
    std::wstring cesta;
    std::wstring jmeno;  // empty: the last component of the path
    bool vlozena = false;
};

class ZpravaEmail {
public:
    ZpravaEmail();

    AdresaEmailu odesilatel;
    AdresaEmailu prijemce;
    std::wstring predmet;
    std::vector<CastZpravyEmail> casti;
    std::vector<AdresaEmailu> dalsiPrijemci;  // in the To header
    std::vector<AdresaEmailu> skrytiPrijemci; // given to the server only
    std::vector<PrilohaEmailu> prilohy;
    // Header fields in order (names compared exactly); written from the last to the first.
    // Values are ASCII; callers may add their own before composing.
    std::vector<std::pair<std::string, std::string>> hlavicky;
    SYSTEMTIME casVytvoreni;
    int druhMultipart = MULTIPART_AUTOMATICKY;
    std::wstring idZpravy;  // without angle brackets; empty: no Message-ID
    int posunZony;          // hours * 100 + minutes east of UTC

    // The whole message as sent after DATA (without the final "."). S_OK, or the error of an
    // attachment that cannot be read, whose path is then given in chybnaPriloha.
    HRESULT SestavitText(std::string& text, std::wstring* chybnaPriloha = nullptr);
    void PripravitHlavicky();

    void NastavitHlavicku(const std::string& nazev, const std::string& hodnota);
    void OdebratHlavicku(const std::string& nazev);
    const std::string* NajitHlavicku(const std::string& nazev) const;
};

// Encodes one body (8-bit data); kodovani 0 chooses by content. nazev gets the encoding's name.
std::string ZakodovatObsah(int kodovani, const std::string& data, std::string& nazev);
// The encoding of an attachment: Base64 for anything but text, and for text that a line-based
// encoding would not carry byte for byte; else the one asked for.
int KodovaniPrilohy(const std::wstring& typObsahu, int kodovani, const std::string& data);

// Longest address the MAIL FROM and RCPT TO commands carry.
constexpr size_t DELKA_ADRESY_SMTP = 246;
// Not empty, not longer than DELKA_ADRESY_SMTP, without CR, LF, "<" or ">".
bool PlatnaAdresaSmtp(const std::wstring& adresa);
// Why the certificate of the server (as named in the settings) was refused, in Czech, for a
// result of KanalTls::OveritCertifikat; empty for S_OK.
std::wstring PopisOdmitnutehoCertifikatu(HRESULT vysledek, const std::wstring& server);
// The automatic choice: base64 for data that is mostly not text, quoted-printable for a line
// longer than 76 bytes, 8bit for any other byte outside printable ASCII, else 7bit.
int ZvolitKodovani(const std::string& data);
std::string KodovatQuotedPrintable(const std::string& data);
// Splits lines longer than 76 characters after a break character (" -;.,?!") or at 76.
std::string ZalomitRadky(const std::string& data);
// Time-zone offset (hours * 100 + minutes east of UTC) of a bias in minutes west of UTC.
int PosunZonyZBiasu(LONG bias);
// A header value: ASCII as it is, anything else as RFC 2047 encoded words (UTF-8, Base64).
std::string KodovatHlavicku(const std::wstring& text);
// The text in the named charset; a charset that cannot carry it becomes "utf-8".
std::string PrevestDoZnakoveSady(const std::wstring& text, std::wstring& znakovaSada);
// Content type of a file name by its last extension.
std::wstring TypObsahuSouboru(const std::wstring& jmeno);

class Smtp {
public:
    Smtp();
    virtual ~Smtp();
    Smtp(const Smtp&) = delete;
    Smtp& operator=(const Smtp&) = delete;

    // Notification of a non-fatal refusal; after a refused login a result of 1 tries again, but
    // only with another user name or password set here (the same login is never sent twice).
    virtual int PriVarovani(int kod, const std::wstring& text);
    // Notification of a failed step.
    virtual int PriChybe(int kod, const std::wstring& text);
    // After every reply read.
    virtual void PriOdpovedi(const std::string& prikaz, int kod, const std::wstring& text);
    // While a long command is sent; 0 aborts.
    virtual int PriOdesilani(const char* data, size_t odeslano, size_t celkem);

    // 1 when connected and greeted, else 0 (the socket is then closed). When the server offers
    // STARTTLS the connection is encrypted first (the certificate must be trusted and carry the
    // name given here) and greeted again; a failure then ends the connection, never a plain retry.
    int Pripojit(const std::wstring& server);
    // 0 accepted; -1 no sender or recipient, an address that cannot be sent (CR, LF, "<", ">",
    // too long), an attachment that cannot be read, or a broken connection; else the refusing
    // reply code.
    int OdeslatZpravu(ZpravaEmail& zprava);
    int Ukoncit();
    void Odpojit();

    // Sends a command (8-bit, or empty to read only) and reads one reply; the code or -1.
    int OdeslatPrikaz(const std::string& prikaz);
    int Pozdravit();
    // AUTH LOGIN, with the user name and password in UTF-8, when a user name is set and the
    // server's last EHLO offered AUTH; else 0 and nothing is sent.
    int Autentizovat();
    int OdeslatOdesilatele(const std::wstring& adresa);
    int OdeslatPrijemce(const std::wstring& adresa);
    int OdeslatData(ZpravaEmail& zprava);

    void NastavitPort(unsigned short port) { m_port = htons(port); }
    bool JePripojeno() const { return m_pripojeno; }
    bool JeRozsirene() const { return m_rozsirene; }
    const std::wstring& PosledniOdpoved() const { return m_posledniOdpoved; }
    bool JeSifrovane() const { return static_cast<bool>(m_tls); }
    // Why the last step failed when it was not a plain refusal of the server (a time-out, a
    // closed connection, the encryption or its certificate, a refused login); else empty.
    const std::wstring& PopisChyby() const { return m_popisChyby; }

    bool zkusitEhlo = true;
    int casovyLimitOdpovedi = 30;       // seconds for each reply, each send and the connect
    DWORD prodlevaPoPripojeni = 1000;   // ms before the greeting is read
    int pokusyPrihlaseni = 3;           // MAIL FROM answered 530 at most this often
    std::wstring uzivatel;
    std::wstring heslo;

private:
    u_short m_port;
    SOCKET m_soket = INVALID_SOCKET;
    std::wstring m_posledniOdpoved;
    std::string m_prijato;  // received bytes not yet consumed (plain text)
    std::vector<std::string> m_radky;  // the lines of the last reply
    bool m_pripojeno = false;
    bool m_rozsirene = false;
    bool m_nabiziPrihlaseni = false;  // the last EHLO offered AUTH
    std::wstring m_server;
    std::unique_ptr<KanalTls> m_tls;  // set once STARTTLS succeeded
    std::string m_sifrovane;          // received TLS records not yet decrypted
    std::wstring m_popisChyby;
    // The login the server refused on this connection: never sent again.
    int m_odmitnutyKod = 0;
    std::wstring m_odmitnutyUzivatel;
    std::wstring m_odmitnuteHeslo;
    std::wstring m_odmitnutaOdpoved;

    bool Poslat(const std::string& data, bool hlasitPrubeh);
    bool PoslatSurove(const char* data, size_t n);
    int PrijmoutSurove(ULONGLONG konec, std::string& kam);
    bool Prijmout(ULONGLONG konec);
    bool Nabizi(const char* rozsireni) const;
    int ZahajitTls();
    int SelhaniTls(const std::wstring& popis);
    bool PrihlaseniOdmitnuto() const;
    int OdmitnoutAdresu(const std::wstring& adresa);
    bool Sestavit(ZpravaEmail& zprava, std::string& text);
    bool OdpovedNaVyzvu(const std::string& vyzva, std::string& odpoved) const;
    int OdeslatText(const std::string& text);
    int PrecistOdpoved();
    int Selhani(int kod);
    void ZavritSoket();
};

}  // namespace brenvald_email
