// The update check: the published version file on the maker's server against the own version.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <string>

// WM_APP+30 to the main window: a check's result (lParam: VysledekAktualizace*, the receiver
// frees it).
constexpr UINT ZpravaVysledekAktualizace = WM_APP + 30;

// The version file is a line: more than this is not it (and is not read whole).
constexpr ULONGLONG MAX_VELIKOST_SOUBORU_VERZE = 4096;
constexpr size_t MAX_DELKA_VERZE = 64;

struct VysledekAktualizace {
    std::wstring host;
    std::wstring vlastni;
    std::wstring publikovana;
    HRESULT chyba = S_OK;  // E_ABORT: cancelled
};

// The download and its reading, without any window: for a worker thread.
VysledekAktualizace StahnoutPublikovanouVerzi(HINTERNET relace, const std::wstring& host, HANDLE zruseni);
// The message box of a result (nothing for a cancelled check); hides the search balloon.
void ZobrazitVysledekAktualizace(const VysledekAktualizace& vysledek);
// The main window's handler of ZpravaVysledekAktualizace.
LRESULT PrevzitVysledekAktualizace(LPARAM lParam);

// The whole check on the calling thread: balloon, download, message box.
void ProvestKontroluAktualizaci();
// Starts the check on a worker thread, so that the main thread never waits for the network; the
// result comes back to okno as ZpravaVysledekAktualizace. A request while a check runs is ignored.
void ZkontrolovatAktualizace(HWND okno);
// The same for the main window (command 40022).
void ZkontrolovatAktualizace();
// Shutdown: cancels a running check and waits up to ms for its thread; false when it still runs
// (whatever it uses must then not be freed).
bool ZastavitKontroluAktualizaci(DWORD ms);

// The published version of an update file's text: what follows the prefix "posledniVerze"
// (compared without case), white space and line ends trimmed; false for any other text, and
// for a version longer than MAX_DELKA_VERZE.
bool PrecistPublikovanouVerzi(const std::wstring& text, std::wstring& verze);
