// Runs the benchmarks named on the command line (all of them without names)
// and prints their table of figures.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <cstdio>
#include <cstring>

#include "CleanerBench.h"
#include "HandoverBench.h"
#include "StartupBench.h"
#include "Table.h"

namespace {
bool Wanted(int argc, char** argv, const char* name) {
    if (argc < 2)
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return true;
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    // As the launcher starts: OLE and the common controls first.
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    Table table;
    if (Wanted(argc, argv, "startup"))
        RunStartupBench(table, 10);
    if (Wanted(argc, argv, "handover"))
        RunHandoverBench(table, 100);
    if (Wanted(argc, argv, "cleaner"))
        RunCleanerBench(table);
    table.Print(stdout);
    ::OleUninitialize();
    return 0;
}
