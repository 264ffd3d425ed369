#pragma once
// A page the control has loaded, and a frame of the top page: the object a
// frame navigation's events name as their pDisp.
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "ComPtr.h"
#include "Html.h"
#include "Module.h"

namespace standin {

struct Page {
    std::wstring url;
    Document document;
};

class Frame final : public IDispatch {
public:
    static ComPtr<Frame> Create(const std::wstring& name, const std::wstring& source);

    const std::wstring& Name() const { return m_name; }
    const std::wstring& Source() const { return m_source; }
    Page page;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override;

private:
    Frame(const std::wstring& name, const std::wstring& source) : m_name(name), m_source(source) {}
    ~Frame() = default;

    LONG m_references = 1;
    standin::LiveObject m_live;
    const std::wstring m_name;
    const std::wstring m_source;
};

}  // namespace standin
