// Addresses of the loopback test servers (tests/servery) and their output folder.
#pragma once

#include <windows.h>
#include <wincrypt.h>

#include <sstream>
#include <string>
#include <vector>

#include "knihovna/text.h"
#include "podpora/pomocnik.h"

namespace testy {

inline const int PORT_HTTP = PrvniPortServeru();
inline const int PORT_SMTP = PrvniPortServeru() + 1;  // no STARTTLS, no AUTH; 530 for a sender "prihlaseni..."
inline const int PORT_SMTP_AUTH = PrvniPortServeru() + 2;
inline const int PORT_SMTP_BEZ_EHLO = PrvniPortServeru() + 3;
inline const int PORT_SMTP_TICHY = PrvniPortServeru() + 4;
inline const int PORT_SMTP_TLS = PrvniPortServeru() + 5;             // STARTTLS, certificate for 127.0.0.1
inline const int PORT_SMTP_TLS_JINY_NAZEV = PrvniPortServeru() + 6;  // certificate for another name
inline const int PORT_SMTP_TLS_CIZI = PrvniPortServeru() + 7;        // certificate of an untrusted authority
inline const int PORT_SMTP_TLS_ODMITNUTO = PrvniPortServeru() + 8;   // offers STARTTLS, refuses it
inline const int PORT_SMTP_TLS_ZAVRENO = PrvniPortServeru() + 9;     // closes inside the handshake
inline const int PORT_SMTP_TLS_TICHO = PrvniPortServeru() + 10;      // falls silent inside the handshake
inline const int PORT_SMTP_PRIHLASENI = PrvniPortServeru() + 11;     // login answer by user name
inline const int PORT_SMTP_TLS_TICHO_PRI_AUTH = PrvniPortServeru() + 12;  // silent inside TLS at AUTH
inline const int PORT_SMTP_TLS13 = PrvniPortServeru() + 13;            // STARTTLS into TLS 1.3 only
inline const int PORT_SMTP_TLS_PROSLY = PrvniPortServeru() + 14;       // expired certificate
inline const int PORT_SMTP_TLS_BUDOUCI = PrvniPortServeru() + 15;      // certificate not valid yet
inline const int PORT_SMTP_TLS_JEN_ADRESA = PrvniPortServeru() + 16;   // names 127.0.0.1 as an IP entry only
inline const int PORT_SMTP_TLS_PRO_KLIENTA = PrvniPortServeru() + 17;  // for client authentication only
// The port after the servers': nothing listens there, so a connection is refused.
inline const int PORT_ZAVRENY = PrvniPortServeru() + 18;

// A Unix path of the build tree as Wine sees it (drive Z: is the root).
inline std::wstring CestaZUnixu(const char* unix) {
    std::wstring cesta = L"Z:" + knihovna::NaSiroky(unix, CP_UTF8);
    for (wchar_t& z : cesta)
        if (z == L'/') z = L'\\';
    return cesta;
}

inline std::wstring SlozkaServeru() { return CestaZUnixu((TESTY_SERVERY_DIR + PriponaBehu()).c_str()); }
inline std::wstring SlozkaPomocnych() { return CestaZUnixu(TESTY_POMOCNE_DIR); }

inline std::wstring UrlHttp(const std::wstring& cesta) {
    return L"http://127.0.0.1:" + std::to_wstring(PORT_HTTP) + cesta;
}

// The bytes /bajty/N and /chunked/N send.
inline std::vector<BYTE> Vzor(size_t n) {
    std::vector<BYTE> data(n);
    for (size_t i = 0; i < n; ++i) data[i] = static_cast<BYTE>((i * 7 + 3) % 251);
    return data;
}

inline std::string NaUtf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

inline bool PrecistSoubor(const std::wstring& cesta, std::string& obsah) {
    HANDLE f = ::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    obsah.clear();
    char kus[65536];
    DWORD n = 0;
    while (::ReadFile(f, kus, sizeof(kus), &n, nullptr) && n > 0) obsah.append(kus, n);
    ::CloseHandle(f);
    return true;
}

inline bool ZapsatSoubor(const std::wstring& cesta, const std::string& obsah) {
    HANDLE f = ::CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = ::WriteFile(f, obsah.data(), static_cast<DWORD>(obsah.size()), &n, nullptr) && n == obsah.size();
    ::CloseHandle(f);
    return ok;
}

// The servers' test authority trusted by the current user (the ROOT store of the test prefix)
// while the object lives.
class DuveryhodnaAutorita {
public:
    DuveryhodnaAutorita() {
        std::string der;
        if (!PrecistSoubor(SlozkaServeru() + L"\\tls\\autorita.der", der) || der.empty()) return;
        m_uloziste = ::CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
        if (m_uloziste)
            ::CertAddEncodedCertificateToStore(m_uloziste, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                               static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING,
                                               &m_certifikat);
        // the registry store writes on commit: the chain engine opens the roots afresh
        if (m_certifikat) ::CertControlStore(m_uloziste, 0, CERT_STORE_CTRL_COMMIT, nullptr);
    }
    ~DuveryhodnaAutorita() {
        if (m_certifikat) ::CertDeleteCertificateFromStore(m_certifikat);  // frees the context too
        if (m_uloziste) {
            ::CertControlStore(m_uloziste, 0, CERT_STORE_CTRL_COMMIT, nullptr);
            ::CertCloseStore(m_uloziste, 0);
        }
    }
    DuveryhodnaAutorita(const DuveryhodnaAutorita&) = delete;
    DuveryhodnaAutorita& operator=(const DuveryhodnaAutorita&) = delete;
    bool Pridana() const { return m_certifikat != nullptr; }

private:
    HCERTSTORE m_uloziste = nullptr;
    PCCERT_CONTEXT m_certifikat = nullptr;
};

// The commands the SMTP servers logged (servery/smtp.log) from the object's creation on, of one
// port, each as "TLS AUTH" or "PLAIN EHLO".
class ZaznamSmtp {
public:
    ZaznamSmtp() { m_zacatek = Obsah().size(); }
    std::vector<std::string> Prikazy(int port) const {
        std::vector<std::string> prikazy;
        std::istringstream radky(Obsah().substr(m_zacatek));
        std::string radek;
        const std::string predpona = std::to_string(port) + " ";
        while (std::getline(radky, radek))
            if (radek.rfind(predpona, 0) == 0) prikazy.push_back(radek.substr(predpona.size()));
        return prikazy;
    }

private:
    size_t m_zacatek = 0;
    static std::string Obsah() {
        std::string obsah;
        PrecistSoubor(SlozkaServeru() + L"\\smtp.log", obsah);
        return obsah;
    }
};

// The bytes that arrived unencrypted at one SMTP server's port (servery/surove-<port>.bin) from
// the object's creation on.
class SuroveBajtySmtp {
public:
    explicit SuroveBajtySmtp(int port) : m_port(port) { m_zacatek = Obsah().size(); }
    std::string Bajty() const {
        const std::string obsah = Obsah();
        return obsah.size() > m_zacatek ? obsah.substr(m_zacatek) : std::string();
    }

private:
    int m_port;
    size_t m_zacatek = 0;
    std::string Obsah() const {
        std::string obsah;
        PrecistSoubor(SlozkaServeru() + L"\\surove-" + std::to_wstring(m_port) + L".bin", obsah);
        return obsah;
    }
};

}  // namespace testy
