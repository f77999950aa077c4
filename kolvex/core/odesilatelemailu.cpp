#include "core/odesilatelemailu.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"

using knihovna::Chyba;

namespace {

// Shown when the edit had no mask character of its own (a template without ES_PASSWORD).
constexpr wchar_t ZNAK_HESLA_NAHRADNI = L'\x25CF';

}  // namespace

KonfiguraceOdesilatelEmailu::KonfiguraceOdesilatelEmailu() {
    sekce = knihovna::Retezec(IDS_SEKCE_ODESILATEL_EMAILU);
    NastavitVychozi();
    Nacist();
}

void KonfiguraceOdesilatelEmailu::NastavitVychozi() {
    email = L"";
    heslo = L"";
    odesilatel = aplikace.jmenoUzivatele.empty() ? std::wstring(L"Přihlášený uživatel") : aplikace.jmenoUzivatele;
    uzivatel = L"";
    server = L"";
    zobrazovatHeslo = false;
}

template <class V>
void KonfiguraceOdesilatelEmailu::Projit(V& v) {
    if (!v.Sekce(sekce)) return;
    v(L"email", email);
    v(L"heslo", heslo);
    v(L"odesilatel", odesilatel);
    v(L"server", server);
    v(L"uzivatel", uzivatel);
    v(L"zobrazovatHeslo", zobrazovatHeslo);
}

void KonfiguraceOdesilatelEmailu::Nacist() {
    CteniNastaveni cteni;
    Projit(cteni);
    cteni.ZavritSekci();
    if (cteni.Selhalo()) HlasitChybuNastaveni(IDS_CHYBA_NACTENI_ODESILATELE_EMAILU, L"", cteni.PrvniChyba());
}

void KonfiguraceOdesilatelEmailu::Ulozit() {
    try {
        ZapisNastaveni zapis;
        Projit(zapis);
        zapis.ZavritSekci();
    } catch (const Chyba& chyba) {
        HlasitChybuNastaveni(IDS_CHYBA_ZAPISU_ODESILATELE_EMAILU, L"", chyba);
    }
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavOdesilatelEmailu::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    znakHesla = static_cast<wchar_t>(::SendDlgItemMessageW(m_hWnd, IDC_EMAIL_HESLO, EM_GETPASSWORDCHAR, 0, 0));
    if (!znakHesla) znakHesla = ZNAK_HESLA_NAHRADNI;
    if (nastaveniOdesilatelEmailu) {
        const KonfiguraceOdesilatelEmailu& k = *nastaveniOdesilatelEmailu;
        ::SetDlgItemTextW(m_hWnd, IDC_EMAIL_ADRESA, k.email.Text().c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_EMAIL_HESLO, k.heslo.Text().c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_EMAIL_SERVER, k.server.Text().c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_EMAIL_UZIVATEL, k.uzivatel.Text().c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_EMAIL_ODESILATEL, k.odesilatel.Text().c_str());
        ::CheckDlgButton(m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO, k.zobrazovatHeslo ? BST_CHECKED : BST_UNCHECKED);
    }
    ZobrazitHeslo();
    return TRUE;
}

void DlgNastavOdesilatelEmailu::ZobrazitHeslo() {
    HWND edit = Polozka(IDC_EMAIL_HESLO);
    const bool zobrazit = ::IsDlgButtonChecked(m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO) == BST_CHECKED;
    ::SendMessageW(edit, EM_SETPASSWORDCHAR, zobrazit ? 0 : znakHesla, 0);
    ::RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    ::PostMessageW(::GetParent(m_hWnd), ZpravaStrankaZmenena, 0, 0);
}

LRESULT DlgNastavOdesilatelEmailu::OnZobrazitHeslo(WORD, WORD, HWND, BOOL&) {
    ZobrazitHeslo();
    return 0;
}

void DlgNastavOdesilatelEmailu::Ulozit() {
    if (!nastaveniOdesilatelEmailu) return;
    KonfiguraceOdesilatelEmailu& k = *nastaveniOdesilatelEmailu;
    std::wstring text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_EMAIL_ADRESA, text);
    k.email = text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_EMAIL_HESLO, text);
    k.heslo = text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_EMAIL_SERVER, text);
    k.server = text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_EMAIL_UZIVATEL, text);
    k.uzivatel = text;
    knihovna::NacistTextPrvku(m_hWnd, IDC_EMAIL_ODESILATEL, text);
    k.odesilatel = text;
    k.zobrazovatHeslo = ::IsDlgButtonChecked(m_hWnd, IDC_EMAIL_ZOBRAZIT_HESLO) == BST_CHECKED;
}
