// The programs of the suite declare system DPI awareness in their embedded manifests, with the
// Windows versions they were tested on: a scaled display must not shrink their view of the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "podpora/pomocnik.h"

namespace {

// The RT_MANIFEST resource 1 of a built program, as text; empty when there is none.
std::string ManifestProgramu(const std::wstring& cesta) {
    HMODULE modul = ::LoadLibraryExW(cesta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!modul) return {};
    std::string text;
    if (HRSRC zdroj = ::FindResourceW(modul, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)))
        if (HGLOBAL data = ::LoadResource(modul, zdroj))
            text.assign(static_cast<const char*>(::LockResource(data)), ::SizeofResource(modul, zdroj));
    ::FreeLibrary(modul);
    return text;
}

// Content of the first element of that name (its attributes apart), or "-" when it is missing.
std::string ObsahPrvku(const std::string& text, const std::string& nazev, std::string* atributy = nullptr) {
    const size_t zacatek = text.find("<" + nazev);
    if (zacatek == std::string::npos) return "-";
    const size_t konecZnacky = text.find('>', zacatek);
    const size_t konec = text.find("</" + nazev + ">", konecZnacky);
    if (konecZnacky == std::string::npos || konec == std::string::npos) return "-";
    if (atributy) *atributy = text.substr(zacatek, konecZnacky - zacatek);
    std::string obsah = text.substr(konecZnacky + 1, konec - konecZnacky - 1);
    while (!obsah.empty() && isspace(static_cast<unsigned char>(obsah.back()))) obsah.pop_back();
    while (!obsah.empty() && isspace(static_cast<unsigned char>(obsah.front()))) obsah.erase(0, 1);
    return obsah;
}

}  // namespace

TEST(Manifesty, ProgramyDeklarujiSystemovePovedomiODpi) {
    const wchar_t* const programy[] = {L"Kolvex.exe", L"Sonvidar.exe", L"Lumeda.exe", L"Dulcevo.exe"};
    const char* const systemy[] = {
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // Windows 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // Windows 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // Windows 10 and 11
    };
    for (const wchar_t* program : programy) {
        const std::string manifest = ManifestProgramu(testy::SlozkaTestu() + L"\\" + program);
        ASSERT_FALSE(manifest.empty()) << "no embedded manifest in " << program;

        const std::string nastaveni = ObsahPrvku(manifest, "windowsSettings");
        std::string atributy;
        EXPECT_EQ(ObsahPrvku(nastaveni, "dpiAware", &atributy), "true") << program;
        EXPECT_NE(atributy.find("http://schemas.microsoft.com/SMI/2005/WindowsSettings"), std::string::npos)
            << program << ": " << atributy;
        // system awareness only: no per-monitor declaration beside it
        EXPECT_EQ(ObsahPrvku(nastaveni, "dpiAwareness"), "-") << program;

        const std::string kompatibilita = ObsahPrvku(manifest, "compatibility");
        for (const char* system : systemy)
            EXPECT_NE(kompatibilita.find(std::string("<supportedOS Id=\"") + system + "\"/>"), std::string::npos)
                << program << " does not name " << system;
    }
}
