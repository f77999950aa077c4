// Exceptions never cross a window, dialog, hook or thread procedure: the i686 unwinder cannot
// pass user32 frames. Each such edge catches, keeps the exception for this thread, and the
// code that called into the system (message loop, DialogBoxParam, TrackPopupMenu ...) raises
// it again once the system call has returned.
#pragma once

#include <exception>

namespace knihovna {

// Inside a catch block: keeps the exception being handled for this thread.
// A second exception before the first was raised again is dropped (the first one wins).
void ZachytitVyjimku() noexcept;
bool JeOdlozenaVyjimka() noexcept;
// Raises the kept exception, if any, and forgets it.
void VyhoditOdlozenouVyjimku();
// Forgets the kept exception without raising it. A thread procedure calls it before it returns:
// nothing runs at thread exit, so an exception still kept then is never released.
void ZahoditOdlozenouVyjimku() noexcept;

// GetMessageW / TranslateMessage / DispatchMessageW until WM_QUIT; an exception kept by a
// window procedure during a dispatch is raised here. Result: the quit message's wParam.
int SmyckaZprav();

}  // namespace knihovna
