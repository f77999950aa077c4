// Store of the favourite display modes (loaded and saved with the screen settings).
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/konfigurace.h"
#include "core/pomocne.h"

namespace {

std::wstring KlicSeznamu(const RezimyObrazovky& rezimy) {
    return std::wstring(aplikace.klicAplikace) + L"\\" + rezimy.nazevKlice;
}

}  // namespace

void NacistRezimyObrazovky(RezimyObrazovky& rezimy) {
    knihovna::Zamek zamek(rezimy.zamek);
    rezimy.rezimy.clear();
    KlicKonfigurace klic(KlicSeznamu(rezimy));
    try {
        klic.OtevritSekci(L"");
    } catch (const knihovna::Chyba& chyba) {
        // No list saved yet (first run, or every mode removed): an empty list.
        if (chyba.Hresult() == knihovna::HresultZKodu(ERROR_FILE_NOT_FOUND)) return;
        throw;
    }
    // The modes' subkeys by their index, in index order; a key that is no index is damage.
    std::optional<knihovna::Chyba> prvniChyba;
    std::vector<unsigned long> indexy;
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[256];
        DWORD delka = 256;
        const LONG vysledek = ::RegEnumKeyExW(klic.Klic(), i, nazev, &delka, nullptr, nullptr, nullptr, nullptr);
        if (vysledek == ERROR_NO_MORE_ITEMS) break;
        if (vysledek != ERROR_SUCCESS) knihovna::VyhoditChybu(knihovna::HresultZKodu(static_cast<DWORD>(vysledek)));
        const unsigned long index = wcstoul(nazev, nullptr, 10);
        if (delka == 0 || delka > 6 || std::wstring(nazev, delka).find_first_not_of(L"0123456789") != std::wstring::npos ||
            std::to_wstring(index) != nazev) {
            if (!prvniChyba) prvniChyba = knihovna::Chyba(HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
            continue;
        }
        indexy.push_back(index);
    }
    std::sort(indexy.begin(), indexy.end());
    klic.Zavrit();
    // A mode whose values are damaged (or give no size) costs only itself: the others are read,
    // then the first damage is raised for the caller to report.
    for (unsigned long i : indexy) {
        RezimObrazovky rezim;
        try {
            klic.OtevritSekci(std::to_wstring(i));
            NacistHodnotuDword(klic, L"barevHloubka", rezim.barevHloubka);
            NacistHodnotuDword(klic, L"frekvence", rezim.frekvence);
            NacistHodnotuDword(klic, L"sirka", rezim.sirka);
            NacistHodnotuDword(klic, L"vyska", rezim.vyska);
            NacistHodnotuDword(klic, L"zarizeni", rezim.zarizeni);
            klic.Zavrit();
        } catch (const knihovna::Chyba& chyba) {
            if (!prvniChyba) prvniChyba = chyba;
            continue;
        }
        if (rezim.sirka == 0 || rezim.vyska == 0) {
            if (!prvniChyba) prvniChyba = knihovna::Chyba(HRESULT_FROM_WIN32(ERROR_INVALID_DATA));
            continue;
        }
        rezimy.rezimy.push_back(rezim);
    }
    if (prvniChyba) throw *prvniChyba;
}

void UlozitRezimyObrazovky(const RezimyObrazovky& rezimy) {
    const std::wstring koren = KlicSeznamu(rezimy);
    const std::vector<RezimObrazovky> seznam = rezimy.Kopie();
    ::SHDeleteKeyW(HKEY_CURRENT_USER, koren.c_str());  // nothing to delete is no failure
    KlicKonfigurace klic(koren);
    for (size_t i = 0; i < seznam.size(); ++i) {
        const RezimObrazovky& rezim = seznam[i];
        klic.VytvoritSekci(std::to_wstring(i));
        klic.ZapsatDword(L"barevHloubka", rezim.barevHloubka);
        klic.ZapsatDword(L"frekvence", rezim.frekvence);
        klic.ZapsatDword(L"sirka", rezim.sirka);
        klic.ZapsatDword(L"vyska", rezim.vyska);
        klic.ZapsatDword(L"zarizeni", rezim.zarizeni);
        klic.Zavrit();
    }
}
