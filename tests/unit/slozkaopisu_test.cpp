// Emptying the capture folder: the missing-folder message, the question and its answers.
#include <gtest/gtest.h>

#include <cstdio>

#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "screen/slozkaopisu.h"

namespace {

void VytvoritSoubor(const std::wstring& cesta) {
    if (FILE* f = _wfopen(cesta.c_str(), L"wb")) {
        fputs("opis", f);
        fclose(f);
    }
}

class VyprazdneniSlozky : public ::testing::Test {
protected:
    void SetUp() override {
        opisy = slozka.Cesta() + L"\\Opis obrazovky";
        ::CreateDirectoryW(opisy.c_str(), nullptr);
        VytvoritSoubor(opisy + L"\\Obrazovka0.jpg");
        VytvoritSoubor(opisy + L"\\Obrazovka1.png");
        ::CreateDirectoryW((opisy + L"\\starsi").c_str(), nullptr);
        VytvoritSoubor(opisy + L"\\starsi\\Obrazovka0.jpg");
    }
    testy::DocasnaSlozka slozka;
    std::wstring opisy;
};

}  // namespace

TEST_F(VyprazdneniSlozky, ChybejiciSlozkaJenOhlasiBezOtazky) {
    testy::ZachytavacZprav zpravy(IDYES);
    const std::wstring chybi = slozka.Cesta() + L"\\neni";
    EXPECT_FALSE(VyprazdnitSlozkuSDotazem(chybi));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text, L"Požadovaná složka na disku neexistuje!\n(" + chybi + L")");
    EXPECT_TRUE(zpravy.zpravy[0].priznaky & MB_ICONERROR);
    EXPECT_FALSE(zpravy.zpravy[0].priznaky & MB_YESNO);
    EXPECT_THROW(SmazatObsahSlozkyOpisu(chybi), knihovna::Chyba);
}

TEST_F(VyprazdneniSlozky, NeNicNesmaze) {
    testy::ZachytavacZprav zpravy(IDNO);
    EXPECT_FALSE(VyprazdnitSlozkuSDotazem(opisy));
    ASSERT_EQ(zpravy.zpravy.size(), 1u);
    EXPECT_EQ(zpravy.zpravy[0].text,
              L"Opravdu chcete kompletně vymazat všechny soubory v této složce?\n" + opisy);
    const UINT ocekavane = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2 | MB_TASKMODAL | MB_SETFOREGROUND;
    EXPECT_EQ(zpravy.zpravy[0].priznaky & ocekavane, ocekavane) << "No is the default button";
    EXPECT_TRUE(testy::ExistujeSoubor(opisy + L"\\Obrazovka0.jpg"));
    EXPECT_TRUE(testy::ExistujeSoubor(opisy + L"\\starsi\\Obrazovka0.jpg"));
}

TEST_F(VyprazdneniSlozky, AnoVyprazdniSlozku) {
    testy::ZachytavacZprav zpravy(IDYES);
    EXPECT_TRUE(VyprazdnitSlozkuSDotazem(opisy));
    ASSERT_EQ(zpravy.zpravy.size(), 1u) << "the shell asks nothing further";
    EXPECT_TRUE(testy::ExistujeSoubor(opisy)) << "the folder itself stays";
    EXPECT_FALSE(testy::ExistujeSoubor(opisy + L"\\Obrazovka0.jpg"));
    EXPECT_FALSE(testy::ExistujeSoubor(opisy + L"\\Obrazovka1.png"));
    EXPECT_FALSE(testy::ExistujeSoubor(opisy + L"\\starsi"));

    // an empty folder empties without an error
    zpravy.zpravy.clear();
    EXPECT_TRUE(VyprazdnitSlozkuSDotazem(opisy));
    EXPECT_EQ(zpravy.zpravy.size(), 1u);
}
