#include "internet/hostinfo.h"

#include <winsock2.h>
#include <commctrl.h>
#include <process.h>

#include <cstring>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/sit.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulHostInfo> modulHostInfo;

namespace {

constexpr int OBRAZEK_MODULU = 73;
constexpr UINT STRANKA_HOST_INFO = 203;
std::unique_ptr<VlaknoHostInfo> vlaknoHostInfo;

DWORD Minimalizace() { return nastaveniHostInfo ? nastaveniHostInfo->minimalizace : 0; }

// One look-up on its worker: everything it touches is its own; the result goes by message.
struct Hledani {
    HWND okno;
    int cil;
    unsigned poradi;
    std::wstring dotaz;
    bool podleAdresy;
};

unsigned __stdcall ProceduraHledani(void* parametr) {
    std::unique_ptr<Hledani> hledani(static_cast<Hledani*>(parametr));
    auto vysledek = std::make_unique<std::wstring>();
    try {
        *vysledek = hledani->podleAdresy ? NajitJmenoPodleAdresy(hledani->dotaz) : NajitAdresuPodleJmena(hledani->dotaz);
    } catch (...) {
        vysledek->clear();
    }
    const WPARAM w = MAKEWPARAM(static_cast<WORD>(hledani->cil), static_cast<WORD>(hledani->poradi));
    if (::PostMessageW(hledani->okno, ZpravaVysledekHledani, w, reinterpret_cast<LPARAM>(vysledek.get())))
        vysledek.release();
    return 0;
}

// A shell that is gone already does not stop the closing.
void OdebratIkonu(IkonaTray*& ikona) {
    if (!ikona) return;
    try {
        ikona->Odebrat();
    } catch (const knihovna::Chyba&) {
    }
    delete ikona;
    ikona = nullptr;
}

int IkonaPolozky(UINT id) {
    if (id == 40155) return 10;
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

}  // namespace

std::wstring NajitJmenoPodleAdresy(const std::wstring& adresa) {
    const std::string text = knihovna::NaUzky(adresa, CP_ACP);
    unsigned long ip = ::inet_addr(text.c_str());
    if (ip == INADDR_NONE && text != "255.255.255.255") return L"";
    hostent* pocitac = ::gethostbyaddr(reinterpret_cast<const char*>(&ip), 4, AF_INET);
    if (!pocitac || !pocitac->h_name) return L"";
    return knihovna::NaSiroky(pocitac->h_name, CP_ACP);
}

std::wstring NajitAdresuPodleJmena(const std::wstring& jmeno) {
    if (jmeno.empty()) return L"";
    const std::string text = knihovna::NaUzky(jmeno, CP_ACP);
    hostent* pocitac = ::gethostbyname(text.c_str());
    if (!pocitac || pocitac->h_addrtype != AF_INET || !pocitac->h_addr_list || !pocitac->h_addr_list[0]) return L"";
    in_addr adresa;
    std::memcpy(&adresa, pocitac->h_addr_list[0], sizeof(adresa));
    const char* tecky = ::inet_ntoa(adresa);
    return tecky ? knihovna::NaSiroky(tecky, CP_ACP) : L"";
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgHostInfo::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    tooltip.Vytvorit(m_hWnd);
    for (int id : {IDC_HOST_NAJIT_JMENO, IDC_HOST_NAJIT_ADRESU}) {
        HWND tlacitko = Polozka(id);
        if (!tlacitko) knihovna::VyhoditChybu(E_INVALIDARG);
        tooltip.PridatNastrojId(tlacitko, 0);
    }
    std::wstring ip, jmeno;
    if (ZiskatIpAdresuPocitace(ip, jmeno) == 0) {
        NastavitAdresu(ip);
        ::SetDlgItemTextW(m_hWnd, IDC_HOST_JMENO, jmeno.c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_HOST_VLASTNI_IP, Formatovat(L"Vlastní IP: %s", ip.c_str()).c_str());
        ::SetDlgItemTextW(m_hWnd, IDC_HOST_STANICE, Formatovat(L"Stanice: %s", jmeno.c_str()).c_str());
    }
    return TRUE;
}

std::wstring DlgHostInfo::Adresa() const {
    DWORD adresa = 0;
    if (::SendDlgItemMessageW(m_hWnd, IDC_HOST_ADRESA, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&adresa)) == 0) return L"";
    return Formatovat(L"%u.%u.%u.%u", FIRST_IPADDRESS(adresa), SECOND_IPADDRESS(adresa), THIRD_IPADDRESS(adresa),
                      FOURTH_IPADDRESS(adresa));
}

void DlgHostInfo::NastavitAdresu(const std::wstring& adresa) {
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (adresa.empty() || swscanf(adresa.c_str(), L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) {
        ::SendDlgItemMessageW(m_hWnd, IDC_HOST_ADRESA, IPM_CLEARADDRESS, 0, 0);
        return;
    }
    ::SendDlgItemMessageW(m_hWnd, IDC_HOST_ADRESA, IPM_SETADDRESS, 0,
                          static_cast<LPARAM>(MAKEIPADDRESS(a & 0xFF, b & 0xFF, c & 0xFF, d & 0xFF)));
}

void DlgHostInfo::Hledat(int cil, const std::wstring& dotaz, bool podleAdresy) {
    auto hledani = std::make_unique<Hledani>();
    hledani->okno = m_hWnd;
    hledani->cil = cil;
    hledani->poradi = ++m_poradi[podleAdresy ? 0 : 1] & 0xFFFF;
    hledani->dotaz = dotaz;
    hledani->podleAdresy = podleAdresy;
    uintptr_t vlakno = ::_beginthreadex(nullptr, 0, ProceduraHledani, hledani.get(), 0, nullptr);
    if (!vlakno) knihovna::VyhoditPosledniChybu();
    hledani.release();
    // finished workers are let go; the running ones are kept for the bounded wait at the end
    for (auto it = m_vlakna.begin(); it != m_vlakna.end();) {
        if (::WaitForSingleObject(*it, 0) == WAIT_OBJECT_0) {
            ::CloseHandle(*it);
            it = m_vlakna.erase(it);
        } else {
            ++it;
        }
    }
    m_vlakna.push_back(reinterpret_cast<HANDLE>(vlakno));
    ++m_probihajici;
}

DlgHostInfo::~DlgHostInfo() {
    // the window goes first, so that later results find no window and are freed by their worker
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        MSG msg;
        while (::PeekMessageW(&msg, m_hWnd, ZpravaVysledekHledani, ZpravaVysledekHledani, PM_REMOVE))
            delete reinterpret_cast<std::wstring*>(msg.lParam);
        ::DestroyWindow(m_hWnd);
    }
    const DWORD konec = ::GetTickCount() + 3000;
    for (HANDLE h : m_vlakna) {
        const DWORD ted = ::GetTickCount();
        ::WaitForSingleObject(h, static_cast<LONG>(konec - ted) > 0 ? konec - ted : 0);
        ::CloseHandle(h);
    }
}

LRESULT DlgHostInfo::OnVysledek(UINT, WPARAM w, LPARAM l, BOOL&) {
    std::unique_ptr<std::wstring> vysledek(reinterpret_cast<std::wstring*>(l));
    if (m_probihajici > 0) --m_probihajici;
    const int cil = LOWORD(w);
    const bool podleAdresy = cil == IDC_HOST_JMENO;
    if (HIWORD(w) != (m_poradi[podleAdresy ? 0 : 1] & 0xFFFF) || !vysledek) return 0;  // a newer look-up runs
    if (cil == IDC_HOST_JMENO)
        ::SetDlgItemTextW(m_hWnd, IDC_HOST_JMENO, vysledek->c_str());
    else
        NastavitAdresu(*vysledek);
    return 0;
}

LRESULT DlgHostInfo::OnNajitJmeno(WORD, WORD, HWND, BOOL&) {
    ::SetDlgItemTextW(m_hWnd, IDC_HOST_JMENO, L"");
    const std::wstring adresa = Adresa();
    if (!adresa.empty()) Hledat(IDC_HOST_JMENO, adresa, true);
    return 0;
}

LRESULT DlgHostInfo::OnNajitAdresu(WORD, WORD, HWND, BOOL&) {
    std::wstring jmeno;
    knihovna::NacistTextPrvku(m_hWnd, IDC_HOST_JMENO, jmeno);
    ::SendDlgItemMessageW(m_hWnd, IDC_HOST_ADRESA, IPM_CLEARADDRESS, 0, 0);
    if (!jmeno.empty()) Hledat(IDC_HOST_ADRESA, jmeno, false);
    return 0;
}

// ---------------------------------------------------------------------------------------------

ModulHostInfo::ModulHostInfo() : m_trida(knihovna::Retezec(IDS_TRIDA_HOST_INFO)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_HOST_INFO);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulHostInfo::~ModulHostInfo() {
    OdebratIkonu(m_ikona);
}

HWND ModulHostInfo::VytvoritOkno() {
    INITCOMMONCONTROLSEX ovladace{sizeof(ovladace), ICC_INTERNET_CLASSES};
    ::InitCommonControlsEx(&ovladace);
    std::wstring ip, jmeno, titulek;
    if (ZiskatIpAdresuPocitace(ip, jmeno) == 0)
        titulek = Formatovat(L"IP: %s (%s)", ip.c_str(), jmeno.c_str());
    else
        titulek = Formatovat(L"Host info (%s)Další možnosti zobrazíte klepnutím sem.", aplikace.titulek.c_str());
    HWND vlastnik = nullptr;
    if (Minimalizace() == 1 && knihovna::ziskatHlavniOkno) vlastnik = knihovna::ziskatHlavniOkno();
    RECT obdelnik{0, 0, 300, 250};
    const DWORD styl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    Vytvorit(vlastnik, &obdelnik, titulek.c_str(), styl, 0, m_trida.c_str(), nullptr, nullptr, 0,
             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    m_dialog = std::make_unique<DlgHostInfo>();
    m_dialog->Vytvorit(m_hWnd);
    ::ShowWindow(m_dialog->m_hWnd, SW_SHOW);
    RECT r;
    ::GetClientRect(m_dialog->m_hWnd, &r);
    Overit(::AdjustWindowRect(&r, styl, FALSE) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (ObnovitPolohu(m_trida.c_str(), true) != 0) Vycentrovat(nullptr);
    if (Minimalizace() == 1) PridatIkonu();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    m_hDialog = m_dialog->m_hWnd;
    return m_hWnd;
}

bool ModulHostInfo::PridatIkonu() {
    if (m_ikona) return true;
    try {
        std::wstring popis = Formatovat(L"IP: %s\nPočítač: %s\n%s", aplikace.ipAdresa.c_str(),
                                        aplikace.jmenoPocitace.c_str(), aplikace.titulek.c_str());
        std::wstring tip = knihovna::Oriznout(
            Formatovat(knihovna::Retezec(IDS_TEXT_S_NADPISEM).c_str(), nazevModulu.c_str(), popis.c_str()), 127);
        auto nova = std::make_unique<IkonaTray>();
        nova->Pridat(m_hWnd, 1, ikonaModulu, tip.c_str());
        m_ikona = nova.release();
        return true;
    } catch (const knihovna::Chyba&) {
        return false;  // no notification area: the window stays reachable
    }
}

void ModulHostInfo::Prepnout() {
    if (::IsWindowVisible(m_hWnd) && !::IsIconic(m_hWnd)) {
        Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        ::SetForegroundWindow(m_hWnd);
    }
}

void ModulHostInfo::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_HOST_INFO);
    MenuPopup& zaznam = nabidka.zaznam;
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40155, ::IsWindowVisible(m_hWnd) != 0);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40201u, 40002u, 40155u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

LRESULT ModulHostInfo::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_hDialog = nullptr;
    UlozitPolohu(m_trida.c_str());
    ::ShowWindow(m_hWnd, SW_HIDE);
    OdebratIkonu(m_ikona);
    m_dialog.reset();
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHostInfo::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHostInfo::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    switch (id) {
        case 40001:
        case 40201: Odeslat(WM_CLOSE); return 0;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_HOST_INFO);
            return 0;
        case 40155: Prepnout(); return 0;
        default: break;
    }
    LRESULT vysledek = 0;
    if (knihovna::VychoziOdrazeni(m_hWnd, msg, w, l, vysledek)) return vysledek;
    zpracovano = FALSE;
    return 0;
}

LRESULT ModulHostInfo::OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if ((w & 0xFFF0) == SC_MINIMIZE) {
        const DWORD rezim = Minimalizace();
        if (rezim == 1) {
            const bool ikona = PridatIkonu();
            LRESULT vysledek = VychoziZpracovani(msg, w, l);
            if (ikona) ::ShowWindow(m_hWnd, SW_HIDE);
            return vysledek;
        }
        if (rezim == 2) {
            LRESULT vysledek = VychoziZpracovani(msg, w, l);
            Odeslat(WM_CLOSE);
            return vysledek;
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulHostInfo::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    if (l == WM_LBUTTONUP) {
        if (::IsWindowVisible(m_hWnd)) {
            Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else {
            ::ShowWindow(m_hWnd, SW_RESTORE);
            ::SetForegroundWindow(m_hWnd);
        }
    } else if (l == WM_RBUTTONUP || l == WM_MBUTTONUP) {
        ZobrazitNabidku();
    }
    return 0;
}

LRESULT ModulHostInfo::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID));
        } catch (const knihovna::Chyba&) {
        }
        return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoHostInfo::VlaknoHostInfo() : VlaknoModulu(IDS_NAZEV_HOST_INFO, true) {}

knihovna::OknoModul* VlaknoHostInfo::Objekt() const {
    return modulHostInfo && modulHostInfo->m_hWnd ? modulHostInfo.get() : nullptr;
}

HWND VlaknoHostInfo::VytvoritOkno(bool) {
    modulHostInfo = std::make_unique<ModulHostInfo>();
    return modulHostInfo->VytvoritOkno();
}

void VlaknoHostInfo::ZrusitOkno() { modulHostInfo.reset(); }

void VlaknoHostInfo::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.hostInfo = false; }

bool VlaknoHostInfo::PredzpracovatZpravu(MSG& msg) {
    HWND dialog = modulHostInfo ? modulHostInfo->Dialog() : nullptr;
    return dialog && ::IsDialogMessageW(dialog, &msg);
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgNastavHostInfo::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    minimalizace.m_hWnd = Polozka(IDC_HOST_MINIMALIZACE);
    knihovna::PridatPolozkuCombo(minimalizace, L"Zobrazit okno na pruhu úloh", 0);
    knihovna::PridatPolozkuCombo(minimalizace, L"Skrýt okno do ikony v oznamovací oblasti", 1);
    knihovna::PridatPolozkuCombo(minimalizace, L"Zavřít okno a ukončit nástroj \"IP informace\"", 2);
    // a value from a damaged registry entry shows the default instead of failing the page
    if (FAILED(minimalizace.VybratPolozkuPodleDat(static_cast<LPARAM>(Minimalizace()))))
        minimalizace.Poslat(CB_SETCURSEL, 0);
    return TRUE;
}

void DlgNastavHostInfo::Ulozit() {
    if (!nastaveniHostInfo || !m_hWnd) return;
    LPARAM hodnota = minimalizace.NacistDataVybranePolozky();
    if (hodnota >= 0) nastaveniHostInfo->minimalizace = static_cast<DWORD>(hodnota);
}

void VytvoritModulHostInfo() {
    if (!vlaknoHostInfo) vlaknoHostInfo = std::make_unique<VlaknoHostInfo>();
    ZaregistrovatNastroj(Nastroj::HostInfo, vlaknoHostInfo.get());
    ZaregistrovatStrankuNastaveni(IDD_NASTAV_HOST_INFO, VytvoritStranku<DlgNastavHostInfo>);
}

void SmazatModulHostInfo() {
    ZaregistrovatNastroj(Nastroj::HostInfo, nullptr);
    vlaknoHostInfo.reset();
}
