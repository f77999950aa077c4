#include "multimedia/jednotkacd.h"

#include <dbt.h>
#include <objbase.h>
#include <shellapi.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "multimedia/ovladanicd.h"
#include "resources/resource.h"

using knihovna::Overit;

FunkceMci prikazMciJednotky = ::mciSendCommandW;

namespace {

constexpr UINT STRANKA_OVLADANI_CD = 167;
constexpr wchar_t TEXT_OKNA[] = L"Ovládání CD";
constexpr wchar_t TEXT_JEDNOTKY[] = L"%s - Jednotka CD/DVD";

bool Stisknuto(int klavesa) { return (::GetAsyncKeyState(klavesa) & 0x8000) != 0; }

const KonfiguraceOvladaniCD& Nastaveni() {
    static KonfiguraceOvladaniCD* vychozi = nullptr;
    if (nastaveniOvladaniCD) return *nastaveniOvladaniCD;
    if (!vychozi) vychozi = new KonfiguraceOvladaniCD();
    return *vychozi;
}

char VelkePismeno(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Position of a key in the text, compared without regard to (ASCII) case.
size_t NajitBezVelikosti(const std::string& text, const char* klic) {
    const size_t delka = std::char_traits<char>::length(klic);
    if (text.size() < delka) return std::string::npos;
    for (size_t i = 0; i + delka <= text.size(); ++i) {
        size_t j = 0;
        while (j < delka && VelkePismeno(text[i + j]) == VelkePismeno(klic[j])) ++j;
        if (j == delka) return i;
    }
    return std::string::npos;
}

bool JeMezera(char c) { return c == ' ' || c == '\t'; }

// Image of an item of the drive menu in the menu image list; -1 = none.
int IkonaPolozky(UINT id) {
    switch (id) {
        case 40136: return 81;
        case 40137: return 82;
        case 40138: return 83;
        case 40139: return 77;
        default: break;
    }
    int index = -1;
    IkonaPrikazuMenu(id, index);
    return index;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Pure parts

std::string HodnotaIkonyAutorun(const BYTE* data, size_t delka) {
    if (!data || delka == 0 || delka > MAX_VELIKOST_AUTORUN) return {};
    size_t konec = 0;
    while (konec < delka && data[konec] != 0) ++konec;
    const std::string text(reinterpret_cast<const char*>(data), konec);
    size_t pozice = NajitBezVelikosti(text, "icon");
    if (pozice == std::string::npos) pozice = NajitBezVelikosti(text, "open");
    if (pozice == std::string::npos) return {};
    size_t rovnase = text.find('=', pozice);
    if (rovnase == std::string::npos) return {};
    size_t zacatek = rovnase + 1;
    while (zacatek < text.size() && JeMezera(text[zacatek])) ++zacatek;
    size_t k = zacatek;
    // a line feed ends the value too: files with bare LF line ends would run into the next line
    while (k < text.size() && !JeMezera(text[k]) && text[k] != '\r' && text[k] != '\n') ++k;
    if (k == zacatek || k - zacatek >= MAX_PATH) return {};
    return text.substr(zacatek, k - zacatek);
}

std::wstring CestaIkonyAutorun(const std::wstring& cestaJednotky, const std::vector<BYTE>& obsah) {
    std::string hodnota = HodnotaIkonyAutorun(obsah.data(), obsah.size());
    if (hodnota.empty()) return {};
    std::wstring soubor = knihovna::NaSiroky(hodnota, CP_ACP);
    if (soubor.empty()) return {};
    return cestaJednotky + L"\\" + soubor;
}

ZmenaMedia RozpoznatZmenuMedia(WPARAM udalost, LPARAM data, char pismeno) {
    if (udalost != DBT_DEVICEARRIVAL && udalost != DBT_DEVICEREMOVECOMPLETE) return ZmenaMedia::Zadna;
    const auto* hlavicka = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!hlavicka || hlavicka->dbch_devicetype != DBT_DEVTYP_VOLUME) return ZmenaMedia::Zadna;
    if (hlavicka->dbch_size < sizeof(DEV_BROADCAST_VOLUME)) return ZmenaMedia::Zadna;
    const auto* svazek = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data);
    if (!(svazek->dbcv_flags & DBTF_MEDIA)) return ZmenaMedia::Zadna;
    const DWORD maska = svazek->dbcv_unitmask & 0x03FFFFFF;
    if (maska == 0) return ZmenaMedia::Zadna;
    int bit = 0;
    while (!(maska & (1u << bit))) ++bit;
    if (static_cast<char>('A' + bit) != VelkePismeno(pismeno)) return ZmenaMedia::Zadna;
    return udalost == DBT_DEVICEARRIVAL ? ZmenaMedia::Vlozeni : ZmenaMedia::Vyjmuti;
}

DWORD AkceKliknutiCD(const KonfiguraceOvladaniCD& n, UINT zpravaMysi, bool ctrl, bool shift) {
    switch (zpravaMysi) {
        case WM_LBUTTONUP:
            if (ctrl && shift) return n.ctrlShiftLeve;
            if (ctrl) return n.ctrlLeve;
            if (shift) return n.shiftLeve;
            return n.leve;
        case WM_MBUTTONUP: return n.stredni;
        case WM_RBUTTONUP: return AKCE_CD_NABIDKA;
        default: return AKCE_CD_NIC;
    }
}

MCIERROR OvladatDvereMechaniky(char pismeno, bool otevrit) {
    wchar_t prvek[3] = L"X:";
    prvek[0] = static_cast<wchar_t>(static_cast<unsigned char>(pismeno));
    MCI_OPEN_PARMSW otevreni{};
    otevreni.lpstrDeviceType = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(MCI_DEVTYPE_CD_AUDIO));
    otevreni.lpstrElementName = prvek;
    MCIERROR chyba = prikazMciJednotky(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_OPEN_SHAREABLE,
                               reinterpret_cast<DWORD_PTR>(&otevreni));
    if (chyba != 0) return chyba;
    MCI_SET_PARMS dvere{};
    prikazMciJednotky(otevreni.wDeviceID, MCI_SET, otevrit ? MCI_SET_DOOR_OPEN : MCI_SET_DOOR_CLOSED,
              reinterpret_cast<DWORD_PTR>(&dvere));  // a drive without a door motor just refuses
    MCI_GENERIC_PARMS zavreni{};
    prikazMciJednotky(otevreni.wDeviceID, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&zavreni));
    return 0;
}

HICON NacistIkonuDisku(const std::wstring& cestaJednotky) {
    const std::wstring cesta = cestaJednotky + L"\\autorun.inf";
    BezHlaseniChybDisku bezHlaseni;
    if (::GetFileAttributesW(cesta.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    knihovna::UchytSouboru soubor(::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) return nullptr;
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor.Get(), &velikost)) return nullptr;
    if (velikost.QuadPart <= 0 || velikost.QuadPart > static_cast<LONGLONG>(MAX_VELIKOST_AUTORUN)) return nullptr;
    std::vector<BYTE> obsah(static_cast<size_t>(velikost.QuadPart));
    DWORD precteno = 0;
    if (!::ReadFile(soubor.Get(), obsah.data(), static_cast<DWORD>(obsah.size()), &precteno, nullptr)) return nullptr;
    obsah.resize(precteno);
    const std::wstring ikona = CestaIkonyAutorun(cestaJednotky, obsah);
    if (ikona.empty()) return nullptr;
    HICON h = ::ExtractIconW(::GetModuleHandleW(nullptr), ikona.c_str(), 0);
    if (reinterpret_cast<ULONG_PTR>(h) <= 1) return nullptr;  // 1: the file holds no icon
    return h;
}

// ---------------------------------------------------------------------------------------------
// The drive's thread

VlaknoJednotkyCD::VlaknoJednotkyCD(JednotkaCD& jednotka) : VlaknoModulu(IDS_NAZEV_OVLADANI_CD, true), m_jednotka(jednotka) {}

HWND VlaknoJednotkyCD::VytvoritOkno(bool) {
    // the CD/DVD information dialog uses COM on this thread
    m_com = SUCCEEDED(::CoInitialize(nullptr));
    return m_jednotka.VytvoritOkno();
}

void VlaknoJednotkyCD::ZrusitOkno() {
    m_jednotka.ZrusitOkno();
    if (m_com) ::CoUninitialize();
    m_com = false;
}

int VlaknoJednotkyCD::PrioritaVlakna() const { return Nastaveni().threadPriority; }

// ---------------------------------------------------------------------------------------------
// The drive's window

JednotkaCD::JednotkaCD() : m_vlakno(*this), m_trida(knihovna::Retezec(IDS_TRIDA_JEDNOTKA_CD)) {}

JednotkaCD::~JednotkaCD() {
    // the thread has ended (the list never deletes a drive whose thread still runs)
    try {
        OdebratIkonu();
    } catch (...) {
    }
    if (m_ikonaDisku) ::DestroyIcon(m_ikonaDisku);
    m_ikonaDisku = nullptr;
}

void JednotkaCD::Spustit() { m_vlakno.Spustit(); }
void JednotkaCD::Zastavit() { m_vlakno.Zastavit(); }

// Only the window handle, which the drive's thread publishes, is read: other drives call this.
bool JednotkaCD::PoslatPrikaz(UINT id) const { return m_vlakno.Odeslat(WM_COMMAND, id, 0); }

HWND JednotkaCD::VytvoritOkno() {
    Vytvorit(nullptr, nullptr, TEXT_OKNA, WS_POPUP, WS_EX_TOOLWINDOW, m_trida.c_str());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(ikonaPrazdna));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    if (!m_ikona) {
        auto ikona = std::make_unique<IkonaTray>();
        const std::wstring jednotka = knihovna::Formatovat(TEXT_JEDNOTKY, cesta.c_str());
        const std::wstring tip = knihovna::Formatovat(knihovna::Retezec(IDS_TEXT_S_NADPISEM_POZNAMKY).c_str(),
                                                      jednotka.c_str(), aplikace.titulek.c_str());
        ikona->Pridat(m_hWnd, static_cast<UINT>(index + 1), ikonaPrazdna, tip.c_str());
        m_ikona = std::move(ikona);
        m_ikonaZobrazena = true;
    }
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return m_hWnd;
}

void JednotkaCD::ZrusitOkno() {
    try {
        OdebratIkonu();
    } catch (...) {
        // the shell may be gone already
    }
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void JednotkaCD::OdebratIkonu() {
    m_ikonaZobrazena = false;
    std::unique_ptr<IkonaTray> ikona = std::move(m_ikona);
    if (ikona && ikona->id != 0) ikona->Odebrat();
}

void JednotkaCD::ZmenitIkonu(HICON ikona) {
    if (m_ikona && m_ikona->id != 0 && ikona) m_ikona->ZmenitIkonu(ikona);
}

void JednotkaCD::Bublina(UINT idTextu) {
    if (!m_ikona || m_ikona->id == 0) return;
    const std::wstring text = knihovna::Formatovat(knihovna::Retezec(idTextu).c_str(),
                                                   static_cast<wchar_t>(static_cast<unsigned char>(pismeno)));
    ZobrazitBublinu(*m_ikona, aplikace.titulek, BUBLINA_INFORMACE, aplikace.nastaveni.zvuk, text);
}

LRESULT JednotkaCD::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    OdebratIkonu();
    return VychoziZpracovani(msg, w, l);
}

LRESULT JednotkaCD::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT JednotkaCD::OnDeviceChange(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    const KonfiguraceOvladaniCD& n = Nastaveni();
    switch (RozpoznatZmenuMedia(w, l, pismeno)) {
        case ZmenaMedia::Vlozeni:
            ZmenitIkonu(ikonaDisk);
            if (m_ikonaDisku) {
                ::DestroyIcon(m_ikonaDisku);
                m_ikonaDisku = nullptr;
            }
            if (n.ikonaObsah) {
                if (HICON ikona = NacistIkonuDisku(cesta)) {
                    m_ikonaDisku = ikona;
                    ZmenitIkonu(ikona);
                }
            }
            if (n.zpravaVlozeni) Bublina(IDS_DISK_VLOZEN);
            break;
        case ZmenaMedia::Vyjmuti:
            ZmenitIkonu(ikonaPrazdna);  // the disc icon stays until the next insertion
            if (n.zpravaVyjmuti) Bublina(IDS_DISK_VYJMUT);
            break;
        case ZmenaMedia::Zadna:
            break;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT JednotkaCD::OnDrawItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<DRAWITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        try {
            KreslitPolozkuMenu(*m_menu, *polozka, IkonaPolozky(polozka->itemID));
        } catch (const knihovna::Chyba&) {
            // drawing goes on with the next item
        }
        return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT JednotkaCD::OnMeasureItem(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    auto* polozka = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    if (polozka && polozka->CtlType == ODT_MENU && m_menu) {
        polozka->itemHeight = static_cast<UINT>(m_menu->vyskaPolozky);
        try {
            polozka->itemWidth = static_cast<UINT>(ZmeritPolozkuMenu(*m_menu, polozka->itemID) + 40);
        } catch (const knihovna::Chyba&) {
            polozka->itemWidth = 120;
        }
        return TRUE;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT JednotkaCD::OnIkonaTray(UINT, WPARAM w, LPARAM l, BOOL&) {
    if (w != index + 1) return 0;
    ProvestAkci(AkceKliknutiCD(Nastaveni(), static_cast<UINT>(l), Stisknuto(VK_CONTROL), Stisknuto(VK_SHIFT)));
    return 0;
}

void JednotkaCD::ProvestAkci(DWORD akce) {
    switch (akce) {
        case AKCE_CD_NABIDKA: ZobrazitNabidku(); break;
        case AKCE_CD_OTEVRIT: OvladatDvereMechaniky(pismeno, true); break;
        case AKCE_CD_ZAVRIT: OvladatDvereMechaniky(pismeno, false); break;
        case AKCE_CD_OTEVRIT_VSE:
            if (jednotkyCD) jednotkyCD->OtevritVsechny();
            break;
        case AKCE_CD_ZAVRIT_VSE:
            if (jednotkyCD) jednotkyCD->ZavritVsechny();
            break;
        default: break;  // 0, 3, 6 and unknown values do nothing
    }
}

LRESULT JednotkaCD::OnPrikaz(UINT, WPARAM w, LPARAM, BOOL&) {
    const UINT id = LOWORD(w);
    switch (id) {
        case 40136: OvladatDvereMechaniky(pismeno, true); break;
        case 40137: OvladatDvereMechaniky(pismeno, false); break;
        case 40138: SpustitInfoJednotekCD(); break;
        case 40139: SpustitInfoDisky(); break;
        case 40002:
            if (HWND hlavni = knihovna::ziskatHlavniOkno ? knihovna::ziskatHlavniOkno() : nullptr)
                ::PostMessageW(hlavni, WM_COMMAND, 40002, STRANKA_OVLADANI_CD);
            break;
        case 40001: knihovna::PoslatPrikazHlavnimuOknu(static_cast<UINT>(PRVNI_PRIKAZ_JEDNOTKY_CD + index)); break;
        case 40020:
        case 40021:
        case 40022:
        case 40023: knihovna::PoslatPrikazHlavnimuOknu(id); break;
        default: break;
    }
    return 0;
}

void JednotkaCD::ZobrazitNabidku() {
    if (m_menu) return;  // already open
    NabidkaNastroje nabidka(IDM_JEDNOTKA_CD);
    MenuPopup& zaznam = nabidka.zaznam;
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40139, JeOtevrenoInfoDisky());
    MenuPopup::ZaskrtnoutPolozku(zaznam, 40138, JeOtevrenoInfoJednotekCD());
    if (aplikace.nastaveni.vlastniVzhled) {
        for (UINT id : {40136u, 40137u, 40139u, 40138u, 40001u, 40002u})
            MenuPopup::NastavitVlastniKresleni(zaznam, id, false);
    }

    ZobrazitMenuIkony(m_hWnd, zaznam, m_menu);
}
