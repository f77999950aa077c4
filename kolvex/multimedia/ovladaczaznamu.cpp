#include "multimedia/ovladaczaznamu.h"

#include <process.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/pomocne.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Formatovat;
using knihovna::Overit;

std::unique_ptr<ModulSonvidar> modulSonvidar;

namespace {

constexpr UINT STRANKA_SONVIDAR = 179;
constexpr int OBRAZEK_MODULU = 61;
// Longest output name: the driver's buffer of 310 characters with its terminator.
constexpr size_t MAX_DELKA_JMENA = 309;
// Shutdown waits this long for each worker once it was released.
constexpr DWORD CEKANI_NA_PRACOVNIKA = 5000;
std::unique_ptr<VlaknoSonvidar> vlaknoSonvidar;

bool Stisknuto(int klavesa) { return (::GetAsyncKeyState(klavesa) & 0x8000) != 0; }

const KonfiguraceSonvidar& Nastaveni() {
    static KonfiguraceSonvidar* vychozi = nullptr;
    if (nastaveniSonvidar) return *nastaveniSonvidar;
    if (!vychozi) vychozi = new KonfiguraceSonvidar();
    return *vychozi;
}

int IkonaPolozky(UINT id, bool ikonaZobrazena) {
    switch (id) {
        case 40046: return ikonaZobrazena ? 16 : 13;
        case 40170:
        case 40171: return 1;
        default: {
            int index = -1;
            IkonaPrikazuMenu(id, index);
            return index;
        }
    }
}

struct ZastavitOkno {
    DWORD pid;
    const wchar_t* trida;
};

BOOL CALLBACK ZavritOknoProcesu(HWND okno, LPARAM parametr) {
    auto* hledani = reinterpret_cast<ZastavitOkno*>(parametr);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(okno, &pid);
    if (pid != hledani->pid) return TRUE;
    wchar_t trida[64] = L"";
    if (::GetClassNameW(okno, trida, 64) && ::lstrcmpW(trida, hledani->trida) == 0) {
        ::PostMessageW(okno, WM_CLOSE, 0, 0);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

UINT PrikazAkceSonvidar(DWORD akce) {
    switch (akce) {
        case 0: return PRIKAZ_NABIDKA_SONVIDAR;
        case 1: return 40168;
        case 2: return 40169;
        case 10: return 40170;
        case 11: return 40171;
        default: return 0;
    }
}

UINT PrikazKliknutiSonvidar(const KonfiguraceSonvidar& n, UINT zpravaMysi, bool ctrl, bool shift) {
    switch (zpravaMysi) {
        case WM_LBUTTONUP:
            if (ctrl && shift) return PrikazAkceSonvidar(n.ikonaCtrlShiftLeve);
            if (ctrl) return PrikazAkceSonvidar(n.ikonaCtrlLeve);
            if (shift) return PrikazAkceSonvidar(n.ikonaShiftLeve);
            return PrikazAkceSonvidar(n.ikonaLeve);
        case WM_MBUTTONUP: return PrikazAkceSonvidar(n.ikonaStredni);
        case WM_RBUTTONUP: return PRIKAZ_NABIDKA_SONVIDAR;
        default: return 0;
    }
}

bool ExistujeSouborZaznamu(const std::wstring& cesta) {
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW(cesta.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::FindClose(h);
    return true;
}

bool NajitJmenoZaznamu(const std::wstring& slozka, const std::wstring& soubor, DWORD maxPocet, const wchar_t* pripona,
                       std::wstring& jmeno, FunkceExistuje existuje) {
    const std::wstring zaklad = slozka + L"\\" + soubor;
    auto platne = [](const std::wstring& j) { return j.size() >= 2 && j.size() <= MAX_DELKA_JMENA; };
    if (maxPocet <= 1) {
        std::wstring kandidat = zaklad + pripona;
        if (!platne(kandidat)) return false;
        jmeno = kandidat;
        return true;
    }
    for (DWORD i = 0; i < maxPocet; ++i) {
        std::wstring kandidat = zaklad + std::to_wstring(i) + pripona;
        if (!platne(kandidat)) return false;
        if (!existuje(kandidat)) {
            jmeno = kandidat;
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------------------------

ModulSonvidar::Spolecne::Spolecne() {
    konec = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Overit(konec != nullptr);
}

ModulSonvidar::Spolecne::~Spolecne() {
    for (Pracovnik* p : {&video, &zvuk, &test})
        if (p->spojeni) ::CloseHandle(p->spojeni);
    if (konec) ::CloseHandle(konec);
}

ModulSonvidar::ModulSonvidar()
    : tridaZaznamu(L"QKolvexSonvidar"),
      m_spolecne(std::make_shared<Spolecne>()),
      m_video(m_spolecne->video),
      m_zvuk(m_spolecne->zvuk),
      m_test(m_spolecne->test),
      m_trida(knihovna::Retezec(IDS_TRIDA_SONVIDAR)) {
    NastavitKlic(aplikace.klicAplikace);
    nazevModulu = knihovna::Retezec(IDS_NAZEV_SONVIDAR);
    if (aplikace.seznamMenu.Get()) {
        ikonaModulu = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_MODULU, ILD_NORMAL);
        Overit(ikonaModulu != nullptr);
    }
    cestaZaznamu = ZiskatSlozkuProgramu() + L"\\Sonvidar.exe";
    zaznamNalezen = ::PathFileExistsW(cestaZaznamu.c_str()) != 0;
    if (!zaznamNalezen) cestaZaznamu.clear();
    if (Nastaveni().zjistovatInstalaciWME) SpustitTest();
}

ModulSonvidar::~ModulSonvidar() {
    UkoncitPracovniky();
    m_spolecne->okno = nullptr;
    // m_spolecne goes with the object; a worker still running holds its own share.
}

void ModulSonvidar::UkoncitPracovniky() {
    Spolecne& s = *m_spolecne;
    s.koncime = true;  // a recording that ends now opens no player while the program quits
    const KonfiguraceSonvidar& n = Nastaveni();
    if (n.video.zastavitPriUkonceni) ZastavitZaznam(m_video);
    if (n.zvuk.zastavitPriUkonceni) ZastavitZaznam(m_zvuk);
    // A stopped recording lets its worker end by itself (Sonvidar completes the file); then the
    // rest are released from their wait. The waits are bounded: the workers own what they use.
    const DWORD zacatek = ::GetTickCount();
    for (Pracovnik* p : {&m_video, &m_zvuk}) {
        HANDLE h = p->spojeni;
        if (!h) continue;
        DWORD uplynulo = ::GetTickCount() - zacatek;
        if (uplynulo < CEKANI_NA_PRACOVNIKA) ::WaitForSingleObject(h, CEKANI_NA_PRACOVNIKA - uplynulo);
    }
    ::SetEvent(s.konec);
    for (Pracovnik* p : {&m_video, &m_zvuk, &m_test}) {
        if (!p->spojeni) continue;
        ::WaitForSingleObject(p->spojeni, CEKANI_NA_PRACOVNIKA);
        ::CloseHandle(p->spojeni);
        p->spojeni = nullptr;
    }
}

HWND ModulSonvidar::VytvoritOkno() {
    Vytvorit(HWND_MESSAGE, nullptr, nazevModulu.c_str(), WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaModulu));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (aplikace.nastaveni.poSpusteni.ikonaSonvidar) VytvoritOvladaciIkonuModulu();
    m_spolecne->okno = m_hWnd;
    return m_hWnd;
}

void ModulSonvidar::VytvoritOvladaciIkonuModulu() {
    if (!ovladaciIkona) VytvoritOvladaciIkonu();
}

int ModulSonvidar::PrepnoutOvladaciIkonu() {
    if (ovladaciIkona)
        OdebratOvladaciIkonu();
    else
        VytvoritOvladaciIkonu();
    return 0;
}

bool ModulSonvidar::BeziZaznam(bool video) const { return (video ? m_video : m_zvuk).vlakno.load() != nullptr; }

void ModulSonvidar::ZastavitZaznam(const Pracovnik& p) const {
    const DWORD pid = p.pid.load();
    if (!p.vlakno.load() || pid == 0) return;  // Sonvidar not started yet: nothing to close
    ZastavitOkno hledani{pid, tridaZaznamu.c_str()};
    ::EnumWindows(ZavritOknoProcesu, reinterpret_cast<LPARAM>(&hledani));
}

void ModulSonvidar::PrepnoutZaznam(bool video) {
    Pracovnik& p = video ? m_video : m_zvuk;
    if (p.vlakno.load()) {
        ZastavitZaznam(p);
        return;
    }
    SpustitPracovnika(p, PracovnikZaznamu, video ? IDS_ZAZNAM_VIDEA_WMV : IDS_ZAZNAM_ZVUKU_WMA, video);
}

void ModulSonvidar::SpustitTest() { SpustitPracovnika(m_test, PracovnikTestu, IDS_ZAZNAM_ZVUKU_WMA, false); }

void ModulSonvidar::SpustitPracovnika(Pracovnik& p, unsigned(__stdcall* procedura)(void*), UINT idNazvu, bool video) {
    if (p.vlakno.load() || m_spolecne->koncime) return;
    ::ResetEvent(m_spolecne->konec);
    p.pid = 0;
    const KonfiguraceSonvidar& n = Nastaveni();
    // The worker's share and its settings: nothing it reads belongs to the module object.
    auto* uloha = new Uloha{m_spolecne, &p, video, video ? n.video : n.zvuk, cestaZaznamu};
    // Started suspended so that the handle is stored before the worker can clear it.
    uintptr_t h = _beginthreadex(nullptr, 0, procedura, uloha, CREATE_SUSPENDED, nullptr);
    if (h == 0) {
        const HRESULT hr = knihovna::HresultZPosledniChyby();
        delete uloha;
        HlasitChybuSpusteniNastroje(Chyba(hr), idNazvu);
        return;
    }
    if (p.spojeni) ::CloseHandle(p.spojeni);
    p.spojeni = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), reinterpret_cast<HANDLE>(h), ::GetCurrentProcess(), &p.spojeni, SYNCHRONIZE,
                      FALSE, 0);
    p.vlakno = reinterpret_cast<HANDLE>(h);
    ::ResumeThread(reinterpret_cast<HANDLE>(h));
}

unsigned __stdcall ModulSonvidar::PracovnikZaznamu(void* parametr) {
    std::unique_ptr<Uloha> uloha(static_cast<Uloha*>(parametr));
    return Zaznamenat(*uloha);
}
unsigned __stdcall ModulSonvidar::PracovnikTestu(void* parametr) {
    std::unique_ptr<Uloha> uloha(static_cast<Uloha*>(parametr));
    return Testovat(*uloha);
}

DWORD ModulSonvidar::SpustitACekat(const Uloha& uloha, const std::wstring& parametry) {
    Spolecne& s = *uloha.spolecne;
    Pracovnik& p = *uloha.pracovnik;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = uloha.cestaZaznamu.c_str();
    info.lpParameters = parametry.c_str();
    info.nShow = SW_HIDE;
    Overit(::ShellExecuteExW(&info) != 0);
    if (!info.hProcess) knihovna::VyhoditChybu(E_HANDLE);
    p.pid = ::GetProcessId(info.hProcess);
    HANDLE cekat[2] = {info.hProcess, s.konec};
    ::WaitForMultipleObjects(2, cekat, FALSE, INFINITE);
    DWORD kod = 0;
    if (!::GetExitCodeProcess(info.hProcess, &kod)) kod = 0;
    ::CloseHandle(info.hProcess);
    p.pid = 0;
    return kod;
}

unsigned ModulSonvidar::Zaznamenat(const Uloha& uloha) {
    Spolecne& s = *uloha.spolecne;
    Pracovnik& p = *uloha.pracovnik;
    const bool video = uloha.video;
    HRESULT vysledek = S_OK;
    try {
        if (uloha.cestaZaznamu.empty() || !::PathFileExistsW(uloha.cestaZaznamu.c_str()))
            knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
        const NastaveniZaznamu& z = uloha.zaznam;
        std::wstring jmeno;
        if (!NajitJmenoZaznamu(z.slozka, z.soubor, z.maxPocetSouboru, video ? L".wmv" : L".wma", jmeno))
            knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_FILE_EXISTS));
        const std::wstring parametry =
            Formatovat(video ? L"\"ZaznamVidea\" \"%s\"" : L"\"ZaznamZvuku\" \"%s\"", jmeno.c_str());
        // Sonvidar reports its own failures; only a recording that finished (exit code 0) is played.
        const DWORD kod = SpustitACekat(uloha, parametry);
        if (kod == 0 && z.prehrat && !s.koncime && ::WaitForSingleObject(s.konec, 0) != WAIT_OBJECT_0 &&
            ::PathFileExistsW(jmeno.c_str()))
            knihovna::spustitShell(nullptr, L"open", jmeno.c_str(), nullptr, nullptr, SW_SHOW);
    } catch (const Chyba& chyba) {
        vysledek = chyba.Hresult();
    } catch (...) {
        vysledek = E_UNEXPECTED;
    }
    // The worker only posts: the module window (if it still exists) tells the user.
    HWND okno = s.okno;
    if (FAILED(vysledek) && okno && !s.koncime) ::PostMessageW(okno, ZpravaZaznamNespusten, video ? 0 : 1, static_cast<LPARAM>(vysledek));
    HANDLE vlastni = p.vlakno.exchange(nullptr);
    if (vlastni) ::CloseHandle(vlastni);
    return static_cast<unsigned>(vysledek);
}

unsigned ModulSonvidar::Testovat(const Uloha& uloha) {
    Spolecne& s = *uloha.spolecne;
    HRESULT vysledek = S_OK;
    s.koderNainstalovan = false;
    try {
        if (uloha.cestaZaznamu.empty() || !::PathFileExistsW(uloha.cestaZaznamu.c_str())) knihovna::VyhoditChybu(E_INVALIDARG);
        s.koderNainstalovan = SpustitACekat(uloha, L"ZjistitInstalaciWME") == 1;
    } catch (const Chyba& chyba) {
        vysledek = chyba.Hresult();
    } catch (...) {
        vysledek = E_UNEXPECTED;
    }
    HANDLE vlastni = s.test.vlakno.exchange(nullptr);
    if (vlastni) ::CloseHandle(vlastni);
    return static_cast<unsigned>(vysledek);
}

void ModulSonvidar::OtevritNastaveni(const wchar_t* sloveso) {
    try {
        if (cestaZaznamu.empty()) knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
        HINSTANCE h = knihovna::spustitShell(nullptr, L"open", cestaZaznamu.c_str(), sloveso, nullptr, SW_SHOW);
        if (reinterpret_cast<INT_PTR>(h) <= 32) knihovna::VyhoditPosledniChybu();
    } catch (const Chyba& chyba) {
        aplikace.ZobrazitChybuCom(knihovna::Retezec(IDS_SONVIDAR_NESPUSTEN), chyba);
    }
}

void ModulSonvidar::NastaveniZaznamuZvuku() { OtevritNastaveni(L"NastaveniZaznamZvuku"); }
void ModulSonvidar::NastaveniZaznamuVidea() { OtevritNastaveni(L"NastaveniZaznamVidea"); }

// ---------------------------------------------------------------------------------------------

LRESULT ModulSonvidar::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    // A recording goes on: Sonvidar is not told.
    OdebratOvladaciIkonu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSonvidar::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    m_spolecne->okno = nullptr;
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSonvidar::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID, ovladaciIkona != nullptr));
        } catch (const Chyba&) {
        }
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT ModulSonvidar::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != 1) return 0;
    UINT prikaz = PrikazKliknutiSonvidar(Nastaveni(), static_cast<UINT>(l), Stisknuto(VK_CONTROL), Stisknuto(VK_SHIFT));
    if (prikaz == PRIKAZ_NABIDKA_SONVIDAR)
        ZobrazitNabidku();
    else if (prikaz != 0)
        ProvestPrikaz(prikaz);
    return 0;
}

LRESULT ModulSonvidar::OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&) {
    ZobrazitNabidku();
    return 0;
}

LRESULT ModulSonvidar::OnZaznamNespusten(UINT, WPARAM w, LPARAM l, BOOL&) {
    const std::wstring nazev = knihovna::Retezec(w ? IDS_ZAZNAM_ZVUKU_WMA : IDS_ZAZNAM_VIDEA_WMV);
    const HRESULT hr = static_cast<HRESULT>(l);
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_EXISTS))
        aplikace.ZobrazitZpravu(Formatovat(knihovna::Retezec(IDS_ZAZNAM_BEZ_JMENA).c_str(), nazev.c_str()),
                                MB_ICONWARNING);
    else if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) && !zaznamNalezen)  // the recorder is missing
        aplikace.ZobrazitChybuCom(
            Formatovat(knihovna::Retezec(IDS_ZAZNAM_NESPUSTEN).c_str(), nazev.c_str()) + L"\n" +
                Formatovat(knihovna::Retezec(IDS_ZAZNAM_CHYBI_PROGRAM).c_str(), (ZiskatSlozkuProgramu() + L"\\Sonvidar.exe").c_str()),
            Chyba(hr));
    else
        aplikace.ZobrazitChybuCom(Formatovat(knihovna::Retezec(IDS_ZAZNAM_NESPUSTEN).c_str(), nazev.c_str()), Chyba(hr));
    return 0;
}

LRESULT ModulSonvidar::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL& zpracovano) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40168:
        case 40169:
        case 40170:
        case 40171:
        case 40002:
        case 40046: ProvestPrikaz(id); return 0;
        default: return OknoNormalni::OnCommand(msg, w, l, zpracovano);
    }
}

void ModulSonvidar::ProvestPrikaz(UINT id) {
    switch (id) {
        case 40168: PrepnoutZaznam(false); break;
        case 40169: PrepnoutZaznam(true); break;
        case 40170: NastaveniZaznamuZvuku(); break;
        case 40171: NastaveniZaznamuVidea(); break;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_SONVIDAR);
            break;
        case 40046: PrepnoutOvladaciIkonu(); break;
        default: break;
    }
}

void ModulSonvidar::ZobrazitNabidku() {
    if (m_menu) return;
    NabidkaNastroje nabidka(IDM_SONVIDAR);
    MenuPopup& zaznam = nabidka.zaznam;
    if (!ovladaciIkona) MenuPopup::NastavitTextPolozky(zaznam.popup, 40046, IDS_ZOBRAZIT_IKONU);
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40003u, 40002u, 40171u, 40170u, 40046u, 40169u, 40168u})
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}

// ---------------------------------------------------------------------------------------------

VlaknoSonvidar::VlaknoSonvidar() : VlaknoModulu(IDS_NAZEV_SONVIDAR) {}

knihovna::OknoModul* VlaknoSonvidar::Objekt() const {
    return modulSonvidar && modulSonvidar->m_hWnd ? modulSonvidar.get() : nullptr;
}

HWND VlaknoSonvidar::VytvoritOkno(bool) {
    if (!modulSonvidar) knihovna::VyhoditChybu(E_HANDLE);
    return modulSonvidar->VytvoritOkno();
}

void VlaknoSonvidar::ZrusitOkno() {
    // The object outlives its thread (its workers may still wait for Sonvidar).
    if (!modulSonvidar) return;
    try {
        modulSonvidar->OdebratOvladaciIkonu();
    } catch (const Chyba&) {
    }
    if (modulSonvidar->m_hWnd && ::IsWindow(modulSonvidar->m_hWnd)) ::DestroyWindow(modulSonvidar->m_hWnd);
}

void VytvoritModulSonvidar() {
    if (!modulSonvidar) modulSonvidar = std::make_unique<ModulSonvidar>();
    if (!vlaknoSonvidar) vlaknoSonvidar = std::make_unique<VlaknoSonvidar>();
    ZaregistrovatNastroj(Nastroj::Sonvidar, vlaknoSonvidar.get());
}

void SmazatModulSonvidar() {
    ZaregistrovatNastroj(Nastroj::Sonvidar, nullptr);
    vlaknoSonvidar.reset();
    modulSonvidar.reset();
}
