#include "CloneLinkFixture.h"

#include "image/cmcEeprom.h"
#include "link/cmcCloneDrv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using namespace clonetest;
using namespace std::string_literals;
using testing::ElementsAre;
using testing::ElementsAreArray;

namespace {

using D = cmcCloneDrv;

const Bytes kInfo = {3, 0xAA, 0x10};

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes text(const std::string &s) { return Bytes(s.begin(), s.end()); }

// A radio frame with any text after its command byte.
Bytes rawRadioFrame(std::uint8_t command, const std::string &body)
{
    return concat({Bytes{0xFE, 0xFE, 0xEF, 0xEE, command}, text(body), Bytes{0xFD}});
}

std::vector<std::string> dataAddresses(const std::vector<SentFrame> &frames)
{
    std::vector<std::string> addresses;
    for (const SentFrame &frame : frames)
        if (frame.command == 0xE4)
            addresses.push_back(frame.body.substr(0, 4));
    return addresses;
}

// ---------------------------------------------------------------------------
// ID read

TEST(CloneDriverIdRead, SerialRunsTheStatesSendsThePreambledRequestAndTakesTheReply)
{
    DriverRig rig;
    rig.driver().SetPreambles(12, 0);
    rig.driver().SetSerialPort(4, "38400,N,8,1");
    ASSERT_TRUE(rig.startIdRead());

    const auto states = rig.run(DriverRig::sendsIn(
        D::kReceiveIdReply, concat({Bytes{0x00, 0x11}, idReply(0x3079, 0x0001, kInfo)})));

    EXPECT_THAT(states, ElementsAre(2, 3, 4, 6, 7, 8, 9, 27));
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, 1);
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(rig.outcome.id1, 0x3079);
    EXPECT_EQ(rig.outcome.id2, 0x0001);
    EXPECT_EQ(rig.outcome.information, kInfo);
    ASSERT_EQ(rig.serial().opens().size(), 1u);
    EXPECT_EQ(rig.serial().opens()[0].port, 4);
    EXPECT_EQ(rig.serial().opens()[0].text, "38400,N,8,1");
    EXPECT_FALSE(rig.serial().IsOpen());
    EXPECT_EQ(rig.serial().sentBytes(), concat({Bytes(12, 0xFE), Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0,
                                                                       0x30, 0x79, 0, 0, 0xFD}}));
}

TEST(CloneDriverIdRead, TakesModelIdOneFromTheRadioWhenItHasNone)
{
    DriverRig rig;
    rig.driver().SetModelIds(0, 0);
    ASSERT_TRUE(rig.startIdRead());
    rig.run(DriverRig::sendsIn(D::kReceiveIdReply, idReply(0x3079, 0, {})));
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(rig.driver().ModelId1(), 0x3079);
}

TEST(CloneDriverIdRead, RefusesMalformedReplies)
{
    const std::string longBody(600, 'A');
    struct Case {
        const char *name;
        Bytes reply;
        std::int32_t code;
    } cases[] = {
        {"valid", idReply(0x3079, 0x0099, {1}), 0},
        {"valid without information", idReply(0x3079, 0, {}), 0},
        {"id not decimal", idReply(0x307A, 0, {}), 6},
        {"id2 not decimal", idReply(0x3079, 0xA000, {}), 6},
        {"wrong command", Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE2, 0x30, 0x79, 0, 0, 0xFD}, 6},
        {"computer's direction", Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE1, 0x30, 0x79, 0, 0, 0xFD}, 6},
        {"too short", Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0x79, 0, 0xFD}, 6},
        {"endless frame", concat({Bytes{0xFE, 0xEF, 0xEE, 0xE1}, text(longBody), Bytes{0xFD}}), 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DriverRig rig;
        ASSERT_TRUE(rig.startIdRead());
        rig.run(DriverRig::sendsIn(D::kReceiveIdReply, c.reply));
        EXPECT_EQ(rig.outcome.calls, 1);
        EXPECT_EQ(rig.outcome.code, c.code);
    }
}

TEST(CloneDriverIdRead, NoReplyTimesOutWithCodeFive)
{
    DriverRig rig;
    ASSERT_TRUE(rig.startIdRead());
    const auto states = rig.run({}, 10);
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 5);
    EXPECT_EQ(states.back(), 27);
}

// ---------------------------------------------------------------------------
// Read

struct ReadCase {
    const char *name;
    Bytes radio;
    std::int32_t code;
};

Outcome runRead(const Bytes &radio, const RangeList *ranges, int readChunk = 1 << 30)
{
    DriverRig rig;
    rig.serial().setReadChunk(readChunk);
    EXPECT_TRUE(rig.startRead(ranges));
    rig.run(DriverRig::sendsIn(D::kReceiveData, radio));
    EXPECT_EQ(rig.outcome.calls, 1);
    return rig.outcome;
}

TEST(CloneDriverRead, AssemblesFramesHoweverTheBytesArrive)
{
    const Bytes memory = patternMemory(0x200);
    const RangeList ranges = {{0x000, 0x0FF}, {0x180, 0x1FF}, {1, 0}};
    const Bytes clean = radioMemory(memory, ranges);
    // An extra FE in front of every frame.
    Bytes preambled = {0xFE};
    for (const std::uint8_t b : clean) {
        preambled.push_back(b);
        if (b == 0xFD)
            preambled.push_back(0xFE);
    }
    struct Case {
        const char *name;
        Bytes radio;
        int chunk;
    } cases[] = {
        {"at once", clean, 1 << 30},
        {"seven bytes per step", clean, 7},
        {"one byte per step", clean, 1},
        {"noise before the first frame", concat({Bytes{0x00, 0x12, 0xFD, 0x41}, clean}), 1 << 30},
        {"FE FE FE starts", preambled, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = runRead(c.radio, &ranges, c.chunk);
        EXPECT_EQ(outcome.code, 0);
        EXPECT_EQ(outcome.kind, 2);
        for (const AddressRange &range : ranges) {
            for (std::int32_t a = range.first; a <= range.last; ++a)
                ASSERT_EQ(outcome.image[std::size_t(a)], memory[std::size_t(a)]) << a;
        }
        EXPECT_EQ(outcome.image[0x100], 0);
        ASSERT_EQ(outcome.receivedMap.size(), 0x40u);
        EXPECT_EQ(outcome.receivedMap[0x1F], 0xFF);
        EXPECT_EQ(outcome.receivedMap[0x20], 0x00);
        EXPECT_EQ(outcome.receivedMap[0x30], 0xFF);
    }
}

TEST(CloneDriverRead, RefusesBadDataFrames)
{
    const RangeList ranges = {{0, 0xF}, {1, 0}};
    const Bytes good = radioDataFrame(0, Bytes(16, 0x55));
    const Bytes end = radioEndFrame(true, 1);
    // Address 0000, count 02, bytes 11 22 and the checksum CB.
    const std::string twoBytes = "0000021122CB";
    const auto data = [](const std::string &body) { return rawRadioFrame(0xE4, body); };
    const ReadCase cases[] = {
        {"valid", concat({good, end}), 0},
        {"lower-case hex", concat({data("000002aabb99"), end}), 6},
        {"valid two bytes, then the gap", concat({data(twoBytes), end}), 8},
        {"count above the bytes", concat({data("0000031122CA"), end}), 6},
        {"count below the bytes", concat({data("0000011122334455"), end}), 6},
        {"checksum", concat({data("0000021122CC"), end}), 6},
        {"character outside hex", concat({data("00000211G2CB"), end}), 6},
        {"text length 2 modulo 4", concat({data(twoBytes + "00"), end}), 6},
        {"odd text drops its last digit", concat({data(twoBytes + "7"), end}), 8},
        {"too short", data("0000FF"), 6},
        {"unknown command", rawRadioFrame(0xE7, "000000000000"), 6},
        {"computer's direction",
         concat({Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, text(twoBytes), Bytes{0xFD}}), 6},
        {"longer than a frame can be",
         concat({Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE4}, Bytes(530, '0')}), 6},
        {"address at the image size", concat({radioDataFrame(0x200, Bytes(2, 1)), end}), 9},
        // Text of an odd byte count is 2 modulo 4 long: refused as malformed.
        {"one data byte", concat({radioDataFrame(0, Bytes(1, 1)), end}), 6},
        {"block crossing the image end", concat({radioDataFrame(0x1F8, Bytes(16, 1)), end}), 9},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runRead(c.radio, &ranges).code, c.code);
    }
}

TEST(CloneDriverRead, EndFrameAndCoverageDecideTheResult)
{
    const Bytes memory = patternMemory(0x200);
    const RangeList ranges = {{0x000, 0x03F}, {1, 0}};
    const auto frame = [&](std::int32_t a) {
        return radioDataFrame(a, Bytes(memory.begin() + a, memory.begin() + a + 16));
    };
    const Bytes all = concat({frame(0x00), frame(0x10), frame(0x20), frame(0x30)});
    const ReadCase cases[] = {
        {"complete", concat({all, radioEndFrame(true, 4)}), 0},
        {"gap", concat({frame(0x00), frame(0x20), frame(0x30), radioEndFrame(true, 3)}), 8},
        {"outside the ranges", concat({all, frame(0x100), radioEndFrame(true, 5)}), 9},
        {"count differs", concat({all, radioEndFrame(true, 5)}), 7},
        {"count missing", concat({all, radioEndFrame(false, 0)}), 6},
        {"maker text differs", concat({all, rawRadioFrame(0xE5, "Vorn Ltd.04")}), 6},
        {"count in lower case", concat({all, rawRadioFrame(0xE5, "Vorn Inc.0a")}), 7},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runRead(c.radio, &ranges).code, c.code);
    }
}

TEST(CloneDriverRead, CountsEveryFrameModulo256InTheEndFrame)
{
    DriverRig rig;
    rig.driver().SetImageSize(0x1000);
    const RangeList ranges = {{0, 0xFFF}, {1, 0}};
    ASSERT_TRUE(rig.startRead(&ranges));
    rig.run(DriverRig::sendsIn(D::kReceiveData, radioMemory(patternMemory(0x1000), ranges)));
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(rig.driver().DataFrameCount(), 256);
    EXPECT_EQ(rig.driver().DataByteCount(), 0x1000);
}

TEST(CloneDriverRead, WithoutRangesAcceptsAnyAddressAndAnEndFrameWithoutCount)
{
    DriverRig rig;
    rig.driver().SetCountInEndFrame(false);
    ASSERT_TRUE(rig.startRead(nullptr));
    rig.run(DriverRig::sendsIn(
        D::kReceiveData, concat({radioDataFrame(0x1F0, Bytes(16, 9)), radioEndFrame(false, 0)})));
    EXPECT_EQ(rig.outcome.code, 0);
    EXPECT_EQ(rig.outcome.image[0x1FF], 9);
}

TEST(CloneDriverRead, SilenceDuringTheDataTimesOut)
{
    DriverRig rig;
    const RangeList ranges = {{0, 0x3F}, {1, 0}};
    ASSERT_TRUE(rig.startRead(&ranges));
    rig.run(DriverRig::sendsIn(D::kReceiveData, radioDataFrame(0, Bytes(16, 1))), 10);
    EXPECT_EQ(rig.outcome.code, 5);
    EXPECT_EQ(rig.serial().dropOutputCalls() + rig.tcp().dropOutputCalls(), 0);
}

// ---------------------------------------------------------------------------
// Write

struct WriteRun {
    Outcome outcome;
    std::vector<SentFrame> frames;
    std::vector<std::int32_t> states;
};

WriteRun runWrite(const RangeList &ranges, std::int32_t imageSize = 0x200,
                  const DriverRig::Radio &radio = DriverRig::acceptsWrite())
{
    DriverRig rig;
    rig.driver().SetAckInterval(128, 0);
    const Bytes memory = patternMemory(imageSize);
    cmcEeprom image;
    image.SetSize(imageSize);
    image.WriteBlock(0, memory.data(), imageSize);
    EXPECT_TRUE(rig.driver().StartWrite(image, ranges, recordOutcome, &rig.outcome));
    WriteRun run;
    run.states = rig.run(radio);
    run.outcome = rig.outcome;
    run.frames = framesIn(rig.serial().sentBytes());
    return run;
}

TEST(CloneDriverWrite, SendsSixteenByteFramesAndWaitsAtEveryBlockButTheFirst)
{
    const WriteRun run = runWrite({{0, 0x11F}, {1, 0}});
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_EQ(run.outcome.kind, 3);
    // Write request, 18 data frames, end frame.
    ASSERT_EQ(run.frames.size(), 20u);
    EXPECT_EQ(run.frames.front().command, 0xE3);
    EXPECT_EQ(run.frames.front().body, "\x30\x79\x00\x00"s);
    EXPECT_THAT(dataAddresses(run.frames),
                ElementsAre("0000", "0010", "0020", "0030", "0040", "0050", "0060", "0070", "0080",
                            "0090", "00A0", "00B0", "00C0", "00D0", "00E0", "00F0", "0100",
                            "0110"));
    EXPECT_EQ(run.frames.back().command, 0xE5);
    EXPECT_EQ(run.frames.back().body, "Vorn Inc.12");
    EXPECT_THAT(run.states, ElementsAre(2, 3, 4, 6, 7, 12, 13, 15, 16, 17, 16, 17, 16, 18, 19, 27));
    // The ninth data frame carries the bytes of 0x80 and their checksum.
    cmcBuff expected;
    const Bytes memory = patternMemory(0x200);
    cloneframes::appendDataFrame(expected, cloneframes::Direction::ToRadio, 0x80,
                                 memory.data() + 0x80, 16);
    EXPECT_EQ(bytesOf(expected),
              concat({Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, text(run.frames[9].body), Bytes{0xFD}}));
}

TEST(CloneDriverWrite, RangeStartingInsideABlockAlignsTheFollowingFrames)
{
    const WriteRun run = runWrite({{0x108, 0x12F}, {1, 0}});
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_THAT(dataAddresses(run.frames), ElementsAre("0108", "0110", "0120"));
    const auto data = [&](std::size_t i) { return run.frames[i + 1].body.substr(4, 2); };
    EXPECT_EQ(data(0), "08");
    EXPECT_EQ(data(1), "10");
}

TEST(CloneDriverWrite, ThousandFramesCarryTheCountModulo256)
{
    const WriteRun run = runWrite({{0, 16000 - 1}, {1, 0}}, 16000);
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_EQ(dataAddresses(run.frames).size(), 1000u);
    EXPECT_EQ(run.frames.back().body, "Vorn Inc.E8");
}

TEST(CloneDriverWrite, SeveralRangesEachStartWithoutAWait)
{
    const WriteRun run = runWrite({{0x000, 0x01F}, {0x080, 0x09F}, {1, 0}});
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_THAT(dataAddresses(run.frames), ElementsAre("0000", "0010", "0080", "0090"));
    EXPECT_EQ(std::count(run.states.begin(), run.states.end(), 17), 0);
}

TEST(CloneDriverWrite, UnansweredWriteRequestIsSentEightTimesASecondApart)
{
    DriverRig rig;
    cmcEeprom image;
    image.SetSize(0x200);
    ASSERT_TRUE(
        rig.driver().StartWrite(image, {{0x100, 0x1FF}, {1, 0}}, recordOutcome, &rig.outcome));
    std::vector<std::uint32_t> sendTimes;
    std::size_t seen = 0;
    rig.run(
        [&](DriverRig &r, std::int32_t) {
            const auto frames = framesIn(r.serial().sentBytes());
            for (; seen < frames.size(); ++seen) {
                EXPECT_EQ(frames[seen].command, 0xE3);
                sendTimes.push_back(r.clock().nowMs());
            }
        },
        10);
    EXPECT_EQ(rig.outcome.code, 5);
    ASSERT_EQ(sendTimes.size(), 8u);
    for (std::size_t i = 1; i < sendTimes.size(); ++i) {
        const std::uint32_t gap = sendTimes[i] - sendTimes[i - 1];
        EXPECT_GE(gap, 1000u);
        EXPECT_LT(gap, 1100u);
    }
}

TEST(CloneDriverWrite, WrongByteToTheWriteRequestSendsItAgain)
{
    int answers = 0;
    const WriteRun run =
        runWrite({{0x100, 0x10F}, {1, 0}}, 0x200, [&](DriverRig &rig, std::int32_t state) {
            if (state == D::kWaitWriteAck && rig.link().unread() == 0)
                rig.link().feed(Bytes{std::uint8_t(++answers < 3 ? 0x06 : 0xFB)});
            else
                DriverRig::acceptsWrite()(rig, state);
        });
    EXPECT_EQ(run.outcome.code, 0);
    EXPECT_EQ(std::count_if(run.frames.begin(), run.frames.end(),
                            [](const SentFrame &f) { return f.command == 0xE3; }),
              3);
}

TEST(CloneDriverWrite, BlockAcknowledgeOutcomes)
{
    struct Case {
        const char *name;
        Bytes atFirstBlock;
        std::int32_t code;
    } cases[] = {
        {"FB", {0xFB}, 0},         {"noise before FB is ignored", {0x00, 0x41, 0xFE, 0xFB}, 0},
        {"FA refuses", {0xFA}, 6}, {"noise then FA", {0x13, 0xFA, 0xFB}, 6},
        {"silence", {}, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DriverRig rig;
        rig.driver().SetAckInterval(128, 0);
        cmcEeprom image;
        image.SetSize(0x200);
        ASSERT_TRUE(
            rig.driver().StartWrite(image, {{0, 0xFF}, {1, 0}}, recordOutcome, &rig.outcome));
        bool answered = false;
        rig.run(
            [&](DriverRig &r, std::int32_t state) {
                const bool firstBlock =
                    state == D::kWaitBlockAck && r.driver().DataByteCount() == 0x80;
                if (!firstBlock)
                    DriverRig::acceptsWrite()(r, state);
                else if (!answered)
                    r.link().feed(c.atFirstBlock);
                answered = answered || firstBlock;
            },
            10);
        EXPECT_EQ(rig.outcome.calls, 1);
        EXPECT_EQ(rig.outcome.code, c.code);
    }
}

TEST(CloneDriverWrite, EndAcknowledgementMustBeExact)
{
    struct Case {
        const char *name;
        Bytes reply;
        std::int32_t code;
    } cases[] = {
        {"exact", endAck(), 0},
        {"status not zero", Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}, 10},
        {"extra byte", Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0x00, 0xFD}, 10},
        {"no reply", {}, 5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WriteRun run =
            runWrite({{0x100, 0x10F}, {1, 0}}, 0x200, [&](DriverRig &rig, std::int32_t state) {
                if (state == D::kReceiveEndAck) {
                    if (rig.link().unread() == 0 && !c.reply.empty())
                        rig.link().feed(c.reply);
                    rig.clock().advance(50);
                    return;
                }
                DriverRig::acceptsWrite()(rig, state);
            });
        EXPECT_EQ(run.outcome.code, c.code);
    }
}

TEST(CloneDriverWrite, HeldBackFramesAtABlockEndWaitForTheAcknowledge)
{
    DriverRig rig;
    rig.driver().SetAckInterval(128, 0);
    cmcEeprom image;
    image.SetSize(0x200);
    ASSERT_TRUE(rig.driver().StartWrite(image, {{0, 0xFF}, {1, 0}}, recordOutcome, &rig.outcome));
    ASSERT_TRUE(rig.stepUntil(D::kWaitWriteAck));
    rig.serial().feed(Bytes{0xFB});
    rig.driver().Step();
    ASSERT_EQ(rig.driver().CurrentState(), D::kSendData);
    // The line is busy: 4 x the held bytes stay below the pending output.
    rig.serial().setPending(100000);
    rig.serial().clearSent();
    for (int i = 0; i < 12; ++i)
        rig.driver().Step();
    EXPECT_TRUE(rig.serial().sends().empty());
    EXPECT_EQ(rig.driver().CurrentState(), D::kSendData);
    // Nothing past the block end was built while held back.
    EXPECT_EQ(rig.driver().DataByteCount(), 0x80);
    rig.serial().setPending(0);
    rig.driver().Step();
    EXPECT_EQ(rig.driver().CurrentState(), D::kWaitBlockAck);
    EXPECT_THAT(dataAddresses(framesIn(rig.serial().sentBytes())),
                ElementsAre("0000", "0010", "0020", "0030", "0040", "0050", "0060", "0070"));
}

TEST(CloneDriverWrite, RangeOutsideTheImageEndsWithCodeNine)
{
    DriverRig rig;
    cmcEeprom image;
    image.SetSize(0x100);
    ASSERT_TRUE(
        rig.driver().StartWrite(image, {{0xF0, 0x10F}, {1, 0}}, recordOutcome, &rig.outcome));
    rig.run(DriverRig::acceptsWrite());
    EXPECT_EQ(rig.outcome.code, 9);
    EXPECT_THAT(dataAddresses(framesIn(rig.serial().sentBytes())), ElementsAre("00F0"));
}

// ---------------------------------------------------------------------------
// Starting, finishing and failures

TEST(CloneDriverLifecycle, StartWhileBusyIsRefusedAndLeavesTheRunningOperation)
{
    DriverRig rig;
    ASSERT_TRUE(rig.startIdRead());
    rig.driver().Step();
    const RangeList ranges = {{0, 0xF}, {1, 0}};
    cmcEeprom image;
    image.SetSize(0x200);
    EXPECT_FALSE(rig.startRead(&ranges));
    EXPECT_FALSE(rig.driver().StartWrite(image, ranges, recordOutcome, &rig.outcome));
    EXPECT_FALSE(rig.startIdRead());
    rig.run(DriverRig::sendsIn(D::kReceiveIdReply, idReply(0x3079, 0, kInfo)));
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, 1);
    EXPECT_EQ(rig.outcome.code, 0);
}

// ---------------------------------------------------------------------------
// Cancel

struct CancelCase {
    const char *name;
    std::int32_t kind;
    bool overTcp;
    // The state the operation waits in when the user stops it.
    std::int32_t waitingIn;
};

class CloneDriverCancelTest : public ::testing::TestWithParam<CancelCase>
{};

// However far it got, a stopped operation ends with code 18, releases the
// link, sends no data frame, and a stop only the radio's silence follows
// does not turn into a time-out.
TEST_P(CloneDriverCancelTest, StopsAtTheNextStepAndReleasesTheLink)
{
    const CancelCase &c = GetParam();
    DriverRig rig;
    rig.driver().SetPortSelect(c.overTcp ? 1 : 0);
    const RangeList ranges = {{0, 0x1FF}, {1, 0}};
    cmcEeprom image;
    image.SetSize(0x200);
    rig.driver().SetImageSize(0x200);
    switch (c.kind) {
    case clonekind::kIdRead:
        ASSERT_TRUE(rig.startIdRead());
        break;
    case clonekind::kRead:
        ASSERT_TRUE(rig.startRead(&ranges));
        break;
    default:
        ASSERT_TRUE(rig.driver().StartWrite(image, ranges, recordOutcome, &rig.outcome));
        break;
    }
    EXPECT_TRUE(rig.driver().CanCancel());
    ASSERT_TRUE(rig.stepUntil(c.waitingIn));
    if (c.waitingIn == D::kReceiveData) {
        // Half the memory and a frame cut short are under way.
        Bytes half = radioMemory(patternMemory(0x200), {{0, 0xFF}, {1, 0}});
        half.resize(half.size() - 20);
        rig.link().feed(half);
        rig.driver().Step();
        ASSERT_GT(rig.driver().DataByteCount(), 0);
    }
    ASSERT_TRUE(rig.driver().Cancel());
    EXPECT_FALSE(rig.driver().CanCancel());
    EXPECT_FALSE(rig.driver().Cancel());
    rig.link().setPending(5);
    rig.driver().Step();
    EXPECT_EQ(rig.driver().CurrentState(), D::kDrain);
    // A line that takes long to drain leaves the stop a stop.
    rig.clock().advance(20000);
    rig.driver().Step();
    rig.link().setPending(0);
    ASSERT_TRUE(rig.stepUntilIdle());
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, c.kind);
    EXPECT_EQ(rig.outcome.code, clonecode::kCancelled);
    EXPECT_FALSE(rig.link().IsOpen());
    EXPECT_EQ(rig.tcp().dropOutputCalls() > 0, c.overTcp);
    for (const SentFrame &frame : framesIn(rig.link().sentBytes()))
        EXPECT_NE(frame.command, 0xE4);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CloneDriverCancelTest,
    ::testing::Values(
        CancelCase{"IdReadWaitingForTheReply", clonekind::kIdRead, false, D::kReceiveIdReply},
        CancelCase{"ReadTakingData", clonekind::kRead, false, D::kReceiveData},
        CancelCase{"ReadOverTcp", clonekind::kRead, true, D::kReceiveData},
        CancelCase{"ReadStillOpening", clonekind::kRead, false, D::kOpenMain},
        CancelCase{"WriteWaitingForItsAcknowledge", clonekind::kWrite, false, D::kWaitWriteAck},
        CancelCase{"WriteOverTcp", clonekind::kWrite, true, D::kWaitWriteAck}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(CloneDriverCancel, TheLinkServesTheNextReadAtOnce)
{
    DriverRig rig;
    const RangeList ranges = {{0, 0x1FF}, {1, 0}};
    rig.driver().SetImageSize(0x200);
    const Bytes memory = patternMemory(0x200);
    ASSERT_TRUE(rig.startRead(&ranges));
    ASSERT_TRUE(rig.stepUntil(D::kReceiveData));
    Bytes part = radioMemory(memory, ranges);
    part.resize(part.size() / 2);
    rig.link().feed(part);
    rig.driver().Step();
    ASSERT_TRUE(rig.driver().Cancel());
    ASSERT_TRUE(rig.stepUntilIdle());
    ASSERT_EQ(rig.outcome.code, clonecode::kCancelled);

    Outcome second;
    ASSERT_TRUE(rig.driver().StartRead(&ranges, recordOutcome, &second));
    EXPECT_EQ(rig.driver().DataByteCount(), 0);
    rig.run(DriverRig::sendsIn(D::kReceiveData, radioMemory(memory, ranges)));
    EXPECT_EQ(second.code, 0);
    EXPECT_EQ(second.image, memory);
}

// Once the radio takes data a stop would leave it half-written: the write
// goes on to its end.
TEST(CloneDriverCancel, WriteThatSentDataCannotBeStopped)
{
    DriverRig rig;
    rig.driver().SetAckInterval(128, 0);
    cmcEeprom image;
    image.SetSize(0x200);
    ASSERT_TRUE(rig.driver().StartWrite(image, {{0, 0x1FF}, {1, 0}}, recordOutcome, &rig.outcome));
    bool refused = false;
    rig.run([&refused](DriverRig &r, std::int32_t state) {
        if (state == D::kWaitBlockAck && !refused) {
            EXPECT_FALSE(r.driver().CanCancel());
            EXPECT_FALSE(r.driver().Cancel());
            refused = true;
        }
        DriverRig::acceptsWrite()(r, state);
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(rig.outcome.code, 0);
}

TEST(CloneDriverCancel, NothingRunningNothingToStop)
{
    DriverRig rig;
    EXPECT_FALSE(rig.driver().CanCancel());
    EXPECT_FALSE(rig.driver().Cancel());
    EXPECT_EQ(rig.outcome.calls, 0);
}

struct Chain {
    DriverRig *rig = nullptr;
    RangeList ranges{{0, 0xF}, {1, 0}};
    Outcome first;
    bool started = false;
};

void startReadFromCallback(void *context, dst_CDrv_Result *result)
{
    auto &chain = *static_cast<Chain *>(context);
    recordOutcome(&chain.first, result);
    chain.started = chain.rig->startRead(&chain.ranges);
}

TEST(CloneDriverLifecycle, CallbackMayStartTheNextOperation)
{
    DriverRig rig;
    Chain chain;
    chain.rig = &rig;
    ASSERT_TRUE(rig.driver().StartIdRead(startReadFromCallback, &chain));
    rig.run([&](DriverRig &r, std::int32_t state) {
        if (state == D::kReceiveIdReply && r.link().unread() == 0)
            r.link().feed(idReply(0x3079, 0, kInfo));
        if (state == D::kReceiveData && r.link().unread() == 0)
            r.link().feed(radioMemory(patternMemory(0x200), chain.ranges));
    });
    EXPECT_EQ(chain.first.calls, 1);
    EXPECT_EQ(chain.first.code, 0);
    EXPECT_TRUE(chain.started);
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.kind, 2);
    EXPECT_EQ(rig.outcome.code, 0);
}

TEST(CloneDriverLifecycle, WriteFailureOfTheSerialPortEndsWithCode17)
{
    DriverRig rig;
    ASSERT_TRUE(rig.startIdRead());
    ASSERT_TRUE(rig.stepUntil(D::kReceiveIdReply));
    rig.serial().setWriteFailed(true);
    rig.driver().Step();
    EXPECT_FALSE(rig.driver().IsBusy());
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 17);
    rig.driver().Step();
    EXPECT_EQ(rig.outcome.calls, 1);
}

TEST(CloneDriverLifecycle, PendingOutputIsAwaitedBeforeTheEnd)
{
    DriverRig rig;
    ASSERT_TRUE(rig.startIdRead());
    ASSERT_TRUE(rig.stepUntil(D::kReceiveIdReply));
    rig.serial().feed(idReply(0x3079, 0, kInfo));
    rig.serial().setPending(10);
    rig.driver().Step();
    rig.driver().Step();
    EXPECT_EQ(rig.driver().CurrentState(), D::kDrain);
    EXPECT_EQ(rig.outcome.calls, 0);
    rig.serial().setPending(0);
    rig.driver().Step();
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 0);
}

TEST(CloneDriverLifecycle, MainSettingsThatCannotBeOpenedEndWithCodeTwo)
{
    DriverRig rig;
    rig.serial().setOpenResult(false);
    ASSERT_TRUE(rig.startIdRead());
    const auto states = rig.run();
    EXPECT_THAT(states, ElementsAre(2, 3, 4, 27));
    EXPECT_EQ(rig.outcome.code, 2);
    EXPECT_TRUE(rig.serial().sends().empty());
}

// ---------------------------------------------------------------------------
// Transport script

TEST(CloneDriverScript, SerialSettingsReopenThePortAfterTheBytesLeft)
{
    DriverRig rig;
    rig.driver().SetSerialPort(7, "9600,N,8,1");
    rig.driver().SetScript("(38400,N,8,1)FEFE 01 02(9600,N,8,1) 0A0B");
    ASSERT_TRUE(rig.startIdRead());
    ASSERT_TRUE(rig.stepUntil(D::kSerialScript));
    rig.driver().Step();
    ASSERT_EQ(rig.serial().opens().size(), 1u);
    EXPECT_EQ(rig.serial().opens()[0].text, "38400,N,8,1");
    EXPECT_EQ(rig.serial().opens()[0].port, 7);
    rig.driver().Step();
    EXPECT_THAT(rig.serial().sends(), ElementsAre(Bytes{0xFE, 0xFE, 0x01, 0x02}));
    // The bytes have not left: the settings change waits.
    rig.serial().setPending(4);
    rig.driver().Step();
    rig.driver().Step();
    EXPECT_EQ(rig.serial().opens().size(), 1u);
    rig.serial().setPending(0);
    const std::uint32_t before = rig.clock().nowMs();
    rig.driver().Step();
    EXPECT_GE(rig.clock().nowMs() - before, 300u);
    ASSERT_EQ(rig.serial().opens().size(), 2u);
    EXPECT_EQ(rig.serial().opens()[1].text, "9600,N,8,1");
    rig.driver().Step();
    EXPECT_EQ(rig.serial().sends().back(), (Bytes{0x0A, 0x0B}));
    EXPECT_TRUE(rig.driver().Script().empty());
    rig.run(DriverRig::sendsIn(D::kReceiveIdReply, idReply(0x3079, 0, kInfo)));
    EXPECT_EQ(rig.outcome.code, 0);
    ASSERT_EQ(rig.serial().opens().size(), 3u);
    EXPECT_EQ(rig.serial().opens()[2].text, "9600,N,8,1");
}

TEST(CloneDriverScript, SettingsThatCannotBeOpenedDropTheScript)
{
    DriverRig rig;
    rig.serial().failOpenFor("38400,N,8,1");
    rig.driver().SetScript("0102(38400,N,8,1)0304(9600,N,8,1)");
    ASSERT_TRUE(rig.startIdRead());
    rig.run();
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 2);
    EXPECT_TRUE(rig.driver().Script().empty());
    EXPECT_EQ(rig.serial().opens().size(), 1u);
    EXPECT_EQ(framesIn(rig.serial().sentBytes()).size(), 0u);
}

// ---------------------------------------------------------------------------
// TCP

TEST(CloneDriverTcp, WaitsForTheConnectSendsByteRunsAndSkipsSettings)
{
    DriverRig rig;
    rig.driver().SetPortSelect(1);
    rig.driver().SetTcpPeer(41000, "192.168.0.11");
    rig.driver().SetPreambles(48, 0);
    rig.driver().SetScript("(38400,N,8,1)0102(9600,N,8,1)0304");
    rig.tcp().setConnecting(true);
    ASSERT_TRUE(rig.startIdRead());
    ASSERT_TRUE(rig.stepUntil(D::kConnecting));
    for (int i = 0; i < 5; ++i)
        rig.driver().Step();
    EXPECT_EQ(rig.driver().CurrentState(), D::kConnecting);
    rig.tcp().setConnecting(false);
    const auto states = rig.run(DriverRig::sendsIn(D::kReceiveIdReply, idReply(0x3079, 0, kInfo)));
    EXPECT_THAT(states, ElementsAre(5, 6, 7, 8, 9, 27));
    EXPECT_EQ(rig.outcome.code, 0);
    ASSERT_EQ(rig.tcp().opens().size(), 1u);
    EXPECT_EQ(rig.tcp().opens()[0].port, 41000);
    EXPECT_EQ(rig.tcp().opens()[0].text, "192.168.0.11");
    EXPECT_TRUE(rig.serial().opens().empty());
    // No settings, no command preamble over TCP.
    EXPECT_THAT(rig.tcp().sends(),
                ElementsAre(Bytes{0x01, 0x02}, Bytes{0x03, 0x04},
                            Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x30, 0x79, 0, 0, 0xFD}));
}

TEST(CloneDriverTcp, StatesOfAnIdReadStartWithOpenAndConnect)
{
    DriverRig rig;
    rig.driver().SetPortSelect(1);
    ASSERT_TRUE(rig.startIdRead());
    const auto states = rig.run(DriverRig::sendsIn(D::kReceiveIdReply, idReply(0x3079, 0, kInfo)));
    EXPECT_THAT(states, ElementsAre(2, 4, 5, 6, 7, 8, 9, 27));
    EXPECT_FALSE(rig.tcp().IsOpen());
}

TEST(CloneDriverTcp, TimeOutDropsQueuedOutput)
{
    DriverRig rig;
    rig.driver().SetPortSelect(1);
    ASSERT_TRUE(rig.startIdRead());
    rig.run({}, 10);
    EXPECT_EQ(rig.outcome.code, 5);
    EXPECT_EQ(rig.tcp().dropOutputCalls(), 1);
}

TEST(CloneDriverTcp, ConnectThatNeverCompletesEndsWithCodeFive)
{
    DriverRig rig;
    rig.driver().SetPortSelect(1);
    rig.tcp().setConnecting(true);
    ASSERT_TRUE(rig.startIdRead());
    rig.run({}, 100);
    EXPECT_EQ(rig.outcome.calls, 1);
    EXPECT_EQ(rig.outcome.code, 5);
}

// Over TCP the data frames of one block leave as one batch, never sooner
// than 20 ms after the previous transmission, and the driver never blocks
// while it waits.
TEST(CloneDriverTcp, WriteSendsBlocksAsBatchesSpacedByThePause)
{
    DriverRig rig;
    rig.driver().SetPortSelect(1);
    rig.driver().SetAckInterval(128, 0);
    const Bytes memory = patternMemory(0x200);
    cmcEeprom image;
    image.SetSize(0x200);
    image.WriteBlock(0, memory.data(), 0x200);
    ASSERT_TRUE(
        rig.driver().StartWrite(image, {{0x100, 0x1FF}, {1, 0}}, recordOutcome, &rig.outcome));
    ASSERT_TRUE(rig.stepUntil(D::kWaitWriteAck));
    rig.tcp().feed(Bytes{0xFB});
    rig.tcp().clearSent();
    const std::uint32_t requestSent = rig.clock().nowMs();
    std::uint32_t batchSent = 0;
    for (int step = 0; step < 100 && rig.tcp().sends().empty(); ++step) {
        const std::uint32_t before = rig.clock().nowMs();
        rig.driver().Step();
        // A step never waits out the pause itself (a reading moves the clock
        // by a millisecond).
        EXPECT_LT(rig.clock().nowMs() - before, 15u);
        rig.clock().advance(5);
        batchSent = rig.clock().nowMs();
    }
    ASSERT_EQ(rig.tcp().sends().size(), 1u);
    EXPECT_GE(batchSent - requestSent, 20u);
    EXPECT_EQ(dataAddresses(framesIn(rig.tcp().sentBytes())).size(), 8u);
    EXPECT_EQ(rig.driver().CurrentState(), D::kWaitBlockAck);
    rig.run(DriverRig::acceptsWrite());
    EXPECT_EQ(rig.outcome.code, 0);
}

} // namespace
