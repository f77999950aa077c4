#include "vstupnilinka.h"

#include <vector>

namespace Brenvald_Sonvidar {

FunkceMixeru mixer = {::mixerOpen, ::mixerGetLineInfoW, ::mixerGetLineControlsW, ::mixerGetControlDetailsW,
                      ::mixerSetControlDetails, ::mixerClose};

namespace {

// The list control of the wave-in destination of mixer 0 with its texts and values; every call
// is checked, and the mixer is closed with the object.
class OvladacVstupu {
public:
    OvladacVstupu() {
        if (mixer.otevrit(&m_mixer, 0, 0, 0, 0) != MMSYSERR_NOERROR) {
            m_mixer = nullptr;
            return;
        }
        MIXERLINEW linka{};
        linka.cbStruct = sizeof(linka);
        linka.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        if (mixer.informaceLinky(Objekt(), &linka, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return;
        if (linka.cControls == 0) return;
        std::vector<MIXERCONTROLW> ovladace(linka.cControls);
        MIXERLINECONTROLSW dotaz{};
        dotaz.cbStruct = sizeof(dotaz);
        dotaz.dwLineID = linka.dwLineID;
        dotaz.cControls = linka.cControls;
        dotaz.cbmxctrl = sizeof(MIXERCONTROLW);
        dotaz.pamxctrl = ovladace.data();
        if (mixer.ovladaceLinky(Objekt(), &dotaz, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) return;
        const MIXERCONTROLW* seznam = nullptr;
        for (const MIXERCONTROLW& o : ovladace)
            if (o.dwControlType >= MIXERCONTROL_CT_CLASS_LIST) {  // the list class and above
                seznam = &o;
                break;
            }
        if (!seznam) return;
        m_ovladac = *seznam;
        m_kanaly = (m_ovladac.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : (linka.cChannels ? linka.cChannels : 1);
        m_polozky = (m_ovladac.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) ? m_ovladac.cMultipleItems : 0;
        if (m_polozky == 0) return;
        m_texty.resize(static_cast<size_t>(m_kanaly) * m_polozky);
        m_hodnoty.resize(static_cast<size_t>(m_kanaly) * m_polozky);
        MIXERCONTROLDETAILS podrobnosti = Podrobnosti(sizeof(MIXERCONTROLDETAILS_LISTTEXTW), m_texty.data());
        if (mixer.cistPodrobnosti(Objekt(), &podrobnosti, MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR)
            return;
        podrobnosti = Podrobnosti(sizeof(MIXERCONTROLDETAILS_BOOLEAN), m_hodnoty.data());
        if (mixer.cistPodrobnosti(Objekt(), &podrobnosti, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return;
        m_platny = true;
    }
    ~OvladacVstupu() {
        if (m_mixer) mixer.zavrit(m_mixer);
    }
    OvladacVstupu(const OvladacVstupu&) = delete;
    OvladacVstupu& operator=(const OvladacVstupu&) = delete;

    bool Platny() const { return m_platny; }
    // Visited items: 0, channels, 2 x channels, ... below the item count.
    template <class F>
    void ProjitPolozky(F f) {
        for (size_t i = 0; i < m_polozky && i < m_texty.size(); i += m_kanaly) f(m_texty[i].szName, m_hodnoty[i]);
    }
    bool JedenVyber() const {
        return m_ovladac.dwControlType >= MIXERCONTROL_CONTROLTYPE_SINGLESELECT &&
               m_ovladac.dwControlType <= MIXERCONTROL_CONTROLTYPE_MUX;
    }
    bool Zapsat() {
        MIXERCONTROLDETAILS podrobnosti = Podrobnosti(sizeof(MIXERCONTROLDETAILS_BOOLEAN), m_hodnoty.data());
        return mixer.nastavitPodrobnosti(Objekt(), &podrobnosti, MIXER_SETCONTROLDETAILSF_VALUE) == MMSYSERR_NOERROR;
    }

private:
    HMIXEROBJ Objekt() const { return reinterpret_cast<HMIXEROBJ>(m_mixer); }
    MIXERCONTROLDETAILS Podrobnosti(DWORD velikost, void* data) const {
        MIXERCONTROLDETAILS p{};
        p.cbStruct = sizeof(p);
        p.dwControlID = m_ovladac.dwControlID;
        p.cChannels = m_kanaly;
        p.cMultipleItems = m_polozky;
        p.cbDetails = velikost;
        p.paDetails = data;
        return p;
    }

    HMIXER m_mixer = nullptr;
    MIXERCONTROLW m_ovladac{};
    DWORD m_kanaly = 1;
    DWORD m_polozky = 0;
    std::vector<MIXERCONTROLDETAILS_LISTTEXTW> m_texty;
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> m_hodnoty;
    bool m_platny = false;
};

}  // namespace

size_t SeznamVstupnichLinek::Naplnit() {
    Vyprazdnit();
    OvladacVstupu ovladac;
    if (!ovladac.Platny()) return 0;
    ovladac.ProjitPolozky([this](const wchar_t* nazev, MIXERCONTROLDETAILS_BOOLEAN&) { Pridat(nazev); });
    return Pocet();
}

bool PrepnoutVstupniLinku(const std::wstring& nazev) {
    OvladacVstupu ovladac;
    if (!ovladac.Platny()) return true;
    const bool jedenVyber = ovladac.JedenVyber();
    ovladac.ProjitPolozky([&](const wchar_t* jmeno, MIXERCONTROLDETAILS_BOOLEAN& hodnota) {
        if (::lstrcmpiW(jmeno, nazev.c_str()) == 0)
            hodnota.fValue = 1;
        else if (jedenVyber)
            hodnota.fValue = 0;
    });
    return !ovladac.Zapsat();
}

}  // namespace Brenvald_Sonvidar
