#include "pomocne.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "core/menu.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "resources/obrazky_velikosti.h"
#include "resources/resource.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

std::wstring ZiskatSlozkuProgramu() {
    wchar_t cesta[MAX_PATH];
    DWORD delka = ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
    if (delka == 0 || delka >= MAX_PATH) {
        if (delka >= MAX_PATH) ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        VyhoditPosledniChybu();
    }
    Overit(::PathRemoveFileSpecW(cesta) != 0);
    return cesta;
}

std::wstring ZiskatSlozkuSystemu(int csidl, bool vytvorit) {
    wchar_t cesta[MAX_PATH];
    HRESULT hr = ::SHGetFolderPathW(nullptr, csidl | (vytvorit ? CSIDL_FLAG_CREATE : 0), nullptr,
                                    SHGFP_TYPE_CURRENT, cesta);
    if (FAILED(hr)) VyhoditChybu(hr);
    if (!::PathFileExistsW(cesta)) VyhoditChybu(E_INVALIDARG);
    return cesta;
}

std::wstring ZiskatSlozkuAutora() {
    // Only the path: the maker's programs install there; a normal user may not create it.
    return ZiskatSlozkuSystemu(CSIDL_PROGRAM_FILES, false) + L"\\Brenvald";
}

void NacistRetezecVerze(const wchar_t* klic, std::wstring& text, const wchar_t* soubor) {
    wchar_t cesta[MAX_PATH];
    if (!soubor) {
        DWORD delka = ::GetModuleFileNameW(nullptr, cesta, MAX_PATH);
        if (delka == 0 || delka >= MAX_PATH) VyhoditPosledniChybu();
    } else {
        if (wcslen(soubor) >= MAX_PATH) VyhoditChybu(knihovna::HresultZKodu(ERROR_INSUFFICIENT_BUFFER));
        wcscpy(cesta, soubor);
    }
    DWORD nic = 0;
    DWORD velikost = ::GetFileVersionInfoSizeW(cesta, &nic);
    Overit(velikost != 0);
    knihovna::BlokHaldy blok(velikost);
    if (!blok) VyhoditChybu(E_OUTOFMEMORY);
    Overit(::GetFileVersionInfoW(cesta, 0, velikost, blok.Get()) != 0);
    struct Preklad {
        WORD jazyk, kodovaStranka;
    }* preklad = nullptr;
    UINT delka = 0;
    Overit(::VerQueryValueW(blok.Get(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&preklad), &delka) !=
               0 &&
           preklad && delka >= sizeof(Preklad));
    wchar_t podblok[200];
    int n = _snwprintf(podblok, 199, L"\\StringFileInfo\\%04x%04x\\%s", preklad->jazyk, preklad->kodovaStranka, klic);
    if (n < 0) VyhoditChybu(knihovna::HresultZKodu(ERROR_INSUFFICIENT_BUFFER));
    podblok[199] = L'\0';
    wchar_t* hodnota = nullptr;
    Overit(::VerQueryValueW(blok.Get(), podblok, reinterpret_cast<void**>(&hodnota), &delka) != 0 && hodnota);
    text.assign(hodnota, delka > 0 ? wcsnlen(hodnota, delka) : 0);
    if (!blok.Uvolnit()) VyhoditChybu(E_UNEXPECTED);
}

// ---------------------------------------------------------------------------------------------

SeznamObrazku::~SeznamObrazku() {
    if (m_seznam) ImageList_Destroy(m_seznam);
}

namespace {

// The strip drawn at that size from the icon theme's own art (120, 144 and 192 DPI); 0 = none.
UINT PasVelikosti(UINT bitmapa, int velikost) {
    static const struct {
        UINT pas;
        UINT velikosti[3];  // 20, 24, 32 px
    } PASY[] = {
        {IDB_MENU_ZAKLAD, {IDB_MENU_ZAKLAD_20, IDB_MENU_ZAKLAD_24, IDB_MENU_ZAKLAD_32}},
        {IDB_MENU_DALSI, {IDB_MENU_DALSI_20, IDB_MENU_DALSI_24, IDB_MENU_DALSI_32}},
        {IDB_DRUHY_ZAKLAD, {IDB_DRUHY_ZAKLAD_20, IDB_DRUHY_ZAKLAD_24, IDB_DRUHY_ZAKLAD_32}},
        {IDB_DRUHY_DALSI, {IDB_DRUHY_DALSI_20, IDB_DRUHY_DALSI_24, IDB_DRUHY_DALSI_32}},
    };
    const int index = velikost == 20 ? 0 : velikost == 24 ? 1 : velikost == 32 ? 2 : -1;
    if (index < 0) return 0;
    for (const auto& radek : PASY)
        if (radek.pas == bitmapa) return radek.velikosti[index];
    return 0;
}

// An image strip of square pictures (the height is one picture's side) at the small-icon size:
// the strip drawn at that size where there is one; else the 16-pixel strip stretched pixel for
// pixel, so the magenta of the mask stays exact.
HBITMAP NacistPasObrazku(UINT bitmapa, int velikost) {
    if (const UINT vlastni = PasVelikosti(bitmapa, velikost)) bitmapa = vlastni;
    knihovna::UchytBitmapy obrazek(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapa), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    Overit(static_cast<bool>(obrazek));
    BITMAP info{};
    Overit(::GetObjectW(obrazek.Get(), sizeof(info), &info) != 0);
    if (info.bmHeight <= 0 || info.bmHeight == velikost) return obrazek.Odevzdat();
    const int pocet = info.bmWidth / info.bmHeight;
    knihovna::DcOkna obrazovka(nullptr);
    Overit(static_cast<bool>(obrazovka));
    knihovna::UchytBitmapy vetsi(::CreateCompatibleBitmap(obrazovka.Get(), pocet * velikost, velikost));
    Overit(static_cast<bool>(vetsi));
    knihovna::UchytDc zdroj(::CreateCompatibleDC(obrazovka.Get())), cil(::CreateCompatibleDC(obrazovka.Get()));
    Overit(zdroj && cil);
    {
        knihovna::VybranyObjekt z(zdroj.Get(), obrazek.Get()), c(cil.Get(), vetsi.Get());
        ::SetStretchBltMode(cil.Get(), COLORONCOLOR);
        Overit(::StretchBlt(cil.Get(), 0, 0, pocet * velikost, velikost, zdroj.Get(), 0, 0, pocet * info.bmHeight,
                            info.bmHeight, SRCCOPY) != 0);
    }
    return vetsi.Odevzdat();
}

}  // namespace

void SeznamObrazku::Vytvorit(UINT bitmapa) {
    Zrusit();
    const int velikost = knihovna::VyskaMaleIkony();
    knihovna::UchytBitmapy obrazek(NacistPasObrazku(bitmapa, velikost));
    m_seznam = ImageList_Create(velikost, velikost, ILC_COLOR24 | ILC_MASK, 1, 1);
    Overit(m_seznam != nullptr);
    Overit(ImageList_AddMasked(m_seznam, obrazek.Get(), RGB(255, 0, 255)) != -1);
}

void SeznamObrazku::Pridat(UINT bitmapa) {
    if (!m_seznam) {
        Vytvorit(bitmapa);
        return;
    }
    int velikost = 0, vyska = 0;
    ImageList_GetIconSize(m_seznam, &velikost, &vyska);
    knihovna::UchytBitmapy obrazek(NacistPasObrazku(bitmapa, vyska));
    Overit(ImageList_AddMasked(m_seznam, obrazek.Get(), RGB(255, 0, 255)) != -1);
}

void SeznamObrazku::Zrusit() {
    if (m_seznam) {
        Overit(ImageList_Destroy(m_seznam) != 0);
        m_seznam = nullptr;
    }
}

VlastnikIkony::~VlastnikIkony() {
    if (m_ikona) ::DestroyIcon(m_ikona);
}

void VlastnikIkony::Nastavit(HICON ikona) {
    Zrusit();
    m_ikona = ikona;
}

void VlastnikIkony::Zrusit() {
    if (m_ikona) {
        Overit(::DestroyIcon(m_ikona) != 0);
        m_ikona = nullptr;
    }
}

// ---------------------------------------------------------------------------------------------

void PripravitDialogSouboru(DialogSouboru& dialog, const wchar_t* pocatecniJmeno) {
    ZeroMemory(&dialog.ofn, sizeof(dialog.ofn));
    dialog.ofn.lStructSize = sizeof(dialog.ofn);
    if (!pocatecniJmeno) pocatecniJmeno = L"";
    if (wcslen(pocatecniJmeno) >= MAX_PATH) VyhoditChybu(E_INVALIDARG);
    wcscpy(dialog.soubor, pocatecniJmeno);
    dialog.ofn.hInstance = ::GetModuleHandleW(nullptr);
    dialog.ofn.hwndOwner = ::GetActiveWindow();
    dialog.ofn.Flags = OFN_PATHMUSTEXIST;
    dialog.ofn.lpstrFile = dialog.soubor;
    dialog.ofn.nMaxFile = MAX_PATH;
}

void ZobrazitMenuNapovedy(HWND okno) {
    MenuNapoveda napoveda(nullptr);
    napoveda.ZobrazitSamostatne(okno);
}

RezimyObrazovky::RezimyObrazovky() : nazevKlice(knihovna::Retezec(IDS_KLIC_REZIMU_OBRAZOVKY)) {}

int __cdecl PorovnatNazvyVzestupne(const void* a, const void* b) {
    return ::lstrcmpW(*static_cast<const wchar_t* const*>(a), *static_cast<const wchar_t* const*>(b));
}

int __cdecl PorovnatNazvySestupne(const void* a, const void* b) {
    return ::lstrcmpW(*static_cast<const wchar_t* const*>(b), *static_cast<const wchar_t* const*>(a));
}
