// Folders, version-block strings, image lists, the save-dialog record and name comparators.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdlib>

#include "core/pomocne.h"
#include "knihovna/chyba.h"
#include "podpora/pomocnik.h"
#include "resources/resource.h"

using knihovna::Chyba;

TEST(Pomocne, RetezceVerzeProgramu) {
    std::wstring text;
    NacistRetezecVerze(L"ProductName", text);
    EXPECT_EQ(text, L"Kolvex");
    NacistRetezecVerze(L"FileDescription", text);
    EXPECT_EQ(text, L"Kolvex – nástroje");
    NacistRetezecVerze(L"FileVersion", text);
    EXPECT_EQ(text, L"5.0.1.2");
    EXPECT_THROW(NacistRetezecVerze(L"NeexistujiciKlic", text), Chyba);

    // a file without a version block, and a name longer than the buffer
    testy::DocasnaSlozka slozka;
    std::wstring soubor = slozka.Cesta() + L"\\prazdny.txt";
    HANDLE h = ::CreateFileW(soubor.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    EXPECT_THROW(NacistRetezecVerze(L"ProductName", text, soubor.c_str()), Chyba);
    try {
        NacistRetezecVerze(L"ProductName", text, std::wstring(300, L'a').c_str());
        ADD_FAILURE();
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), static_cast<HRESULT>(0x8007007A));
    }
}

TEST(Pomocne, SlozkyProgramuSystemuAAutora) {
    EXPECT_EQ(ZiskatSlozkuProgramu(), testy::SlozkaTestu());
    std::wstring dokumenty = ZiskatSlozkuSystemu(CSIDL_PERSONAL, false);
    EXPECT_TRUE(::PathIsDirectoryW(dokumenty.c_str()));

    std::wstring programy = ZiskatSlozkuSystemu(CSIDL_PROGRAM_FILES, true);
    // only the path: a normal user may not create folders under Program Files
    ::RemoveDirectoryW((programy + L"\\Brenvald").c_str());
    EXPECT_EQ(ZiskatSlozkuAutora(), programy + L"\\Brenvald");
    EXPECT_FALSE(::PathFileExistsW((programy + L"\\Brenvald").c_str()));
    ::CreateDirectoryW((programy + L"\\Brenvald").c_str(), nullptr);
    EXPECT_EQ(ZiskatSlozkuAutora(), programy + L"\\Brenvald");  // existing: fine
    ::RemoveDirectoryW((programy + L"\\Brenvald").c_str());
}

TEST(Pomocne, SeznamyObrazkuZBitmap) {
    SeznamObrazku seznam;
    seznam.Vytvorit(IDB_MENU_ZAKLAD);
    EXPECT_EQ(seznam.Pocet(), 58);
    seznam.Pridat(IDB_MENU_DALSI);
    EXPECT_EQ(seznam.Pocet(), 58 + 41);
    int sirka = 0, vyska = 0;
    ImageList_GetIconSize(seznam.Get(), &sirka, &vyska);
    EXPECT_EQ(sirka, 16);
    EXPECT_EQ(vyska, 16);
    seznam.Zrusit();
    EXPECT_EQ(seznam.Get(), nullptr);

    SeznamObrazku prazdny;
    prazdny.Pridat(IDB_DRUHY_DALSI);  // without a list: creates it
    EXPECT_EQ(prazdny.Pocet(), 41);
    EXPECT_THROW(prazdny.Vytvorit(64000), Chyba);
}

TEST(Pomocne, ZaznamDialoguSouboru) {
    DialogSouboru dialog;
    PripravitDialogSouboru(dialog, L"Opis obrazovky.jpg");
    EXPECT_EQ(dialog.ofn.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(std::wstring(dialog.soubor), L"Opis obrazovky.jpg");
    EXPECT_EQ(dialog.ofn.lpstrFile, dialog.soubor);
    EXPECT_EQ(dialog.ofn.nMaxFile, static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(dialog.ofn.Flags, static_cast<DWORD>(OFN_PATHMUSTEXIST));
    PripravitDialogSouboru(dialog, nullptr);
    EXPECT_EQ(dialog.soubor[0], L'\0');
    try {
        PripravitDialogSouboru(dialog, std::wstring(MAX_PATH, L'x').c_str());
        ADD_FAILURE();
    } catch (const Chyba& chyba) {
        EXPECT_EQ(chyba.Hresult(), E_INVALIDARG);
    }
}

TEST(Pomocne, RezimyAPorovnaniNazvu) {
    EXPECT_EQ(RezimyObrazovky().nazevKlice, L"Rezimy obrazovky");
    EXPECT_TRUE(RezimyObrazovky().rezimy.empty());

    struct Zaznam {  // 16-byte records whose first member is the name
        const wchar_t* nazev;
        void* data;
    };
    Zaznam zaznamy[] = {{L"b", nullptr}, {L"a", nullptr}, {L"c", nullptr}};
    std::qsort(zaznamy, 3, sizeof(Zaznam), PorovnatNazvyVzestupne);
    EXPECT_EQ(std::wstring(zaznamy[0].nazev) + zaznamy[1].nazev + zaznamy[2].nazev, L"abc");
    std::qsort(zaznamy, 3, sizeof(Zaznam), PorovnatNazvySestupne);
    EXPECT_EQ(std::wstring(zaznamy[0].nazev) + zaznamy[1].nazev + zaznamy[2].nazev, L"cba");
}
