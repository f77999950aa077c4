#include "odkazy.h"

#include <shlwapi.h>

#include <cwctype>

#include "modul.h"
#include "text.h"

namespace knihovna {

namespace {

const wchar_t* const textTooltipuSlozky = L"Otevřít složku v Průzkumníku (<Ctrl> - prozkoumat)";

HINSTANCE InstanceProgramu() { return ::GetModuleHandleW(nullptr); }

// Adds SS_NOTIFY | SS_OWNERDRAW to a static.
void NastavitVlastniKresleni(HWND ovladac) {
    LONG_PTR styl = ::GetWindowLongPtrW(ovladac, GWL_STYLE);
    if ((styl & (SS_NOTIFY | SS_OWNERDRAW)) != (SS_NOTIFY | SS_OWNERDRAW))
        ::SetWindowLongPtrW(ovladac, GWL_STYLE, styl | SS_NOTIFY | SS_OWNERDRAW);
}

// The control's font changed by a function; failures raise the last system error.
template <class F>
HFONT ZmenenePismo(HWND ovladac, F zmena) {
    HFONT puvodni = reinterpret_cast<HFONT>(::SendMessageW(ovladac, WM_GETFONT, 0, 0));
    if (!puvodni) puvodni = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    Overit(::GetObjectW(puvodni, sizeof(lf), &lf) != 0);
    zmena(lf);
    HFONT pismo = ::CreateFontIndirectW(&lf);
    Overit(pismo != nullptr);
    return pismo;
}

void SmazatPismo(HFONT& pismo) {
    if (pismo) {
        HFONT h = pismo;
        pismo = nullptr;
        Overit(::DeleteObject(h) != 0);
    }
}

// Draws the static's window text in one colour and font (owner-draw request).
void KreslitText(const DRAWITEMSTRUCT* kresleni, COLORREF barva, HFONT pismo) {
    if (!kresleni) return;
    std::wstring text = OknoObal(kresleni->hwndItem).Text();
    HDC dc = kresleni->hDC;
    COLORREF puvodniBarva = ::SetTextColor(dc, barva);
    int puvodniRezim = ::SetBkMode(dc, TRANSPARENT);
    HGDIOBJ puvodniPismo = pismo ? ::SelectObject(dc, pismo) : nullptr;
    RECT r = kresleni->rcItem;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE);
    if (puvodniPismo) ::SelectObject(dc, puvodniPismo);
    ::SetBkMode(dc, puvodniRezim);
    ::SetTextColor(dc, puvodniBarva);
}

}  // namespace

COLORREF BarvaOdkazu() {
    auto jas = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
    const COLORREF odkaz = ::GetSysColor(COLOR_HOTLIGHT);
    const int rozdil = jas(odkaz) - jas(::GetSysColor(COLOR_BTNFACE));
    return (rozdil > 90 || rozdil < -90) ? odkaz : RGB(0, 102, 204);
}

bool MaSchema(const std::wstring& adresa) {
    size_t dvojtecka = adresa.find(L':');
    if (dvojtecka == std::wstring::npos || dvojtecka < 2) return false;  // none, or a drive letter
    if (!std::iswalpha(adresa[0]) || adresa[0] > 0x7F) return false;
    bool tecka = false;
    for (size_t i = 1; i < dvojtecka; ++i) {
        wchar_t z = adresa[i];
        if (z > 0x7F || !(std::iswalnum(z) || z == L'+' || z == L'-' || z == L'.')) return false;
        if (z == L'.') tecka = true;
    }
    if (adresa.compare(dvojtecka + 1, 2, L"//") == 0) return true;
    // Without "//" it is a scheme like "mailto:" only when it cannot be a host name with a port.
    if (tecka) return false;
    return dvojtecka + 1 >= adresa.size() || !std::iswdigit(adresa[dvojtecka + 1]);
}

std::wstring UpravitUrl(const wchar_t* url) {
    if (!url) return webAutora + L"/";
    std::wstring adresa(url);
    if (MaSchema(adresa)) return adresa;
    return L"http://" + adresa;
}

// ---------------------------------------------------------------------------------------------

StaticOdkaz::~StaticOdkaz() {
    if (m_tooltip && ::IsWindow(m_tooltip)) ::DestroyWindow(m_tooltip);
    m_tooltip = nullptr;
    if (m_pismo) ::DeleteObject(m_pismo);
    m_pismo = nullptr;
}

void StaticOdkaz::Pripojit(HWND ovladac) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_INVALIDARG);
    if (m_hWnd) Odpojit();
    OknoImpl::Pripojit(ovladac);
    NastavitVlastniKresleni(ovladac);
    SmazatPismo(m_pismo);
    m_pismo = ZmenenePismo(ovladac, [](LOGFONTW& lf) { lf.lfUnderline = TRUE; });
}

void StaticOdkaz::NastavitText(const wchar_t* text) {
    ::SetWindowTextW(m_hWnd, text ? text : L"");
    ::RedrawWindow(::GetParent(m_hWnd), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PrizpusobitVelikost();
}

void StaticOdkaz::PrizpusobitVelikost() {
    if (!JeOkno()) VyhoditChybu(E_INVALIDARG);
    HFONT pismo = reinterpret_cast<HFONT>(Poslat(WM_GETFONT));
    Overit(pismo != nullptr);
    std::wstring text = Text();
    DcOkna dc(m_hWnd);
    Overit(static_cast<bool>(dc));
    VybranyObjekt vybrane(dc.Get(), pismo);
    SIZE rozmer{};
    Overit(::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rozmer) != 0);
    RECT r;
    Overit(::GetWindowRect(m_hWnd, &r) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rozmer.cx + 4, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

LRESULT StaticOdkaz::Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL&) { return VychoziZpracovani(msg, w, l); }

void StaticOdkaz::Otevrit(const std::wstring& cil, const wchar_t* sloveso) {
    HINSTANCE h = spustitShell(nullptr, sloveso, cil.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(h) > 32) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT StaticOdkaz::OnKresleni(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    KreslitText(reinterpret_cast<const DRAWITEMSTRUCT*>(l), BarvaOdkazu(), m_pismo);
    return VychoziZpracovani(msg, w, l);
}

LRESULT StaticOdkaz::OnDestroy(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    SmazatPismo(m_pismo);
    zpracovano = FALSE;
    return 0;
}

LRESULT StaticOdkaz::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

void StaticOdkazUrl::NastavitUrl(const wchar_t* url) {
    if (!JeOkno()) VyhoditChybu(E_HANDLE);
    m_url = UpravitUrl(url);
}

void StaticOdkazUrl::PripojitSUrl(HWND ovladac, const wchar_t* url) {
    Pripojit(ovladac);
    NastavitUrl(url);
}

LRESULT StaticOdkazUrl::Kliknuti(UINT, WPARAM w, LPARAM, BOOL&) {
    if (!JeKliknuti(w)) return 0;
    if (m_url.empty()) m_url = UpravitUrl(Text().c_str());
    Otevrit(m_url);
    return 0;
}

void StaticOdkazEmail::NastavitAdresu(const wchar_t* adresa) {
    if (!JeOkno()) VyhoditChybu(E_HANDLE);
    m_adresa = L"mailto:" + (adresa ? std::wstring(adresa) : emailPodpory);
}

LRESULT StaticOdkazEmail::Kliknuti(UINT, WPARAM w, LPARAM, BOOL&) {
    if (!JeKliknuti(w)) return 0;
    if (m_adresa.empty()) {
        // an address taken from the text still needs its scheme to open the mail program
        std::wstring text = Text();
        m_adresa = MaSchema(text) ? text : L"mailto:" + text;
    }
    std::wstring odkaz = m_adresa;
    if (!predmet.empty()) odkaz += L"?subject=" + predmet;
    Otevrit(odkaz);
    return 0;
}

LRESULT StaticOdkazCommand::Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    if (!JeKliknuti(w)) return 0;
    if (prikaz == -1 || prikaz == 0) {
        zpracovano = FALSE;
        return VychoziZpracovani(msg, w, l);
    }
    ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, static_cast<WPARAM>(prikaz), 0);
    return 0;
}

LRESULT StaticOdkazSoubor::Kliknuti(UINT, WPARAM w, LPARAM, BOOL&) {
    if (!JeKliknuti(w)) return 0;
    if (soubor.empty()) soubor = Text();
    Otevrit(soubor);
    return 0;
}

StaticOdkazSlozka::~StaticOdkazSlozka() = default;

void StaticOdkazSlozka::Pripojit(HWND ovladac, const wchar_t* slozka) {
    StaticOdkaz::Pripojit(ovladac);
    if (slozka) NastavitSlozku(slozka);
    if (m_tooltip && ::IsWindow(m_tooltip)) Overit(::DestroyWindow(m_tooltip) != 0);
    m_tooltip = VytvoritOknoTooltipu();
    RECT r;
    ::GetClientRect(ovladac, &r);
    PridatOblastTooltipu(m_tooltip, ovladac, r, textTooltipuSlozky);
}

void StaticOdkazSlozka::NastavitSlozku(const wchar_t* slozka) {
    if (!JeOkno()) VyhoditChybu(E_FAIL);
    m_slozka = slozka ? slozka : L"";
}

LRESULT StaticOdkazSlozka::Kliknuti(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (JeKliknuti(w)) {
        if (m_slozka.empty()) m_slozka = Text();
        if (::PathFileExistsW(m_slozka.c_str()))
            Otevrit(m_slozka, ::GetAsyncKeyState(VK_CONTROL) < 0 ? L"explore" : L"open");
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

StaticNadpis::~StaticNadpis() {
    if (m_pismo) ::DeleteObject(m_pismo);
    m_pismo = nullptr;
}

LRESULT StaticNadpis::OnKresleni(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    KreslitText(reinterpret_cast<const DRAWITEMSTRUCT*>(l), ::GetSysColor(COLOR_WINDOWTEXT), m_pismo);
    return VychoziZpracovani(msg, w, l);
}

LRESULT StaticNadpis::OnDestroy(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    SmazatPismo(m_pismo);
    zpracovano = FALSE;
    return 0;
}

void PripojitNadpisVerdana(StaticNadpis& nadpis, HWND ovladac) {
    if (!ovladac || !::IsWindow(ovladac)) VyhoditChybu(E_INVALIDARG);
    if (nadpis.m_hWnd) nadpis.Odpojit();
    nadpis.Pripojit(ovladac);
    NastavitVlastniKresleni(ovladac);
    SmazatPismo(nadpis.m_pismo);
    nadpis.m_pismo = ZmenenePismo(ovladac, [](LOGFONTW& lf) {
        lf.lfHeight = -16;
        lf.lfWeight = FW_BOLD;
        lf.lfUnderline = FALSE;
        wcscpy(lf.lfFaceName, L"Verdana");
    });
}

LRESULT ButtonOdkaz::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------

HWND VytvoritOknoTooltipu() {
    HWND h = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, InstanceProgramu(), nullptr);
    Overit(h != nullptr);
    return h;
}

void PridatOblastTooltipu(HWND tooltip, HWND ovladac, const RECT& oblast, const wchar_t* text) {
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = ovladac;
    ti.uId = 0;
    ti.rect = oblast;
    ti.hinst = InstanceProgramu();
    ti.lpszText = const_cast<wchar_t*>(text);
    Overit(::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0);
}

ToolTip::~ToolTip() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void ToolTip::Vytvorit(HWND vlastnik) {
    if (!vlastnik) VyhoditChybu(E_INVALIDARG);
    if (m_hWnd && ::IsWindow(m_hWnd)) Overit(::DestroyWindow(m_hWnd) != 0);
    m_hWnd = nullptr;
    m_vlastnik = vlastnik;
    m_hWnd = VytvoritOknoTooltipu();
}

void ToolTip::Pridat(HWND ovladac, const wchar_t* text) {
    if (!m_vlastnik || !::IsWindow(m_vlastnik)) VyhoditChybu(E_HANDLE);
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = m_vlastnik;
    ti.uId = reinterpret_cast<UINT_PTR>(ovladac);
    ti.hinst = InstanceProgramu();
    ti.lpszText = const_cast<wchar_t*>(text);
    Overit(Poslat(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != 0);
}

void ToolTip::PridatNastrojId(HWND ovladac, UINT idTextu) {
    Pridat(ovladac, idTextu ? MAKEINTRESOURCEW(idTextu) : nullptr);
}

void ToolTip::PridatNastroj(HWND ovladac, const wchar_t* text) { Pridat(ovladac, text); }

}  // namespace knihovna
