#include "vyjimky.h"

#include <windows.h>

#include <new>
#include <type_traits>
#include <utility>

namespace knihovna {

namespace {
// Plain thread-local bytes, never a thread_local std::exception_ptr: MinGW's emulated TLS frees a
// thread's storage before it runs that thread's thread_local destructors, so such a destructor
// would release whatever the freed block then holds (heap damage under the 32-bit Wine). Nothing
// here runs at thread exit; thread procedures raise or drop what they kept before they return.
struct Odlozena {
    alignas(std::exception_ptr) unsigned char pamet[sizeof(std::exception_ptr)];
    bool drzena;
};
static_assert(std::is_trivially_destructible<Odlozena>::value, "no destructor may run at thread exit");
thread_local Odlozena odlozena{};

std::exception_ptr& Drzena() { return *std::launder(reinterpret_cast<std::exception_ptr*>(odlozena.pamet)); }
}  // namespace

void ZachytitVyjimku() noexcept {
    if (odlozena.drzena) return;
    std::exception_ptr vyjimka = std::current_exception();
    if (!vyjimka) return;
    ::new (static_cast<void*>(odlozena.pamet)) std::exception_ptr(std::move(vyjimka));
    odlozena.drzena = true;
}

bool JeOdlozenaVyjimka() noexcept { return odlozena.drzena; }

void VyhoditOdlozenouVyjimku() {
    if (!odlozena.drzena) return;
    std::exception_ptr e = std::move(Drzena());
    ZahoditOdlozenouVyjimku();
    std::rethrow_exception(e);
}

void ZahoditOdlozenouVyjimku() noexcept {
    if (!odlozena.drzena) return;
    Drzena().~exception_ptr();
    odlozena.drzena = false;
}

int SmyckaZprav() {
    MSG msg{};
    for (;;) {
        BOOL vysledek = GetMessageW(&msg, nullptr, 0, 0);
        if (vysledek <= 0) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        VyhoditOdlozenouVyjimku();
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace knihovna
