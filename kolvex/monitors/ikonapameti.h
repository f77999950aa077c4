// The memory monitor's own tray icon: a 16x16 picture redrawn on every tick with the bar graph of
// the last 16 loads and the current load in figures, and a tooltip with the free and used memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "core/konfiguracenastroju.h"
#include "knihovna/uchyt.h"
#include "monitors/pamet.h"

// Draws the icon's picture into a DC holding a 16x16 bitmap (the history with element 0 at the
// left edge, then the figures).
void KreslitIkonuPameti(HDC dc, const int (&historie)[POCET_HISTORIE], DWORD zatizeni,
                        const KonfiguraceSledovaniPameti& nastaveni, HBRUSH pozadi, HPEN pero, HFONT pismo);

class IkonaPameti {
public:
    // Registers the icon (id 1 of the window, callback WM_APP+9, the starting icon 140).
    IkonaPameti(HWND okno, const KonfiguraceSledovaniPameti& nastaveni);
    ~IkonaPameti();
    IkonaPameti(const IkonaPameti&) = delete;
    IkonaPameti& operator=(const IkonaPameti&) = delete;

    void Vytvorit();
    // One tick: redraws the picture and forms the tip; the notification area is told of a new
    // picture (with the tip) only.
    void Aktualizovat(const MEMORYSTATUS& stav);
    // The pointer is over the icon: a tip that changed since it was last sent goes now.
    void Ukazat();
    void Odebrat();

    HICON Ikona() const { return m_ikona; }
    const std::wstring& Tip() const { return m_tip; }
    const int* Historie() const { return m_historie ? *m_historie : nullptr; }

private:
    HWND m_okno;
    const KonfiguraceSledovaniPameti& m_nastaveni;
    int (*m_historie)[POCET_HISTORIE] = nullptr;
    HICON m_ikona = nullptr;
    HFONT m_pismo = nullptr;
    knihovna::UchytStetce m_pozadi;
    knihovna::UchytPera m_pero;
    std::wstring m_tip;
    // What the notification area last accepted: the picture's bits and the tip.
    std::vector<BYTE> m_odeslanePixely;
    std::vector<BYTE> m_nakreslenePixely;
    std::wstring m_odeslanyTip;

    void Odeslat(bool novyObrazek);
};
