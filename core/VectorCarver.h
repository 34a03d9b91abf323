// Lays an engine's vectors out in one aligned block: a first pass with no
// base only measures, a second carves the block.
#pragma once

#include <cstddef>
#include <cstdint>

// Places vectors one after another on 64-byte boundaries, from base; with no
// base it only measures.
class Carver {
public:
    explicit Carver(void* start) : base(static_cast<std::byte*>(start)) {}

    template <typename T>
    void operator()(T*& vector, int32_t count) {
        used = (used + kAlign - 1) / kAlign * kAlign;
        vector = base ? reinterpret_cast<T*>(base + used) : nullptr;
        used += static_cast<size_t>(count) * sizeof(T);
    }
    size_t bytes() const { return used; }

private:
    static constexpr size_t kAlign = 64;
    std::byte* base;
    size_t used = 0;
};
