#include "lumeda/dlgnastaveni.h"

#include <commdlg.h>

#include "lumeda/resource.h"

namespace {
COLORREF vlastniBarvy[16] = {};  // kept for the life of the process
}  // namespace

void ZobrazitChybuNastaveni(const std::wstring& titulek, const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), titulek.c_str(), MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
}

void DlgNastaveni::Inicializovat() {
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_velkaIkona));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_malaIkona));
    ::SetWindowTextW(m_hWnd, (m_titulek + L" - Nastavení").c_str());
    m_odkaz.Pripojit(::GetDlgItem(m_hWnd, IDC_O_PROGRAMU), L"www.brenvald.cz/software/lumeda");
    m_tip.Vytvorit(m_hWnd);
    m_tip.PridatNastroj(::GetDlgItem(m_hWnd, IDC_O_PROGRAMU), L"Otevře stránku programu na webu výrobce");
    m_interval.Pripojit(::GetDlgItem(m_hWnd, IDC_INTERVAL), 1, 1000, m_nastaveni.interval);
    ::CheckDlgButton(m_hWnd, IDC_CYKLICKY, m_nastaveni.cyklickyOpakovat ? BST_CHECKED : BST_UNCHECKED);
}

void DlgNastaveni::VybratBarvu() {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = m_hWnd;
    cc.rgbResult = m_nastaveni.barvaPozadi;
    cc.lpCustColors = vlastniBarvy;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (::ChooseColorW(&cc)) {
        m_nastaveni.barvaPozadi = cc.rgbResult;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void DlgNastaveni::Potvrdit() {
    m_nastaveni.cyklickyOpakovat = ::IsDlgButtonChecked(m_hWnd, IDC_CYKLICKY) == BST_CHECKED;
    UINT interval = 0;
    if (m_interval.Precist(interval)) m_nastaveni.interval = interval;
    try {
        m_nastaveni.Ulozit();
    } catch (const Brenvald::Vyjimka& v) {
        ZobrazitChybuNastaveni(m_titulek, v.Text());
    }
    ::EndDialog(m_hWnd, IDOK);
}

INT_PTR DlgNastaveni::ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l) {
    switch (zprava) {
        case WM_INITDIALOG:
            Inicializovat();
            return TRUE;
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
            if (w == IDC_BARVA) {
                HBRUSH stetec = ::CreateSolidBrush(m_nastaveni.barvaPozadi);
                if (!stetec) ::ExitProcess(static_cast<UINT>(-1));
                ::FillRect(di->hDC, &di->rcItem, stetec);
                if (!::DeleteObject(stetec)) ::ExitProcess(static_cast<UINT>(-1));
                return TRUE;
            }
            if (w == IDC_O_PROGRAMU) {
                m_odkaz.Kreslit(*di);
                return TRUE;
            }
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(w)) {
                case IDC_VYBRAT_BARVU:
                    VybratBarvu();
                    return TRUE;
                case IDOK:
                    Potvrdit();
                    return TRUE;
                case IDCANCEL:
                    ::EndDialog(m_hWnd, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}
