// The settings pages of the media-recorder driver: "Sonvidar" (179: tray-click actions and the
// encoder probe) and the two recording pages (180 sound, 181 video).
#pragma once

#include <windows.h>

#include <string>

#include "core/stranka.h"
#include "knihovna/edity.h"
#include "knihovna/odkazy.h"

class KonfiguraceSonvidar;
struct NastaveniZaznamu;

// Empties a folder after asking (the shared question and deletion); set by the tool hook-up.
extern bool (*vyprazdnitSlozkuZaznamu)(const std::wstring& slozka);

class DlgNastavSonvidar : public StrankaNastaveniImpl<DlgNastavSonvidar> {
public:
    enum { IDD = 179 };
    KonfiguraceSonvidar* nastaveni = nullptr;  // the global one when null

    KNIHOVNA_MAPA_ZPRAV(DlgNastavSonvidar)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(1104, CBN_SELCHANGE, OnVyberKliknuti)
        PRIKAZ(1105, CBN_SELCHANGE, OnVyberAkce)
        PRIKAZ(1186, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_ID(1187, OnStahnoutKoder)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberKliknuti(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyberAkce(WORD, WORD, HWND, BOOL&);
    LRESULT OnStahnoutKoder(WORD, WORD, HWND, BOOL&);
    KonfiguraceSonvidar& Nastaveni();

    StrankaAkciKliknuti m_akce;
    knihovna::StaticOdkazCommand m_stahnout;
};

// The shared part of the two recording pages.
// Whether a typed recording file name (no path) or folder can be used: no character a file name
// cannot hold (a quote would also break Sonvidar's command line).
bool JePlatnySouborZaznamu(const std::wstring& soubor);
bool JePlatnaSlozkaZaznamu(const std::wstring& slozka);

class StrankaZaznamu {
public:
    virtual ~StrankaZaznamu() = default;

protected:
    void Zahajit(HWND stranka, const NastaveniZaznamu& z, int odkazNastaveni, int odkazVymazat, UINT tipVymazat);
    void Ulozit(HWND stranka, NastaveniZaznamu& z);
    void VymazatSlozku(HWND stranka);

    knihovna::EditSlozka m_slozka;
    knihovna::EditCislo m_pocet;
    knihovna::StaticOdkazSlozka m_odkazSlozka;
    knihovna::StaticOdkazCommand m_nastaveni;
    knihovna::StaticOdkazCommand m_vymazat;
    knihovna::ToolTip m_tip;
};

class DlgNastavZaznamZvukuWma : public StrankaNastaveniImpl<DlgNastavZaznamZvukuWma>, public StrankaZaznamu {
public:
    enum { IDD = 180 };
    NastaveniZaznamu* nastaveni = nullptr;  // the sound section of the global object when null
    void Ulozit() override;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavZaznamZvukuWma)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(1031, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1106, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1110, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1188, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(1189, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_ID(1190, OnNastaveniSonvidaru)
        PRIKAZ_ID(1192, OnVymazat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNastaveniSonvidaru(WORD, WORD, HWND, BOOL&);
    LRESULT OnVymazat(WORD, WORD, HWND, BOOL&);
    NastaveniZaznamu& Zaznam();
};

class DlgNastavZaznamVideaWmv : public StrankaNastaveniImpl<DlgNastavZaznamVideaWmv>, public StrankaZaznamu {
public:
    enum { IDD = 181 };
    NastaveniZaznamu* nastaveni = nullptr;
    void Ulozit() override;

    KNIHOVNA_MAPA_ZPRAV(DlgNastavZaznamVideaWmv)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(1031, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1106, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1110, EN_CHANGE, OnZmenaPrvku)
        PRIKAZ(1188, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ(1189, BN_CLICKED, OnZmenaPrvku)
        PRIKAZ_ID(1191, OnNastaveniSonvidaru)
        PRIKAZ_ID(1193, OnVymazat)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNastaveniSonvidaru(WORD, WORD, HWND, BOOL&);
    LRESULT OnVymazat(WORD, WORD, HWND, BOOL&);
    NastaveniZaznamu& Zaznam();
};
