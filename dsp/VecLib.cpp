// Aligned vectors with a process-wide registry, and the toolkit's reports.
#include "dsp/VecLib.h"

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// The registry: two parallel tables (raw block, aligned address) with a count
// of live entries, grown by 16 entries when full and released when the count
// returns to 0. It is shared by every plug-in instance in the host process.
//
// The lock is constant-initialised, so it exists before the first allocation
// and needs no creation or release: two threads that allocate the very first
// vectors at once cannot both create it.
constexpr uint32_t kGrowth = 16;
constexpr uintptr_t kAlignment = 64;

std::mutex registryLock;
void** rawBlocks = nullptr;
void** alignedAddresses = nullptr;
uint32_t liveCount = 0;
uint32_t capacity = 0;

// Makes room for one more entry; false when the new tables cannot be had.
bool growIfFull() {
    if (liveCount < capacity) return true;
    const uint32_t wanted = capacity + kGrowth;
    void** newRaw = static_cast<void**>(std::malloc(wanted * sizeof(void*)));
    void** newAligned = static_cast<void**>(std::malloc(wanted * sizeof(void*)));
    if (!newRaw || !newAligned) {
        std::free(newRaw);
        std::free(newAligned);
        return false;
    }
    if (liveCount > 0) {
        std::memcpy(newRaw, rawBlocks, liveCount * sizeof(void*));
        std::memcpy(newAligned, alignedAddresses, liveCount * sizeof(void*));
    }
    std::free(rawBlocks);
    std::free(alignedAddresses);
    rawBlocks = newRaw;
    alignedAddresses = newAligned;
    capacity = wanted;
    return true;
}

void releaseTables() {
    std::free(rawBlocks);
    std::free(alignedAddresses);
    rawBlocks = nullptr;
    alignedAddresses = nullptr;
    capacity = 0;
}

// --- reports ---

void writeToStandardError(const char* text, bool) {
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

std::atomic<VecLibReporter> reporter{nullptr};

void emit(const char* text, bool mayBeAudioThread) {
    VecLibReporter hook = reporter.load(std::memory_order_acquire);
    (hook ? hook : writeToStandardError)(text, mayBeAudioThread);
}

// Appends source to the text held in buffer (zero-terminated, size bytes).
void append(char* buffer, size_t size, const char* source) {
    size_t length = std::strlen(buffer);
    while (*source != '\0' && length + 1 < size) buffer[length++] = *source++;
    buffer[length] = '\0';
}

// The previous arithmetic report as one word, so that any thread can compare
// and replace it at once: a hash of the routine name, times 8, plus the kind.
std::atomic<uint32_t> lastMathError{0};

uint32_t mathErrorKey(const char* routine, VecMathError kind) {
    uint32_t hash = 2166136261u;  // FNV-1a
    for (const char* c = routine; *c != '\0'; ++c)
        hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    return hash * 8u + static_cast<uint32_t>(kind);
}

const char* kindWord(VecMathError kind) {
    switch (kind) {
        case VecMathError::Domain: return "DOMAIN";
        case VecMathError::Sing: return "SING";
        case VecMathError::Overflow: return "OVERFLOW";
        case VecMathError::Underflow: return "UNDERFLOW";
        case VecMathError::TLoss: return "TLOSS";
    }
    return "UNKNOWN";
}

// The fixed mask: which kinds are shown. (The toolkit this follows also ended
// the process on DOMAIN; a plug-in never ends its host's process.)
bool shownKind(VecMathError kind) {
    return kind == VecMathError::Domain || kind == VecMathError::Sing ||
           kind == VecMathError::Overflow;
}

void reportNotEnoughMemory(bool mayBeAudioThread = false) {
    emit("V_vector: (1) Not enough memory.", mayBeAudioThread);
}

}  // namespace

void* V_vector(uint32_t n, uint32_t elementSize) {
    const uint64_t bytes = static_cast<uint64_t>(n) * elementSize + kAlignment;
    void* raw = bytes <= SIZE_MAX ? std::malloc(static_cast<size_t>(bytes)) : nullptr;
    if (!raw) {
        reportNotEnoughMemory();
        return nullptr;
    }
    // The block start rounded up to the next multiple of 64; a start that is
    // already a multiple of 64 moves a whole 64 bytes on.
    const uintptr_t start = reinterpret_cast<uintptr_t>(raw);
    void* aligned = static_cast<char*>(raw) + (kAlignment - start % kAlignment);
    {
        std::lock_guard<std::mutex> lock(registryLock);
        if (growIfFull()) {
            rawBlocks[liveCount] = raw;
            alignedAddresses[liveCount] = aligned;
            ++liveCount;
            return aligned;
        }
        if (liveCount == 0) releaseTables();
    }
    std::free(raw);
    reportNotEnoughMemory();  // outside the lock: the hook may wait for the user
    return nullptr;
}

void V_free(void* vector) {
    void* raw = nullptr;
    {
        std::lock_guard<std::mutex> lock(registryLock);
        for (uint32_t i = 0; i < liveCount; ++i) {
            if (alignedAddresses[i] != vector) continue;
            raw = rawBlocks[i];
            const uint32_t later = liveCount - 1 - i;
            std::memmove(rawBlocks + i, rawBlocks + i + 1, later * sizeof(void*));
            std::memmove(alignedAddresses + i, alignedAddresses + i + 1, later * sizeof(void*));
            if (--liveCount == 0) releaseTables();
            break;
        }
    }
    if (raw)
        std::free(raw);
    else
        emit("V_free: (12) Cannot free non-existent vector", false);
}

VecRegistryInfo V_registryInfo() {
    std::lock_guard<std::mutex> lock(registryLock);
    return VecRegistryInfo{liveCount, capacity};
}

void setVecLibReporter(VecLibReporter hook) { reporter.store(hook, std::memory_order_release); }

bool V_mathError(const char* routine, VecMathError kind) {
    const uint32_t key = mathErrorKey(routine, kind);
    const bool repeated = lastMathError.exchange(key, std::memory_order_acq_rel) == key;
    if (repeated || !shownKind(kind)) return false;
    char text[96] = "";
    append(text, sizeof text, routine);
    append(text, sizeof text, ": ");
    append(text, sizeof text, kindWord(kind));
    append(text, sizeof text, " error");
    emit(text, true);
    return true;
}

void V_forgetLastMathError() { lastMathError.store(0, std::memory_order_release); }

// Used by the FFT (same unit family): the size error, reported from a routine
// that runs on the audio thread.
void vecLibReportSizeError(const char* routine) {
    char text[96] = "";
    append(text, sizeof text, routine);
    append(text, sizeof text, ": (8) Size must be an integer power of 2.");
    emit(text, true);
}

void vecLibReportNotEnoughMemory(bool mayBeAudioThread) { reportNotEnoughMemory(mayBeAudioThread); }
