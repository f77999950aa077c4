// The window "Informace o síti LAN": the computers that the LAN browser knows and, for the
// selected one, its user accounts. The enumeration runs on the window's own thread.
#pragma once

#include <windows.h>
#include <lm.h>

#include <memory>
#include <string>
#include <vector>

#include "core/vlaknomodulu.h"
#include "knihovna/okno.h"
#include "resources/resource.h"

struct PocitacLan {
    DWORD platforma = 0;
    std::wstring nazev;
    std::wstring textPlatformy;
    DWORD verzeHlavni = 0;
    DWORD verzeVedlejsi = 0;
    DWORD typ = 0;
    std::wstring komentar;
};

struct UcetUzivatele {
    std::wstring jmeno;
    std::wstring plneJmeno;
    std::wstring komentar;
    std::wstring uzivatelskyKomentar;
    DWORD pocetPrihlaseni = 0;
};

// Seams for tests: the network management calls (Wine answers NetServerEnum with 6118).
struct FunkceSiteLan {
    NET_API_STATUS(WINAPI* serverEnum)(LMCSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, DWORD, LMCSTR, LPDWORD) =
        ::NetServerEnum;
    NET_API_STATUS(WINAPI* userEnum)(LMCSTR, DWORD, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, PDWORD) = ::NetUserEnum;
    NET_API_STATUS(WINAPI* uvolnit)(LPVOID) = ::NetApiBufferFree;
};
extern FunkceSiteLan funkceSiteLan;

// The computers of the LAN browser (a second ask with the local list when the first gives none);
// vysledek = the status of the last call.
std::vector<PocitacLan> NacistPocitaceLan(NET_API_STATUS& vysledek);
// The normal accounts of a computer, page by page while ERROR_MORE_DATA comes.
std::vector<UcetUzivatele> NacistUctyLan(const std::wstring& pocitac, NET_API_STATUS& vysledek);

class DlgSitLanInfo : public knihovna::DialogImpl<DlgSitLanInfo, knihovna::OknoObal> {
public:
    enum { IDD = IDD_SIT_LAN_INFO };

    KNIHOVNA_MAPA_ZPRAV(DlgSitLanInfo)
        ZPRAVA(WM_INITDIALOG, OnInitDialog)
        PRIKAZ(IDC_LAN_POCITACE, LBN_SELCHANGE, OnVyberPocitace)
        PRIKAZ(IDC_LAN_UCTY, LBN_SELCHANGE, OnVyberUctu)
        ZPRAVA(WM_CTLCOLORSTATIC, OnCtlColorStatic)
    KNIHOVNA_KONEC_MAPY()

    void NacistPocitace();
    void NacistUcty();
    void ZobrazitUcet();

    std::vector<PocitacLan> pocitace;
    std::vector<UcetUzivatele> ucty;
    HWND seznamPocitacu = nullptr;
    HWND seznamUctu = nullptr;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnVyberPocitace(WORD, WORD, HWND, BOOL&);
    LRESULT OnVyberUctu(WORD, WORD, HWND, BOOL&);
    LRESULT OnCtlColorStatic(UINT, WPARAM, LPARAM, BOOL&);
};

class OknoSitLanInfo : public knihovna::OknoImpl<OknoSitLanInfo, knihovna::Okno> {
public:
    OknoSitLanInfo();
    ~OknoSitLanInfo() override;

    HWND VytvoritOkno();
    HWND Dialog() const { return m_hDialog; }
    DlgSitLanInfo* ObjektDialogu() const { return m_dialog.get(); }

    KNIHOVNA_MAPA_ZPRAV(OknoSitLanInfo)
        ZPRAVA(WM_CLOSE, OnClose)
        ZPRAVA(WM_DESTROY, OnDestroy)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()

private:
    std::unique_ptr<DlgSitLanInfo> m_dialog;
    HWND m_hDialog = nullptr;
    HICON m_ikona = nullptr;
    std::wstring m_trida;
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
};

extern std::unique_ptr<OknoSitLanInfo> oknoSitLanInfo;

class VlaknoSitLanInfo : public VlaknoModulu {
public:
    VlaknoSitLanInfo();

protected:
    HWND VytvoritOkno(bool automaticky) override;
    void ZrusitOkno() override;
    bool PredzpracovatZpravu(MSG& msg) override;
};

void VytvoritOknoSitLanInfo();
void SmazatOknoSitLanInfo();
