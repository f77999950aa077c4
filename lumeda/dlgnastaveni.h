// The settings dialog: interval, cyclic repeat and background colour.
#pragma once

#include "lumeda/brenvald.h"

class DlgNastaveni : public Brenvald::Dialog {
public:
    DlgNastaveni(Brenvald::Nastaveni& nastaveni, const std::wstring& titulek, HICON velka, HICON mala)
        : m_nastaveni(nastaveni), m_titulek(titulek), m_velkaIkona(velka), m_malaIkona(mala) {}

protected:
    INT_PTR ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l) override;

private:
    Brenvald::Nastaveni& m_nastaveni;
    std::wstring m_titulek;
    HICON m_velkaIkona;
    HICON m_malaIkona;
    Brenvald::EditCislo m_interval;
    Brenvald::OdkazUrl m_odkaz;
    Brenvald::ToolTip m_tip;

    void Inicializovat();
    void VybratBarvu();
    void Potvrdit();
};

// The error box of a failed settings load or save.
void ZobrazitChybuNastaveni(const std::wstring& titulek, const std::wstring& text);
