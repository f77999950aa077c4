// The forecast-model window: the maps of the Aladin model (temperature, cloudiness, precipitation,
// wind, or all four) for ten forecast steps, downloaded on a worker into the cache folder, shown
// one or four at a time, stepped through by hand or animated.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "internet/pocasiokna.h"
#include "internet/pocasistahovani.h"
#include "knihovna/okno.h"
#include "knihovna/uchyt.h"

class OknoAladin;

// Seam for tests: the local date of the run a pass fetches.
extern void(WINAPI* ziskatDatumBehuPocasi)(LPSYSTEMTIME cas);

// A small scroll view with a zoom scale: without a scroll size there are no scroll bars and the
// content is drawn 1:1 at the origin. T::Kreslit(HDC) paints the content.
template <class T>
class PohledPosunZoom : public knihovna::OknoImpl<T, knihovna::Okno> {
public:
    SIZE velikostObsahu{0, 0};  // 0 x 0: no scrolling
    POINT posun{0, 0};
    float meritko = 1.0f;

    // Sets the content size; scroll bars appear where the content is larger than the view.
    void NastavitVelikostObsahu(SIZE velikost) {
        velikostObsahu = velikost;
        posun = POINT{0, 0};
        AktualizovatPosuvniky();
    }

    LRESULT OnPosun(UINT msg, WPARAM w, LPARAM, BOOL&) {
        const int osa = msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        if (!::GetScrollInfo(this->m_hWnd, osa, &si)) return 0;
        int pozice = si.nPos;
        switch (LOWORD(w)) {
            case SB_LINEUP: pozice -= 16; break;
            case SB_LINEDOWN: pozice += 16; break;
            case SB_PAGEUP: pozice -= static_cast<int>(si.nPage); break;
            case SB_PAGEDOWN: pozice += static_cast<int>(si.nPage); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: pozice = si.nTrackPos; break;
            default: break;
        }
        pozice = std::max(si.nMin, std::min(pozice, si.nMax - static_cast<int>(si.nPage) + 1));
        si.fMask = SIF_POS;
        si.nPos = pozice;
        ::SetScrollInfo(this->m_hWnd, osa, &si, TRUE);
        (osa == SB_HORZ ? posun.x : posun.y) = pozice;
        ::InvalidateRect(this->m_hWnd, nullptr, FALSE);
        return 0;
    }

    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(this->m_hWnd, &ps);
        RECT klient;
        ::GetClientRect(this->m_hWnd, &klient);
        {
            // drawn off screen first, so that the pictures do not flicker while animating
            knihovna::UchytDc pamet(::CreateCompatibleDC(dc));
            knihovna::UchytBitmapy bitmapa(
                pamet ? ::CreateCompatibleBitmap(dc, std::max<LONG>(klient.right, 1), std::max<LONG>(klient.bottom, 1))
                      : nullptr);
            HDC cil = bitmapa ? pamet.Get() : dc;
            knihovna::VybranyObjekt vybrana(bitmapa ? pamet.Get() : dc, bitmapa ? bitmapa.Get() : ::GetStockObject(NULL_BRUSH));
            ::FillRect(cil, &klient, ::GetSysColorBrush(COLOR_WINDOW));
            POINT stary{};
            ::SetViewportOrgEx(cil, -posun.x, -posun.y, &stary);
            static_cast<T*>(this)->Kreslit(cil);
            ::SetViewportOrgEx(cil, stary.x, stary.y, nullptr);
            if (bitmapa) ::BitBlt(dc, 0, 0, klient.right, klient.bottom, pamet.Get(), 0, 0, SRCCOPY);
        }
        ::EndPaint(this->m_hWnd, &ps);
        return 0;
    }

protected:
    void AktualizovatPosuvniky() {
        RECT klient;
        ::GetClientRect(this->m_hWnd, &klient);
        for (int osa : {SB_HORZ, SB_VERT}) {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            const LONG obsah = osa == SB_HORZ ? velikostObsahu.cx : velikostObsahu.cy;
            si.nMax = obsah > 0 ? static_cast<int>(obsah * meritko) - 1 : 0;
            si.nPage = static_cast<UINT>(osa == SB_HORZ ? klient.right : klient.bottom);
            ::SetScrollInfo(this->m_hWnd, osa, &si, TRUE);
        }
    }
};

// The picture view in the middle of the forecast-model window: the shown pictures in a grid of up
// to four cells with the user's mark on each, or the owner's info text while none is shown.
class OknoAladinKlient : public PohledPosunZoom<OknoAladinKlient> {
public:
    explicit OknoAladinKlient(OknoAladin& vlastnik) : m_vlastnik(vlastnik) {}
    ~OknoAladinKlient() override = default;

    HWND VytvoritOkno(HWND rodic);
    void Kreslit(HDC dc);

    int znackaX = 0, znackaY = 0;  // mark position; 0 or less: no mark

    KNIHOVNA_MAPA_ZPRAV(OknoAladinKlient)
        ZPRAVA(WM_LBUTTONDOWN, OnLButtonDown)
        ZPRAVA(WM_PAINT, OnPaint)
        ZPRAVA(WM_ERASEBKGND, OnEraseBkgnd)
        ZPRAVA(WM_HSCROLL, OnPosun)
        ZPRAVA(WM_VSCROLL, OnPosun)
    KNIHOVNA_KONEC_MAPY()

private:
    OknoAladin& m_vlastnik;
    void KreslitZnacku(HDC dc, int x, int y);
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&) { return 1; }
};

class OknoAladin : public knihovna::OknoImpl<OknoAladin, knihovna::OknoNormalni> {
public:
    OknoAladin();
    ~OknoAladin() override;

    HWND VytvoritOkno();

    static void Spustit();
    static void Zastavit();
    static bool Bezi();

    // Starts a pass of a kind (40203-40207) on the worker; ignored while one runs.
    void SpustitStahovani(UINT prikaz);
    bool Stahuje() const { return m_prace.Bezi(); }
    // Takes the series of an ended pass (the worker's posted result).
    void PrevzitVysledek(std::unique_ptr<VysledekStahovani> vysledek);
    void ZobrazitObrazek();
    void Dalsi();
    void Predchozi();
    std::wstring TextObrazku() const;
    bool CtyriNajednou() const { return druh == PRIKAZ_VSECHNY_MODELY || pocetNajednou == 4; }

    std::wstring zaklad;
    bool animace = false;
    std::wstring zona;
    int index = -1;
    std::array<std::unique_ptr<Gdiplus::Bitmap>, 4> obrazky;
    HCURSOR kurzorZnacky = nullptr;
    UINT druh = PRIKAZ_OBLACNOST;
    int pocetNajednou = 1;
    std::vector<std::wstring> rada;
    std::array<std::vector<std::wstring>, 4> vsechny;
    int hodinaBehu = 0;
    SYSTEMTIME datumBehu{};
    std::wstring textStavu;
    std::wstring textInfo;
    std::unique_ptr<OknoAladinKlient> klient;
    HWND stavovyRadek = nullptr;
    HWND rebar = nullptr;
    HWND toolbar = nullptr;

    KNIHOVNA_MAPA_ZPRAV(OknoAladin)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_COMMAND, OnCommand)
        ZPRAVA(WM_COMMAND, OnPrikaz)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_ERASEBKGND, OnEraseBkgnd)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_MENUSELECT, OnMenuSelect)
        ZPRAVA(WM_INITMENUPOPUP, OnInitMenuPopup)
        ZPRAVA(WM_EXITMENULOOP, OnExitMenuLoop)
        NOTIFIKACE_KOD(TTN_GETDISPINFOW, knihovna::ZpracovatTooltipToolbaru)
        ZPRAVA(WM_SIZE, OnSize)
        ZPRAVA(WM_TIMER, OnTimer)
        ZPRAVA(ZpravaStahovaniPocasiHotovo, OnStazeno)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    HACCEL Akceleratory() const { return m_akceleratory; }

private:
    MenuPopup m_lista;  // the menu bar as a record, for owner drawing
    bool m_menuOtevreno = false;
    std::unique_ptr<MenuNapoveda> m_napoveda;
    std::unique_ptr<MenuOkno> m_menuOkno;
    HACCEL m_akceleratory = nullptr;
    PracovniVlakno m_prace;

    void VytvoritListy();
    void UvolnitObrazky();
    void PrizpusobitVelikost();
    void AktualizovatPrikazy();
    void AktualizovatZaskrtnuti();
    void NastavitStavTlacitka(UINT id, bool zaskrtnuto);
    void PrepnoutAnimaci();
    void Prekreslit();

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnPrikaz(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEraseBkgnd(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMeasureItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMenuSelect(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnInitMenuPopup(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnExitMenuLoop(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnStazeno(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<OknoAladin> oknoAladin;
