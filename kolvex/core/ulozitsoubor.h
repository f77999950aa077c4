// Saving a user file without ever losing it: the new content goes to a temporary file in the
// same folder, every write is checked, the file is flushed and only then moved over the old one
// (MoveFileExW, replace + write through). A failed or interrupted save leaves the old file as it was.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "knihovna/uchyt.h"

// A save in progress. Open, write, then Potvrdit; without Potvrdit (an error, an exception
// unwinding past it) the temporary file is removed and the target file is left untouched.
class BezpecnyZapisSouboru {
public:
    BezpecnyZapisSouboru() = default;
    ~BezpecnyZapisSouboru();
    BezpecnyZapisSouboru(const BezpecnyZapisSouboru&) = delete;
    BezpecnyZapisSouboru& operator=(const BezpecnyZapisSouboru&) = delete;

    // Creates the temporary file beside the target; a save already open is discarded first.
    // Raises the error object (folder missing, access denied ...).
    void Otevrit(const std::wstring& cesta);
    // Appends bytes; a failed or short write raises (and the save can only be discarded).
    void Zapsat(const void* data, size_t bajtu);
    // Flushes, compares the file's size with the bytes written, closes and replaces the target by
    // the temporary file; raises on failure, in which
    // case the temporary file is removed and the target keeps its previous content.
    void Potvrdit();
    // Discards the save: the temporary file is removed, the target untouched.
    void Zrusit();

    bool JeOtevreny() const { return static_cast<bool>(m_soubor); }
    const std::wstring& Cil() const { return m_cil; }
    const std::wstring& DocasnySoubor() const { return m_docasny; }

private:
    knihovna::UchytSouboru m_soubor;
    std::wstring m_cil;
    std::wstring m_docasny;
    unsigned long long m_zapsano = 0;
};

// Removes the temporary files ("~kv*.tmp") of saves that never finished from the folder: those
// not written for a minute and held open by no save. Every save calls it for its target's folder.
void OdstranitStareDocasneSoubory(const std::wstring& slozka);

// The whole content in one go: Otevrit, Zapsat, Potvrdit.
void UlozitSouborBezpecne(const std::wstring& cesta, const void* data, size_t bajtu);

// Seam for tests: the WriteFile the saves call (a test makes it fail or write short).
using FunkceZapisuSouboru = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
extern FunkceZapisuSouboru zapisSouboru;
