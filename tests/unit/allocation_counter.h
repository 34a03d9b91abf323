// Counts heap allocations made by the calling thread while counting is on.
// operator new is replaced in the test program; where the build allows it,
// malloc and its relatives are counted too (count_malloc.cpp).
#pragma once

#include <cstddef>

namespace allocations {

void start();
// Stops counting and returns how many allocations were made since start.
size_t stop();
// Called by the replaced allocation functions.
void note();

}  // namespace allocations
