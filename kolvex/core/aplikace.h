// The application object: identity, facts about the machine and user, shared icons and
// image lists, the WinINet session, the general settings; start-up and shutdown.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <string>

#include "core/horkeklavesy.h"
#include "core/mixer.h"
#include "core/nastaveniobecne.h"
#include "core/obrazek.h"
#include "core/pomocne.h"
#include "knihovna/modul.h"

// The host-address routine: 0 and the first IPv4 address and host name, or non-zero.
using FunkceAdresy = int (*)(std::wstring& ip, std::wstring& jmeno);

// System queries of the start-up facts; tests replace them.
struct SystemoveDotazy {
    BOOL(WINAPI* jmenoUzivatele)(LPWSTR, LPDWORD) = ::GetUserNameW;
    BOOL(WINAPI* jmenoPocitace)(LPWSTR, LPDWORD) = ::GetComputerNameW;
    int(WINAPI* informaceLocale)(LCID, LCTYPE, LPWSTR, int) = ::GetLocaleInfoW;
    FunkceAdresy adresaPocitace = nullptr;  // null = ZiskatIpAdresuPocitace
};

class Aplikace : public knihovna::ModulExe {
public:
    Aplikace();
    ~Aplikace() override;

    const wchar_t* const klicPolozekMenu = L"Polozky menu";
    const wchar_t* const klicPoSpusteni = L"Po spusteni";
    const wchar_t* const klicAplikaci = L"Aplikace";
    const wchar_t* const klicSpousteniAplikaci = L"Spousteni aplikaci";
    const wchar_t* const nazevMutexu = L"QKolvexAplikace";

    bool ceskeProstredi = true;
    HINTERNET relaceInternetu = nullptr;
    std::unique_ptr<HorkeKlavesy> horkeKlavesy;

    // Destroyed in reverse order: mixer, second list, menu list, small icon, large icon.
    VlastnikIkony velkaIkona;
    VlastnikIkony malaIkona;
    SeznamObrazku seznamMenu;
    SeznamObrazku druhySeznam;
    NastaveniObecne nastaveni;
    std::unique_ptr<VstupyMixeru> mixer;

    std::wstring slozkaProgramu;
    std::wstring slozkaZasuvnychModulu = L"Rozsireni";
    std::wstring slozkaZasuvnychModuluPoSpusteni = L"RozsireniPoSpusteni";
    std::wstring jmenoPocitace;
    std::wstring jmenoUzivatele;
    std::wstring ipAdresa;
    std::wstring jmenoHostitele;
    bool bezpecnostComInicializovana = false;
    ULONG_PTR tokenGdiplus = 0;
    HANDLE mutexInstance = nullptr;

    SystemoveDotazy dotazy;

    // The five picture formats with their encoders; built after GDI+ starts, freed before it stops.
    std::unique_ptr<TabulkaFormatu> formatyObrazku;
    void VytvoritFormatyObrazku() { VytvoritTabulkuFormatu(formatyObrazku); }
    void UvolnitFormatyObrazku() { formatyObrazku.reset(); }

    // 0 = started; 1 = another instance runs; else the HRESULT of the failed step (1 for 0).
    int InitInstance();
    // The error box of a start-up that cannot go on.
    void HlasitChybuStartu(const knihovna::Chyba& chyba);
    void ExitInstance();
    bool ZkontrolovatJedinouInstanci();
    void UrcitAdresuPocitace();
    // The host-address routine start-up step 14 calls (the tests' replacement or the real one).
    FunkceAdresy FunkceAdresyPocitace() const;
    // Keeps the result of the host-address routine: its texts, or the fixed texts on failure.
    void PrevzitAdresuPocitace(int vysledek, const std::wstring& ip, const std::wstring& jmeno);
    // Start-up steps 10 to 12: user and computer names, the Czech-locale flag.
    void ZjistitUzivateleAPocitac();

    void NapsatPodpore() override;
    int ZobrazitZpravu(const std::wstring& text, UINT priznaky) override;
    bool Otazka(const std::wstring& text, bool vychoziAno, bool varovani) override;
};

extern Aplikace aplikace;

// Follows GetParent up to the window that has no parent.
HWND NajitKorenoveOkno(HWND okno);
