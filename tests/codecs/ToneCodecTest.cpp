#include "codecs/ToneCodec.h"

#include "channels/datCh.h"

#include "CodecCases.h"

namespace {

using namespace codec_cases;

constexpr const char *kToneList = "GI_Sheet_Sel_Mch_CTone";

// The fixture's CTCSS list: 62.5 first, 88.5 tenth, 100.0 fourteenth.
constexpr std::int32_t k885 = 9;
constexpr std::int32_t k1000 = 13;

std::int32_t ctcss(std::int32_t index)
{
    ToneSetting tone;
    tone.flags = ToneSetting::kOn;
    tone.ctcss = static_cast<std::uint16_t>(index);
    return packTone(tone);
}

std::int32_t dtcs(std::uint16_t code, bool reverse)
{
    ToneSetting tone;
    tone.flags = ToneSetting::kOn | ToneSetting::kDtcs | (reverse ? ToneSetting::kDtcsReverse : 0);
    tone.dtcs = code;
    return packTone(tone);
}

constexpr std::int32_t kOff = 0;

TEST(ToneCodec, TypedTones)
{
    const CellCodec tone = editTone(ToneSide::Alone, kToneList);
    runCases({
        {"reverse DTCS", tone, kOff, typed("023i"), {"023i", dtcs(19, true)}},
        {"normal DTCS", tone, kOff, typed("754n"), {"754N", dtcs(492, false)}},
        {"polarity may be left out", tone, kOff, typed(" 023 "), {"023N", dtcs(19, false)}},
        {"not octal is looked up as CTCSS", tone, kOff, typed("089"), {"OFF"}},
        {"only CTCSS tone beginning with it", tone, kOff, typed("88"), {"88.5", ctcss(k885)}},
        {"one character matching several", tone, kOff, typed("1"), {"OFF"}},
        {"longer prefix matching several takes the first",
         tone,
         kOff,
         typed("10"),
         {"100.0", ctcss(k1000)}},
        {"no match", tone, ctcss(k885), typed("290"), {"88.5"}},
        {"CTCSS after DTCS clears it", tone, dtcs(19, true), typed("88.5"), {"88.5", ctcss(k885)}},
        {"empty", tone, ctcss(k885), typed(""), {"88.5"}},
    });
}

TEST(ToneCodec, KeysAndListAnswers)
{
    const CellCodec tone = editTone(ToneSide::Alone, kToneList);
    runCases({
        {"space switches DTCS polarity",
         tone,
         dtcs(19, false),
         key(kSpace),
         {"023i", dtcs(19, true)}},
        {"backspace switches it back",
         tone,
         dtcs(19, true),
         key(kBackspace),
         {"023N", dtcs(19, false)}},
        {"space steps CTCSS", tone, ctcss(k885), key(kSpace), {"91.5", ctcss(k885 + 1)}},
        {"the last tone steps to off", tone, ctcss(51), key(kSpace), {"OFF", kOff}},
        {"off steps round to the first tone", tone, kOff, key(kSpace), {"62.5", ctcss(0)}},
        {"enter opens the list",
         tone,
         ctcss(k885),
         key(kEnter),
         {"88.5", {}, CodecOpen::Kind::List}},
        {"printable key starts the editor", tone, ctcss(k885), key('7'), editorWith('7')},
        {"a tone chosen in the list",
         tone,
         dtcs(19, true),
         chosen(kToneListStyle, k885),
         {"88.5", ctcss(k885)}},
        {"off chosen in the list",
         tone,
         ctcss(k885),
         chosen(kToneListStyle, kToneOffItem),
         {"OFF", kOff}},
        {"the DTCS entry edits the code", tone, dtcs(19, true), chosen(kDtcsEntryStyle, 53),
         editorSelecting("023i")},
        {"an entry that is no tone changes nothing",
         tone,
         ctcss(k885),
         chosen(kToneListStyle, 70),
         {"88.5"}},
    });
}

TEST(ToneCodec, EnterOpensTheListAtTheToneItem)
{
    const CellCodec tone = editTone(ToneSide::Alone, kToneList);
    struct {
        std::int32_t stored;
        std::int32_t item;
    } cases[] = {{ctcss(k885), k885}, {kOff, kToneOffItem}, {dtcs(19, false), kToneDtcsItem}};
    for (const auto &c : cases) {
        const CodecAnswer answer = tone(c.stored, key(kEnter));
        EXPECT_EQ(answer.open.kind, CodecOpen::Kind::List);
        EXPECT_EQ(answer.open.key, kToneList);
        EXPECT_EQ(answer.open.style, kToneListStyle);
        EXPECT_EQ(answer.open.current, c.item);
    }
}

TEST(ToneCodec, TransmitSideAndBlankChannel)
{
    datCh record;
    record.FreqR = 146520000;
    record.CToneR = unpackTone(ctcss(k885));
    CodecRequest request = draw();
    request.record = &record;

    const CellCodec transmit = editTone(ToneSide::Transmit, kToneList);
    CodecAnswer answer = transmit(ctcss(k885), request);
    EXPECT_EQ(answer.text, "<-");
    EXPECT_EQ(answer.look.align, CodecLook::Align::Left);

    answer = transmit(ctcss(k1000), request);
    EXPECT_EQ(answer.text, "100.0");

    record.CToneR = ToneSetting{}; // both off: no arrow for an off tone
    answer = transmit(kOff, request);
    EXPECT_EQ(answer.text, "OFF");
    EXPECT_EQ(answer.look.colour, CodecLook::Colour::AsDescribed);

    record.FreqR = 0;
    answer = editTone(ToneSide::Receive, kToneList)(kOff, request);
    EXPECT_EQ(answer.look.colour, CodecLook::Colour::Olive);
}

TEST(ToneCodec, TransmitToneFollowsAnEqualReceiveTone)
{
    const ToneSetting a = unpackTone(ctcss(k885));
    const ToneSetting b = unpackTone(ctcss(k1000));
    const ToneSetting c = unpackTone(dtcs(19, true));
    EXPECT_EQ(transmitToneFollows(a, a, c), c);
    EXPECT_EQ(transmitToneFollows(a, b, c), b);
}

TEST(ToneCodec, PackedTonesRoundTrip)
{
    for (const std::int32_t packed :
         {kOff, ctcss(0), ctcss(51), ctcss(255), dtcs(0, false), dtcs(511, true)}) {
        EXPECT_EQ(packTone(unpackTone(packed)), packed);
    }
    for (std::uint8_t b0 : {0x00, 0x80, 0x40, 0x61, 0xE1, 0x1E}) {
        for (std::uint8_t b1 : {0x00, 0x17, 0xFF}) {
            const ToneSetting tone = ToneSetting::fromStored(b0, b1);
            EXPECT_EQ(unpackTone(packTone(tone)), tone) << int(b0) << " " << int(b1);
        }
    }
}

} // namespace
