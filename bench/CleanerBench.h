#pragma once
// The cache cleaner on a full cache: its time against the same calls made
// directly and against a plain delete walk of the same tree, where its
// time goes, the user-interface thread's answers meanwhile against an idle
// dialog's, and Escape until the veil closes.
class JsonFigures;
class Table;

void RunCleanerBench(Table& table, JsonFigures& json);
