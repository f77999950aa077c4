#include "timers/casovace.h"

#include "knihovna/text.h"

using knihovna::Formatovat;

FunkceTickCount ziskatTickCount = ::GetTickCount;
FunkceMistniCasCasovace ziskatMistniCas = ::GetLocalTime;

int64_t KalendarniCas(const SYSTEMTIME& c) {
    if (c.wYear < 1900) return 0;
    std::tm t{};
    t.tm_year = c.wYear - 1900;
    t.tm_mon = c.wMonth - 1;
    t.tm_mday = c.wDay;
    t.tm_hour = c.wHour;
    t.tm_min = c.wMinute;
    t.tm_sec = c.wSecond;
    t.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&t));
}

int64_t DalsiGong(const SYSTEMTIME& ted, DWORD gong) {
    SYSTEMTIME c = ted;
    c.wSecond = 0;
    c.wMilliseconds = 0;
    switch (gong) {
        case 1: c.wMinute = 0; return KalendarniCas(c) + 3600;
        case 2: return KalendarniCas(c) + 1800;
        case 3: return KalendarniCas(c) + 900;
        case 4: return KalendarniCas(c) + 60;
        default: return KalendarniCas(c);
    }
}

std::wstring TextData(const SYSTEMTIME& c, DWORD datum) {
    if (datum == 2) {
        static const wchar_t* const dny[] = {L"Neděle, ", L"Pondělí, ", L"Úterý, ", L"Středa, ",
                                             L"Čtvrtek, ", L"Pátek, ",  L"Sobota, "};
        wchar_t mesic[20] = L"";
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + c.wMonth - 1, mesic, 20);
        return std::wstring(dny[c.wDayOfWeek % 7]) + Formatovat(L"%d.", c.wDay) + mesic + L" " +
               Formatovat(L"%d", c.wYear);
    }
    wchar_t den[20] = L"";
    // LOCALE_SABBREVDAYNAME1 is Monday, ...7 Sunday; wDayOfWeek counts from Sunday
    const LCTYPE typ = LOCALE_SABBREVDAYNAME1 + (c.wDayOfWeek + 6) % 7;
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, typ, den, 20);
    return std::wstring(den) + L", " + Formatovat(L"%d.", c.wDay) + Formatovat(L"%d.", c.wMonth) +
           Formatovat(L"%d", c.wYear);
}

std::wstring TextHodin(const SYSTEMTIME& c, const std::wstring& datum) {
    if (datum.empty()) return Formatovat(L"%d:%.2d:%.2d", c.wHour, c.wMinute, c.wSecond);
    return Formatovat(L"%s, %d:%.2d:%.2d", datum.c_str(), c.wHour, c.wMinute, c.wSecond);
}

bool JinyDen(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear != b.wYear || a.wMonth != b.wMonth || a.wDay != b.wDay;
}

std::wstring TextStopek(uint32_t ms) {
    const uint32_t h = ms / 3600000, m = ms % 3600000 / 60000, s = ms % 60000 / 1000;
    return Formatovat(L"%d:%.2d:%.2d", static_cast<int>(h), static_cast<int>(m), static_cast<int>(s));
}

std::wstring TextVysledkuStopek(uint32_t t) {
    const uint32_t h = t / 3600000;
    uint32_t zbytek = t % 3600000;
    const uint32_t m = zbytek / 60000;
    zbytek %= 60000;
    const uint32_t s = zbytek / 1000;
    const uint32_t c = zbytek % 1000 / 10;
    return Formatovat(L"%d:%.2d:%.2d.%.2d", static_cast<int>(h), static_cast<int>(m), static_cast<int>(s),
                      static_cast<int>(c));
}

bool MereniStopek::Spustit() {
    const uint32_t ted = ziskatTickCount();
    switch (stav) {
        case Zastaveno:
            zacatek = ted;
            ulozeno = 0;
            break;
        case Preruseno: zacatek = ted - ulozeno; break;
        case Bezi: return false;
    }
    stav = Bezi;
    return true;
}

bool MereniStopek::Pozastavit() {
    if (stav != Bezi) return false;
    ulozeno = ziskatTickCount() - zacatek;
    stav = Preruseno;
    return true;
}

bool MereniStopek::Zastavit() {
    if (stav == Zastaveno) return false;
    if (stav == Bezi) ulozeno = ziskatTickCount() - zacatek;
    stav = Zastaveno;
    return true;
}

uint32_t MereniStopek::Cas() const { return stav == Bezi ? ziskatTickCount() - zacatek : ulozeno; }
