#include "core/zasuvnemoduly.h"

#include <objbase.h>
#include <process.h>
#include <shellapi.h>

#include <algorithm>
#include <new>

#include "core/aplikace.h"
#include "core/hlaseni.h"
#include "core/pomocne.h"
#include "core/vlaknomodulu.h"
#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"

using knihovna::Chyba;
using knihovna::Overit;
using knihovna::VyhoditChybu;

std::vector<std::unique_ptr<ZasuvnyModul>> seznamRozsireni;

namespace {

using FunkceSpusteni = DWORD(WINAPI*)();
using FunkceHlavniOkno = HWND(WINAPI*)();

template <class F>
F NajitFunkci(HMODULE modul, const char* jmeno) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(modul, jmeno)));
}

HICON ZalozniIkona() {
    if (!aplikace.seznamMenu.Get()) return nullptr;
    return ImageList_GetIcon(aplikace.seznamMenu.Get(), 10, ILD_NORMAL);
}

// Closes the handle of a plug-in thread that has ended.
void UzavritSkonceneVlakno(HANDLE& vlakno) {
    if (!vlakno) return;
    ::WaitForSingleObject(vlakno, INFINITE);  // the thread cleared its flag: only its return remains
    ::CloseHandle(vlakno);
    vlakno = nullptr;
}

}  // namespace

ZasuvnyModul::~ZasuvnyModul() {
    if (m_vlakno && !m_bezi) ::CloseHandle(m_vlakno);
    if (velkaIkona) ::DestroyIcon(velkaIkona);
    if (malaIkona) ::DestroyIcon(malaIkona);
}

HRESULT PridatRozsireni(const std::wstring& cesta, bool spustitPoStartu) {
    knihovna::UchytKnihovny dll(::LoadLibraryW(cesta.c_str()));
    try {
        Overit(static_cast<bool>(dll));
        Overit(NajitFunkci<FunkceSpusteni>(dll.Get(), "Spusteni") != nullptr);
        Overit(NajitFunkci<FunkceHlavniOkno>(dll.Get(), "GetHlavniOkno") != nullptr);
        auto zaznam = std::make_unique<ZasuvnyModul>();
        zaznam->cesta = cesta;
        zaznam->souborDll = cesta.substr(cesta.find_last_of(L"\\/") + 1);
        NacistRetezecVerze(L"ProductName", zaznam->nazev, cesta.c_str());
        NacistRetezecVerze(L"FileDescription", zaznam->popis, cesta.c_str());
        if (zaznam->nazev.empty()) VyhoditChybu(E_FAIL);
        // only a DLL that holds icons gives its first one: asked for an icon it does not have,
        // the shell may hand back an empty picture instead of none
        if (::ExtractIconExW(cesta.c_str(), -1, nullptr, nullptr, 0) > 0)
            ::ExtractIconExW(cesta.c_str(), 0, &zaznam->velkaIkona, &zaznam->malaIkona, 1);
        if (!zaznam->velkaIkona) zaznam->velkaIkona = ZalozniIkona();
        if (!zaznam->malaIkona) zaznam->malaIkona = ZalozniIkona();
        zaznam->spustitPoStartu = spustitPoStartu;
        if (seznamRozsireni.size() > POSLEDNI_PRIKAZ_ROZSIRENI - PRVNI_PRIKAZ_ROZSIRENI) VyhoditChybu(E_OUTOFMEMORY);
        seznamRozsireni.push_back(std::move(zaznam));
        return S_OK;
    } catch (const Chyba& chyba) {
        return FAILED(chyba.Hresult()) ? chyba.Hresult() : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

void NajitRozsireni() {
    UvolnitRozsireni();
    const std::wstring* slozky[] = {&aplikace.slozkaZasuvnychModulu, &aplikace.slozkaZasuvnychModuluPoSpusteni};
    for (int i = 0; i < 2; ++i) {
        std::wstring slozka = aplikace.slozkaProgramu + L"\\" + *slozky[i];
        WIN32_FIND_DATAW data;
        knihovna::UchytHledani hledani(::FindFirstFileW((slozka + L"\\*.dll").c_str(), &data));
        if (!hledani) continue;
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            PridatRozsireni(slozka + L"\\" + data.cFileName, i == 1);
        } while (::FindNextFileW(hledani.Get(), &data));
        Overit(hledani.Uvolnit());
    }
}

HMENU VytvoritMenuRozsireni() {
    if (seznamRozsireni.empty()) return nullptr;
    knihovna::UchytMenu menu(::CreatePopupMenu());
    if (!menu) return nullptr;
    for (size_t i = 0; i < seznamRozsireni.size(); ++i) {
        const ZasuvnyModul& m = *seznamRozsireni[i];
        MENUITEMINFOW polozka{};
        polozka.cbSize = sizeof(polozka);
        polozka.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
        polozka.fType = aplikace.nastaveni.vlastniVzhled ? MFT_OWNERDRAW : MFT_STRING;
        polozka.fState = m.Bezi() ? MFS_CHECKED : MFS_UNCHECKED;
        polozka.wID = PRVNI_PRIKAZ_ROZSIRENI + static_cast<UINT>(i);
        polozka.dwItemData = i;
        std::wstring text = m.nazev;
        polozka.dwTypeData = &text[0];
        if (!::InsertMenuItemW(menu.Get(), 0, TRUE, &polozka)) return nullptr;
    }
    return menu.Odevzdat();
}

HICON IkonaRozsireni(size_t index) {
    if (index >= seznamRozsireni.size()) VyhoditChybu(E_INVALIDARG);
    return seznamRozsireni[index]->malaIkona;
}

unsigned __stdcall ProceduraVlaknaRozsireni(void* parametr) {
    ZasuvnyModul* zaznam = static_cast<ZasuvnyModul*>(parametr);
    HRESULT vysledek = S_OK;
    HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try {
        if (!zaznam) VyhoditChybu(E_INVALIDARG);
        if (zaznam->m_modul) VyhoditChybu(E_FAIL);
        try {
            HMODULE dll = ::LoadLibraryW(zaznam->cesta.c_str());
            Overit(dll != nullptr);
            zaznam->m_modul = dll;
            auto spusteni = NajitFunkci<FunkceSpusteni>(dll, "Spusteni");
            Overit(spusteni != nullptr);
            if (spusteni() != 0) VyhoditChybu(E_FAIL);
            Overit(::FreeLibrary(zaznam->m_modul.exchange(nullptr)) != 0);
        } catch (...) {
            if (HMODULE modul = zaznam->m_modul.exchange(nullptr)) ::FreeLibrary(modul);
            throw;
        }
    } catch (const Chyba& chyba) {
        vysledek = FAILED(chyba.Hresult()) ? chyba.Hresult() : E_FAIL;
        if (SUCCEEDED(com)) ::CoUninitialize();
        com = E_FAIL;
        try {
            HlasitChybuExternihoModulu(chyba, zaznam ? zaznam->nazev : std::wstring());
        } catch (...) {
        }
    } catch (const std::bad_alloc&) {
        vysledek = E_OUTOFMEMORY;
        try {
            HlasitChybuExternihoModulu(Chyba(vysledek), zaznam ? zaznam->nazev : std::wstring());
        } catch (...) {
        }
    } catch (...) {
        vysledek = E_UNEXPECTED;
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    // Last touch of the record: from here on the host may close the handle and free it.
    if (zaznam) zaznam->m_bezi = false;
    return static_cast<unsigned>(vysledek);
}

void SpustitRozsireni(ZasuvnyModul& modul) {
    if (modul.m_bezi || modul.m_modul) return;
    UzavritSkonceneVlakno(modul.m_vlakno);
    modul.m_bezi = true;
    uintptr_t vlakno = _beginthreadex(nullptr, 0, ProceduraVlaknaRozsireni, &modul, 0, nullptr);
    if (!vlakno) {
        modul.m_bezi = false;
        knihovna::VyhoditPosledniChybu();
    }
    modul.m_vlakno = reinterpret_cast<HANDLE>(vlakno);
}

bool PozadatOZastaveniRozsireni(ZasuvnyModul& modul) {
    if (!modul.m_vlakno) return false;
    if (!modul.m_bezi) {
        UzavritSkonceneVlakno(modul.m_vlakno);
        return false;
    }
    // The DLL is pinned while its function is called, so the plug-in thread cannot unload it meanwhile.
    HMODULE pripnuty = nullptr;
    if (modul.m_modul && ::GetModuleHandleExW(0, modul.cesta.c_str(), &pripnuty) && pripnuty) {
        auto hlavniOkno = NajitFunkci<FunkceHlavniOkno>(pripnuty, "GetHlavniOkno");
        if (!hlavniOkno) {
            ::FreeLibrary(pripnuty);
            knihovna::VyhoditPosledniChybu();
        }
        modul.hlavniOkno = hlavniOkno();
        ::FreeLibrary(pripnuty);
    } else {
        modul.hlavniOkno = nullptr;
    }
    if (!modul.hlavniOkno) return false;
    ::PostMessageW(modul.hlavniOkno, WM_CLOSE, 0, 0);
    return true;
}

void DokoncitZastaveniRozsireni(ZasuvnyModul& modul, DWORD ms) {
    if (!modul.m_vlakno) return;
    ::WaitForSingleObject(modul.m_vlakno, ms);
    if (modul.m_bezi) VyhoditChybu(knihovna::HresultZKodu(WAIT_TIMEOUT));
    UzavritSkonceneVlakno(modul.m_vlakno);
}

void ZastavitRozsireni(ZasuvnyModul& modul) {
    if (PozadatOZastaveniRozsireni(modul))
        DokoncitZastaveniRozsireni(modul, static_cast<DWORD>(aplikace.nastaveni.casovyLimitZasuvnychModulu));
}

void ZastavitVsechnaRozsireni() {
    // Each plug-in on its own: one that does not stop is named and the others are stopped all the
    // same. All are asked first and waited for together, so stubborn ones cost one time-out, not one each.
    std::vector<ZasuvnyModul*> cekajici, nezastavene;
    for (auto& modul : seznamRozsireni) {
        try {
            if (PozadatOZastaveniRozsireni(*modul)) cekajici.push_back(modul.get());
        } catch (...) {
            nezastavene.push_back(modul.get());
        }
    }
    const int nastaveno = aplikace.nastaveni.casovyLimitZasuvnychModulu;
    const DWORD limit = static_cast<DWORD>(nastaveno > 0 ? nastaveno : 0);
    const DWORD zacatek = ::GetTickCount();
    for (ZasuvnyModul* modul : cekajici) {
        const DWORD uplynulo = ::GetTickCount() - zacatek;
        try {
            DokoncitZastaveniRozsireni(*modul, uplynulo >= limit ? 0 : limit - uplynulo);
        } catch (...) {
            nezastavene.push_back(modul);
        }
    }
    // reported in list order, after every wait: a box does not hold up the others' stop
    for (auto& modul : seznamRozsireni) {
        if (std::find(nezastavene.begin(), nezastavene.end(), modul.get()) != nezastavene.end()) {
            try {
                HlasitNezastavenyZasuvnyModul(modul->nazev);
            } catch (...) {
            }
        }
        if (modul->Bezi()) ZaznamenatNezastaveneVlakno();
    }
}

void SpustitRozsireniPoStartu() {
    for (auto& modul : seznamRozsireni)
        if (modul->spustitPoStartu) SpustitRozsireni(*modul);
}

void PrepnoutRozsireni(UINT prikaz) {
    if (prikaz < PRVNI_PRIKAZ_ROZSIRENI || prikaz - PRVNI_PRIKAZ_ROZSIRENI >= seznamRozsireni.size())
        VyhoditChybu(E_INVALIDARG);
    ZasuvnyModul& modul = *seznamRozsireni[prikaz - PRVNI_PRIKAZ_ROZSIRENI];
    if (modul.Bezi()) {
        try {
            ZastavitRozsireni(modul);
        } catch (const Chyba&) {
            if (!modul.Bezi()) throw;
            HlasitNezastavenyZasuvnyModul(modul.nazev);  // it runs on: it can be stopped again later
        }
    } else
        SpustitRozsireni(modul);
}

void UvolnitRozsireni() {
    // A record whose thread still runs is kept alive (its thread uses it) rather than freed.
    for (auto& modul : seznamRozsireni) {
        if (modul->m_bezi) {
            modul.release();
            continue;
        }
        UzavritSkonceneVlakno(modul->m_vlakno);
    }
    seznamRozsireni.clear();
}
