#include "core/tls.h"

#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr DWORD POZADAVKY = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                            ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM | ISC_REQ_EXTENDED_ERROR |
                            ISC_REQ_MANUAL_CRED_VALIDATION;

// SSL_EXTRA_CERT_CHAIN_POLICY_PARA.fdwChecks: leave out the name check (wininet.h's
// SECURITY_FLAG_IGNORE_CERT_CN_INVALID).
constexpr DWORD BEZ_KONTROLY_NAZVU = 0x00001000;

// The four bytes of a dotted decimal IPv4 address ("192.0.2.1"), nothing else (a leading zero
// would read as octal where the connection is made).
bool AdresaIPv4(const std::wstring& text, BYTE adresa[4]) {
    size_t i = 0;
    for (int cast = 0; cast < 4; ++cast) {
        if (cast > 0 && (i >= text.size() || text[i++] != L'.')) return false;
        const size_t zacatek = i;
        unsigned hodnota = 0;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && i - zacatek < 3)
            hodnota = hodnota * 10 + static_cast<unsigned>(text[i++] - L'0');
        if (i == zacatek || hodnota > 255 || (text[zacatek] == L'0' && i - zacatek > 1)) return false;
        adresa[cast] = static_cast<BYTE>(hodnota);
    }
    return i == text.size();
}

// Whether the certificate's subject alternative names hold the IPv4 address.
bool NeseAdresu(PCCERT_CONTEXT certifikat, const BYTE adresa[4]) {
    PCERT_EXTENSION rozsireni = ::CertFindExtension(szOID_SUBJECT_ALT_NAME2, certifikat->pCertInfo->cExtension,
                                                    certifikat->pCertInfo->rgExtension);
    if (!rozsireni) return false;
    CERT_ALT_NAME_INFO* nazvy = nullptr;
    DWORD velikost = 0;
    if (!::CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, rozsireni->Value.pbData,
                               rozsireni->Value.cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &nazvy, &velikost))
        return false;
    bool nese = false;
    for (DWORD i = 0; i < nazvy->cAltEntry && !nese; ++i) {
        const CERT_ALT_NAME_ENTRY& nazev = nazvy->rgAltEntry[i];
        nese = nazev.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS && nazev.IPAddress.cbData == 4 &&
               memcmp(nazev.IPAddress.pbData, adresa, 4) == 0;
    }
    ::LocalFree(nazvy);
    return nese;
}

// Whether a certificate of the chain is not valid yet (the policy reports it as expired).
bool JesteNeplati(PCCERT_CHAIN_CONTEXT retez) {
    FILETIME ted;
    ::GetSystemTimeAsFileTime(&ted);
    for (DWORD i = 0; i < retez->cChain; ++i)
        for (DWORD j = 0; j < retez->rgpChain[i]->cElement; ++j)
            if (::CompareFileTime(&ted, &retez->rgpChain[i]->rgpElement[j]->pCertContext->pCertInfo->NotBefore) < 0)
                return true;
    return false;
}

// The SSL policy of the chain for the server name; fdwChecks as SSL_EXTRA_CERT_CHAIN_POLICY_PARA.
HRESULT PolitikaSsl(PCCERT_CHAIN_CONTEXT retez, const std::wstring& server, DWORD kontroly) {
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof(ssl);
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.fdwChecks = kontroly;
    ssl.pwszServerName = const_cast<wchar_t*>(server.c_str());
    CERT_CHAIN_POLICY_PARA politika{};
    politika.cbSize = sizeof(politika);
    politika.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS vyrok{};
    vyrok.cbSize = sizeof(vyrok);
    if (!::CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, retez, &politika, &vyrok))
        return HRESULT_FROM_WIN32(::GetLastError());
    return static_cast<HRESULT>(vyrok.dwError);
}

// Output tokens Schannel allocates; appended to the bytes to send and freed.
void PrevzitVystup(SecBuffer& buffer, std::string& odeslat) {
    if (buffer.pvBuffer) {
        if (buffer.cbBuffer) odeslat.append(static_cast<const char*>(buffer.pvBuffer), buffer.cbBuffer);
        ::FreeContextBuffer(buffer.pvBuffer);
        buffer.pvBuffer = nullptr;
    }
}

}  // namespace

bool KanalTls::zkusitSchCredentials = true;

KanalTls::KanalTls(const std::wstring& server) : m_server(server) {}

KanalTls::~KanalTls() {
    if (m_maKontext) ::DeleteSecurityContext(&m_kontext);
    if (m_maPovereni) ::FreeCredentialsHandle(&m_povereni);
}

SECURITY_STATUS KanalTls::ZiskatPovereni() {
    // The certificate is checked by OveritCertifikat, against the name from the settings; no
    // client certificate is offered.
    const DWORD priznaky = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp platnost;
    if (zkusitSchCredentials) {
        // TLS 1.2 and 1.3 (1.3 only with this structure). A system without it refuses it.
        TLS_PARAMETERS parametry{};
        parametry.grbitDisabledProtocols =
            SP_PROT_SSL2_CLIENT | SP_PROT_SSL3_CLIENT | SP_PROT_TLS1_0_CLIENT | SP_PROT_TLS1_1_CLIENT;
        SCH_CREDENTIALS povereni{};
        povereni.dwVersion = SCH_CREDENTIALS_VERSION;
        povereni.dwFlags = priznaky;
        povereni.cTlsParameters = 1;
        povereni.pTlsParameters = &parametry;
        if (::AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                        &povereni, nullptr, nullptr, &m_povereni, &platnost) == SEC_E_OK)
            return SEC_E_OK;
    }
    SCHANNEL_CRED povereni{};
    povereni.dwVersion = SCHANNEL_CRED_VERSION;
    povereni.dwFlags = priznaky;
    return ::AcquireCredentialsHandleW(nullptr, const_cast<SEC_WCHAR*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND, nullptr,
                                       &povereni, nullptr, nullptr, &m_povereni, &platnost);
}

SECURITY_STATUS KanalTls::Zahajit(std::string& odeslat) {
    if (!m_maPovereni) {
        SECURITY_STATUS stav = ZiskatPovereni();
        if (stav != SEC_E_OK) return stav;
        m_maPovereni = true;
    }
    return Krok(nullptr, odeslat);
}

void KanalTls::NajitUpozorneni(const std::string& prijato) {
    // The handshake's records are in clear up to the keys: type (21 an alert), version (2 bytes),
    // length (2 bytes), then an alert's level and description.
    const auto bajt = [&](size_t i) { return static_cast<unsigned char>(prijato[i]); };
    for (size_t i = 0; i + 5 <= prijato.size();) {
        const size_t delka = static_cast<size_t>(bajt(i + 3)) << 8 | bajt(i + 4);
        if (bajt(i) == 21 && delka == 2 && i + 7 <= prijato.size()) m_upozorneni = bajt(i + 6);
        i += 5 + delka;
    }
}

SECURITY_STATUS KanalTls::Pokracovat(std::string& prijato, std::string& odeslat) {
    if (!m_maKontext) return SEC_E_INVALID_HANDLE;
    return Krok(&prijato, odeslat);
}

SECURITY_STATUS KanalTls::Krok(std::string* prijato, std::string& odeslat) {
    for (;;) {
        if (prijato && !m_navazany) NajitUpozorneni(*prijato);
        SecBuffer vstup[2] = {};
        vstup[0].BufferType = SECBUFFER_TOKEN;
        if (prijato) {
            vstup[0].pvBuffer = prijato->empty() ? nullptr : &(*prijato)[0];
            vstup[0].cbBuffer = static_cast<unsigned long>(prijato->size());
        }
        vstup[1].BufferType = SECBUFFER_EMPTY;
        SecBufferDesc popisVstupu{SECBUFFER_VERSION, 2, vstup};
        SecBuffer vystup[1] = {};
        vystup[0].BufferType = SECBUFFER_TOKEN;
        SecBufferDesc popisVystupu{SECBUFFER_VERSION, 1, vystup};
        ULONG vlastnosti = 0;
        SECURITY_STATUS stav = ::InitializeSecurityContextW(
            &m_povereni, m_maKontext ? &m_kontext : nullptr, m_maKontext ? nullptr : const_cast<SEC_WCHAR*>(m_server.c_str()),
            POZADAVKY, 0, 0, prijato ? &popisVstupu : nullptr, 0, m_maKontext ? nullptr : &m_kontext, &popisVystupu,
            &vlastnosti, nullptr);
        if (!m_maKontext && (stav == SEC_E_OK || stav == SEC_I_CONTINUE_NEEDED || stav == SEC_I_INCOMPLETE_CREDENTIALS ||
                             (vystup[0].pvBuffer && (vlastnosti & ISC_RET_EXTENDED_ERROR))))
            m_maKontext = true;
        if (stav == SEC_E_INCOMPLETE_MESSAGE) {
            PrevzitVystup(vystup[0], odeslat);
            return stav;
        }
        // Whatever the result, an output token (an alert on failure) goes to the server.
        PrevzitVystup(vystup[0], odeslat);
        if (prijato) {
            if (vstup[1].BufferType == SECBUFFER_EXTRA && vstup[1].cbBuffer <= prijato->size())
                prijato->erase(0, prijato->size() - vstup[1].cbBuffer);
            else if (stav == SEC_E_OK || stav == SEC_I_CONTINUE_NEEDED || stav == SEC_I_INCOMPLETE_CREDENTIALS)
                prijato->clear();
        }
        if (stav == SEC_I_INCOMPLETE_CREDENTIALS) continue;  // the server asked for a certificate: none
        if (stav == SEC_I_CONTINUE_NEEDED && prijato && !prijato->empty()) continue;  // another message arrived
        if (stav == SEC_E_OK && !m_navazany) {
            SECURITY_STATUS velikosti =
                ::QueryContextAttributesW(&m_kontext, SECPKG_ATTR_STREAM_SIZES, &m_velikosti);
            if (velikosti != SEC_E_OK) return velikosti;
            m_navazany = true;
        }
        return stav;
    }
}

HRESULT KanalTls::OveritCertifikat() const {
    if (!m_navazany) return SEC_E_INVALID_HANDLE;
    PCCERT_CONTEXT certifikat = nullptr;
    SECURITY_STATUS stav = ::QueryContextAttributesW(const_cast<CtxtHandle*>(&m_kontext),
                                                     SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certifikat);
    if (stav != SEC_E_OK || !certifikat) return stav != SEC_E_OK ? stav : SEC_E_CERT_UNKNOWN;

    LPSTR pouziti[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA parametry{};
    parametry.cbSize = sizeof(parametry);
    parametry.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    parametry.RequestedUsage.Usage.cUsageIdentifier = 1;
    parametry.RequestedUsage.Usage.rgpszUsageIdentifier = pouziti;
    PCCERT_CHAIN_CONTEXT retez = nullptr;
    HRESULT vysledek = S_OK;
    if (!::CertGetCertificateChain(nullptr, certifikat, nullptr, certifikat->hCertStore, &parametry, 0, nullptr,
                                   &retez)) {
        DWORD kod = ::GetLastError();
        vysledek = kod ? HRESULT_FROM_WIN32(kod) : CERT_E_CHAINING;
    } else {
        vysledek = PolitikaSsl(retez, m_server, 0);
        // A server set by its address: the certificate's IP entries name it too (the system
        // may compare the text with DNS names only).
        BYTE adresa[4];
        if (vysledek == CERT_E_CN_NO_MATCH && AdresaIPv4(m_server, adresa) && NeseAdresu(certifikat, adresa))
            vysledek = PolitikaSsl(retez, m_server, BEZ_KONTROLY_NAZVU);
        if (vysledek == CERT_E_EXPIRED && JesteNeplati(retez)) vysledek = CERTIFIKAT_JESTE_NEPLATI;
        ::CertFreeCertificateChain(retez);
    }
    ::CertFreeCertificateContext(certifikat);
    return vysledek;
}

SECURITY_STATUS KanalTls::Zasifrovat(const char* data, size_t n, std::string& vystup) {
    if (!m_navazany) return SEC_E_INVALID_HANDLE;
    const size_t nejvic = m_velikosti.cbMaximumMessage ? m_velikosti.cbMaximumMessage : 16384;
    std::vector<char> zaznam;
    while (n > 0) {
        const size_t kus = std::min(n, nejvic);
        zaznam.assign(m_velikosti.cbHeader + kus + m_velikosti.cbTrailer, '\0');
        std::copy(data, data + kus, zaznam.begin() + m_velikosti.cbHeader);
        SecBuffer buffery[4] = {};
        buffery[0] = {m_velikosti.cbHeader, SECBUFFER_STREAM_HEADER, zaznam.data()};
        buffery[1] = {static_cast<unsigned long>(kus), SECBUFFER_DATA, zaznam.data() + m_velikosti.cbHeader};
        buffery[2] = {m_velikosti.cbTrailer, SECBUFFER_STREAM_TRAILER, zaznam.data() + m_velikosti.cbHeader + kus};
        buffery[3] = {0, SECBUFFER_EMPTY, nullptr};
        SecBufferDesc popis{SECBUFFER_VERSION, 4, buffery};
        SECURITY_STATUS stav = ::EncryptMessage(&m_kontext, 0, &popis, 0);
        if (stav != SEC_E_OK) return stav;
        // The sizes written back are the record's own (the trailer may be shorter).
        vystup.append(static_cast<const char*>(buffery[0].pvBuffer), buffery[0].cbBuffer);
        vystup.append(static_cast<const char*>(buffery[1].pvBuffer), buffery[1].cbBuffer);
        vystup.append(static_cast<const char*>(buffery[2].pvBuffer), buffery[2].cbBuffer);
        data += kus;
        n -= kus;
    }
    return SEC_E_OK;
}

SECURITY_STATUS KanalTls::Desifrovat(std::string& prijato, std::string& data, std::string& odeslat) {
    if (!m_navazany) return SEC_E_INVALID_HANDLE;
    while (!prijato.empty()) {
        SecBuffer buffery[4] = {};
        buffery[0] = {static_cast<unsigned long>(prijato.size()), SECBUFFER_DATA, &prijato[0]};
        for (int i = 1; i < 4; ++i) buffery[i].BufferType = SECBUFFER_EMPTY;
        SecBufferDesc popis{SECBUFFER_VERSION, 4, buffery};
        SECURITY_STATUS stav = ::DecryptMessage(&m_kontext, &popis, 0, nullptr);
        if (stav == SEC_E_INCOMPLETE_MESSAGE) return SEC_E_OK;  // the rest of the record is on its way
        if (stav != SEC_E_OK && stav != SEC_I_RENEGOTIATE && stav != SEC_I_CONTEXT_EXPIRED) return stav;
        std::string zbytek;
        for (const SecBuffer& b : buffery) {
            if (b.BufferType == SECBUFFER_DATA && b.pvBuffer && b.cbBuffer)
                data.append(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
            else if (b.BufferType == SECBUFFER_EXTRA && b.pvBuffer && b.cbBuffer)
                zbytek.assign(static_cast<const char*>(b.pvBuffer), b.cbBuffer);
        }
        prijato.swap(zbytek);
        if (stav == SEC_I_CONTEXT_EXPIRED) return stav;
        if (stav == SEC_I_RENEGOTIATE) {
            // Post-handshake messages (TLS 1.3 session tickets, a renegotiation) go back
            // through the handshake step with what followed them.
            m_navazany = false;
            SECURITY_STATUS krok = Krok(&prijato, odeslat);
            if (krok == SEC_I_CONTINUE_NEEDED || krok == SEC_E_INCOMPLETE_MESSAGE) {
                m_navazany = true;  // the rest of the exchange comes with the next records
                return SEC_E_OK;
            }
            if (krok != SEC_E_OK) return krok;
        }
    }
    return SEC_E_OK;
}
