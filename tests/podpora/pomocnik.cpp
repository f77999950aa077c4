#include "podpora/pomocnik.h"

#include <algorithm>
#include <iterator>

#include <shellapi.h>
#include <shlwapi.h>

#include <cstdlib>
#include <cstring>

#include "knihovna/modul.h"
#include "knihovna/text.h"

namespace testy {

bool CekatNa(const std::function<bool()>& podminka, DWORD ms) {
    const ULONGLONG konec = ::GetTickCount64() + ms;
    for (;;) {
        if (podminka()) return true;
        if (::GetTickCount64() >= konec) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

namespace {
// Guards aktivni and the capturer's records: a message may come from any thread.
std::mutex zamekZachytavace;
ZachytavacZprav* aktivni = nullptr;
}

ZachytavacZprav::ZachytavacZprav(int odpoved) : m_vychozi(odpoved) {
    std::lock_guard<std::mutex> zamek(zamekZachytavace);
    aktivni = this;
    knihovna::oknoZpravy = Zobrazit;
}

ZachytavacZprav::~ZachytavacZprav() {
    std::lock_guard<std::mutex> zamek(zamekZachytavace);
    knihovna::oknoZpravy = knihovna::OknoZpravy;
    aktivni = nullptr;
}

int WINAPI ZachytavacZprav::Zobrazit(HWND vlastnik, LPCWSTR text, LPCWSTR titulek, UINT priznaky) {
    std::lock_guard<std::mutex> zamek(zamekZachytavace);
    ZachytavacZprav* z = aktivni;
    if (!z) return IDOK;  // a thread that outlived its test
    z->zpravy.push_back({vlastnik, text ? text : L"", titulek ? titulek : L"", priznaky});
    size_t i = z->zpravy.size() - 1;
    return i < z->odpovedi.size() ? z->odpovedi[i] : z->m_vychozi;
}

std::ostream& operator<<(std::ostream& vystup, const ZachytavacZprav& z) {
    std::lock_guard<std::mutex> zamek(zamekZachytavace);
    for (const ZaznamZpravy& zprava : z.zpravy) vystup << "\n  zpráva: " << knihovna::NaUzky(zprava.text, CP_UTF8);
    return vystup;
}

void SmazatKlic(const std::wstring& cesta) { ::RegDeleteTreeW(HKEY_CURRENT_USER, cesta.c_str()); }

bool PrecistDword(const std::wstring& klic, const std::wstring& hodnota, DWORD& data) {
    DWORD velikost = sizeof(data);
    return ::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), hodnota.c_str(), RRF_RT_REG_DWORD, nullptr, &data,
                          &velikost) == ERROR_SUCCESS;
}

bool ExistujeKlic(const std::wstring& klic) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, klic.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
}

DocasnaSlozka::DocasnaSlozka() {
    wchar_t docasna[MAX_PATH];
    ::GetTempPathW(MAX_PATH, docasna);
    static int poradi = 0;
    wchar_t jmeno[64];
    swprintf(jmeno, 64, L"kolvex-test-%lu-%d", ::GetCurrentProcessId(), ++poradi);
    m_cesta = std::wstring(docasna) + jmeno;
    SmazatStrom(m_cesta);
    ::CreateDirectoryW(m_cesta.c_str(), nullptr);
}

DocasnaSlozka::~DocasnaSlozka() { SmazatStrom(m_cesta); }

void SmazatStrom(const std::wstring& slozka) {
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\*").c_str(), &data);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring jmeno = data.cFileName;
            if (jmeno == L"." || jmeno == L"..") continue;
            std::wstring cesta = slozka + L"\\" + jmeno;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                SmazatStrom(cesta);
            else {
                ::SetFileAttributesW(cesta.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(cesta.c_str());
            }
        } while (::FindNextFileW(h, &data));
        ::FindClose(h);
    }
    ::RemoveDirectoryW(slozka.c_str());
}

std::vector<BYTE> PrecistBajty(const std::wstring& cesta) {
    std::vector<BYTE> data;
    // Shared for writing: a test polling a file must not make the program that appends to it fail.
    HANDLE h = ::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return data;
    DWORD velikost = ::GetFileSize(h, nullptr), precteno = 0;
    data.resize(velikost);
    if (velikost) ::ReadFile(h, data.data(), velikost, &precteno, nullptr);
    ::CloseHandle(h);
    data.resize(precteno);
    return data;
}

bool ExistujeSoubor(const std::wstring& cesta) { return ::GetFileAttributesW(cesta.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::wstring> SouboryVeSlozce(const std::wstring& slozka) {
    std::vector<std::wstring> jmena;
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return jmena;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) jmena.push_back(data.cFileName);
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    std::sort(jmena.begin(), jmena.end());
    return jmena;
}

std::wstring SlozkaTestu() {
    wchar_t cesta[MAX_PATH];
    ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    ::PathRemoveFileSpecW(cesta);
    return cesta;
}

int DilBehu() {
    const char* dil = std::getenv("KOLVEX_TESTY_DIL");
    const int n = dil ? std::atoi(dil) : 0;
    return n >= 0 && n < 20 ? n : 0;
}

std::string PriponaBehu() { return DilBehu() > 0 ? "-" + std::to_string(DilBehu()) : std::string(); }

bool CeskeProstredi() { return std::getenv("SUITE_NO_CZECH_LOCALE") == nullptr; }

bool NastavitCasZapisu(const std::wstring& cesta, int rok) {
    HANDLE h = ::CreateFileW(cesta.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(2020 + rok);
    st.wMonth = 6;
    st.wDay = 15;
    st.wHour = 12;
    FILETIME ft{};
    const bool ok = ::SystemTimeToFileTime(&st, &ft) && ::SetFileTime(h, nullptr, nullptr, &ft);
    ::CloseHandle(h);
    return ok;
}

bool DoSchranky(const std::wstring& text) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    const SIZE_T velikost = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL blok = ::GlobalAlloc(GMEM_MOVEABLE, velikost);
    void* cil = blok ? ::GlobalLock(blok) : nullptr;
    if (cil) {
        std::memcpy(cil, text.c_str(), velikost);
        ::GlobalUnlock(blok);
    }
    const bool ok = cil && ::SetClipboardData(CF_UNICODETEXT, blok) != nullptr;
    if (!ok && blok) ::GlobalFree(blok);
    ::CloseClipboard();
    return ok;
}

}  // namespace testy

#include <winioctl.h>

#include <cstring>
#include <cwctype>
#include <vector>

namespace testy {

namespace {

// Wine's own mount-manager request for a drive letter (the layout its mount manager reads).
struct UnixovaJednotka {
    ULONG velikost;
    ULONG typ;  // a DRIVE_* type; DRIVE_NO_ROOT_DIR with no mount point removes the letter
    ULONG typSystemu;
    DWORD serie;
    ULONGLONG zarizeniUnix;
    WCHAR pismeno;
    USHORT posunPripojeni;
    USHORT posunZarizeni;
    USHORT posunJmenovky;
};
constexpr DWORD IOCTL_DEFINOVAT_UNIX_JEDNOTKU = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefinovatJednotku(wchar_t pismeno, const std::string& cesta, ULONG typ) {
    std::vector<char> data(sizeof(UnixovaJednotka) + (cesta.empty() ? 0 : cesta.size() + 1), 0);
    auto* zadost = reinterpret_cast<UnixovaJednotka*>(data.data());
    zadost->velikost = static_cast<ULONG>(data.size());
    zadost->typ = typ;
    zadost->pismeno = static_cast<WCHAR>(::towlower(pismeno));
    if (!cesta.empty()) {
        zadost->posunPripojeni = static_cast<USHORT>(sizeof(UnixovaJednotka));
        std::memcpy(data.data() + sizeof(UnixovaJednotka), cesta.c_str(), cesta.size() + 1);
    }
    HANDLE spravce = ::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (spravce == INVALID_HANDLE_VALUE) return false;
    DWORD vraceno = 0;
    BOOL ok = ::DeviceIoControl(spravce, IOCTL_DEFINOVAT_UNIX_JEDNOTKU, data.data(), static_cast<DWORD>(data.size()),
                                nullptr, 0, &vraceno, nullptr);
    ::CloseHandle(spravce);
    return ok != FALSE;
}

std::string UnixovaCesta(const std::wstring& cesta) {
    using Funkce = char*(CDECL*)(LPCWSTR);
    auto prevod = reinterpret_cast<Funkce>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!prevod) return {};
    char* unixova = prevod(cesta.c_str());
    if (!unixova) return {};
    std::string vysledek = unixova;
    ::HeapFree(::GetProcessHeap(), 0, unixova);
    return vysledek;
}

}  // namespace

FiktivniJednotka::FiktivniJednotka(wchar_t pismeno, const std::wstring& slozka, UINT typ) : m_pismeno(pismeno) {
    const std::string cesta = UnixovaCesta(slozka);
    if (cesta.empty()) return;
    m_pripravena = DefinovatJednotku(pismeno, cesta, typ);
    const wchar_t koren[] = {pismeno, L':', L'\\', 0};
    if (m_pripravena) m_pripravena = ::GetDriveTypeW(koren) == typ;
}

FiktivniJednotka::~FiktivniJednotka() { DefinovatJednotku(m_pismeno, {}, DRIVE_NO_ROOT_DIR); }

namespace {
const wchar_t KLIC_KODERU[] = L"CLSID\\{632B606A-BBC6-11D2-A329-006097C4E476}";
}

std::wstring RegistraceKoderu::CestaKoderu() { return SlozkaTestu() + L"\\pomocne\\koder\\falesny_koder.dll"; }

RegistraceKoderu::RegistraceKoderu(bool registrovat) {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, KLIC_KODERU);
    if (!registrovat) return;
    HKEY klic = nullptr;
    const std::wstring cesta = std::wstring(KLIC_KODERU) + L"\\InprocServer32";
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, cesta.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr) !=
        ERROR_SUCCESS)
        return;
    const std::wstring dll = CestaKoderu();
    const wchar_t model[] = L"Apartment";
    m_registrovano =
        ::RegSetValueExW(klic, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                         static_cast<DWORD>((dll.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
        ::RegSetValueExW(klic, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof(model)) ==
            ERROR_SUCCESS;
    ::RegCloseKey(klic);
}

RegistraceKoderu::~RegistraceKoderu() { ::RegDeleteTreeW(HKEY_CLASSES_ROOT, KLIC_KODERU); }

std::wstring KontaktQxml(const std::wstring& nazev, const std::wstring& email) {
    std::wstring t = L"<kontakt>\r\n";
    for (const wchar_t* pole : {L"adresa", L"icq", L"info", L"jmeno", L"msn", L"prijmeni", L"skype", L"telefon", L"www"})
        t += std::wstring(L" <") + pole + L"></" + pole + L">\r\n";
    return t + L" <email>" + email + L"</email>\r\n <nazev>" + nazev + L"</nazev>\r\n</kontakt>\r\n";
}

std::wstring RegistraceQxml(const std::wstring& nazev, const std::wstring& jmeno) {
    return L"<registrace>\r\n <heslo>heslo-" + nazev + L"</heslo>\r\n <info></info>\r\n <nazev>" + nazev +
           L"</nazev>\r\n <prihlasovaciJmeno>" + jmeno + L"</prihlasovaciJmeno>\r\n <url></url>\r\n</registrace>\r\n";
}

}  // namespace testy

// ---------------------------------------------------------------------------------------------

namespace {
void ExportovatHkcr(HKEY h, const std::wstring& cesta, std::vector<std::wstring>& radky) {
    radky.push_back(cesta);
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[16384];
        DWORD delkaNazvu = 16384, typ = 0, bajtu = 0;
        if (::RegEnumValueW(h, i, nazev, &delkaNazvu, nullptr, &typ, nullptr, &bajtu) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(bajtu + 2);
        delkaNazvu = 16384;
        bajtu = static_cast<DWORD>(data.size());
        if (::RegEnumValueW(h, i, nazev, &delkaNazvu, nullptr, &typ, data.data(), &bajtu) != ERROR_SUCCESS) continue;
        std::wstring hex;
        for (DWORD b = 0; b < bajtu; ++b) {
            wchar_t dvojice[4];
            swprintf(dvojice, 4, L"%02x", data[b]);
            hex += dvojice;
        }
        radky.push_back(cesta + L"|" + nazev + L"|" + std::to_wstring(typ) + L"|" + hex);
    }
    std::vector<std::wstring> podklice;
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[256];
        DWORD delka = 256;
        if (::RegEnumKeyExW(h, i, nazev, &delka, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        podklice.emplace_back(nazev);
    }
    for (const std::wstring& p : podklice) {
        HKEY dite = nullptr;
        if (::RegOpenKeyExW(h, p.c_str(), 0, KEY_READ, &dite) != ERROR_SUCCESS) continue;
        ExportovatHkcr(dite, cesta + L"\\" + p, radky);
        ::RegCloseKey(dite);
    }
}
}  // namespace

std::vector<std::wstring> testy::CeleHkcr() {
    std::vector<std::wstring> radky;
    ExportovatHkcr(HKEY_CLASSES_ROOT, L"HKCR", radky);
    std::sort(radky.begin(), radky.end());
    return radky;
}

std::vector<std::wstring> testy::RadkyNavic(const std::vector<std::wstring>& v, const std::vector<std::wstring>& oproti) {
    std::vector<std::wstring> navic;
    std::set_difference(v.begin(), v.end(), oproti.begin(), oproti.end(), std::back_inserter(navic));
    return navic;
}
