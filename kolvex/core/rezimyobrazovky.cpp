// Store of the favourite display modes (loaded and saved with the screen settings).
#include <windows.h>
#include <shlwapi.h>

#include <string>

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
    DWORD pocet = 0;
    LONG vysledek = ::RegQueryInfoKeyW(klic.Klic(), nullptr, nullptr, nullptr, &pocet, nullptr, nullptr, nullptr,
                                       nullptr, nullptr, nullptr, nullptr);
    if (vysledek != ERROR_SUCCESS) knihovna::VyhoditChybu(knihovna::HresultZKodu(static_cast<DWORD>(vysledek)));
    klic.Zavrit();
    rezimy.rezimy.resize(pocet);
    for (DWORD i = 0; i < pocet; ++i) {
        RezimObrazovky& rezim = rezimy.rezimy[i];
        klic.OtevritSekci(std::to_wstring(i));
        NacistHodnotuDword(klic, L"barevHloubka", rezim.barevHloubka);
        NacistHodnotuDword(klic, L"frekvence", rezim.frekvence);
        NacistHodnotuDword(klic, L"sirka", rezim.sirka);
        NacistHodnotuDword(klic, L"vyska", rezim.vyska);
        NacistHodnotuDword(klic, L"zarizeni", rezim.zarizeni);
        klic.Zavrit();
    }
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
