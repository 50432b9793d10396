#include "platform/cmcBuff.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<std::uint8_t> bytesOf(const cmcBuff &buffer)
{
    return {buffer.Data(), buffer.Data() + buffer.Length()};
}

cmcBuff bufferOf(const std::vector<std::uint8_t> &bytes)
{
    cmcBuff buffer;
    buffer.Assign(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return buffer;
}

// 0, 1, 2, ... wrapping at 256, so that every position is recognisable.
cmcBuff countingBuffer(std::int32_t length)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bufferOf(bytes);
}

TEST(cmcBuff, StartsEmptyWithAOneByteBlock)
{
    cmcBuff buffer;
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.capacity(), 1);
    EXPECT_NE(buffer.Data(), nullptr);
}

TEST(cmcBuff, GrowthAddsAQuarterOfTheOldLengthNotOfTheNewOne)
{
    struct Case {
        std::int32_t oldLength;
        std::int32_t newLength;
        std::int32_t capacity;
    } cases[] = {
        {0, 10, 10},    // nothing to add a quarter of
        {10, 20, 22},   // 20 + 10/4
        {3, 4, 4},      // a quarter of 3 rounds down to 0
        {100, 101, 126} // 101 + 25
    };
    for (const auto &c : cases) {
        cmcBuff buffer;
        buffer.SetLength(c.oldLength);
        buffer.Compact(); // capacity == old length, so the next step must grow
        EXPECT_EQ(buffer.SetLength(c.newLength), c.newLength);
        EXPECT_EQ(buffer.capacity(), c.capacity) << c.oldLength << " -> " << c.newLength;
    }
}

TEST(cmcBuff, GrowthKeepsLiveBytesAndZeroesWhatItAdds)
{
    cmcBuff buffer = bufferOf({0xAA, 0xBB, 0xCC});
    buffer.SetLength(1); // 0xBB, 0xCC stay in the block as dead bytes
    buffer.SetLength(8); // beyond the capacity of 3: a new block
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{0xAA, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(cmcBuff, LengtheningWithinTheCapacityShowsTheOldBytesAgain)
{
    cmcBuff buffer = bufferOf({1, 2, 3, 4});
    buffer.SetLength(0);
    buffer.SetLength(4);
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{1, 2, 3, 4}));
}

TEST(cmcBuff, NegativeLengthsAndCountsChangeNothingUnsafe)
{
    cmcBuff buffer = bufferOf({1, 2, 3});
    const std::uint8_t source[] = {9};
    buffer.Append(source, -1);
    buffer.AppendRepeated(7, -4);
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(buffer.SetLength(-2), 0);
    EXPECT_EQ(buffer.Length(), 0);
    buffer.Assign(bufferOf({5, 6}));
    buffer.Assign(source, 0);
    EXPECT_EQ(buffer.Length(), 0);
}

TEST(cmcBuff, AppendOperationsAddBehindTheEnd)
{
    cmcBuff buffer;
    const std::uint8_t frame[] = {0xFE, 0xFE};
    buffer.Append(frame, 2);
    buffer.AppendByte(0xE0);
    buffer.AppendRepeated(0x00, 3);
    buffer.Append(bufferOf({0xFD}));
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{0xFE, 0xFE, 0xE0, 0, 0, 0, 0xFD}));
    buffer.Fill(0x55);
    EXPECT_EQ(bytesOf(buffer), std::vector<std::uint8_t>(7, 0x55));
}

// Growing frees the old block, so copying from it afterwards would read
// freed memory.
TEST(cmcBuff, AppendingItsOwnBytesSurvivesAGrowth)
{
    cmcBuff buffer = bufferOf({1, 2, 3});
    buffer.Append(buffer);
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{1, 2, 3, 1, 2, 3}));
    buffer.Append(buffer.Data() + 4, 2);
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{1, 2, 3, 1, 2, 3, 2, 3}));
    buffer.Assign(buffer);
    EXPECT_EQ(buffer.Length(), 8);
    buffer.Assign(buffer.Data() + 6, 2);
    EXPECT_EQ(bytesOf(buffer), (std::vector<std::uint8_t>{2, 3}));
}

TEST(cmcBuff, CopiesAreIndependentAndMovedFromBuffersStayUsable)
{
    cmcBuff original = bufferOf({1, 2});
    cmcBuff copy(original);
    *copy.At(0) = 9;
    EXPECT_EQ(*original.At(0), 1);

    cmcBuff moved(std::move(original));
    EXPECT_EQ(bytesOf(moved), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(original.Length(), 0); // NOLINT(bugprone-use-after-move): reset on purpose
    EXPECT_EQ(original.capacity(), 1);
    original.AppendByte(4);
    EXPECT_EQ(bytesOf(original), std::vector<std::uint8_t>{4});
}

TEST(cmcBuff, ClearReturnsToAFreshBlock)
{
    cmcBuff buffer = countingBuffer(50);
    buffer.Clear();
    EXPECT_EQ(buffer.Length(), 0);
    EXPECT_EQ(buffer.capacity(), 1);
}

TEST(cmcBuffQueue, PopFrontTakesBytesInOrderAsUnsignedValues)
{
    cmcBuff queue = bufferOf({0xFE, 0x00, 0xFF});
    EXPECT_EQ(queue.PopFront(), 0xFE);
    EXPECT_EQ(queue.PopFront(), 0x00);
    EXPECT_EQ(queue.PopFront(), 0xFF); // must not read as -1 (empty)
    EXPECT_EQ(queue.Length(), 0);
}

TEST(cmcBuffQueue, PopFrontOnAnEmptyBufferChangesNothing)
{
    cmcBuff queue = bufferOf({7});
    queue.SetLength(0);
    EXPECT_EQ(queue.PopFront(), -1);
    EXPECT_EQ(queue.capacity(), 1);
    EXPECT_EQ(queue.deadBytes(), 0);
    queue.SetLength(1);
    EXPECT_EQ(*queue.At(0), 7);
}

TEST(cmcBuffQueue, DeadSpaceInFrontIsCompactedPastTheThreshold)
{
    cmcBuff queue = countingBuffer(5000);
    for (int i = 0; i < cmcBuff::kCompactThreshold; ++i)
        queue.PopFront();
    EXPECT_EQ(queue.deadBytes(), 4096);

    EXPECT_EQ(queue.PopFront(), 4096 % 256);
    EXPECT_EQ(queue.deadBytes(), 0);
    EXPECT_EQ(queue.capacity(), 903);
    const cmcBuff expected = countingBuffer(5000);
    ASSERT_EQ(queue.Length(), 903);
    EXPECT_EQ(bytesOf(queue),
              std::vector<std::uint8_t>(expected.Data() + 4097, expected.Data() + 5000));
}

TEST(cmcBuffQueue, AQueueFedAndDrainedKeepsItsBlockSmall)
{
    cmcBuff queue;
    int expected = 0;
    for (int round = 0; round < 2000; ++round) {
        for (int i = 0; i < 16; ++i)
            queue.AppendByte(static_cast<std::uint8_t>(round * 16 + i));
        for (int i = 0; i < 15; ++i, ++expected)
            ASSERT_EQ(queue.PopFront(), expected % 256);
    }
    EXPECT_EQ(queue.Length(), 2000);
    EXPECT_LE(queue.deadBytes(), cmcBuff::kCompactThreshold);
    EXPECT_LE(queue.capacity(), 2000 + 2000 / 4 + 16);
}

TEST(cmcBuff, CompactOfAnEmptyBufferKeepsOneByte)
{
    cmcBuff buffer = countingBuffer(10);
    buffer.SetLength(0);
    buffer.Compact();
    EXPECT_EQ(buffer.capacity(), 1);
    EXPECT_EQ(buffer.Length(), 0);
}

TEST(cmcBuffDeathTest, IndexOutsideTheLiveBytesIsFatal)
{
    cmcBuff buffer = bufferOf({1, 2, 3});
    EXPECT_EQ(*buffer.At(2), 3);
    EXPECT_DEATH(buffer.At(3), "platform_tests: Out of cmcBuff element !");
    EXPECT_DEATH(buffer.At(-1), "Out of cmcBuff element !");
    cmcBuff empty;
    EXPECT_DEATH(empty.At(0), "Out of cmcBuff element !");
}

} // namespace
