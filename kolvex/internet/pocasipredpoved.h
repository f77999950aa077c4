// The forecast-text window: the institute's current text forecast, downloaded once when the window
// opens, sized to the text at the lower right corner of the work area; copy, save and print.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/menu.h"
#include "internet/pocasiokna.h"
#include "internet/pocasistahovani.h"
#include "knihovna/okno.h"

// Writes the text to a file as UTF-16LE without a byte-order mark (atomic replace); raises.
void ZapsatTextPredpovedi(const std::wstring& cesta, const std::wstring& text);

class OknoPredpovedText : public knihovna::OknoImpl<OknoPredpovedText, knihovna::OknoNormalni> {
public:
    OknoPredpovedText();
    ~OknoPredpovedText() override;

    HWND VytvoritOkno();
    // Starts the download on a worker; the window shows itself when the text has come.
    void NacistPredpoved();

    static void Spustit();
    static void Zastavit();
    static bool Bezi();

    bool velikostCeka = true;  // the first paint sizes and places the window
    std::wstring text;

    KNIHOVNA_MAPA_ZPRAV(OknoPredpovedText)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        PRIKAZ_ID(40002, OnPredvolby)
        PRIKAZ_ID(40026, OnZavrit)
        PRIKAZ_ID(40215, OnKopirovat)
        PRIKAZ_ID(40216, OnUlozit)
        PRIKAZ_ID(40217, OnVytisknout)
        PRIKAZ_ID(40053, OnNavrchu)
        PRIKAZ_ID(40075, OnPruhledne)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_LBUTTONDOWN, TahnoutOknoMysi)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(ZpravaStahovaniPocasiHotovo, OnStazeno)
    KNIHOVNA_KONEC_MAPY()

private:
    MenuPopup* m_menu = nullptr;
    PracovniVlakno m_prace;

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPredvolby(WORD, WORD, HWND, BOOL&);
    LRESULT OnZavrit(WORD, WORD, HWND, BOOL&);
    LRESULT OnKopirovat(WORD, WORD, HWND, BOOL&);
    LRESULT OnUlozit(WORD, WORD, HWND, BOOL&);
    LRESULT OnVytisknout(WORD, WORD, HWND, BOOL&);
    LRESULT OnNavrchu(WORD, WORD, HWND, BOOL&);
    LRESULT OnPruhledne(WORD, WORD, HWND, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnStazeno(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<OknoPredpovedText> oknoPredpovedText;
