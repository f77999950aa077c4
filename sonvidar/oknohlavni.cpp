#include "oknohlavni.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "aplikace.h"
#include "nastaveni.h"
#include "resource.h"

namespace Brenvald_Sonvidar {

using Knihovna::Formatovat;
using Knihovna::Overit;

OknoHlavni* oknoHlavni = nullptr;

namespace {
constexpr UINT_PTR CASOVAC_ZAZNAMU = 1;
constexpr UINT ID_IKONY = 1;

// The encoder component is not there (rather than refusing a device or profile).
bool KoderChybi(HRESULT hr) {
    return hr == REGDB_E_CLASSNOTREG || hr == CO_E_CLASSSTRING || hr == HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) ||
           hr == CO_E_DLLNOTFOUND || hr == CO_E_ERRORINDLL || hr == E_NOINTERFACE;
}

// Sent to every top-level window when the notification area has (re)started empty.
UINT ZpravaNoveListy() {
    static const UINT zprava = ::RegisterWindowMessageW(L"TaskbarCreated");
    return zprava;
}

std::wstring TextChyby(HRESULT hr) {
    wchar_t* text = nullptr;
    const DWORD delka = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring vysledek;
    if (delka && text) vysledek.assign(text, delka);
    if (text) ::LocalFree(text);
    while (!vysledek.empty() && (vysledek.back() == L'\n' || vysledek.back() == L'\r' || vysledek.back() == L' '))
        vysledek.pop_back();
    const std::wstring kod = Formatovat(L"0x%08X", static_cast<unsigned>(hr));
    return vysledek.empty() ? Formatovat(Knihovna::Retezec(IDS_KOD_CHYBY).c_str(), kod.c_str())
                            : vysledek + L" (" + kod + L")";
}

// "profil, zarizeni" of the values the last load could not read.
std::wstring PoskozeneHodnoty() {
    std::wstring seznam;
    for (const std::wstring& nazev : aplikace.poskozeneHodnoty) seznam += (seznam.empty() ? L"" : L", ") + nazev;
    return seznam;
}

// Usually raised from a tray command or by Kolvex: the box comes to the front over the user's
// program, owned by the active window (a settings dialog) or else by the hidden main window.
// While Windows ends the session no box is shown (the exit code tells).
void ZobrazitZpravu(const std::wstring& text, UINT priznaky) {
    if (oknoHlavni && oknoHlavni->KonciRelace()) return;
    HWND vlastnik = ::GetActiveWindow();
    if (!vlastnik && oknoHlavni) vlastnik = oknoHlavni->m_hWnd;
    oknoZpravy(vlastnik, text.c_str(), Knihovna::modul.titulek.c_str(), priznaky | MB_TASKMODAL | MB_SETFOREGROUND);
}

void OznamitChybejiciKoder() { ZobrazitZpravu(Knihovna::Retezec(IDS_KODER_CHYBI), MB_ICONERROR); }

bool JeRezimZaznamu(Rezim r) { return r == RezimZaznamZvuku || r == RezimZaznamVidea; }

// The defaults, then the stored values of the mode's section (a damaged value raises at the end).
void NacistNastaveniRezimu(bool videa) {
    if (videa) {
        aplikace.VychoziNastaveniVidea();
        aplikace.NacistNastaveniVidea();
    } else {
        aplikace.VychoziNastaveniZvuku();
        aplikace.NacistNastaveniZvuku();
    }
}

// Makes the video or the sound recorder and fills the lists its encoder offers.
void VytvoritZaznam(bool videa) {
    if (videa) {
        zaznamVidea = std::make_unique<ZaznamVidea>();
        zaznamVidea->Vytvorit();
        seznamProfiluVidea.Naplnit(zaznamVidea->Koder());
        seznamProfiluZvuku.Naplnit(zaznamVidea->Koder());
        seznamZarizeniVidea.Naplnit(zaznamVidea->Koder());
        seznamZarizeniZvuku.Naplnit(zaznamVidea->Koder());
    } else {
        zaznamZvuku = std::make_unique<ZaznamZvuku>();
        zaznamZvuku->Vytvorit();
        seznamProfiluZvuku.Naplnit(zaznamZvuku->Koder());
        seznamZarizeniZvuku.Naplnit(zaznamZvuku->Koder());
    }
}
}  // namespace

OknoHlavni::~OknoHlavni() = default;

void OknoHlavni::VytvoritOkno() {
    Vytvorit(TRIDA_OKNA, CS_DBLCLKS, nullptr, Knihovna::modul.titulek.c_str(), WS_POPUP, WS_EX_TOOLWINDOW);
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Knihovna::modul.malaIkona));
    ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Knihovna::modul.velkaIkona));
    ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Overit(::PostMessageW(m_hWnd, ZpravaSpustitRezim, 0, 0) != 0);
}

void OknoHlavni::ZahoditIkonu() {
    if (!ikona) return;
    try {
        ikona->Odebrat();
    } catch (const Knihovna::Chyba&) {
        // the notification area may hold it no longer
    }
    ikona.reset();
}

void OknoHlavni::PridatIkonu() {
    ZahoditIkonu();
    if (!m_chceIkonu) return;
    auto nova = std::make_unique<Knihovna::IkonaTray>();
    try {
        if (m_bitmapaIkony)
            nova->PridatAnimovanou(m_hWnd, ID_IKONY, ZpravaIkona, ::GetModuleHandleW(nullptr), m_bitmapaIkony);
        else
            nova->PridatStatickou(m_hWnd, ID_IKONY, ZpravaIkona);
    } catch (const Knihovna::Chyba&) {
        return;  // no icon until the notification area starts again
    }
    ikona = std::move(nova);
    UpravitIkonu([this](Knihovna::IkonaTray& i) { i.NastavitPopis(m_popisIkony); });
}

template <class F>
void OknoHlavni::UpravitIkonu(F&& uprava) {
    if (!ikona) return;
    try {
        uprava(*ikona);
    } catch (const Knihovna::Chyba&) {
        ZahoditIkonu();
    }
}

void OknoHlavni::OznamitChybuRezimu(HRESULT hr) {
    m_chceIkonu = false;
    ZahoditIkonu();
    if (KoderChybi(hr)) {
        OznamitChybejiciKoder();
        chybaRezimu = E_HANDLE;  // no encoder was made
        return;
    }
    chybaRezimu = FAILED(hr) ? hr : E_FAIL;
    const bool zaznam = JeRezimZaznamu(aplikace.rezim);
    const std::wstring popis =
        aplikace.poskozeneHodnoty.empty()
            ? TextChyby(hr)
            : Formatovat(Knihovna::Retezec(IDS_POSKOZENE_HODNOTY).c_str(), PoskozeneHodnoty().c_str());
    ZobrazitZpravu(
        Formatovat(Knihovna::Retezec(zaznam ? IDS_ZAZNAM_NESPUSTEN : IDS_NASTAVENI_NESPUSTENO).c_str(), popis.c_str()),
        MB_ICONERROR);
}

void OknoHlavni::ChybaObsluhy(HRESULT hr) {
    // The error ends the program with its HRESULT; the icon must not stay behind in the tray.
    if (ikona) {
        try {
            ikona->Odebrat();
        } catch (const Knihovna::Chyba&) {
        }
    }
    Knihovna::Okno::ChybaObsluhy(hr);
}

LRESULT OknoHlavni::Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) {
    switch (msg) {
        case WM_CLOSE:
            OnClose();
            zpracovano = false;
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(FAILED(chybaRezimu) ? static_cast<int>(chybaRezimu) : (kodJedna ? 1 : 0));
            zpracovano = false;
            return 0;
        case WM_SYSCOMMAND:
            if ((w & 0xFFF0) == SC_MINIMIZE) {
                LRESULT vysledek = ::DefWindowProcW(m_hWnd, msg, w, l);
                ::ShowWindow(m_hWnd, SW_HIDE);
                return vysledek;
            }
            zpracovano = false;
            return 0;
        case WM_TIMER:
            if (w == CASOVAC_ZAZNAMU && ikona) {
                try {
                    ikona->DalsiSnimek();
                } catch (const Knihovna::Chyba&) {
                    PridatIkonu();  // the notification area lost it: once more, else without an icon
                }
            }
            zpracovano = false;
            return 0;
        case WM_QUERYENDSESSION: return TRUE;  // a recording is stopped at WM_ENDSESSION
        case WM_ENDSESSION: OnEndSession(w != FALSE); return 0;
        case ZpravaSpustitRezim: SpustitRezim(); return 0;
        case ZpravaIkona: {
            if (w != ID_IKONY || !JeRezimZaznamu(aplikace.rezim)) return 0;
            const bool konec =
                aplikace.rezim == RezimZaznamZvuku ? aplikace.zvuk.konecNaKlik : aplikace.video.konecNaKlik;
            switch (AkceKliknuti(static_cast<UINT>(l), konec)) {
                case AkceIkony::Ukoncit: ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0); break;
                case AkceIkony::Nabidka: ZobrazitNabidku(); break;
                case AkceIkony::Nic: break;
            }
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(w) == 40001) {
                ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            if (msg != 0 && msg == ZpravaNoveListy()) {
                if (m_chceIkonu) PridatIkonu();
                return 0;
            }
            break;
    }
    zpracovano = false;
    return 0;
}

void OknoHlavni::OnClose() {
    if (casovac) {
        if (!::KillTimer(m_hWnd, CASOVAC_ZAZNAMU)) Knihovna::Vyhodit(static_cast<HRESULT>(-1));
        casovac = false;
    }
    const HRESULT chybaZastaveni = ZastavitZaznam();
    if (FAILED(chybaZastaveni))
        ZobrazitZpravu(Formatovat(Knihovna::Retezec(IDS_ZAZNAM_NEUKONCEN).c_str(), TextChyby(chybaZastaveni).c_str()),
                       MB_ICONERROR);
}

HRESULT OknoHlavni::ZastavitZaznam() {
    // Only a recording that runs is stopped: a settings mode or a recording that never started
    // has nothing to finish, and its end code is already set.
    HRESULT chybaZastaveni = S_OK;
    for (Sonvidar* z : {static_cast<Sonvidar*>(zaznamVidea.get()), static_cast<Sonvidar*>(zaznamZvuku.get())}) {
        if (!z || !z->Nahrava()) continue;
        try {
            z->Zastavit();
        } catch (const Knihovna::Chyba& chyba) {
            if (SUCCEEDED(chybaZastaveni)) chybaZastaveni = chyba.Hr();
        }
    }
    m_chceIkonu = false;
    ZahoditIkonu();
    if (FAILED(chybaZastaveni)) chybaRezimu = chybaZastaveni;
    return chybaZastaveni;
}

void OknoHlavni::OnEndSession(bool konci) {
    // Windows ends the process soon after this returns: a running recording is stopped here, so
    // the encoder closes its file, and the window then closes as after "Konec". A settings
    // dialog stores nothing unconfirmed, so it is left to the end of the process.
    if (!konci || m_konecRelace) return;
    m_konecRelace = true;
    if (!JeRezimZaznamu(aplikace.rezim)) return;
    if (casovac && ::KillTimer(m_hWnd, CASOVAC_ZAZNAMU)) casovac = false;
    ZastavitZaznam();
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void OknoHlavni::ZobrazitNabidku() {
    HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_IKONA));
    Overit(menu != nullptr);
    struct Znicit {
        HMENU m;
        ~Znicit() { ::DestroyMenu(m); }
    } znicit{menu};
    HMENU popup = ::GetSubMenu(menu, 0);
    if (!popup) Knihovna::Vyhodit(E_HANDLE);
    POINT bod;
    Overit(::GetCursorPos(&bod) != 0);
    ::SetForegroundWindow(m_hWnd);
    ::SetLastError(ERROR_SUCCESS);
    if (!::TrackPopupMenu(popup, TPM_RIGHTBUTTON, bod.x, bod.y, 0, m_hWnd, nullptr) && ::GetLastError() != ERROR_SUCCESS)
        Knihovna::VyhoditPosledniChybu();
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void OknoHlavni::SpustitRezim() {
    switch (aplikace.rezim) {
        case RezimNastaveniZvuku:
        case RezimNastaveniVidea:
        case RezimZaznamZvuku:
        case RezimZaznamVidea:
            try {
                if (JeRezimZaznamu(aplikace.rezim))
                    RezimZaznamu(aplikace.rezim == RezimZaznamVidea);
                else
                    RezimNastaveni(aplikace.rezim == RezimNastaveniVidea);
                return;
            } catch (const Knihovna::Chyba& chyba) {
                OznamitChybuRezimu(chyba.Hr());
            } catch (...) {
                OznamitChybuRezimu(E_UNEXPECTED);
            }
            break;
        case RezimTestKoderu: {
            auto test = std::make_unique<ZaznamZvuku>();
            kodJedna = SUCCEEDED(test->JeNainstalovan());
            break;
        }
        default: break;
    }
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void OknoHlavni::RezimNastaveni(bool videa) {
    if ((videa && dlgNastavZaznamVidea) || (!videa && dlgNastavZaznamZvuku)) {
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return;
    }
    bool zprava;
    try {
        NacistNastaveniRezimu(videa);
    } catch (const Knihovna::Chyba&) {
        // Damaged values keep their defaults: the dialog shows them, and OK stores them anew.
        if (aplikace.poskozeneHodnoty.empty()) throw;
        ZobrazitZpravu(Formatovat(Knihovna::Retezec(IDS_POSKOZENE_HODNOTY_VYCHOZI).c_str(), PoskozeneHodnoty().c_str()),
                       MB_ICONWARNING);
    }
    zprava = videa ? aplikace.video.zpravaIkona : aplikace.zvuk.zpravaIkona;
    m_chceIkonu = true;
    m_bitmapaIkony = 0;
    m_popisIkony = Knihovna::modul.titulek;
    PridatIkonu();
    if (zprava) UpravitIkonu([](Knihovna::IkonaTray& i) { i.ZobrazitBublinuId(IDS_INICIALIZACE, NIIF_INFO); });
    VytvoritZaznam(videa);
    if (!videa) {
        // A stored device or profile the encoder no longer offers: the dialog opens anyway with
        // the first entry selected, so the user can choose again.
        try {
            zaznamZvuku->NastavitZarizeni(aplikace.zvuk.zarizeni);
            zaznamZvuku->NastavitProfil(aplikace.zvuk.profil);
        } catch (const Knihovna::Chyba&) {
        }
    }
    seznamVstupnichLinek.Naplnit();
    HWND vlastnik = ::GetActiveWindow();
    if (videa) {
        DlgNastavZaznamVidea dialog;
        dlgNastavZaznamVidea = &dialog;
        struct Zapomenout {
            ~Zapomenout() { dlgNastavZaznamVidea = nullptr; }
        } zapomenout;
        UpravitIkonu([](Knihovna::IkonaTray& i) { i.SkrytBublinu(); });
        dialog.Spustit(vlastnik);
    } else {
        DlgNastavZaznamZvuku dialog;
        dlgNastavZaznamZvuku = &dialog;
        struct Zapomenout {
            ~Zapomenout() { dlgNastavZaznamZvuku = nullptr; }
        } zapomenout;
        UpravitIkonu([](Knihovna::IkonaTray& i) { i.SkrytBublinu(); });
        dialog.Spustit(vlastnik);
    }
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void OknoHlavni::RezimZaznamu(bool videa) {
    if (casovac) {
        ::SetLastError(ERROR_ALREADY_EXISTS);
        Knihovna::VyhoditPosledniChybu();
    }
    bool zprava, prepnout;
    std::wstring linka;
    try {
        NacistNastaveniRezimu(videa);
    } catch (const Knihovna::Chyba&) {
        // A damaged value the recording can do without keeps its default; one it needs (the
        // devices and the profile) ends the mode, and the message names only those.
        std::vector<std::wstring>& poskozene = aplikace.poskozeneHodnoty;
        if (poskozene.empty()) throw;
        std::vector<std::wstring> nutne;
        for (const std::wstring& nazev : poskozene)
            if (NutnaProZaznam(nazev.c_str(), videa)) nutne.push_back(nazev);
        if (!nutne.empty()) {
            poskozene = nutne;
            throw;
        }
    }
    // A damaged input line is not switched to: its default (no name) would deselect every line.
    const bool linkaPoskozena = std::find(aplikace.poskozeneHodnoty.begin(), aplikace.poskozeneHodnoty.end(),
                                          L"ovladacHlasitosti") != aplikace.poskozeneHodnoty.end();
    if (videa) {
        zprava = aplikace.video.zpravaIkona;
        prepnout = aplikace.video.prepnoutOvladac;
        linka = aplikace.video.ovladacHlasitosti;
    } else {
        zprava = aplikace.zvuk.zpravaIkona;
        prepnout = aplikace.zvuk.prepnoutOvladac;
        linka = aplikace.zvuk.ovladacHlasitosti;
    }
    const std::wstring& soubor = videa ? aplikace.souborVidea : aplikace.souborZvuku;
    m_chceIkonu = true;
    m_bitmapaIkony = videa ? IDB_ZAZNAM_VIDEA : IDB_ZAZNAM_ZVUKU;
    m_popisIkony = Formatovat(Knihovna::Retezec(videa ? IDS_PROBIHA_ZAZNAM_VIDEA : IDS_PROBIHA_ZAZNAM_ZVUKU).c_str(),
                              ::PathFindFileNameW(soubor.c_str()));
    PridatIkonu();
    if (zprava) UpravitIkonu([](Knihovna::IkonaTray& i) { i.ZobrazitBublinuId(IDS_INICIALIZACE, NIIF_INFO); });
    VytvoritZaznam(videa);
    if (videa) {
        zaznamVidea->NastavitZarizeniVidea(aplikace.video.zarizeniVideo);
        zaznamVidea->NastavitZarizeniZvuku(aplikace.video.zarizeniZvuk);
        zaznamVidea->NastavitProfil(aplikace.video.profilVideo);
    } else {
        zaznamZvuku->NastavitZarizeni(aplikace.zvuk.zarizeni);
        zaznamZvuku->NastavitProfil(aplikace.zvuk.profil);
    }
    if (prepnout && !linkaPoskozena) PrepnoutVstupniLinku(linka);
    if (videa)
        zaznamVidea->Spustit(soubor);
    else
        zaznamZvuku->Spustit(soubor);
    // The recording runs: from here on nothing but the icon is left to do, and no failure of it
    // ends the recording (the timer only animates the icon).
    casovac = ::SetTimer(m_hWnd, CASOVAC_ZAZNAMU, 500, nullptr) != 0;
    if (videa) UpravitIkonu([](Knihovna::IkonaTray& i) { i.SkrytBublinu(); });
    if (zprava) {
        wchar_t cesta[MAX_PATH] = L"";
        DWORD delka = ::GetFullPathNameW(soubor.c_str(), MAX_PATH, cesta, nullptr);
        const std::wstring plna = (delka > 0 && delka < MAX_PATH) ? std::wstring(cesta) : soubor;
        const std::wstring text =
            Formatovat(Knihovna::Retezec(videa ? IDS_SPUSTEN_ZAZNAM_VIDEA : IDS_SPUSTEN_ZAZNAM_ZVUKU).c_str(), plna.c_str());
        UpravitIkonu([&text](Knihovna::IkonaTray& i) { i.ZobrazitBublinu(text, NIIF_INFO); });
    }
}

}  // namespace Brenvald_Sonvidar
