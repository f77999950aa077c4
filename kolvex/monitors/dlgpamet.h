// The memory monitor's two dialogs: the borderless panel with the current memory figures (138)
// and the list of installed memory modules read through WMI with their properties (139).
#pragma once

#include <windows.h>
#include <wbemidl.h>

#include <vector>

#include "knihovna/okno.h"
#include "knihovna/uchyt.h"
#include "monitors/pamet.h"
#include "resources/resource.h"

// Small owners of the automation types the WMI calls use.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : m_b(::SysAllocString(text)) {
        if (!m_b && text) knihovna::VyhoditChybu(E_OUTOFMEMORY);
    }
    ~Bstr() { ::SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_b; }

private:
    BSTR m_b;
};

class Varianta {
public:
    Varianta() { ::VariantInit(&m_v); }
    ~Varianta() { ::VariantClear(&m_v); }
    Varianta(const Varianta&) = delete;
    Varianta& operator=(const Varianta&) = delete;
    VARIANT* operator&() { return &m_v; }
    const VARIANT& Hodnota() const { return m_v; }

private:
    VARIANT m_v;
};

// A VARIANT as the property display reads it.
HodnotaVlastnosti HodnotaZVarianty(const VARIANT& v);
// One property of a WMI object (an IWbemClassObject*).
HodnotaVlastnosti CistVlastnostWmi(void* objekt, const wchar_t* nazev);

class DlgPametInfo : public knihovna::DialogImpl<DlgPametInfo, knihovna::Okno> {
public:
    enum { IDD = IDD_PAMET_INFO };
    DlgPametInfo();

    KNIHOVNA_MAPA_ZPRAV(DlgPametInfo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_LBUTTONUP, OnLButtonUp)
        ZPRAVA(WM_SETCURSOR, OnSetCursor)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
    KNIHOVNA_KONEC_MAPY()

    // The figures from a memory status (the refresh).
    void Zobrazit(const MEMORYSTATUS& stav);

private:
    std::wstring m_trida;
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZavrit(WORD, WORD id, HWND, BOOL&);
};

class DlgPametHardware : public knihovna::DialogImpl<DlgPametHardware, knihovna::Okno> {
public:
    enum { IDD = IDD_PAMET_HARDWARE };
    DlgPametHardware();
    ~DlgPametHardware() override;

    KNIHOVNA_MAPA_ZPRAV(DlgPametHardware)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_CTLCOLORSTATIC, OnCtlColorStatic)
        PRIKAZ(IDC_PAMET_MODULY, LBN_SELCHANGE, OnVyber)
        PRIKAZ_ID(IDOK, OnZavrit)
        PRIKAZ_ID(IDCANCEL, OnZavrit)
    KNIHOVNA_KONEC_MAPY()

    size_t PocetModulu() const { return m_moduly.size(); }

private:
    std::wstring m_trida;
    knihovna::ComUkazatel<IWbemLocator> m_lokator;
    knihovna::ComUkazatel<IWbemServices> m_sluzby;
    knihovna::ComUkazatel<IEnumWbemClassObject> m_vycet;
    std::vector<knihovna::ComUkazatel<IWbemClassObject>> m_moduly;

    void Dotazat();
    void ZobrazitVlastnosti();
    void Uvolnit();
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColorStatic(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyber(WORD, WORD, HWND, BOOL&);
    LRESULT OnZavrit(WORD, WORD id, HWND, BOOL&);
};
