#include "prvky.h"

#include <vector>

#include "text.h"

namespace knihovna {

namespace {

// The last system error, or the given HRESULT when the system reports none.
[[noreturn]] void VyhoditSelhani(HRESULT nahradni = E_FAIL) {
    HRESULT hr = HresultZPosledniChyby();
    VyhoditChybu(FAILED(hr) ? hr : nahradni);
}

void OveritSystem(bool podminka, HRESULT nahradni = E_FAIL) {
    if (!podminka) VyhoditSelhani(nahradni);
}

HINSTANCE InstanceProgramu() { return ::GetModuleHandleW(nullptr); }

struct PolozkaCombo {
    const wchar_t* text;
    LPARAM data;
};

const PolozkaCombo polozkyKdy[] = {
    {L"Nikdy", 0},
    {L"Při automatickém spuštění po startu aplikace", 1},
    {L"Při ručním spuštění za běhu", 2},
    {L"Při každém způsobu spuštění", 3},
};

const PolozkaCombo polozkyIkona[] = {
    {L"Zobrazovat vždy", 2},
    {L"Zobrazit pouze při minimalizaci okna", 1},
    {L"Nezobrazovat", 0},
};

template <size_t N>
void NaplnitCombo(ComboBox& combo, HWND h, const PolozkaCombo (&polozky)[N], LPARAM hodnota) {
    combo.m_hWnd = h;
    combo.Poslat(CB_RESETCONTENT);
    for (const PolozkaCombo& p : polozky) PridatPolozkuCombo(h, p.text, p.data);
    for (size_t i = 0; i < N; ++i)
        if (polozky[i].data == hodnota) {
            if (combo.Poslat(CB_SETCURSEL, i) == CB_ERR) VyhoditChybu(E_INVALIDARG);
            return;
        }
    combo.Poslat(CB_SETCURSEL, 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

int ListBox::PridatPolozku(const wchar_t* text, LPARAM data) {
    LRESULT index = Poslat(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    OveritSystem(index != LB_ERR && index != LB_ERRSPACE);
    OveritSystem(Poslat(LB_SETITEMDATA, static_cast<WPARAM>(index), data) != LB_ERR);
    return static_cast<int>(index);
}

int ListBox::NacistTextPolozky(int index, std::wstring& cil) const {
    LRESULT delka = Poslat(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (delka == LB_ERR) return -1;
    std::vector<wchar_t> buffer(static_cast<size_t>(delka) + 1);
    LRESULT precteno = Poslat(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (precteno == LB_ERR) return -1;
    cil.assign(buffer.data(), static_cast<size_t>(precteno));
    return 0;
}

LRESULT ListBox::OznamitEnterEsc(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    if (w == VK_RETURN || w == VK_ESCAPE)
        ::PostMessageW(::GetParent(m_hWnd), ZPRAVA_PRVKU, w, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBox::VybratPodlePismene(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    if (w < L' ') {  // control characters keep the list box's own handling
        zpracovano = FALSE;
        return 0;
    }
    // The list box's own type-ahead would search on from the item just selected and so move
    // past the first match: the letter is handled here alone.
    const LRESULT pred = Poslat(LB_GETCURSEL);
    const wchar_t text[2] = {static_cast<wchar_t>(w), L'\0'};
    const LRESULT index = Poslat(LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (index != LB_ERR && index != pred && (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LBS_NOTIFY))
        ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}

LRESULT ListBox::PostoupitKontextoveMenu(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    ::PostMessageW(::GetParent(m_hWnd), WM_CONTEXTMENU, w, l);
    zpracovano = FALSE;
    return 0;
}

LRESULT ListBox::OznamitDvojklik(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    ::PostMessageW(::GetParent(m_hWnd), ZPRAVA_PRVKU, VK_RETURN, reinterpret_cast<LPARAM>(m_hWnd));
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------

LPARAM ComboBox::NacistDataVybranePolozky() const {
    if (!JeOkno()) VyhoditChybu(E_HANDLE);
    LRESULT index = Poslat(CB_GETCURSEL);
    if (index == CB_ERR || index < 0) return -1;
    return static_cast<LPARAM>(Poslat(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void ComboBox::NacistTextPolozky(int index, std::wstring& cil) const {
    if (!JeOkno()) VyhoditChybu(E_HANDLE);
    LRESULT delka = Poslat(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (delka == CB_ERR) VyhoditChybu(E_INVALIDARG);
    std::vector<wchar_t> buffer(static_cast<size_t>(delka) + 1);
    LRESULT precteno = Poslat(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (precteno == CB_ERR) {
        cil.clear();
        VyhoditChybu(E_INVALIDARG);
    }
    cil.assign(buffer.data(), static_cast<size_t>(precteno));
}

HRESULT ComboBox::VybratPolozkuPodleDat(LPARAM data) {
    LRESULT pocet = Poslat(CB_GETCOUNT);
    if (pocet == CB_ERR) return E_INVALIDARG;
    for (LRESULT i = 0; i < pocet; ++i) {
        if (static_cast<LPARAM>(Poslat(CB_GETITEMDATA, static_cast<WPARAM>(i))) == data) {
            OveritSystem(Poslat(CB_SETCURSEL, static_cast<WPARAM>(i)) != CB_ERR);
            return S_OK;
        }
    }
    Poslat(CB_SETCURSEL, static_cast<WPARAM>(-1));
    return E_INVALIDARG;
}

int PridatPolozkuCombo(HWND combo, const wchar_t* text, LPARAM data) {
    if (!combo || !::IsWindow(combo)) VyhoditChybu(E_HANDLE);
    LRESULT index = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    OveritSystem(index != CB_ERR && index != CB_ERRSPACE);
    OveritSystem(::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data) != CB_ERR);
    return static_cast<int>(index);
}

int PridatPolozkuComboId(HWND combo, UINT idTextu, LPARAM data) {
    std::wstring text;
    if (!NacistRetezec(idTextu, text)) VyhoditSelhani(E_INVALIDARG);
    return PridatPolozkuCombo(combo, text.c_str(), data);
}

void NaplnitComboKdy(ComboBox& combo, HWND h, LPARAM hodnota) { NaplnitCombo(combo, h, polozkyKdy, hodnota); }

void NaplnitComboIkona(ComboBox& combo, HWND h, LPARAM hodnota) { NaplnitCombo(combo, h, polozkyIkona, hodnota); }

void ZrusitOknoPrvku(OknoObal& prvek) {
    if (prvek.m_hWnd && ::IsWindow(prvek.m_hWnd)) OveritSystem(::DestroyWindow(prvek.m_hWnd) != 0);
    prvek.m_hWnd = nullptr;
}

// ---------------------------------------------------------------------------------------------

void TabControl::Pripojit(HWND ovladac, HIMAGELIST obrazky) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_HANDLE);
    if (m_hWnd) Odpojit();
    try {
        OknoImpl::Pripojit(ovladac);
    } catch (const Chyba&) {
        VyhoditChybu(E_INVALIDARG);
    }
    if (obrazky) Poslat(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(obrazky));
    Poslat(TCM_SETITEMSIZE, 0, MAKELPARAM(0, 22));
    LONG_PTR styl = ::GetWindowLongPtrW(ovladac, GWL_STYLE);
    styl = (styl & ~static_cast<LONG_PTR>(TCS_OWNERDRAWFIXED)) | TCS_MULTILINE | TCS_HOTTRACK | WS_TABSTOP | WS_GROUP;
    ::SetWindowLongPtrW(ovladac, GWL_STYLE, styl);
    ::SetWindowLongPtrW(ovladac, GWL_EXSTYLE, ::GetWindowLongPtrW(ovladac, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY);
}

int TabControl::VlozitPolozku(int index, const wchar_t* text) {
    TCITEMW polozka{};
    polozka.mask = TCIF_TEXT;
    polozka.pszText = const_cast<wchar_t*>(text ? text : L"");
    LRESULT novy = Poslat(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&polozka));
    OveritSystem(novy != -1);
    return static_cast<int>(novy);
}

// ---------------------------------------------------------------------------------------------

void CheckListView::Pripojit(HWND ovladac) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_INVALIDARG);
    if (m_hWnd) Odpojit();
    OknoImpl::Pripojit(ovladac);
    Poslat(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    LVCOLUMNW sloupec{};
    sloupec.mask = LVCF_WIDTH;
    RECT klient{};
    ::GetClientRect(ovladac, &klient);
    sloupec.cx = klient.right > 0 ? klient.right : 1;
    OveritSystem(Poslat(LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&sloupec)) != -1);
}

void CheckListView::PrizpusobitSloupec() {
    // the list's width, or the widest item when that is wider (then the list scrolls sideways)
    Poslat(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0));
    const int polozky = static_cast<int>(Poslat(LVM_GETCOLUMNWIDTH, 0));
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    if (polozky < klient.right) Poslat(LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(klient.right, 0));
}

int CheckListView::PridatPolozku(const wchar_t* text, int pozice, LPARAM data) {
    LVITEMW polozka{};
    polozka.mask = LVIF_TEXT | LVIF_PARAM;
    polozka.iItem = pozice;
    polozka.pszText = const_cast<wchar_t*>(text ? text : L"");
    polozka.lParam = data;
    const int index = static_cast<int>(Poslat(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&polozka)));
    if (index >= 0) PrizpusobitSloupec();
    return index;
}

bool CheckListView::JeZaskrtnuta(LPARAM data) const {
    LVFINDINFOW hledani{};
    hledani.flags = LVFI_PARAM;
    hledani.lParam = data;
    LRESULT index = Poslat(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&hledani));
    if (index < 0) return false;
    UINT stav = static_cast<UINT>(Poslat(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_STATEIMAGEMASK));
    return ((stav & LVIS_STATEIMAGEMASK) >> 12) != 1;
}

void CheckListView::NastavitZaskrtnuti(int index, bool zaskrtnuta) {
    LVITEMW polozka{};
    polozka.stateMask = LVIS_STATEIMAGEMASK;
    polozka.state = INDEXTOSTATEIMAGEMASK(zaskrtnuta ? 2 : 1);
    Poslat(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&polozka));
}

// ---------------------------------------------------------------------------------------------

void NacistTextPrvku(HWND vlastnik, int id, std::wstring& cil) {
    HWND prvek = ::GetDlgItem(vlastnik, id);
    if (!prvek) {
        cil.clear();
        return;
    }
    cil = OknoObal(prvek).Text();
}

const wchar_t* NacistCastTextuZTabulky(UINT id, int cast, std::wstring& cil) {
    if (!NacistRetezec(id, cil)) VyhoditSelhani(E_INVALIDARG);
    size_t konecRadku = cil.find(L'\n');
    if (konecRadku == std::wstring::npos) return cil.c_str();
    cil[konecRadku] = L'\0';
    return cast == 1 ? cil.c_str() : cil.c_str() + konecRadku + 1;
}

int RozdelitTextNaRadky(std::wstring& text) {
    int pocet = 0;
    for (wchar_t& znak : text)
        if (znak == L'\n') {
            znak = L'\0';
            ++pocet;
        }
    return pocet;
}

// ---------------------------------------------------------------------------------------------

HWND VytvoritToolbar(HWND rodic, UINT id, HIMAGELIST obrazky, HIMAGELIST neaktivni) {
    const DWORD styl = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_TRANSPARENT |
                       TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_TOP;
    HWND h = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, styl, 0, 0, 0, 0, rodic,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), InstanceProgramu(), nullptr);
    OveritSystem(h != nullptr);
    ::SendMessageW(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(obrazky));
    ::SendMessageW(h, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(h, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(neaktivni ? neaktivni : obrazky));
    return h;
}

namespace {
void VlozitTlacitko(HWND toolbar, int obrazek, int prikaz, BYTE styl, const wchar_t* text) {
    TBBUTTON tlacitko{};
    tlacitko.iBitmap = obrazek;
    tlacitko.idCommand = prikaz;
    tlacitko.fsState = TBSTATE_ENABLED;
    tlacitko.fsStyle = styl;
    tlacitko.iString = reinterpret_cast<INT_PTR>(text);
    LRESULT pocet = ::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
    OveritSystem(::SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(pocet),
                                reinterpret_cast<LPARAM>(&tlacitko)) != 0);
}
}  // namespace

void VlozitTlacitkoToolbaru(HWND toolbar, int obrazek, int prikaz, bool celeRozbaleni) {
    VlozitTlacitko(toolbar, obrazek, prikaz,
                   static_cast<BYTE>(BTNS_AUTOSIZE | (celeRozbaleni ? BTNS_WHOLEDROPDOWN : BTNS_DROPDOWN)), nullptr);
}

void VlozitTlacitkoToolbaruAuto(HWND toolbar, int obrazek, int prikaz) {
    VlozitTlacitko(toolbar, obrazek, prikaz, BTNS_AUTOSIZE, nullptr);
}

void VlozitOddelovacToolbaru(HWND toolbar) { VlozitTlacitko(toolbar, 0, 0, BTNS_SEP, L""); }

HWND VytvoritRebar(HWND rodic, UINT id) {
    const DWORD styl = WS_CHILD | WS_VISIBLE | RBS_BANDBORDERS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_TOP;
    HWND h = ::CreateWindowExW(0, REBARCLASSNAMEW, L"QRebar", styl, 0, 0, 0, 0, rodic,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), InstanceProgramu(), nullptr);
    OveritSystem(h != nullptr);
    REBARINFO info{};
    info.cbSize = sizeof(info);
    OveritSystem(::SendMessageW(h, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info)) != 0);
    return h;
}

namespace {
void VlozitPas(HWND rebar, REBARBANDINFOW& pas) {
    if (!rebar || !::IsWindow(rebar)) VyhoditChybu(E_HANDLE);
    pas.cbSize = sizeof(pas);
    pas.fMask |= RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID;
    pas.cyIntegral = 1;
    OveritSystem(::SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&pas)) != 0);
}
}  // namespace

void VlozitPasRebaru(HWND rebar, HWND potomek, int minSirka, int sirka, int minVyska, UINT idPasu) {
    REBARBANDINFOW pas{};
    pas.fStyle = RBBS_GRIPPERALWAYS;
    pas.hwndChild = potomek;
    pas.cxMinChild = static_cast<UINT>(minSirka);
    pas.cx = static_cast<UINT>(sirka);
    pas.cyMinChild = static_cast<UINT>(minVyska);
    pas.wID = idPasu;
    VlozitPas(rebar, pas);
}

void VlozitPasRebaruSeZlomem(HWND rebar, HWND potomek) {
    RECT r{};
    OveritSystem(::GetWindowRect(potomek, &r) != 0);
    REBARBANDINFOW pas{};
    pas.fStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
    pas.hwndChild = potomek;
    pas.cxMinChild = static_cast<UINT>(r.right - r.left);
    pas.cx = static_cast<UINT>(r.right - r.left);
    pas.cyMinChild = static_cast<UINT>(r.bottom - r.top);
    pas.wID = 1;
    VlozitPas(rebar, pas);
}

void ZobrazitPasRebaru(HWND rebar, UINT idPasu, bool zobrazit) {
    LRESULT index = ::SendMessageW(rebar, RB_IDTOINDEX, idPasu, 0);
    OveritSystem(index != -1, E_INVALIDARG);
    OveritSystem(::SendMessageW(rebar, RB_SHOWBAND, static_cast<WPARAM>(index), zobrazit ? TRUE : FALSE) != 0);
}

HWND VytvoritStatusBar(HWND rodic, UINT id, DWORD styl) {
    HWND h = ::CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | styl, 0, 0, 0, 0, rodic,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), InstanceProgramu(), nullptr);
    OveritSystem(h != nullptr);
    return h;
}

}  // namespace knihovna
