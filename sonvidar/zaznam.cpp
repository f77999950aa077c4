#include "zaznam.h"

namespace Brenvald_Sonvidar {

using Knihovna::OveritHr;
using Knihovna::Vyhodit;

namespace {
HRESULT VytvoritSystemovyKoder(REFIID rozhrani, void** objekt) {
    return ::CoCreateInstance(CLSID_Koder, nullptr, KONTEXT_KODERU, rozhrani, objekt);
}
}  // namespace

FunkceVytvoreniKoderu vytvoritKoder = VytvoritSystemovyKoder;

Sonvidar::~Sonvidar() = default;

void Sonvidar::Uvolnit() {
    m_vystup.Uvolnit();
    m_profily.Uvolnit();
    m_skupina.Uvolnit();
    m_skupiny.Uvolnit();
    m_koder.Uvolnit();
}

HRESULT Sonvidar::JeNainstalovan() {
    IUnknown* test = nullptr;
    HRESULT hr = vytvoritKoder(IID_IKoderInstalace, reinterpret_cast<void**>(&test));
    if (SUCCEEDED(hr) && test) {
        test->Release();
        return S_OK;
    }
    return FAILED(hr) ? hr : E_NOINTERFACE;
}

void Sonvidar::VytvoritKoder(std::initializer_list<long> typyZdroju) {
    if (m_koder.Get()) return;
    IKoder* koder = nullptr;
    HRESULT hr = vytvoritKoder(IID_IKoder, reinterpret_cast<void**>(&koder));
    OveritHr(hr);
    if (!koder) Vyhodit(E_NOINTERFACE);
    *m_koder.Adresa() = koder;
    OveritHr(m_koder->Vystup(m_vystup.Adresa()));
    OveritHr(m_koder->SkupinyZdroju(m_skupiny.Adresa()));
    Bstr nazev(L"SG_1");
    OveritHr(m_skupiny->Pridat(nazev.Get(), m_skupina.Adresa()));
    for (long typ : typyZdroju) {
        IKoderZdroj* zdroj = nullptr;
        OveritHr(m_skupina->PridatZdroj(typ, &zdroj));
        if (!zdroj) Vyhodit(E_POINTER);
        PridanZdroj(typ, zdroj);
    }
    OveritHr(m_koder->Profily(m_profily.Adresa()));
    long pocet = 0;
    OveritHr(m_profily->Pocet(&pocet));
}

void Sonvidar::NastavitVstup(IKoderZdroj* zdroj, const std::wstring& zarizeni) {
    if (!zdroj) Vyhodit(E_HANDLE);
    Bstr vstup(L"DEVICE://" + zarizeni), schema(L""), data(L"");
    OveritHr(zdroj->NastavitVstup(vstup.Get(), schema.Get(), data.Get()));
}

void Sonvidar::NastavitProfil(const std::wstring& nazev) {
    profil.clear();
    long pocet = 0;
    OveritHr(m_profily->Pocet(&pocet));
    for (long i = 0; i < pocet; ++i) {
        Ukazatel<IKoderProfil> p;
        OveritHr(m_profily->Polozka(i, p.Adresa()));
        Bstr jmeno;
        OveritHr(p->Nazev(jmeno.Adresa()));
        const std::wstring text = jmeno.Text();
        if (::lstrcmpiW(text.c_str(), nazev.c_str()) != 0) continue;
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_UNKNOWN;
        v.punkVal = p.Get();
        OveritHr(m_skupina->NastavitProfil(v));  // the variant only borrows the profile
        profil = text;
        return;
    }
    Vyhodit(E_INVALIDARG);
}

void Sonvidar::Spustit(const std::wstring& cesta) {
    if (!m_koder.Get()) Vyhodit(E_HANDLE);
    Bstr soubor(cesta);
    OveritHr(m_vystup->NastavitMistniSoubor(soubor.Get()));
    OveritHr(m_koder->PripravitKodovani(VARIANT_TRUE));
    OveritHr(m_koder->Spustit());
    m_nahrava = true;
}

void Sonvidar::Zastavit() {
    if (!m_koder.Get()) Vyhodit(E_HANDLE);
    OveritHr(m_koder->Zastavit());
    m_nahrava = false;
}

// ---------------------------------------------------------------------------------------------

void ZaznamZvuku::Vytvorit() { VytvoritKoder({MEDIUM_ZVUK}); }

void ZaznamZvuku::PridanZdroj(long, IKoderZdroj* zdroj) { *m_zvuk.Adresa() = zdroj; }

void ZaznamZvuku::NastavitZarizeni(const std::wstring& nazev) {
    NastavitVstup(m_zvuk.Get(), nazev);
    zarizeni = nazev;
}

void ZaznamZvuku::Uvolnit() {
    m_zvuk.Uvolnit();
    Sonvidar::Uvolnit();
}

void ZaznamVidea::Vytvorit() { VytvoritKoder({MEDIUM_ZVUK, MEDIUM_VIDEO}); }

void ZaznamVidea::PridanZdroj(long typ, IKoderZdroj* zdroj) {
    if (typ == MEDIUM_VIDEO)
        *m_video.Adresa() = zdroj;
    else
        *m_zvuk.Adresa() = zdroj;
}

void ZaznamVidea::NastavitZarizeniZvuku(const std::wstring& nazev) {
    NastavitVstup(m_zvuk.Get(), nazev);
    zarizeniZvuk = nazev;
}

void ZaznamVidea::NastavitZarizeniVidea(const std::wstring& nazev) {
    NastavitVstup(m_video.Get(), nazev);
    zarizeniVideo = nazev;
}

void ZaznamVidea::Uvolnit() {
    m_zvuk.Uvolnit();
    m_video.Uvolnit();
    Sonvidar::Uvolnit();
}

// ---------------------------------------------------------------------------------------------

int SeznamProfilu::Naplnit(IKoder* koder) {
    Vyprazdnit();
    if (!koder) return -1;
    Ukazatel<IKoderProfily> profily;
    long pocet = 0;
    if (FAILED(koder->Profily(profily.Adresa())) || !profily.Get() || FAILED(profily->Pocet(&pocet))) return -1;
    for (long i = 0; i < pocet; ++i) {
        Ukazatel<IKoderProfil> p;
        Bstr nazev;
        long zvuk = 0, video = 0;
        if (FAILED(profily->Polozka(i, p.Adresa())) || !p.Get() || FAILED(p->Nazev(nazev.Adresa())) ||
            FAILED(p->PocetMedii(MEDIUM_ZVUK, &zvuk)) || FAILED(p->PocetMedii(MEDIUM_VIDEO, &video)))
            return -1;
        const long druhProfilu = video >= 1 ? MEDIUM_VIDEO : MEDIUM_ZVUK;
        if (druhProfilu == druh) Pridat(nazev.Text());
    }
    return static_cast<int>(Pocet());
}

int SeznamZarizeni::Naplnit(IKoder* koder) {
    Vyprazdnit();
    if (!koder) return -1;
    Ukazatel<IKoderSpravceZasuvek> spravce;
    long pocet = 0;
    if (FAILED(koder->SpravceZasuvek(spravce.Adresa())) || !spravce.Get() || FAILED(spravce->Pocet(&pocet))) return -1;
    for (long i = 0; i < pocet; ++i) {
        Ukazatel<IKoderInfoZasuvky> info;
        Bstr schema;
        VARIANT_BOOL maZdroje = VARIANT_FALSE;
        if (FAILED(spravce->Polozka(i, info.Adresa())) || !info.Get() || FAILED(info->Schema(schema.Adresa())))
            return -1;
        if (::lstrcmpiW(schema.Text().c_str(), L"DEVICE") != 0) continue;
        if (FAILED(info->MaZdroje(&maZdroje))) return -1;
        if (maZdroje != VARIANT_TRUE) continue;
        long zdroju = 0, typ = 0;
        if (FAILED(info->PocetZdroju(&zdroju)) || FAILED(info->TypMedia(&typ))) return -1;
        for (long j = 0; j < zdroju; ++j) {
            Bstr nazev;
            if (FAILED(info->NazevZdroje(j, nazev.Adresa()))) return -1;
            if (typ == druh) Pridat(nazev.Text());
        }
    }
    return static_cast<int>(Pocet());
}

}  // namespace Brenvald_Sonvidar
