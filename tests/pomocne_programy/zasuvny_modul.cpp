// Test plug-in: exports "Spusteni" and "GetHlavniOkno" as the plug-in host expects.
//   default           a message-only window that ends the run on WM_CLOSE
//   OKAMZITE          "Spusteni" returns at once
//   TVRDOHLAVY        ignores WM_CLOSE until the event "KolvexTestPustitRozsireni" is set
//   BEZ_HLAVNIHO_OKNA  "GetHlavniOkno" is not exported
#include <windows.h>

namespace {
HWND hlavniOkno = nullptr;
#ifndef OKAMZITE

LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_CLOSE) {
#ifndef TVRDOHLAVY
        DestroyWindow(h);
#endif
        return 0;
    }
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(h, msg, w, l);
}

HINSTANCE Instance() {
    HMODULE m = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Procedura), &m);
    return m;
}
#endif
}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI Spusteni() {
#ifdef OKAMZITE
    return 0;
#else
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedura;
    wc.hInstance = Instance();
    wc.lpszClassName = TRIDA_OKNA;
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, TRIDA_OKNA, L"", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!h) return 1;
    hlavniOkno = h;
#ifdef TVRDOHLAVY
    HANDLE pustit = CreateEventW(nullptr, TRUE, FALSE, L"KolvexTestPustitRozsireni");
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &pustit, FALSE, INFINITE, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    CloseHandle(pustit);
    hlavniOkno = nullptr;
    DestroyWindow(h);
    MSG zbytek;
    while (PeekMessageW(&zbytek, nullptr, 0, 0, PM_REMOVE)) {
    }
#else
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    hlavniOkno = nullptr;
#endif
    UnregisterClassW(TRIDA_OKNA, wc.hInstance);
    return 0;
#endif
}

#ifndef BEZ_HLAVNIHO_OKNA
extern "C" __declspec(dllexport) HWND WINAPI GetHlavniOkno() { return hlavniOkno; }
#endif
