// The class factory for the WebBrowser class id, registered in a test
// process or handed out by the DLL.
#include <exdisp.h>

#include "Control.h"
#include "StandIn.h"

namespace standin {

namespace {
class ClassFactory final : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IClassFactory)
            return E_NOINTERFACE;
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // One static instance: its lifetime is the module's.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return BrowserControl::Create(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        standin::LockModule(lock != FALSE);
        return S_OK;
    }
};

ClassFactory g_factory;
}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (clsid != CLSID_WebBrowser)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

ClassRegistration::ClassRegistration() {
    IUnknown* factory = nullptr;
    m_result = GetClassObject(CLSID_WebBrowser, IID_IUnknown, reinterpret_cast<void**>(&factory));
    if (SUCCEEDED(m_result))
        m_result = ::CoRegisterClassObject(CLSID_WebBrowser, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                           &m_cookie);
}

ClassRegistration::~ClassRegistration() {
    if (m_cookie)
        ::CoRevokeClassObject(m_cookie);
}

}  // namespace standin
