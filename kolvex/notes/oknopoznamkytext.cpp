#include "notes/oknopoznamkytext.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/hlaseni.h"
#include "core/konfiguracenastroju.h"
#include "knihovna/text.h"
#include "notes/oknopoznamka.h"
#include "resources/resource.h"

using knihovna::Overit;

OknoPoznamkyText* oknoPoznamkyText = nullptr;

namespace {

constexpr int OBRAZEK_TEXTOVYCH = 68;
constexpr UINT STRANKA_TEXTOVE = 126;

const int tlacitkaToolbaru[][2] = {
    {40067, 54}, {40068, 17}, {40069, 56}, {40070, 16}, {0, 0}, {40002, 1}, {0, 0}, {40003, 3}, {0, 0}, {40026, 19},
};

}  // namespace

OknoPoznamkyText::OknoPoznamkyText() : m_trida(knihovna::Retezec(IDS_TRIDA_POZNAMKY_TEXTOVE)) {
    m_zvukove = false;
    NastavitKlic(aplikace.klicAplikace);
    NacistIkonu(OBRAZEK_TEXTOVYCH);
}

OknoPoznamkyText::~OknoPoznamkyText() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

void OknoPoznamkyText::Vytvorit() {
    DWORD styl = 0, rozsireny = 0;
    StylOkna(PriznakyOknaSeznamu(false), styl, rozsireny);
    std::wstring titulek;
    FormatovatTextSDoplnkem(IDS_TITULEK_POZNAMKY_TEXTOVE, titulek);
    const RECT obdelnik{0, 0, 260, 480};
    OknoImpl::Vytvorit(nullptr, &obdelnik, titulek.c_str(), styl, rozsireny, m_trida.c_str());
    DokoncitVytvoreni(tlacitkaToolbaru, sizeof(tlacitkaToolbaru) / sizeof(tlacitkaToolbaru[0]));
}

void OknoPoznamkyText::Otevrit() {
    const int index = VybranaPoznamka();
    if (index < 0) return;
    if (!oknoTextovePoznamky) {
        auto* nove = new OknoPoznamka();
        oknoTextovePoznamky = nove;
        try {
            nove->Vytvorit();
        } catch (...) {
            oknoTextovePoznamky = nullptr;
            delete nove;
            throw;
        }
    }
    oknoTextovePoznamky->NacistPoznamku(index);
    if (oknoTextovePoznamky->m_hWnd) ::SetForegroundWindow(oknoTextovePoznamky->m_hWnd);
}

void OknoPoznamkyText::NovaPoznamka() {
    if (BeziModalniSmycka()) {
        ZobrazitModalniOkno();
        return;
    }
    ModalniSmycka smycka(*this);  // the window and its store stay while the prompt runs
    if (seznamTextovychPoznamek && seznamTextovychPoznamek->NovaPoznamka() == 0) NaplnitSeznam(-1);
    ::SetFocus(seznam.m_hWnd);
}

LRESULT OknoPoznamkyText::OnKlavesa(UINT, WPARAM w, LPARAM l, BOOL&) {
    switch (w) {
        case VK_RETURN:
            if (reinterpret_cast<HWND>(l) == seznam.m_hWnd) Otevrit();
            break;
        case VK_INSERT: NovaPoznamka(); break;
        default: ZpracovatKlavesuSeznamu(w); break;
    }
    return 0;
}

LRESULT OknoPoznamkyText::OnCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (ZpracovatOznameniSeznamu(w, l)) return 0;
    const UINT id = LOWORD(w);
    ZpracovatSpolecnyPrikaz(m_hWnd, id);
    switch (id) {
        case 40067: Otevrit(); return 0;
        case 40068: NovaPoznamka(); return 0;
        default: break;
    }
    if (ZpracovatPrikazSeznamu(id, STRANKA_TEXTOVE)) return 0;
    return VychoziZpracovani(msg, w, l);
}
