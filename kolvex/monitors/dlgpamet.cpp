#include "monitors/dlgpamet.h"

#include <shlwapi.h>

#include "core/aplikace.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::Overit;
using knihovna::OveritHr;

namespace {

constexpr UINT_PTR CASOVAC_INFO = 10;
// {4590F811-1D3A-11D0-891F-00AA004B2E24}
const CLSID CLSID_LokatorWbem = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

std::wstring TextKB(uint64_t bajty) {
    wchar_t buffer[79] = L"";
    ::StrFormatKBSizeW(static_cast<LONGLONG>(bajty), buffer, 79);
    return buffer;
}

bool Ctrl() { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

void NastavitIkony(HWND okno) {
    ::SendMessageW(okno, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    ::SendMessageW(okno, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
}

}  // namespace

HodnotaVlastnosti HodnotaZVarianty(const VARIANT& v) {
    HodnotaVlastnosti h;
    switch (V_VT(&v)) {
        case VT_BSTR:
            h.druh = HodnotaVlastnosti::Text;
            if (V_BSTR(&v)) h.text = V_BSTR(&v);
            break;
        case VT_BOOL:
            h.druh = HodnotaVlastnosti::Logicka;
            h.logicka = V_BOOL(&v) != VARIANT_FALSE;
            break;
        case VT_I1: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_I1(&v); break;
        case VT_UI1: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_UI1(&v); break;
        case VT_I2: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_I2(&v); break;
        case VT_UI2: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_UI2(&v); break;
        case VT_I4: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_I4(&v); break;
        case VT_UI4: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_UI4(&v); break;
        case VT_INT: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_INT(&v); break;
        case VT_UINT: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_UINT(&v); break;
        case VT_I8: h.druh = HodnotaVlastnosti::Cislo; h.cislo = V_I8(&v); break;
        case VT_UI8: h.druh = HodnotaVlastnosti::Cislo; h.cislo = static_cast<int64_t>(V_UI8(&v)); break;
        default: break;  // VT_NULL, VT_EMPTY and anything else: no line
    }
    return h;
}

HodnotaVlastnosti CistVlastnostWmi(void* objekt, const wchar_t* nazev) {
    auto* o = static_cast<IWbemClassObject*>(objekt);
    Varianta v;
    if (!o || FAILED(o->Get(nazev, 0, &v, nullptr, nullptr))) return {};
    return HodnotaZVarianty(v.Hodnota());
}

// ---------------------------------------------------------------------------------------------

DlgPametInfo::DlgPametInfo() : m_trida(knihovna::Retezec(IDS_TRIDA_PAMET_INFO)) { NastavitKlic(aplikace.klicAplikace); }

LRESULT DlgPametInfo::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetWindowTextW(m_hWnd, Formatovat(L"Informace o paměti (%s)", aplikace.titulek.c_str()).c_str());
    NastavitIkony(m_hWnd);
    if (ObnovitPolohu(m_trida.c_str()) != 0) {
        RECT okno;
        Overit(::GetWindowRect(m_hWnd, &okno) != 0);
        const RECT prace = knihovna::PracovniOblastProObdelnik(okno);  // the window's monitor, less a taskbar
        ::SetWindowPos(m_hWnd, nullptr, prace.right - (okno.right - okno.left), prace.bottom - (okno.bottom - okno.top),
                       0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    Overit(::SetTimer(m_hWnd, CASOVAC_INFO, 2000, nullptr) != 0);
    Odeslat(WM_TIMER, CASOVAC_INFO, 0);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void DlgPametInfo::Zobrazit(const MEMORYSTATUS& s) {
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_CELKEM, TextKB(s.dwTotalPhys).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_VOLNA, TextKB(s.dwAvailPhys).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_VYUZITA, TextKB(s.dwTotalPhys - s.dwAvailPhys).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_VIRT_DOSTUPNA, TextKB(s.dwTotalVirtual).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_VIRT_VOLNA, TextKB(s.dwAvailVirtual).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_PAMET_VYUZITI,
                      (Formatovat(L"%d", static_cast<int>(s.dwMemoryLoad)) + L" %").c_str());
}

LRESULT DlgPametInfo::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == CASOVAC_INFO) {
        MEMORYSTATUS stav{};
        stav.dwLength = sizeof(stav);
        ziskatStavPameti(&stav);
        Zobrazit(stav);
    }
    return 0;
}

LRESULT DlgPametInfo::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&) {
    if (Ctrl()) Poslat(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    return 0;
}

LRESULT DlgPametInfo::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&) {
    Odeslat(WM_COMMAND, IDOK, 0);
    return 0;
}

LRESULT DlgPametInfo::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetCursor(::LoadCursorW(nullptr, Ctrl() ? IDC_SIZEALL : IDC_HAND));
    return TRUE;
}

LRESULT DlgPametInfo::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    ::KillTimer(m_hWnd, CASOVAC_INFO);
    UlozitPolohu(m_trida.c_str());
    Ukoncit(id);
    return 0;
}

// ---------------------------------------------------------------------------------------------

DlgPametHardware::DlgPametHardware() : m_trida(knihovna::Retezec(IDS_TRIDA_PAMET_HARDWARE)) {
    NastavitKlic(aplikace.klicAplikace);
}

DlgPametHardware::~DlgPametHardware() { Uvolnit(); }

void DlgPametHardware::Uvolnit() {
    m_moduly.clear();
    m_vycet.Uvolnit();
    m_sluzby.Uvolnit();
    m_lokator.Uvolnit();
}

void DlgPametHardware::Dotazat() {
    if (!aplikace.bezpecnostComInicializovana) {
        HRESULT hr = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                            RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
        // RPC_E_TOO_LATE: the process's security is set already (by COM's first use elsewhere)
        if (hr != RPC_E_TOO_LATE) OveritHr(hr);
        aplikace.bezpecnostComInicializovana = true;
    }
    OveritHr(::CoCreateInstance(CLSID_LokatorWbem, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWbemLocator),
                                reinterpret_cast<void**>(m_lokator.Adresa())));
    Bstr jmenny(L"ROOT\\CIMV2");
    OveritHr(m_lokator->ConnectServer(jmenny, nullptr, nullptr, nullptr, 0, nullptr, nullptr, m_sluzby.Adresa()));
    Bstr jazyk(L"WQL"), dotaz(L"SELECT * FROM Win32_PhysicalMemory");
    OveritHr(m_sluzby->ExecQuery(jazyk, dotaz, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                 m_vycet.Adresa()));
    HWND seznam = Polozka(IDC_PAMET_MODULY);
    for (;;) {
        knihovna::ComUkazatel<IWbemClassObject> objekt;
        ULONG vraceno = 0;
        HRESULT hr = m_vycet->Next(WBEM_INFINITE, 1, objekt.Adresa(), &vraceno);
        OveritHr(hr);
        if (vraceno == 0 || !objekt) break;
        std::wstring text = TextPolozkyModulu(objekt.Get(), CistVlastnostWmi);
        LRESULT index = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (index < 0) knihovna::VyhoditChybu(E_FAIL);
        ::SendMessageW(seznam, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(objekt.Get()));
        m_moduly.push_back(std::move(objekt));
    }
    if (!m_moduly.empty()) {
        ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
        ZobrazitVlastnosti();
    }
}

void DlgPametHardware::ZobrazitVlastnosti() {
    HWND edit = Polozka(IDC_PAMET_VLASTNOSTI);
    HWND seznam = Polozka(IDC_PAMET_MODULY);
    ::SetWindowTextW(edit, L"");
    LRESULT vybrana = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (vybrana < 0) return;
    auto* objekt = reinterpret_cast<IWbemClassObject*>(::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(vybrana), 0));
    if (!objekt || objekt == reinterpret_cast<IWbemClassObject*>(LB_ERR)) return;
    ::SetWindowTextW(edit, TextVlastnostiModulu(objekt, CistVlastnostWmi).c_str());
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

LRESULT DlgPametHardware::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetWindowTextW(m_hWnd, Formatovat(L"Informace o paměti (%s)", aplikace.titulek.c_str()).c_str());
    NastavitIkony(m_hWnd);
    try {
        Dotazat();
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitZpravu(knihovna::TextHresult(chyba.Hresult()), MB_ICONERROR);
        Uvolnit();
        Ukoncit(IDCANCEL);
        return TRUE;
    }
    if (ObnovitPolohu(m_trida.c_str()) != 0) UmistitNaPlochu(m_hWnd, 6);
    ::SetForegroundWindow(m_hWnd);
    return FALSE;  // the focus is on the edit
}

LRESULT DlgPametHardware::OnCtlColorStatic(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
    if (reinterpret_cast<HWND>(l) != Polozka(IDC_PAMET_VLASTNOSTI)) {
        zpracovano = FALSE;
        return 0;
    }
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
}

LRESULT DlgPametHardware::OnVyber(WORD, WORD, HWND, BOOL&) {
    ZobrazitVlastnosti();
    return 0;
}

LRESULT DlgPametHardware::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    UlozitPolohu(m_trida.c_str());
    Uvolnit();
    ::SendDlgItemMessageW(m_hWnd, IDC_PAMET_MODULY, LB_RESETCONTENT, 0, 0);
    Ukoncit(id);
    return 0;
}
