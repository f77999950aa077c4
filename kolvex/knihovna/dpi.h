// The system DPI, read once when first asked (the screen's LOGPIXELSY), and the sizes of what the
// program draws itself scaled by it: the suite is system-DPI aware, so at 125 % or 150 % its own
// pictures, marks and menu rows grow with the text.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace knihovna {

int DpiSystemu();
// A size given for 96 DPI, at the system DPI.
int Skalovat(int priDevadesatiSesti);
// The small-icon size (tray icons, menu and tree pictures): SM_CXSMICON x SM_CYSMICON.
int SirkaMaleIkony();
int VyskaMaleIkony();
// The width of an image list's pictures (what an owner-drawn row places its text after); the
// small-icon width without a list.
int SirkaObrazku(HIMAGELIST seznam);

}  // namespace knihovna
