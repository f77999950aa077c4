#include "clipboard/filtrsouboru.h"

#include "knihovna/text.h"
#include "resources/resource.h"

std::wstring FiltrSouboru(UINT idNazvu, const wchar_t* maska) {
    std::wstring filtr = knihovna::Retezec(idNazvu);
    filtr.push_back(L'\0');
    filtr += maska;
    filtr.push_back(L'\0');
    filtr += knihovna::Retezec(IDS_FILTR_VSECHNY_SOUBORY);
    filtr.push_back(L'\0');
    filtr += L"*.*";
    filtr.push_back(L'\0');
    return filtr;
}
