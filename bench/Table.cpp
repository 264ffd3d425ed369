#include "Table.h"

#include <algorithm>
#include <array>

namespace {
std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}
}  // namespace

void Table::Section(const std::string& title) {
    m_lines.push_back({true, Row{title, "", "", ""}});
}

void Table::Add(Row row) {
    m_lines.push_back({false, std::move(row)});
}

void Table::Print(std::FILE* out) const {
    const Row header{"figure", "value", "baseline", "ratio/unit"};
    std::array<std::size_t, 4> width{};
    auto measure = [&](const Row& r) {
        width[0] = std::max(width[0], r.figure.size());
        width[1] = std::max(width[1], r.value.size());
        width[2] = std::max(width[2], r.baseline.size());
        width[3] = std::max(width[3], r.ratio.size());
    };
    measure(header);
    for (const Line& line : m_lines)
        if (!line.heading)
            measure(line.row);
    auto print = [&](const Row& r) {
        std::fprintf(out, "| %-*s | %*s | %*s | %-*s |\n", static_cast<int>(width[0]), r.figure.c_str(),
                     static_cast<int>(width[1]), r.value.c_str(), static_cast<int>(width[2]), r.baseline.c_str(),
                     static_cast<int>(width[3]), r.ratio.c_str());
    };
    print(header);
    std::fprintf(out, "|%s|%s:|%s:|%s|\n", std::string(width[0] + 2, '-').c_str(),
                 std::string(width[1] + 1, '-').c_str(), std::string(width[2] + 1, '-').c_str(),
                 std::string(width[3] + 2, '-').c_str());
    for (const Line& line : m_lines)
        print(line.heading ? Row{"**" + line.row.figure + "**", "", "", ""} : line.row);
    std::fflush(out);
}

std::string Milliseconds(double ms) {
    return Format(ms < 10 ? "%.2f ms" : "%.1f ms", ms);
}

std::string Kibibytes(double bytes) {
    return Format("%.0f KiB", bytes / 1024.0);
}

std::string Number(double value) {
    return Format("%.0f", value);
}

std::string Ratio(double value, double baseline) {
    return baseline == 0 ? "-" : Format("x%.2f", value / baseline);
}
