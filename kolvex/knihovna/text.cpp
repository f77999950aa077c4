#include "text.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

#include "chyba.h"

namespace knihovna {

bool NacistRetezec(UINT id, std::wstring& text, HINSTANCE instance) {
    const wchar_t* zdroj = nullptr;
    int delka = ::LoadStringW(instance ? instance : ::GetModuleHandleW(nullptr), id,
                              reinterpret_cast<wchar_t*>(&zdroj), 0);
    if (delka <= 0 || !zdroj) {
        if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    text.assign(zdroj, static_cast<size_t>(delka));
    return true;
}

std::wstring Retezec(UINT id, HINSTANCE instance) {
    std::wstring text;
    if (!NacistRetezec(id, text, instance)) VyhoditPosledniChybu();
    return text;
}

std::wstring Formatovat(const wchar_t* format, ...) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list argumenty;
        va_start(argumenty, format);
        // msvcrt's formatter on purpose: %s takes wide text, as the string table's formats expect
        int n = _vsnwprintf(buffer.data(), buffer.size() - 1, format, argumenty);
        va_end(argumenty);
        if (n >= 0) return std::wstring(buffer.data(), static_cast<size_t>(n));
        if (buffer.size() > (1u << 24)) VyhoditChybu(E_OUTOFMEMORY);
        buffer.resize(buffer.size() * 4);
    }
}

bool MaZakazanyZnakNazvu(const std::wstring& nazev) {
    for (wchar_t z : nazev)
        if (z < 32 || wcschr(L"\\/:*?\"<>|", z)) return true;
    return false;
}

std::wstring Oriznout(const std::wstring& text, size_t maximum) {
    return text.size() <= maximum ? text : text.substr(0, maximum);
}

std::wstring NaSiroky(const std::string& text, UINT kodovaStranka) {
    if (text.empty()) return {};
    int n = ::MultiByteToWideChar(kodovaStranka, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) VyhoditPosledniChybu();
    std::wstring vysledek(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(kodovaStranka, 0, text.data(), static_cast<int>(text.size()), vysledek.data(), n);
    return vysledek;
}

std::string NaUzky(const std::wstring& text, UINT kodovaStranka) {
    if (text.empty()) return {};
    int n = ::WideCharToMultiByte(kodovaStranka, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                  nullptr);
    if (n <= 0) VyhoditPosledniChybu();
    std::string vysledek(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(kodovaStranka, 0, text.data(), static_cast<int>(text.size()), vysledek.data(), n, nullptr,
                          nullptr);
    return vysledek;
}

}  // namespace knihovna
