// The clone information sheet shows what the radio reported in its last ID
// reply; its serial number cell copies the serial in the form the radio's
// label prints.
#include "HandlerTestFixture.h"

#include "cells/CellIdentifiers.h"

#include <string>
#include <vector>

namespace {

class CloneInfo : public HandlerTest
{
protected:
    CloneInfo() : HandlerTest(true) {}

    std::string draw(std::int32_t label)
    {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell);
        request.run(kHandlerDraw);
        return request.capsule.outputText;
    }
    void put(std::vector<std::uint8_t> &area, int at, const std::string &text)
    {
        std::copy(text.begin(), text.end(), area.begin() + at);
    }
    // An ID reply of a radio with everything filled in.
    std::vector<std::uint8_t> reported(const std::string &serial)
    {
        std::vector<std::uint8_t> area(127, 0);
        area[0] = 127;
        put(area, 1, "QX7315C         ");
        put(area, 17, "1.02");
        put(area, 21, "0.9 ");
        area[25] = 2;
        area[36] = 0x05;
        area[37] = 0x00; // 1280 x 10 kHz
        area[38] = 0x80;
        area[39] = 0x40;
        area[40] = 1;
        area[41] = 0xBE;
        area[42] = 0xEF;
        area[43] = 0x01;
        area[44] = 0x02;
        put(area, 60, serial);
        put(area, 72, "DEPOT 4");
        area[88] = 0xFF; // not a character: the comment ends before it
        return area;
    }
    void receive(const std::vector<std::uint8_t> &area)
    {
        model->SetCloneInformation(area.data(), static_cast<int>(area.size()));
    }
    void copySerial()
    {
        cmcCellObj cell = cellOf(CT_Null, CL_CloneInfo_Esn);
        Request request(cell);
        request.capsule.command = CL_PMenu_WinCopy;
        request.run(kHandlerAction);
    }
};

TEST_F(CloneInfo, ShowsWhatTheRadioReported)
{
    receive(reported("0A1B2C3D4E5F"));
    const std::pair<std::int32_t, const char *> cases[] = {
        {CL_CloneInfo_Model, "QX7315C"},    {CL_CloneInfo_Revision, "1.02"},
        {CL_CloneInfo_Revision_DSP, "0.9"}, {CL_CloneInfo_KeyBoard, "Keypad 2"},
        {CL_CloneInfo_PllRef, "12.80 MHz"}, {CL_CloneInfo_Option, "8040"},
        {CL_CloneInfo_OverVolt, "On"},      {CL_CloneInfo_Esn, "0A1B2C3D4E5F"},
        {CL_CloneInfo_CheckSum, "BEEF"},    {CL_CloneInfo_CheckSum_DSP, "0102"},
        {CL_CloneInfo_Comment1, "DEPOT 4"}, {CL_CloneInfo_Comment2, ""},
    };
    for (const auto &[label, text] : cases)
        EXPECT_EQ(draw(label), text) << cellLabelName(label);
}

// Before any radio answered there is nothing to show.
TEST_F(CloneInfo, EmptyBeforeAnyReply)
{
    for (std::int32_t label = CL_CloneInfo_Model; label <= CL_CloneInfo_Dummy; ++label)
        EXPECT_EQ(draw(label), "") << cellLabelName(label);
}

// Twelve hexadecimal digits go to the clipboard as two decimal numbers;
// anything else copies nothing.
TEST_F(CloneInfo, SerialNumberIsCopiedInDecimal)
{
    struct Case {
        const char *serial;
        const char *clipboard; // nullptr: nothing copied
    } cases[] = {
        {"0A1B2C3D4E5F", "101780797"},
        {"FF000001    ", nullptr},
        {"0A1B2C3D4E5G", nullptr},
    };
    for (const Case &c : cases) {
        receive(reported(c.serial));
        calls.clear();
        copySerial();
        if (c.clipboard == nullptr)
            EXPECT_TRUE(calls.empty()) << c.serial;
        else
            EXPECT_EQ(calls, std::vector<std::string>{std::string("clipboard ") + c.clipboard})
                << c.serial;
    }
}

} // namespace
