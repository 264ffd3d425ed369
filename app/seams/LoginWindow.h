#pragma once
// A seam between the windows: the login window's browser, for the game
// window's way back to the login page. Defined by the application, the one
// place that knows both windows.
class CWebBrowser2;

// The login page panel's browser, or null when there is none.
CWebBrowser2* GetLoginBrowser();
