#include "base/core/TerminationRequest.h"

#include <atomic>

namespace core {

namespace {

// Only a lock-free atomic may be touched from a signal handler.
static_assert(std::atomic<int>::is_always_lock_free);
std::atomic<int> g_signal{0};

} // namespace

void requestTermination(int signalNumber) noexcept
{
    int none = 0;
    g_signal.compare_exchange_strong(none, signalNumber);
}

int terminationSignal() noexcept
{
    return g_signal.load();
}

} // namespace core
