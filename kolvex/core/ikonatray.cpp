#include "ikonatray.h"

#include "core/aplikace.h"
#include "knihovna/chyba.h"
#include "knihovna/ikony.h"
#include "knihovna/uchyt.h"
#include "knihovna/okno.h"
#include "knihovna/text.h"
#include "resources/resource.h"

using knihovna::VyhoditChybu;
using knihovna::VyhoditPosledniChybu;

namespace {

// Shell_NotifyIconW with the icon carrying its mask as alpha (see knihovna/ikony.h).
BOOL WINAPI OznamitOblasti(DWORD zprava, PNOTIFYICONDATAW data) {
    if (!data || !(data->uFlags & NIF_ICON) || !data->hIcon) return ::Shell_NotifyIconW(zprava, data);
    knihovna::UchytIkony alfa(knihovna::IkonaSAlfou(data->hIcon));
    if (!alfa) return ::Shell_NotifyIconW(zprava, data);
    NOTIFYICONDATAW kopie = *data;
    kopie.hIcon = alfa.Get();
    const BOOL vysledek = ::Shell_NotifyIconW(zprava, &kopie);
    const DWORD kod = ::GetLastError();
    alfa.Nastavit();
    ::SetLastError(kod);
    return vysledek;
}

}  // namespace

FunkceNotifyIcon notifikacniIkona = OznamitOblasti;

namespace {

NOTIFYICONDATAW Data(HWND okno, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = okno;
    data.uID = id;
    return data;
}

void Kopirovat(wchar_t* cil, size_t velikost, const std::wstring& text) {
    std::wstring oriznuty = knihovna::Oriznout(text, velikost - 1);
    wmemcpy(cil, oriznuty.c_str(), oriznuty.size() + 1);
}

void Oznamit(DWORD zprava, NOTIFYICONDATAW& data) {
    if (!notifikacniIkona(zprava, &data)) VyhoditPosledniChybu();
}

}  // namespace

void IkonaTray::Pridat(HWND okno_, UINT id_, HICON ikona_, const wchar_t* tip) {
    if (!::IsWindow(okno_)) VyhoditChybu(E_INVALIDARG);
    stav = -1;
    ikona = vlastniIkona = nullptr;
    vlastniSeznam = nullptr;
    okno = okno_;
    id = id_;
    HICON zobrazena = ikona_;
    if (!zobrazena) zobrazena = reinterpret_cast<HICON>(::SendMessageW(okno_, WM_GETICON, ICON_SMALL, 0));
    if (!zobrazena) zobrazena = reinterpret_cast<HICON>(::GetClassLongPtrW(okno_, GCLP_HICONSM));
    if (!zobrazena) zobrazena = reinterpret_cast<HICON>(::SendMessageW(okno_, WM_GETICON, ICON_BIG, 0));
    if (!zobrazena) zobrazena = reinterpret_cast<HICON>(::GetClassLongPtrW(okno_, GCLP_HICON));
    if (!zobrazena) VyhoditChybu(E_INVALIDARG);

    std::wstring popis;
    if (tip) {
        popis = tip;
    } else {
        int delka = ::GetWindowTextLengthW(okno_);
        wchar_t buffer[128] = L"";
        if (delka > 0)
            ::GetWindowTextW(okno_, buffer, 128);
        else
            ::GetClassNameW(okno_, buffer, 128);
        popis = buffer;
    }
    NOTIFYICONDATAW data = Data(okno, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = ZPRAVA_IKONY_TRAY;
    data.hIcon = zobrazena;
    Kopirovat(data.szTip, 128, popis);
    Oznamit(NIM_ADD, data);
    ikona = zobrazena;
}

void IkonaTray::ZmenitIkonu(HICON nova) {
    if (id == 0) VyhoditChybu(E_INVALIDARG);
    NOTIFYICONDATAW data = Data(okno, id);
    data.uFlags = NIF_ICON;
    data.hIcon = nova;
    Oznamit(NIM_MODIFY, data);
    ikona = nova;
}

void IkonaTray::NastavitPopis(const wchar_t* text) {
    if (id == 0) VyhoditChybu(E_INVALIDARG);
    NOTIFYICONDATAW data = Data(okno, id);
    data.uFlags = NIF_TIP;
    Kopirovat(data.szTip, 128, text ? text : L"");
    Oznamit(NIM_MODIFY, data);
}

void IkonaTray::Odebrat() {
    if (id == 0) return;
    NOTIFYICONDATAW data = Data(okno, id);
    Oznamit(NIM_DELETE, data);
    okno = nullptr;
    id = 0;
    ikona = nullptr;
    if (vlastniIkona) {
        if (!::DestroyIcon(vlastniIkona)) VyhoditPosledniChybu();
        vlastniIkona = nullptr;
    }
    if (vlastniSeznam) {
        if (!ImageList_Destroy(vlastniSeznam)) VyhoditPosledniChybu();
        vlastniSeznam = nullptr;
    }
}

void PripravitBublinu(NOTIFYICONDATAW& data, const IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk,
                      const std::wstring& text, HICON vlastniIkona) {
    data = Data(ikona.okno, ikona.id);
    data.uFlags = NIF_INFO;
    Kopirovat(data.szInfoTitle, 64, titulek);
    Kopirovat(data.szInfo, 256, text);
    data.uTimeout = 11000;
    data.dwInfoFlags = druh;
    if (druh == NIIF_INFO) {
        // The icon travels without NIF_ICON: it is the balloon's, the tray icon stays as it is.
        if (vlastniIkona) {
            data.dwInfoFlags = NIIF_USER;
            data.hIcon = vlastniIkona;
            data.hBalloonIcon = vlastniIkona;
        } else {
            data.hIcon = ikona.ikona;
        }
    }
    if (!zvuk) data.dwInfoFlags |= NIIF_NOSOUND;
}

void ZobrazitBublinu(IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk, const std::wstring& text,
                     HICON vlastniIkona) {
    if (ikona.id == 0) VyhoditChybu(E_INVALIDARG);
    SkrytBublinu(ikona);
    NOTIFYICONDATAW data;
    PripravitBublinu(data, ikona, titulek, druh, zvuk, text, vlastniIkona);
    Oznamit(NIM_MODIFY, data);
}

void ZobrazitBublinuId(IkonaTray& ikona, const std::wstring& titulek, DWORD druh, bool zvuk, UINT idTextu,
                       HICON vlastniIkona) {
    ZobrazitBublinu(ikona, titulek, druh, zvuk, knihovna::Retezec(idTextu), vlastniIkona);
}

void SkrytBublinu(IkonaTray& ikona) {
    if (ikona.id == 0) VyhoditChybu(E_INVALIDARG);
    NOTIFYICONDATAW data = Data(ikona.okno, ikona.id);
    data.uFlags = NIF_INFO;
    data.szInfo[0] = L'\0';
    Oznamit(NIM_MODIFY, data);
}

ModulAplikace::~ModulAplikace() {
    if (ikonaModulu) ::DestroyIcon(ikonaModulu);  // nothing to do about a failure at this point
    ikonaModulu = nullptr;
}

// Control icons of tool modules: the window part is OknoModul, the icon and name ModulAplikace.

namespace knihovna {

OknoModul::~OknoModul() {
    try {
        OdebratOvladaciIkonu();
    } catch (const Chyba&) {
        // the shell may be gone already; the record is deleted all the same
    }
    delete ovladaciIkona;
    ovladaciIkona = nullptr;
}

void OknoModul::VytvoritOvladaciIkonu() {
    if (ovladaciIkona) return;
    auto* modul = dynamic_cast<ModulAplikace*>(this);
    if (!modul) VyhoditChybu(E_INVALIDARG);
    auto* nova = new IkonaTray();
    try {
        nova->Pridat(m_hWnd, 1, modul->ikonaModulu, nullptr);
        nova->NastavitPopis(Formatovat(Retezec(IDS_TEXT_S_NADPISEM).c_str(), modul->nazevModulu.c_str(),
                                       aplikace.titulek.c_str())
                                .c_str());
    } catch (...) {
        try {
            nova->Odebrat();
        } catch (const Chyba&) {
        }
        delete nova;
        throw;
    }
    ovladaciIkona = nova;
}

void OknoModul::OdebratOvladaciIkonu() {
    if (!ovladaciIkona) return;
    IkonaTray* ikona = ovladaciIkona;
    ovladaciIkona = nullptr;
    try {
        ikona->Odebrat();
    } catch (...) {
        delete ikona;
        throw;
    }
    delete ikona;
}

void OknoModul::ObnovitOvladaciIkonu() {
    OdebratOvladaciIkonu();
    VytvoritOvladaciIkonu();
}

}  // namespace knihovna
