// Sonvidar's own code, in-process: the command line, the tray clicks, the recorders against the
// stand-in encoder, the registry settings, the combo boxes and the input-line switch on a
// mixer of the test's own.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "sonvidar/aplikace.h"
#include "sonvidar/knihovna.h"
#include "sonvidar/vstupnilinka.h"
#include "sonvidar/zaznam.h"

using namespace Brenvald_Sonvidar;

namespace {

const wchar_t* const ZAKLAD = L"Software\\Brenvald\\SonvidarKolvex\\1.0";

TEST(SonvidarParametry, TabulkaSlovesAVysledku) {
    struct Pripad {
        std::vector<const wchar_t*> argumenty;
        VysledekParametru vysledek;
        Rezim rezim;
        std::wstring soubor;
    };
    const Pripad pripady[] = {
        {{L"Sonvidar.exe"}, VysledekParametru::Zprava, RezimZadny, L""},
        {{L"Sonvidar.exe", L"Zaznam"}, VysledekParametru::Zprava, RezimZadny, L""},
        {{L"Sonvidar.exe", L"NastaveniZaznamZvuku"}, VysledekParametru::Ok, RezimNastaveniZvuku, L""},
        {{L"Sonvidar.exe", L"nastavenizaznamvidea"}, VysledekParametru::Ok, RezimNastaveniVidea, L""},
        {{L"Sonvidar.exe", L"ZJISTITINSTALACIWME"}, VysledekParametru::Ok, RezimTestKoderu, L""},
        {{L"Sonvidar.exe", L"zaznamzvuku", L"a.wma"}, VysledekParametru::Ok, RezimZaznamZvuku, L"a.wma"},
        {{L"Sonvidar.exe", L"ZaznamVidea", L"C:\\v.wmv"}, VysledekParametru::Ok, RezimZaznamVidea, L"C:\\v.wmv"},
        {{L"Sonvidar.exe", L"ZaznamZvuku", L"a.wm"}, VysledekParametru::BezZpravy, RezimZadny, L"a.wm"},
        {{L"Sonvidar.exe", L"ZaznamZvuku"}, VysledekParametru::Zprava, RezimZadny, L""},
        {{L"Sonvidar.exe", L"ZaznamVidea"}, VysledekParametru::Zprava, RezimZadny, L""},
    };
    for (const Pripad& p : pripady) {
        Rezim rezim = RezimNastaveniZvuku;
        std::wstring soubor;
        std::vector<const wchar_t*> argv = p.argumenty;
        argv.push_back(nullptr);
        const VysledekParametru v = RozebratParametry(static_cast<int>(p.argumenty.size()), argv.data(), rezim, soubor);
        const std::wstring popis = p.argumenty.size() > 1 ? p.argumenty[1] : L"(nic)";
        EXPECT_EQ(v, p.vysledek) << std::string(popis.begin(), popis.end());
        EXPECT_EQ(rezim, p.rezim) << std::string(popis.begin(), popis.end());
        if (!p.soubor.empty()) {
            EXPECT_EQ(soubor, p.soubor);
        }
    }
}

TEST(SonvidarIkona, KliknutiPodleKonecNaKlik) {
    const struct {
        UINT mys;
        bool konec;
        AkceIkony akce;
    } pripady[] = {
        {WM_LBUTTONUP, true, AkceIkony::Ukoncit},      {WM_LBUTTONUP, false, AkceIkony::Nabidka},
        {WM_LBUTTONDBLCLK, true, AkceIkony::Nic},      {WM_LBUTTONDBLCLK, false, AkceIkony::Ukoncit},
        {WM_RBUTTONUP, true, AkceIkony::Nabidka},      {WM_RBUTTONUP, false, AkceIkony::Nabidka},
        {WM_MBUTTONUP, true, AkceIkony::Nic},          {WM_MOUSEMOVE, false, AkceIkony::Nic},
    };
    for (const auto& p : pripady) EXPECT_EQ(AkceKliknuti(p.mys, p.konec), p.akce) << p.mys << " " << p.konec;
}

// The stand-in encoder loaded directly from its DLL, without the registry.
class SonvidarKoder : public ::testing::Test {
protected:
    static HMODULE dll;
    static HRESULT Vytvorit(REFIID iid, void** v) {
        if (!dll) dll = ::LoadLibraryW(testy::RegistraceKoderu::CestaKoderu().c_str());
        if (!dll) return REGDB_E_CLASSNOTREG;
        auto ziskat = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
            reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
        if (!ziskat) return E_FAIL;
        IClassFactory* tovarna = nullptr;
        HRESULT hr = ziskat(CLSID_Koder, IID_IClassFactory, reinterpret_cast<void**>(&tovarna));
        if (FAILED(hr)) return hr;
        hr = tovarna->CreateInstance(nullptr, iid, v);
        tovarna->Release();
        return hr;
    }
    static HRESULT Chybi(REFIID, void**) { return REGDB_E_CLASSNOTREG; }
    void SetUp() override { vytvoritKoder = Vytvorit; }
    void TearDown() override { vytvoritKoder = m_puvodni; }

private:
    FunkceVytvoreniKoderu m_puvodni = vytvoritKoder;
};
HMODULE SonvidarKoder::dll = nullptr;

TEST_F(SonvidarKoder, ProfilSeHledaBezOhleduNaVelikostPismen) {
    ZaznamZvuku zaznam;
    zaznam.Vytvorit();
    zaznam.NastavitProfil(L"windows media audio 8 for isdn (better than cd quality, 128 kbps)");
    EXPECT_EQ(zaznam.profil, L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
    try {
        zaznam.NastavitProfil(L"Neznámý profil");
        FAIL() << "an unknown profile must be refused";
    } catch (const Knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hr(), E_INVALIDARG);
    }
    EXPECT_TRUE(zaznam.profil.empty());
}

TEST_F(SonvidarKoder, SeznamyProfiluAZarizeniPodleDruhu) {
    ZaznamVidea zaznam;
    zaznam.Vytvorit();
    SeznamProfilu zvuk(MEDIUM_ZVUK), video(MEDIUM_VIDEO);
    ASSERT_EQ(zvuk.Naplnit(zaznam.Koder()), 2);
    ASSERT_EQ(video.Naplnit(zaznam.Koder()), 2);
    EXPECT_EQ(video.Polozka(0), L"Windows Media Video 8 for Local Area Network (768 Kbps)");
    EXPECT_EQ(zvuk.Polozka(1), L"Windows Media Audio 8 for Dial-up Modem (FM Radio Stereo, 28.8 Kbps)");
    SeznamZarizeni zarizeniZvuku(MEDIUM_ZVUK), zarizeniVidea(MEDIUM_VIDEO);
    // only plug-ins of the scheme DEVICE (any case) count
    ASSERT_EQ(zarizeniZvuku.Naplnit(zaznam.Koder()), 2);
    EXPECT_EQ(zarizeniZvuku.Polozka(1), L"Mikrofon (testovací)");
    ASSERT_EQ(zarizeniVidea.Naplnit(zaznam.Koder()), 1);
    EXPECT_EQ(zarizeniVidea.Polozka(0), L"Default_Video_Device");
    EXPECT_THROW(zarizeniVidea.Polozka(1), Knihovna::Chyba);
    EXPECT_EQ(zvuk.Naplnit(nullptr), -1);
}

TEST_F(SonvidarKoder, ZaznamZapiseSouborAZastaveniHoUkonci) {
    testy::DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\záznam.wma";
    ZaznamZvuku zaznam;
    zaznam.Vytvorit();
    zaznam.NastavitZarizeni(L"Default_Audio_Device");
    zaznam.NastavitProfil(L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
    zaznam.Spustit(soubor);
    EXPECT_TRUE(zaznam.Nahrava());
    zaznam.Zastavit();
    EXPECT_FALSE(zaznam.Nahrava());
    const std::vector<BYTE> obsah = testy::PrecistBajty(soubor);
    EXPECT_EQ(std::string(obsah.begin(), obsah.end()), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

TEST_F(SonvidarKoder, BezKoderuChybaTvorbyAZastaveniJeEHandle) {
    vytvoritKoder = Chybi;
    ZaznamZvuku zaznam;
    EXPECT_EQ(zaznam.JeNainstalovan(), REGDB_E_CLASSNOTREG);
    try {
        zaznam.Vytvorit();
        FAIL();
    } catch (const Knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hr(), REGDB_E_CLASSNOTREG);
    }
    try {
        zaznam.Zastavit();
        FAIL();
    } catch (const Knihovna::Chyba& chyba) {
        EXPECT_EQ(chyba.Hr(), E_HANDLE);
    }
    vytvoritKoder = Vytvorit;
    EXPECT_EQ(zaznam.JeNainstalovan(), S_OK);
}

// ---------------------------------------------------------------------------------------------

class SonvidarRegistr : public ::testing::Test {
protected:
    void SetUp() override { testy::SmazatKlic(ZAKLAD); }
    void TearDown() override { testy::SmazatKlic(ZAKLAD); }
};

TEST_F(SonvidarRegistr, PrazdnyRegistrDavaVychoziAUlozeniZapiseVse) {
    AplikaceZaznamu a;
    a.zvuk.profil = L"jiný";
    a.VychoziNastaveniZvuku();
    a.NacistNastaveniZvuku();
    EXPECT_FALSE(a.zvuk.konecNaKlik);
    EXPECT_TRUE(a.zvuk.prepnoutOvladac);
    EXPECT_TRUE(a.zvuk.zpravaIkona);
    EXPECT_TRUE(a.zvuk.ikona);
    EXPECT_EQ(a.zvuk.profil, L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)");
    EXPECT_EQ(a.zvuk.zarizeni, L"Default_Audio_Device");
    EXPECT_TRUE(a.zvuk.ovladacHlasitosti.empty());
    a.VychoziNastaveniVidea();
    a.NacistNastaveniVidea();
    EXPECT_EQ(a.video.profilVideo, L"Windows Media Video 8 for Local Area Network (768 Kbps)");
    EXPECT_EQ(a.video.zarizeniVideo, L"Default_Video_Device");

    a.UlozitNastaveniZvuku();
    a.UlozitNastaveniVidea();
    Knihovna::KlicRegistru klic;
    klic.Otevrit(L"Zaznam zvuku");
    for (const wchar_t* h : {L"konecNaKlik", L"ovladacHlasitosti", L"prepnoutOvladac", L"profil", L"zarizeni", L"zpravaIkona"})
        EXPECT_TRUE(klic.Existuje(h)) << h;
    klic.Otevrit(L"Zaznam videa");
    for (const wchar_t* h : {L"konecNaKlik", L"ovladacHlasitosti", L"prepnoutOvladac", L"profilVideo", L"profilZvuk",
                             L"zarizeniVideo", L"zarizeniZvuk", L"zpravaIkona"})
        EXPECT_TRUE(klic.Existuje(h)) << h;
    klic.Zavrit();
    DWORD hodnota = 7;
    EXPECT_TRUE(testy::PrecistDword(std::wstring(ZAKLAD) + L"\\Zaznam zvuku", L"prepnoutOvladac", hodnota));
    EXPECT_EQ(hodnota, 1u);
}

TEST_F(SonvidarRegistr, KlicCteNeexistujiciATypyHodnot) {
    Knihovna::KlicRegistru klic;
    EXPECT_THROW(klic.Existuje(L"x"), Knihovna::Chyba);  // not open
    klic.Otevrit(L"Zaznam zvuku");
    bool b = true;
    EXPECT_TRUE(klic.CistBool(L"chybi", b));
    EXPECT_TRUE(b);
    klic.ZapsatText(L"prazdny", L"");
    DWORD typ = 0, velikost = 0;
    HKEY h = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(ZAKLAD) + L"\\Zaznam zvuku").c_str(), 0, KEY_READ, &h),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegQueryValueExW(h, L"prazdny", nullptr, &typ, nullptr, &velikost), ERROR_SUCCESS);
    ::RegCloseKey(h);
    EXPECT_EQ(typ, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(velikost, 2u);
    klic.ZapsatBool(L"profil", true);  // a DWORD where a text belongs
    std::wstring text = L"beze změny";
    EXPECT_THROW(klic.CistText(L"profil", text), Knihovna::Chyba);
    EXPECT_EQ(text, L"beze změny");
    klic.Zavrit();
    AplikaceZaznamu a;
    EXPECT_THROW(a.NacistNastaveniZvuku(), Knihovna::Chyba);
}

TEST_F(SonvidarRegistr, PoskozenaHodnotaNezastaviCteniOstatnich) {
    {
        Knihovna::KlicRegistru klic;
        klic.Otevrit(L"Zaznam zvuku");
        klic.ZapsatBool(L"konecNaKlik", true);
        klic.ZapsatBool(L"profil", true);  // a DWORD where a text belongs
        klic.ZapsatText(L"zarizeni", L"Mikrofon (testovací)");
        klic.ZapsatBool(L"zpravaIkona", false);
        klic.Zavrit();
    }
    AplikaceZaznamu a;
    EXPECT_THROW(a.NacistNastaveniZvuku(), Knihovna::Chyba);
    EXPECT_EQ(a.poskozeneHodnoty, (std::vector<std::wstring>{L"profil"}));
    EXPECT_TRUE(a.zvuk.konecNaKlik);
    EXPECT_EQ(a.zvuk.profil, L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)") << "not the default";
    EXPECT_EQ(a.zvuk.zarizeni, L"Mikrofon (testovací)") << "a value after the damaged one was not read";
    EXPECT_FALSE(a.zvuk.zpravaIkona);
}

TEST(SonvidarCombo, VyberTextuANaplneniZeSeznamu) {
    HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    Knihovna::ComboBox c;
    std::wstring text = L"puvodni";
    EXPECT_EQ(c.NacistVybranyText(text), E_HANDLE);
    Knihovna::SeznamTextu seznam;
    seznam.Pridat(L"První profil");
    seznam.Pridat(L"Druhý profil");
    EXPECT_EQ(c.NaplnitZeSeznamu(combo, seznam, L"Druhý profil"), S_OK);
    EXPECT_EQ(c.NacistVybranyText(text), S_OK);
    EXPECT_EQ(text, L"Druhý profil");
    // a stored name no longer offered: the first entry
    EXPECT_EQ(c.NaplnitZeSeznamu(combo, seznam, L"Zmizelý profil"), S_OK);
    EXPECT_EQ(c.NacistVybranyText(text), S_OK);
    EXPECT_EQ(text, L"První profil");
    EXPECT_EQ(c.VybratText(L"Neexistuje", true), E_INVALIDARG);
    text = L"beze změny";
    EXPECT_EQ(c.NacistVybranyText(text), 1);
    EXPECT_EQ(text, L"beze změny");
    EXPECT_EQ(c.NaplnitZeSeznamu(combo, Knihovna::SeznamTextu(), L""), S_OK);
    EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    ::DestroyWindow(combo);
}

// ---------------------------------------------------------------------------------------------
// A mixer of the test: mixer 0 with a wave-in line whose list control has the given items.

struct FalesnyMixer {
    bool otevrit = true;
    bool linka = true;
    DWORD typ = MIXERCONTROL_CONTROLTYPE_MUX;
    std::vector<std::wstring> polozky;
    std::vector<DWORD> zapsane;
    int otevreno = 0;
    bool zapsano = false;
};
FalesnyMixer* mixerTestu = nullptr;
const HMIXER MIXER = reinterpret_cast<HMIXER>(0x4D49);

MMRESULT WINAPI Otevrit(LPHMIXER h, UINT id, DWORD_PTR, DWORD_PTR, DWORD) {
    if (!mixerTestu->otevrit || id != 0) return MMSYSERR_BADDEVICEID;
    *h = MIXER;
    ++mixerTestu->otevreno;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Linka(HMIXEROBJ, LPMIXERLINEW l, DWORD priznaky) {
    if (!mixerTestu->linka || priznaky != MIXER_GETLINEINFOF_COMPONENTTYPE ||
        l->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_WAVEIN)
        return MIXERR_INVALLINE;
    l->dwLineID = 7;
    l->cChannels = 2;
    l->cControls = 2;
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Ovladace(HMIXEROBJ, LPMIXERLINECONTROLSW o, DWORD) {
    o->pamxctrl[0] = MIXERCONTROLW{};
    o->pamxctrl[0].dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    o->pamxctrl[1] = MIXERCONTROLW{};
    o->pamxctrl[1].dwControlID = 42;
    o->pamxctrl[1].dwControlType = mixerTestu->typ;
    o->pamxctrl[1].fdwControl = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    o->pamxctrl[1].cMultipleItems = static_cast<DWORD>(mixerTestu->polozky.size());
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Cist(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD priznaky) {
    if (d->dwControlID != 42 || d->cChannels != 1) return MMSYSERR_INVALPARAM;
    for (size_t i = 0; i < mixerTestu->polozky.size(); ++i) {
        if (priznaky == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
            auto* t = static_cast<MIXERCONTROLDETAILS_LISTTEXTW*>(d->paDetails) + i;
            wcsncpy(t->szName, mixerTestu->polozky[i].c_str(), MIXER_LONG_NAME_CHARS - 1);
        } else {
            static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(d->paDetails)[i].fValue = 1;  // everything on
        }
    }
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Nastavit(HMIXEROBJ, LPMIXERCONTROLDETAILS d, DWORD) {
    mixerTestu->zapsano = true;
    mixerTestu->zapsane.clear();
    for (size_t i = 0; i < mixerTestu->polozky.size(); ++i)
        mixerTestu->zapsane.push_back(static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(d->paDetails)[i].fValue);
    return MMSYSERR_NOERROR;
}
MMRESULT WINAPI Zavrit(HMIXER) {
    --mixerTestu->otevreno;
    return MMSYSERR_NOERROR;
}

class SonvidarMixer : public ::testing::Test {
protected:
    void SetUp() override {
        m_puvodni = mixer;
        mixer = {Otevrit, Linka, Ovladace, Cist, Nastavit, Zavrit};
        m_mixer.polozky = {L"Mikrofon", L"Linkový vstup", L"CD"};
        mixerTestu = &m_mixer;
    }
    void TearDown() override {
        mixer = m_puvodni;
        mixerTestu = nullptr;
        EXPECT_EQ(m_mixer.otevreno, 0);  // every open mixer closed
    }
    FalesnyMixer m_mixer;

private:
    FunkceMixeru m_puvodni;
};

TEST_F(SonvidarMixer, SeznamAPrepnutiBezOhleduNaVelikostPismen) {
    SeznamVstupnichLinek linky(true);
    ASSERT_EQ(linky.Pocet(), 3u);
    EXPECT_EQ(linky.Polozka(1), L"Linkový vstup");
    EXPECT_FALSE(PrepnoutVstupniLinku(L"LINKOVÝ VSTUP"));
    EXPECT_EQ(m_mixer.zapsane, (std::vector<DWORD>{0, 1, 0}));
    // no match on a single-select control: everything off
    EXPECT_FALSE(PrepnoutVstupniLinku(L"Nic takového"));
    EXPECT_EQ(m_mixer.zapsane, (std::vector<DWORD>{0, 0, 0}));
    // a multiple-select control keeps the other values
    m_mixer.typ = MIXERCONTROL_CONTROLTYPE_MIXER;
    EXPECT_FALSE(PrepnoutVstupniLinku(L"cd"));
    EXPECT_EQ(m_mixer.zapsane, (std::vector<DWORD>{1, 1, 1}));
}

TEST_F(SonvidarMixer, BezMixeruNeboLinkyPrazdnySeznamANicNeprepne) {
    m_mixer.otevrit = false;
    EXPECT_EQ(SeznamVstupnichLinek(true).Pocet(), 0u);
    EXPECT_TRUE(PrepnoutVstupniLinku(L"Mikrofon"));
    m_mixer.otevrit = true;
    m_mixer.linka = false;
    EXPECT_EQ(SeznamVstupnichLinek(true).Pocet(), 0u);
    EXPECT_TRUE(PrepnoutVstupniLinku(L"Mikrofon"));
    m_mixer.linka = true;
    m_mixer.typ = MIXERCONTROL_CONTROLTYPE_VOLUME;  // no list control
    EXPECT_EQ(SeznamVstupnichLinek(true).Pocet(), 0u);
    EXPECT_TRUE(PrepnoutVstupniLinku(L"Mikrofon"));
    EXPECT_FALSE(m_mixer.zapsano);
}

TEST(SonvidarMixerWine, SystemovyMixerSelzeCiste) {
    // Wine's mixer 0 has no wave-in selector: an empty list and nothing switched, no crash.
    SeznamVstupnichLinek linky(true);
    EXPECT_EQ(linky.Pocet(), 0u);
    EXPECT_TRUE(PrepnoutVstupniLinku(L"Mikrofon"));
}

}  // namespace

namespace {

// Shell_NotifyIconW recorded instead of called.
struct VolaniIkony {
    DWORD zprava;
    NOTIFYICONDATAW data;
};
std::vector<VolaniIkony> volaniIkony;
BOOL WINAPI ZaznamenatIkonu(DWORD zprava, PNOTIFYICONDATAW data) {
    volaniIkony.push_back({zprava, *data});
    return TRUE;
}

TEST(SonvidarIkonaTray, AnimaceTriSnimkuBublinaAOdebrani) {
    const std::wstring cesta = testy::SlozkaTestu() + L"\\Sonvidar.exe";
    HMODULE sonvidar = ::LoadLibraryExW(cesta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(sonvidar, nullptr);
    HWND okno = ::CreateWindowExW(0, L"STATIC", L"Sonvidar", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(okno, nullptr);
    Knihovna::FunkceNotifyIcon puvodni = Knihovna::notifikacniIkona;
    Knihovna::notifikacniIkona = ZaznamenatIkonu;
    volaniIkony.clear();
    {
        Knihovna::IkonaTray ikona;
        EXPECT_THROW(ikona.ZobrazitBublinu(L"x", NIIF_INFO), Knihovna::Chyba);  // not added yet
        ikona.PridatAnimovanou(okno, 1, WM_APP + 1, sonvidar, 103);
        ASSERT_EQ(volaniIkony.size(), 1u);
        EXPECT_EQ(volaniIkony[0].zprava, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(volaniIkony[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(volaniIkony[0].data.uCallbackMessage, static_cast<UINT>(WM_APP + 1));
        EXPECT_EQ(ikona.titulek, L"Sonvidar");
        EXPECT_EQ(ikona.snimek, 0);
        std::vector<int> snimky;
        for (int i = 0; i < 4; ++i) {
            ikona.DalsiSnimek();
            snimky.push_back(ikona.snimek);
        }
        EXPECT_EQ(snimky, (std::vector<int>{1, 2, 0, 1}));
        EXPECT_EQ(volaniIkony.back().data.uFlags, static_cast<UINT>(NIF_ICON));

        ikona.NastavitPopis(std::wstring(200, L'x'));
        EXPECT_EQ(wcslen(volaniIkony.back().data.szTip), 127u);
        ikona.zvukBubliny = false;
        ikona.ZobrazitBublinu(std::wstring(300, L'y'), NIIF_INFO);
        const NOTIFYICONDATAW& b = volaniIkony.back().data;
        EXPECT_EQ(b.uFlags, static_cast<UINT>(NIF_INFO));
        EXPECT_EQ(wcslen(b.szInfo), 255u);
        EXPECT_EQ(b.dwInfoFlags, static_cast<DWORD>(NIIF_INFO | NIIF_NOSOUND));
        EXPECT_EQ(b.uTimeout, 11000u);
        EXPECT_STREQ(b.szInfoTitle, L"Sonvidar");
        // the balloon before it was hidden first
        EXPECT_EQ(volaniIkony[volaniIkony.size() - 2].data.szInfo[0], L'\0');
        ikona.Odebrat();
        EXPECT_EQ(volaniIkony.back().zprava, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(ikona.id, 0u);
        EXPECT_EQ(ikona.seznam, nullptr);
        EXPECT_THROW(ikona.DalsiSnimek(), Knihovna::Chyba);
        const size_t pocet = volaniIkony.size();
        ikona.Odebrat();  // never added (any more): left alone
        EXPECT_EQ(volaniIkony.size(), pocet);
    }
    Knihovna::notifikacniIkona = puvodni;
    ::DestroyWindow(okno);
    ::FreeLibrary(sonvidar);
}

}  // namespace
