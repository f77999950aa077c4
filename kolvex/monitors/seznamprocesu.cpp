#include "monitors/seznamprocesu.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "knihovna/chyba.h"
#include "knihovna/text.h"

SeznamProcesu* seznamProcesu = nullptr;

SeznamProcesu::SeznamProcesu(size_t kapacita) : m_data(new InfoProcesu[kapacita]), m_kapacita(kapacita) {}

SeznamProcesu::~SeznamProcesu() { delete[] m_data; }

size_t SeznamProcesu::Pridat(const wchar_t* soubor, const PROCESS_MEMORY_COUNTERS& pamet) {
    if (!soubor) knihovna::VyhoditChybu(E_INVALIDARG);
    if (m_pocet == m_kapacita) {
        auto* vetsi = new InfoProcesu[m_kapacita + 20];
        std::copy(m_data, m_data + m_pocet, vetsi);
        delete[] m_data;
        m_data = vetsi;
        m_kapacita += 20;
    }
    InfoProcesu& zaznam = m_data[m_pocet];
    lstrcpynW(zaznam.soubor, soubor, MAX_PATH);
    zaznam.pamet = pamet;
    return m_pocet++;
}

void SeznamProcesu::SetriditPodlePameti() {
    std::stable_sort(m_data, m_data + m_pocet, [](const InfoProcesu& a, const InfoProcesu& b) {
        return a.pamet.WorkingSetSize > b.pamet.WorkingSetSize;
    });
}

bool PrekrocenLimitProcesu(uint64_t workingSet, DWORD limitMB) {
    return limitMB != 0 && workingSet >= static_cast<uint64_t>(limitMB) * 1048576u;
}

int PorovnatProcesy(const InfoProcesu& a, const InfoProcesu& b, int sloupec, bool vzestupne) {
    int vysledek = 0;
    auto porovnat = [](SIZE_T x, SIZE_T y) { return x < y ? -1 : (x > y ? 1 : 0); };
    switch (sloupec) {
        case 0: vysledek = ::StrCmpIW(::PathFindFileNameW(a.soubor), ::PathFindFileNameW(b.soubor)); break;
        case 1: vysledek = porovnat(a.pamet.WorkingSetSize, b.pamet.WorkingSetSize); break;
        case 2: vysledek = porovnat(a.pamet.PeakWorkingSetSize, b.pamet.PeakWorkingSetSize); break;
        case 3: vysledek = porovnat(a.pamet.PagefileUsage, b.pamet.PagefileUsage); break;
        default: break;
    }
    return vzestupne ? vysledek : -vysledek;
}

void KliknutiNaSloupec(int& sloupec, bool& vzestupne, int kliknuty) {
    if (kliknuty == sloupec)
        vzestupne = !vzestupne;
    else
        sloupec = kliknuty;
}

std::wstring TextKilobajtu(SIZE_T bajty) {
    wchar_t buffer[80] = L"";
    ::StrFormatKBSizeW(static_cast<LONGLONG>(bajty), buffer, 80);
    return buffer;
}

std::wstring TextTipuProcesu(const SeznamProcesu& seznam) {
    std::wstring text = L"Pamět procesů:\n";
    const size_t pocet = std::min<size_t>(seznam.Pocet(), 4);
    for (size_t i = 0; i < pocet; ++i)
        text += knihovna::Formatovat(i < 3 ? L"%s: %s\n" : L"%s: %s", seznam[i].soubor,
                                     TextKilobajtu(seznam[i].pamet.WorkingSetSize).c_str());
    return text;
}
