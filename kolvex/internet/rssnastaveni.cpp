#include "internet/rssnastaveni.h"

#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/chyba.h"

using knihovna::VyhoditChybu;

LRESULT DlgNastavCteckaRSS::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    if (!nastaveniCteckaRSS) VyhoditChybu(E_HANDLE);
    const KonfiguraceCteckaRSS& n = *nastaveniCteckaRSS;
    m_vyska.Pripojit(Polozka(IDC_RSS_VYSKA), n.vyskaPolozkySeznamu, 32, 400);
    m_popis.m_hWnd = Polozka(IDC_RSS_ZOBRAZENI_POPISU);
    if (!m_popis.m_hWnd) VyhoditChybu(E_INVALIDARG);
    knihovna::PridatPolozkuCombo(m_popis, L"Nezobrazovat popis - pouze titulek", 0);
    knihovna::PridatPolozkuCombo(m_popis, L"Zobrazovat popis v seznamu položek", 1);
    ::CheckDlgButton(m_hWnd, IDC_RSS_MINIMALIZOVAT, n.oknoNavrchuMinimalizovat ? BST_CHECKED : BST_UNCHECKED);
    const LRESULT vybrana = n.zobrazovatPopis == 1 ? 1 : 0;
    if (m_popis.Poslat(CB_SETCURSEL, static_cast<WPARAM>(vybrana)) == CB_ERR) VyhoditChybu(E_INVALIDARG);
    return TRUE;
}

void DlgNastavCteckaRSS::Ulozit() {
    if (!nastaveniCteckaRSS) return;
    KonfiguraceCteckaRSS& n = *nastaveniCteckaRSS;
    unsigned vyska = 0;
    if (m_vyska.m_hWnd && m_vyska.NacistHodnotu(&vyska) == 0) n.vyskaPolozkySeznamu = vyska;
    if (m_popis.m_hWnd) n.zobrazovatPopis = static_cast<DWORD>(m_popis.NacistDataVybranePolozky());
    n.oknoNavrchuMinimalizovat = ::IsDlgButtonChecked(m_hWnd, IDC_RSS_MINIMALIZOVAT) == BST_CHECKED;
}
