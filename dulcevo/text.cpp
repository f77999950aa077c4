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
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        t.unicode = true;
        const size_t znaku = (data.size() - 2) / 2;
        for (size_t i = 0; i < znaku; ++i) {
            const wchar_t z = static_cast<wchar_t>(data[2 + 2 * i] | (data[3 + 2 * i] << 8));
            if (z == 0) break;
            t.siroky += z;
        }
    } else {
        const char* zacatek = reinterpret_cast<const char*>(data.data());
        t.uzky.assign(zacatek, strnlen(zacatek, data.size()));
    }
    return t;
}

}  // namespace dulcevo
