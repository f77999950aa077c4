// Program entry of Kolvex.
#include <windows.h>

#include <exception>
#include <new>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/vlaknomodulu.h"
#include "knihovna/chyba.h"
#include "knihovna/vyjimky.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (aplikace.InitInstance() != 0) return 1;
    try {
        knihovna::SmyckaZprav();
        // A thread that did not stop may still use what ExitInstance frees: the process ends here.
        if (ZustaloNezastaveneVlakno()) ukoncitProces(0);
        aplikace.ExitInstance();
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitZpravu(chyba.Zprava(), MB_ICONERROR);
    } catch (const std::bad_alloc&) {
        aplikace.ZobrazitZpravu(knihovna::Chyba(E_OUTOFMEMORY).Zprava(), MB_ICONERROR);
    } catch (const std::exception&) {
        aplikace.ZobrazitZpravu(knihovna::Chyba(E_FAIL).Zprava(), MB_ICONERROR);
    }
    return 0;
}
