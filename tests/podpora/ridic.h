// End-to-end driver: starts Kolvex.exe (or another program of the suite) in the test prefix,
// finds its windows, sends messages and real key presses, and waits for its end.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testy {

class Program {
public:
    // Starts the program (by name, from the test programs' folder) with a command line.
    explicit Program(const std::wstring& jmeno = L"Kolvex.exe", const std::wstring& argumenty = L"");
    ~Program();  // a program still running is terminated
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Bezi() const;
    DWORD Pid() const { return m_pid; }
    HANDLE Proces() const { return m_proces; }
    // Exit code, or STILL_ACTIVE when it did not end in time.
    DWORD CekatNaKonec(DWORD ms = 10000) const;

    // A window of this process by class (message-only windows included).
    HWND CekatNaOkno(const wchar_t* trida, DWORD ms = 10000) const;
    // A message box (#32770) of this process whose text has appeared.
    HWND CekatNaZpravu(DWORD ms = 10000) const;

private:
    HANDLE m_proces = nullptr;
    DWORD m_pid = 0;
};

HWND NajitOknoProcesu(DWORD pid, const wchar_t* trida);
// Every top-level window of the process, visible or not (message-only windows are not among them).
std::vector<HWND> OknaProcesu(DWORD pid);
// What Windows does at a log-off: WM_QUERYENDSESSION to every top-level window of the process, then
// WM_ENDSESSION (konci: the session really ends) to each, every call bounded. True when every window
// agreed and every WM_ENDSESSION returned in time; what did not goes to hlaseni.
bool OznamitKonecRelace(DWORD pid, bool konci, std::string& hlaseni);
std::wstring TextOkna(HWND okno);
// Text of a message box (its static control 0xFFFF).
std::wstring TextZpravy(HWND box);

// A descendant window of a class (the first one found), null when none.
HWND Potomek(HWND okno, const wchar_t* trida);

// Presses the keys together (down in order, up in reverse) with SendInput.
void StisknoutKlavesy(std::initializer_list<WORD> klavesy);
// Types text with Unicode key events, one character at a time.
void NapsatText(const std::wstring& text);
// Waits until the menu of the window vlastnik takes the keyboard: the foreground thread is the
// owner's and is in menu mode. Keys pressed before then go to another thread and are lost.
bool CekatNaKlavesniciMenu(HWND vlastnik, DWORD ms = 5000);
// Whether the thread of the window is in menu mode (a menu loop runs there). Wine lets one menu
// loop of a process run at a time: the next menu opens only once the last loop has ended, which
// is after its window is hidden.
bool VRezimuMenu(HWND okno);
// Moves the pointer to the screen point with SendInput, as a mouse does.
void PosunoutMys(POINT bod);
// Moves the cursor to the screen point and clicks the left button with SendInput.
void KliknoutLevym(POINT bod);
// Double-clicks the left button at the screen point with SendInput.
void DvojklikLevym(POINT bod);

// The centre of Kolvex's own icon: the rightmost icon of the notification area (its blue "K").
bool NajitIkonuKolvexu(POINT& stred);
// In a shown menu of Kolvex (window menu, owner vlastnik), steps up from the bottom with the arrow
// keys and opens each submenu until one with the given number of rows opens; its window, or null.
// (Under Wine another process's menu items cannot be read, so a submenu is known by its rows.)
HWND OtevritPodnabidku(HWND vlastnik, HWND menu, int radku);
// The centre of a row (from 0) of one of Kolvex's own menus, for a click.
POINT StredRadkuMenu(HWND okno, int radek);

// Removes Kolvex's settings, window placements and data folder, so a test starts like a first run.
void VycistitStavKolvexu();
std::wstring SlozkaDokumentu();

}  // namespace testy
