#include "zentrava/serverkom.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <new>

namespace ramec {

HINSTANCE instance = nullptr;

namespace {
LONG pocetZamku = 0;
}  // namespace

void Zamknout() { ::InterlockedIncrement(&pocetZamku); }
void Odemknout() { ::InterlockedDecrement(&pocetZamku); }
LONG PocetZamku() { return pocetZamku; }

// ---- registry scripts ------------------------------------------------------------------------

namespace {

std::wstring Nahradit(const std::wstring& text, const Nahrady& nahrady) {
    std::wstring vysledek;
    for (size_t i = 0; i < text.size();) {
        bool nahrazeno = false;
        if (text[i] == L'%') {
            for (const auto& n : nahrady) {
                const std::wstring znacka = L"%" + n.first + L"%";
                if (text.compare(i, znacka.size(), znacka) == 0) {
                    vysledek += n.second;
                    i += znacka.size();
                    nahrazeno = true;
                    break;
                }
            }
        }
        if (!nahrazeno) vysledek += text[i++];
    }
    return vysledek;
}

// Tokens: quoted strings ('' stands for one quote) or runs of non-blank characters.
struct Token {
    std::wstring text;
    bool uvozovky = false;
};

bool Rozdelit(const std::wstring& text, std::vector<Token>& tokeny) {
    size_t i = 0;
    while (i < text.size()) {
        if (iswspace(text[i])) {
            ++i;
            continue;
        }
        Token t;
        if (text[i] == L'\'') {
            t.uvozovky = true;
            ++i;
            for (;;) {
                if (i >= text.size()) return false;  // unterminated string
                if (text[i] == L'\'') {
                    if (i + 1 < text.size() && text[i + 1] == L'\'') {
                        t.text += L'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                t.text += text[i++];
            }
        } else {
            while (i < text.size() && !iswspace(text[i])) t.text += text[i++];
        }
        tokeny.push_back(t);
    }
    return true;
}

class Parser {
public:
    explicit Parser(const std::vector<Token>& t) : m_t(t) {}

    bool Koreny(std::vector<KorenSkriptu>& vysledek) {
        while (m_i < m_t.size()) {
            KorenSkriptu koren;
            const std::wstring& n = m_t[m_i].text;
            if (m_t[m_i].uvozovky) return false;
            if (_wcsicmp(n.c_str(), L"HKCR") == 0 || _wcsicmp(n.c_str(), L"HKEY_CLASSES_ROOT") == 0)
                koren.koren = HKEY_CLASSES_ROOT;
            else if (_wcsicmp(n.c_str(), L"HKCU") == 0 || _wcsicmp(n.c_str(), L"HKEY_CURRENT_USER") == 0)
                koren.koren = HKEY_CURRENT_USER;
            else if (_wcsicmp(n.c_str(), L"HKLM") == 0 || _wcsicmp(n.c_str(), L"HKEY_LOCAL_MACHINE") == 0)
                koren.koren = HKEY_LOCAL_MACHINE;
            else
                return false;
            ++m_i;
            if (!Blok(koren.klice, nullptr)) return false;
            vysledek.push_back(std::move(koren));
        }
        return true;
    }

private:
    const std::vector<Token>& m_t;
    size_t m_i = 0;

    bool Je(const wchar_t* s) const { return m_i < m_t.size() && !m_t[m_i].uvozovky && m_t[m_i].text == s; }

    bool Hodnota(HodnotaSkriptu& h) {
        if (!Je(L"=")) return false;
        ++m_i;
        if (m_i + 1 >= m_t.size() || m_t[m_i].uvozovky) return false;
        const std::wstring typ = m_t[m_i++].text;
        const Token& v = m_t[m_i++];
        if (typ == L"s") {
            h.text = v.text;
        } else if (typ == L"d") {
            wchar_t* konec = nullptr;
            unsigned long cislo = wcstoul(v.text.c_str(), &konec, 0);
            if (v.text.empty() || *konec) return false;
            h.cislo = true;
            h.dword = static_cast<DWORD>(cislo);
        } else {
            return false;
        }
        return true;
    }

    // "{ ... }" with keys and values; the values land in the owning key (none at the root).
    bool Blok(std::vector<KlicSkriptu>& klice, std::vector<HodnotaSkriptu>* hodnoty) {
        if (!Je(L"{")) return false;
        ++m_i;
        while (!Je(L"}")) {
            if (m_i >= m_t.size()) return false;
            if (Je(L"val")) {
                ++m_i;
                if (!hodnoty || m_i >= m_t.size()) return false;
                HodnotaSkriptu h;
                h.nazev = m_t[m_i++].text;
                if (!Hodnota(h)) return false;
                hodnoty->push_back(h);
                continue;
            }
            KlicSkriptu klic;
            if (Je(L"NoRemove")) {
                klic.rezim = KlicSkriptu::NoRemove;
                ++m_i;
            } else if (Je(L"ForceRemove")) {
                klic.rezim = KlicSkriptu::ForceRemove;
                ++m_i;
            } else if (Je(L"Delete")) {
                klic.rezim = KlicSkriptu::Delete;
                ++m_i;
            }
            if (m_i >= m_t.size() || Je(L"{") || Je(L"}") || Je(L"=")) return false;
            klic.nazev = m_t[m_i++].text;
            if (Je(L"=")) {
                HodnotaSkriptu h;
                if (!Hodnota(h)) return false;
                klic.hodnoty.push_back(h);
            }
            if (Je(L"{") && !Blok(klic.podklice, &klic.hodnoty)) return false;
            klice.push_back(std::move(klic));
        }
        ++m_i;
        return true;
    }
};

HRESULT ZChyby(LONG chyba) { return chyba == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(chyba); }

HRESULT ZapsatHodnotu(HKEY klic, const HodnotaSkriptu& h) {
    const wchar_t* nazev = h.nazev.empty() ? nullptr : h.nazev.c_str();
    if (h.cislo)
        return ZChyby(::RegSetValueExW(klic, nazev, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&h.dword), sizeof(h.dword)));
    return ZChyby(::RegSetValueExW(klic, nazev, 0, REG_SZ, reinterpret_cast<const BYTE*>(h.text.c_str()),
                                   static_cast<DWORD>((h.text.size() + 1) * sizeof(wchar_t))));
}

// A plain key without values of its own in the script only holds other keys (a file type's
// "Shellex", "ContextMenuHandlers"): it may have been there before, empty, and then it stays.
bool JenDrziKlice(const KlicSkriptu& k) { return k.rezim == KlicSkriptu::Bezny && k.hodnoty.empty(); }

bool JeVZaznamu(const std::vector<std::wstring>& zaznam, const std::wstring& cesta) {
    for (const auto& z : zaznam)
        if (::CompareStringOrdinal(z.c_str(), -1, cesta.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

// cesta: the path of the parent below the root, with a trailing backslash. vytvorene (may be
// null) gets the paths of the holding keys that this registration made.
HRESULT Zapsat(HKEY nadrazeny, const KlicSkriptu& k, const std::wstring& cesta, std::vector<std::wstring>* vytvorene) {
    if (k.rezim == KlicSkriptu::Delete || k.rezim == KlicSkriptu::ForceRemove) {
        LONG r = ::RegDeleteTreeW(nadrazeny, k.nazev.c_str());
        if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) ::RegDeleteKeyW(nadrazeny, k.nazev.c_str());
        if (k.rezim == KlicSkriptu::Delete) return S_OK;
    }
    HKEY klic = nullptr;
    DWORD dispozice = 0;
    HRESULT hr = ZChyby(::RegCreateKeyExW(nadrazeny, k.nazev.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                          &klic, &dispozice));
    if (FAILED(hr)) return hr;
    const std::wstring moje = cesta + k.nazev;
    if (vytvorene && JenDrziKlice(k) && dispozice == REG_CREATED_NEW_KEY && !JeVZaznamu(*vytvorene, moje))
        vytvorene->push_back(moje);
    for (const auto& h : k.hodnoty)
        if (SUCCEEDED(hr)) hr = ZapsatHodnotu(klic, h);
    for (const auto& p : k.podklice)
        if (SUCCEEDED(hr)) hr = Zapsat(klic, p, moje + L"\\", vytvorene);
    ::RegCloseKey(klic);
    return hr;
}

bool JePrazdny(HKEY klic) {
    DWORD podklicu = 0, hodnot = 0;
    if (::RegQueryInfoKeyW(klic, nullptr, nullptr, nullptr, &podklicu, nullptr, nullptr, &hodnot, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return podklicu == 0 && hodnot == 0;
}

// Removal: NoRemove keys stay (only their listed content goes), ForceRemove keys go with all
// their content, other keys go when nothing but the script's own content was in them. With a
// record (vytvorene not null) a key that only holds keys goes only when the registration made it.
HRESULT Odebrat(HKEY nadrazeny, const KlicSkriptu& k, const std::wstring& cesta,
                const std::vector<std::wstring>* vytvorene) {
    if (k.rezim == KlicSkriptu::ForceRemove || k.rezim == KlicSkriptu::Delete) {
        LONG r = ::RegDeleteTreeW(nadrazeny, k.nazev.c_str());
        if (r == ERROR_SUCCESS) r = ::RegDeleteKeyW(nadrazeny, k.nazev.c_str());
        return (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) ? S_OK : ZChyby(r);
    }
    HKEY klic = nullptr;
    LONG r = ::RegOpenKeyExW(nadrazeny, k.nazev.c_str(), 0, KEY_READ | KEY_WRITE, &klic);
    if (r == ERROR_FILE_NOT_FOUND) return S_OK;
    if (r != ERROR_SUCCESS) return ZChyby(r);
    HRESULT hr = S_OK;
    const std::wstring moje = cesta + k.nazev;
    for (const auto& p : k.podklice)
        if (SUCCEEDED(hr)) hr = Odebrat(klic, p, moje + L"\\", vytvorene);
    if (SUCCEEDED(hr)) {
        for (const auto& h : k.hodnoty) ::RegDeleteValueW(klic, h.nazev.empty() ? nullptr : h.nazev.c_str());
    }
    const bool prazdny = JePrazdny(klic);
    ::RegCloseKey(klic);
    const bool vytvoreny = !vytvorene || !JenDrziKlice(k) || JeVZaznamu(*vytvorene, moje);
    if (SUCCEEDED(hr) && k.rezim == KlicSkriptu::Bezny && prazdny && vytvoreny) {
        r = ::RegDeleteKeyW(nadrazeny, k.nazev.c_str());
        if (r != ERROR_SUCCESS && r != ERROR_FILE_NOT_FOUND) hr = ZChyby(r);
    }
    return hr;
}

}  // namespace

bool RozebratSkript(const std::wstring& text, const Nahrady& nahrady, std::vector<KorenSkriptu>& vysledek) {
    vysledek.clear();
    std::vector<Token> tokeny;
    if (!Rozdelit(Nahradit(text, nahrady), tokeny)) return false;
    Parser parser(tokeny);
    if (!parser.Koreny(vysledek)) {
        vysledek.clear();
        return false;
    }
    return true;
}

HRESULT ProvestSkript(const std::vector<KorenSkriptu>& skript, bool registrovat, std::vector<std::wstring>* vytvorene) {
    for (const auto& koren : skript) {
        const std::wstring cesta = koren.koren == HKEY_CLASSES_ROOT    ? L"HKCR\\"
                                   : koren.koren == HKEY_CURRENT_USER  ? L"HKCU\\"
                                   : koren.koren == HKEY_LOCAL_MACHINE ? L"HKLM\\"
                                                                       : L"?\\";
        for (const auto& k : koren.klice) {
            HRESULT hr = registrovat ? Zapsat(koren.koren, k, cesta, vytvorene) : Odebrat(koren.koren, k, cesta, vytvorene);
            if (FAILED(hr)) return hr;
        }
    }
    return S_OK;
}

namespace {

// The record of the holding keys a class script's registration made: a REG_MULTI_SZ value of the
// server's AppID key (which the AppID script makes first and removes last).
std::wstring KlicZaznamu(const Nahrady& nahrady) {
    for (const auto& n : nahrady)
        if (n.first == L"APPID") return L"AppID\\" + n.second;
    return {};
}

std::wstring NazevZaznamu(UINT id) { return L"Vytvorene klice " + std::to_wstring(id); }

std::vector<std::wstring> NacistZaznam(const std::wstring& klic, UINT id) {
    std::vector<std::wstring> zaznam;
    DWORD bajtu = 0;
    if (klic.empty() || ::RegGetValueW(HKEY_CLASSES_ROOT, klic.c_str(), NazevZaznamu(id).c_str(), RRF_RT_REG_MULTI_SZ,
                                       nullptr, nullptr, &bajtu) != ERROR_SUCCESS)
        return zaznam;
    std::vector<wchar_t> data(bajtu / sizeof(wchar_t) + 2, L'\0');
    bajtu = static_cast<DWORD>((data.size() - 2) * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CLASSES_ROOT, klic.c_str(), NazevZaznamu(id).c_str(), RRF_RT_REG_MULTI_SZ, nullptr,
                       data.data(), &bajtu) != ERROR_SUCCESS)
        return zaznam;
    for (const wchar_t* p = data.data(); *p; p += wcslen(p) + 1) zaznam.emplace_back(p);
    return zaznam;
}

HRESULT UlozitZaznam(const std::wstring& klic, UINT id, const std::vector<std::wstring>& zaznam) {
    if (klic.empty()) return S_OK;
    if (zaznam.empty()) {
        ::RegDeleteKeyValueW(HKEY_CLASSES_ROOT, klic.c_str(), NazevZaznamu(id).c_str());
        return S_OK;
    }
    std::wstring data;
    for (const auto& z : zaznam) data += z + L'\0';
    data += L'\0';
    return ZChyby(::RegSetKeyValueW(HKEY_CLASSES_ROOT, klic.c_str(), NazevZaznamu(id).c_str(), REG_MULTI_SZ,
                                    data.c_str(), static_cast<DWORD>(data.size() * sizeof(wchar_t))));
}

}  // namespace

std::wstring CestaModulu() {
    std::wstring cesta(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(instance, &cesta[0], static_cast<DWORD>(cesta.size()));
        if (n == 0) return std::wstring();
        if (n < cesta.size()) {
            cesta.resize(n);
            return cesta;
        }
        if (cesta.size() >= 32768) return std::wstring();
        cesta.resize(cesta.size() * 2);
    }
}

HRESULT SpustitSkript(UINT id, bool registrovat, Nahrady nahrady) {
    HRSRC zdroj = ::FindResourceW(instance, MAKEINTRESOURCEW(id), L"REGISTRY");
    if (!zdroj) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    HGLOBAL data = ::LoadResource(instance, zdroj);
    const char* bajty = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
    const DWORD velikost = ::SizeofResource(instance, zdroj);
    if (!bajty || velikost == 0) return E_FAIL;
    int delka = ::MultiByteToWideChar(CP_UTF8, 0, bajty, static_cast<int>(velikost), nullptr, 0);
    std::wstring text(static_cast<size_t>(delka), L'\0');
    if (delka > 0) ::MultiByteToWideChar(CP_UTF8, 0, bajty, static_cast<int>(velikost), &text[0], delka);
    const std::wstring modul = CestaModulu();
    if (modul.empty()) return HRESULT_FROM_WIN32(::GetLastError());
    nahrady.emplace_back(L"MODULE", modul);
    std::vector<KorenSkriptu> skript;
    if (!RozebratSkript(text, nahrady, skript)) return E_UNEXPECTED;
    // the record survives a registration done again: what the first one made is still its own
    const std::wstring klicZaznamu = KlicZaznamu(nahrady);
    std::vector<std::wstring> vytvorene = NacistZaznam(klicZaznamu, id);
    HRESULT hr = ProvestSkript(skript, registrovat, &vytvorene);
    if (SUCCEEDED(hr) && registrovat) hr = UlozitZaznam(klicZaznamu, id, vytvorene);
    if (SUCCEEDED(hr) && !registrovat) UlozitZaznam(klicZaznamu, id, {});
    return hr;
}

HRESULT RegistrovatTypovouKnihovnu(bool registrovat) {
    const std::wstring modul = CestaModulu();
    if (modul.empty()) return E_FAIL;
    ITypeLib* knihovna = nullptr;
    HRESULT hr = ::LoadTypeLibEx(modul.c_str(), REGKIND_NONE, &knihovna);
    if (FAILED(hr)) return hr;
    if (registrovat) {
        hr = ::RegisterTypeLib(knihovna, const_cast<OLECHAR*>(modul.c_str()), nullptr);
    } else {
        TLIBATTR* atributy = nullptr;
        hr = knihovna->GetLibAttr(&atributy);
        if (SUCCEEDED(hr)) {
            hr = ::UnRegisterTypeLib(atributy->guid, atributy->wMajorVerNum, atributy->wMinorVerNum, atributy->lcid,
                                     atributy->syskind);
            if (hr == TYPE_E_REGISTRYACCESS) hr = S_OK;  // already gone
            knihovna->ReleaseTLibAttr(atributy);
        }
    }
    knihovna->Release();
    return hr;
}

HRESULT RegistrovatServer(const PopisServeru& popis, bool registrovat) {
    const LCID puvodni = ::GetThreadLocale();
    ::SetThreadLocale(LOCALE_SYSTEM_DEFAULT);
    const Nahrady nahrady{{L"APPID", popis.appId}, {L"LIBID", popis.libId}};
    HRESULT hr = S_OK;
    if (registrovat) {
        hr = SpustitSkript(popis.skriptAppId, true, nahrady);
        for (UINT id : popis.skriptyTrid)
            if (SUCCEEDED(hr)) hr = SpustitSkript(id, true, nahrady);
        if (SUCCEEDED(hr)) hr = RegistrovatTypovouKnihovnu(true);
    } else {
        for (UINT id : popis.skriptyTrid)
            if (SUCCEEDED(hr)) hr = SpustitSkript(id, false, nahrady);
        if (SUCCEEDED(hr)) hr = RegistrovatTypovouKnihovnu(false);
        if (SUCCEEDED(hr)) hr = SpustitSkript(popis.skriptAppId, false, nahrady);
    }
    ::SetThreadLocale(puvodni);
    return SUCCEEDED(hr) ? S_OK : hr;
}

// ---- programs and the clipboard --------------------------------------------------------------

std::wstring ProgramVedleModulu(const wchar_t* jmenoProgramu) {
    std::wstring slozka = CestaModulu();
    if (slozka.empty()) return std::wstring();
    const size_t lomitko = slozka.find_last_of(L"\\/");
    if (lomitko == std::wstring::npos) return std::wstring();
    slozka.resize(lomitko);
    return slozka + L"\\" + jmenoProgramu;
}

bool SpustitBezCekani(const std::wstring& program, std::wstring radek) {
    if (program.empty()) return false;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    radek.push_back(L'\0');
    if (!::CreateProcessW(program.c_str(), &radek[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

std::wstring RadekSCestami(const std::vector<std::wstring>& cesty, bool dvojitaMezera) {
    const size_t MAX_RADEK = 32767 - 1;
    std::wstring radek = dvojitaMezera ? L" " : L"";
    for (const auto& cesta : cesty) {
        if (radek.size() + cesta.size() + 3 > MAX_RADEK) continue;
        radek += L" \"";
        radek += cesta;
        radek += L"\"";
    }
    return radek;
}

HRESULT NacistSoubory(IDataObject* data, std::vector<std::wstring>& soubory) {
    soubory.clear();
    if (!data) return E_INVALIDARG;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    HRESULT hr = data->GetData(&format, &medium);
    if (FAILED(hr)) return E_INVALIDARG;
    if (medium.tymed != TYMED_HGLOBAL || !medium.hGlobal) {
        ::ReleaseStgMedium(&medium);
        return E_INVALIDARG;
    }
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    const UINT pocet = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < pocet; ++i) {
        wchar_t jmeno[MAX_PATH] = L"";
        // names of MAX_PATH characters or more would be cut: leave them out instead
        UINT delka = ::DragQueryFileW(drop, i, nullptr, 0);
        if (delka == 0 || delka >= MAX_PATH) continue;
        if (::DragQueryFileW(drop, i, jmeno, MAX_PATH) == delka) soubory.emplace_back(jmeno, delka);
    }
    ::ReleaseStgMedium(&medium);
    return hr;
}

bool UnicodeTextDoSchranky(const std::wstring& text) {
    if (!::OpenClipboard(::GetDesktopWindow())) return false;
    bool hotovo = false;
    const SIZE_T bajtu = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL pamet = ::GlobalAlloc(GMEM_MOVEABLE, bajtu);
    if (pamet) {
        void* cil = ::GlobalLock(pamet);
        if (cil) {
            memcpy(cil, text.c_str(), bajtu);
            ::GlobalUnlock(pamet);
            if (::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, pamet)) {
                hotovo = true;
                pamet = nullptr;  // the clipboard owns it now
            }
        }
        if (pamet) ::GlobalFree(pamet);
    }
    ::CloseClipboard();
    return hotovo;
}

// ---- class factory ---------------------------------------------------------------------------

namespace {

class TovarnaTrid : public IClassFactory {
public:
    explicit TovarnaTrid(VytvoritObjekt vytvorit) : m_vytvorit(vytvorit) { Zamknout(); }
    virtual ~TovarnaTrid() { Odemknout(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** vysledek) override {
        if (!vysledek) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *vysledek = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *vysledek = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_odkazy)); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = ::InterlockedDecrement(&m_odkazy);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP CreateInstance(IUnknown* vnejsi, REFIID iid, void** vysledek) override {
        if (!vysledek) return E_POINTER;
        *vysledek = nullptr;
        if (vnejsi) return CLASS_E_NOAGGREGATION;
        return m_vytvorit(iid, vysledek);
    }
    STDMETHODIMP LockServer(BOOL zamknout) override {
        if (zamknout)
            Zamknout();
        else
            Odemknout();
        return S_OK;
    }

private:
    LONG m_odkazy = 1;
    VytvoritObjekt m_vytvorit;
};

}  // namespace

HRESULT ZiskatTovarnu(const TridaServeru* tridy, size_t pocet, REFCLSID clsid, REFIID iid, void** vysledek) {
    if (!vysledek) return E_POINTER;
    *vysledek = nullptr;
    for (size_t i = 0; i < pocet; ++i) {
        if (!IsEqualCLSID(clsid, *tridy[i].clsid)) continue;
        TovarnaTrid* tovarna = new (std::nothrow) TovarnaTrid(tridy[i].vytvorit);
        if (!tovarna) return E_OUTOFMEMORY;
        HRESULT hr = tovarna->QueryInterface(iid, vysledek);
        tovarna->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

// ---- context-menu base -----------------------------------------------------------------------

ContextMenuZaklad::ContextMenuZaklad(const IID& iidVlastni, const GUID& libid) : m_iidVlastni(iidVlastni), m_libid(libid) {
    Zamknout();
}

ContextMenuZaklad::~ContextMenuZaklad() {
    if (m_typeInfo) m_typeInfo->Release();
    Odemknout();
}

STDMETHODIMP ContextMenuZaklad::QueryInterface(REFIID iid, void** vysledek) {
    if (!vysledek) return E_POINTER;
    *vysledek = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IShellExtInit))
        *vysledek = static_cast<IShellExtInit*>(this);
    else if (IsEqualIID(iid, IID_IContextMenu))
        *vysledek = static_cast<IContextMenu*>(this);
    else if (IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, m_iidVlastni))
        *vysledek = static_cast<IDispatch*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ContextMenuZaklad::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_pocetOdkazu)); }

STDMETHODIMP_(ULONG) ContextMenuZaklad::Release() {
    LONG n = ::InterlockedDecrement(&m_pocetOdkazu);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT ContextMenuZaklad::NacistTypeInfo() {
    if (m_typeInfo) return S_OK;
    ITypeLib* knihovna = nullptr;
    HRESULT hr = ::LoadRegTypeLib(m_libid, 1, 0, LOCALE_NEUTRAL, &knihovna);
    if (FAILED(hr)) {
        const std::wstring modul = CestaModulu();
        hr = ::LoadTypeLibEx(modul.c_str(), REGKIND_NONE, &knihovna);
    }
    if (FAILED(hr)) return hr;
    hr = knihovna->GetTypeInfoOfGuid(m_iidVlastni, &m_typeInfo);
    knihovna->Release();
    return hr;
}

STDMETHODIMP ContextMenuZaklad::GetTypeInfoCount(UINT* pocet) {
    if (!pocet) return E_POINTER;
    *pocet = 1;
    return S_OK;
}

STDMETHODIMP ContextMenuZaklad::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    HRESULT hr = NacistTypeInfo();
    if (FAILED(hr)) return hr;
    m_typeInfo->AddRef();
    *info = m_typeInfo;
    return S_OK;
}

STDMETHODIMP ContextMenuZaklad::GetIDsOfNames(REFIID, LPOLESTR* jmena, UINT pocet, LCID, DISPID* id) {
    HRESULT hr = NacistTypeInfo();
    if (FAILED(hr)) return hr;
    return ::DispGetIDsOfNames(m_typeInfo, jmena, pocet, id);
}

STDMETHODIMP ContextMenuZaklad::Invoke(DISPID id, REFIID, LCID, WORD priznaky, DISPPARAMS* parametry, VARIANT* vysledek,
                                       EXCEPINFO* vyjimka, UINT* chybny) {
    HRESULT hr = NacistTypeInfo();
    if (FAILED(hr)) return hr;
    return ::DispInvoke(static_cast<IDispatch*>(this), m_typeInfo, id, priznaky, parametry, vysledek, vyjimka, chybny);
}

STDMETHODIMP ContextMenuZaklad::QueryContextMenu(HMENU menu, UINT index, UINT prvniId, UINT posledniId, UINT priznaky) {
    if (priznaky & CMF_DEFAULTONLY) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    const UINT pocet = PocetPolozek();
    if (prvniId > posledniId || posledniId - prvniId + 1 < pocet) return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    for (UINT i = 0; i < pocet; ++i) {
        if (!::InsertMenuW(menu, index + i, MF_BYPOSITION | MF_STRING, prvniId + i, TextPolozky(i)))
            return HRESULT_FROM_WIN32(::GetLastError());
    }
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, pocet);
}

STDMETHODIMP ContextMenuZaklad::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (!info) return E_INVALIDARG;
    // verbs by name are not ours: only the offset of one of our items is accepted
    if (!IS_INTRESOURCE(info->lpVerb)) return E_INVALIDARG;
    const UINT id = LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));
    if (id >= PocetPolozek()) return E_INVALIDARG;
    Provest(id);
    return S_OK;
}

STDMETHODIMP ContextMenuZaklad::GetCommandString(UINT_PTR id, UINT priznaky, UINT*, CHAR* buffer, UINT velikost) {
    // only the Unicode help text is given; an ANSI or verb request gets no half-filled buffer
    if (priznaky != GCS_HELPTEXTW) return E_FAIL;
    if (id >= PocetPolozek() || !buffer || velikost == 0) return E_INVALIDARG;
    ::lstrcpynW(reinterpret_cast<wchar_t*>(buffer), NapovedaPolozky(static_cast<UINT>(id)), static_cast<int>(velikost));
    return S_OK;
}

}  // namespace ramec
