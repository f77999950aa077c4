// One picture per command: a command shows the same picture in every menu, toolbar and list
// that draws it (the record command of the sound notes is the red dot everywhere).
#include <gtest/gtest.h>

#include "core/menu.h"
#include "notes/oknoseznamu.h"
#include "windows/dlgnastavhorkeklavesy.h"

namespace {

int ObrazekMenu(UINT prikaz) {
    int obrazek = -1;
    IkonaPrikazuMenu(prikaz, obrazek);
    return obrazek;
}

}  // namespace

TEST(ObrazkyPrikazu, StejnyPrikazVsudeStejnyObrazek) {
    const struct {
        const char* prikaz;
        int obrazek;     // the picture the command shows
        int seznam;      // in the notes list windows' menus and toolbars
        int klavesy;     // in the hot-key page's command list
    } pripady[] = {
        // record a new sound note (tray menu) and the list window's "Nová poznámka" (40073)
        {"40060 záznam zvukové poznámky", 86, ObrazekPolozkyMenuSeznamu(40060), IkonaPrikazuHorkeKlavesy(40060)},
        {"40073 nová zvuková poznámka", 86, ObrazekPolozkyMenuSeznamu(40073), 86},
        {"40061 seznam textových poznámek", 68, ObrazekPolozkyMenuSeznamu(40061), IkonaPrikazuHorkeKlavesy(40061)},
        {"40026 zavřít okno", 19, ObrazekPolozkyMenuSeznamu(40026), ObrazekMenu(40026)},
        {"40113 opis obrazovky", 65, 65, IkonaPrikazuHorkeKlavesy(40113)},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.prikaz);
        EXPECT_EQ(p.seznam, p.obrazek);
        EXPECT_EQ(p.klavesy, p.obrazek);
    }
}
