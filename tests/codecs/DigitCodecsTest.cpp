#include "TextCodecCases.h"

#include "codecs/DigitCodecs.h"

namespace {

using namespace text_codec_cases;

// --- DTMF digits: the digits one a byte, then the count ---

CellBytes dtmf(std::vector<std::uint8_t> digits, std::uint32_t count, std::size_t area = 24)
{
    digits.resize(area, 0);
    for (int shift = 24; shift >= 0; shift -= 8)
        digits.push_back(static_cast<std::uint8_t>(count >> shift));
    return digits;
}

TEST(DtmfDigitsTest, TypedDigitsReplaceTheOldOnes)
{
    const CellCodec codec = editDtmfDigits(24);
    runCases(std::vector<BytesCase>{
        {"StarAndHash", codec, dtmf({}, 0), typed("12*#"), "12*#", dtmf({1, 2, 14, 15}, 4)},
        {"LettersInEitherCaseOthersDropped", codec, dtmf({}, 0), typed("a-b c9x"), "ABC9",
         dtmf({10, 11, 12, 9}, 4)},
        {"OldDigitsCleared", codec, dtmf({9, 9, 9, 9, 9}, 5), typed("1"), "1", dtmf({1}, 1)},
        {"EmptyClearsAll", codec, dtmf({9, 9}, 2), typed(""), "", dtmf({}, 0)},
        {"SameDigitsNoChange", codec, dtmf({1, 2}, 2), typed("12"), "12"},
        {"StopsAtTheMaximum", editDtmfDigits(4), dtmf({}, 0), typed("123456"), "1234",
         dtmf({1, 2, 3, 4}, 4)},
    });
}

TEST(DtmfDigitsTest, ShowsTheCountedDigits)
{
    const CellCodec codec = editDtmfDigits(24);
    std::vector<std::uint8_t> many(24, 5);
    runCases(std::vector<BytesCase>{
        {"FirstCountDigits", codec, dtmf({1, 2, 3}, 2), draw(), "12"},
        {"CountBeyondTheDigits", codec, dtmf(many, 200), draw(), std::string(24, '5')},
        {"NegativeCount", codec, dtmf({1}, 0xFFFFFFFF), draw(), ""},
        {"TooShortForACount", codec, CellBytes{1, 2}, draw(), ""},
    });
}

TEST(DtmfDigitsTest, KeysStartTheEditor)
{
    const CellCodec codec = editDtmfDigits(24);
    const CellBytes stored = dtmf({1, 2}, 2);
    CodecRequest offGrid = key(kEnter);
    offGrid.interactive = false;
    runCases(std::vector<BytesCase>{
        {"Enter", codec, stored, key(kEnter), "12", std::nullopt, editor(0, 2)},
        {"SpaceActsAsEnter", codec, stored, key(kSpace), "12", std::nullopt, editor(0, 2)},
        {"BackspaceActsAsEnter", codec, stored, key(kBackspace), "12", std::nullopt, editor(0, 2)},
        {"Digit", codec, stored, key('5'), "5", std::nullopt, editor(1, 0)},
        {"Hash", codec, stored, key('#'), "#", std::nullopt, editor(1, 0)},
        {"OtherKey", codec, stored, key('x'), "12"},
        {"OffTheGrid", codec, stored, offGrid, "12"},
    });
}

// --- 5-tone codes: 4 code bytes, then the mask number (receive codes) ---

constexpr std::int32_t kGroupCode = 0xE;

CellBytes code(std::vector<std::uint8_t> bytes, std::uint32_t mask = 0)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(mask >> shift));
    return bytes;
}

TEST(FiveToneTest, TypedCodes)
{
    const CellCodec receive = editFiveTone(FiveToneForm::Receive);
    const CellCodec transmit = editFiveTone(FiveToneForm::Transmit);
    const CellBytes blank = code({0xFF, 0xFF, 0xFF, 0xFF});
    runCases(std::vector<BytesCase>{
        {"RepeatDigit", receive, blank, typed("12+4", kGroupCode), "12+4",
         code({0x12, 0x04, 0xFF, 0xFF}, 0x20)},
        {"StarAndGAreTheGroupCode", receive, blank, typed("1*g", kGroupCode), "1**",
         code({0x1E, 0xEF, 0xFF, 0xFF})},
        {"UpperFEndsTheCode", receive, blank, typed("12F34", kGroupCode), "12",
         code({0x12, 0xFF, 0xFF, 0xFF})},
        {"LowerFIsDropped", receive, blank, typed("1f2", kGroupCode), "12",
         code({0x12, 0xFF, 0xFF, 0xFF})},
        {"EightDigitsAtMost", receive, blank, typed("123456789", kGroupCode), "12345678",
         code({0x12, 0x34, 0x56, 0x78})},
        {"FAloneClearsTheCode", receive, code({0x12, 0x34, 0xFF, 0xFF}), typed("F", kGroupCode), "",
         blank},
        {"NothingTakenLeavesTheCode", receive, code({0x12, 0x34, 0xFF, 0xFF}),
         typed("xyz", kGroupCode), "1234"},
        {"MaskNumberKeepsItsOtherBits", receive, code({0xFF, 0xFF, 0xFF, 0xFF}, 0x12345600),
         typed("1+", kGroupCode), "1+", code({0x10, 0xFF, 0xFF, 0xFF}, 0x12345640)},
        {"TransmitHasNoRepeatDigits", transmit, CellBytes{0xFF, 0xFF, 0xFF, 0xFF},
         typed("1+2", kGroupCode), "12", CellBytes{0x12, 0xFF, 0xFF, 0xFF}},
    });
}

TEST(FiveToneTest, ShowsTheStoredCode)
{
    const CellCodec receive = editFiveTone(FiveToneForm::Receive);
    runCases(std::vector<BytesCase>{
        {"OddCount", receive, code({0x12, 0x3F, 0xFF, 0xFF}), draw(kGroupCode), "123"},
        {"ByteFromF0EndsTheCode", receive, code({0x12, 0xF3, 0x45, 0x67}), draw(kGroupCode), "12"},
        {"GroupCodeAndRepeatDigit", receive, code({0x1E, 0x0F, 0xFF, 0xFF}, 0x20), draw(kGroupCode),
         "1*+"},
        {"TooShort", receive, CellBytes{0x12, 0x34, 0xFF, 0xFF}, draw(kGroupCode), ""},
        {"GKeyStartsTheEditor", receive, code({0x12, 0xFF, 0xFF, 0xFF}), key('G'), "G",
         std::nullopt, editor(1, 0)},
        {"PlusKeyStartsTheEditor", receive, code({0x12, 0xFF, 0xFF, 0xFF}), key('+'), "+",
         std::nullopt, editor(1, 0)},
        {"SpaceEditsTheCode", receive, code({0x12, 0xFF, 0xFF, 0xFF}, 0), key(kSpace), "12",
         std::nullopt, editor(0, 2)},
    });
}

// --- Identities ---

TEST(IdBcdTest, OwnUnitIdentitiesStayInTheirRange)
{
    const CellCodec codec = editIdBcd(kOwnUnitIdRange);
    runCases(std::vector<ValueCase>{
        {"ShortEntryIsPadded", codec, 0x00000010, typed("1234"), "0001234", 0x00012340},
        {"SixTrailingZerosRaised", codec, 0x00000010, typed("2000000"), "2000001", 0x20000010},
        {"AboveTheMaximum", codec, 0x00000010, typed("9999999"), "9999998", 0x99999980},
        {"ZeroIsTheMinimum", codec, 0x00012340, typed("0"), "0000001", 0x00000010},
        {"LongEntryIsAboveTheMaximum", codec, 0x00000010, typed("1234567890"), "9999998",
         0x99999980},
        {"WildcardRefused", codec, 0x00012340, typed("12*"), "0001234"},
        {"NothingTyped", codec, 0x00012340, typed("ab"), "0001234"},
        {"SameIdentity", codec, 0x00012340, typed("1234"), "0001234"},
        {"WildcardKeyIgnored", codec, 0x00012340, key('*'), "0001234"},
        {"DigitKey", codec, 0x00012340, key('7'), "7", std::nullopt, editor(1, 0)},
        {"Enter", codec, 0x00012340, key(kEnter), "0001234", std::nullopt, editor(0, 7)},
    });
}

// A wildcard may stand first, and then for the whole identity, or from the
// fourth digit on.
TEST(IdBcdTest, ListEntriesTakeWildcardsWhereTheyAreAllowed)
{
    const CellCodec codec = editIdBcd(kDpmrListIdRange);
    runCases(std::vector<ValueCase>{
        {"FromTheFourthDigit", codec, 0x00000010, typed("123****"), "123****", 0x123AAAA0},
        {"DigitsAfterAWildcardBecomeWildcards", codec, 0x00000010, typed("1234*67"), "1234***",
         0x1234AAA0},
        {"ThirdDigitRefused", codec, 0x00000010, typed("12*****"), "0000001"},
        {"SecondDigitRefused", codec, 0x00000010, typed("1******"), "0000001"},
        {"WholeIdentity", codec, 0x00000010, typed("*******"), "*******", 0xAAAAAAA0},
        {"FirstDigitThenDigitsRefused", codec, 0x00000010, typed("*123456"), "0000001"},
        {"PlainNumber", codec, 0x00000010, typed("7654321"), "7654321", 0x76543210},
        {"WildcardKey", codec, 0x00000010, key('*'), "*", std::nullopt, editor(1, 0)},
        {"Shown", codec, 0x123AAAA0, draw(), "123****"},
        {"DamagedDigitShown", codec, 0x1B3AAAA0, draw(), "1?3****"},
    });
}

// --- Hexadecimal strings ---

TEST(HexStringTest, TypedDigitsFillTheirNibbles)
{
    const CellCodec letters = editHexString(4, true);
    runCases(std::vector<BytesCase>{
        {"PaddedOnTheLeft", letters, CellBytes{0xFF, 0xFF}, typed("1a"), "001A",
         CellBytes{0x00, 0x1A}},
        {"CutToTheCount", letters, CellBytes{0, 0}, typed("12345"), "1234", CellBytes{0x12, 0x34}},
        {"LettersNotTaken", editHexString(4, false), CellBytes{0, 0}, typed("1a2"), "0012",
         CellBytes{0x00, 0x12}},
        {"OddCountLeavesTheLastHalf", editHexString(3, true), CellBytes{0xFF, 0xFF}, typed("123"),
         "123", CellBytes{0x12, 0x3F}},
        {"CountBeyondTheBytes", editHexString(8, true), CellBytes{0xAB, 0xCD}, draw(), "ABCD"},
        {"LetterKeyWithLetters", letters, CellBytes{0xAB, 0xCD}, key('e'), "e", std::nullopt,
         editor(1, 0)},
        {"LetterKeyWithout", editHexString(4, false), CellBytes{0xAB, 0xCD}, key('e'), "ABCD"},
    });
}

} // namespace
