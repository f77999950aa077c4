// Sonvidar's hidden main window: runs the mode, animates the recording icon, ends a recording
// on WM_CLOSE (its class QKolvexSonvidar is what Kolvex looks for).
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

protected:
    LRESULT Zpracovat(UINT msg, WPARAM w, LPARAM l, bool& zpracovano) override;
    void ChybaObsluhy(HRESULT hr) override;

private:
    void SpustitRezim();
    void RezimNastaveni(bool videa);
    void RezimZaznamu(bool videa);
    void OnClose();
    void ZobrazitNabidku();
};

extern OknoHlavni* oknoHlavni;

}  // namespace Brenvald_Sonvidar
