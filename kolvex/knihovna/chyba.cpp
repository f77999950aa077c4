#include "chyba.h"

#include <wininet.h>

#include "text.h"

namespace knihovna {

HRESULT HresultZKodu(DWORD kod) {
    if (kod == 0) return S_OK;
    return static_cast<HRESULT>(0x80070000u | (kod & 0xFFFFu));
}

HRESULT HresultZPosledniChyby() { return HresultZKodu(GetLastError()); }

void VyhoditChybu(HRESULT hr) { throw Chyba(hr); }

void VyhoditPosledniChybu() { throw Chyba(HresultZPosledniChyby()); }

namespace {

// A system text keeps its inserts ("%1") when it is formatted without arguments: they go, with
// the space before them.
std::wstring BezVlozek(std::wstring text) {
    for (size_t i = 0; (i = text.find(L'%', i)) != std::wstring::npos;) {
        size_t konec = i + 1;
        while (konec < text.size() && iswdigit(text[konec])) ++konec;
        if (konec == i + 1) {
            ++i;
            continue;
        }
        if (konec < text.size() && text[konec] == L'!') {  // "%1!s!"
            size_t druhy = text.find(L'!', konec + 1);
            konec = druhy == std::wstring::npos ? text.size() : druhy + 1;
        }
        size_t zacatek = i;
        if (zacatek > 0 && text[zacatek - 1] == L' ') --zacatek;
        text.erase(zacatek, konec - zacatek);
        i = zacatek;
    }
    return text;
}

// What a failed download or a file over a reader's cap means, in words a user understands
// (WinINet has no texts of its own in the system's message table).
const wchar_t* TextChybySite(HRESULT hr) {
    static const struct {
        DWORD kod;
        const wchar_t* text;
    } texty[] = {
        {ERROR_INTERNET_NAME_NOT_RESOLVED, L"Název serveru se nepodařilo najít. Zkontrolujte adresu a připojení k internetu."},
        {ERROR_INTERNET_CANNOT_CONNECT, L"Se serverem se nepodařilo spojit: server odmítl spojení nebo není dostupný."},
        {ERROR_INTERNET_CONNECTION_ABORTED, L"Spojení se serverem bylo přerušeno dřív, než přišla všechna data."},
        {ERROR_INTERNET_CONNECTION_RESET, L"Server spojení ukončil dřív, než poslal celou odpověď."},
        {ERROR_INTERNET_DISCONNECTED, L"Počítač není připojen k síti."},
        {ERROR_INTERNET_SERVER_UNREACHABLE, L"Server není dostupný. Zkontrolujte připojení k internetu."},
        {ERROR_INTERNET_INVALID_URL, L"Adresa není platná."},
        {ERROR_INTERNET_UNRECOGNIZED_SCHEME, L"Adresa není platná: program umí jen adresy http a https."},
        {ERROR_HTTP_INVALID_SERVER_RESPONSE, L"Server poslal odpověď, které program nerozumí."},
        {ERROR_INTERNET_INCORRECT_HANDLE_STATE, L"Spojení se serverem bylo přerušeno."},
        {ERROR_FILE_TOO_LARGE, L"Soubor nebo odpověď serveru je větší, než program dovoluje."},
        {ERROR_FILE_CORRUPT, L"Soubor je poškozený nebo nemá očekávaný formát."},
        {ERROR_HANDLE_EOF, L"Soubor skončil dřív, než se dal celý přečíst."},
    };
    for (const auto& t : texty)
        if (hr == HresultZKodu(t.kod)) return t.text;
    return nullptr;
}

}  // namespace

std::wstring TextHresult(HRESULT hr) {
    const auto kod = static_cast<unsigned long>(hr);
    // Own texts where the system has none, or none that a user understands.
    if (HRESULT_FACILITY(hr) == FACILITY_HTTP && FAILED(hr))
        return Formatovat(L"HTTP %lu", static_cast<unsigned long>(HRESULT_CODE(hr)));
    if (hr == HresultZKodu(ERROR_DATATYPE_MISMATCH)) return L"Hodnota v registru je nesprávného druhu.";
    if (hr == HresultZKodu(ERROR_HTTP_REDIRECT_FAILED)) return L"Server přesměrovává příliš mnohokrát nebo dokola.";
    if (hr == HresultZKodu(ERROR_INTERNET_TIMEOUT)) return L"Vypršel časový limit spojení se serverem.";
    if (hr == HresultZKodu(WAIT_TIMEOUT)) return L"Vypršel časový limit čekání.";
    if (hr == HresultZKodu(ERROR_TIMEOUT)) return L"Program neodpověděl v časovém limitu.";
    if (const wchar_t* text = TextChybySite(hr)) return text;
    if (hr == HresultZKodu(ERROR_NO_ASSOCIATION))
        return L"K souboru není přiřazen žádný program, který by tuto akci uměl provést.";
    wchar_t* buffer = nullptr;
    DWORD delka = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                 reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (delka > 0 && buffer) {
        std::wstring text(buffer, delka);
        LocalFree(buffer);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
        text = BezVlozek(text);
        if (!text.empty()) return text;
    }
    if (buffer) LocalFree(buffer);
    if (kod > 0x80040200ul && kod <= 0x8004FFFFul)
        return Formatovat(L"Chyba IDispatch č. %d", static_cast<int>(kod - 0x80040200ul));
    return Formatovat(L"Neznámá chyba 0x%08lX", kod);
}

std::wstring Chyba::Zprava() const { return TextHresult(m_hr); }

std::wstring Chyba::Popis() const {
    if (!m_informace) return {};
    BSTR popis = nullptr;
    std::wstring text;
    if (SUCCEEDED(m_informace->GetDescription(&popis)) && popis) text = popis;
    SysFreeString(popis);
    return text;
}

}  // namespace knihovna
