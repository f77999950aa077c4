#include "multimedia/dlginfojednotky.h"

#include <objbase.h>
#include <wbemcli.h>

#include <atomic>
#include <cwchar>
#include <initializer_list>

#include "core/aplikace.h"
#include "knihovna/text.h"
#include "multimedia/jednotkacd.h"
#include "resources/resource.h"

using knihovna::ComUkazatel;
using knihovna::Formatovat;
using knihovna::OveritHr;

namespace {

// The WMI locator's class and interface (public ids of the platform).
const CLSID CLSID_Lokator = {0x4590f811, 0x1d3a, 0x11d0, {0x89, 0x1f, 0x00, 0xaa, 0x00, 0x4b, 0x2e, 0x24}};
const IID IID_Lokator = {0xdc12a687, 0x737f, 0x11cf, {0x88, 0x4d, 0x00, 0xaa, 0x00, 0x4b, 0x2e, 0x24}};

// A VARIANT cleared at the end of its scope.
class Varianta {
public:
    Varianta() { ::VariantInit(&v); }
    ~Varianta() { ::VariantClear(&v); }
    Varianta(const Varianta&) = delete;
    Varianta& operator=(const Varianta&) = delete;
    VARIANT v;
};

// A BSTR freed at the end of its scope.
class RetezecBstr {
public:
    explicit RetezecBstr(const wchar_t* text) : b(::SysAllocString(text)) {}
    ~RetezecBstr() { ::SysFreeString(b); }
    RetezecBstr(const RetezecBstr&) = delete;
    RetezecBstr& operator=(const RetezecBstr&) = delete;
    BSTR b;
};

bool JakoText(const VARIANT& hodnota, std::wstring& text) {
    if (hodnota.vt == VT_BSTR) {
        text = hodnota.bstrVal ? hodnota.bstrVal : L"";
        return true;
    }
    Varianta kopie;
    if (FAILED(::VariantChangeType(&kopie.v, const_cast<VARIANT*>(&hodnota), 0, VT_BSTR))) return false;
    text = kopie.v.bstrVal ? kopie.v.bstrVal : L"";
    return true;
}

// The window colour for the dialog's read-only edits (WM_CTLCOLORSTATIC); 0 for other controls.
LRESULT BarvaCteni(WPARAM w, LPARAM l, const std::initializer_list<int>& prvky) {
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(l));
    for (int p : prvky) {
        if (p == id) {
            HDC dc = reinterpret_cast<HDC>(w);
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
    }
    return 0;
}

void NastavitTitulekAIkony(HWND dlg, const wchar_t* format) {
    ::SetWindowTextW(dlg, Formatovat(format, aplikace.titulek.c_str()).c_str());
    ::SendMessageW(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    ::SendMessageW(dlg, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
}

// The dialog's stored placement, else centred on the desktop.
void Umistit(knihovna::Okno& dlg, const std::wstring& nazev) {
    bool obnoveno = false;
    try {
        obnoveno = dlg.ObnovitPolohu(nazev.c_str()) == 0;
    } catch (const knihovna::Chyba&) {
        // a damaged placement is no reason to fail the dialog
    }
    if (!obnoveno) knihovna::Okno::UmistitNaPlochu(dlg.m_hWnd, 6);
}

void UlozitUmisteni(knihovna::Okno& dlg, const std::wstring& nazev) {
    try {
        dlg.UlozitPolohu(nazev.c_str());
    } catch (const knihovna::Chyba&) {
        // not worth a message on close
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pure parts

std::wstring TextDiskoveJednotky(const std::wstring& koren, const wchar_t* jmenoSvazku, UINT typ) {
    std::wstring text = jmenoSvazku ? Formatovat(L"%s (%s)", koren.c_str(), jmenoSvazku) : koren;
    switch (typ) {
        case DRIVE_REMOVABLE: text += L" - externí disk"; break;
        case DRIVE_FIXED: text += L" - pevný disk"; break;
        case DRIVE_REMOTE: text += L" - vzdálený/síťový disk"; break;
        case DRIVE_CDROM: text += L" - jednotka CD"; break;
        case DRIVE_RAMDISK: text += L" - RAM disk"; break;
        default: break;
    }
    return text;
}

bool PrecistSvazek(const std::wstring& koren, std::wstring& jmeno, std::wstring& system) {
    wchar_t nazev[MAX_PATH + 1] = L"";
    wchar_t souborovy[MAX_PATH + 1] = L"";
    DWORD serie = 0, delka = 0, priznaky = 0;
    BezHlaseniChybDisku bezHlaseni;
    if (!::GetVolumeInformationW(koren.c_str(), nazev, MAX_PATH + 1, &serie, &delka, &priznaky, souborovy,
                                 MAX_PATH + 1))
        return false;
    jmeno = nazev;
    system = souborovy;
    return true;
}

std::wstring FormatovatVlastnostiCD(const CteniVlastnosti& vlastnost, const CteniSvazku& svazek, bool* pipnout) {
    std::wstring text;
    auto radek = [&text](const std::wstring& r) { text += r + L"\r\n"; };
    auto textova = [&](const wchar_t* nazev, std::wstring& hodnota) {
        Varianta v;
        if (!vlastnost(nazev, v.v) || v.v.vt == VT_NULL || v.v.vt == VT_EMPTY) return false;
        return JakoText(v.v, hodnota);
    };

    std::wstring hodnota;
    if (textova(L"Drive", hodnota)) {
        radek(Formatovat(L"Jednotka: %s", hodnota.c_str()));
        // the volume functions want the root with its backslash ("D:" names the current folder)
        std::wstring koren = hodnota;
        if (!koren.empty() && koren.back() != L'\\') koren += L'\\';
        std::wstring jmeno, system;
        if (svazek && svazek(koren, jmeno, system)) {
            radek(Formatovat(L"Jmenovka: %s", jmeno.c_str()));
            radek(Formatovat(L"Systém souborů: %s", system.c_str()));
        }
        radek(L"");
    }

    static const struct {
        const wchar_t* popis;
        const wchar_t* nazev;
    } vlastnosti[] = {
        {L"Zařízení", L"Name"},           {L"Model", L"Model"},
        {L"Jméno svazku", L"VolumeName"}, {L"Sériové číslo", L"VolumeSerialNumber"},
        {L"Komprese", L"CompressionMethod"}, {L"Popis", L"Description"},
        {L"Výrobce", L"Manufacturer"},     {L"Jméno výrobku", L"ProductName"},
        {L"ID zařízení", L"DeviceID"},     {L"Stav", L"Status"},
        {L"Typ adaptéru", L"AdapterType"}, {L"Id", L"Id"},
        {L"Typ média", L"MediaType"},
    };
    for (const auto& p : vlastnosti)
        if (textova(p.nazev, hodnota)) radek(Formatovat(L"%s: %s", p.popis, hodnota.c_str()));

    {
        Varianta v;
        if (vlastnost(L"MediaLoaded", v.v) && v.v.vt != VT_NULL && v.v.vt != VT_EMPTY) {
            Varianta b;
            if (SUCCEEDED(::VariantChangeType(&b.v, &v.v, 0, VT_BOOL)))
                radek(Formatovat(L"V mechanice je disk: %s", b.v.boolVal != VARIANT_FALSE ? L"ANO" : L"NE"));
        }
    }
    if (textova(L"MaxMediaSize", hodnota)) {
        // an unsigned 64-bit number delivered as text: shown whole, not cut to 32 bits
        unsigned long long cislo = std::wcstoull(hodnota.c_str(), nullptr, 10);
        radek(Formatovat(L"Max. kapacita média: %I64u", cislo));
    }
    if (textova(L"Size", hodnota)) radek(Formatovat(L"Využité místo: %s Bytů", hodnota.c_str()));
    {
        Varianta v;
        if (vlastnost(L"TransferRate", v.v) && v.v.vt != VT_NULL && v.v.vt != VT_EMPTY) {
            Varianta r;
            if (SUCCEEDED(::VariantChangeType(&r.v, &v.v, 0, VT_R8)))
                radek(Formatovat(L"Přenosová rychlost: %f kB/sec.", r.v.dblVal));
        }
    }
    if (pipnout) {
        Varianta v;
        *pipnout = vlastnost(L"MaxBlockSize", v.v) && v.v.vt != VT_NULL && v.v.vt != VT_EMPTY;
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// Disk information

DlgInfoDisky::DlgInfoDisky() : m_nazev(knihovna::Retezec(IDS_TRIDA_INFO_DISKY)) { NastavitKlic(aplikace.klicAplikace); }

LRESULT DlgInfoDisky::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    try {
        if (zverejnitOkno) *zverejnitOkno = m_hWnd;
        NastavitTitulekAIkony(m_hWnd, L"%s - Informace o diskových jednotkách");
        NaplnitSeznam();
        HWND seznam = Polozka(IDC_INFO_SEZNAM);
        LRESULT c = ::SendMessageW(seznam, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"C"));
        if (c != LB_ERR) {
            ::SendMessageW(seznam, LB_SETCURSEL, static_cast<WPARAM>(c), 0);
            ZobrazitVybranou();
        }
        Umistit(*this, m_nazev);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
        Ukoncit(IDCANCEL);
    }
    return TRUE;
}

void DlgInfoDisky::NaplnitSeznam() {
    HWND seznam = Polozka(IDC_INFO_SEZNAM);
    if (!seznam) knihovna::VyhoditChybu(E_INVALIDARG);
    ::SendMessageW(seznam, LB_RESETCONTENT, 0, 0);
    const DWORD maska = ::GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if (!(maska & (1u << bit))) continue;
        const std::wstring koren{static_cast<wchar_t>(L'A' + bit), L':', L'\\'};
        std::wstring jmeno, system;
        const bool svazek = PrecistSvazek(koren, jmeno, system);
        const std::wstring text = TextDiskoveJednotky(koren, svazek ? jmeno.c_str() : nullptr, ::GetDriveTypeW(koren.c_str()));
        LRESULT i = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (i == LB_ERR || i == LB_ERRSPACE) knihovna::VyhoditChybu(E_OUTOFMEMORY);
        ::SendMessageW(seznam, LB_SETITEMDATA, static_cast<WPARAM>(i), bit);
    }
}

void DlgInfoDisky::ZobrazitVybranou() {
    HWND seznam = Polozka(IDC_INFO_SEZNAM);
    LRESULT vybrana = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (vybrana == LB_ERR) return;
    LRESULT bit = ::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(vybrana), 0);
    if (bit < 0 || bit > 25) return;
    const std::wstring koren{static_cast<wchar_t>(L'A' + bit), L':', L'\\'};
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_DELKA_SOUBORU, L"0");
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_SOUBOROVY_SYSTEM, L"???");
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_JMENO_SVAZKU, L"");
    wchar_t nazev[MAX_PATH + 1] = L"";
    wchar_t system[MAX_PATH + 1] = L"";
    DWORD serie = 0, delka = 0, priznaky = 0;
    BezHlaseniChybDisku bezHlaseni;
    if (::GetVolumeInformationW(koren.c_str(), nazev, MAX_PATH + 1, &serie, &delka, &priznaky, system, MAX_PATH + 1)) {
        ::SetDlgItemTextW(m_hWnd, IDC_INFO_JMENO_SVAZKU, nazev);
        ::SetDlgItemTextW(m_hWnd, IDC_INFO_SOUBOROVY_SYSTEM, system);
        ::SetDlgItemTextW(m_hWnd, IDC_INFO_DELKA_SOUBORU, Formatovat(L"%lu", static_cast<unsigned long>(delka)).c_str());
    }
}

LRESULT DlgInfoDisky::OnCtlColorStatic(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    LRESULT stetec = BarvaCteni(w, l, {IDC_INFO_JMENO_SVAZKU, IDC_INFO_SOUBOROVY_SYSTEM, IDC_INFO_DELKA_SOUBORU});
    if (!stetec) zpracovano = FALSE;
    return stetec;
}

LRESULT DlgInfoDisky::OnKonec(WORD, WORD id, HWND, BOOL&) {
    UlozitUmisteni(*this, m_nazev);
    Ukoncit(id);
    return 0;
}

LRESULT DlgInfoDisky::OnVyber(WORD, WORD, HWND, BOOL&) {
    ZobrazitVybranou();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// CD/DVD information through WMI

DlgInfoJednotkyCD::DlgInfoJednotkyCD() : m_nazev(knihovna::Retezec(IDS_TRIDA_INFO_JEDNOTKY_CD)) {
    NastavitKlic(aplikace.klicAplikace);
}

DlgInfoJednotkyCD::~DlgInfoJednotkyCD() { Uvolnit(); }

void DlgInfoJednotkyCD::Uvolnit() {
    m_objekty.clear();
    m_vycet.Uvolnit();
    m_sluzba.Uvolnit();
    m_lokator.Uvolnit();
}

LRESULT DlgInfoJednotkyCD::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    try {
        if (zverejnitOkno) *zverejnitOkno = m_hWnd;
        NastavitTitulekAIkony(m_hWnd, L"%s - Informace o jednotkách CD/DVD");
        // fails when the process has set its security already; that is fine
        ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                               nullptr, EOAC_NONE, nullptr);
        NajitJednotky();
        HWND seznam = Polozka(IDC_INFO_SEZNAM);
        if (::SendMessageW(seznam, LB_GETCOUNT, 0, 0) > 0) {
            ::SendMessageW(seznam, LB_SETCURSEL, 0, 0);
            ZobrazitVybranou();
        }
        Umistit(*this, m_nazev);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
        Uvolnit();
        Ukoncit(IDCANCEL);
    }
    return TRUE;
}

void DlgInfoJednotkyCD::NajitJednotky() {
    HWND seznam = Polozka(IDC_INFO_SEZNAM);
    if (!seznam) knihovna::VyhoditChybu(E_INVALIDARG);
    OveritHr(::CoCreateInstance(CLSID_Lokator, nullptr, CLSCTX_INPROC_SERVER, IID_Lokator,
                                reinterpret_cast<void**>(m_lokator.Adresa())));
    RetezecBstr jmenny(L"ROOT\\CIMV2");
    OveritHr(m_lokator->ConnectServer(jmenny.b, nullptr, nullptr, nullptr, 0, nullptr, nullptr, m_sluzba.Adresa()));
    RetezecBstr jazyk(L"WQL");
    RetezecBstr dotaz(L"SELECT * FROM Win32_CDROMDrive");
    OveritHr(m_sluzba->ExecQuery(jazyk.b, dotaz.b, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                                 m_vycet.Adresa()));
    for (;;) {
        IWbemClassObject* objekt = nullptr;
        ULONG vraceno = 0;
        HRESULT hr = m_vycet->Next(static_cast<LONG>(WBEM_INFINITE), 1, &objekt, &vraceno);
        if (FAILED(hr)) knihovna::VyhoditChybu(hr);
        if (vraceno == 0 || !objekt) break;
        ComUkazatel<IWbemClassObject> drzitel;
        drzitel.Prevzit(objekt);
        std::wstring nazev;
        Varianta v;
        if (SUCCEEDED(drzitel->Get(L"Name", 0, &v.v, nullptr, nullptr)) && v.v.vt != VT_NULL) JakoText(v.v, nazev);
        LRESULT i = ::SendMessageW(seznam, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(nazev.c_str()));
        if (i == LB_ERR || i == LB_ERRSPACE) knihovna::VyhoditChybu(E_OUTOFMEMORY);
        ::SendMessageW(seznam, LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(m_objekty.size()));
        m_objekty.push_back(std::move(drzitel));
    }
}

void DlgInfoJednotkyCD::ZobrazitVybranou() {
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_VLASTNOSTI, L"");
    HWND seznam = Polozka(IDC_INFO_SEZNAM);
    LRESULT vybrana = ::SendMessageW(seznam, LB_GETCURSEL, 0, 0);
    if (vybrana == LB_ERR) return;
    LRESULT index = ::SendMessageW(seznam, LB_GETITEMDATA, static_cast<WPARAM>(vybrana), 0);
    if (index < 0 || static_cast<size_t>(index) >= m_objekty.size()) return;
    IWbemClassObject* objekt = m_objekty[static_cast<size_t>(index)].Get();
    bool pipnout = false;
    const std::wstring text = FormatovatVlastnostiCD(
        [objekt](const wchar_t* nazev, VARIANT& hodnota) {
            return SUCCEEDED(objekt->Get(nazev, 0, &hodnota, nullptr, nullptr)) && hodnota.vt != VT_NULL;
        },
        PrecistSvazek, &pipnout);
    if (pipnout) ::MessageBeep(0);
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_VLASTNOSTI, text.c_str());
}

LRESULT DlgInfoJednotkyCD::OnCtlColorStatic(UINT, WPARAM w, LPARAM l, BOOL& zpracovano) {
    LRESULT stetec = BarvaCteni(w, l, {IDC_INFO_VLASTNOSTI});
    if (!stetec) zpracovano = FALSE;
    return stetec;
}

LRESULT DlgInfoJednotkyCD::OnKonec(WORD, WORD id, HWND, BOOL&) {
    UlozitUmisteni(*this, m_nazev);
    Uvolnit();
    Ukoncit(id);
    return 0;
}

LRESULT DlgInfoJednotkyCD::OnVyber(WORD, WORD, HWND, BOOL&) {
    ZobrazitVybranou();
    return 0;
}

// ---------------------------------------------------------------------------------------------
// One dialog of each kind in the whole process

namespace {

struct OtevrenyDialog {
    std::atomic<bool> bezi{false};
    std::atomic<HWND> okno{nullptr};
};
OtevrenyDialog infoDisky;
OtevrenyDialog infoJednotek;

template <class Dialog>
void SpustitJednou(OtevrenyDialog& stav) {
    if (stav.bezi.exchange(true)) {
        if (HWND okno = stav.okno.load()) ::SetForegroundWindow(okno);
        ::CoFreeUnusedLibraries();
        return;
    }
    struct Zapomenout {
        OtevrenyDialog& s;
        ~Zapomenout() {
            s.okno = nullptr;
            s.bezi = false;
        }
    } zapomenout{stav};
    try {
        Dialog dialog;
        dialog.zverejnitOkno = &stav.okno;
        dialog.SpustitModalne(nullptr);
    } catch (const knihovna::Chyba& chyba) {
        aplikace.ZobrazitChybuComPopis(chyba);
    }
    ::CoFreeUnusedLibraries();
}

}  // namespace

void SpustitInfoDisky() { SpustitJednou<DlgInfoDisky>(infoDisky); }
void SpustitInfoJednotekCD() { SpustitJednou<DlgInfoJednotkyCD>(infoJednotek); }
bool JeOtevrenoInfoDisky() { return infoDisky.bezi; }
bool JeOtevrenoInfoJednotekCD() { return infoJednotek.bezi; }
