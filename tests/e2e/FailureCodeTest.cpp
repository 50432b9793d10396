// Every failure the link can report, provoked end to end: a port that
// cannot be opened, a silent radio, and answers spoiled on their way over the
// line. Each ends with its result code and its message, never with a crash,
// and a failed read leaves the document as it was. The radio runs inside the
// test process, where the rig can see when it has answered: only a radio
// that really stays silent runs into a time-out.
#include "E2eRig.h"
#include "TamperingRadio.h"

#include "image/ImageWords.h"
#include "image/WorkingLayout.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <cctype>

namespace e2e {
namespace {

namespace wl = working_layout;

enum class Operation { Info, Read, Write };
enum class Radio { Present, None };
enum class Memory { Document, NoMakerText, NewerData };

constexpr int kFrameWithLetters = 0x0100; // "VORN Inc" in hex has letters
constexpr int kSomeFrame = 0x0040;

// The end of a read that still holds the whole parameter area.
int parameterAreaEnd(const Bytes &memory)
{
    return ((memory[wl::kEndAddress] << 8 | memory[wl::kEndAddress + 1]) | 0xF);
}

Bytes frameWithText(const std::string &text)
{
    const std::string frame = "\xFE\xFE\xEF\xEE\xE4" + text + "\xFD";
    return Bytes(frame.begin(), frame.end());
}

struct FailureCase {
    const char *name;
    Wire wire;
    Operation operation;
    Radio radio;
    vradio::FaultPlan faults;
    Memory memory;
    void (*tamper)(TamperingRadio &radio, const Bytes &memory);
    std::int32_t code;
};

// Spoiled answers. Reads that fail on their data stop at 0x03FF, so the
// radio need not send all of its memory.
void garbageFrame(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::rewriteDataFrame(
        kSomeFrame, [](const Bytes &) { return frameWithText("NOT HEX AT ALL"); }));
    tamper::shortRead(radio, 0x03FF, 0x03FF);
}

void oversizeFrame(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::rewriteDataFrame(
        kSomeFrame, [](const Bytes &) { return frameWithText(std::string(600, '0')); }));
    tamper::shortRead(radio, 0x03FF, 0x03FF);
}

void lowerCaseHex(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::rewriteDataFrame(kFrameWithLetters, [](const Bytes &frame) {
        Bytes out = frame;
        for (std::size_t i = 5; i + 1 < out.size(); ++i)
            out[i] = static_cast<std::uint8_t>(std::tolower(out[i]));
        return out;
    }));
    tamper::shortRead(radio, 0x03FF, 0x03FF);
}

void unknownCommand(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::rewriteDataFrame(kSomeFrame, [](const Bytes &frame) {
        Bytes out = frame;
        out[4] = 0xE7;
        return out;
    }));
    tamper::shortRead(radio, 0x03FF, 0x03FF);
}

void miscountedEnd(TamperingRadio &radio, const Bytes &)
{
    tamper::shortRead(radio, 0x03FF, 0x03FF);
    radio.addTamper(tamper::spoilEndCount());
}

void missingFrame(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::dropDataAt(0x0200));
    tamper::shortRead(radio, 0x03FF, 0x03FF);
}

void beyondTheRead(TamperingRadio &radio, const Bytes &)
{
    tamper::shortRead(radio, 0x03FF, 0x04FF);
}

void endNotAcknowledged(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::endAckCode(0x01));
}

void otherModel(TamperingRadio &radio, const Bytes &) { radio.addTamper(tamper::radioId1(0x3080)); }

void informationLengthWrong(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::informationByte(0, 100));
}

void newerMemoryMap(TamperingRadio &radio, const Bytes &)
{
    radio.addTamper(tamper::informationByte(35, 2));
}

// The read ends with the parameter area, which the image check and the
// model check need whole.
void wholeParameterArea(TamperingRadio &radio, const Bytes &memory)
{
    tamper::shortRead(radio, parameterAreaEnd(memory), parameterAreaEnd(memory));
}

constexpr Wire kPty = Wire::Pty;
constexpr Wire kTcp = Wire::Tcp;
constexpr Operation kInfo = Operation::Info;
constexpr Operation kRead = Operation::Read;
constexpr Operation kWrite = Operation::Write;
constexpr Memory kDocument = Memory::Document;
constexpr Radio kRadio = Radio::Present;
constexpr vradio::FaultPlan kNoFault{};

// clang-format off
const FailureCase kCases[] = {
    {"NoSuchDevice", kPty, kInfo, Radio::None, kNoFault, kDocument, nullptr, 2},
    {"NoUsableAddress", kTcp, kInfo, Radio::None, kNoFault, kDocument, nullptr, 2},
    {"SilentRadioOnThePseudoTerminal", kPty, kInfo, kRadio, {.stopAfterAnswers = 0}, kDocument, nullptr, 5},
    {"RadioFallsSilentDuringTheRead", kTcp, kRead, kRadio, {.stopAfterAnswers = 40}, kDocument, nullptr, 5},
    {"WrongChecksum", kTcp, kRead, kRadio, {.corruptDataFrame = 3}, kDocument, nullptr, 6},
    {"BlockRefused", kTcp, kWrite, kRadio, {.refuseBlock = 1}, kDocument, nullptr, 6},
    {"GarbageFrame", kTcp, kRead, kRadio, kNoFault, kDocument, garbageFrame, 6},
    {"OversizeFrame", kTcp, kRead, kRadio, kNoFault, kDocument, oversizeFrame, 6},
    {"LowerCaseHex", kTcp, kRead, kRadio, kNoFault, kDocument, lowerCaseHex, 6},
    {"UnknownCommand", kTcp, kRead, kRadio, kNoFault, kDocument, unknownCommand, 6},
    {"EndFrameMiscounts", kTcp, kRead, kRadio, kNoFault, kDocument, miscountedEnd, 7},
    {"FrameMissing", kTcp, kRead, kRadio, kNoFault, kDocument, missingFrame, 8},
    {"AddressesOutsideTheRead", kTcp, kRead, kRadio, kNoFault, kDocument, beyondTheRead, 9},
    {"EndNotAcknowledged", kPty, kWrite, kRadio, kNoFault, kDocument, endNotAcknowledged, 10},
    {"OtherModel", kTcp, kInfo, kRadio, kNoFault, kDocument, otherModel, 11},
    {"InformationLengthWrong", kTcp, kRead, kRadio, kNoFault, kDocument, informationLengthWrong, 11},
    {"NewerMemoryMap", kTcp, kInfo, kRadio, kNoFault, kDocument, newerMemoryMap, 14},
    {"ImageCheckFails", kTcp, kRead, kRadio, kNoFault, Memory::NoMakerText, wholeParameterArea, 15},
    {"DataOfANewerProgram", kTcp, kRead, kRadio, kNoFault, Memory::NewerData, wholeParameterArea, 16},
};
// clang-format on

class FailureCodeTest : public ModelRig, public ::testing::WithParamInterface<FailureCase>
{
protected:
    Bytes memoryFor(Memory kind)
    {
        Bytes memory = documentLayout(false, [kind](cmcEeprom &image) {
            if (kind == Memory::NewerData)
                image.SetByte(wl::kNewerDataMark, 1);
        });
        if (kind == Memory::NoMakerText)
            memory[wl::kMakerText] = 'W';
        return memory;
    }

    // Starts the radio of the case, faults and rewrites in place, and points
    // the link at it.
    bool startRadioOf(const FailureCase &c)
    {
        if (c.radio == Radio::None) {
            if (c.wire == Wire::Pty)
                useDevice("/dev/quillon-e2e-no-such-device");
            else
                useTcp(7000, "300.0.0.1");
            return true;
        }
        const Bytes memory = memoryFor(c.memory);
        vradio::RadioSetup setup;
        setup.faults = c.faults;
        if (!startRadio(c.wire, memory, setup))
            return false;
        if (c.tamper != nullptr)
            c.tamper(radio(), memory);
        return true;
    }

    void runOperation(Operation operation)
    {
        switch (operation) {
        case Operation::Info:
            model->CloneInfo();
            break;
        case Operation::Read:
            model->CloneRead();
            break;
        case Operation::Write:
            documentLayout(true);
            model->MarkSaved();
            model->CloneWriteCommand();
            break;
        }
    }
};

TEST_P(FailureCodeTest, EndsWithItsCodeAndMessage)
{
    const FailureCase &c = GetParam();
    ASSERT_TRUE(startRadioOf(c));
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());
    recorder.clear();

    runOperation(c.operation);
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastCode(), c.code);

    const std::string head = mainTextDatabase().GetLine("GI_Mess_CloneErr_Head", c.code);
    ASSERT_FALSE(head.empty());
    ASSERT_NE(head[0], '#');
    const std::string expected =
        indCloneMan::ErrorText(c.code, c.wire == Wire::Tcp, settings_.comPort);
    ASSERT_FALSE(recorder.shown().empty());
    const auto &shown = recorder.shown().back();
    EXPECT_EQ(shown.text, expected);
    EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
    EXPECT_EQ(shown.caption, "Quillon(dPMR)");
    if (c.code != clonecode::kPortNotOpened) {
        EXPECT_EQ(shown.text.substr(0, head.size() + 2), head + "\n\n");
    }

    if (c.operation == Operation::Read) {
        EXPECT_TRUE(model->WorkingImage().Equals(before));
        EXPECT_FALSE(model->IsModified());
        EXPECT_EQ(model->ReceivedImage().GetSize(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, FailureCodeTest, ::testing::ValuesIn(kCases),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

} // namespace
} // namespace e2e
