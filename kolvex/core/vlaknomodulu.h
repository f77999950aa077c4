// How a tool module runs: a thread of its own that creates the module's window and runs that
// window's message loop. The thread handle is the running flag: menus check it, toggles test it.
//
// Every tool derives one class from VlaknoModulu and keeps one object of it for the whole run
// (registered with ZaregistrovatNastroj, so the main window finds it). The main window alone
// starts and stops modules, always on the main thread:
//   Spustit(automaticky)  starts the thread when it does not run; a failed start asks string 13
//                         (string 136 for tools) and on "yes" closes the main window;
//   Zastavit()            runs PredZastavenim, cancels the module's open dialogs and message
//                         boxes, posts WM_CLOSE to the module's window and waits
//                         for the thread up to the general module time-out; a thread still running
//                         then is reported with string 7 (135) and the main window is closed;
//   Prepnout(automaticky) Zastavit when running, else Spustit; while the module's window is
//                         disabled by its own dialog, only brings that dialog forward.
// On its thread the module's VytvoritOkno creates the window; the loop ends when that window is
// destroyed (or on WM_QUIT); ZrusitOkno then deletes the window object. An error object raised by
// VytvoritOkno or by the window's handlers ends the thread: the module's start-up action is
// cleared when the general option asks for it, the general settings are saved, the running flag
// is cleared, the window object deleted, and the failure reported with string 12 (81) and the
// offer to end the program. No exception leaves the thread.
//
// Other threads reach the module only by posting (Odeslat); Objekt() gives the window object to
// the main window for its control tray icon.
#pragma once

#include <windows.h>

#include <atomic>

namespace knihovna {
class OknoModul;
}

class VlaknoModulu {
public:
    // idNazvu: string id of the module's display name, used in the reports. nastroj: reports with
    // the tool strings (81, 135, 136) instead of the module strings (12, 7, 13).
    explicit VlaknoModulu(UINT idNazvu, bool nastroj = false);
    virtual ~VlaknoModulu();
    VlaknoModulu(const VlaknoModulu&) = delete;
    VlaknoModulu& operator=(const VlaknoModulu&) = delete;

    UINT IdNazvu() const { return m_idNazvu; }
    // The thread handle while the module runs, else null.
    HANDLE Vlakno() const { return Bezi() ? m_vlakno : nullptr; }
    bool Bezi() const { return m_vlakno != nullptr && !m_skoncil; }
    // The module's window while it exists.
    HWND Okno() const { return m_okno; }
    // PostMessageW to the module's window; false when there is none.
    bool Odeslat(UINT zprava, WPARAM w = 0, LPARAM l = 0) const;
    // The control tray icon removed when shown, else added: asked of the module's own thread (its
    // menus use the icon there), never done by the caller's. False when the module has no window.
    bool PrepnoutOvladaciIkonu() const;

    void Spustit(bool automaticky = false);
    void Zastavit();
    void Prepnout(bool automaticky = false);
    // While the module's window is disabled by a dialog or message box of its own (stopping would
    // close the window under it, or wait for it): brings that dialog forward and returns true.
    bool PrenestDialogDopredu() const;

    // The module's window object (null when none exists): its control tray icon.
    virtual knihovna::OknoModul* Objekt() const { return nullptr; }
    // Whether the tray icon that a control-icon menu item stands for is shown (default: the
    // control icon of Objekt()).
    virtual bool JeZobrazenaIkona(UINT polozka) const;

protected:
    // On the module's thread: creates the window object and its window (a window of this thread).
    virtual HWND VytvoritOkno(bool automaticky) = 0;
    // On the module's thread once the loop has ended or the thread failed: deletes the window
    // object. Must not raise.
    virtual void ZrusitOkno() = 0;
    // On the main thread before WM_CLOSE is posted (a tool that saves its settings on stop).
    virtual void PredZastavenim() {}
    // Clears this module's start-up action in the general settings (after a thread failure).
    virtual void ZrusitAkciPoSpusteni() {}
    virtual int PrioritaVlakna() const { return THREAD_PRIORITY_NORMAL; }
    // A message of the module's loop that the module handles itself (modeless dialogs); true = done.
    virtual bool PredzpracovatZpravu(MSG&) { return false; }

private:
    static unsigned __stdcall ProceduraVlakna(void* parametr);
    void Behat();
    void Uklidit();

    UINT m_idNazvu;
    bool m_nastroj;
    bool m_automaticky = false;
    HANDLE m_vlakno = nullptr;             // main thread only
    HANDLE m_pripraveno = nullptr;         // set once the window exists or the thread gave up
    std::atomic<HWND> m_okno{nullptr};
    std::atomic<bool> m_skoncil{false};    // the thread is done (or only reporting its failure)
};

// A thread (module, tool, plug-in) that did not stop within its time-out may still use the shared
// objects: it is recorded here, and the program's end then frees nothing under it (the process
// ends after the main window is gone).
void ZaznamenatNezastaveneVlakno();
// The message (registered, unique) that asks a module's thread to toggle its control icon.
UINT ZpravaPrepnoutOvladaciIkonu();
bool ZustaloNezastaveneVlakno();

// The tool modules the main window starts, toggles and stops.
enum class Nastroj {
    RozsireniOken,
    Sonvidar,
    CteckaRSS,
    Hodiny,
    HostInfo,
    Kontakty,
    SledovaniPameti,
    SledovaniProcesu,
    Obrazovka,
    Pocasi,
    Poznamky,
    SeznamRegistraci,
    Schranka,
    SitLanInfo,
    SpousteniAplikaci,
    Stopky,
    Pocet
};

// The module object of a tool, null while that tool is not part of the program.
VlaknoModulu* NajitNastroj(Nastroj nastroj);
void ZaregistrovatNastroj(Nastroj nastroj, VlaknoModulu* modul);
