// Network services: HTTP downloads over WinINet, the product version of the running program
// and the local host's address.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

// Limits every download keeps, so that a stalled or endless server never hangs a tool.
struct LimityStahovani {
    DWORD casovyLimitSpojeni = 15000;    // ms to connect
    DWORD casovyLimitCteni = 30000;      // ms of silence while sending or receiving
    DWORD casovyLimitCelkem = 180000;    // ms for the whole download
    ULONGLONG maximalniVelikost = 32ull * 1024 * 1024;  // bytes
    HANDLE zruseni = nullptr;  // an event that, once set, ends a read at once (E_ABORT)
};

// Defaults for new download objects; tests shorten them.
extern LimityStahovani vychoziLimityStahovani;

// Applies the connect, send and receive time-outs to a WinINet handle (session or request).
void NastavitCasoveLimity(HINTERNET uchyt, const LimityStahovani& limity);

// HRESULT of an HTTP status (400 and above): facility HTTP, code = status.
HRESULT HresultStavuHttp(DWORD stav);

// The WinINet handles of one download: the session (the application's, or one of its own), the
// connection and the request. An aborted request is closed on a worker thread.
class HttpSpojeni {
public:
    HttpSpojeni(const HttpSpojeni&) = delete;
    HttpSpojeni& operator=(const HttpSpojeni&) = delete;

    LimityStahovani limity = vychoziLimityStahovani;

protected:
    // relace null: the object opens and owns a session of its own with this user agent.
    HttpSpojeni(HINTERNET relace, const wchar_t* agent);
    ~HttpSpojeni();

    HINTERNET m_relace = nullptr;
    HINTERNET m_spojeni = nullptr;
    HINTERNET m_url = nullptr;
    bool m_vlastniRelace = false;
    bool m_preruseno = false;  // an aborted request is being closed on a worker
    ULONGLONG m_termin = 0;    // GetTickCount64 when the whole download's time is up (set by the open)
};

// One HTTP GET kept in memory.
class HttpTextSoubor : public HttpSpojeni {
public:
    // relace null: the object opens and owns a session of its own.
    explicit HttpTextSoubor(HINTERNET relace = nullptr) : HttpSpojeni(relace, L"QHttpTextSoubor") {}

    void OtevritUrl(const std::wstring& url);
    // URL from the string table.
    void OtevritUrlId(UINT id);
    // Reads the whole response; the data end with two zero bytes (counted in Delka).
    void NacistData();
    // The data up to the first zero byte as wide text (ANSI code page of the thread).
    void ZiskatText(std::wstring& text) const;
    void Zavrit();

    // Raw response: null and 0 when nothing was read.
    const BYTE* Data() const { return m_data.empty() ? nullptr : m_data.data(); }
    DWORD Delka() const { return static_cast<DWORD>(m_data.size()); }

private:
    std::vector<BYTE> m_data;
};

// One HTTP GET written to a file.
class HttpSoubor : public HttpSpojeni {
public:
    explicit HttpSoubor(HINTERNET relace = nullptr) : HttpSpojeni(relace, L"QHttpSoubor") {}

    void OtevritUrl(const std::wstring& url);
    // Writes the response to a sibling temporary file and moves it over the target only when
    // the whole response arrived; on any failure the target is left as it was.
    void UlozitDoSouboru(const std::wstring& cesta);
};

// Product version of the running program file (not its file version).
void ZjistitVerziProgramu(WORD& hlavni, WORD& vedlejsi, WORD& treti, WORD& ctvrte);

// First IPv4 address and the name of the local host; 0 on success, 1 when the local host
// cannot be looked up (the outputs are then left untouched). Needs Windows Sockets started.
int ZiskatIpAdresuPocitace(std::wstring& ip, std::wstring& jmenoPocitace);
