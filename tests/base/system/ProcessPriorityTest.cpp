#include "base/system/ProcessPriority.h"

#include <future>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <gtest/gtest.h>

// The audio and synthesis threads run before the user picks a priority: Idle must reach them too.
TEST(ProcessPriority, IdleReachesThreadsThatAlreadyRun)
{
    std::promise<pid_t> started;
    std::promise<void> release;
    std::thread worker([&] {
        started.set_value(pid_t(syscall(SYS_gettid)));
        release.get_future().wait();
    });
    const pid_t workerId = started.get_future().get();
    core::setProcessPriority(0);
    EXPECT_EQ(getpriority(PRIO_PROCESS, id_t(workerId)), 19);
    release.set_value();
    worker.join();
    core::setProcessPriority(1); // back to normal where that is allowed
}
