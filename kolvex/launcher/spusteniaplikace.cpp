#include "launcher/spusteniaplikace.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include "core/ikonatray.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "launcher/seznamaplikaci.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Retezec;
using knihovna::VyhoditChybu;

FunkceSpousteni funkceSpousteni;

namespace {

void Bublina(const std::wstring& text, DWORD druh) {
    if (funkceSpousteni.zobrazitBublinu) funkceSpousteni.zobrazitBublinu(text, druh);
}

void Zavrit(HANDLE h) {
    if (h && !funkceSpousteni.zavritHandle(h)) knihovna::VyhoditPosledniChybu();
}

}  // namespace

std::wstring TextUrovne(DWORD uroven) {
    switch (uroven) {
        case UROVEN_PLNY_PRISTUP: return L"Plný přístup";
        case UROVEN_BEZNY_UZIVATEL: return L"Běžný uživatel";
        case UROVEN_OMEZENY_PRISTUP: return L"Omezený přístup";
        case UROVEN_NEDUVERYHODNY: return L"Nedůvěryhodný";
        default: return Formatovat(L"0x%X", uroven);
    }
}

namespace {

// Copies at most the field's size of a snapshot text.
std::wstring Pole(const wchar_t* text, size_t velikost) { return std::wstring(text, ::wcsnlen(text, velikost)); }

}  // namespace

// ---------------------------------------------------------------------------------------------

int SeznamSpustenychProcesu::Nacist() {
    procesy.clear();
    knihovna::UchytSouboru snimek(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snimek) return 1;
    PROCESSENTRY32W proces{};
    proces.dwSize = sizeof(proces);
    if (!::Process32FirstW(snimek.Get(), &proces)) {
        if (!snimek.Uvolnit()) knihovna::VyhoditPosledniChybu();
        return 1;
    }
    do {
        knihovna::UchytSouboru moduly(::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, proces.th32ProcessID));
        if (!moduly) continue;
        MODULEENTRY32W modul{};
        modul.dwSize = sizeof(modul);
        if (::Module32FirstW(moduly.Get(), &modul)) {
            procesy.push_back({Pole(proces.szExeFile, MAX_PATH), Pole(modul.szExePath, MAX_PATH),
                               Pole(modul.szModule, MAX_MODULE_NAME32 + 1)});
        }
        if (!moduly.Uvolnit()) knihovna::VyhoditPosledniChybu();
    } while (::Process32NextW(snimek.Get(), &proces));
    if (!snimek.Uvolnit()) knihovna::VyhoditPosledniChybu();
    return 0;
}

const SpustenyProces* SeznamSpustenychProcesu::NajitPodleCesty(const std::wstring& cesta) const {
    for (const SpustenyProces& p : procesy)
        if (::lstrcmpW(p.cesta.c_str(), cesta.c_str()) == 0) return &p;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------

std::wstring PrikazovyRadekAplikace(const std::wstring& cesta) { return L"\"" + cesta + L"\""; }

std::wstring SlozkaAplikace(const std::wstring& cesta) {
    size_t lomitko = cesta.find_last_of(L"\\/");
    if (lomitko == std::wstring::npos) return L"";
    std::wstring slozka = cesta.substr(0, lomitko);
    if (slozka.size() == 2 && slozka[1] == L':') slozka += L'\\';  // "C:" alone is the drive's current folder
    return slozka;
}

int SpustitAplikaciSeznamu(size_t index) {
    if (!seznamAplikaci) VyhoditChybu(E_INVALIDARG);
    knihovna::Zamek zamek(seznamAplikaci->Zamek());
    const SpoustenaAplikace a = seznamAplikaci->Polozka(index);

    if (a.cesta.empty() || !::PathFileExistsW(a.cesta.c_str()) || ::PathIsDirectoryW(a.cesta.c_str())) {
        Bublina(Formatovat(Retezec(IDS_SPOUSTENI_NEPLATNA_CESTA).c_str(), a.nazev.c_str(), a.cesta.c_str()),
                BUBLINA_CHYBA);
        return 1;
    }
    if (a.jednaInstance) {
        SeznamSpustenychProcesu procesy;
        procesy.Nacist();
        if (const SpustenyProces* bezici = procesy.NajitPodleCesty(a.cesta)) {
            Bublina(Formatovat(L"Aplikace %s je již spuštěna a má nastaven zákaz spuštění více instancí.\n\n"
                               L"Cesta: %s\nNazev: %s",
                               a.nazev.c_str(), bezici->cesta.c_str(), bezici->modul.c_str()),
                    BUBLINA_VAROVANI);
            return 0;
        }
    }
    SpustitSUrovni(index);
    return 0;
}

HRESULT SpustitSUrovni(size_t index) {
    if (!seznamAplikaci) VyhoditChybu(E_INVALIDARG);
    knihovna::Zamek zamek(seznamAplikaci->Zamek());
    const SpoustenaAplikace a = seznamAplikaci->Polozka(index);

    std::wstring prikaz = PrikazovyRadekAplikace(a.cesta);
    const std::wstring slozka = SlozkaAplikace(a.cesta);
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    PROCESS_INFORMATION proces{};
    BOOL vytvoren = FALSE;
    DWORD chyba = ERROR_SUCCESS;

    if (a.uroven == UROVEN_PLNY_PRISTUP) {
        vytvoren = funkceSpousteni.vytvoritProces(a.cesta.c_str(), &prikaz[0], nullptr, nullptr, FALSE,
                                                  CREATE_NEW_CONSOLE, nullptr, slozka.empty() ? nullptr : slozka.c_str(),
                                                  &start, &proces);
        if (!vytvoren) chyba = ::GetLastError();
    } else {
        // A level or token that cannot be had is told like a start that failed: the user learns
        // why, and nothing starts with other rights than the entry asks for.
        SAFER_LEVEL_HANDLE uroven = nullptr;
        HANDLE token = nullptr;
        const bool mameUroven = funkceSpousteni.vytvoritUroven(SAFER_SCOPEID_USER, a.uroven, 0, &uroven, nullptr) != 0;
        if (!mameUroven || !funkceSpousteni.vypocitatToken(uroven, nullptr, &token, 0, nullptr)) {
            const DWORD kod = ::GetLastError();
            if (mameUroven) funkceSpousteni.zavritUroven(uroven);
            Bublina(Formatovat(Retezec(IDS_SPOUSTENI_BEZ_TOKENU).c_str(), a.nazev.c_str(), TextUrovne(a.uroven).c_str(),
                               knihovna::ZiskatTextChyby(static_cast<int>(kod)).c_str()),
                    BUBLINA_CHYBA);
            return E_FAIL;
        }
        vytvoren = funkceSpousteni.vytvoritProcesJako(token, a.cesta.c_str(), &prikaz[0], nullptr, nullptr, FALSE,
                                                      CREATE_NEW_CONSOLE, nullptr,
                                                      slozka.empty() ? nullptr : slozka.c_str(), &start, &proces);
        if (!vytvoren) chyba = ::GetLastError();
        const bool tokenZavren = funkceSpousteni.zavritHandle(token) != 0;
        const bool urovenZavrena = funkceSpousteni.zavritUroven(uroven) != 0;
        if (vytvoren && (!tokenZavren || !urovenZavrena)) {
            Zavrit(proces.hThread);
            Zavrit(proces.hProcess);
            knihovna::VyhoditPosledniChybu();
        }
    }

    if (!vytvoren) {
        Bublina(Formatovat(Retezec(IDS_SPOUSTENI_CHYBA_PROCESU).c_str(), a.nazev.c_str(), TextUrovne(a.uroven).c_str(),
                           a.cesta.c_str(), knihovna::ZiskatTextChyby(static_cast<int>(chyba)).c_str()),
                BUBLINA_CHYBA);
        return E_FAIL;
    }
    Zavrit(proces.hThread);
    Zavrit(proces.hProcess);
    ++seznamAplikaci->Polozka(index).pocetSpusteni;
    return S_OK;
}
