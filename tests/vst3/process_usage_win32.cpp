#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <vector>

#include "tests/vst3/ProcessUsage.h"

// The C runtime allocates from heaps of the process (one of its own among
// them), so the busy blocks of every heap count what the program and its
// libraries hold, whichever copy of the C++ runtime made them.
ProcessUsage processUsage() {
    ProcessUsage usage;
    // Room for heaps made between the two calls.
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    heaps.resize(std::min<size_t>(count, heaps.size()));
    usage.heapBytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                usage.heapBytes += static_cast<long>(entry.cbData);
        HeapUnlock(heap);
    }
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
        usage.residentKb = static_cast<long>(memory.WorkingSetSize / 1024);
    // Wine answers 0 handles: no count at all, rather than a false one.
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) && handles > 0)
        usage.handles = static_cast<long>(handles);
    return usage;
}
