// glibc's allocator under its internal names, wrapped so that every malloc,
// calloc and realloc of the calling thread is counted as well.
#include <cstddef>

#include "allocation_counter.h"

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);

void* malloc(std::size_t size) {
    allocations::note();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    allocations::note();
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    allocations::note();
    return __libc_realloc(p, size);
}
}
