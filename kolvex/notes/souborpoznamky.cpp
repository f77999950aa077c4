#include "notes/souborpoznamky.h"

#include <algorithm>
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

namespace {

// Flags of a conversion that never substitutes a near letter (not accepted by UTF-8 code pages).
DWORD PriznakyBezNahrady() { return ::GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS; }

// Whether the code page holds the code units [zacatek, zacatek + delka) as they are.
bool LzeUlozit(const wchar_t* zacatek, int delka) {
    if (::GetACP() == CP_UTF8) return true;
    char bajty[16];
    BOOL nahrazeno = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, zacatek, delka, bajty, sizeof(bajty), nullptr,
                                        &nahrazeno);
    return n > 0 && !nahrazeno;
}

// Length of the character at i: 2 for a whole surrogate pair, else 1.
size_t DelkaZnaku(const std::wstring& text, size_t i) {
    return (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) ? 2 : 1;
}

}  // namespace

std::string BajtyPoznamky(const std::wstring& text) {
    if (text.empty()) return std::string();
    const DWORD priznaky = PriznakyBezNahrady();
    const int delka = ::WideCharToMultiByte(CP_ACP, priznaky, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                            nullptr, nullptr);
    if (delka <= 0) return std::string();
    std::string bajty(static_cast<size_t>(delka), '\0');
    const int n = ::WideCharToMultiByte(CP_ACP, priznaky, text.data(), static_cast<int>(text.size()), &bajty[0], delka,
                                        nullptr, nullptr);
    bajty.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return bajty;
}

std::vector<std::wstring> ZnakyMimoKodovouStranku(const std::wstring& text) {
    std::vector<std::wstring> znaky;
    if (text.empty() || ::GetACP() == CP_UTF8) return znaky;
    // one conversion of the whole text first: the common case (everything fits) costs no more
    BOOL nahrazeno = FALSE;
    const int delka = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                            nullptr, 0, nullptr, nullptr);
    if (delka > 0) {
        std::string bajty(static_cast<size_t>(delka), '\0');
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), &bajty[0],
                              delka, nullptr, &nahrazeno);
        if (!nahrazeno) return znaky;
    }
    for (size_t i = 0; i < text.size();) {
        const size_t n = DelkaZnaku(text, i);
        if (!LzeUlozit(text.data() + i, static_cast<int>(n))) {
            std::wstring znak = text.substr(i, n);
            if (std::find(znaky.begin(), znaky.end(), znak) == znaky.end()) znaky.push_back(std::move(znak));
        }
        i += n;
    }
    return znaky;
}

std::wstring TextBezZnaku(const std::wstring& text, const std::vector<std::wstring>& znaky) {
    std::wstring vysledek;
    vysledek.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = DelkaZnaku(text, i);
        if (std::find(znaky.begin(), znaky.end(), text.substr(i, n)) == znaky.end()) vysledek.append(text, i, n);
        i += n;
    }
    return vysledek;
}

std::wstring VypisZnaku(const std::vector<std::wstring>& znaky, size_t maxPocet) {
    std::wstring vypis;
    for (size_t i = 0; i < znaky.size() && i < maxPocet; ++i) {
        if (!vypis.empty()) vypis += L' ';
        vypis += znaky[i];
    }
    if (znaky.size() > maxPocet) vypis += L" …";
    return vypis;
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
