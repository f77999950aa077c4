// Window actions of the window extension on other programs' windows: corners, centre and halves
// of the screen, always on top, growing and shrinking, transparency and hiding. Three entry
// points: a command of a foreign system menu, the action code of a mouse gesture, and a hot key.
#pragma once

#include <windows.h>

#include <cstdint>

#include "knihovna/okno.h"

class KonfiguraceRozsireniOken;

// Action codes of the gestures.
enum AkceGesta : UINT {
    AKCE_ZADNA = 0,
    AKCE_SKRYT = 1,
    AKCE_NAVRCHU_ZAPNOUT = 2,
    AKCE_NAVRCHU_VYPNOUT = 3,
    AKCE_NAVRCHU_PREPNOUT = 4,
    AKCE_LEVA_POLOVINA = 10,
    AKCE_PRAVA_POLOVINA = 11,
    AKCE_HORNI_POLOVINA = 12,
    AKCE_DOLNI_POLOVINA = 13,
    AKCE_PRUHLEDNOST = 20,
    AKCE_PRUHLEDNA_BARVA = 21,
    AKCE_PRUHLEDNOST_A_BARVA = 22,
    AKCE_BEZ_PRUHLEDNOSTI = 23,
    AKCE_VICE_PRUHLEDNE = 25,
    AKCE_MENE_PRUHLEDNE = 26,
    AKCE_ZVETSIT = 30,
    AKCE_ZMENSIT = 31,
};

// WM_APP+6: hide the window in lParam (wParam 0); to the window extension's window.
constexpr UINT ZpravaSkrytOkno = WM_APP + 6;

enum class Polovina { Leva, Prava, Horni, Dolni };

// Pure geometry and alpha arithmetic (tested on their own).
// The half of the work area for a window rectangle: positions count from the work area's corner (a
// taskbar at the top or left, or a second monitor, is not covered or left), sizes are integer halves
// of the work area; a window that is not resizable keeps its size. Result: x, y in left/top and the
// width and height in right/bottom.
RECT ObdelnikPoloviny(const RECT& prace, const RECT& okno, bool menitelne, Polovina polovina);
// Alpha of a transparency percentage: the one formula of the tools' own windows.
using knihovna::AlfaZProcent;
// One step more transparent: alpha - step when that stays above 0, else unchanged.
BYTE AlfaViceProhledna(BYTE alfa, int krok);
// One step less transparent: alpha + step when that stays at most 255, else unchanged.
BYTE AlfaMeneProhledna(BYTE alfa, int krok);
// The size after growing by step on every side.
SIZE VelikostPoZvetseni(int sirka, int vyska, int krok);
// The size after shrinking by step on every side; false (nothing to do) when w - step or
// h - step would fall below 10.
bool VelikostPoZmenseni(int sirka, int vyska, int krok, SIZE& nova);

// Gesture of a reported message (row of the gesture table, 0-24), -1 when it is none. The
// non-client buttons take the keys held (ctrl, shift); the wheel takes them from its wParam.
int UrcitGesto(UINT zprava, uint32_t wParam, bool ctrl, bool shift);

// The building blocks; each raises the last system error where a platform call fails.
void PrepnoutNavrchu(HWND okno);
void PrepnoutNavrchuVSystemoveNabidce(HWND okno);
void ObnovitZaskrtnutiNavrchu(HWND okno);
void UmistitDoPoloviny(HWND okno, Polovina polovina);
void ZvetsitOkno(HWND okno, int krok);
void ZmensitOkno(HWND okno, int krok);
void ZvysitPruhlednost(HWND okno, int krok);
void SnizitPruhlednost(HWND okno, int krok);
void NastavitPruhlednouBarvu(HWND okno, COLORREF barva);
void NastavitPruhlednostABarvu(HWND okno, int procenta, COLORREF barva);
// Alpha of a layered window, 255 when it has no alpha of its own yet (never layered, or a
// colour key only).
BYTE AktualniAlfa(HWND okno);

// The settings the actions read (the defaults while the settings object does not exist).
const KonfiguraceRozsireniOken& NastaveniRozsireniOken();

// A command of the window extension's system-menu items on that window itself.
void ProvestPrikazSystemoveNabidky(HWND okno, UINT prikaz);
// The action of a gesture on the top-level window of the event's window (GetAncestor GA_ROOT:
// a wheel reports the control under the cursor), brought to the foreground afterwards.
void ProvestAkciGesta(UINT akce, HWND udalost);
// A hot-key command on the top-level ancestor of the given window (the main thread's entry point
// passes the foreground window); nothing without a window.
void ProvestAkciOknaNa(HWND okno, UINT prikaz);

// Seam: where hiding goes (default: WM_APP+6 posted to the window extension's window; false when
// it does not run).
extern bool (*predatSkrytiOkna)(HWND okno);
