#include "framework/fs/fault_seams.h"

#include <atomic>

namespace fw::fs {

namespace {

std::atomic<int> writesUntilFailure{0};
std::atomic<int> closesUntilFailure{0};
std::atomic<int> renamesUntilFailure{0};

// Counts one call down; true for the one that reaches the armed number.
bool countDown(std::atomic<int>& untilFailure)
{
    int n = untilFailure.load();
    while (n > 0) {
        if (untilFailure.compare_exchange_weak(n, n - 1))
            return n == 1;
    }
    return false;
}

} // namespace

void failNthWriteForTesting(int n) { writesUntilFailure.store(n > 0 ? n : 0); }
void failNthCloseForTesting(int n) { closesUntilFailure.store(n > 0 ? n : 0); }
void failNthRenameForTesting(int n) { renamesUntilFailure.store(n > 0 ? n : 0); }

namespace detail {

bool writeFails() { return countDown(writesUntilFailure); }
bool closeFails() { return countDown(closesUntilFailure); }
bool renameFails() { return countDown(renamesUntilFailure); }

} // namespace detail

} // namespace fw::fs
