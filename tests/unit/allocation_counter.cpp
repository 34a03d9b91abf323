#include "allocation_counter.h"

#include <cstdlib>
#include <new>

namespace allocations {
namespace {
thread_local bool counting = false;
thread_local size_t count = 0;
}  // namespace

void start() {
    count = 0;
    counting = true;
}

size_t stop() {
    counting = false;
    return count;
}

void note() {
    if (counting) ++count;
}

}  // namespace allocations

void* operator new(std::size_t size) {
    allocations::note();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations::note();
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
