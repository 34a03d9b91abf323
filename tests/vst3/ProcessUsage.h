// What a long host session could leak, as the process's own system counts
// it. One source file per system (process_usage_posix.cpp,
// process_usage_win32.cpp), chosen by the build.
#pragma once

struct ProcessUsage {
    // -1 wherever the system (or the build) gives no meaningful count.
    long heapBytes = -1;   // in blocks of the C heap that are in use
    long residentKb = -1;  // resident set or working set
    long handles = -1;     // file descriptors or kernel handles
};

ProcessUsage processUsage();
