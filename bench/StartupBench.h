#pragma once
// Start-up: from process start to the first window shown and layered, seen
// from this process, for the launcher and for the baseline program.
class Table;

void RunStartupBench(Table& table, int runs);
