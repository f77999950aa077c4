#include "aplikace.h"

#include "oknohlavni.h"
#include "resource.h"

namespace Brenvald_Sonvidar {

AplikaceZaznamu aplikace;
std::unique_ptr<ZaznamVidea> zaznamVidea;
std::unique_ptr<ZaznamZvuku> zaznamZvuku;
SeznamProfilu seznamProfiluVidea(MEDIUM_VIDEO);
SeznamProfilu seznamProfiluZvuku(MEDIUM_ZVUK);
SeznamZarizeni seznamZarizeniVidea(MEDIUM_VIDEO);
SeznamZarizeni seznamZarizeniZvuku(MEDIUM_ZVUK);
SeznamVstupnichLinek seznamVstupnichLinek;
int(WINAPI* oknoZpravy)(HWND, LPCWSTR, LPCWSTR, UINT) = ::MessageBoxW;

AplikaceZaznamu::AplikaceZaznamu() {
    VychoziNastaveniZvuku();
    VychoziNastaveniVidea();
}

AplikaceZaznamu::~AplikaceZaznamu() = default;

VysledekParametru RozebratParametry(int pocet, const wchar_t* const* argumenty, Rezim& rezim, std::wstring& soubor) {
    rezim = RezimZadny;
    if (pocet < 2 || !argumenty || !argumenty[1]) return VysledekParametru::Zprava;
    const wchar_t* sloveso = argumenty[1];
    auto je = [sloveso](const wchar_t* text) { return ::lstrcmpiW(sloveso, text) == 0; };
    if (je(L"NastaveniZaznamZvuku")) {
        rezim = RezimNastaveniZvuku;
    } else if (je(L"NastaveniZaznamVidea")) {
        rezim = RezimNastaveniVidea;
    } else if (je(L"ZjistitInstalaciWME")) {
        rezim = RezimTestKoderu;
    } else if (je(L"ZaznamZvuku") || je(L"ZaznamVidea")) {
        if (pocet < 3 || !argumenty[2]) return VysledekParametru::Zprava;
        soubor = argumenty[2];
        if (soubor.size() < 5) return VysledekParametru::BezZpravy;
        rezim = je(L"ZaznamZvuku") ? RezimZaznamZvuku : RezimZaznamVidea;
    } else {
        return VysledekParametru::Zprava;
    }
    return VysledekParametru::Ok;
}

AkceIkony AkceKliknuti(UINT zpravaMysi, bool konecNaKlik) {
    switch (zpravaMysi) {
        case WM_LBUTTONUP: return konecNaKlik ? AkceIkony::Ukoncit : AkceIkony::Nabidka;
        case WM_LBUTTONDBLCLK: return konecNaKlik ? AkceIkony::Nic : AkceIkony::Ukoncit;
        case WM_RBUTTONUP: return AkceIkony::Nabidka;
        default: return AkceIkony::Nic;
    }
}

int ZpracovatParametry(int pocet, const wchar_t* const* argumenty) {
    try {
        INITCOMMONCONTROLSEX cc{sizeof(cc), 0x2FFF};
        Knihovna::Overit(::InitCommonControlsEx(&cc) != 0);
        Rezim rezim = RezimZadny;
        std::wstring soubor;
        switch (RozebratParametry(pocet, argumenty, rezim, soubor)) {
            case VysledekParametru::Zprava:
                oknoZpravy(nullptr, Knihovna::Retezec(IDS_NEPLATNY_PARAMETR).c_str(), Knihovna::modul.titulek.c_str(),
                           MB_ICONERROR);
                return 1;
            case VysledekParametru::BezZpravy: return 1;
            case VysledekParametru::Ok: break;
        }
        aplikace.rezim = rezim;
        if (rezim == RezimZaznamZvuku) aplikace.souborZvuku = soubor;
        if (rezim == RezimZaznamVidea) aplikace.souborVidea = soubor;
        ::CoInitialize(nullptr);

        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        aplikace.obrazky = ::ImageList_Create(Knihovna::VelikostMaleIkony(), Knihovna::VelikostMaleIkony(),
                                              ILC_COLOR24 | ILC_MASK, 1, 1);
        Knihovna::Overit(aplikace.obrazky != nullptr);
        HBITMAP pruh = Knihovna::NacistPasObrazku(instance, IDB_APLIKACE);
        int pridano = ::ImageList_AddMasked(aplikace.obrazky, pruh, RGB(255, 0, 255));
        ::DeleteObject(pruh);
        Knihovna::Overit(pridano >= 0);

        Knihovna::modul.velkaIkona = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SONVIDAR), IMAGE_ICON,
                                                                    ::GetSystemMetrics(SM_CXICON),
                                                                    ::GetSystemMetrics(SM_CYICON), 0));
        Knihovna::Overit(Knihovna::modul.velkaIkona != nullptr);
        const int obrazek = (rezim == RezimNastaveniZvuku || rezim == RezimZaznamZvuku)   ? 1
                            : (rezim == RezimNastaveniVidea || rezim == RezimZaznamVidea) ? 3
                                                                                           : 0;
        Knihovna::modul.malaIkona = ::ImageList_GetIcon(aplikace.obrazky, obrazek, ILD_NORMAL);
        Knihovna::Overit(Knihovna::modul.malaIkona != nullptr);

        oknoHlavni = new OknoHlavni();
        oknoHlavni->VytvoritOkno();
        return 0;
    } catch (const Knihovna::Chyba&) {
        return 1;
    }
}

}  // namespace Brenvald_Sonvidar
