// Recording a sound note: one MCI "waveaudio" recording into a unique temporary file, the dialog
// that shows its duration, and the switch of the mixer's recording input line.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "core/mixer.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

// "Trvání záznamu: %d sekundy" below 5000 ms, "Trvání záznamu: %d sekund" from 5000 ms on; whole
// seconds, the threshold tested on the milliseconds.
std::wstring TextTrvaniZaznamu(DWORD milisekundy);

// Seam for tests: the MCI command call of the recorder.
using FunkcePrikazuMci = MCIERROR(WINAPI*)(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR);
extern FunkcePrikazuMci prikazMciZaznamu;

// One recording on one MCI device.
class ZaznamZvukuMci {
public:
    ZaznamZvukuMci() = default;
    ~ZaznamZvukuMci();  // a recording still running is discarded
    ZaznamZvukuMci(const ZaznamZvukuMci&) = delete;
    ZaznamZvukuMci& operator=(const ZaznamZvukuMci&) = delete;

    int NastavitSoubor(const std::wstring& cesta);
    // Opens a new untitled recording and starts it: 0 recording, 1 the open failed (posledniChyba
    // and chyba tell why).
    int Spustit();
    // Stops, saves to the file and closes: 0 saved, 1 not recording, else the failing MCI error
    // (chyba holds its text; the device is closed all the same).
    int ZastavitAUlozit();
    // Stops and closes without saving.
    void Zrusit();

    bool nahrava = false;
    std::wstring chyba;
    std::wstring soubor;
    MCIERROR posledniChyba = 0;
    MCIDEVICEID zarizeni = 0;
    HWND oknoOznameni = nullptr;

private:
    // The command records live as long as the recorder: the device may use them after a call
    // without MCI_WAIT has returned.
    MCI_OPEN_PARMSW m_otevreni{};
    MCI_RECORD_PARMS m_zaznam{};
    MCI_SAVE_PARMSW m_ulozeni{};
    MCI_GENERIC_PARMS m_obecne{};

    void NastavitChybu(MCIERROR kod);
    void DokoncitBufery();
};

// A new unique empty file for a recording in the program's temporary folder (the system's when
// that does not exist); never a file of the notes folders. Raises on failure.
std::wstring VytvoritDocasnySouborZaznamu();

// The recording dialog: records while it is open; "Uložit" saves (IDOK), "Storno" discards
// (IDCANCEL). When the device cannot be opened the MCI error is shown and the dialog ends as
// cancelled.
class DlgZaznamZvukovePoznamky : public knihovna::DialogImpl<DlgZaznamZvukovePoznamky, knihovna::Okno> {
public:
    enum { IDD = IDD_ZAZNAM_ZVUKOVE_POZNAMKY };
    // The recording goes to that file (created empty beforehand, so that its name is reserved).
    explicit DlgZaznamZvukovePoznamky(const std::wstring& docasnySoubor);
    ~DlgZaznamZvukovePoznamky() override;

    KNIHOVNA_MAPA_ZPRAV(DlgZaznamZvukovePoznamky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_TIMER, OnTimer)
        PRIKAZ(IDOK, BN_CLICKED, Ulozit)
        PRIKAZ(IDCANCEL, BN_CLICKED, Zrusit)
    KNIHOVNA_KONEC_MAPY()

    void ZahajitZaznam();
    const std::wstring& DocasnySoubor() const { return docasnySoubor; }
    const ZaznamZvukuMci* Zaznam() const { return zaznam; }
    // Whether "Uložit" has written the recording to the file (also when the dialog's window was
    // destroyed before its loop could return IDOK).
    bool Ulozeno() const { return ulozeno; }

private:
    ZaznamZvukuMci* zaznam = nullptr;
    std::wstring docasnySoubor;
    HICON ikona = nullptr;
    DWORD zacatek = 0;
    bool ulozeno = false;

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT Ulozit(WORD, WORD, HWND, BOOL&);
    LRESULT Zrusit(WORD, WORD, HWND, BOOL&);
};

// The recording dialog while it exists (null otherwise).
extern DlgZaznamZvukovePoznamky* dlgZaznamZvukovePoznamky;

// The mixer calls of the input-line switch; tests hand in a mixer of their own.
class RozhraniPrepinaceMixeru : public RozhraniMixeru {
public:
    virtual MMRESULT NastavitPodrobnosti(HMIXER mixer, MIXERCONTROLDETAILS* podrobnosti, DWORD priznaky) = 0;
};
RozhraniPrepinaceMixeru& SystemovyPrepinacMixeru();

// Selects the recording input line of that name (exact match) on mixer device 0. Every mixer call
// is checked: without a mixer, a wave-in line or a list control, or when no item bears the name,
// nothing changes. 0 = switched, 1 = no list control, 2 = no such line, 3 = a mixer call failed.
int VybratVstupniLinku(const std::wstring& nazev, RozhraniPrepinaceMixeru& mixer = SystemovyPrepinacMixeru());
