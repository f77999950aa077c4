#include "monitors/ikonapameti.h"

#include <shellapi.h>

#include <vector>

#include "core/aplikace.h"
#include "core/ikonatray.h"
#include "knihovna/chyba.h"
#include "knihovna/dpi.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

void KreslitIkonuPameti(HDC dc, const int (&historie)[POCET_HISTORIE], DWORD zatizeni,
                        const KonfiguraceSledovaniPameti& n, HBRUSH pozadi, HPEN pero, HFONT pismo) {
    // the picture fills the bitmap in the DC (the small-icon size: 16 at 96 DPI, 24 at 144)
    int sirka = 16, vyska = 16;
    BITMAP bitmapa{};
    if (HGDIOBJ vybrana = ::GetCurrentObject(dc, OBJ_BITMAP))
        if (::GetObjectW(vybrana, sizeof(bitmapa), &bitmapa) && bitmapa.bmWidth > 1 && bitmapa.bmHeight > 1) {
            sirka = bitmapa.bmWidth;
            vyska = bitmapa.bmHeight;
        }
    RECT ctverec{0, 0, sirka, vyska};
    Overit(::FillRect(dc, &ctverec, pozadi) != 0);
    if (n.zobrazitObsazena) {
        knihovna::VybranyObjekt vybrane(dc, pero);
        for (int x = 0; x < POCET_HISTORIE; ++x) {
            if (historie[x] <= 0) continue;  // an empty column (some drivers draw a point for a zero line)
            const int vrch = vyska - 1 - historie[x] * vyska / 16;
            for (int px = x * sirka / POCET_HISTORIE; px < (x + 1) * sirka / POCET_HISTORIE; ++px) {
                ::MoveToEx(dc, px, vyska - 1, nullptr);
                ::LineTo(dc, px, vrch);
            }
        }
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, n.barvaText);
    if (n.zobrazitText) {
        knihovna::VybranyObjekt vybrane(dc, pismo);
        wchar_t cislice[16];
        wsprintfW(cislice, L"%d", static_cast<int>(zatizeni));
        ::DrawTextW(dc, cislice, -1, &ctverec, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

IkonaPameti::IkonaPameti(HWND okno, const KonfiguraceSledovaniPameti& nastaveni)
    : m_okno(okno), m_nastaveni(nastaveni) {
    Vytvorit();
}

IkonaPameti::~IkonaPameti() {
    try {
        Odebrat();
    } catch (const knihovna::Chyba&) {
        // the shell may be gone already
    }
}

void IkonaPameti::Vytvorit() {
    if (m_ikona) return;
    if (!m_historie) m_historie = new int[1][POCET_HISTORIE];
    for (int& v : *m_historie) v = 0;
    m_pozadi.Nastavit(::CreateSolidBrush(m_nastaveni.barvaPozadi));
    Overit(static_cast<bool>(m_pozadi));
    m_pero.Nastavit(::CreatePen(PS_SOLID, 1, m_nastaveni.barvaObsazena));
    Overit(static_cast<bool>(m_pero));
    m_pismo = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    m_ikona = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SLEDOVANI_PAMETI),
                                              IMAGE_ICON, knihovna::SirkaMaleIkony(),
                                              knihovna::VyskaMaleIkony(), LR_DEFAULTCOLOR));
    Overit(m_ikona != nullptr);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_okno;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = ZPRAVA_IKONY_TRAY;
    data.hIcon = m_ikona;
    std::wstring tip = knihovna::Oriznout(aplikace.titulek, DELKA_TIPU);
    wmemcpy(data.szTip, tip.c_str(), tip.size() + 1);
    if (!notifikacniIkona(NIM_ADD, &data)) {
        DWORD kod = ::GetLastError();
        aplikace.ZobrazitChybuId(0);
        ::SetLastError(kod);
        knihovna::VyhoditChybu(kod ? knihovna::HresultZKodu(kod) : E_FAIL);
    }
    m_odeslanePixely.clear();  // the starting icon is no drawn picture: the first tick sends one
    m_odeslanyTip = tip;
}

void IkonaPameti::Aktualizovat(const MEMORYSTATUS& stav) {
    if (!m_ikona || !m_historie) return;
    const DWORD zatizeni = stav.dwMemoryLoad;
    PosunoutHistorii(*m_historie, VyskaSloupce(zatizeni));

    ICONINFO info{};
    Overit(::GetIconInfo(m_ikona, &info) != 0);
    knihovna::UchytBitmapy barvy(info.hbmColor), maska(info.hbmMask);
    {
        knihovna::UchytDc dc(::CreateCompatibleDC(nullptr));
        Overit(static_cast<bool>(dc));
        knihovna::VybranyObjekt bitmapa(dc.Get(), barvy.Get());
        KreslitIkonuPameti(dc.Get(), *m_historie, zatizeni, m_nastaveni, m_pozadi.Get(), m_pero.Get(), m_pismo);
    }
    // The notification area is told only what changed since it was last told: a steady load
    // costs the tray host nothing. The picture is compared whatever its size.
    BITMAP vlastnosti{};
    Overit(::GetObjectW(barvy.Get(), sizeof(vlastnosti), &vlastnosti) != 0);
    std::vector<BYTE> pixely(static_cast<size_t>(vlastnosti.bmWidthBytes) * static_cast<size_t>(vlastnosti.bmHeight));
    if (!pixely.empty())
        Overit(::GetBitmapBits(barvy.Get(), static_cast<LONG>(pixely.size()), pixely.data()) != 0);
    const bool novyObrazek = pixely != m_odeslanePixely;
    m_nakreslenePixely = std::move(pixely);
    if (novyObrazek) {
        ICONINFO nova{};
        nova.fIcon = TRUE;
        nova.hbmColor = barvy.Get();
        nova.hbmMask = maska.Get();
        HICON ikona = ::CreateIconIndirect(&nova);
        Overit(ikona != nullptr);
        Overit(::DestroyIcon(m_ikona) != 0);
        m_ikona = ikona;
    }

    m_tip = TextTipuPameti(zatizeni, stav.dwAvailPhys, stav.dwTotalPhys, aplikace.titulek);
    // The free memory changes nearly every tick: a new tip alone waits until the pointer is over
    // the icon (Ukazat), where it is read; with a new picture it goes along.
    if (novyObrazek) Odeslat(true);
}

void IkonaPameti::Ukazat() {
    if (m_ikona) Odeslat(false);
}

void IkonaPameti::Odeslat(bool novyObrazek) {
    const std::wstring tip = knihovna::Oriznout(m_tip, DELKA_TIPU);
    const bool novyTip = !m_tip.empty() && tip != m_odeslanyTip;
    if (!novyObrazek && !novyTip) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_okno;
    data.uID = 1;
    data.uFlags = (novyObrazek ? NIF_ICON : 0) | (novyTip ? NIF_TIP : 0);
    data.hIcon = m_ikona;
    wmemcpy(data.szTip, tip.c_str(), tip.size() + 1);
    // A refused change is told again on the next tick.
    if (!notifikacniIkona(NIM_MODIFY, &data)) return;
    if (novyObrazek) m_odeslanePixely = std::move(m_nakreslenePixely);
    if (novyTip) m_odeslanyTip = tip;
}

void IkonaPameti::Odebrat() {
    if (!m_ikona) return;
    delete[] m_historie;
    m_historie = nullptr;
    m_pero.Uvolnit();
    m_pozadi.Uvolnit();
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_okno;
    data.uID = 1;
    notifikacniIkona(NIM_DELETE, &data);
    HICON ikona = m_ikona;
    m_ikona = nullptr;
    Overit(::DestroyIcon(ikona) != 0);
}
