// Sonvidar's own small class library: the error object, the program record, the registry key,
// the window and dialog bases, the combo-box object, the string list and the tray icon.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace Knihovna {

// The one error object: an HRESULT, thrown and caught by reference.
class Chyba {
public:
    explicit Chyba(HRESULT hr) : m_hr(hr) {}
    HRESULT Hr() const { return m_hr; }
    // From the last system error (0x80070000 + code; E_FAIL when the system set no code).
    static Chyba ZPosledniChyby();

private:
    HRESULT m_hr;
};

[[noreturn]] void Vyhodit(HRESULT hr);
[[noreturn]] void VyhoditPosledniChybu();
// Raises the last system error when the condition does not hold.
inline void Overit(bool podminka) {
    if (!podminka) VyhoditPosledniChybu();
}
// Raises hr when it is a failure.
inline void OveritHr(HRESULT hr) {
    if (FAILED(hr)) Vyhodit(hr);
}

// An image strip of square pictures (the height is one picture's side) loaded at the small-icon
// size (SM_CYSMICON): drawn at 16 pixels, stretched pixel for pixel where the system's small icons
// are larger, so the magenta of the mask stays exact. The caller owns the bitmap.
HBITMAP NacistPasObrazku(HINSTANCE instance, UINT bitmapa);
// The side of the small icons (tray icons and the pictures of the image lists).
int VelikostMaleIkony();

// The program record: registry base path, icons and the program title.
class Modul {
public:
    Modul();
    std::wstring klic;  // "Software\Brenvald\SonvidarKolvex\1.0" under HKEY_CURRENT_USER
    HICON velkaIkona = nullptr;
    HICON malaIkona = nullptr;
    std::wstring titulek;  // "Sonvidar"
};
extern Modul modul;

// One key below the program's registry base.
class KlicRegistru {
public:
    KlicRegistru();
    ~KlicRegistru();
    KlicRegistru(const KlicRegistru&) = delete;
    KlicRegistru& operator=(const KlicRegistru&) = delete;

    std::wstring zaklad;
    HKEY koren = HKEY_CURRENT_USER;

    // Opens (creates when missing) base + "\" + subkey; no subkey: the base itself.
    void Otevrit(const wchar_t* podklic = nullptr);
    void Zavrit(bool vyprazdnit = false);
    bool JeOtevren() const { return m_klic != nullptr; }
    bool Existuje(const wchar_t* nazev) const;
    // false = read; true = the value does not exist (out unchanged).
    bool CistBool(const wchar_t* nazev, bool& hodnota) const;
    bool CistText(const wchar_t* nazev, std::wstring& hodnota) const;
    void ZapsatBool(const wchar_t* nazev, bool hodnota);
    void ZapsatText(const wchar_t* nazev, const std::wstring& hodnota);

private:
    HKEY m_klic = nullptr;
    void OveritOtevreni() const;
};

// Growable list of texts; an index outside it is E_INVALIDARG.
class SeznamTextu {
public:
    size_t Pocet() const { return m_polozky.size(); }
    const std::wstring& Polozka(size_t index) const;
    void Pridat(const std::wstring& text) { m_polozky.push_back(text); }
    void Vyprazdnit() { m_polozky.clear(); }

private:
    std::vector<std::wstring> m_polozky;
};

// A window object: the procedure routes every message to Zpracovat; errors never leave it.
class Okno {
public:
    Okno();
    virtual ~Okno();
    Okno(const Okno&) = delete;
    Okno& operator=(const Okno&) = delete;

    HWND m_hWnd = nullptr;
    std::wstring klicPoloh;  // "<base>\Parametry oken\" (Sonvidar keeps no placements)

    virtual int UlozitPolohu() { return 1; }
    virtual int ObnovitPolohu() { return 1; }

    // Registers the class (once) and creates the window; raises on failure.
    void Vytvorit(const wchar_t* trida, UINT stylTridy, HWND rodic, const wchar_t* titulek, DWORD styl, DWORD rozsirenyStyl);
    // Runs a modal dialog on template id; returns its end code; raises when it cannot be made.
    INT_PTR SpustitDialog(UINT idSablony, HWND vlastnik);
    void Vycentrovat() const;

protected:
    // The message handler; zpracovano = false gives default processing.
    virtual LRESULT Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) = 0;
    // An error object caught at the edge of a handler.
    virtual void ChybaObsluhy(HRESULT hr);
    bool m_dialog = false;
    HRESULT m_chyba = S_OK;  // an error that ended the dialog

private:
    static LRESULT CALLBACK ProceduraOkna(HWND h, UINT msg, WPARAM w, LPARAM l);
    static INT_PTR CALLBACK ProceduraDialogu(HWND h, UINT msg, WPARAM w, LPARAM l);
    LRESULT Smerovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano);
};

// The exit code that an error caught at a window's edge leaves for the message loop (0 = none).
extern HRESULT chybaSmycky;

// One combo box of a dialog.
class ComboBox {
public:
    HWND m_hWnd = nullptr;
    void Pripojit(HWND h) { m_hWnd = h; }
    // CB_FINDSTRINGEXACT (presne) or CB_FINDSTRING; not found: no selection and E_INVALIDARG.
    HRESULT VybratText(const std::wstring& text, bool presne);
    // 0 = read, 1 = no selection (out unchanged); E_HANDLE without window.
    HRESULT NacistVybranyText(std::wstring& text) const;
    LRESULT PridatText(const std::wstring& text, LPARAM data);
    // Empties and fills the combo; the entry equal to vybrany is selected, else the first.
    HRESULT NaplnitZeSeznamu(HWND h, const SeznamTextu& seznam, const std::wstring& vybrany);
};

// Shell_NotifyIconW; tests put their own in its place.
using FunkceNotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
extern FunkceNotifyIcon notifikacniIkona;

// One notification-area icon (static or animated).
class IkonaTray {
public:
    IkonaTray() = default;
    ~IkonaTray();
    IkonaTray(const IkonaTray&) = delete;
    IkonaTray& operator=(const IkonaTray&) = delete;

    int snimek = -1;
    HICON ikona = nullptr;       // shown, owned for animated icons
    HICON pridana = nullptr;
    HWND okno = nullptr;
    UINT id = 0;                 // 0 = not added
    std::wstring titulek;
    HIMAGELIST seznam = nullptr;  // frames, owned
    bool zvukBubliny = true;

    // Static icon: the window's small icon (then its other icons).
    void PridatStatickou(HWND okno, UINT id, UINT zprava);
    // Animated icon: frames from the bitmap strip (16 x 16, magenta transparent).
    void PridatAnimovanou(HWND okno, UINT id, UINT zprava, HINSTANCE instance, UINT idBitmapy);
    void DalsiSnimek();
    void NastavitPopis(const std::wstring& text);
    void ZobrazitBublinu(const std::wstring& text, DWORD priznaky);
    void ZobrazitBublinuId(UINT idTextu, DWORD priznaky);
    void SkrytBublinu();
    void Odebrat();

private:
    void Pridat(HWND okno, UINT id, UINT zprava, HICON ikona);
    void Upravit(NOTIFYICONDATAW& data);
    static std::wstring TitulekOkna(HWND okno);
};

// Text of the string table; a missing one raises the last error.
std::wstring Retezec(UINT id);
std::wstring Formatovat(const wchar_t* format, ...);

}  // namespace Knihovna
