// The window extension: a hidden window of class QKolvexOknoHaky on a thread of its own. It loads
// Fenrik 100 ms after it is made, receives Fenrik's window events as WM_COPYDATA and turns them
// into window actions (system-menu items, gestures, the "Navrchu" check mark), hides windows to
// the hidden-windows icon, and on close removes the hooks and shows every hidden window again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "windows/akceoken.h"
#include "windows/skrytaokna.h"

// The event record Fenrik sends: window, the message's wParam, its lParam; 32 bits each.
struct UdalostOkna {
    uint32_t okno;
    uint32_t wParam;
    uint32_t lParam;
};
static_assert(sizeof(UdalostOkna) == 12, "the record crosses processes as exactly 12 bytes");

// Event codes below every reported message number: a top-level window created / destroyed.
constexpr ULONG_PTR UDALOST_OKNO_VYTVORENO = 1;
constexpr ULONG_PTR UDALOST_OKNO_ZRUSENO = 2;

// A window handle from its 32-bit record word (handles are sign-extended on 64-bit systems).
inline HWND OknoZeSlova(uint32_t slovo) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(slovo)));
}

// Posted to itself: report the failed event (string 12) after the handler has returned.
constexpr UINT ZpravaChybaUdalosti = WM_APP + 21;

class ModulRozsireniOken : public knihovna::OknoImpl<ModulRozsireniOken, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulRozsireniOken();
    ~ModulRozsireniOken() override;

    // false: the start timer does not load Fenrik (tests drive the window by hand).
    bool nacistHaky = true;

    // On the module's thread: the hidden window, its icons, the 100 ms start timer.
    HWND VytvoritOkno();
    static void Spustit();
    static void Zastavit();

    void NacistHaky();
    void UvolnitHaky();
    bool HakyNacteny() const { return m_knihovna != nullptr; }
    // One event of Fenrik; raises what the action raises.
    void ZpracovatUdalostOkna(HWND okno, const COPYDATASTRUCT& data);
    void SkrytOkno(HWND okno);

    SeznamSkrytychOken* SkrytaOkna() const { return m_skrytaOkna.get(); }
    // Events whose handling failed (each is reported with string 12 and the module goes on; one
    // box at a time, failures meanwhile are counted only).
    unsigned PocetChybUdalosti() const { return m_chybyUdalosti; }

    KNIHOVNA_MAPA_ZPRAV(ModulRozsireniOken)
        ZPRAVA(WM_COPYDATA, OnCopyData)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZpravaSkrytOkno, OnSkrytOkno)
        ZPRAVA(ZpravaChybaUdalosti, OnChybaUdalosti)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        PRIKAZY_ID(PRVNI_PRIKAZ_SKRYTEHO_OKNA, POSLEDNI_PRIKAZ_SKRYTEHO_OKNA, OnObnovitOkno)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
    KNIHOVNA_KONEC_MAPY()

private:
    HMODULE m_knihovna = nullptr;  // Fenrik while loaded
    std::unique_ptr<SeznamSkrytychOken> m_skrytaOkna;
    std::wstring m_trida;
    unsigned m_chybyUdalosti = 0;
    // The failure to report once the event's sender is free again; null when none waits.
    std::unique_ptr<knihovna::Chyba> m_chybaKNahlaseni;
    bool m_hlasiChybu = false;  // the report's box is open: later failures are only counted

    // Hooks off, hidden windows back, system menus as they were; raises nothing.
    void Uklidit();
    void NahlasitChybuUdalosti(const wchar_t* co, HWND okno, const knihovna::Chyba& chyba);

    LRESULT OnCopyData(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSkrytOkno(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnChybaUdalosti(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnObnovitOkno(WORD, WORD, HWND, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
};

// The module object of the running thread; null while stopped.
extern ModulRozsireniOken* modulRozsireniOken;

class VlaknoRozsireniOken : public VlaknoModulu {
public:
    VlaknoRozsireniOken();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
};
extern std::unique_ptr<VlaknoRozsireniOken> vlaknoRozsireniOken;

// Start-up: the thread object and the settings pages; shutdown deletes them (thread stopped).
void VytvoritModulRozsireniOken();
void SmazatModulRozsireniOken();
