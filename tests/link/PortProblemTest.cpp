#include "LinkTestSupport.h"

#include "link/PortMap.h"
#include "link/PortProblem.h"
#include "link/cmcComm.h"
#include "link/indCloneMan.h"
#include "platform/RegistryStore.h"
#include "support/ScopedTexts.h"
#include "support/TestPaths.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

using Facts = PortProblem::Facts;
using Kind = PortProblem::Kind;
using testing_support::ScopedTexts;

// Texts that show which line was taken and what went into it.
std::vector<ScopedTexts::Entry> portTexts()
{
    return {
        {"GI_Mess_CloneErr_Head", {"Head 0", "Head 1", "COM%d head"}},
        {"GI_Mess_CloneErr_Check", {"Check 0", "Check 1", "Check 2", "Check 3", "Check 4"}},
        {PortProblem::kTextKey,
         {"Cannot open (%s).", "Missing.", "Present: %s.", "None present.",
          "No permission, group %s.", "Join %s (adduser $USER %s).", "Log in again for %s.",
          "Group may not.", "Busy."}},
    };
}

void mapPort(std::int32_t port, const std::string &path)
{
    platform::RegistryStore::writeString(PortMap::settingsKey(), PortMap::overrideName(port), path);
}

std::string groupOf(const std::string &path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const group *entry = ::getgrgid(info.st_gid);
    return entry != nullptr ? entry->gr_name : std::to_string(info.st_gid);
}

Facts facts(Kind kind, const std::string &group = {}, bool groupMayUse = false,
            bool joinedSinceLogin = false)
{
    Facts facts;
    facts.kind = kind;
    facts.device = "/dev/ttyUSB0";
    facts.group = group;
    facts.groupMayUse = groupMayUse;
    facts.joinedSinceLogin = joinedSinceLogin;
    return facts;
}

std::string errorText(std::int32_t port) { return indCloneMan::ErrorText(2, false, port); }

TEST(PortProblemTexts, ExplanationFollowsTheFacts)
{
    const ScopedTexts texts(portTexts());
    struct Case {
        const char *name;
        Facts facts;
        std::vector<std::string> present;
        const char *text;
    } cases[] = {
        {"missing, others present",
         facts(Kind::Missing),
         {"/dev/ttyS0 (COM1)", "/dev/ttyUSB1 (COM34)"},
         "Missing.\nPresent: /dev/ttyS0 (COM1), /dev/ttyUSB1 (COM34)."},
        {"missing, none present", facts(Kind::Missing), {}, "Missing.\nNone present."},
        {"no permission, the group may use it",
         facts(Kind::NoPermission, "dialout", true),
         {},
         "No permission, group dialout.\nJoin dialout (adduser $USER dialout)."},
        {"no permission, joined the group since logging in",
         facts(Kind::NoPermission, "dialout", true, true),
         {},
         "No permission, group dialout.\nLog in again for dialout."},
        {"no permission, the group may not use it either",
         facts(Kind::NoPermission, "root"),
         {},
         "No permission, group root.\nGroup may not."},
        {"busy", facts(Kind::Busy), {}, "Busy."},
        {"unknown", facts(Kind::Unknown), {}, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortProblem::Explanation(c.facts, c.present), c.text) << c.name;
}

TEST(PortProblemTexts, HeadNamesTheDeviceAndItsNumberOnlyWhereTheNumberIsItsOwn)
{
    const testing_support::ScopedSettingsSandbox sandbox;
    mapPort(256, "/dev/serial/by-id/usb-cable");
    mapPort(5, "/dev/ttyUSB0");
    struct Case {
        std::int32_t port;
        const char *name;
    } cases[] = {
        {33, "/dev/ttyUSB0, COM33"},
        {98, "/dev/pts/1, COM98"},
        {256, "/dev/serial/by-id/usb-cable"},
        {5, "/dev/ttyUSB0"},
        {0, "COM0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(PortProblem::PortName(c.port), c.name) << c.port;
}

TEST(PortProblemTexts, TcpAndOverlaysWithoutPortTextsKeepTheUsualMessage)
{
    const testing_support::ScopedSettingsSandbox sandbox;
    {
        const ScopedTexts texts(portTexts());
        EXPECT_EQ(indCloneMan::ErrorText(2, true, 3),
                  "COM3 head\n\nCheck 0\nCheck 2\nCheck 3\nCheck 4");
    }
    mapPort(150, "/dev/quillon-test-no-such-device");
    const ScopedTexts older({{"GI_Mess_CloneErr_Head", {"Head 0", "Head 1", "COM%d head"}},
                             {"GI_Mess_CloneErr_Check", {"C0", "C1", "C2", "C3", "C4"}}});
    EXPECT_EQ(errorText(150), "COM150 head\n\nC0\nC1\nC3\nC4");
}

// The failures a user meets on a real device, opened by the serial port
// itself. The device is reached through a port number override, as the
// command line's --device does it.
class PortFailureTest : public ::testing::Test
{
protected:
    static constexpr std::int32_t kPort = 150;

    testing_support::ScopedSettingsSandbox sandbox_;
    ScopedTexts texts_{portTexts()};
};

TEST_F(PortFailureTest, AMissingDeviceIsNamedAndThePresentSerialDevicesListed)
{
    const std::string device = "/dev/quillon-test-no-such-device";
    mapPort(kPort, device);
    cmcComm comm;
    ASSERT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    const std::vector<std::string> present = PortProblem::PresentSerialDevices();
    std::string expected = "Cannot open (" + device + ").\n\nMissing.\n";
    if (present.empty()) {
        expected += "None present.";
    } else {
        expected += "Present: ";
        for (std::size_t i = 0; i < present.size(); ++i)
            expected += (i == 0 ? "" : ", ") + present[i];
        expected += ".";
    }
    EXPECT_EQ(errorText(kPort), expected);
    for (const std::string &listed : present)
        EXPECT_EQ(listed.rfind("/dev/pts/", 0), std::string::npos) << listed;
}

TEST_F(PortFailureTest, APortHeldByAnotherProgramIsInUseUntilItIsFree)
{
    link_testing::PseudoTerminal pty;
    if (!pty.valid())
        GTEST_SKIP() << "no pseudo-terminals here";
    mapPort(kPort, pty.slavePath());
    auto holder = std::make_unique<cmcComm>();
    ASSERT_TRUE(holder->Open(kPort, "9600,N,8,1"));

    cmcComm comm;
    ASSERT_FALSE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(errorText(kPort), "Cannot open (" + pty.slavePath() + ").\n\nBusy.");

    // Once the port is free again its old failure is forgotten.
    holder.reset();
    ASSERT_TRUE(comm.Open(kPort, "9600,N,8,1"));
    EXPECT_EQ(errorText(kPort),
              "Cannot open (" + pty.slavePath() + ").\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4");
}

// The open runs as a user without the right to the device: as root the
// child process becomes nobody; otherwise the device's owner loses the right
// and only its group keeps it.
TEST_F(PortFailureTest, ADeviceWithoutPermissionNamesItsGroupAndHowToJoinIt)
{
    link_testing::PseudoTerminal pty;
    if (!pty.valid())
        GTEST_SKIP() << "no pseudo-terminals here";
    const std::string device = pty.slavePath();
    const std::int32_t port = PortMap::builtInNumber(device);
    if (port == 0)
        GTEST_SKIP() << device << " lies beyond the numbers the map reaches";
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(device.c_str(), root ? 0660 : 0060), 0);
    const std::string group = groupOf(device);
    ASSERT_FALSE(group.empty());

    const auto openWithoutRight = [port] {
        constexpr gid_t kNobody = 65534;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            std::exit(3);
        cmcComm comm;
        if (comm.Open(port, "9600,N,8,1"))
            std::exit(4);
        std::fprintf(stderr, "%s\n", errorText(port).c_str());
        std::exit(0);
    };
    // The child process makes a pseudo-terminal of its own.
    EXPECT_EXIT(openWithoutRight(), ::testing::ExitedWithCode(0),
                "Cannot open \\(/dev/pts/[0-9]+, COM[0-9]+\\)\\.\n\nNo permission, group " + group +
                    "\\.\nJoin " + group);
}

} // namespace
