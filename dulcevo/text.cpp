#include "dulcevo/dulcevo.h"

#include <cstring>
#include <cwchar>

namespace dulcevo {

std::wstring CestaZPrikazoveRadky(const std::wstring& radek) {
    size_t i = 0;
    if (i < radek.size() && radek[i] == L'"') {
        ++i;
        while (i < radek.size() && radek[i] != L'"') ++i;
        if (i < radek.size()) ++i;
    } else {
        while (i < radek.size() && radek[i] != L' ' && radek[i] != L'\t') ++i;
    }
    while (i < radek.size() && (radek[i] == L' ' || radek[i] == L'\t')) ++i;
    std::wstring cesta = radek.substr(i);
    while (!cesta.empty() && cesta.back() == L'"') cesta.pop_back();
    size_t zacatek = 0;
    while (zacatek < cesta.size() && cesta[zacatek] == L'"') ++zacatek;
    return cesta.substr(zacatek);
}

bool JeObrazek(const std::wstring& cesta) {
    const size_t konecSlozky = cesta.find_last_of(L"\\/");
    const size_t tecka = cesta.find_last_of(L'.');
    if (tecka == std::wstring::npos || (konecSlozky != std::wstring::npos && tecka < konecSlozky)) return false;
    const wchar_t* pripona = cesta.c_str() + tecka + 1;
    for (const wchar_t* p : {L"bmp", L"jpg", L"jpeg", L"gif", L"png"})
        if (_wcsicmp(pripona, p) == 0) return true;
    return false;
}

Text TextZBajtu(const std::vector<BYTE>& data) {
    Text t;
    const bool le = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    const bool be = data.size() >= 2 && data[0] == 0xFE && data[1] == 0xFF;
    if (le || be) {
        t.maSiroky = true;
        const size_t znaku = (data.size() - 2) / 2;
        for (size_t i = 0; i < znaku; ++i) {
            const BYTE a = data[2 + 2 * i], b = data[3 + 2 * i];
            const wchar_t z = static_cast<wchar_t>(le ? (a | (b << 8)) : ((a << 8) | b));
            if (z == 0) break;
            t.siroky += z;
        }
        return t;
    }
    if (!data.empty() && memchr(data.data(), 0, data.size())) {
        t.jeText = false;
        return t;
    }
    t.maUzky = true;
    t.uzky.assign(data.begin(), data.end());
    size_t zacatek = 0;
    if (data.size() >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) zacatek = 3;
    const char* utf8 = reinterpret_cast<const char*>(data.data()) + zacatek;
    const int bajtu = static_cast<int>(data.size() - zacatek);  // at most NEJVETSI_SOUBOR
    if (bajtu == 0) {
        t.maSiroky = true;
        return t;
    }
    const int znaku = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, bajtu, nullptr, 0);
    if (znaku > 0) {
        t.siroky.resize(static_cast<size_t>(znaku));
        t.maSiroky = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, bajtu, &t.siroky[0], znaku) == znaku;
        if (!t.maSiroky) t.siroky.clear();
    }
    return t;
}

}  // namespace dulcevo
