#include <winsock2.h>

#include "core/aplikace.h"

#include <objidl.h>
#include <algorithm>
#include <exception>
using std::max;
using std::min;
#include <gdiplus.h>
#include <process.h>
#include <shlwapi.h>

#include "core/aktualizace.h"
#include "core/externi.h"
#include "core/globalni.h"
#include "core/kontakty.h"
#include "core/konfigurace.h"
#include "core/konfiguracenastroju.h"
#include "core/napojeni.h"
#include "core/odesilatelemailu.h"
#include "core/oknohlavni.h"
#include "core/sit.h"
#include "core/zasuvnemoduly.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "monitors/seznamprocesu.h"
#include "resources/resource.h"

using knihovna::Overit;

Aplikace aplikace;

Aplikace::Aplikace() : knihovna::ModulExe(L"Software\\Brenvald\\Kolvex\\5.0") {}

Aplikace::~Aplikace() = default;

bool Aplikace::ZkontrolovatJedinouInstanci() {
    if (mutexInstance) return false;
    mutexInstance = ::CreateMutexW(nullptr, TRUE, nazevMutexu);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (mutexInstance) ::CloseHandle(mutexInstance);
        mutexInstance = nullptr;
        knihovna::oknoZpravy(nullptr, L"Tato aplikace je již spuštěna.", titulek.c_str(), MB_ICONEXCLAMATION);
        return true;
    }
    return false;
}

void Aplikace::ZjistitUzivateleAPocitac() {
    wchar_t uzivatel[257];
    DWORD delka = 257;
    jmenoUzivatele = dotazy.jmenoUzivatele(uzivatel, &delka) ? uzivatel : L"Přihlášený uživatel";

    wchar_t pocitac[16];
    delka = 16;
    jmenoPocitace = dotazy.jmenoPocitace(pocitac, &delka) ? pocitac : L"Tento počítač";

    wchar_t zeme[16] = L"";
    dotazy.informaceLocale(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, zeme, 16);
    ceskeProstredi = wcscmp(zeme, L"420") == 0;
}

FunkceAdresy Aplikace::FunkceAdresyPocitace() const {
    return dotazy.adresaPocitace ? dotazy.adresaPocitace : ZiskatIpAdresuPocitace;
}

void Aplikace::PrevzitAdresuPocitace(int vysledek, const std::wstring& ip, const std::wstring& jmeno) {
    if (vysledek != 0) {
        ipAdresa = L"Nezjištěná IP";
        jmenoHostitele = L"Nezjištěné jméno počítače";
    } else {
        ipAdresa = ip;
        jmenoHostitele = jmeno;
    }
}

void Aplikace::UrcitAdresuPocitace() {
    std::wstring ip, jmeno;
    const int vysledek = FunkceAdresyPocitace()(ip, jmeno);
    PrevzitAdresuPocitace(vysledek, ip, jmeno);
}

namespace {

// The host-address look-up of start-up step 14 on a worker thread: the resolver waits on the
// host's name service while the start-up thread goes on with the steps that do not need the
// address. The worker touches only this object; its owner waits for it before reading the result
// and, whatever happens, before the object goes.
class HledaniAdresy {
public:
    explicit HledaniAdresy(FunkceAdresy hledat) : m_hledat(hledat) {
        m_vlakno.Nastavit(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, Procedura, this, 0, nullptr)));
        if (!m_vlakno) Hledat();  // no thread: the look-up runs here
    }
    ~HledaniAdresy() { Pockat(); }
    HledaniAdresy(const HledaniAdresy&) = delete;
    HledaniAdresy& operator=(const HledaniAdresy&) = delete;

    // Waits for the look-up and hands its result to the application; an error object or
    // exception of the look-up is raised here, on the start-up thread.
    void Prevzit(Aplikace& aplikace) {
        Pockat();
        if (m_vyjimka) std::rethrow_exception(m_vyjimka);
        aplikace.PrevzitAdresuPocitace(m_vysledek, m_ip, m_jmeno);
    }

private:
    static unsigned __stdcall Procedura(void* parametr) {
        static_cast<HledaniAdresy*>(parametr)->Hledat();
        return 0;
    }
    void Hledat() {
        try {
            m_vysledek = m_hledat(m_ip, m_jmeno);
        } catch (...) {
            m_vyjimka = std::current_exception();
        }
    }
    void Pockat() {
        if (m_vlakno) ::WaitForSingleObject(m_vlakno.Get(), INFINITE);
        m_vlakno.Uvolnit();
    }

    FunkceAdresy m_hledat;
    knihovna::UchytHandle m_vlakno;
    int m_vysledek = 1;
    std::wstring m_ip;
    std::wstring m_jmeno;
    std::exception_ptr m_vyjimka;
};

HICON NacistIkonu(int sirka, int vyska) {
    HICON ikona = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KOLVEX),
                                                  IMAGE_ICON, sirka, vyska, LR_DEFAULTCOLOR));
    Overit(ikona != nullptr);
    return ikona;
}

}  // namespace

int Aplikace::InitInstance() {
    try {
        // 1. Title from the version block.
        NacistRetezecVerze(L"ProductName", titulek);

        // 2. Common controls.
        INITCOMMONCONTROLSEX ovladace{sizeof(ovladace), 0x2FFF};
        Overit(::InitCommonControlsEx(&ovladace) != 0);

        // 3. Single instance.
        if (ZkontrolovatJedinouInstanci()) return 1;

        // 4. GDI+.
        Gdiplus::GdiplusStartupInput vstup;
        if (Gdiplus::GdiplusStartup(&tokenGdiplus, &vstup, nullptr) != Gdiplus::Ok) knihovna::VyhoditChybu(E_FAIL);

        // 5. Picture formats.
        VytvoritFormatyObrazku();

        // 6. Image lists.
        seznamMenu.Vytvorit(IDB_MENU_ZAKLAD);
        seznamMenu.Pridat(IDB_MENU_DALSI);
        druhySeznam.Vytvorit(IDB_DRUHY_ZAKLAD);
        druhySeznam.Pridat(IDB_DRUHY_DALSI);

        // 7. Icons.
        velkaIkona.Nastavit(NacistIkonu(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
        malaIkona.Nastavit(NacistIkonu(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)));

        // 8. Windows Sockets (the result is not tested: the SMTP client reports its own failures).
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 0), &wsa);

        // 9. Program folder.
        slozkaProgramu = ZiskatSlozkuProgramu();

        // 10-12. User, computer, country.
        ZjistitUzivateleAPocitac();

        // 13. WinINet session.
        relaceInternetu = ::InternetOpenW(L"QKolvex5", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
        Overit(relaceInternetu != nullptr);

        // 14. Address of this computer: looked up beside steps 15-28, kept before step 29.
        HledaniAdresy hledaniAdresy(FunkceAdresyPocitace());

        // 15. Audio mixer inputs.
        mixer = std::make_unique<VstupyMixeru>();

        // 16. Hot-key table (filled by the defaults of step 18).
        horkeKlavesy = std::make_unique<HorkeKlavesy>(klicAplikace);

        // 17. Display modes.
        rezimyObrazovky = std::make_unique<RezimyObrazovky>();

        // 18. General settings: defaults, then the stored values (the result is not needed:
        // a failure has been reported and the defaults stand in).
        NastavitVychoziNastaveniObecne(*this);
        NacistNastaveniObecne(*this);

        // 19. Settings objects, each loaded as it is made; their folder defaults come from the
        // data folder just loaded.
        VytvoritNastaveniNastroju();

        // 20. Module objects: each tool registers the object the main window starts and stops.
        ZaregistrovatNastroje();

        // 21. Data and temporary folders (one level each); without them nothing can be kept, so
        // start-up ends, but only after the user has been told which folder and why.
        for (const std::wstring& slozka : {nastaveni.slozkaData.Text(), nastaveni.slozkaDocasne.Text()}) {
            try {
                VytvoritSlozkuKdyzChybi(slozka);
            } catch (const knihovna::Chyba& chyba) {
                ZobrazitChybu(knihovna::Formatovat(knihovna::Retezec(IDS_SLOZKU_NELZE_VYTVORIT).c_str(),
                                                   slozka.c_str(), TextChybyCom(chyba).c_str()));
                return 1;
            }
        }

        // 22. Outside programs.
        extAplikaceVarnel = std::make_unique<ExtAplikaceVarnel>();
        extAplikaceVarnel->UrcitCestu(ExtAplikaceVarnel::VychoziCesta().c_str());
        extAplikaceMeltis = std::make_unique<ExtAplikaceMeltis>();
        extAplikaceMeltis->UrcitCestu(slozkaProgramu);

        // 23. Folders of the settings objects (one level each).
        nastaveniSonvidar->VytvoritSlozky();
        ZkusitVytvoritSlozku(nastaveniObrazovka->opis.slozka);
        nastaveniPocasi->VytvoritSlozky();
        nastaveniPoznamky->VytvoritSlozky();
        ZkusitVytvoritSlozku(nastaveniSchranka->textDoSchranky.slozka);

        // 24. Explorer extensions.
        infoShellExtObrazky = std::make_unique<InfoShellExtObrazky>(slozkaProgramu);
        infoShellExtSchranka = std::make_unique<InfoShellExtSchranka>(slozkaProgramu);

        // 25. Process records.
        seznamProcesu = new SeznamProcesu(40);

        // 26. Contacts (a damaged file is reported; the program goes on with an empty list).
        NacistKontaktyPriStartu(nastaveniKontakty->soubor);

        // 27. CD/DVD drives.
        VytvoritJednotkyCD();

        // 28. Plug-ins.
        NajitRozsireni();

        // The address of step 14, which the main window's tray icon shows.
        hledaniAdresy.Prevzit(*this);

        // 29. Main window.
        oknoHlavni = std::make_unique<OknoHlavni>();
        oknoHlavni->Vytvorit();
        return 0;
    } catch (const knihovna::Chyba& chyba) {
        HlasitChybuStartu(chyba);
        return chyba.Hresult() == 0 ? 1 : static_cast<int>(chyba.Hresult());
    } catch (const std::bad_alloc&) {
        HlasitChybuStartu(knihovna::Chyba(E_OUTOFMEMORY));
        return E_OUTOFMEMORY;
    } catch (const std::exception&) {
        HlasitChybuStartu(knihovna::Chyba(E_FAIL));
        return E_FAIL;
    }
}

void Aplikace::HlasitChybuStartu(const knihovna::Chyba& chyba) {
    try {
        ZobrazitChybuCom(knihovna::Retezec(IDS_CHYBA_STARTU), chyba);
    } catch (...) {
        // no string table, no memory: the exit code is all that is left
    }
}

void Aplikace::ExitInstance() {
    // The update check is cancelled first and waited for a bounded time: it uses the session
    // and posts to the main window.
    const bool kontrolaSkoncila = ZastavitKontroluAktualizaci(3000);
    // 1. Module objects (their threads have stopped with the main window).
    ZrusitNastroje();
    // 2. CD/DVD drives (their threads have stopped with the main window).
    ZrusitJednotkyCD();
    // 3. Launcher: with its module.
    // 4. Explorer-extension records.
    infoShellExtObrazky.reset();
    infoShellExtSchranka.reset();
    // 5. Plug-in list.
    UvolnitRozsireni();
    // 6. Main window.
    oknoHlavni.reset();
    // 7. Outside programs.
    extAplikaceVarnel.reset();
    extAplikaceMeltis.reset();
    // 8. Process records.
    delete seznamProcesu;
    seznamProcesu = nullptr;
    // 9. Hot-key table, mixer, contacts, display modes.
    horkeKlavesy.reset();
    mixer.reset();
    seznamKontaktu.reset();
    rezimyObrazovky.reset();
    // 10. Settings objects (the e-mail sender's and the launcher's are freed at process end).
    ZrusitNastaveniNastroju();
    // 11. WinINet session, once the update check (which uses it) has ended; a check that cannot
    // be stopped in time keeps it to the end of the process.
    if (relaceInternetu && kontrolaSkoncila) {
        Overit(::InternetCloseHandle(relaceInternetu) != 0);
        relaceInternetu = nullptr;
    }
    // 12. Windows Sockets.
    ::WSACleanup();
    // 13. Picture formats.
    UvolnitFormatyObrazku();
    // 14. GDI+.
    if (tokenGdiplus) {
        Gdiplus::GdiplusShutdown(tokenGdiplus);
        tokenGdiplus = 0;
    }
}

void Aplikace::NapsatPodpore() {
    OtevritAdresu(L"mailto:" + knihovna::emailPodpory + L"?subject=Kolvex pro Windows - Žádost o technickou podporu");
}

int Aplikace::ZobrazitZpravu(const std::wstring& text, UINT priznaky) {
    std::wstring nazev;
    try {
        NacistRetezecVerze(L"ProductName", nazev);
    } catch (const knihovna::Chyba&) {
        nazev = titulek;
    }
    return knihovna::oknoZpravy(knihovna::VlastnikZpravy(), text.c_str(), nazev.c_str(),
                                priznaky | MB_TASKMODAL | MB_SETFOREGROUND);
}

bool Aplikace::Otazka(const std::wstring& text, bool vychoziAno, bool varovani) {
    UINT priznaky = MB_YESNO | MB_TASKMODAL | MB_SETFOREGROUND | (varovani ? MB_ICONWARNING : MB_ICONQUESTION);
    if (!vychoziAno) priznaky |= MB_DEFBUTTON2;
    return knihovna::oknoZpravy(knihovna::VlastnikZpravy(), text.c_str(), titulek.c_str(), priznaky) == IDYES;
}

HWND NajitKorenoveOkno(HWND okno) {
    for (HWND rodic = ::GetParent(okno); rodic; rodic = ::GetParent(okno)) okno = rodic;
    return okno;
}
