#include "Frame.h"


#include "Dispatch.h"

namespace standin {

namespace {
const DispatchName kNames[] = {
    {L"LocationURL", kDispidLocationUrl},
    {L"LocationName", kDispidLocationName},
};
}  // namespace

ComPtr<Frame> Frame::Create(const std::wstring& name, const std::wstring& source) {
    return ComPtr<Frame>::Adopt(new Frame(name, source));
}

HRESULT Frame::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch)
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG Frame::AddRef() { return ::InterlockedIncrement(&m_references); }

ULONG Frame::Release() {
    const LONG count = ::InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return count;
}

HRESULT Frame::GetTypeInfoCount(UINT* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT Frame::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return LookUpNames(kNames, names, count, ids);
}

HRESULT Frame::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET))
        return DISP_E_MEMBERNOTFOUND;
    if (id == kDispidLocationUrl)
        return StringResult(page.url, result);
    if (id == kDispidLocationName)
        return StringResult(m_name, result);
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace standin
