// What the SMTP client tests share: sockets, a client that records its notifications, what
// the loopback servers received.
#pragma once

#include <winsock2.h>

#include <string>
#include <vector>

#include "core/email.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace testy_smtp {

using namespace brenvald_email;

// Windows Sockets for the test program (the application starts them at start-up).
struct Sokety {
    Sokety() {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 0), &wsa);
    }
    ~Sokety() { ::WSACleanup(); }
};

// A client that records its notifications.
class ZaznamovySmtp : public Smtp {
public:
    std::vector<int> varovani, chyby;
    std::vector<std::string> prikazy;
    int odpovedNaVarovani = 0;
    int PriVarovani(int kod, const std::wstring&) override {
        varovani.push_back(kod);
        return odpovedNaVarovani;
    }
    int PriChybe(int kod, const std::wstring&) override {
        chyby.push_back(kod);
        return 0;
    }
    void PriOdpovedi(const std::string& prikaz, int, const std::wstring&) override {
        prikazy.push_back(prikaz.substr(0, prikaz.find_first_of(" \r")));
    }
};

// What the server received for a test (below <servers>/prijate/<name>).
class Prijato {
public:
    explicit Prijato(const std::string& nazev)
        : m_slozka(testy::SlozkaServeru() + L"\\prijate\\" + knihovna::NaSiroky(nazev, CP_UTF8)) {
        testy::SmazatStrom(m_slozka);
    }
    bool Dorazilo() const {
        return testy::CekatNa([&] { return testy::ExistujeSoubor(m_slozka + L"\\hotovo.txt"); }, 5000);
    }
    bool Existuje() const { return testy::ExistujeSoubor(m_slozka + L"\\hotovo.txt"); }
    std::string Soubor(const wchar_t* jmeno) const {
        std::string obsah;
        testy::PrecistSoubor(m_slozka + L"\\" + jmeno, obsah);
        return obsah;
    }

private:
    std::wstring m_slozka;
};

inline std::string Utf8(const std::wstring& text) { return knihovna::NaUzky(text, CP_UTF8); }

inline ZpravaEmail NovaZprava(const std::string& test) {
    ZpravaEmail zprava;
    zprava.odesilatel = {L"Kolvex", L"kolvex@example.cz"};
    zprava.prijemce = {L"Příjemce", L"prijemce@example.cz"};
    zprava.predmet = L"Zkouška";
    zprava.hlavicky.emplace_back("X-Kolvex-Test", test);
    zprava.casti.push_back({L"text/plain", L"utf-8", L"", 0, L"Text."});
    return zprava;
}

inline std::string Radek(const std::string& obalka, const std::string& klic) {
    size_t i = obalka.find(klic + ":");
    if (i == std::string::npos) return {};
    i += klic.size() + 1;
    return obalka.substr(i, obalka.find('\n', i) - i);
}

}  // namespace testy_smtp
