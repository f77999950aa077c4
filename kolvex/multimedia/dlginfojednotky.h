// The disk information dialog (all logical drives with type, volume name, file system and
// maximum file-name length) and the CD/DVD information dialog (the drives WMI reports, with their
// properties).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "knihovna/okno.h"
#include "knihovna/uchyt.h"

struct IWbemLocator;
struct IWbemServices;
struct IEnumWbemClassObject;
struct IWbemClassObject;

// The list text of a logical drive: "C:\ (label)" when the volume could be read (jmenoSvazku not
// null), else the root alone, then the suffix of its type.
std::wstring TextDiskoveJednotky(const std::wstring& koren, const wchar_t* jmenoSvazku, UINT typ);

// Volume name and file system of a root; false when the volume cannot be read.
using CteniSvazku = std::function<bool(const std::wstring& koren, std::wstring& jmeno, std::wstring& system)>;
// One WMI property by name; false when it is absent (a null value counts as absent).
using CteniVlastnosti = std::function<bool(const wchar_t* nazev, VARIANT& hodnota)>;
// The details text of one CD/DVD drive, each line ended by CR LF. pipnout is set when the drive
// reports MaxBlockSize (the dialog only beeps for it).
std::wstring FormatovatVlastnostiCD(const CteniVlastnosti& vlastnost, const CteniSvazku& svazek,
                                    bool* pipnout = nullptr);
bool PrecistSvazek(const std::wstring& koren, std::wstring& jmeno, std::wstring& system);

class DlgInfoDisky : public knihovna::DialogImpl<DlgInfoDisky, knihovna::Okno> {
public:
    enum { IDD = 169 };
    DlgInfoDisky();

    // Told the dialog's window once it exists (other drives bring it to the front).
    std::atomic<HWND>* zverejnitOkno = nullptr;

    // The selected drive's details into 1159-1161.
    void ZobrazitVybranou();

    KNIHOVNA_MAPA_ZPRAV(DlgInfoDisky)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_CTLCOLORSTATIC, OnCtlColorStatic)
        PRIKAZ_ID(IDOK, OnKonec)
        PRIKAZ_ID(IDCANCEL, OnKonec)
        PRIKAZ(1023, LBN_SELCHANGE, OnVyber)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColorStatic(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKonec(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyber(WORD, WORD, HWND, BOOL&);
    void NaplnitSeznam();
    std::wstring m_nazev;
};

class DlgInfoJednotkyCD : public knihovna::DialogImpl<DlgInfoJednotkyCD, knihovna::Okno> {
public:
    enum { IDD = 170 };
    DlgInfoJednotkyCD();
    ~DlgInfoJednotkyCD() override;

    std::atomic<HWND>* zverejnitOkno = nullptr;

    void ZobrazitVybranou();
    size_t PocetJednotek() const { return m_objekty.size(); }

    KNIHOVNA_MAPA_ZPRAV(DlgInfoJednotkyCD)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        ZPRAVA(WM_CTLCOLORSTATIC, OnCtlColorStatic)
        PRIKAZ_ID(IDOK, OnKonec)
        PRIKAZ_ID(IDCANCEL, OnKonec)
        PRIKAZ(1023, LBN_SELCHANGE, OnVyber)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColorStatic(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnKonec(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyber(WORD, WORD, HWND, BOOL&);
    void NajitJednotky();
    void Uvolnit();

    std::wstring m_nazev;
    knihovna::ComUkazatel<IWbemLocator> m_lokator;
    knihovna::ComUkazatel<IWbemServices> m_sluzba;
    knihovna::ComUkazatel<IEnumWbemClassObject> m_vycet;
    std::vector<knihovna::ComUkazatel<IWbemClassObject>> m_objekty;
};
