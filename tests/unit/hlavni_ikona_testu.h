// A main window of the test thread with a tray icon whose balloons are recorded (the icon's
// notifications go to the test, not to the shell).
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "core/aplikace.h"
#include "core/globalni.h"
#include "core/ikonatray.h"
#include "core/oknohlavni.h"

namespace testy {

class HlavniIkonaSeZaznamem {
public:
    HlavniIkonaSeZaznamem() {
        oknoHlavni = std::make_unique<OknoHlavni>();
        oknoHlavni->OknoImpl::Vytvorit(HWND_MESSAGE, nullptr, L"test", WS_POPUP, 0, L"QKolvexTestHlavni");
        oknoHlavni->ikona = std::make_unique<IkonaTray>();
        oknoHlavni->ikona->okno = oknoHlavni->m_hWnd;
        oknoHlavni->ikona->id = 1;
        aplikace.titulek = L"Kolvex";
        m_puvodni = notifikacniIkona;
        notifikacniIkona = Zaznamenat;
        Zaznam() = this;
    }
    ~HlavniIkonaSeZaznamem() {
        notifikacniIkona = m_puvodni;
        Zaznam() = nullptr;
        oknoHlavni->ikona->id = 0;
        oknoHlavni.reset();
    }
    HlavniIkonaSeZaznamem(const HlavniIkonaSeZaznamem&) = delete;
    HlavniIkonaSeZaznamem& operator=(const HlavniIkonaSeZaznamem&) = delete;

    std::vector<std::wstring> bubliny;  // balloon texts shown, in order
    std::vector<DWORD> ikonyBublin;     // their icon flags (NIIF_INFO, NIIF_ERROR ...)

private:
    static HlavniIkonaSeZaznamem*& Zaznam() {
        static HlavniIkonaSeZaznamem* zaznam = nullptr;
        return zaznam;
    }
    static BOOL WINAPI Zaznamenat(DWORD zprava, PNOTIFYICONDATAW data) {
        if (zprava == NIM_MODIFY && data->szInfo[0] && Zaznam()) {
            Zaznam()->bubliny.emplace_back(data->szInfo);
            Zaznam()->ikonyBublin.push_back(data->dwInfoFlags & NIIF_ICON_MASK);
        }
        return TRUE;
    }
    FunkceNotifyIcon m_puvodni = nullptr;
};

}  // namespace testy
