// Fenrik: three desktop-wide hooks that report chosen window events of every program to Kolvex's
// window extension (the window of class QKolvexOknoHaky) as WM_COPYDATA with a 12-byte record.
//
// Every process that maps the library has its own copy of the variables below; only the process
// that called NastavitHaky holds hook handles (the others pass 0 to CallNextHookEx, which the
// system ignores).
#include <windows.h>

#include <cstdint>

namespace {

// The event record: window, the message's wParam and lParam, each as 32 bits.
struct UdalostOkna {
    uint32_t okno;
    uint32_t wParam;
    uint32_t lParam;
};
static_assert(sizeof(UdalostOkna) == 12, "the record crosses processes as exactly 12 bytes");

constexpr wchar_t TRIDA_PRIJEMCE[] = L"QKolvexOknoHaky";
// A report never blocks the reporting program for long, and not at all when Kolvex hangs.
constexpr UINT CASOVY_LIMIT_HLASENI = 500;

HINSTANCE instance = nullptr;
HWND prijemce = nullptr;
HHOOK hakVolaniOkna = nullptr;
HHOOK hakZpravy = nullptr;
HHOOK hakShell = nullptr;

uint32_t Slovo(uintptr_t hodnota) { return static_cast<uint32_t>(hodnota); }

void Nahlasit(HWND cil, ULONG_PTR kod, HWND okno, WPARAM w, LPARAM l) {
    UdalostOkna udalost{Slovo(reinterpret_cast<uintptr_t>(okno)), Slovo(w), Slovo(static_cast<uintptr_t>(l))};
    COPYDATASTRUCT data{};
    data.dwData = kod;
    data.cbData = sizeof(udalost);
    data.lpData = &udalost;
    DWORD_PTR vysledek = 0;
    ::SendMessageTimeoutW(cil, WM_COPYDATA, reinterpret_cast<WPARAM>(okno), reinterpret_cast<LPARAM>(&data),
                          SMTO_NORMAL | SMTO_ABORTIFHUNG, CASOVY_LIMIT_HLASENI, &vysledek);
}

bool SledovanaZprava(UINT zprava) {
    switch (zprava) {
        case WM_CONTEXTMENU:
        case WM_DISPLAYCHANGE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCMBUTTONDOWN:
        case WM_NCMBUTTONUP:
        case WM_NCXBUTTONDOWN:
        case WM_NCXBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSCOMMAND:
        case WM_MOUSEMOVE:
        case WM_MOUSEWHEEL:
        case WM_XBUTTONUP:
            return true;
        default:
            return false;
    }
}

DWORD VlaknoOkna(HWND okno) { return ::GetWindowThreadProcessId(okno, nullptr); }

// The receiver, looked up anew when the one known is gone: the system may keep the library mapped
// in a program after the hooks were removed, and a receiver made later (the window extension
// switched off and on) must still be found there. Called only for an event worth reporting.
HWND Prijemce() {
    HWND cil = prijemce;
    if (!cil || !::IsWindow(cil)) prijemce = cil = ::FindWindowW(TRIDA_PRIJEMCE, nullptr);
    return cil;
}

LRESULT CALLBACK HakVolaniOkna(int kod, WPARAM w, LPARAM l) {
    const auto* zprava = reinterpret_cast<const CWPSTRUCT*>(l);
    if (kod >= 0 && zprava && (zprava->message == WM_INITMENU || zprava->message == WM_MENUSELECT)) {
        HWND cil = Prijemce();
        if (cil && zprava->hwnd != cil) {
            if (zprava->message == WM_INITMENU) {
                const LONG styl = ::GetWindowLongW(zprava->hwnd, GWL_STYLE);
                if (!(styl & WS_POPUP) && (styl & WS_SYSMENU))
                    Nahlasit(cil, WM_INITMENU, zprava->hwnd, zprava->wParam, zprava->lParam);
            } else if (zprava->message == WM_MENUSELECT) {
                Nahlasit(cil, WM_MENUSELECT, zprava->hwnd, zprava->wParam, zprava->lParam);
            }
        }
    }
    return ::CallNextHookEx(hakVolaniOkna, kod, w, l);
}

LRESULT CALLBACK HakZpravy(int kod, WPARAM w, LPARAM l) {
    const auto* zprava = reinterpret_cast<const MSG*>(l);
    // The message number first: the hook sits on every message of every program.
    if (kod >= 0 && zprava && zprava->hwnd && SledovanaZprava(zprava->message)) {
        HWND cil = Prijemce();
        if (cil && zprava->hwnd != cil && !::IsChild(cil, zprava->hwnd) && VlaknoOkna(zprava->hwnd) != VlaknoOkna(cil))
            Nahlasit(cil, zprava->message, zprava->hwnd, zprava->wParam, zprava->lParam);
    }
    return ::CallNextHookEx(hakZpravy, kod, w, l);
}

LRESULT CALLBACK HakShell(int kod, WPARAM w, LPARAM l) {
    if (kod == HSHELL_WINDOWCREATED || kod == HSHELL_WINDOWDESTROYED) {
        HWND cil = Prijemce();
        HWND okno = reinterpret_cast<HWND>(w);
        if (cil && okno != cil && VlaknoOkna(okno) != VlaknoOkna(cil))
            Nahlasit(cil, static_cast<ULONG_PTR>(kod), okno, 0, 0);
    }
    return ::CallNextHookEx(hakShell, kod, w, l);
}

bool Odhacknout(HHOOK& hak) {
    if (!hak) return true;
    const bool ok = ::UnhookWindowsHookEx(hak) != 0;
    hak = nullptr;
    return ok;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE modul, DWORD duvod, LPVOID) {
    instance = modul;
    if (duvod == DLL_PROCESS_ATTACH || duvod == DLL_THREAD_ATTACH) {
        prijemce = ::FindWindowW(TRIDA_PRIJEMCE, nullptr);
        // Without a receiver the library has nothing to do in this process: refuse the load.
        if (duvod == DLL_PROCESS_ATTACH && !prijemce) return FALSE;
    }
    return TRUE;
}

// Installs the three hooks for every thread of the desktop. 1 = all three installed by this call;
// 0 = already installed, or an installation failed (the hooks of this call are removed again).
extern "C" BOOL WINAPI NastavitHaky() {
    if (hakVolaniOkna || hakZpravy || hakShell) return FALSE;
    hakVolaniOkna = ::SetWindowsHookExW(WH_CALLWNDPROC, HakVolaniOkna, instance, 0);
    if (hakVolaniOkna) hakZpravy = ::SetWindowsHookExW(WH_GETMESSAGE, HakZpravy, instance, 0);
    if (hakZpravy) hakShell = ::SetWindowsHookExW(WH_SHELL, HakShell, instance, 0);
    if (hakShell) return TRUE;
    const DWORD kod = ::GetLastError();
    Odhacknout(hakZpravy);
    Odhacknout(hakVolaniOkna);
    ::SetLastError(kod);
    return FALSE;
}

// Removes every installed hook. 1 = all removed; 0 = none was installed or a removal failed
// (the handles are cleared all the same, so a later NastavitHaky installs anew).
extern "C" BOOL WINAPI OdebratHaky() {
    if (!hakVolaniOkna && !hakZpravy && !hakShell) return FALSE;
    bool ok = Odhacknout(hakVolaniOkna);
    ok = Odhacknout(hakZpravy) && ok;
    ok = Odhacknout(hakShell) && ok;
    return ok ? TRUE : FALSE;
}
