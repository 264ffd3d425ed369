#pragma once
// A control site that tells every hosted page how to look and behave: no
// context menu, no 3-D border, no scroll bars, keys to the page, and the
// application's external object as window.external.
#include <exdisp.h>
#include <mshtmhst.h>
#include "OleControlSite.h"

class CCustomControlSite : public COleControlSite {
public:
    explicit CCustomControlSite(COleControlContainer* container) : COleControlSite(container) {}
    ~CCustomControlSite() override;

    static const InterfaceMap* GetThisInterfaceMap();
    const InterfaceMap* GetInterfaceMap() const override { return GetThisInterfaceMap(); }

protected:
    // Every control the launcher hosts is a WebBrowser: its events are the
    // ones the windows' event-sink maps are written for.
    const IID& DefaultEventInterface() const override { return DIID_DWebBrowserEvents2; }

public:
    class XDocHostUIHandler : public CNestedInterface<COleControlSite, IDocHostUIHandler> {
    public:
        using CNestedInterface::CNestedInterface;
        STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_OK; }
        STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
        STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                            IOleInPlaceUIWindow*) override { return S_OK; }
        STDMETHODIMP HideUI() override { return S_OK; }
        STDMETHODIMP UpdateUI() override { return S_OK; }
        STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
        STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
        STDMETHODIMP GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
        STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
        STDMETHODIMP GetExternal(IDispatch** external) override;
        STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }
    } m_xDocHostUIHandler{this};
};
