#include "MemoryMap.h"

#include <cstdio>
#include <cstring>

namespace {

std::string HeapName(HANDLE heap, std::size_t index) {
    using HeapHandleFn = intptr_t(__cdecl*)();
    static const auto runtimeHeap = reinterpret_cast<HeapHandleFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"msvcrt.dll"), "_get_heap_handle")));
    if (heap == ::GetProcessHeap())
        return "process heap (the system's libraries)";
    if (runtimeHeap != nullptr && reinterpret_cast<HANDLE>(runtimeHeap()) == heap)
        return "C runtime heap (our new and malloc)";
    return "heap " + std::to_string(index);
}

HeapFigures WalkHeap(HANDLE heap, std::size_t index) {
    HeapFigures f;
    f.heap = heap;
    f.name = HeapName(heap, index);
    if (!::HeapLock(heap))
        return f;
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(heap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_REGION) {
            f.committed += entry.Region.dwCommittedSize;
        } else if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
            f.busy += entry.cbData;
            ++f.blocks[entry.cbData];
        }
    }
    ::HeapUnlock(heap);
    return f;
}

std::size_t PrivateCommit() {
    std::size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* at = nullptr; ::VirtualQuery(at, &info, sizeof(info)) == sizeof(info);) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE)
            total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}

// The Unix process's own view of itself, through the drive Wine maps to
// the Unix root; nothing where there is none.
void ReadUnixSide(MemoryMap& m) {
    char line[512];
    if (std::FILE* status = std::fopen("Z:\\proc\\self\\status", "r")) {
        unsigned long kib = 0;
        while (std::fgets(line, sizeof(line), status)) {
            if (std::sscanf(line, "RssAnon: %lu", &kib) == 1)
                m.unixAnonymous = kib * 1024;
            else if (std::sscanf(line, "RssShmem: %lu", &kib) == 1)
                m.unixShared = kib * 1024;
        }
        std::fclose(status);
    }
    if (std::FILE* maps = std::fopen("Z:\\proc\\self\\smaps", "r")) {
        bool inBrkHeap = false;
        unsigned long kib = 0;
        while (std::fgets(line, sizeof(line), maps)) {
            unsigned long from = 0, to = 0;
            if (std::sscanf(line, "%lx-%lx ", &from, &to) == 2)
                inBrkHeap = std::strstr(line, "[heap]") != nullptr;
            else if (inBrkHeap && std::sscanf(line, "Anonymous: %lu", &kib) == 1)
                m.unixBrkHeap += kib * 1024;
        }
        std::fclose(maps);
    }
}

}  // namespace

MemoryMap TakeMemoryMap() {
    MemoryMap m;
    std::vector<HANDLE> heaps(::GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    for (std::size_t i = 0; i < heaps.size(); ++i)
        m.heaps.push_back(WalkHeap(heaps[i], i));
    m.windowsPrivateCommit = PrivateCommit();
    ReadUnixSide(m);
    return m;
}
