#include <gtest/gtest.h>

#include "core/aktualizace.h"
#include "core/aplikace.h"
#include "core/sit.h"
#include "knihovna/modul.h"
#include "knihovna/text.h"
#include "podpora/pomocnik.h"
#include "unit/servery_testu.h"

namespace {

// Points the update host at a case folder of the loopback HTTP server.
class HostAktualizaci {
public:
    explicit HostAktualizaci(const std::wstring& pripad) : m_puvodni(knihovna::serverAktualizaci) {
        knihovna::serverAktualizaci = L"127.0.0.1:" + std::to_wstring(testy::PORT_HTTP) + L"/" + pripad;
        if (!aplikace.relaceInternetu)
            aplikace.relaceInternetu = ::InternetOpenW(L"QKolvex5", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    }
    ~HostAktualizaci() { knihovna::serverAktualizaci = m_puvodni; }
    const std::wstring& Host() const { return knihovna::serverAktualizaci; }

private:
    std::wstring m_puvodni;
};

}  // namespace

TEST(Aktualizace, VysledekPodleZverejneneVerze) {
    struct Pripad {
        const wchar_t* slozka;
        UINT ikona;              // 0: the failure box
        const wchar_t* zverejnena;
    } pripady[] = {
        {L"stejna", MB_ICONINFORMATION, L"5.0.1.2"},      // exactly the own version, no line end
        {L"radek", MB_ICONINFORMATION, L"5.0.1.2"},       // white space and line end around it
        {L"velka", MB_ICONINFORMATION, L"5.0.1.2"},       // prefix in capitals
        {L"jina", MB_ICONWARNING, L"5.0.1.23"},           // longer version that begins with the own one
        {L"nesmysl", 0, nullptr},                          // an HTML page instead of the file
        {L"kratka", 0, nullptr},                           // the prefix without a version
        {L"neexistuje", 0, nullptr},                       // 404
    };
    for (const Pripad& p : pripady) {
        HostAktualizaci host(p.slozka);
        testy::ZachytavacZprav zpravy;
        ProvestKontroluAktualizaci();
        ASSERT_EQ(zpravy.zpravy.size(), 1u) << testy::NaUtf8(p.slozka);
        const testy::ZaznamZpravy& z = zpravy.zpravy[0];
        if (p.ikona) {
            EXPECT_EQ(z.priznaky & MB_ICONMASK, p.ikona) << testy::NaUtf8(p.slozka);
            EXPECT_EQ(z.text, knihovna::Formatovat(L"Vaše verze:\n5.0.1.2\n\nAktuální verze na %s:\n%s",
                                                   host.Host().c_str(), p.zverejnena));
        } else {
            EXPECT_EQ(z.priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR)) << testy::NaUtf8(p.slozka);
            EXPECT_EQ(z.text.rfind(L"Nepodařilo se načíst na webu informace o nové verzi.\nChyba: ", 0), 0u)
                << testy::NaUtf8(z.text);
        }
        EXPECT_NE(z.priznaky & MB_TASKMODAL, 0u);
    }
}

TEST(Aktualizace, PublikovanaVerzeZTextu) {
    struct Pripad {
        const wchar_t* text;
        const wchar_t* verze;  // null: not an update file
    } pripady[] = {
        {L"posledniVerze5.0.1.2", L"5.0.1.2"},
        {L"posledniverze5.0.1.2\r\n", L"5.0.1.2"},
        {L"posledniVerze 5.0.1.23 \n", L"5.0.1.23"},
        {L"posledniVerze\r\n", nullptr},
        {L"posledni", nullptr},
        {L"<html>posledniVerze5.0.1.2</html>", nullptr},
    };
    for (const Pripad& p : pripady) {
        std::wstring verze;
        EXPECT_EQ(PrecistPublikovanouVerzi(p.text, verze), p.verze != nullptr) << testy::NaUtf8(p.text);
        if (p.verze) {
            EXPECT_EQ(verze, p.verze);
        }
    }
}
