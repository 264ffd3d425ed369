#pragma once
// The one script-visible external object every hosted page sees as
// window.external. The application provides it.
#include <oaidl.h>

IDispatch* AfxGetScriptExternal();
