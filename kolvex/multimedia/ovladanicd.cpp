#include "multimedia/ovladanicd.h"

#include <new>

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;

std::unique_ptr<OvladaniCD> jednotkyCD;

DWORD(WINAPI* logickeJednotky)() = ::GetLogicalDrives;
UINT(WINAPI* typJednotky)(LPCWSTR) = ::GetDriveTypeW;

namespace {

HICON IkonaSeznamu(int obrazek) {
    HIMAGELIST seznam = aplikace.seznamMenu.Get();
    if (!seznam) VyhoditChybu(E_HANDLE);
    HICON ikona = ::ImageList_GetIcon(seznam, obrazek, ILD_NORMAL);
    if (!ikona) VyhoditChybu(E_HANDLE);
    return ikona;
}

}  // namespace

OvladaniCD::OvladaniCD() : nazev(knihovna::Retezec(IDS_NAZEV_OVLADANI_CD)) {
    knihovna::UchytIkony prazdna(IkonaSeznamu(81));
    knihovna::UchytIkony disk(IkonaSeznamu(83));
    knihovna::UchytIkony treti(IkonaSeznamu(82));
    ikonaPrazdna = prazdna.Odevzdat();
    ikonaDisk = disk.Odevzdat();
    ikonaTreti = treti.Odevzdat();
}

OvladaniCD::~OvladaniCD() {
    ZastavitJednotky();
    for (HICON* ikona : {&ikonaPrazdna, &ikonaDisk, &ikonaTreti}) {
        if (*ikona) ::DestroyIcon(*ikona);
        *ikona = nullptr;
    }
}

void OvladaniCD::NajitJednotky() {
    const DWORD maska = logickeJednotky();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(maska & (1u << bit))) continue;
        const wchar_t pismeno = static_cast<wchar_t>(L'A' + bit);
        const wchar_t koren[] = {pismeno, L':', L'\\', 0};
        if (typJednotky(koren) != DRIVE_CDROM) continue;
        try {
            auto jednotka = std::make_unique<JednotkaCD>();
            jednotka->cesta = std::wstring{pismeno, L':'};
            jednotka->pismeno = static_cast<char>('A' + bit);
            jednotka->index = m_jednotky.size();
            jednotka->ikonaPrazdna = ikonaPrazdna;
            jednotka->ikonaDisk = ikonaDisk;
            m_jednotky.push_back(std::move(jednotka));
        } catch (const std::bad_alloc&) {
            VyhoditChybu(E_OUTOFMEMORY);
        }
    }
}

HMENU OvladaniCD::VytvoritMenuJednotek() const {
    if (m_jednotky.empty()) return nullptr;
    knihovna::UchytMenu menu(::CreatePopupMenu());
    Overit(menu.Get() != nullptr);
    // only the first 51 drives have a command the main window dispatches
    const size_t pocet = m_jednotky.size() < MAX_POCET_JEDNOTEK_CD ? m_jednotky.size() : MAX_POCET_JEDNOTEK_CD;
    for (size_t i = 0; i < pocet; ++i) {
        const JednotkaCD& jednotka = *m_jednotky[i];
        MENUITEMINFOW polozka{};
        polozka.cbSize = sizeof(polozka);
        polozka.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
        polozka.fType = aplikace.nastaveni.vlastniVzhled ? MFT_OWNERDRAW : MFT_STRING;
        polozka.fState = jednotka.Bezi() && jednotka.IkonaZobrazena() ? MFS_CHECKED : MFS_UNCHECKED;
        polozka.wID = PRVNI_PRIKAZ_JEDNOTKY_CD + static_cast<UINT>(i);
        std::wstring text = jednotka.cesta;
        polozka.dwTypeData = &text[0];
        // inserted at the top: the last drive found comes first
        if (!::InsertMenuItemW(menu.Get(), 0, TRUE, &polozka)) VyhoditChybu(E_INVALIDARG);
    }
    return menu.Odevzdat();
}

void OvladaniCD::PoslatVsem(bool otevrit) const {
    // called from drive threads: a drive without a window (stopped) is skipped by the post itself
    for (const auto& jednotka : m_jednotky)
        if (jednotka) jednotka->PoslatPrikaz(otevrit ? 40136 : 40137);
}

void OvladaniCD::ZastavitJednotky() {
    for (auto& jednotka : m_jednotky) {
        jednotka->Zastavit();
        // a thread that did not end in time keeps its object: it is never freed under it
        if (jednotka->Bezi()) (void)jednotka.release();
    }
    m_jednotky.clear();
}
