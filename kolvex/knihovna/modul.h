// knihovna::Modul: the message services of a program (boxes, questions, error reports,
// the maker's support e-mail and web page), and ModulExe, the base of a program's application object.
#pragma once

#include <windows.h>

#include <string>

#include "chyba.h"

namespace knihovna {

// Seams for tests: the message box and ShellExecuteW the services call. The message box is
// OknoZpravy: MessageBoxW, except while the session ends (see KonciRelace).
using FunkceOknaZpravy = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
using FunkceShellExecute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
extern FunkceOknaZpravy oknoZpravy;
extern FunkceShellExecute spustitShell;

// Windows is ending the session (log-off, shutdown, restart): set once WM_ENDSESSION(TRUE) has come.
// From then on no box may be shown, and a window that would ask saves what it holds as well as it can.
bool KonciRelace();
void OznamitKonecRelace();
// The answer a message box of these flags gives by its default button (MB_DEFBUTTONn of its type).
int VychoziOdpovedZpravy(UINT priznaky);
// MessageBoxW; while the session ends no box is shown: the text goes to OutputDebugStringW and the
// default button's answer is returned.
int WINAPI OknoZpravy(HWND vlastnik, LPCWSTR text, LPCWSTR titulek, UINT priznaky);

// The maker's support address and web host; tests point the host elsewhere.
extern std::wstring emailPodpory;
extern std::wstring webAutora;  // scheme and host, no trailing slash
// Host of the update file ("host[:port]", optionally followed by a path prefix).
extern std::wstring serverAktualizaci;

// Text of an error code: 0 -> "Nespecifikovaná chyba", a positive code as a Win32 error, a negative one as an HRESULT.
std::wstring ZiskatTextChyby(int kod);
// Text of the last system error.
std::wstring TextPosledniChyby();

// Owner of a message box: the window the user works in on this thread (a tool window or one of
// its dialogs); none when the thread has no visible, enabled active window, as after a command from
// a tray menu, whose hidden window becomes active for the menu.
HWND VlastnikZpravy();

// A ShellExecute result of 32 or less is not a system error code: its meaning as an HRESULT
// (S_OK for a result above 32). A missing association becomes ERROR_NO_ASSOCIATION.
HRESULT HresultShellExecute(HINSTANCE vysledek);
// Raises the meaning of a ShellExecute result of 32 or less.
void OveritShellExecute(HINSTANCE vysledek);

class Modul {
public:
    explicit Modul(const wchar_t* klicAplikace = L"");
    virtual ~Modul();
    Modul(const Modul&) = delete;
    Modul& operator=(const Modul&) = delete;

    std::wstring titulek;
    const wchar_t* const klicAplikace;

    virtual void NapsatPodpore();
    virtual void OtevritWebAutora();
    virtual void ZobrazitZpravuId(UINT id, UINT priznaky);
    virtual int ZobrazitZpravu(const std::wstring& text, UINT priznaky);
    virtual void ZobrazitChybu(const std::wstring& text);
    virtual void ZobrazitChybuComId(UINT id, const Chyba& chyba);
    virtual void ZobrazitChybuCom(const std::wstring& text, const Chyba& chyba);
    virtual void ZobrazitChybuComPopis(const Chyba& chyba);
    virtual void ZobrazitChybuId(UINT id);
    virtual bool Otazka(const std::wstring& text, bool vychoziAno, bool varovani);
    virtual bool OtazkaId(UINT id, bool vychoziAno, bool varovani);

    // Error text as the boxes show it: "message - description" with error information, else the message.
    static std::wstring TextChybyCom(const Chyba& chyba);

protected:
    // ShellExecuteW "open" on an address, maximised; a result of 32 or less raises the last system error.
    static void OtevritAdresu(const std::wstring& adresa);
};

class ModulExe : public Modul {
public:
    using Modul::Modul;
};

}  // namespace knihovna
