#include "core/email.h"

#include <ws2tcpip.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "knihovna/chyba.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "core/tls.h"
#include "resources/resource.h"

namespace brenvald_email {

using knihovna::Formatovat;
using knihovna::Retezec;

namespace {

const char ABECEDA[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t DELKA_RADKU = 76;

std::string Uzky(const std::wstring& text) { return knihovna::NaUzky(text, CP_ACP); }

std::string Hex2(unsigned char b) {
    const char* cislice = "0123456789ABCDEF";
    return {cislice[b >> 4], cislice[b & 15]};
}

bool JeAscii(const std::wstring& text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t z) { return z >= 0x20 && z < 0x7F; });
}

bool ZacinaBezVelikosti(const std::wstring& text, const wchar_t* predpona) {
    size_t n = wcslen(predpona);
    return text.size() >= n && ::StrCmpNIW(text.c_str(), predpona, static_cast<int>(n)) == 0;
}

// Lines of a text split at CR (with or without LF) and at a lone LF; whether it ended with one.
std::vector<std::string> Radky(const std::string& data, bool& koncovyKonec) {
    std::vector<std::string> radky(1);
    koncovyKonec = false;
    for (size_t i = 0; i < data.size(); ++i) {
        char z = data[i];
        if (z == '\r' || z == '\n') {
            if (z == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
            radky.emplace_back();
            koncovyKonec = true;
        } else {
            radky.back() += z;
            koncovyKonec = false;
        }
    }
    if (koncovyKonec) radky.pop_back();
    return radky;
}

std::string Spojit(const std::vector<std::string>& radky, bool koncovyKonec) {
    std::string vysledek;
    for (size_t i = 0; i < radky.size(); ++i) {
        if (i) vysledek += "\r\n";
        vysledek += radky[i];
    }
    if (koncovyKonec) vysledek += "\r\n";
    return vysledek;
}

// Line ends of a text as CR LF.
std::wstring SjednotitKonceRadku(const std::wstring& text) {
    std::wstring vysledek;
    vysledek.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            vysledek += L"\r\n";
        } else {
            vysledek += text[i];
        }
    }
    return vysledek;
}

struct ZnakovaSada {
    const wchar_t* nazev;
    UINT kodovaStranka;
};
const ZnakovaSada ZNAKOVE_SADY[] = {
    {L"utf-8", CP_UTF8},          {L"us-ascii", 20127},        {L"windows-1250", 1250},
    {L"windows-1252", 1252},      {L"iso-8859-1", 28591},      {L"iso-8859-2", 28592},
};

std::string Uvozovky(const std::wstring& text) {
    std::string vysledek = "\"";
    for (char z : Uzky(text)) {
        if (z == '"' || z == '\\') vysledek += '\\';
        vysledek += z;
    }
    return vysledek + "\"";
}

// A mailbox for a header: "name" <address>, a non-ASCII name as encoded words.
std::string Schranka(const AdresaEmailu& a) {
    std::string vysledek;
    if (!a.jmeno.empty()) vysledek = (JeAscii(a.jmeno) ? Uvozovky(a.jmeno) : KodovatHlavicku(a.jmeno)) + " ";
    if (!a.adresa.empty()) vysledek += "<" + Uzky(a.adresa) + ">";
    return vysledek;
}

// RFC 2231 value of a non-ASCII parameter (UTF-8, percent-encoded).
std::string ParametrRfc2231(const std::wstring& text) {
    std::string vysledek = "UTF-8''";
    for (unsigned char b : knihovna::NaUzky(text, CP_UTF8)) {
        if (isalnum(b) || strchr("!#$&+-.^_`|~", b))
            vysledek += static_cast<char>(b);
        else
            vysledek += "%" + Hex2(b);
    }
    return vysledek;
}

std::string Datum(const SYSTEMTIME& cas, int posun) {
    wchar_t datum[64] = L"", cas_[32] = L"";
    ::GetDateFormatW(0x0009, 0, &cas, L"ddd, d MMM yyyy", datum, 64);
    ::GetTimeFormatW(0x0009, 0, &cas, L"H:mm:ss", cas_, 32);
    char znamenko = posun >= 0 ? '+' : '-';
    char text[128];
    snprintf(text, sizeof(text), "%s %s %c%4.4d", Uzky(datum).c_str(), Uzky(cas_).c_str(), znamenko,
             posun >= 0 ? posun : -posun);
    return text;
}

bool PrecistSoubor(const std::wstring& cesta, std::string& obsah, HRESULT& hr) {
    knihovna::UchytSouboru soubor(
        ::CreateFileW(cesta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!soubor) {
        hr = knihovna::HresultZPosledniChyby();
        return false;
    }
    LARGE_INTEGER velikost{};
    if (!::GetFileSizeEx(soubor.Get(), &velikost) || velikost.QuadPart > 0x7FFFFFFF) {
        hr = velikost.QuadPart > 0x7FFFFFFF ? knihovna::HresultZKodu(ERROR_FILE_TOO_LARGE)
                                            : knihovna::HresultZPosledniChyby();
        return false;
    }
    obsah.assign(static_cast<size_t>(velikost.QuadPart), '\0');
    DWORD precteno = 0;
    if (!obsah.empty() && (!::ReadFile(soubor.Get(), &obsah[0], static_cast<DWORD>(obsah.size()), &precteno, nullptr) ||
                           precteno != obsah.size())) {
        hr = precteno != obsah.size() && ::GetLastError() == ERROR_SUCCESS ? knihovna::HresultZKodu(ERROR_HANDLE_EOF)
                                                                           : knihovna::HresultZPosledniChyby();
        return false;
    }
    return true;
}

std::string NazevDruhu(int druh) {
    switch (druh) {
        case MULTIPART_MIXED: return "mixed";
        case MULTIPART_ALTERNATIVE: return "alternative";
        case MULTIPART_RELATED: return "related";
        default: return "mixed";
    }
}

std::string Hranice(int cislo) {
    char text[64];
    snprintf(text, sizeof(text), "CSmtpMsgPart123X456_%3.3d_%8.8lX", cislo, static_cast<unsigned long>(::GetTickCount()));
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Base64

std::string Base64::Kodovat(const void* data, size_t n) {
    const unsigned char* b = static_cast<const unsigned char*>(data);
    std::string text;
    text.reserve((n + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= n; i += 3) {
        unsigned v = (b[i] << 16) | (b[i + 1] << 8) | b[i + 2];
        text += ABECEDA[v >> 18];
        text += ABECEDA[(v >> 12) & 63];
        text += ABECEDA[(v >> 6) & 63];
        text += ABECEDA[v & 63];
    }
    if (n - i == 1) {
        unsigned v = b[i] << 16;
        text += ABECEDA[v >> 18];
        text += ABECEDA[(v >> 12) & 63];
        text += "==";
    } else if (n - i == 2) {
        unsigned v = (b[i] << 16) | (b[i + 1] << 8);
        text += ABECEDA[v >> 18];
        text += ABECEDA[(v >> 12) & 63];
        text += ABECEDA[(v >> 6) & 63];
        text += '=';
    }
    return text;
}

void Base64::Zakodovat(const void* data, size_t n) { m_text = Kodovat(data, n); }

void Base64::ZakodovatText(const char* text) {
    if (!text) {
        m_text.clear();
        return;
    }
    Zakodovat(text, strlen(text));
}

void Base64::Dekodovat(const char* text, size_t n) {
    m_data.clear();
    unsigned hodnota = 0;
    int bitu = 0;
    for (size_t i = 0; i < n; ++i) {
        unsigned char z = static_cast<unsigned char>(text[i]) & 0x7F;
        if (z == '=') break;
        const char* pozice = z ? strchr(ABECEDA, z) : nullptr;
        if (!pozice) continue;  // white space and stray characters
        hodnota = (hodnota << 6) | static_cast<unsigned>(pozice - ABECEDA);
        bitu += 6;
        if (bitu >= 8) {
            bitu -= 8;
            m_data += static_cast<char>((hodnota >> bitu) & 0xFF);
        }
    }
}

void Base64::DekodovatText(const char* text) {
    if (!text) {
        m_data.clear();
        return;
    }
    Dekodovat(text, strlen(text));
}

// ---------------------------------------------------------------------------------------------
// Encodings

int ZvolitKodovani(const std::string& data) {
    if (data.empty()) return KODOVANI_7BIT;
    size_t tisknutelnych = 0;
    bool dlouhyRadek = false, netisknutelny = false;
    size_t delkaRadku = 0;
    for (unsigned char b : data) {
        bool tisknutelny = (b >= 0x20 && b <= 0x7E) || b == '\t' || b == '\r' || b == '\n';
        if (tisknutelny) ++tisknutelnych;
        else netisknutelny = true;
        if (b == '\r' || b == '\n') {
            if (delkaRadku > DELKA_RADKU) dlouhyRadek = true;
            delkaRadku = 0;
        } else {
            ++delkaRadku;
        }
    }
    if (delkaRadku > DELKA_RADKU) dlouhyRadek = true;  // the last line counts too
    if (tisknutelnych * 100 / data.size() <= 89) return KODOVANI_BASE64;
    if (dlouhyRadek) return KODOVANI_QUOTED_PRINTABLE;
    if (netisknutelny) return KODOVANI_8BIT;
    return KODOVANI_7BIT;
}

std::string KodovatQuotedPrintable(const std::string& data) {
    bool koncovyKonec = false;
    std::vector<std::string> radky = Radky(data, koncovyKonec);
    std::vector<std::string> vystup;
    for (const std::string& radek : radky) {
        std::string kodovany;
        for (unsigned char b : radek) {
            if (b == '=' || b > 0x7E || (b < 0x20 && b != '\t'))
                kodovany += "=" + Hex2(b);
            else
                kodovany += static_cast<char>(b);
        }
        if (!kodovany.empty() && (kodovany.back() == ' ' || kodovany.back() == '\t')) {
            unsigned char posledni = static_cast<unsigned char>(kodovany.back());
            kodovany.pop_back();
            kodovany += "=" + Hex2(posledni);
        }
        std::string rozdeleny;
        while (kodovany.size() > DELKA_RADKU) {
            size_t rez = 75;
            if (kodovany[74] == '=') rez = 74;
            else if (kodovany[73] == '=') rez = 73;
            rozdeleny += kodovany.substr(0, rez) + "=\r\n";
            kodovany.erase(0, rez);
        }
        vystup.push_back(rozdeleny + kodovany);
    }
    return Spojit(vystup, koncovyKonec);
}

std::string ZalomitRadky(const std::string& data) {
    bool koncovyKonec = false;
    std::vector<std::string> radky = Radky(data, koncovyKonec);
    std::vector<std::string> vystup;
    for (std::string radek : radky) {
        std::string rozdeleny;
        while (radek.size() > DELKA_RADKU) {
            size_t rez = radek.find_last_of(" -;.,?!", DELKA_RADKU - 1);
            rez = rez == std::string::npos ? DELKA_RADKU : rez + 1;
            rozdeleny += radek.substr(0, rez) + "\r\n";
            radek.erase(0, rez);
        }
        vystup.push_back(rozdeleny + radek);
    }
    return Spojit(vystup, koncovyKonec);
}

int KodovaniPrilohy(const std::wstring& typObsahu, int kodovani, const std::string& data) {
    // An attachment must arrive byte for byte: what is not text always goes Base64, and so does
    // text that line-based encodings would change (zero bytes, a lone CR or LF).
    if (!ZacinaBezVelikosti(typObsahu, L"text/")) return KODOVANI_BASE64;
    for (size_t i = 0; i < data.size(); ++i) {
        const char z = data[i];
        if (z == '\0') return KODOVANI_BASE64;
        if (z == '\r' && (i + 1 >= data.size() || data[i + 1] != '\n')) return KODOVANI_BASE64;
        if (z == '\n' && (i == 0 || data[i - 1] != '\r')) return KODOVANI_BASE64;
    }
    return kodovani;
}

std::string ZakodovatObsah(int kodovani, const std::string& data, std::string& nazev) {
    const DWORD zacatek = ::GetTickCount();
    if (kodovani == KODOVANI_AUTOMATICKY) kodovani = ZvolitKodovani(data);
    std::string vysledek;
    switch (kodovani) {
        case KODOVANI_7BIT: {
            nazev = "7bit";
            std::string text = data.substr(0, strnlen(data.c_str(), data.size()));
            for (char& z : text)
                if (static_cast<unsigned char>(z) > 0x7E) z = '?';
            vysledek = ZalomitRadky(text);
            break;
        }
        case KODOVANI_8BIT:
            nazev = "8bit";
            vysledek = ZalomitRadky(data.substr(0, strnlen(data.c_str(), data.size())));
            break;
        case KODOVANI_QUOTED_PRINTABLE:
            nazev = "quoted-printable";
            vysledek = KodovatQuotedPrintable(data);
            break;
        default: {
            nazev = "base64";
            std::string text = Base64::Kodovat(data.data(), data.size());
            for (size_t i = 0; i < text.size(); i += DELKA_RADKU) {
                if (i) vysledek += "\r\n";
                vysledek += text.substr(i, DELKA_RADKU);
            }
            break;
        }
    }
    wchar_t zprava[64];
    swprintf(zprava, 64, L"Encoding took %dms\n", static_cast<int>(::GetTickCount() - zacatek));
    ::OutputDebugStringW(zprava);
    return vysledek;
}

int PosunZonyZBiasu(LONG bias) { return -(bias / 60 * 100 + bias % 60); }

std::string KodovatHlavicku(const std::wstring& text) {
    if (JeAscii(text)) return Uzky(text);
    // Encoded words of at most 45 bytes of UTF-8 each (60 characters of Base64), whole
    // characters only, folded onto continuation lines.
    std::string vysledek;
    std::string kus;
    auto uzavrit = [&]() {
        if (kus.empty()) return;
        if (!vysledek.empty()) vysledek += "\r\n ";
        vysledek += "=?UTF-8?B?" + Base64::Kodovat(kus.data(), kus.size()) + "?=";
        kus.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        size_t delka = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size()) ? 2 : 1;
        std::string znak = knihovna::NaUzky(text.substr(i, delka), CP_UTF8);
        if (kus.size() + znak.size() > 45) uzavrit();
        kus += znak;
        i += delka - 1;
    }
    uzavrit();
    return vysledek;
}

std::string PrevestDoZnakoveSady(const std::wstring& text, std::wstring& znakovaSada) {
    UINT kodovaStranka = 0;
    for (const ZnakovaSada& z : ZNAKOVE_SADY)
        if (::lstrcmpiW(z.nazev, znakovaSada.c_str()) == 0) kodovaStranka = z.kodovaStranka;
    if (text.empty()) {
        if (!kodovaStranka) znakovaSada = L"utf-8";
        return {};
    }
    if (kodovaStranka && kodovaStranka != CP_UTF8) {
        BOOL nahrazeno = FALSE;
        int n = ::WideCharToMultiByte(kodovaStranka, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, &nahrazeno);
        if (n > 0 && !nahrazeno) {
            std::string vysledek(static_cast<size_t>(n), '\0');
            ::WideCharToMultiByte(kodovaStranka, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                  &vysledek[0], n, nullptr, nullptr);
            // A round trip proves that every character survived.
            if (knihovna::NaSiroky(vysledek, kodovaStranka) == text) return vysledek;
        }
    }
    znakovaSada = L"utf-8";
    return knihovna::NaUzky(text, CP_UTF8);
}

std::wstring TypObsahuSouboru(const std::wstring& jmeno) {
    const wchar_t* pripona = ::PathFindExtensionW(jmeno.c_str());
    if (!pripona || !*pripona) return L"application/octet-stream";
    HKEY klic = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, pripona, 0, KEY_READ, &klic) == ERROR_SUCCESS) {
        knihovna::UchytKlice vlastnik(klic);
        wchar_t typ[130] = L"";
        DWORD velikost = sizeof(typ) - sizeof(wchar_t), druh = 0;
        if (::RegQueryValueExW(klic, L"Content Type", nullptr, &druh, reinterpret_cast<BYTE*>(typ), &velikost) ==
                ERROR_SUCCESS &&
            druh == REG_SZ && typ[0])
            return typ;
    }
    static const struct {
        const wchar_t* pripona;
        const wchar_t* typ;
    } zname[] = {
        {L".jpg", L"image/jpeg"}, {L".jpeg", L"image/jpeg"}, {L".png", L"image/png"}, {L".gif", L"image/gif"},
        {L".bmp", L"image/bmp"},  {L".tif", L"image/tiff"},  {L".tiff", L"image/tiff"}, {L".txt", L"text/plain"},
        {L".htm", L"text/html"},  {L".html", L"text/html"},  {L".pdf", L"application/pdf"},
        {L".zip", L"application/zip"}, {L".wav", L"audio/wav"},
    };
    for (const auto& z : zname)
        if (::lstrcmpiW(z.pripona, pripona) == 0) return z.typ;
    return L"application/octet-stream";
}

// ---------------------------------------------------------------------------------------------
// Message

ZpravaEmail::ZpravaEmail() {
    ::GetLocalTime(&casVytvoreni);
    TIME_ZONE_INFORMATION zona{};
    DWORD druh = ::GetTimeZoneInformation(&zona);
    LONG bias = zona.Bias;
    if (druh == TIME_ZONE_ID_STANDARD) bias += zona.StandardBias;
    if (druh == TIME_ZONE_ID_DAYLIGHT) bias += zona.DaylightBias;
    posunZony = PosunZonyZBiasu(bias);
}

const std::string* ZpravaEmail::NajitHlavicku(const std::string& nazev) const {
    for (const auto& h : hlavicky)
        if (h.first == nazev) return &h.second;
    return nullptr;
}

void ZpravaEmail::OdebratHlavicku(const std::string& nazev) {
    hlavicky.erase(std::remove_if(hlavicky.begin(), hlavicky.end(), [&](const auto& h) { return h.first == nazev; }),
                   hlavicky.end());
}

void ZpravaEmail::NastavitHlavicku(const std::string& nazev, const std::string& hodnota) {
    OdebratHlavicku(nazev);
    hlavicky.emplace_back(nazev, hodnota);
}

void ZpravaEmail::PripravitHlavicky() {
    if (!NajitHlavicku("X-Priority")) hlavicky.emplace_back("X-Priority", "3 (Normal)");
    if (!NajitHlavicku("X-MSMail-Priority")) hlavicky.emplace_back("X-MSMail-Priority", "Normal");
    if (!NajitHlavicku("X-Mailer")) {
        std::wstring web = knihovna::webAutora;
        size_t schema = web.find(L"://");
        if (schema != std::wstring::npos) web.erase(0, schema + 3);
        hlavicky.emplace_back("X-Mailer", "QSmtp Class (" + Uzky(web) + ")");
    }
    if (!NajitHlavicku("Importance")) hlavicky.emplace_back("Importance", "Normal");
    NastavitHlavicku("Date", Datum(casVytvoreni, posunZony));
    NastavitHlavicku("Subject", KodovatHlavicku(predmet));
    std::string komu = Schranka(prijemce);
    for (const AdresaEmailu& a : dalsiPrijemci) {
        if (!komu.empty()) komu += ",\r\n\t";
        komu += Schranka(a);
    }
    NastavitHlavicku("To", komu);
    std::string od = odesilatel.jmeno.empty() ? "" : Schranka({odesilatel.jmeno, L""}) ;
    NastavitHlavicku("From", od + "<" + Uzky(odesilatel.adresa) + ">");
}

HRESULT ZpravaEmail::SestavitText(std::string& text, std::wstring* chybnaPriloha) {
    text.clear();
    // Attachments first: one that cannot be read fails the message instead of being dropped.
    std::vector<std::string> obsahyPriloh;
    for (const PrilohaEmailu& p : prilohy) {
        std::string obsah;
        HRESULT hr = S_OK;
        if (!PrecistSoubor(p.cesta, obsah, hr)) {
            if (chybnaPriloha) *chybnaPriloha = p.cesta;
            return FAILED(hr) ? hr : E_FAIL;
        }
        obsahyPriloh.push_back(std::move(obsah));
    }

    const size_t pocet = casti.size() + prilohy.size();
    OdebratHlavicku("Content-Type");
    std::string vnejsi, vnitrni;
    if (pocet > 1) {
        vnejsi = Hranice(0);
        if (druhMultipart == MULTIPART_AUTOMATICKY)
            druhMultipart = prilohy.empty() ? MULTIPART_ALTERNATIVE : MULTIPART_MIXED;
        hlavicky.emplace_back("Content-Type", "multipart/" + NazevDruhu(druhMultipart) + ";\r\n\tboundary=\"" + vnejsi + "\"");
    }
    NastavitHlavicku("MIME-Version", "1.0");
    OdebratHlavicku("Message-ID");
    if (!idZpravy.empty()) hlavicky.emplace_back("Message-ID", "<" + Uzky(idZpravy) + ">");
    PripravitHlavicky();

    for (auto h = hlavicky.rbegin(); h != hlavicky.rend(); ++h) text += h->first + ": " + h->second + "\r\n";
    if (pocet > 1) text += "\r\nThis is a multipart message in MIME format\r\n";
    if (pocet == 0) text += "\r\n";

    if (!prilohy.empty() && casti.size() > 1) {
        vnitrni = Hranice(1);
        text += "\r\n--" + vnejsi + "\r\nContent-Type: multipart/alternative;\r\n\tboundary=\"" + vnitrni + "\"\r\n";
    }
    for (const CastZpravyEmail& cast : casti) {
        if (!vnitrni.empty()) text += "\r\n--" + vnitrni + "\r\n";
        else if (!vnejsi.empty()) text += "\r\n--" + vnejsi + "\r\n";
        std::wstring sada = cast.znakovaSada;
        std::string data = PrevestDoZnakoveSady(SjednotitKonceRadku(cast.text), sada);
        text += "Content-Type: " + Uzky(cast.typObsahu);
        if (ZacinaBezVelikosti(cast.typObsahu, L"text/")) text += ";\r\n\tcharset=\"" + Uzky(sada) + "\"";
        text += "\r\n";
        std::string nazev;
        std::string kodovany = ZakodovatObsah(cast.kodovani, data, nazev);
        text += "Content-Transfer-Encoding: " + nazev;
        if (!cast.idObsahu.empty()) text += "\r\nContent-ID: <" + Uzky(cast.idObsahu) + ">";
        text += "\r\n\r\n" + kodovany;
    }
    if (!vnitrni.empty()) text += "\r\n--" + vnitrni + "--\r\n";

    for (size_t i = 0; i < prilohy.size(); ++i) {
        const PrilohaEmailu& p = prilohy[i];
        if (!vnejsi.empty()) text += "\r\n--" + vnejsi + "\r\n";
        std::wstring jmeno = p.jmeno.empty() ? std::wstring(::PathFindFileNameW(p.cesta.c_str())) : p.jmeno;
        std::wstring typ = p.typObsahu.empty() ? TypObsahuSouboru(jmeno) : p.typObsahu;
        text += "Content-Type: " + Uzky(typ);
        if (ZacinaBezVelikosti(typ, L"text/") && !p.znakovaSada.empty())
            text += ";\r\n\tcharset=\"" + Uzky(p.znakovaSada) + "\"";
        bool asciiJmeno = JeAscii(jmeno);
        text += ";\r\n\tname=" + (asciiJmeno ? Uvozovky(jmeno) : "\"" + KodovatHlavicku(jmeno) + "\"") + "\r\n";
        std::string nazev;
        std::string kodovany = ZakodovatObsah(KodovaniPrilohy(typ, p.kodovani, obsahyPriloh[i]), obsahyPriloh[i], nazev);
        text += "Content-Transfer-Encoding: " + nazev + "\r\n";
        text += std::string("Content-Disposition: ") + (p.vlozena ? "inline" : "attachment") + ";\r\n\tfilename" +
                (asciiJmeno ? "=" + Uvozovky(jmeno) : "*=" + ParametrRfc2231(jmeno));
        if (!p.idObsahu.empty()) text += "\r\nContent-ID: <" + Uzky(p.idObsahu) + ">";
        text += "\r\n\r\n" + kodovany;
    }
    if (!vnejsi.empty()) text += "\r\n--" + vnejsi + "--\r\n";
    return S_OK;
}

// ---------------------------------------------------------------------------------------------
// SMTP client

Smtp::Smtp() {
    servent* sluzba = ::getservbyname("smtp", "tcp");
    m_port = sluzba ? static_cast<u_short>(sluzba->s_port) : htons(25);
}

Smtp::~Smtp() { Odpojit(); }

int Smtp::PriVarovani(int, const std::wstring&) { return 0; }
int Smtp::PriChybe(int, const std::wstring&) { return 0; }
void Smtp::PriOdpovedi(const std::string&, int, const std::wstring&) {}
int Smtp::PriOdesilani(const char*, size_t, size_t) { return 1; }

void Smtp::ZavritSoket() {
    if (m_soket != INVALID_SOCKET) {
        ::shutdown(m_soket, SD_BOTH);
        ::closesocket(m_soket);
    }
    m_soket = INVALID_SOCKET;
    m_prijato.clear();
    m_radky.clear();
    m_tls.reset();
    m_sifrovane.clear();
    m_pripojeno = false;
    m_rozsirene = false;
    m_nabiziPrihlaseni = false;
    m_odmitnutyKod = 0;
    m_odmitnutyUzivatel.clear();
    m_odmitnuteHeslo.clear();
    m_odmitnutaOdpoved.clear();
}

void Smtp::Odpojit() {
    if (m_soket == INVALID_SOCKET) return;
    if (m_pripojeno) Ukoncit();
    ZavritSoket();
}

bool Smtp::PoslatSurove(const char* data, size_t n) {
    size_t odeslano = 0;
    while (odeslano < n) {
        fd_set zapis;
        FD_ZERO(&zapis);
        FD_SET(m_soket, &zapis);
        timeval limit{casovyLimitOdpovedi, 0};
        int pripraveno = ::select(0, nullptr, &zapis, nullptr, &limit);
        if (pripraveno <= 0) {
            m_popisChyby = pripraveno == 0 ? Formatovat(Retezec(IDS_SMTP_CASOVY_LIMIT).c_str(), casovyLimitOdpovedi)
                                           : Retezec(IDS_SMTP_SPOJENI_UKONCENO);
            return false;
        }
        int kus = static_cast<int>(std::min<size_t>(65536, n - odeslano));
        int poslano = ::send(m_soket, data + odeslano, kus, 0);
        if (poslano <= 0) {
            m_popisChyby = Retezec(IDS_SMTP_SPOJENI_UKONCENO);
            return false;
        }
        odeslano += static_cast<size_t>(poslano);
    }
    return true;
}

bool Smtp::Poslat(const std::string& data, bool hlasitPrubeh) {
    size_t odeslano = 0;
    while (odeslano < data.size()) {
        const size_t kus = std::min<size_t>(1024, data.size() - odeslano);
        if (m_tls) {
            std::string zaznam;
            SECURITY_STATUS stav = m_tls->Zasifrovat(data.data() + odeslano, kus, zaznam);
            if (stav != SEC_E_OK) {
                m_popisChyby = Formatovat(Retezec(IDS_SMTP_CHYBA_TLS).c_str(), knihovna::TextHresult(stav).c_str());
                return false;
            }
            if (!PoslatSurove(zaznam.data(), zaznam.size())) return false;
        } else if (!PoslatSurove(data.data() + odeslano, kus)) {
            return false;
        }
        odeslano += kus;
        if (hlasitPrubeh && !PriOdesilani(data.data(), odeslano, data.size())) return false;
    }
    return true;
}

int Smtp::PrijmoutSurove(ULONGLONG konec, std::string& kam) {
    ULONGLONG ted = ::GetTickCount64();
    ULONGLONG zbyva = ted < konec ? konec - ted : 0;
    fd_set cteni;
    FD_ZERO(&cteni);
    FD_SET(m_soket, &cteni);
    timeval limit{static_cast<long>(zbyva / 1000), static_cast<long>(zbyva % 1000) * 1000};
    int pripraveno = zbyva ? ::select(0, &cteni, nullptr, nullptr, &limit) : 0;
    if (pripraveno == 0) {
        m_popisChyby = Formatovat(Retezec(IDS_SMTP_CASOVY_LIMIT).c_str(), casovyLimitOdpovedi);
        return -1;
    }
    char buffer[4096];
    int n = pripraveno > 0 ? ::recv(m_soket, buffer, sizeof(buffer), 0) : -1;
    if (n <= 0) {
        m_popisChyby = Retezec(IDS_SMTP_SPOJENI_UKONCENO);
        return n < 0 ? -1 : 0;
    }
    kam.append(buffer, static_cast<size_t>(n));
    return 1;
}

bool Smtp::Prijmout(ULONGLONG konec) {
    if (!m_tls) return PrijmoutSurove(konec, m_prijato) > 0;
    for (;;) {
        const size_t pred = m_prijato.size();
        std::string odeslat;
        SECURITY_STATUS stav = m_tls->Desifrovat(m_sifrovane, m_prijato, odeslat);
        if (!odeslat.empty() && !PoslatSurove(odeslat.data(), odeslat.size())) return false;
        if (m_prijato.size() > pred) return true;
        if (stav == SEC_I_CONTEXT_EXPIRED) {
            m_popisChyby = Retezec(IDS_SMTP_SPOJENI_UKONCENO);
            return false;
        }
        if (stav != SEC_E_OK) {
            m_popisChyby = Formatovat(Retezec(IDS_SMTP_CHYBA_TLS).c_str(), knihovna::TextHresult(stav).c_str());
            return false;
        }
        if (PrijmoutSurove(konec, m_sifrovane) <= 0) return false;
    }
}

int Smtp::PrecistOdpoved() {
    // Reads whole replies: the lines of a multi-line reply ("250-...") up to the last ("250 ...").
    const ULONGLONG konec = ::GetTickCount64() + static_cast<ULONGLONG>(casovyLimitOdpovedi) * 1000;
    m_radky.clear();
    for (;;) {
        size_t lf;
        while ((lf = m_prijato.find('\n')) != std::string::npos) {
            std::string radek = m_prijato.substr(0, lf);
            m_prijato.erase(0, lf + 1);
            if (!radek.empty() && radek.back() == '\r') radek.pop_back();
            m_posledniOdpoved = knihovna::NaSiroky(radek, CP_THREAD_ACP);
            m_radky.push_back(radek);
            if (radek.size() >= 4 && radek[3] == '-') continue;
            if (radek.size() < 3 || !isdigit(static_cast<unsigned char>(radek[0])) ||
                !isdigit(static_cast<unsigned char>(radek[1])) || !isdigit(static_cast<unsigned char>(radek[2])))
                return -1;
            return atoi(radek.substr(0, 3).c_str());
        }
        if (m_prijato.size() > 65536) return -1;
        if (!Prijmout(konec)) return -1;
    }
}

int Smtp::OdeslatPrikaz(const std::string& prikaz) {
    if (m_soket == INVALID_SOCKET) return -1;
    m_popisChyby.clear();
    if (!prikaz.empty()) {
        m_prijato.clear();  // what a server said unasked is not the answer to this command
        if (!Poslat(prikaz, prikaz.size() > 1024)) return -1;
    }
    int kod = PrecistOdpoved();
    if (kod >= 0) PriOdpovedi(prikaz, kod, m_posledniOdpoved);
    return kod;
}

int Smtp::Selhani(int kod) {
    if (kod == -1) m_pripojeno = false;
    PriChybe(kod, kod == -1 && !m_popisChyby.empty() ? m_popisChyby : m_posledniOdpoved);
    return kod;
}

int Smtp::Pripojit(const std::wstring& server) {
    std::string jmeno = Uzky(knihovna::Oriznout(server, 259));
    if (m_soket != INVALID_SOCKET) {
        if (m_pripojeno) Ukoncit();
        ZavritSoket();
    }
    m_popisChyby.clear();
    m_server = knihovna::Oriznout(server, 259);
    sockaddr_in adresa{};
    adresa.sin_family = AF_INET;
    adresa.sin_port = m_port;
    adresa.sin_addr.s_addr = ::inet_addr(jmeno.c_str());
    if (adresa.sin_addr.s_addr == INADDR_NONE) {
        hostent* pocitac = ::gethostbyname(jmeno.c_str());
        if (!pocitac || !pocitac->h_addr_list || !pocitac->h_addr_list[0]) return 0;
        memcpy(&adresa.sin_addr, pocitac->h_addr_list[0], sizeof(adresa.sin_addr));
    }
    m_soket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_soket == INVALID_SOCKET) return 0;

    // Connect with the same time limit as a reply.
    u_long neblokujici = 1;
    ::ioctlsocket(m_soket, FIONBIO, &neblokujici);
    bool spojeno = ::connect(m_soket, reinterpret_cast<sockaddr*>(&adresa), sizeof(adresa)) == 0;
    if (!spojeno && ::WSAGetLastError() == WSAEWOULDBLOCK) {
        fd_set zapis, chyba;
        FD_ZERO(&zapis);
        FD_ZERO(&chyba);
        FD_SET(m_soket, &zapis);
        FD_SET(m_soket, &chyba);
        timeval limit{casovyLimitOdpovedi, 0};
        spojeno = ::select(0, nullptr, &zapis, &chyba, &limit) > 0 && FD_ISSET(m_soket, &zapis);
    }
    neblokujici = 0;
    ::ioctlsocket(m_soket, FIONBIO, &neblokujici);
    if (!spojeno) {
        ZavritSoket();
        return 0;
    }

    ::Sleep(prodlevaPoPripojeni);
    int kod = OdeslatPrikaz("");
    if (kod != 220) {
        PriChybe(kod, kod == -1 && !m_popisChyby.empty() ? m_popisChyby : m_posledniOdpoved);
        ZavritSoket();
        return 0;
    }
    if (Pozdravit() != 0) {
        Odpojit();
        return 0;
    }
    return 1;
}

bool Smtp::Nabizi(const char* rozsireni) const {
    // The keywords of an EHLO reply, one a line after the code ("250-STARTTLS", "250-AUTH LOGIN",
    // also the older "250-AUTH=LOGIN").
    const size_t n = strlen(rozsireni);
    for (size_t i = 1; i < m_radky.size(); ++i) {
        const std::string& radek = m_radky[i];
        if (radek.size() >= 4 + n && ::StrCmpNIA(radek.c_str() + 4, rozsireni, static_cast<int>(n)) == 0 &&
            (radek.size() == 4 + n || radek[4 + n] == ' ' || radek[4 + n] == '='))
            return true;
    }
    return false;
}

std::wstring PopisOdmitnutehoCertifikatu(HRESULT vysledek, const std::wstring& server) {
    UINT text = 0;
    switch (vysledek) {
        case S_OK: return {};
        case CERT_E_UNTRUSTEDROOT:
        case CERT_E_UNTRUSTEDCA:
        case CERT_E_CHAINING:
        case TRUST_E_CERT_SIGNATURE:
        case CERT_E_UNTRUSTEDTESTROOT: text = IDS_SMTP_CERTIFIKAT_NEDUVERYHODNY; break;
        case CERT_E_CN_NO_MATCH: text = IDS_SMTP_CERTIFIKAT_JINY_SERVER; break;
        case CERT_E_EXPIRED: text = IDS_SMTP_CERTIFIKAT_PROSLY; break;
        case CERTIFIKAT_JESTE_NEPLATI: text = IDS_SMTP_CERTIFIKAT_JESTE_NEPLATI; break;
        case CERT_E_REVOKED:
        case CRYPT_E_REVOKED: text = IDS_SMTP_CERTIFIKAT_ODVOLANY; break;
        case CERT_E_WRONG_USAGE: text = IDS_SMTP_CERTIFIKAT_POUZITI; break;
        default:
            return Formatovat(Retezec(IDS_SMTP_CERTIFIKAT_NEPLATNY).c_str(), server.c_str(),
                              knihovna::TextHresult(vysledek).c_str());
    }
    return Formatovat(Retezec(text).c_str(), server.c_str());
}

int Smtp::SelhaniTls(const std::wstring& popis) {
    // The connection's state is unknown after a failed upgrade: nothing more goes over it,
    // not even QUIT, and nothing falls back to plain text.
    m_popisChyby = popis;
    m_pripojeno = false;
    PriChybe(-1, m_popisChyby);
    return -1;
}

int Smtp::ZahajitTls() {
    int kod = OdeslatPrikaz("STARTTLS\r\n");
    if (kod != 220) {
        if (kod == -1 && !m_popisChyby.empty()) return SelhaniTls(m_popisChyby);
        return SelhaniTls(Formatovat(Retezec(IDS_SMTP_STARTTLS_ODMITNUT).c_str(), m_posledniOdpoved.c_str()));
    }
    // Bytes that came with the 220 were sent before encryption: they are not trusted.
    m_prijato.clear();
    auto tls = std::make_unique<KanalTls>(m_server);
    const ULONGLONG konec = ::GetTickCount64() + static_cast<ULONGLONG>(casovyLimitOdpovedi) * 1000;
    std::string prijato, odeslat;
    const auto nenavazano = [&](const std::wstring& duvod) {
        // A server that speaks only newer TLS than this system says so with its alert.
        if (tls->UpozorneniServeru() == UPOZORNENI_TLS_VERZE)
            return SelhaniTls(Formatovat(Retezec(IDS_SMTP_TLS_VERZE).c_str(), m_server.c_str()));
        return SelhaniTls(Formatovat(Retezec(IDS_SMTP_TLS_NENAVAZANO).c_str(), duvod.c_str()));
    };
    SECURITY_STATUS stav = tls->Zahajit(odeslat);
    while (stav == SEC_I_CONTINUE_NEEDED || stav == SEC_E_INCOMPLETE_MESSAGE) {
        if (!odeslat.empty() && !PoslatSurove(odeslat.data(), odeslat.size())) return nenavazano(m_popisChyby);
        odeslat.clear();
        if (PrijmoutSurove(konec, prijato) <= 0) return nenavazano(m_popisChyby);
        stav = tls->Pokracovat(prijato, odeslat);
    }
    if (!odeslat.empty()) PoslatSurove(odeslat.data(), odeslat.size());  // the last message, or an alert
    if (stav != SEC_E_OK || !tls->JeNavazany()) return nenavazano(knihovna::TextHresult(stav));
    const HRESULT certifikat = tls->OveritCertifikat();
    if (FAILED(certifikat)) return SelhaniTls(PopisOdmitnutehoCertifikatu(certifikat, m_server));
    m_tls = std::move(tls);
    m_sifrovane = prijato;
    return 0;
}

int Smtp::Pozdravit() {
    wchar_t pocitac[MAX_COMPUTERNAME_LENGTH + 1] = L"";
    DWORD delka = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(pocitac, &delka) || !pocitac[0]) wcscpy(pocitac, L"localhost");
    std::string jmeno = Uzky(pocitac);
    m_rozsirene = false;
    int kod = -1;
    if (zkusitEhlo) {
        kod = OdeslatPrikaz("EHLO " + jmeno + "\r\n");
        m_rozsirene = kod == 250;
    }
    if (kod != 250) {
        if (kod == -1 && zkusitEhlo) return Selhani(-1);  // a silent server does not get a second try
        kod = OdeslatPrikaz("HELO " + jmeno + "\r\n");
        if (kod != 250) return Selhani(kod);
    }
    m_pripojeno = true;
    m_nabiziPrihlaseni = false;
    if (m_rozsirene && !m_tls && Nabizi("STARTTLS")) {
        // Encrypted before anything else; the server's extensions are asked for again inside.
        if (ZahajitTls() != 0) return -1;
        kod = OdeslatPrikaz("EHLO " + jmeno + "\r\n");
        if (kod != 250) return Selhani(kod);
    }
    // The user name and password go only to a server that offers a login, and only inside TLS
    // when it offered TLS (what it offered before STARTTLS is not looked at).
    m_nabiziPrihlaseni = m_rozsirene && Nabizi("AUTH");
    // A refused login shows at the message; a server gone silent ends the connection here.
    if (m_nabiziPrihlaseni && Autentizovat() == -1) return -1;
    return 0;
}

bool Smtp::OdpovedNaVyzvu(const std::string& vyzva, std::string& odpoved) const {
    // "Username:" and "Password:", also spelled "User Name" or with a trailing zero byte.
    std::string slovo;
    for (char z : vyzva)
        if (isalpha(static_cast<unsigned char>(z))) slovo += static_cast<char>(tolower(static_cast<unsigned char>(z)));
    // UTF-8, as servers read them today.
    if (slovo == "username") odpoved = knihovna::NaUzky(uzivatel, CP_UTF8);
    else if (slovo == "password") odpoved = knihovna::NaUzky(heslo, CP_UTF8);
    else return false;
    return true;
}

bool Smtp::PrihlaseniOdmitnuto() const {
    return m_odmitnutyKod != 0 && uzivatel == m_odmitnutyUzivatel && heslo == m_odmitnuteHeslo;
}

int Smtp::Autentizovat() {
    if (!m_nabiziPrihlaseni) return 0;  // nothing is sent where no login was offered
    for (int pokus = 0; pokus < pokusyPrihlaseni; ++pokus) {
        if (uzivatel.empty()) return 0;
        // A login the server refused is not sent again: a wrong password repeated locks accounts.
        if (PrihlaseniOdmitnuto()) break;
        int kod = OdeslatPrikaz("AUTH LOGIN\r\n");
        if (kod != 334) {
            if (kod == -1) return Selhani(-1);
            PriVarovani(kod, m_posledniOdpoved);
            return kod;
        }
        for (int krok = 0; kod == 334 && krok < 4; ++krok) {
            Base64 vyzva;
            vyzva.DekodovatText(Uzky(m_posledniOdpoved.size() > 4 ? m_posledniOdpoved.substr(4) : L"").c_str());
            std::string odpoved;
            if (!OdpovedNaVyzvu(vyzva.Data(), odpoved)) {
                OdeslatPrikaz("*\r\n");  // cancels the exchange, so the next command is read as one
                m_posledniOdpoved = knihovna::NaSiroky(vyzva.Data(), CP_THREAD_ACP);
                return Selhani(334);
            }
            std::string radek = Base64::Kodovat(odpoved.data(), odpoved.size());
            if (radek.size() > 398) return Selhani(334);
            kod = OdeslatPrikaz(radek + "\r\n");
        }
        if (kod == 235) {
            m_odmitnutyKod = 0;
            return 0;
        }
        if (kod == -1) return Selhani(-1);
        m_odmitnutyKod = kod;
        m_odmitnutyUzivatel = uzivatel;
        m_odmitnuteHeslo = heslo;
        m_odmitnutaOdpoved = m_posledniOdpoved;
        if (kod != 535 || PriVarovani(535, m_posledniOdpoved) != 1) break;
    }
    if (!m_odmitnutyKod) return 0;
    m_popisChyby = Formatovat(Retezec(IDS_SMTP_PRIHLASENI_ODMITNUTO).c_str(), m_odmitnutaOdpoved.c_str());
    PriChybe(m_odmitnutyKod, m_odmitnutaOdpoved);
    return m_odmitnutyKod;
}

bool PlatnaAdresaSmtp(const std::wstring& adresa) {
    // A line break or an angle bracket would end the command or the address early; a longer
    // address than the command buffer takes would be cut into another one.
    return !adresa.empty() && adresa.size() <= DELKA_ADRESY_SMTP && adresa.find_first_of(L"\r\n<>") == std::wstring::npos;
}

int Smtp::OdmitnoutAdresu(const std::wstring& adresa) {
    m_posledniOdpoved = knihovna::Formatovat(L"Neplatná adresa e-mailu: %s",
                                             knihovna::Oriznout(adresa, DELKA_ADRESY_SMTP).c_str());
    PriChybe(-1, m_posledniOdpoved);
    return -1;
}

int Smtp::OdeslatOdesilatele(const std::wstring& adresa) {
    if (!PlatnaAdresaSmtp(adresa)) return OdmitnoutAdresu(adresa);
    std::string prikaz = "MAIL FROM: <" + Uzky(adresa) + ">\r\n";
    int kod = OdeslatPrikaz(prikaz);
    // A server that wants a login gets it, a bounded number of times, when it offered one; a
    // refused one ends here.
    for (int pokus = 0; kod == 530 && pokus < pokusyPrihlaseni && !uzivatel.empty() && m_nabiziPrihlaseni; ++pokus) {
        int prihlaseni = Autentizovat();
        if (prihlaseni != 0) return prihlaseni;
        kod = OdeslatPrikaz(prikaz);
    }
    if (kod == 250) return 0;
    if (kod == 530 && !uzivatel.empty() && !m_nabiziPrihlaseni)
        m_popisChyby = Formatovat(Retezec(IDS_SMTP_PRIHLASENI_NENABIZENO).c_str(), m_posledniOdpoved.c_str());
    return Selhani(kod);
}

int Smtp::OdeslatPrijemce(const std::wstring& adresa) {
    if (!PlatnaAdresaSmtp(adresa)) return OdmitnoutAdresu(adresa);
    int kod = OdeslatPrikaz("RCPT TO: <" + Uzky(adresa) + ">\r\n");
    if (kod == 250 || kod == 251) return 0;
    if (kod == -1) m_pripojeno = false;
    PriVarovani(kod, m_posledniOdpoved);
    return kod;
}

bool Smtp::Sestavit(ZpravaEmail& zprava, std::string& text) {
    std::wstring priloha;
    HRESULT hr = zprava.SestavitText(text, &priloha);
    if (SUCCEEDED(hr)) return true;
    m_posledniOdpoved = knihovna::Formatovat(L"%s: %s", priloha.c_str(), knihovna::Chyba(hr).Zprava().c_str());
    PriChybe(-1, m_posledniOdpoved);
    return false;
}

int Smtp::OdeslatData(ZpravaEmail& zprava) {
    std::string text;
    if (!Sestavit(zprava, text)) return -1;
    return OdeslatText(text);
}

int Smtp::OdeslatText(const std::string& text) {
    int kod = OdeslatPrikaz("DATA\r\n");
    if (kod != 354) return Selhani(kod);
    // Dot stuffing: every line that begins with "." gets a second one.
    std::string data;
    data.reserve(text.size() + text.size() / 64 + 8);
    bool zacatekRadku = true;
    for (char z : text) {
        if (zacatekRadku && z == '.') data += '.';
        data += z;
        zacatekRadku = z == '\n';
    }
    if (!zacatekRadku) data += "\r\n";
    data += ".\r\n";
    kod = OdeslatPrikaz(data);
    if (kod == 250) return 0;
    return Selhani(kod);
}

int Smtp::OdeslatZpravu(ZpravaEmail& zprava) {
    if (zprava.odesilatel.adresa.empty()) return -1;
    if (m_soket == INVALID_SOCKET) return -1;
    // Every address is checked before the server hears of the message; empty ones are skipped,
    // and a message without any recipient is an error, never a success.
    std::vector<std::wstring> prijemci;
    prijemci.push_back(zprava.prijemce.adresa);
    for (const AdresaEmailu& a : zprava.dalsiPrijemci) prijemci.push_back(a.adresa);
    for (const AdresaEmailu& a : zprava.skrytiPrijemci) prijemci.push_back(a.adresa);
    prijemci.erase(std::remove(prijemci.begin(), prijemci.end(), std::wstring()), prijemci.end());
    if (!PlatnaAdresaSmtp(zprava.odesilatel.adresa)) return OdmitnoutAdresu(zprava.odesilatel.adresa);
    for (const std::wstring& a : prijemci)
        if (!PlatnaAdresaSmtp(a)) return OdmitnoutAdresu(a);
    if (prijemci.empty()) {
        m_posledniOdpoved = L"Zpráva nemá žádného příjemce.";
        PriChybe(-1, m_posledniOdpoved);
        return -1;
    }
    // Composed first: an attachment that cannot be read fails before the server hears of it.
    std::string text;
    if (!Sestavit(zprava, text)) return -1;
    if (PrihlaseniOdmitnuto()) return Autentizovat();  // reports the refusal; nothing is sent
    int kod = OdeslatOdesilatele(zprava.odesilatel.adresa);
    if (kod != 0) return kod;
    int prijato = 0;
    int posledni = -1;
    for (const std::wstring& a : prijemci) {
        posledni = OdeslatPrijemce(a);
        if (posledni == 0) ++prijato;
        if (posledni == -1 && !m_pripojeno) break;
    }
    if (prijato == 0) return Selhani(posledni != 0 ? posledni : -1);
    return OdeslatText(text);
}

int Smtp::Ukoncit() {
    if (!m_pripojeno) return 0;
    int kod = OdeslatPrikaz("QUIT\r\n");
    m_pripojeno = false;
    if (kod == 221) return 0;
    PriChybe(kod, m_posledniOdpoved);
    return kod;
}

}  // namespace brenvald_email
