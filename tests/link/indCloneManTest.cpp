#include "CloneManagerRig.h"

#include "link/AdjustSweepHost.h"
#include "link/HexText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace clonetest;
using platform::MessageIcon;
using testing::ElementsAre;

namespace {

using cloneframes::clonePasswordText;
using cloneframes::speedSelectText;

const std::string kToSlow = speedSelectText(0x3079, '2', '7');
const std::string kToFast = speedSelectText(0x3079, '0', '9');

TEST(CloneManagerConfiguration, ScriptSettingsAndPreamblesFollowLinkSpeedAndPassword)
{
    struct Case {
        const char *name;
        std::int32_t portSelect;
        bool high;
        bool password;
        std::string script;
        std::string settings;
        std::int32_t preamble;
    } cases[] = {
        {"serial fast", 0, true, false,
         "(38400,N,8,1)" + kToSlow + "(9600,N,8,1)(9600,N,8,1)" + kToFast, "38400,N,8,1", 48},
        {"serial slow", 0, false, false,
         "(38400,N,8,1)" + kToSlow + "(9600,N,8,1)(38400,N,8,1)" + kToSlow, "9600,N,8,1", 12},
        {"serial fast with password", 0, true, true,
         "(38400,N,8,1)" + kToSlow + "(9600,N,8,1)" + clonePasswordText(0x3079, "abc") +
             "(9600,N,8,1)" + kToFast,
         "38400,N,8,1", 48},
        // Over TCP the serial settings keep what they were.
        {"TCP", 1, true, false, "", "9600,n,8,1", 0},
        {"TCP with password", 1, false, true, clonePasswordText(0x3079, "abc"), "9600,n,8,1", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ManagerRig rig;
        rig.host.settings.portSelect = c.portSelect;
        rig.host.settings.comSpeedHigh = c.high;
        rig.host.settings.clonePassword = "abc";
        rig.manager().SetModelIds(0x3079, 0);
        rig.manager().SetSendPasswordOnce(c.password);
        ASSERT_TRUE(rig.manager().Read({{0, 0x3FF}, {1, 0}}, nullptr, nullptr));
        const cmcCloneDrv &driver = rig.manager().CloneDriver();
        EXPECT_EQ(driver.Script(), c.script);
        EXPECT_EQ(driver.SerialSettings(), c.settings);
        EXPECT_EQ(driver.CommandPreamble(), c.preamble);
        EXPECT_EQ(driver.AckInterval(), 128);
        EXPECT_EQ(driver.DefaultTimeout(), 350);
        EXPECT_FALSE(rig.manager().SendPasswordOnce());
        if (c.portSelect == 0) {
            EXPECT_EQ(driver.SerialPortNumber(), 3);
        }
    }
}

TEST(CloneManagerConfiguration, PasswordFrameCarriesLengthCheckAndCharacters)
{
    const cmcBuff frame = BytesFromHex(clonePasswordText(0x3079, "k9!"));
    const Bytes bytes = bytesOf(frame);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 11),
              (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE8, 0x30, 0x79, 0x00, 0x00, 0x99, 0x03}));
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.end()), (Bytes{'k', '9', '!', 0xFD}));
    EXPECT_EQ((bytes[11] + 'k' + '9' + '!') % 256, 0);
}

TEST(CloneManagerConfiguration, SerialReadAtHighSpeedTalksAtEachSpeedInTurn)
{
    ManagerRig rig;
    rig.manager().SetModelIds(0x3079, 0);
    rig.manager().SetSendPasswordOnce(true);
    rig.host.settings.clonePassword = "pw";
    ASSERT_TRUE(rig.manager().Read({{0, 0x3FF}, {1, 0}}, recordOutcome, &rig.outcome));
    rig.run();
    EXPECT_EQ(rig.outcome.code, 0);
    std::vector<std::string> opens;
    for (const auto &open : rig.serial().opens())
        opens.push_back(open.text);
    EXPECT_THAT(opens, ElementsAre("38400,N,8,1", "9600,N,8,1", "9600,N,8,1", "38400,N,8,1"));
    const auto frames = framesIn(rig.serial().sentBytes());
    ASSERT_GE(frames.size(), 4u);
    // Speed select to 9600, password, speed select to 38400, read request.
    EXPECT_EQ(frames[0].preamble, 18);
    EXPECT_EQ(frames[0].body.substr(4), "\x01\x32\x37");
    EXPECT_EQ(frames[1].body.substr(4, 1), "\x99");
    EXPECT_EQ(frames[2].body.substr(4), "\x01\x30\x39");
    EXPECT_EQ(frames[3].command, 0xE2);
    EXPECT_EQ(frames[3].preamble, 48);
}

TEST(CloneManagerConfiguration, WriteWaitsLongerForTheRadio)
{
    ManagerRig rig;
    cmcEeprom image;
    image.SetSize(ManagerRig::kImageSize);
    ASSERT_TRUE(rig.manager().Write(image, {{0x100, 0x3FF}, {1, 0}}, nullptr, nullptr));
    EXPECT_EQ(rig.manager().CloneDriver().DefaultTimeout(), 5000);
}

// The radio may keep the user waiting, so even the ID read shows the window
// that can stop it.
TEST(CloneManagerOperations, IdReadRunsSlowWithItsOwnProgressAndDisablesTheWindow)
{
    ManagerRig rig;
    rig.manager().SetModelIds(0x3079, 0);
    ASSERT_TRUE(rig.manager().IdRead(recordOutcome, &rig.outcome));
    EXPECT_FALSE(rig.host.windowEnabled);
    EXPECT_EQ(rig.manager().CloneDriver().SerialSettings(), "9600,N,8,1");
    EXPECT_EQ(rig.manager().CloneDriver().CommandPreamble(), 12);
    rig.run();
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_TRUE(rig.host.windowEnabled);
    EXPECT_EQ(rig.progress.events, (std::vector<std::string>{"open 1", "close"}));
    EXPECT_TRUE(rig.messages.shown().empty());
}

TEST(CloneManagerOperations, SecondOperationWhileOneRunsIsRefused)
{
    ManagerRig rig;
    ASSERT_TRUE(rig.manager().IdRead(recordOutcome, &rig.outcome));
    const std::string script = rig.manager().CloneDriver().Script();
    cmcEeprom image;
    image.SetSize(ManagerRig::kImageSize);
    Outcome other;
    EXPECT_FALSE(rig.manager().Read({{0, 0xF}, {1, 0}}, recordOutcome, &other));
    EXPECT_FALSE(rig.manager().Write(image, {{0, 0xF}, {1, 0}}, recordOutcome, &other));
    EXPECT_FALSE(rig.manager().IdRead(recordOutcome, &other));
    EXPECT_FALSE(rig.manager().AdjustSingleCommand(recordOutcome, &other));
    EXPECT_EQ(rig.manager().CloneDriver().Script(), script);
    rig.run();
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, 1);
    EXPECT_EQ(other.calls, 0);
}

TEST(CloneManagerOperations, MissingHandlersTurnIntoErrors)
{
    struct Case {
        const char *name;
        bool read;
        std::int32_t code;
    } cases[] = {{"ID read without ID handler", false, 11}, {"read without read handler", true, 8}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ManagerRig rig;
        rig.manager().RegisterIdHandler(nullptr, nullptr);
        rig.manager().RegisterReadHandler(nullptr, nullptr);
        const bool started =
            c.read ? rig.manager().Read({{0, 0x3FF}, {1, 0}}, recordOutcome, &rig.outcome)
                   : rig.manager().IdRead(recordOutcome, &rig.outcome);
        ASSERT_TRUE(started);
        rig.run();
        EXPECT_EQ(rig.outcome.code, c.code);
        ASSERT_EQ(rig.messages.shown().size(), 1u);
        EXPECT_EQ(rig.messages.shown()[0].text, indCloneMan::ErrorText(c.code, false, 3));
    }
}

TEST(CloneManagerMessages, TextsFollowTheCodeTable)
{
    ManagerRig rig; // installs the texts
    struct Case {
        std::int32_t code;
        bool tcp;
        const char *text;
    } cases[] = {
        {0, false, ""},
        {2, false, "COM3 cannot be opened (100%, %s)\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4"},
        {5, false, "Head 5\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4"},
        {5, true, "Head 5\n\nCheck 0\nCheck 2\nCheck 3\nCheck 4"},
        {6, false, "Head 6\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4"},
        {10, true, "Head 10\n\nCheck 0\nCheck 3\nCheck 4"},
        {11, true, "Head 11\n\nCheck 0\nCheck 2\nCheck 3\nCheck 4\nCheck 5\nCheck 6"},
        {12, false, "Head 12\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4\nCheck 5\nCheck 6"},
        {13, false, "Head 13\n\nCheck 7\nCheck 8"},
        {14, false, "Head 14\n\nCheck 0\nCheck 5\nCheck 6"},
        {15, false, "Head 15\n\nCheck 0\nCheck 1\nCheck 3\nCheck 4"},
        {16, false, "Head 16\n\n"},
        {17, true, "Head 17\n\nCheck 0\nCheck 2\nCheck 3\nCheck 4"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(indCloneMan::ErrorText(c.code, c.tcp, 3), c.text);
    }
}

TEST(CloneManagerMessages, FailedOperationShowsOneErrorBoxAndResetsTheAdjustSequence)
{
    ManagerRig rig;
    rig.host.settings.portSelect = 1;
    rig.tcp().setOpenResult(false);
    rig.manager().SetAdjustSequence(14);
    ASSERT_TRUE(rig.manager().IdRead(recordOutcome, &rig.outcome));
    rig.run();
    EXPECT_EQ(rig.outcome.code, 2);
    ASSERT_EQ(rig.messages.shown().size(), 1u);
    const auto &shown = rig.messages.shown()[0];
    EXPECT_EQ(shown.caption, "Quillon(dPMR)");
    EXPECT_EQ(shown.icon, MessageIcon::Error);
    EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(shown.text, indCloneMan::ErrorText(2, true, 3));
    EXPECT_EQ(rig.manager().AdjustSequence(), indCloneMan::kAdjustSequenceNone);
    EXPECT_TRUE(rig.host.windowEnabled);
}

// ---------------------------------------------------------------------------
// Progress

TEST(CloneManagerProgress, FilledSegmentsUseTheFactor33)
{
    struct Case {
        std::int32_t bytes, total, filled;
    } cases[] = {
        {0, 3300, 0},     {99, 3300, 0}, {100, 3300, 1},     {3199, 3300, 31},   {3200, 3300, 32},
        {3300, 3300, 32}, {5, 0, 0},     {65408, 65408, 32}, {63426, 65408, 32}, {63425, 65408, 31},
    };
    for (const Case &c : cases)
        EXPECT_EQ(filledProgressSegments(c.bytes, c.total), c.filled) << c.bytes << "/" << c.total;
}

TEST(CloneManagerProgress, PercentAndTimeLeftFollowTheRateSoFar)
{
    struct Case {
        std::int32_t done;
        std::int32_t total;
        std::uint32_t elapsedMs;
        std::int32_t percent;
        std::int32_t secondsLeft;
    } cases[] = {
        {0, 1000, 5000, 0, -1},      // no data yet: nothing to go by
        {500, 1000, 999, 50, -1},    // the first second says little
        {500, 1000, 1000, 50, 1},    // as long again
        {250, 1000, 1000, 25, 3},    //
        {999, 1000, 60000, 99, 1},   // a part of a second left reads as 1 s
        {1000, 1000, 60000, 100, 0}, //
        {1500, 1000, 2000, 100, 0},  // more than the total counts as done
        {0, 0, 2000, 0, -1},         // an ID read moves no memory
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.done) + "/" + std::to_string(c.total) + " after " +
                     std::to_string(c.elapsedMs));
        const CloneProgress progress =
            cloneProgress(clonekind::kRead, c.done, c.total, c.elapsedMs, true);
        EXPECT_EQ(progress.percent, c.percent);
        EXPECT_EQ(progress.secondsLeft, c.secondsLeft);
        EXPECT_EQ(progress.filledSegments, filledProgressSegments(c.done, c.total));
    }
}

TEST(CloneManagerProgress, SegmentsDivideTheAreaIntoThirtyTwo)
{
    EXPECT_EQ(progressSegment(0, 256).left, 0);
    EXPECT_EQ(progressSegment(0, 256).right, 7);
    EXPECT_EQ(progressSegment(31, 256).left, 248);
    EXPECT_EQ(progressSegment(31, 256).right, 255);
    EXPECT_EQ(progressSegment(1, 70).left, 2);
    EXPECT_EQ(progressSegment(1, 70).right, 3);
}

TEST(CloneManagerProgress, ReadOpensUpdatesAndClosesTheProgressWindow)
{
    ManagerRig rig;
    ASSERT_TRUE(rig.manager().Read({{0, 0x3FF}, {1, 0}}, recordOutcome, &rig.outcome));
    EXPECT_EQ(rig.manager().Total(), 0x400);
    EXPECT_FALSE(rig.host.windowEnabled);
    rig.manager().RepaintProgress();
    for (int i = 0; i < 2000 && rig.manager().CloneDriver().DataByteCount() < 0x200; ++i) {
        if (rig.manager().CloneDriver().CurrentState() == cmcCloneDrv::kReceiveData &&
            rig.serial().unread() == 0 && rig.manager().CloneDriver().DataByteCount() == 0)
            rig.serial().feed(radioMemory(rig.memory, {{0, 0x3FF}, {1, 0}}));
        rig.manager().CloneDriver().Step();
    }
    rig.manager().RepaintProgress();
    // Everything the radio sends is already on its way.
    rig.answers = false;
    rig.run();
    rig.manager().RepaintProgress();
    EXPECT_EQ(rig.outcome.code, 0);
    ASSERT_EQ(rig.progress.events.size(), 4u);
    EXPECT_EQ(rig.progress.events[0], "open 2");
    EXPECT_EQ(rig.progress.events[1], "update 0");
    const int filled = std::stoi(rig.progress.events[2].substr(7));
    EXPECT_GE(filled, 16);
    EXPECT_LT(filled, 32);
    EXPECT_EQ(rig.progress.events[3], "close");
    EXPECT_TRUE(rig.host.windowEnabled);
}

// ---------------------------------------------------------------------------
// Adjustment operations

class BandHost : public AdjustSweepHost
{
public:
    std::int32_t SweepBand() override { return band; }
    bool SweepAllBands() override { return false; }
    std::uint8_t *SweepRecord(std::int32_t) override { return record; }
    void StoreAdjustValue(std::int32_t, std::uint8_t) override {}
    std::int32_t band = 7;
    std::uint8_t record[3] = {};
};

TEST(CloneManagerAdjust, SingleCommandSpeedFollowsTheSweepBand)
{
    for (const std::int32_t band : {7, 2}) {
        SCOPED_TRACE(band);
        ManagerRig rig;
        BandHost bands;
        bands.band = band;
        rig.manager().AdjustDriver().SetSweepHost(&bands);
        rig.manager().SetModelIds(0x3079, 0);
        rig.manager().SetAdjustCommand(2, 1, nullptr);
        EXPECT_TRUE(rig.manager().AdjustParametersPending());
        ASSERT_TRUE(rig.manager().AdjustSingleCommand(recordOutcome, &rig.outcome));
        EXPECT_FALSE(rig.host.windowEnabled);
        EXPECT_EQ(rig.manager().AdjustDriver().SerialSettings(),
                  band == 7 ? "9600,N,8,1" : "38400,N,8,1");
        EXPECT_EQ(rig.manager().AdjustDriver().SerialPortNumber(), 3);
        rig.run();
        EXPECT_EQ(rig.outcome.kind, 4);
        EXPECT_EQ(rig.outcome.code, 0);
        EXPECT_FALSE(rig.manager().AdjustParametersPending());
        EXPECT_TRUE(rig.host.windowEnabled);
        EXPECT_FALSE(rig.adjustSerial().sends().empty());
    }
}

TEST(CloneManagerAdjust, CommandTableKeepsTheProgressWindowAlone)
{
    ManagerRig rig;
    const imcCloneDrv::TableEntry table[] = {{0x42, nullptr, nullptr}, {}};
    rig.manager().SetAdjustCommandTable(table);
    ASSERT_TRUE(rig.manager().AdjustCommandTable(recordOutcome, &rig.outcome));
    rig.run();
    EXPECT_EQ(rig.outcome.kind, 5);
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(std::count(rig.host.calls.begin(), rig.host.calls.end(), "focus"), 0);
}

} // namespace
