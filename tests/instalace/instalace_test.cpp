// The installed suite as a user gets it from the zip: Kolvex started from its Program Files
// folder registers the Explorer extensions from its menu, and the shell finds them by ProgID.
// Run by zkouska_zipu.sh in a fresh prefix; the folder comes in KOLVEX_INSTALACE.
#include <windows.h>
#include <shlobj.h>

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
}
