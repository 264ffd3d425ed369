#pragma once
// The login window's browser, for going back to the login page.
class CWebBrowser2;

// The login page panel's browser, or null when there is none.
CWebBrowser2* GetLoginBrowser();
