// The borderless full-screen window that shows the picture list one picture after another.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "lumeda/brenvald.h"

namespace Gdiplus {
class Bitmap;
}

class OknoPromitani : public Brenvald::Okno {
public:
    OknoPromitani(const std::vector<std::wstring>& seznam, const Brenvald::Nastaveni& nastaveni);
    ~OknoPromitani() override;
    OknoPromitani(const OknoPromitani&) = delete;
    OknoPromitani& operator=(const OknoPromitani&) = delete;

    // Creates and shows the window; the first picture follows at once. Raises an error when the
    // window cannot be created.
    void Spustit();

protected:
    LRESULT ZpracovatZpravu(UINT zprava, WPARAM w, LPARAM l, bool& zpracovano) override;

private:
    const std::vector<std::wstring>& m_seznam;
    const Brenvald::Nastaveni& m_nastaveni;
    Gdiplus::Bitmap* m_obrazek = nullptr;
    HBRUSH m_stetec = nullptr;
    int m_index = -1;
    bool m_casovacBezi = false;
    bool m_kurzorSkryty = false;

    void DalsiObrazek();
    void Kreslit();
    void KlavesaPustena(WPARAM klavesa);
    void SpustitCasovac();
    void ZastavitCasovac();
};
