#include "clipboard/oknaschranky.h"

#include "core/vlaknomodulu.h"
#include "knihovna/text.h"
#include "resources/resource.h"

std::wstring FiltrSouboru(UINT idNazvu, const wchar_t* maska) {
    std::wstring filtr = knihovna::Retezec(idNazvu);
    filtr.push_back(L'\0');
    filtr += maska;
    filtr.push_back(L'\0');
    filtr += knihovna::Retezec(IDS_FILTR_VSECHNY_SOUBORY);
    filtr.push_back(L'\0');
    filtr += L"*.*";
    filtr.push_back(L'\0');
    return filtr;
}

void StylOknaSeznamu(bool minMax, bool navrchu, DWORD& styl, DWORD& rozsireny) {
    styl = WS_OVERLAPPED | WS_CAPTION | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME;
    rozsireny = 0;
    if (minMax)
        styl |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    else
        rozsireny |= WS_EX_TOOLWINDOW;
    if (navrchu) rozsireny |= WS_EX_TOPMOST;
}

void PrepnoutVlaknoOkna(VlaknoModulu& vlakno) {
    // (the window handle of the thread object: the window object belongs to the other thread)
    const HWND h = vlakno.Okno();
    const bool okno = h && ::IsWindow(h);
    if (vlakno.Bezi() && okno) {
        if (!vlakno.PrenestDialogDopredu()) vlakno.Zastavit();
        return;
    }
    if (vlakno.Bezi()) vlakno.Zastavit();
    vlakno.Spustit();
}
