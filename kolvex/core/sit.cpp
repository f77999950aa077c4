#include <winsock2.h>

#include "core/sit.h"

#include "core/ulozitsoubor.h"

#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"

#include <algorithm>
#include <new>

using knihovna::HresultZKodu;
using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

LimityStahovani vychoziLimityStahovani;

namespace {

constexpr DWORD PRIZNAKY_URL = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
constexpr DWORD VELIKOST_KUSU = 8192;
// Redirects followed for one download; a server that sends more (or in a circle) fails it.
constexpr int MAX_PRESMEROVANI = 10;

HINTERNET OtevritVlastniRelaci(const wchar_t* agent, const LimityStahovani& limity) {
    HINTERNET relace = ::InternetOpenW(agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    Overit(relace != nullptr);
    NastavitCasoveLimity(relace, limity);
    return relace;
}

void ZavritUrl(HINTERNET& url) {
    if (!url) return;
    HINTERNET h = url;
    url = nullptr;
    Overit(::InternetCloseHandle(h) != 0);
}

// GET of an http or https URL with the time-outs set on the request itself (a session's
// time-outs do not reach requests that InternetOpenUrl makes). The connection handle is
// returned too; false (with the last error set) when the URL is not usable or the request fails.
bool OtevritJedenPozadavek(HINTERNET relace, const std::wstring& url, const LimityStahovani& limity,
                           HINTERNET& spojeni, HINTERNET& pozadavek) {
    wchar_t host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = L"";
    std::vector<wchar_t> cesta(url.size() + 2, L'\0');
    std::vector<wchar_t> doplnek(url.size() + 2, L'\0');
    URL_COMPONENTSW casti{};
    casti.dwStructSize = sizeof(casti);
    casti.lpszHostName = host;
    casti.dwHostNameLength = INTERNET_MAX_HOST_NAME_LENGTH;
    casti.lpszUrlPath = cesta.data();
    casti.dwUrlPathLength = static_cast<DWORD>(cesta.size() - 1);
    casti.lpszExtraInfo = doplnek.data();
    casti.dwExtraInfoLength = static_cast<DWORD>(doplnek.size() - 1);
    if (!::InternetCrackUrlW(url.c_str(), 0, 0, &casti)) return false;
    if ((casti.nScheme != INTERNET_SCHEME_HTTP && casti.nScheme != INTERNET_SCHEME_HTTPS) || host[0] == L'\0') {
        ::SetLastError(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
        return false;
    }
    std::wstring objekt = std::wstring(cesta.data()) + doplnek.data();
    if (objekt.empty()) objekt = L"/";
    spojeni = ::InternetConnectW(relace, host, casti.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    if (!spojeni) return false;
    // Redirects are followed here, counted: WinINet itself follows a circle without end.
    DWORD priznaky = PRIZNAKY_URL | INTERNET_FLAG_NO_UI | INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (casti.nScheme == INTERNET_SCHEME_HTTPS) priznaky |= INTERNET_FLAG_SECURE;
    pozadavek = ::HttpOpenRequestW(spojeni, L"GET", objekt.c_str(), nullptr, nullptr, nullptr, priznaky, 0);
    if (!pozadavek) return false;
    NastavitCasoveLimity(pozadavek, limity);
    return ::HttpSendRequestW(pozadavek, nullptr, 0, nullptr, 0) != 0;
}

bool JePresmerovani(DWORD stav) {
    return stav == 301 || stav == 302 || stav == 303 || stav == 307 || stav == 308;
}

// The target of a redirect, resolved against the URL that answered; empty when there is none.
std::wstring CilPresmerovani(HINTERNET pozadavek, const std::wstring& url) {
    std::vector<wchar_t> umisteni(2048, L'\0');
    DWORD velikost = static_cast<DWORD>((umisteni.size() - 1) * sizeof(wchar_t));
    if (!::HttpQueryInfoW(pozadavek, HTTP_QUERY_LOCATION, umisteni.data(), &velikost, nullptr)) return {};
    std::vector<wchar_t> cil(INTERNET_MAX_URL_LENGTH + 1, L'\0');
    DWORD delka = static_cast<DWORD>(cil.size() - 1);
    if (!::InternetCombineUrlW(url.c_str(), umisteni.data(), cil.data(), &delka, ICU_NO_ENCODE)) return {};
    return cil.data();
}

DWORD StavOdpovedi(HINTERNET url);

// The request with at most MAX_PRESMEROVANI redirects followed; false with the last error set.
bool OtevritPozadavek(HINTERNET relace, const std::wstring& url, const LimityStahovani& limity, HINTERNET& spojeni,
                      HINTERNET& pozadavek) {
    std::wstring adresa = url;
    for (int presmerovani = 0;; ++presmerovani) {
        if (!OtevritJedenPozadavek(relace, adresa, limity, spojeni, pozadavek)) return false;
        if (!JePresmerovani(StavOdpovedi(pozadavek))) return true;
        std::wstring cil = CilPresmerovani(pozadavek, adresa);
        if (cil.empty()) return true;  // a redirect without a target is the answer itself
        ::InternetCloseHandle(pozadavek);
        ::InternetCloseHandle(spojeni);
        pozadavek = spojeni = nullptr;
        if (presmerovani >= MAX_PRESMEROVANI) {
            ::SetLastError(ERROR_HTTP_REDIRECT_FAILED);
            return false;
        }
        adresa = cil;
    }
}

// Opens the request on a thread of its own, so that the limit of the whole download also covers
// the connect, the send and the response headers: HttpSendRequestW waits as long as a server
// drips its headers, and under Wine closing the handle from another thread does not end that
// wait. The state is shared: whoever lets go last frees it; an opener that is given up closes
// the handles it got once its calls return.
class OtviracNaPozadi {
public:
    // false with the last error set: the request failed, or ERROR_INTERNET_TIMEOUT when the
    // deadline passed first (the opener then goes on alone). A set zruseni raises E_ABORT.
    static bool Otevrit(HINTERNET relace, const std::wstring& url, const LimityStahovani& limity, ULONGLONG termin,
                        HINTERNET& spojeni, HINTERNET& pozadavek) {
        auto* o = new OtviracNaPozadi(relace, url, limity);
        HANDLE vlakno = ::CreateThread(nullptr, 0, Procedura, o, 0, nullptr);
        if (!vlakno) {
            delete o;  // no thread: the request is opened here, bounded by the socket time-outs only
            return OtevritPozadavek(relace, url, limity, spojeni, pozadavek);
        }
        ::CloseHandle(vlakno);
        const ULONGLONG ted = ::GetTickCount64();
        HANDLE udalosti[2] = {o->m_hotovo.Get(), limity.zruseni};
        const DWORD vysledek = ::WaitForMultipleObjects(limity.zruseni ? 2 : 1, udalosti, FALSE,
                                                        ted >= termin ? 0 : static_cast<DWORD>(termin - ted));
        ::EnterCriticalSection(&o->m_zamek);
        const bool hotovo = o->m_konec;
        if (hotovo) {
            spojeni = o->m_spojeni;
            pozadavek = o->m_pozadavek;
        } else {
            o->m_opusteno = true;
        }
        const bool ok = o->m_ok;
        const DWORD kod = o->m_chyba;
        ::LeaveCriticalSection(&o->m_zamek);
        o->Pustit();
        if (!hotovo && vysledek == WAIT_OBJECT_0 + 1) VyhoditChybu(E_ABORT);
        ::SetLastError(hotovo ? kod : ERROR_INTERNET_TIMEOUT);
        return hotovo && ok;
    }

private:
    OtviracNaPozadi(HINTERNET relace, const std::wstring& url, const LimityStahovani& limity)
        : m_relace(relace), m_url(url), m_limity(limity), m_hotovo(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        if (!m_hotovo) VyhoditPosledniChybu();
        ::InitializeCriticalSection(&m_zamek);
    }
    ~OtviracNaPozadi() { ::DeleteCriticalSection(&m_zamek); }
    void Pustit() {
        if (::InterlockedDecrement(&m_odkazy) == 0) delete this;
    }

    static DWORD WINAPI Procedura(LPVOID parametr) {
        auto* o = static_cast<OtviracNaPozadi*>(parametr);
        HINTERNET spojeni = nullptr, pozadavek = nullptr;
        bool ok = false;
        DWORD kod = ERROR_SUCCESS;
        try {
            const ULONGLONG zacatek = ::GetTickCount64();
            ok = OtevritPozadavek(o->m_relace, o->m_url, o->m_limity, spojeni, pozadavek);
            kod = ok ? ERROR_SUCCESS : ::GetLastError();
            // Wine ends a send whose answer does not come in time as a broken connection
            const ULONGLONG ticho = std::min(o->m_limity.casovyLimitCteni, o->m_limity.casovyLimitSpojeni);
            if ((kod == ERROR_INTERNET_CONNECTION_ABORTED || kod == ERROR_INTERNET_CONNECTION_RESET) &&
                ::GetTickCount64() - zacatek >= ticho * 9 / 10)
                kod = ERROR_INTERNET_TIMEOUT;
        } catch (...) {
            kod = ERROR_NOT_ENOUGH_MEMORY;
        }
        if (!ok && kod == ERROR_SUCCESS) kod = ERROR_INTERNET_INTERNAL_ERROR;
        ::EnterCriticalSection(&o->m_zamek);
        const bool opusteno = o->m_opusteno;
        o->m_spojeni = spojeni;
        o->m_pozadavek = pozadavek;
        o->m_ok = ok;
        o->m_chyba = kod;
        o->m_konec = true;
        ::SetEvent(o->m_hotovo.Get());
        ::LeaveCriticalSection(&o->m_zamek);
        if (opusteno) {  // nobody takes the handles any more
            if (pozadavek) ::InternetCloseHandle(pozadavek);
            if (spojeni) ::InternetCloseHandle(spojeni);
        }
        o->Pustit();
        return 0;
    }

    HINTERNET m_relace;
    const std::wstring m_url;
    const LimityStahovani m_limity;
    knihovna::UchytHandle m_hotovo;
    CRITICAL_SECTION m_zamek;
    HINTERNET m_spojeni = nullptr;
    HINTERNET m_pozadavek = nullptr;
    bool m_ok = false;
    DWORD m_chyba = ERROR_SUCCESS;
    bool m_konec = false;
    bool m_opusteno = false;
    volatile LONG m_odkazy = 2;
};

// The error object of a request that could not be opened: what the network said (no
// connection, name not found, time-out, refused ...); an address that is no http(s) URL gives
// nevhodnaAdresa, the caller's own code for it.
HRESULT ChybaOtevreni(DWORD kod, HRESULT nevhodnaAdresa) {
    switch (kod) {
        case ERROR_SUCCESS:
        case ERROR_INVALID_PARAMETER:
        case ERROR_INTERNET_INVALID_URL:
        case ERROR_INTERNET_UNRECOGNIZED_SCHEME:
        case ERROR_INSUFFICIENT_BUFFER: return nevhodnaAdresa;
        // before any answer: Wine reports a refused connection as one broken off
        case ERROR_INTERNET_CONNECTION_ABORTED:
        case ERROR_INTERNET_CONNECTION_RESET: return HresultZKodu(ERROR_INTERNET_CANNOT_CONNECT);
        default: return HresultZKodu(kod);
    }
}

// Reads a response on a thread of its own, so that the caller can stop waiting when the whole
// download's time is up: a WinINet read waits until data arrive, and a server that drips a byte
// now and then is never silent long enough for the read time-out. The state is shared: whoever
// lets go last frees it; an abandoned request is closed by the reader when its read returns.
class CteckaNaPozadi {
public:
    // The reader and its thread handle (the caller closes it).
    static CteckaNaPozadi* Spustit(HINTERNET pozadavek, HANDLE& vlakno) {
        auto* c = new CteckaNaPozadi(pozadavek);
        vlakno = ::CreateThread(nullptr, 0, Procedura, c, 0, nullptr);
        if (!vlakno) {
            DWORD kod = ::GetLastError();
            c->m_pozadavek = nullptr;  // still the caller's
            delete c;
            ::SetLastError(kod);
            VyhoditPosledniChybu();
        }
        return c;
    }

    // Waits up to ms for what the reader has; false on time-out. konec: the response is complete
    // (or failed: chyba is then the system error code).
    bool Cekat(DWORD ms, HANDLE zruseni, std::vector<BYTE>& data, bool& konec, DWORD& chyba) {
        HANDLE udalosti[2] = {m_udalost.Get(), zruseni};
        DWORD vysledek = ::WaitForMultipleObjects(zruseni ? 2 : 1, udalosti, FALSE, ms);
        if (vysledek == WAIT_OBJECT_0 + 1) VyhoditChybu(E_ABORT);
        if (vysledek != WAIT_OBJECT_0) return false;
        ::EnterCriticalSection(&m_zamek);
        data.swap(m_data);
        m_data.clear();
        konec = m_konec;
        chyba = m_chyba;
        if (!m_konec) ::ResetEvent(m_udalost.Get());
        ::LeaveCriticalSection(&m_zamek);
        return true;
    }

    // The caller lets go. With opustit the request handle goes with the reader, which closes it.
    void Uvolnit(bool opustit) {
        ::InterlockedExchange(&m_opusteno, opustit ? 1 : 0);
        ::InterlockedExchange(&m_zastavit, 1);
        Pustit();
    }

private:
    explicit CteckaNaPozadi(HINTERNET pozadavek)
        : m_pozadavek(pozadavek), m_udalost(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        ::InitializeCriticalSection(&m_zamek);
        if (!m_udalost) {
            ::DeleteCriticalSection(&m_zamek);
            VyhoditPosledniChybu();
        }
    }
    ~CteckaNaPozadi() {
        if (m_opusteno && m_pozadavek) ::InternetCloseHandle(m_pozadavek);
        ::DeleteCriticalSection(&m_zamek);
    }
    void Pustit() {
        if (::InterlockedDecrement(&m_odkazy) == 0) delete this;
    }

    static DWORD WINAPI Procedura(LPVOID parametr) {
        auto* c = static_cast<CteckaNaPozadi*>(parametr);
        c->Cist();
        c->Pustit();
        return 0;
    }

    void Cist() {
        BYTE kus[VELIKOST_KUSU];
        for (;;) {
            // Only what has arrived is read: a full-buffer read would wait for the whole buffer.
            DWORD k_dispozici = 0;
            DWORD precteno = 0;
            BOOL ok = ::InternetQueryDataAvailable(m_pozadavek, &k_dispozici, 0, 0);
            if (ok) {
                DWORD chci = k_dispozici == 0 ? 1 : (k_dispozici < sizeof(kus) ? k_dispozici : static_cast<DWORD>(sizeof(kus)));
                ok = ::InternetReadFile(m_pozadavek, kus, chci, &precteno);
            }
            DWORD kod = ok ? ERROR_SUCCESS : ::GetLastError();
            if (!ok && kod == ERROR_SUCCESS) kod = ERROR_INTERNET_CONNECTION_ABORTED;
            ::EnterCriticalSection(&m_zamek);
            if (ok && precteno > 0) m_data.insert(m_data.end(), kus, kus + precteno);
            if (!ok || precteno == 0) {
                m_konec = true;
                m_chyba = kod;
            }
            const bool konec = m_konec;
            ::SetEvent(m_udalost.Get());
            ::LeaveCriticalSection(&m_zamek);
            if (konec || m_zastavit) return;
        }
    }

    HINTERNET m_pozadavek;
    knihovna::UchytHandle m_udalost;
    CRITICAL_SECTION m_zamek;
    std::vector<BYTE> m_data;
    bool m_konec = false;
    DWORD m_chyba = ERROR_SUCCESS;
    volatile LONG m_odkazy = 2;
    volatile LONG m_zastavit = 0;
    volatile LONG m_opusteno = 0;
};

DWORD WINAPI ProceduraZavreni(LPVOID parametr) {
    HINTERNET* uchyty = static_cast<HINTERNET*>(parametr);
    for (int i = 0; i < 3; ++i)
        if (uchyty[i]) ::InternetCloseHandle(uchyty[i]);
    delete[] uchyty;
    return 0;
}

// Closes handles of an aborted download (request, connection and, when given, an own session).
// WinINet drains what the server still sends before it lets them go, which takes seconds with
// an endless server; that happens on a worker so the caller returns at once.
void ZavritNaPozadi(HINTERNET pozadavek, HINTERNET spojeni, HINTERNET relace = nullptr) {
    HINTERNET* uchyty = new (std::nothrow) HINTERNET[3]{pozadavek, spojeni, relace};
    if (uchyty) {
        HANDLE vlakno = ::CreateThread(nullptr, 0, ProceduraZavreni, uchyty, 0, nullptr);
        if (vlakno) {
            ::CloseHandle(vlakno);
            return;
        }
    }
    if (uchyty) ProceduraZavreni(uchyty);
}

void ZavritPreruseny(HINTERNET& pozadavek, HINTERNET& spojeni, bool& preruseno) {
    ZavritNaPozadi(pozadavek, spojeni);
    pozadavek = spojeni = nullptr;
    preruseno = true;
}

// HTTP status of an open request; 0 for a non-HTTP URL.
DWORD StavOdpovedi(HINTERNET url) {
    DWORD stav = 0, velikost = sizeof(stav);
    if (!::HttpQueryInfoW(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &stav, &velikost, nullptr)) return 0;
    return stav;
}

// Content-Length when the response has one.
bool DelkaObsahu(HINTERNET url, ULONGLONG& delka) {
    wchar_t text[64] = L"";
    DWORD velikost = sizeof(text) - sizeof(wchar_t);
    if (!::HttpQueryInfoW(url, HTTP_QUERY_CONTENT_LENGTH, text, &velikost, nullptr)) return false;
    wchar_t* konec = nullptr;
    delka = wcstoull(text, &konec, 10);
    return konec != text;
}

// Reads the whole response, handing each piece to the sink; checks the size cap, the overall
// time limit (also in the middle of a read: the watchdog closes the request, which is then
// null), broken reads and a response shorter than its Content-Length.
template <class Prijemce>
void CistOdpoved(HINTERNET& url, const LimityStahovani& limity, ULONGLONG termin, Prijemce&& prijmout) {
    ULONGLONG ocekavano = 0;
    bool znamaDelka = DelkaObsahu(url, ocekavano);
    if (znamaDelka && ocekavano > limity.maximalniVelikost) VyhoditChybu(HresultZKodu(ERROR_FILE_TOO_LARGE));
    // the limit of the whole download runs from the open (connect, send, headers) on
    const ULONGLONG konec = termin ? termin : ::GetTickCount64() + limity.casovyLimitCelkem;
    HANDLE vlakno = nullptr;
    CteckaNaPozadi* ctecka = CteckaNaPozadi::Spustit(url, vlakno);
    bool hotovo = false;
    try {
        ULONGLONG celkem = 0;
        std::vector<BYTE> kusy;
        while (!hotovo) {
            const ULONGLONG ted = ::GetTickCount64();
            DWORD chyba = ERROR_SUCCESS;
            if (ted >= konec || !ctecka->Cekat(static_cast<DWORD>(konec - ted), limity.zruseni, kusy, hotovo, chyba))
                VyhoditChybu(HresultZKodu(ERROR_INTERNET_TIMEOUT));
            if (!kusy.empty()) {
                celkem += kusy.size();
                if (celkem > limity.maximalniVelikost) VyhoditChybu(HresultZKodu(ERROR_FILE_TOO_LARGE));
                prijmout(kusy.data(), static_cast<DWORD>(kusy.size()));
            }
            if (hotovo && chyba != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(chyba));
            if (::GetTickCount64() > konec) VyhoditChybu(HresultZKodu(ERROR_INTERNET_TIMEOUT));
        }
        if (znamaDelka && celkem < ocekavano) VyhoditChybu(HresultZKodu(ERROR_INTERNET_CONNECTION_ABORTED));
    } catch (...) {
        // A reader that may still wait takes the request with it; the caller forgets it.
        ctecka->Uvolnit(!hotovo);
        if (!hotovo) url = nullptr;
        if (hotovo) ::WaitForSingleObject(vlakno, 5000);  // it has only to return
        ::CloseHandle(vlakno);
        throw;
    }
    ctecka->Uvolnit(false);
    // The reader has done its last read: its thread only has to return.
    ::WaitForSingleObject(vlakno, 5000);
    ::CloseHandle(vlakno);
}

}  // namespace

void NastavitCasoveLimity(HINTERNET uchyt, const LimityStahovani& limity) {
    DWORD spojeni = limity.casovyLimitSpojeni, cteni = limity.casovyLimitCteni;
    ::InternetSetOptionW(uchyt, INTERNET_OPTION_CONNECT_TIMEOUT, &spojeni, sizeof(spojeni));
    ::InternetSetOptionW(uchyt, INTERNET_OPTION_SEND_TIMEOUT, &cteni, sizeof(cteni));
    ::InternetSetOptionW(uchyt, INTERNET_OPTION_RECEIVE_TIMEOUT, &cteni, sizeof(cteni));
}

HRESULT HresultStavuHttp(DWORD stav) { return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_HTTP, stav & 0xFFFF); }

// ---------------------------------------------------------------------------------------------

HttpSpojeni::HttpSpojeni(HINTERNET relace, const wchar_t* agent) : m_relace(relace) {
    if (!m_relace) {
        m_relace = OtevritVlastniRelaci(agent, limity);
        m_vlastniRelace = true;
    }
}

HttpSpojeni::~HttpSpojeni() {
    HINTERNET relace = m_vlastniRelace ? m_relace : nullptr;
    if (m_preruseno) {
        ZavritNaPozadi(m_url, m_spojeni, relace);  // closing the session waits for the aborted request
        return;
    }
    for (HINTERNET h : {m_url, m_spojeni, relace})
        if (h) ::InternetCloseHandle(h);
}

void HttpTextSoubor::Zavrit() {
    m_data.clear();
    m_data.shrink_to_fit();
    ZavritUrl(m_url);
    ZavritUrl(m_spojeni);
}

void HttpTextSoubor::OtevritUrl(const std::wstring& url) {
    m_data.clear();
    ZavritUrl(m_url);
    ZavritUrl(m_spojeni);
    if (!m_relace) VyhoditChybu(E_HANDLE);
    m_termin = ::GetTickCount64() + limity.casovyLimitCelkem;
    if (!OtviracNaPozadi::Otevrit(m_relace, url, limity, m_termin, m_spojeni, m_url)) {
        const DWORD kod = ::GetLastError();
        if (kod == ERROR_INTERNET_TIMEOUT) m_preruseno = true;  // the opener may still use the session
        Zavrit();
        VyhoditChybu(ChybaOtevreni(kod, E_INVALIDARG));
    }
    DWORD stav = StavOdpovedi(m_url);
    if (stav >= 400) {
        Zavrit();
        VyhoditChybu(HresultStavuHttp(stav));
    }
}

void HttpTextSoubor::OtevritUrlId(UINT id) {
    std::wstring url;
    if (!knihovna::NacistRetezec(id, url)) VyhoditChybu(E_INVALIDARG);
    OtevritUrl(url);
}

void HttpTextSoubor::NacistData() {
    if (!m_url) VyhoditChybu(E_HANDLE);
    m_data.clear();
    try {
        CistOdpoved(m_url, limity, m_termin, [this](const BYTE* kus, DWORD n) { m_data.insert(m_data.end(), kus, kus + n); });
    } catch (...) {
        m_data.clear();
        ZavritPreruseny(m_url, m_spojeni, m_preruseno);
        throw;
    }
    if (!m_data.empty()) m_data.insert(m_data.end(), 2, 0);
}

void HttpTextSoubor::ZiskatText(std::wstring& text) const {
    if (m_data.empty()) VyhoditChybu(E_HANDLE);
    const char* zacatek = reinterpret_cast<const char*>(m_data.data());
    text = knihovna::NaSiroky(std::string(zacatek, strnlen(zacatek, m_data.size())), CP_THREAD_ACP);
}

// ---------------------------------------------------------------------------------------------

void HttpSoubor::OtevritUrl(const std::wstring& url) {
    ZavritUrl(m_url);
    ZavritUrl(m_spojeni);
    if (!m_relace) VyhoditChybu(E_HANDLE);
    m_termin = ::GetTickCount64() + limity.casovyLimitCelkem;
    if (!OtviracNaPozadi::Otevrit(m_relace, url, limity, m_termin, m_spojeni, m_url)) {
        const DWORD kod = ::GetLastError();
        if (kod == ERROR_INTERNET_TIMEOUT) m_preruseno = true;  // the opener may still use the session
        ZavritUrl(m_url);
        ZavritUrl(m_spojeni);
        VyhoditChybu(ChybaOtevreni(kod, E_HANDLE));
    }
    DWORD stav = StavOdpovedi(m_url);
    if (stav >= 400) {
        ZavritUrl(m_url);
        ZavritUrl(m_spojeni);
        VyhoditChybu(HresultStavuHttp(stav));
    }
}

void HttpSoubor::UlozitDoSouboru(const std::wstring& cesta) {
    if (!m_url) VyhoditChybu(E_HANDLE);
    // The temporary sibling has a name of its own for each download: a download of the same file
    // abandoned on another thread may still hold its own one open.
    BezpecnyZapisSouboru zapis;
    zapis.Otevrit(cesta);
    try {
        CistOdpoved(m_url, limity, m_termin, [&zapis](const BYTE* kus, DWORD n) { zapis.Zapsat(kus, n); });
        zapis.Potvrdit();
    } catch (...) {
        zapis.Zrusit();
        ZavritPreruseny(m_url, m_spojeni, m_preruseno);
        throw;
    }
}

// ---------------------------------------------------------------------------------------------

void ZjistitVerziProgramu(WORD& hlavni, WORD& vedlejsi, WORD& treti, WORD& ctvrte) {
    wchar_t cesta[MAX_PATH];
    DWORD delka = ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    Overit(delka != 0 && delka < MAX_PATH);
    DWORD nic = 0;
    DWORD velikost = ::GetFileVersionInfoSizeW(cesta, &nic);
    Overit(velikost != 0);
    knihovna::BlokHaldy blok(velikost);
    if (!blok) VyhoditChybu(E_OUTOFMEMORY);
    Overit(::GetFileVersionInfoW(cesta, 0, velikost, blok.Get()) != 0);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT delkaInfa = 0;
    Overit(::VerQueryValueW(blok.Get(), L"\\", reinterpret_cast<void**>(&info), &delkaInfa) != 0 && info);
    hlavni = HIWORD(info->dwProductVersionMS);
    vedlejsi = LOWORD(info->dwProductVersionMS);
    treti = HIWORD(info->dwProductVersionLS);
    ctvrte = LOWORD(info->dwProductVersionLS);
    Overit(blok.Uvolnit());
}

int ZiskatIpAdresuPocitace(std::wstring& ip, std::wstring& jmenoPocitace) {
    hostent* pocitac = ::gethostbyname("");
    if (!pocitac || !pocitac->h_addr_list || !pocitac->h_addr_list[0]) return 1;
    in_addr adresa;
    memcpy(&adresa, pocitac->h_addr_list[0], sizeof(adresa));
    const char* text = ::inet_ntoa(adresa);
    ip = knihovna::NaSiroky(text ? text : "", CP_THREAD_ACP);
    jmenoPocitace = knihovna::NaSiroky(pocitac->h_name ? pocitac->h_name : "", CP_THREAD_ACP);
    return 0;
}
