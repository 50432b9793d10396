#include "platform/InstanceLock.h"
#include "platform/InstanceChannel.h"

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

// The hand-over of a second start between two programs is tested with two
// processes; here what one process can see of it.
TEST_F(InstanceLockTest, ChannelSocketLiesNextToTheLock)
{
    EXPECT_EQ(platform::InstanceChannel::socketPath(kMutex),
              sandbox.folder() + "/Vorn_Quillon_dPMR__APP_Exclusive_Mutex.socket");
}

TEST_F(InstanceLockTest, NobodyListeningTakesNothing)
{
    EXPECT_FALSE(platform::InstanceChannel::Send(kMutex, "/tmp/radio.vrc", 0));
}

TEST_F(InstanceLockTest, ChannelRefusesLinesNoPathCanBe)
{
    platform::InstanceChannel channel(kMutex);
    ASSERT_TRUE(channel.Listen([](const std::string &) {}));
    EXPECT_FALSE(platform::InstanceChannel::Send(kMutex, "a\nb", 0));
    EXPECT_FALSE(platform::InstanceChannel::Send(
        kMutex, std::string(platform::InstanceChannel::kLongestLine + 1, 'x'), 0));
}

} // namespace
