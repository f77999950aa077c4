// TLS client channel over Windows' Schannel (SSPI). Works on byte buffers only: the caller moves
// the bytes between the channel and its socket, with its own time limits.
#pragma once

#include <windows.h>
#define SECURITY_WIN32
#include <security.h>
// SCH_CREDENTIALS (TLS 1.3) and the UNICODE_STRING it names
#define SCHANNEL_USE_BLACKLISTS
#include <subauth.h>
#include <schannel.h>

#include <string>

// OveritCertifikat's result for a certificate whose validity has not begun (the system reports
// it as CERT_E_EXPIRED).
constexpr HRESULT CERTIFIKAT_JESTE_NEPLATI = MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x0201);
// The TLS alert a server sends when it speaks none of the client's protocol versions.
constexpr int UPOZORNENI_TLS_VERZE = 70;

class KanalTls {
public:
    // Credentials: SCH_CREDENTIALS with TLS 1.2 and 1.3 where the system takes it, else the older
    // SCHANNEL_CRED (the system's own versions). Tests clear it to take the older road.
    static bool zkusitSchCredentials;

    // server: the name the certificate must carry (also sent as the server name indication).
    explicit KanalTls(const std::wstring& server);
    ~KanalTls();
    KanalTls(const KanalTls&) = delete;
    KanalTls& operator=(const KanalTls&) = delete;

    // Handshake. Zahajit gives the first bytes to send; Pokracovat takes what arrived (it consumes
    // what it used from prijato and leaves the rest there) and gives bytes to send. Results:
    // SEC_I_CONTINUE_NEEDED (send odeslat, then more input is needed), SEC_E_INCOMPLETE_MESSAGE
    // (more input needed), SEC_E_OK (done; send odeslat when not empty), else the failure.
    SECURITY_STATUS Zahajit(std::string& odeslat);
    SECURITY_STATUS Pokracovat(std::string& prijato, std::string& odeslat);
    bool JeNavazany() const { return m_navazany; }

    // The server's certificate against the trusted roots and the server name (SSL policy):
    // S_OK, or the policy's error (CERT_E_UNTRUSTEDROOT, CERT_E_CN_NO_MATCH, CERT_E_EXPIRED ...;
    // CERTIFIKAT_JESTE_NEPLATI for a certificate not valid yet). A server named by its IPv4
    // address also matches the certificate's IP address entries.
    HRESULT OveritCertifikat() const;
    // The description of the last alert the server sent in the handshake, or -1.
    int UpozorneniServeru() const { return m_upozorneni; }

    // Appends the records carrying the data to vystup.
    SECURITY_STATUS Zasifrovat(const char* data, size_t n, std::string& vystup);
    // Decrypts every whole record at the start of prijato (consumed) and appends the plain text
    // to data; bytes the channel must send (a renegotiation) go to odeslat. SEC_E_OK (possibly
    // waiting for the rest of a record), SEC_I_CONTEXT_EXPIRED when the server closed TLS, else
    // the failure.
    SECURITY_STATUS Desifrovat(std::string& prijato, std::string& data, std::string& odeslat);

private:
    std::wstring m_server;
    CredHandle m_povereni{};
    CtxtHandle m_kontext{};
    bool m_maPovereni = false;
    bool m_maKontext = false;
    bool m_navazany = false;
    int m_upozorneni = -1;
    SecPkgContext_StreamSizes m_velikosti{};

    SECURITY_STATUS ZiskatPovereni();
    void NajitUpozorneni(const std::string& prijato);

    SECURITY_STATUS Krok(std::string* prijato, std::string& odeslat);
};
