// The two settings dialogs of Sonvidar (sound 105, video 106).
#pragma once

#include "aplikace.h"
#include "knihovna.h"

namespace Brenvald_Sonvidar {

class DlgNastavZaznamZvuku : public Knihovna::Okno {
public:
    INT_PTR Spustit(HWND vlastnik) { return SpustitDialog(105, vlastnik); }

protected:
    LRESULT Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) override;

private:
    Knihovna::ComboBox m_linka, m_profil, m_zarizeni;
};

class DlgNastavZaznamVidea : public Knihovna::Okno {
public:
    INT_PTR Spustit(HWND vlastnik) { return SpustitDialog(106, vlastnik); }

protected:
    LRESULT Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) override;

private:
    Knihovna::ComboBox m_linka, m_profilVideo, m_profilZvuk, m_zarizeniVideo, m_zarizeniZvuk;
};

// The open dialogs (null when none).
extern DlgNastavZaznamZvuku* dlgNastavZaznamZvuku;
extern DlgNastavZaznamVidea* dlgNastavZaznamVidea;

}  // namespace Brenvald_Sonvidar
