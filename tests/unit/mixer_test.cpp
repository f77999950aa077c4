// Recording inputs of the audio mixer: a scripted mixer for the selector cases, and the real
// one of Wine (whose recording line has no selector) for the clean empty result.
#include <gtest/gtest.h>

#include "core/mixer.h"

namespace {

HMIXER const PLATNY = reinterpret_cast<HMIXER>(0x1234);

class FalesnyMixer : public RozhraniMixeru {
public:
    MMRESULT otevreni = MMSYSERR_NOERROR;
    MMRESULT linka = MMSYSERR_NOERROR;
    DWORD kanalyLinky = 2;
    DWORD typOvladace = MIXERCONTROL_CONTROLTYPE_MUX;
    DWORD priznakyOvladace = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    DWORD polozky = 4;
    std::vector<std::wstring> nazvy{L"Mikrofon", L"Linkový vstup", L"CD", L"Stereo mix"};
    int zavreni = 0;
    bool zavrenoNeplatne = false;

    MMRESULT Otevrit(HMIXER* mixer, UINT) override {
        *mixer = otevreni == MMSYSERR_NOERROR ? PLATNY : nullptr;
        return otevreni;
    }
    MMRESULT InformaceLinky(HMIXER, MIXERLINEW* l, DWORD priznaky) override {
        EXPECT_EQ(priznaky, static_cast<DWORD>(MIXER_GETLINEINFOF_COMPONENTTYPE));
        EXPECT_EQ(l->dwComponentType, static_cast<DWORD>(MIXERLINE_COMPONENTTYPE_DST_WAVEIN));
        l->dwLineID = 7;
        l->cChannels = kanalyLinky;
        l->cControls = 2;
        return linka;
    }
    MMRESULT OvladaceLinky(HMIXER, MIXERLINECONTROLSW* o, DWORD) override {
        EXPECT_EQ(o->cControls, 2u);
        o->pamxctrl[0] = MIXERCONTROLW{};
        o->pamxctrl[0].dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        o->pamxctrl[1] = MIXERCONTROLW{};
        o->pamxctrl[1].dwControlID = 99;
        o->pamxctrl[1].dwControlType = typOvladace;
        o->pamxctrl[1].fdwControl = priznakyOvladace;
        o->pamxctrl[1].cMultipleItems = polozky;
        return MMSYSERR_NOERROR;
    }
    MMRESULT PodrobnostiOvladace(HMIXER, MIXERCONTROLDETAILS* p, DWORD priznaky) override {
        EXPECT_EQ(p->dwControlID, 99u);
        if (priznaky == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
            auto* texty = static_cast<MIXERCONTROLDETAILS_LISTTEXTW*>(p->paDetails);
            for (DWORD i = 0; i < p->cChannels * p->cMultipleItems; ++i)
                wcscpy(texty[i].szName, nazvy[i % nazvy.size()].c_str());
        }
        return MMSYSERR_NOERROR;
    }
    MMRESULT Zavrit(HMIXER mixer) override {
        ++zavreni;
        if (mixer != PLATNY) zavrenoNeplatne = true;
        return MMSYSERR_NOERROR;
    }
};

}  // namespace

TEST(Mixer, VstupyVyberuPodlePripadu) {
    struct Pripad {
        const char* popis;
        DWORD typ, priznaky, polozky;
        std::vector<std::wstring> ocekavane;
    } pripady[] = {
        {"uniform list of four", MIXERCONTROL_CONTROLTYPE_MUX,
         MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE, 4,
         {L"Mikrofon", L"Linkový vstup", L"CD", L"Stereo mix"}},
        {"mixer-class list", MIXERCONTROL_CONTROLTYPE_MIXER,
         MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE, 2, {L"Mikrofon", L"Linkový vstup"}},
        {"two channels step by two", MIXERCONTROL_CONTROLTYPE_MUX, MIXERCONTROL_CONTROLF_MULTIPLE, 4,
         {L"Mikrofon", L"CD"}},
        {"not a multiple-item control", MIXERCONTROL_CONTROLTYPE_MUX, MIXERCONTROL_CONTROLF_UNIFORM, 4, {}},
        {"no list control", MIXERCONTROL_CONTROLTYPE_MUTE, MIXERCONTROL_CONTROLF_UNIFORM, 4, {}},
    };
    for (const Pripad& p : pripady) {
        FalesnyMixer mixer;
        mixer.typOvladace = p.typ;
        mixer.priznakyOvladace = p.priznaky;
        mixer.polozky = p.polozky;
        VstupyMixeru vstupy(mixer);
        EXPECT_EQ(vstupy.Nazvy(), p.ocekavane) << p.popis;
        EXPECT_EQ(mixer.zavreni, 1) << p.popis;
        EXPECT_EQ(vstupy.Nacist(), p.ocekavane.size()) << p.popis;  // a second reading starts empty
    }
}

TEST(Mixer, SelhaniVolaniDaPrazdnySeznamBezNeplatnehoUchytu) {
    FalesnyMixer neotevreny;
    neotevreny.otevreni = MMSYSERR_BADDEVICEID;
    EXPECT_TRUE(VstupyMixeru(neotevreny).Nazvy().empty());
    EXPECT_EQ(neotevreny.zavreni, 0);  // nothing to close, no invalid handle used

    FalesnyMixer bezLinky;
    bezLinky.linka = MIXERR_INVALLINE;
    EXPECT_TRUE(VstupyMixeru(bezLinky).Nazvy().empty());
    EXPECT_EQ(bezLinky.zavreni, 1);
    EXPECT_FALSE(bezLinky.zavrenoNeplatne);
}

TEST(Mixer, SkutecnyMixerBezVyberuVstupu) {
    // Wine's mixers (ALSA null device) have no recording selector: the list stays empty.
    VstupyMixeru vstupy;
    EXPECT_TRUE(vstupy.Nazvy().empty());
}
