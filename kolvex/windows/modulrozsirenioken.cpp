#include "windows/modulrozsirenioken.h"

#include <shlwapi.h>

#include <cstring>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/stranka.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "resources/resource.h"
#include "windows/strankyrozsireni.h"
#include "windows/systemovanabidka.h"

using knihovna::Chyba;
using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

ModulRozsireniOken* modulRozsireniOken = nullptr;
std::unique_ptr<VlaknoRozsireniOken> vlaknoRozsireniOken;

namespace {

constexpr UINT_PTR CASOVAC_STARTU = 1;

bool Stisknuto(int klavesa) { return ::GetAsyncKeyState(klavesa) < 0; }

using FunkceHaku = BOOL(WINAPI*)();

FunkceHaku Funkce(HMODULE knihovna, const char* nazev) {
    return reinterpret_cast<FunkceHaku>(reinterpret_cast<void*>(::GetProcAddress(knihovna, nazev)));
}

// The last system error, never "success": a failed call that set nothing still is a failure.
[[noreturn]] void VyhoditChybuVolani() {
    if (::GetLastError() == ERROR_SUCCESS) VyhoditChybu(E_FAIL);
    VyhoditPosledniChybu();
}

}  // namespace

ModulRozsireniOken::ModulRozsireniOken() : m_trida(knihovna::Retezec(IDS_TRIDA_ROZSIRENI_OKEN)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_ROZSIRENI_OKEN);
    if (m_trida.empty() || nazevModulu.empty()) VyhoditChybu(E_FAIL);
}

ModulRozsireniOken::~ModulRozsireniOken() { Uklidit(); }

HWND ModulRozsireniOken::VytvoritOkno() {
    const std::wstring titulek = knihovna::Formatovat(L"Rozšíření oken (%s)", aplikace.titulek.c_str());
    Vytvorit(nullptr, nullptr, titulek.c_str(), WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Overit(::SetTimer(m_hWnd, CASOVAC_STARTU, 100, nullptr) != 0);
    return m_hWnd;
}

void ModulRozsireniOken::Spustit() {
    if (vlaknoRozsireniOken) vlaknoRozsireniOken->Spustit();
}

void ModulRozsireniOken::Zastavit() {
    if (vlaknoRozsireniOken) vlaknoRozsireniOken->Zastavit();
}

void ModulRozsireniOken::NacistHaky() {
    const std::wstring cesta = aplikace.slozkaProgramu + L"\\Fenrik.dll";
    if (!::PathFileExistsW(cesta.c_str())) {
        if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_FILE_NOT_FOUND);
        VyhoditPosledniChybu();
    }
    HMODULE knihovna = ::LoadLibraryW(cesta.c_str());
    if (!knihovna) VyhoditChybuVolani();
    FunkceHaku nastavit = Funkce(knihovna, "NastavitHaky");
    if (!nastavit || nastavit() != TRUE) {
        // without its hooks the library has no use here: it goes again
        const DWORD kod = ::GetLastError();
        ::FreeLibrary(knihovna);
        ::SetLastError(kod);
        VyhoditChybuVolani();
    }
    m_knihovna = knihovna;
}

void ModulRozsireniOken::UvolnitHaky() {
    if (!m_knihovna) return;
    FunkceHaku odebrat = Funkce(m_knihovna, "OdebratHaky");
    if (!odebrat || odebrat() != TRUE) VyhoditChybuVolani();
    HMODULE knihovna = m_knihovna;
    m_knihovna = nullptr;
    Overit(::FreeLibrary(knihovna) != 0);
}

void ModulRozsireniOken::Uklidit() {
    try {
        UvolnitHaky();
    } catch (const Chyba&) {
        // the library stays loaded; its hooks find no receiver any more
    }
    m_skrytaOkna.reset();  // every hidden window is shown again
    try {
        OdebratVsechnyPolozkySystemoveNabidky();
    } catch (const Chyba&) {
        // foreign windows: what could be restored is restored
    }
}

void ModulRozsireniOken::NahlasitChybuUdalosti(const wchar_t*, HWND, const Chyba& chyba) {
    ++m_chybyUdalosti;
    if (m_hlasiChybu || m_chybaKNahlaseni) return;
    // Fenrik's sender waits in SendMessage while the event is handled: the box comes afterwards.
    m_chybaKNahlaseni = std::make_unique<Chyba>(chyba);
    ::PostMessageW(m_hWnd, ZpravaChybaUdalosti, 0, 0);
}

LRESULT ModulRozsireniOken::OnChybaUdalosti(UINT, WPARAM, LPARAM, BOOL&) {
    std::unique_ptr<Chyba> chyba = std::move(m_chybaKNahlaseni);
    if (!chyba || m_hlasiChybu) return 0;
    m_hlasiChybu = true;
    try {
        HlasitChybuAkceModulu(*chyba, IDS_NAZEV_ROZSIRENI_OKEN);
    } catch (...) {
        // the report itself failed: the module goes on all the same
    }
    m_hlasiChybu = false;
    return 0;
}

void ModulRozsireniOken::ZpracovatUdalostOkna(HWND okno, const COPYDATASTRUCT& data) {
    if (data.dwData == UDALOST_OKNO_VYTVORENO) {
        PridatPolozkySystemoveNabidky(okno);
        return;
    }
    if (data.dwData == UDALOST_OKNO_ZRUSENO) {
        OdebratPolozkySystemoveNabidky(okno);
        return;
    }
    if (data.cbData != sizeof(UdalostOkna) || !data.lpData) return;  // not a record of ours
    UdalostOkna udalost;
    std::memcpy(&udalost, data.lpData, sizeof(udalost));
    HWND cil = OknoZeSlova(udalost.okno);
    const UINT zprava = static_cast<UINT>(data.dwData);
    switch (zprava) {
        case WM_NCLBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCXBUTTONDOWN:
        case WM_MOUSEWHEEL: {
            const int gesto = UrcitGesto(zprava, udalost.wParam, Stisknuto(VK_CONTROL), Stisknuto(VK_SHIFT));
            if (gesto >= 0) ProvestAkciGesta(NastaveniRozsireniOken().akceGest[gesto], cil);
            break;
        }
        case WM_SYSCOMMAND: ProvestPrikazSystemoveNabidky(cil, udalost.wParam); break;
        case WM_INITMENU: ObnovitZaskrtnutiNavrchu(cil); break;
        default: break;
    }
}

void ModulRozsireniOken::SkrytOkno(HWND okno) {
    if (!m_skrytaOkna) m_skrytaOkna = std::make_unique<SeznamSkrytychOken>(m_hWnd);
    SkrytOknoDoSeznamu(*m_skrytaOkna, okno, NastaveniRozsireniOken().informovatPoSkryti);
}

LRESULT ModulRozsireniOken::OnCopyData(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
    HWND okno = reinterpret_cast<HWND>(w);
    if (data) {
        try {
            ZpracovatUdalostOkna(okno, *data);
        } catch (const Chyba& chyba) {
            NahlasitChybuUdalosti(L"událost", okno, chyba);
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulRozsireniOken::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w != CASOVAC_STARTU) return 0;
    Overit(::KillTimer(m_hWnd, CASOVAC_STARTU) != 0);
    if (!m_knihovna && nacistHaky) NacistHaky();
    return 0;
}

LRESULT ModulRozsireniOken::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    std::unique_ptr<Chyba> chyba;
    try {
        UvolnitHaky();
    } catch (const Chyba& c) {
        chyba = std::make_unique<Chyba>(c);
    }
    ::Sleep(120);  // reports already under way reach a living window
    Uklidit();
    const LRESULT vysledek = VychoziZpracovani(msg, w, l);
    if (chyba) throw *chyba;  // after the windows are back: ends the thread with its report
    return vysledek;
}

LRESULT ModulRozsireniOken::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulRozsireniOken::OnSkrytOkno(UINT, WPARAM, LPARAM l, BOOL&) {
    HWND okno = reinterpret_cast<HWND>(l);
    try {
        SkrytOkno(okno);
    } catch (const Chyba& chyba) {
        NahlasitChybuUdalosti(L"skrytí", okno, chyba);
    }
    return 0;
}

LRESULT ModulRozsireniOken::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w == ID_IKONY_SKRYTYCH_OKEN && (l == WM_LBUTTONUP || l == WM_RBUTTONUP) && m_skrytaOkna)
        m_skrytaOkna->ZobrazitNabidku();
    return 0;
}

LRESULT ModulRozsireniOken::OnObnovitOkno(WORD, WORD id, HWND, BOOL&) {
    if (m_skrytaOkna) m_skrytaOkna->Obnovit(id - PRVNI_PRIKAZ_SKRYTEHO_OKNA);
    return 0;
}

LRESULT ModulRozsireniOken::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const auto* polozka = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_skrytaOkna && m_skrytaOkna->Nabidka() &&
        reinterpret_cast<HMENU>(polozka->hwndItem) == m_skrytaOkna->Nabidka()) {
        m_skrytaOkna->KreslitPolozku(*polozka);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulRozsireniOken::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU) {
        polozka->itemHeight = static_cast<UINT>(knihovna::Skalovat(20));
        if (m_skrytaOkna) polozka->itemWidth = 200;
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoRozsireniOken::VlaknoRozsireniOken() : VlaknoModulu(IDS_NAZEV_ROZSIRENI_OKEN) {}

knihovna::OknoModul* VlaknoRozsireniOken::Objekt() const {
    return modulRozsireniOken && modulRozsireniOken->m_hWnd ? modulRozsireniOken : nullptr;
}

HWND VlaknoRozsireniOken::VytvoritOkno(bool) {
    if (modulRozsireniOken) VyhoditChybu(E_FAIL);  // one module object at a time
    auto modul = std::make_unique<ModulRozsireniOken>();
    modulRozsireniOken = modul.get();
    try {
        HWND okno = modul->VytvoritOkno();
        modul.release();
        return okno;
    } catch (...) {
        modulRozsireniOken = nullptr;
        throw;
    }
}

void VlaknoRozsireniOken::ZrusitOkno() {
    // Also after a failure: the object goes, so that a later start builds a new one.
    ModulRozsireniOken* modul = modulRozsireniOken;
    modulRozsireniOken = nullptr;
    delete modul;
}

void VytvoritModulRozsireniOken() {
    if (!vlaknoRozsireniOken) vlaknoRozsireniOken = std::make_unique<VlaknoRozsireniOken>();
    ZaregistrovatNastroj(Nastroj::RozsireniOken, vlaknoRozsireniOken.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_OKNA_AKCE, VytvoritStranku<DlgNastavOknaAkce>);
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_ROZSIRENI_OKEN, VytvoritStranku<DlgNastavRozsireniOken>);
}

void SmazatModulRozsireniOken() {
    ZaregistrovatNastroj(Nastroj::RozsireniOken, nullptr);
    vlaknoRozsireniOken.reset();
}
