#pragma once

#include <QLockFile>
#include <QString>

namespace mervasto {

// The per-user lock that tells a second copy of the program that one is running already.
// A lock left behind by a copy that crashed does not count: the lock file names the process
// that took it, and a process that no longer runs holds nothing.
class InstanceLock {
public:
    explicit InstanceLock(const QString& lockPath);

    // True when this copy holds the lock now (or cannot tell, because the lock file cannot be
    // written at all: a copy is never refused for that); false when another copy holds it.
    bool acquire();

    // The lock of the current user, in the user's runtime or temporary directory.
    static QString defaultPath();

private:
    QLockFile lock_;
};

} // namespace mervasto
