#pragma once
// The cache cleaner: a dim veil over the work area with one status line,
// while a worker thread deletes the browser's URL cache entries and empties
// its cookies and temporary Internet files folders. It closes itself when
// the worker is done; Enter, Escape or closing ask the worker to stop early.
#include <windows.h>
#include <string>

#include "Controls.h"
#include "Dialog.h"
#include "Gdi.h"
#include "LayeredWindow.h"

class CCleanCacheDlg : public CDialogEx {
public:
    explicit CCleanCacheDlg(CWnd* parent = nullptr);
    ~CCleanCacheDlg() override;

    // The status animation's timer. The launcher starts no timer (every
    // tick would repaint the veil's status over the worker's running), so
    // the status keeps the template's text; the handler stays for a timer
    // of this id.
    static constexpr UINT_PTR kAnimationTimer = 1;

    // One pass over the URL cache: mode 1 deletes the cookie entries, mode 0
    // every other entry. False when the cache yielded no first entry.
    bool CleanUrlCache(int mode);
    // Deletes everything in `folder` except entries named "desktop.ini";
    // the folder itself stays. Nothing outside the folder is touched: links
    // are never followed, and go only where the platform removes the link
    // itself. False when it could not be listed.
    bool DeleteFolderContents(const std::wstring& folder);
    static unsigned __stdcall CleanCacheThread(void* dialog);

    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CBitmap m_bmpBack;
    CStatic m_stStatus;
    UINT m_nDots = 0;  // status animation
    CLayeredPng m_layered;
    CBrush m_brKey;
    COLORREF m_crKey = 0;
    HANDLE m_hThread = nullptr;
    volatile LONG m_bCancel = FALSE;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override { RequestCancel(); }
    void OnCancel() override { RequestCancel(); }
    BOOL DeferQuit(int exitCode) override;

    void RequestCancel() { ::InterlockedExchange(&m_bCancel, TRUE); }
    bool Cancelled() const { return m_bCancel != FALSE; }
    void OnPaint();
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);
    void OnTimer(UINT_PTR id);
    LRESULT OnCleanCacheDone(WPARAM, LPARAM);

private:
    void RunSteps();
    // Steps 2 and 4: the folder `csidl` emptied; `name` for the debug output.
    void EmptySpecialFolder(int csidl, const char* name);
    struct WalkFailures {
        int files = 0;  // files that would not go
        DWORD lastError = 0;
    };
    // The walk below DeleteFolderContents; `finalFolder` is where `folder`
    // really is, which every entry must lie in.
    bool EmptyFolder(const std::wstring& folder, const std::wstring& finalFolder, WalkFailures& failures);
    bool m_bDone = false;
    bool m_bQuitPending = false;
    int m_nQuitCode = 0;
};
