// Stand-in for a program the launcher starts: writes its command line and its current folder,
// one a line (UTF-16), into "zaznam_spusteni.txt" in its current folder, then ends.
#include <windows.h>

#include <cwchar>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t slozka[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, slozka);
    std::wstring zaznam = std::wstring(GetCommandLineW()) + L"\n" + slozka + L"\n";
    HANDLE f = CreateFileW(L"zaznam_spusteni.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD zapsano = 0;
    WriteFile(f, zaznam.c_str(), static_cast<DWORD>(zaznam.size() * sizeof(wchar_t)), &zapsano, nullptr);
    CloseHandle(f);
    return 0;
}
