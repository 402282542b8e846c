#include "core/ProcessPriority.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Idle must reach threads that already run (the audio and synthesis threads start before the user picks it).
// In a child process, because an unprivileged test could not lower its own nice value again.
TEST(ProcessPriority, IdleReachesEveryThreadOfTheProcess)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::mutex mutex;
        std::condition_variable changed;
        pid_t workerId = 0;
        bool done = false;
        std::thread worker([&] {
            std::unique_lock lock(mutex);
            workerId = pid_t(syscall(SYS_gettid));
            changed.notify_all();
            changed.wait(lock, [&] { return done; });
        });
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return workerId != 0; });
        }
        core::setProcessPriority(0);
        const bool ok = getpriority(PRIO_PROCESS, id_t(workerId)) == 19 && getpriority(PRIO_PROCESS, 0) == 19;
        {
            std::lock_guard lock(mutex);
            done = true;
        }
        changed.notify_all();
        worker.join();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a thread kept its nice value";
}
