#include "windows/skrytaokna.h"

#include <algorithm>
#include <cwchar>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

namespace {

constexpr int OBRAZEK_SKRYTYCH_OKEN = 13;
constexpr int DELKA_TEXTU = 255;
constexpr DWORD LIMIT_MINIMALIZACE = 2000;  // a hung program does not stop the extension

std::wstring TitulekOkna(HWND okno) {
    wchar_t text[DELKA_TEXTU + 1] = L"";
    ::GetWindowTextW(okno, text, DELKA_TEXTU + 1);
    return text;
}

std::wstring TridaOkna(HWND okno) {
    wchar_t text[DELKA_TEXTU + 1] = L"";
    ::GetClassNameW(okno, text, DELKA_TEXTU + 1);
    return text;
}

// Posted to the other program: one that hangs shows its window when it wakes and never keeps
// the next window in the list hidden.
void ZobrazitOkno(HWND okno) {
    knihovna::ZobrazitOknoBezCekani(okno, SW_RESTORE);
    knihovna::ZobrazitOknoBezCekani(okno, SW_SHOW);
    ::SetForegroundWindow(okno);
}

// The program file of the window's process, empty when it cannot be read.
std::wstring ProgramOkna(HWND okno) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    HANDLE proces = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!proces) return {};
    wchar_t cesta[MAX_PATH] = L"";
    DWORD delka = MAX_PATH;
    const BOOL precteno = ::QueryFullProcessImageNameW(proces, 0, cesta, &delka);
    ::CloseHandle(proces);
    if (!precteno) return {};
    const wchar_t* jmeno = std::wcsrchr(cesta, L'\\');
    return jmeno ? jmeno + 1 : cesta;
}

}  // namespace

std::wstring PopisSkrytehoOkna(const std::wstring& titulek, const std::wstring& program, const std::wstring& trida) {
    if (!titulek.empty()) return titulek;
    if (program.empty()) return trida;
    return program + L" (" + trida + L")";
}

std::wstring TextOznameniSkryti(const std::wstring& trida, const std::wstring& titulek) {
    return knihovna::Oriznout(L"Třída: " + trida + L"\nText: " + titulek, DELKA_TEXTU);
}

SeznamSkrytychOken::SeznamSkrytychOken(HWND vlastnik) : m_vlastnik(vlastnik) {
    if (HIMAGELIST seznam = aplikace.seznamMenu.Get()) {
        m_ikona = ::ImageList_GetIcon(seznam, OBRAZEK_SKRYTYCH_OKEN, ILD_NORMAL);
    } else {
        HICON sdilena = aplikace.malaIkona.Get() ? aplikace.malaIkona.Get() : ::LoadIconW(nullptr, IDI_APPLICATION);
        m_ikona = sdilena ? ::CopyIcon(sdilena) : nullptr;
    }
    Overit(m_ikona != nullptr);
}

SeznamSkrytychOken::~SeznamSkrytychOken() {
    try {
        if (m_nabidka) ::DestroyMenu(m_nabidka);
        m_nabidka = nullptr;
        ObnovitVse();
    } catch (...) {
        // the windows are foreign and the shell may be gone: the icon goes with the process
    }
    if (m_ikona) ::DestroyIcon(m_ikona);
}

void SeznamSkrytychOken::ObnovitTip() {
    m_tip = knihovna::Oriznout(knihovna::Formatovat(L"Skrytých oken: %d", static_cast<int>(m_okna.size())), 63);
    m_tray.NastavitPopis(m_tip.c_str());
}

void SeznamSkrytychOken::OdebratIkonu() {
    if (m_tray.id == 0) return;
    m_tray.Odebrat();
    m_tip.clear();
}

bool SeznamSkrytychOken::Pridat(HWND okno) {
    if (!::IsWindow(okno)) VyhoditChybu(E_INVALIDARG);
    if (m_okna.size() >= MAX_SKRYTYCH_OKEN) return false;
    if (std::find(m_okna.begin(), m_okna.end(), okno) != m_okna.end()) return false;
    if (m_tray.id == 0) {
        m_tray.Pridat(m_vlastnik, ID_IKONY_SKRYTYCH_OKEN, m_ikona, L"Skrytá okna");
        m_tip = L"Skrytá okna";
    }
    m_okna.push_back(okno);
    ObnovitTip();
    return true;
}

void SeznamSkrytychOken::OznamitSkryti(HWND okno) {
    ZobrazitBublinu(m_tray, L"Okno bylo skryto", BUBLINA_INFORMACE, aplikace.nastaveni.zvuk,
                    TextOznameniSkryti(TridaOkna(okno), TitulekOkna(okno)));
}

void SeznamSkrytychOken::ZobrazitNabidku() {
    if (m_okna.empty() || m_nabidka) return;
    POINT bod{};
    Overit(::GetCursorPos(&bod) != 0);
    m_nabidka = ::CreatePopupMenu();
    Overit(m_nabidka != nullptr);
    struct Zrusit {
        HMENU& nabidka;
        ~Zrusit() {
            ::DestroyMenu(nabidka);
            nabidka = nullptr;
        }
    } zrusit{m_nabidka};
    for (size_t i = 0; i < m_okna.size(); ++i) {
        // a window closed meanwhile is not offered; one without a title is, by its program and class
        if (!::IsWindow(m_okna[i])) continue;
        const UINT_PTR id = PRVNI_PRIKAZ_SKRYTEHO_OKNA + i;
        Overit(::InsertMenuW(m_nabidka, 0, MF_BYPOSITION | MF_OWNERDRAW, id,
                             reinterpret_cast<const wchar_t*>(m_okna[i])) != 0);
    }
    ::SetForegroundWindow(m_vlastnik);
    const BOOL vysledek = ::TrackPopupMenu(m_nabidka, TPM_RIGHTBUTTON, bod.x, bod.y, 0, m_vlastnik, nullptr);
    const DWORD kod = ::GetLastError();
    ::PostMessageW(m_vlastnik, WM_NULL, 0, 0);
    if (!vysledek && kod != ERROR_SUCCESS) {
        ::SetLastError(kod);
        VyhoditPosledniChybu();
    }
}

bool SeznamSkrytychOken::Obnovit(size_t index) {
    if (index >= m_okna.size()) return false;
    const HWND okno = m_okna[index];
    m_okna.erase(m_okna.begin() + static_cast<std::ptrdiff_t>(index));
    if (m_okna.empty()) {
        m_okna.shrink_to_fit();
        OdebratIkonu();
    }
    if (::IsWindow(okno)) ZobrazitOkno(okno);
    if (!m_okna.empty()) ObnovitTip();
    return true;
}

void SeznamSkrytychOken::ObnovitVse() {
    std::vector<HWND> okna;
    okna.swap(m_okna);
    for (HWND okno : okna) {
        try {
            if (::IsWindow(okno)) ZobrazitOkno(okno);
        } catch (...) {
            // the next window all the same
        }
    }
    OdebratIkonu();
}

void SeznamSkrytychOken::KreslitPolozku(const DRAWITEMSTRUCT& polozka) const {
    const size_t index = polozka.itemID - PRVNI_PRIKAZ_SKRYTEHO_OKNA;
    const HWND okno = Okno(index);
    std::wstring text = L"Neplatné okno !!!";
    HICON ikona = nullptr;
    if (okno && ::IsWindow(okno)) {
        text = PopisSkrytehoOkna(TitulekOkna(okno), ProgramOkna(okno), TridaOkna(okno));
        ikona = reinterpret_cast<HICON>(::GetClassLongPtrW(okno, GCLP_HICONSM));
        if (!ikona) ikona = reinterpret_cast<HICON>(::GetClassLongPtrW(okno, GCLP_HICON));
    }
    const bool vybrana = (polozka.itemState & ODS_SELECTED) && !(polozka.itemState & ODS_GRAYED);
    HDC dc = polozka.hDC;
    RECT r = polozka.rcItem;
    ::FillRect(dc, &r, ::GetSysColorBrush(vybrana ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int malaSirka = ::GetSystemMetrics(SM_CXSMICON), malaVyska = ::GetSystemMetrics(SM_CYSMICON);
    if (ikona) ::DrawIconEx(dc, r.left + 2, r.top + 2, ikona, malaSirka, malaVyska, 0, nullptr, DI_NORMAL);
    const COLORREF puvodniBarva = ::SetTextColor(dc, ::GetSysColor(vybrana ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    const int puvodniPozadi = ::SetBkMode(dc, TRANSPARENT);
    RECT textR = r;
    textR.left += malaSirka + 4;
    ::DrawTextW(dc, text.c_str(), -1, &textR, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SetBkMode(dc, puvodniPozadi);
    ::SetTextColor(dc, puvodniBarva);
}

bool SkrytOknoDoSeznamu(SeznamSkrytychOken& seznam, HWND okno, bool oznamit) {
    if (!seznam.Pridat(okno)) return false;
    DWORD_PTR vysledek = 0;
    ::SendMessageTimeoutW(okno, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, LIMIT_MINIMALIZACE,
                          &vysledek);
    knihovna::ZobrazitOknoBezCekani(okno, SW_HIDE);  // after a bounded minimise: never waits
    if (oznamit) seznam.OznamitSkryti(okno);
    return true;
}
