// Shared small dialogs and services: the one-line text input, the about box, and putting a
// text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

#include "knihovna/odkazy.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

// The one-line text input dialog (template 119); one object per use.
class DlgVstupTextu : public knihovna::DialogImpl<DlgVstupTextu, knihovna::OknoObal> {
public:
    enum { IDD = IDD_VSTUP_TEXTU };

    DlgVstupTextu(const std::wstring& vyzva, const std::wstring& text, int limit = -1)
        : vyzva(vyzva), text(text), limit(limit) {}

    std::wstring vyzva;  // text of the static above the edit
    std::wstring text;   // initial text; after OK the text entered
    int limit;           // maximum number of characters, -1 = no limit

    KNIHOVNA_MAPA_ZPRAV(DlgVstupTextu)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDOK, BN_CLICKED, OnOk)
        PRIKAZ(IDCANCEL, BN_CLICKED, OnStorno)
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnStorno(WORD, WORD, HWND, BOOL&);
};

// Asks for a text; OK copies the entered text (also an empty one) and returns true, Cancel
// leaves the text unchanged and returns false. The owner is the active window, or the given one
// (disabled while the question runs).
bool ZadatText(std::wstring& text, const std::wstring& vyzva);
bool ZadatText(std::wstring& text, const std::wstring& vyzva, HWND vlastnik);
// The same with the prompt from the string table; a missing string raises the last system error.
bool ZadatTextId(std::wstring& text, UINT idVyzvy);
bool ZadatTextId(std::wstring& text, UINT idVyzvy, HWND vlastnik);

// The about box (template 118).
class DlgProgramInfo : public knihovna::DialogImpl<DlgProgramInfo, knihovna::Okno> {
public:
    enum { IDD = IDD_PROGRAM_INFO };

    KNIHOVNA_MAPA_ZPRAV(DlgProgramInfo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDOK, BN_CLICKED, OnZavrit)
        PRIKAZ(IDCANCEL, BN_CLICKED, OnZavrit)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    knihovna::StaticOdkazEmail odkazEmail;
    knihovna::StaticOdkazUrl odkazWeb;
    knihovna::StaticNadpis nadpis;
    knihovna::ToolTip tooltip;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZavrit(WORD, WORD id, HWND, BOOL&);
};

// The about box while it is shown, else null.
extern DlgProgramInfo* dlgProgramInfo;

// Shows the about box modally (help menu, command 40023). While one is shown, a second call
// only brings it to the front.
void ZobrazitInfoOProgramu();

// "major.minor.build.revision" of the running program's fixed file version.
std::wstring ZjistitVerziSouboruProgramu();

// Puts the text on the clipboard as CF_UNICODETEXT with its terminating zero; never leaves
// the clipboard open. A null text raises E_INVALIDARG. vlastnik, a window of the calling
// thread, becomes the clipboard's owner.
void KopirovatTextDoSchranky(const wchar_t* text, HWND vlastnik);
