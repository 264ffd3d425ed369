// The table the benchmarks print, as Markdown readers take it.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <vector>

#include "Table.h"

namespace {
std::vector<std::string> PrintedLines(const Table& table) {
    std::FILE* file = std::tmpfile();
    table.Print(file);
    std::rewind(file);
    std::vector<std::string> lines;
    char line[512];
    while (std::fgets(line, sizeof(line), file))
        lines.emplace_back(line);
    std::fclose(file);
    return lines;
}

int Bars(const std::string& line) {
    int bars = 0;
    for (char c : line)
        bars += c == '|';
    return bars;
}
}  // namespace

TEST(Table, EveryLineHasTheFourColumnsAndRowsLineUp) {
    Table table;
    table.Section("A heading much wider than any row of the table below it");
    table.Add({"short", "1.00 ms", "2.00 ms", Ratio(1, 2)});
    table.Add({"a rather longer figure", "12345.6 ms", "", "files"});
    const std::vector<std::string> lines = PrintedLines(table);
    ASSERT_EQ(lines.size(), 5u);  // header, rule, heading, two rows
    for (const std::string& line : lines)
        EXPECT_EQ(Bars(line), 5) << line;
    // Rows and header share their widths; the heading may overflow them.
    EXPECT_EQ(lines[0].size(), lines[1].size());
    EXPECT_EQ(lines[0].size(), lines[3].size());
    EXPECT_EQ(lines[0].size(), lines[4].size());
    EXPECT_NE(lines[2].find("**A heading"), std::string::npos);
}

TEST(Table, CellTexts) {
    EXPECT_EQ(Ratio(3, 2), "x1.50");
    EXPECT_EQ(Ratio(3, 0), "-");  // no baseline, no ratio
    EXPECT_EQ(Milliseconds(1.234), "1.23 ms");
    EXPECT_EQ(Milliseconds(12.34), "12.3 ms");
    EXPECT_EQ(Kibibytes(2048), "2 KiB");
    EXPECT_EQ(Number(57), "57");
}
