#pragma once
// One line of debug output for a refused platform call that the program
// otherwise goes on without: seen in a debugger or a debug-output viewer
// (under Wine with WINEDEBUG=warn+seh). Nothing is written to disk and the
// player sees nothing.
//
//   "<prefix>: <what> failed, error <code> (0x<code>)"
//
// ASCII only, so that every viewer shows it as it is.

// The application's name for the lines, set once at start-up.
void AfxSetReportPrefix(const char* prefix);
void AfxReportFailure(const char* what, unsigned long code);
