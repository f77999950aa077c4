// Stand-in for an Explorer extension's self-registration: DllRegisterServer writes the ProgIDs
// named by PROGIDY (with a class id) below HKEY_CLASSES_ROOT, DllUnregisterServer removes them.
// With SELHAT both answer E_FAIL and change nothing.
#include <windows.h>

namespace {
const wchar_t* const progIdy[] = {PROGIDY};
const wchar_t* const clsid = L"{6C1B2E4A-7D2F-4E8B-9A51-3F0C2D7E9B14}";
}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
#ifdef SELHAT
    return E_FAIL;
#else
    for (const wchar_t* progId : progIdy) {
        HKEY klic = nullptr;
        wchar_t cesta[200];
        wsprintfW(cesta, L"%s\\CLSID", progId);
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, cesta, 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr) != ERROR_SUCCESS)
            return E_FAIL;
        RegSetValueExW(klic, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid),
                       static_cast<DWORD>((lstrlenW(clsid) + 1) * sizeof(wchar_t)));
        RegCloseKey(klic);
    }
    wchar_t cesta[200];
    wsprintfW(cesta, L"CLSID\\%s", clsid);
    HKEY klic = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, cesta, 0, nullptr, 0, KEY_WRITE, nullptr, &klic, nullptr) == ERROR_SUCCESS)
        RegCloseKey(klic);
    return S_OK;
#endif
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
#ifdef SELHAT
    return E_FAIL;
#else
    for (const wchar_t* progId : progIdy) RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
    return S_OK;
#endif
}
