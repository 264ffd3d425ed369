#pragma once
// The stand-in browser control: a COM in-process server of ours for the
// WebBrowser class id, for test programs and the demo where Wine has no HTML
// engine. It fetches pages with WinINet and draws them as plain text with
// clickable links. Never part of the launcher.
//
// Everything it asked its host and what the host answered is recorded, one
// line per step, oldest first (and appended to the file named by the
// environment variable STANDIN_LOG, for tests in another process). Lines:
//
//   calls the host made on the control
//     SetClientSite site=1|0          DoVerb verb=N          Close
//     SetObjectRects pos=L,T,R,B      InPlaceDeactivate      UIDeactivate
//     Load bytes=N data=HEX           InitNew
//     Advise hr=H cookie=N            Unadvise cookie=N hr=H
//     Invoke dispid=N flags=N args=A  (A: the arguments in calling order,
//       comma-separated; each is its type in hex, "8:TEXT" for a BSTR,
//       "400c>T#K" for a VARIANT* to type T, K numbering distinct pointers)
//     TranslateAccelerator msg=0xM vk=0xV   (then the host's answer, below)
//   calls the control made on the host, with the answers
//     QueryInterface IDispatch|IDocHostUIHandler|IOleInPlaceSite hr=H
//     Ambient UserMode|DLControl hr=H [value=V]
//     GetWindow hr=H   CanInPlaceActivate hr=H   OnInPlaceActivate hr=H
//     GetWindowContext hr=H pos=L,T,R,B   OnUIActivate hr=H
//     OnUIDeactivate hr=H   OnInPlaceDeactivate hr=H
//     GetHostInfo hr=H flags=N dblclk=N
//     ShowContextMenu id=0 x=X y=Y hr=H
//     IDocHostUIHandler::TranslateAccelerator vk=0xV hr=H
//     GetExternal hr=H   External.GetIDsOfNames name=S hr=H id=N
//     External.Invoke id=N flags=2 hr=H value=S
//   events fired, with what the handlers left in the out-arguments
//     BeforeNavigate2 url=U [frame=F] cancel=0|1
//     NavigateComplete2 url=U [frame=F]   DocumentComplete url=U [frame=F]
//     NavigateError url=U [frame=F] status=N cancel=0|1
//   what the page did
//     Fetch url=U status=N bytes=N [refresh]   Click link=N url=U
//     Key vk=0xV   Char code=0xC
// H is a result code: 0, 1, or 0x8xxxxxxx.
#include <windows.h>

#include <string>
#include <vector>

namespace standin {

// Registers the control's class factory for CLSID_WebBrowser in this
// process (in-process server) for as long as this object lives.
class ClassRegistration {
public:
    ClassRegistration();
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;
    HRESULT Result() const { return m_result; }

private:
    HRESULT m_result;
    DWORD m_cookie = 0;
};

// The class factory itself, as DllGetClassObject hands it out.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object);

std::vector<std::string> LogLines();
void ClearLog();

// Controls, frames and factories locks still alive in this process.
LONG LiveObjects();

// The class of the control's window, for finding it from outside.
const wchar_t* WindowClassName();
// A registered message: sent to the control's window with wParam = N, it
// follows the page's N-th link (0-based, in page order, frames included) as
// a player's click would, and returns TRUE; FALSE when there is no such link.
// Works from another process too.
UINT ClickLinkMessage();
bool ClickLink(HWND browserWindow, int index);

// What the page shows, as text: line breaks as "\n", text fields as
// "[value]". Empty for a window that is not the control's.
std::wstring PageText(HWND browserWindow);
// The bytes IPersistStreamInit::Load was given.
std::vector<BYTE> PersistedState(HWND browserWindow);
}  // namespace standin
