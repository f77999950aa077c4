// Settings pages of the registrations and passwords (174) and of the contacts (183).
#pragma once

#include <windows.h>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/prvky.h"
#include "resources/resource.h"

// The settings page of a record window: its map, the tray icon and minimize combo boxes and the
// file edit; T gives IDD and NaplnitPrvky() (its controls from the settings).
template <class T>
class StrankaZaznamuImpl : public StrankaNastaveniImpl<T> {
public:
    KNIHOVNA_MAPA_ZPRAV(StrankaZaznamuImpl)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ_KOD(BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_KOD(CBN_SELCHANGE, OnZmenaPrvku)
        PRIKAZ(IDC_SOUBOR_SEZNAMU, EN_CHANGE, OnZmenaPrvku)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

    knihovna::ComboBox ikona;
    knihovna::ComboBox minimalizovat;
    knihovna::EditSoubor soubor;

protected:
    using StrankaNastaveniImpl<T>::OnZmenaPrvku;
    // The combo boxes and the file edit from the settings n (filter of the file choice).
    template <class K>
    void NaplnitSpolecne(const K& n, const wchar_t* filtr);
    // The combo boxes and the file edit into the settings n.
    template <class K>
    void UlozitSpolecne(K& n);

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        static_cast<T*>(this)->NaplnitPrvky();
        return TRUE;
    }
};

class DlgNastavSeznamRegistraci : public StrankaZaznamuImpl<DlgNastavSeznamRegistraci> {
public:
    enum { IDD = IDD_NASTAV_SEZNAM_REGISTRACI };
    void NaplnitPrvky();
    void Ulozit() override;
};

class DlgNastavKontakty : public StrankaZaznamuImpl<DlgNastavKontakty> {
public:
    enum { IDD = IDD_NASTAV_KONTAKTY };
    void NaplnitPrvky();
    void Ulozit() override;
};

// The flag bits of the check boxes of both pages: set or cleared by each box, others kept.
struct BitZaskrtnuti {
    int id;
    DWORD bit;
};
void ZaskrtnoutBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota);
DWORD PrecistBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota);
