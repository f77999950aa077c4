// The plug-in host: DLLs in the program's subfolders "Rozsireni" and "RozsireniPoSpusteni",
// each run on a thread of its own through its export "Spusteni" and stopped through the window
// its export "GetHlavniOkno" returns.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

constexpr UINT PRVNI_PRIKAZ_ROZSIRENI = 55000;
constexpr UINT POSLEDNI_PRIKAZ_ROZSIRENI = 55999;

class ZasuvnyModul {
public:
    ZasuvnyModul() = default;
    ~ZasuvnyModul();
    ZasuvnyModul(const ZasuvnyModul&) = delete;
    ZasuvnyModul& operator=(const ZasuvnyModul&) = delete;

    std::wstring souborDll;
    std::wstring cesta;
    std::wstring nazev;  // "ProductName": the menu text
    std::wstring popis;  // "FileDescription"
    HICON velkaIkona = nullptr;
    HICON malaIkona = nullptr;
    HWND hlavniOkno = nullptr;
    bool spustitPoStartu = false;

    // Whether the plug-in's thread runs (menu check mark, toggle).
    bool Bezi() const { return m_bezi; }

private:
    friend void SpustitRozsireni(ZasuvnyModul&);
    friend void ZastavitRozsireni(ZasuvnyModul&);
    friend bool PozadatOZastaveniRozsireni(ZasuvnyModul&);
    friend void DokoncitZastaveniRozsireni(ZasuvnyModul&, DWORD);
    friend unsigned __stdcall ProceduraVlaknaRozsireni(void*);
    friend void UvolnitRozsireni();

    // The thread handle belongs to the host: the plug-in thread only clears m_bezi at its end,
    // and the host closes the handle once no wait on it can be pending (next start, stop, release).
    HANDLE m_vlakno = nullptr;
    std::atomic<bool> m_bezi{false};
    std::atomic<HMODULE> m_modul{nullptr};
};

// The plug-in list in scan order; index i has command 55000 + i.
extern std::vector<std::unique_ptr<ZasuvnyModul>> seznamRozsireni;

// Start-up: scans both folders below the program folder (a DLL that does not fit is left out).
void NajitRozsireni();
// Adds one DLL; S_OK or the error that kept it out of the list.
HRESULT PridatRozsireni(const std::wstring& cesta, bool spustitPoStartu);
// The plug-in submenu (null without plug-ins): items in reverse list order, checked when running.
HMENU VytvoritMenuRozsireni();
// The small icon of a plug-in for its owner-drawn menu item; E_INVALIDARG out of range.
HICON IkonaRozsireni(size_t index);
void SpustitRozsireni(ZasuvnyModul& modul);
// Posts WM_CLOSE to the plug-in's window and waits for its thread (the plug-in stop time-out);
// a plug-in still running then raises an error.
void ZastavitRozsireni(ZasuvnyModul& modul);
// The two halves of ZastavitRozsireni: WM_CLOSE posted (false when there is nothing to wait for:
// the plug-in has ended or has no window), then the wait of up to ms for its thread.
bool PozadatOZastaveniRozsireni(ZasuvnyModul& modul);
void DokoncitZastaveniRozsireni(ZasuvnyModul& modul, DWORD ms);
// Shutdown: every plug-in is asked to end, then all are waited for side by side, within one
// plug-in stop time-out; each one still running then is reported, in list order.
void ZastavitVsechnaRozsireni();
// After start-up: every plug-in of "RozsireniPoSpusteni", in list order.
void SpustitRozsireniPoStartu();
// Command 55000 + index: stops a running plug-in, starts another one.
void PrepnoutRozsireni(UINT prikaz);
// Shutdown: frees the records and their icons.
void UvolnitRozsireni();

unsigned __stdcall ProceduraVlaknaRozsireni(void* parametr);
