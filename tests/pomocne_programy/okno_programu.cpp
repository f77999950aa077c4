// Stand-in for an outside program: one top-level window of a given class that closes on
// WM_CLOSE. With KOLVEX_ZAZNAM set, the command line is written to that file first. With
// ZOBRAZIT the window is shown at (100, 100), 320 x 200, and brought to the foreground.
#include <windows.h>

#include <cwchar>

#ifndef TRIDA_OKNA
#define TRIDA_OKNA L"QTestNahradniOkno"
#endif

namespace {
#ifndef JEN_ZAZNAM
// Set when the window is destroyed. A modal loop running at that moment (the move loop a click on
// the title bar starts) can take the WM_QUIT for itself; the main loop then ends on this flag.
bool zruseno = false;

LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_DESTROY) {
        zruseno = true;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, msg, w, l);
}
#endif

void ZapsatPrikazovyRadek() {
    wchar_t cesta[MAX_PATH];
    if (!GetEnvironmentVariableW(L"KOLVEX_ZAZNAM", cesta, MAX_PATH)) return;
    HANDLE f = CreateFileW(cesta, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const wchar_t* radek = GetCommandLineW();
    DWORD zapsano = 0;
    WriteFile(f, radek, static_cast<DWORD>(wcslen(radek) * sizeof(wchar_t)), &zapsano, nullptr);
    CloseHandle(f);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    ZapsatPrikazovyRadek();
#ifdef JEN_ZAZNAM
    (void)instance;
    return 0;
#else
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedura;
    wc.hInstance = instance;
    wc.lpszClassName = TRIDA_OKNA;
    RegisterClassW(&wc);
#ifdef ZOBRAZIT
    HWND okno = CreateWindowExW(0, TRIDA_OKNA, L"Testovací okno", WS_OVERLAPPEDWINDOW, 100, 100, 320, 200, nullptr,
                                nullptr, instance, nullptr);
    ShowWindow(okno, SW_SHOWNORMAL);
    SetForegroundWindow(okno);
#elif defined(SE_SEZNAMEM)
    // shown, on top, with a list pane as its child: a foreign child window to capture
    HWND okno = CreateWindowExW(WS_EX_TOPMOST, TRIDA_OKNA, L"Náhradní program", WS_POPUP | WS_VISIBLE, 300, 300, 260,
                                200, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 20, 30,
                    120, 90, okno, nullptr, instance, nullptr);
#else
    CreateWindowExW(0, TRIDA_OKNA, L"Náhradní program", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                    instance, nullptr);
#endif
    MSG msg;
    while (!zruseno && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
#endif
}
