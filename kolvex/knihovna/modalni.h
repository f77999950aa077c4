// The modal loops a window owns (its dialogs, message boxes and file dialogs). While one runs
// the window is disabled for real input, yet messages posted to it or to its controls still
// arrive: a handler that would change or destroy what the loop works on brings the loop's
// window forward instead, and WM_CLOSE is put off until the last loop has ended.
#pragma once

#include <windows.h>

namespace knihovna {

class ModalniSmycky {
public:
    // Lives as long as one modal loop over the window runs.
    class Beh {
    public:
        Beh(ModalniSmycky& smycky, HWND okno) : m_smycky(smycky), m_okno(okno) { ++m_smycky.m_pocet; }
        ~Beh() {
            if (--m_smycky.m_pocet > 0 || !m_smycky.m_zavrit) return;
            m_smycky.m_zavrit = false;
            if (::IsWindow(m_okno)) ::PostMessageW(m_okno, WM_CLOSE, 0, 0);
        }
        Beh(const Beh&) = delete;
        Beh& operator=(const Beh&) = delete;

    private:
        ModalniSmycky& m_smycky;
        HWND m_okno;
    };

    bool Bezi() const { return m_pocet > 0; }

    // True while a loop runs; its window (the window's last active popup) comes forward.
    bool PrenestDopredu(HWND okno) const {
        if (m_pocet == 0) return false;
        HWND popup = ::GetLastActivePopup(okno);
        if (popup && popup != okno) ::SetForegroundWindow(popup);
        return true;
    }

    // WM_CLOSE while a loop runs: true, and the window is closed once the loop has ended.
    bool OdlozitZavreni(HWND okno) {
        if (!PrenestDopredu(okno)) return false;
        m_zavrit = true;
        return true;
    }

private:
    int m_pocet = 0;
    bool m_zavrit = false;
};

// A stop of a thread whose dialog or message box is open: every modal dialog window of that thread
// (a visible top-level dialog over a disabled owner, or an ownerless one while another window of the
// thread is disabled) is ended as its Cancel button would end it (a box without one: "Ne", else
// "OK"). The command is posted: the thread's own modal loop ends the dialog, and the code after the
// loop runs as after a cancel. Result: the number of dialogs asked to end.
// A dialog with this window property set is left to its owner's close: a cancel would throw away
// what it holds (a running recording, which the close keeps).
constexpr const wchar_t* NERUSIT_PRI_ZASTAVENI = L"QKolvexNerusitPriZastaveni";
int UkoncitModalniOkna(DWORD idVlakna);

}  // namespace knihovna
