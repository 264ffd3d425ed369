#pragma once
// The table of figures the benchmark prints: a figure, its value, the
// baseline measured in the same run, and their ratio (or a unit).
#include <cstdio>
#include <string>
#include <vector>

struct Row {
    std::string figure, value, baseline, ratio;
};

class Table {
public:
    // A heading line over the rows that follow.
    void Section(const std::string& title);
    void Add(Row row);
    void Print(std::FILE* out) const;

private:
    struct Line {
        bool heading;
        Row row;
    };
    std::vector<Line> m_lines;
};

// Text for the table's cells.
std::string Milliseconds(double ms);
std::string Kibibytes(double bytes);
std::string Number(double value);
// "x1.23"; "-" when the baseline is zero.
std::string Ratio(double value, double baseline);
