#include "core/dialogy.h"

#include <cstring>
#include <memory>

#include "core/aplikace.h"
#include "core/pomocne.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"

using knihovna::Formatovat;
using knihovna::Overit;
using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

DlgProgramInfo* dlgProgramInfo = nullptr;

namespace {

void NastavitIkonyDialogu(HWND dialog) {
    if (aplikace.velkaIkona.Get())
        ::SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(aplikace.velkaIkona.Get()));
    if (aplikace.malaIkona.Get())
        ::SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(aplikace.malaIkona.Get()));
}

HWND OveritPrvek(HWND dialog, int id) {
    HWND prvek = ::GetDlgItem(dialog, id);
    if (!prvek) VyhoditChybu(E_INVALIDARG);
    return prvek;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

LRESULT DlgVstupTextu::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    NastavitIkonyDialogu(m_hWnd);
    ::SetWindowTextW(m_hWnd, Formatovat(L" %s", aplikace.titulek.c_str()).c_str());
    if (limit != -1) ::SendDlgItemMessageW(m_hWnd, IDC_VSTUP_TEXT, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    ::SetDlgItemTextW(m_hWnd, IDC_VSTUP_VYZVA, vyzva.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_VSTUP_TEXT, text.c_str());
    return TRUE;
}

LRESULT DlgVstupTextu::OnOk(WORD, WORD, HWND, BOOL&) {
    text = knihovna::OknoObal(Polozka(IDC_VSTUP_TEXT)).Text();
    Ukoncit(IDOK);
    return 0;
}

LRESULT DlgVstupTextu::OnStorno(WORD, WORD, HWND, BOOL&) {
    Ukoncit(IDCANCEL);
    return 0;
}

bool ZadatText(std::wstring& text, const std::wstring& vyzva, HWND vlastnik) {
    auto dialog = std::make_unique<DlgVstupTextu>(vyzva, text, -1);
    if (dialog->SpustitModalne(vlastnik) != IDOK) return false;
    text = dialog->text;
    return true;
}

bool ZadatText(std::wstring& text, const std::wstring& vyzva) { return ZadatText(text, vyzva, ::GetActiveWindow()); }

bool ZadatTextId(std::wstring& text, UINT idVyzvy) { return ZadatTextId(text, idVyzvy, ::GetActiveWindow()); }

bool ZadatTextId(std::wstring& text, UINT idVyzvy, HWND vlastnik) {
    std::wstring vyzva;
    if (!knihovna::NacistRetezec(idVyzvy, vyzva)) VyhoditPosledniChybu();
    return ZadatText(text, vyzva, vlastnik);
}

// ---------------------------------------------------------------------------------------------

std::wstring ZjistitVerziSouboruProgramu() {
    wchar_t soubor[MAX_PATH];
    DWORD delka = ::GetModuleFileNameW(nullptr, soubor, MAX_PATH);
    if (delka == 0 || delka >= MAX_PATH) VyhoditPosledniChybu();
    DWORD nic = 0;
    DWORD velikost = ::GetFileVersionInfoSizeW(soubor, &nic);
    Overit(velikost != 0);
    knihovna::BlokHaldy blok(velikost);
    if (!blok) VyhoditChybu(E_OUTOFMEMORY);
    Overit(::GetFileVersionInfoW(soubor, 0, velikost, blok.Get()) != 0);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT delkaInfa = 0;
    Overit(::VerQueryValueW(blok.Get(), L"\\", reinterpret_cast<void**>(&info), &delkaInfa) != 0 && info &&
           delkaInfa >= sizeof(VS_FIXEDFILEINFO));
    return Formatovat(L"%d.%d.%d.%d", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                      HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS));
}

LRESULT DlgProgramInfo::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
    NastavitIkonyDialogu(m_hWnd);
    if (aplikace.velkaIkona.Get())
        ::SendDlgItemMessageW(m_hWnd, IDC_INFO_IKONA, STM_SETICON, reinterpret_cast<WPARAM>(aplikace.velkaIkona.Get()),
                              0);
    ::SetWindowTextW(m_hWnd, Formatovat(L"O programu %s", aplikace.titulek.c_str()).c_str());

    ::SetDlgItemTextW(m_hWnd, IDC_INFO_NAZEV, aplikace.titulek.c_str());
    std::wstring copyright;
    NacistRetezecVerze(L"LegalCopyright", copyright);
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_COPYRIGHT, copyright.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_INFO_VERZE, (L"verze: " + ZjistitVerziSouboruProgramu()).c_str());

    knihovna::PripojitNadpisVerdana(nadpis, OveritPrvek(m_hWnd, IDC_INFO_NAZEV));

    odkazEmail.Pripojit(OveritPrvek(m_hWnd, IDC_INFO_EMAIL));
    odkazEmail.NastavitAdresu(knihovna::emailPodpory.c_str());
    odkazEmail.predmet = Formatovat(L"Aplikace %s", aplikace.titulek.c_str());
    odkazEmail.NastavitText(knihovna::emailPodpory.c_str());

    odkazWeb.PripojitSUrl(OveritPrvek(m_hWnd, IDC_INFO_WEB), nullptr);
    std::wstring web = knihovna::webAutora;
    size_t schema = web.find(L"://");
    odkazWeb.NastavitText((schema == std::wstring::npos ? web : web.substr(schema + 3)).c_str());

    tooltip.Vytvorit(m_hWnd);
    tooltip.PridatNastrojId(OveritPrvek(m_hWnd, IDC_INFO_EMAIL), IDS_TIP_EMAIL_AUTORA);
    tooltip.PridatNastrojId(OveritPrvek(m_hWnd, IDC_INFO_WEB), IDS_TIP_WEB_AUTORA);

    Overit(Vycentrovat(::GetDesktopWindow()));
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

LRESULT DlgProgramInfo::OnZavrit(WORD, WORD id, HWND, BOOL&) {
    Ukoncit(id);
    return 0;
}

void ZobrazitInfoOProgramu() {
    if (dlgProgramInfo) {
        if (dlgProgramInfo->JeOkno()) ::SetForegroundWindow(dlgProgramInfo->m_hWnd);
        return;
    }
    std::unique_ptr<DlgProgramInfo> dialog(new DlgProgramInfo);
    dlgProgramInfo = dialog.get();
    try {
        dialog->SpustitModalne(nullptr);
    } catch (...) {
        dlgProgramInfo = nullptr;
        throw;
    }
    dlgProgramInfo = nullptr;
}

// ---------------------------------------------------------------------------------------------

void KopirovatTextDoSchranky(const wchar_t* text, HWND vlastnik) {
    if (!text) VyhoditChybu(E_INVALIDARG);
    Overit(knihovna::OtevritSchranku(vlastnik));
    const SIZE_T velikost = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL blok = ::GlobalAlloc(GMEM_MOVEABLE, velikost);
    void* data = blok ? ::GlobalLock(blok) : nullptr;
    bool predano = false;
    bool ok = data != nullptr;
    if (ok) ok = ::EmptyClipboard() != 0;
    if (ok) {
        std::memcpy(data, text, velikost);
        ::GlobalUnlock(blok);
        data = nullptr;
        ok = ::SetClipboardData(CF_UNICODETEXT, blok) != nullptr;
        predano = ok;
    }
    if (!ok) {
        DWORD kod = ::GetLastError();
        if (data) ::GlobalUnlock(blok);
        if (blok && !predano) ::GlobalFree(blok);
        ::CloseClipboard();
        ::SetLastError(kod ? kod : static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
        VyhoditPosledniChybu();
    }
    Overit(::CloseClipboard() != 0);
}
