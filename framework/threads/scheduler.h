#pragma once
// The framework's threads.
//
// A framework thread is a fiber on the process's main (GUI) thread. Exactly
// one framework thread runs at a time, and it gives way only where it waits:
// for its window's next event, for another thread, or inside a message loop.
// Nothing the threads share therefore needs a lock.
//
// The thread that calls main (and every test body) is thread 1. It doubles
// as the scheduler: whenever thread 1 waits, the waiting loop resumes each
// other thread whose wait is over, one after the other, and between rounds it
// lets the event pump (Qt's event processing, installed by the user
// interface) deliver window events, timers and input. A started thread waits
// by switching back to that loop. So a thread started while another waits in
// a nested procedure still gets its turn, and the waits of all threads nest
// freely on their own stacks.
//
// Each thread has its own global request, global response and further number
// (fw::core::threadValues()); the scheduler swaps them with the thread.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace fw::threads {

using ThreadNumber = std::int32_t;
using Procedure = std::function<void()>;

// The number of the thread that calls main.
inline constexpr ThreadNumber mainThread = 1;

// Stacks are never smaller than this, whatever a caller asks for: Qt and
// fontconfig use more than 64 KiB on their first calls. Below the stack lies
// a guard page, so an overflow faults instead of corrupting memory.
inline constexpr std::size_t minimumStackSize = std::size_t{1} << 20;

// The stack size a thread started with `asked` bytes gets (0 = the default).
std::size_t stackSizeFor(std::size_t asked);

// Starts `procedure` on a new thread with at least `stackSize` bytes of stack
// (0 = the default) and returns the thread's number (2, 3, ... never reused).
// The new thread does not run yet: it first runs when the caller waits. It
// starts with zero request, response and further number. The thread ends
// when the procedure returns.
ThreadNumber start(Procedure procedure, std::size_t stackSize = 0);

// The number of the thread that runs now.
ThreadNumber currentThread();

// True while thread `number` has started and not yet ended (thread 1 always).
bool isAlive(ThreadNumber number);

// The numbers of every thread alive, thread 1 first.
std::vector<ThreadNumber> aliveThreads();

// The wait: the calling thread gives way until `ready()` returns true. The
// condition is checked on the waiting thread's behalf while other threads and
// the event pump run; it must only look at state, never wait itself. Returns
// at once when the condition already holds.
void waitUntil(const std::function<bool()>& ready);

// Waits until thread `number` has ended (at once when it is not alive).
void waitForThread(ThreadNumber number);

// Runs every thread whose wait is over, and the pump without blocking, until
// none can go on. Used at the end of the program to let threads finish what
// their closed windows ask of them.
void runReadyThreads();

// The event pump: called on thread 1's stack with Block::Yes when no thread
// can go on, and then it must wait until at least one event has been
// delivered; with Block::No it delivers what is pending and returns.
enum class Block : std::uint8_t { No, Yes };
using EventPump = std::function<void(Block)>;

// Installs the pump (the user interface does so when it starts); an empty
// pump removes it. Without a pump, a wait that nothing can ever end is a
// programming error and stops the program with a message.
void setEventPump(EventPump pump);

} // namespace fw::threads
