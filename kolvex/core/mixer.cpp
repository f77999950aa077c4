#include "mixer.h"

namespace {

class Winmm : public RozhraniMixeru {
public:
    MMRESULT Otevrit(HMIXER* mixer, UINT zarizeni) override { return mixerOpen(mixer, zarizeni, 0, 0, MIXER_OBJECTF_MIXER); }
    MMRESULT InformaceLinky(HMIXER mixer, MIXERLINEW* linka, DWORD priznaky) override {
        return mixerGetLineInfoW(reinterpret_cast<HMIXEROBJ>(mixer), linka, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT OvladaceLinky(HMIXER mixer, MIXERLINECONTROLSW* ovladace, DWORD priznaky) override {
        return mixerGetLineControlsW(reinterpret_cast<HMIXEROBJ>(mixer), ovladace, priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT PodrobnostiOvladace(HMIXER mixer, MIXERCONTROLDETAILS* podrobnosti, DWORD priznaky) override {
        return mixerGetControlDetailsW(reinterpret_cast<HMIXEROBJ>(mixer), podrobnosti,
                                       priznaky | MIXER_OBJECTF_HMIXER);
    }
    MMRESULT Zavrit(HMIXER mixer) override { return mixerClose(mixer); }
};

// Closes the mixer when the reading ends, however it ends.
class OtevrenyMixer {
public:
    OtevrenyMixer(RozhraniMixeru& rozhrani, HMIXER mixer) : m_rozhrani(rozhrani), m_mixer(mixer) {}
    ~OtevrenyMixer() { m_rozhrani.Zavrit(m_mixer); }
    OtevrenyMixer(const OtevrenyMixer&) = delete;
    OtevrenyMixer& operator=(const OtevrenyMixer&) = delete;

private:
    RozhraniMixeru& m_rozhrani;
    HMIXER m_mixer;
};

}  // namespace

RozhraniMixeru& SystemovyMixer() {
    static Winmm winmm;
    return winmm;
}

VstupyMixeru::VstupyMixeru(RozhraniMixeru& mixer) : m_mixer(mixer) {}

const std::vector<std::wstring>& VstupyMixeru::Nazvy() {
    if (!m_nacteno) Nacist();
    return m_nazvy;
}

size_t VstupyMixeru::Nacist() {
    m_nacteno = true;
    m_nazvy.clear();
    HMIXER mixer = nullptr;
    if (m_mixer.Otevrit(&mixer, 0) != MMSYSERR_NOERROR || !mixer) return 0;
    OtevrenyMixer zavrit(m_mixer, mixer);

    MIXERLINEW linka{};
    linka.cbStruct = sizeof(linka);
    linka.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    if (m_mixer.InformaceLinky(mixer, &linka, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) return 0;
    if (linka.cControls == 0) return 0;

    std::vector<MIXERCONTROLW> ovladace(linka.cControls);
    MIXERLINECONTROLSW seznam{};
    seznam.cbStruct = sizeof(seznam);
    seznam.dwLineID = linka.dwLineID;
    seznam.cControls = linka.cControls;
    seznam.cbmxctrl = sizeof(MIXERCONTROLW);
    seznam.pamxctrl = ovladace.data();
    if (m_mixer.OvladaceLinky(mixer, &seznam, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR) return 0;

    const MIXERCONTROLW* vyber = nullptr;
    for (const MIXERCONTROLW& ovladac : ovladace) {
        if ((ovladac.dwControlType & MIXERCONTROL_CT_CLASS_MASK) == MIXERCONTROL_CT_CLASS_LIST) {
            vyber = &ovladac;
            break;
        }
    }
    if (!vyber) return 0;

    const DWORD kanaly = (vyber->fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : linka.cChannels;
    const DWORD polozky = (vyber->fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE) ? vyber->cMultipleItems : 0;
    if (kanaly == 0 || polozky == 0) return 0;

    std::vector<MIXERCONTROLDETAILS_LISTTEXTW> texty(static_cast<size_t>(kanaly) * polozky);
    MIXERCONTROLDETAILS podrobnosti{};
    podrobnosti.cbStruct = sizeof(podrobnosti);
    podrobnosti.dwControlID = vyber->dwControlID;
    podrobnosti.cChannels = kanaly;
    podrobnosti.cMultipleItems = polozky;
    podrobnosti.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTW);
    podrobnosti.paDetails = texty.data();
    if (m_mixer.PodrobnostiOvladace(mixer, &podrobnosti, MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR)
        return 0;

    // The current values are read as the selector's state check; a failure leaves no list.
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> hodnoty(static_cast<size_t>(kanaly) * polozky);
    podrobnosti.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    podrobnosti.paDetails = hodnoty.data();
    if (m_mixer.PodrobnostiOvladace(mixer, &podrobnosti, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        return 0;

    for (DWORD i = 0; i < polozky; i += kanaly) m_nazvy.emplace_back(texty[i].szName);
    return m_nazvy.size();
}
