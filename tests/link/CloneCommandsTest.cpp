#include "CloneManagerRig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace clonetest;
using platform::MessageIcon;
using testing::ElementsAre;

namespace {

Bytes imageBytes(const cmcEeprom &image)
{
    Bytes bytes(std::size_t(image.GetSize()));
    image.ReadBlock(0, bytes.data(), image.GetSize());
    return bytes;
}

bool contains(const std::vector<std::string> &calls, const std::string &call)
{
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

std::vector<std::uint8_t> commandsSent(testing_support::FakeTransport &link)
{
    std::vector<std::uint8_t> commands;
    for (const SentFrame &frame : framesIn(link.sentBytes()))
        commands.push_back(frame.command);
    return commands;
}

// ---------------------------------------------------------------------------
// Clone read

TEST(CloneCommandsRead, ReadReplacesTheWorkingImageAndRebuildsTheViews)
{
    for (const std::int32_t portSelect : {0, 1}) {
        SCOPED_TRACE(portSelect);
        ManagerRig rig;
        rig.host.settings.portSelect = portSelect;
        rig.commands().CloneRead();
        rig.run();
        EXPECT_TRUE(rig.messages.shown().empty());
        EXPECT_EQ(imageBytes(rig.host.working), rig.memory);
        EXPECT_THAT(rig.host.cloneIds, ElementsAre(0x30, 0x79, 0x00, 0x00));
        EXPECT_EQ(Bytes(rig.host.infoArea, rig.host.infoArea + 127), cloneInformation());
        const std::string afterLoad = "after load " + std::to_string(rig.memory[0x200]);
        EXPECT_EQ(rig.host.calls.front(), "end edit");
        EXPECT_TRUE(contains(rig.host.calls, afterLoad));
        const auto last = std::vector<std::string>(rig.host.calls.end() - 4, rig.host.calls.end());
        EXPECT_THAT(last, ElementsAre(afterLoad, "cloned document", "close sheet", "event 25"));
        EXPECT_THAT(rig.host.rangeKinds, ElementsAre(1));
        EXPECT_THAT(commandsSent(rig.link()), testing::IsSupersetOf({0xE0, 0xE2}));
        EXPECT_TRUE(rig.host.windowEnabled);
    }
}

TEST(CloneCommandsRead, ReadStopsAtTheEndAddressOfTheCloneInformation)
{
    ManagerRig rig;
    // The radio reports 0x01F3: the read asks for 0x000 to 0x1FF only, and
    // a radio that sends more is refused.
    rig.idReplyBytes = idReply(0x3079, 0, cloneInformation("01f3"));
    rig.commands().CloneRead();
    rig.run();
    ASSERT_EQ(rig.messages.shown().size(), 1u);
    EXPECT_EQ(rig.messages.shown()[0].text, indCloneMan::ErrorText(9, false, 3));
    EXPECT_EQ(imageBytes(rig.host.working), Bytes(ManagerRig::kImageSize, 0x5A));
}

TEST(CloneCommandsRead, FailedIdReadShowsItsMessageAndReadsNothing)
{
    ManagerRig rig;
    rig.answers = false;
    rig.commands().CloneRead();
    rig.run(10);
    ASSERT_EQ(rig.messages.shown().size(), 1u);
    EXPECT_EQ(rig.messages.shown()[0].text, "Head 5\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4");
    EXPECT_EQ(rig.messages.shown()[0].icon, MessageIcon::Error);
    EXPECT_THAT(commandsSent(rig.serial()), testing::Not(testing::Contains(0xE2)));
    EXPECT_TRUE(rig.host.rangeKinds.empty());
}

TEST(CloneCommandsRead, CancelledSaveQuestionStartsNothing)
{
    ManagerRig rig;
    rig.host.saveAnswer = false;
    rig.commands().CloneRead();
    EXPECT_FALSE(rig.manager().IsBusy());
    EXPECT_EQ(rig.host.disables, 0);
}

TEST(CloneCommandsRead, FailedReadLeavesTheWorkingImageUnchanged)
{
    const auto corrupt = [](std::int32_t at, std::uint8_t value) {
        Bytes memory = validRadioImage(ManagerRig::kImageSize);
        memory[std::size_t(at)] = value;
        return memory;
    };
    struct Case {
        const char *name;
        Bytes memory;
        bool refuseModel;
        std::int32_t code;
    } cases[] = {
        {"layout code", corrupt(0x91, 0x64), false, 15},
        {"map revision", corrupt(0x108, 2), false, 15},
        {"maker mark", corrupt(0x2F8, 'v'), false, 15},
        {"model check refuses", validRadioImage(ManagerRig::kImageSize), true, 16},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ManagerRig rig;
        rig.memory = c.memory;
        rig.host.refuseModel = c.refuseModel;
        rig.commands().CloneRead();
        rig.run();
        ASSERT_EQ(rig.messages.shown().size(), 1u);
        EXPECT_EQ(rig.messages.shown()[0].text, indCloneMan::ErrorText(c.code, false, 3));
        EXPECT_EQ(imageBytes(rig.host.working), Bytes(ManagerRig::kImageSize, 0x5A));
        EXPECT_FALSE(contains(rig.host.calls, "cloned document"));
    }
}

// The status bar says how the read ended; the copy is the radio's memory as
// it arrived, and a copy that fails is mentioned but stops nothing.
TEST(CloneCommandsRead, ReadKeepsACopyAndSaysHowLongItTook)
{
    for (const char *failure : {"", "disk full"}) {
        SCOPED_TRACE(failure);
        ManagerRig rig;
        rig.host.backupFailure = failure;
        rig.commands().CloneRead();
        rig.run();
        EXPECT_EQ(imageBytes(rig.host.working), rig.memory);
        ASSERT_EQ(rig.host.backups.size(), 1u);
        EXPECT_FALSE(rig.host.backups[0].written);
        EXPECT_EQ(rig.host.backups[0].image, rig.memory);
        ASSERT_EQ(rig.host.statuses.size(), 1u);
        const std::string done = "Read 1024 bytes in ";
        EXPECT_EQ(rig.host.statuses[0].substr(0, done.size()), done);
        EXPECT_EQ(rig.host.statuses[0].find("No backup: disk full.") != std::string::npos,
                  *failure != '\0');
    }
}

struct StopCase {
    const char *name;
    // The state of the clone driver in which the user stops the read.
    std::int32_t state;
};

class CloneCommandsStopTest : public ::testing::TestWithParam<StopCase>
{};

// Stopped at the radio's identity or in the middle of its memory, the read
// leaves the document as it was, keeps no copy, shows no error and says so in
// the status bar.
TEST_P(CloneCommandsStopTest, StoppedReadLeavesTheDocumentAlone)
{
    ManagerRig rig;
    rig.commands().CloneRead();
    for (int i = 0; i < 200000 && rig.manager().IsBusy(); ++i) {
        const cmcCloneDrv &driver = rig.manager().CloneDriver();
        if (driver.CurrentState() == GetParam().state &&
            (GetParam().state != cmcCloneDrv::kReceiveData || driver.DataByteCount() > 0)) {
            ASSERT_TRUE(rig.progress.RequestCancel());
            break;
        }
        rig.run(0, 1);
    }
    rig.answers = false;
    rig.run();
    EXPECT_EQ(rig.manager().LastCode(), clonecode::kCancelled);
    EXPECT_EQ(imageBytes(rig.host.working), Bytes(ManagerRig::kImageSize, 0x5A));
    EXPECT_FALSE(contains(rig.host.calls, "cloned document"));
    EXPECT_TRUE(rig.host.backups.empty());
    EXPECT_TRUE(rig.messages.shown().empty());
    EXPECT_THAT(rig.host.statuses, ElementsAre("Read cancelled."));
    EXPECT_TRUE(rig.host.windowEnabled);
    EXPECT_EQ(rig.progress.events.back(), "close");
}

INSTANTIATE_TEST_SUITE_P(Moments, CloneCommandsStopTest,
                         ::testing::Values(StopCase{"WaitingForTheIdentity",
                                                    cmcCloneDrv::kReceiveIdReply},
                                           StopCase{"TakingTheMemory", cmcCloneDrv::kReceiveData}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

// ---------------------------------------------------------------------------
// Result handlers

TEST(CloneCommandsHandlers, IdHandlerChecksTheRadioAndItsCloneInformation)
{
    const auto block = [](std::size_t size, std::uint8_t first, std::uint8_t revision) {
        Bytes info(size, 0x41);
        if (size > 0)
            info[0] = first;
        if (size > 35)
            info[35] = revision;
        return info;
    };
    struct Case {
        const char *name;
        std::int32_t id1;
        Bytes info;
        std::int32_t code;
        bool idsStored;
        bool areaCopied;
    } cases[] = {
        {"valid", 0x3079, block(127, 127, 1), 0, true, true},
        {"other radio", 0x3080, block(127, 127, 1), 11, false, false},
        {"first byte not the length", 0x3079, block(127, 126, 1), 11, true, false},
        {"empty block", 0x3079, {}, 11, true, false},
        {"newer map revision", 0x3079, block(127, 127, 2), 14, true, true},
        {"short block", 0x3079, block(10, 10, 0), 0, true, true},
        {"long block", 0x3079, block(200, 200, 0), 0, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeCloneHost host;
        std::fill(std::begin(host.infoArea), std::end(host.infoArea), 0x77);
        dst_CDrv_Result result;
        result.kind = 1;
        result.code = 0;
        result.id1 = c.id1;
        result.id2 = 0x0012;
        result.information.Assign(c.info.data(), std::int32_t(c.info.size()));
        CloneCommands::IdHandler(&host, &result);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(!host.cloneIds.empty(), c.idsStored);
        if (c.idsStored) {
            EXPECT_THAT(host.cloneIds, ElementsAre(0x30, 0x79, 0x00, 0x12));
        }
        Bytes expected(127, 0x77);
        if (c.areaCopied) {
            expected.assign(127, 0);
            std::copy_n(c.info.begin(), std::min<std::size_t>(c.info.size(), 127),
                        expected.begin());
        }
        EXPECT_EQ(Bytes(host.infoArea, host.infoArea + 127), expected);
    }
}

TEST(CloneCommandsHandlers, HandlersLeaveFailedResultsAlone)
{
    FakeCloneHost host;
    dst_CDrv_Result result;
    result.kind = 1;
    result.code = 5;
    CloneCommands::IdHandler(&host, &result);
    CloneCommands::ReadHandler(&host, &result);
    EXPECT_EQ(result.code, 5);
    EXPECT_TRUE(host.cloneIds.empty());
}

TEST(CloneCommandsHandlers, ImageCheckReadsOnlyInsideTheImage)
{
    struct Case {
        const char *name;
        std::vector<std::pair<std::int32_t, Bytes>> changes;
        std::int32_t size;
        bool loose, strict;
    } cases[] = {
        {"valid", {}, ManagerRig::kImageSize, true, true},
        {"layout code", {{0x90, {0x30, 0x64}}}, ManagerRig::kImageSize, false, false},
        {"map revision 1", {{0x108, {1}}}, ManagerRig::kImageSize, true, true},
        {"map revision 2", {{0x108, {2}}}, ManagerRig::kImageSize, false, false},
        {"first maker mark", {{0x100, {'v'}}}, ManagerRig::kImageSize, true, false},
        {"model code", {{0x10A, {0x30, 0x7A}}}, ManagerRig::kImageSize, true, false},
        {"second mark elsewhere", {{0x112, {0x03, 0x08}}}, ManagerRig::kImageSize, true, false},
        {"second mark past the end", {{0x112, {0xFF, 0xFF}}}, ManagerRig::kImageSize, true, false},
        {"second mark before the start",
         {{0x114, {0xFF, 0xFF}}},
         ManagerRig::kImageSize,
         true,
         false},
        {"image ends before the second mark", {}, 0x120, true, false},
        {"image too small for anything", {}, 0x40, false, false},
        {"empty image", {}, 0, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = validRadioImage(ManagerRig::kImageSize);
        for (const auto &[at, value] : c.changes)
            std::copy(value.begin(), value.end(), bytes.begin() + at);
        cmcEeprom img;
        img.SetSize(c.size);
        img.WriteBlock(0, bytes.data(), c.size);
        EXPECT_EQ(CloneCommands::ImageCheck(img, false), c.loose);
        EXPECT_EQ(CloneCommands::ImageCheck(img, true), c.strict);
    }
}

TEST(CloneCommandsHandlers, EndAddressComesFromFourHexDigits)
{
    struct Case {
        const char *digits;
        std::int32_t last;
    } cases[] = {
        {"FF7F", 0xFF7F}, {"ff7f", 0xFF7F}, {"FF70", 0xFF7F}, {"0000", 0x000F},
        {"12G4", 0x120F}, {"    ", 0x000F}, {"aBcD", 0xABCF},
    };
    for (const Case &c : cases) {
        std::uint8_t area[127] = {};
        std::copy_n(c.digits, 4, area + 56);
        EXPECT_EQ(CloneCommands::InfoEndAddress(area), c.last) << c.digits;
    }
}

// Only twelve hexadecimal digits make a serial number; anything else there
// (a radio that reports none leaves blanks or zeros) gives none.
TEST(CloneCommandsHandlers, SerialNumberIsTwelveHexDigits)
{
    struct Case {
        const char *text;
        const char *serial;
    } cases[] = {
        {"0A1B2C3D4E5F", "0A1B2C3D4E5F"},
        {"0a1b2c3d4e5f", "0A1B2C3D4E5F"},
        {"            ", ""},
        {"0A1B2C3D4E5G", ""},
        {"0A1B2C3D4E5", ""},
    };
    for (const Case &c : cases) {
        std::uint8_t area[127] = {};
        std::copy_n(c.text, std::strlen(c.text), area + 60);
        EXPECT_EQ(CloneCommands::InfoSerialNumber(area), c.serial) << c.text;
    }
}

// ---------------------------------------------------------------------------
// Clone write and clone information

TEST(CloneCommandsWrite, WritesTheRangeOfTheModeAndReportsSuccess)
{
    struct Case {
        bool maker;
        std::int32_t rangeKind;
        const char *firstAddress;
    } cases[] = {{false, 0, "0100"}, {true, 1, "0000"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.maker);
        ManagerRig rig;
        rig.host.makerMode = c.maker;
        rig.commands().CloneWrite();
        rig.run();
        EXPECT_THAT(rig.host.rangeKinds, ElementsAre(c.rangeKind));
        EXPECT_TRUE(contains(rig.host.calls, "before save, store"));
        EXPECT_TRUE(contains(rig.host.calls, "close sheet"));
        ASSERT_EQ(rig.messages.shown().size(), 1u);
        EXPECT_EQ(rig.messages.shown()[0].text, "Written.\nRestart the radio.");
        EXPECT_EQ(rig.messages.shown()[0].icon, MessageIcon::Information);
        std::vector<std::string> addresses;
        for (const SentFrame &frame : framesIn(rig.serial().sentBytes()))
            if (frame.command == 0xE4)
                addresses.push_back(frame.body.substr(0, 4));
        ASSERT_FALSE(addresses.empty());
        EXPECT_EQ(addresses.front(), c.firstAddress);
        EXPECT_EQ(addresses.back(), "03F0");
    }
}

// The copy holds what the radio is about to get; a write stopped before its
// data leaves the radio alone and says so.
TEST(CloneCommandsWrite, WriteKeepsACopyOfWhatItSends)
{
    ManagerRig rig;
    rig.commands().CloneWrite();
    rig.run();
    ASSERT_EQ(rig.host.backups.size(), 1u);
    EXPECT_TRUE(rig.host.backups[0].written);
    EXPECT_EQ(rig.host.backups[0].image, imageBytes(rig.host.working));
    EXPECT_EQ(rig.manager().LastCode(), 0);
}

TEST(CloneCommandsWrite, WriteStoppedBeforeItsDataSendsNone)
{
    ManagerRig rig;
    rig.commands().CloneWrite();
    for (int i = 0; i < 200000 && rig.manager().IsBusy(); ++i) {
        if (rig.manager().LastKind() == clonekind::kIdRead &&
            rig.manager().CloneDriver().CurrentState() == cmcCloneDrv::kWaitWriteAck)
            break;
        rig.run(0, 1);
    }
    EXPECT_TRUE(rig.manager().Progress().cancellable);
    ASSERT_TRUE(rig.progress.RequestCancel());
    rig.run();
    EXPECT_EQ(rig.manager().LastCode(), clonecode::kCancelled);
    EXPECT_THAT(commandsSent(rig.serial()), testing::Not(testing::Contains(0xE4)));
    EXPECT_THAT(rig.host.statuses, ElementsAre("Write cancelled."));
    EXPECT_TRUE(rig.messages.shown().empty());
}

TEST(CloneCommandsWrite, FailedWriteShowsOnlyTheError)
{
    ManagerRig rig;
    rig.commands().CloneWrite();
    // The radio answers the ID read but never the write request.
    for (int i = 0; i < 200000 && rig.manager().IsBusy(); ++i) {
        const std::int32_t state = rig.manager().CloneDriver().CurrentState();
        if (state == cmcCloneDrv::kReceiveIdReply && rig.serial().unread() == 0)
            rig.serial().feed(rig.idReplyBytes);
        rig.manager().CloneDriver().Step();
    }
    ASSERT_EQ(rig.messages.shown().size(), 1u);
    EXPECT_EQ(rig.messages.shown()[0].text, indCloneMan::ErrorText(5, false, 3));
    EXPECT_FALSE(contains(rig.host.calls, "close sheet"));
}

TEST(CloneCommandsInfo, OpensTheInformationWindowOnlyAfterAGoodIdRead)
{
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers);
        ManagerRig rig;
        rig.answers = answers;
        rig.commands().CloneInfo();
        rig.run(10);
        EXPECT_EQ(contains(rig.host.calls, "info window"), answers);
        EXPECT_EQ(rig.messages.shown().size(), answers ? 0u : 1u);
    }
}

} // namespace
