// Outside programs (the maker's camera and weather programs, the slideshow program Lumeda) and
// the registration of the Explorer extensions with its two dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "knihovna/odkazy.h"
#include "knihovna/okno.h"

// An outside program known by executable path and main-window class.
class ExterniAplikace {
public:
    explicit ExterniAplikace(const wchar_t* tridaOkna);
    virtual ~ExterniAplikace() = default;

    virtual bool JeSpustena() const;
    // S_OK posted, S_FALSE posting failed, E_HANDLE no window, E_INVALIDARG no class.
    virtual HRESULT Zavrit() const;
    // S_OK, E_INVALIDARG when not found, else the error of ShellExecute.
    HRESULT Spustit() const;

    bool Nalezena() const { return m_nalezena; }
    const std::wstring& Cesta() const { return m_cesta; }
    const std::wstring& TridaOkna() const { return m_tridaOkna; }

protected:
    void NastavitCestu(const std::wstring& cesta);

private:
    bool m_nalezena = false;
    std::wstring m_cesta;
    std::wstring m_tridaOkna;
};

// The maker's camera program: "<Program Files>\Brenvald\Varnel 3\Varnel.exe".
class ExtAplikaceVarnel : public ExterniAplikace {
public:
    ExtAplikaceVarnel() : ExterniAplikace(L"QVarnelHlavniOkno") {}
    // A path under 5 or from 260 characters raises E_INVALIDARG.
    void UrcitCestu(const wchar_t* cesta);
    static std::wstring VychoziCesta();
};

// The maker's weather program: "Meltis.exe" in the program folder.
class ExtAplikaceMeltis : public ExterniAplikace {
public:
    ExtAplikaceMeltis() : ExterniAplikace(L"QMeltisHlavni") {}
    void UrcitCestu(const std::wstring& slozkaProgramu);
};

// Records of the two Explorer extensions (paths fixed at start-up).
struct InfoShellExtObrazky {
    explicit InfoShellExtObrazky(const std::wstring& slozkaProgramu);
    std::wstring cestaDll;
    std::wstring cestaLumeda;
    std::wstring nazev;
    bool JeNainstalovano() const;
    bool JeZaregistrovano() const;
};
struct InfoShellExtSchranka {
    explicit InfoShellExtSchranka(const std::wstring& slozkaProgramu);
    std::wstring cestaDll;
    std::wstring nazev;
    bool JeNainstalovano() const;
    bool JeZaregistrovano() const;
};

// Starts Lumeda with one quoted file or folder, without waiting; a failure is shown.
HRESULT SpustitLumeda(const std::wstring& cesta);
// Starts Lumeda without arguments (it then shows its settings).
HRESULT SpustitNastaveniLumeda();
// Loads a DLL and calls its DllRegisterServer or DllUnregisterServer.
HRESULT VolatRegistraciDll(const std::wstring& cestaDll, bool registrovat);
// Registration with the balloon at the main tray icon that reports the outcome.
// Seam for tests: whether this is a 32-bit process on 64-bit Windows (IsWow64Process).
extern bool (*beziPodWow64)();
HRESULT RegistrovatShellExtObrazky(bool registrovat);
HRESULT RegistrovatShellExtSchranka(bool registrovat);

// Commands 40187 and 40188: close the program when it runs, else start it; nothing when not found.
void PrepnoutExterniAplikaci(ExterniAplikace* aplikace);

// The dialogs of commands 40095 ("Obrázky") and 40096 ("Schránka").
class DlgShellExtObrazky : public knihovna::DialogImpl<DlgShellExtObrazky> {
public:
    enum { IDD = 147 };
    DlgShellExtObrazky();
    ~DlgShellExtObrazky() override;

    KNIHOVNA_MAPA_ZPRAV(DlgShellExtObrazky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
        PRIKAZ_ID(1095, OnRegistrace)
        PRIKAZ_ID(1096, OnKonfigurovat)
    KNIHOVNA_KONEC_MAPY()

    void Obnovit();

private:
    std::wstring m_nazevPolohy;
    knihovna::ToolTip m_tip;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZavrit(WORD, WORD, HWND, BOOL&);
    LRESULT OnRegistrace(WORD, WORD, HWND, BOOL&);
    LRESULT OnKonfigurovat(WORD, WORD, HWND, BOOL&);
};

class DlgShellExtSchranka : public knihovna::DialogImpl<DlgShellExtSchranka> {
public:
    enum { IDD = 148 };
    DlgShellExtSchranka();

    KNIHOVNA_MAPA_ZPRAV(DlgShellExtSchranka)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
        PRIKAZ_ID(1095, OnRegistrace)
    KNIHOVNA_KONEC_MAPY()

    void Obnovit();

private:
    std::wstring m_nazevPolohy;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZavrit(WORD, WORD, HWND, BOOL&);
    LRESULT OnRegistrace(WORD, WORD, HWND, BOOL&);
};
