// The program's hidden message-only main window: the main tray icon and the close of the program.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "knihovna/okno.h"

// Tooltip of the main tray icon (the record cuts it to the tip's length).
std::wstring PopisHlavniIkony(const std::wstring& titulek, const std::wstring& uzivatel, const std::wstring& pocitac,
                              const std::wstring& ipAdresa);

class OknoHlavni : public knihovna::OknoImpl<OknoHlavni, knihovna::OknoObal> {
public:
    OknoHlavni();
    ~OknoHlavni() override;

    void Vytvorit();

    std::unique_ptr<IkonaTray> ikona;
    bool horkeKlavesyRegistrovany = false;

    KNIHOVNA_MAPA_ZPRAV(OknoHlavni)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(WM_TIMER, OnTimer)
        PRIKAZ_ID(40001, OnKonec)
    KNIHOVNA_KONEC_MAPY()

private:
    std::wstring m_nazevTridy;

    void PridatIkonu();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKonec(WORD, WORD, HWND, BOOL&);
};
