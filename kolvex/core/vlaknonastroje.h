// A tool window on a thread of its own (the screen tools: area picker, measuring, colour picker,
// window picker), started and stopped by one other thread. What both threads touch is here and
// nothing else: the tool object itself is used only by its own thread, so a stop can never reach
// an object that thread is deleting.
//   - the thread handle: the starting side's alone (the tool's thread never closes it);
//   - the window handle: atomic, set by the tool's thread once the window exists, cleared before
//     the object goes; a stop only posts WM_CLOSE to it;
//   - the stop request: atomic, for a stop that comes before the window exists (the tool's thread
//     then closes the window as soon as it has made it) and for windows that ask "is this a stop?".
#pragma once

#include <windows.h>

#include <atomic>

class VlaknoNastroje {
public:
    // idNazvu: the tool's display name for the stop report.
    explicit VlaknoNastroje(UINT idNazvu) : m_idNazvu(idNazvu) {}
    ~VlaknoNastroje();
    VlaknoNastroje(const VlaknoNastroje&) = delete;
    VlaknoNastroje& operator=(const VlaknoNastroje&) = delete;

    // Starting side: whether the thread runs (the handle of an ended one is closed here).
    bool Bezi();
    // Starting side: starts procedura(parametr) when none runs; false when one runs already. A
    // failed start raises. idNazvu: the name of this run's tool when one thread serves two.
    bool Spustit(unsigned(__stdcall* procedura)(void*), void* parametr = nullptr, UINT idNazvu = 0);
    // Any thread: asks the tool to end (WM_CLOSE posted to its window, or to come when it is made).
    void PozadatOZastaveni();
    // Starting side: PozadatOZastaveni, then waits up to the module time-out. A thread still running
    // then is reported once with the tool's name and recorded (the program's end frees nothing
    // under it); true when it ended.
    bool Zastavit();
    // Starting side: waits for the end of a run that the user ends (a pick), handling the messages
    // other threads send to this one meanwhile; a stop from another thread ends it
    // (PozadatOZastaveni). The thread handle is closed afterwards.
    void CekatNaKonec();

    // Tool's thread: the window exists (a stop that came first closes it now) / is going.
    void OknoVytvoreno(HWND okno);
    void OknoZruseno() { m_okno = nullptr; }
    HWND Okno() const { return m_okno; }
    bool ZastaveniPozadovano() const { return m_zastavit; }

private:
    UINT m_idNazvu;
    HANDLE m_vlakno = nullptr;  // starting side only
    std::atomic<HWND> m_okno{nullptr};
    std::atomic<bool> m_zastavit{false};
};
