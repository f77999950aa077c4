// Weather tools: the data side without windows. The servers and their registry overrides, the
// forecast-model kinds with their addresses and cache names, the status text of a forecast step,
// the forecast text cut out of the institute's page, the tray-click actions and the interval label.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class KonfiguracePocasi;

// The outside servers. Each default host can be replaced by a registry value of the weather
// section (a host, optionally with ":port" and a path prefix, e.g. "127.0.0.1:8080/zkouska").
enum class ServerPocasi { Chmu, ChmuDruzice, Meteopress };
struct ZaznamServeru {
    ServerPocasi server;
    const wchar_t* hodnota;  // registry value name in the section "Pocasi"
    const wchar_t* vychozi;  // default host
};
const ZaznamServeru* TabulkaServeru(size_t& pocet);
// The host of a server: the registry value when set, else the default.
std::wstring HostServeru(ServerPocasi server);

// Paths on the servers.
std::wstring ZakladAladinu(const std::wstring& host);  // "http://" host "/meteo/ov/aladin/results/public/mapy/data"
std::wstring AdresaPredpovedi(const std::wstring& host);
// zdroj 2: Meteopress, any other value: the institute.
std::wstring AdresaSnimkuDruzice(int zdroj, const std::wstring& hostChmu, const std::wstring& hostMeteopress);

// Kinds of the forecast model; the command id is the kind.
constexpr UINT PRIKAZ_TEPLOTA = 40203;
constexpr UINT PRIKAZ_OBLACNOST = 40204;
constexpr UINT PRIKAZ_SRAZKY = 40205;
constexpr UINT PRIKAZ_VITR = 40206;
constexpr UINT PRIKAZ_VSECHNY_MODELY = 40207;
constexpr int POSLEDNI_KROK = 54;

struct DruhModelu {
    UINT prikaz;
    const wchar_t* kmen;   // part of the server's file name
    const wchar_t* cache;  // local file name stem
    int prvniKrok;
    UINT idBubliny;
};
// A single kind (40203-40206); null for any other id.
const DruhModelu* NajitDruhModelu(UINT prikaz);
// The series of the all-models view in slot order: cloudiness, precipitation, temperature, wind.
const DruhModelu* DruhVsechModelu(int slot);
// The forecast steps of a kind: first step, +6, up to 54.
std::vector<int> KrokyDruhu(const DruhModelu& druh);

// Address of one step: base "/" yyyymmddhh "/" stem "_public_" step ".png".
std::wstring AdresaObrazku(const std::wstring& zaklad, const DruhModelu& druh, const SYSTEMTIME& datum, int hodinaBehu,
                           int krok);
// Cache file of one step: folder "\" cache "_" step ".png".
std::wstring SouborObrazku(const std::wstring& slozka, const DruhModelu& druh, int krok);

// Local time minus universal time in whole hours, less than a day.
int RozdilMistnihoCasu(const SYSTEMTIME& mistni, const SYSTEMTIME& svetovy);
int RozdilMistnihoCasu();
// The time-zone name shown after local times: standard or daylight name, else "místní čas".
std::wstring NazevCasovehoPasma();

// Status text of a forecast step: "<weekday>  d.m.yyyy - h hod. - <zone>". nyni = the local date
// the run belongs to; posun = hours added (the local-time difference, or 0); srazky = the
// precipitation kind (its pictures start 6 hours after the run).
std::wstring TextObrazkuAladin(const SYSTEMTIME& nyni, int hodinaBehu, bool srazky, int index, int posun,
                               const std::wstring& zona);

// The forecast page is a small text page: a larger answer, or a forecast longer than the window
// can lay out, is refused (ERROR_FILE_TOO_LARGE) and the window shows its "not available" text.
constexpr ULONGLONG MAX_VELIKOST_STRANKY_PREDPOVEDI = 1024 * 1024;
constexpr size_t MAX_DELKA_PREDPOVEDI = 32 * 1024;

// The forecast text of the institute's page: the characters between the first "<PRE>" and the first
// "</PRE>" (exact case), leading line breaks removed, "\r\n" appended; "</PRE>" before "<PRE>"
// gives only "\r\n". false when either marker is missing.
bool VyjmoutPredpoved(const std::wstring& stranka, std::wstring& text);
// The text as saved: UTF-16LE code units, no byte-order mark, no terminating zero.
std::vector<BYTE> BajtyTextuPredpovedi(const std::wstring& text);

// Tray-click actions: 0 menu, 1 forecast model, 2 forecast text, 3 satellite picture.
constexpr UINT PRIKAZ_NABIDKA_POCASI = 0xFFFF;  // show the tray menu
// The command of an action: 40219, 40218, 40220, or PRIKAZ_NABIDKA_POCASI for 0 and any other value.
UINT PrikazAkcePocasi(DWORD akce);
// The command of a tray message with the modifier keys held; 0 = nothing to do.
UINT PrikazKliknutiPocasi(const KonfiguracePocasi& nastaveni, UINT zpravaMysi, bool ctrl, bool shift);

// "--> %d sekund" for whole seconds, "--> %d.%d sekund" otherwise (tenths of a second given).
std::wstring TextIntervaluAnimace(unsigned desetiny);
