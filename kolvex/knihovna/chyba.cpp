#include "chyba.h"

#include "text.h"

namespace knihovna {

HRESULT HresultZKodu(DWORD kod) {
    if (kod == 0) return S_OK;
    return static_cast<HRESULT>(0x80070000u | (kod & 0xFFFFu));
}

HRESULT HresultZPosledniChyby() { return HresultZKodu(GetLastError()); }

void VyhoditChybu(HRESULT hr) { throw Chyba(hr); }

void VyhoditPosledniChybu() { throw Chyba(HresultZPosledniChyby()); }

std::wstring TextHresult(HRESULT hr) {
    wchar_t* buffer = nullptr;
    DWORD delka = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                 reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    if (delka > 0 && buffer) {
        std::wstring text(buffer, delka);
        LocalFree(buffer);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
        return text;
    }
    if (buffer) LocalFree(buffer);
    const auto kod = static_cast<unsigned long>(hr);
    if (kod > 0x80040200ul && kod <= 0x8004FFFFul)
        return Formatovat(L"IDispatch error #%d", static_cast<int>(kod - 0x80040200ul));
    return Formatovat(L"Unknown error 0x%0lX", kod);
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
