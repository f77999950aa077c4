#include "knihovna.h"

#include <cstdarg>
#include <cwchar>

namespace Knihovna {

int VelikostMaleIkony() {
    const int strana = ::GetSystemMetrics(SM_CYSMICON);
    return strana > 0 ? strana : 16;
}

HBITMAP NacistPasObrazku(HINSTANCE instance, UINT bitmapa) {
    HBITMAP pruh = static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(bitmapa), IMAGE_BITMAP, 0, 0, 0));
    if (!pruh) VyhoditPosledniChybu();
    BITMAP info{};
    const int strana = VelikostMaleIkony();
    if (!::GetObjectW(pruh, sizeof(info), &info) || info.bmHeight <= 0 || info.bmHeight == strana) return pruh;
    const int pocet = info.bmWidth / info.bmHeight;
    HDC obrazovka = ::GetDC(nullptr);
    HBITMAP vetsi = obrazovka ? ::CreateCompatibleBitmap(obrazovka, pocet * strana, strana) : nullptr;
    HDC zdroj = obrazovka ? ::CreateCompatibleDC(obrazovka) : nullptr;
    HDC cil = obrazovka ? ::CreateCompatibleDC(obrazovka) : nullptr;
    bool hotovo = false;
    if (vetsi && zdroj && cil) {
        HGDIOBJ z = ::SelectObject(zdroj, pruh), c = ::SelectObject(cil, vetsi);
        ::SetStretchBltMode(cil, COLORONCOLOR);
        hotovo = ::StretchBlt(cil, 0, 0, pocet * strana, strana, zdroj, 0, 0, pocet * info.bmHeight, info.bmHeight,
                              SRCCOPY) != 0;
        ::SelectObject(zdroj, z);
        ::SelectObject(cil, c);
    }
    if (cil) ::DeleteDC(cil);
    if (zdroj) ::DeleteDC(zdroj);
    if (obrazovka) ::ReleaseDC(nullptr, obrazovka);
    if (!hotovo) {
        if (vetsi) ::DeleteObject(vetsi);
        return pruh;  // the pictures at their own size rather than none
    }
    ::DeleteObject(pruh);
    return vetsi;
}

Modul modul;
HRESULT chybaSmycky = S_OK;
FunkceNotifyIcon notifikacniIkona = ::Shell_NotifyIconW;

Chyba Chyba::ZPosledniChyby() {
    DWORD kod = ::GetLastError();
    return Chyba(kod ? HRESULT_FROM_WIN32(kod) : E_FAIL);
}

void Vyhodit(HRESULT hr) { throw Chyba(hr); }
void VyhoditPosledniChybu() { throw Chyba::ZPosledniChyby(); }

std::wstring Retezec(UINT id) {
    const wchar_t* text = nullptr;
    int delka = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (delka <= 0 || !text) {
        if (::GetLastError() == ERROR_SUCCESS) ::SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        VyhoditPosledniChybu();
    }
    return std::wstring(text, static_cast<size_t>(delka));
}

std::wstring Formatovat(const wchar_t* format, ...) {
    va_list argumenty;
    va_start(argumenty, format);
    va_list kopie;
    va_copy(kopie, argumenty);
    int delka = _vscwprintf(format, kopie);
    va_end(kopie);
    std::wstring text;
    if (delka > 0) {
        text.resize(static_cast<size_t>(delka) + 1);
        _vsnwprintf(&text[0], text.size(), format, argumenty);
        text.resize(static_cast<size_t>(delka));
    }
    va_end(argumenty);
    return text;
}

// ---------------------------------------------------------------------------------------------

Modul::Modul() : klic(L"Software\\Brenvald\\SonvidarKolvex\\1.0"), titulek(L"Sonvidar") {}

// ---------------------------------------------------------------------------------------------

KlicRegistru::KlicRegistru() : zaklad(modul.klic) {}

KlicRegistru::~KlicRegistru() {
    if (m_klic) ::RegCloseKey(m_klic);
}

void KlicRegistru::Otevrit(const wchar_t* podklic) {
    if (m_klic) Zavrit();
    if (zaklad.empty()) Vyhodit(E_INVALIDARG);
    std::wstring cesta = zaklad;
    if (podklic && *podklic) cesta += L"\\" + std::wstring(podklic);
    HKEY klic = nullptr;
    LONG vysledek = ::RegCreateKeyExW(koren, cesta.c_str(), 0, nullptr, 0, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
                                      nullptr, &klic, nullptr);
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
    m_klic = klic;
}

void KlicRegistru::Zavrit(bool vyprazdnit) {
    if (!m_klic) return;
    if (vyprazdnit) ::RegFlushKey(m_klic);
    LONG vysledek = ::RegCloseKey(m_klic);
    m_klic = nullptr;
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
}

void KlicRegistru::OveritOtevreni() const {
    if (!m_klic) Vyhodit(E_HANDLE);
}

bool KlicRegistru::Existuje(const wchar_t* nazev) const {
    OveritOtevreni();
    return ::RegQueryValueExW(m_klic, nazev, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool KlicRegistru::CistBool(const wchar_t* nazev, bool& hodnota) const {
    if (!Existuje(nazev)) return true;
    DWORD data = 0, velikost = sizeof(data), typ = 0;
    LONG vysledek = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&data), &velikost);
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
    hodnota = data != 0;
    return false;
}

bool KlicRegistru::CistText(const wchar_t* nazev, std::wstring& hodnota) const {
    if (!Existuje(nazev)) return true;
    DWORD typ = 0, velikost = 0;
    LONG vysledek = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, nullptr, &velikost);
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
    if (typ != REG_SZ) Vyhodit(HRESULT_FROM_WIN32(ERROR_INVALID_DATATYPE));
    std::wstring text(velikost / sizeof(wchar_t) + 1, L'\0');
    velikost = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    vysledek = ::RegQueryValueExW(m_klic, nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&text[0]), &velikost);
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
    text.resize(wcsnlen(text.c_str(), text.size()));
    hodnota = text;
    return false;
}

void KlicRegistru::ZapsatBool(const wchar_t* nazev, bool hodnota) {
    OveritOtevreni();
    DWORD data = hodnota ? 1 : 0;
    LONG vysledek = ::RegSetValueExW(m_klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
}

void KlicRegistru::ZapsatText(const wchar_t* nazev, const std::wstring& hodnota) {
    OveritOtevreni();
    LONG vysledek = ::RegSetValueExW(m_klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(hodnota.c_str()),
                                     static_cast<DWORD>((hodnota.size() + 1) * sizeof(wchar_t)));
    if (vysledek != ERROR_SUCCESS) Vyhodit(HRESULT_FROM_WIN32(vysledek));
}

// ---------------------------------------------------------------------------------------------

const std::wstring& SeznamTextu::Polozka(size_t index) const {
    if (index >= m_polozky.size()) Vyhodit(E_INVALIDARG);
    return m_polozky[index];
}

// ---------------------------------------------------------------------------------------------

Okno::Okno() : klicPoloh(modul.klic + L"\\Parametry oken\\") {}

Okno::~Okno() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
}

void Okno::ChybaObsluhy(HRESULT hr) {
    if (m_dialog) {
        // the dialog ends and its caller raises the error
        m_chyba = hr;
        if (m_hWnd) ::EndDialog(m_hWnd, IDCANCEL);
        return;
    }
    // The loop ends with the error as the program's exit code.
    chybaSmycky = hr;
    ::PostQuitMessage(0);
}

LRESULT Okno::Smerovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) {
    try {
        return Zpracovat(msg, w, l, zpracovano);
    } catch (const Chyba& chyba) {
        ChybaObsluhy(chyba.Hr());
    } catch (...) {
        ChybaObsluhy(static_cast<HRESULT>(-1));
    }
    zpracovano = true;
    return 0;
}

LRESULT CALLBACK Okno::ProceduraOkna(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_NCCREATE) {
        auto* objekt = static_cast<Okno*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(objekt));
        if (objekt) objekt->m_hWnd = h;
    }
    auto* objekt = reinterpret_cast<Okno*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!objekt) return ::DefWindowProcW(h, msg, w, l);
    bool zpracovano = true;
    LRESULT vysledek = objekt->Smerovat(msg, w, l, zpracovano);
    if (!zpracovano) vysledek = ::DefWindowProcW(h, msg, w, l);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        objekt->m_hWnd = nullptr;
    }
    return vysledek;
}

INT_PTR CALLBACK Okno::ProceduraDialogu(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_INITDIALOG) {
        auto* objekt = reinterpret_cast<Okno*>(l);
        ::SetWindowLongPtrW(h, DWLP_USER, l);
        if (objekt) objekt->m_hWnd = h;
    }
    auto* objekt = reinterpret_cast<Okno*>(::GetWindowLongPtrW(h, DWLP_USER));
    if (!objekt) return FALSE;
    bool zpracovano = true;
    LRESULT vysledek = objekt->Smerovat(msg, w, l, zpracovano);
    if (msg == WM_NCDESTROY) objekt->m_hWnd = nullptr;
    if (!zpracovano) return FALSE;
    if (msg == WM_INITDIALOG) return static_cast<INT_PTR>(vysledek);
    ::SetWindowLongPtrW(h, DWLP_MSGRESULT, vysledek);
    return TRUE;
}

void Okno::Vytvorit(const wchar_t* trida, UINT stylTridy, HWND rodic, const wchar_t* titulek, DWORD styl,
                    DWORD rozsirenyStyl) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    if (!::GetClassInfoExW(instance, trida, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.style = stylTridy;
        wc.lpfnWndProc = ProceduraOkna;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = trida;
        Overit(::RegisterClassExW(&wc) != 0);
    }
    HWND h = ::CreateWindowExW(rozsirenyStyl, trida, titulek, styl, 0, 0, 0, 0, rodic, nullptr, instance, this);
    Overit(h != nullptr);
    m_hWnd = h;
}

INT_PTR Okno::SpustitDialog(UINT idSablony, HWND vlastnik) {
    m_dialog = true;
    ::SetLastError(ERROR_SUCCESS);
    INT_PTR vysledek = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(idSablony), vlastnik,
                                         ProceduraDialogu, reinterpret_cast<LPARAM>(this));
    if (vysledek == -1) VyhoditPosledniChybu();
    if (FAILED(m_chyba)) {
        HRESULT hr = m_chyba;
        m_chyba = S_OK;
        Vyhodit(hr);
    }
    return vysledek;
}

void Okno::Vycentrovat() const {
    RECT okno, plocha;
    if (!::GetWindowRect(m_hWnd, &okno) || !::GetWindowRect(::GetDesktopWindow(), &plocha)) return;
    const int sirka = okno.right - okno.left, vyska = okno.bottom - okno.top;
    const int x = plocha.left + ((plocha.right - plocha.left) - sirka) / 2;
    const int y = plocha.top + ((plocha.bottom - plocha.top) - vyska) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------------

HRESULT ComboBox::VybratText(const std::wstring& text, bool presne) {
    if (!m_hWnd) return E_HANDLE;
    LRESULT index = ::SendMessageW(m_hWnd, presne ? CB_FINDSTRINGEXACT : CB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR) {
        ::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return E_INVALIDARG;
    }
    ::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return S_OK;
}

HRESULT ComboBox::NacistVybranyText(std::wstring& text) const {
    if (!m_hWnd) return E_HANDLE;
    LRESULT index = ::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return 1;
    LRESULT delka = ::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (delka == CB_ERR) return E_INVALIDARG;
    std::wstring vysledek(static_cast<size_t>(delka) + 1, L'\0');
    if (::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&vysledek[0])) ==
        CB_ERR)
        return E_INVALIDARG;
    vysledek.resize(static_cast<size_t>(delka));
    text = vysledek;
    return S_OK;
}

LRESULT ComboBox::PridatText(const std::wstring& text, LPARAM data) {
    if (!m_hWnd) Vyhodit(E_HANDLE);
    LRESULT index = ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) VyhoditPosledniChybu();
    if (::SendMessageW(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(index), data) == CB_ERR) VyhoditPosledniChybu();
    return index;
}

HRESULT ComboBox::NaplnitZeSeznamu(HWND h, const SeznamTextu& seznam, const std::wstring& vybrany) {
    if (h) m_hWnd = h;
    if (!m_hWnd) return E_HANDLE;
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
    LRESULT vyber = -1;
    for (size_t i = 0; i < seznam.Pocet(); ++i) {
        LRESULT index = PridatText(seznam.Polozka(i), static_cast<LPARAM>(i));
        if (vyber < 0 && seznam.Polozka(i) == vybrany) vyber = index;
    }
    if (vyber < 0 && seznam.Pocet() > 0) vyber = 0;  // a stored name no longer offered: the first
    if (vyber >= 0) ::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(vyber), 0);
    return S_OK;
}

// ---------------------------------------------------------------------------------------------

IkonaTray::~IkonaTray() {
    try {
        Odebrat();
    } catch (const Chyba&) {
    }
}

std::wstring IkonaTray::TitulekOkna(HWND okno) {
    wchar_t text[129] = L"";
    if (::GetWindowTextW(okno, text, 128) > 0) return text;
    wchar_t cesta[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    const wchar_t* jmeno = wcsrchr(cesta, L'\\');
    return jmeno ? jmeno + 1 : cesta;
}

void IkonaTray::Pridat(HWND vlastnik, UINT idIkony, UINT zprava, HICON obrazek) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = vlastnik;
    data.uID = idIkony;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = zprava;
    data.hIcon = obrazek;
    titulek = TitulekOkna(vlastnik);
    wcsncpy(data.szTip, titulek.c_str(), ARRAYSIZE(data.szTip) - 1);
    Overit(notifikacniIkona(NIM_ADD, &data) != 0);
    okno = vlastnik;
    id = idIkony;
    pridana = obrazek;
    zvukBubliny = true;
}

void IkonaTray::PridatStatickou(HWND vlastnik, UINT idIkony, UINT zprava) {
    HICON obrazek = reinterpret_cast<HICON>(::SendMessageW(vlastnik, WM_GETICON, ICON_SMALL, 0));
    if (!obrazek) obrazek = reinterpret_cast<HICON>(::GetClassLongPtrW(vlastnik, GCLP_HICONSM));
    if (!obrazek) obrazek = reinterpret_cast<HICON>(::SendMessageW(vlastnik, WM_GETICON, ICON_BIG, 0));
    if (!obrazek) obrazek = reinterpret_cast<HICON>(::GetClassLongPtrW(vlastnik, GCLP_HICON));
    if (!obrazek) Vyhodit(E_INVALIDARG);
    Pridat(vlastnik, idIkony, zprava, obrazek);
}

void IkonaTray::PridatAnimovanou(HWND vlastnik, UINT idIkony, UINT zprava, HINSTANCE instance, UINT idBitmapy) {
    HIMAGELIST snimky = ::ImageList_Create(VelikostMaleIkony(), VelikostMaleIkony(), ILC_COLOR32 | ILC_MASK, 2, 1);
    Overit(snimky != nullptr);
    HBITMAP pruh = nullptr;
    try {
        pruh = NacistPasObrazku(instance, idBitmapy);
    } catch (const Chyba&) {
        ::ImageList_Destroy(snimky);
        throw;
    }
    int pridano = ::ImageList_AddMasked(snimky, pruh, RGB(255, 0, 255));
    ::DeleteObject(pruh);
    HICON prvni = pridano >= 0 ? ::ImageList_GetIcon(snimky, 0, ILD_NORMAL) : nullptr;
    if (!prvni) {
        ::ImageList_Destroy(snimky);
        VyhoditPosledniChybu();
    }
    try {
        Pridat(vlastnik, idIkony, zprava, prvni);
    } catch (...) {
        ::DestroyIcon(prvni);
        ::ImageList_Destroy(snimky);
        throw;
    }
    seznam = snimky;
    ikona = prvni;
    snimek = 0;
}

void IkonaTray::Upravit(NOTIFYICONDATAW& data) {
    data.cbSize = sizeof(data);
    data.hWnd = okno;
    data.uID = id;
    Overit(notifikacniIkona(NIM_MODIFY, &data) != 0);
}

void IkonaTray::DalsiSnimek() {
    if (!seznam) Vyhodit(E_HANDLE);
    if (!okno || !id) Vyhodit(E_INVALIDARG);
    const int pocet = ::ImageList_GetImageCount(seznam);
    if (pocet <= 0) Vyhodit(E_INVALIDARG);
    if (ikona) {
        Overit(::DestroyIcon(ikona) != 0);
        ikona = nullptr;
    }
    snimek = (snimek + 1) >= pocet ? 0 : snimek + 1;
    ikona = ::ImageList_GetIcon(seznam, snimek, ILD_NORMAL);
    Overit(ikona != nullptr);
    NOTIFYICONDATAW data{};
    data.uFlags = NIF_ICON;
    data.hIcon = ikona;
    Upravit(data);
}

void IkonaTray::NastavitPopis(const std::wstring& text) {
    if (!id) Vyhodit(E_INVALIDARG);
    NOTIFYICONDATAW data{};
    data.uFlags = NIF_TIP;
    wcsncpy(data.szTip, text.c_str(), 127);
    Upravit(data);
}

void IkonaTray::ZobrazitBublinu(const std::wstring& text, DWORD priznaky) {
    if (!id) Vyhodit(E_INVALIDARG);
    SkrytBublinu();
    NOTIFYICONDATAW data{};
    data.uFlags = NIF_INFO;
    wcsncpy(data.szInfoTitle, titulek.c_str(), 63);
    wcsncpy(data.szInfo, text.c_str(), 255);
    data.uTimeout = 11000;
    data.dwInfoFlags = priznaky | (zvukBubliny ? 0 : NIIF_NOSOUND);
    Upravit(data);
}

void IkonaTray::ZobrazitBublinuId(UINT idTextu, DWORD priznaky) { ZobrazitBublinu(Retezec(idTextu), priznaky); }

void IkonaTray::SkrytBublinu() {
    if (!id) return;
    NOTIFYICONDATAW data{};
    data.uFlags = NIF_INFO;
    Upravit(data);
}

void IkonaTray::Odebrat() {
    if (!id) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = okno;
    data.uID = id;
    okno = nullptr;
    id = 0;
    pridana = nullptr;
    BOOL odebrano = notifikacniIkona(NIM_DELETE, &data);
    DWORD kod = ::GetLastError();
    if (ikona) ::DestroyIcon(ikona);
    ikona = nullptr;
    if (seznam) ::ImageList_Destroy(seznam);
    seznam = nullptr;
    snimek = -1;
    if (!odebrano) {
        ::SetLastError(kod);
        VyhoditPosledniChybu();
    }
}

}  // namespace Knihovna
