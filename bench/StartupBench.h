#pragma once
// Start-up: from process start to the login window shown and layered, and
// to the login page shown, seen from this process, for the launcher and for
// the baseline program; and the login window's own making, step by step, in
// this process.
class JsonFigures;
class Table;

struct StartupOptions {
    int runs = 10;
    // The demo site answers on the launcher's login host: the login page can
    // show, with the stand-in browser control.
    bool loginSite = false;
    // OleInitialize and InitCommonControlsEx of this process, as the
    // launcher's start-up calls them first.
    double processInitMs = 0;
};

void RunStartupBench(Table& table, JsonFigures& json, const StartupOptions& options);
