// Sonvidar.exe at the ends a user does not choose: Windows ending the session while it records
// (the session messages to every top-level window of the process, then the process ended), and
// stored settings with a damaged value (a recording starts unless it needs that value).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "podpora/pomocnik.h"
#include "podpora/ridic.h"

using namespace testy;

namespace {

const std::wstring KLIC = L"Software\\Brenvald\\SonvidarKolvex\\1.0";
constexpr DWORD CEKANI_NA_OKNO_MS = 10000;

std::string Obsah(const std::wstring& soubor) {
    const std::vector<BYTE> b = PrecistBajty(soubor);
    return std::string(b.begin(), b.end());
}

void ZapsatHodnotu(const wchar_t* sekce, const wchar_t* nazev, DWORD typ, const void* data, DWORD velikost) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (KLIC + L"\\" + sekce).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h,
                                nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(h, nazev, 0, typ, static_cast<const BYTE*>(data), velikost), ERROR_SUCCESS);
    ::RegCloseKey(h);
}

class SonvidarKonce : public ::testing::Test {
protected:
    void SetUp() override { SmazatKlic(KLIC); }
    void TearDown() override { SmazatKlic(KLIC); }
};

// ---------------------------------------------------------------------------------------------
// The session ends while a recording runs: the encoder is stopped before WM_ENDSESSION returns
// (the process is ended right after it, as Windows does), without a box. A log-off that another
// program cancels (WM_ENDSESSION FALSE) leaves the recording running.

struct KonecRelace {
    const char* pripad;
    const wchar_t* prikaz;
    const wchar_t* soubor;
    bool konci;  // WM_ENDSESSION(TRUE), else the end was cancelled
};

void PrintTo(const KonecRelace& p, std::ostream* vystup) { *vystup << p.pripad; }

class SonvidarKonecRelace : public SonvidarKonce, public ::testing::WithParamInterface<KonecRelace> {};

TEST_P(SonvidarKonecRelace, ZaznamSeRadneZastavi) {
    const KonecRelace& p = GetParam();
    RegistraceKoderu koder;
    ASSERT_TRUE(koder.Registrovano());
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\" + p.soubor;
    Program sonvidar(L"Sonvidar.exe", std::wstring(p.prikaz) + L" \"" + soubor + L"\"");
    HWND okno = sonvidar.CekatNaOkno(L"QKolvexSonvidar", CEKANI_NA_OKNO_MS);
    ASSERT_NE(okno, nullptr);
    ASSERT_TRUE(CekatNa([&] { return Obsah(soubor) == "KODER:ZAZNAM\r\n"; }, 10000)) << "the recording did not start";

    std::string hlaseni;
    EXPECT_TRUE(OznamitKonecRelace(sonvidar.Pid(), p.konci, hlaseni)) << "a window refused the end of the session: "
                                                                       << hlaseni;
    if (p.konci) {
        // Windows ends the process once the messages are answered.
        ::TerminateProcess(sonvidar.Proces(), 0x4B4F);
        sonvidar.CekatNaKonec();
        EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n") << "the recording was cut, not stopped";
        return;
    }
    EXPECT_EQ(sonvidar.CekatNaKonec(1000), static_cast<DWORD>(STILL_ACTIVE)) << "a cancelled log-off ended it";
    EXPECT_EQ(NajitOknoProcesu(sonvidar.Pid(), L"#32770"), nullptr) << "a box at the session's end";
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\n") << "a cancelled log-off stopped the recording";
    ::PostMessageW(okno, WM_CLOSE, 0, 0);
    EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Sonvidar, SonvidarKonecRelace,
    ::testing::Values(KonecRelace{"zvuk", L"ZaznamZvuku", L"odhlaseni.wma", true},
                      KonecRelace{"video", L"ZaznamVidea", L"vypnuti.wmv", true},
                      KonecRelace{"zrusene_odhlaseni", L"ZaznamZvuku", L"zruseno.wma", false}),
    [](const ::testing::TestParamInfo<KonecRelace>& info) { return std::string(info.param.pripad); });

// Without the forced end the program closes itself after WM_ENDSESSION, with exit code 0 and no box.
TEST_F(SonvidarKonce, PoKonciRelaceSeProgramSamUkonci) {
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    const std::wstring soubor = slozka.Cesta() + L"\\sam.wma";
    Program sonvidar(L"Sonvidar.exe", L"ZaznamZvuku \"" + soubor + L"\"");
    ASSERT_NE(sonvidar.CekatNaOkno(L"QKolvexSonvidar", CEKANI_NA_OKNO_MS), nullptr);
    ASSERT_TRUE(CekatNa([&] { return !Obsah(soubor).empty(); }, 10000));
    std::string hlaseni;
    OznamitKonecRelace(sonvidar.Pid(), true, hlaseni);
    EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
    EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
}

// ---------------------------------------------------------------------------------------------
// One damaged stored value: a value the recording can do without keeps its default and the
// recording runs; a device or the recorded profile ends the mode with the Czech message that
// names it (and only it), in a box that has an owner and comes to the front.

struct PoskozenaHodnota {
    const char* pripad;
    const wchar_t* sekce;
    const wchar_t* nazev;
    bool jakoText;            // stored as the text "ano" (a number expected), else as a DWORD 3
    const wchar_t* druhaPoskozena;  // another damaged cosmetic value beside it, or null
    bool nahrava;             // the recording starts
};

void PrintTo(const PoskozenaHodnota& p, std::ostream* vystup) { *vystup << p.pripad; }

class SonvidarPoskozenaHodnota : public SonvidarKonce, public ::testing::WithParamInterface<PoskozenaHodnota> {};

void Poskodit(const wchar_t* sekce, const wchar_t* nazev, bool jakoText) {
    if (jakoText) {
        const wchar_t ano[] = L"ano";
        ZapsatHodnotu(sekce, nazev, REG_SZ, ano, sizeof(ano));
    } else {
        const DWORD cislo = 3;
        ZapsatHodnotu(sekce, nazev, REG_DWORD, &cislo, sizeof(cislo));
    }
}

TEST_P(SonvidarPoskozenaHodnota, KosmetickaMaVychoziNutnaZaznamOdmitne) {
    const PoskozenaHodnota& p = GetParam();
    RegistraceKoderu koder;
    DocasnaSlozka slozka;
    Poskodit(p.sekce, p.nazev, p.jakoText);
    if (p.druhaPoskozena) Poskodit(p.sekce, p.druhaPoskozena, true);
    const bool videa = std::wstring(p.sekce) == L"Zaznam videa";
    const std::wstring soubor = slozka.Cesta() + (videa ? L"\\poskozene.wmv" : L"\\poskozene.wma");
    Program sonvidar(L"Sonvidar.exe", std::wstring(videa ? L"ZaznamVidea" : L"ZaznamZvuku") + L" \"" + soubor + L"\"");
    HWND okno = sonvidar.CekatNaOkno(L"QKolvexSonvidar", CEKANI_NA_OKNO_MS);
    ASSERT_NE(okno, nullptr);

    if (p.nahrava) {
        ASSERT_TRUE(CekatNa([&] { return Obsah(soubor) == "KODER:ZAZNAM\r\n" || !sonvidar.Bezi(); }, 10000));
        ASSERT_TRUE(sonvidar.Bezi()) << "refused to record, exit code " << std::hex << sonvidar.CekatNaKonec(0);
        EXPECT_EQ(NajitOknoProcesu(sonvidar.Pid(), L"#32770"), nullptr) << "a box while recording";
        // the default of konecNaKlik (off): a double click ends the recording
        ::PostMessageW(okno, WM_APP + 1, 1, WM_LBUTTONDBLCLK);
        EXPECT_EQ(sonvidar.CekatNaKonec(), 0u);
        EXPECT_EQ(Obsah(soubor), "KODER:ZAZNAM\r\nKODER:STOP\r\n");
        return;
    }
    HWND box = sonvidar.CekatNaZpravu();
    ASSERT_NE(box, nullptr) << "no message";
    const std::wstring text = TextZpravy(box);
    const std::string popis(text.begin(), text.end());
    EXPECT_EQ(text.find(L"Záznam se nepodařilo spustit."), 0u) << popis;
    EXPECT_NE(text.find(std::wstring(L"nelze přečíst hodnotu: ") + p.nazev + L"."), std::wstring::npos) << popis;
    if (p.druhaPoskozena) {
        EXPECT_EQ(text.find(p.druhaPoskozena), std::wstring::npos) << "a cosmetic value named: " << popis;
    }
    EXPECT_EQ(TextOkna(box), L"Sonvidar");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), okno) << "the box has no owner";
    EXPECT_TRUE(CekatNa([&] { return ::GetForegroundWindow() == box; }, 5000)) << "the box is not in front";
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    const DWORD kod = sonvidar.CekatNaKonec();
    EXPECT_NE(kod, 0u);
    EXPECT_NE(kod, 1u);
    EXPECT_EQ(Obsah(soubor).find("KODER:ZAZNAM"), std::string::npos) << "it recorded";
}

INSTANTIATE_TEST_SUITE_P(
    Sonvidar, SonvidarPoskozenaHodnota,
    ::testing::Values(
        PoskozenaHodnota{"zpravaIkona", L"Zaznam zvuku", L"zpravaIkona", true, nullptr, true},
        PoskozenaHodnota{"konecNaKlik", L"Zaznam zvuku", L"konecNaKlik", true, nullptr, true},
        PoskozenaHodnota{"prepnoutOvladac", L"Zaznam zvuku", L"prepnoutOvladac", true, nullptr, true},
        PoskozenaHodnota{"ovladacHlasitosti", L"Zaznam zvuku", L"ovladacHlasitosti", false, nullptr, true},
        PoskozenaHodnota{"video_profilZvuk", L"Zaznam videa", L"profilZvuk", false, L"zpravaIkona", true},
        PoskozenaHodnota{"zarizeni", L"Zaznam zvuku", L"zarizeni", false, nullptr, false},
        PoskozenaHodnota{"profil_a_zpravaIkona", L"Zaznam zvuku", L"profil", false, L"zpravaIkona", false},
        PoskozenaHodnota{"video_zarizeniVideo", L"Zaznam videa", L"zarizeniVideo", false, L"konecNaKlik", false},
        PoskozenaHodnota{"video_profilVideo", L"Zaznam videa", L"profilVideo", false, nullptr, false}),
    [](const ::testing::TestParamInfo<PoskozenaHodnota>& info) { return std::string(info.param.pripad); });

}  // namespace
