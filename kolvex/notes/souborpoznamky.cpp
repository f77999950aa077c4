#include "notes/souborpoznamky.h"

#include <vector>

#include "core/ulozitsoubor.h"
#include "knihovna/uchyt.h"

std::string TextZObsahuPoznamky(const std::string& obsah) {
    const size_t nula = obsah.find('\0');
    return nula == std::string::npos ? obsah : obsah.substr(0, nula);
}

bool PrecistSouborPoznamky(const std::wstring& cesta, std::string& text) {
    knihovna::UchytSouboru soubor(::CreateFileW(cesta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) return false;
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor.Get(), &velikost)) return false;
    if (velikost.QuadPart > 0x7FFFFFF0) {
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        return false;
    }
    std::string obsah(static_cast<size_t>(velikost.QuadPart), '\0');
    DWORD precteno = 0;
    if (!obsah.empty() &&
        (!::ReadFile(soubor.Get(), &obsah[0], static_cast<DWORD>(obsah.size()), &precteno, nullptr) ||
         precteno != obsah.size())) {
        if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_HANDLE_EOF);
        return false;
    }
    text = TextZObsahuPoznamky(obsah);
    return true;
}

void ZapsatSouborPoznamky(const std::wstring& cesta, const std::string& text) {
    UlozitSouborBezpecne(cesta, text.data(), text.size());
}

std::string NacistTextEditu(HWND edit) {
    const int delka = ::GetWindowTextLengthA(edit);
    if (delka <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(delka) + 1, '\0');
    const int precteno = ::GetWindowTextA(edit, buffer.data(), delka + 1);
    return std::string(buffer.data(), precteno > 0 ? static_cast<size_t>(precteno) : 0);
}

void NastavitTextEditu(HWND edit, const std::string& text) { ::SetWindowTextA(edit, text.c_str()); }
