#include "platform/InstanceLock.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

using platform::InstanceLock;

namespace {

const char *kMutex = "Vorn Quillon(dPMR) APP Exclusive Mutex";

class InstanceLockTest : public ::testing::Test
{
protected:
    testing_support::ScopedSettingsSandbox sandbox;
};

TEST_F(InstanceLockTest, OnlyTheFirstHolderIsFirstInstance)
{
    InstanceLock first(kMutex);
    EXPECT_TRUE(first.isFirstInstance());
    InstanceLock second(kMutex);
    EXPECT_FALSE(second.isFirstInstance());
    first.release();
    InstanceLock third(kMutex);
    EXPECT_TRUE(third.isFirstInstance());
}

TEST_F(InstanceLockTest, LockNameIsDerivedFromTheMutexName)
{
    const std::string path = InstanceLock::lockPath(kMutex);
    EXPECT_EQ(path, sandbox.folder() + "/Vorn_Quillon_dPMR__APP_Exclusive_Mutex.lock");
}

TEST_F(InstanceLockTest, StaleLockOfADeadProcessIsTakenOver)
{
    // The format QLockFile writes: pid, application name, host name.
    testing_support::writeFile(InstanceLock::lockPath(kMutex), "2147483000\nquillon\n\n");
    InstanceLock lock(kMutex);
    EXPECT_TRUE(lock.isFirstInstance());
}

} // namespace
