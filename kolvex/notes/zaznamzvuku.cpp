#include "notes/zaznamzvuku.h"

#include <shlwapi.h>

#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/modalni.h"
#include "knihovna/text.h"

using knihovna::Overit;

DlgZaznamZvukovePoznamky* dlgZaznamZvukovePoznamky = nullptr;
FunkcePrikazuMci prikazMciZaznamu = ::mciSendCommandW;

namespace {
constexpr UINT_PTR CASOVAC_TRVANI = 1;
constexpr int OBRAZEK_ZAZNAMU = 40;
}  // namespace

std::wstring TextTrvaniZaznamu(DWORD milisekundy) {
    const int sekundy = static_cast<int>(milisekundy / 1000);
    return knihovna::Formatovat(milisekundy < 5000 ? L"Trvání záznamu: %d sekundy" : L"Trvání záznamu: %d sekund",
                                sekundy);
}

// ---------------------------------------------------------------------------------------------

ZaznamZvukuMci::~ZaznamZvukuMci() { Zrusit(); }

void ZaznamZvukuMci::DokoncitBufery() {
    // The wave-in driver may still hand its last buffers to the device's file after the stop has
    // returned; saving or closing meanwhile would pull the file away under it.
    ::Sleep(150);
}

int ZaznamZvukuMci::NastavitSoubor(const std::wstring& cesta) {
    soubor = cesta;
    return 0;
}

void ZaznamZvukuMci::NastavitChybu(MCIERROR kod) {
    wchar_t text[1024] = L"";
    if (!::mciGetErrorStringW(kod, text, 1024)) text[0] = L'\0';
    chyba = text[0] ? text : knihovna::Formatovat(L"MCI %u", static_cast<unsigned>(kod));
}

int ZaznamZvukuMci::Spustit() {
    if (nahrava) Zrusit();
    // The record command runs on the driver's own thread; closing the device may unload the
    // driver while that thread is still returning into it. One reference held for the run keeps
    // the driver's code in place.
    static HMODULE ovladac = ::LoadLibraryW(L"mciwave.dll");
    (void)ovladac;
    m_otevreni = MCI_OPEN_PARMSW{};
    m_otevreni.lpstrDeviceType = L"waveaudio";
    m_otevreni.lpstrElementName = L"";
    posledniChyba = prikazMciZaznamu(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_WAIT,
                                      reinterpret_cast<DWORD_PTR>(&m_otevreni));
    if (posledniChyba != 0) {
        NastavitChybu(posledniChyba);
        return 1;
    }
    zarizeni = m_otevreni.wDeviceID;
    m_zaznam = MCI_RECORD_PARMS{};
    m_zaznam.dwCallback = reinterpret_cast<DWORD_PTR>(oknoOznameni);
    const MCIERROR vysledek =
        prikazMciZaznamu(zarizeni, MCI_RECORD, oknoOznameni ? MCI_NOTIFY : 0, reinterpret_cast<DWORD_PTR>(&m_zaznam));
    if (vysledek != 0) {
        posledniChyba = vysledek;
        NastavitChybu(vysledek);
        prikazMciZaznamu(zarizeni, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_obecne));
        zarizeni = 0;
        return 1;
    }
    nahrava = true;
    return 0;
}

int ZaznamZvukuMci::ZastavitAUlozit() {
    if (!nahrava) return 1;
    MCIERROR vysledek = prikazMciZaznamu(zarizeni, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_obecne));
    DokoncitBufery();
    if (vysledek == 0) {
        m_ulozeni = MCI_SAVE_PARMSW{};
        m_ulozeni.lpfilename = soubor.c_str();
        vysledek =
            prikazMciZaznamu(zarizeni, MCI_SAVE, MCI_SAVE_FILE | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_ulozeni));
    }
    prikazMciZaznamu(zarizeni, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_obecne));
    nahrava = false;
    zarizeni = 0;
    if (vysledek != 0) {
        posledniChyba = vysledek;
        NastavitChybu(vysledek);
        return static_cast<int>(vysledek);
    }
    return 0;
}

void ZaznamZvukuMci::Zrusit() {
    if (!nahrava) return;
    prikazMciZaznamu(zarizeni, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_obecne));
    DokoncitBufery();
    prikazMciZaznamu(zarizeni, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&m_obecne));
    nahrava = false;
    zarizeni = 0;
}

std::wstring VytvoritDocasnySouborZaznamu() {
    std::wstring slozka = aplikace.nastaveni.slozkaDocasne.Text();
    if (slozka.empty() || !::PathIsDirectoryW(slozka.c_str())) {
        wchar_t systemova[MAX_PATH + 1] = L"";
        const DWORD delka = ::GetTempPathW(MAX_PATH + 1, systemova);
        Overit(delka > 0 && delka <= MAX_PATH);
        slozka = systemova;
    }
    wchar_t soubor[MAX_PATH] = L"";
    Overit(::GetTempFileNameW(slozka.c_str(), L"zvp", 0, soubor) != 0);
    return soubor;
}

// ---------------------------------------------------------------------------------------------

DlgZaznamZvukovePoznamky::DlgZaznamZvukovePoznamky(const std::wstring& soubor) : docasnySoubor(soubor) {
    if (aplikace.seznamMenu.Get()) {
        ikona = ::ImageList_GetIcon(aplikace.seznamMenu.Get(), OBRAZEK_ZAZNAMU, ILD_NORMAL);
        Overit(ikona != nullptr);
    }
}

DlgZaznamZvukovePoznamky::~DlgZaznamZvukovePoznamky() {
    delete zaznam;
    zaznam = nullptr;
    if (ikona) ::DestroyIcon(ikona);
}

LRESULT DlgZaznamZvukovePoznamky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    ::SetWindowTextW(m_hWnd, knihovna::Formatovat(L"Záznam zvukové poznámky - %s", aplikace.titulek.c_str()).c_str());
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    if (ikona) Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikona));
    if (!::GetWindow(m_hWnd, GW_OWNER)) Okno::UmistitNaPlochu(m_hWnd, 5);
    // A stop of the module keeps the recording (as temp N.wav) by closing the owner; a cancel
    // would throw it away. Windows frees the property with the window.
    ::SetPropW(m_hWnd, knihovna::NERUSIT_PRI_ZASTAVENI, reinterpret_cast<HANDLE>(1));
    ZahajitZaznam();
    if (!zaznam || !zaznam->nahrava) {
        // Nothing records: tell why and end as cancelled, so that no stale file becomes a note.
        const std::wstring text = knihovna::Formatovat(knihovna::Retezec(IDS_CHYBA_OTEVRENI_ZAZNAMU).c_str(),
                                                       zaznam ? zaznam->chyba.c_str() : L"");
        aplikace.ZobrazitZpravu(text, MB_ICONERROR);
        Ukoncit(IDCANCEL);
        return TRUE;
    }
    ::PostMessageW(m_hWnd, WM_TIMER, CASOVAC_TRVANI, 0);
    Overit(::SetTimer(m_hWnd, CASOVAC_TRVANI, 1000, nullptr) != 0);
    return TRUE;
}

void DlgZaznamZvukovePoznamky::ZahajitZaznam() {
    if (zaznam) {
        zaznam->Zrusit();
        delete zaznam;
        zaznam = nullptr;
    }
    zaznam = new ZaznamZvukuMci();
    zaznam->NastavitSoubor(docasnySoubor);
    if (nastaveniPoznamky && nastaveniPoznamky->zvukove.prepnoutOvladac)
        VybratVstupniLinku(nastaveniPoznamky->zvukove.ovladacHlasitosti.Text());
    zaznam->Spustit();
    zacatek = ::GetTickCount();
}

LRESULT DlgZaznamZvukovePoznamky::OnTimer(UINT, WPARAM, LPARAM, BOOL&) {
    const DWORD uplynulo = ::GetTickCount() - zacatek;
    ::SetDlgItemTextW(m_hWnd, IDC_ZAZNAM_TRVANI, TextTrvaniZaznamu(uplynulo).c_str());
    return 0;
}

LRESULT DlgZaznamZvukovePoznamky::Ulozit(WORD, WORD, HWND, BOOL&) {
    int vysledek = 1;
    if (zaznam) vysledek = zaznam->ZastavitAUlozit();
    ::KillTimer(m_hWnd, CASOVAC_TRVANI);
    if (vysledek != 0) {
        const std::wstring text = knihovna::Formatovat(knihovna::Retezec(IDS_CHYBA_ULOZENI_ZAZNAMU).c_str(),
                                                       zaznam ? zaznam->chyba.c_str() : L"");
        aplikace.ZobrazitZpravu(text, MB_ICONERROR);
        Ukoncit(IDCANCEL);
        return 0;
    }
    ulozeno = true;
    Ukoncit(IDOK);
    return 0;
}

LRESULT DlgZaznamZvukovePoznamky::Zrusit(WORD, WORD, HWND, BOOL&) {
    if (zaznam) {
        zaznam->Zrusit();
        delete zaznam;
        zaznam = nullptr;
    }
    ::KillTimer(m_hWnd, CASOVAC_TRVANI);
    Ukoncit(IDCANCEL);
    return 0;
}

// ---------------------------------------------------------------------------------------------

namespace {

class WinmmPrepinac : public RozhraniPrepinaceMixeru {
public:
    MMRESULT Otevrit(HMIXER* mixer, UINT zarizeni) override { return ::mixerOpen(mixer, zarizeni, 0, 0, MIXER_OBJECTF_MIXER); }
    MMRESULT InformaceLinky(HMIXER mixer, MIXERLINEW* linka, DWORD priznaky) override {
        return ::mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixer), linka, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT OvladaceLinky(HMIXER mixer, MIXERLINECONTROLSW* ovladace, DWORD priznaky) override {
        return ::mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixer), ovladace, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT PodrobnostiOvladace(HMIXER mixer, MIXERCONTROLDETAILS* podrobnosti, DWORD priznaky) override {
        return ::mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixer), podrobnosti, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT NastavitPodrobnosti(HMIXER mixer, MIXERCONTROLDETAILS* podrobnosti, DWORD priznaky) override {
        return ::mixerSetControlDetails(reinterpret_cast<HMIXEROBJ>(mixer), podrobnosti, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT Zavrit(HMIXER mixer) override { return ::mixerClose(mixer); }
};

}  // namespace

RozhraniPrepinaceMixeru& SystemovyPrepinacMixeru() {
    static WinmmPrepinac prepinac;
    return prepinac;
}

int VybratVstupniLinku(const std::wstring& nazev, RozhraniPrepinaceMixeru& m) {
    HMIXER mixer = nullptr;
    if (m.Otevrit(&mixer, 0) != MMSYSERR_NOERROR || !mixer) return 3;
    struct Zavrit {
        RozhraniPrepinaceMixeru& m;
        HMIXER h;
        ~Zavrit() { m.Zavrit(h); }
    } zavrit{m, mixer};

    MIXERLINEW linka{};
    linka.cbStruct = sizeof(linka);
    linka.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    if (m.InformaceLinky(mixer, &linka, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return 3;
    if (linka.cControls == 0) return 1;

    std::vector<MIXERCONTROLW> ovladace(linka.cControls);
    MIXERLINECONTROLSW seznam{};
    seznam.cbStruct = sizeof(seznam);
    seznam.dwLineID = linka.dwLineID;
    seznam.cControls = linka.cControls;
    seznam.cbmxctrl = sizeof(MIXERCONTROLW);
    seznam.pamxctrl = ovladace.data();
    if (m.OvladaceLinky(mixer, &seznam, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) return 3;

    const MIXERCONTROLW* vyber = nullptr;
    for (const MIXERCONTROLW& ovladac : ovladace)
        if ((ovladac.dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_LIST) {
            vyber = &ovladac;
            break;
        }
    if (!vyber) return 1;

    const bool jedenVyber = vyber->dwControlType == MIXERCONTROL_CONTROLTYPE_MUX ||
                            vyber->dwControlType == MIXERCONTROL_CONTROLTYPE_SINGLESELECT;
    const DWORD kanaly = (vyber->fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : linka.cChannels;
    const DWORD polozky = (vyber->fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) ? vyber->cMultipleItems : 0;
    if (kanaly == 0 || polozky == 0) return 1;
    const size_t pocet = static_cast<size_t>(kanaly) * polozky;

    std::vector<MIXERCONTROLDETAILS_LISTTEXTW> texty(pocet);
    MIXERCONTROLDETAILS podrobnosti{};
    podrobnosti.cbStruct = sizeof(podrobnosti);
    podrobnosti.dwControlID = vyber->dwControlID;
    podrobnosti.cChannels = kanaly;
    podrobnosti.cMultipleItems = polozky;
    podrobnosti.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTW);
    podrobnosti.paDetails = texty.data();
    if (m.PodrobnostiOvladace(mixer, &podrobnosti, MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR) return 3;

    std::vector<MIXERCONTROLDETAILS_BOOLEAN> hodnoty(pocet);
    podrobnosti.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    podrobnosti.paDetails = hodnoty.data();
    if (m.PodrobnostiOvladace(mixer, &podrobnosti, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return 3;

    // Values come channel by channel, each channel with all items: every channel of an item is
    // set alike; the names are those of the first channel.
    bool nalezena = false;
    for (DWORD polozka = 0; polozka < polozky; ++polozka)
        if (nazev == texty[polozka].szName) nalezena = true;
    if (!nalezena) return 2;  // a name no line bears changes nothing
    for (DWORD polozka = 0; polozka < polozky; ++polozka) {
        const bool tato = nazev == texty[polozka].szName;
        for (DWORD kanal = 0; kanal < kanaly; ++kanal) {
            LONG& hodnota = hodnoty[static_cast<size_t>(kanal) * polozky + polozka].fValue;
            if (tato)
                hodnota = 1;
            else if (jedenVyber)
                hodnota = 0;
        }
    }
    if (m.NastavitPodrobnosti(mixer, &podrobnosti, MIXER_SETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return 3;
    return 0;
}
