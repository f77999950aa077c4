#include "core/aktualizace.h"

#include <algorithm>

#include <windows.h>
#include <process.h>
#include <shlwapi.h>

#include <atomic>
#include <memory>
#include <new>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/oknohlavni.h"
#include "core/sit.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;

namespace {

constexpr wchar_t PREDPONA[] = L"posledniVerze";
constexpr size_t DELKA_PREDPONY = 13;

// The running check: its thread, the event that cancels it, and the flag that refuses a second.
std::atomic<bool> kontrolaBezi{false};
HANDLE vlaknoKontroly = nullptr;
HANDLE zruseniKontroly = nullptr;

std::wstring Oriznout(const std::wstring& text) {
    const wchar_t* mezery = L" \t\r\n\v\f";
    size_t zacatek = text.find_first_not_of(mezery);
    if (zacatek == std::wstring::npos) return {};
    size_t konec = text.find_last_not_of(mezery);
    return text.substr(zacatek, konec - zacatek + 1);
}

// What the worker hands to the main window.
struct Zadani {
    std::wstring host;
    HWND okno = nullptr;
    HINTERNET relace = nullptr;
    HANDLE zruseni = nullptr;
};

unsigned __stdcall ProceduraKontroly(void* parametr) {
    std::unique_ptr<Zadani> zadani(static_cast<Zadani*>(parametr));
    try {
        auto vysledek = std::make_unique<VysledekAktualizace>(
            StahnoutPublikovanouVerzi(zadani->relace, zadani->host, zadani->zruseni));
        // The worker touches no window object: the main window shows the result.
        if (::PostMessageW(zadani->okno, ZpravaVysledekAktualizace, 0, reinterpret_cast<LPARAM>(vysledek.get())))
            vysledek.release();
    } catch (...) {
        // nothing may leave the thread; without memory there is nothing to report with
    }
    kontrolaBezi = false;
    return 0;
}

}  // namespace

bool PrecistPublikovanouVerzi(const std::wstring& text, std::wstring& verze) {
    if (text.size() < DELKA_PREDPONY || ::StrCmpNIW(text.c_str(), PREDPONA, DELKA_PREDPONY) != 0) return false;
    std::wstring nalezena = Oriznout(text.substr(DELKA_PREDPONY));
    // A version is a short line; anything longer is not the update file.
    if (nalezena.empty() || nalezena.size() > MAX_DELKA_VERZE || nalezena.find_first_of(L"\r\n") != std::wstring::npos)
        return false;
    verze = nalezena;
    return true;
}

VysledekAktualizace StahnoutPublikovanouVerzi(HINTERNET relace, const std::wstring& host, HANDLE zruseni) {
    VysledekAktualizace vysledek;
    vysledek.host = host;
    try {
        HttpTextSoubor soubor(relace);
        soubor.limity.maximalniVelikost = MAX_VELIKOST_SOUBORU_VERZE;
        // a few bytes: a server that takes longer does not keep the next check waiting long
        soubor.limity.casovyLimitCelkem = std::min<DWORD>(30000, soubor.limity.casovyLimitCelkem);
        soubor.limity.zruseni = zruseni;
        soubor.OtevritUrl(Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_URL).c_str(), host.c_str()));
        soubor.NacistData();
        std::wstring text;
        soubor.ZiskatText(text);
        soubor.Zavrit();
        if (!PrecistPublikovanouVerzi(text, vysledek.publikovana))
            knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_INVALID_DATA));
        WORD a = 0, b = 0, c = 0, d = 0;
        ZjistitVerziProgramu(a, b, c, d);
        vysledek.vlastni = Formatovat(L"%d.%d.%d.%d", a, b, c, d);
    } catch (const Chyba& chyba) {
        vysledek.chyba = FAILED(chyba.Hresult()) ? chyba.Hresult() : E_FAIL;
    } catch (const std::bad_alloc&) {
        vysledek.chyba = E_OUTOFMEMORY;
    }
    return vysledek;
}

void ZobrazitVysledekAktualizace(const VysledekAktualizace& vysledek) {
    SkrytBublinuHlavniIkony();
    if (vysledek.chyba == E_ABORT) return;  // cancelled at shutdown
    if (FAILED(vysledek.chyba)) {
        aplikace.ZobrazitChybuComId(IDS_AKTUALIZACE_CHYBA, Chyba(vysledek.chyba));
        return;
    }
    std::wstring zprava = Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_VYSLEDEK).c_str(), vysledek.vlastni.c_str(),
                                     vysledek.host.c_str(), vysledek.publikovana.c_str());
    aplikace.ZobrazitZpravu(zprava, vysledek.vlastni == vysledek.publikovana ? MB_ICONINFORMATION : MB_ICONWARNING);
}

LRESULT PrevzitVysledekAktualizace(LPARAM lParam) {
    std::unique_ptr<VysledekAktualizace> vysledek(reinterpret_cast<VysledekAktualizace*>(lParam));
    if (vysledek) ZobrazitVysledekAktualizace(*vysledek);
    return 0;
}

void ProvestKontroluAktualizaci() {
    const std::wstring host = knihovna::serverAktualizaci;
    try {
        ZobrazitBublinuHlavniIkony(aplikace.malaIkona.Get(),
                                   Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_HLEDANI).c_str(), host.c_str()));
    } catch (const Chyba&) {
        // the balloon is only a courtesy
    }
    ZobrazitVysledekAktualizace(StahnoutPublikovanouVerzi(aplikace.relaceInternetu, host, nullptr));
}

void ZkontrolovatAktualizace(HWND okno) {
    bool ocekavano = false;
    if (!kontrolaBezi.compare_exchange_strong(ocekavano, true)) return;
    // The thread of an earlier check has ended (the flag says so): its handle goes now.
    if (vlaknoKontroly) {
        ::WaitForSingleObject(vlaknoKontroly, INFINITE);
        ::CloseHandle(vlaknoKontroly);
        vlaknoKontroly = nullptr;
    }
    try {
        if (!zruseniKontroly) zruseniKontroly = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
        knihovna::Overit(zruseniKontroly != nullptr);
        auto zadani = std::make_unique<Zadani>();
        zadani->host = knihovna::serverAktualizaci;
        zadani->okno = okno;
        zadani->relace = aplikace.relaceInternetu;
        zadani->zruseni = zruseniKontroly;
        ZobrazitBublinuHlavniIkony(aplikace.malaIkona.Get(),
                                   Formatovat(knihovna::Retezec(IDS_AKTUALIZACE_HLEDANI).c_str(), zadani->host.c_str()));
        uintptr_t vlakno = _beginthreadex(nullptr, 0, ProceduraKontroly, zadani.get(), 0, nullptr);
        knihovna::Overit(vlakno != 0);
        zadani.release();
        vlaknoKontroly = reinterpret_cast<HANDLE>(vlakno);
    } catch (...) {
        kontrolaBezi = false;
        throw;
    }
}

void ZkontrolovatAktualizace() {
    ZkontrolovatAktualizace(oknoHlavni ? oknoHlavni->m_hWnd : nullptr);
}

bool ZastavitKontroluAktualizaci(DWORD ms) {
    if (!vlaknoKontroly) return true;
    if (zruseniKontroly) ::SetEvent(zruseniKontroly);
    if (::WaitForSingleObject(vlaknoKontroly, ms) != WAIT_OBJECT_0) return false;
    ::CloseHandle(vlaknoKontroly);
    vlaknoKontroly = nullptr;
    if (zruseniKontroly) {
        ::CloseHandle(zruseniKontroly);
        zruseniKontroly = nullptr;
    }
    kontrolaBezi = false;
    return true;
}
