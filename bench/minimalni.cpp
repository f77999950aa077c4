// The yardstick for Kolvex's start: a message-only window with one tray icon and a message loop,
// nothing else. Built a second time with S_BEZNYMI_PRVKY: the same program that also loads the
// common controls with visual styles (manifest and InitCommonControlsEx), as every program with
// themed dialogs must; the gap between the two is what that costs on this platform.
// With the argument "/vlakna N" it also starts N threads, each with a hidden message-only window
// and its own message loop, as Kolvex's always-running modules have: the memory those threads
// cost the platform, with no tool's work in them.
#include <windows.h>
#include <commctrl.h>
#include <process.h>
#include <shellapi.h>

#include <cwchar>

namespace {
unsigned __stdcall Vlakno(void*) {
    HWND okno = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    if (okno) ::DestroyWindow(okno);
    return 0;
}

LRESULT CALLBACK Procedura(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    if (zprava == WM_DESTROY) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = okno;
        data.uID = 1;
        ::Shell_NotifyIconW(NIM_DELETE, &data);
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(okno, zprava, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR radek, int) {
#ifdef S_BEZNYMI_PRVKY
    INITCOMMONCONTROLSEX prvky{sizeof(prvky), 0x2FFF};
    if (!::InitCommonControlsEx(&prvky)) return 1;
#endif
    WNDCLASSEXW trida{};
    trida.cbSize = sizeof(trida);
    trida.lpfnWndProc = Procedura;
    trida.hInstance = instance;
    trida.lpszClassName = L"QMinimalniOkno";
    if (!::RegisterClassExW(&trida)) return 1;
    HWND okno = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"QMinimalniOkno", L"Minimalni", WS_POPUP, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, instance, nullptr);
    if (!okno) return 1;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = okno;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_APP + 9;
    data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    lstrcpyW(data.szTip, L"Minimalni");
    if (!::Shell_NotifyIconW(NIM_ADD, &data)) return 1;
    if (const wchar_t* vlakna = radek ? std::wcsstr(radek, L"/vlakna ") : nullptr) {
        for (int i = std::wcstol(vlakna + 8, nullptr, 10); i > 0; --i)
            ::CloseHandle(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, Vlakno, nullptr, 0, nullptr)));
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
