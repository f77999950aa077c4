// Weather downloads off the window threads: one picture file, the picture series of a forecast-model
// pass, and a small worker thread that the weather windows run their downloads on.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "internet/pocasidata.h"

// Fetches one address into one file. Only a 2xx reply that arrives whole replaces the file; any
// failure (no connection, another status, a broken body, a file that cannot be written) deletes
// the file of that name, so nothing stale or partial is left as a picture. Never raises.
HRESULT StahnoutSoubor(const std::wstring& adresa, const std::wstring& soubor);
// The same for a picture that stays until a new one is whole: the download goes to a sibling
// file, and only a whole answer that begins as a picture file replaces it. Never raises.
HRESULT StahnoutObrazekMistoStareho(const std::wstring& adresa, const std::wstring& soubor);

// What a forecast-model pass needs, copied from the window and the settings before it starts.
struct ZadaniStahovani {
    UINT prikaz = PRIKAZ_OBLACNOST;  // 40203-40207
    SYSTEMTIME datum{};              // the local date of the run
    int hodinaBehu = 0;              // 0 or 12
    std::wstring zaklad;             // base address of the model's pictures
    std::wstring slozka;             // cache folder
    bool konecPriChybe = true;       // a failed file ends its series
};

// The series a pass built: the current series of a single kind, or the four series of the
// all-models view (slot order; the precipitation series starts with an empty placeholder).
struct VysledekStahovani {
    UINT prikaz = 0;
    std::vector<std::wstring> rada;
    std::array<std::vector<std::wstring>, 4> vsechny;
    bool zruseno = false;
};

// Seam for tests: how one file is fetched.
extern HRESULT (*stahnoutSouborPocasi)(const std::wstring& adresa, const std::wstring& soubor);

// One series of a kind, in step order; stops early when zrusit is set.
std::vector<std::wstring> StahnoutRaduModelu(const DruhModelu& druh, const ZadaniStahovani& zadani,
                                             const std::atomic<bool>& zrusit);
// The whole pass of a command (a single kind or all four).
VysledekStahovani ProvestStahovani(const ZadaniStahovani& zadani, const std::atomic<bool>& zrusit);

// A worker thread of a weather window. The job gets the cancel flag, which it checks between its
// steps; the job talks to the window only by posting. Ukoncit sets the flag and waits a bounded
// time; a job that is still stuck in a network call keeps only its own data (held by the job)
// and ends on its own.
class PracovniVlakno {
public:
    PracovniVlakno() = default;
    ~PracovniVlakno();
    PracovniVlakno(const PracovniVlakno&) = delete;
    PracovniVlakno& operator=(const PracovniVlakno&) = delete;

    // Starts the job; a failed start raises the last system error.
    void Spustit(std::function<void(const std::atomic<bool>& zrusit)> prace);
    bool Bezi() const;
    // Cancels and waits up to ms; true when the thread has ended.
    bool Ukoncit(DWORD ms);
    // Closes the handle of an ended thread.
    void Uklidit();

private:
    struct Stav {
        std::atomic<bool> zrusit{false};
        std::function<void(const std::atomic<bool>&)> prace;
    };
    static unsigned __stdcall Procedura(void* parametr);
    HANDLE m_vlakno = nullptr;
    std::shared_ptr<Stav> m_stav;
};
