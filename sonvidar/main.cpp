// Sonvidar: records sound or video through the media encoder on Kolvex's command.
#include <windows.h>

#include <cstdlib>

#include "aplikace.h"
#include "knihovna.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace Brenvald_Sonvidar;
    try {
        if (ZpracovatParametry(__argc, __wargv) != 0) return -1;
        MSG zprava;
        BOOL vysledek;
        while ((vysledek = ::GetMessageW(&zprava, nullptr, 0, 0)) != 0) {
            if (vysledek == -1) {
                const DWORD kod = ::GetLastError();
                return static_cast<int>(kod ? HRESULT_FROM_WIN32(kod) : E_FAIL);  // no message: no wParam
            }
            ::TranslateMessage(&zprava);
            ::DispatchMessageW(&zprava);
        }
        if (FAILED(Knihovna::chybaSmycky)) return static_cast<int>(Knihovna::chybaSmycky);
        return static_cast<int>(zprava.wParam);
    } catch (const Knihovna::Chyba& chyba) {
        return static_cast<int>(chyba.Hr());
    } catch (...) {
        return -1;
    }
}
