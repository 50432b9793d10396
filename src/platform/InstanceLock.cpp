#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

namespace {

std::string g_folder;

std::string lockFolder()
{
    if (!g_folder.empty())
        return g_folder;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder.toStdString();
}

} // namespace

void InstanceLock::setLockFolder(const std::string &folder) { g_folder = folder; }

std::string InstanceLock::lockPath(const std::string &mutexName)
{
    // Mutex names may hold spaces and parentheses; keep the file name tame.
    std::string name;
    for (const char c : mutexName) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return lockFolder() + "/" + name + ".lock";
}

InstanceLock::InstanceLock(const std::string &mutexName)
    : lock_(std::make_unique<QLockFile>(QString::fromStdString(lockPath(mutexName))))
{
    QDir().mkpath(QString::fromStdString(lockFolder()));
    // A live holder is never considered stale by age; QLockFile still takes
    // over a lock whose process no longer exists.
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
}

InstanceLock::~InstanceLock() { release(); }

void InstanceLock::release()
{
    if (first_)
        lock_->unlock();
    first_ = false;
}

} // namespace platform
