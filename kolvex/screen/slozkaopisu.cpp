#include "screen/slozkaopisu.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Retezec;

namespace {

bool JePrazdna(const std::wstring& slozka) {
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\*.*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return true;
    bool prazdna = true;
    do {
        if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) prazdna = false;
    } while (prazdna && ::FindNextFileW(h, &data));
    ::FindClose(h);
    return prazdna;
}

}  // namespace

void SmazatObsahSlozkyOpisu(const std::wstring& slozka) {
    if (slozka.empty() || !::PathFileExistsW(slozka.c_str())) knihovna::VyhoditChybu(E_INVALIDARG);
    if (JePrazdna(slozka)) return;  // the shell reports an empty match as a failure
    // The list of paths ends with two zero characters.
    std::wstring vzor = slozka + L"\\*.*";
    std::vector<wchar_t> seznam(vzor.begin(), vzor.end());
    seznam.push_back(L'\0');
    seznam.push_back(L'\0');
    SHFILEOPSTRUCTW operace{};
    operace.wFunc = FO_DELETE;
    operace.pFrom = seznam.data();
    operace.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    int vysledek = ::SHFileOperationW(&operace);
    if (vysledek != 0) knihovna::VyhoditChybu(knihovna::HresultZKodu(static_cast<DWORD>(vysledek)));
    if (operace.fAnyOperationsAborted) knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_CANCELLED));
}

bool VyprazdnitSlozkuSDotazem(const std::wstring& slozka) {
    if (slozka.empty() || !::PathFileExistsW(slozka.c_str())) {
        aplikace.ZobrazitZpravu(Formatovat(Retezec(IDS_SLOZKA_NEEXISTUJE).c_str(), slozka.c_str()), MB_ICONERROR);
        return false;
    }
    if (!aplikace.Otazka(Formatovat(Retezec(IDS_OTAZKA_VYMAZAT_SLOZKU).c_str(), slozka.c_str()), false, true))
        return false;
    try {
        SmazatObsahSlozkyOpisu(slozka);
        return true;
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
        return false;
    }
}
