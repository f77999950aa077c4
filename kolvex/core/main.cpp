// Program entry of Kolvex.
#include <windows.h>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/vyjimky.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (aplikace.InitInstance() != 0) return 1;
    try {
        knihovna::SmyckaZprav();
        aplikace.ExitInstance();
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitZpravu(chyba.Zprava(), MB_ICONERROR);
    }
    return 0;
}
