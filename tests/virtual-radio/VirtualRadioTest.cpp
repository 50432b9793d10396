#include "RadioTestSupport.h"

#include "FrameAssembler.h"
#include "MemoryFile.h"
#include "MeterModel.h"
#include "VirtualRadio.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace vradio_testing;
using vradio::VirtualRadio;

constexpr std::uint8_t kIdRequest = 0xE0;
constexpr std::uint8_t kReadRequest = 0xE2;
constexpr std::uint8_t kWriteRequest = 0xE3;

Bytes patternMemory()
{
    Bytes memory(VirtualRadio::kMemorySize);
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 7 + (i >> 8));
    return memory;
}

TEST(FrameAssembler, CutsFramesAsTheRadioDoes)
{
    struct Case {
        const char *name;
        Bytes input;
        std::vector<Bytes> frames;
    } cases[] = {
        {"plain", {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD}, {{0xFE, 0xEE, 0xEF, 0xE0}}},
        {"preamble", {0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xFD}, {{0xFE, 0xEE}}},
        {"noise before", {0x00, 0x41, 0xFD, 0xFE, 0x01, 0xFD}, {{0xFE, 0x01}}},
        {"restart inside", {0xFE, 0x01, 0x02, 0xFE, 0x03, 0xFD}, {{0xFE, 0x03}}},
        {"two frames", {0xFE, 0x01, 0xFD, 0x55, 0xFE, 0x02, 0xFD}, {{0xFE, 0x01}, {0xFE, 0x02}}},
        {"unfinished", {0xFE, 0x01, 0x02}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(framesIn(c.input), c.frames) << c.name;
}

TEST(FrameAssembler, DropsAnOverlongFrameAndRecovers)
{
    Bytes input{0xFE};
    input.insert(input.end(), vradio::FrameAssembler::kMaxFrame + 5, 0x30);
    input.push_back(0xFD);
    const Bytes good{0xFE, 0xEE, 0xFD};
    input.insert(input.end(), good.begin(), good.end());
    EXPECT_EQ(framesIn(input), (std::vector<Bytes>{{0xFE, 0xEE}}));
}

class RadioTest : public ::testing::Test
{
protected:
    void makeRadio(vradio::RadioSetup setup = {}, Bytes memory = patternMemory())
    {
        radio_ = std::make_unique<VirtualRadio>(setup, memory);
        radio_->onWritten = [this](const Bytes &stored) {
            ++writes_;
            written_ = stored;
        };
    }
    void SetUp() override { makeRadio(); }

    Bytes exchange(const Bytes &input)
    {
        radio_->receive(input);
        return radio_->takeOutput();
    }

    // Sends 16-byte frames over [first, last] as the program does and
    // returns what came back after each frame.
    std::vector<Bytes> writeRange(int first, int last, const Bytes &memory, int corruptFrame = 0)
    {
        std::vector<Bytes> answers;
        int frame = 0;
        for (int address = first; address <= last;) {
            const int n = std::min(16 - address % 16, last - address + 1);
            Bytes data(memory.begin() + address, memory.begin() + address + n);
            Bytes out = dataFrame(static_cast<std::uint16_t>(address), data);
            if (++frame == corruptFrame)
                out[out.size() - 2] ^= 0x01; // a checksum digit
            answers.push_back(exchange(out));
            address += n;
        }
        frames_ = frame;
        return answers;
    }

    std::unique_ptr<VirtualRadio> radio_;
    int writes_ = 0;
    Bytes written_;
    int frames_ = 0;
};

TEST_F(RadioTest, IdReplyCarriesModelIdAndCloneInformation)
{
    for (const bool password : {false, true}) {
        vradio::RadioSetup setup;
        if (password)
            setup.password = "1234";
        makeRadio(setup);
        const auto frames = framesIn(exchange(requestFrame(kIdRequest, 12)));
        ASSERT_EQ(frames.size(), 1u);
        const Bytes &reply = frames[0];
        ASSERT_EQ(reply.size(), 8u + 127u);
        EXPECT_EQ(Bytes(reply.begin(), reply.begin() + 8),
                  (Bytes{0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0x79, 0x00, 0x00}));
        const Bytes info(reply.begin() + 8, reply.end());
        EXPECT_EQ(info[0], 127);
        EXPECT_EQ(info[35], 1);
        EXPECT_EQ(Bytes(info.begin() + 56, info.begin() + 60), textBytes("FF7F"));
        EXPECT_EQ(Bytes(info.begin() + 60, info.begin() + 72), textBytes("0A1B2C3D4E5F"));
        EXPECT_EQ((info[53] & 0x08) != 0, password);
        EXPECT_EQ((info[53] & 0x10), 0);
    }
}

TEST_F(RadioTest, StaysSilentForOtherModelsAndForeignFrames)
{
    Bytes otherModel = requestFrame(kIdRequest);
    otherModel[5] = 0x31;
    const Bytes fromRadio{0xFE, 0xFE, 0xEF, 0xEE, 0xE0, 0x30, 0x79, 0, 0, 0xFD};
    const Bytes tooShort{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x30, 0xFD};
    for (const Bytes &input : {otherModel, fromRadio, tooShort, speedSelectFrame(true)})
        EXPECT_TRUE(exchange(input).empty());
    EXPECT_EQ(framesIn(exchange(requestFrame(kIdRequest))).size(), 1u);
}

TEST_F(RadioTest, ReadSendsTheWholeMemoryThenTheEndFrame)
{
    const auto frames = framesIn(exchange(requestFrame(kReadRequest, 48)));
    const std::size_t dataFrames = VirtualRadio::kMemorySize / 16;
    ASSERT_EQ(frames.size(), dataFrames + 1);

    Bytes received;
    for (std::size_t i = 0; i < dataFrames; ++i) {
        ASSERT_EQ(Bytes(frames[i].begin(), frames[i].begin() + 4), (Bytes{0xFE, 0xEF, 0xEE, 0xE4}));
        const Bytes payload = dataPayload(frames[i]);
        ASSERT_EQ(payload.size(), 20u) << i;
        EXPECT_EQ(payload[0] << 8 | payload[1], static_cast<int>(i * 16));
        EXPECT_EQ(payload[2], 16);
        unsigned sum = 0;
        for (const std::uint8_t b : payload)
            sum += b;
        EXPECT_EQ(sum % 256, 0u) << i;
        received.insert(received.end(), payload.begin() + 3, payload.end() - 1);
    }
    EXPECT_EQ(received, patternMemory());
    // 4088 frames: the count digits are F8.
    Bytes end{0xFE, 0xEF, 0xEE, 0xE5};
    const Bytes maker = textBytes("Vorn Inc.F8");
    end.insert(end.end(), maker.begin(), maker.end());
    EXPECT_EQ(frames.back(), end);
}

TEST_F(RadioTest, CorruptsTheChecksumOfTheChosenDataFrame)
{
    vradio::RadioSetup setup;
    setup.faults.corruptDataFrame = 3;
    makeRadio(setup);
    const auto frames = framesIn(exchange(requestFrame(kReadRequest)));
    for (std::size_t i = 0; i < 5; ++i) {
        unsigned sum = 0;
        for (const std::uint8_t b : dataPayload(frames[i]))
            sum += b;
        EXPECT_EQ(sum % 256 != 0, i == 2) << i;
    }
}

TEST_F(RadioTest, WriteIsAcknowledgedBlockByBlockAndStored)
{
    Bytes memory = patternMemory();
    std::reverse(memory.begin(), memory.end());

    EXPECT_EQ(exchange(requestFrame(kWriteRequest, 12)), Bytes{0xFB});
    const auto answers = writeRange(0x100, 0x11F, memory);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_TRUE(answers[0].empty());
    EXPECT_TRUE(answers[1].empty());
    EXPECT_EQ(exchange(endFrame(frames_)), (Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD}));
    EXPECT_EQ(writes_, 1);
    EXPECT_TRUE(std::equal(memory.begin() + 0x100, memory.begin() + 0x120,
                           radio_->memory().begin() + 0x100));
    EXPECT_EQ(radio_->memory()[0xFF], patternMemory()[0xFF]);
}

TEST_F(RadioTest, BlockAcknowledgementsFallOnEvery128ByteBoundary)
{
    const Bytes memory = patternMemory();
    exchange(requestFrame(kWriteRequest));
    // From 0x108: one frame of 8 bytes, then aligned frames.
    const auto answers = writeRange(0x108, 0x27F, memory);
    std::vector<int> acknowledgedAfter;
    int address = 0x108;
    for (const Bytes &answer : answers) {
        address = (address / 16 + 1) * 16;
        if (!answer.empty()) {
            EXPECT_EQ(answer, Bytes{0xFB});
            acknowledgedAfter.push_back(address);
        }
    }
    EXPECT_EQ(acknowledgedAfter, (std::vector<int>{0x180, 0x200, 0x280}));
}

TEST_F(RadioTest, FaultyWritesAreRefusedAndChangeNothing)
{
    struct Case {
        const char *name;
        int refuseBlock;
        int corruptFrame;
        int endCountOffset;
        int refusedBlock; // 0: every block acknowledged
    } cases[] = {
        {"refused block", 2, 0, 0, 2},
        {"bad checksum", 0, 10, 0, 2},
        {"wrong frame count", 0, 0, 1, 0},
    };
    for (const auto &c : cases) {
        vradio::RadioSetup setup;
        setup.faults.refuseBlock = c.refuseBlock;
        makeRadio(setup);
        const Bytes before = radio_->memory();
        Bytes memory(VirtualRadio::kMemorySize, 0x55);
        exchange(requestFrame(kWriteRequest));
        const auto answers = writeRange(0, 0x17F, memory, c.corruptFrame);
        Bytes acks;
        for (const Bytes &answer : answers)
            acks.insert(acks.end(), answer.begin(), answer.end());
        Bytes expected{0xFB, 0xFB, 0xFB};
        if (c.refusedBlock > 0) {
            expected.resize(static_cast<std::size_t>(c.refusedBlock));
            expected.back() = 0xFA;
        }
        EXPECT_EQ(acks, expected) << c.name;
        const Bytes reply = exchange(endFrame(frames_ + c.endCountOffset));
        // After a refusal the radio has left the write and ignores the end.
        const Bytes rejected{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD};
        EXPECT_EQ(reply, c.refusedBlock == 0 ? rejected : Bytes{}) << c.name;
        EXPECT_EQ(writes_, 0) << c.name;
        EXPECT_EQ(radio_->memory(), before) << c.name;
    }
}

TEST_F(RadioTest, ClonePasswordUnlocksOneReadOrWrite)
{
    vradio::RadioSetup setup;
    setup.password = "abc";
    makeRadio(setup);

    EXPECT_TRUE(exchange(requestFrame(kReadRequest)).empty());
    EXPECT_TRUE(exchange(requestFrame(kWriteRequest)).empty());
    exchange(passwordFrame("abd"));
    EXPECT_FALSE(radio_->unlocked());
    exchange(passwordFrame("ab"));
    EXPECT_FALSE(radio_->unlocked());

    exchange(passwordFrame("abc"));
    EXPECT_TRUE(radio_->unlocked());
    EXPECT_EQ(framesIn(exchange(requestFrame(kReadRequest))).size(),
              VirtualRadio::kMemorySize / 16 + 1);
    EXPECT_FALSE(radio_->unlocked());

    exchange(passwordFrame("abc"));
    EXPECT_EQ(exchange(requestFrame(kWriteRequest)), Bytes{0xFB});
    exchange(endFrame(0));
    EXPECT_FALSE(radio_->unlocked());
}

TEST_F(RadioTest, SpeedSelectIsTakenSilently)
{
    for (const bool high : {true, false})
        EXPECT_TRUE(exchange(speedSelectFrame(high)).empty());
    EXPECT_EQ(framesIn(exchange(requestFrame(kIdRequest))).size(), 1u);
}

TEST_F(RadioTest, AdjustmentCommandsSetItemsAndMetersReadThem)
{
    exchange(commandFrame(0x40, 19));
    exchange(commandFrame(0x41, 0x64));
    exchange(commandFrame(0x40, 23));
    exchange(commandFrame(0x41, 0xC8));
    EXPECT_EQ(radio_->memory()[19], 0x64);
    EXPECT_EQ(radio_->memory()[23], 0xC8);

    // Meter 6 reads the mean of items 19 and 23: 150 = 0x96.
    const auto frames = framesIn(exchange(commandFrame(0x03, 6)));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], (Bytes{0xFE, 0xEF, 0xEE, 0xE8, 0x30, 0x79, 0x00, 0x00, 0x03, '9', '6'}));

    // Setting commands are not answered.
    EXPECT_TRUE(exchange(commandFrame(0x13, 0x10)).empty());
    EXPECT_TRUE(exchange(commandFrame(0x02, 0x01)).empty());
}

TEST_F(RadioTest, FilterMeterPeaksAtTheBandCentre)
{
    const int centre = vradio::MeterModel::filterCentre(5);
    const auto readingAt = [&](int value) {
        exchange(commandFrame(0x14, static_cast<std::uint8_t>(value)));
        const auto frames = framesIn(exchange(commandFrame(0x03, 2)));
        return frames.size() == 1 ? frames[0].back() : 0;
    };
    // Only the last digit is compared: C8 (200) on the plateau.
    EXPECT_EQ(readingAt(centre), '8');
    EXPECT_EQ(readingAt(centre + 10), '8');
    EXPECT_EQ(radio_->memory()[5], centre + 10);
    EXPECT_NE(readingAt(centre + 40), '8');
}

TEST_F(RadioTest, GoesSilentAfterTheSetNumberOfAnswers)
{
    vradio::RadioSetup setup;
    setup.faults.stopAfterAnswers = 2;
    makeRadio(setup);
    EXPECT_FALSE(exchange(requestFrame(kIdRequest)).empty());
    EXPECT_EQ(exchange(requestFrame(kWriteRequest)), Bytes{0xFB});
    EXPECT_TRUE(exchange(requestFrame(kIdRequest)).empty());
    EXPECT_TRUE(exchange(requestFrame(kReadRequest)).empty());
}

TEST_F(RadioTest, NoiseBeforeFramesNeverLooksLikeProtocolBytes)
{
    vradio::RadioSetup setup;
    setup.faults.noiseBytes = 50;
    makeRadio(setup);
    const Bytes output = exchange(requestFrame(kIdRequest));
    ASSERT_EQ(output.size(), 50u + 4 + 1 + 4 + 127 + 1);
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_LT(output[i], 0xFA) << i;
    EXPECT_EQ(framesIn(output).size(), 1u);
}

TEST_F(RadioTest, NewSessionForgetsHalfFramesAndUnsentAnswers)
{
    radio_->receive(requestFrame(kReadRequest));
    exchange(requestFrame(kWriteRequest));
    EXPECT_TRUE(radio_->writing());
    radio_->receive(Bytes{0xFE, 0xFE, 0xEE, 0xEF});
    radio_->resetSession();
    EXPECT_EQ(radio_->outputSize(), 0u);
    EXPECT_FALSE(radio_->writing());
    // The rest of the old frame does not complete anything.
    EXPECT_TRUE(exchange(Bytes{0xE0, 0x30, 0x79, 0x00, 0x00, 0xFD}).empty());
}

} // namespace
