#pragma once
// One framework thread's execution context: its own protected stack and the
// machine context saved while it does not run. Only the scheduler uses it.
//
// The switch goes through Boost.Context's fcontext primitives directly so
// that every switch can tell AddressSanitizer which stack becomes current;
// without that, ASan mistakes the other stack for stack-use-after-return.

#include <cstddef>
#include <memory>

#include <boost/context/detail/fcontext.hpp>
#include <boost/context/protected_fixedsize_stack.hpp>

#include "framework/threads/scheduler.h"

namespace fw::threads {

class Fiber {
public:
    Fiber(Procedure procedure, std::size_t stackSize);
    ~Fiber();
    Fiber(const Fiber&) = delete;
    Fiber& operator=(const Fiber&) = delete;

    // From the scheduler's stack: runs the fiber until it suspends or ends.
    void resume();
    // From inside the fiber: back to the scheduler's stack.
    void suspend();

    bool isFinished() const { return m_finished; }
    std::size_t stackSize() const { return m_stack.size; }

private:
    static void entry(boost::context::detail::transfer_t transfer);

    Procedure m_procedure;
    boost::context::protected_fixedsize_stack m_allocator;
    boost::context::stack_context m_stack;
    boost::context::detail::fcontext_t m_context = nullptr; // the fiber's, while it is suspended
    boost::context::detail::fcontext_t m_caller = nullptr;  // the scheduler's, while the fiber runs
    void* m_fakeStack = nullptr;                            // ASan's bookkeeping for this stack
    const void* m_callerBottom = nullptr;
    std::size_t m_callerSize = 0;
    bool m_finished = false;
};

} // namespace fw::threads
