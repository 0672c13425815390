#include "framework/threads/scheduler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "framework/core/thread_values.h"
#include "framework/threads/fiber.h"

namespace fw::threads {

namespace {

// One started thread. `ready` points at the condition the thread waits for
// (it lives on the thread's own stack while the thread is suspended); a
// thread that has not run yet has none and is ready at once.
struct ThreadRecord {
    ThreadNumber number = 0;
    std::unique_ptr<Fiber> fiber;
    core::ThreadValues values;
    const std::function<bool()>* ready = nullptr;
};

struct Scheduler {
    std::vector<std::unique_ptr<ThreadRecord>> threads;
    ThreadNumber nextNumber = mainThread + 1;
    ThreadRecord* running = nullptr; // nullptr: thread 1 runs
    EventPump pump;
};

Scheduler& scheduler()
{
    static Scheduler instance;
    return instance;
}

bool canGoOn(const ThreadRecord& thread)
{
    return !thread.fiber->isFinished() && (thread.ready == nullptr || (*thread.ready)());
}

// Resumes, in the order they were started, every thread whose wait is over;
// each runs until it waits again or ends. Only ever runs on thread 1's stack.
// Returns whether any thread ran.
bool runRound()
{
    Scheduler& s = scheduler();
    bool ran = false;
    // By index: a thread that runs may start further threads, which are
    // appended and get their turn in this same round.
    for (std::size_t i = 0; i < s.threads.size(); ++i) {
        ThreadRecord& thread = *s.threads[i];
        if (!canGoOn(thread))
            continue;
        s.running = &thread;
        core::setCurrentThreadValues(&thread.values);
        thread.fiber->resume();
        core::setCurrentThreadValues(nullptr);
        s.running = nullptr;
        ran = true;
    }
    std::erase_if(s.threads, [](const std::unique_ptr<ThreadRecord>& t) { return t->fiber->isFinished(); });
    return ran;
}

} // namespace

std::size_t stackSizeFor(std::size_t asked) { return std::max(asked, minimumStackSize); }

ThreadNumber start(Procedure procedure, std::size_t stackSize)
{
    Scheduler& s = scheduler();
    auto thread = std::make_unique<ThreadRecord>();
    thread->number = s.nextNumber++;
    thread->fiber = std::make_unique<Fiber>(std::move(procedure), stackSizeFor(stackSize));
    const ThreadNumber number = thread->number;
    s.threads.push_back(std::move(thread));
    return number;
}

ThreadNumber currentThread()
{
    const ThreadRecord* running = scheduler().running;
    return running != nullptr ? running->number : mainThread;
}

bool isAlive(ThreadNumber number)
{
    if (number == mainThread)
        return true;
    for (const auto& thread : scheduler().threads)
        if (thread->number == number)
            return !thread->fiber->isFinished();
    return false;
}

std::vector<ThreadNumber> aliveThreads()
{
    std::vector<ThreadNumber> numbers{mainThread};
    for (const auto& thread : scheduler().threads)
        if (!thread->fiber->isFinished())
            numbers.push_back(thread->number);
    return numbers;
}

void waitUntil(const std::function<bool()>& ready)
{
    Scheduler& s = scheduler();
    if (ready())
        return;

    if (ThreadRecord* self = s.running) {
        // A started thread waits by handing the stack back to thread 1's
        // waiting loop, which resumes it once the condition holds.
        while (!ready()) {
            self->ready = &ready;
            self->fiber->suspend();
        }
        self->ready = nullptr;
        return;
    }

    for (;;) {
        const bool ran = runRound();
        if (ready())
            return;
        if (!s.pump) {
            if (!ran) {
                std::fputs("framework threads: a wait that nothing can end\n", stderr);
                std::abort();
            }
            continue;
        }
        s.pump(ran ? Block::No : Block::Yes);
        if (ready())
            return;
    }
}

void waitForThread(ThreadNumber number)
{
    waitUntil([number] { return !isAlive(number); });
}

void runReadyThreads()
{
    Scheduler& s = scheduler();
    if (s.running != nullptr)
        return;
    for (;;) {
        if (s.pump)
            s.pump(Block::No);
        if (!runRound())
            return;
    }
}

void setEventPump(EventPump pump) { scheduler().pump = std::move(pump); }

} // namespace fw::threads
