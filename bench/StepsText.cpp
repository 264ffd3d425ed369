#include "StepsText.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Stats.h"

std::string StepsText(const char* kind, const std::vector<Step>& steps) {
    std::string text;
    char ms[32];
    for (const Step& s : steps) {
        std::snprintf(ms, sizeof(ms), "%.4f", s.ms);
        text += std::string(kind) + "\t" + ms + "\t" + s.name + "\n";
    }
    return text + kind + "\tend\n";
}

GameWindowSteps ParseStepsText(const std::string& text) {
    GameWindowSteps result;
    std::vector<Step> current;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            result.complete |= line + "\n" == kStepsComplete;
            continue;
        }
        const std::string kind = line.substr(0, tab), rest = line.substr(tab + 1);
        if (rest == "end") {
            if (kind == "first")
                result.first = current;
            else if (kind == "fresh")
                result.fresh.push_back(current);
            else if (kind == "repeat")
                result.repeat.push_back(current);
            current.clear();
            continue;
        }
        const std::size_t nameAt = rest.find('\t');
        char* end = nullptr;
        const double ms = std::strtod(rest.c_str(), &end);
        if (nameAt != std::string::npos && end == rest.c_str() + nameAt)
            current.push_back({rest.substr(nameAt + 1), ms});
    }
    return result;
}

std::vector<Step> MedianSteps(const std::vector<std::vector<Step>>& runs) {
    std::vector<Step> medians;
    if (runs.empty())
        return medians;
    for (std::size_t i = 0; i < runs.front().size(); ++i) {
        std::vector<double> samples;
        for (const std::vector<Step>& run : runs)
            if (i < run.size())
                samples.push_back(run[i].ms);
        medians.push_back({runs.front()[i].name, Median(samples)});
    }
    return medians;
}
