#include "modul.h"

#include <shellapi.h>

#include "text.h"

namespace knihovna {

FunkceOknaZpravy oknoZpravy = ::MessageBoxW;
FunkceShellExecute spustitShell = ::ShellExecuteW;

std::wstring emailPodpory = L"podpora@brenvald.cz";
std::wstring webAutora = L"http://www.brenvald.cz";
std::wstring serverAktualizaci = L"www.brenvald.cz";

std::wstring ZiskatTextChyby(int kod) {
    if (kod == 0) return L"Nespecifikovaná chyba";
    HRESULT hr = kod > 0 ? HresultZKodu(static_cast<DWORD>(kod)) : static_cast<HRESULT>(kod);
    return Chyba(hr).Zprava();
}

std::wstring TextPosledniChyby() { return ZiskatTextChyby(static_cast<int>(::GetLastError())); }

Modul::Modul(const wchar_t* klic) : klicAplikace(klic) {}

Modul::~Modul() = default;

void Modul::OtevritAdresu(const std::wstring& adresa) {
    HINSTANCE h = spustitShell(nullptr, L"open", adresa.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    if (reinterpret_cast<INT_PTR>(h) <= 32) VyhoditPosledniChybu();
}

void Modul::NapsatPodpore() {
    OtevritAdresu(L"mailto:" + emailPodpory + L"?subject=Žádost o technickou podporu");
}

void Modul::OtevritWebAutora() { OtevritAdresu(webAutora + L"/"); }

void Modul::ZobrazitZpravuId(UINT id, UINT priznaky) {
    std::wstring text;
    if (NacistRetezec(id, text))
        ZobrazitZpravu(text, priznaky);
    else
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
}

int Modul::ZobrazitZpravu(const std::wstring& text, UINT priznaky) {
    return oknoZpravy(nullptr, text.c_str(), titulek.c_str(), priznaky | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Modul::ZobrazitChybu(const std::wstring& text) { ZobrazitZpravu(text, MB_ICONERROR); }

void Modul::ZobrazitChybuComId(UINT id, const Chyba& chyba) {
    std::wstring nadpis;
    if (!NacistRetezec(id, nadpis)) nadpis = TextPosledniChyby();
    ZobrazitChybuCom(nadpis, chyba);
}

std::wstring Modul::TextChybyCom(const Chyba& chyba) {
    if (chyba.MaInformace()) return Formatovat(L"%s - %s", chyba.Zprava().c_str(), chyba.Popis().c_str());
    return chyba.Zprava();
}

void Modul::ZobrazitChybuCom(const std::wstring& text, const Chyba& chyba) {
    ZobrazitChybu(Formatovat(L"%s\nChyba: %s", text.c_str(), TextChybyCom(chyba).c_str()));
}

void Modul::ZobrazitChybuComPopis(const Chyba& chyba) {
    if (chyba.MaInformace())
        ZobrazitChybu(Formatovat(L"%s\n%s", chyba.Zprava().c_str(), chyba.Popis().c_str()));
    else
        ZobrazitChybu(chyba.Zprava());
}

void Modul::ZobrazitChybuId(UINT id) {
    if (id != 0)
        ZobrazitZpravuId(id, MB_ICONERROR);
    else
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
}

bool Modul::Otazka(const std::wstring& text, bool vychoziAno, bool varovani) {
    UINT priznaky = MB_YESNO | MB_TASKMODAL | MB_SETFOREGROUND | (varovani ? MB_ICONWARNING : MB_ICONQUESTION);
    if (!vychoziAno) priznaky |= MB_DEFBUTTON2;
    return oknoZpravy(nullptr, text.c_str(), titulek.c_str(), priznaky) == IDYES;
}

bool Modul::OtazkaId(UINT id, bool vychoziAno, bool varovani) {
    std::wstring text;
    if (!NacistRetezec(id, text)) {
        ZobrazitZpravu(TextPosledniChyby(), MB_ICONERROR);
        return false;
    }
    return Otazka(text, vychoziAno, varovani);
}

}  // namespace knihovna
