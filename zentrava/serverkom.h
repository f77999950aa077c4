// The small in-process COM server frame shared by the two Explorer extensions: module lock
// count, class factory, registry scripts with their own small registrar, type-library
// registration, and the IDispatch part of the context-menu objects.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <shlobj.h>

#include <string>
#include <utility>
#include <vector>

namespace ramec {

// The DLL's instance (set by DllMain) and its lock count (live objects plus LockServer).
extern HINSTANCE instance;
void Zamknout();
void Odemknout();
LONG PocetZamku();

// ---- registry scripts ------------------------------------------------------------------------
// The registrar syntax the scripts use: root keys (HKCR, HKCU, HKLM) holding blocks of keys;
// a key may be marked NoRemove, ForceRemove or Delete, may get a default value ("= s 'text'")
// and a block of subkeys and named values ("val Name = s 'text'" or "= d 123").
struct HodnotaSkriptu {
    std::wstring nazev;  // empty: the key's default value
    bool cislo = false;
    std::wstring text;
    DWORD dword = 0;
};
struct KlicSkriptu {
    enum Rezim { Bezny, NoRemove, ForceRemove, Delete };
    std::wstring nazev;
    Rezim rezim = Bezny;
    std::vector<HodnotaSkriptu> hodnoty;
    std::vector<KlicSkriptu> podklice;
};
struct KorenSkriptu {
    HKEY koren = nullptr;
    std::vector<KlicSkriptu> klice;
};
using Nahrady = std::vector<std::pair<std::wstring, std::wstring>>;

// Pure: replaces %NAME% markers and parses the script. False on any syntax error.
bool RozebratSkript(const std::wstring& text, const Nahrady& nahrady, std::vector<KorenSkriptu>& vysledek);
// Writes (registrovat) or removes the keys of a parsed script; the first failure is returned.
// vytvorene, when given, records the plain keys without values of their own (keys that only hold
// other keys) that writing made, as "HKCR\path"; removal then deletes such a key only when it is
// in the record, so a key that was there before stays. Without it every plain key left empty goes.
HRESULT ProvestSkript(const std::vector<KorenSkriptu>& skript, bool registrovat,
                      std::vector<std::wstring>* vytvorene = nullptr);
// A "REGISTRY" resource of this DLL (UTF-8 text) run with %MODULE% and the given replacements.
// The holding keys a registration made are recorded in the AppID key (%APPID%) for the removal.
HRESULT SpustitSkript(UINT id, bool registrovat, Nahrady nahrady);

// The type library embedded as resource TYPELIB 1 of this DLL.
HRESULT RegistrovatTypovouKnihovnu(bool registrovat);

// Full path of this DLL.
std::wstring CestaModulu();
// Path of a program beside this DLL; empty when it cannot be determined.
std::wstring ProgramVedleModulu(const wchar_t* jmenoProgramu);
// Starts the program with the command line without waiting; a failure is ignored.
bool SpustitBezCekani(const std::wstring& program, std::wstring radek);
// " \"a\"" for each path: with a leading blank the started program's own name field is empty.
// Paths that would make the line longer than the system allows are left out.
std::wstring RadekSCestami(const std::vector<std::wstring>& cesty, bool dvojitaMezera);

// The file names of a CF_HDROP request on a data object (each at most MAX_PATH - 1 characters).
HRESULT NacistSoubory(IDataObject* data, std::vector<std::wstring>& soubory);

// Puts text on the clipboard as CF_UNICODETEXT; false when any step fails (nothing changed
// unless the clipboard was already emptied).
bool UnicodeTextDoSchranky(const std::wstring& text);

// ---- server registration ---------------------------------------------------------------------
struct PopisServeru {
    const wchar_t* appId;
    const wchar_t* libId;
    UINT skriptAppId;
    std::vector<UINT> skriptyTrid;
};
HRESULT RegistrovatServer(const PopisServeru& popis, bool registrovat);

// ---- class factory ---------------------------------------------------------------------------
using VytvoritObjekt = HRESULT (*)(REFIID, void**);
struct TridaServeru {
    const CLSID* clsid;
    VytvoritObjekt vytvorit;
};
HRESULT ZiskatTovarnu(const TridaServeru* tridy, size_t pocet, REFCLSID clsid, REFIID iid, void** vysledek);

// ---- the shared base of the context-menu objects -------------------------------------------
// IShellExtInit, IContextMenu and a dual interface without methods of its own, which the type
// library describes.
class ContextMenuZaklad : public IShellExtInit, public IContextMenu, public IDispatch {
public:
    ContextMenuZaklad(const IID& iidVlastni, const GUID& libid);
    virtual ~ContextMenuZaklad();
    ContextMenuZaklad(const ContextMenuZaklad&) = delete;
    ContextMenuZaklad& operator=(const ContextMenuZaklad&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** vysledek) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pocet) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* jmena, UINT pocet, LCID, DISPID* id) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD priznaky, DISPPARAMS* parametry, VARIANT* vysledek,
                        EXCEPINFO* vyjimka, UINT* chybny) override;
    // IContextMenu: the item texts and help texts of the subclass, and its commands.
    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT prvniId, UINT posledniId, UINT priznaky) override;
    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    STDMETHODIMP GetCommandString(UINT_PTR id, UINT priznaky, UINT*, CHAR* buffer, UINT velikost) override;

protected:
    virtual UINT PocetPolozek() const = 0;
    virtual const wchar_t* TextPolozky(UINT i) const = 0;
    virtual const wchar_t* NapovedaPolozky(UINT i) const = 0;
    virtual void Provest(UINT i) = 0;

private:
    LONG m_pocetOdkazu = 1;
    IID m_iidVlastni;
    GUID m_libid;
    ITypeInfo* m_typeInfo = nullptr;
    HRESULT NacistTypeInfo();
};

// Creates T and asks it for the interface (the creation reference is released).
template <class T>
HRESULT Vytvorit(REFIID iid, void** vysledek) {
    if (!vysledek) return E_POINTER;
    *vysledek = nullptr;
    T* objekt = new (std::nothrow) T();
    if (!objekt) return E_OUTOFMEMORY;
    HRESULT hr = objekt->QueryInterface(iid, vysledek);
    objekt->Release();
    return hr;
}

}  // namespace ramec
