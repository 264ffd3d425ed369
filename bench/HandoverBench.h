#pragma once
// Cycles of hand-over to the game window and back to server choice, on the
// launcher's code in this process: the hand-over's time, first and repeated,
// and what the process holds after one cycle and after all of them.
class Table;

void RunHandoverBench(Table& table, int cycles);
