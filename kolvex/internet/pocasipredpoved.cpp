#include "internet/pocasipredpoved.h"

#include <algorithm>

#include "core/aplikace.h"
#include "core/dialogy.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "core/pomocne.h"
#include "core/sit.h"
#include "core/ulozitsoubor.h"
#include "core/vlaknomodulu.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

using knihovna::Overit;

std::unique_ptr<OknoPredpovedText> oknoPredpovedText;

namespace {

constexpr UINT STRANKA_PREDPOVED = 207;
constexpr DWORD STYL = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const wchar_t* const TEXT_NEDOSTUPNY = L"Aktuální předpověď\nnení v této chvíli\nk dispozici\n";

class VlaknoPredpovedi : public VlaknoModulu {
public:
    VlaknoPredpovedi() : VlaknoModulu(IDS_NAZEV_POCASI_PREDPOVED, true) {}

protected:
    HWND VytvoritOkno(bool) override {
        oknoPredpovedText = std::make_unique<OknoPredpovedText>();
        return oknoPredpovedText->VytvoritOkno();
    }
    void ZrusitOkno() override { oknoPredpovedText.reset(); }
    void ZrusitAkciPoSpusteni() override { aplikace.nastaveni.poSpusteni.pocasiPredpovedText = false; }
};

VlaknoPredpovedi& Vlakno() {
    static VlaknoPredpovedi vlakno;
    return vlakno;
}

// The worker's answer: the text, or the error of the download.
struct VysledekPredpovedi {
    HRESULT hr = S_OK;
    std::wstring text;
    std::wstring chyba;
};

}  // namespace

void ZapsatTextPredpovedi(const std::wstring& cesta, const std::wstring& text) {
    const std::vector<BYTE> bajty = BajtyTextuPredpovedi(text);
    UlozitSouborBezpecne(cesta, bajty.data(), bajty.size());
}

OknoPredpovedText::OknoPredpovedText() { NastavitKlic(aplikace.klicAplikace); }

OknoPredpovedText::~OknoPredpovedText() { m_prace.Ukoncit(0); }  // WM_CLOSE has waited already

void OknoPredpovedText::Spustit() { Vlakno().Spustit(); }
void OknoPredpovedText::Zastavit() { Vlakno().Zastavit(); }
bool OknoPredpovedText::Bezi() { return Vlakno().Bezi(); }

HWND OknoPredpovedText::VytvoritOkno() {
    const NastaveniPredpovedi n = NastaveniPocasi().predpoved;
    DWORD rozsireny = (n.oknoNavrchu ? WS_EX_TOPMOST : 0) | (n.oknoPruhledne > 0 ? WS_EX_LAYERED : 0);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_NAZEV_POCASI_PREDPOVED, titulek);
    RECT obdelnik{0, 0, 200, 100};
    Vytvorit(nullptr, &obdelnik, titulek.c_str(), STYL, rozsireny, L"QPocasiPredpovedText");
    if (n.oknoPruhledne > 0) Overit(::SetLayeredWindowAttributes(m_hWnd, 0, 190, LWA_ALPHA) != 0);
    if (n.oknoNavrchu)
        Overit(::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE) != 0);
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    NacistPredpoved();
    return m_hWnd;
}

void OknoPredpovedText::NacistPredpoved() {
    ZobrazitBublinuHlavniIkony(nullptr, knihovna::Retezec(IDS_POCASI_BUBLINA_PREDPOVED));
    const std::wstring adresa = AdresaPredpovedi(HostServeru(ServerPocasi::Chmu));
    HWND okno = m_hWnd;
    auto prace = [okno, adresa](const ZruseniPrace& zrusit) {
        auto vysledek = std::make_unique<VysledekPredpovedi>();
        try {
            HttpTextSoubor http(aplikace.relaceInternetu);
            http.limity.maximalniVelikost = std::min(http.limity.maximalniVelikost, MAX_VELIKOST_STRANKY_PREDPOVEDI);
            http.limity.zruseni = zrusit.Udalost();  // closing the window ends a read at once
            http.OtevritUrl(adresa);
            http.NacistData();
            std::wstring stranka;
            http.ZiskatText(stranka);
            http.Zavrit();
            if (!VyjmoutPredpoved(stranka, vysledek->text)) knihovna::VyhoditChybu(E_FAIL);
            if (vysledek->text.size() > MAX_DELKA_PREDPOVEDI) {
                vysledek->text.clear();
                knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_TOO_LARGE));
            }
        } catch (const knihovna::Chyba& chyba) {
            vysledek->hr = chyba.Hresult();
            vysledek->chyba = knihovna::Modul::TextChybyCom(chyba);
        } catch (...) {
            vysledek->hr = E_FAIL;
        }
        // posted as a commit: after WM_CLOSE has cancelled and emptied the queue nothing comes
        zrusit.Potvrdit([&] {
            if (::PostMessageW(okno, ZpravaStahovaniPocasiHotovo, 0, reinterpret_cast<LPARAM>(vysledek.get())))
                vysledek.release();
        });
    };
    m_prace.Spustit(prace);
}

LRESULT OknoPredpovedText::OnStazeno(UINT, WPARAM, LPARAM l, BOOL&) {
    std::unique_ptr<VysledekPredpovedi> vysledek(reinterpret_cast<VysledekPredpovedi*>(l));
    m_prace.Uklidit();
    SkrytBublinuHlavniIkony();
    if (!vysledek || FAILED(vysledek->hr)) {
        text = TEXT_NEDOSTUPNY;
        std::wstring popis = vysledek ? vysledek->chyba : std::wstring();
        if (popis.empty()) popis = knihovna::ZiskatTextChyby(vysledek ? vysledek->hr : E_FAIL);
        ZobrazitChybuVBubline(knihovna::Formatovat(knihovna::Retezec(IDS_POCASI_CHYBA_PREDPOVEDI).c_str(), popis.c_str()));
    } else {
        text = vysledek->text;
    }
    velikostCeka = true;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

LRESULT OknoPredpovedText::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    Gdiplus::RectF meze;
    {
        knihovna::VybranyObjekt pismo(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        {
            Gdiplus::Graphics g(dc);
            Gdiplus::Font font(dc);
            Gdiplus::StringFormat format;
            format.SetFormatFlags(Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
            g.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(0, 0), &format, &meze);
        }
        RECT klient;
        ::GetClientRect(m_hWnd, &klient);
        ::OffsetRect(&klient, 2, 2);
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, text.c_str(), -1, &klient, DT_VCENTER | DT_NOPREFIX);
    }
    ::EndPaint(m_hWnd, &ps);
    if (velikostCeka && ::IsWindowVisible(m_hWnd)) {
        velikostCeka = false;
        RECT r{static_cast<LONG>(meze.X), static_cast<LONG>(meze.Y), static_cast<LONG>(meze.X + meze.Width),
               static_cast<LONG>(meze.Y + meze.Height)};
        Overit(::AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, 0) != 0);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, r.right - r.left + 2, r.bottom - r.top + 12,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UmistitDoPravehoDolnihoRohu(m_hWnd);
    }
    return 0;
}

LRESULT OknoPredpovedText::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (!m_prace.Ukoncit(1000)) SkrytBublinuHlavniIkony();
    MSG zprava;
    while (::PeekMessageW(&zprava, m_hWnd, ZpravaStahovaniPocasiHotovo, ZpravaStahovaniPocasiHotovo, PM_REMOVE))
        delete reinterpret_cast<VysledekPredpovedi*>(zprava.lParam);
    ::ShowWindow(m_hWnd, SW_HIDE);
    Poslat(WM_SETICON, ICON_BIG, 0);
    Poslat(WM_SETICON, ICON_SMALL, 0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPredpovedText::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPredpovedText::OnPredvolby(WORD, WORD, HWND, BOOL&) {
    if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
        ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_PREDPOVED);
    return 0;
}

LRESULT OknoPredpovedText::OnZavrit(WORD, WORD, HWND, BOOL&) {
    Odeslat(WM_CLOSE);
    return 0;
}

LRESULT OknoPredpovedText::OnKopirovat(WORD, WORD, HWND, BOOL&) {
    try {
        KopirovatTextDoSchranky(text.c_str(), m_hWnd);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

LRESULT OknoPredpovedText::OnUlozit(WORD, WORD, HWND, BOOL&) {
    DialogSouboru dialog;
    PripravitDialogSouboru(dialog, L"");
    dialog.ofn.lpstrFilter = L"Textové soubory\0*.txt\0Všechny soubory\0*.*\0";
    dialog.ofn.nFilterIndex = 1;
    dialog.ofn.lpstrDefExt = L"txt";
    if (!::GetSaveFileNameW(&dialog.ofn)) return 0;
    try {
        ZapsatTextPredpovedi(dialog.soubor, text);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

LRESULT OknoPredpovedText::OnVytisknout(WORD, WORD, HWND, BOOL&) {
    const std::wstring cesta = knihovna::Formatovat(L"%s\\PredpovedPocasi.txt", aplikace.nastaveni.slozkaData.Text().c_str());
    try {
        ZapsatTextPredpovedi(cesta, text);
        knihovna::spustitShell(m_hWnd, L"print", cesta.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    return 0;
}

LRESULT OknoPredpovedText::OnNavrchu(WORD, WORD, HWND, BOOL&) {
    NastaveniPocasi().predpoved.oknoNavrchu = knihovna::JeOknoNavrchu(m_hWnd);
    return 0;
}

LRESULT OknoPredpovedText::OnPruhledne(WORD, WORD, HWND, BOOL&) {
    NastaveniPocasi().predpoved.oknoPruhledne = knihovna::JeOknoPruhledne(m_hWnd) ? 1 : 0;
    return 0;
}

LRESULT OknoPredpovedText::OnContextMenu(UINT, WPARAM, LPARAM l, BOOL&) {
    ZobrazitNabidkuOknaPocasi(m_hWnd, IDM_POCASI_PREDPOVED, l, m_menu,
                              {{40053, knihovna::JeOknoNavrchu(m_hWnd)}, {40075, knihovna::JeOknoPruhledne(m_hWnd)}},
                              {40026, 40215, 40002, 40216, 40217});
    return 0;
}

LRESULT OknoPredpovedText::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    KreslitPolozkuPocasi(m_menu, reinterpret_cast<DRAWITEMSTRUCT*>(l),
                         {{40002, 1}, {40003, 3}, {40022, 14}, {40026, 19}, {40053, 15}, {40075, 31}, {40215, 42},
                          {40216, 12}, {40217, 24}, {40218, 96}, {40219, 45}, {40220, 21}});
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPredpovedText::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ZmeritPolozkuPocasi(m_menu, reinterpret_cast<MEASUREITEMSTRUCT*>(l));
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoPredpovedText::OnKeyDown(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (w == VK_ESCAPE) Odeslat(WM_CLOSE);
    return VychoziZpracovani(msg, w, l);
}
