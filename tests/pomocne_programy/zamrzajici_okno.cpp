// Stand-in for another program whose window can stop answering: a shown top-level window of
// class QTestZamrzajiciOkno with a focused Edit control filling it. WM_APP+1 blocks the window's
// thread (its message loop stops) until the test sets the event "KolvexTestRozmrznout_<pid>";
// "KolvexTestZamrzlo_<pid>" is set while it is blocked. Argument "/beztitulku": no title.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

const wchar_t* const TRIDA = L"QTestZamrzajiciOkno";
constexpr UINT ZAMRZNOUT = WM_APP + 1;
HANDLE zamrzlo = nullptr;
HANDLE rozmrznout = nullptr;
HWND edit = nullptr;

LRESULT CALLBACK Procedura(HWND h, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
        case ZAMRZNOUT:
            ::ResetEvent(rozmrznout);
            ::SetEvent(zamrzlo);
            ::WaitForSingleObject(rozmrznout, INFINITE);
            ::ResetEvent(zamrzlo);
            return 0;
        case WM_SIZE:
            if (edit) ::MoveWindow(edit, 0, 0, LOWORD(l), HIWORD(l), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (edit) ::SetFocus(edit);
            return 0;
        case WM_DESTROY: ::PostQuitMessage(0); return 0;
        default: return ::DefWindowProcW(h, msg, w, l);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR prikazovyRadek, int) {
    const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
    zamrzlo = ::CreateEventW(nullptr, TRUE, FALSE, (L"KolvexTestZamrzlo_" + pid).c_str());
    rozmrznout = ::CreateEventW(nullptr, TRUE, FALSE, (L"KolvexTestRozmrznout_" + pid).c_str());
    const bool bezTitulku = prikazovyRadek && std::wcsstr(prikazovyRadek, L"/beztitulku");
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedura;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = TRIDA;
    ::RegisterClassW(&wc);
    HWND okno = ::CreateWindowExW(0, TRIDA, bezTitulku ? L"" : L"Zamrzající okno", WS_OVERLAPPEDWINDOW, 150, 150,
                                  360, 240, nullptr, nullptr, instance, nullptr);
    edit = ::CreateWindowExW(0, L"EDIT", L"Neuložený text", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 10, 10, okno,
                             nullptr, instance, nullptr);
    RECT klient{};
    ::GetClientRect(okno, &klient);
    ::MoveWindow(edit, 0, 0, klient.right, klient.bottom, TRUE);
    ::ShowWindow(okno, SW_SHOWNORMAL);
    ::SetForegroundWindow(okno);
    ::SetFocus(edit);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
