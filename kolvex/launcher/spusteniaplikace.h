// Starting one launcher entry: the path check, the single-instance rule against the running
// processes, and the process created with the entry's rights level through the Safer API.
#pragma once

#include <windows.h>
#include <winsafer.h>

#include <string>
#include <vector>

// One running process as the snapshots give it.
struct SpustenyProces {
    std::wstring soubor;  // executable file name
    std::wstring cesta;   // full path of its first module (the program file)
    std::wstring modul;   // name of that module
};

// A snapshot of the running processes, made for one use.
class SeznamSpustenychProcesu {
public:
    // Fills the list anew: 0, or 1 when the process snapshot cannot be made or read (empty list).
    // Processes whose modules cannot be read are left out.
    int Nacist();
    // The first process whose path equals the text exactly (as lstrcmpW); null when none.
    const SpustenyProces* NajitPodleCesty(const std::wstring& cesta) const;

    std::vector<SpustenyProces> procesy;
};

// The system calls of a start, replaceable by tests (Wine has no real Safer tokens).
struct FunkceSpousteni {
    BOOL(WINAPI* vytvoritUroven)(DWORD, DWORD, DWORD, SAFER_LEVEL_HANDLE*, LPVOID) = ::SaferCreateLevel;
    BOOL(WINAPI* vypocitatToken)(SAFER_LEVEL_HANDLE, HANDLE, PHANDLE, DWORD, LPVOID) = ::SaferComputeTokenFromLevel;
    BOOL(WINAPI* zavritUroven)(SAFER_LEVEL_HANDLE) = ::SaferCloseLevel;
    BOOL(WINAPI* vytvoritProcesJako)(HANDLE, LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                     LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = ::CreateProcessAsUserW;
    BOOL(WINAPI* vytvoritProces)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                                 LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = ::CreateProcessW;
    BOOL(WINAPI* zavritHandle)(HANDLE) = ::CloseHandle;
    // A balloon of the launcher (text, kind BUBLINA_*): at its own icon, else at the main icon.
    void (*zobrazitBublinu)(const std::wstring& text, DWORD druh) = nullptr;
};
extern FunkceSpousteni funkceSpousteni;

// The name of a rights level as the settings page offers it ("0x%X" for another value).
std::wstring TextUrovne(DWORD uroven);

// The command line a program is started with: its path in quotes, so that a path with spaces
// reaches the program as its one first argument.
std::wstring PrikazovyRadekAplikace(const std::wstring& cesta);
// The folder the program is started in: the folder of its file (the part before the last
// backslash); empty when the path has none.
std::wstring SlozkaAplikace(const std::wstring& cesta);

// Starts the entry at the index: 1 when its path is no existing file (error balloon), else 0
// (also when the single-instance rule refused it: warning balloon). E_INVALIDARG outside the list.
int SpustitAplikaciSeznamu(size_t index);

// Creates the entry's process with its rights level and counts the start. The fully trusted
// level is the caller's own token: the process is created directly. Any other level gets a token
// computed by the Safer API; when none can be computed, or the process cannot be created with it,
// an error balloon tells why, nothing starts and E_FAIL is returned (the count stays). S_OK when
// the process runs.
HRESULT SpustitSUrovni(size_t index);
