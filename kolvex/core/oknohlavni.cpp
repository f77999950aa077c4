#include "core/oknohlavni.h"

#include "core/aplikace.h"
#include "core/globalni.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::Overit;

namespace {
HWND HlavniOkno() { return oknoHlavni ? oknoHlavni->m_hWnd : nullptr; }
}  // namespace

std::wstring PopisHlavniIkony(const std::wstring& titulek, const std::wstring& uzivatel, const std::wstring& pocitac,
                              const std::wstring& ipAdresa) {
    return knihovna::Formatovat(L"** %s **\nUživatel: %s\nPočitač: %s\nIP adresa: %s", titulek.c_str(),
                                uzivatel.c_str(), pocitac.c_str(), ipAdresa.c_str());
}

OknoHlavni::OknoHlavni() : m_nazevTridy(knihovna::Retezec(IDS_TRIDA_HLAVNIHO_OKNA)) {
    knihovna::ziskatHlavniOkno = HlavniOkno;
}

OknoHlavni::~OknoHlavni() {
    if (ikona) {
        try {
            ikona->Odebrat();
        } catch (const knihovna::Chyba&) {
            // the shell may already be gone at process end
        }
        ikona.reset();
    }
}

void OknoHlavni::Vytvorit() {
    OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, aplikace.titulek.c_str(), WS_POPUP, WS_EX_TOOLWINDOW,
                       m_nazevTridy.c_str(), nullptr, aplikace.velkaIkona.Get());
    Poslat(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
    Poslat(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    Poslat(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    PridatIkonu();
    Overit(::SetTimer(m_hWnd, 1, 100, nullptr) != 0);
}

void OknoHlavni::PridatIkonu() {
    if (ikona) return;
    auto nova = std::make_unique<IkonaTray>();
    nova->Pridat(m_hWnd, 1, aplikace.malaIkona.Get(), nullptr);
    ikona = std::move(nova);
    ikona->NastavitPopis(
        PopisHlavniIkony(aplikace.titulek, aplikace.jmenoUzivatele, aplikace.jmenoPocitace, aplikace.ipAdresa).c_str());
}

LRESULT OknoHlavni::OnClose(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if (ikona) {
        ikona->Odebrat();
        ikona.reset();
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoHlavni::OnDestroy(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    ::PostQuitMessage(0);
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoHlavni::OnSysCommand(UINT msg, WPARAM w, LPARAM l, BOOL&) {
    if ((w & 0xFFF0) == SC_MINIMIZE) {
        VychoziZpracovani(msg, w, l);
        ::ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    }
    return VychoziZpracovani(msg, w, l);
}

LRESULT OknoHlavni::OnTimer(UINT, WPARAM w, LPARAM, BOOL&) {
    if (w == 1) Overit(::KillTimer(m_hWnd, 1) != 0);
    return 0;
}

LRESULT OknoHlavni::OnKonec(WORD, WORD, HWND, BOOL&) {
    Odeslat(WM_CLOSE);
    return 0;
}
