// The installed suite as a user gets it from the zip: Kolvex started from its Program Files
// folder registers the Explorer extensions from its menu, the shell finds them by ProgID and
// their item starts the program beside the DLL, and unregistering leaves
// HKEY_CLASSES_ROOT as it was. Run by zkouska_zipu.sh in a fresh prefix; the folder comes in
// KOLVEX_INSTALACE.
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

namespace {

std::wstring SlozkaInstalace() {
    wchar_t cesta[MAX_PATH] = L"";
    ::GetEnvironmentVariableW(L"KOLVEX_INSTALACE", cesta, MAX_PATH);
    return cesta;
}

std::set<std::wstring> SouboryVeSlozce(const std::wstring& slozka) {
    std::set<std::wstring> soubory;
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\*").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return soubory;
    do {
        if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L"..")) soubory.insert(data.cFileName);
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
    return soubory;
}

// The server DLL a ProgID leads to (HKCR\<ProgID>\CLSID -> HKCR\CLSID\{...}\InprocServer32).
std::wstring ServerProgId(const wchar_t* progId) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(progId, &clsid))) return L"";
    wchar_t text[64];
    ::StringFromGUID2(clsid, text, 64);
    wchar_t hodnota[MAX_PATH] = L"";
    DWORD velikost = sizeof(hodnota);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + text + L"\\InprocServer32").c_str(), nullptr,
                       RRF_RT_REG_SZ, nullptr, hodnota, &velikost) != ERROR_SUCCESS)
        return L"";
    return hodnota;
}

// The module the shell loads for the ProgID's context menu: created in-process as Explorer does.
std::wstring NactenyServer(const wchar_t* progId) {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(progId, &clsid))) return L"";
    IShellExtInit* init = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                  reinterpret_cast<void**>(&init))))
        return L"";
    IContextMenu* menu = nullptr;
    const bool jeMenu = SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)));
    if (menu) menu->Release();
    // the module of the object's vtable is the server that answered
    HMODULE modul = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(*reinterpret_cast<void**>(init)), &modul);
    wchar_t cesta[MAX_PATH] = L"";
    if (modul) ::GetModuleFileNameW(modul, cesta, MAX_PATH);
    init->Release();
    return jeMenu ? cesta : L"";
}

bool StejnaCesta(const std::wstring& a, const std::wstring& b) { return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL; }

HWND NajitDialog(DWORD pid, const std::wstring& titulek) {
    HWND nalezeno = nullptr;
    testy::CekatNa([&] {
        for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); h; h = ::FindWindowExW(nullptr, h, L"#32770", nullptr)) {
            DWORD p = 0;
            ::GetWindowThreadProcessId(h, &p);
            if (p == pid && testy::TextOkna(h) == titulek) nalezeno = h;
        }
        return nalezeno != nullptr;
    }, 10000);
    return nalezeno;
}

// The folder item chosen as Explorer does: the handler made by its ProgID, given the folder as the
// shell's data object, its one item added and invoked.
HRESULT VyvolatPolozkuSlozky(const std::wstring& slozka) {
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(L"Brenvald.SlozkaObrazkuContextMenu", &clsid);
    if (FAILED(hr)) return hr;
    PIDLIST_ABSOLUTE pidl = nullptr;
    hr = ::SHParseDisplayName(slozka.c_str(), nullptr, &pidl, 0, nullptr);
    if (FAILED(hr)) return hr;
    IShellFolder* rodic = nullptr;
    PCUITEMID_CHILD posledni = nullptr;
    hr = ::SHBindToParent(pidl, IID_IShellFolder, reinterpret_cast<void**>(&rodic), &posledni);
    IDataObject* data = nullptr;
    if (SUCCEEDED(hr)) hr = rodic->GetUIObjectOf(nullptr, 1, &posledni, IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
    IShellExtInit* init = nullptr;
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, reinterpret_cast<void**>(&init));
    if (SUCCEEDED(hr)) hr = init->Initialize(nullptr, data, nullptr);
    IContextMenu* menu = nullptr;
    if (SUCCEEDED(hr)) hr = init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
    HMENU nabidka = ::CreatePopupMenu();
    if (SUCCEEDED(hr)) hr = menu->QueryContextMenu(nabidka, 0, 1, 0x7FFF, CMF_NORMAL);
    if (SUCCEEDED(hr) && HRESULT_CODE(hr) != 1) hr = E_UNEXPECTED;  // one item
    if (SUCCEEDED(hr)) {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof(info);
        info.lpVerb = MAKEINTRESOURCEA(0);
        info.nShow = SW_SHOWNORMAL;
        hr = menu->InvokeCommand(&info);
    }
    ::DestroyMenu(nabidka);
    if (menu) menu->Release();
    if (init) init->Release();
    if (data) data->Release();
    if (rodic) rodic->Release();
    ::CoTaskMemFree(pidl);
    return hr;
}

// A running process of the program file (full path); 0 when there is none.
DWORD NajitProces(const std::wstring& program) {
    DWORD nalezeno = 0;
    HANDLE snimek = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snimek == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W p{};
    p.dwSize = sizeof(p);
    for (BOOL ok = ::Process32FirstW(snimek, &p); ok && !nalezeno; ok = ::Process32NextW(snimek, &p)) {
        HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, p.th32ProcessID);
        if (!h) continue;
        wchar_t cesta[MAX_PATH] = L"";
        DWORD delka = MAX_PATH;
        if (::QueryFullProcessImageNameW(h, 0, cesta, &delka) &&
            ::CompareStringOrdinal(cesta, -1, program.c_str(), -1, TRUE) == CSTR_EQUAL)
            nalezeno = p.th32ProcessID;
        ::CloseHandle(h);
    }
    ::CloseHandle(snimek);
    return nalezeno;
}

class Instalace : public ::testing::Test {
protected:
    void SetUp() override {
        slozka = SlozkaInstalace();
        ASSERT_FALSE(slozka.empty()) << "KOLVEX_INSTALACE not set";
        ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override { ::CoUninitialize(); }
    std::wstring slozka;
};

}  // namespace

TEST_F(Instalace, SlozkaMaSedmDodavekANicZTestu) {
    const std::set<std::wstring> ocekavane = {L"Kolvex.exe", L"Fenrik.dll", L"Sonvidar.exe", L"Lumeda.exe",
                                              L"Dulcevo.exe", L"Zentrava.dll", L"Tesmarin.dll"};
    EXPECT_EQ(SouboryVeSlozce(slozka), ocekavane);
}

TEST_F(Instalace, KolvexZeSlozkyProgramuZaregistrujeAOdregistrujeRozsireniPruzkumnika) {
    // the fresh prefix as it is: nothing cleaned first
    const std::vector<std::wstring> pred = testy::CeleHkcr();
    const std::wstring program = slozka + L"\\Kolvex.exe";
    std::wstring radek = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessW(program.c_str(), &radek[0], nullptr, nullptr, FALSE, 0, nullptr, slozka.c_str(), &si, &pi))
        << ::GetLastError();
    ::CloseHandle(pi.hThread);
    HWND hlavni = nullptr;
    ASSERT_TRUE(testy::CekatNa([&] { return (hlavni = testy::NajitOknoProcesu(pi.dwProcessId, L"QKolvexHlavniOkno")) != nullptr; }, 20000));

    const struct {
        UINT prikaz;
        const wchar_t* titulek;
        std::vector<const wchar_t*> progIdy;
        const wchar_t* dll;
    } rozsireni[] = {
        {40095, L"Kolvex - Rozšíření průzkumníka \"Obrázky\"",
         {L"Brenvald.ObrazekContextMenu", L"Brenvald.SlozkaObrazkuContextMenu"}, L"Zentrava.dll"},
        {40096, L"Kolvex - Rozšíření průzkumníka \"Schránka\"", {L"Brenvald.SchrankaContextMenu"}, L"Tesmarin.dll"},
    };
    for (const auto& r : rozsireni) {
        const std::wstring dll = slozka + L"\\" + r.dll;
        for (const wchar_t* id : r.progIdy) EXPECT_EQ(ServerProgId(id), L"") << id << ": registered before the test";
        // the menu item opens the dialog; its button registers through the DLL beside Kolvex
        ::PostMessageW(hlavni, WM_COMMAND, r.prikaz, 0);
        HWND dialog = NajitDialog(pi.dwProcessId, r.titulek);
        ASSERT_NE(dialog, nullptr) << r.prikaz;
        HWND tlacitko = ::GetDlgItem(dialog, 1095);
        EXPECT_EQ(testy::TextOkna(tlacitko), L"Zaregistrovat");
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1095, BN_CLICKED), reinterpret_cast<LPARAM>(tlacitko));
        EXPECT_TRUE(testy::CekatNa([&] { return testy::TextOkna(tlacitko) == L"Odregistrovat"; }, 10000));
        for (const wchar_t* id : r.progIdy) {
            EXPECT_TRUE(StejnaCesta(ServerProgId(id), dll)) << id;
            EXPECT_TRUE(StejnaCesta(NactenyServer(id), dll)) << id;
        }
        if (r.prikaz == 40095) {
            // the folder item starts Lumeda from beside the DLL
            const std::wstring lumeda = slozka + L"\\Lumeda.exe";
            testy::DocasnaSlozka obrazky;
            EXPECT_EQ(VyvolatPolozkuSlozky(obrazky.Cesta()), S_OK);
            DWORD pid = 0;
            EXPECT_TRUE(testy::CekatNa([&] { return (pid = NajitProces(lumeda)) != 0; }, 10000)) << "Lumeda did not start";
            if (HANDLE h = pid ? ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid) : nullptr) {
                ::TerminateProcess(h, 0);
                ::WaitForSingleObject(h, 5000);
                ::CloseHandle(h);
            }
        }
        // and the same button takes them away again
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1095, BN_CLICKED), reinterpret_cast<LPARAM>(tlacitko));
        EXPECT_TRUE(testy::CekatNa([&] { return testy::TextOkna(tlacitko) == L"Zaregistrovat"; }, 10000));
        for (const wchar_t* id : r.progIdy) EXPECT_EQ(ServerProgId(id), L"") << id;
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(testy::CekatNa([&] { return !::IsWindow(dialog); }));
    }
    ::PostMessageW(hlavni, WM_COMMAND, 40001, 0);  // "Konec"
    EXPECT_EQ(::WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD kod = 99;
    ::GetExitCodeProcess(pi.hProcess, &kod);
    EXPECT_EQ(kod, 0u);
    if (kod == STILL_ACTIVE) ::TerminateProcess(pi.hProcess, 99);
    ::CloseHandle(pi.hProcess);

    // unregistering took away what registering made and nothing else
    const std::vector<std::wstring> po = testy::CeleHkcr();
    for (const std::wstring& r : testy::RadkyNavic(po, pred)) ADD_FAILURE() << "left after unregistration: " << r;
    for (const std::wstring& r : testy::RadkyNavic(pred, po)) ADD_FAILURE() << "removed by unregistration: " << r;
}
