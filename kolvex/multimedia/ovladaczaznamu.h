// The media-recorder driver: records sound (WMA) or video (WMV) by starting Sonvidar.exe with a
// verb and a numbered output file on a worker thread, and stops that recording by closing the
// window of the Sonvidar process its own worker started. Also opens Sonvidar's settings dialogs
// and, when asked, probes whether the media encoder is installed.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "core/ikonatray.h"
#include "core/konfiguracenastroju.h"
#include "core/menu.h"
#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"

// Posted by a worker to the module window when a recording could not start (wParam: 0 video,
// 1 sound; lParam: the HRESULT).
constexpr UINT ZpravaZaznamNespusten = WM_APP + 21;

// Command of a click on the driver's tray icon; 0 = nothing, PRIKAZ_NABIDKA_SONVIDAR = the menu.
constexpr UINT PRIKAZ_NABIDKA_SONVIDAR = 40074;
UINT PrikazKliknutiSonvidar(const KonfiguraceSonvidar& nastaveni, UINT zpravaMysi, bool ctrl, bool shift);
// Command of a click action value (0 menu, 1 sound, 2 video, 10/11 settings); 0 = nothing.
UINT PrikazAkceSonvidar(DWORD akce);

// Does a file of that name exist (tests hand in their own).
using FunkceExistuje = bool (*)(const std::wstring& cesta);
bool ExistujeSouborZaznamu(const std::wstring& cesta);

// The output file: with maxPocet <= 1 "<slozka>\<soubor><pripona>" (recorded over); else the
// first of "<slozka>\<soubor><i><pripona>", i = 0 .. maxPocet - 1, that does not exist. false
// when every number is taken, the name is shorter than two characters or longer than a path
// may be (a cut name would record elsewhere).
bool NajitJmenoZaznamu(const std::wstring& slozka, const std::wstring& soubor, DWORD maxPocet, const wchar_t* pripona,
                       std::wstring& jmeno, FunkceExistuje existuje = ExistujeSouborZaznamu);

class ModulSonvidar : public knihovna::OknoImpl<ModulSonvidar, knihovna::OknoModul>, public ModulAplikace {
public:
    ModulSonvidar();
    ~ModulSonvidar() override;

    std::wstring tridaZaznamu;  // "QKolvexSonvidar": Sonvidar's main window
    std::wstring cestaZaznamu;  // program folder\Sonvidar.exe; empty when it is not there
    bool zaznamNalezen = false;
    // The installation probe's answer (written by its worker).
    bool KoderNainstalovan() const { return m_spolecne->koderNainstalovan; }

    // On the module's thread: the hidden message-only window with the control icon when chosen.
    HWND VytvoritOkno();

    // Open Sonvidar's settings dialogs (not waited for).
    void NastaveniZaznamuZvuku();
    void NastaveniZaznamuVidea();
    void VytvoritOvladaciIkonuModulu();
    int PrepnoutOvladaciIkonu();

    // 40168 / 40169: start a recording, or stop the one this module's worker runs.
    void PrepnoutZaznam(bool video);
    bool BeziZaznam(bool video) const;
    // The installation probe (ZjistitInstalaciWME) on a worker of its own.
    void SpustitTest();
    // Shutdown: no player starts any more; stops the recordings whose setting asks for it,
    // releases the workers from their wait and joins them (bounded). A worker still running then
    // keeps what it uses alive itself.
    void UkoncitPracovniky();

    KNIHOVNA_MAPA_ZPRAV(ModulSonvidar)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ZPRAVA(WM_DRAWITEM, OnDrawItem)
        ZPRAVA(WM_MEASUREITEM, OnMeasureItem)
        ZPRAVA(WM_SYSCOMMAND, OnSysCommand)
        ZPRAVA(ZPRAVA_IKONY_TRAY, OnIkonaTray)
        ZPRAVA(WM_APP + 7, OnZobrazitNabidku)
        ZPRAVA(ZpravaZaznamNespusten, OnZaznamNespusten)
        ZPRAVA(WM_COMMAND, OnCommand)
    KNIHOVNA_KONEC_MAPY()

    void ProvestPrikaz(UINT id);
    void ZobrazitNabidku();

private:
    struct Pracovnik {
        std::atomic<HANDLE> vlakno{nullptr};  // set while the worker runs; the worker clears it
        std::atomic<DWORD> pid{0};            // the Sonvidar process it waits for
        HANDLE spojeni = nullptr;  // the module's own copy of the thread handle, to join it at shutdown
    };
    // What the workers use, owned together by the module and every running worker: the last owner
    // frees it, so the module may go after its bounded wait while a worker still waits for
    // Sonvidar or is starting the player (the workers never touch the module object itself).
    struct Spolecne {
        Spolecne();
        ~Spolecne();
        Spolecne(const Spolecne&) = delete;
        Spolecne& operator=(const Spolecne&) = delete;
        HANDLE konec = nullptr;             // set at shutdown: workers stop waiting
        std::atomic<bool> koncime{false};   // shutdown began: a finished recording starts no player
        std::atomic<HWND> okno{nullptr};    // the module window while it exists, for the reports
        std::atomic<bool> koderNainstalovan{false};
        Pracovnik video, zvuk, test;
    };
    // One worker's start: its share of the common state and the settings copied when it started.
    struct Uloha {
        std::shared_ptr<Spolecne> spolecne;
        Pracovnik* pracovnik;
        bool video;
        NastaveniZaznamu zaznam;
        std::wstring cestaZaznamu;  // Sonvidar.exe as the module knew it when the worker started
    };
    std::shared_ptr<Spolecne> m_spolecne;
    Pracovnik& m_video;
    Pracovnik& m_zvuk;
    Pracovnik& m_test;
    MenuPopup* m_menu = nullptr;
    std::wstring m_trida;

    void SpustitPracovnika(Pracovnik& p, unsigned(__stdcall* procedura)(void*), UINT idNazvu, bool video);
    static unsigned __stdcall PracovnikZaznamu(void* parametr);
    static unsigned __stdcall PracovnikTestu(void* parametr);
    static unsigned Zaznamenat(const Uloha& uloha);
    static unsigned Testovat(const Uloha& uloha);
    // Starts Sonvidar hidden and waits for its end (or shutdown); the exit code, or raises.
    static DWORD SpustitACekat(const Uloha& uloha, const std::wstring& parametry);
    void ZastavitZaznam(const Pracovnik& p) const;
    void OtevritNastaveni(const wchar_t* sloveso);

    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnIkonaTray(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZobrazitNabidku(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnZaznamNespusten(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<ModulSonvidar> modulSonvidar;

class VlaknoSonvidar : public VlaknoModulu {
public:
    VlaknoSonvidar();
    knihovna::OknoModul* Objekt() const override;

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
};

void VytvoritModulSonvidar();
void SmazatModulSonvidar();
