// A modeless test dialog (template 9002) that reflects notifications to its controls and
// records what they post, and a driver that answers the system's modal dialogs from a second
// thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "knihovna/okno.h"
#include "knihovna/prvky.h"

namespace testy {

constexpr int IDD_TEST_PRVKY = 9002;
constexpr UINT ZPRAVA_CESTA_VYBRANA = WM_APP + 40;

struct Zaznam {
    UINT zprava;
    WPARAM w;
    LPARAM l;
};

class DialogPrvku : public knihovna::DialogImpl<DialogPrvku, knihovna::OknoObal> {
public:
    enum { IDD = IDD_TEST_PRVKY };
    std::vector<Zaznam> zaznamy;

    KNIHOVNA_MAPA_ZPRAV(DialogPrvku)
        ZPRAVA(knihovna::ZPRAVA_PRVKU, Zapsat)
        ZPRAVA(ZPRAVA_CESTA_VYBRANA, Zapsat)
        ZPRAVA(WM_CONTEXTMENU, Zapsat)
        PRIKAZY_ID(40000, 40999, ZapsatPrikaz)
        PRIKAZ(2020, LBN_SELCHANGE, ZapsatPrikaz)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    HWND Otevrit() {
        Vytvorit(nullptr);
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SetForegroundWindow(m_hWnd);
        return m_hWnd;
    }
    // The posted records of one message, after pumping this thread's queue.
    std::vector<Zaznam> Prijate(UINT zprava);

private:
    LRESULT Zapsat(UINT msg, WPARAM w, LPARAM l, BOOL&) {
        zaznamy.push_back({msg, w, l});
        return 0;
    }
    LRESULT ZapsatPrikaz(WORD kod, WORD id, HWND ovladac, BOOL&) {
        zaznamy.push_back({WM_COMMAND, MAKEWPARAM(id, kod), reinterpret_cast<LPARAM>(ovladac)});
        return 0;
    }
};

// Pumps this thread's messages for a moment.
void Pumpovat(DWORD ms = 50);

// A visible #32770 window of this process other than `krome`, waited for up to `ms`.
HWND CekatNaSystemovyDialog(HWND krome, DWORD ms = 10000);

// Runs `akce` on the first system dialog that appears (from a second thread), while the
// calling thread runs a modal loop. Join with Dokoncit; `nalezen` tells whether one came.
class RidicDialogu {
public:
    RidicDialogu(HWND krome, std::function<void(HWND)> akce);
    ~RidicDialogu();
    bool Dokoncit();

private:
    std::thread m_vlakno;
    std::atomic<bool> m_nalezen{false};
};

// A DIB section of the given size in a memory DC, filled white.
class PametovyObraz {
public:
    PametovyObraz(int sirka, int vyska);
    ~PametovyObraz();
    HDC Dc() const { return m_dc; }
    COLORREF Bod(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    bool ObsahujeBarvu(COLORREF barva) const;

private:
    HDC m_dc;
    HBITMAP m_bitmapa;
    HGDIOBJ m_puvodni;
    int m_sirka, m_vyska;
};

}  // namespace testy
