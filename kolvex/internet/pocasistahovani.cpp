#include "internet/pocasistahovani.h"

#include <process.h>
#include <shlobj.h>

#include "core/aplikace.h"
#include "core/sit.h"
#include "knihovna/chyba.h"

namespace {

// The HTTP status of the open request, for a reply that WinINet did not turn into an error.
class HttpObrazek : public HttpSoubor {
public:
    explicit HttpObrazek(HINTERNET relace) : HttpSoubor(relace) {}
    DWORD Stav() const {
        DWORD stav = 0, velikost = sizeof(stav);
        if (!m_url ||
            !::HttpQueryInfoW(m_url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &stav, &velikost, nullptr))
            return 0;
        return stav;
    }
};

HRESULT StahnoutSouborHttp(const std::wstring& adresa, const std::wstring& soubor, HANDLE zruseni) {
    HRESULT vysledek = S_OK;
    try {
        HttpObrazek http(aplikace.relaceInternetu);
        http.limity.zruseni = zruseni;
        http.OtevritUrl(adresa);
        DWORD stav = http.Stav();
        if (stav < 200 || stav > 299) knihovna::VyhoditChybu(HresultStavuHttp(stav ? stav : 500));
        http.UlozitDoSouboru(soubor);
    } catch (const knihovna::Chyba& chyba) {
        vysledek = chyba.Hresult();
    } catch (...) {
        vysledek = E_FAIL;
    }
    return vysledek;
}

// The first bytes of a JPEG, PNG, GIF or BMP file.
bool ZacinaJakoObrazek(const std::wstring& soubor) {
    BYTE hlava[4] = {};
    DWORD precteno = 0;
    HANDLE h = ::CreateFileW(soubor.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = ::ReadFile(h, hlava, sizeof(hlava), &precteno, nullptr);
    ::CloseHandle(h);
    if (!ok || precteno < sizeof(hlava)) return false;
    return (hlava[0] == 0xFF && hlava[1] == 0xD8 && hlava[2] == 0xFF) ||
           (hlava[0] == 0x89 && hlava[1] == 'P' && hlava[2] == 'N' && hlava[3] == 'G') ||
           (hlava[0] == 'G' && hlava[1] == 'I' && hlava[2] == 'F') || (hlava[0] == 'B' && hlava[1] == 'M');
}

// A new empty file of a unique name beside the file, with the suite's temporary-file prefix.
HRESULT VytvoritDocasnyVedle(const std::wstring& soubor, std::wstring& docasny) {
    const size_t konec = soubor.find_last_of(L"\\/");
    const std::wstring slozka = konec == std::wstring::npos ? std::wstring(L".") : soubor.substr(0, konec);
    std::vector<wchar_t> jmeno(MAX_PATH + soubor.size() + 16, L'\0');
    if (!::GetTempFileNameW(slozka.c_str(), L"~kv", 0, jmeno.data())) {
        const DWORD kod = ::GetLastError();
        return knihovna::HresultZKodu(kod ? kod : ERROR_CANNOT_MAKE);
    }
    docasny = jmeno.data();
    return S_OK;
}

}  // namespace

void SmazatOpusteneDocasneSoubory(const std::wstring& slozka) {
    if (slozka.empty()) return;
    WIN32_FIND_DATAW data;
    HANDLE h = ::FindFirstFileW((slozka + L"\\~kv*.tmp").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        // one that a download still writes is open without sharing: its delete fails
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((slozka + L"\\" + data.cFileName).c_str());
    } while (::FindNextFileW(h, &data));
    ::FindClose(h);
}

HRESULT (*stahnoutSouborPocasi)(const std::wstring& adresa, const std::wstring& soubor, HANDLE zruseni) =
    StahnoutSouborHttp;

ZruseniPrace::ZruseniPrace() : m_udalost(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!m_udalost) knihovna::VyhoditPosledniChybu();
}

void ZruseniPrace::Zrusit() {
    knihovna::Zamek zamek(m_zamek);  // waits for a commit that runs
    m_zruseno = true;
    ::SetEvent(m_udalost.Get());
}

bool ZruseniPrace::Potvrdit(const std::function<void()>& krok) const {
    knihovna::Zamek zamek(m_zamek);
    if (m_zruseno) return false;
    krok();
    return true;
}

namespace {

// Downloads into a temporary file of its own, then replaces the file as a commit of the job.
// obrazek: only an answer that begins as a picture file counts, and a failure keeps the old file.
HRESULT StahnoutDoSouboru(const std::wstring& adresa, const std::wstring& soubor, const ZruseniPrace* zruseni,
                          bool obrazek) {
    std::wstring docasny;
    HRESULT vysledek = VytvoritDocasnyVedle(soubor, docasny);
    if (SUCCEEDED(vysledek)) vysledek = stahnoutSouborPocasi(adresa, docasny, zruseni ? zruseni->Udalost() : nullptr);
    // a whole answer that is no picture (an error page) does not replace the last good one
    if (obrazek && SUCCEEDED(vysledek) && !ZacinaJakoObrazek(docasny))
        vysledek = knihovna::HresultZKodu(ERROR_INVALID_DATA);
    bool presunuto = false;
    auto zmenit = [&] {
        if (SUCCEEDED(vysledek)) {
            presunuto =
                ::MoveFileExW(docasny.c_str(), soubor.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
            if (!presunuto) vysledek = knihovna::HresultZKodu(::GetLastError());
        }
        if (FAILED(vysledek) && !obrazek) ::DeleteFileW(soubor.c_str());
    };
    if (zruseni) {
        if (!zruseni->Potvrdit(zmenit)) vysledek = E_ABORT;  // a newer pass owns the file now
    } else {
        zmenit();
    }
    // only a name this call still holds: once moved, the name may already be another download's
    if (!docasny.empty() && !presunuto) ::DeleteFileW(docasny.c_str());
    return vysledek;
}

}  // namespace

HRESULT StahnoutSoubor(const std::wstring& adresa, const std::wstring& soubor, const ZruseniPrace* zruseni) {
    return StahnoutDoSouboru(adresa, soubor, zruseni, false);
}

HRESULT StahnoutObrazekMistoStareho(const std::wstring& adresa, const std::wstring& soubor,
                                    const ZruseniPrace* zruseni) {
    return StahnoutDoSouboru(adresa, soubor, zruseni, true);
}

std::vector<std::wstring> StahnoutRaduModelu(const DruhModelu& druh, const ZadaniStahovani& zadani,
                                             const ZruseniPrace& zrusit) {
    std::vector<std::wstring> rada;
    for (int krok : KrokyDruhu(druh)) {
        if (zrusit) break;
        const std::wstring adresa = AdresaObrazku(zadani.zaklad, druh, zadani.datum, zadani.hodinaBehu, krok);
        const std::wstring soubor = SouborObrazku(zadani.slozka, druh, krok);
        if (druh.prikaz == PRIKAZ_TEPLOTA) zrusit.Potvrdit([&soubor] { ::DeleteFileW(soubor.c_str()); });
        if (SUCCEEDED(StahnoutSoubor(adresa, soubor, &zrusit))) {
            rada.push_back(soubor);
        } else if (zadani.konecPriChybe) {
            break;
        }
    }
    return rada;
}

VysledekStahovani ProvestStahovani(const ZadaniStahovani& zadani, const ZruseniPrace& zrusit) {
    VysledekStahovani vysledek;
    // a cache folder removed or newly chosen since start-up is made again
    if (!zadani.slozka.empty()) ::SHCreateDirectoryExW(nullptr, zadani.slozka.c_str(), nullptr);
    SmazatOpusteneDocasneSoubory(zadani.slozka);
    vysledek.prikaz = zadani.prikaz;
    if (zadani.prikaz == PRIKAZ_VSECHNY_MODELY) {
        for (int slot = 0; slot < 4; ++slot) {
            const DruhModelu* druh = DruhVsechModelu(slot);
            auto& rada = vysledek.vsechny[static_cast<size_t>(slot)];
            // every series is indexed by step number: precipitation has no step 0
            if (druh->prvniKrok > 0) rada.push_back(std::wstring());
            for (std::wstring& soubor : StahnoutRaduModelu(*druh, zadani, zrusit)) rada.push_back(std::move(soubor));
        }
    } else if (const DruhModelu* druh = NajitDruhModelu(zadani.prikaz)) {
        vysledek.rada = StahnoutRaduModelu(*druh, zadani, zrusit);
    }
    vysledek.zruseno = static_cast<bool>(zrusit);
    return vysledek;
}

// ---------------------------------------------------------------------------------------------

PracovniVlakno::~PracovniVlakno() {
    Ukoncit(0);
    if (m_vlakno) ::CloseHandle(m_vlakno);
}

unsigned __stdcall PracovniVlakno::Procedura(void* parametr) {
    // the thread holds its own reference: the window may let go of it first
    std::unique_ptr<std::shared_ptr<Stav>> stav(static_cast<std::shared_ptr<Stav>*>(parametr));
    try {
        (*stav)->prace((*stav)->zrusit);
    } catch (...) {
        // a job reports its own failures by posting; nothing may leave the thread
    }
    return 0;
}

void PracovniVlakno::Spustit(std::function<void(const ZruseniPrace& zrusit)> prace) {
    Uklidit();
    if (m_vlakno) knihovna::VyhoditChybu(HRESULT_FROM_WIN32(ERROR_BUSY));
    m_stav = std::make_shared<Stav>();
    m_stav->prace = std::move(prace);
    auto* odkaz = new std::shared_ptr<Stav>(m_stav);
    uintptr_t h = ::_beginthreadex(nullptr, 0, Procedura, odkaz, 0, nullptr);
    if (!h) {
        delete odkaz;
        knihovna::VyhoditPosledniChybu();
    }
    m_vlakno = reinterpret_cast<HANDLE>(h);
}

bool PracovniVlakno::Bezi() const { return m_vlakno && ::WaitForSingleObject(m_vlakno, 0) == WAIT_TIMEOUT; }

bool PracovniVlakno::Ukoncit(DWORD ms) {
    if (!m_vlakno) return true;
    if (m_stav) m_stav->zrusit.Zrusit();
    bool skoncil = ::WaitForSingleObject(m_vlakno, ms) != WAIT_TIMEOUT;
    if (skoncil) Uklidit();
    return skoncil;
}

void PracovniVlakno::Uklidit() {
    if (m_vlakno && ::WaitForSingleObject(m_vlakno, 0) != WAIT_TIMEOUT) {
        ::CloseHandle(m_vlakno);
        m_vlakno = nullptr;
        m_stav.reset();
    }
}
