#include "internet/pocasidata.h"

#include <cstdint>

#include "core/aplikace.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Formatovat;

namespace {

const ZaznamServeru SERVERY[] = {
    {ServerPocasi::Chmu, L"serverChmu", L"portal.chmi.cz"},
    {ServerPocasi::ChmuDruzice, L"serverDruziceChmu", L"www.chmi.cz"},
    {ServerPocasi::Meteopress, L"serverMeteopress", L"www.meteopress.cz"},
};

const DruhModelu DRUHY[] = {
    {PRIKAZ_TEPLOTA, L"T2m", L"teplota", 0, IDS_POCASI_BUBLINA_TEPLOTA},
    {PRIKAZ_OBLACNOST, L"nebul", L"oblacnost", 0, IDS_POCASI_BUBLINA_OBLACNOST},
    {PRIKAZ_SRAZKY, L"prec", L"srazky", 6, IDS_POCASI_BUBLINA_SRAZKY},
    {PRIKAZ_VITR, L"v10m", L"vitr", 0, IDS_POCASI_BUBLINA_VITR},
};

const wchar_t* const DNY[] = {L"Neděle", L"Pondělí", L"Úterý", L"Středa", L"Čtvrtek", L"Pátek", L"Sobota"};

int64_t Sekundy(const SYSTEMTIME& cas) {
    FILETIME ft{};
    if (!::SystemTimeToFileTime(&cas, &ft)) return 0;
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    return static_cast<int64_t>(u.QuadPart / 10000000ull);
}

SYSTEMTIME ZeSekund(int64_t sekundy) {
    ULARGE_INTEGER u;
    u.QuadPart = static_cast<ULONGLONG>(sekundy) * 10000000ull;
    FILETIME ft{u.LowPart, u.HighPart};
    SYSTEMTIME cas{};
    ::FileTimeToSystemTime(&ft, &cas);
    return cas;
}

}  // namespace

const ZaznamServeru* TabulkaServeru(size_t& pocet) {
    pocet = sizeof(SERVERY) / sizeof(SERVERY[0]);
    return SERVERY;
}

std::wstring HostServeru(ServerPocasi server) {
    for (const ZaznamServeru& z : SERVERY) {
        if (z.server != server) continue;
        std::wstring klic = std::wstring(aplikace.klicAplikace) + L"\\" + knihovna::Retezec(IDS_SEKCE_POCASI);
        wchar_t hodnota[512] = L"";
        DWORD velikost = sizeof(hodnota);
        if (::RegGetValueW(HKEY_CURRENT_USER, klic.c_str(), z.hodnota, RRF_RT_REG_SZ, nullptr, hodnota, &velikost) ==
                ERROR_SUCCESS &&
            hodnota[0])
            return hodnota;
        return z.vychozi;
    }
    return L"";
}

std::wstring ZakladAladinu(const std::wstring& host) {
    return L"http://" + host + L"/meteo/ov/aladin/results/public/mapy/data";
}

std::wstring AdresaPredpovedi(const std::wstring& host) { return L"http://" + host + L"/meteo/om/inform/ppcr1.html"; }

std::wstring AdresaSnimkuDruzice(int zdroj, const std::wstring& hostChmu, const std::wstring& hostMeteopress) {
    if (zdroj == 2) return L"http://" + hostMeteopress + L"/pictures/mapy/satelit.jpg";
    return L"http://" + hostChmu + L"/meteo/sat/msg/aktual/latest.jpg";
}

const DruhModelu* NajitDruhModelu(UINT prikaz) {
    for (const DruhModelu& d : DRUHY)
        if (d.prikaz == prikaz) return &d;
    return nullptr;
}

const DruhModelu* DruhVsechModelu(int slot) {
    static const UINT PORADI[4] = {PRIKAZ_OBLACNOST, PRIKAZ_SRAZKY, PRIKAZ_TEPLOTA, PRIKAZ_VITR};
    return slot >= 0 && slot < 4 ? NajitDruhModelu(PORADI[slot]) : nullptr;
}

std::vector<int> KrokyDruhu(const DruhModelu& druh) {
    std::vector<int> kroky;
    for (int krok = druh.prvniKrok; krok <= POSLEDNI_KROK; krok += 6) kroky.push_back(krok);
    return kroky;
}

std::wstring AdresaObrazku(const std::wstring& zaklad, const DruhModelu& druh, const SYSTEMTIME& datum, int hodinaBehu,
                           int krok) {
    std::wstring format = std::wstring(L"%s/%.4d%.2d%.2d%.2d/") + druh.kmen + L"_public_%.2d.png";
    return Formatovat(format.c_str(), zaklad.c_str(), datum.wYear, datum.wMonth, datum.wDay, hodinaBehu, krok);
}

std::wstring SouborObrazku(const std::wstring& slozka, const DruhModelu& druh, int krok) {
    std::wstring format = std::wstring(L"%s\\") + druh.cache + L"_%.2d.png";
    return Formatovat(format.c_str(), slozka.c_str(), krok);
}

int RozdilMistnihoCasu(const SYSTEMTIME& mistni, const SYSTEMTIME& svetovy) {
    int64_t d = Sekundy(mistni) - Sekundy(svetovy);
    return static_cast<int>(d / 3600 - (d / 86400) * 24);
}

int RozdilMistnihoCasu() {
    SYSTEMTIME mistni, svetovy;
    ::GetLocalTime(&mistni);
    ::GetSystemTime(&svetovy);
    return RozdilMistnihoCasu(mistni, svetovy);
}

std::wstring NazevCasovehoPasma() {
    TIME_ZONE_INFORMATION tz{};
    switch (::GetTimeZoneInformation(&tz)) {
        case TIME_ZONE_ID_STANDARD:
            if (tz.StandardName[0]) return tz.StandardName;
            break;
        case TIME_ZONE_ID_DAYLIGHT:
            if (tz.DaylightName[0]) return tz.DaylightName;
            break;
        default:
            break;
    }
    return L"místní čas";
}

std::wstring TextObrazkuAladin(const SYSTEMTIME& nyni, int hodinaBehu, bool srazky, int index, int posun,
                               const std::wstring& zona) {
    SYSTEMTIME den = nyni;
    den.wHour = den.wMinute = den.wSecond = den.wMilliseconds = 0;
    int64_t cas = Sekundy(den) + static_cast<int64_t>(hodinaBehu + posun + (srazky ? 6 : 0)) * 3600 +
                  static_cast<int64_t>(index) * 21600;
    SYSTEMTIME t = ZeSekund(cas);
    return Formatovat(L"%s  %d.%d.%d - %d hod. - %s", DNY[t.wDayOfWeek % 7], t.wDay, t.wMonth, t.wYear, t.wHour,
                      zona.c_str());
}

bool VyjmoutPredpoved(const std::wstring& stranka, std::wstring& text) {
    size_t zacatek = stranka.find(L"<PRE>");
    if (zacatek == std::wstring::npos) return false;
    size_t konec = stranka.find(L"</PRE>");
    if (konec == std::wstring::npos) return false;
    zacatek += 5;
    std::wstring vnitrek = konec > zacatek ? stranka.substr(zacatek, konec - zacatek) : std::wstring();
    size_t prvni = vnitrek.find_first_not_of(L"\r\n");
    text = prvni == std::wstring::npos ? std::wstring() : vnitrek.substr(prvni);
    text += L"\r\n";
    return true;
}

std::vector<BYTE> BajtyTextuPredpovedi(const std::wstring& text) {
    std::vector<BYTE> bajty;
    bajty.reserve(text.size() * 2);
    for (wchar_t z : text) {
        bajty.push_back(static_cast<BYTE>(static_cast<uint16_t>(z) & 0xFF));
        bajty.push_back(static_cast<BYTE>(static_cast<uint16_t>(z) >> 8));
    }
    return bajty;
}

UINT PrikazAkcePocasi(DWORD akce) {
    switch (akce) {
        case 1: return 40219;
        case 2: return 40218;
        case 3: return 40220;
        default: return PRIKAZ_NABIDKA_POCASI;
    }
}

UINT PrikazKliknutiPocasi(const KonfiguracePocasi& n, UINT zpravaMysi, bool ctrl, bool shift) {
    switch (zpravaMysi) {
        case WM_LBUTTONUP:
            if (ctrl && shift) return PrikazAkcePocasi(n.ikonaCtrlShiftLeve);
            if (ctrl) return PrikazAkcePocasi(n.ikonaCtrlLeve);
            if (shift) return PrikazAkcePocasi(n.ikonaShiftLeve);
            return PrikazAkcePocasi(n.ikonaLeve);
        case WM_RBUTTONUP:
            return PRIKAZ_NABIDKA_POCASI;
        case WM_MBUTTONUP:
            return PrikazAkcePocasi(n.ikonaStredni);
        default:
            return 0;
    }
}

std::wstring TextIntervaluAnimace(unsigned desetiny) {
    if (desetiny % 10 == 0) return Formatovat(L"--> %d sekund", static_cast<int>(desetiny / 10));
    return Formatovat(L"--> %d.%d sekund", static_cast<int>(desetiny / 10), static_cast<int>(desetiny % 10));
}
