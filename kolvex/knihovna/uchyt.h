// Owners of every kind of handle the program holds: each closes its handle exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <utility>

namespace knihovna {

// Owner of one handle; Zavrit is the traits' release function, Neplatny its empty value.
template <class Vlastnosti>
class Uchyt {
public:
    using Typ = typename Vlastnosti::Typ;

    Uchyt() = default;
    explicit Uchyt(Typ h) : m_h(h) {}
    ~Uchyt() { Uvolnit(); }
    Uchyt(const Uchyt&) = delete;
    Uchyt& operator=(const Uchyt&) = delete;
    Uchyt(Uchyt&& jiny) noexcept : m_h(jiny.Odevzdat()) {}
    Uchyt& operator=(Uchyt&& jiny) noexcept {
        if (this != &jiny) Nastavit(jiny.Odevzdat());
        return *this;
    }

    Typ Get() const { return m_h; }
    explicit operator bool() const { return m_h != Vlastnosti::Neplatny(); }
    // Releases the current handle and keeps a new one.
    void Nastavit(Typ h = Vlastnosti::Neplatny()) {
        Uvolnit();
        m_h = h;
    }
    // Gives the handle away without releasing it.
    Typ Odevzdat() {
        Typ h = m_h;
        m_h = Vlastnosti::Neplatny();
        return h;
    }
    // Releases now; false when the release function failed.
    bool Uvolnit() {
        bool ok = true;
        if (m_h != Vlastnosti::Neplatny()) ok = Vlastnosti::Zavrit(m_h);
        m_h = Vlastnosti::Neplatny();
        return ok;
    }
    Typ* Adresa() {
        Uvolnit();
        return &m_h;
    }

private:
    Typ m_h = Vlastnosti::Neplatny();
};

#define KNIHOVNA_UCHYT(Jmeno, TypUchytu, prazdny, zavrit)                                  \
    struct Jmeno##Vlastnosti {                                                             \
        using Typ = TypUchytu;                                                             \
        static Typ Neplatny() { return prazdny; }                                          \
        static bool Zavrit(Typ h) { return (zavrit) != 0; }                                \
    };                                                                                     \
    using Jmeno = Uchyt<Jmeno##Vlastnosti>;

KNIHOVNA_UCHYT(UchytHandle, HANDLE, nullptr, CloseHandle(h))
KNIHOVNA_UCHYT(UchytSouboru, HANDLE, INVALID_HANDLE_VALUE, CloseHandle(h))
KNIHOVNA_UCHYT(UchytHledani, HANDLE, INVALID_HANDLE_VALUE, FindClose(h))
KNIHOVNA_UCHYT(UchytKlice, HKEY, nullptr, RegCloseKey(h) == ERROR_SUCCESS)
KNIHOVNA_UCHYT(UchytGdi, HGDIOBJ, nullptr, DeleteObject(h))
KNIHOVNA_UCHYT(UchytBitmapy, HBITMAP, nullptr, DeleteObject(h))
KNIHOVNA_UCHYT(UchytPisma, HFONT, nullptr, DeleteObject(h))
KNIHOVNA_UCHYT(UchytStetce, HBRUSH, nullptr, DeleteObject(h))
KNIHOVNA_UCHYT(UchytPera, HPEN, nullptr, DeleteObject(h))
KNIHOVNA_UCHYT(UchytDc, HDC, nullptr, DeleteDC(h))
KNIHOVNA_UCHYT(UchytIkony, HICON, nullptr, DestroyIcon(h))
KNIHOVNA_UCHYT(UchytKurzoru, HCURSOR, nullptr, DestroyCursor(h))
KNIHOVNA_UCHYT(UchytMenu, HMENU, nullptr, DestroyMenu(h))
KNIHOVNA_UCHYT(UchytSeznamuObrazku, HIMAGELIST, nullptr, ImageList_Destroy(h))
KNIHOVNA_UCHYT(UchytKnihovny, HMODULE, nullptr, FreeLibrary(h))
KNIHOVNA_UCHYT(UchytOkna, HWND, nullptr, DestroyWindow(h))

#undef KNIHOVNA_UCHYT

// A DC borrowed from a window (GetDC / ReleaseDC).
class DcOkna {
public:
    explicit DcOkna(HWND okno) : m_okno(okno), m_dc(GetDC(okno)) {}
    ~DcOkna() {
        if (m_dc) ReleaseDC(m_okno, m_dc);
    }
    DcOkna(const DcOkna&) = delete;
    DcOkna& operator=(const DcOkna&) = delete;
    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_okno;
    HDC m_dc;
};

// A GDI object selected into a DC for one scope.
class VybranyObjekt {
public:
    VybranyObjekt(HDC dc, HGDIOBJ objekt) : m_dc(dc), m_puvodni(SelectObject(dc, objekt)) {}
    ~VybranyObjekt() {
        if (m_puvodni && m_puvodni != HGDI_ERROR) SelectObject(m_dc, m_puvodni);
    }
    VybranyObjekt(const VybranyObjekt&) = delete;
    VybranyObjekt& operator=(const VybranyObjekt&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_puvodni;
};

// A block from the process heap.
class BlokHaldy {
public:
    explicit BlokHaldy(SIZE_T velikost) : m_data(HeapAlloc(GetProcessHeap(), 0, velikost)) {}
    ~BlokHaldy() { Uvolnit(); }
    BlokHaldy(const BlokHaldy&) = delete;
    BlokHaldy& operator=(const BlokHaldy&) = delete;
    void* Get() const { return m_data; }
    explicit operator bool() const { return m_data != nullptr; }
    bool Uvolnit() {
        bool ok = true;
        if (m_data) ok = HeapFree(GetProcessHeap(), 0, m_data) != 0;
        m_data = nullptr;
        return ok;
    }

private:
    void* m_data;
};

// A critical section, entered for one scope by Zamek.
class KritickaSekce {
public:
    KritickaSekce() { InitializeCriticalSection(&m_cs); }
    ~KritickaSekce() { DeleteCriticalSection(&m_cs); }
    KritickaSekce(const KritickaSekce&) = delete;
    KritickaSekce& operator=(const KritickaSekce&) = delete;
    void Vstoupit() { EnterCriticalSection(&m_cs); }
    void Opustit() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

class Zamek {
public:
    explicit Zamek(KritickaSekce& sekce) : m_sekce(sekce) { m_sekce.Vstoupit(); }
    ~Zamek() { m_sekce.Opustit(); }
    Zamek(const Zamek&) = delete;
    Zamek& operator=(const Zamek&) = delete;

private:
    KritickaSekce& m_sekce;
};

// Owning COM interface pointer.
template <class T>
class ComUkazatel {
public:
    ComUkazatel() = default;
    // Takes a new reference to p.
    ComUkazatel(T* p) : m_p(p) {  // NOLINT: implicit by design, like a raw interface pointer
        if (m_p) m_p->AddRef();
    }
    ComUkazatel(const ComUkazatel& jiny) : ComUkazatel(jiny.m_p) {}
    ComUkazatel(ComUkazatel&& jiny) noexcept : m_p(jiny.m_p) { jiny.m_p = nullptr; }
    ~ComUkazatel() { Uvolnit(); }
    ComUkazatel& operator=(ComUkazatel jiny) noexcept {
        std::swap(m_p, jiny.m_p);
        return *this;
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T** Adresa() {
        Uvolnit();
        return &m_p;
    }
    void Uvolnit() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }
    // Keeps p without a new reference (p came from a call that already added one).
    void Prevzit(T* p) {
        Uvolnit();
        m_p = p;
    }

private:
    T* m_p = nullptr;
};

// COM initialised on this thread for one scope.
class InicializaceCom {
public:
    explicit InicializaceCom(DWORD model = COINIT_APARTMENTTHREADED) : m_hr(CoInitializeEx(nullptr, model)) {}
    ~InicializaceCom() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    InicializaceCom(const InicializaceCom&) = delete;
    InicializaceCom& operator=(const InicializaceCom&) = delete;
    HRESULT Vysledek() const { return m_hr; }

private:
    HRESULT m_hr;
};

}  // namespace knihovna
