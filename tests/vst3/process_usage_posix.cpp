#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/vst3/ProcessUsage.h"

namespace {

// AddressSanitizer replaces the allocator mallinfo2 reads and keeps freed
// blocks in quarantine: neither count means anything there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapCounted = false;
#elif defined(__has_feature)
constexpr bool kHeapCounted = !__has_feature(address_sanitizer);
#else
constexpr bool kHeapCounted = true;
#endif

}  // namespace

ProcessUsage processUsage() {
    ProcessUsage usage;
    if (kHeapCounted) {
        const struct mallinfo2 heap = mallinfo2();
        usage.heapBytes = static_cast<long>(heap.uordblks + heap.hblkhd);
        long pages = 0, residentPages = 0;
        if (std::ifstream("/proc/self/statm") >> pages >> residentPages)
            usage.residentKb = residentPages * (sysconf(_SC_PAGESIZE) / 1024);
    }
    std::error_code error;
    long descriptors = 0;
    for (std::filesystem::directory_iterator entry("/proc/self/fd", error), end;
         !error && entry != end; entry.increment(error))
        ++descriptors;
    if (!error) usage.handles = descriptors - 1;  // the one listing the folder
    return usage;
}
