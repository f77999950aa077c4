#include "modul.h"

#include <shellapi.h>

#include <atomic>

#include "text.h"

namespace knihovna {

// Set on the main thread, read on every tool thread.
static std::atomic<bool> konecRelace{false};
bool KonciRelace() { return konecRelace.load(); }
void OznamitKonecRelace() { konecRelace.store(true); }

int VychoziOdpovedZpravy(UINT priznaky) {
    static const int tlacitka[][3] = {
        {IDOK, 0, 0},                       // MB_OK
        {IDOK, IDCANCEL, 0},                // MB_OKCANCEL
        {IDABORT, IDRETRY, IDIGNORE},       // MB_ABORTRETRYIGNORE
        {IDYES, IDNO, IDCANCEL},            // MB_YESNOCANCEL
        {IDYES, IDNO, 0},                   // MB_YESNO
        {IDRETRY, IDCANCEL, 0},             // MB_RETRYCANCEL
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE}  // MB_CANCELTRYCONTINUE
    };
    const UINT typ = priznaky & MB_TYPEMASK;
    if (typ >= sizeof(tlacitka) / sizeof(tlacitka[0])) return IDOK;
    const UINT vychozi = (priznaky & MB_DEFMASK) >> 8;
    const int odpoved = vychozi < 3 ? tlacitka[typ][vychozi] : 0;
    return odpoved != 0 ? odpoved : tlacitka[typ][0];
}

int WINAPI OknoZpravy(HWND vlastnik, LPCWSTR text, LPCWSTR titulek, UINT priznaky) {
    if (!KonciRelace()) return ::MessageBoxW(vlastnik, text, titulek, priznaky);
    // Windows is ending the session: no box; the text goes to the debug output instead.
    std::wstring zaznam = L"[";
    zaznam += titulek ? titulek : L"";
    zaznam += L"] ";
    zaznam += text ? text : L"";
    zaznam += L"\n";
    ::OutputDebugStringW(zaznam.c_str());
    return VychoziOdpovedZpravy(priznaky);
}

FunkceOknaZpravy oknoZpravy = OknoZpravy;
FunkceShellExecute spustitShell = ::ShellExecuteW;

std::wstring emailPodpory = L"podpora@brenvald.cz";
std::wstring webAutora = L"http://www.brenvald.cz";
std::wstring serverAktualizaci = L"www.brenvald.cz";

std::wstring ZiskatTextChyby(int kod) {
    if (kod == 0) return L"Nespecifikovaná chyba";
    HRESULT hr = kod > 0 ? HresultZKodu(static_cast<DWORD>(kod)) : static_cast<HRESULT>(kod);
    return Chyba(hr).Zprava();
}

std::wstring TextPosledniChyby() { return ZiskatTextChyby(static_cast<int>(::GetLastError())); }

HWND VlastnikZpravy() {
    HWND aktivni = ::GetActiveWindow();
    return aktivni && ::IsWindowVisible(aktivni) && ::IsWindowEnabled(aktivni) ? aktivni : nullptr;
}

HRESULT HresultShellExecute(HINSTANCE vysledek) {
    const INT_PTR kod = reinterpret_cast<INT_PTR>(vysledek);
    if (kod > 32) return S_OK;
    switch (kod) {
        case 0:
        case SE_ERR_OOM:
            return E_OUTOFMEMORY;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_FORMAT:
            return HresultZKodu(static_cast<DWORD>(kod));
        case SE_ERR_ACCESSDENIED:
            return E_ACCESSDENIED;
        case SE_ERR_SHARE:
            return HresultZKodu(ERROR_SHARING_VIOLATION);
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC:
            return HresultZKodu(ERROR_NO_ASSOCIATION);
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return HresultZKodu(ERROR_DDE_FAIL);
        case SE_ERR_DLLNOTFOUND:
            return HresultZKodu(ERROR_DLL_NOT_FOUND);
        default:
            return E_FAIL;
    }
}

void OveritShellExecute(HINSTANCE vysledek) {
    HRESULT hr = HresultShellExecute(vysledek);
    if (FAILED(hr)) VyhoditChybu(hr);
}

Modul::Modul(const wchar_t* klic) : klicAplikace(klic) {}

Modul::~Modul() = default;

void Modul::OtevritAdresu(const std::wstring& adresa) {
    OveritShellExecute(spustitShell(nullptr, L"open", adresa.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
}

void Modul::NapsatPodpore() {
    OtevritAdresu(L"mailto:" + emailPodpory + L"?subject=Žádost o technickou podporu");
}

void Modul::OtevritWebAutora() { OtevritAdresu(webAutora + L"/"); }

void Modul::ZobrazitZpravuId(UINT id, UINT priznaky) {
    std::wstring text;
    if (NacistRetezec(id, text))
        ZobrazitZpravu(text, priznaky);
    else
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
}

int Modul::ZobrazitZpravu(const std::wstring& text, UINT priznaky) {
    return oknoZpravy(VlastnikZpravy(), text.c_str(), titulek.c_str(), priznaky | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Modul::ZobrazitChybu(const std::wstring& text) { ZobrazitZpravu(text, MB_ICONERROR); }

void Modul::ZobrazitChybuComId(UINT id, const Chyba& chyba) {
    std::wstring nadpis;
    if (!NacistRetezec(id, nadpis)) nadpis = TextPosledniChyby();
    ZobrazitChybuCom(nadpis, chyba);
}

std::wstring Modul::TextChybyCom(const Chyba& chyba) {
    if (chyba.MaInformace()) return Formatovat(L"%s - %s", chyba.Zprava().c_str(), chyba.Popis().c_str());
    return chyba.Zprava();
}

void Modul::ZobrazitChybuCom(const std::wstring& text, const Chyba& chyba) {
    ZobrazitChybu(Formatovat(L"%s\nChyba: %s", text.c_str(), TextChybyCom(chyba).c_str()));
}

void Modul::ZobrazitChybuComPopis(const Chyba& chyba) {
    if (chyba.MaInformace())
        ZobrazitChybu(Formatovat(L"%s\n%s", chyba.Zprava().c_str(), chyba.Popis().c_str()));
    else
        ZobrazitChybu(chyba.Zprava());
}

void Modul::ZobrazitChybuId(UINT id) {
    if (id != 0)
        ZobrazitZpravuId(id, MB_ICONERROR);
    else
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
}

bool Modul::Otazka(const std::wstring& text, bool vychoziAno, bool varovani) {
    UINT priznaky = MB_YESNO | MB_TASKMODAL | MB_SETFOREGROUND | (varovani ? MB_ICONWARNING : MB_ICONQUESTION);
    if (!vychoziAno) priznaky |= MB_DEFBUTTON2;
    return oknoZpravy(VlastnikZpravy(), text.c_str(), titulek.c_str(), priznaky) == IDYES;
}

bool Modul::OtazkaId(UINT id, bool vychoziAno, bool varovani) {
    std::wstring text;
    if (!NacistRetezec(id, text)) {
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
        return false;
    }
    return Otazka(text, vychoziAno, varovani);
}

}  // namespace knihovna
