// One notification-area icon of a window, with its tooltip and balloons.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

// Callback message of every tray icon: wParam the icon id, lParam the mouse message.
constexpr UINT ZPRAVA_IKONY_TRAY = WM_APP + 9;

// Seam for tests: Shell_NotifyIconW.
using FunkceNotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
extern FunkceNotifyIcon notifikacniIkona;

struct IkonaTray {
    int stav = 0;
    HWND okno = nullptr;
    UINT id = 0;                      // 0 = no icon added
    HICON ikona = nullptr;            // shown, not owned
    HICON vlastniIkona = nullptr;     // owned, destroyed by Odebrat
    HIMAGELIST vlastniSeznam = nullptr;  // owned, destroyed by Odebrat

    void Pridat(HWND okno, UINT id, HICON ikona, const wchar_t* tip);
    void ZmenitIkonu(HICON ikona);
    void NastavitPopis(const wchar_t* text);
    void Odebrat();
};

// Second base of every tool-module class (and of the CD/DVD drive list): the module's icon and
// display name, which its control tray icon shows. No virtual operations.
class ModulAplikace {
public:
    ModulAplikace() = default;
    ~ModulAplikace();  // destroys the module's icon
    ModulAplikace(const ModulAplikace&) = delete;
    ModulAplikace& operator=(const ModulAplikace&) = delete;

    HICON ikonaModulu = nullptr;  // from the application's image list; owned
    std::wstring nazevModulu;     // display name from the string table
};

// Balloon kinds.
constexpr DWORD BUBLINA_INFORMACE = NIIF_INFO;
constexpr DWORD BUBLINA_VAROVANI = NIIF_WARNING;
constexpr DWORD BUBLINA_CHYBA = NIIF_ERROR;

void ZobrazitBublinu(IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk, const std::wstring& text,
                     HICON vlastniIkona = nullptr);
void ZobrazitBublinuId(IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk, UINT idTextu,
                       HICON vlastniIkona = nullptr);
void SkrytBublinu(IkonaTray& ikona);

// Fills the NOTIFYICONDATAW of a balloon (the parts tests check without a shell).
void PripravitBublinu(NOTIFYICONDATAW& data, const IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk,
                      const std::wstring& text, HICON vlastniIkona);
