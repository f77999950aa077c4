#include "screen/vysledkymereni.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "knihovna/dpi.h"
#include "knihovna/uchyt.h"
#include "screen/vypocty.h"

using knihovna::Formatovat;

namespace {

void NastavitText(HWND dialog, int id, const std::wstring& text) { ::SetDlgItemTextW(dialog, id, text.c_str()); }

std::wstring Bod(int x, int y) { return Formatovat(L"%d, %d", x, y); }

}  // namespace

void DlgVysledkyMereni::Inicializovat(UINT idPolohy) {
    HWND panel = Okno();
    ::SendMessageW(panel, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    ::SendMessageW(panel, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    seznam = ::GetDlgItem(panel, IDC_MERENI_SEZNAM);
    for (int id : {IDC_MERENI_VZDALENOST, IDC_MERENI_X, IDC_MERENI_Y}) NastavitText(panel, id, L"?");
    auto* okno = dynamic_cast<knihovna::Okno*>(this);
    const std::wstring nazev = knihovna::Retezec(idPolohy);
    if (!okno || okno->ObnovitPolohu(nazev.c_str(), true) != 0) knihovna::Okno::UmistitNaPlochu(panel, 2);
    // The magnifier covers the list's client area and its right and bottom edge.
    if (seznam) {
        RECT r;
        ::GetClientRect(seznam, &r);
        ::MapWindowPoints(seznam, panel, reinterpret_cast<POINT*>(&r), 2);
        r.right += 2;
        r.bottom += 2;
        lupa = r;
    }
}

void DlgVysledkyMereni::Zavrit(UINT idPolohy) {
    if (vlastnik && ::IsWindow(vlastnik)) ::PostMessageW(vlastnik, WM_CLOSE, 0, 0);
    if (auto* okno = dynamic_cast<knihovna::Okno*>(this)) {
        const std::wstring nazev = knihovna::Retezec(idPolohy);
        okno->UlozitPolohu(nazev.c_str());
    }
}

void DlgVysledkyMereni::AktualizovatLupu(POINT bod) {
    HWND panel = Okno();
    if (!panel) return;
    const RECT zdroj = ZdrojLupy(lupa, bod, Zoom());
    knihovna::DcOkna obrazovka(nullptr);
    knihovna::DcOkna dc(panel);
    if (!obrazovka || !dc) return;
    ::SetStretchBltMode(dc.Get(), COLORONCOLOR);
    ::StretchBlt(dc.Get(), lupa.left, lupa.top, lupa.right - lupa.left, lupa.bottom - lupa.top, obrazovka.Get(),
                 zdroj.left, zdroj.top, zdroj.right - zdroj.left, zdroj.bottom - zdroj.top, SRCCOPY);
    if (HCURSOR kurzor = ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_KURZOR_LUPY))) {
        const POINT stred = StredZnacky(lupa, knihovna::SirkaMaleIkony());
        ::DrawIconEx(dc.Get(), stred.x, stred.y, kurzor, knihovna::SirkaMaleIkony(), knihovna::VyskaMaleIkony(), 0, nullptr,
                     DI_NORMAL);
    }
}

void DlgVysledkyMereni::ZobrazitStart(int x, int y) {
    NastavitText(Okno(), IDC_MERENI_OD, Bod(x, y));
    NastavitText(Okno(), IDC_MERENI_DO, Bod(x, y));
}

void DlgVysledkyMereni::ZobrazitBody(int x1, int y1, int x2, int y2) {
    HWND panel = Okno();
    const VysledekMereni v = Zmerit(x1, y1, x2, y2);
    NastavitText(panel, IDC_MERENI_DO, Bod(x2, y2));
    NastavitText(panel, IDC_MERENI_VZDALENOST, std::to_wstring(v.delka));
    NastavitText(panel, IDC_MERENI_X, std::to_wstring(v.dx));
    NastavitText(panel, IDC_MERENI_Y, std::to_wstring(v.dy));
}

void DlgVysledkyMereni::ZobrazitPolohu(int x, int y) {
    ::SetWindowTextW(Okno(), Formatovat(L"Poloha: %d, %d", x, y).c_str());
}

void DlgVysledkyMereni::NastavitSystemoveMenu(bool zobrazit) {
    HWND panel = Okno();
    if (!panel) return;
    LONG_PTR styl = ::GetWindowLongPtrW(panel, GWL_STYLE);
    styl = zobrazit ? (styl | WS_SYSMENU) : (styl & ~static_cast<LONG_PTR>(WS_SYSMENU));
    ::SetWindowLongPtrW(panel, GWL_STYLE, styl);
    ::SetWindowPos(panel, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class T, UINT idPolohy>
DlgVysledkyMereniImpl<T, idPolohy>::DlgVysledkyMereniImpl() {
    this->NastavitKlic(aplikace.klicAplikace);
}

template <class T, UINT idPolohy>
void DlgVysledkyMereniImpl<T, idPolohy>::UlozitPolohuPanelu() {
    const std::wstring nazev = knihovna::Retezec(idPolohy);
    this->UlozitPolohu(nazev.c_str());
}

template class DlgVysledkyMereniImpl<DlgVysledkyMereniObrUsecky, IDS_POLOHA_MERENI_USECKY>;
template class DlgVysledkyMereniImpl<DlgVysledkyMereniObrVyrez, IDS_POLOHA_MERENI_VYREZ>;

void DlgVysledkyMereniObrUsecky::PridatUsecku(int x1, int y1, int x2, int y2) {
    if (!seznam) return;
    const VysledekMereni v = Zmerit(x1, y1, x2, y2);
    const std::wstring text = Formatovat(L"%d, %d - %d, %d -> %d bodů", x1, y1, x2, y2, v.delka);
    const LRESULT index = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) {
        ::SendMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(seznam, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
}

DWORD DlgVysledkyMereniObrUsecky::Zoom() const {
    return nastaveniObrazovka ? nastaveniObrazovka->mereniUseky.zoom : 4;
}

DWORD DlgVysledkyMereniObrVyrez::Zoom() const {
    return nastaveniObrazovka ? nastaveniObrazovka->mereniVyrez.zoom : 4;
}
