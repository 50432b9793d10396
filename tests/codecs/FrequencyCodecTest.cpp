#include "codecs/FrequencyCodec.h"

#include "channels/datCh.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

TEST(ChannelRaster, RoundsUpWithinTheDigitsNotTyped)
{
    struct {
        std::int64_t typed;
        std::int64_t raster;
    } cases[] = {
        {146520000, 146520000}, // 2.5 kHz raster as typed
        {146521000, 146521875}, // up to the 3.125 kHz raster within the last kHz
        {146521300, -1},        // nothing on either raster within 100 Hz
        {146521870, 146521875}, // within the last 10 Hz
        {146521875, 146521875}, // exactly on the 3.125 kHz raster
        {145012500, 145012500}, {900000000, 900000000}, {0, 0}, {-5, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(channelRaster(c.typed), c.raster) << c.typed;
}

datCh channel(std::int32_t receive, std::int32_t transmit)
{
    datCh record;
    record.FreqR = receive;
    record.FreqT = transmit;
    return record;
}

CodecRequest withRecord(CodecRequest request, const datCh &record)
{
    request.record = &record;
    return request;
}

TEST(FrequencyCodec, TypedFrequencies)
{
    const CellCodec receive = editFrequency(ChannelSide::Receive);
    runCases({
        {"on the raster", receive, 145000000, typed("146.52"), {"146.520000", 146520000}},
        {"rounded up to the raster",
         receive,
         145000000,
         typed("146.521"),
         {"146.521875", 146521875}},
        {"off the raster is ignored", receive, 145000000, typed("146.5213"), {"145.000000"}},
        {"cut to nine characters",
         receive,
         145000000,
         typed("146.521875"),
         {"146.521875", 146521875}},
        {"above the highest frequency",
         receive,
         145000000,
         typed("900"),
         {"799.999950", 799999950}},
        {"zero is ignored", receive, 145000000, typed("0"), {"145.000000"}},
        {"empty is ignored", receive, 145000000, typed(""), {"145.000000"}},
        {"letters are dropped", receive, 145000000, typed("MHz 146.52"), {"146.520000", 146520000}},
    });
}

TEST(FrequencyCodec, MarksOfBlankAndEqualChannels)
{
    const CellCodec receive = editFrequency(ChannelSide::Receive);
    const CellCodec transmit = editFrequency(ChannelSide::Transmit);
    const datCh blank = channel(0, 0);
    const datCh simplex = channel(146520000, 146520000);
    const datCh split = channel(146520000, 146000000);

    CodecAnswer answer = receive(0, withRecord(draw(), blank));
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(answer.look.colour, CodecLook::Colour::Olive);

    answer = transmit(0, withRecord(draw(), blank));
    EXPECT_EQ(answer.text, "");
    EXPECT_EQ(answer.look.colour, CodecLook::Colour::AsDescribed);

    answer = transmit(146520000, withRecord(draw(), simplex));
    EXPECT_EQ(answer.text, "<-");
    EXPECT_EQ(answer.look.align, CodecLook::Align::Left);

    answer = transmit(146000000, withRecord(draw(), split));
    EXPECT_EQ(answer.text, "146.000000");
    EXPECT_EQ(answer.look.align, CodecLook::Align::AsDescribed);

    answer = receive(146520000, withRecord(draw(), simplex));
    EXPECT_EQ(answer.text, "146.520000");
    EXPECT_EQ(answer.look.colour, CodecLook::Colour::AsDescribed);
}

TEST(FrequencyCodec, KeysStartTheEditor)
{
    const CellCodec receive = editFrequency(ChannelSide::Receive);
    const CellCodec transmit = editFrequency(ChannelSide::Transmit);
    const datCh blank = channel(0, 0);
    const datCh split = channel(146520000, 146000000);
    runCases({
        {"space acts as enter", receive, 146520000, key(' '), editorSelecting("146.520000")},
        {"backspace acts as enter", receive, 146520000, key('\b'), editorSelecting("146.520000")},
        {"enter on a blank channel edits nothing", receive, 0, withRecord(key(kEnter), blank),
         editorSelecting("")},
        {"point puts the caret after the point", receive, 146520000, key('.'),
         editor("146.520000", 4, 0)},
        {"point on a blank channel", receive, 0, key('.'), editorWith('.')},
        {"digit", receive, 146520000, key('4'), editorWith('4')},
        {"equals offers the receive frequency", transmit, 146000000, withRecord(key('='), split),
         editorSelecting("146.520000")},
        {"equals means nothing on the receive side", receive, 146520000, key('='), {"146.520000"}},
        {"letters do nothing", receive, 146520000, key('a'), {"146.520000"}},
    });
}

TEST(FrequencyCodec, TransmitFollowsReceive)
{
    struct {
        const char *name;
        ChannelFrequencies before;
        std::int32_t receive;
        ChannelFrequencies after;
    } cases[] = {
        {"equal before: follows",
         {145000000, 145000000, true},
         146000000,
         {146000000, 146000000, true}},
        {"split stays", {145000000, 145600000, true}, 146000000, {146000000, 145600000, true}},
        {"a channel not in use follows",
         {145000000, 145600000, false},
         146000000,
         {146000000, 146000000, true}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(transmitFollowsReceive(c.before, c.receive), c.after) << c.name;
}

// The whole road of a first frequency: typed into a blank channel, the
// transmit frequency follows and its cell points at the receive frequency.
TEST(FrequencyCodec, BlankChannelGetsBothFrequencies)
{
    datCh record = channel(0, 0);
    const CodecAnswer typedIn =
        editFrequency(ChannelSide::Receive)(0, withRecord(typed("146.52"), record));
    ASSERT_TRUE(typedIn.value);
    const ChannelFrequencies after =
        transmitFollowsReceive({record.FreqR, record.FreqT, false}, *typedIn.value);
    record.FreqR = after.receive;
    record.FreqT = after.transmit;
    const CodecAnswer shown =
        editFrequency(ChannelSide::Transmit)(record.FreqT, withRecord(draw(), record));
    EXPECT_EQ(shown.text, "<-");
}

} // namespace
