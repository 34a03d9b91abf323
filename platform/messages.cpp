#include "platform/messages.h"

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/system.h"

namespace messages {
namespace {

constexpr size_t kSlots = 8;
constexpr size_t kTextSize = 256;
constexpr size_t kCaptionSize = 64;

// A single-consumer ring of fixed slots. Producers claim a slot by moving its
// state from free to writing, fill it, and publish it as ready (release); the
// UI thread takes ready slots (acquire) in claim order.
struct Slot {
    std::atomic<int> state{0};  // 0 free, 1 writing, 2 ready
    char text[kTextSize];
    char caption[kCaptionSize];
    bool hasCaption;
};

std::array<Slot, kSlots> slots;
std::atomic<uint32_t> nextWrite{0};
uint32_t nextRead = 0;  // guarded by readerMutex
std::mutex readerMutex;
std::mutex logMutex;

void copyTruncated(char* destination, size_t size, const char* source) {
    size_t length = 0;
    while (source[length] != '\0' && length + 1 < size) ++length;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
}

void appendToLog(const char* path, const char* text, const char* caption) {
    std::string line;
    if (caption) line.append(caption).append(": ");
    line.append(text);
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    line.push_back('\n');
    std::lock_guard<std::mutex> lock(logMutex);
    if (std::FILE* file = std::fopen(path, "ab")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
}

}  // namespace

void report(const char* text, const char* caption) {
    if (!text) text = "";
    const char* log = std::getenv("ZINDRA_MESSAGE_LOG");
    if (log && *log) {
        appendToLog(log, text, caption);
        return;
    }
    platform::showMessageBox(text, caption);
}

bool queue(const char* text, const char* caption) {
    const uint32_t ticket = nextWrite.load(std::memory_order_relaxed);
    Slot& slot = slots[ticket % kSlots];
    int expected = 0;
    if (!slot.state.compare_exchange_strong(expected, 1, std::memory_order_acquire)) return false;
    // Only advance past a slot we own, so the reader sees claims in order.
    uint32_t claimed = ticket;
    if (!nextWrite.compare_exchange_strong(claimed, ticket + 1, std::memory_order_relaxed)) {
        slot.state.store(0, std::memory_order_relaxed);
        return false;
    }
    copyTruncated(slot.text, kTextSize, text ? text : "");
    slot.hasCaption = caption != nullptr;
    if (caption) copyTruncated(slot.caption, kCaptionSize, caption);
    slot.state.store(2, std::memory_order_release);
    return true;
}

void showPending() {
    // Hosts may call in from several threads; one of them shows, the others go on.
    std::unique_lock<std::mutex> reader(readerMutex, std::try_to_lock);
    if (!reader.owns_lock()) return;
    for (;;) {
        Slot& slot = slots[nextRead % kSlots];
        if (slot.state.load(std::memory_order_acquire) != 2) return;
        char text[kTextSize];
        char caption[kCaptionSize];
        std::memcpy(text, slot.text, kTextSize);
        std::memcpy(caption, slot.caption, kCaptionSize);
        const bool hasCaption = slot.hasCaption;
        slot.state.store(0, std::memory_order_release);
        ++nextRead;
        report(text, hasCaption ? caption : nullptr);
    }
}

}  // namespace messages
