// The capture engine of the screen module: the screen, a window, its client area or an area
// of the screen into a picture, the next free file name in the capture folder, saving in the
// chosen format, the clipboard, the balloon and the follow-up shell action.
#pragma once

#include <windows.h>

#include <string>

#include "core/konfiguracenastroju.h"
#include "core/obrazek.h"

// The "Opis" values of the screen settings as they are now (the defaults before they exist).
NastaveniOpisu AktualniNastaveniOpisu();

// Name buffer of a capture file, in characters with the terminating zero.
constexpr size_t DELKA_JMENA_OPISU = 310;

// The file name of the last screen capture; empty after a failed name search.
extern std::wstring jmenoSouboruOpisu;

// 0 and the name when a free name was found; non-zero when none is left, or when the name
// would not fit its buffer.
int ZiskatJmenoSouboruOpisu(const NastaveniOpisu& nastaveni, std::wstring& jmeno);
// The extension of a format row (".jpg" for a row outside the table).
std::wstring PriponaFormatu(int format);

// Copies into the holder (any picture it had is deleted first). Zoom below 1 counts as 1.
void SejmoutObrazovku(ObrazekGdiPlus& obrazek, int zoom);
void SejmoutOkno(ObrazekGdiPlus& obrazek, HWND okno, bool klientskaOblast, int zoom);
void SejmoutVyrez(ObrazekGdiPlus& obrazek, int vlevo, int nahore, int vpravo, int dole, int zoom);

void KopirovatOpisDoSchranky(ObrazekGdiPlus& obrazek);
// Raises unless the encoded picture decodes whole to sirka x vyska (a file cut short by a full
// disk does not).
void OveritCelyObrazek(const std::string& data, UINT sirka, UINT vyska);
// JPEG with the quality when it is 1 to 100, else the encoder's default.
void UlozitJakoJpeg(ObrazekGdiPlus& obrazek, IStream* cil, int kvalita);
// 24-bit BMP.
void UlozitJakoBmp(ObrazekGdiPlus& obrazek, IStream* cil);
// GIF from an 8-bit indexed copy (the encoder needs an indexed source).
void UlozitJakoGif(ObrazekGdiPlus& obrazek, IStream* cil);
// The bytes of the picture in a format row, as a capture file is written: for a screen capture
// JPEG with the quality and 24-bit BMP, GIF always indexed, any other with its encoder's
// defaults. A failed or empty encoding raises.
std::string ZakodovatOpis(ObrazekGdiPlus& obrazek, int format, int kvalitaJpeg, bool obrazovka);

// Whole captures to a file; each reports its own failures and gives no result.
void UlozitOpisObrazovky(int zoom);
void UlozitOpisOkna(HWND okno, bool klientskaOblast, int zoom);
void UlozitOpisAktivnihoOkna(bool klientskaOblast, int zoom);
void UlozitOpisVyrezu(int vlevo, int nahore, int vpravo, int dole, int zoom);
// The same with given settings.
void UlozitOpisObrazovky(const NastaveniOpisu& nastaveni, int zoom);
void UlozitOpisOkna(const NastaveniOpisu& nastaveni, HWND okno, bool klientskaOblast, int zoom, bool aktivni = false);
void UlozitOpisVyrezu(const NastaveniOpisu& nastaveni, int vlevo, int nahore, int vpravo, int dole, int zoom);

// The capture-action dialog while it is open, else null.
class DlgOpisObrazovkyAkce;
extern DlgOpisObrazovkyAkce* dlgOpisObrazovkyAkce;
// Runs the capture-action dialog for the file (it comes with the e-mail sending of captures).
void ZobrazitDlgOpisObrazovkyAkce(const std::wstring& soubor);
