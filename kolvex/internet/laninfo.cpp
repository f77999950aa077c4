#include "internet/laninfo.h"

#include <commctrl.h>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/sit.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::Overit;

FunkceSiteLan funkceSiteLan;
std::unique_ptr<OknoSitLanInfo> oknoSitLanInfo;

namespace {

constexpr int OBRAZEK_OKNA = 73;
std::unique_ptr<VlaknoSitLanInfo> vlaknoSitLanInfo;

std::wstring Text(LPCWSTR text) { return text ? std::wstring(text) : std::wstring(); }

// Frees a buffer of the network functions when the scope ends.
struct BufferSite {
    LPBYTE data = nullptr;
    ~BufferSite() {
        if (data) funkceSiteLan.uvolnit(data);
    }
};

NET_API_STATUS VycistPocitace(DWORD typ, std::vector<PocitacLan>& pocitace, DWORD& celkem) {
    BufferSite buffer;
    DWORD precteno = 0;
    celkem = 0;
    DWORD pokracovani = 0;
    NET_API_STATUS stav = funkceSiteLan.serverEnum(nullptr, 101, &buffer.data, MAX_PREFERRED_LENGTH, &precteno, &celkem,
                                                   typ, nullptr, &pokracovani);
    if ((stav == NERR_Success || stav == ERROR_MORE_DATA) && buffer.data) {
        auto* polozky = reinterpret_cast<SERVER_INFO_101*>(buffer.data);
        for (DWORD i = 0; i < precteno; ++i) {
            PocitacLan p;
            p.platforma = polozky[i].sv101_platform_id;
            p.nazev = Text(polozky[i].sv101_name);
            p.verzeHlavni = polozky[i].sv101_version_major;
            p.verzeVedlejsi = polozky[i].sv101_version_minor;
            p.typ = polozky[i].sv101_type;
            p.komentar = Text(polozky[i].sv101_comment);
            pocitace.push_back(std::move(p));
        }
    }
    return stav;
}

void Vyprazdnit(HWND dialog) {
    for (int id : {IDC_LAN_JMENO, IDC_LAN_PLNE_JMENO, IDC_LAN_POPIS, IDC_LAN_UZIVATELSKY_POPIS})
        ::SetDlgItemTextW(dialog, id, L"");
}

int VybranaData(HWND seznam) {
    LRESULT radek = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (radek == LB_ERR || radek < 0) return -1;
    LRESULT data = ::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(radek), 0);
    return data == LB_ERR ? -1 : static_cast<int>(data);
}

void PridatDoSeznamu(HWND seznam, const std::wstring& text, size_t index) {
    LRESULT radek = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Overit(radek != LB_ERR && radek != LB_ERRSPACE);
    Overit(::SendMessageW(seznam, LB_SETITEMDATA, static_cast<WPARAM>(radek), static_cast<LPARAM>(index)) != LB_ERR);
}

}  // namespace

std::vector<PocitacLan> NacistPocitaceLan(NET_API_STATUS& vysledek) {
    std::vector<PocitacLan> pocitace;
    DWORD celkem = 0;
    vysledek = VycistPocitace(SV_TYPE_ALL, pocitace, celkem);
    if (celkem == 0) {
        pocitace.clear();
        vysledek = VycistPocitace(SV_TYPE_WORKSTATION | SV_TYPE_SERVER | SV_TYPE_LOCAL_LIST_ONLY, pocitace, celkem);
    }
    return pocitace;
}

std::vector<UcetUzivatele> NacistUctyLan(const std::wstring& pocitac, NET_API_STATUS& vysledek) {
    std::vector<UcetUzivatele> ucty;
    DWORD pokracovani = 0;
    // a server that keeps answering ERROR_MORE_DATA without entries would loop for ever
    for (int strana = 0; strana < 10000; ++strana) {
        BufferSite buffer;
        DWORD precteno = 0, celkem = 0;
        vysledek = funkceSiteLan.userEnum(pocitac.empty() ? nullptr : pocitac.c_str(), 2, FILTER_NORMAL_ACCOUNT,
                                          &buffer.data, MAX_PREFERRED_LENGTH, &precteno, &celkem, &pokracovani);
        if (vysledek != NERR_Success && vysledek != ERROR_MORE_DATA) break;
        if (buffer.data) {
            auto* polozky = reinterpret_cast<USER_INFO_2*>(buffer.data);
            for (DWORD i = 0; i < precteno; ++i) {
                UcetUzivatele u;
                u.jmeno = Text(polozky[i].usri2_name);
                u.plneJmeno = Text(polozky[i].usri2_full_name);
                u.komentar = Text(polozky[i].usri2_comment);
                u.uzivatelskyKomentar = Text(polozky[i].usri2_usr_comment);
                u.pocetPrihlaseni = polozky[i].usri2_num_logons;
                ucty.push_back(std::move(u));
            }
        }
        if (vysledek != ERROR_MORE_DATA || precteno == 0) break;
    }
    return ucty;
}

// ---------------------------------------------------------------------------------------------

LRESULT DlgSitLanInfo::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    seznamPocitacu = Polozka(IDC_LAN_POCITACE);
    seznamUctu = Polozka(IDC_LAN_UCTY);
    NacistPocitace();
    return TRUE;
}

void DlgSitLanInfo::NacistPocitace() {
    ZobrazitBublinuHlavniIkony(nullptr, knihovna::Retezec(IDS_LAN_HLEDAM_POCITACE));
    NET_API_STATUS stav = 0;
    std::vector<PocitacLan> nalezene = NacistPocitaceLan(stav);
    pocitace.clear();
    ::SendMessageW(seznamPocitacu, LB_RESETCONTENT, 0, 0);
    for (PocitacLan& p : nalezene) {
        pocitace.push_back(std::move(p));
        PridatDoSeznamu(seznamPocitacu, pocitace.back().nazev, pocitace.size() - 1);
    }
    SkrytBublinuHlavniIkony();
    // An empty list says why when the browser could not be asked (Wine has none: 6118).
    if (pocitace.empty() && stav != NERR_Success)
        ::SetDlgItemTextW(m_hWnd, IDC_LAN_PLATFORMA,
                          Formatovat(L"Nelze zjistit (chyba %u)", static_cast<unsigned>(stav))
                              .c_str());
    if (!pocitace.empty()) {
        ::SendMessageW(seznamPocitacu, LB_SETCURSEL, 0, 0);
        NacistUcty();
    }
}

void DlgSitLanInfo::NacistUcty() {
    Vyprazdnit(m_hWnd);
    const int index = VybranaData(seznamPocitacu);
    if (index < 0 || static_cast<size_t>(index) >= pocitace.size()) return;
    const PocitacLan& pocitac = pocitace[static_cast<size_t>(index)];
    ::SetDlgItemTextW(m_hWnd, IDC_LAN_PLATFORMA,
                      pocitac.platforma == 500 ? knihovna::Retezec(IDS_LAN_PLATFORMA_NT).c_str()
                                               : Formatovat(L"%u (verze %u.%u)", pocitac.platforma, pocitac.verzeHlavni,
                                                            pocitac.verzeVedlejsi)
                                                     .c_str());
    const std::wstring nazev = pocitac.nazev.empty() ? std::wstring(L"Vlastní počítač") : pocitac.nazev;
    const std::wstring format = knihovna::Retezec(IDS_LAN_HLEDAM_UCTY);
    wchar_t* text = nullptr;
    DWORD_PTR vlozky[] = {reinterpret_cast<DWORD_PTR>(nazev.c_str())};
    if (!::FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                          format.c_str(), 0, 0, reinterpret_cast<LPWSTR>(&text), 0, reinterpret_cast<va_list*>(vlozky)))
        knihovna::VyhoditPosledniChybu();
    std::wstring zprava = text;
    ::LocalFree(text);
    ZobrazitBublinuHlavniIkony(nullptr, zprava);
    ucty.clear();
    ::SendMessageW(seznamUctu, LB_RESETCONTENT, 0, 0);
    NET_API_STATUS stav = 0;
    for (UcetUzivatele& u : NacistUctyLan(pocitac.nazev, stav)) {
        ucty.push_back(std::move(u));
        PridatDoSeznamu(seznamUctu, ucty.back().jmeno, ucty.size() - 1);
    }
    SkrytBublinuHlavniIkony();
    if (!ucty.empty()) {
        ::SendMessageW(seznamUctu, LB_SETCURSEL, 0, 0);
        ZobrazitUcet();
    }
}

void DlgSitLanInfo::ZobrazitUcet() {
    Vyprazdnit(m_hWnd);
    const int index = VybranaData(seznamUctu);
    if (index < 0 || static_cast<size_t>(index) >= ucty.size()) return;
    const UcetUzivatele& u = ucty[static_cast<size_t>(index)];
    ::SetDlgItemTextW(m_hWnd, IDC_LAN_JMENO, u.jmeno.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_LAN_PLNE_JMENO, u.plneJmeno.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_LAN_POPIS, u.komentar.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_LAN_UZIVATELSKY_POPIS, u.uzivatelskyKomentar.c_str());
}

LRESULT DlgSitLanInfo::OnVyberPocitace(WORD, WORD, HWND, BOOL&) {
    NacistUcty();
    return 0;
}

LRESULT DlgSitLanInfo::OnVyberUctu(WORD, WORD, HWND, BOOL&) {
    ZobrazitUcet();
    return 0;
}

LRESULT DlgSitLanInfo::OnCtlColorStatic(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(l));
    if (id == IDC_LAN_PLATFORMA || (id >= IDC_LAN_JMENO && id <= IDC_LAN_UZIVATELSKY_POPIS)) {
        ::SetBkColor(reinterpret_cast<HDC>(w), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------

OknoSitLanInfo::OknoSitLanInfo() : m_trida(knihovna::Retezec(IDS_TRIDA_SIT_LAN_INFO)) {
    NastavitKlic(aplikace.klicAplikace);
}

OknoSitLanInfo::~OknoSitLanInfo() {
    if (m_ikona) ::DestroyIcon(m_ikona);
}

HWND OknoSitLanInfo::VytvoritOkno() {
    std::wstring ip, jmeno, titulek;
    if (ZiskatIpAdresuPocitace(ip, jmeno) == 0)
        titulek = Formatovat(L"IP: %s (%s)", ip.c_str(), jmeno.c_str());
    else
        titulek = Formatovat(L"Host info (%s)", aplikace.titulek.c_str());
    if (aplikace.seznamMenu.Get()) m_ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_OKNA, ILD_NORMAL);
    RECT obdelnik{0, 0, 300, 250};
    const DWORD styl = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    Vytvorit(nullptr, &obdelnik, titulek.c_str(), styl, 0, m_trida.c_str(), nullptr, nullptr, 0,
             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_ikona));
    m_dialog = std::make_unique<DlgSitLanInfo>();
    m_dialog->Vytvorit(m_hWnd);
    ::ShowWindow(m_dialog->m_hWnd, SW_SHOW);
    RECT r;
    ::GetClientRect(m_dialog->m_hWnd, &r);
    Overit(::AdjustWindowRect(&r, styl, FALSE) != 0);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (ObnovitPolohu(m_trida.c_str(), true) != 0) Vycentrovat(nullptr);
    ::ShowWindow(m_hWnd, SW_SHOW);
    m_hDialog = m_dialog->m_hWnd;
    return m_hWnd;
}

LRESULT OknoSitLanInfo::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_hDialog = nullptr;
    UlozitPolohu(m_trida.c_str());
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_dialog.reset();
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSitLanInfo::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

// ---------------------------------------------------------------------------------------------

VlaknoSitLanInfo::VlaknoSitLanInfo() : VlaknoModulu(IDS_NAZEV_SIT_LAN_INFO, true) {}

HWND VlaknoSitLanInfo::VytvoritOkno(bool) {
    oknoSitLanInfo = std::make_unique<OknoSitLanInfo>();
    return oknoSitLanInfo->VytvoritOkno();
}

void VlaknoSitLanInfo::ZrusitOkno() { oknoSitLanInfo.reset(); }

bool VlaknoSitLanInfo::PredzpracovatZpravu(MSG& msg) {
    HWND dialog = oknoSitLanInfo ? oknoSitLanInfo->Dialog() : nullptr;
    return dialog && ::IsDialogMessageW(dialog, &msg);
}

void VytvoritOknoSitLanInfo() {
    if (!vlaknoSitLanInfo) vlaknoSitLanInfo = std::make_unique<VlaknoSitLanInfo>();
    ZaregistrovatNastroj(Nastroj::SitLanInfo, vlaknoSitLanInfo.get());
}

void SmazatOknoSitLanInfo() {
    ZaregistrovatNastroj(Nastroj::SitLanInfo, nullptr);
    vlaknoSitLanInfo.reset();
}
