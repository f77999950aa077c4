#include "records/dlgnastavzaznamy.h"

#include <iterator>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "records/oknoseznamu.h"

namespace {

const BitZaskrtnuti BITY_REGISTRACI[] = {
    {IDC_OKNO_NAVRCHU, OKNO_NAVRCHU},        {IDC_OKNO_BEZ_TITULKU, OKNO_BEZ_TITULKU},
    {IDC_OKNO_TAZENI, OKNO_TAZENI},          {IDC_OKNO_PRUHLEDNE, OKNO_PRUHLEDNE},
    {IDC_OKNO_STAVOVY_RADEK, OKNO_STAVOVY_RADEK},
};
const BitZaskrtnuti BITY_KONTAKTU[] = {
    {IDC_OKNO_NAVRCHU, OKNO_NAVRCHU},
    {IDC_OKNO_BEZ_TITULKU, OKNO_BEZ_TITULKU},
    {IDC_OKNO_PRUHLEDNE, OKNO_PRUHLEDNE},
    {IDC_OKNO_TAZENI, OKNO_TAZENI},
};

void Zaskrtnout(HWND stranka, int id, bool ano) { ::CheckDlgButton(stranka, id, ano ? BST_CHECKED : BST_UNCHECKED); }
bool Zaskrtnuto(HWND stranka, int id) { return ::IsDlgButtonChecked(stranka, id) == BST_CHECKED; }

const wchar_t FILTR_REGISTRACI[] = L"Soubory seznamů registrací\0*.qxml\0";
const wchar_t FILTR_KONTAKTU[] = L"Soubory kontaků\0*.qxml\0";
constexpr int OBRAZEK_VYBERU = 54;

}  // namespace

void ZaskrtnoutBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota) {
    for (size_t i = 0; i < pocet; ++i) Zaskrtnout(stranka, bity[i].id, (hodnota & bity[i].bit) != 0);
}

DWORD PrecistBity(HWND stranka, const BitZaskrtnuti* bity, size_t pocet, DWORD hodnota) {
    for (size_t i = 0; i < pocet; ++i) {
        if (Zaskrtnuto(stranka, bity[i].id))
            hodnota |= bity[i].bit;
        else
            hodnota &= ~bity[i].bit;
    }
    return hodnota;
}

template <class T>
template <class K>
void StrankaZaznamuImpl<T>::NaplnitSpolecne(const K& n, const wchar_t* filtr) {
    knihovna::NaplnitComboKdy(minimalizovat, this->Polozka(IDC_MINIMALIZOVAT), n.minimalizovat);
    knihovna::NaplnitComboIkona(ikona, this->Polozka(IDC_VLASTNI_IKONA), n.oznamovaciIkona);
    soubor.Pripojit(this->Polozka(IDC_SOUBOR_SEZNAMU), n.soubor.Text().c_str(), aplikace.seznamMenu.Get(), OBRAZEK_VYBERU,
                    filtr);
}

template <class T>
template <class K>
void StrankaZaznamuImpl<T>::UlozitSpolecne(K& n) {
    n.minimalizovat = static_cast<DWORD>(minimalizovat.NacistDataVybranePolozky());
    n.oznamovaciIkona = static_cast<DWORD>(ikona.NacistDataVybranePolozky());
    n.soubor = soubor.Text();
}

// ---------------------------------------------------------------------------------------------

void DlgNastavSeznamRegistraci::NaplnitPrvky() {
    if (!nastaveniSeznamRegistraci) knihovna::VyhoditChybu(E_HANDLE);
    const KonfiguraceSeznamRegistraci& n = *nastaveniSeznamRegistraci;
    ZaskrtnoutBity(m_hWnd, BITY_REGISTRACI, std::size(BITY_REGISTRACI), n.oknoSeznam);
    Zaskrtnout(m_hWnd, IDC_PRUH_ULOH, n.pruhUloh);
    Zaskrtnout(m_hWnd, IDC_STATUS_HESLO, n.statusBarHeslo);
    Zaskrtnout(m_hWnd, IDC_STATUS_JMENO, n.statusBarPrihlasJmeno);
    NaplnitSpolecne(n, FILTR_REGISTRACI);
}

void DlgNastavSeznamRegistraci::Ulozit() {
    if (!nastaveniSeznamRegistraci || !m_hWnd) return;
    KonfiguraceSeznamRegistraci& n = *nastaveniSeznamRegistraci;
    n.oknoSeznam = PrecistBity(m_hWnd, BITY_REGISTRACI, std::size(BITY_REGISTRACI), n.oknoSeznam);
    n.pruhUloh = Zaskrtnuto(m_hWnd, IDC_PRUH_ULOH);
    n.statusBarHeslo = Zaskrtnuto(m_hWnd, IDC_STATUS_HESLO);
    n.statusBarPrihlasJmeno = Zaskrtnuto(m_hWnd, IDC_STATUS_JMENO);
    UlozitSpolecne(n);
}

void DlgNastavKontakty::NaplnitPrvky() {
    if (!nastaveniKontakty) knihovna::VyhoditChybu(E_HANDLE);
    const KonfiguraceKontakty& n = *nastaveniKontakty;
    ZaskrtnoutBity(m_hWnd, BITY_KONTAKTU, std::size(BITY_KONTAKTU), n.oknoSeznam);
    Zaskrtnout(m_hWnd, IDC_PRUH_ULOH, n.pruhUloh);
    Zaskrtnout(m_hWnd, IDC_ZJISTOVAT_ICQ, n.zjistovatStavICQ);
    NaplnitSpolecne(n, FILTR_KONTAKTU);
}

void DlgNastavKontakty::Ulozit() {
    if (!nastaveniKontakty || !m_hWnd) return;
    KonfiguraceKontakty& n = *nastaveniKontakty;
    n.oknoSeznam = PrecistBity(m_hWnd, BITY_KONTAKTU, std::size(BITY_KONTAKTU), n.oknoSeznam);
    n.pruhUloh = Zaskrtnuto(m_hWnd, IDC_PRUH_ULOH);
    n.zjistovatStavICQ = Zaskrtnuto(m_hWnd, IDC_ZJISTOVAT_ICQ);
    UlozitSpolecne(n);
}
