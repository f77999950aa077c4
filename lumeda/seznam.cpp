#include "lumeda/seznam.h"

#include <shellapi.h>

#include <cwctype>

namespace Brenvald {

bool JeObrazek(const std::wstring& cesta) {
    const size_t konecSlozky = cesta.find_last_of(L"\\/");
    const size_t tecka = cesta.find_last_of(L'.');
    if (tecka == std::wstring::npos || (konecSlozky != std::wstring::npos && tecka < konecSlozky)) return false;
    const wchar_t* pripona = cesta.c_str() + tecka;
    for (const wchar_t* p : {L".jpg", L".jpeg", L".bmp", L".png", L".gif", L".tiff", L".tif"})
        if (_wcsicmp(pripona, p) == 0) return true;
    return false;
}

std::vector<std::wstring> RozdelitPrikazovyRadek(const std::wstring& radek) {
    std::vector<std::wstring> vysledek;
    if (radek.empty()) return vysledek;
    int pocet = 0;
    LPWSTR* argumenty = ::CommandLineToArgvW(radek.c_str(), &pocet);
    if (!argumenty) return vysledek;
    for (int i = 0; i < pocet; ++i) vysledek.emplace_back(argumenty[i]);
    ::LocalFree(argumenty);
    return vysledek;
}

void ProhledatSlozku(const std::wstring& slozka, std::vector<std::wstring>& seznam) {
    std::wstring zaklad = slozka;
    if (!zaklad.empty() && zaklad.back() != L'\\' && zaklad.back() != L'/') zaklad += L'\\';
    if (zaklad.size() + 1 >= MAX_PATH) return;
    WIN32_FIND_DATAW data;
    HANDLE hledani = ::FindFirstFileW((zaklad + L"*").c_str(), &data);
    if (hledani == INVALID_HANDLE_VALUE) return;
    do {
        if (data.cFileName[0] == L'.') continue;
        // a junction or link may point back up the tree: never follow one
        if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) continue;
        const std::wstring cesta = zaklad + data.cFileName;
        if (cesta.size() >= MAX_PATH) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ProhledatSlozku(cesta, seznam);
        else if (JeObrazek(cesta))
            seznam.push_back(cesta);
    } while (::FindNextFileW(hledani, &data));
    ::FindClose(hledani);
}

bool SestavitSeznam(const std::vector<std::wstring>& argumenty, std::vector<std::wstring>& seznam) {
    seznam.clear();
    for (const auto& a : argumenty)
        if (JeObrazek(a)) seznam.push_back(a);
    if (seznam.empty() && !argumenty.empty()) {
        std::wstring slozka = argumenty.front();
        // "C:\dir\" quoted turns into C:\dir" by the splitting rules: a path holds no quote
        if (!slozka.empty() && slozka.back() == L'"') slozka.pop_back();
        const DWORD atributy = ::GetFileAttributesW(slozka.c_str());
        if (atributy != INVALID_FILE_ATTRIBUTES && (atributy & FILE_ATTRIBUTE_DIRECTORY)) ProhledatSlozku(slozka, seznam);
    }
    return !seznam.empty();
}

Cil SpocitatCil(UINT cw, UINT ch, UINT iw, UINT ih) {
    if (iw == 0 || ih == 0) return {0, 0, 0, 0};
    if (iw <= cw && ih <= ch)
        return {static_cast<int>((cw - iw) >> 1), static_cast<int>((ch - ih) >> 1), static_cast<int>(iw),
                static_cast<int>(ih)};
    if (static_cast<double>(cw) / iw > static_cast<double>(ch) / ih) {
        const UINT sirka = static_cast<UINT>(static_cast<unsigned long long>(iw) * ch / ih);
        return {static_cast<int>((cw - sirka) >> 1), 0, static_cast<int>(sirka), static_cast<int>(ch)};
    }
    const UINT vyska = static_cast<UINT>(static_cast<unsigned long long>(ih) * cw / iw);
    return {0, static_cast<int>((ch - vyska) >> 1), static_cast<int>(cw), static_cast<int>(vyska)};
}

}  // namespace Brenvald
