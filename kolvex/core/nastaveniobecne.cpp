#include "core/nastaveniobecne.h"

#include <shlobj.h>

#include "core/aplikace.h"
#include "core/pomocne.h"

void NastavitVychoziNastaveniObecne(Aplikace& aplikace) {
    NastaveniObecne vychozi;
    vychozi.slozkaData = ZiskatSlozkuSystemu(CSIDL_PERSONAL, false) + L"\\Kolvex 5";
    vychozi.slozkaDocasne = vychozi.slozkaData + L"\\Temp";
    aplikace.nastaveni = vychozi;
    if (aplikace.horkeKlavesy) PridatVychoziHorkeKlavesy(*aplikace.horkeKlavesy);
}
