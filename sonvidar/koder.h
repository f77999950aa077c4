// The media encoder's COM interfaces, as far as the recorders use them. The encoder is a
// component of another vendor; these declarations name only the operations called here.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

namespace Brenvald_Sonvidar {

// {632B606A-BBC6-11D2-A329-006097C4E476}: the encoder class.
constexpr CLSID CLSID_Koder = {0x632B606A, 0xBBC6, 0x11D2, {0xA3, 0x29, 0x00, 0x60, 0x97, 0xC4, 0xE4, 0x76}};
// {632B6081-BBC6-11D2-A329-006097C4E476}: the recording interface.
constexpr IID IID_IKoder = {0x632B6081, 0xBBC6, 0x11D2, {0xA3, 0x29, 0x00, 0x60, 0x97, 0xC4, 0xE4, 0x76}};
// {632B607F-BBC6-11D2-A329-006097C4E476}: the interface the installation test asks for.
constexpr IID IID_IKoderInstalace = {0x632B607F, 0xBBC6, 0x11D2, {0xA3, 0x29, 0x00, 0x60, 0x97, 0xC4, 0xE4, 0x76}};
// Creation context: in-process server and handler, local and remote server.
constexpr DWORD KONTEXT_KODERU = 0x17;

// Media types of sources, profiles and plug-ins.
constexpr long MEDIUM_ZVUK = 1;
constexpr long MEDIUM_VIDEO = 2;

struct IKoderProfil : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Nazev(BSTR* nazev) = 0;
    virtual HRESULT STDMETHODCALLTYPE PocetMedii(long typ, long* pocet) = 0;
};

struct IKoderProfily : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Pocet(long* pocet) = 0;
    virtual HRESULT STDMETHODCALLTYPE Polozka(long index, IKoderProfil** profil) = 0;
};

struct IKoderZdroj : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE NastavitVstup(BSTR vstup, BSTR schema, BSTR data) = 0;
};

struct IKoderSkupinaZdroju : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE PridatZdroj(long typ, IKoderZdroj** zdroj) = 0;
    virtual HRESULT STDMETHODCALLTYPE NastavitProfil(VARIANT profil) = 0;
};

struct IKoderSkupinyZdroju : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Pridat(BSTR nazev, IKoderSkupinaZdroju** skupina) = 0;
};

struct IKoderVystup : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE NastavitMistniSoubor(BSTR cesta) = 0;
};

struct IKoderInfoZasuvky : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Schema(BSTR* schema) = 0;
    virtual HRESULT STDMETHODCALLTYPE MaZdroje(VARIANT_BOOL* ma) = 0;
    virtual HRESULT STDMETHODCALLTYPE PocetZdroju(long* pocet) = 0;
    virtual HRESULT STDMETHODCALLTYPE NazevZdroje(long index, BSTR* nazev) = 0;
    virtual HRESULT STDMETHODCALLTYPE TypMedia(long* typ) = 0;
};

struct IKoderSpravceZasuvek : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Pocet(long* pocet) = 0;
    virtual HRESULT STDMETHODCALLTYPE Polozka(long index, IKoderInfoZasuvky** info) = 0;
};

struct IKoder : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Vystup(IKoderVystup** vystup) = 0;
    virtual HRESULT STDMETHODCALLTYPE SkupinyZdroju(IKoderSkupinyZdroju** skupiny) = 0;
    virtual HRESULT STDMETHODCALLTYPE Profily(IKoderProfily** profily) = 0;
    virtual HRESULT STDMETHODCALLTYPE SpravceZasuvek(IKoderSpravceZasuvek** spravce) = 0;
    virtual HRESULT STDMETHODCALLTYPE PripravitKodovani(VARIANT_BOOL priprava) = 0;
    virtual HRESULT STDMETHODCALLTYPE Spustit() = 0;
    virtual HRESULT STDMETHODCALLTYPE Zastavit() = 0;
};

}  // namespace Brenvald_Sonvidar
