#include "core/poskozenysoubor.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "knihovna/chyba.h"
#include "knihovna/text.h"
#include "knihovna/uchyt.h"
#include "resources/resource.h"

namespace {

bool StejneCesty(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool StejnyObsahSouboru(const std::wstring& a, const std::wstring& b) {
    const DWORD sdileni = FILE_SHARE_READ | FILE_SHARE_WRITE;
    knihovna::UchytSouboru fa(::CreateFileW(a.c_str(), GENERIC_READ, sdileni, nullptr, OPEN_EXISTING, 0, nullptr));
    knihovna::UchytSouboru fb(::CreateFileW(b.c_str(), GENERIC_READ, sdileni, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!fa || !fb) return false;
    LARGE_INTEGER va{}, vb{};
    if (!::GetFileSizeEx(fa.Get(), &va) || !::GetFileSizeEx(fb.Get(), &vb) || va.QuadPart != vb.QuadPart) return false;
    std::vector<char> ba(1 << 16), bb(1 << 16);
    for (;;) {
        DWORD na = 0, nb = 0;
        if (!::ReadFile(fa.Get(), ba.data(), static_cast<DWORD>(ba.size()), &na, nullptr) ||
            !::ReadFile(fb.Get(), bb.data(), static_cast<DWORD>(bb.size()), &nb, nullptr) || na != nb)
            return false;
        if (na == 0) return true;
        if (memcmp(ba.data(), bb.data(), na) != 0) return false;
    }
}

std::wstring ZalohovatPoskozenySoubor(const std::wstring& cesta) {
    for (int i = 0; i < 1000; ++i) {
        const std::wstring zaloha =
            i == 0 ? cesta + L".bak" : knihovna::Formatovat(L"%s.%d.bak", cesta.c_str(), i);
        if (::PathFileExistsW(zaloha.c_str())) {
            // a folder in the copy's name: the copy cannot be made where the user looks for it
            if (::PathIsDirectoryW(zaloha.c_str())) knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_CANNOT_MAKE));
            if (StejnyObsahSouboru(cesta, zaloha)) return zaloha;
            continue;
        }
        if (::CopyFileW(cesta.c_str(), zaloha.c_str(), TRUE)) return zaloha;
        const DWORD kod = ::GetLastError();
        if (kod != ERROR_FILE_EXISTS && kod != ERROR_ALREADY_EXISTS)
            knihovna::VyhoditChybu(knihovna::HresultZKodu(kod ? kod : ERROR_CANNOT_MAKE));
    }
    knihovna::VyhoditChybu(knihovna::HresultZKodu(ERROR_FILE_EXISTS));
}

std::wstring ZpravaUseknutehoKonce(size_t celych, const std::wstring& zaloha, const std::wstring& bezZalohy) {
    std::wstring text = knihovna::Formatovat(knihovna::Retezec(IDS_POSLEDNI_ZAZNAM_USEKNUTY).c_str(),
                                             static_cast<unsigned long>(celych));
    text += L" ";
    if (!zaloha.empty())
        text += knihovna::Formatovat(knihovna::Retezec(IDS_POSKOZENY_SOUBOR_USCHOVAN).c_str(), zaloha.c_str());
    else
        text += bezZalohy.empty() ? knihovna::Retezec(IDS_POSKOZENY_SOUBOR_ZACHOVAN) : bezZalohy;
    return text;
}

void OchranaSouboru::Poskozeny(const std::wstring& cesta) {
    m_cesta = cesta;
    m_zaloha.clear();
}

void OchranaSouboru::Zdravy() {
    m_cesta.clear();
    m_zaloha.clear();
}

bool OchranaSouboru::PredUlozenim(const std::wstring& cesta, bool zmeneno) {
    if (!JePoskozeny() || !StejneCesty(cesta, m_cesta)) return true;
    if (!zmeneno) return false;
    if (m_zaloha.empty() && ::PathFileExistsW(m_cesta.c_str())) m_zaloha = ZalohovatPoskozenySoubor(m_cesta);
    return true;
}

std::wstring OchranaSouboru::ZalohovatHned() {
    if (m_zaloha.empty() && JePoskozeny() && ::PathFileExistsW(m_cesta.c_str())) {
        try {
            m_zaloha = ZalohovatPoskozenySoubor(m_cesta);
        } catch (const knihovna::Chyba&) {
        }
    }
    return m_zaloha;
}

void OchranaSouboru::PoUlozeni(const std::wstring& cesta) {
    if (StejneCesty(cesta, m_cesta)) Zdravy();
}
