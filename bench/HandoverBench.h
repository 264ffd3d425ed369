#pragma once
// Cycles of hand-over to the game window and back to server choice, on the
// launcher's code in this process: the hand-over's time, first and repeated,
// taken apart step by step, and what the process holds after one cycle,
// after 100 and after all of them.
class JsonFigures;
class Table;

void RunHandoverBench(Table& table, JsonFigures& json, int cycles);
