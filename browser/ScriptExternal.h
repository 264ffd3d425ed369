#pragma once
// A seam, declared here where it is used: the one script-visible object
// every hosted page sees as window.external. The browser layer only hands it
// to pages; whoever owns it defines this function (the application, from
// its m_pExternal; a test program, its own object), so that nothing of this
// layer reaches up to the application.
#include <oaidl.h>

IDispatch* AfxGetScriptExternal();
