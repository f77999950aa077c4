// Lumeda's own small library: the error object, the registry key, the settings, and the thin
// window, dialog and control classes of the program.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace Brenvald {

// The one error class the program's own code throws; it carries its text.
class Vyjimka {
public:
    explicit Vyjimka(std::wstring text) : m_text(std::move(text)) {}
    // The system's text for the code ("Nespecifikovaná chyba" when 0 or without text).
    static Vyjimka ZKodu(DWORD kod);
    static Vyjimka ZPosledniChyby() { return ZKodu(::GetLastError()); }
    const std::wstring& Text() const { return m_text; }

private:
    std::wstring m_text;
};

// A key below HKEY_CURRENT_USER opened with create rights.
class KlicRegistru {
public:
    explicit KlicRegistru(const std::wstring& cesta);
    ~KlicRegistru();
    KlicRegistru(const KlicRegistru&) = delete;
    KlicRegistru& operator=(const KlicRegistru&) = delete;

    // False when the value does not exist; a value of another type or size raises an error.
    bool CistDword(const wchar_t* nazev, DWORD& hodnota) const;
    bool CistRetezec(const wchar_t* nazev, std::wstring& hodnota) const;
    void ZapsatDword(const wchar_t* nazev, DWORD hodnota);
    void ZapsatRetezec(const wchar_t* nazev, const std::wstring& hodnota);

private:
    std::wstring m_cesta;
    HKEY m_klic = nullptr;
};

extern const wchar_t* const KLIC_NASTAVENI;  // "Software\Brenvald\Lumeda\1.0"

struct Nastaveni {
    COLORREF barvaPozadi = ::GetSysColor(COLOR_BACKGROUND);
    bool cyklickyOpakovat = false;
    DWORD interval = 5;
    std::wstring vychoziSeznam;

    static bool PlatnyInterval(DWORD i) { return i >= 1 && i <= 1000; }
    // Loads barvaPozadi, cyklickyOpakovat, interval and vychoziSeznam, each on its own: a value
    // that cannot be read keeps its default, and after all four one error names every such
    // value. An interval outside 1..1000 keeps the default; the colour keeps its RGB bytes.
    void Nacist(const std::wstring& klic = KLIC_NASTAVENI);
    void Ulozit(const std::wstring& klic = KLIC_NASTAVENI) const;
};

// ---- windows -----------------------------------------------------------------------------------

// A window object bound to its handle; messages go to ZpracovatZpravu. No exception leaves the
// window procedure: an error in a handler gets default processing.
class Okno {
public:
    HWND m_hWnd = nullptr;
    virtual ~Okno() = default;
    static LRESULT CALLBACK ProceduraOkna(HWND okno, UINT zprava, WPARAM w, LPARAM l);

protected:
    virtual LRESULT ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l, bool& zpracovano) = 0;
};

// A modal dialog from the program's resources.
class Dialog {
public:
    HWND m_hWnd = nullptr;
    virtual ~Dialog() = default;
    INT_PTR Spustit(int id, HWND vlastnik);

protected:
    virtual INT_PTR ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l) = 0;

private:
    static INT_PTR CALLBACK ProceduraDialogu(HWND okno, UINT zprava, WPARAM w, LPARAM l);
};

// A subclassed control: its messages go to ZpracovatZpravu first.
class Podtrida {
public:
    HWND m_hWnd = nullptr;
    virtual ~Podtrida();
    void Pripojit(HWND okno);
    void Odpojit();

protected:
    virtual LRESULT ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l, bool& zpracovano);
    LRESULT Vychozi(UINT zprava, WPARAM w, LPARAM l);

private:
    WNDPROC m_puvodni = nullptr;
    static LRESULT CALLBACK Procedura(HWND okno, UINT zprava, WPARAM w, LPARAM l);
};

// A numeric edit with bounds (a negative bound is not checked).
class EditCislo : public Podtrida {
public:
    void Pripojit(HWND edit, int minimum, int maximum, UINT hodnota);
    // True and the value when the text parses and lies within the bounds.
    bool Precist(UINT& hodnota) const;

private:
    int m_minimum = -1;
    int m_maximum = -1;
};

// A static control drawn as a link; OdkazUrl opens its address.
class Odkaz : public Podtrida {
public:
    ~Odkaz() override;
    void Pripojit(HWND staticky);
    void NastavitText(const std::wstring& text);
    // Draws the link (the parent's WM_DRAWITEM for it).
    void Kreslit(const DRAWITEMSTRUCT& di);

protected:
    LRESULT ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l, bool& zpracovano) override;
    virtual void Kliknuti() {}

private:
    HFONT m_pismo = nullptr;
};

class OdkazUrl : public Odkaz {
public:
    void NastavitAdresu(const std::wstring& adresa) { m_adresa = adresa; }
    void Pripojit(HWND staticky, const std::wstring& adresa) {
        Odkaz::Pripojit(staticky);
        NastavitAdresu(adresa);
    }

protected:
    void Kliknuti() override;

private:
    std::wstring m_adresa;
};

class ToolTip {
public:
    ~ToolTip();
    void Vytvorit(HWND vlastnik, bool bublina = false);
    void PridatNastroj(HWND prvek, const wchar_t* text);

private:
    HWND m_hWnd = nullptr;
    HWND m_vlastnik = nullptr;
};

}  // namespace Brenvald
