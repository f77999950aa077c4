// Keeps a test prefix's virtual desktop open for a whole test run. Wine closes a desktop one second
// after the last program on it ends, and a program that starts in that second can be given the
// closing desktop's window as the parent of its own (it dies with BadWindow in X_CreateWindow).
// One hidden window, nothing on the screen; WM_CLOSE is refused, so a test that closes windows
// leaves it. It ends with the prefix's wineserver (wineserver -k) or its X display.
#include <windows.h>

namespace {
LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_CLOSE) return 0;
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, msg, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedura;
    wc.hInstance = instance;
    wc.lpszClassName = L"QKolvexDrzakPlochy";
    if (!RegisterClassW(&wc)) return 1;
    if (!CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance,
                         nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
