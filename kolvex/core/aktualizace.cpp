#include "core/aktualizace.h"

#include <windows.h>
#include <process.h>
#include <shlwapi.h>

#include <atomic>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/sit.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;

namespace {

constexpr wchar_t PREDPONA[] = L"posledniVerze";
constexpr size_t DELKA_PREDPONY = 13;

std::atomic<bool> kontrolaBezi{false};

std::wstring Oriznout(const std::wstring& text) {
    const wchar_t* mezery = L" \t\r\n\v\f";
    size_t zacatek = text.find_first_not_of(mezery);
    if (zacatek == std::wstring::npos) return {};
    size_t konec = text.find_last_not_of(mezery);
    return text.substr(zacatek, konec - zacatek + 1);
}

unsigned __stdcall ProceduraKontroly(void*) {
    try {
        ProvestKontroluAktualizaci();
    } catch (...) {
        // the check reports its own failures; nothing may leave the thread
    }
    kontrolaBezi = false;
    return 0;
}

}  // namespace

bool PrecistPublikovanouVerzi(const std::wstring& text, std::wstring& verze) {
    if (text.size() < DELKA_PREDPONY || ::StrCmpNIW(text.c_str(), PREDPONA, DELKA_PREDPONY) != 0) return false;
    verze = Oriznout(text.substr(DELKA_PREDPONY));
    return !verze.empty();
}

void ProvestKontroluAktualizaci() {
    const std::wstring& host = knihovna::serverAktualizaci;
    try {
        ZobrazitBublinuHlavniIkony(aplikace.malaIkona.Get(),
                                   Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_HLEDANI).c_str(), host.c_str()));

        HttpTextSoubor soubor(aplikace.relaceInternetu);
        soubor.OtevritUrl(Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_URL).c_str(), host.c_str()));
        soubor.NacistData();
        std::wstring text;
        soubor.ZiskatText(text);
        soubor.Zavrit();

        std::wstring publikovana;
        if (!PrecistPublikovanouVerzi(text, publikovana)) knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_INVALID_DATA));

        WORD a = 0, b = 0, c = 0, d = 0;
        ZjistitVerziProgramu(a, b, c, d);
        std::wstring vlastni = Formatovat(L"%d.%d.%d.%d", a, b, c, d);
        std::wstring zprava = Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_VYSLEDEK).c_str(), vlastni.c_str(),
                                         host.c_str(), publikovana.c_str());
        SkrytBublinuHlavniIkony();
        aplikace.ZobrazitZpravu(zprava, vlastni == publikovana ? MB_ICONINFORMATION : MB_ICONWARNING);
    } catch (const Chyba& chyba) {
        SkrytBublinuHlavniIkony();
        aplikace.ZobrazitChybuComId(IDS_AKTUALIZACE_CHYBA, chyba);
    }
}

void ZkontrolovatAktualizace() {
    bool ocekavano = false;
    if (!kontrolaBezi.compare_exchange_strong(ocekavano, true)) return;
    uintptr_t vlakno = _beginthreadex(nullptr, 0, ProceduraKontroly, nullptr, 0, nullptr);
    if (vlakno == 0) {
        kontrolaBezi = false;
        knihovna::VyhoditPosledniChybu();
    }
    ::CloseHandle(reinterpret_cast<HANDLE>(vlakno));
}
