#include "framework/threads/fiber.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#define FW_THREADS_ASAN 1
#endif

namespace fw::threads {

namespace ctx = boost::context;

namespace {

// ASan has to hear of every switch: where the stack that becomes current
// lies, and (on the way back) that the old one is current again.
void startSwitch([[maybe_unused]] void** fakeStack, [[maybe_unused]] const void* bottom,
                 [[maybe_unused]] std::size_t size)
{
#ifdef FW_THREADS_ASAN
    __sanitizer_start_switch_fiber(fakeStack, bottom, size);
#endif
}

void finishSwitch([[maybe_unused]] void* fakeStack, [[maybe_unused]] const void** oldBottom,
                  [[maybe_unused]] std::size_t* oldSize)
{
#ifdef FW_THREADS_ASAN
    __sanitizer_finish_switch_fiber(fakeStack, oldBottom, oldSize);
#endif
}

} // namespace

Fiber::Fiber(Procedure procedure, std::size_t stackSize)
    : m_procedure(std::move(procedure)), m_allocator(stackSize), m_stack(m_allocator.allocate())
{
    m_context = ctx::detail::make_fcontext(m_stack.sp, m_stack.size, &Fiber::entry);
}

Fiber::~Fiber()
{
    // A fiber that never finished (the program ended while it waited) loses
    // its stack without unwinding; nothing on it is looked at again.
    m_allocator.deallocate(m_stack);
}

void Fiber::resume()
{
    void* fakeStack = nullptr;
    const char* bottom = static_cast<const char*>(m_stack.sp) - m_stack.size;
    startSwitch(&fakeStack, bottom, m_stack.size);
    ctx::detail::transfer_t back = ctx::detail::jump_fcontext(m_context, this);
    finishSwitch(fakeStack, nullptr, nullptr);
    m_context = back.fctx;
}

void Fiber::suspend()
{
    startSwitch(&m_fakeStack, m_callerBottom, m_callerSize);
    ctx::detail::transfer_t back = ctx::detail::jump_fcontext(m_caller, nullptr);
    finishSwitch(m_fakeStack, &m_callerBottom, &m_callerSize);
    m_caller = back.fctx;
}

void Fiber::entry(ctx::detail::transfer_t transfer)
{
    auto* self = static_cast<Fiber*>(transfer.data);
    self->m_caller = transfer.fctx;
    finishSwitch(nullptr, &self->m_callerBottom, &self->m_callerSize);
    try {
        self->m_procedure();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "framework thread ended by an exception: %s\n", e.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "framework thread ended by an exception\n");
        std::abort();
    }
    self->m_procedure = nullptr;
    self->m_finished = true;
    // The stack is freed by the scheduler once it is no longer current, so
    // ASan is told that this stack will not be seen again (no fake stack).
    startSwitch(nullptr, self->m_callerBottom, self->m_callerSize);
    ctx::detail::jump_fcontext(self->m_caller, nullptr);
    std::abort(); // a finished fiber is never resumed
}

} // namespace fw::threads
