#include "clipboard/oknoeditortextu.h"

#include <shlwapi.h>

#include <algorithm>

#include "clipboard/nabidky.h"
#include "clipboard/oknaschranky.h"
#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "core/vlaknomodulu.h"
#include "knihovna/dpi.h"
#include "knihovna/modul.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Chyba;
using knihovna::Overit;

OknoSchrankaEditorTextu* oknoEditorTextu = nullptr;
FunkceDialoguSouboru dialogOtevritSoubor = ::GetOpenFileNameW;
FunkceDialoguSouboru dialogUlozitSoubor = ::GetSaveFileNameW;

namespace {

constexpr UINT STRANKA_EDITOR = 114;
constexpr UINT ID_STATUS_BARU = 1;

const TabulkaIkon& TabulkaOkna() {
    static const TabulkaIkon tabulka = {{40030, 17}, {40031, 8},  {40032, 12}, {40033, 12}, {40034, 7},  {40035, 0},
                                        {40036, 17}, {40037, 16}, {40038, 1},  {40039, 12}};
    return tabulka;
}

NastaveniEditoruTextu NastaveniEditoru() { return nastaveniSchranka ? nastaveniSchranka->editor : NastaveniEditoruTextu(); }
DWORD Trideni() { return nastaveniSchranka ? nastaveniSchranka->textDoSchranky.trideni : 1; }
std::wstring SlozkaTextu() { return nastaveniSchranka ? nastaveniSchranka->textDoSchranky.slozka.Text() : std::wstring(); }
std::wstring VychoziSoubor() { return nastaveniSchranka ? nastaveniSchranka->textDoSchranky.soubor.Text() : std::wstring(); }

bool Existuje(const std::wstring& cesta) { return !cesta.empty() && ::PathFileExistsW(cesta.c_str()); }

std::wstring FiltrTextu() { return FiltrSouboru(IDS_FILTR_SOUBORY_TEXTU, L"*.tdsdat"); }

// The standard file dialog over the editor; false on Cancel.
bool VybratSoubor(HWND vlastnik, const std::wstring& pocatecni, bool otevrit, std::wstring& cesta) {
    if (pocatecni.size() >= MAX_PATH) knihovna::VyhoditChybu(E_INVALIDARG);
    DialogSouboru dialog;
    PripravitDialogSouboru(dialog, pocatecni.c_str());
    const std::wstring filtr = FiltrTextu();
    dialog.ofn.hwndOwner = vlastnik;
    dialog.ofn.lpstrFilter = filtr.c_str();
    dialog.ofn.nFilterIndex = 1;
    dialog.ofn.Flags = otevrit ? OFN_FILEMUSTEXIST : 0;
    if (!otevrit) dialog.ofn.lpstrDefExt = L"tdsdat";
    if (!(otevrit ? dialogOtevritSoubor : dialogUlozitSoubor)(&dialog.ofn)) return false;
    cesta = dialog.soubor;
    return true;
}

class VlaknoEditoruTextu : public VlaknoModulu {
public:
    VlaknoEditoruTextu() : VlaknoModulu(IDS_NAZEV_EDITOR_TEXTU, true) {}

protected:
    HWND VytvoritOkno(bool) override {
        if (oknoEditorTextu) knihovna::VyhoditChybu(E_UNEXPECTED);
        oknoEditorTextu = new OknoSchrankaEditorTextu();
        HWND h = oknoEditorTextu->Vytvorit();
        m_akceleratory = oknoEditorTextu->akceleratory;
        return h;
    }
    void ZrusitOkno() override {
        m_akceleratory = nullptr;
        try {
            knihovna::SmazatOkno(oknoEditorTextu);
        } catch (...) {
        }
        oknoEditorTextu = nullptr;
    }
    // Shortcuts go to the window the message is addressed to: the editor itself, or the list,
    // which forwards them; in the edit they do nothing.
    bool PredzpracovatZpravu(MSG& msg) override {
        return m_akceleratory && msg.hwnd && ::TranslateAcceleratorW(msg.hwnd, m_akceleratory, &msg) != 0;
    }

private:
    HACCEL m_akceleratory = nullptr;
};

std::unique_ptr<VlaknoEditoruTextu>& Vlakno() {
    static std::unique_ptr<VlaknoEditoruTextu> vlakno;
    return vlakno;
}

}  // namespace

void PrepnoutEditorTextu() {
    if (!Vlakno()) Vlakno() = std::make_unique<VlaknoEditoruTextu>();
    PrepnoutVlaknoOkna(*Vlakno());
}

void ZastavitEditorTextu() {
    if (Vlakno()) Vlakno()->Zastavit();
}

bool BeziEditorTextu() { return Vlakno() && Vlakno()->Bezi(); }

void ZrusitVlaknoEditoruTextu() { Vlakno().reset(); }

// ---------------------------------------------------------------------------------------------

OknoSchrankaEditorTextu::OknoSchrankaEditorTextu()
    : m_pripraven(knihovna::Retezec(IDS_PRIPRAVEN)), m_trida(knihovna::Retezec(IDS_TRIDA_EDITOR_TEXTU)) {
    NastavitKlic(aplikace.klicAplikace);
}

OknoSchrankaEditorTextu::~OknoSchrankaEditorTextu() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    OdebratMenuListu();
    if (akceleratory) ::DestroyAcceleratorTable(akceleratory);
}

HWND OknoSchrankaEditorTextu::Vytvorit() {
    RECT r{0, 0, knihovna::Skalovat(480), knihovna::Skalovat(340)};  // pixels at the screen's DPI
    OknoImpl::Vytvorit(nullptr, &r, aplikace.titulek.c_str(), WS_OVERLAPPEDWINDOW, 0, m_trida.c_str(), nullptr, nullptr, 0,
                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    NastavitTitulek();

    rebar = knihovna::VytvoritRebar(m_hWnd, IDC_EDITOR_REBAR);
    toolbar = knihovna::VytvoritToolbar(rebar, IDC_EDITOR_TOOLBAR, aplikace.seznamMenu.Get(), aplikace.druhySeznam.Get());
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 54, 40031);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 12, 40032);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 17, 40036);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 16, 40037);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 12, 40039);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 56, 40038);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 1, 40002, false);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaru(toolbar, 3, 40003, true);
    knihovna::VlozitOddelovacToolbaru(toolbar);
    knihovna::VlozitTlacitkoToolbaruAuto(toolbar, 0, 40035);
    knihovna::VlozitPasRebaru(rebar, toolbar, 280, 280, 24, 1);
    knihovna::ZobrazitPasRebaru(rebar, 1, true);

    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    rozdelovac.Vytvorit(m_hWnd, klient);
    rozdelovac.nadSebou = false;  // the list beside the edit
    rozdelovac.predavatPrikazy = true;
    seznam.Vytvorit(rozdelovac.m_hWnd, IDC_SCHRANKA_SEZNAM,
                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT |
                        (Trideni() == 1 ? LBS_SORT : 0));
    edit.m_hWnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_WANTRETURN, 0, 0,
                                    0, 0, rozdelovac.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDITOR_TEXT)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    Overit(edit.m_hWnd != nullptr);
    edit.Poslat(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    // as long a text as the file's reader takes back, not the edit's own 30 000 characters
    edit.Poslat(EM_SETLIMITTEXT, static_cast<WPARAM>(MAX_DELKA_TEXTU));
    rozdelovac.prvniPanel = &seznam;
    rozdelovac.druhyPanel = &edit;
    rozdelovac.pozice = 140;

    statusBar = knihovna::VytvoritStatusBar(m_hWnd, ID_STATUS_BARU, SBARS_SIZEGRIP);
    ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(m_pripraven.c_str()));
    VytvoritMenuListu();

    if (ObnovitPolohu() != 0) Vycentrovat();
    Poslat(WM_SIZE, 0, 0);

    texty.Vyprazdnit();
    const std::wstring vychozi = VychoziSoubor();
    if (Existuje(vychozi)) OtevritSoubor(vychozi);

    akceleratory = ::LoadAcceleratorsW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_EDITOR_TEXTU));
    Overit(akceleratory != nullptr);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
    ::SetFocus(seznam.m_hWnd);
    return m_hWnd;
}

void OknoSchrankaEditorTextu::VytvoritMenuListu() {
    OdebratMenuListu();
    HMENU lista = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_EDITOR_TEXTU));
    Overit(lista != nullptr);
    Overit(::SetMenu(m_hWnd, lista) != 0);
    m_lista.popup = lista;
    m_lista.obrazky = aplikace.seznamMenu.Get();
    m_menuOkno = std::make_unique<MenuOkno>(&m_lista);
    m_menuOkno->Vlozit();
    m_menuNapoveda = std::make_unique<MenuNapoveda>(&m_lista);
    m_menuNapoveda->Vlozit();
    if (aplikace.nastaveni.vlastniVzhled)
        for (UINT id : {40030u, 40031u, 40032u, 40033u, 40034u, 40035u, 40036u, 40037u, 40038u, 40039u, 40002u, 40020u,
                        40021u, 40022u, 40023u})
            MenuPopup::NastavitVlastniKresleni(m_lista, id, false);
    ::DrawMenuBar(m_hWnd);
}

void OknoSchrankaEditorTextu::OdebratMenuListu() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::SetMenu(m_hWnd, nullptr);
    m_menuOkno.reset();       // each detaches its submenu from the bar first
    m_menuNapoveda.reset();
    if (m_lista.popup) ::DestroyMenu(m_lista.popup);
    m_lista.popup = nullptr;
}

void OknoSchrankaEditorTextu::NastavitTitulek() {
    std::wstring titulek;
    if (Existuje(soubor))
        titulek = knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_EDITOR_SOUBOR).c_str(), aplikace.titulek.c_str(),
                                       ::PathFindFileNameW(soubor.c_str()));
    else
        titulek = knihovna::Formatovat(knihovna::Retezec(IDS_TITULEK_EDITOR).c_str(), aplikace.titulek.c_str());
    ::SetWindowTextW(m_hWnd, titulek.c_str());
}

void OknoSchrankaEditorTextu::NaplnitSeznam() {
    seznam.Poslat(LB_RESETCONTENT);
    for (int i = 0; i < texty.Pocet(); ++i) seznam.PridatPolozku(texty.zaznamy[static_cast<size_t>(i)].nazev.c_str(), i);
    if (texty.Pocet() > 0) seznam.Poslat(LB_SETCURSEL, 0);
}

void OknoSchrankaEditorTextu::AktualizovatPrikazy() {
    HMENU lista = ::GetMenu(m_hWnd);
    if (!lista) return;
    const UINT stav = MF_BYCOMMAND | (soubor.empty() ? MF_GRAYED : MF_ENABLED);
    for (UINT id : {40036u, 40037u, 40038u, 40039u, 40032u, 40033u, 40034u}) ::EnableMenuItem(lista, id, stav);
}

void OknoSchrankaEditorTextu::PovolitPouzit(bool povolit) {
    if (toolbar) ::SendMessageW(toolbar, TB_ENABLEBUTTON, 40039, MAKELONG(povolit ? TRUE : FALSE, 0));
    if (HMENU lista = ::GetMenu(m_hWnd)) ::EnableMenuItem(lista, 40039, MF_BYCOMMAND | (povolit ? MF_ENABLED : MF_GRAYED));
}

int OknoSchrankaEditorTextu::VybranyZaznam() const {
    LRESULT index = seznam.Poslat(LB_GETCURSEL);
    if (index == LB_ERR) return -1;
    LRESULT data = seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR || data < 0 || data >= texty.Pocet()) return -1;
    return static_cast<int>(data);
}

void OknoSchrankaEditorTextu::UlozitEditDoZaznamu(int n) {
    if (n < 0 || n >= texty.Pocet()) return;
    std::wstring text = edit.Text();
    // an empty text leaves the record as it was: a user who emptied a text is told, and a shown
    // record shows it again (a new record, still empty, is left without a word)
    const ZaznamTextu& zaznam = texty.zaznamy[static_cast<size_t>(n)];
    if (texty.NastavitText(n, text.c_str()) == E_UNEXPECTED && !zaznam.text.empty() && !knihovna::KonciRelace()) {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        aplikace.ZobrazitZpravu(
            knihovna::Formatovat(knihovna::Retezec(IDS_EDITOR_PRAZDNY_TEXT).c_str(), zaznam.nazev.c_str()),
            MB_ICONWARNING);
        if (n == aktualni && edit.m_hWnd && n < texty.Pocet())
            ::SetWindowTextW(edit.m_hWnd, texty.zaznamy[static_cast<size_t>(n)].text.c_str());
    }
    edit.Poslat(EM_SETMODIFY, FALSE);
    PovolitPouzit(false);
}

void OknoSchrankaEditorTextu::ZobrazitVybrany() {
    PovolitPouzit(false);
    LRESULT index = seznam.Poslat(LB_GETCURSEL);
    if (index == LB_ERR) {
        ::SetWindowTextW(edit.m_hWnd, L"");
    } else {
        LRESULT data = seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(index));
        if (data != LB_ERR && data >= 0 && data < texty.Pocet()) {
            aktualni = static_cast<int>(data);
            ::SetWindowTextW(edit.m_hWnd, texty.zaznamy[static_cast<size_t>(data)].text.c_str());
        }
    }
    edit.Poslat(EM_SETMODIFY, FALSE);
}

void OknoSchrankaEditorTextu::OpustitAktualni() {
    if (NastaveniEditoru().automatickyUkladatText) UlozitEditDoZaznamu(aktualni);
}

void OknoSchrankaEditorTextu::ZmenaVyberu() {
    OpustitAktualni();
    ZobrazitVybrany();
}

void OknoSchrankaEditorTextu::ZavritSoubor() {
    OpustitAktualni();
    if (Existuje(soubor) && NastaveniEditoru().automatickyUkladatSoubor) UlozitDo(soubor, false);
    texty.Vyprazdnit();
    ochranaSouboru.Zdravy();
    nactenoZPoskozeneho.clear();
    aktualni = -1;
    soubor.clear();
    NastavitTitulek();
    NaplnitSeznam();
    ZobrazitVybrany();
    AktualizovatPrikazy();
}

void OknoSchrankaEditorTextu::UlozitDo(const std::wstring& cesta, bool zamerne) {
    const bool zmeneno = zamerne || !ochranaSouboru.JePoskozeny() || ZapsatSeznamTextu(texty) != nactenoZPoskozeneho;
    if (!ochranaSouboru.PredUlozenim(cesta, zmeneno)) return;
    UlozitSeznamTextu(cesta.c_str(), texty);
    ochranaSouboru.PoUlozeni(cesta);
}

bool OknoSchrankaEditorTextu::OtevritSoubor(const std::wstring& cesta) {
    ZavritSoubor();
    texty.Vyprazdnit();
    bool poskozeny = false;
    if (NacistSeznamTextu(cesta.c_str(), texty, &poskozeny) != S_OK) {
        texty.Vyprazdnit();
        return false;
    }
    if (poskozeny) {
        ochranaSouboru.Poskozeny(cesta);
        nactenoZPoskozeneho = ZapsatSeznamTextu(texty);
    }
    soubor = cesta;
    NastavitTitulek();
    NaplnitSeznam();
    ZobrazitVybrany();  // the first text becomes the current one, so what is typed has a record
    AktualizovatPrikazy();
    return true;
}

void OknoSchrankaEditorTextu::Novy() {
    const std::wstring navrh = knihovna::Formatovat(L"%s\\%s.%s", SlozkaTextu().c_str(),
                                                    knihovna::Retezec(IDS_NOVY_SOUBOR).c_str(), L"tdsdat");
    if (navrh.size() >= MAX_PATH) {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        aplikace.ZobrazitZpravu(knihovna::Retezec(IDS_NAZEV_NOVEHO_SOUBORU_DLOUHY), MB_ICONWARNING);
        return;
    }
    std::wstring cesta;
    {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        if (!VybratSoubor(m_hWnd, navrh, false, cesta)) return;
    }
    ZavritSoubor();
    texty.Vyprazdnit();
    soubor = cesta;
    UlozitDo(soubor, true);
    NastavitTitulek();
    AktualizovatPrikazy();
}

void OknoSchrankaEditorTextu::Ulozit() {
    UlozitEditDoZaznamu(aktualni);  // saving writes what the user sees
    if (!Existuje(soubor)) {
        UlozitJako();
        return;
    }
    UlozitDo(soubor, true);
    AktualizovatPrikazy();
}

void OknoSchrankaEditorTextu::UlozitJako() {
    std::wstring cesta;
    {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        if (!VybratSoubor(m_hWnd, Existuje(soubor) ? soubor : std::wstring(), false, cesta)) return;
    }
    UlozitEditDoZaznamu(aktualni);
    // a copy: the current file stays the one the editor works on
    UlozitDo(cesta, true);
    AktualizovatPrikazy();
}

void OknoSchrankaEditorTextu::Pridat() {
    std::wstring nazev;
    {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        do {
            if (!ZadatTextId(nazev, IDS_ZADEJTE_NAZEV_NOVEHO_TEXTU, m_hWnd)) return;
        } while (nazev.empty());
    }
    OpustitAktualni();  // the new text takes the edit: what was typed stays in its own record
    int n = texty.Pridat(nazev);
    if (n < 0) return;
    LRESULT index = seznam.PridatPolozku(nazev.c_str(), n);
    seznam.Poslat(LB_SETCURSEL, static_cast<WPARAM>(index));
    ZobrazitVybrany();
    ::SetFocus(edit.m_hWnd);
}

void OknoSchrankaEditorTextu::Odebrat() {
    LRESULT index = seznam.Poslat(LB_GETCURSEL);
    if (index == LB_ERR) {
        if (aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    LRESULT data = seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == LB_ERR || data < 0 || data >= texty.Pocet()) return;
    if (NastaveniEditoru().potvrzovatOdebrani) {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        if (knihovna::oknoZpravy(m_hWnd, knihovna::Retezec(IDS_OTAZKA_ODEBRAT_TEXT).c_str(), aplikace.titulek.c_str(),
                                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND) != IDYES)
            return;
    }
    // a current text other than the removed one keeps its edit
    if (aktualni != static_cast<int>(data)) OpustitAktualni();
    Overit(SUCCEEDED(texty.Odebrat(static_cast<int>(data))));
    aktualni = -1;
    LRESULT pocet = seznam.Poslat(LB_GETCOUNT) - 1;
    LRESULT nova = std::min(index, pocet - 1);
    NaplnitSeznam();
    if (nova >= 0) seznam.Poslat(LB_SETCURSEL, static_cast<WPARAM>(nova));
    ZmenaVyberu();
}

void OknoSchrankaEditorTextu::Prejmenovat() {
    int n = VybranyZaznam();
    if (n < 0) return;
    std::wstring nazev = texty.zaznamy[static_cast<size_t>(n)].nazev;
    {
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        if (!ZadatTextId(nazev, IDS_ZADEJTE_NOVY_NAZEV_TEXTU, m_hWnd)) return;
    }
    if (n >= texty.Pocet()) return;
    texty.zaznamy[static_cast<size_t>(n)].nazev = nazev;  // an empty name is accepted here
    NaplnitSeznam();
    // The selection stays on the renamed text: on the first row it would belong to another text
    // than the one the edit shows, and "Použít" would write the edit into that other one.
    const LRESULT pocet = seznam.Poslat(LB_GETCOUNT);
    for (LRESULT radek = 0; radek < pocet; ++radek)
        if (seznam.Poslat(LB_GETITEMDATA, static_cast<WPARAM>(radek)) == n)
            seznam.Poslat(LB_SETCURSEL, static_cast<WPARAM>(radek));
}

void OknoSchrankaEditorTextu::Pouzit() {
    int n = VybranyZaznam();
    if (n >= 0) UlozitEditDoZaznamu(n);
}

void OknoSchrankaEditorTextu::ZobrazitChybu(const Chyba& chyba) {
    knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
    aplikace.ZobrazitZpravu(knihovna::ZiskatTextChyby(chyba.Hresult()), MB_ICONERROR);
}

void OknoSchrankaEditorTextu::ProvestPrikaz(UINT id) {
    if (m_modalni.PrenestDopredu(m_hWnd)) return;  // a command posted while a question runs
    switch (id) {
        case 40030: Novy(); break;
        case 40031: {
            std::wstring cesta;
            bool vybrano = false;
            {
                knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
                vybrano = VybratSoubor(m_hWnd, Existuje(soubor) ? soubor : std::wstring(), true, cesta);
            }
            if (vybrano) OtevritSoubor(cesta);
            break;
        }
        case 40032: Ulozit(); break;
        case 40033: UlozitJako(); break;
        case 40034: ZavritSoubor(); break;
        case 40002: OtevritStrankuNastaveni(STRANKA_EDITOR); break;
        case 40035: Odeslat(WM_CLOSE); break;
        case 40036: Pridat(); break;
        case 40037: Odebrat(); break;
        case 40038: Prejmenovat(); break;
        case 40039: Pouzit(); break;
        case 40003: {
            MenuNapoveda napoveda(nullptr);
            napoveda.ZobrazitSamostatne(m_hWnd);
            break;
        }
        default: break;
    }
}

LRESULT OknoSchrankaEditorTextu::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const UINT id = LOWORD(w);
    const UINT kod = HIWORD(w);
    try {
        if (l != 0 && reinterpret_cast<HWND>(l) == edit.m_hWnd) {
            if (kod == EN_CHANGE && edit.Poslat(EM_GETMODIFY)) PovolitPouzit(true);
            if (kod == EN_MAXTEXT && !m_hlasitLimit && !knihovna::KonciRelace()) {
                m_hlasitLimit = true;
                ::PostMessageW(m_hWnd, ZpravaLimitTextu, 0, 0);
            }
            return 0;
        }
        // the list's own notifications (LBN_SELCHANGE is 1); its accelerator commands come with no handle
        if (l != 0 && reinterpret_cast<HWND>(l) == seznam.m_hWnd) {
            if (kod == LBN_SELCHANGE) ZmenaVyberu();
            return 0;
        }
        if (l != 0 && kod != 0 && kod != 1 && reinterpret_cast<HWND>(l) != toolbar) return VychoziZpracovani(msg, w, l);
        ZpracovatSpolecnyPrikaz(m_hWnd, id);
        ProvestPrikaz(id);
    } catch (const Chyba& chyba) {
        ZobrazitChybu(chyba);
    }
    return 0;
}

LRESULT OknoSchrankaEditorTextu::OnLimitTextu(UINT, WPARAM, LPARAM, BOOL&) {
    {
        // further refusals while the box is open are the same report
        knihovna::ModalniSmycky::Beh beh(m_modalni, m_hWnd);
        aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_EDITOR_LIMIT_TEXTU).c_str(),
                                                     static_cast<unsigned long>(MAX_DELKA_TEXTU)),
                                MB_ICONWARNING);
    }
    m_hlasitLimit = false;
    return 0;
}

LRESULT OknoSchrankaEditorTextu::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (m_modalni.OdlozitZavreni(m_hWnd)) return 0;  // closed when the question has ended
    try {
        UlozitPolohu();
    } catch (const Chyba&) {
    }
    ::ShowWindow(m_hWnd, SW_HIDE);
    try {
        ZavritSoubor();
    } catch (const Chyba& chyba) {
        ZobrazitChybu(chyba);
    }
    OdebratMenuListu();
    if (edit.m_hWnd) ::DestroyWindow(edit.m_hWnd);
    edit.m_hWnd = nullptr;
    if (seznam.JeOkno()) ::DestroyWindow(seznam.m_hWnd);
    if (rozdelovac.JeOkno()) ::DestroyWindow(rozdelovac.m_hWnd);
    if (statusBar) ::DestroyWindow(statusBar);
    statusBar = nullptr;
    if (toolbar) ::DestroyWindow(toolbar);
    toolbar = nullptr;
    if (rebar) ::DestroyWindow(rebar);
    rebar = nullptr;
    texty.Vyprazdnit();
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSchrankaEditorTextu::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSchrankaEditorTextu::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    if (m_menu) return 0;
    try {
        ZobrazitKontextoveMenuOkna(m_hWnd, IDM_EDITOR_TEXTU_KONTEXT, l, {40036u, 40037u, 40038u, 40039u, 40035u}, m_menu);
    } catch (const Chyba& chyba) {
        m_menu = nullptr;
        ZobrazitChybu(chyba);
    }
    return 0;
}

LRESULT OknoSchrankaEditorTextu::OnMeasureItem(UINT, WPARAM, LPARAM l, BOOL&) {
    ZmeritPolozkuNabidky(l, &m_lista);
    return TRUE;
}

LRESULT OknoSchrankaEditorTextu::OnDrawItem(UINT, WPARAM, LPARAM l, BOOL&) {
    NakreslitPolozkuNabidky(l, TabulkaOkna(), &m_lista);
    return TRUE;
}

LRESULT OknoSchrankaEditorTextu::OnMenuSelect(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (statusBar) {
        const UINT priznaky = HIWORD(w);
        const bool zavreno = priznaky == 0xFFFF && l == 0;
        std::wstring text = m_pripraven;
        if (!zavreno && !(priznaky & MF_POPUP)) {
            std::wstring cely;
            if (knihovna::NacistRetezec(LOWORD(w), cely) && !cely.empty()) text = cely.substr(0, cely.find(L'\n'));
        }
        ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoSchrankaEditorTextu::OnNotify(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    auto* hlavicka = reinterpret_cast<NMHDR*>(l);
    if (!hlavicka) return 0;
    if (hlavicka->code == TTN_NEEDTEXTW) return knihovna::ZpracovatTooltipToolbaru(static_cast<int>(w), hlavicka, zpracovano);
    if (hlavicka->code == TBN_DROPDOWN && hlavicka->hwndFrom == toolbar) {
        auto* tlacitko = reinterpret_cast<NMTOOLBARW*>(l);
        try {
            ZobrazitNabidkuTlacitka(m_hWnd, tlacitko->iItem);
        } catch (const Chyba& chyba) {
            ZobrazitChybu(chyba);
        }
        return TBDDRET_DEFAULT;
    }
    if (hlavicka->code == RBN_HEIGHTCHANGE) {
        Poslat(WM_SIZE, 0, 0);
        return 0;
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT OknoSchrankaEditorTextu::OnSize(UINT, WPARAM, LPARAM, BOOL&) {
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    int nahore = 0, dole = klient.bottom;
    if (rebar) {
        ::MoveWindow(rebar, 0, 0, klient.right, 0, TRUE);
        RECT r{};
        ::GetWindowRect(rebar, &r);
        nahore = r.bottom - r.top;
    }
    if (statusBar) {
        ::SendMessageW(statusBar, WM_SIZE, 0, 0);
        RECT r{};
        ::GetWindowRect(statusBar, &r);
        dole -= r.bottom - r.top;
    }
    if (rozdelovac.JeOkno()) ::MoveWindow(rozdelovac.m_hWnd, 0, nahore, klient.right, std::max(0, dole - nahore), TRUE);
    return 0;
}
