#pragma once
// CWnd: a C++ object attached to a window handle. Messages reach the object
// through AfxWndProc, then its message-map tables, then the window procedure
// the window had before (default processing).
#include "CmdTarget.h"
#include "Geometry.h"
#include "InvokeArg.h"

class CDC;
class CDataExchange;
class COleControlContainer;
class COleControlSite;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to `hWnd`, or a temporary one made for it (deleted
    // when the current message is done); null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWnd);
    HWND Detach();
    // Attaches and routes the window's messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its former window procedure back and detaches.
    HWND UnsubclassWindow();

    BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();

    // Message processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled now.
    LRESULT Default();

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Window operations.
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    // For an OLE control these go through its site, so the control knows.
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const RECT& r, BOOL repaint = TRUE) {
        return MoveWindow(r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
    void GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
    void ScreenToClient(RECT* r) const;
    void ClientToScreen(RECT* r) const;
    void SetWindowText(LPCWSTR text) { ::SetWindowTextW(m_hWnd, text); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds style bits; with `flags`, also tells the window its
    // frame may have changed. FALSE when the style stayed the same.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* r, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, r, erase); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    HICON SetIcon(HICON icon, BOOL big) {
        return reinterpret_cast<HICON>(SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    // An OLE control is activated as a click into it would activate it.
    CWnd* SetFocus();

    // Centres a top-level window over its owner (when that is visible and
    // not minimised) or else in the work area of the main window's monitor,
    // and a child window in its parent's client area; then keeps it inside
    // that work area (or client area). Only the position changes.
    void CenterWindow(CWnd* alternateOwner = nullptr);
    // What CenterWindow centres on and keeps the window inside.
    void GetCentringRects(CWnd* alternateOwner, CRect* centreOn, CRect* within) const;

    // The window a modal dialog without a given owner should be owned by:
    // the last active popup of the top-level window of `parent` (or of the
    // main window). `top` receives that top-level window.
    static HWND GetSafeOwner(HWND parent, HWND* top);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

    // Modal loop shared by modal dialogs.
    int RunModalLoop();
    BOOL ContinueModal() const { return (m_nFlags & kContinueModal) != 0; }
    void EndModalLoop(int result);
    // A modal window that must not end yet when a quit message arrives (it
    // waits for work of its own) returns TRUE and posts the quit itself
    // later, with the same code.
    virtual BOOL DeferQuit(int /*exitCode*/) { return FALSE; }

    // Framework internals used by AfxWndProc and the creation hook.
    void AttachAndSubclass(HWND hWnd);
    void OnFinalNcDestroy();

    // OLE controls. A wrapper of a control calls it through its site; a
    // window hosting controls owns their container.
    COleControlSite* m_pCtrlSite = nullptr;
    COleControlContainer* m_pCtrlCont = nullptr;

    // Calls the wrapped control's dispatch member. `paramInfo` holds one
    // parameter-type byte per argument (zero-terminated, or null for none).
    // Fails (never throws) when there is no control or the call fails.
    template <class... Args>
    HRESULT InvokeHelper(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const BYTE* paramInfo,
                         Args... args) {
        const InvokeArg list[] = {InvokeArg(args)..., InvokeArg(0L)};
        return InvokeHelperV(dispid, flags, resultType, result, paramInfo, list, sizeof...(Args));
    }
    HRESULT InvokeHelperV(DISPID dispid, WORD flags, VARTYPE resultType, void* result, const BYTE* paramInfo,
                          const InvokeArg* args, std::size_t count);

    // Creates an OLE control by class as a child of `parent` and wraps it.
    BOOL CreateControl(REFCLSID clsid, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                       const void* state = nullptr, std::size_t stateSize = 0);

protected:
    // Called after a window is attached by SubclassWindow, before its window
    // procedure is replaced.
    virtual void PreSubclassWindow() {}
    // Called after the window is gone and the object let go of it.
    virtual void PostNcDestroy() {}

    static constexpr UINT kContinueModal = 0x1;
    static constexpr UINT kInModalLoop = 0x2;
    UINT m_nFlags = 0;
    int m_nModalResult = -1;
    WNDPROC m_pfnSuper = nullptr;

private:
    friend struct AfxThreadState;
    bool m_bTemporary = false;
};
