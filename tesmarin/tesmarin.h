// Tesmarin: the context-menu handler of all files: copy the path (backslashes doubled) or,
// through Dulcevo, the file's content to the clipboard.
#pragma once

#include <string>

#include "zentrava/serverkom.h"

// {46961BD9-0695-4825-94C8-E5AB8EEEB1F9}
extern const CLSID CLSID_SchrankaContextMenu;
extern const IID IID_ISchrankaContextMenu;
extern const GUID LIBID_TesmarinLib;

// The path with every backslash doubled ("C/C++ string").
std::wstring ZdvojitLomitka(const std::wstring& cesta);

class SchrankaContextMenu : public ramec::ContextMenuZaklad {
public:
    SchrankaContextMenu();
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE slozka, IDataObject* data, HKEY klic) override;

protected:
    UINT PocetPolozek() const override { return 2; }
    const wchar_t* TextPolozky(UINT i) const override;
    const wchar_t* NapovedaPolozky(UINT i) const override;
    void Provest(UINT i) override;

private:
    std::wstring m_cesta;
};
