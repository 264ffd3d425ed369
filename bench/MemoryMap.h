#pragma once
// Where this process's memory is, finer than its private bytes: each heap's
// blocks in use (by size) and the memory it has committed, the private
// memory committed in the Windows address space, and, under Wine, the Unix
// process's resident anonymous memory (which is what Wine reports as
// private bytes) and the part of it in the C library's heap of the Unix
// side (X and font libraries allocate there).
#include <windows.h>
#include <cstddef>
#include <string>
#include <vector>

#include "BlockSizes.h"

struct HeapFigures {
    HANDLE heap = nullptr;
    std::string name;
    std::size_t busy = 0, committed = 0;
    BlockCounts blocks;
};

struct MemoryMap {
    std::vector<HeapFigures> heaps;
    std::size_t windowsPrivateCommit = 0;
    std::size_t unixAnonymous = 0;  // 0 where there is no Unix side to read
    std::size_t unixShared = 0;     // resident shared memory (the X server's images, Wine's server)
    std::size_t unixBrkHeap = 0;
};

MemoryMap TakeMemoryMap();

