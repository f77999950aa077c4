#include "tesmarin/tesmarin.h"

#include <vector>

#include "tesmarin/resource.h"

const CLSID CLSID_SchrankaContextMenu = {0x46961BD9, 0x0695, 0x4825, {0x94, 0xC8, 0xE5, 0xAB, 0x8E, 0xEE, 0xB1, 0xF9}};
// {D832DD4C-D101-47FF-AB0F-8B9FF20E93CD}
const IID IID_ISchrankaContextMenu = {0xD832DD4C, 0xD101, 0x47FF, {0xAB, 0x0F, 0x8B, 0x9F, 0xF2, 0x0E, 0x93, 0xCD}};
// {1F5F0274-B4F8-435B-A14D-2DF35CCE5051}
const GUID LIBID_TesmarinLib = {0x1F5F0274, 0xB4F8, 0x435B, {0xA1, 0x4D, 0x2D, 0xF3, 0x5C, 0xCE, 0x50, 0x51}};

namespace {

const wchar_t* const APPID = L"{0579677E-79F9-4857-8895-91802FCFC595}";
const wchar_t* const LIBID = L"{1F5F0274-B4F8-435B-A14D-2DF35CCE5051}";

const ramec::TridaServeru tridy[] = {
    {&CLSID_SchrankaContextMenu, ramec::Vytvorit<SchrankaContextMenu>},
};

}  // namespace

std::wstring ZdvojitLomitka(const std::wstring& cesta) {
    std::wstring vysledek;
    vysledek.reserve(cesta.size() * 2);
    for (wchar_t z : cesta) {
        vysledek += z;
        if (z == L'\\') vysledek += L'\\';
    }
    return vysledek;
}

SchrankaContextMenu::SchrankaContextMenu() : ContextMenuZaklad(IID_ISchrankaContextMenu, LIBID_TesmarinLib) {}

STDMETHODIMP SchrankaContextMenu::Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) {
    if (!data) return E_INVALIDARG;
    std::vector<std::wstring> soubory;
    HRESULT hr = ramec::NacistSoubory(data, soubory);
    if (FAILED(hr)) return E_INVALIDARG;
    m_cesta = soubory.empty() ? std::wstring() : soubory.front();
    return hr;
}

const wchar_t* SchrankaContextMenu::TextPolozky(UINT i) const {
    return i == 0 ? L"Kopírovat cestu do schránky" : L"Kopírovat obsah souboru do schránky";
}

const wchar_t* SchrankaContextMenu::NapovedaPolozky(UINT i) const {
    return i == 0 ? L"Zkopíruje cestu k souboru do schránky a zdvojí zpětné lomítko (\"C/C++ string\")"
                  : L"Zkopíruje obsah souboru do schránky Windows";
}

void SchrankaContextMenu::Provest(UINT i) {
    if (m_cesta.empty()) return;
    if (i == 0)
        ramec::UnicodeTextDoSchranky(ZdvojitLomitka(m_cesta));
    else
        ramec::SpustitBezCekani(ramec::ProgramVedleModulu(L"Dulcevo.exe"), ramec::RadekSCestami({m_cesta}, false));
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
    return ramec::RegistrovatServer({APPID, LIBID, IDR_TESMARIN, {IDR_SCHRANKACONTEXTMENU}}, true);
}

STDAPI DllUnregisterServer() {
    return ramec::RegistrovatServer({APPID, LIBID, IDR_TESMARIN, {IDR_SCHRANKACONTEXTMENU}}, false);
}
