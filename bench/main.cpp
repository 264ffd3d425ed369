// Runs the benchmarks named on the command line (all of them without names)
// and prints their table of figures; with --json FILE also writes the main
// figures to FILE as one JSON object.
//   launcher_bench [startup] [handover] [cleaner] [--cycles N] [--json FILE] [--login-site]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CleanerBench.h"
#include "Clock.h"
#include "GameWindowSteps.h"
#include "HandoverBench.h"
#include "Json.h"
#include "StartupBench.h"
#include "Table.h"

namespace {

struct Options {
    std::vector<std::string> sections;  // none: all of them
    int cycles = 1000;
    std::string json;
    bool loginSite = false;
    std::string gameWindowSteps;  // this process only makes game windows, for its parent
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--cycles" && hasValue)
            o.cycles = std::atoi(argv[++i]);
        else if (arg == "--json" && hasValue)
            o.json = argv[++i];
        else if (arg == "--game-window-steps" && hasValue)
            o.gameWindowSteps = argv[++i];
        else if (arg == "--login-site")
            o.loginSite = true;
        else if (arg == "startup" || arg == "handover" || arg == "cleaner")
            o.sections.push_back(arg);
        else
            return false;
    }
    return o.cycles >= 2;
}

bool Wanted(const Options& o, const char* name) {
    if (o.sections.empty())
        return true;
    for (const std::string& s : o.sections)
        if (s == name)
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: launcher_bench [startup] [handover] [cleaner] [--cycles N>=2] [--json FILE] "
                     "[--login-site]\n");
        return 2;
    }
    // As the launcher starts: OLE and the common controls first.
    const double start = NowMs();
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    const double processInitMs = NowMs() - start;

    if (!options.gameWindowSteps.empty()) {
        const bool written = WriteGameWindowSteps(options.gameWindowSteps);
        ::OleUninitialize();
        return written ? 0 : 1;
    }

    Table table;
    JsonFigures json;
    if (Wanted(options, "startup"))
        RunStartupBench(table, json, StartupOptions{10, options.loginSite, processInitMs});
    if (Wanted(options, "handover"))
        RunHandoverBench(table, json, options.cycles);
    if (Wanted(options, "cleaner"))
        RunCleanerBench(table, json);
    table.Print(stdout);
    if (!options.json.empty() && !json.WriteFile(options.json))
        std::fprintf(stderr, "could not write %s\n", options.json.c_str());
    ::OleUninitialize();
    return 0;
}
