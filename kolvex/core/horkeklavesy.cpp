#include "core/horkeklavesy.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"

using knihovna::HresultZKodu;
using knihovna::UchytKlice;
using knihovna::VyhoditChybu;

namespace {

constexpr uint32_t PRVNI_PRIKAZ = 40001;  // the menu commands' ids start here

std::wstring NazevHodnoty(uint32_t prikaz) { return std::to_wstring(prikaz); }

// A value name of decimal digits only, 1 to 4294967295; anything else is not one of ours.
bool PrecistId(const wchar_t* nazev, uint32_t& id) {
    size_t delka = wcslen(nazev);
    if (delka == 0 || delka > 10) return false;
    unsigned long long hodnota = 0;
    for (size_t i = 0; i < delka; ++i) {
        if (nazev[i] < L'0' || nazev[i] > L'9') return false;
        hodnota = hodnota * 10 + static_cast<unsigned>(nazev[i] - L'0');
    }
    if (hodnota == 0 || hodnota > 0xFFFFFFFFull) return false;
    id = static_cast<uint32_t>(hodnota);
    return true;
}

void ZavritKlic(UchytKlice& klic) {
    HKEY h = klic.Odevzdat();
    LONG kod = ::RegCloseKey(h);
    if (kod != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
}

}  // namespace

HorkeKlavesy::HorkeKlavesy(const wchar_t* klic) {
    if (!klic) VyhoditChybu(E_INVALIDARG);
    klicAplikace = klic;
}

void HorkeKlavesy::Pridat(UINT prikaz, UINT kategorie) {
    HorkaKlavesa radek;
    radek.prikaz = prikaz;
    radek.kategorie = kategorie;
    zaznamy.push_back(radek);
}

HorkaKlavesa* HorkeKlavesy::Najit(UINT prikaz) {
    for (HorkaKlavesa& r : zaznamy)
        if (r.prikaz == prikaz) return &r;
    return nullptr;
}

int HorkeKlavesy::Nacist() {
    UchytKlice klic;
    if (::RegOpenKeyExW(koren, CestaKlice().c_str(), 0, KEY_READ, klic.Adresa()) != ERROR_SUCCESS) return 1;

    DWORD pocetHodnot = 0;
    LONG kod = ::RegQueryInfoKeyW(klic.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &pocetHodnot,
                                  nullptr, nullptr, nullptr, nullptr);
    if (kod != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));

    // One pass over the values (names and data together: one registry call per value).
    struct Ulozena {
        uint32_t id;
        bool precteno;
        uint32_t data[4];
    };
    std::vector<Ulozena> ulozene;
    for (DWORD i = 0; i < pocetHodnot; ++i) {
        wchar_t nazev[50];
        DWORD delka = 50;
        Ulozena u{0, false, {0, 0, 0, 0}};
        DWORD velikost = sizeof(u.data);
        LONG vysledek = ::RegEnumValueW(klic.Get(), i, nazev, &delka, nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(u.data), &velikost);
        if (vysledek == ERROR_MORE_DATA) {  // data longer than a row: the name alone, the row unchanged
            delka = 50;
            if (::RegEnumValueW(klic.Get(), i, nazev, &delka, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            u = Ulozena{0, false, {0, 0, 0, 0}};
        } else if (vysledek != ERROR_SUCCESS) {
            continue;
        } else {
            u.precteno = true;
        }
        if (!PrecistId(nazev, u.id)) continue;
        if (!Najit(u.id)) {
            // Outside the menu commands' ids (the hot-key id is the command id, which RegisterHotKey
            // takes up to 0xBFFF) or without a name in the string table, it is none of the program's
            // commands: the page could not show it. Skipped, so the next save removes its value.
            std::wstring nazevPrikazu;
            if (u.id < PRVNI_PRIKAZ || u.id > 0xBFFF || !knihovna::NacistRetezec(u.id, nazevPrikazu) ||
                nazevPrikazu.empty())
                continue;
            Pridat(u.id, 0);
        }
        ulozene.push_back(u);
    }

    for (const Ulozena& u : ulozene) {
        if (!u.precteno) continue;
        HorkaKlavesa* radek = Najit(u.id);
        // A virtual key beyond 0xFE or unknown modifier bits is no key the page or the system
        // can take: the row keeps no key.
        const bool platna = u.data[1] <= 0xFE &&
                            (u.data[0] & ~static_cast<uint32_t>(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN)) == 0;
        radek->modifikatory = platna ? u.data[0] : 0;
        radek->klavesa = platna ? u.data[1] : 0;
        radek->kategorie = u.data[3];  // data[2] is ignored: the id comes from the value's name
    }
    ZavritKlic(klic);
    return 0;
}

int HorkeKlavesy::Ulozit() {
    UchytKlice klic;
    if (::RegCreateKeyExW(koren, CestaKlice().c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, klic.Adresa(),
                          nullptr) != ERROR_SUCCESS)
        return 1;

    // New values first: a failure half-way leaves every earlier binding stored.
    for (const HorkaKlavesa& radek : zaznamy) {
        LONG kod = ::RegSetValueExW(klic.Get(), NazevHodnoty(radek.prikaz).c_str(), 0, REG_BINARY,
                                    reinterpret_cast<const BYTE*>(&radek), sizeof(radek));
        if (kod != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
    }

    // Then the values that no longer belong to a row.
    std::vector<std::wstring> nadbytecne;
    for (DWORD i = 0;; ++i) {
        wchar_t nazev[256];
        DWORD delka = 256;
        LONG kod = ::RegEnumValueW(klic.Get(), i, nazev, &delka, nullptr, nullptr, nullptr, nullptr);
        if (kod == ERROR_NO_MORE_ITEMS) break;
        if (kod == ERROR_MORE_DATA) continue;  // a name no row could have; left alone
        if (kod != ERROR_SUCCESS) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
        uint32_t id = 0;
        bool patri = PrecistId(nazev, id) && Najit(id) && NazevHodnoty(id) == nazev;
        if (!patri) nadbytecne.emplace_back(nazev);
    }
    for (const std::wstring& nazev : nadbytecne) {
        LONG kod = ::RegDeleteValueW(klic.Get(), nazev.c_str());
        if (kod != ERROR_SUCCESS && kod != ERROR_FILE_NOT_FOUND) VyhoditChybu(HresultZKodu(static_cast<DWORD>(kod)));
    }
    ZavritKlic(klic);
    return 0;
}

int PorovnatKategorie(const HorkaKlavesa& a, const HorkaKlavesa& b) {
    if (a.kategorie < b.kategorie) return -1;
    if (a.kategorie > b.kategorie) return 1;
    return 0;
}

void HorkeKlavesy::Seradit() {
    std::stable_sort(zaznamy.begin(), zaznamy.end(),
                     [](const HorkaKlavesa& a, const HorkaKlavesa& b) { return PorovnatKategorie(a, b) < 0; });
}

void PridatVychoziHorkeKlavesy(HorkeKlavesy& tabulka) {
    static const struct {
        UINT prikaz, kategorie;
    } vychozi[] = {
        {40001, KATEGORIE_VSEOBECNE},      {40002, KATEGORIE_VSEOBECNE},      {40019, KATEGORIE_VSEOBECNE},
        {40018, KATEGORIE_VSEOBECNE},      {40040, KATEGORIE_SCHRANKA},       {40041, KATEGORIE_SCHRANKA},
        {40042, KATEGORIE_SCHRANKA},       {40061, KATEGORIE_POZNAMKY},       {40062, KATEGORIE_POZNAMKY},
        {40059, KATEGORIE_POZNAMKY},       {40090, KATEGORIE_SLEDOVANI_SYSTEMU}, {40060, KATEGORIE_POZNAMKY},
        {40113, KATEGORIE_OBRAZOVKA},      {40133, KATEGORIE_OBRAZOVKA},      {40134, KATEGORIE_OBRAZOVKA},
        {40116, KATEGORIE_OBRAZOVKA},      {40114, KATEGORIE_OBRAZOVKA},      {40115, KATEGORIE_OBRAZOVKA},
        {40127, KATEGORIE_OBRAZOVKA},      {40107, KATEGORIE_ROZSIRENI_OKEN}, {40053, KATEGORIE_ROZSIRENI_OKEN},
        {40103, KATEGORIE_ROZSIRENI_OKEN}, {40104, KATEGORIE_ROZSIRENI_OKEN}, {40105, KATEGORIE_ROZSIRENI_OKEN},
        {40109, KATEGORIE_ROZSIRENI_OKEN}, {40110, KATEGORIE_ROZSIRENI_OKEN}, {40106, KATEGORIE_ROZSIRENI_OKEN},
        {40049, KATEGORIE_ROZSIRENI_OKEN}, {40048, KATEGORIE_ROZSIRENI_OKEN}, {40051, KATEGORIE_ROZSIRENI_OKEN},
        {40050, KATEGORIE_ROZSIRENI_OKEN}, {40099, KATEGORIE_ROZSIRENI_OKEN}, {40100, KATEGORIE_ROZSIRENI_OKEN},
        {40101, KATEGORIE_ROZSIRENI_OKEN}, {40102, KATEGORIE_ROZSIRENI_OKEN}, {40004, KATEGORIE_INTERNET},
        {40152, KATEGORIE_MERENI_CASU},    {40157, KATEGORIE_MERENI_CASU},    {40153, KATEGORIE_MERENI_CASU},
        {40154, KATEGORIE_MERENI_CASU},    {40169, KATEGORIE_MULTIMEDIA},     {40168, KATEGORIE_MULTIMEDIA},
    };
    for (const auto& r : vychozi) tabulka.Pridat(r.prikaz, r.kategorie);
}

int NacistASeraditHorkeKlavesy(HorkeKlavesy& tabulka) {
    int vysledek = tabulka.Nacist();
    if (vysledek == 1) tabulka.Ulozit();
    tabulka.Seradit();
    return vysledek;
}
