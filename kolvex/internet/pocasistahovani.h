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
#include "knihovna/uchyt.h"

// The cancel state of one worker job, shared by the job and the window that started it. A job
// changes the files that a later pass also writes only through Potvrdit, which takes the lock that
// Zrusit takes: once Zrusit has returned, an abandoned job never touches them again.
class ZruseniPrace {
public:
    ZruseniPrace();
    ZruseniPrace(const ZruseniPrace&) = delete;
    ZruseniPrace& operator=(const ZruseniPrace&) = delete;

    explicit operator bool() const { return m_zruseno; }
    bool operator!() const { return !m_zruseno; }
    // Set once cancelled: a network read that waits on it ends at once.
    HANDLE Udalost() const { return m_udalost.Get(); }
    void Zrusit();
    // Runs krok unless the job is cancelled; false when it is.
    bool Potvrdit(const std::function<void()>& krok) const;

private:
    mutable knihovna::KritickaSekce m_zamek;
    std::atomic<bool> m_zruseno{false};
    knihovna::UchytHandle m_udalost;
};

// Fetches one address into one file. Only a 2xx reply that arrives whole replaces the file; any
// failure (no connection, another status, a broken body, a file that cannot be written) deletes
// the file of that name, so nothing stale or partial is left as a picture. The download goes to a
// temporary file of its own; replacing or deleting the file is a commit of the job (zruseni), so a
// cancelled job leaves the file to whoever fetches it next. Never raises.
HRESULT StahnoutSoubor(const std::wstring& adresa, const std::wstring& soubor, const ZruseniPrace* zruseni = nullptr);

// The same for a picture that stays until a new one is whole: only a whole answer that begins as
// a picture file replaces it, and a failure leaves it as it was. Never raises.
HRESULT StahnoutObrazekMistoStareho(const std::wstring& adresa, const std::wstring& soubor,
                                    const ZruseniPrace* zruseni = nullptr);

// Deletes the temporary files that downloads left in a folder (a crash, a stop half way); those
// that a download still writes stay.
void SmazatOpusteneDocasneSoubory(const std::wstring& slozka);

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

// Seam for tests: how one address is fetched into one (temporary) file; zruseni, when set, ends a
// read at once.
extern HRESULT (*stahnoutSouborPocasi)(const std::wstring& adresa, const std::wstring& soubor, HANDLE zruseni);

// One series of a kind, in step order; stops early when zrusit is set.
std::vector<std::wstring> StahnoutRaduModelu(const DruhModelu& druh, const ZadaniStahovani& zadani,
                                             const ZruseniPrace& zrusit);
// The whole pass of a command (a single kind or all four).
VysledekStahovani ProvestStahovani(const ZadaniStahovani& zadani, const ZruseniPrace& zrusit);

// A worker thread of a weather window. The job gets its cancel state, which it checks between its
// steps and commits its file changes through; the job talks to the window only by posting.
// Ukoncit cancels (a network read ends at once) and waits a bounded time; a job that is still stuck
// in a network call keeps only its own data (held by the job), changes no file any more and ends
// on its own.
class PracovniVlakno {
public:
    PracovniVlakno() = default;
    ~PracovniVlakno();
    PracovniVlakno(const PracovniVlakno&) = delete;
    PracovniVlakno& operator=(const PracovniVlakno&) = delete;

    // Starts the job; a failed start raises the last system error.
    void Spustit(std::function<void(const ZruseniPrace& zrusit)> prace);
    bool Bezi() const;
    // Cancels and waits up to ms; true when the thread has ended.
    bool Ukoncit(DWORD ms);
    // Closes the handle of an ended thread.
    void Uklidit();

private:
    struct Stav {
        ZruseniPrace zrusit;
        std::function<void(const ZruseniPrace&)> prace;
    };
    static unsigned __stdcall Procedura(void* parametr);
    HANDLE m_vlakno = nullptr;
    std::shared_ptr<Stav> m_stav;
};
