// Names of the recording inputs of the audio mixer.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

// The mixer calls the list needs; tests hand in a mixer of their own.
class RozhraniMixeru {
public:
    virtual ~RozhraniMixeru() = default;
    virtual MMRESULT Otevrit(HMIXER* mixer, UINT zarizeni) = 0;
    virtual MMRESULT InformaceLinky(HMIXER mixer, MIXERLINEW* linka, DWORD priznaky) = 0;
    virtual MMRESULT OvladaceLinky(HMIXER mixer, MIXERLINECONTROLSW* ovladace, DWORD priznaky) = 0;
    virtual MMRESULT PodrobnostiOvladace(HMIXER mixer, MIXERCONTROLDETAILS* podrobnosti, DWORD priznaky) = 0;
    virtual MMRESULT Zavrit(HMIXER mixer) = 0;
};

// The system's mixer (winmm).
RozhraniMixeru& SystemovyMixer();

class VstupyMixeru {
public:
    // The names are read when first asked for: opening the mixer costs tens of milliseconds,
    // which start-up does not wait for (only the sound settings use the list).
    explicit VstupyMixeru(RozhraniMixeru& mixer = SystemovyMixer());
    // Reads the input names again; result: their number. Without a recording selector,
    // or when any mixer call fails, the list is empty.
    size_t Nacist();
    const std::vector<std::wstring>& Nazvy();

private:
    RozhraniMixeru& m_mixer;
    std::vector<std::wstring> m_nazvy;
    bool m_nacteno = false;
};
