#include "core/hlavnimenu.h"

#include "core/aplikace.h"
#include "core/napojeni.h"
#include "core/vlaknomodulu.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

namespace {

bool Bezi(Nastroj nastroj) {
    VlaknoModulu* modul = NajitNastroj(nastroj);
    return modul && modul->Bezi();
}

bool IkonaZobrazena(Nastroj nastroj, UINT polozka) {
    VlaknoModulu* modul = NajitNastroj(nastroj);
    return modul && modul->JeZobrazenaIkona(polozka);
}

bool MaPolozku(HMENU menu, UINT id) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID;
    return ::GetMenuItemInfoW(menu, id, FALSE, &mii) != 0;
}

void Odebrat(HMENU menu, UINT id) {
    if (MaPolozku(menu, id)) Overit(::DeleteMenu(menu, id, MF_BYCOMMAND) != 0);
}

void Zasednout(HMENU menu, UINT id) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STATE;
    Overit(::GetMenuItemInfoW(menu, id, FALSE, &mii) != 0);
    mii.fState |= MFS_GRAYED;
    Overit(::SetMenuItemInfoW(menu, id, FALSE, &mii) != 0);
}

// Takes the submenu of an item back, so that destroying the menu leaves it alone.
void Odpojit(HMENU menu, UINT id) {
    if (!menu || !MaPolozku(menu, id)) return;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_SUBMENU;
    mii.hSubMenu = nullptr;
    ::SetMenuItemInfoW(menu, id, FALSE, &mii);
}

}  // namespace

HlavniMenu::HlavniMenu() {
    try {
        Sestavit();
    } catch (...) {
        Uvolnit();
        throw;
    }
}

HlavniMenu::~HlavniMenu() { Uvolnit(); }

void HlavniMenu::Uvolnit() {
    m_externi.reset();
    m_napoveda.reset();
    m_ikony.reset();
    Odpojit(m_zaznam.popup, 40094);
    if (m_pruzkumnik) ::DestroyMenu(m_pruzkumnik);
    if (m_jednotky) ::DestroyMenu(m_jednotky);
    if (m_zasuvne) ::DestroyMenu(m_zasuvne);
    if (m_hlavni) ::DestroyMenu(m_hlavni);  // with the drive and plug-in popups that were put in
    m_pruzkumnik = m_jednotky = m_zasuvne = m_hlavni = nullptr;
    m_zaznam.popup = nullptr;
}

void HlavniMenu::PripojitPodmenu(UINT id, HMENU podmenu, UINT idTextu) {
    std::wstring text = knihovna::Retezec(idTextu);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING | MIIM_SUBMENU;
    mii.dwTypeData = const_cast<wchar_t*>(text.c_str());
    mii.hSubMenu = podmenu;
    Overit(::SetMenuItemInfoW(m_zaznam.popup, id, FALSE, &mii) != 0);
}

void HlavniMenu::Sestavit() {
    const NastaveniObecne& nastaveni = aplikace.nastaveni;
    const PolozkyMenu& polozky = nastaveni.polozkyMenu;

    // 1. Drive and plug-in popups.
    m_jednotky = VytvoritMenuJednotekCD();
    if (polozky.zasuvneModuly) m_zasuvne = VytvoritMenuZasuvnychModulu();

    // 2. Menus 102 and 149, the record of the open popup.
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    m_hlavni = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDM_HLAVNI));
    Overit(m_hlavni != nullptr);
    m_pruzkumnik = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDM_ROZSIRENI_PRUZKUMNIKA));
    Overit(m_pruzkumnik != nullptr);
    m_zaznam.popup = ::GetSubMenu(m_hlavni, 0);
    m_zaznam.obrazky = aplikace.seznamMenu.Get();
    HMENU popup = m_zaznam.popup;

    // 3. Outside programs, Help, control icons.
    m_externi = std::make_unique<MenuExterniAplikace>(&m_zaznam);
    if (polozky.externiAplikace) m_externi->NahraditZastupce();
    m_napoveda = std::make_unique<MenuNapoveda>(&m_zaznam);
    m_napoveda->NahraditZastupce();
    m_ikony = std::make_unique<MenuOvladaciIkony>(&m_zaznam);
    m_ikony->NahraditZastupce();

    // 5. Explorer extensions.
    bool pruzkumnikVlozen = false;
    if (polozky.shellExtension) {
        PripojitPodmenu(40094, ::GetSubMenu(m_pruzkumnik, 0), IDS_ROZSIRENI_PRUZKUMNIKA);
        pruzkumnikVlozen = true;
    }

    // 6. CD/DVD drives.
    if (polozky.ovladaniCD) {
        if (m_jednotky) {
            PripojitPodmenu(40140, m_jednotky, IDS_OVLADANI_CD);
            m_jednotky = nullptr;  // owned by menu 102 from now on
        } else {
            MenuPopup::NastavitTextPolozky(popup, 40140, IDS_OVLADANI_CD);
            Zasednout(popup, 40140);
        }
    }

    // 7. Plug-ins.
    const bool zasuvneVlozeny = m_zasuvne != nullptr;
    if (m_zasuvne) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING | MIIM_SUBMENU;
        mii.dwTypeData = const_cast<wchar_t*>(L"Zásuvné moduly");
        mii.hSubMenu = m_zasuvne;
        Overit(::SetMenuItemInfoW(popup, 40097, FALSE, &mii) != 0);
        m_zasuvne = nullptr;
    } else {
        Zasednout(popup, 40097);
    }

    // 8. Own look.
    if (nastaveni.vlastniVzhled) {
        std::vector<UINT> kreslene = {40184, 40202, 40001, 40179, 40167, 40131, 40004, 40002, 40140, 40089, 40098, 40165};
        if (polozky.shellExtension) kreslene.insert(kreslene.end(), {40095, 40096, 40094});
        kreslene.insert(kreslene.end(), {40058, 40224, 40092, 40112, 40005, 40158});
        if (polozky.zasuvneModuly) kreslene.push_back(40097);
        for (UINT id : kreslene)
            if (MaPolozku(popup, id)) MenuPopup::NastavitVlastniKresleni(m_zaznam, id, false);
    }

    // 9. Check marks of running modules and shown icons.
    const struct {
        UINT id;
        Nastroj nastroj;
    } behy[] = {
        {40004, Nastroj::CteckaRSS},        {40184, Nastroj::Hodiny},       {40202, Nastroj::HostInfo},
        {40098, Nastroj::RozsireniOken},    {40179, Nastroj::Kontakty},     {40165, Nastroj::SeznamRegistraci},
        {40224, Nastroj::SitLanInfo},       {40092, Nastroj::SledovaniPameti}, {40158, Nastroj::Stopky},
    };
    for (const auto& b : behy)
        if (Bezi(b.nastroj)) MenuPopup::ZaskrtnoutPolozku(m_zaznam, b.id, true);
    const struct {
        UINT id;
        Nastroj nastroj;
    } ikony[] = {
        {40017, Nastroj::Sonvidar}, {40012, Nastroj::Poznamky}, {40013, Nastroj::Poznamky},
        {40014, Nastroj::Poznamky}, {40015, Nastroj::Obrazovka}, {40016, Nastroj::Pocasi},
        {40011, Nastroj::Schranka}, {40006, Nastroj::SpousteniAplikaci},
    };
    for (const auto& i : ikony)
        if (IkonaZobrazena(i.nastroj, i.id)) MenuPopup::ZaskrtnoutPolozku(m_zaznam, i.id, true);

    // 10. Outside programs: missing ones hidden or greyed, running ones checked.
    if (polozky.externiAplikace) {
        const struct {
            UINT id;
            ExterniProgram program;
        } programy[] = {{40187, ExterniProgram::Varnel}, {40188, ExterniProgram::Meltis}};
        for (const auto& p : programy) {
            if (!NalezenExterniProgram(p.program)) {
                if (nastaveni.skrytNenalezeneExtAplikace)
                    Odebrat(popup, p.id);
                else
                    Zasednout(popup, p.id);
            } else if (BeziExterniProgram(p.program)) {
                MenuPopup::ZaskrtnoutPolozku(m_zaznam, p.id, true);
            }
        }
    }

    // 11. Items switched off.
    const struct {
        bool zapnuto;
        UINT id;
    } prepinace[] = {
        {polozky.externiAplikace, 40185}, {polozky.hodiny, 40184},          {polozky.hostInfo, 40202},
        {polozky.kontakty, 40179},        {polozky.sonvidar, 40167},        {polozky.obrazovka, 40131},
        {polozky.ovladaniCD, 40140},      {polozky.poznamky, 40089},        {polozky.rozsireniOken, 40098},
        {polozky.rssCtecka, 40004},       {polozky.shellExtension, 40094},  {polozky.schranka, 40058},
        {polozky.sitLanInfo, 40224},      {polozky.seznamRegistraci, 40165}, {polozky.sledovaniPameti, 40092},
        {polozky.sledovaniProcesu, 40112}, {polozky.spousteniAplikaci, 40005}, {polozky.stopky, 40158},
        {zasuvneVlozeny, 40097},
    };
    for (const auto& p : prepinace)
        if (!p.zapnuto) Odebrat(popup, p.id);

    // 12. Extensions set apart from the settings.
    if (zasuvneVlozeny || pruzkumnikVlozen) MenuPopup::VlozitOddelovac(m_zaznam, 40002, 0);
    OdstranitNadbytecneOddelovace();
}

// Items switched off leave their separators behind: no separator at either end, none doubled.
void HlavniMenu::OdstranitNadbytecneOddelovace() {
    HMENU popup = m_zaznam.popup;
    auto jeOddelovac = [popup](int i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        return ::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &mii) && (mii.fType & MFT_SEPARATOR);
    };
    bool predchoziOddelovac = true;  // the start counts as one
    for (int i = 0; i < ::GetMenuItemCount(popup);) {
        bool oddelovac = jeOddelovac(i);
        if (oddelovac && predchoziOddelovac) {
            Overit(::DeleteMenu(popup, static_cast<UINT>(i), MF_BYPOSITION) != 0);
            continue;
        }
        predchoziOddelovac = oddelovac;
        ++i;
    }
    int posledni = ::GetMenuItemCount(popup) - 1;
    if (posledni >= 0 && jeOddelovac(posledni)) Overit(::DeleteMenu(popup, static_cast<UINT>(posledni), MF_BYPOSITION) != 0);
}
