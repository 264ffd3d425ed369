#pragma once
// The cache cleaner on a full cache: its time against a plain delete walk
// of the same tree, the user-interface thread's answers meanwhile against an
// idle dialog's, and Escape until the veil closes.
class Table;

void RunCleanerBench(Table& table);
