// Error reports of module and tool threads, the fatal error, balloons at the main tray icon
// and the caption and tooltip formats.
#pragma once

#include <windows.h>

#include <string>

#include "knihovna/chyba.h"
#include "knihovna/modul.h"

void HlasitChybuVlaknaModulu(const knihovna::Chyba& chyba, UINT idNazvu);
void HlasitChybuVlaknaNastroje(knihovna::Modul& modul, const knihovna::Chyba& chyba, UINT idNazvu);
// A failed action of a running module that goes on: string 12 alone (it holds the error text);
// "yes" closes the main window.
void HlasitChybuAkceModulu(const knihovna::Chyba& chyba, UINT idNazvu);
// The same for one command of the tool: the description names the command (its string, up to the
// first line break) before the error text.
void HlasitChybuAkceModulu(const knihovna::Chyba& chyba, UINT idNazvu, UINT idPrikazu);
void HlasitChybuExternihoModulu(const knihovna::Chyba& chyba, const std::wstring& nazev);
void HlasitChybuSpusteniModulu(const knihovna::Chyba& chyba, UINT idNazvu);
void HlasitChybuSpusteniNastroje(const knihovna::Chyba& chyba, UINT idNazvu);
// A plug-in that did not stop: string 7 with its name (one message, no error code).
void HlasitNezastavenyZasuvnyModul(const std::wstring& nazev);
void HlasitChybuUkonceniModulu(const knihovna::Chyba& chyba, UINT idNazvu);
void HlasitChybuUkonceniNastroje(knihovna::Modul& modul, const knihovna::Chyba& chyba, UINT idNazvu);

// Seam for tests: how the fatal error ends the process.
extern void (*ukoncitProces)(UINT kod);
// Shows "Došlo k významné chybě! ..." and terminates the process with 0xFFFFFFFF.
[[noreturn]] void UkoncitPoZavazneChybe(const wchar_t* text = nullptr);

// A balloon at the main tray icon. The icon belongs to the main thread: called on another thread,
// the balloon is handed over to it by a posted message (the icon may be going meanwhile).
void ZobrazitBublinuHlavniIkony(HICON ikona, const std::wstring& text);
void ZobrazitBublinuHlavniIkony(HICON ikona, const std::wstring& text, bool zvuk);
// The main thread's side: shows a balloon handed over (lParam from the posted message).
LRESULT PrevzitBublinuHlavniIkony(LPARAM l);
constexpr UINT ZpravaBublinaHlavniIkony = WM_APP + 32;
void SkrytBublinuHlavniIkony();
void ZobrazitChybuComVBubline(const std::wstring& text, const knihovna::Chyba& chyba);
void ZobrazitChybuVBubline(const std::wstring& text);
void ZobrazitChybuVBublineId(UINT idTextu);

void OtevritStrankuSoftwaru();

void FormatovatTextSDoplnkem(UINT id, std::wstring& text);
void FormatovatTextSNadpisem(UINT id, std::wstring& text);
void FormatovatTextSNadpisemPoznamky(UINT id, std::wstring& text);

// WM_CLOSE to the main window, when it exists (ends the program in order).
void ZavritHlavniOkno();
