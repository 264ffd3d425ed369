#include "OccManager.h"
#include "DlgInit.h"
#include "OleControlContainer.h"
#include "OleControlSite.h"
#include "WinApp.h"
#include "Wnd.h"
#include <cstring>
#include <string>

namespace {
COccManager* g_occManager = nullptr;

class TemplateWalker {
public:
    TemplateWalker(const BYTE* data) : m_data(data) {}
    const BYTE* Here() const { return m_data + m_pos; }
    size_t Offset() const { return m_pos; }
    void Skip(size_t n) { m_pos += n; }
    void AlignDword() { m_pos = (m_pos + 3) & ~size_t{3}; }
    WORD Word() const { WORD w; std::memcpy(&w, Here(), 2); return w; }
    // A string or an 0xFFFF ordinal; returns the string (empty for an ordinal).
    std::wstring StringOrOrdinal() {
        if (Word() == 0xFFFF) {
            m_pos += 4;
            return {};
        }
        std::wstring s;
        for (WORD c; (c = Word()) != 0; m_pos += 2)
            s += static_cast<wchar_t>(c);
        m_pos += 2;
        return s;
    }

private:
    const BYTE* m_data;
    size_t m_pos = 0;
};

void AppendAligned(std::vector<BYTE>& out, const BYTE* from, size_t size) {
    while (out.size() % 4 != 0)
        out.push_back(0);
    out.insert(out.end(), from, from + size);
}

// The stream data for control `id` in the template's initialisation resource.
bool FindControlState(UINT templateId, UINT id, const BYTE** data, DWORD* size) {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(RT_DLGINIT_TYPE));
    if (res == nullptr)
        return false;
    const BYTE* p = static_cast<const BYTE*>(::LockResource(::LoadResource(module, res)));
    const BYTE* end = p + ::SizeofResource(module, res);
    while (p != nullptr && p + 8 <= end) {
        WORD control, kind;
        DWORD length;
        std::memcpy(&control, p, 2);
        if (control == 0)
            break;
        std::memcpy(&kind, p + 2, 2);
        std::memcpy(&length, p + 4, 4);
        if (p + 8 + length > end)
            break;
        if (control == id && kind == DLGINIT_OLE_STREAM) {
            *data = p + 8;
            *size = length;
            return true;
        }
        p += 8 + length;
    }
    return false;
}
}  // namespace

void AfxEnableControlContainer(COccManager* manager) {
    if (manager == nullptr) {
        static COccManager plain;
        manager = &plain;
    }
    g_occManager = manager;
}

COccManager* AfxGetOccManager() {
    return g_occManager;
}

COleControlContainer* COccManager::CreateContainer(CWnd* wnd) {
    return new COleControlContainer(wnd);
}

COleControlSite* COccManager::CreateSite(COleControlContainer* container, const OleDialogItem*) {
    return CreateSite(container);
}

COleControlSite* COccManager::CreateSite(COleControlContainer* container) {
    return new COleControlSite(container);
}

bool COccManager::SplitDialogTemplate(const DLGTEMPLATE* tmpl, std::vector<BYTE>* stripped,
                                      std::vector<OleDialogItem>* items) {
    const BYTE* base = reinterpret_cast<const BYTE*>(tmpl);
    TemplateWalker walk(base);
    if (walk.Word() != 1)
        return false;  // only extended templates carry OLE controls here
    walk.Skip(2);
    if (walk.Word() != 0xFFFF)
        return false;
    DWORD style;
    std::memcpy(&style, base + 12, 4);
    const WORD count = *reinterpret_cast<const WORD*>(base + 16);
    walk.Skip(2 + 4 + 4 + 4 + 2 + 8);
    walk.StringOrOrdinal();  // menu
    walk.StringOrOrdinal();  // class
    walk.StringOrOrdinal();  // title
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        walk.Skip(6);
        walk.StringOrOrdinal();
    }
    std::vector<BYTE> out(base, base + walk.Offset());
    WORD kept = 0;
    int precedingId = -1;
    items->clear();
    for (WORD i = 0; i < count; ++i) {
        walk.AlignDword();
        const size_t start = walk.Offset();
        DWORD exStyle, itemStyle, id;
        short rect[4];
        std::memcpy(&exStyle, walk.Here() + 4, 4);
        std::memcpy(&itemStyle, walk.Here() + 8, 4);
        std::memcpy(rect, walk.Here() + 12, 8);
        std::memcpy(&id, walk.Here() + 20, 4);
        walk.Skip(24);
        const std::wstring className = walk.StringOrOrdinal();
        walk.StringOrOrdinal();  // text
        const WORD extra = walk.Word();
        walk.Skip(2 + extra);
        CLSID clsid;
        if (!className.empty() && className[0] == L'{' &&
            SUCCEEDED(::CLSIDFromString(const_cast<LPOLESTR>(className.c_str()), &clsid))) {
            OleDialogItem item;
            item.id = id;
            item.clsid = clsid;
            item.style = itemStyle;
            item.exStyle = exStyle;
            item.dialogUnits = RECT{rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3]};
            item.precedingId = precedingId;
            items->push_back(item);
        } else {
            AppendAligned(out, base + start, walk.Offset() - start);
            ++kept;
        }
        precedingId = static_cast<int>(id);
    }
    if (items->empty())
        return false;
    std::memcpy(out.data() + 16, &kept, 2);
    *stripped = std::move(out);
    return true;
}

BOOL COccManager::CreateDlgControls(CWnd* dialog, UINT templateId, const std::vector<OleDialogItem>& items) {
    if (dialog->m_pCtrlCont == nullptr)
        dialog->m_pCtrlCont = CreateContainer(dialog);
    BOOL all = TRUE;
    for (const OleDialogItem& item : items) {
        RECT rect = item.dialogUnits;
        ::MapDialogRect(dialog->m_hWnd, &rect);
        std::unique_ptr<COleControlSite> site(CreateSite(dialog->m_pCtrlCont, &item));
        const BYTE* state = nullptr;
        DWORD stateSize = 0;
        FindControlState(templateId, item.id, &state, &stateSize);
        COleControlSite* added = dialog->m_pCtrlCont->Add(std::move(site));
        if (FAILED(added->CreateControl(item.clsid, item.style, rect, item.id, state, stateSize)))
            all = FALSE;
        // Keep the template's order among the siblings.
        if (added->m_hWnd != nullptr) {
            HWND after = item.precedingId < 0 ? HWND_TOP : ::GetDlgItem(dialog->m_hWnd, item.precedingId);
            if (after != nullptr)
                ::SetWindowPos(added->m_hWnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    return all;
}
