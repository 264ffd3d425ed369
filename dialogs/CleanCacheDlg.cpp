#include "CleanCacheDlg.h"

#include <process.h>
#include <cstdio>
#include <shellapi.h>
#include <shlobj.h>
#include <wininet.h>
#include <vector>

#include "DataExchange.h"
#include "Diagnostics.h"
#include "MessageMap.h"
#include "ScopedHandle.h"
#include "SkinnedStatic.h"
#include "resource.h"

namespace {
constexpr wchar_t kStatusText[] = L"缓存清理中,请稍后(按ESC取消)";

// A URL cache entry's buffer, sized to what the entry needs.
using EntryBuffer = std::vector<BYTE>;
INTERNET_CACHE_ENTRY_INFOW* AsEntry(EntryBuffer& b) {
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(b.data());
}

// Fetches an entry into `buffer` with `fetch(&size)`; the entry may have
// grown since its size was asked, so a fetch that reports a larger size is
// tried again with a buffer of that size.
template <class Fetch>
bool FetchEntry(EntryBuffer& buffer, Fetch fetch) {
    DWORD size = static_cast<DWORD>(buffer.size());
    bool found = fetch(&size);
    while (!found && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > buffer.size()) {
        buffer.assign(size, 0);
        found = fetch(&size);
    }
    return found;
}

bool IsDriveRoot(const std::wstring& folder) {
    // "C:", "C:\" and "\" name a whole drive.
    std::wstring f = folder;
    while (!f.empty() && (f.back() == L'\\' || f.back() == L'/'))
        f.pop_back();
    return f.empty() || (f.size() == 2 && f[1] == L':');
}

// Where `path` really is once every link on the way is followed (or, with
// FILE_FLAG_OPEN_REPARSE_POINT, where the link itself is); empty when it
// cannot be opened or resolved. No access rights are asked for, so files in
// use open too; backup semantics let folders open.
std::wstring FinalPath(const std::wstring& path, DWORD flags = 0) {
    FileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr));
    if (!file.Valid())
        return {};
    std::wstring result(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file.Get(), result.data(), static_cast<DWORD>(result.size()), 0);
    if (length >= result.size()) {
        result.assign(length + 1, L'\0');
        length = ::GetFinalPathNameByHandleW(file.Get(), result.data(), static_cast<DWORD>(result.size()), 0);
    }
    if (length == 0 || length >= result.size())
        return {};
    result.resize(length);
    return result;
}

// Whether final path `entry` names something inside final path `folder`.
bool LiesInside(const std::wstring& entry, const std::wstring& folder) {
    if (entry.empty() || folder.empty() || entry.size() <= folder.size())
        return false;
    const bool separated = folder.back() == L'\\' || entry[folder.size()] == L'\\';
    return separated && ::CompareStringOrdinal(entry.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                                               static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

// SHFileOperationW's result: 0 when the file went.
int DeleteFileOutright(const std::wstring& path) {
    std::vector<wchar_t> from(path.begin(), path.end());
    from.push_back(0);
    from.push_back(0);  // the list ends with an empty entry
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.data();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;
    return ::SHFileOperationW(&op);
}

// A link (reparse point) inside the folder goes only where the platform
// removes the link itself and not what it points to: opened as the link,
// it must still lie in the folder. It is never followed and its attributes
// are never changed (that would change the target's).
void RemoveLink(const std::wstring& path, DWORD attributes, const std::wstring& finalFolder) {
    if (!LiesInside(FinalPath(path, FILE_FLAG_OPEN_REPARSE_POINT), finalFolder))
        return;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ::RemoveDirectoryW(path.c_str());
    else
        ::DeleteFileW(path.c_str());
}
}  // namespace

CCleanCacheDlg::CCleanCacheDlg(CWnd* /*parent: the veil has none*/) : CDialogEx(IDD_CLEAN_CACHE_DIALOG, nullptr) {}

CCleanCacheDlg::~CCleanCacheDlg() {
    RequestCancel();
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const MessageMap* CCleanCacheDlg::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {
        msgmap::CtlColor<&CCleanCacheDlg::OnCtlColor>(),
        msgmap::Paint<&CCleanCacheDlg::OnPaint>(),
        msgmap::Timer<&CCleanCacheDlg::OnTimer>(),
        msgmap::Message<WM_CLEANCACHE_DONE, &CCleanCacheDlg::OnCleanCacheDone>(),
    };
    static const MessageMap map = MakeMessageMap(&CDialogEx::GetThisMessageMap, entries);
    return &map;
}

void CCleanCacheDlg::DoDataExchange(CDataExchange* dx) {
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, IDC_CLEAN_TEXT, m_stStatus);
}

BOOL CCleanCacheDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    m_bmpBack.LoadBitmap(IDB_CLEAN_BACK);
    m_crKey = RGB(255, 0, 0);
    m_layered.m_hWndTarget = m_hWnd;
    ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
    m_brKey.CreateSolidBrush(m_crKey);
    ApplyLayeredColorKey(m_layered.m_hWndTarget, m_crKey, 150);

    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    MoveWindow(0, 0, work.Width(), work.Height(), TRUE);
    m_stStatus.CenterWindow();

    // Started suspended so that m_hThread is stored before the worker runs:
    // the worker closes that handle itself when it is done (its last touch
    // of this dialog), so the handle is not held in a scoped object here.
    m_hThread = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, &CCleanCacheDlg::CleanCacheThread, this, CREATE_SUSPENDED, nullptr));
    if (m_hThread != nullptr)
        ::ResumeThread(m_hThread);
    else
        PostMessage(WM_CLEANCACHE_DONE);  // nothing to wait for
    return TRUE;
}

unsigned __stdcall CCleanCacheDlg::CleanCacheThread(void* dialog) {
    auto* self = static_cast<CCleanCacheDlg*>(dialog);
    self->RunSteps();
    // The last touches of the dialog: it ends only on the message.
    HWND hWnd = self->m_hWnd;
    ::CloseHandle(self->m_hThread);
    self->m_hThread = nullptr;
    ::PostMessageW(hWnd, WM_CLEANCACHE_DONE, 0, 0);
    return 0;
}

void CCleanCacheDlg::RunSteps() {
    CleanUrlCache(1);
    EmptySpecialFolder(CSIDL_COOKIES, "the cookies folder");
    CleanUrlCache(0);
    EmptySpecialFolder(CSIDL_INTERNET_CACHE, "the temporary Internet files folder");
}

void CCleanCacheDlg::EmptySpecialFolder(int csidl, const char* name) {
    wchar_t path[MAX_PATH];
    char what[96];
    if (!::SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) {
        std::snprintf(what, sizeof(what), "cache cleaner: finding %s", name);
        AfxReportFailure(what, ::GetLastError());
    } else if (!DeleteFolderContents(path)) {
        std::snprintf(what, sizeof(what), "cache cleaner: listing %s", name);
        AfxReportFailure(what, ::GetLastError());
    }
}

bool CCleanCacheDlg::CleanUrlCache(int mode) {
    DWORD size = 0;
    ::FindFirstUrlCacheEntryW(nullptr, nullptr, &size);
    EntryBuffer buffer(size ? size : sizeof(INTERNET_CACHE_ENTRY_INFOW));
    HANDLE first = nullptr;
    FetchEntry(buffer, [&](DWORD* bytes) {
        first = ::FindFirstUrlCacheEntryW(nullptr, AsEntry(buffer), bytes);
        return first != nullptr;
    });
    const CacheFindHandle find(first);
    if (!find.Valid()) {
        // An empty cache is no failure.
        const DWORD error = ::GetLastError();
        if (error != ERROR_NO_MORE_ITEMS)
            AfxReportFailure(mode == 1 ? "cache cleaner: listing the URL cache's cookies"
                                       : "cache cleaner: listing the URL cache", error);
        return false;
    }
    for (;;) {
        const INTERNET_CACHE_ENTRY_INFOW* entry = AsEntry(buffer);
        const bool cookie = (entry->CacheEntryType & COOKIE_CACHE_ENTRY) != 0;
        if ((mode == 1 && cookie) || (mode == 0 && !cookie))
            ::DeleteUrlCacheEntryW(entry->lpszSourceUrlName);

        size = 0;
        ::FindNextUrlCacheEntryW(find.Get(), nullptr, &size);
        buffer.assign(size ? size : sizeof(INTERNET_CACHE_ENTRY_INFOW), 0);
        if (Cancelled())
            break;
        if (!FetchEntry(buffer, [&](DWORD* bytes) {
                return ::FindNextUrlCacheEntryW(find.Get(), AsEntry(buffer), bytes) != FALSE;
            }))
            break;
    }
    return true;
}

bool CCleanCacheDlg::DeleteFolderContents(const std::wstring& folder) {
    if (IsDriveRoot(folder))
        return false;
    const std::wstring finalFolder = FinalPath(folder);
    WalkFailures failures;
    if (finalFolder.empty() || !EmptyFolder(folder, finalFolder, failures))
        return false;
    if (failures.files > 0) {
        // Files in use or refused stay; one line says how many.
        char what[64];
        std::snprintf(what, sizeof(what), "cache cleaner: deleting %d file(s)", failures.files);
        AfxReportFailure(what, failures.lastError);
    }
    return true;
}

bool CCleanCacheDlg::EmptyFolder(const std::wstring& folder, const std::wstring& finalFolder,
                                 WalkFailures& failures) {
    WIN32_FIND_DATAW fd;
    FindHandle find(::FindFirstFileW((folder + L"\\*.*").c_str(), &fd));
    if (!find.Valid())
        return false;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L".." || name == L"desktop.ini")
            continue;
        const std::wstring path = folder + L"\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            RemoveLink(path, fd.dwFileAttributes, finalFolder);
            continue;
        }
        // A link the listing does not mark (Wine lists a Unix link to a file
        // as a plain file) resolves to somewhere else: that is not the
        // cache's, and deleting or unlocking the entry would act on it.
        const std::wstring finalPath = FinalPath(path);
        if (!LiesInside(finalPath, finalFolder))
            continue;
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            EmptyFolder(path, finalPath, failures);
            ::RemoveDirectoryW(path.c_str());  // fails where a desktop.ini stays
        } else if (const int error = DeleteFileOutright(path); error != 0) {
            ++failures.files;
            failures.lastError = static_cast<DWORD>(error);
        }
    } while (!Cancelled() && ::FindNextFileW(find.Get(), &fd));
    return true;
}

void CCleanCacheDlg::OnPaint() {
    PaintStretchedBackground(this, m_bmpBack);
    Default();
}

HBRUSH CCleanCacheDlg::OnCtlColor(CDC* dc, CWnd* control, UINT) {
    if (control == nullptr || control->m_hWnd == m_hWnd || control->GetDlgCtrlID() != IDC_CLEAN_TEXT)
        return m_brKey;
    Default();
    return PaintStaticOverDialog(this, dc, control, RGB(0, 255, 255));
}

void CCleanCacheDlg::OnTimer(UINT_PTR id) {
    if (id == kAnimationTimer) {
        m_nDots = (m_nDots + 1) % 3;
        std::wstring text = kStatusText;
        text.append(m_nDots, L'.');
        m_stStatus.SetWindowText(text.c_str());
        CRect rect;
        m_stStatus.GetWindowRect(&rect);
        ScreenToClient(&rect);
        InvalidateRect(&rect, TRUE);
    }
    Default();
}

BOOL CCleanCacheDlg::DeferQuit(int exitCode) {
    if (m_bDone)
        return FALSE;
    // The worker still uses this dialog: stop it, and quit once it is done.
    RequestCancel();
    m_bQuitPending = true;
    m_nQuitCode = exitCode;
    return TRUE;
}

LRESULT CCleanCacheDlg::OnCleanCacheDone(WPARAM, LPARAM) {
    m_bDone = true;
    EndDialog(1);
    if (m_bQuitPending)
        ::PostQuitMessage(m_nQuitCode);
    return 0;
}
