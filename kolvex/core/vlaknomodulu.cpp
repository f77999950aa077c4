#include "core/vlaknomodulu.h"

#include <process.h>

#include <array>
#include <memory>
#include <new>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/napojeni.h"
#include "knihovna/modalni.h"
#include "knihovna/okno.h"
#include "knihovna/vyjimky.h"

using knihovna::Chyba;

namespace {
std::atomic<bool> nezastaveneVlakno{false};
}

void ZaznamenatNezastaveneVlakno() { nezastaveneVlakno = true; }

UINT ZpravaPrepnoutOvladaciIkonu() {
    static const UINT zprava = ::RegisterWindowMessageW(L"KolvexPrepnoutOvladaciIkonu");
    return zprava;
}

bool VlaknoModulu::PrepnoutOvladaciIkonu() const { return Odeslat(ZpravaPrepnoutOvladaciIkonu()); }
bool ZustaloNezastaveneVlakno() { return nezastaveneVlakno; }

VlaknoModulu::VlaknoModulu(UINT idNazvu, bool nastroj) : m_idNazvu(idNazvu), m_nastroj(nastroj) {}

VlaknoModulu::~VlaknoModulu() {
    if (m_vlakno) ::CloseHandle(m_vlakno);
    if (m_pripraveno) ::CloseHandle(m_pripraveno);
}


bool VlaknoModulu::JeZobrazenaIkona(UINT) const {
    knihovna::OknoModul* objekt = Objekt();
    return objekt && objekt->ovladaciIkona;
}

void VlaknoModulu::Uklidit() {
    if (!m_vlakno) return;
    if (m_skoncil || ::WaitForSingleObject(m_vlakno, 0) == WAIT_OBJECT_0) {
        ::CloseHandle(m_vlakno);
        m_vlakno = nullptr;
    }
}

void VlaknoModulu::Spustit(bool automaticky) {
    if (Bezi()) return;
    Uklidit();
    if (m_vlakno) return;  // the previous thread has not ended yet
    try {
        if (!m_pripraveno) {
            m_pripraveno = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
            knihovna::Overit(m_pripraveno != nullptr);
        }
        knihovna::Overit(::ResetEvent(m_pripraveno) != 0);
        m_automaticky = automaticky;
        m_skoncil = false;
        m_okno = nullptr;
        uintptr_t vlakno = ::_beginthreadex(nullptr, 0, ProceduraVlakna, this, CREATE_SUSPENDED, nullptr);
        if (!vlakno) knihovna::VyhoditPosledniChybu();
        m_vlakno = reinterpret_cast<HANDLE>(vlakno);
        int priorita = PrioritaVlakna();
        if (priorita != THREAD_PRIORITY_NORMAL) ::SetThreadPriority(m_vlakno, priorita);
        ::ResumeThread(m_vlakno);
    } catch (const Chyba& chyba) {
        if (m_nastroj)
            HlasitChybuSpusteniNastroje(chyba, m_idNazvu);
        else
            HlasitChybuSpusteniModulu(chyba, m_idNazvu);
    }
}

namespace {

// Waits for a handle; messages sent from other threads are handled meanwhile, so a module
// that sends to a window of this thread while closing cannot block its own stop.
DWORD CekatNa(HANDLE h, DWORD ms) {
    const DWORD zacatek = ::GetTickCount();
    for (;;) {
        DWORD uplynulo = ::GetTickCount() - zacatek;
        DWORD zbyva = uplynulo >= ms ? 0 : ms - uplynulo;
        DWORD vysledek = ::MsgWaitForMultipleObjects(1, &h, FALSE, zbyva, QS_SENDMESSAGE);
        if (vysledek != WAIT_OBJECT_0 + 1) return vysledek;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

bool VlaknoModulu::Odeslat(UINT zprava, WPARAM w, LPARAM l) const {
    HWND okno = m_okno;
    // A module started a moment ago may not have reported its window yet: a command of those first
    // moments (a hot key pressed right after start-up) waits for it instead of being lost.
    if (!okno && Bezi() && m_pripraveno && ::GetThreadId(m_vlakno) != ::GetCurrentThreadId()) {
        const DWORD limit = static_cast<DWORD>(aplikace.nastaveni.casovyLimitModulu > 0 ? aplikace.nastaveni.casovyLimitModulu : 0);
        CekatNa(m_pripraveno, limit);
        okno = m_okno;
    }
    return okno && ::IsWindow(okno) && ::PostMessageW(okno, zprava, w, l);
}

void VlaknoModulu::Zastavit() {
    if (!m_vlakno) return;
    if (!Bezi()) {
        Uklidit();
        return;
    }
    try {
        PredZastavenim();
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    const DWORD limit = static_cast<DWORD>(aplikace.nastaveni.casovyLimitModulu > 0 ? aplikace.nastaveni.casovyLimitModulu : 0);
    const DWORD zacatek = ::GetTickCount();
    // A thread still creating its window gets it first, so WM_CLOSE has a receiver.
    HANDLE cekani[2] = {m_vlakno, m_pripraveno};
    ::WaitForMultipleObjects(2, cekani, FALSE, limit);
    // A dialog or question of the module is cancelled first: its window closes (and saves) as soon
    // as the dialog's loop has ended, instead of putting the close off past the time-out.
    knihovna::UkoncitModalniOkna(::GetThreadId(m_vlakno));
    Odeslat(WM_CLOSE);
    DWORD uplynulo = ::GetTickCount() - zacatek;
    DWORD vysledek = CekatNa(m_vlakno, uplynulo >= limit ? 0 : limit - uplynulo);
    if (vysledek == WAIT_OBJECT_0 || m_skoncil) {  // ended, or only reporting its own failure
        ::CloseHandle(m_vlakno);
        m_vlakno = nullptr;
        return;
    }
    ZaznamenatNezastaveneVlakno();
    Chyba chyba(HRESULT_FROM_WIN32(WAIT_TIMEOUT));
    if (m_nastroj)
        HlasitChybuUkonceniNastroje(aplikace, chyba, m_idNazvu);
    else
        HlasitChybuUkonceniModulu(chyba, m_idNazvu);
}

void VlaknoModulu::Prepnout(bool automaticky) {
    if (!Bezi()) {
        Spustit(automaticky);
        return;
    }
    if (PrenestDialogDopredu()) return;
    Zastavit();
}

bool VlaknoModulu::PrenestDialogDopredu() const {
    const HWND okno = m_okno;
    if (!Bezi() || !okno || !::IsWindow(okno) || ::IsWindowEnabled(okno)) return false;
    HWND popup = ::GetLastActivePopup(okno);
    ::SetForegroundWindow(popup ? popup : okno);
    return true;
}

unsigned __stdcall VlaknoModulu::ProceduraVlakna(void* parametr) {
    static_cast<VlaknoModulu*>(parametr)->Behat();
    return 0;
}

void VlaknoModulu::Behat() {
    HRESULT chyba = S_OK;
    std::unique_ptr<Chyba> zachycena;
    try {
        HWND okno = VytvoritOkno(m_automaticky);
        m_okno = okno;
        ::SetEvent(m_pripraveno);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == ZpravaPrepnoutOvladaciIkonu() && msg.hwnd == okno) {
                // The icon is this thread's: the main window's toggle arrives here.
                if (knihovna::OknoModul* objekt = Objekt()) {
                    try {
                        if (objekt->ovladaciIkona)
                            objekt->OdebratOvladaciIkonu();
                        else
                            objekt->VytvoritOvladaciIkonu();
                    } catch (const Chyba& c) {
                        aplikace.ZobrazitChybuComPopis(c);
                    }
                }
                continue;
            }
            if (!PredzpracovatZpravu(msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            knihovna::VyhoditOdlozenouVyjimku();
            if (!::IsWindow(okno)) break;
        }
    } catch (const Chyba& c) {
        zachycena = std::make_unique<Chyba>(c);
    } catch (const std::bad_alloc&) {
        chyba = E_OUTOFMEMORY;
    } catch (...) {
        chyba = E_FAIL;
    }
    if (!zachycena && FAILED(chyba)) zachycena = std::make_unique<Chyba>(chyba);
    knihovna::ZahoditOdlozenouVyjimku();
    m_okno = nullptr;

    if (zachycena) {
        try {
            if (aplikace.nastaveni.priChybeZrusitPoSpusteni) ZrusitAkciPoSpusteni();
            UlozitNastaveniPoChybeModulu();
        } catch (...) {
            // the report below is what the user must see
        }
    }
    try {
        ZrusitOkno();
    } catch (...) {
    }
    // From m_skoncil on, the object may be started anew or deleted (its stop does not wait for a
    // thread that is only reporting): the report uses copies.
    const bool nastroj = m_nastroj;
    const UINT idNazvu = m_idNazvu;
    ::SetEvent(m_pripraveno);
    m_skoncil = true;
    if (!zachycena) return;
    try {
        if (nastroj)
            HlasitChybuVlaknaNastroje(aplikace, *zachycena, idNazvu);
        else
            HlasitChybuVlaknaModulu(*zachycena, idNazvu);
    } catch (...) {
        // not even the report could be shown: the module stays ended
    }
}

namespace {
std::array<VlaknoModulu*, static_cast<size_t>(Nastroj::Pocet)> nastroje{};
}

VlaknoModulu* NajitNastroj(Nastroj nastroj) {
    size_t i = static_cast<size_t>(nastroj);
    return i < nastroje.size() ? nastroje[i] : nullptr;
}

void ZaregistrovatNastroj(Nastroj nastroj, VlaknoModulu* modul) {
    size_t i = static_cast<size_t>(nastroj);
    if (i < nastroje.size()) nastroje[i] = modul;
}
