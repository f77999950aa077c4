#include "core/ulozitsoubor.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "knihovna/chyba.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;

FunkceZapisuSouboru zapisSouboru = ::WriteFile;

namespace {

// Folder of a path (without the trailing backslash); "." for a bare file name.
std::wstring SlozkaCesty(const std::wstring& cesta) {
    size_t konec = cesta.find_last_of(L"\\/");
    if (konec == std::wstring::npos) return L".";
    if (konec == 0 || (konec == 2 && cesta[1] == L':')) return cesta.substr(0, konec + 1);
    return cesta.substr(0, konec);
}

// Temporary files older than this are left over from a save that never finished (the program was
// killed, the machine went down): a save in progress holds its file open and writes to it.
constexpr ULONGLONG STARI_DOCASNEHO_SOUBORU = 60ull * 10000000ull;  // 100 ns units

// Replaces the target by the temporary file. A target another program has open for a moment (a
// virus scanner, an indexer, a backup, an editor reading it) refuses the replace: it is tried again
// for about a third of a second before the save fails. Returns 0 or the last error.
DWORD NahraditCil(const std::wstring& docasny, const std::wstring& cil) {
    DWORD cekani = 5;
    for (int pokus = 0;; ++pokus) {
        if (::MoveFileExW(docasny.c_str(), cil.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
        const DWORD kod = ::GetLastError();
        const bool drzeny = kod == ERROR_ACCESS_DENIED || kod == ERROR_SHARING_VIOLATION || kod == ERROR_LOCK_VIOLATION;
        if (!drzeny || pokus == 6) return kod;
        ::Sleep(cekani);
        cekani *= 2;  // 5 + 10 + ... + 160 ms: about a third of a second in all
    }
}

}  // namespace

void OdstranitStareDocasneSoubory(const std::wstring& slozka) {
    WIN32_FIND_DATAW nalezeny{};
    HANDLE hledani = ::FindFirstFileW((slozka + L"\\~kv*.tmp").c_str(), &nalezeny);
    if (hledani == INVALID_HANDLE_VALUE) return;
    FILETIME ted{};
    ::GetSystemTimeAsFileTime(&ted);
    const ULONGLONG tedNs = (static_cast<ULONGLONG>(ted.dwHighDateTime) << 32) | ted.dwLowDateTime;
    do {
        if (nalezeny.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const ULONGLONG zapsan = (static_cast<ULONGLONG>(nalezeny.ftLastWriteTime.dwHighDateTime) << 32) |
                                 nalezeny.ftLastWriteTime.dwLowDateTime;
        if (zapsan + STARI_DOCASNEHO_SOUBORU > tedNs) continue;
        // a file another save still holds open (no delete sharing) is not removed
        ::DeleteFileW((slozka + L"\\" + nalezeny.cFileName).c_str());
    } while (::FindNextFileW(hledani, &nalezeny));
    ::FindClose(hledani);
}

BezpecnyZapisSouboru::~BezpecnyZapisSouboru() { Zrusit(); }

void BezpecnyZapisSouboru::Otevrit(const std::wstring& cesta) {
    Zrusit();
    if (cesta.empty()) VyhoditChybu(E_INVALIDARG);
    const std::wstring slozka = SlozkaCesty(cesta);
    OdstranitStareDocasneSoubory(slozka);
    // A unique name in the target's folder, so that the final move is a rename on one volume.
    std::vector<wchar_t> docasny(MAX_PATH + cesta.size() + 16);
    Overit(::GetTempFileNameW(slozka.c_str(), L"~kv", 0, docasny.data()) != 0);
    m_docasny = docasny.data();
    m_soubor.Nastavit(::CreateFileW(m_docasny.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!m_soubor) {
        DWORD kod = ::GetLastError();
        ::DeleteFileW(m_docasny.c_str());
        m_docasny.clear();
        VyhoditChybu(knihovna::HresultZKodu(kod ? kod : ERROR_OPEN_FAILED));
    }
    m_cil = cesta;
    m_zapsano = 0;
}

void BezpecnyZapisSouboru::Zapsat(const void* data, size_t bajtu) {
    if (!m_soubor) VyhoditChybu(E_HANDLE);
    const BYTE* zbytek = static_cast<const BYTE*>(data);
    while (bajtu > 0) {
        DWORD kus = static_cast<DWORD>(std::min<size_t>(bajtu, 1u << 20));
        DWORD zapsano = 0;
        if (!zapisSouboru(m_soubor.Get(), zbytek, kus, &zapsano, nullptr)) {
            DWORD kod = ::GetLastError();
            Zrusit();
            VyhoditChybu(knihovna::HresultZKodu(kod ? kod : ERROR_WRITE_FAULT));
        }
        if (zapsano != kus) {  // a short write means the disk is full or the medium failed
            Zrusit();
            VyhoditChybu(knihovna::HresultZKodu(ERROR_HANDLE_DISK_FULL));
        }
        zbytek += kus;
        bajtu -= kus;
        m_zapsano += kus;
    }
}

void BezpecnyZapisSouboru::Potvrdit() {
    if (!m_soubor) VyhoditChybu(E_HANDLE);
    DWORD kod = 0;
    if (!::FlushFileBuffers(m_soubor.Get())) kod = ::GetLastError();
    // The file holds every byte written, or it is not put in place.
    LARGE_INTEGER velikost{};
    if (kod == 0 && !::GetFileSizeEx(m_soubor.Get(), &velikost)) kod = ::GetLastError();
    if (kod == 0 && static_cast<unsigned long long>(velikost.QuadPart) != m_zapsano) kod = ERROR_HANDLE_DISK_FULL;
    if (!m_soubor.Uvolnit() && kod == 0) kod = ::GetLastError();
    if (kod == 0) kod = NahraditCil(m_docasny, m_cil);
    if (kod != 0) {
        Zrusit();
        VyhoditChybu(knihovna::HresultZKodu(kod));
    }
    m_docasny.clear();
    m_cil.clear();
}

void BezpecnyZapisSouboru::Zrusit() {
    m_soubor.Uvolnit();
    if (!m_docasny.empty()) ::DeleteFileW(m_docasny.c_str());
    m_docasny.clear();
    m_cil.clear();
}

void UlozitSouborBezpecne(const std::wstring& cesta, const void* data, size_t bajtu) {
    BezpecnyZapisSouboru zapis;
    zapis.Otevrit(cesta);
    zapis.Zapsat(data, bajtu);
    zapis.Potvrdit();
}
