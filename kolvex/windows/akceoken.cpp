#include "windows/akceoken.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "core/vlaknomodulu.h"
#include "knihovna/chyba.h"
#include "knihovna/okno.h"

using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

namespace {

constexpr UINT PRIKAZ_NAVRCHU = 40053;
constexpr UINT SKRYT_DO_IKONY = 40107;
constexpr UINT RAMEC = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

bool PoslatSkrytiModulu(HWND okno) {
    VlaknoModulu* modul = NajitNastroj(Nastroj::RozsireniOken);
    return modul && modul->Bezi() && modul->Odeslat(ZpravaSkrytOkno, 0, reinterpret_cast<LPARAM>(okno));
}

RECT ObdelnikOkna(HWND okno) {
    RECT r{};
    Overit(::GetWindowRect(okno, &r) != 0);
    return r;
}

void NastavitVelikost(HWND okno, SIZE velikost) {
    Overit(knihovna::PresunoutOkno(okno, nullptr, 0, 0, velikost.cx, velikost.cy, SWP_NOMOVE | SWP_NOZORDER));
}

// WS_EX_LAYERED added; a zero result with a set last error is a failure.
void PridatVrstvu(HWND okno) { knihovna::ZmenitRozsirenyStyl(okno, WS_EX_LAYERED, 0); }

void OveritBarvu(COLORREF barva) {
    if (barva & 0xFF000000) VyhoditChybu(E_INVALIDARG);
}

int Krok(DWORD hodnota) { return static_cast<int>(hodnota); }

void NastavitNavrchu(HWND okno, bool navrchu) {
    knihovna::PresunoutOkno(okno, navrchu ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Corners (codes 2-5) and centre (6) of the tools' own windows, in the order of the commands.
void Umistit(HWND okno, UINT prikaz) { knihovna::Okno::UmistitNaPlochu(okno, static_cast<int>(prikaz - 40048) + 2); }

// Position codes 7-10: the halves.
int KodPoloviny(Polovina polovina) {
    switch (polovina) {
        case Polovina::Leva: return 7;
        case Polovina::Prava: return 8;
        case Polovina::Horni: return 9;
        case Polovina::Dolni: return 10;
    }
    return 7;
}

// The commands that the system menu and the hot keys share; false for any other id.
bool ProvestPrikaz(HWND okno, UINT prikaz) {
    const KonfiguraceRozsireniOken& n = NastaveniRozsireniOken();
    const COLORREF barva = ::GetSysColor(COLOR_WINDOW);
    switch (prikaz) {
        case 40048:
        case 40049:
        case 40050:
        case 40051:
        case 40052: Umistit(okno, prikaz); return true;
        case 40099: UmistitDoPoloviny(okno, Polovina::Leva); return true;
        case 40100: UmistitDoPoloviny(okno, Polovina::Prava); return true;
        case 40101: UmistitDoPoloviny(okno, Polovina::Horni); return true;
        case 40102: UmistitDoPoloviny(okno, Polovina::Dolni); return true;
        case 40103: knihovna::NastavitPruhlednostOkna(okno, static_cast<int>(n.procentoPruhlednosti)); return true;
        case 40104: NastavitPruhlednouBarvu(okno, barva); return true;
        case 40105: NastavitPruhlednostABarvu(okno, static_cast<int>(n.procentoPruhlednosti), barva); return true;
        case 40106: knihovna::NastavitPruhlednostOkna(okno, 0); return true;
        case 40109: ZvysitPruhlednost(okno, Krok(n.krokPruhlednosti)); return true;
        case 40110: SnizitPruhlednost(okno, Krok(n.krokPruhlednosti)); return true;
        default: return false;
    }
}

}  // namespace

bool (*predatSkrytiOkna)(HWND okno) = PoslatSkrytiModulu;

// ---------------------------------------------------------------------------------------------

RECT ObdelnikPoloviny(const RECT& prace, const RECT& okno, bool menitelne, Polovina polovina) {
    RECT v{};
    knihovna::ObdelnikNaPlose(prace, okno, menitelne, KodPoloviny(polovina), v);
    return v;
}

BYTE AlfaViceProhledna(BYTE alfa, int krok) {
    if (krok > 0 && static_cast<int>(alfa) - krok > 0) return static_cast<BYTE>(alfa - krok);
    return alfa;
}

BYTE AlfaMeneProhledna(BYTE alfa, int krok) {
    if (krok > 0 && static_cast<int>(alfa) + krok <= 255) return static_cast<BYTE>(alfa + krok);
    return alfa;
}

SIZE VelikostPoZvetseni(int sirka, int vyska, int krok) { return SIZE{sirka + 2 * krok, vyska + 2 * krok}; }

bool VelikostPoZmenseni(int sirka, int vyska, int krok, SIZE& nova) {
    if (sirka - krok < 10 || vyska - krok < 10) return false;
    nova = SIZE{sirka - 2 * krok, vyska - 2 * krok};
    return true;
}

int UrcitGesto(UINT zprava, uint32_t wParam, bool ctrl, bool shift) {
    // Row offset by the keys: none, Ctrl, Shift, Ctrl+Shift.
    const int klavesy = ctrl && shift ? 3 : ctrl ? 1 : shift ? 2 : 0;
    switch (zprava) {
        case WM_NCLBUTTONDOWN:
            if (wParam != HTCAPTION || klavesy == 0) return -1;
            return GESTO_CTRL_LEVE_TITULEK + klavesy - 1;
        case WM_NCMBUTTONDOWN:
            return wParam == HTCAPTION ? GESTO_STREDNI_TITULEK + klavesy : -1;
        case WM_NCRBUTTONDOWN:
            return wParam == HTCLOSE ? GESTO_PRAVE_ZAVRIT + klavesy : -1;
        case WM_NCXBUTTONDOWN:
            if (LOWORD(wParam) != HTCAPTION) return -1;
            if (HIWORD(wParam) == XBUTTON1) return GESTO_ZPET_TITULEK + klavesy;
            if (HIWORD(wParam) == XBUTTON2) return GESTO_VPRED_TITULEK + klavesy;
            return -1;
        case WM_MOUSEWHEEL: {
            const bool c = (LOWORD(wParam) & MK_CONTROL) != 0, s = (LOWORD(wParam) & MK_SHIFT) != 0;
            const short posun = static_cast<short>(HIWORD(wParam));
            if ((!c && !s) || posun == 0) return -1;
            // rows in the order Ctrl, Ctrl+Shift, Shift
            const int radek = c && s ? 1 : c ? 0 : 2;
            return (posun < 0 ? GESTO_CTRL_KOLECKO_K_SOBE : GESTO_CTRL_KOLECKO_OD_SEBE) + radek;
        }
        default:
            return -1;
    }
}

// ---------------------------------------------------------------------------------------------

void PrepnoutNavrchu(HWND okno) { knihovna::PrepnoutOknoNavrchu(okno); }

void PrepnoutNavrchuVSystemoveNabidce(HWND okno) {
    HMENU menu = ::GetSystemMenu(okno, FALSE);
    if (!menu || !::IsMenu(menu)) return;
    const bool navrchu = !knihovna::PrepnoutOknoNavrchu(okno);
    if (::CheckMenuItem(menu, PRIKAZ_NAVRCHU, MF_BYCOMMAND | (navrchu ? MF_UNCHECKED : MF_CHECKED)) ==
        static_cast<DWORD>(-1))
        VyhoditChybu(E_INVALIDARG);
}

void ObnovitZaskrtnutiNavrchu(HWND okno) {
    HMENU menu = ::GetSystemMenu(okno, FALSE);
    if (!menu) return;
    ::CheckMenuItem(menu, PRIKAZ_NAVRCHU,
                    MF_BYCOMMAND | (knihovna::JeOknoNavrchu(okno) ? MF_CHECKED : MF_UNCHECKED));
}

void UmistitDoPoloviny(HWND okno, Polovina polovina) { knihovna::Okno::UmistitNaPlochu(okno, KodPoloviny(polovina)); }

void ZvetsitOkno(HWND okno, int krok) {
    const RECT r = ObdelnikOkna(okno);
    NastavitVelikost(okno, VelikostPoZvetseni(r.right - r.left, r.bottom - r.top, krok));
}

void ZmensitOkno(HWND okno, int krok) {
    const RECT r = ObdelnikOkna(okno);
    SIZE nova{};
    if (VelikostPoZmenseni(r.right - r.left, r.bottom - r.top, krok, nova)) NastavitVelikost(okno, nova);
}

BYTE AktualniAlfa(HWND okno) {
    COLORREF klic = 0;
    BYTE alfa = 255;
    DWORD priznaky = 0;
    if (!::GetLayeredWindowAttributes(okno, &klic, &alfa, &priznaky) || !(priznaky & LWA_ALPHA)) return 255;
    return alfa;
}

void ZvysitPruhlednost(HWND okno, int krok) {
    PridatVrstvu(okno);
    ::SetLayeredWindowAttributes(okno, 0, AlfaViceProhledna(AktualniAlfa(okno), krok), LWA_ALPHA);
}

void SnizitPruhlednost(HWND okno, int krok) {
    PridatVrstvu(okno);
    ::SetLayeredWindowAttributes(okno, 0, AlfaMeneProhledna(AktualniAlfa(okno), krok), LWA_ALPHA);
}

void NastavitPruhlednouBarvu(HWND okno, COLORREF barva) {
    OveritBarvu(barva);
    PridatVrstvu(okno);
    Overit(::SetLayeredWindowAttributes(okno, barva, 0, LWA_COLORKEY) != 0);
}

void NastavitPruhlednostABarvu(HWND okno, int procenta, COLORREF barva) {
    OveritBarvu(barva);
    if (procenta < 1 || procenta > 100) VyhoditChybu(E_INVALIDARG);
    PridatVrstvu(okno);
    Overit(::SetLayeredWindowAttributes(okno, barva, AlfaZProcent(procenta), LWA_COLORKEY | LWA_ALPHA) != 0);
}

const KonfiguraceRozsireniOken& NastaveniRozsireniOken() {
    static KonfiguraceRozsireniOken* vychozi = nullptr;
    if (nastaveniRozsireniOken) return *nastaveniRozsireniOken;
    if (!vychozi) vychozi = new KonfiguraceRozsireniOken();
    return *vychozi;
}

// ---------------------------------------------------------------------------------------------

void ProvestPrikazSystemoveNabidky(HWND okno, UINT prikaz) {
    if (!::IsWindow(okno)) return;
    if (prikaz == PRIKAZ_NAVRCHU)
        PrepnoutNavrchuVSystemoveNabidce(okno);
    else if (prikaz == SKRYT_DO_IKONY)
        predatSkrytiOkna(okno);
    else
        ProvestPrikaz(okno, prikaz);
}

void ProvestAkciGesta(UINT akce, HWND udalost) {
    // The wheel reports the control under the cursor: a gesture acts on its top-level window.
    HWND okno = ::GetAncestor(udalost, GA_ROOT);
    if (!okno) okno = udalost;
    const KonfiguraceRozsireniOken& n = NastaveniRozsireniOken();
    const COLORREF barva = ::GetSysColor(COLOR_WINDOW);
    const int procenta = static_cast<int>(n.procentoPruhlednosti);
    switch (akce) {
        case AKCE_SKRYT: predatSkrytiOkna(okno); break;
        case AKCE_NAVRCHU_ZAPNOUT: NastavitNavrchu(NajitKorenoveOkno(okno), true); break;
        case AKCE_NAVRCHU_VYPNOUT: NastavitNavrchu(NajitKorenoveOkno(okno), false); break;
        case AKCE_NAVRCHU_PREPNOUT: PrepnoutNavrchuVSystemoveNabidce(okno); break;
        case AKCE_LEVA_POLOVINA: UmistitDoPoloviny(okno, Polovina::Leva); break;
        case AKCE_PRAVA_POLOVINA: UmistitDoPoloviny(okno, Polovina::Prava); break;
        case AKCE_HORNI_POLOVINA: UmistitDoPoloviny(okno, Polovina::Horni); break;
        case AKCE_DOLNI_POLOVINA: UmistitDoPoloviny(okno, Polovina::Dolni); break;
        case AKCE_PRUHLEDNOST: knihovna::NastavitPruhlednostOkna(okno, procenta); break;
        case AKCE_PRUHLEDNA_BARVA: NastavitPruhlednouBarvu(okno, barva); break;
        case AKCE_PRUHLEDNOST_A_BARVA: NastavitPruhlednostABarvu(okno, procenta, barva); break;
        case AKCE_BEZ_PRUHLEDNOSTI: knihovna::NastavitPruhlednostOkna(okno, 0); break;
        case AKCE_VICE_PRUHLEDNE: ZvysitPruhlednost(NajitKorenoveOkno(okno), Krok(n.krokPruhlednosti)); break;
        case AKCE_MENE_PRUHLEDNE: SnizitPruhlednost(NajitKorenoveOkno(okno), Krok(n.krokPruhlednosti)); break;
        case AKCE_ZVETSIT: ZvetsitOkno(NajitKorenoveOkno(okno), Krok(n.krokVelikosti)); break;
        case AKCE_ZMENSIT: ZmensitOkno(NajitKorenoveOkno(okno), Krok(n.krokVelikosti)); break;
        default: break;
    }
    ::SetForegroundWindow(okno);
}

void ProvestAkciOknaNa(HWND okno, UINT prikaz) {
    if (!okno) return;
    HWND koren = NajitKorenoveOkno(okno);
    if (prikaz == PRIKAZ_NAVRCHU) {
        PrepnoutNavrchu(koren);
    } else if (prikaz == SKRYT_DO_IKONY) {
        if (!predatSkrytiOkna(koren) && aplikace.nastaveni.zvuk) ::MessageBeep(MB_ICONEXCLAMATION);
    } else {
        ProvestPrikaz(koren, prikaz);
    }
}
