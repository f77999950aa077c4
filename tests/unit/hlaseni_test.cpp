// Reports of failing module and tool threads, the fatal error and the caption formats.
#include <gtest/gtest.h>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/oknohlavni.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

using knihovna::Chyba;
using testy::ZachytavacZprav;

namespace {

// A main window of the test thread, so that the posted WM_CLOSE can be seen.
class HlavniOknoTestu {
public:
    HlavniOknoTestu() {
        oknoHlavni = std::make_unique<OknoHlavni>();
        oknoHlavni->OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, L"test", WS_POPUP, 0, L"QKolvexTestHlavni");
        aplikace.titulek = L"Kolvex";
    }
    ~HlavniOknoTestu() { oknoHlavni.reset(); }
    bool PrisloZavreni() {
        MSG msg;
        return ::PeekMessageW(&msg, oknoHlavni->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
    }
};

struct UkonceniProcesu {
    UINT kod;
};
void ZachytitUkonceni(UINT kod) { throw UkonceniProcesu{kod}; }

}  // namespace

TEST(Hlaseni, ChybaVlaknaSeZeptaAAnoZavreHlavniOkno) {
    HlavniOknoTestu hlavni;
    const Chyba chyba(E_OUTOFMEMORY);
    struct Pripad {
        void (*hlasit)(const Chyba&, UINT);
        const wchar_t* otazka;
    } pripady[] = {
        {HlasitChybuVlaknaModulu, L"Došlo k chybě v nástroji \"%s\".\nPopis Chyby: %s\n\nChcete aplikaci \"%s\" ukončit?"},
        {HlasitChybuSpusteniModulu, L"Došlo k chybě při spouštění modulu \"%s\"!\n%s\n\nChcete aplikaci \"%s\" ukončit?"},
        {HlasitChybuSpusteniNastroje, L"Došlo k chybě při spouštění nástroje \"%s\"!\n%s\n\nChcete aplikaci \"%s\" ukončit?"},
    };
    for (const Pripad& p : pripady) {
        for (int odpoved : {IDYES, IDNO}) {
            ZachytavacZprav zachytavac;
            zachytavac.odpovedi = {IDOK, odpoved};
            p.hlasit(chyba, IDS_KLIC_REZIMU_OBRAZOVKY);
            ASSERT_EQ(zachytavac.zpravy.size(), 2u);
            EXPECT_EQ(zachytavac.zpravy[0].text, chyba.Zprava());
            EXPECT_EQ(zachytavac.zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
            EXPECT_EQ(zachytavac.zpravy[1].text,
                      knihovna::Formatovat(p.otazka, L"Rezimy obrazovky", chyba.Zprava().c_str(), L"Kolvex"));
            EXPECT_EQ(zachytavac.zpravy[1].priznaky, 0x12034u);
            EXPECT_EQ(hlavni.PrisloZavreni(), odpoved == IDYES);
        }
    }
}

TEST(Hlaseni, ChybaNastrojeAExternihoModulu) {
    HlavniOknoTestu hlavni;
    knihovna::Modul nastroj;
    nastroj.titulek = L"Nástroj";
    const Chyba chyba(E_FAIL);

    ZachytavacZprav zachytavac(IDYES);
    HlasitChybuVlaknaNastroje(nastroj, chyba, IDS_KLIC_REZIMU_OBRAZOVKY);
    HlasitChybuExternihoModulu(chyba, L"Zásuvný modul");
    ASSERT_EQ(zachytavac.zpravy.size(), 4u);
    EXPECT_EQ(zachytavac.zpravy[1].titulek, L"Nástroj");
    EXPECT_EQ(zachytavac.zpravy[1].text.rfind(L"Došlo k chybě v nástroji \"Rezimy obrazovky\".", 0), 0u);
    EXPECT_EQ(zachytavac.zpravy[3].text,
              knihovna::Formatovat(L"Došlo k chybě v externím modulu \"%s\".\nPopis Chyby: %s\n\nChcete aplikaci "
                                   L"\"%s\" ukončit?",
                                   L"Zásuvný modul", chyba.Zprava().c_str(), L"Kolvex"));
    EXPECT_TRUE(hlavni.PrisloZavreni());
}

TEST(Hlaseni, ChybaUkonceniVzdyZavreProgram) {
    HlavniOknoTestu hlavni;
    ZachytavacZprav zachytavac;
    // one message naming the module: the time-out's raw code is no second box
    HlasitChybuUkonceniModulu(Chyba(knihovna::HresultZKodu(WAIT_TIMEOUT)), IDS_KLIC_REZIMU_OBRAZOVKY);
    ASSERT_EQ(zachytavac.zpravy.size(), 1u) << zachytavac;
    EXPECT_EQ(zachytavac.zpravy[0].text, L"Došlo k chybě při ukončování prováděcího toku modulu \"Rezimy obrazovky\"!");
    EXPECT_EQ(zachytavac.zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_TRUE(hlavni.PrisloZavreni());

    knihovna::Modul nastroj;
    HlasitChybuUkonceniNastroje(nastroj, Chyba(E_FAIL), IDS_KLIC_REZIMU_OBRAZOVKY);
    EXPECT_EQ(zachytavac.zpravy.size(), 2u) << zachytavac;
    EXPECT_EQ(zachytavac.zpravy.back().text, L"Došlo k chybě při ukončování nástrojeu \"Rezimy obrazovky\"!");
    EXPECT_TRUE(hlavni.PrisloZavreni());
}

TEST(Hlaseni, ChybejiciNazevModuluVyvolaChybu) {
    ZachytavacZprav zachytavac;
    EXPECT_THROW(HlasitChybuVlaknaModulu(Chyba(E_FAIL), 64997), Chyba);
}

TEST(Hlaseni, ZavaznaChybaUkonciProces) {
    aplikace.titulek = L"Kolvex";
    auto* const puvodni = ukoncitProces;
    ukoncitProces = ZachytitUkonceni;
    ZachytavacZprav zachytavac;
    try {
        UkoncitPoZavazneChybe(L"Chybí text");
        ADD_FAILURE() << "returned";
    } catch (const UkonceniProcesu& u) {
        EXPECT_EQ(u.kod, 0xFFFFFFFFu);
    }
    ::SetLastError(0);
    try {
        UkoncitPoZavazneChybe();
    } catch (const UkonceniProcesu&) {
    }
    ukoncitProces = puvodni;
    ASSERT_EQ(zachytavac.zpravy.size(), 2u);
    EXPECT_EQ(zachytavac.zpravy[0].text, L"Došlo k významné chybě!\n\nChybí text\n\nAplikace Kolvex bude nyní ukončena.");
    EXPECT_EQ(zachytavac.zpravy[0].priznaky, static_cast<UINT>(MB_ICONERROR | MB_SETFOREGROUND));
    EXPECT_EQ(zachytavac.zpravy[1].text,
              L"Došlo k významné chybě!\n\nNespecifikovaná chyba\n\nAplikace Kolvex bude nyní ukončena.");
}

TEST(Hlaseni, FormatyTitulkuATipu) {
    aplikace.titulek = L"Kolvex";
    std::wstring text;
    FormatovatTextSDoplnkem(IDS_KLIC_REZIMU_OBRAZOVKY, text);
    EXPECT_EQ(text, L"Rezimy obrazovky (Kolvex)");
    FormatovatTextSNadpisem(IDS_KLIC_REZIMU_OBRAZOVKY, text);
    EXPECT_EQ(text, L"* Rezimy obrazovky *\nKolvex");
    FormatovatTextSNadpisemPoznamky(IDS_KLIC_REZIMU_OBRAZOVKY, text);
    EXPECT_EQ(text, L"* Rezimy obrazovky *\nKolvex");
    EXPECT_THROW(FormatovatTextSNadpisem(64996, text), Chyba);
}

TEST(Hlaseni, BublinyBezHlavniIkonyNicNedelaji) {
    oknoHlavni.reset();
    EXPECT_NO_THROW(ZobrazitBublinuHlavniIkony(nullptr, L"text"));
    EXPECT_NO_THROW(SkrytBublinuHlavniIkony());
    EXPECT_NO_THROW(ZobrazitChybuComVBubline(L"text", Chyba(E_FAIL)));
    EXPECT_NO_THROW(ZobrazitChybuVBublineId(IDS_KLIC_REZIMU_OBRAZOVKY));
}

namespace {
std::vector<NOTIFYICONDATAW> oznameni;
BOOL WINAPI ZaznamenatOznameni(DWORD zprava, PNOTIFYICONDATAW data) {
    if (zprava == NIM_MODIFY) oznameni.push_back(*data);
    return TRUE;
}
}  // namespace

TEST(Hlaseni, ChybovaBublinaNaHlavniIkone) {
    HlavniOknoTestu hlavni;
    oknoHlavni->ikona = std::make_unique<IkonaTray>();
    oknoHlavni->ikona->okno = oknoHlavni->m_hWnd;
    oknoHlavni->ikona->id = 1;
    auto* const puvodni = notifikacniIkona;
    notifikacniIkona = ZaznamenatOznameni;
    oznameni.clear();
    aplikace.nastaveni.zvuk = false;

    ZobrazitChybuComVBubline(L"Nepodařilo se", Chyba(E_FAIL));
    notifikacniIkona = puvodni;
    oknoHlavni->ikona->id = 0;
    aplikace.nastaveni.zvuk = true;

    ASSERT_EQ(oznameni.size(), 2u);  // the previous balloon is hidden first
    EXPECT_EQ(std::wstring(oznameni[0].szInfo), L"");
    EXPECT_EQ(std::wstring(oznameni[1].szInfo), L"Nepodařilo se\nChyba: " + Chyba(E_FAIL).Zprava());
    EXPECT_EQ(std::wstring(oznameni[1].szInfoTitle), L"Kolvex");
    EXPECT_EQ(oznameni[1].dwInfoFlags, static_cast<DWORD>(NIIF_ERROR | NIIF_NOSOUND));
    EXPECT_EQ(oznameni[1].uTimeout, 11000u);
}
