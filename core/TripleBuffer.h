// Hands whole frames of data from one writer thread to one reader thread
// without either waiting: three slots, one being written, one being read and
// one in between. The writer publishes by swapping its slot with the middle
// one; the reader takes the middle one when it holds something newer. Writer
// and reader never touch the same slot at the same time.
#pragma once

#include <atomic>

class TripleBuffer {
public:
    // Writer: the slot to fill now.
    int writeSlot() const { return back; }
    // Writer: makes the filled slot the newest; the writer moves on to another.
    void publish() { back = middle.exchange(back | kFresh, std::memory_order_acq_rel) & kSlotMask; }
    // Reader: the newest published slot (the last one taken when nothing newer).
    int readSlot() {
        if (middle.load(std::memory_order_relaxed) & kFresh)
            front = middle.exchange(front, std::memory_order_acq_rel) & kSlotMask;
        return front;
    }

private:
    static constexpr int kFresh = 4;
    static constexpr int kSlotMask = 3;
    std::atomic<int> middle{1};
    int back = 0;   // writer's own
    int front = 2;  // reader's own
};
