#include "core/externi.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/pomocne.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Retezec;

namespace {

bool JeZaregistrovanProgId(const wchar_t* progId) {
    CLSID clsid;
    return SUCCEEDED(::CLSIDFromProgID(progId, &clsid));
}

bool Existuje(const std::wstring& cesta) { return !cesta.empty() && ::PathFileExistsW(cesta.c_str()); }

std::wstring NazevRozsireni(UINT id) {
    std::wstring nazev;
    if (!knihovna::NacistRetezec(id, nazev)) knihovna::VyhoditChybu(E_INVALIDARG);
    return nazev;
}

HRESULT ShellOtevrit(const std::wstring& cesta) {
    HINSTANCE h = knihovna::spustitShell(nullptr, L"open", cesta.c_str(), nullptr, nullptr, SW_SHOW);
    return knihovna::HresultShellExecute(h);
}

bool BeziPodWow64Systemem() {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
}

// The balloon that reports a registration; the literal names "Obrázky" and "Schránka". A 32-bit
// build on 64-bit Windows registers for 32-bit programs only, which 64-bit Explorer never loads:
// that registration is not reported as a success.
void OznamitRegistraci(const wchar_t* nazev, bool registrovat, HRESULT hr) {
    UINT id = registrovat ? (SUCCEEDED(hr) ? IDS_SHELLEXT_REGISTRACE_OK : IDS_SHELLEXT_REGISTRACE_CHYBA)
                          : (SUCCEEDED(hr) ? IDS_SHELLEXT_ODREGISTRACE_OK : IDS_SHELLEXT_ODREGISTRACE_CHYBA);
    if (registrovat && SUCCEEDED(hr) && beziPodWow64()) {
        ZobrazitChybuVBubline(Formatovat(Retezec(IDS_SHELLEXT_REGISTRACE_WOW64).c_str(), nazev));
        return;
    }
    std::wstring text = Formatovat(Retezec(id).c_str(), nazev);
    if (SUCCEEDED(hr))
        ZobrazitBublinuHlavniIkony(aplikace.malaIkona.Get(), text);
    else
        ZobrazitChybuVBubline(text);
}

// Steps shared by the two dialogs: caption, icons, position.
void PripravitDialog(knihovna::Okno& dialog, const wchar_t* popis, const std::wstring& nazevPolohy) {
    ::SetWindowTextW(dialog.m_hWnd, Formatovat(L"%s - %s", aplikace.titulek.c_str(), popis).c_str());
    dialog.Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    dialog.Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    if (dialog.ObnovitPolohu(nazevPolohy.c_str(), true) != 0) dialog.Vycentrovat(nullptr);
}

}  // namespace

bool (*beziPodWow64)() = BeziPodWow64Systemem;

// ---------------------------------------------------------------------------------------------

ExterniAplikace::ExterniAplikace(const wchar_t* tridaOkna) {
    if (tridaOkna && *tridaOkna) m_tridaOkna = tridaOkna;
}

void ExterniAplikace::NastavitCestu(const std::wstring& cesta) {
    m_nalezena = Existuje(cesta);
    m_cesta = m_nalezena ? cesta : std::wstring();
}

bool ExterniAplikace::JeSpustena() const {
    return !m_tridaOkna.empty() && ::FindWindowW(m_tridaOkna.c_str(), nullptr) != nullptr;
}

HRESULT ExterniAplikace::Zavrit() const {
    if (m_tridaOkna.empty()) return E_INVALIDARG;
    HWND okno = ::FindWindowW(m_tridaOkna.c_str(), nullptr);
    if (!okno) return E_HANDLE;
    return ::PostMessageW(okno, WM_CLOSE, 0, 0) ? S_OK : S_FALSE;
}

HRESULT ExterniAplikace::Spustit() const {
    if (!m_nalezena) return E_INVALIDARG;
    return ShellOtevrit(m_cesta);
}

void ExtAplikaceVarnel::UrcitCestu(const wchar_t* cesta) {
    if (!cesta) knihovna::VyhoditChybu(E_INVALIDARG);
    size_t delka = wcslen(cesta);
    if (delka < 5 || delka >= MAX_PATH) knihovna::VyhoditChybu(E_INVALIDARG);
    NastavitCestu(cesta);
}

std::wstring ExtAplikaceVarnel::VychoziCesta() {
    std::wstring slozka = ZiskatSlozkuAutora();
    while (!slozka.empty() && (slozka.back() == L'\\' || slozka.back() == L'/')) slozka.pop_back();
    return slozka + L"\\Varnel 3\\Varnel.exe";
}

void ExtAplikaceMeltis::UrcitCestu(const std::wstring& slozkaProgramu) {
    NastavitCestu(Formatovat(L"%s\\%s", slozkaProgramu.c_str(), L"Meltis.exe"));
}

void PrepnoutExterniAplikaci(ExterniAplikace* program) {
    if (!program || !program->Nalezena()) return;
    if (program->JeSpustena())
        program->Zavrit();
    else
        program->Spustit();
}

// ---------------------------------------------------------------------------------------------

InfoShellExtObrazky::InfoShellExtObrazky(const std::wstring& slozkaProgramu)
    : cestaDll(slozkaProgramu + L"\\Zentrava.dll"),
      cestaLumeda(slozkaProgramu + L"\\Lumeda.exe"),
      nazev(NazevRozsireni(IDS_SHELLEXT_OBRAZKY)) {}

bool InfoShellExtObrazky::JeNainstalovano() const { return Existuje(cestaDll) && Existuje(cestaLumeda); }

bool InfoShellExtObrazky::JeZaregistrovano() const {
    return JeZaregistrovanProgId(L"Brenvald.ObrazekContextMenu") &&
           JeZaregistrovanProgId(L"Brenvald.SlozkaObrazkuContextMenu");
}

InfoShellExtSchranka::InfoShellExtSchranka(const std::wstring& slozkaProgramu)
    : cestaDll(slozkaProgramu + L"\\Tesmarin.dll"), nazev(NazevRozsireni(IDS_SHELLEXT_SCHRANKA)) {}

bool InfoShellExtSchranka::JeNainstalovano() const { return Existuje(cestaDll); }

bool InfoShellExtSchranka::JeZaregistrovano() const { return JeZaregistrovanProgId(L"Brenvald.SchrankaContextMenu"); }

// ---------------------------------------------------------------------------------------------

HRESULT SpustitLumeda(const std::wstring& cesta) {
    std::wstring program = aplikace.slozkaProgramu + L"\\Lumeda.exe";
    std::wstring radek = L" \"" + cesta + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(program.c_str(), &radek[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        knihovna::Chyba chyba(knihovna::HresultZPosledniChyby());
        aplikace.ZobrazitChybuComPopis(chyba);
        return chyba.Hresult();
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return S_OK;
}

HRESULT SpustitNastaveniLumeda() {
    std::wstring program = aplikace.slozkaProgramu + L"\\Lumeda.exe";
    if (!Existuje(program)) return E_INVALIDARG;
    return ShellOtevrit(program);
}

HRESULT VolatRegistraciDll(const std::wstring& cestaDll, bool registrovat) {
    HMODULE dll = ::LoadLibraryW(cestaDll.c_str());
    if (!dll) return E_HANDLE;
    using Funkce = HRESULT(WINAPI*)();
    auto funkce = reinterpret_cast<Funkce>(
        reinterpret_cast<void*>(::GetProcAddress(dll, registrovat ? "DllRegisterServer" : "DllUnregisterServer")));
    HRESULT hr = E_FAIL;
    if (funkce) hr = funkce() == S_OK ? S_OK : E_FAIL;
    knihovna::Overit(::FreeLibrary(dll) != 0);
    return hr;
}

HRESULT RegistrovatShellExtObrazky(bool registrovat) {
    InfoShellExtObrazky info(aplikace.slozkaProgramu);
    HRESULT hr = VolatRegistraciDll(info.cestaDll, registrovat);
    OznamitRegistraci(L"Obrázky", registrovat, hr);
    return hr;
}

HRESULT RegistrovatShellExtSchranka(bool registrovat) {
    InfoShellExtSchranka info(aplikace.slozkaProgramu);
    HRESULT hr = VolatRegistraciDll(info.cestaDll, registrovat);
    OznamitRegistraci(L"Schránka", registrovat, hr);
    return hr;
}

// ---------------------------------------------------------------------------------------------

namespace {

// The state lines and the button text that both registration dialogs show; true = registered.
template <class Info>
bool UkazatStavRozsireni(HWND dialog, const Info& info) {
    const bool zaregistrovano = info.JeZaregistrovano();
    const wchar_t* n = info.nazev.c_str();
    ::SetDlgItemTextW(dialog, IDC_SHELLEXT_ZAREGISTROVANO,
                      Formatovat(Retezec(zaregistrovano ? IDS_SHELLEXT_ZAREGISTROVANO : IDS_SHELLEXT_NEZAREGISTROVANO).c_str(), n).c_str());
    ::SetDlgItemTextW(dialog, IDC_SHELLEXT_NAINSTALOVANO,
                      Formatovat(Retezec(info.JeNainstalovano() ? IDS_SHELLEXT_NAINSTALOVANO : IDS_SHELLEXT_NENAINSTALOVANO).c_str(), n).c_str());
    ::SetDlgItemTextW(dialog, IDC_SHELLEXT_REGISTRACE, zaregistrovano ? L"Odregistrovat" : L"Zaregistrovat");
    return zaregistrovano;
}

// The register button: unregisters a registered extension, registers an installed one.
template <class Info>
void PrepnoutRegistraciRozsireni(HRESULT (*registrovat)(bool)) {
    Info info(aplikace.slozkaProgramu);
    if (info.JeZaregistrovano())
        registrovat(false);
    else if (info.JeNainstalovano())
        registrovat(true);
    else
        ZobrazitChybuVBubline(Formatovat(Retezec(IDS_SHELLEXT_NELZE_REGISTROVAT).c_str(), info.nazev.c_str()));
}

}  // namespace

DlgShellExtObrazky::DlgShellExtObrazky() : m_nazevPolohy(Retezec(IDS_POLOHA_SHELLEXT_OBRAZKY)) {
    NastavitKlic(aplikace.klicAplikace);
}

DlgShellExtObrazky::~DlgShellExtObrazky() = default;

void DlgShellExtObrazky::Obnovit() {
    InfoShellExtObrazky info(aplikace.slozkaProgramu);
    UkazatStavRozsireni(m_hWnd, info);
    ::SetDlgItemTextW(m_hWnd, IDC_SHELLEXT_LUMEDA,
                      Retezec(Existuje(info.cestaLumeda) ? IDS_LUMEDA_NAINSTALOVANA : IDS_LUMEDA_NENAINSTALOVANA).c_str());
}

LRESULT DlgShellExtObrazky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    PripravitDialog(*this, L"Rozšíření průzkumníka \"Obrázky\"", m_nazevPolohy);
    Obnovit();
    m_tip.Vytvorit(m_hWnd);
    m_tip.PridatNastrojId(Polozka(IDOK), IDS_ZAVRIT_TOTO_OKNO);
    return TRUE;
}

LRESULT DlgShellExtObrazky::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    UlozitPolohu(m_nazevPolohy.c_str());
    Ukoncit(id);
    return 0;
}

LRESULT DlgShellExtObrazky::OnRegistrace(WORD, WORD, HWND, BOOL&) {
    PrepnoutRegistraciRozsireni<InfoShellExtObrazky>(RegistrovatShellExtObrazky);
    Obnovit();
    return 0;
}

LRESULT DlgShellExtObrazky::OnKonfigurovat(WORD, WORD, HWND, BOOL&) {
    SpustitNastaveniLumeda();
    return 0;
}

DlgShellExtSchranka::DlgShellExtSchranka() : m_nazevPolohy(Retezec(IDS_POLOHA_SHELLEXT_SCHRANKA)) {
    NastavitKlic(aplikace.klicAplikace);
}

void DlgShellExtSchranka::Obnovit() { UkazatStavRozsireni(m_hWnd, InfoShellExtSchranka(aplikace.slozkaProgramu)); }

LRESULT DlgShellExtSchranka::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    PripravitDialog(*this, L"Rozšíření průzkumníka \"Schránka\"", m_nazevPolohy);
    Obnovit();
    return TRUE;
}

LRESULT DlgShellExtSchranka::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    UlozitPolohu(m_nazevPolohy.c_str());
    Ukoncit(id);
    return 0;
}

LRESULT DlgShellExtSchranka::OnRegistrace(WORD, WORD, HWND, BOOL&) {
    PrepnoutRegistraciRozsireni<InfoShellExtSchranka>(RegistrovatShellExtSchranka);
    Obnovit();
    return 0;
}
