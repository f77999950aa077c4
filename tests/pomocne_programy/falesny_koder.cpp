// A stand-in for the media encoder: an in-process COM server of the encoder class that offers
// the operations Sonvidar calls. Starting writes the output file, stopping appends a line to it.
// Profiles: two sound and two video ones; devices: two sound and one video capture device.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "koder.h"

using namespace Brenvald_Sonvidar;

namespace {

std::atomic<long> objektu{0};
std::atomic<long> zamku{0};

template <class Rozhrani>
class Objekt : public Rozhrani {
public:
    Objekt() { ++objektu; }
    virtual ~Objekt() { --objektu; }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** v) override {
        if (!v) return E_POINTER;
        if (iid == IID_IUnknown || Je(iid)) {
            *v = static_cast<Rozhrani*>(this);
            AddRef();
            return S_OK;
        }
        *v = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_ref); }
    ULONG STDMETHODCALLTYPE Release() override {
        long r = --m_ref;
        if (r == 0) delete this;
        return static_cast<ULONG>(r);
    }

protected:
    virtual bool Je(REFIID) const { return false; }

private:
    std::atomic<long> m_ref{1};
};

HRESULT Text(const wchar_t* text, BSTR* b) {
    if (!b) return E_POINTER;
    *b = ::SysAllocString(text);
    return *b ? S_OK : E_OUTOFMEMORY;
}

struct PopisProfilu {
    const wchar_t* nazev;
    long zvuk;
    long video;
};
const PopisProfilu PROFILY[] = {
    {L"Windows Media Audio 8 for ISDN (Better than CD quality, 128 Kbps)", 1, 0},
    {L"Windows Media Video 8 for Local Area Network (768 Kbps)", 1, 1},
    {L"Windows Media Audio 8 for Dial-up Modem (FM Radio Stereo, 28.8 Kbps)", 1, 0},
    {L"Windows Media Video 8 for Dial-up Modems or Single-channel ISDN (28.8 to 56 Kbps)", 1, 1},
};

class Profil : public Objekt<IKoderProfil> {
public:
    explicit Profil(const PopisProfilu& p) : m_p(p) {}
    HRESULT STDMETHODCALLTYPE Nazev(BSTR* nazev) override { return Text(m_p.nazev, nazev); }
    HRESULT STDMETHODCALLTYPE PocetMedii(long typ, long* pocet) override {
        if (!pocet) return E_POINTER;
        *pocet = typ == MEDIUM_ZVUK ? m_p.zvuk : typ == MEDIUM_VIDEO ? m_p.video : 0;
        return S_OK;
    }

private:
    PopisProfilu m_p;
};

class Profily : public Objekt<IKoderProfily> {
public:
    HRESULT STDMETHODCALLTYPE Pocet(long* pocet) override {
        if (!pocet) return E_POINTER;
        *pocet = static_cast<long>(sizeof(PROFILY) / sizeof(PROFILY[0]));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Polozka(long index, IKoderProfil** profil) override {
        if (!profil) return E_POINTER;
        if (index < 0 || index >= static_cast<long>(sizeof(PROFILY) / sizeof(PROFILY[0]))) return E_INVALIDARG;
        *profil = new Profil(PROFILY[index]);
        return S_OK;
    }
};

class Zdroj : public Objekt<IKoderZdroj> {
public:
    HRESULT STDMETHODCALLTYPE NastavitVstup(BSTR vstup, BSTR, BSTR) override {
        if (!vstup || wcsncmp(vstup, L"DEVICE://", 9) != 0) return E_INVALIDARG;
        return S_OK;
    }
};

class Skupina : public Objekt<IKoderSkupinaZdroju> {
public:
    HRESULT STDMETHODCALLTYPE PridatZdroj(long typ, IKoderZdroj** zdroj) override {
        if (!zdroj) return E_POINTER;
        if (typ != MEDIUM_ZVUK && typ != MEDIUM_VIDEO) return E_INVALIDARG;
        *zdroj = new Zdroj();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NastavitProfil(VARIANT profil) override {
        return profil.vt == VT_UNKNOWN && profil.punkVal ? S_OK : E_INVALIDARG;
    }
};

class Skupiny : public Objekt<IKoderSkupinyZdroju> {
public:
    HRESULT STDMETHODCALLTYPE Pridat(BSTR, IKoderSkupinaZdroju** skupina) override {
        if (!skupina) return E_POINTER;
        *skupina = new Skupina();
        return S_OK;
    }
};

class Vystup : public Objekt<IKoderVystup> {
public:
    explicit Vystup(std::wstring* soubor) : m_soubor(soubor) {}
    HRESULT STDMETHODCALLTYPE NastavitMistniSoubor(BSTR cesta) override {
        if (!cesta) return E_INVALIDARG;
        *m_soubor = cesta;
        return S_OK;
    }

private:
    std::wstring* m_soubor;
};

struct PopisZasuvky {
    const wchar_t* schema;
    long typ;
    std::vector<const wchar_t*> zdroje;
};
const std::vector<PopisZasuvky>& Zasuvky() {
    static const std::vector<PopisZasuvky> z = {
        {L"FILE", MEDIUM_ZVUK, {L"soubor.wav"}},
        {L"Device", MEDIUM_ZVUK, {L"Default_Audio_Device", L"Mikrofon (testovací)"}},
        {L"DEVICE", MEDIUM_VIDEO, {L"Default_Video_Device"}},
    };
    return z;
}

class InfoZasuvky : public Objekt<IKoderInfoZasuvky> {
public:
    explicit InfoZasuvky(const PopisZasuvky& z) : m_z(z) {}
    HRESULT STDMETHODCALLTYPE Schema(BSTR* schema) override { return Text(m_z.schema, schema); }
    HRESULT STDMETHODCALLTYPE MaZdroje(VARIANT_BOOL* ma) override {
        if (!ma) return E_POINTER;
        *ma = m_z.zdroje.empty() ? VARIANT_FALSE : VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PocetZdroju(long* pocet) override {
        if (!pocet) return E_POINTER;
        *pocet = static_cast<long>(m_z.zdroje.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NazevZdroje(long index, BSTR* nazev) override {
        if (index < 0 || index >= static_cast<long>(m_z.zdroje.size())) return E_INVALIDARG;
        return Text(m_z.zdroje[static_cast<size_t>(index)], nazev);
    }
    HRESULT STDMETHODCALLTYPE TypMedia(long* typ) override {
        if (!typ) return E_POINTER;
        *typ = m_z.typ;
        return S_OK;
    }

private:
    const PopisZasuvky& m_z;
};

class SpravceZasuvek : public Objekt<IKoderSpravceZasuvek> {
public:
    HRESULT STDMETHODCALLTYPE Pocet(long* pocet) override {
        if (!pocet) return E_POINTER;
        *pocet = static_cast<long>(Zasuvky().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Polozka(long index, IKoderInfoZasuvky** info) override {
        if (!info) return E_POINTER;
        if (index < 0 || index >= static_cast<long>(Zasuvky().size())) return E_INVALIDARG;
        *info = new InfoZasuvky(Zasuvky()[static_cast<size_t>(index)]);
        return S_OK;
    }
};

void Pripsat(const std::wstring& soubor, const char* radek, bool novy) {
    HANDLE h = ::CreateFileW(soubor.c_str(), novy ? GENERIC_WRITE : FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                             novy ? CREATE_ALWAYS : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD zapsano = 0;
    ::WriteFile(h, radek, static_cast<DWORD>(strlen(radek)), &zapsano, nullptr);
    ::CloseHandle(h);
}

class Koder : public Objekt<IKoder> {
public:
    HRESULT STDMETHODCALLTYPE Vystup(IKoderVystup** vystup) override {
        if (!vystup) return E_POINTER;
        *vystup = new ::Vystup(&m_soubor);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SkupinyZdroju(IKoderSkupinyZdroju** skupiny) override {
        if (!skupiny) return E_POINTER;
        *skupiny = new Skupiny();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Profily(IKoderProfily** profily) override {
        if (!profily) return E_POINTER;
        *profily = new ::Profily();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SpravceZasuvek(IKoderSpravceZasuvek** spravce) override {
        if (!spravce) return E_POINTER;
        *spravce = new ::SpravceZasuvek();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE PripravitKodovani(VARIANT_BOOL priprava) override {
        m_pripraven = priprava == VARIANT_TRUE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Spustit() override {
        if (!m_pripraven || m_soubor.empty()) return E_UNEXPECTED;
        Pripsat(m_soubor, "KODER:ZAZNAM\r\n", true);
        m_bezi = true;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Zastavit() override {
        if (m_bezi) Pripsat(m_soubor, "KODER:STOP\r\n", false);
        m_bezi = false;
        return S_OK;
    }

protected:
    bool Je(REFIID iid) const override { return iid == IID_IKoder || iid == IID_IKoderInstalace; }

private:
    std::wstring m_soubor;
    bool m_pripraven = false;
    bool m_bezi = false;
};

class Tovarna : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** v) override {
        if (!v) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *v = this;
            return S_OK;
        }
        *v = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* vnejsi, REFIID iid, void** v) override {
        if (vnejsi) return CLASS_E_NOAGGREGATION;
        auto* koder = new Koder();
        HRESULT hr = koder->QueryInterface(iid, v);
        koder->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL zamknout) override {
        zamku += zamknout ? 1 : -1;
        return S_OK;
    }
};
Tovarna tovarna;

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** v) {
    if (clsid != CLSID_Koder) return CLASS_E_CLASSNOTAVAILABLE;
    return tovarna.QueryInterface(iid, v);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return objektu == 0 && zamku == 0 ? S_OK : S_FALSE;
}
