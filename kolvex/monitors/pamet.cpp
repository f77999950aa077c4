#include "monitors/pamet.h"

#include <shlwapi.h>

#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"

using knihovna::Formatovat;

FunkceStavPameti ziskatStavPameti = ::GlobalMemoryStatus;
FunkceMistniCas ziskatMistniCasPameti = ::GetLocalTime;

int VyskaSloupce(DWORD zatizeni) { return static_cast<int>(zatizeni * 16 / 100); }

void PosunoutHistorii(int (&historie)[POCET_HISTORIE], int vyska) {
    for (int i = POCET_HISTORIE - 1; i > 0; --i) historie[i] = historie[i - 1];
    historie[0] = vyska;
}

namespace {
std::wstring TextKB(uint64_t bajty) {
    wchar_t buffer[80] = L"";
    ::StrFormatKBSizeW(static_cast<LONGLONG>(bajty), buffer, 80);
    return buffer;
}
}  // namespace

std::wstring TextTipuPameti(DWORD zatizeni, SIZE_T volna, SIZE_T celkem, const std::wstring& titulek) {
    std::wstring text = Formatovat(L"Využití RAM paměti: %d", static_cast<int>(zatizeni)) + L"%";
    text += Formatovat(L"\nVolná fyz. paměť: %s", TextKB(volna).c_str());
    text += Formatovat(L"\nVyužitá fyz. paměť: %s", TextKB(celkem - volna).c_str());
    return Formatovat(L"%s\n%s", text.c_str(), titulek.c_str());
}

std::wstring RadekLogu(const SYSTEMTIME& c, const std::wstring& zprava) {
    return Formatovat(L"%d.%d.%d %d:%.2d:%.2d - %s\r\n", c.wDay, c.wMonth, c.wYear, c.wHour, c.wMinute, c.wSecond,
                      zprava.c_str());
}

VysledekLogu ZapsatRadekLogu(const std::wstring& cesta, const std::wstring& zprava, DWORD limit) {
    knihovna::UchytSouboru soubor(::CreateFileW(cesta.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!soubor) knihovna::VyhoditPosledniChybu();
    LARGE_INTEGER velikost{};
    knihovna::Overit(::GetFileSizeEx(soubor.Get(), &velikost) != 0);
    if (velikost.QuadPart >= static_cast<LONGLONG>(limit)) return VysledekLogu::Plny;
    LARGE_INTEGER nula{};
    knihovna::Overit(::SetFilePointerEx(soubor.Get(), nula, nullptr, FILE_END) != 0);
    SYSTEMTIME cas;
    ziskatMistniCasPameti(&cas);
    const std::wstring radek = RadekLogu(cas, zprava);
    // one write of the whole line: a line is either there or not
    const DWORD bajtu = static_cast<DWORD>(radek.size() * sizeof(wchar_t));
    DWORD zapsano = 0;
    knihovna::Overit(::WriteFile(soubor.Get(), radek.data(), bajtu, &zapsano, nullptr) != 0);
    if (zapsano != bajtu) knihovna::VyhoditChybu(E_FAIL);
    knihovna::Overit(soubor.Uvolnit());
    return VysledekLogu::Zapsano;
}

bool PrecistKapacitu(const HodnotaVlastnosti& h, uint64_t& kapacita) {
    if (h.druh == HodnotaVlastnosti::Cislo) {
        if (h.cislo < 0) return false;
        kapacita = static_cast<uint64_t>(h.cislo);
        return true;
    }
    if (h.druh != HodnotaVlastnosti::Text || h.text.empty()) return false;
    uint64_t cislo = 0;
    for (wchar_t z : h.text) {
        if (z < L'0' || z > L'9') return false;
        uint64_t dalsi = cislo * 10 + static_cast<uint64_t>(z - L'0');
        if (dalsi / 10 != cislo) return false;  // overflow
        cislo = dalsi;
    }
    kapacita = cislo;
    return true;
}

std::wstring TextVelikosti(uint64_t bajty) {
    wchar_t buffer[100] = L"";
    ::StrFormatByteSize64(static_cast<LONGLONG>(bajty), buffer, 100);
    return buffer;
}

std::wstring TextPolozkyModulu(void* objekt, CteniVlastnosti cist) {
    HodnotaVlastnosti pozice = cist(objekt, L"PositionInRow");
    std::wstring text = L"Blok #";
    if (pozice.druh == HodnotaVlastnosti::Cislo) text += std::to_wstring(static_cast<int>(pozice.cislo));
    uint64_t kapacita = 0;
    if (PrecistKapacitu(cist(objekt, L"Capacity"), kapacita))
        text += Formatovat(L" (%s)", TextVelikosti(kapacita).c_str());
    return text;
}

std::wstring TextFormFactor(int64_t n) {
    static const wchar_t* const nazvy[] = {L"SIP (%d)", L"DIP (%d)", L"ZIP (%d)", L"SOJ (%d)",
                                           L"Proprietary (%d)", L"SIMM (%d)", L"DIM (%d)", L"TSOP (%d)"};
    if (n >= 2 && n <= 9) return Formatovat(nazvy[n - 2], static_cast<int>(n));
    return Formatovat(L"Nezjištěný typ: %d", static_cast<int>(n));
}

std::wstring TextMemoryType(int64_t n) {
    static const wchar_t* const nazvy[] = {L"DRAM", L"Synchronní DRAM", L"Cache DRAM", L"EDO", L"EDRAM",
                                           L"VRAM", L"SRAM", L"RAM", L"ROM", L"Flash", L"EEPROM", L"FEPROM",
                                           L"EPROM", L"CDRAM", L"3DRAM", L"SDRAM", L"SGRAM", L"RDRAM", L"DDR"};
    if (n >= 2 && n <= 20) return nazvy[n - 2];
    return L"Nezjištěný";
}

std::wstring TextTypeDetail(int64_t n) {
    switch (n) {
        case 4: return L"Neznámý";
        case 8: return L"FastPaged";
        case 16: return L"Static column";
        case 32: return L"Pseudo static";
        case 64: return L"RAMBUS";
        case 128: return L"Synchronní";
        case 256: return L"CMOS";
        case 512: return L"EDO";
        case 1024: return L"Window DRAM";
        case 2048: return L"Cache DRAM";
        default: return L"nezjištěno";
    }
}

std::wstring TextVlastnostiModulu(void* objekt, CteniVlastnosti cist) {
    std::wstring vysledek;
    auto radek = [&](const std::wstring& text) { vysledek += text + L"\r\n"; };
    auto textova = [&](const wchar_t* nazev, const wchar_t* popis) {
        HodnotaVlastnosti h = cist(objekt, nazev);
        if (h.druh == HodnotaVlastnosti::Text && !h.text.empty()) radek(Formatovat(L"%s: %s", popis, h.text.c_str()));
    };
    auto ciselna = [&](const wchar_t* nazev, auto&& format) {
        HodnotaVlastnosti h = cist(objekt, nazev);
        if (h.druh == HodnotaVlastnosti::Cislo) radek(format(h.cislo));
    };
    auto logicka = [&](const wchar_t* nazev, const wchar_t* format) {
        HodnotaVlastnosti h = cist(objekt, nazev);
        if (h.druh == HodnotaVlastnosti::Logicka) radek(Formatovat(format, h.logicka ? L"ANO" : L"NE"));
    };
    auto cislem = [](const wchar_t* format) {
        return [format](int64_t n) { return Formatovat(format, static_cast<int>(n)); };
    };

    uint64_t kapacita = 0;
    if (PrecistKapacitu(cist(objekt, L"Capacity"), kapacita))
        radek(Formatovat(L"Kapacita: %s", TextVelikosti(kapacita).c_str()));
    textova(L"BankLabel", L"Jmenovka");
    textova(L"Description", L"Popis");
    textova(L"DeviceLocator", L"Umístění");
    ciselna(L"FormFactor", TextFormFactor);
    textova(L"Manufacturer", L"Výrobce");
    ciselna(L"MemoryType", [](int64_t n) { return L"Typ paměti: " + TextMemoryType(n); });
    textova(L"Model", L"Model");
    textova(L"Name", L"Jméno");
    textova(L"OtherIdentifyingInfo", L"Další popis");
    textova(L"PartNumber", L"PartNumber");
    ciselna(L"PositionInRow", cislem(L"Umístění v řadě: %d"));
    logicka(L"PoweredOn", L"Napájená: %s");
    logicka(L"Removable", L"Removable: %s");
    logicka(L"Replaceable", L"Replaceable: %s");
    textova(L"SerialNumber", L"Sériové číslo");
    ciselna(L"Speed", cislem(L"Rychlost: %d"));
    textova(L"Status", L"Status");
    textova(L"Tag", L"Popis");
    ciselna(L"TotalWidth", cislem(L"Celková šířka: %d"));
    ciselna(L"TypeDetail", [](int64_t n) { return L"Podrobnosti o typu: " + TextTypeDetail(n); });
    textova(L"Version", L"Verze");
    return vysledek;
}
