#include "screen/rezimy.h"

#include <algorithm>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::VyhoditChybu;

FunkceVyctuRezimu vycetRezimu = ::EnumDisplaySettingsW;
FunkceZmenyRezimu zmenaRezimu = ::ChangeDisplaySettingsW;

RezimObrazovky AktualniRezim() {
    knihovna::DcOkna dc(nullptr);
    if (!dc) knihovna::VyhoditPosledniChybu();
    RezimObrazovky r;
    r.zarizeni = 0;
    r.sirka = static_cast<DWORD>(::GetDeviceCaps(dc.Get(), HORZRES));
    r.vyska = static_cast<DWORD>(::GetDeviceCaps(dc.Get(), VERTRES));
    r.barevHloubka = static_cast<DWORD>(::GetDeviceCaps(dc.Get(), BITSPIXEL));
    r.frekvence = static_cast<DWORD>(::GetDeviceCaps(dc.Get(), VREFRESH));
    return r;
}

std::wstring NazevHloubky(DWORD bitu) {
    switch (bitu) {
        case 2: return L"mono";
        case 4: return L"16 barev";
        case 8: return L"256 barev";
        case 16: return L"Hi-color (16 bit)";
        case 32: return L"True color (32 bit)";
        default: return std::to_wstring(bitu);
    }
}

std::wstring NazevHloubkyAktualni(DWORD bitu) {
    switch (bitu) {
        case 2: return L"mono";
        case 4: return L"16 barev";
        case 8: return L"256 barev";
        case 16: return L"Hi-color (16 bit)";
        case 24:
        case 32: return L"True color (24/32 bit)";
        default: return L"";
    }
}

std::wstring TextRezimu(const RezimObrazovky& r) {
    return Formatovat(L"%d x %d, %s, %d Hz", static_cast<int>(r.sirka), static_cast<int>(r.vyska),
                      NazevHloubky(r.barevHloubka).c_str(), static_cast<int>(r.frekvence));
}

std::wstring TextRezimu(const RezimyObrazovky& rezimy, size_t index) {
    RezimObrazovky rezim;
    {
        knihovna::Zamek zamek(rezimy.zamek);
        if (index >= rezimy.rezimy.size()) VyhoditChybu(E_INVALIDARG);
        rezim = rezimy.rezimy[index];
    }
    return TextRezimu(rezim);
}

std::wstring TextAktualnihoRezimu(const RezimObrazovky& r) {
    std::wstring text = Formatovat(L"%d x %d, ", static_cast<int>(r.sirka), static_cast<int>(r.vyska));
    text += NazevHloubkyAktualni(r.barevHloubka);
    if (static_cast<int>(r.frekvence) > 0) text += Formatovat(L", %d Hz", static_cast<int>(r.frekvence));
    return text;
}

std::wstring TextAktualnihoRezimu() { return TextAktualnihoRezimu(AktualniRezim()); }

std::wstring TextRezimuDevMode(DEVMODEW rezim) {
    std::wstring text = Formatovat(L"%d x %d", static_cast<int>(rezim.dmPelsWidth), static_cast<int>(rezim.dmPelsHeight));
    text += L", " + NazevHloubky(rezim.dmBitsPerPel);
    if (rezim.dmDisplayFrequency != 0) text += Formatovat(L", %d Hz", static_cast<int>(rezim.dmDisplayFrequency));
    return knihovna::Oriznout(text, 254);
}

bool PridatRezim(RezimyObrazovky& rezimy, const RezimObrazovky& rezim) {
    knihovna::Zamek zamek(rezimy.zamek);
    if (rezimy.rezimy.size() >= MAX_POCET_REZIMU) return false;
    rezimy.rezimy.push_back(rezim);
    return true;
}

bool OdebratRezim(RezimyObrazovky& rezimy, size_t index) {
    knihovna::Zamek zamek(rezimy.zamek);
    if (index >= rezimy.rezimy.size()) return false;
    rezimy.rezimy.erase(rezimy.rezimy.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

HMENU VytvoritMenuRezimu(const RezimyObrazovky& rezimyObrazovky, bool vlastniKresleni) {
    const std::vector<RezimObrazovky> rezimy = rezimyObrazovky.Kopie();  // the page may edit the list meanwhile
    if (rezimy.empty()) return nullptr;
    knihovna::UchytMenu menu(::CreatePopupMenu());
    if (!menu) return nullptr;
    const RezimObrazovky aktualni = AktualniRezim();
    // The 500 command ids bound the items the menu can carry.
    const size_t pocet = std::min<size_t>(rezimy.size(), POSLEDNI_PRIKAZ_REZIMU - PRVNI_PRIKAZ_REZIMU + 1);
    for (size_t i = 0; i < pocet; ++i) {
        const RezimObrazovky& r = rezimy[i];
        std::wstring text = TextRezimu(r);
        MENUITEMINFOW polozka{};
        polozka.cbSize = sizeof(polozka);
        polozka.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        polozka.fType = MFT_RADIOCHECK | (vlastniKresleni ? MFT_OWNERDRAW : 0);
        polozka.wID = PRVNI_PRIKAZ_REZIMU + static_cast<UINT>(i);
        const bool stejny = r.zarizeni == aktualni.zarizeni && r.sirka == aktualni.sirka &&
                            r.vyska == aktualni.vyska && r.barevHloubka == aktualni.barevHloubka;
        polozka.fState = stejny ? MFS_CHECKED : MFS_UNCHECKED;
        polozka.dwTypeData = text.data();
        polozka.cch = static_cast<UINT>(text.size());
        if (!::InsertMenuItemW(menu.Get(), 0, TRUE, &polozka)) return nullptr;
    }
    return menu.Odevzdat();
}

std::wstring NastavitRezimObrazovky(const RezimyObrazovky& rezimy, UINT prikaz) {
    DEVMODEW rezim{};
    rezim.dmSize = sizeof(rezim);
    if (!vycetRezimu(nullptr, 0, &rezim)) VyhoditChybu(E_INVALIDARG);
    if (prikaz < PRVNI_PRIKAZ_REZIMU) VyhoditChybu(E_INVALIDARG);
    const size_t index = prikaz - PRVNI_PRIKAZ_REZIMU;
    RezimObrazovky cil;
    {
        knihovna::Zamek zamek(rezimy.zamek);  // a copy: the switch itself takes its time
        if (index >= rezimy.rezimy.size()) VyhoditChybu(E_INVALIDARG);
        cil = rezimy.rezimy[index];
    }
    rezim.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    rezim.dmPelsWidth = cil.sirka;
    rezim.dmPelsHeight = cil.vyska;
    rezim.dmBitsPerPel = cil.barevHloubka;
    rezim.dmDisplayFrequency = cil.frekvence;
    ::SetLastError(0);
    const LONG vysledek = zmenaRezimu(&rezim, CDS_UPDATEREGISTRY);
    const DWORD kod = ::GetLastError();
    const bool uspech = vysledek == DISP_CHANGE_SUCCESSFUL;
    std::wstring text = uspech ? Formatovat(knihovna::Retezec(IDS_REZIM_NASTAVEN).c_str(), static_cast<int>(cil.sirka),
                                            static_cast<int>(cil.vyska), static_cast<int>(cil.frekvence))
                               : knihovna::ZiskatTextChyby(static_cast<int>(kod));
    if (::FindWindowW(L"Shell_TrayWnd", nullptr))
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_DISPLAYCHANGE, cil.barevHloubka, MAKELPARAM(cil.sirka, cil.vyska),
                              SMTO_ABORTIFHUNG, 2000, nullptr);
    if (uspech)
        ZobrazitBublinuHlavniIkony(nullptr, text);
    else
        ZobrazitChybuVBubline(text);
    return text;
}
