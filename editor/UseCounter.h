// Lets one thread retire an object that other threads may be using at that
// very moment, without a lock. A user holds a Use while it loads the object's
// published address and works with it; the retiring thread first unpublishes
// the address, then waits until no Use is held. Every Use that could have seen
// the old address is then over, and every later one sees none.
//
// The count and the address are sequentially consistent atomics: a user's
// increment precedes its load of the address, the retirer's exchange of the
// address precedes its load of the count, so one of the two always sees the
// other.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

class UseCounter {
public:
    class Use {
    public:
        explicit Use(UseCounter& of) : counter(of) { counter.held.fetch_add(1); }
        ~Use() { counter.held.fetch_sub(1); }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;

    private:
        UseCounter& counter;
    };

    // [any thread] brackets one use of the object, from loading its address on.
    Use use() { return Use(*this); }
    // [ui thread] after the object's address is unpublished: returns when no
    // use is under way. Uses are short (a copy of twelve values), so it yields.
    void waitUntilUnused() const {
        while (held.load() != 0) std::this_thread::yield();
    }

private:
    std::atomic<int32_t> held{0};
};
