#include "core/vlaknonastroje.h"

#include <process.h>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/vlaknomodulu.h"
#include "knihovna/chyba.h"

VlaknoNastroje::~VlaknoNastroje() {
    if (m_vlakno) ::CloseHandle(m_vlakno);
}

bool VlaknoNastroje::Bezi() {
    if (!m_vlakno) return false;
    if (::WaitForSingleObject(m_vlakno, 0) == WAIT_TIMEOUT) return true;
    ::CloseHandle(m_vlakno);
    m_vlakno = nullptr;
    return false;
}

bool VlaknoNastroje::Spustit(unsigned(__stdcall* procedura)(void*), void* parametr, UINT idNazvu) {
    if (Bezi()) return false;
    if (idNazvu) m_idNazvu = idNazvu;
    m_zastavit = false;
    m_okno = nullptr;
    auto vlakno = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, procedura, parametr, 0, nullptr));
    knihovna::Overit(vlakno != nullptr);
    m_vlakno = vlakno;
    return true;
}

void VlaknoNastroje::PozadatOZastaveni() {
    m_zastavit = true;
    // The window is cleared before its object goes: at worst WM_CLOSE reaches a window being
    // destroyed, never an object.
    if (HWND okno = m_okno) ::PostMessageW(okno, WM_CLOSE, 0, 0);
}

void VlaknoNastroje::OknoVytvoreno(HWND okno) {
    m_okno = okno;
    if (m_zastavit) ::PostMessageW(okno, WM_CLOSE, 0, 0);  // a stop that came while it was being made
}

bool VlaknoNastroje::Zastavit() {
    if (!Bezi()) return true;
    PozadatOZastaveni();
    const DWORD limit = static_cast<DWORD>(aplikace.nastaveni.casovyLimitModulu > 0 ? aplikace.nastaveni.casovyLimitModulu : 0);
    if (::WaitForSingleObject(m_vlakno, limit) != WAIT_OBJECT_0) {
        ZaznamenatNezastaveneVlakno();
        HlasitChybuUkonceniNastroje(aplikace, knihovna::Chyba(knihovna::HresultZKodu(WAIT_TIMEOUT)), m_idNazvu);
        return false;
    }
    ::CloseHandle(m_vlakno);
    m_vlakno = nullptr;
    return true;
}

void VlaknoNastroje::CekatNaKonec() {
    if (!m_vlakno) return;
    for (;;) {
        const DWORD vysledek = ::MsgWaitForMultipleObjects(1, &m_vlakno, FALSE, INFINITE, QS_SENDMESSAGE);
        if (vysledek != WAIT_OBJECT_0 + 1) break;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::CloseHandle(m_vlakno);
    m_vlakno = nullptr;
}
