#include "framework/core/thread_values.h"

namespace fw::core {

namespace {
ThreadValues g_processValues;
ThreadValues* g_current = &g_processValues;
} // namespace

ThreadValues& threadValues() { return *g_current; }

void setCurrentThreadValues(ThreadValues* values) { g_current = values ? values : &g_processValues; }

} // namespace fw::core
