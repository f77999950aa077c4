#include "modalni.h"

#include <vector>

namespace knihovna {

namespace {

bool JeDialog(HWND okno) {
    wchar_t trida[16] = L"";
    return ::GetClassNameW(okno, trida, 16) > 0 && wcscmp(trida, L"#32770") == 0;
}

BOOL CALLBACK PridatOkno(HWND okno, LPARAM seznam) {
    reinterpret_cast<std::vector<HWND>*>(seznam)->push_back(okno);
    return TRUE;
}

// The button that cancels the dialog: IDCANCEL where it has one (a custom dialog without buttons
// too), else "Ne" of a yes/no question, else "OK" of a plain message.
int TlacitkoZruseni(HWND dialog) {
    for (int id : {IDCANCEL, IDNO, IDOK})
        if (::GetDlgItem(dialog, id)) return id;
    return IDCANCEL;
}

}  // namespace

int UkoncitModalniOkna(DWORD idVlakna) {
    std::vector<HWND> okna;
    ::EnumThreadWindows(idVlakna, PridatOkno, reinterpret_cast<LPARAM>(&okna));
    // A task-modal box without an owner has disabled every other window of the thread.
    auto ostatniZakazana = [&](HWND okno) {
        bool nejake = false;
        for (HWND jine : okna) {
            if (jine == okno || !::IsWindowVisible(jine)) continue;
            if (::IsWindowEnabled(jine)) return false;
            nejake = true;
        }
        return nejake;
    };
    int pocet = 0;
    for (HWND okno : okna) {
        if (!::IsWindowVisible(okno) || !JeDialog(okno) || ::GetPropW(okno, NERUSIT_PRI_ZASTAVENI)) continue;
        const HWND vlastnik = ::GetWindow(okno, GW_OWNER);
        // A modal loop disables its owner.
        const bool modalni = vlastnik ? !::IsWindowEnabled(vlastnik) : ::IsWindowEnabled(okno) && ostatniZakazana(okno);
        if (!modalni) continue;
        const int tlacitko = TlacitkoZruseni(okno);
        if (::PostMessageW(okno, WM_COMMAND, MAKEWPARAM(tlacitko, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(okno, tlacitko))))
            ++pocet;
    }
    return pocet;
}

}  // namespace knihovna
