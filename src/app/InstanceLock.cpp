#include "app/InstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace mervasto {

InstanceLock::InstanceLock(const QString& lockPath) : lock_(lockPath) {
    // Age says nothing about a lock held by a copy that runs for days: only a lock whose
    // process is gone is stale.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::acquire() {
    return lock_.tryLock(0) || lock_.error() != QLockFile::LockFailedError;
}

QString InstanceLock::defaultPath() {
    // The runtime directory belongs to the user alone; the shared temporary directory needs
    // the user in the file name.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath(QStringLiteral("mervasto.lock"));
    return QDir::temp().filePath(QStringLiteral("mervasto-%1.lock").arg(QDir::home().dirName()));
}

} // namespace mervasto
