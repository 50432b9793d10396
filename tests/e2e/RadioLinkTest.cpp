// The clone commands of the model object, over the real serial and TCP
// transports, against the virtual radio on a pseudo-terminal or a TCP port.
// The radio runs inside the test process, where the rig sees when it has
// answered, so the driver's time-outs cannot fire while an answer is still on
// its way; the radio program itself is run by the command-line tests.
#include "E2eRig.h"

#include "MemoryFile.h"

#include "link/PortMap.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "platform/RegistryStore.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QSerialPort>

#include <algorithm>

namespace e2e {
namespace {

// A radio that was never written: zero but for the identification bytes.
Bytes blankMemory() { return vradio::MemoryFile::blankMemory(kRadioBytes); }

vradio::RadioSetup withPassword(const char *password, int noise = 0)
{
    vradio::RadioSetup setup;
    setup.password = password;
    setup.faults.noiseBytes = noise;
    return setup;
}

using RadioLinkTest = ModelRig;

class EveryWireTest : public RadioLinkTest, public ::testing::WithParamInterface<Wire>
{};

TEST_P(EveryWireTest, IdentifiesTheRadio)
{
    ASSERT_TRUE(startRadio(GetParam(), blankMemory()));
    model->CloneInfo();
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastKind(), clonekind::kIdRead);
    EXPECT_EQ(lastCode(), 0);
    EXPECT_EQ(model->CloneIdBytes(), (std::array<std::uint8_t, 4>{0x30, 0x79, 0x00, 0x00}));
    const auto &information = model->CloneInformation();
    EXPECT_EQ(information[0], 127);
    EXPECT_EQ(information[35], 1);
    EXPECT_EQ(std::string(information.begin() + 56, information.begin() + 60), "FF7F");
    EXPECT_TRUE(recorder.shown().empty());
}

struct ReadCase {
    const char *name;
    Wire wire;
    const char *password;
    // Garbage bytes before every frame the radio sends.
    int noise;
};

class ReadTest : public RadioLinkTest, public ::testing::WithParamInterface<ReadCase>
{};

// The image the read leaves equals the radio's memory byte for byte, the
// adjustment area at the start included.
TEST_P(ReadTest, TakesTheWholeMemoryByteForByte)
{
    const ReadCase &c = GetParam();
    Bytes memory = documentLayout();
    // Adjustment bytes only this radio has (the identification starts at
    // 0x90).
    for (std::size_t a = 0; a < 0x80; ++a)
        memory[a] = static_cast<std::uint8_t>(a * 7 + 3);
    ASSERT_TRUE(startRadio(c.wire, memory, withPassword(c.password, c.noise)));
    settings_.clonePassword = c.password;
    model->CloneRead();
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastKind(), clonekind::kRead);
    ASSERT_EQ(lastCode(), 0);
    EXPECT_EQ(radioPart(model->ReceivedImage()), memory);
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 0x80,
                           radioPart(model->WorkingImage()).begin()));
    EXPECT_EQ(model->TitleText(), "Untitled[*] - Quillon(dPMR)");
    EXPECT_TRUE(model->IsModified());
    EXPECT_TRUE(recorder.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Reads, ReadTest,
                         ::testing::Values(ReadCase{"NoisyPseudoTerminal", Wire::Pty, "", 3},
                                           ReadCase{"PasswordOverTcp", Wire::Tcp, "k3y", 0}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

// The user stops a read while the radio's memory is on its way: the document
// stays as it was, nothing is kept, no error is shown, and the link is free
// again. Over TCP the radio takes the next connection afresh, so the next
// read gets the whole memory; a radio on a serial line goes on sending what
// it started, so there the port must only be free to open.
TEST_P(EveryWireTest, StoppedReadLeavesTheDocumentAndTheLinkFree)
{
    const Bytes memory = documentLayout();
    ASSERT_TRUE(startRadio(GetParam(), memory));
    bool asked = false;
    radio().addTamper(tamper::rewriteDataFrame(0x4000, [this, &asked](const Bytes &frame) {
        if (!asked)
            asked = model->CloneManager().Cancel();
        return frame;
    }));
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());
    model->CloneRead();
    ASSERT_TRUE(runUntilRest());
    ASSERT_TRUE(asked);
    EXPECT_EQ(lastKind(), clonekind::kRead);
    EXPECT_EQ(lastCode(), clonecode::kCancelled);
    EXPECT_TRUE(model->WorkingImage().Equals(before));
    EXPECT_FALSE(model->IsModified());
    EXPECT_EQ(model->LastBackupPath(), "");
    EXPECT_TRUE(recorder.shown().empty());

    if (GetParam() == Wire::Pty) {
        QSerialPort port(
            QString::fromStdString(platform::RegistryStore::readString(
                                       PortMap::settingsKey(), PortMap::overrideName(kComPort))
                                       .value_or("")));
        EXPECT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        return;
    }
    model->CloneRead();
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastKind(), clonekind::kRead);
    ASSERT_EQ(lastCode(), 0);
    EXPECT_EQ(radioPart(model->ReceivedImage()), memory);
}

INSTANTIATE_TEST_SUITE_P(Wires, EveryWireTest, ::testing::Values(Wire::Pty, Wire::Tcp),
                         [](const auto &wire) { return std::string(wireName(wire.param)); });

TEST_F(RadioLinkTest, ProtectedRadioStopsAReadWithoutItsPassword)
{
    ASSERT_TRUE(startRadio(Wire::Tcp, blankMemory(), withPassword("k3y")));
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());
    model->CloneRead();
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastKind(), clonekind::kIdRead);
    EXPECT_EQ(lastCode(), 0);
    EXPECT_TRUE(model->WorkingImage().Equals(before));
    EXPECT_FALSE(model->IsModified());
}

struct WriteCase {
    const char *name;
    Wire wire;
    bool makerMode;
    const char *password;
    std::int32_t firstAddress;
};

class WriteTest : public RadioLinkTest, public ::testing::WithParamInterface<WriteCase>
{};

// What the radio keeps is the prepared radio layout from the first address
// of the write to the end of the block holding the image's end address;
// the rest of its memory stays as it was.
TEST_P(WriteTest, RadioKeepsThePreparedRadioLayout)
{
    const WriteCase &c = GetParam();
    documentLayout(true);
    const Bytes before = blankMemory();
    ASSERT_TRUE(startRadio(c.wire, before, withPassword(c.password)));
    settings_.clonePassword = c.password;
    if (c.makerMode)
        model->EnterMakerMode();
    model->CloneWriteCommand();
    ASSERT_TRUE(runUntilRest());
    EXPECT_EQ(lastKind(), clonekind::kWrite);
    ASSERT_EQ(lastCode(), 0);
    EXPECT_EQ(recorder.shown().back().text,
              mainTextDatabase().GetText("GI_Mess_CloneWrite_Succeeded"));

    const indMain::CloneWritePlan plan = model->TakePendingCloneWrite();
    ASSERT_NE(plan.image, nullptr);
    ASSERT_EQ(plan.ranges[0].first, c.firstAddress);
    const auto last = static_cast<std::size_t>(plan.ranges[0].last);
    Bytes expected = before;
    const Bytes sent = radioPart(*plan.image);
    std::copy(sent.begin() + c.firstAddress, sent.begin() + static_cast<std::ptrdiff_t>(last) + 1,
              expected.begin() + c.firstAddress);
    EXPECT_EQ(radio().memory(), expected);
}

INSTANTIATE_TEST_SUITE_P(Writes, WriteTest,
                         ::testing::Values(WriteCase{"Normal", Wire::Pty, false, "", 0x0100},
                                           WriteCase{"MakerMode", Wire::Pty, true, "", 0x0000},
                                           WriteCase{"PasswordProtected", Wire::Pty, false, "k3y",
                                                     0x0100},
                                           WriteCase{"OverTcp", Wire::Tcp, false, "", 0x0100}),
                         [](const auto &testCase) { return std::string(testCase.param.name); });

} // namespace
} // namespace e2e
