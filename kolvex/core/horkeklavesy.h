// The hot-key command table: every command the user may bind to a global hot key, with its key
// and the category the hot-key settings page shows it under. Stored under
// HKCU\<application key>\Horke klavesy, one REG_BINARY value of 16 bytes per row, named by the
// command id in decimal.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// One row; the same 16 bytes (four little-endian 32-bit values) are the registry value's data.
struct HorkaKlavesa {
    uint32_t modifikatory = 0;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT; 0 = none
    uint32_t klavesa = 0;       // virtual key; 0 = no hot key assigned
    uint32_t prikaz = 0;        // WM_COMMAND id, also the hot-key id
    uint32_t kategorie = 0;     // string id of the category name
};
static_assert(sizeof(HorkaKlavesa) == 16, "a row is stored as exactly 16 bytes");

// Category string ids.
constexpr UINT KATEGORIE_VSEOBECNE = 27;
constexpr UINT KATEGORIE_POZNAMKY = 32;
constexpr UINT KATEGORIE_OBRAZOVKA = 33;
constexpr UINT KATEGORIE_ROZSIRENI_OKEN = 34;
constexpr UINT KATEGORIE_SCHRANKA = 35;
constexpr UINT KATEGORIE_MERENI_CASU = 36;
constexpr UINT KATEGORIE_MULTIMEDIA = 37;
constexpr UINT KATEGORIE_SLEDOVANI_SYSTEMU = 97;
constexpr UINT KATEGORIE_INTERNET = 238;

class HorkeKlavesy {
public:
    // Empty table on the application key (copied); null raises E_INVALIDARG.
    explicit HorkeKlavesy(const wchar_t* klicAplikace);

    std::vector<HorkaKlavesa> zaznamy;  // rows in table order; read and changed in place by index
    std::wstring klicAplikace;
    HKEY koren = HKEY_CURRENT_USER;
    std::wstring podklic = L"Horke klavesy";

    size_t Pocet() const { return zaznamy.size(); }
    // Appends {0, 0, prikaz, kategorie}.
    void Pridat(UINT prikaz, UINT kategorie);
    // The row of a command, null when there is none.
    HorkaKlavesa* Najit(UINT prikaz);

    // Completes the table from the registry: a stored id of a named command the table lacks is
    // appended (any other id is skipped), then every row takes modifiers, key and category from
    // its value. 1 = no subkey (table unchanged), 0 = read.
    int Nacist();
    // Writes every row, then removes the values of commands that are not in the table.
    // 1 = the subkey could not be created (nothing written), 0 = written; a failed write raises.
    int Ulozit();
    // Sorts by category ascending; rows of one category keep their order.
    void Seradit();

    std::wstring CestaKlice() const { return klicAplikace + L"\\" + podklic; }
};

// Three-way comparison by category, unsigned: -1, 0, 1.
int PorovnatKategorie(const HorkaKlavesa& a, const HorkaKlavesa& b);

// Appends the 42 default rows (no key bound) in their fixed order.
void PridatVychoziHorkeKlavesy(HorkeKlavesy& tabulka);

// The start-up load: completes the table from the registry and sorts it by category. On the
// first start (no subkey yet) the table as it stands is written, so the stored set is complete
// from then on. 1 = first start (defaults written), 0 = loaded; registry failures raise.
int NacistASeraditHorkeKlavesy(HorkeKlavesy& tabulka);
