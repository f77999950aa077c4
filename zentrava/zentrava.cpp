#include "zentrava/zentrava.h"

#include "zentrava/resource.h"

const CLSID CLSID_ObrazekContextMenu = {0xB0822B90, 0x3764, 0x4BFC, {0xA4, 0xF5, 0x41, 0xB5, 0xAB, 0xC4, 0x0E, 0x6D}};
const CLSID CLSID_SlozkaObrazkuContextMenu = {0x52925997, 0xEFA4, 0x4DDB, {0x96, 0x3F, 0x92, 0xD1, 0xEB, 0xB5, 0x2B, 0x01}};
// {9B79F6CF-3718-4EB9-B24E-A472F50AE691}
const IID IID_IObrazekContextMenu = {0x9B79F6CF, 0x3718, 0x4EB9, {0xB2, 0x4E, 0xA4, 0x72, 0xF5, 0x0A, 0xE6, 0x91}};
// {272FEFF4-DBB5-49AF-A80E-0D3E4D1116F5}
const IID IID_ISlozkaObrazkuContextMenu = {0x272FEFF4, 0xDBB5, 0x49AF, {0xA8, 0x0E, 0x0D, 0x3E, 0x4D, 0x11, 0x16, 0xF5}};
// {32DF6A62-2086-46B1-9155-3FE08BE50FBF}
const GUID LIBID_ZentravaLib = {0x32DF6A62, 0x2086, 0x46B1, {0x91, 0x55, 0x3F, 0xE0, 0x8B, 0xE5, 0x0F, 0xBF}};

namespace {

const wchar_t* const APPID = L"{35B9445A-E660-4D08-AB40-2DDF69EB97B0}";
const wchar_t* const LIBID = L"{32DF6A62-2086-46B1-9155-3FE08BE50FBF}";

const ramec::TridaServeru tridy[] = {
    {&CLSID_ObrazekContextMenu, ramec::Vytvorit<ObrazekContextMenu>},
    {&CLSID_SlozkaObrazkuContextMenu, ramec::Vytvorit<SlozkaObrazkuContextMenu>},
};

void SpustitLumeda(const std::wstring& radek) {
    ramec::SpustitBezCekani(ramec::ProgramVedleModulu(L"Lumeda.exe"), radek);
}

}  // namespace

// ---- ObrazekContextMenu ----------------------------------------------------------------------

ObrazekContextMenu::ObrazekContextMenu() : ContextMenuZaklad(IID_IObrazekContextMenu, LIBID_ZentravaLib) {}

STDMETHODIMP ObrazekContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    if (!data) return E_INVALIDARG;
    return ramec::NacistSoubory(data, m_cesty);
}

const wchar_t* ObrazekContextMenu::TextPolozky(UINT) const { return L"Promítnout obrázek(-y)"; }
const wchar_t* ObrazekContextMenu::NapovedaPolozky(UINT) const { return L"Promítne vybraný obrázek/obrázky"; }

void ObrazekContextMenu::Provest(UINT) {
    if (m_cesty.empty()) return;
    SpustitLumeda(ramec::RadekSCestami(m_cesty, true));
}

// ---- SlozkaObrazkuContextMenu ----------------------------------------------------------------

SlozkaObrazkuContextMenu::SlozkaObrazkuContextMenu()
    : ContextMenuZaklad(IID_ISlozkaObrazkuContextMenu, LIBID_ZentravaLib) {}

STDMETHODIMP SlozkaObrazkuContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    if (!data) return E_INVALIDARG;
    std::vector<std::wstring> soubory;
    if (ramec::NacistSoubory(data, soubory) != S_OK) return E_INVALIDARG;
    m_slozka = soubory.empty() ? std::wstring() : soubory.front();
    return S_OK;
}

const wchar_t* SlozkaObrazkuContextMenu::TextPolozky(UINT) const { return L"Promítnout obrázky ve složce"; }
const wchar_t* SlozkaObrazkuContextMenu::NapovedaPolozky(UINT) const { return L"Promítne obrázky ve vybrané složce"; }

void SlozkaObrazkuContextMenu::Provest(UINT) {
    if (m_slozka.empty()) return;
    SpustitLumeda(ramec::RadekSCestami({m_slozka}, false));
}

// ---- server exports --------------------------------------------------------------------------

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD duvod, LPVOID) {
    if (duvod == DLL_PROCESS_ATTACH) {
        ramec::instance = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllCanUnloadNow() { return ramec::PocetZamku() == 0 ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* vysledek) {
    return ramec::ZiskatTovarnu(tridy, sizeof(tridy) / sizeof(tridy[0]), clsid, iid, vysledek);
}

STDAPI DllRegisterServer() {
    return ramec::RegistrovatServer({APPID, LIBID, IDR_ZENTRAVA, {IDR_OBRAZEKCONTEXTMENU, IDR_SLOZKAOBRAZKUCONTEXTMENU}}, true);
}

STDAPI DllUnregisterServer() {
    return ramec::RegistrovatServer({APPID, LIBID, IDR_ZENTRAVA, {IDR_OBRAZEKCONTEXTMENU, IDR_SLOZKAOBRAZKUCONTEXTMENU}}, false);
}
