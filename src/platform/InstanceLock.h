#pragma once

#include <memory>
#include <string>

class QLockFile;

namespace platform {

// Lets only one copy of the program own the settings. A lock file in the
// user's runtime folder stands for the named mutex; a lock left behind by a
// crashed process is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const std::string &mutexName);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    bool isFirstInstance() const { return first_; }
    void release();

    // The lock file's path for a mutex name (tests and diagnostics).
    static std::string lockPath(const std::string &mutexName);
    // Tests redirect the folder so that they do not meet a running program.
    static void setLockFolder(const std::string &folder);

private:
    std::unique_ptr<QLockFile> lock_;
    bool first_ = false;
};

} // namespace platform
