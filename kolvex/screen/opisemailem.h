// A saved capture sent by e-mail to one address, on a worker thread of its own; one capture at
// a time. The worker works on copies (the recipient, the file, the settings) and hands its
// result to a window as ZpravaOpisOdeslan; that window shows it in a balloon.
#pragma once

#include <windows.h>

#include <string>

// Posted by the worker when it ends: lParam a VysledekOdeslaniOpisu* that the receiver deletes
// (through PrevzitVysledekOdeslani).
constexpr UINT ZpravaOpisOdeslan = WM_APP + 11;

struct VysledekOdeslaniOpisu {
    bool odeslano = false;
    std::wstring prijemce;
    std::wstring duvod;  // why it was not sent
};

// Seam for tests: the SMTP port (0 = the services database, else 25).
extern unsigned short portOdeslaniOpisu;
// Seam for tests: the reply time limit in seconds (0 = the client's own).
extern int casovyLimitOdeslaniOpisu;

// Whether a capture is being sent (the finished worker's handle is closed here).
bool ProbihaOdesilaniOpisu();

// The dialog's request, on the screen module's thread: refuses a short address (string 221)
// and a second request while one is sent, each with its message, and returns false; else makes
// the scaled copy when chosen (the capture file itself stays as it is), shows "Odesílám ..." and
// starts the worker, whose result goes to oknoVysledku. A copy that cannot be made is shown as
// a failed send (balloon) and gives false; a failed start raises.
bool PozadovatOdeslaniOpisu(const std::wstring& adresa, const std::wstring& soubor, HWND oknoVysledku);

// Starts the worker with the recipient and the file to attach (sent under the name jmeno, empty =
// the file's own name; the file is deleted afterwards when docasny); does nothing while a worker
// runs. A failed start raises the last system error.
void OdeslatOpisEmailem(const std::wstring& prijemce, const std::wstring& soubor, HWND oknoVysledku = nullptr,
                        const std::wstring& jmeno = L"", bool docasny = false);

// The scaled copy of a picture file: the largest size that fits a square of the width times
// procento / 100, in the format of the file's extension encoded as a screen capture is (JPEG
// with kvalitaJpeg, GIF indexed) and written by the checked atomic write; false (nothing
// written) when procento lies outside 5-99. A copy that cannot be made raises.
bool ZmensitKopiiObrazku(const std::wstring& soubor, DWORD procento, const std::wstring& cil, int kvalitaJpeg = 0);

// The receiver's side of ZpravaOpisOdeslan: the balloon ("odeslán" or the failure with its
// reason); takes the result over and deletes it.
void PrevzitVysledekOdeslani(LPARAM l);

// Shutdown: asks a running worker to stop and waits for it a bounded time.
void UkoncitOdesilaniOpisu();
