// Test host of the Explorer extensions, in place of the shell: loads the DLL, makes the class
// through its DllGetClassObject, calls Initialize with a data object of the given file paths,
// QueryContextMenu, GetCommandString and optionally InvokeCommand, and records every result
// as UTF-16 lines "name=value" in the record file.
//   HostitelRozsireni.exe <dll> <clsid> <menu flags> <command or -1> <record> [paths | <null>]
#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace {

std::wstring zaznam;

void Zapsat(const std::wstring& nazev, const std::wstring& hodnota) {
    zaznam += nazev + L"=" + hodnota + L"\r\n";
}

std::wstring Hex(HRESULT hr) {
    wchar_t b[16];
    wsprintfW(b, L"0x%08X", static_cast<unsigned>(hr));
    return b;
}

// A data object that offers one format: CF_HDROP with the paths.
class DataSouboru : public IDataObject {
public:
    explicit DataSouboru(const std::vector<std::wstring>& cesty) : m_cesty(cesty) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** v) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *v = this;
            AddRef();
            return S_OK;
        }
        *v = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_odkazy; }
    STDMETHODIMP_(ULONG) Release() override { return --m_odkazy; }  // lives on the stack
    STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* m) override {
        if (f->cfFormat != CF_HDROP || !(f->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        SIZE_T znaku = 1;
        for (const auto& c : m_cesty) znaku += c.size() + 1;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + znaku * sizeof(wchar_t));
        auto* df = static_cast<DROPFILES*>(::GlobalLock(h));
        df->pFiles = sizeof(DROPFILES);
        df->fWide = TRUE;
        auto* p = reinterpret_cast<wchar_t*>(df + 1);
        for (const auto& c : m_cesty) {
            memcpy(p, c.c_str(), (c.size() + 1) * sizeof(wchar_t));
            p += c.size() + 1;
        }
        ::GlobalUnlock(h);
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = h;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* f) override { return f->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* v) override {
        v->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::wstring> m_cesty;
    ULONG m_odkazy = 1;
};

void Spustit(int argc, wchar_t** argv) {
    HMODULE dll = ::LoadLibraryW(argv[1]);
    Zapsat(L"LoadLibrary", dll ? L"1" : L"0");
    if (!dll) return;
    using ZiskatTridu = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto ziskat = reinterpret_cast<ZiskatTridu>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
    CLSID clsid;
    if (!ziskat || FAILED(::CLSIDFromString(argv[2], &clsid))) return;
    IClassFactory* tovarna = nullptr;
    HRESULT hr = ziskat(clsid, IID_IClassFactory, reinterpret_cast<void**>(&tovarna));
    Zapsat(L"DllGetClassObject", Hex(hr));
    if (FAILED(hr)) return;
    IShellExtInit* init = nullptr;
    hr = tovarna->CreateInstance(nullptr, IID_IShellExtInit, reinterpret_cast<void**>(&init));
    tovarna->Release();
    Zapsat(L"CreateInstance", Hex(hr));
    if (FAILED(hr)) return;

    std::vector<std::wstring> cesty(argv + 6, argv + argc);
    const bool bezDat = cesty.size() == 1 && cesty[0] == L"<null>";
    DataSouboru data(cesty);
    Zapsat(L"Initialize", Hex(init->Initialize(nullptr, bezDat ? nullptr : &data, nullptr)));

    IContextMenu* menu = nullptr;
    hr = init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
    Zapsat(L"IContextMenu", Hex(hr));
    IDispatch* dispatch = nullptr;
    Zapsat(L"IDispatch", Hex(init->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))));
    if (dispatch) {
        ITypeInfo* info = nullptr;
        Zapsat(L"GetTypeInfo", Hex(dispatch->GetTypeInfo(0, 0, &info)));
        if (info) info->Release();
        dispatch->Release();
    }
    init->Release();
    if (FAILED(hr)) return;

    HMENU nabidka = ::CreatePopupMenu();
    ::AppendMenuW(nabidka, MF_STRING, 1, L"Otevřít");
    hr = menu->QueryContextMenu(nabidka, 0, 100, 200, static_cast<UINT>(_wtoi(argv[3])));
    Zapsat(L"QueryContextMenu", Hex(hr));
    const int pocet = ::GetMenuItemCount(nabidka);
    for (int i = 0; i < pocet; ++i) {
        wchar_t text[200] = L"";
        ::GetMenuStringW(nabidka, static_cast<UINT>(i), text, 200, MF_BYPOSITION);
        wchar_t id[16];
        wsprintfW(id, L"%u", ::GetMenuItemID(nabidka, i));
        Zapsat(L"polozka", std::wstring(id) + L"|" + text);
    }
    ::DestroyMenu(nabidka);
    for (UINT_PTR i = 0; i < 3; ++i) {
        wchar_t napoveda[300] = L"?";
        hr = menu->GetCommandString(i, GCS_HELPTEXTW, nullptr, reinterpret_cast<CHAR*>(napoveda), 300);
        Zapsat(L"napoveda" + std::to_wstring(i), Hex(hr) + L"|" + (SUCCEEDED(hr) ? napoveda : L""));
    }
    char ansi[300] = "?";
    Zapsat(L"napovedaA", Hex(menu->GetCommandString(0, GCS_HELPTEXTA, nullptr, ansi, 300)));
    wchar_t sloveso[300] = L"?";
    Zapsat(L"slovesoW", Hex(menu->GetCommandString(0, GCS_VERBW, nullptr, reinterpret_cast<CHAR*>(sloveso), 300)));

    CMINVOKECOMMANDINFO info{};
    info.cbSize = sizeof(info);
    info.nShow = SW_SHOWNORMAL;
    info.lpVerb = "open";
    Zapsat(L"InvokeSloveso", Hex(menu->InvokeCommand(&info)));
    const int prikaz = _wtoi(argv[4]);
    if (prikaz >= 0) {
        info.lpVerb = MAKEINTRESOURCEA(prikaz);
        Zapsat(L"InvokeCommand", Hex(menu->InvokeCommand(&info)));
    }
    menu->Release();
    using MuzeUvolnit = HRESULT(WINAPI*)();
    auto muze = reinterpret_cast<MuzeUvolnit>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
    if (muze) Zapsat(L"DllCanUnloadNow", Hex(muze()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) return 2;
    ::CoInitialize(nullptr);
    Spustit(argc, argv);
    ::CoUninitialize();
    HANDLE soubor = ::CreateFileW(argv[5], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (soubor == INVALID_HANDLE_VALUE) return 1;
    DWORD zapsano = 0;
    ::WriteFile(soubor, zaznam.c_str(), static_cast<DWORD>(zaznam.size() * sizeof(wchar_t)), &zapsano, nullptr);
    ::CloseHandle(soubor);
    return 0;
}
