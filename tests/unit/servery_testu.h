// Addresses of the loopback test servers (tests/servery) and their output folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "knihovna/text.h"

namespace testy {

constexpr int PORT_HTTP = TESTY_PORTY;
constexpr int PORT_SMTP = TESTY_PORTY + 1;
constexpr int PORT_SMTP_AUTH = TESTY_PORTY + 2;
constexpr int PORT_SMTP_BEZ_EHLO = TESTY_PORTY + 3;
constexpr int PORT_SMTP_TICHY = TESTY_PORTY + 4;

// A Unix path of the build tree as Wine sees it (drive Z: is the root).
inline std::wstring CestaZUnixu(const char* unix) {
    std::wstring cesta = L"Z:" + knihovna::NaSiroky(unix, CP_UTF8);
    for (wchar_t& z : cesta)
        if (z == L'/') z = L'\\';
    return cesta;
}

inline std::wstring SlozkaServeru() { return CestaZUnixu(TESTY_SERVERY_DIR); }
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

}  // namespace testy
