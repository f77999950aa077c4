#include "core/oknorelace.h"

#include "knihovna/modul.h"

namespace {

template <class F>
F NajitVUser32(const char* jmeno) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user32, jmeno))) : nullptr;
}

// main thread only
HWND oknoRelace = nullptr;
void (*ukoncitProgram)() = nullptr;
bool zastaveno = false;  // the stop has run: a repeated WM_ENDSESSION does nothing

LRESULT CALLBACK ProceduraRelace(HWND okno, UINT zprava, WPARAM w, LPARAM l) {
    switch (zprava) {
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (w && !zastaveno) {
                zastaveno = true;
                knihovna::OznamitKonecRelace();
                const bool blokovano = vytvoritDuvodBlokovani && vytvoritDuvodBlokovani(okno, DUVOD_BLOKOVANI_UKONCENI);
                try {
                    if (ukoncitProgram) ukoncitProgram();
                } catch (...) {
                    // the session ends all the same; what could be saved has been
                }
                if (blokovano && zrusitDuvodBlokovani) zrusitDuvodBlokovani(okno);
            }
            return 0;
        default:
            return ::DefWindowProcW(okno, zprava, w, l);
    }
}

}  // namespace

FunkceDuvoduBlokovani vytvoritDuvodBlokovani = NajitVUser32<FunkceDuvoduBlokovani>("ShutdownBlockReasonCreate");
FunkceKonceBlokovani zrusitDuvodBlokovani = NajitVUser32<FunkceKonceBlokovani>("ShutdownBlockReasonDestroy");

const wchar_t* const DUVOD_BLOKOVANI_UKONCENI = L"Kolvex ukládá rozpracovaná data.";
const wchar_t* const TRIDA_OKNA_RELACE = L"QKolvexKonecRelace";

HWND VytvoritOknoRelace(void (*ukoncit)()) {
    if (oknoRelace) return oknoRelace;
    ukoncitProgram = ukoncit;
    zastaveno = false;
    WNDCLASSW trida{};
    trida.lpfnWndProc = ProceduraRelace;
    trida.hInstance = ::GetModuleHandleW(nullptr);
    trida.lpszClassName = TRIDA_OKNA_RELACE;
    if (!::RegisterClassW(&trida) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    // Top-level (not message-only) and never shown: only such a window gets the session messages.
    oknoRelace = ::CreateWindowExW(WS_EX_TOOLWINDOW, TRIDA_OKNA_RELACE, L"Kolvex", WS_POPUP, 0, 0, 0, 0, nullptr,
                                   nullptr, trida.hInstance, nullptr);
    return oknoRelace;
}

void ZrusitOknoRelace() {
    if (oknoRelace) ::DestroyWindow(oknoRelace);
    oknoRelace = nullptr;
}
