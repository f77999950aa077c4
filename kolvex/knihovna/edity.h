// Edits of the settings pages: an unsigned number with a range, a folder and a file with a
// browse glyph, and the colour button. Each attaches to a control of a dialog template; the
// dialog must reflect WM_COMMAND, WM_DRAWITEM and WM_CTLCOLOREDIT (ODRAZIT_NOTIFIKACE).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <uxtheme.h>

#include <string>

#include "dpi.h"
#include "okno.h"
#include "prvky.h"

namespace knihovna {

// "ProductName" of the running program's version block; each failing step raises.
std::wstring NacistNazevProduktu();

// Base data of the edits: the balloon tip an edit can show.
class Edit : public OknoObal {
public:
    int ikonaBubliny = TTI_INFO;
    std::wstring textBubliny;
    bool zobrazovatBublinu = false;  // show the balloon whenever the edit gets the focus
    std::wstring titulekBubliny = L"Brenvald software";  // the product name once attached

    // EM_SHOWBALLOONTIP, only when there is a text.
    void ZobrazitBublinu();
};

// An edit for an unsigned number; a bound below 0 means no bound.
class EditCislo : public OknoImpl<EditCislo, Edit> {
public:
    KNIHOVNA_MAPA_ZPRAV(EditCislo)
        ZPRAVA(WM_KILLFOCUS, OnKillFocus)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    void Pripojit(HWND ovladac, unsigned hodnota, int minimum = 0, int maximum = -1);
    // 0 = the target holds the number; 1 = the text is no number in range (target unchanged).
    int NacistHodnotu(unsigned* cil) const;
    // On leaving the field: a valid number becomes the value, anything else is replaced by it.
    bool OveritHodnotu();
    // "Zadejte hodnotu v rozsahu <min> - <max>"; a missing bound is shown as 0 or the largest number.
    std::wstring TextRozsahu() const;

    unsigned Hodnota() const { return m_hodnota; }
    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }

private:
    int m_minimum = 0;
    int m_maximum = -1;
    unsigned m_hodnota = 0;

    bool PrecistCislo(unsigned& cislo) const;
    LRESULT OnKillFocus(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSetFocus(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
};

// Shared part of the folder and file edits: the browse glyph at the right end, the dark red
// text of a path that does not exist, and the notification after a choice.
class EditCesta : public OknoImpl<EditCesta, Edit> {
public:
    ~EditCesta() override;

    KNIHOVNA_MAPA_ZPRAV(EditCesta)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_COMMAND, OnOdrazenyPrikaz)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_CTLCOLOREDIT, OnBarvaEditu)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_SETFOCUS, OnSetFocus)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    // Opens the system's dialog; a choice becomes the text and the notification is posted.
    virtual void Vybrat() = 0;

    bool overovatExistenci = false;  // a path that does not exist is shown in dark red
    UINT zpravaOznameni = 0;         // posted to the parent after a choice (wParam id, lParam HWND)

    bool CestaExistuje() const { return m_cestaExistuje; }
    bool MysNadSymbolem() const { return m_mysNadSymbolem; }
    int SirkaSymbolu() const { return m_sirkaSymbolu; }
    HWND Tooltip() const { return m_tooltip; }

protected:
    bool m_mysNadSymbolem = false;
    bool m_cestaExistuje = false;
    int m_sirkaSymbolu = SirkaMaleIkony();
    int m_indexObrazku = -1;
    HIMAGELIST m_obrazky = nullptr;
    HWND m_tooltip = nullptr;

    void PripojitCestu(HWND ovladac, const wchar_t* cesta, HIMAGELIST obrazky, int indexObrazku,
                       const wchar_t* textTooltipu);
    // A chosen path: the edit's text, then the notification.
    void PrevzitVolbu(const std::wstring& cesta);

private:
    void Prekreslit();
    bool VOblastiSymbolu(int x) const;
    LRESULT OnOdrazenyPrikaz(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnBarvaEditu(UINT, WPARAM w, LPARAM, BOOL&);
    LRESULT OnPaint(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnLButtonUp(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSetCursor(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSetFocus(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&);
};

class EditSlozka : public EditCesta {
public:
    // Initial folder may be null; without an image list the glyph is the text "...".
    void Pripojit(HWND ovladac, const wchar_t* slozka = nullptr, HIMAGELIST obrazky = nullptr, int indexObrazku = -1);
    void Vybrat() override { VybratSlozku(); }
    void VybratSlozku();
};

class EditSoubor : public EditCesta {
public:
    EditSoubor();
    // filtr: the open-file dialog's double-NUL-terminated list of pairs, may be null.
    void Pripojit(HWND ovladac, const wchar_t* soubor = nullptr, HIMAGELIST obrazky = nullptr,
                  int indexObrazku = -1, const wchar_t* filtr = nullptr);
    void Vybrat() override { VybratSoubor(); }
    void VybratSoubor();

private:
    OPENFILENAMEW m_ofn;
    std::wstring m_filtr;
};

// An owner-drawn button that shows a colour and opens the system's colour dialog; a choice
// posts ZPRAVA_PRVKU (wParam the colour, lParam the control id) to the parent.
class ButtonVyberBarvy : public OknoImpl<ButtonVyberBarvy, OknoObal> {
public:
    ~ButtonVyberBarvy() override;

    KNIHOVNA_MAPA_ZPRAV(ButtonVyberBarvy)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_COMMAND, OnOdrazenyPrikaz)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_DRAWITEM, OnKresleni)
        ZPRAVA(WM_MOUSELEAVE, OnMouseLeave)
        ZPRAVA(WM_MOUSEMOVE, OnMouseMove)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        ZPRAVA(WM_THEMECHANGED, OnThemeChanged)
        ZPRAVA(WM_DESTROY, OnDestroy)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    // A colour with a non-zero top byte raises E_INVALIDARG.
    void Pripojit(HWND ovladac, COLORREF barva);
    void VybratBarvu();

    COLORREF barva = 0;
    HWND Tooltip() const { return m_tooltip; }

    // The custom colours of the colour dialog, shared by all buttons for the program's run.
    static COLORREF vlastniBarvy[16];

private:
    enum : UINT { BARVA_NASTAVENA = 0x1, AKTIVNI = 0x2, SLEDOVANI_ODCHODU = 0x8, MYS_VENKU = 0x10 };
    UINT m_stav = MYS_VENKU;
    int m_okraj = 3;
    HWND m_tooltip = nullptr;
    HTHEME m_tema = nullptr;

    void ZavritTema();
    LRESULT OnOdrazenyPrikaz(UINT, WPARAM w, LPARAM, BOOL&);
    LRESULT OnKresleni(UINT, WPARAM, LPARAM l, BOOL&);
    LRESULT OnMouseLeave(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnThemeChanged(UINT, WPARAM, LPARAM, BOOL& zpracovano);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL& zpracovano);
};

}  // namespace knihovna
