#include "notes/souborpoznamky.h"

#include <vector>

#include "core/ulozitsoubor.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"

std::string TextZObsahuPoznamky(const std::string& obsah) {
    const size_t nula = obsah.find('\0');
    return nula == std::string::npos ? obsah : obsah.substr(0, nula);
}

bool PrecistSouborPoznamky(const std::wstring& cesta, std::string& text) {
    std::string obsah;
    if (!PrecistBajtyPoznamky(cesta, obsah)) return false;
    text = TextZObsahuPoznamky(obsah);
    return true;
}

bool PrecistBajtyPoznamky(const std::wstring& cesta, std::string& vysledek) {
    knihovna::UchytSouboru soubor(::CreateFileW(cesta.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) return false;
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor.Get(), &velikost)) return false;
    if (velikost.QuadPart < 0 || static_cast<uint64_t>(velikost.QuadPart) > MAX_VELIKOST_POZNAMKY) {
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
    vysledek.swap(obsah);
    return true;
}

namespace {

// Characters the edit control cannot lay out under Wine (measured: caron, ogonek and double
// acute of the ANSI code page end the program inside the edit's text layout).
bool RozbijeEdit(wchar_t z) { return z == 0x02C7 || z == 0x02DB || z == 0x02DD; }

}  // namespace

std::wstring TextPoznamkyProOkno(const std::string& obsah, bool& verny) {
    const std::wstring prevedeny = knihovna::NaSiroky(obsah, CP_ACP);
    std::wstring text;
    text.reserve(prevedeny.size() + 16);
    for (size_t i = 0; i < prevedeny.size(); ++i) {
        const wchar_t z = prevedeny[i];
        if (z == L'\r' || z == L'\n') {
            // a line break the edit keeps as it is: CR LF (CR CR LF would be its soft break)
            if (z == L'\r' && i + 1 < prevedeny.size() && prevedeny[i + 1] == L'\n') ++i;
            text += L"\r\n";
        } else if ((z < 0x20 && z != L'\t') || (z >= 0x7F && z < 0xA0) || RozbijeEdit(z)) {
            text += L'\xFFFD';
        } else {
            text += z;
        }
    }
    verny = BajtyPoznamky(text) == obsah;
    return text;
}

std::string BajtyPoznamky(const std::wstring& text) { return knihovna::NaUzky(text, CP_ACP); }

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
