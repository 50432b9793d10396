#include "CloneLinkFixture.h"

#include "link/AdjustSweepHost.h"
#include "link/imcCloneDrv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace clonetest;
using testing::ElementsAre;

namespace {

using D = cmcCloneDrv;
using Entry = imcCloneDrv::TableEntry;

std::unique_ptr<cmcCloneDrv> makeAdjust(CloneTransports transports)
{
    return std::make_unique<imcCloneDrv>(std::move(transports));
}

class AdjustRig : public DriverRig
{
public:
    AdjustRig() : DriverRig(makeAdjust) { adjust().SetModelIds(0x3079, 0x0012); }
    imcCloneDrv &adjust() { return static_cast<imcCloneDrv &>(driver()); }
};

// The command frame the computer sends: command and the value's two hex
// digits as ASCII.
Bytes commandFrame(std::uint8_t command, const char *valueDigits)
{
    return {0xFE,
            0xFE,
            0xEE,
            0xEF,
            0xE8,
            0x30,
            0x79,
            0x00,
            0x12,
            command,
            std::uint8_t(valueDigits[0]),
            std::uint8_t(valueDigits[1]),
            0xFD};
}

Bytes adjustReply(const std::string &pairs, std::uint16_t id1 = 0x3079)
{
    Bytes reply = {0xFE, 0xFE, 0xEF, 0xEE, 0xE8, std::uint8_t(id1 >> 8), std::uint8_t(id1),
                   0x00, 0x12, 0x03};
    reply.insert(reply.end(), pairs.begin(), pairs.end());
    reply.push_back(0xFD);
    return reply;
}

Bytes e8Frames(const Bytes &sent)
{
    Bytes all;
    for (const SentFrame &frame : framesIn(sent)) {
        if (frame.command != 0xE8)
            continue;
        all.insert(all.end(), {0xFE, 0xFE, 0xEE, 0xEF, 0xE8});
        all.insert(all.end(), frame.body.begin(), frame.body.end());
        all.push_back(0xFD);
    }
    return all;
}

TEST(AdjustDriverCommand, SendsTheValueAsTwoAsciiHexDigitsAndEndsWithoutReply)
{
    AdjustRig rig;
    rig.adjust().SetCommand(0x41, 0xAB, nullptr);
    EXPECT_TRUE(rig.adjust().ParametersPending());
    ASSERT_TRUE(rig.adjust().StartSingleCommand(recordOutcome, &rig.outcome, 4));
    const auto states = rig.run();
    EXPECT_THAT(states, ElementsAre(2, 3, 4, 6, 7, 23, 27));
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, 4);
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_FALSE(rig.adjust().ParametersPending());
    EXPECT_EQ(rig.serial().sentBytes(), commandFrame(0x41, "AB"));
}

TEST(AdjustDriverCommand, DecodesUpToTwoReplyPairsAndRefusesBadReplies)
{
    struct Case {
        const char *name;
        Bytes reply;
        std::int32_t code;
        std::uint8_t first, second;
    } cases[] = {
        {"one pair", adjustReply("3F"), 0, 0x3F, 0xEE},
        {"two pairs", adjustReply("3FA0"), 0, 0x3F, 0xA0},
        {"third pair ignored", adjustReply("3FA0FF"), 0, 0x3F, 0xA0},
        {"trailing digit ignored", adjustReply("3FA"), 0, 0x3F, 0xEE},
        {"lower-case digit", adjustReply("3f"), 6, 0xEE, 0xEE},
        {"bad second pair leaves both", adjustReply("3FG0"), 6, 0xEE, 0xEE},
        {"other radio", adjustReply("3F", 0x3080), 6, 0xEE, 0xEE},
        {"no pair", adjustReply(""), 6, 0xEE, 0xEE},
        {"other command",
         Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0x79, 0x00, 0x12, 0x03, '3', 'F', 0xFD}, 6, 0xEE,
         0xEE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        AdjustRig rig;
        std::uint8_t area[2] = {0xEE, 0xEE};
        rig.adjust().SetCommand(3, 6, area);
        ASSERT_TRUE(rig.adjust().StartSingleCommand(recordOutcome, &rig.outcome, 4));
        rig.run(DriverRig::sendsIn(24, c.reply));
        EXPECT_EQ(rig.outcome.code, c.code);
        EXPECT_EQ(area[0], c.first);
        EXPECT_EQ(area[1], c.second);
    }
}

TEST(AdjustDriverTable, SendsEveryEntryInOrderAndCollectsReplies)
{
    AdjustRig rig;
    const std::uint8_t item = 8, value = 0x5A;
    std::uint8_t reading[2] = {};
    const Entry table[] = {{0x40, &item, nullptr},
                           {0x41, &value, nullptr},
                           {0x42, nullptr, nullptr},
                           {0x03, &item, reading},
                           {imcCloneDrv::kTableEnd, nullptr, nullptr},
                           {0x99, nullptr, nullptr}};
    rig.adjust().SetCommandTable(table);
    ASSERT_TRUE(rig.adjust().StartCommandTable(recordOutcome, &rig.outcome));
    rig.run(DriverRig::sendsIn(24, adjustReply("7C")));
    EXPECT_EQ(rig.outcome.kind, 5);
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(reading[0], 0x7C);
    Bytes expected;
    for (const Bytes &frame : {commandFrame(0x40, "08"), commandFrame(0x41, "5A"),
                               commandFrame(0x42, "00"), commandFrame(0x03, "08")})
        expected.insert(expected.end(), frame.begin(), frame.end());
    EXPECT_EQ(rig.serial().sentBytes(), expected);
}

TEST(AdjustDriverTable, EndEntryFirstEndsAtOnceWithoutSending)
{
    AdjustRig rig;
    const Entry table[] = {{imcCloneDrv::kTableEnd, nullptr, nullptr}};
    rig.adjust().SetCommandTable(table);
    ASSERT_TRUE(rig.adjust().StartCommandTable(recordOutcome, &rig.outcome));
    rig.run();
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_TRUE(rig.serial().sends().empty());
}

TEST(AdjustDriverTable, KeepsWaitingAfterABadReplyUntilAGoodOneOrTheTimeOut)
{
    for (const bool goodFollows : {true, false}) {
        SCOPED_TRACE(goodFollows);
        AdjustRig rig;
        std::uint8_t reading[2] = {};
        const std::uint8_t meter = 2;
        const Entry table[] = {{0x03, &meter, reading}, {imcCloneDrv::kTableEnd, nullptr, nullptr}};
        rig.adjust().SetCommandTable(table);
        ASSERT_TRUE(rig.adjust().StartCommandTable(recordOutcome, &rig.outcome));
        ASSERT_TRUE(rig.stepUntil(24));
        rig.serial().feed(adjustReply("3f"));
        rig.driver().Step();
        EXPECT_EQ(rig.driver().CurrentState(), 24);
        if (goodFollows)
            rig.serial().feed(adjustReply("40"));
        rig.run({}, 10);
        EXPECT_EQ(rig.outcome.code, goodFollows ? 0 : 5);
        EXPECT_EQ(reading[0], goodFollows ? 0x40 : 0);
    }
}

TEST(AdjustDriverTable, LongTableIsCutAtTheLastEntry)
{
    AdjustRig rig;
    std::vector<Entry> table(60, Entry{0x42, nullptr, nullptr});
    rig.adjust().SetCommandTable(table.data());
    ASSERT_TRUE(rig.adjust().StartCommandTable(recordOutcome, &rig.outcome));
    rig.run();
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(framesIn(rig.serial().sentBytes()).size(), imcCloneDrv::kTableEntries - 1);
}

// ---------------------------------------------------------------------------
// Sweep

class FakeSweepHost : public AdjustSweepHost
{
public:
    std::int32_t SweepBand() override { return band; }
    bool SweepAllBands() override { return allBands; }
    std::uint8_t *SweepRecord(std::int32_t b) override { return records[std::size_t(b)]; }
    void StoreAdjustValue(std::int32_t offset, std::uint8_t value) override
    {
        stored.emplace_back(offset, value);
    }

    std::int32_t band = 0;
    bool allBands = false;
    std::uint8_t records[6][3] = {};
    std::vector<std::pair<std::int32_t, std::uint8_t>> stored;
};

std::vector<ScopedTexts::Entry> sweepTexts(int min, int max, int step)
{
    return {{"GI_Sys_Adjust_BPF_Ind_Min", {std::to_string(min)}},
            {"GI_Sys_Adjust_BPF_Ind_Max", {std::to_string(max)}},
            {"GI_Sys_Adjust_BPF_Ind_Step", {std::to_string(step)}},
            {"GI_Sys_Adjust_BPF_All_Min", {"100"}},
            {"GI_Sys_Adjust_BPF_All_Max", {"400"}},
            {"GI_Sys_Adjust_BPF_All_Step", {"50"}},
            {"GI_Sys_Adjust_BPF_Set_Wait", {"30"}}};
}

struct SweepRun {
    Outcome outcome;
    std::vector<int> readAt;
    Bytes sent;
};

// Runs a sweep against a radio whose filter reading is reading(value).
SweepRun runSweep(FakeSweepHost &host, const std::map<int, int> &readings)
{
    AdjustRig rig;
    rig.adjust().SetSweepHost(&host);
    SweepRun run;
    EXPECT_TRUE(rig.adjust().StartSweep(recordOutcome, &rig.outcome));
    rig.run(
        [&](DriverRig &r, std::int32_t state) {
            if (state != 24 || r.link().unread() != 0)
                return;
            const int value = rig.adjust().SweepValue();
            run.readAt.push_back(value);
            const auto found = readings.find(value);
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02X", found == readings.end() ? 0 : found->second);
            r.link().feed(adjustReply(pair));
        },
        5);
    run.outcome = rig.outcome;
    run.sent = rig.serial().sentBytes();
    return run;
}

TEST(AdjustDriverSweep, StepsFromMinimumToMaximumAndKeepsTheBestReading)
{
    const ScopedTexts texts(sweepTexts(10, 20, 5));
    FakeSweepHost host;
    const SweepRun run = runSweep(host, {{10, 30}, {15, 90}, {20, 50}});
    EXPECT_EQ(run.outcome.kind, 7);
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_THAT(run.readAt, ElementsAre(10, 15, 20));
    // Best value, last value, best reading.
    EXPECT_THAT(host.records[0], ElementsAre(15, 15, 90));
    EXPECT_THAT(host.stored, ElementsAre(std::pair(4, 10), std::pair(4, 15), std::pair(4, 20)));
    Bytes expected;
    for (const char *value : {"0A", "0F", "14"}) {
        for (const Bytes &frame : {commandFrame(0x13, value), commandFrame(0x03, "02")})
            expected.insert(expected.end(), frame.begin(), frame.end());
    }
    EXPECT_EQ(e8Frames(run.sent), expected);
}

TEST(AdjustDriverSweep, StepZeroCountsAsOne)
{
    const ScopedTexts texts(sweepTexts(10, 12, 0));
    FakeSweepHost host;
    const SweepRun run = runSweep(host, {});
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_THAT(run.readAt, ElementsAre(10, 11, 12));
}

TEST(AdjustDriverSweep, PlateauKeepsItsFirstAndLastValue)
{
    const ScopedTexts texts(sweepTexts(30, 70, 10));
    FakeSweepHost host;
    host.band = 1;
    runSweep(host, {{30, 20}, {40, 80}, {50, 80}, {60, 80}, {70, 10}});
    EXPECT_THAT(host.records[1], ElementsAre(40, 60, 80));
}

TEST(AdjustDriverSweep, BandsFromTwoSelectTheirItemInADoubleFrame)
{
    const std::pair<int, const char *> bands[] = {{2, "08"}, {3, "0A"}, {4, "09"}, {5, "0B"}};
    for (const auto &[band, item] : bands) {
        SCOPED_TRACE(band);
        const ScopedTexts texts(sweepTexts(200, 200, 1));
        FakeSweepHost host;
        host.band = band;
        const SweepRun run = runSweep(host, {{200, 7}});
        Bytes expected;
        for (const Bytes &frame :
             {commandFrame(0x40, item), commandFrame(0x41, "C8"), commandFrame(0x03, "02")})
            expected.insert(expected.end(), frame.begin(), frame.end());
        EXPECT_EQ(e8Frames(run.sent), expected);
        EXPECT_EQ(host.stored.at(0).first, imcCloneDrv::kBandDataBytes[std::size_t(band)]);
        EXPECT_THAT(host.records[band], ElementsAre(200, 200, 7));
    }
}

TEST(AdjustDriverSweep, AllBandsTakeTheirOwnLimitsAndStopAt255)
{
    const ScopedTexts texts(sweepTexts(0, 0, 1));
    FakeSweepHost host;
    host.allBands = true;
    host.band = 9; // above 5 counts as band 0
    const SweepRun run = runSweep(host, {});
    EXPECT_THAT(run.readAt, ElementsAre(100, 150, 200, 250));
    EXPECT_EQ(host.stored.back().first, 4);
}

TEST(AdjustDriverSweep, SilentRadioTimesOut)
{
    const ScopedTexts texts(sweepTexts(10, 20, 5));
    FakeSweepHost host;
    AdjustRig rig;
    rig.adjust().SetSweepHost(&host);
    ASSERT_TRUE(rig.adjust().StartSweep(recordOutcome, &rig.outcome));
    rig.run({}, 10);
    EXPECT_EQ(rig.outcome.code, 5);
    EXPECT_EQ(rig.outcome.calls, 1);
}

// ---------------------------------------------------------------------------
// Configuration

TEST(AdjustDriverConfiguration, SerialScriptAndSettingsFollowTheSpeed)
{
    struct Case {
        bool high;
        bool rebooted;
        std::string script;
        std::string settings;
    } cases[] = {
        {true, false, "(9600,N,8,1)" + cloneframes::speedSelectText(0x3079, '0', '9'),
         "38400,N,8,1"},
        {false, false, "(38400,N,8,1)" + cloneframes::speedSelectText(0x3079, '2', '7'),
         "9600,N,8,1"},
        {true, true, "(19200,N,8,1)" + cloneframes::speedSelectText(0x3079, '0', '9'),
         "38400,N,8,1"},
        {false, true, "(19200,N,8,1)" + cloneframes::speedSelectText(0x3079, '2', '7'),
         "9600,N,8,1"},
    };
    for (const Case &c : cases) {
        AdjustRig rig;
        rig.adjust().SetSerialPort(5, "x");
        rig.adjust().SetPreambles(48, 3);
        rig.adjust().SetRebootedAt19200(c.rebooted);
        rig.adjust().ConfigureAdjust(c.high);
        EXPECT_EQ(rig.adjust().Script(), c.script);
        EXPECT_EQ(rig.adjust().SerialSettings(), c.settings);
        EXPECT_EQ(rig.adjust().SerialPortNumber(), 5);
        EXPECT_EQ(rig.adjust().CommandPreamble(), 0);
        EXPECT_EQ(rig.adjust().AckInterval(), 128);
        // The reboot speed is used once.
        rig.adjust().ConfigureAdjust(c.high);
        EXPECT_EQ(rig.adjust().Script().substr(0, 3), c.high ? "(96" : "(38");
    }
}

TEST(AdjustDriverConfiguration, TcpKeepsScriptAndSettings)
{
    AdjustRig rig;
    rig.adjust().SetPortSelect(1);
    rig.adjust().SetSerialPort(5, "9600,N,8,1");
    rig.adjust().SetDefaultTimeout(5000);
    rig.adjust().ConfigureAdjust(true);
    EXPECT_EQ(rig.adjust().Script(), "");
    EXPECT_EQ(rig.adjust().SerialSettings(), "9600,N,8,1");
    EXPECT_EQ(rig.adjust().DefaultTimeout(), 350);
}

} // namespace
