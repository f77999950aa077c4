// Hyperlink-style statics (web page, e-mail, command, file, folder), the heading static, the
// button with a hand cursor and the tooltip wrapper. Each attaches to a control of a dialog
// template; the dialog must reflect WM_COMMAND and WM_DRAWITEM (ODRAZIT_NOTIFIKACE).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "okno.h"

namespace knihovna {

// Whether an address already names its scheme ("https://...", "mailto:...", "ftp://...").
// A host with a port ("localhost:8080") or a drive letter ("C:\...") is no scheme.
bool MaSchema(const std::wstring& adresa);
// The address a web link opens: null = the maker's home page; an address without a scheme
// gets "http://" in front; any other is kept as it is.
std::wstring UpravitUrl(const wchar_t* url);

// Text colour of the links: the system's hot-track colour, or a plain link blue when that
// colour would not stand out from the dialog background (some desktop themes use it as a pale
// hover background).
COLORREF BarvaOdkazu();

class StaticOdkaz : public OknoImpl<StaticOdkaz, OknoObal> {
public:
    StaticOdkaz() = default;
    ~StaticOdkaz() override;

    KNIHOVNA_MAPA_ZPRAV(StaticOdkaz)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_COMMAND, Kliknuti)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_DRAWITEM, OnKresleni)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    // The click action (reflected WM_COMMAND); acts only on STN_CLICKED.
    virtual LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    // Subclasses the static, makes it owner-drawn and notifying, and creates the underline font.
    // Does not resize the control.
    virtual void Pripojit(HWND ovladac);
    // New text, then the parent is redrawn and the control sized to the text.
    virtual void NastavitText(const wchar_t* text);
    // Width = text width + 4 in the control's font; the height stays.
    virtual void PrizpusobitVelikost();

    HFONT PismoPodtrzene() const { return m_pismo; }

protected:
    HFONT m_pismo = nullptr;
    HWND m_tooltip = nullptr;

    // ShellExecute of the target; the control is redrawn when that succeeded.
    void Otevrit(const std::wstring& cil, const wchar_t* sloveso = L"open");
    static bool JeKliknuti(WPARAM w) { return HIWORD(w) == STN_CLICKED; }

private:
    LRESULT OnKresleni(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
};

class StaticOdkazUrl : public StaticOdkaz {
public:
    LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) override;
    // The control must be attached (E_HANDLE); see UpravitUrl.
    virtual void NastavitUrl(const wchar_t* url);
    virtual void PripojitSUrl(HWND ovladac, const wchar_t* url);
    const std::wstring& Url() const { return m_url; }

private:
    std::wstring m_url;
};

class StaticOdkazEmail : public StaticOdkaz {
public:
    LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) override;
    // Stores "mailto:" + address (null: the support address); the control must be attached (E_HANDLE).
    void NastavitAdresu(const wchar_t* adresa);
    const std::wstring& Adresa() const { return m_adresa; }

    std::wstring predmet;  // "?subject=" part of the link when not empty

private:
    std::wstring m_adresa;
};

class StaticOdkazCommand : public StaticOdkaz {
public:
    LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) override;
    int prikaz = -1;  // posted to the parent as WM_COMMAND; -1 or 0 = none
};

class StaticOdkazSoubor : public StaticOdkaz {
public:
    LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) override;
    std::wstring soubor;  // empty: the window text at the first click
};

class StaticOdkazSlozka : public StaticOdkaz {
public:
    ~StaticOdkazSlozka() override;
    LRESULT Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) override;
    void Pripojit(HWND ovladac) override { Pripojit(ovladac, nullptr); }
    // Attaches, sets the folder when given and adds the tooltip.
    void Pripojit(HWND ovladac, const wchar_t* slozka);
    // The control must be attached (E_FAIL); null stores an empty path.
    void NastavitSlozku(const wchar_t* slozka);
    const std::wstring& Slozka() const { return m_slozka; }
    HWND Tooltip() const { return m_tooltip; }

private:
    std::wstring m_slozka;
};

// A static drawn in its own font (see PripojitNadpisVerdana).
class StaticNadpis : public OknoImpl<StaticNadpis, OknoObal> {
public:
    ~StaticNadpis() override;

    KNIHOVNA_MAPA_ZPRAV(StaticNadpis)
        ZPRAVA(ODRAZENA_ZPRAVA + WM_DRAWITEM, OnKresleni)
        ZPRAVA(WM_DESTROY, OnDestroy)
        VYCHOZI_ODRAZENI()
    KNIHOVNA_KONEC_MAPY()

    HFONT Pismo() const { return m_pismo; }

private:
    friend void PripojitNadpisVerdana(StaticNadpis& nadpis, HWND ovladac);
    HFONT m_pismo = nullptr;
    LRESULT OnKresleni(UINT msg, WPARAM w, LPARAM l, BOOL&);
    LRESULT OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano);
};

// Attaches the heading and gives it the control's font in bold 16-pixel Verdana.
// A missing control raises E_INVALIDARG.
void PripojitNadpisVerdana(StaticNadpis& nadpis, HWND ovladac);

// A push button with the hand cursor.
class ButtonOdkaz : public OknoImpl<ButtonOdkaz, OknoObal> {
public:
    KNIHOVNA_MAPA_ZPRAV(ButtonOdkaz)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
};

// A tooltip window (m_hWnd) with tools for the controls of one owner dialog.
class ToolTip : public OknoObal {
public:
    ToolTip() = default;
    virtual ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    virtual void Vytvorit(HWND vlastnik);
    // Text from the string table by id; 0 = a tool without text.
    void PridatNastrojId(HWND ovladac, UINT idTextu);
    void PridatNastroj(HWND ovladac, const wchar_t* text);
    HWND Vlastnik() const { return m_vlastnik; }

private:
    HWND m_vlastnik = nullptr;
    void Pridat(HWND ovladac, const wchar_t* text);
};

// A tooltip window of the program (TTS_ALWAYSTIP, no parent); failure raises.
HWND VytvoritOknoTooltipu();
// One TTF_SUBCLASS tool over a rectangle of a control; TTM_ADDTOOLW failing raises.
void PridatOblastTooltipu(HWND tooltip, HWND ovladac, const RECT& oblast, const wchar_t* text);

}  // namespace knihovna
