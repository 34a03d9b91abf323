#include "editor/UseCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// An object that knows when it is read after its end.
struct Watched {
    std::atomic<bool> alive{true};
    int value = 7;
    ~Watched() { alive.store(false); }
};

}  // namespace

// Readers keep using whatever is published while the owner replaces and
// destroys it again and again: no reader may find a destroyed object (the
// sanitizer builds also see a use after free or a race).
TEST(UseCounter, NoUseOutlivesTheRetiredObject) {
    UseCounter uses;
    std::atomic<Watched*> published{new Watched};
    std::atomic<bool> stop{false};
    std::atomic<int> deadSeen{0};
    std::atomic<long> reads{0};

    auto reader = [&] {
        while (!stop.load()) {
            const UseCounter::Use use = uses.use();
            if (Watched* w = published.load()) {
                if (!w->alive.load() || w->value != 7) deadSeen.fetch_add(1);
                reads.fetch_add(1);
            }
        }
    };
    std::thread first(reader), second(reader);
    // Many rounds, and enough reads among them however the threads are scheduled.
    for (int round = 0; round < 2000 || reads.load() < 2000; ++round) {
        Watched* old = published.exchange(nullptr);
        uses.waitUntilUnused();
        delete old;
        published.store(new Watched);
    }
    stop.store(true);
    first.join();
    second.join();
    delete published.load();
    EXPECT_EQ(deadSeen.load(), 0);
    EXPECT_GT(reads.load(), 0);
}

// The wait ends only when the last use held on another thread is over: the
// holder marks that it is about to release the last one, and the wait must
// find the mark. The holder lets the waiter reach the wait before each
// release (a short, bounded pause: it makes a wait that ends too early show,
// and a correct one passes however the threads are scheduled).
TEST(UseCounter, WaitLastsUntilTheLastUseEnds) {
    UseCounter uses;
    uses.waitUntilUnused();  // none held: returns at once
    std::atomic<bool> holding{false}, waiting{false}, releasingTheLast{false};
    std::thread holder([&] {
        const UseCounter::Use outer = uses.use();
        {
            const UseCounter::Use inner = uses.use();
            holding.store(true);
            while (!waiting.load()) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        releasingTheLast.store(true);
    });
    while (!holding.load()) std::this_thread::yield();
    waiting.store(true);
    uses.waitUntilUnused();
    EXPECT_TRUE(releasingTheLast.load());
    holder.join();
}
