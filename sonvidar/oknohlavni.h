// Sonvidar's hidden main window: runs the mode, animates the recording icon, ends a recording
// on WM_CLOSE and at the end of the Windows session (its class QKolvexSonvidar is what Kolvex
// looks for).
#pragma once

#include <memory>

#include "knihovna.h"

namespace Brenvald_Sonvidar {

constexpr UINT ZpravaIkona = WM_APP + 1;
constexpr UINT ZpravaSpustitRezim = WM_APP + 3;
constexpr wchar_t TRIDA_OKNA[] = L"QKolvexSonvidar";

class OknoHlavni : public Knihovna::Okno {
public:
    OknoHlavni() = default;
    ~OknoHlavni() override;

    // Creates the window, sets its icons, hides it and posts itself the mode.
    void VytvoritOkno();

    std::unique_ptr<Knihovna::IkonaTray> ikona;
    bool casovac = false;
    bool kodJedna = false;
    // A mode that failed (or a recording that could not be stopped): the program's exit code, so
    // that Kolvex can tell a recording that never started from one that finished.
    HRESULT chybaRezimu = S_OK;
    // Windows is ending the session (WM_ENDSESSION(TRUE) came): no box from here on.
    bool KonciRelace() const { return m_konecRelace; }

protected:
    LRESULT Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) override;
    void ChybaObsluhy(HRESULT hr) override;

private:
    void SpustitRezim();
    void RezimNastaveni(bool videa);
    void RezimZaznamu(bool videa);
    void OnClose();
    void OnEndSession(bool konci);
    // Stops the recorders that record and drops the icon; the first failure (also kept as the
    // exit code) or S_OK.
    HRESULT ZastavitZaznam();
    void ZobrazitNabidku();
    void OznamitChybuRezimu(HRESULT hr);

    // The tray icon is cosmetic: a failing call only drops it (the recording goes on), and it is
    // added again when the notification area starts again ("TaskbarCreated").
    void PridatIkonu();
    void ZahoditIkonu();
    template <class F>
    void UpravitIkonu(F&& uprava);
    bool m_chceIkonu = false;      // the running mode shows an icon
    UINT m_bitmapaIkony = 0;       // frames of the animated icon; 0 = the static icon
    std::wstring m_popisIkony;     // its tooltip
    bool m_konecRelace = false;
};

extern OknoHlavni* oknoHlavni;

}  // namespace Brenvald_Sonvidar
