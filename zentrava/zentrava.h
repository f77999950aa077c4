// Zentrava: the picture and picture-folder context-menu handlers, which start Lumeda.
#pragma once

#include <string>
#include <vector>

#include "zentrava/serverkom.h"

// {B0822B90-3764-4BFC-A4F5-41B5ABC40E6D}
extern const CLSID CLSID_ObrazekContextMenu;
// {52925997-EFA4-4DDB-963F-92D1EBB52B01}
extern const CLSID CLSID_SlozkaObrazkuContextMenu;
extern const IID IID_IObrazekContextMenu;
extern const IID IID_ISlozkaObrazkuContextMenu;
extern const GUID LIBID_ZentravaLib;

class ObrazekContextMenu : public ramec::ContextMenuZaklad {
public:
    ObrazekContextMenu();
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE slozka, IDataObject* data, HKEY klic) override;
    const std::vector<std::wstring>& Cesty() const { return m_cesty; }

protected:
    UINT PocetPolozek() const override { return 1; }
    const wchar_t* TextPolozky(UINT) const override;
    const wchar_t* NapovedaPolozky(UINT) const override;
    void Provest(UINT) override;

private:
    std::vector<std::wstring> m_cesty;
};

class SlozkaObrazkuContextMenu : public ramec::ContextMenuZaklad {
public:
    SlozkaObrazkuContextMenu();
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE slozka, IDataObject* data, HKEY klic) override;

protected:
    UINT PocetPolozek() const override { return 1; }
    const wchar_t* TextPolozky(UINT) const override;
    const wchar_t* NapovedaPolozky(UINT) const override;
    void Provest(UINT) override;

private:
    std::wstring m_slozka;
};
