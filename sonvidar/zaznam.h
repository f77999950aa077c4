// The recorders that drive the media encoder, and the lists of its profiles and devices.
#pragma once

#include <initializer_list>
#include <string>

#include "knihovna.h"
#include "koder.h"

namespace Brenvald_Sonvidar {

// How an encoder is made: CoCreateInstance of the encoder class; tests hand in their own.
using FunkceVytvoreniKoderu = HRESULT (*)(REFIID rozhrani, void** objekt);
extern FunkceVytvoreniKoderu vytvoritKoder;

// Owns one reference of a COM interface.
template <class T>
class Ukazatel {
public:
    Ukazatel() = default;
    ~Ukazatel() { Uvolnit(); }
    Ukazatel(const Ukazatel&) = delete;
    Ukazatel& operator=(const Ukazatel&) = delete;
    T* operator->() const {
        if (!m_p) Knihovna::Vyhodit(E_HANDLE);
        return m_p;
    }
    T* Get() const { return m_p; }
    T** Adresa() {
        Uvolnit();
        return &m_p;
    }
    void Uvolnit() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }

private:
    T* m_p = nullptr;
};

// Owns a BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& text) : m_b(::SysAllocStringLen(text.c_str(), static_cast<UINT>(text.size()))) {}
    ~Bstr() { ::SysFreeString(m_b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR Get() const { return m_b; }
    BSTR* Adresa() {
        ::SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    std::wstring Text() const { return m_b ? std::wstring(m_b, ::SysStringLen(m_b)) : std::wstring(); }

private:
    BSTR m_b = nullptr;
};

class Sonvidar {
public:
    Sonvidar() = default;
    virtual ~Sonvidar();
    Sonvidar(const Sonvidar&) = delete;
    Sonvidar& operator=(const Sonvidar&) = delete;

    virtual void Uvolnit();
    // S_OK when the encoder can be made (released at once), else the creation's HRESULT.
    HRESULT JeNainstalovan();
    IKoder* Koder() const { return m_koder.Get(); }
    bool Nahrava() const { return m_nahrava; }

    void Spustit(const std::wstring& cesta);
    void Zastavit();

protected:
    Ukazatel<IKoder> m_koder;
    bool m_nahrava = false;
    Ukazatel<IKoderVystup> m_vystup;
    Ukazatel<IKoderProfily> m_profily;
    Ukazatel<IKoderSkupinaZdroju> m_skupina;
    Ukazatel<IKoderSkupinyZdroju> m_skupiny;

    // Creates the encoder, takes its objects, adds group "SG_1" and the sources of the types.
    void VytvoritKoder(std::initializer_list<long> typyZdroju);
    virtual void PridanZdroj(long typ, IKoderZdroj* zdroj) = 0;
    static void NastavitVstup(IKoderZdroj* zdroj, const std::wstring& zarizeni);

public:
    // The first offered profile whose name matches (without regard to case); else E_INVALIDARG.
    void NastavitProfil(const std::wstring& nazev);
    std::wstring profil;  // name of the profile set
};

class ZaznamZvuku : public Sonvidar {
public:
    void Vytvorit();
    void NastavitZarizeni(const std::wstring& nazev);
    void Uvolnit() override;
    std::wstring zarizeni;

protected:
    void PridanZdroj(long typ, IKoderZdroj* zdroj) override;

private:
    Ukazatel<IKoderZdroj> m_zvuk;
};

class ZaznamVidea : public Sonvidar {
public:
    void Vytvorit();
    void NastavitZarizeniZvuku(const std::wstring& nazev);
    void NastavitZarizeniVidea(const std::wstring& nazev);
    void Uvolnit() override;
    std::wstring zarizeniZvuk;
    std::wstring zarizeniVideo;

protected:
    void PridanZdroj(long typ, IKoderZdroj* zdroj) override;

private:
    Ukazatel<IKoderZdroj> m_zvuk;
    Ukazatel<IKoderZdroj> m_video;
};

// Profiles (druh 1 sound, 2 video) and capture devices of one media type.
class SeznamProfilu : public Knihovna::SeznamTextu {
public:
    explicit SeznamProfilu(long druh) : druh(druh) {}
    // The number of entries, or -1 on the first failing call (entries found before stay).
    int Naplnit(IKoder* koder);
    long druh;
};

class SeznamZarizeni : public Knihovna::SeznamTextu {
public:
    explicit SeznamZarizeni(long druh) : druh(druh) {}
    int Naplnit(IKoder* koder);
    long druh;
};

}  // namespace Brenvald_Sonvidar
