#pragma once
// Which sizes of heap blocks in use grew between two looks at a heap.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

// size of a block -> how many blocks of that size are in use
using BlockCounts = std::map<std::size_t, std::size_t>;

// The sizes whose bytes in use grew most from `before` to `after`, as
// "size B x +count", most bytes first (the smaller size first on a tie), at
// most `most` of them.
std::vector<std::string> GrownBlockSizes(const BlockCounts& before, const BlockCounts& after, std::size_t most);
