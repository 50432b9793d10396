// The 5-tone receive and transmit codes and the common 5-tone settings:
// codes typed and shown with the group tone and repeat digits, the model
// type's say in what a receive code keeps, and the common bytes.
#include "SignallingCells.h"

namespace {

constexpr std::int32_t kReceiveRows = 0x11AA8;
constexpr std::int32_t kTransmitCodes = 0x10414;
constexpr std::int32_t kTransmitRows = 0x118E8;
constexpr std::int32_t kGroupCode = 0x10E90;

std::int32_t receiveRow(int row) { return kReceiveRows + 44 * row; }
std::int32_t transmitCode(int row) { return kTransmitCodes + 4 * row; }
std::int32_t transmitRow(int row) { return kTransmitRows + 14 * row; }

class FiveToneCells : public SignallingCells
{
protected:
    void useModel(int type) { ASSERT_TRUE(model->ChangeModelType(type, false)); }
};

// The PMR model keeps repeat digits in the byte after the name; the LMR
// model's saving takes that byte from the template, so there a receive code
// is typed as a transmit code is.
TEST_F(FiveToneCells, ReceiveCodesKeepRepeatDigitsOnThePmrModelOnly)
{
    struct Case {
        int type;
        const char *typed;
        std::vector<std::uint8_t> code;
        std::uint8_t mask;
        const char *shown;
    } cases[] = {
        {1, "12+4", {0x12, 0x04, 0xFF, 0xFF}, 0x20, "12+4"},
        {1, "1*g5", {0x1E, 0xE5, 0xFF, 0xFF}, 0x00, "1**5"},
        {1, "12345678", {0x12, 0x34, 0x56, 0x78}, 0x00, "12345678"},
        {0, "12+4", {0x12, 0x4F, 0xFF, 0xFF}, 0x99, "124"},
        {0, "e*", {0xEE, 0xFF, 0xFF, 0xFF}, 0x99, "**"},
    };
    for (const Case &c : cases) {
        useModel(c.type);
        setByte(kGroupCode, 0x0E);
        setByte(receiveRow(5) + 28, 0x99);
        typeIntoCell(CT_RX_Code, CL_5TRx_RxCode, 5, c.typed);
        EXPECT_EQ(bytesAt(receiveRow(5), 4), c.code) << c.type << " " << c.typed;
        EXPECT_EQ(byteAt(receiveRow(5) + 28), c.mask) << c.type << " " << c.typed;
        EXPECT_EQ(shown(CT_RX_Code, CL_5TRx_RxCode, 5), c.shown) << c.type << " " << c.typed;
    }
}

// Codes as a radio may store them: ended early by a byte from F0 on, or a
// repeat mark beyond the code's digits; shown as far as they go, kept as
// they are.
TEST_F(FiveToneCells, StoredCodesAreShownAsFarAsTheyGo)
{
    useModel(1);
    setByte(kGroupCode, 0x0E);
    struct Case {
        std::vector<std::uint8_t> code;
        std::uint8_t mask;
        const char *shown;
    } cases[] = {
        {{0x12, 0xF3, 0x45, 0x67}, 0x00, "12"},
        {{0xFF, 0x12, 0x34, 0x56}, 0x00, ""},
        {{0x1F, 0x00, 0x00, 0x00}, 0x01, "1"},
        {{0xAB, 0xCD, 0xEF, 0xFF}, 0x40, "A+CD*"},
    };
    for (const Case &c : cases) {
        setBytes(receiveRow(1), c.code);
        setByte(receiveRow(1) + 28, c.mask);
        EXPECT_EQ(shown(CT_RX_Code, CL_5TRx_RxCode, 1), c.shown);
        EXPECT_EQ(bytesAt(receiveRow(1), 4), c.code);
    }
}

// The group tone is one digit of the common block that every code shows as
// '*'; a value no tone digit has is marked.
TEST_F(FiveToneCells, GroupToneIsTheDigitEveryCodeShowsAsAStar)
{
    setBytes(transmitCode(0), {0x1A, 0x2F, 0xFF, 0xFF});
    setByte(kGroupCode, 0x0E);
    EXPECT_EQ(shown(CT_TX_Code, CL_5TTx_TxCode, 0), "1A2");
    typeIntoCell(CT_Null, CL_5TTx_SpTone_Group, 0, "a");
    EXPECT_EQ(byteAt(kGroupCode), 0x0A);
    EXPECT_EQ(shown(CT_TX_Code, CL_5TTx_TxCode, 0), "1*2");
    EXPECT_EQ(shown(CT_TX_Code, CL_Select_TX_Code, 0), "1*2");

    setByte(kGroupCode, 0xFF);
    const ShownCell erased = drawCell(CT_Null, CL_5TTx_SpTone_Group, 0);
    EXPECT_EQ(erased.text, "F");
    EXPECT_TRUE(erased.warning);
    typeIntoCell(CT_Null, CL_5TTx_SpTone_Group, 0, "F");
    EXPECT_EQ(byteAt(kGroupCode), 0xFF) << "F is no tone digit";
}

// Bits the LMR model's saving takes from the template show dashes there and
// take no key; the special function does so on both models.
TEST_F(FiveToneCells, BitsKeptByTheTemplateShowDashes)
{
    struct Case {
        std::int32_t label;
        std::int32_t at;
        std::uint8_t bit;
        bool lmrDashes;
        bool pmrDashes;
    } cases[] = {
        {CL_5TRx_IdDec, 31, 0x40, true, false},
        {CL_5TRx_EmerCancel, 32, 0x80, true, false},
        {CL_5TRx_Sfunc, 30, 0x08, true, true},
        {CL_5TRx_Exo, 31, 0x80, false, false},
    };
    for (const int type : {0, 1}) {
        useModel(type);
        for (const Case &c : cases) {
            setByte(receiveRow(4) + c.at, 0);
            const bool dashes = type == 0 ? c.lmrDashes : c.pmrDashes;
            const ShownCell cell = drawCell(CT_RX_Code, c.label, 4);
            EXPECT_EQ(cell.text, dashes ? "----" : "Off") << type << cellLabelName(c.label);
            EXPECT_EQ(cell.silver, dashes) << type << cellLabelName(c.label);
            pressCell(CT_RX_Code, c.label, 4, ' ');
            EXPECT_EQ(byteAt(receiveRow(4) + c.at) & c.bit, dashes ? 0 : c.bit)
                << type << cellLabelName(c.label);
        }
    }
}

TEST_F(FiveToneCells, ReceiveCodeChoicesLandInTheirBits)
{
    useModel(1);
    struct Case {
        std::int32_t label;
        std::int32_t style;
        std::int32_t entry;
        std::int32_t at;
        std::uint8_t mask;
        std::uint8_t bits;
        const char *shown;
    } cases[] = {
        {CL_5TRx_Abc, Flex1, 32, 29, 0xFF, 32, "32"},
        {CL_5TRx_Beep, Flex0, 7, 30, 0x07, 0x07, "Pattern 7"},
        {CL_5TRx_Aud, Flex0, 1, 30, 0xC0, 0x40, "Open"},
        {CL_5TRx_Scan, Flex0, 3, 30, 0x30, 0x30, "Cancel scan"},
        {CL_5TRx_Bell, Flex0, 1, 31, 0x03, 0x01, "Once"},
        {CL_5TRx_Stun, Flex0, 1, 31, 0x18, 0x08, "Stun"},
        {CL_5TRx_AutoTx, Flex0, 1, 31, 0x20, 0x20, "On"},
        {CL_5TRx_IdDec, Flex0, 1, 31, 0x40, 0x40, "On"},
        {CL_5TRx_EmerCancel, Flex0, 1, 32, 0x80, 0x80, "On"},
        {CL_5Tone_RxCode_Rpt, Flex0, 2, 32, 0x60, 0x40, "2 times"},
    };
    for (const Case &c : cases) {
        setBytes(receiveRow(8) + 28, std::vector<std::uint8_t>(5, 0));
        answerCell(CT_RX_Code, c.label, 8, c.style, c.entry);
        EXPECT_EQ(byteAt(receiveRow(8) + c.at) & c.mask, c.bits) << cellLabelName(c.label);
        EXPECT_EQ(shown(CT_RX_Code, c.label, 8), c.shown) << cellLabelName(c.label);
        EXPECT_EQ(byteAt(receiveRow(7) + c.at), 0) << cellLabelName(c.label);
    }
}

// A transmit code chosen to be sent that holds no digit sends nothing.
TEST_F(FiveToneCells, ChoosingAnEmptyTransmitCodeIsMarked)
{
    setBytes(transmitCode(0), {0x12, 0x3F, 0xFF, 0xFF});
    setBytes(transmitCode(1), {0xFF, 0xFF, 0xFF, 0xFF});
    struct Case {
        std::int32_t code;
        bool warning;
    } cases[] = {{0, false}, {1, false}, {2, true}};
    for (const Case &c : cases) {
        answerCell(CT_RX_Code, CL_5TRx_Abc, 1, Flex1, c.code);
        answerCell(CT_Null, CL_5Tone_TxCodeCh_Long, 0, Flex1, c.code);
        EXPECT_EQ(drawCell(CT_RX_Code, CL_5TRx_Abc, 1).warning, c.warning) << c.code;
        EXPECT_EQ(drawCell(CT_Null, CL_5Tone_TxCodeCh_Long, 0).warning, c.warning) << c.code;
    }
}

TEST_F(FiveToneCells, TransmitCodesLandInTheirTwoRecords)
{
    setByte(kGroupCode, 0x0E);
    typeIntoCell(CT_TX_Code, CL_5TTx_TxCode, 31, "9+8g");
    EXPECT_EQ(bytesAt(transmitCode(31), 4), (std::vector<std::uint8_t>{0x98, 0xEF, 0xFF, 0xFF}))
        << "transmit codes have no repeat digits";
    typeIntoCell(CT_TX_Code, CL_5TTx_Text, 31, "BASE");
    EXPECT_EQ(textAt(transmitRow(31), 4), "BASE");
    EXPECT_EQ(shown(CT_TX_Code, CL_Select_TX_Text, 31), "BASE");

    // Digits 1 and 3 may be changed on the keypad: bits 7 and 5; bit 0 is
    // the update switch.
    setByte(transmitRow(31) + 12, 0x01);
    pressCell(CT_TX_Code, CL_5TTx_InputDigit, 31, '1');
    pressCell(CT_TX_Code, CL_5TTx_InputDigit, 31, '3');
    EXPECT_EQ(byteAt(transmitRow(31) + 12), 0xA1);
    EXPECT_EQ(shown(CT_TX_Code, CL_5TTx_InputDigit, 31), "1_3____\n");
    EXPECT_EQ(shown(CT_TX_Code, CL_5TTx_Update, 31), "On");

    struct Case {
        std::int32_t label;
        std::int32_t entry;
        std::uint8_t bits; // of byte 13
    } cases[] = {
        {CL_5TTx_AbcDec, 1, 0x80},
        {CL_5TTx_AbcAud, 1, 0x40},
        // Selectable is stored inverted.
        {CL_5TTx_Sel, 0, 0x10},
    };
    for (const Case &c : cases) {
        setByte(transmitRow(30) + 13, 0);
        answerCell(CT_TX_Code, c.label, 30, Flex0, c.entry);
        EXPECT_EQ(byteAt(transmitRow(30) + 13) & 0xD0, c.bits) << cellLabelName(c.label);
    }
}

TEST_F(FiveToneCells, CommonSettingsShowAndTakeTheirBytes)
{
    const CommonCase cases[] = {
        {CL_5TRx_LinkATimer, 0x10F08, 20, "  2.0", "3.5", 35},
        {CL_5TRx_IdDecodeTimer, 0x10F09, 0, "  0.0", "1", 10},
        {CL_5TRx_ExoTimer, 0x10F0A, 0, "Off", "30", 30},
        {CL_5TRx_AuxTimer, 0x10F0B, 5, "  5", "off", 0},
        {CL_5TRx_BeepRepeatTimer, 0x10F0C, 0, "Off", "12", 12},
        {CL_5TRx_AutoTxTimer, 0x10F0D, 3, "  0.3", "1.2", 12},
        {CL_5TTx_LongToneTimer, 0x10F29, 10, "  1.0", "2", 20},
        {CL_5TTx_LinkRTimer, 0x10F2A, 0, "  0.0", "0.4", 4},
        {CL_5TTx_Link1Timer, 0x10F2B, 0, "  0.0", "0.5", 5},
        {CL_5TTx_Link2Timer, 0x10F2C, 0, "  0.0", "0.6", 6},
        {CL_5TTx_LeadOutDelayTimer, 0x10F2D, 7, "  0.07", "0.2", 20},
        {CL_5TTx_AbcDecTimer, 0x10F2E, 0, "  0.0", "5", 50},
        {CL_5Tone_TxCodeCh_Long, 0x10F2F, 0, "Off", "12", 12},
        {CL_5TRx_CompareDigit, 0x11462, 0xF5, "5 digits", nullptr, 0xF6},
        {CL_5TRx_CompareTone, 0x11462, 0x0F, "Normal", nullptr, 0x1F},
        {CL_5TTx_DispDigit, 0x11462, 0x00, "Off", nullptr, 0x40},
        {CL_5TTx_PTTCallIna, 0x11462, 0x40, "Off", nullptr, 0xC0},
        {CL_5TTx_SpTone_Repeat, 0x11461, 0x12, "1", "e", 0xE2},
        {CL_5TTx_SpTone_Link2, 0x11461, 0x12, "2", "b", 0x1B},
        // Keys 1..9 and 0, two a byte, key 1 in the high half.
        {CL_5TTx_DispDigit1, 0x1145C, 0x00, "0", "1", 0x10},
        {CL_5TTx_DispDigit2, 0x1145C, 0x10, "0", "2", 0x12},
        {CL_5TTx_DispDigit9, 0x11460, 0x00, "0", "9", 0x90},
        {CL_5TTx_DispDigit0, 0x11460, 0x90, "0", "a", 0x9A},
    };
    checkCommonSettings(CT_Null, cases);
}

} // namespace
