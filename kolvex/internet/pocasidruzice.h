// The satellite-picture window: the current picture of a meteorological satellite from the
// institute's or Meteopress's web, on a thread of its own, sized to the picture.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "core/menu.h"
#include "core/obrazek.h"
#include "core/vlaknomodulu.h"
#include "internet/pocasiokna.h"
#include "internet/pocasistahovani.h"
#include "knihovna/okno.h"

class OknoSnimekDruzice : public knihovna::OknoImpl<OknoSnimekDruzice, knihovna::OknoNormalni> {
public:
    OknoSnimekDruzice();
    ~OknoSnimekDruzice() override;

    HWND VytvoritOkno();
    // Downloads the picture of a source (2 Meteopress, else the institute) on a worker.
    void NacistSnimek(int zdroj);
    // Loads and shows the downloaded file (command 40223).
    void ZobrazitSnimek();

    // The window's thread, started and stopped by the weather module.
    static void Spustit();
    static void Zastavit();
    static bool Bezi();

    int zdroj = 1;
    std::unique_ptr<ObrazekGdiPlus> obrazek;  // null while none is loaded
    std::wstring soubor;
    std::wstring textStavu;

    KNIHOVNA_MAPA_ZPRAV(OknoSnimekDruzice)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        PRIKAZ_ID(40002, OnPredvolby)
        PRIKAZ_ID(40026, OnZavrit)
        PRIKAZ_ID(40221, OnZdroj)
        PRIKAZ_ID(40222, OnZdroj)
        PRIKAZ_ID(40216, OnUlozitJako)
        PRIKAZ_ID(40223, OnZobrazitSnimek)
        PRIKAZ_ID(40053, OnNavrchu)
        PRIKAZ_ID(40075, OnPruhledne)
        ZPRAVA(WM_CONTEXTMENU, OnContextMenu)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_KEYDOWN, OnKeyDown)
        ZPRAVA(WM_LBUTTONDOWN, TahnoutOknoMysi)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_ERASEBKGND, OnEraseBkgnd)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZpravaStahovaniPocasiHotovo, OnStazeno)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    MenuPopup* m_menu = nullptr;
    PracovniVlakno m_prace;

    void PrizpusobitVelikost();
    // Loads the picture file into obrazek; false (obrazek empty) when it is missing or no picture.
    bool NacistObrazek();
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPredvolby(WORD, WORD, HWND, BOOL&);
    LRESULT OnZavrit(WORD, WORD, HWND, BOOL&);
    LRESULT OnZdroj(WORD, WORD, HWND, BOOL&);
    LRESULT OnUlozitJako(WORD, WORD, HWND, BOOL&);
    LRESULT OnZobrazitSnimek(WORD, WORD, HWND, BOOL&);
    LRESULT OnNavrchu(WORD, WORD, HWND, BOOL&);
    LRESULT OnPruhledne(WORD, WORD, HWND, BOOL&);
    LRESULT OnContextMenu(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKeyDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnStazeno(UINT, WPARAM, LPARAM, BOOL&);
};

// The window object while its thread runs.
extern std::unique_ptr<OknoSnimekDruzice> oknoSnimekDruzice;
