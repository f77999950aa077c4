#include "monitors/modulsledovaniprocesu.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/dpi.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulSledovaniProcesu> modulSledovaniProcesu;

void ZmeritProcesy(SeznamProcesu& s) {
    // Processes only: no heaps or modules, which is what makes a full snapshot costly.
    knihovna::UchytSouboru snimek(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snimek) knihovna::VyhoditPosledniChybu();
    PROCESSENTRY32W proces{};
    proces.dwSize = sizeof(proces);
    Overit(::Process32FirstW(snimek.Get(), &proces) != 0);
    do {
        HANDLE h = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, proces.th32ProcessID);
        if (!h) continue;
        PROCESS_MEMORY_COUNTERS pamet{};
        pamet.cb = sizeof(pamet);
        if (::GetProcessMemoryInfo(h, &pamet, sizeof(pamet))) s.Pridat(proces.szExeFile, pamet);
        Overit(::CloseHandle(h) != 0);
    } while (::Process32NextW(snimek.Get(), &proces));
    Overit(snimek.Uvolnit());
}

FunkceMereniProcesu zmeritProcesy = ZmeritProcesy;

namespace {

constexpr UINT_PTR CASOVAC_MERENI = 1;
constexpr UINT STRANKA_SLEDOVANI_PROCESU = 153;
constexpr int OBRAZEK_OKNA = 76;
std::unique_ptr<VlaknoSledovaniProcesu> vlaknoSledovaniProcesu;

KonfiguraceSledovaniProcesu& Nastaveni() {
    static KonfiguraceSledovaniProcesu* vychozi = nullptr;
    if (nastaveniSledovaniProcesu) return *nastaveniSledovaniProcesu;
    if (!vychozi) vychozi = new KonfiguraceSledovaniProcesu();
    return *vychozi;
}

SeznamProcesu& Seznam() {
    if (!seznamProcesu) seznamProcesu = new SeznamProcesu();
    return *seznamProcesu;
}

int CALLBACK PorovnatPolozky(LPARAM a, LPARAM b, LPARAM modul) {
    auto* m = reinterpret_cast<ModulSledovaniProcesu*>(modul);
    const SeznamProcesu& s = Seznam();
    if (static_cast<size_t>(a) >= s.Pocet() || static_cast<size_t>(b) >= s.Pocet()) return 0;
    return PorovnatProcesy(s[static_cast<size_t>(a)], s[static_cast<size_t>(b)], m->sloupec, m->vzestupne);
}

int IkonaPolozky(UINT id) {
    switch (id) {
        case 40001: return 0;
        case 40002: return 1;
        case 40003: return 3;
        case 40020: return 5;
        case 40021: return 53;
        case 40022: return 14;
        case 40023: return 4;
        case 40111: return 10;
        default: return -1;
    }
}

}  // namespace

ModulSledovaniProcesu::ModulSledovaniProcesu() : m_trida(knihovna::Retezec(IDS_TRIDA_SLEDOVANI_PROCESU)) {
    NastavitKlic(aplikace.klicAplikace);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_OKNA, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
}

ModulSledovaniProcesu::~ModulSledovaniProcesu() {
    knihovna::UvolnitIkonuTray(ikona);
    try {
        knihovna::UvolnitIkonuTray(varovani);
    } catch (const knihovna::Chyba&) {
    }
}

HWND ModulSledovaniProcesu::VytvoritOkno() {
    KonfiguraceSledovaniProcesu& n = Nastaveni();
    HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr;
    RECT obdelnik{0, 0, knihovna::Skalovat(520), knihovna::Skalovat(300)};  // pixels at the screen's DPI
    Vytvorit(hlavni, &obdelnik, L"Sledování procesů", WS_OVERLAPPEDWINDOW, 0, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));

    RECT klient;
    ::GetClientRect(m_hWnd, &klient);
    seznam = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0,
                               klient.right, klient.bottom, m_hWnd, reinterpret_cast<HMENU>(IDC_SEZNAM_PROCESU),
                               ::GetModuleHandleW(nullptr), nullptr);
    Overit(seznam != nullptr);
    ::SendMessageW(seznam, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const wchar_t* const nazvy[] = {L"Proces", L"Využitá paměť", L"Max. využité paměti", L"Virt. paměť"};
    const int sirky[] = {160, 100, 100, 100};
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW sloupecLv{};
        sloupecLv.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        sloupecLv.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        sloupecLv.cx = sirky[i];
        sloupecLv.pszText = const_cast<wchar_t*>(nazvy[i]);
        Overit(::SendMessageW(seznam, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&sloupecLv)) >= 0);
    }

    if (ObnovitPolohu(m_trida.c_str()) == 0) {
        const int ulozene[] = {n.sloupecSoubor, n.sloupecWorkingSetSize, n.sloupecPeakWorkingSetSize, n.sloupecPagefileUsage};
        for (int i = 0; i < 4; ++i)
            if (ulozene[i] != -1) Overit(::SendMessageW(seznam, LVM_SETCOLUMNWIDTH, i, ulozene[i]) != 0);
    } else {
        RECT okno;
        Overit(::GetWindowRect(m_hWnd, &okno) != 0);
        const RECT prace = knihovna::PracovniOblastProObdelnik(okno);  // the window's monitor, less a taskbar
        ::SetWindowPos(m_hWnd, nullptr, prace.right - (okno.right - okno.left), prace.bottom - (okno.bottom - okno.top),
                       0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::wstring tip = Formatovat(knihovna::Retezec(IDS_TEXT_S_NADPISEM).c_str(),
                                  knihovna::Retezec(IDS_NAZEV_SLEDOVANI_PROCESU).c_str(), aplikace.titulek.c_str());
    auto nova = std::make_unique<IkonaTray>();
    nova->Pridat(m_hWnd, 1, ikonaModulu, tip.c_str());
    ikona = nova.release();
    m_tip = tip;

    if (n.statusBar) statusBar = knihovna::VytvoritStatusBar(m_hWnd, 1, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP);

    Aktualizovat();
    Overit(::SetTimer(m_hWnd, CASOVAC_MERENI, n.intervalAktualizace * 1000, nullptr) != 0);
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Odeslat(WM_TIMER, CASOVAC_MERENI, 0);

    if (n.oknoPruhledne) {
        LONG_PTR styl = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
        if (!(styl & WS_EX_LAYERED)) ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, styl | WS_EX_LAYERED);
        Overit(::SetLayeredWindowAttributes(m_hWnd, 0, 127, LWA_ALPHA) != 0);
    }
    if (n.oknoPoSpusteni) {
        ::ShowWindow(m_hWnd, SW_RESTORE);
        ::SetForegroundWindow(m_hWnd);
        Aktualizovat();
    }
    return m_hWnd;
}

void ModulSledovaniProcesu::Aktualizovat() {
    SeznamProcesu& s = Seznam();
    s.Vyprazdnit();
    zmeritProcesy(s);
    s.SetriditPodlePameti();

    ZkontrolovatLimit(s);
    if (::IsWindowVisible(m_hWnd)) NaplnitSeznam();
    // The tip is formed here and sent when the pointer is over the icon (where it is read) and
    // reads differently: an idle measurement costs the tray host nothing.
    m_novyTip = TextTipuProcesu(s);
}

void ModulSledovaniProcesu::OdeslatTip() {
    if (!ikona || m_novyTip.empty() || m_novyTip == m_tip) return;
    ikona->NastavitPopis(m_novyTip.c_str());
    m_tip = m_novyTip;
}

void ModulSledovaniProcesu::ZkontrolovatLimit(const SeznamProcesu& s) {
    const DWORD limit = Nastaveni().maxWorkingSetSize;
    if (s.Pocet() == 0 || !PrekrocenLimitProcesu(s[0].pamet.WorkingSetSize, limit)) return;
    std::wstring text = Formatovat(knihovna::Retezec(IDS_VAROVANI_PROCESU).c_str(), s[0].soubor,
                                   TextKilobajtu(s[0].pamet.WorkingSetSize).c_str());
    if (!varovani) {
        const bool zvuk = aplikace.nastaveni.zvuk;
        if (zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
        auto nova = std::make_unique<IkonaTray>();
        nova->Pridat(m_hWnd, 2, ::LoadIconW(nullptr, IDI_WARNING), text.c_str());
        varovani = nova.release();
        ZobrazitBublinu(*varovani, aplikace.titulek, BUBLINA_VAROVANI, zvuk, text);
    }
    varovani->NastavitPopis(text.c_str());
}

// The items are rewritten in place (added or removed only at the end), so the list keeps its
// scroll position and selection across measurements.
void ModulSledovaniProcesu::NaplnitSeznam() {
    const SeznamProcesu& s = Seznam();
    const int horni = static_cast<int>(::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0));
    ::SendMessageW(seznam, WM_SETREDRAW, FALSE, 0);
    int pocet = static_cast<int>(::SendMessageW(seznam, LVM_GETITEMCOUNT, 0, 0));
    while (pocet > static_cast<int>(s.Pocet())) ::SendMessageW(seznam, LVM_DELETEITEM, static_cast<WPARAM>(--pocet), 0);
    for (size_t i = 0; i < s.Pocet(); ++i) {
        LVITEMW polozka{};
        polozka.mask = LVIF_TEXT | LVIF_PARAM;
        polozka.iItem = static_cast<int>(i);
        polozka.pszText = const_cast<wchar_t*>(s[i].soubor);
        polozka.lParam = static_cast<LPARAM>(i);
        int index = static_cast<int>(i);
        if (index < pocet) {
            if (!::SendMessageW(seznam, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&polozka))) continue;
        } else {
            index = static_cast<int>(::SendMessageW(seznam, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&polozka)));
            if (index < 0) continue;
        }
        const SIZE_T hodnoty[] = {s[i].pamet.WorkingSetSize, s[i].pamet.PeakWorkingSetSize, s[i].pamet.PagefileUsage};
        for (int k = 0; k < 3; ++k) {
            std::wstring text = TextKilobajtu(hodnoty[k]);
            LVITEMW podpolozka{};
            podpolozka.iSubItem = k + 1;
            podpolozka.pszText = const_cast<wchar_t*>(text.c_str());
            ::SendMessageW(seznam, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&podpolozka));
        }
        // the selection follows the process by name, wherever the new order puts it
        const bool vybrany = !vybranyProces.empty() && ::StrCmpIW(s[i].soubor, vybranyProces.c_str()) == 0;
        const UINT stavPolozky = static_cast<UINT>(
            ::SendMessageW(seznam, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED | LVIS_FOCUSED));
        const UINT novyStav = vybrany ? LVIS_SELECTED | LVIS_FOCUSED : 0;
        if (stavPolozky != novyStav) {
            LVITEMW stav{};
            stav.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
            stav.state = novyStav;
            ::SendMessageW(seznam, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&stav));
        }
    }
    SetriditSeznam();
    const int noveHorni = static_cast<int>(::SendMessageW(seznam, LVM_GETTOPINDEX, 0, 0));
    RECT radek{};
    radek.left = LVIR_BOUNDS;
    if (noveHorni != horni && ::SendMessageW(seznam, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&radek)))
        ::SendMessageW(seznam, LVM_SCROLL, 0, (horni - noveHorni) * (radek.bottom - radek.top));
    ::SendMessageW(seznam, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(seznam, nullptr, FALSE);
}

void ModulSledovaniProcesu::SetriditSeznam() {
    ::SendMessageW(seznam, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(PorovnatPolozky));
}

LRESULT ModulSledovaniProcesu::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    Overit(::KillTimer(m_hWnd, CASOVAC_MERENI) != 0);
    if (::IsWindowVisible(m_hWnd)) {
        UlozitPolohu(m_trida.c_str());
        KonfiguraceSledovaniProcesu& n = Nastaveni();
        int* cile[] = {&n.sloupecSoubor, &n.sloupecWorkingSetSize, &n.sloupecPeakWorkingSetSize, &n.sloupecPagefileUsage};
        for (int i = 0; i < 4; ++i) *cile[i] = static_cast<int>(::SendMessageW(seznam, LVM_GETCOLUMNWIDTH, i, 0));
        if (nastaveniSledovaniProcesu) nastaveniSledovaniProcesu->Ulozit();
    }
    knihovna::UvolnitIkonuTray(ikona);
    if (statusBar) ::DestroyWindow(statusBar);
    statusBar = nullptr;
    knihovna::UvolnitIkonuTray(varovani);
    if (seznam) ::DestroyWindow(seznam);
    seznam = nullptr;
    Poslat(WM_SETICON, ICON_SMALL, 0);
    Poslat(WM_SETICON, ICON_BIG, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSledovaniProcesu::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSledovaniProcesu::OnSize(UINT, WPARAM w, LPARAM l, BOOL&) {
    int vyskaStatusBaru = 0;
    if (statusBar) {
        ::SendMessageW(statusBar, WM_SIZE, w, l);
        RECT r;
        ::GetWindowRect(statusBar, &r);
        vyskaStatusBaru = r.bottom - r.top;
    }
    if (seznam) ::MoveWindow(seznam, 0, 0, LOWORD(l), HIWORD(l) - vyskaStatusBaru, TRUE);
    return 0;
}

LRESULT ModulSledovaniProcesu::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == CASOVAC_MERENI) Aktualizovat();
    return 0;
}

LRESULT ModulSledovaniProcesu::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    const UINT mys = static_cast<UINT>(l);
    if (w == 1) {
        if (mys == WM_MOUSEMOVE) OdeslatTip();
        if (mys == WM_LBUTTONUP) {
            switch (Nastaveni().ikonaLeve) {
                case 0: ZobrazitNabidku(); break;
                case 2: Odeslat(WM_COMMAND, 40002, 0); break;
                default:
                    if (::IsWindowVisible(m_hWnd)) {
                        Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
                    } else {
                        ::ShowWindow(m_hWnd, SW_RESTORE);
                        ::SetForegroundWindow(m_hWnd);
                        Aktualizovat();
                    }
                    break;
            }
        } else if (mys == WM_RBUTTONUP) {
            ZobrazitNabidku();
        }
    } else if (w == 2 && mys == WM_LBUTTONUP && varovani) {
        SkrytBublinu(*varovani);
        knihovna::UvolnitIkonuTray(varovani);
    }
    return 0;
}

LRESULT ModulSledovaniProcesu::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40001: Odeslat(WM_CLOSE, 0, 0); return 0;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_SLEDOVANI_PROCESU);
            return 0;
        case 40020:
        case 40021:
        case 40022:
        case 40023: knihovna::PoslatPrikazHlavnimuOknu(id); return 0;
        case 40111:
            PrepnoutZobrazeni();
            if (::IsWindowVisible(m_hWnd)) Aktualizovat();
            return 0;
        default: return OknoNormalni::OnCommand(msg, w, l, zpracovano);
    }
}

LRESULT ModulSledovaniProcesu::OnKliknutiSloupce(int, NMHDR* hlavicka, BOOL&) {
    auto* info = reinterpret_cast<NMLISTVIEW*>(hlavicka);
    KliknutiNaSloupec(sloupec, vzestupne, info->iSubItem);
    SetriditSeznam();
    return 0;
}

LRESULT ModulSledovaniProcesu::OnZmenaPolozky(int, NMHDR* hlavicka, BOOL&) {
    auto* info = reinterpret_cast<NMLISTVIEW*>(hlavicka);
    if ((info->uNewState & LVIS_SELECTED) && !(info->uOldState & LVIS_SELECTED)) {
        const SeznamProcesu& s = Seznam();
        if (info->lParam >= 0 && static_cast<size_t>(info->lParam) < s.Pocet())
            vybranyProces = s[static_cast<size_t>(info->lParam)].soubor;
    }
    return 0;
}

LRESULT ModulSledovaniProcesu::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID));
        } catch (const knihovna::Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

void ModulSledovaniProcesu::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_SLEDOVANI_PROCESU);
    MenuPopup& zaznam = nabidka.zaznam;
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40111, ::IsWindowVisible(m_hWnd) != 0);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40001u, 40002u, 40111u}) MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

// ---------------------------------------------------------------------------------------------

VlaknoSledovaniProcesu::VlaknoSledovaniProcesu() : VlaknoModulu(IDS_NAZEV_SLEDOVANI_PROCESU, true) {}

HWND VlaknoSledovaniProcesu::VytvoritOkno(bool) {
    modulSledovaniProcesu = std::make_unique<ModulSledovaniProcesu>();
    return modulSledovaniProcesu->VytvoritOkno();
}

void VlaknoSledovaniProcesu::ZrusitOkno() { modulSledovaniProcesu.reset(); }

void VlaknoSledovaniProcesu::ZrusitAkciPoSpusteni() { aplikace.nastaveni.poSpusteni.sledovaniProcesu = false; }

int VlaknoSledovaniProcesu::PrioritaVlakna() const { return Nastaveni().threadPriority; }

void VytvoritModulSledovaniProcesu() {
    if (!vlaknoSledovaniProcesu) vlaknoSledovaniProcesu = std::make_unique<VlaknoSledovaniProcesu>();
    ZaregistrovatNastroj(Nastroj::SledovaniProcesu, vlaknoSledovaniProcesu.get());
}

void SmazatModulSledovaniProcesu() {
    ZaregistrovatNastroj(Nastroj::SledovaniProcesu, nullptr);
    vlaknoSledovaniProcesu.reset();
}
