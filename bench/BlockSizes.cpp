#include "BlockSizes.h"

#include <algorithm>

std::vector<std::string> GrownBlockSizes(const BlockCounts& before, const BlockCounts& after, std::size_t most) {
    struct Growth {
        std::size_t size, count;
        std::size_t Bytes() const { return size * count; }
    };
    std::vector<Growth> grown;
    for (const auto& [size, count] : after) {
        const auto it = before.find(size);
        const std::size_t had = it == before.end() ? 0 : it->second;
        if (count > had)
            grown.push_back({size, count - had});
    }
    std::sort(grown.begin(), grown.end(), [](const Growth& a, const Growth& b) {
        return a.Bytes() != b.Bytes() ? a.Bytes() > b.Bytes() : a.size < b.size;
    });
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < grown.size() && i < most; ++i)
        texts.push_back(std::to_string(grown[i].size) + " B x +" + std::to_string(grown[i].count));
    return texts;
}
