#include "editor/UseCounter.h"

#include <gtest/gtest.h>

#include <atomic>
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

TEST(UseCounter, WaitReturnsAtOnceWithoutUsesAndAfterTheLastOne) {
    UseCounter uses;
    uses.waitUntilUnused();
    std::atomic<bool> released{false};
    std::thread holder;
    {
        std::atomic<bool> holding{false};
        holder = std::thread([&] {
            const UseCounter::Use use = uses.use();
            holding.store(true);
            while (!released.load()) std::this_thread::yield();
        });
        while (!holding.load()) std::this_thread::yield();
    }
    std::thread waiter([&] { uses.waitUntilUnused(); });
    released.store(true);
    waiter.join();
    holder.join();
}
