#include "edity.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <vssym32.h>

#include <climits>
#include <cwchar>
#include <vector>

#include "odkazy.h"
#include "text.h"

namespace knihovna {

namespace {

const wchar_t* const textTooltipuSlozky = L"Vybrat složku standardním dialogem Windows";
const wchar_t* const textTooltipuSouboru = L"Vybrat soubor standardním dialogem Windows";
const wchar_t* const textTooltipuBarvy = L"Vybrat barvu standardním systémovým dialogem pro výběr barvy";
const wchar_t* const titulekVyberuSlozky = L"Vyberte požadovanou složku";
const wchar_t* const formatRozsahu = L"Zadejte hodnotu v rozsahu %u - %u";

const COLORREF tmaveCervena = RGB(160, 0, 0);

// Attaching common to the edits: subclass afresh, balloon title = the product name.
template <class T>
void PripojitEdit(T& edit, HWND ovladac) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_INVALIDARG);
    if (edit.m_hWnd) edit.Odpojit();
    edit.OknoImpl<T, Edit>::Pripojit(ovladac);
    edit.titulekBubliny = NacistNazevProduktu();
}

void ZnicitTooltip(HWND& tooltip) {
    if (tooltip && ::IsWindow(tooltip)) Overit(::DestroyWindow(tooltip) != 0);
    tooltip = nullptr;
}

int CALLBACK ZpetneVolaniVyberuSlozky(HWND dialog, UINT zprava, LPARAM l, LPARAM data) {
    if (zprava == BFFM_INITIALIZED) {
        const wchar_t* pocatecni = reinterpret_cast<const wchar_t*>(data);
        if (pocatecni && *pocatecni) ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    } else if (zprava == BFFM_SELCHANGED) {
        wchar_t cesta[MAX_PATH];
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(l), cesta))
            ::SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(cesta));
    }
    return 0;
}

}  // namespace

COLORREF ButtonVyberBarvy::vlastniBarvy[16] = {
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
};

std::wstring NacistNazevProduktu() {
    wchar_t soubor[MAX_PATH];
    DWORD delka = ::GetModuleFileNameW(nullptr, soubor, MAX_PATH);
    if (delka == 0 || delka >= MAX_PATH) VyhoditPosledniChybu();
    DWORD nic = 0;
    DWORD velikost = ::GetFileVersionInfoSizeW(soubor, &nic);
    Overit(velikost != 0);
    BlokHaldy blok(velikost);
    if (!blok) VyhoditChybu(E_OUTOFMEMORY);
    Overit(::GetFileVersionInfoW(soubor, 0, velikost, blok.Get()) != 0);
    const WORD* preklad = nullptr;
    UINT delkaPrekladu = 0;
    Overit(::VerQueryValueW(blok.Get(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(
                                const_cast<WORD**>(&preklad)), &delkaPrekladu) != 0 &&
           preklad && delkaPrekladu >= 2 * sizeof(WORD));
    std::wstring cesta = Formatovat(L"\\StringFileInfo\\%04x%04x\\%s", preklad[0], preklad[1], L"ProductName");
    if (cesta.size() >= 200) VyhoditChybu(HresultZKodu(ERROR_INSUFFICIENT_BUFFER));
    const wchar_t* hodnota = nullptr;
    UINT delkaHodnoty = 0;
    Overit(::VerQueryValueW(blok.Get(), cesta.c_str(), reinterpret_cast<void**>(const_cast<wchar_t**>(&hodnota)),
                            &delkaHodnoty) != 0 &&
           hodnota);
    std::wstring nazev(hodnota, wcsnlen(hodnota, delkaHodnoty));
    if (!blok.Uvolnit()) VyhoditChybu(E_UNEXPECTED);
    return nazev;
}

void Edit::ZobrazitBublinu() {
    if (textBubliny.empty()) return;
    EDITBALLOONTIP bublina{};
    bublina.cbStruct = sizeof(bublina);
    bublina.pszTitle = titulekBubliny.c_str();
    bublina.pszText = textBubliny.c_str();
    bublina.ttiIcon = ikonaBubliny;
    Poslat(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&bublina));
}

// ---------------------------------------------------------------------------------------------

void EditCislo::Pripojit(HWND ovladac, unsigned hodnota, int minimum, int maximum) {
    PripojitEdit(*this, ovladac);
    LONG_PTR styl = ::GetWindowLongPtrW(ovladac, GWL_STYLE);
    if (!(styl & ES_NUMBER)) ::SetWindowLongPtrW(ovladac, GWL_STYLE, styl | ES_NUMBER);
    m_minimum = minimum;
    m_maximum = maximum;
    Overit(::SetDlgItemInt(::GetParent(ovladac), ::GetDlgCtrlID(ovladac), hodnota, FALSE) != 0);
    m_hodnota = hodnota;
}

bool EditCislo::PrecistCislo(unsigned& cislo) const {
    BOOL ok = FALSE;
    UINT precteno = ::GetDlgItemInt(::GetParent(m_hWnd), ::GetDlgCtrlID(m_hWnd), &ok, FALSE);
    if (!ok) return false;
    if (m_maximum >= 0 && precteno > static_cast<unsigned>(m_maximum)) return false;
    if (m_minimum >= 0 && precteno < static_cast<unsigned>(m_minimum)) return false;
    cislo = precteno;
    return true;
}

int EditCislo::NacistHodnotu(unsigned* cil) const {
    unsigned cislo = 0;
    if (!PrecistCislo(cislo)) return 1;
    if (cil) *cil = cislo;
    return 0;
}

bool EditCislo::OveritHodnotu() {
    unsigned cislo = 0;
    if (PrecistCislo(cislo)) {
        m_hodnota = cislo;
        return true;
    }
    ::SetDlgItemInt(::GetParent(m_hWnd), ::GetDlgCtrlID(m_hWnd), m_hodnota, FALSE);
    return false;
}

std::wstring EditCislo::TextRozsahu() const {
    const unsigned od = m_minimum >= 0 ? static_cast<unsigned>(m_minimum) : 0u;
    const unsigned po = m_maximum >= 0 ? static_cast<unsigned>(m_maximum) : UINT_MAX;
    return Formatovat(formatRozsahu, od, po);
}

LRESULT EditCislo::OnKillFocus(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    OveritHodnotu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT EditCislo::OnSetFocus(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if (zobrazovatBublinu) {
        if (textBubliny.empty()) textBubliny = TextRozsahu();
        ZobrazitBublinu();
    }
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------

EditCesta::~EditCesta() {
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
}

void EditCesta::PripojitCestu(HWND ovladac, const wchar_t* cesta, HIMAGELIST obrazky, int indexObrazku,
                              const wchar_t* textTooltipu) {
    PripojitEdit(*this, ovladac);
    overovatExistenci = false;
    m_indexObrazku = indexObrazku;
    m_obrazky = obrazky;
    Poslat(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, m_sirkaSymbolu + 4));
    ZnicitTooltip(m_tooltip);
    m_tooltip = VytvoritOknoTooltipu();
    RECT r;
    ::GetClientRect(ovladac, &r);
    r.left = r.right - m_sirkaSymbolu - 4;
    PridatOblastTooltipu(m_tooltip, ovladac, r, textTooltipu);
    if (cesta) {
        ::SetWindowTextW(ovladac, cesta);
        Poslat(EM_SETSEL, 0, -1);
        Poslat(EM_SETSEL, static_cast<WPARAM>(-1), 0);
        m_cestaExistuje = ::PathFileExistsW(cesta) != FALSE;
        Prekreslit();
    }
}

void EditCesta::Prekreslit() { ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW); }

bool EditCesta::VOblastiSymbolu(int x) const {
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    return x >= r.right - m_sirkaSymbolu && x <= r.right;
}

void EditCesta::PrevzitVolbu(const std::wstring& cesta) {
    ::SetWindowTextW(m_hWnd, cesta.c_str());
    m_cestaExistuje = ::PathFileExistsW(cesta.c_str()) != FALSE;  // also when the edit sends no EN_CHANGE
    Prekreslit();
    if (zpravaOznameni)
        ::PostMessageW(::GetParent(m_hWnd), zpravaOznameni, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT EditCesta::OnOdrazenyPrikaz(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (HIWORD(w) == EN_CHANGE) {
        m_cestaExistuje = ::PathFileExistsW(Text().c_str()) != FALSE;
        Prekreslit();
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT EditCesta::OnBarvaEditu(UINT, WPARAM w, LPARAM, BOOL&) {
    HDC dc = reinterpret_cast<HDC>(w);
    ::SetTextColor(dc, (overovatExistenci && !m_cestaExistuje) ? tmaveCervena : RGB(0, 0, 0));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

LRESULT EditCesta::OnPaint(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    LRESULT vysledek = VychoziZpracovani(msg, w, l);
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    DcOkna dc(m_hWnd);
    if (!dc) return vysledek;
    const int x = r.right - m_sirkaSymbolu - 2;
    int y = (r.bottom - VyskaMaleIkony()) / 2;
    if (y < 0) y = 0;
    if (m_obrazky && m_indexObrazku >= 0) {
        ::ImageList_DrawEx(m_obrazky, m_indexObrazku, dc.Get(), x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    } else {
        RECT oblast{x, r.top, r.right, r.bottom};
        HFONT pismo = reinterpret_cast<HFONT>(Poslat(WM_GETFONT));
        VybranyObjekt vybrane(dc.Get(), pismo ? static_cast<HGDIOBJ>(pismo) : ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc.Get(), TRANSPARENT);
        ::SetTextColor(dc.Get(), ::GetSysColor(::IsWindowEnabled(m_hWnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        ::DrawTextW(dc.Get(), L"...", 3, &oblast, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return vysledek;
}

LRESULT EditCesta::OnLButtonUp(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    LRESULT vysledek = VychoziZpracovani(msg, w, l);
    if (VOblastiSymbolu(static_cast<short>(LOWORD(l)))) Vybrat();
    return vysledek;
}

LRESULT EditCesta::OnSetCursor(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_mysNadSymbolem) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT EditCesta::OnSetFocus(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (zobrazovatBublinu) ZobrazitBublinu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT EditCesta::OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    RECT r;
    ::GetClientRect(m_hWnd, &r);
    m_mysNadSymbolem = static_cast<short>(LOWORD(l)) >= r.right - m_sirkaSymbolu - 4;
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

void EditSlozka::Pripojit(HWND ovladac, const wchar_t* slozka, HIMAGELIST obrazky, int indexObrazku) {
    PripojitCestu(ovladac, slozka, obrazky, indexObrazku, textTooltipuSlozky);
}

void EditSlozka::VybratSlozku() {
    std::wstring pocatecni = Text();
    if (_wcsicmp(pocatecni.c_str(), L"current") == 0) {
        wchar_t adresar[MAX_PATH];
        DWORD delka = ::GetCurrentDirectoryW(MAX_PATH, adresar);
        pocatecni = (delka > 0 && delka < MAX_PATH) ? std::wstring(adresar, delka) : std::wstring();
    } else if (pocatecni.size() >= MAX_PATH) {
        pocatecni.resize(MAX_PATH - 1);
    }
    BROWSEINFOW info{};
    info.hwndOwner = ::GetParent(m_hWnd);
    info.lpszTitle = titulekVyberuSlozky;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = ZpetneVolaniVyberuSlozky;
    info.lParam = reinterpret_cast<LPARAM>(pocatecni.c_str());
    PIDLIST_ABSOLUTE polozka = ::SHBrowseForFolderW(&info);
    if (!polozka) return;
    wchar_t cesta[MAX_PATH] = L"";
    BOOL ziskano = ::SHGetPathFromIDListW(polozka, cesta);
    ::CoTaskMemFree(polozka);
    if (ziskano && cesta[0]) PrevzitVolbu(cesta);
}

EditSoubor::EditSoubor() : m_ofn{} {
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = ::GetActiveWindow();
}

void EditSoubor::Pripojit(HWND ovladac, const wchar_t* soubor, HIMAGELIST obrazky, int indexObrazku,
                          const wchar_t* filtr) {
    if (filtr) {
        const wchar_t* konec = filtr;
        while (*konec) konec += wcslen(konec) + 1;  // pairs end with an empty string
        m_filtr.assign(filtr, static_cast<size_t>(konec - filtr) + 1);
        m_ofn.nFilterIndex = 1;
    }
    PripojitCestu(ovladac, soubor, obrazky, indexObrazku, textTooltipuSouboru);
}

void EditSoubor::VybratSoubor() {
    wchar_t soubor[MAX_PATH] = L"";
    std::wstring text = Text();
    if (text.size() < MAX_PATH && ::PathFileExistsW(text.c_str())) wcscpy(soubor, text.c_str());
    m_ofn.hwndOwner = ::GetParent(m_hWnd);
    m_ofn.lpstrFile = soubor;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFilter = m_filtr.empty() ? nullptr : m_filtr.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.Flags = 0;
    BOOL vybrano = ::GetOpenFileNameW(&m_ofn);
    m_ofn.lpstrFile = nullptr;
    if (vybrano) PrevzitVolbu(soubor);
}

// ---------------------------------------------------------------------------------------------

ButtonVyberBarvy::~ButtonVyberBarvy() {
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    ZavritTema();
}

void ButtonVyberBarvy::ZavritTema() {
    if (m_tema) ::CloseThemeData(m_tema);
    m_tema = nullptr;
}

void ButtonVyberBarvy::Pripojit(HWND ovladac, COLORREF novaBarva) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_INVALIDARG);
    if (novaBarva & 0xFF000000) VyhoditChybu(E_INVALIDARG);
    if (m_hWnd) Odpojit();
    OknoImpl::Pripojit(ovladac);
    LONG_PTR styl = ::GetWindowLongPtrW(ovladac, GWL_STYLE);
    if ((styl & BS_TYPEMASK) != BS_OWNERDRAW)
        ::SetWindowLongPtrW(ovladac, GWL_STYLE, (styl & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    m_stav |= BARVA_NASTAVENA;
    barva = novaBarva;
    ZnicitTooltip(m_tooltip);
    m_tooltip = VytvoritOknoTooltipu();
    RECT r;
    ::GetClientRect(ovladac, &r);
    PridatOblastTooltipu(m_tooltip, ovladac, r, textTooltipuBarvy);
    ::InvalidateRect(ovladac, nullptr, TRUE);
}

void ButtonVyberBarvy::VybratBarvu() {
    CHOOSECOLORW volba{};
    volba.lStructSize = sizeof(volba);
    volba.hwndOwner = ::GetParent(m_hWnd);
    volba.rgbResult = barva;
    volba.lpCustColors = vlastniBarvy;
    volba.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    if (!::ChooseColorW(&volba)) return;
    barva = volba.rgbResult & 0x00FFFFFF;
    m_stav |= BARVA_NASTAVENA;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    HWND rodic = ::GetParent(m_hWnd);
    if (rodic && ::IsWindow(rodic))
        ::PostMessageW(rodic, ZPRAVA_PRVKU, static_cast<WPARAM>(barva), static_cast<LPARAM>(::GetDlgCtrlID(m_hWnd)));
}

LRESULT ButtonVyberBarvy::OnOdrazenyPrikaz(UINT, WPARAM w, LPARAM, BOOL&) {
    if (HIWORD(w) == BN_CLICKED) VybratBarvu();
    return 0;
}

LRESULT ButtonVyberBarvy::OnKresleni(UINT, WPARAM, LPARAM l, BOOL&) {
    const DRAWITEMSTRUCT* kresleni = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    if (!kresleni) return 0;
    HDC dc = kresleni->hDC;
    RECT r = kresleni->rcItem;
    const UINT stav = kresleni->itemState;
    const bool vybrano = (stav & ODS_SELECTED) != 0;
    const bool zakazano = (stav & ODS_DISABLED) != 0;
    auto vyplnitBarvou = [&](const RECT& oblast) {
        if (!(m_stav & BARVA_NASTAVENA) || zakazano) return;
        HBRUSH stetec = ::CreateSolidBrush(barva);
        if (!stetec) return;
        HGDIOBJ puvodni = ::SelectObject(dc, stetec);
        ::Rectangle(dc, oblast.left, oblast.top, oblast.right, oblast.bottom);
        ::SelectObject(dc, puvodni);
        Overit(::DeleteObject(stetec) != 0);
    };
    if (::IsAppThemed()) {
        if (!m_tema) m_tema = ::OpenThemeData(m_hWnd, L"Button");
    }
    if (m_tema) {
        int stavTematu;
        if (zakazano) {
            stavTematu = PBS_DISABLED;
        } else {
            if ((m_stav & AKTIVNI) && !vybrano) {
                stavTematu = PBS_HOT;
            } else if (stav & ODS_FOCUS) {
                stavTematu = vybrano ? PBS_PRESSED : ((stav & ODS_DEFAULT) ? PBS_DEFAULTED : PBS_NORMAL);
            } else {
                stavTematu = (stav & ODS_DEFAULT) ? PBS_DEFAULTED : PBS_NORMAL;
            }
        }
        ::DrawThemeBackground(m_tema, dc, BP_PUSHBUTTON, stavTematu, &r, nullptr);
        ::InflateRect(&r, -m_okraj, -m_okraj);
        vyplnitBarvou(r);
        return 0;
    }
    // Without visual styles: a classic push-button frame around the colour, and the focus mark.
    ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (vybrano ? DFCS_PUSHED : 0) |
                                                (zakazano ? DFCS_INACTIVE : 0));
    RECT vnitrek = r;
    ::InflateRect(&vnitrek, -m_okraj - 1, -m_okraj - 1);
    if (vybrano) ::OffsetRect(&vnitrek, 1, 1);
    vyplnitBarvou(vnitrek);
    if ((stav & ODS_FOCUS) && !(stav & ODS_NOFOCUSRECT)) {
        RECT fokus = r;
        ::InflateRect(&fokus, -2, -2);
        ::DrawFocusRect(dc, &fokus);
    }
    return 0;
}

LRESULT ButtonVyberBarvy::OnMouseLeave(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_stav &= ~(AKTIVNI | SLEDOVANI_ODCHODU);
    m_stav |= MYS_VENKU;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ButtonVyberBarvy::OnMouseMove(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_stav & MYS_VENKU) {
        m_stav &= ~MYS_VENKU;
        m_stav |= AKTIVNI;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    if (!(m_stav & SLEDOVANI_ODCHODU)) {
        TRACKMOUSEEVENT sledovani{};
        sledovani.cbSize = sizeof(sledovani);
        sledovani.dwFlags = TME_LEAVE;
        sledovani.hwndTrack = m_hWnd;
        sledovani.dwHoverTime = HOVER_DEFAULT;
        if (::_TrackMouseEvent(&sledovani)) m_stav |= SLEDOVANI_ODCHODU;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ButtonVyberBarvy::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT ButtonVyberBarvy::OnThemeChanged(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    ZavritTema();
    zpracovano = FALSE;
    return 0;
}

LRESULT ButtonVyberBarvy::OnDestroy(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    ZavritTema();
    zpracovano = FALSE;
    return 0;
}

}  // namespace knihovna
