#include "vyjimky.h"

#include <windows.h>

namespace knihovna {

namespace {
thread_local std::exception_ptr odlozena;
}

void ZachytitVyjimku() noexcept {
    if (!odlozena) odlozena = std::current_exception();
}

bool JeOdlozenaVyjimka() noexcept { return static_cast<bool>(odlozena); }

void VyhoditOdlozenouVyjimku() {
    if (!odlozena) return;
    std::exception_ptr e = odlozena;
    odlozena = nullptr;
    std::rethrow_exception(e);
}

void ZahoditOdlozenouVyjimku() noexcept { odlozena = nullptr; }

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
