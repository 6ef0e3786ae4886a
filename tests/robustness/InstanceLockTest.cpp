// The single-instance lock between two processes: a second copy is refused while the first
// holds the lock, and a first copy killed with its lock still on disk blocks nothing.

#include "app/InstanceLock.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <QString>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace mervasto::test {
namespace {

// Another copy of this program: a child process that takes the lock, reports whether it got
// it through a pipe, and waits until it is killed.
class OtherCopy {
public:
    explicit OtherCopy(const QString& lockPath) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            InstanceLock lock(lockPath);
            const char got = lock.acquire() ? '1' : '0';
            if (write(fds[1], &got, 1) != 1)
                _exit(1);
            for (;;)
                pause();
        }
        close(fds[1]);
        char got = '0';
        acquired_ = pid_ > 0 && read(fds[0], &got, 1) == 1 && got == '1';
        close(fds[0]);
    }
    ~OtherCopy() { kill(); }
    OtherCopy(const OtherCopy&) = delete;
    OtherCopy& operator=(const OtherCopy&) = delete;

    bool acquired() const { return acquired_; }

    // Ends the copy at once, as a crash or a forced end would: its lock file stays on disk.
    void kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool acquired_ = false;
};

class InstanceLockBetweenProcesses : public ::testing::Test {
protected:
    TempDir dir;
    QString lockPath = QString::fromStdString((dir / "mervasto.lock").string());
};

TEST_F(InstanceLockBetweenProcesses, SecondCopyIsRefusedWhileTheFirstRuns) {
    OtherCopy first(lockPath);
    ASSERT_TRUE(first.acquired());

    InstanceLock second(lockPath);
    EXPECT_FALSE(second.acquire());
}

TEST_F(InstanceLockBetweenProcesses, KilledFirstCopyLeavesAStaleLockThatDoesNotBlock) {
    OtherCopy first(lockPath);
    ASSERT_TRUE(first.acquired());
    first.kill();
    ASSERT_TRUE(std::filesystem::exists(dir / "mervasto.lock"));

    InstanceLock next(lockPath);
    EXPECT_TRUE(next.acquire());
}

TEST_F(InstanceLockBetweenProcesses, CopyAfterTheFirstEndedIsRefusedByTheNewHolder) {
    {
        OtherCopy first(lockPath);
        ASSERT_TRUE(first.acquired());
    }
    InstanceLock second(lockPath);
    ASSERT_TRUE(second.acquire());
    OtherCopy third(lockPath);
    EXPECT_FALSE(third.acquired());
}

} // namespace
} // namespace mervasto::test
