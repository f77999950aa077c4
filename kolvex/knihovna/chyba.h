// The one error object of the program: an HRESULT and, optionally, the COM error information.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "uchyt.h"

namespace knihovna {

class Chyba {
public:
    explicit Chyba(HRESULT hr) : m_hr(hr) {}
    Chyba(HRESULT hr, IErrorInfo* informace) : m_hr(hr), m_informace(informace) {}

    HRESULT Hresult() const { return m_hr; }
    bool MaInformace() const { return static_cast<bool>(m_informace); }

    // The system's message text for the HRESULT, without the trailing line break.
    std::wstring Zprava() const;
    // The description the COM object left, empty without error information.
    std::wstring Popis() const;

private:
    HRESULT m_hr;
    ComUkazatel<IErrorInfo> m_informace;
};

// GetLastError as an HRESULT: a positive code becomes 0x80070000 | (code & 0xFFFF), 0 stays 0.
HRESULT HresultZPosledniChyby();
HRESULT HresultZKodu(DWORD kod);

[[noreturn]] void VyhoditChybu(HRESULT hr);
[[noreturn]] void VyhoditPosledniChybu();
// Raises the last system error when the condition does not hold.
inline void Overit(bool podminka) {
    if (!podminka) VyhoditPosledniChybu();
}
inline void OveritHr(HRESULT hr) {
    if (FAILED(hr)) VyhoditChybu(hr);
}

// Message text for an HRESULT (FormatMessageW, then the fallbacks for unknown codes).
std::wstring TextHresult(HRESULT hr);

}  // namespace knihovna
