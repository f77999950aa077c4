// Every dialog template of Kolvex, Sonvidar and Lumeda opened in its own font: no static text,
// button, check box, radio button or group box caption is wider (or, wrapped, taller) than its
// control, with two pixels to spare, and no control reaches over its dialog's edge. Run at 96
// and at 144 DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"

namespace {

INT_PTR CALLBACK ProceduraZkousky(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

struct Sablona {
    HMODULE modul;
    UINT id;
};

BOOL CALLBACK PridatSablonu(HMODULE modul, LPCWSTR, LPWSTR jmeno, LONG_PTR l) {
    // ids above 9000 are the test programs' own templates
    if (IS_INTRESOURCE(jmeno) && reinterpret_cast<UINT_PTR>(jmeno) < 9000)
        reinterpret_cast<std::vector<Sablona>*>(l)->push_back(
            {modul, static_cast<UINT>(reinterpret_cast<UINT_PTR>(jmeno))});
    return TRUE;
}

std::wstring Trida(HWND okno) {
    wchar_t trida[64] = {};
    ::GetClassNameW(okno, trida, 64);
    return trida;
}

// The text's extent when drawn in the control's font into a box of the given width.
RECT Rozmer(HWND prvek, const std::wstring& text, int sirka, UINT priznaky) {
    HDC dc = ::GetDC(prvek);
    HGDIOBJ stare = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(prvek, WM_GETFONT, 0, 0)));
    RECT r{0, 0, sirka, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_EXPANDTABS | priznaky);
    ::SelectObject(dc, stare);
    ::ReleaseDC(prvek, dc);
    return r;
}

struct Kontrola {
    const wchar_t* program;
    UINT dialog;
    HWND okno;
    std::vector<std::wstring>* chyby;
};

// Room the control leaves for its text: (width, height, DrawText flags); false for controls
// that draw no text of their own.
bool MistoProText(HWND prvek, int& sirka, int& vyska, UINT& priznaky) {
    RECT r;
    ::GetClientRect(prvek, &r);
    sirka = r.right;
    vyska = r.bottom;
    const std::wstring trida = Trida(prvek);
    const LONG styl = ::GetWindowLongW(prvek, GWL_STYLE);
    if (_wcsicmp(trida.c_str(), L"Static") == 0) {
        const LONG druh = styl & SS_TYPEMASK;
        if (druh != SS_LEFT && druh != SS_CENTER && druh != SS_RIGHT && druh != SS_SIMPLE && druh != SS_LEFTNOWORDWRAP)
            return false;
        if (styl & SS_ELLIPSISMASK) return false;
        priznaky = (styl & SS_NOPREFIX ? DT_NOPREFIX : 0) |
                   (druh == SS_SIMPLE || druh == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK);
        return true;
    }
    if (_wcsicmp(trida.c_str(), L"Button") != 0) return false;
    if (styl & (BS_ICON | BS_BITMAP)) return false;
    const bool viceRadku = (styl & BS_MULTILINE) != 0;
    priznaky = viceRadku ? DT_WORDBREAK : DT_SINGLELINE;
    switch (styl & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            sirka -= 2 * (::GetSystemMetrics(SM_CXEDGE) + 1);  // the edge and the focus rectangle
            return true;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_AUTORADIOBUTTON:
            sirka -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap after it
            if (!viceRadku) vyska = 0x7FFF;  // one line is drawn centred, whatever the height
            return true;
        case BS_GROUPBOX:
            sirka -= 2 * 8;  // the caption sits in the frame, away from its corners
            vyska = 0x7FFF;
            return true;
        default: return false;
    }
}

BOOL CALLBACK ZkontrolovatPrvek(HWND prvek, LPARAM l) {
    const Kontrola& k = *reinterpret_cast<const Kontrola*>(l);
    // the control lies inside its dialog, off the edge
    HWND dialog = ::GetParent(prvek);
    if (dialog != k.okno) return TRUE;  // parts of a control (a list view's header) are its own
    RECT okraj, poloha;
    ::GetClientRect(dialog, &okraj);
    ::GetWindowRect(prvek, &poloha);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&poloha), 2);
    if (poloha.left < 1 || poloha.top < 1 || poloha.right > okraj.right - 1 || poloha.bottom > okraj.bottom - 1) {
        wchar_t popis[300];
        std::swprintf(popis, 300, L"%ls dialog %u, prvek %d (%ls) sahá na okraj: %ld,%ld-%ld,%ld v %ldx%ld", k.program,
                      k.dialog, ::GetDlgCtrlID(prvek), Trida(prvek).c_str(), poloha.left, poloha.top, poloha.right,
                      poloha.bottom, okraj.right, okraj.bottom);
        k.chyby->push_back(popis);
    }
    wchar_t text[1024] = {};
    ::GetWindowTextW(prvek, text, 1024);
    if (!text[0]) return TRUE;
    int sirka = 0, vyska = 0;
    UINT priznaky = 0;
    if (!MistoProText(prvek, sirka, vyska, priznaky)) return TRUE;
    // two pixels of air: a text that ends exactly at its control's edge looks cut (glyph overhang)
    const int vzduch = 2;
    const RECT r = Rozmer(prvek, text, sirka - vzduch > 0 ? sirka - vzduch : 1, priznaky);
    if (r.right + vzduch > sirka || r.bottom > vyska) {
        wchar_t popis[1400];
        std::swprintf(popis, 1400, L"%ls dialog %u, prvek %d (%ls) \"%ls\": text %ldx%ld, místo %dx%d", k.program,
                      k.dialog, ::GetDlgCtrlID(prvek), Trida(prvek).c_str(), text, r.right, r.bottom, sirka,
                      vyska == 0x7FFF ? 0 : vyska);
        k.chyby->push_back(popis);
    }
    return TRUE;
}

}  // namespace

TEST(TextyDialogu, KazdyTextSeVejdeDoSvehoPrvku) {
    INITCOMMONCONTROLSEX cc{sizeof(cc), ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&cc);
    struct Program {
        const wchar_t* jmeno;
        HMODULE modul;
    } programy[] = {
        {L"Kolvex", ::GetModuleHandleW(nullptr)},
        {L"Sonvidar", ::LoadLibraryExW((testy::SlozkaTestu() + L"\\Sonvidar.exe").c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE)},
        {L"Lumeda", ::LoadLibraryExW((testy::SlozkaTestu() + L"\\Lumeda.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE)},
    };
    HWND rodic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    std::vector<std::wstring> chyby;
    size_t pocetSablon = 0;
    for (const Program& p : programy) {
        ASSERT_NE(p.modul, nullptr) << p.jmeno;
        std::vector<Sablona> sablony;
        ::EnumResourceNamesW(p.modul, MAKEINTRESOURCEW(5), PridatSablonu, reinterpret_cast<LONG_PTR>(&sablony));
        EXPECT_FALSE(sablony.empty()) << p.jmeno;
        for (const Sablona& s : sablony) {
            HRSRC zdroj = ::FindResourceW(s.modul, MAKEINTRESOURCEW(s.id), MAKEINTRESOURCEW(5));
            HGLOBAL data = zdroj ? ::LoadResource(s.modul, zdroj) : nullptr;
            ASSERT_NE(data, nullptr);
            HWND dialog = ::CreateDialogIndirectParamW(
                s.modul, static_cast<LPCDLGTEMPLATEW>(::LockResource(data)), rodic, ProceduraZkousky, 0);
            EXPECT_NE(dialog, nullptr) << p.jmeno << " dialog " << s.id << " did not open";
            if (!dialog) continue;
            ++pocetSablon;
            Kontrola k{p.jmeno, s.id, dialog, &chyby};
            ::EnumChildWindows(dialog, ZkontrolovatPrvek, reinterpret_cast<LPARAM>(&k));
            ::DestroyWindow(dialog);
        }
    }
    ::DestroyWindow(rodic);
    for (const Program& p : programy)
        if (p.modul != ::GetModuleHandleW(nullptr)) ::FreeLibrary(p.modul);

    const HDC obrazovka = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(obrazovka, LOGPIXELSY);
    ::ReleaseDC(nullptr, obrazovka);
    std::printf("%zu dialogů při %d DPI\n", pocetSablon, dpi);
    EXPECT_GT(pocetSablon, 60u);
    std::wstring seznam;
    for (const std::wstring& c : chyby) seznam += c + L"\n";
    EXPECT_TRUE(chyby.empty()) << chyby.size() << " texts do not fit:\n" << seznam;
}
