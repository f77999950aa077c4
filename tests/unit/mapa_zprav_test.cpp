// Message maps, subclassing and superclassing, reflection, and exceptions kept at the window edge.
#include <gtest/gtest.h>

#include <thread>

#include "knihovna/okno.h"
#include "knihovna/vyjimky.h"
#include "podpora/pomocnik.h"

using knihovna::Chyba;
using knihovna::OknoImpl;
using knihovna::OknoObal;

namespace {

constexpr UINT ZPRAVA_HOD = WM_APP + 50;
constexpr UINT ZPRAVA_NEZPRACOVANA = WM_APP + 51;

class Zaklad {
public:
    int zakladVidel = 0;
    KNIHOVNA_MAPA_ZPRAV(Zaklad)
        ZPRAVA(WM_APP + 60, OnZaklad)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnZaklad(UINT, WPARAM, LPARAM, BOOL&) {
        ++zakladVidel;
        return 60;
    }
};

class Okno : public OknoImpl<Okno, OknoObal>, public Zaklad {
public:
    std::vector<UINT> prikazy;
    bool vyhoditPriVytvoreni = false;
    int posledni = 0;

    KNIHOVNA_MAPA_ZPRAV(Okno)
        ZPRAVA(WM_CREATE, OnCreate)
        ZPRAVA(ZPRAVA_HOD, OnHod)
        ZPRAVA(ZPRAVA_NEZPRACOVANA, OnNechat)
        PRIKAZY_ID(100, 199, OnRozsah)
        PRIKAZ_ID(150, OnNikdy)  // the range above takes it first
        RETEZ_MAPY(Zaklad)
    KNIHOVNA_KONEC_MAPY()

    LRESULT OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
        if (vyhoditPriVytvoreni) knihovna::VyhoditChybu(E_ACCESSDENIED);
        return 0;
    }
    LRESULT OnHod(UINT, WPARAM w, LPARAM, BOOL&) {
        knihovna::VyhoditChybu(static_cast<HRESULT>(w));
        return 0;
    }
    LRESULT OnNechat(UINT, WPARAM, LPARAM, BOOL& zpracovano) {
        zpracovano = FALSE;  // default processing still runs
        return 77;
    }
    LRESULT OnRozsah(WORD, WORD id, HWND, BOOL&) {
        prikazy.push_back(id);
        return 1;
    }
    LRESULT OnNikdy(WORD, WORD, HWND, BOOL&) {
        ADD_FAILURE();
        return 0;
    }
    void PosledniZprava(HWND) override { posledni++; }

    HWND Vytvorit() { return OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, L"", WS_POPUP, 0, L"QKolvexTestMapa"); }
};

}  // namespace

TEST(MapaZprav, SmerujePodlePoradiARetezi) {
    Okno okno;
    ASSERT_NE(okno.Vytvorit(), nullptr);
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(150, 0), 0), 1);
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(199, 0), 0), 1);
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, WM_COMMAND, MAKEWPARAM(200, 0), 0), 0);  // unhandled: default
    EXPECT_EQ(okno.prikazy, (std::vector<UINT>{150, 199}));
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, WM_APP + 60, 0, 0), 60);
    EXPECT_EQ(okno.zakladVidel, 1);
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, ZPRAVA_NEZPRACOVANA, 0, 0), 0);  // DefWindowProc's result
    ::DestroyWindow(okno.m_hWnd);
    EXPECT_EQ(okno.m_hWnd, nullptr);
    EXPECT_EQ(okno.posledni, 1);
}

TEST(MapaZprav, VyjimkaZObsluhyProjdeAzZaDispatch) {
    Okno okno;
    okno.Vytvorit();
    // sent: the window procedure returns normally, the error waits for this thread
    ::SendMessageW(okno.m_hWnd, ZPRAVA_HOD, static_cast<WPARAM>(E_HANDLE), 0);
    ASSERT_TRUE(knihovna::JeOdlozenaVyjimka());
    try {
        knihovna::VyhoditOdlozenouVyjimku();
        ADD_FAILURE() << "nothing raised";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_HANDLE);
    }
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());

    // posted: the message loop raises it after DispatchMessageW
    ::PostMessageW(okno.m_hWnd, ZPRAVA_HOD, static_cast<WPARAM>(E_OUTOFMEMORY), 0);
    try {
        knihovna::SmyckaZprav();
        ADD_FAILURE() << "the loop ended without the error";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_OUTOFMEMORY);
    }
    // the window still works afterwards
    EXPECT_EQ(::SendMessageW(okno.m_hWnd, WM_APP + 60, 0, 0), 60);
}

TEST(MapaZprav, ChybaPriVytvoreniVyvolaChybuAOknoNezustane) {
    Okno okno;
    okno.vyhoditPriVytvoreni = true;
    try {
        okno.Vytvorit();
        ADD_FAILURE() << "created";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_ACCESSDENIED);
    }
    EXPECT_EQ(okno.m_hWnd, nullptr);
    EXPECT_FALSE(knihovna::JeOdlozenaVyjimka());
}

namespace {

class Edit : public OknoImpl<Edit, OknoObal> {
public:
    std::vector<std::wstring> texty;
    int odrazene = 0;
    KNIHOVNA_MAPA_ZPRAV(Edit)
        ZPRAVA(WM_SETTEXT, OnSetText)
        ZPRAVA(knihovna::ODRAZENA_ZPRAVA + WM_COMMAND, OnOdrazeny)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnSetText(UINT, WPARAM, LPARAM l, BOOL& zpracovano) {
        texty.emplace_back(reinterpret_cast<const wchar_t*>(l));
        zpracovano = FALSE;  // the control stores it as usual
        return 0;
    }
    LRESULT OnOdrazeny(UINT, WPARAM w, LPARAM, BOOL&) {
        odrazene = HIWORD(w);
        return 0;
    }
};

class Rodic : public OknoImpl<Rodic, OknoObal> {
public:
    KNIHOVNA_MAPA_ZPRAV(Rodic)
        ODRAZIT_NOTIFIKACE()
    KNIHOVNA_KONEC_MAPY()
};

}  // namespace

// A window's object is looked up for every message and kept per thread: an object attached or
// detached in between, on this thread or another, is what the next message finds.
TEST(MapaZprav, ObjektOknaSledujePripojeniIOdpojeniZJinehoVlakna) {
    Okno okno;
    ASSERT_NE(okno.Vytvorit(), nullptr);
    HWND h = okno.m_hWnd;
    EXPECT_EQ(::SendMessageW(h, WM_APP + 60, 0, 0), 60);
    EXPECT_EQ(::SendMessageW(h, WM_APP + 60, 0, 0), 60);
    EXPECT_EQ(okno.zakladVidel, 2);

    Okno jine;
    knihovna::detail::PripojitObjekt(h, &jine);
    EXPECT_EQ(knihovna::detail::ObjektOkna(h), &jine);
    EXPECT_EQ(::SendMessageW(h, WM_APP + 60, 0, 0), 60);
    EXPECT_EQ(jine.zakladVidel, 1);
    EXPECT_EQ(okno.zakladVidel, 2);

    // detached by another thread: this thread's next message goes to default processing
    std::thread([h] { knihovna::detail::OdpojitObjekt(h); }).join();
    EXPECT_EQ(knihovna::detail::ObjektOkna(h), nullptr);
    EXPECT_EQ(::SendMessageW(h, WM_APP + 60, 0, 0), 0);
    EXPECT_EQ(jine.zakladVidel, 1);

    // and attached again by another thread
    std::thread([h, &okno] { knihovna::detail::PripojitObjekt(h, &okno); }).join();
    EXPECT_EQ(::SendMessageW(h, WM_APP + 60, 0, 0), 60);
    EXPECT_EQ(okno.zakladVidel, 3);
    ::DestroyWindow(h);
    EXPECT_EQ(knihovna::detail::ObjektOkna(h), nullptr);
}

TEST(MapaZprav, PodtridaNadtridaAOdrazeni) {
    Rodic rodic;
    rodic.Vytvorit(nullptr, nullptr, L"", WS_POPUP, 0, L"QKolvexTestRodic");
    HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 100, 20, rodic.m_hWnd,
                                   reinterpret_cast<HMENU>(7), nullptr, nullptr);
    {
        Edit edit;
        edit.Pripojit(hEdit);
        ::SetWindowTextW(hEdit, L"Žluťoučký kůň");
        ASSERT_EQ(edit.texty.size(), 1u);
        EXPECT_EQ(edit.texty[0], L"Žluťoučký kůň");
        EXPECT_EQ(OknoObal(hEdit).Text(), L"Žluťoučký kůň");

        ::SendMessageW(rodic.m_hWnd, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), reinterpret_cast<LPARAM>(hEdit));
        EXPECT_EQ(edit.odrazene, EN_CHANGE);
        EXPECT_EQ(edit.Odpojit(), hEdit);
        ::SetWindowTextW(hEdit, L"po odpojení");
        EXPECT_EQ(edit.texty.size(), 1u);
    }
    EXPECT_TRUE(::IsWindow(hEdit));  // detaching leaves the control alive

    Edit::RegistrovatSuperTridu(L"EDIT", L"QKolvexTestEdit");
    Edit nadtrida;
    nadtrida.Vytvorit(rodic.m_hWnd, nullptr, L"začátek", WS_CHILD, 0, L"QKolvexTestEdit");
    EXPECT_EQ(nadtrida.Text(), L"začátek");  // the edit's own creation still ran
    ::SetWindowTextW(nadtrida.m_hWnd, L"ěščř");
    EXPECT_EQ(nadtrida.Text(), L"ěščř");
    EXPECT_EQ(nadtrida.texty.back(), L"ěščř");
}

namespace {

class Dialog : public knihovna::DialogImpl<Dialog> {
public:
    enum { IDD = 9001 };
    bool vyhodit = false;
    std::wstring text;
    KNIHOVNA_MAPA_ZPRAV(Dialog)
        ZPRAVA(WM_INITDIALOG, OnInit)
        PRIKAZ_ID(IDOK, OnOk)
    KNIHOVNA_KONEC_MAPY()
    LRESULT OnInit(UINT, WPARAM, LPARAM l, BOOL&) {
        ::SetDlgItemTextW(m_hWnd, 1001, reinterpret_cast<const wchar_t*>(l));
        ::PostMessageW(m_hWnd, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    LRESULT OnOk(WORD, WORD, HWND, BOOL&) {
        text = OknoObal(Polozka(1001)).Text();
        if (vyhodit) knihovna::VyhoditChybu(E_ABORT);
        Ukoncit(IDOK);
        return 0;
    }
};

}  // namespace

TEST(MapaZprav, ModalniDialogPredaParametrAChybuVyvolaPoSkonceni) {
    Dialog dialog;
    EXPECT_EQ(dialog.SpustitModalne(nullptr, reinterpret_cast<LPARAM>(L"Přihlášený uživatel")), IDOK);
    EXPECT_EQ(dialog.text, L"Přihlášený uživatel");

    Dialog chybny;
    chybny.vyhodit = true;
    try {
        chybny.SpustitModalne(nullptr, reinterpret_cast<LPARAM>(L"x"));
        ADD_FAILURE() << "no error";
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_ABORT);
    }
    EXPECT_EQ(chybny.text, L"x");
}
