#include "dpi.h"

namespace knihovna {

int DpiSystemu() {
    static const int dpi = [] {
        HDC obrazovka = ::GetDC(nullptr);
        int hodnota = obrazovka ? ::GetDeviceCaps(obrazovka, LOGPIXELSY) : 96;
        if (obrazovka) ::ReleaseDC(nullptr, obrazovka);
        return hodnota >= 48 && hodnota <= 480 ? hodnota : 96;
    }();
    return dpi;
}

int Skalovat(int priDevadesatiSesti) { return ::MulDiv(priDevadesatiSesti, DpiSystemu(), 96); }

int SirkaMaleIkony() {
    const int sirka = ::GetSystemMetrics(SM_CXSMICON);
    return sirka > 0 ? sirka : 16;
}

int VyskaMaleIkony() {
    const int vyska = ::GetSystemMetrics(SM_CYSMICON);
    return vyska > 0 ? vyska : 16;
}

int SirkaObrazku(HIMAGELIST seznam) {
    int sirka = 0, vyska = 0;
    if (seznam && ::ImageList_GetIconSize(seznam, &sirka, &vyska) && sirka > 0) return sirka;
    return SirkaMaleIkony();
}

}  // namespace knihovna
