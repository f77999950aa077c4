#include "notes/oknopoznamka.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/poskozenysoubor.h"
#include "knihovna/modul.h"
#include "knihovna/prvky.h"
#include "knihovna/text.h"
#include "notes/seznampoznamek.h"
#include "notes/souborpoznamky.h"
#include "resources/resource.h"

using knihovna::Overit;

OknoPoznamka* oknoTextovePoznamky = nullptr;
HWND (*oknoModuluPoznamek)() = nullptr;

namespace {

constexpr DWORD NAVRCHU = 0x4;
constexpr DWORD BEZ_TITULKU = 0x10;
constexpr DWORD TAZENI = 0x10000;
constexpr DWORD STAVOVY_RADEK = 0x20000;

DWORD Priznaky() { return nastaveniPoznamky ? nastaveniPoznamky->textove.oknoPoznamka : 0x30007; }

std::wstring TextEditu(HWND h) {
    const int delka = ::GetWindowTextLengthW(h);
    if (delka <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(delka) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(h, &text[0], delka + 1)));
    return text;
}

bool Ctrl() { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------

LRESULT EditPoznamka::OnKeyDown(UINT, WPARAM w, LPARAM, BOOL& zpracovano) {
    if (w == VK_ESCAPE) {
        ::PostMessageW(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
    } else if (w == 'A' && Ctrl()) {
        ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
        return 0;
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT EditPoznamka::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if ((Priznaky() & TAZENI) && Ctrl()) {
        ::SendMessageW(::GetParent(m_hWnd), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        return 0;
    }
    zpracovano = FALSE;
    return 0;
}

LRESULT EditPoznamka::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
    if ((Priznaky() & TAZENI) && Ctrl()) return 0;
    zpracovano = FALSE;
    return 0;
}

// ---------------------------------------------------------------------------------------------

OknoPoznamka::OknoPoznamka() : m_trida(knihovna::Retezec(IDS_TRIDA_POZNAMKA_TEXT)) {
    NastavitKlic(aplikace.klicAplikace);
}

OknoPoznamka::~OknoPoznamka() {
    if (statusBar) {
        if (statusBar->m_hWnd && ::IsWindow(statusBar->m_hWnd)) ::DestroyWindow(statusBar->m_hWnd);
        delete statusBar;
        statusBar = nullptr;
    }
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (pismo) ::DeleteObject(pismo);
    pismo = nullptr;
}

void OknoPoznamka::Vytvorit() {
    const DWORD priznaky = Priznaky();
    const DWORD styl = (priznaky & BEZ_TITULKU) ? (WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_THICKFRAME)
                                                : (WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    const DWORD rozsireny = (priznaky & NAVRCHU) ? WS_EX_TOPMOST : 0;
    textStavu = knihovna::Retezec(IDS_PRIPRAVEN);
    const RECT obdelnik{0, 0, 350, 350};
    const std::wstring titulek = knihovna::Formatovat(L"Poznámka (%s)", aplikace.titulek.c_str());
    OknoImpl::Vytvorit(nullptr, &obdelnik, titulek.c_str(), styl, rozsireny, m_trida.c_str(), nullptr, nullptr,
                       CS_HREDRAW | CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));

    EditPoznamka::RegistrovatSuperTridu(L"Edit", L"QEditPoznamka");
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    edit.Vytvorit(m_hWnd, &klient, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN, 0,
                  L"QEditPoznamka", reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_POZNAMKA_EDIT)));
    // as much as the note's reader takes back (one byte a character), not the edit's own 30 000
    ::SendMessageW(edit.m_hWnd, EM_SETLIMITTEXT, static_cast<WPARAM>(MAX_VELIKOST_POZNAMKY), 0);

    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));

    LOGFONTW lf{};
    if (nastaveniPoznamky)
        lf = nastaveniPoznamky->pismo;
    else
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    pismo = ::CreateFontIndirectW(&lf);
    Overit(pismo != nullptr);
    ::SendMessageW(edit.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pismo), TRUE);

    if (priznaky & STAVOVY_RADEK) ZobrazitStatusBar();
    if (ObnovitPolohu() != 0) Vycentrovat(nullptr);
    BOOL zpracovano = TRUE;
    OnSize(WM_SIZE, 0, 0, zpracovano);

    ::SetFocus(m_hWnd);
    ::SetFocus(edit.m_hWnd);
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void OknoPoznamka::ZobrazitStatusBar() {
    if (statusBar) return;
    HWND h = knihovna::VytvoritStatusBar(m_hWnd, 1, SBARS_TOOLTIPS);
    statusBar = new knihovna::OknoObal(h);
    ::SendMessageW(h, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(textStavu.c_str()));
}

void OknoPoznamka::ZrusitStatusBar() {
    if (!statusBar) return;
    knihovna::SmazatOkno(statusBar);
}

HRESULT OknoPoznamka::NacistPoznamku(int index) {
    if (!seznamTextovychPoznamek || index < 0 || index >= seznamTextovychPoznamek->Pocet()) return E_INVALIDARG;
    // The shown note is written first, as a close would; a failed save keeps it shown. The save
    // may scan the store again, so the note asked for is found by its name afterwards.
    const std::wstring pozadovana = seznamTextovychPoznamek->Polozka(index).nazev;
    HRESULT hr = UlozitPoznamku();
    if (FAILED(hr)) return hr;
    index = seznamTextovychPoznamek->Najit(pozadovana);
    if (index < 0) return E_INVALIDARG;

    const ZaznamPoznamky zaznam = seznamTextovychPoznamek->Polozka(index);
    const std::wstring cesta = seznamTextovychPoznamek->Cesta(index);
    std::string obsah;
    if (!PrecistBajtyPoznamky(cesta, obsah)) {
        hr = knihovna::HresultZPosledniChyby();
        if (SUCCEEDED(hr)) hr = E_FAIL;
        if (hr == knihovna::HresultZKodu(ERROR_FILE_TOO_LARGE))
            aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_POZNAMKA_PRILIS_VELKA).c_str(),
                                                         zaznam.nazev.c_str(),
                                                         static_cast<unsigned long>(MAX_VELIKOST_POZNAMKY / 1024)),
                                    MB_ICONERROR);
        else
            aplikace.ZobrazitChybuCom(knihovna::Retezec(IDS_CHYBA_NACTENI_POZNAMKY), knihovna::Chyba(hr));
        return hr;
    }
    bool verny = true;
    const std::wstring text = TextPoznamkyProOkno(obsah, verny);
    m_nazev = zaznam.nazev;
    m_cesta = cesta;
    ::SetWindowTextW(edit.m_hWnd, text.c_str());
    ::SendMessageW(edit.m_hWnd, EM_SETMODIFY, FALSE, 0);
    m_zobrazenyText = TextEditu(edit.m_hWnd);
    m_vernyText = verny;
    if (!verny)
        aplikace.ZobrazitZpravu(
            knihovna::Formatovat(knihovna::Retezec(IDS_POZNAMKA_NEODPOVIDA_SOUBORU).c_str(), zaznam.nazev.c_str()),
            MB_ICONWARNING);

    if (statusBar) {
        const CastiCasu c = RozlozitCas(zaznam.cas);
        textStavu = knihovna::Formatovat(L"%d.%d.%d %d:%.2d - %s", c.den, c.mesic, c.rok, c.hodina, c.minuta,
                                         zaznam.nazev.c_str());
        ::SendMessageW(statusBar->m_hWnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(textStavu.c_str()));
    }
    const std::wstring titulek =
        knihovna::Formatovat(L"%s - %s (Poznámky)", zaznam.nazev.c_str(), aplikace.titulek.c_str());
    ::SetWindowTextW(m_hWnd, titulek.c_str());
    return S_OK;
}

HRESULT OknoPoznamka::UlozitPoznamku() {
    if (m_cesta.empty() || !edit.m_hWnd) return S_OK;
    try {
        std::wstring text = TextEditu(edit.m_hWnd);
        if (text == m_zobrazenyText) return S_OK;  // nothing changed: the file stays as it is
        std::vector<std::wstring> znaky = ZnakyMimoKodovouStranku(text);
        // the window's own stand-in for bytes it could not show is written as before
        if (!m_vernyText) znaky.erase(std::remove(znaky.begin(), znaky.end(), L"\xFFFD"), znaky.end());
        if (!znaky.empty()) {
            if (!knihovna::KonciRelace()) {
                // a second close while the question is open waits for its answer
                if (m_otazkaBezi) return knihovna::HresultZKodu(ERROR_CANCELLED);
                m_otazkaBezi = true;
                struct Konec {
                    bool& b;
                    ~Konec() { b = false; }
                } konec{m_otazkaBezi};
                const std::wstring otazka = knihovna::Formatovat(
                    knihovna::Retezec(IDS_POZNAMKA_ZNAKY_MIMO_KODOVANI).c_str(), m_nazev.c_str(), ::GetACP(),
                    VypisZnaku(znaky, 40).c_str());
                if (!aplikace.Otazka(otazka, false, true)) return knihovna::HresultZKodu(ERROR_CANCELLED);
            }
            text = TextBezZnaku(text, znaky);
            ::SetWindowTextW(edit.m_hWnd, text.c_str());
            text = TextEditu(edit.m_hWnd);
        }
        // the file's bytes were not the text shown: they are kept before the change replaces them
        if (!m_vernyText && ::PathFileExistsW(m_cesta.c_str())) ZalohovatPoskozenySoubor(m_cesta);
        ZapsatSouborPoznamky(m_cesta, BajtyPoznamky(text));
        m_zobrazenyText = text;
        m_vernyText = true;
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuCom(knihovna::Retezec(IDS_CHYBA_ULOZENI_POZNAMKY), chyba);
        return FAILED(chyba.Hresult()) ? chyba.Hresult() : E_FAIL;
    }
    AktualizovatCasVSeznamu();
    return S_OK;
}

void OknoPoznamka::AktualizovatCasVSeznamu() {
    if (!seznamTextovychPoznamek) return;
    const int index = seznamTextovychPoznamek->Najit(m_nazev);
    try {
        if (index >= 0)
            seznamTextovychPoznamek->AktualizovatCas(index);
        else
            seznamTextovychPoznamek->Prenacist(nastaveniPoznamky ? nastaveniPoznamky->textove.trideni : 2);
    } catch (const knihovna::Chyba&) {
        // the list shows the old time until its next scan
    }
}

void OknoPoznamka::PoznamkaPrejmenovana(const std::wstring& staraCesta, const std::wstring& novaCesta,
                                        const std::wstring& novyNazev) {
    if (m_cesta.empty() || ::lstrcmpiW(m_cesta.c_str(), staraCesta.c_str()) != 0) return;
    m_nazev = novyNazev;
    m_cesta = novaCesta;
    const std::wstring titulek =
        knihovna::Formatovat(L"%s - %s (Poznámky)", novyNazev.c_str(), aplikace.titulek.c_str());
    ::SetWindowTextW(m_hWnd, titulek.c_str());
}

bool OknoPoznamka::PoznamkaOdstranena(const std::wstring& cesta) {
    if (m_cesta.empty() || ::lstrcmpiW(m_cesta.c_str(), cesta.c_str()) != 0) return false;
    m_nazev.clear();
    m_cesta.clear();
    return true;
}

LRESULT OknoPoznamka::OnClose(UINT, WPARAM, LPARAM, BOOL&) {
    UlozitPolohu();
    // A failed save keeps the window open with its text; the user has been told.
    if (FAILED(UlozitPoznamku())) return 0;
    ZrusitStatusBar();
    Poslat(WM_SETICON, ICON_SMALL, 0);
    Poslat(WM_SETICON, ICON_BIG, 0);
    m_cesta.clear();
    HWND modul = oknoModuluPoznamek ? oknoModuluPoznamek() : nullptr;
    if (modul) ::PostMessageW(modul, ZpravaPoznamkaZmenena, 0, reinterpret_cast<LPARAM>(m_hWnd));
    return 0;
}

LRESULT OknoPoznamka::OnSize(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    int vyskaStavu = 0;
    if (statusBar && statusBar->m_hWnd) {
        ::SendMessageW(statusBar->m_hWnd, WM_SIZE, w, l);
        RECT r{};
        ::GetWindowRect(statusBar->m_hWnd, &r);
        vyskaStavu = r.bottom - r.top;
    }
    RECT klient{};
    ::GetClientRect(m_hWnd, &klient);
    if (edit.m_hWnd)
        ::SetWindowPos(edit.m_hWnd, nullptr, 0, 0, klient.right, klient.bottom - vyskaStavu, SWP_NOZORDER | SWP_NOMOVE);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPoznamka::OnSetFocus(UINT, WPARAM, LPARAM, BOOL&) {
    if (edit.m_hWnd) ::SetFocus(edit.m_hWnd);
    return 0;
}

LRESULT OknoPoznamka::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (l != 0 && reinterpret_cast<HWND>(l) == edit.m_hWnd && HIWORD(w) == EN_MAXTEXT) {
        if (!m_hlasitLimit && !knihovna::KonciRelace()) {
            m_hlasitLimit = true;
            ::PostMessageW(m_hWnd, ZpravaLimitTextu, 0, 0);
        }
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPoznamka::OnLimitTextu(UINT, WPARAM, LPARAM, BOOL&) {
    // further refusals while the box is open are the same report
    aplikace.ZobrazitZpravu(knihovna::Formatovat(knihovna::Retezec(IDS_POZNAMKA_LIMIT_TEXTU).c_str(),
                                                 static_cast<unsigned long>(MAX_VELIKOST_POZNAMKY)),
                            MB_ICONWARNING);
    m_hlasitLimit = false;
    return 0;
}

void ZapomenoutZobrazenouPoznamku(const std::wstring& cesta) {
    if (oknoTextovePoznamky && oknoTextovePoznamky->PoznamkaOdstranena(cesta) && oknoTextovePoznamky->m_hWnd)
        ::PostMessageW(oknoTextovePoznamky->m_hWnd, WM_CLOSE, 0, 0);
}
