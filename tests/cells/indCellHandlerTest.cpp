#include "HandlerTestFixture.h"

#include "cells/CellIdentifiers.h"
#include "cells/DrawPassRecords.h"
#include "cells/cmcFCache.h"
#include "image/cmcEeprom.h"
#include "support/ScopedTexts.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// --- A test family: the binding mechanism on storage the program's own
// families do not use yet ---

// Shows the value; Space steps it, Enter asks for the in-place editor.
CodecAnswer stepOnSpace(std::int32_t value, const CodecRequest &request)
{
    CodecAnswer answer{.text = std::to_string(value)};
    if (request.IsKey(' '))
        answer.value = value + 1;
    else if (request.IsEnter())
        answer.open = CodecOpen::Editor(0, 0);
    return answer;
}

void warnAboveFive(indCellHandler &frame, const CellBinding &, std::int32_t value)
{
    if (value > 5)
        frame.SetWarning();
    if (value > 9)
        frame.SetError();
}

// What the set-up found, kept by the probe row.
struct Probe {
    std::int32_t bank = -1;
    std::int32_t table = -1;
    std::int32_t bankFirst = -1;
    std::int32_t bankLast = -1;
    std::int32_t bankCount = -1;
    std::int32_t unitIdMax = -1;
    std::int32_t unitIdMin = -1;
    bool beyondEnd = false;
    std::int32_t recordKind = -1;
    std::int32_t recordIndex = -1;
    std::int32_t recordFrequency = -1;
    std::int32_t recordInhibit = -1;
};
Probe g_probe;

void probeFrame(indCellHandler &frame, const CellBinding &)
{
    g_probe = {frame.bank,        frame.table,        frame.bankFirst,    frame.bankLast,
               frame.bankCount,   frame.unitIdMax,    frame.unitIdMin,    frame.beyondEnd,
               frame.record.kind, frame.record.index, frame.record.FreqR, frame.record.Inh};
}

constexpr std::int32_t kSetModeByte = 0x109DC;

const CellBinding kTestRows[] = {
    {.label = CL_Maker_SDD,
     .storage = CellStorage::imageBits(kSetModeByte, 4, 4),
     .codec = stepOnSpace,
     .redrawOnChange = cmcCellCapsule::kRedrawLabelled,
     .rule = warnAboveFive},
    {.label = CL_Mch_Msk_Log, .storage = CellStorage::record(&datCh::Inh), .codec = stepOnSpace},
    {.label = CL_Dummy, .run = probeFrame, .flags = CellBinding::kShowsOnEmptyRow},
};

CellBindingRegistry testBindings()
{
    CellBindingRegistry registry;
    addProgramFamilies(registry);
    registry.Add(kTestRows);
    return registry;
}

// --- Dispatch -------------------------------------------------------------

TEST_F(HandlerTest, LabelWithoutBindingShowsItsIdentifierAndYet)
{
    cmcCellObj cell = cellOf(CT_Null, CL_Maker_NOISD);
    Request request(cell);
    EXPECT_EQ(request.run(kHandlerDraw), kHandlerNothing);
    EXPECT_EQ(request.capsule.outputText, std::to_string(CL_Maker_NOISD) + " *Yet*");
}

TEST_F(HandlerTest, EmptyLabelsAndSeparatorsShowNothing)
{
    for (std::int32_t label : {static_cast<std::int32_t>(CL_Null), kNoLabel,
                               static_cast<std::int32_t>(CL_Misc_QuarterPillar)}) {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell);
        request.capsule.outputText = "stale";
        request.run(kHandlerDraw);
        EXPECT_EQ(request.capsule.outputText, "") << label;
    }
}

TEST_F(HandlerTest, EveryRowOfTheProgramIsReachableByItsLabel)
{
    const CellBindingRegistry &program = programBindings();
    EXPECT_EQ(program.Find(CL_Menu_Port_ComList1), program.Find(CL_Menu_Port_ComList0));
    EXPECT_EQ(program.Find(CL_Menu_Debug_Window), program.Find(CL_Menu_Debug_Compare));
    EXPECT_EQ(program.Find(CL_Maker_NOISD), nullptr);
    EXPECT_EQ(program.Find(-1), nullptr);
    EXPECT_EQ(program.Find(kLabelCount), nullptr);
}

TEST_F(HandlerTest, SetUpReadsUnitIdsBankAndTable)
{
    setChannels({145000000, 146000000, 0});
    events.table = 7;
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Mch, CL_Dummy, 1);
    Request request(cell);
    request.run(kHandlerDraw, bindings);
    EXPECT_EQ(g_probe.unitIdMax, 16776415);
    EXPECT_EQ(g_probe.unitIdMin, 1);
    EXPECT_EQ(g_probe.bank, 0);
    EXPECT_EQ(g_probe.table, 7);
    EXPECT_EQ(g_probe.bankFirst, 0);
    EXPECT_EQ(g_probe.bankLast, 2);
    EXPECT_EQ(g_probe.bankCount, 3);
    EXPECT_FALSE(g_probe.beyondEnd);
    EXPECT_EQ(g_probe.recordKind, datCh::channelKind());
    EXPECT_EQ(g_probe.recordIndex, 1);
    EXPECT_EQ(g_probe.recordFrequency, 146000000);
}

// Painting decodes a row's record once for its cells; nothing decoded
// before a change may show after it.
TEST_F(HandlerTest, DrawPassesShowEachRowsOwnRecordAndNothingStale)
{
    setChannels({145000000, 146000000});
    const CellBindingRegistry bindings = testBindings();
    const auto probe = [&](std::int32_t index) {
        cmcCellObj cell = cellOf(CT_Mch, CL_Dummy, index);
        Request request(cell);
        request.run(kHandlerDraw, bindings);
        return g_probe;
    };
    const auto stepInhibit = [&](std::int32_t index) {
        cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Msk_Log, index);
        Request request(cell, ' ');
        request.run(kHandlerAction, bindings);
    };
    const auto setFrequency = [&](std::int32_t index, std::int32_t frequency) {
        datCh channel(&model->WorkingImage());
        channel.decode(datCh::channelKind(), index);
        channel.FreqR = frequency;
        channel.encode(datCh::kKindNone, index);
    };
    {
        const DrawPassRecords pass;
        EXPECT_EQ(probe(0).recordFrequency, 145000000);
        EXPECT_EQ(probe(1).recordFrequency, 146000000);
        EXPECT_EQ(probe(0).recordFrequency, 145000000);
        EXPECT_EQ(probe(0).recordInhibit, 0);
        // An action in the middle of a pass (a key typed while the window
        // repaints) is seen by the next draw of its row.
        stepInhibit(0);
        EXPECT_EQ(probe(0).recordInhibit, 1);
        EXPECT_EQ(probe(1).recordInhibit, 0);
    }
    // A change made outside a pass shows in the next one.
    {
        const DrawPassRecords pass;
        EXPECT_EQ(probe(1).recordFrequency, 146000000);
    }
    setFrequency(1, 147000000);
    {
        const DrawPassRecords outer;
        const DrawPassRecords inner;
        EXPECT_EQ(probe(1).recordFrequency, 147000000);
    }
    setFrequency(1, 148000000);
    EXPECT_EQ(probe(1).recordFrequency, 148000000);
}

TEST_F(HandlerTest, BankTheModelDoesNotHaveHasNoChannels)
{
    setChannels({145000000});
    events.bank = 1;
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Mch, CL_Dummy, 0);
    Request request(cell);
    request.run(kHandlerDraw, bindings);
    EXPECT_EQ(g_probe.bankCount, 0);
    EXPECT_TRUE(g_probe.beyondEnd);
}

TEST_F(HandlerTest, UnansweredBankQueryCountsAsBankZero)
{
    setChannels({145000000, 146000000});
    events.answerBank = false;
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Mch, CL_Dummy, 2);
    Request request(cell);
    request.run(kHandlerDraw, bindings);
    EXPECT_EQ(g_probe.bank, 0);
    EXPECT_EQ(g_probe.bankCount, 2);
    EXPECT_TRUE(g_probe.beyondEnd);
}

TEST_F(HandlerTest, SetUpClearsTheAnswerAndPresetsTheJump)
{
    cmcCellObj cell = cellOf(CT_Scan, CL_Misc_QuarterPillar, 4);
    Request request(cell);
    request.capsule.outputText = "old";
    request.capsule.stateBits = 0xFF;
    request.run(kHandlerDraw);
    EXPECT_EQ(request.capsule.outputText, "");
    EXPECT_EQ(request.capsule.stateBits,
              0xFF & ~(cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError));
    EXPECT_EQ(request.capsule.jumpCategory, CT_Scan);
    EXPECT_EQ(request.capsule.jumpLabel, CL_Misc_QuarterPillar);
    EXPECT_EQ(request.capsule.jumpIndex, 4);
    EXPECT_EQ(request.capsule.jumpRequest, 0u);
}

TEST_F(HandlerTest, ContextMenuCellDecodesTheCellItWasOpenedFor)
{
    setChannels({145000000, 146000000});
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj opener = cellOf(CT_Mch, CL_Mch_FreqR, 1);
    cmcCellCapsule origin;
    origin.cell = &opener;
    cmcCellObj cell = cellOf(CT_PopupMenu, CL_Dummy, 0);
    Request request(cell);
    request.capsule.origin = &origin;
    request.run(kHandlerDraw, bindings);
    EXPECT_EQ(g_probe.recordIndex, 1);
    EXPECT_EQ(g_probe.recordFrequency, 146000000);
}

// --- The binding mechanism ------------------------------------------------

struct StorageCase {
    const char *name;
    CellStorage storage;
    std::int32_t index;
    std::vector<std::uint8_t> before; // from kSetModeByte on
    std::int32_t shown;
    std::vector<std::uint8_t> after; // once Space stepped the value
};

class StorageTest : public HandlerTest, public ::testing::WithParamInterface<StorageCase>
{};

// The value is read from its bits and written back into the same bits; the
// other bits of the bytes stay as they were.
TEST_P(StorageTest, StepsTheValueInItsOwnBits)
{
    const StorageCase &c = GetParam();
    const CellBinding rows[] = {
        {.label = CL_SetM_LcdContrast, .storage = c.storage, .codec = stepOnSpace}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcEeprom &image = model->WorkingImage();
    for (std::size_t i = 0; i < c.before.size(); ++i)
        image.SetByte(kSetModeByte + static_cast<std::int32_t>(i), c.before[i]);
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast, c.index);
    Request request(cell, ' ');
    request.run(kHandlerAction, bindings);
    EXPECT_EQ(request.capsule.outputText, std::to_string(c.shown));
    for (std::size_t i = 0; i < c.after.size(); ++i)
        EXPECT_EQ(image.GetByte(kSetModeByte + static_cast<std::int32_t>(i)), c.after[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, StorageTest,
    ::testing::Values(
        StorageCase{"HighNibble", CellStorage::imageBits(kSetModeByte, 4, 4), 0, {0x5A}, 5, {0x6A}},
        StorageCase{"LowBit", CellStorage::imageBits(kSetModeByte, 0, 1), 0, {0x5A}, 0, {0x5B}},
        StorageCase{"FieldWrapsWithoutTouchingItsNeighbours",
                    CellStorage::imageBits(kSetModeByte, 4, 4),
                    0,
                    {0xFA},
                    15,
                    {0x0A}},
        StorageCase{"TwelveBitsOverTwoBytes",
                    CellStorage::imageBits(kSetModeByte, 4, 12),
                    0,
                    {0x12, 0x3F},
                    0x123,
                    {0x12, 0x4F}},
        StorageCase{"ByteOfTheCellIndex",
                    CellStorage::imageByte(kSetModeByte, 1),
                    2,
                    {0x01, 0x02, 0x7F, 0x04},
                    0x7F,
                    {0x01, 0x02, 0x80, 0x04}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// --- Values of bytes ------------------------------------------------------

CellBytes g_seenBytes;
std::int32_t g_seenContext = -1;

struct NoParameters {};

// Shows the bytes in hexadecimal; Space adds one to each byte, and the
// answer of a window stores the window's text.
CodecAnswer stepBytesOnSpace(const NoParameters &, CellCodec::Bytes bytes,
                             const CodecRequest &request)
{
    g_seenBytes.assign(bytes.begin(), bytes.end());
    g_seenContext = request.context;
    CodecAnswer answer;
    for (std::uint8_t byte : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", byte);
        answer.text += hex;
    }
    if (request.IsKey(' ')) {
        CellBytes next(bytes.begin(), bytes.end());
        for (std::uint8_t &byte : next)
            ++byte;
        answer.bytes = next;
    } else if (request.kind == CodecRequest::Kind::Chosen) {
        answer.bytes = CellBytes(request.typed.begin(), request.typed.end());
    }
    return answer;
}

const CellCodec kBytesCodec(stepBytesOnSpace, NoParameters{});

// A byte range of the image, found by the cell index, is read and written
// back without touching its neighbours.
TEST_F(HandlerTest, ImageBytesOfTheCellIndexStepAsOneValue)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageBytes(kSetModeByte + 1, 2, 3),
                                 .codec = kBytesCodec}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcEeprom &image = model->WorkingImage();
    for (std::int32_t i = 0; i < 8; ++i)
        image.SetByte(kSetModeByte + i, static_cast<std::uint8_t>(i));
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast, 1);
    Request request(cell, ' ');
    request.run(kHandlerAction, bindings);
    EXPECT_EQ(request.capsule.outputText, "0405");
    const std::vector<std::uint8_t> expected = {0, 1, 2, 3, 5, 6, 6, 7};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(image.GetByte(kSetModeByte + static_cast<std::int32_t>(i)), expected[i]) << i;
}

// Record members in a row make one value: arrays as their bytes, numbers as
// four bytes, most significant first. A shorter answer changes only the
// bytes it holds, and the record is written back at once.
TEST_F(HandlerTest, RecordMembersMakeOneByteValue)
{
    setChannels({145000000, 146000000});
    const CellBinding rows[] = {{.label = CL_Mch_Text,
                                 .storage = CellStorage::recordBytes<&datCh::Text, &datCh::FreqR>(),
                                 .codec = kBytesCodec}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Text, 1);
    Request draw(cell);
    draw.run(kHandlerDraw, bindings);
    ASSERT_EQ(g_seenBytes.size(), 28u);
    const CellBytes frequency(g_seenBytes.end() - 4, g_seenBytes.end());
    EXPECT_EQ(frequency, (CellBytes{0x08, 0xB3, 0xC8, 0x80})); // 146000000

    cmcCellObj window = cellOf(CT_Null, Flex0);
    cmcCellCapsule answering;
    answering.cell = &window;
    Request answer(cell);
    answer.capsule.origin = &answering;
    answer.capsule.inputMode = cmcCellCapsule::kInputChosen;
    answer.capsule.inputText = "NAME";
    answer.run(kHandlerAction, bindings);
    datCh channel(&model->WorkingImage());
    channel.decode(datCh::channelKind(), 1);
    EXPECT_EQ(std::string(channel.Text.begin(), channel.Text.begin() + 4), "NAME");
    EXPECT_EQ(channel.FreqR, 146000000);
    ASSERT_FALSE(answer.masks.empty());
    EXPECT_NE(answer.masks.back() & cmcCellCapsule::kRedrawSameIndex, 0u);
}

// The row's second value reaches the codec read-only.
TEST_F(HandlerTest, ContextValueReachesTheCodec)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageBytes(kSetModeByte + 1, 1),
                                 .codec = kBytesCodec,
                                 .context = CellStorage::imageBits(kSetModeByte, 2, 1)}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    for (const std::uint8_t flags : {0x04, 0xFB}) {
        model->WorkingImage().SetByte(kSetModeByte, flags);
        Request request(cell, ' ');
        request.run(kHandlerAction, bindings);
        EXPECT_EQ(g_seenContext, flags == 0x04 ? 1 : 0);
        EXPECT_EQ(model->WorkingImage().GetByte(kSetModeByte), flags);
    }
}

// A codec of numbers on bytes (or the other way round) is a broken row.
TEST_F(HandlerTest, StorageAndCodecOfDifferentShapesStopTheProgram)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageBytes(kSetModeByte, 2),
                                 .codec = stepOnSpace},
                                {.label = CL_Maker_SDD,
                                 .storage = CellStorage::imageByte(kSetModeByte),
                                 .codec = kBytesCodec}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    for (const std::int32_t label : {CL_SetM_LcdContrast, CL_Maker_SDD}) {
        cmcCellObj cell = cellOf(CT_Null, label);
        Request request(cell);
        EXPECT_DEATH(request.run(kHandlerDraw, bindings), "cannot be used");
    }
}

TEST_F(HandlerTest, ChangedValueWidensTheRedrawAndRuleSetsTheMarks)
{
    const CellBindingRegistry bindings = testBindings();
    model->WorkingImage().SetByte(kSetModeByte, 0x50);
    cmcCellObj cell = cellOf(CT_Null, CL_Maker_SDD);
    Request request(cell, ' ');
    request.run(kHandlerAction, bindings);
    EXPECT_EQ(model->WorkingImage().GetByte(kSetModeByte), 0x60);
    EXPECT_EQ(request.masks, std::vector<std::uint32_t>{cmcCellCapsule::kRedrawSameCell |
                                                        cmcCellCapsule::kRedrawLabelled});
    EXPECT_EQ(request.capsule.stateBits & cmcCellCapsule::kStateWarning,
              cmcCellCapsule::kStateWarning);
    EXPECT_EQ(request.capsule.stateBits & cmcCellCapsule::kStateError, 0);
}

TEST_F(HandlerTest, UnchangedValueRedrawsOnlyTheCell)
{
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Null, CL_Maker_SDD);
    Request request(cell, 'x');
    request.run(kHandlerAction, bindings);
    EXPECT_EQ(request.masks, std::vector<std::uint32_t>{cmcCellCapsule::kRedrawSameCell});
}

TEST_F(HandlerTest, DrawRequestsAskForNoRedraw)
{
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Null, CL_Maker_SDD);
    Request request(cell);
    request.run(kHandlerDraw, bindings);
    EXPECT_TRUE(request.masks.empty());
}

TEST_F(HandlerTest, CodecAsksForTheEditor)
{
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Null, CL_Maker_SDD);
    Request request(cell, cmcCellCapsule::kCodeEnter);
    EXPECT_EQ(request.run(kHandlerAction, bindings), kHandlerOpenEditor);
}

// A run of labels bound by one row: each label of the run reads and writes
// its own byte, two bytes after the one before.
TEST_F(HandlerTest, LabelsOfARunFindTheirOwnValues)
{
    const CellBinding rows[] = {{.label = CL_EeDebugWin_0,
                                 .lastLabel = CL_EeDebugWin_3,
                                 .storage = CellStorage::imageByte(kSetModeByte).stepPerLabel(2),
                                 .codec = stepOnSpace}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcEeprom &image = model->WorkingImage();
    const std::vector<std::uint8_t> before = {10, 0xEE, 20, 0xEE, 30, 0xEE, 40};
    for (std::size_t i = 0; i < before.size(); ++i)
        image.SetByte(kSetModeByte + static_cast<std::int32_t>(i), before[i]);
    cmcCellObj third = cellOf(CT_Null, CL_EeDebugWin_2);
    Request step(third, ' ');
    step.run(kHandlerAction, bindings);
    EXPECT_EQ(step.capsule.outputText, "30");
    const std::vector<std::uint8_t> expected = {10, 0xEE, 20, 0xEE, 31, 0xEE, 40};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(image.GetByte(kSetModeByte + static_cast<std::int32_t>(i)), expected[i]) << i;
    cmcCellObj last = cellOf(CT_Null, CL_EeDebugWin_3);
    EXPECT_EQ(indCellHandler::TextOf(last, 0, bindings), "40");
}

// --- What a codec sees and what its answer does ---------------------------

CodecRequest g_seen;
CodecAnswer g_answer;

CodecAnswer answerAsTold(std::int32_t, const CodecRequest &request)
{
    g_seen = request;
    return g_answer;
}

struct RequestCase {
    const char *name;
    std::int32_t code;
    std::uint32_t inputMode;
    const char *typed;
    bool onGrid;
    CodecRequest::Kind kind;
};

class CodecRequestTest : public HandlerTest, public ::testing::WithParamInterface<RequestCase>
{};

TEST_P(CodecRequestTest, TellsTheCodecWhatTheCellAsks)
{
    const RequestCase &c = GetParam();
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageByte(kSetModeByte),
                                 .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    g_answer = {};
    cmcCellObj chosen = cellOf(CT_Null, Flex0, 7);
    cmcCellCapsule list;
    list.cell = &chosen;
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast, 3);
    cell.SetText("own text");
    Request request(cell, c.code);
    request.capsule.inputMode = c.inputMode;
    request.capsule.inputText = c.typed;
    request.capsule.origin = &list;
    request.capsule.grid = c.onGrid ? reinterpret_cast<cuiGrid *>(&list) : nullptr;
    request.run(c.code == 0 && c.inputMode == 0 ? kHandlerDraw : kHandlerAction, bindings);
    EXPECT_EQ(g_seen.kind, c.kind);
    EXPECT_EQ(g_seen.interactive, c.onGrid);
    EXPECT_EQ(g_seen.index, 3);
    EXPECT_EQ(g_seen.cellText, "own text");
    if (c.kind == CodecRequest::Kind::Key) {
        EXPECT_EQ(g_seen.code, c.code);
    }
    if (c.kind == CodecRequest::Kind::Typed) {
        EXPECT_EQ(g_seen.typed, c.typed);
    }
    if (c.kind == CodecRequest::Kind::Chosen) {
        EXPECT_EQ(g_seen.chosenStyle, Flex0);
        EXPECT_EQ(g_seen.chosenEntry, 7);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CodecRequestTest,
    ::testing::Values(
        RequestCase{"Draw", 0, cmcCellCapsule::kInputKey, "", true, CodecRequest::Kind::Draw},
        RequestCase{"KeyOnTheGrid", ' ', cmcCellCapsule::kInputKey, "", true,
                    CodecRequest::Kind::Key},
        RequestCase{"MenuClick", 13, cmcCellCapsule::kInputKey, "", false, CodecRequest::Kind::Key},
        RequestCase{"TypedText", 0, cmcCellCapsule::kInputText, "146.52", true,
                    CodecRequest::Kind::Typed},
        RequestCase{"ListAnswer", 0, cmcCellCapsule::kInputChosen, "", true,
                    CodecRequest::Kind::Chosen}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, EnterAliasReachesTheCodecAsEnter)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast, .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    Request request(cell, cmcCellCapsule::kCodeEnterAlias);
    request.run(kHandlerAction, bindings);
    EXPECT_TRUE(g_seen.IsEnter());
}

struct AnswerCase {
    const char *name;
    CodecAnswer answer;
    std::int32_t mode;
    std::int32_t result;
    std::vector<std::string> calls; // what the window was asked
    std::optional<std::uint32_t> colour;
    int horizontalAlign;
    int userFlags;
};

class CodecAnswerTest : public HandlerTest, public ::testing::WithParamInterface<AnswerCase>
{};

TEST_P(CodecAnswerTest, IsCarriedOutOnTheCell)
{
    const AnswerCase &c = GetParam();
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageByte(kSetModeByte),
                                 .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    g_answer = c.answer;
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    cell.flags1 = 0x02; // right-aligned, at the top
    Request request(cell, c.mode == kHandlerAction ? cmcCellCapsule::kCodeEnter : 0);
    EXPECT_EQ(request.run(c.mode, bindings), c.result);
    EXPECT_EQ(request.capsule.outputText, c.answer.text);
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(cell.font ? std::optional<std::uint32_t>(cell.font->colour) : std::nullopt, c.colour);
    EXPECT_EQ(cell.HorizontalAlign(), c.horizontalAlign);
    EXPECT_EQ(flagsOf(cell), c.userFlags);
    if (c.answer.open.kind == CodecOpen::Kind::Editor) {
        EXPECT_EQ(request.capsule.editSelStart, c.answer.open.selectionStart);
        EXPECT_EQ(request.capsule.editSelLength, c.answer.open.selectionLength);
    }
}

CodecAnswer withLook(CodecLook::Colour colour,
                     CodecLook::Align align = CodecLook::Align::AsDescribed)
{
    return {.text = "x", .look = {colour, align}};
}

CodecAnswer opening(CodecOpen open) { return {.text = "146.520000", .open = std::move(open)}; }

CodecOpen flagBitsWindow()
{
    CodecOpen open;
    open.kind = CodecOpen::Kind::Window;
    open.key = "GI_Win_FlagBits";
    open.first = 1;
    open.last = 16;
    return open;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CodecAnswerTest,
    ::testing::Values(
        AnswerCase{"PlainText", {.text = "12"}, kHandlerDraw, kHandlerNothing, {}, {}, 2, 0},
        AnswerCase{"List",
                   opening(CodecOpen::List("GI_Sheet_Sel_Misc_OnOff", Flex0, 1, "Y")),
                   kHandlerAction,
                   kHandlerRedraw,
                   {"list GI_Sheet_Sel_Misc_OnOff style 1 at 1 tag Y"},
                   {},
                   2,
                   0},
        AnswerCase{"Editor",
                   opening(CodecOpen::Editor(3, 4)),
                   kHandlerAction,
                   kHandlerOpenEditor,
                   {},
                   {},
                   2,
                   0},
        AnswerCase{"Window",
                   opening(flagBitsWindow()),
                   kHandlerAction,
                   kHandlerRedraw,
                   {"window GI_Win_FlagBits 1..16"},
                   {},
                   2,
                   0},
        AnswerCase{"SilverWhenDrawn",
                   withLook(CodecLook::Colour::Silver),
                   kHandlerDraw,
                   kHandlerNothing,
                   {},
                   kColourSilver,
                   2,
                   0},
        AnswerCase{"NoColourOnAnAction",
                   withLook(CodecLook::Colour::Silver),
                   kHandlerAction,
                   kHandlerNothing,
                   {},
                   {},
                   2,
                   0},
        AnswerCase{"OliveWhenDrawn",
                   withLook(CodecLook::Colour::Olive),
                   kHandlerDraw,
                   kHandlerNothing,
                   {},
                   kColourOlive,
                   2,
                   0},
        AnswerCase{"LeftAligned",
                   withLook(CodecLook::Colour::AsDescribed, CodecLook::Align::Left),
                   kHandlerDraw,
                   kHandlerNothing,
                   {},
                   {},
                   0,
                   0},
        AnswerCase{"Centred",
                   withLook(CodecLook::Colour::AsDescribed, CodecLook::Align::Centre),
                   kHandlerDraw,
                   kHandlerNothing,
                   {},
                   {},
                   1,
                   0},
        AnswerCase{"Checked", {.checked = true}, kHandlerDraw, kHandlerNothing, {}, {}, 2, 1}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// A name is painted in the display font: the sheet finds it in the capsule
// after a draw, and a reused capsule does not keep it.
TEST_F(HandlerTest, DotMatrixTextReachesTheSheetOnDrawsOnly)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast, .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    const DotMatrixText name{.characters = "CH 1", .charactersPerLine = 12};
    g_answer = {.dotMatrix = name};
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    Request request(cell);
    request.run(kHandlerDraw, bindings);
    EXPECT_EQ(request.capsule.dotMatrix, name);
    g_answer = {};
    request.run(kHandlerDraw, bindings);
    EXPECT_FALSE(request.capsule.dotMatrix.has_value());
    g_answer = {.dotMatrix = name};
    request.capsule.code = cmcCellCapsule::kCodeEnter;
    request.run(kHandlerAction, bindings);
    EXPECT_FALSE(request.capsule.dotMatrix.has_value());
}

// Beyond the kind of request: Shift held with a key, the texts option
// lists come from, and the text a window sends with its answer.
TEST_F(HandlerTest, CodecSeesShiftTextsAndTheAnswersText)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast, .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    g_answer = {};
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    for (const bool shift : {false, true}) {
        Request request(cell, ' ');
        request.capsule.shiftHeld = shift;
        request.run(kHandlerAction, bindings);
        EXPECT_EQ(g_seen.shift, shift);
        EXPECT_EQ(g_seen.texts, &mainTextDatabase());
        EXPECT_EQ(g_seen.formats, &indCellHandler::ProgramFormats());
    }

    cmcCellObj window = cellOf(CT_Null, Flex0);
    cmcCellCapsule answering;
    answering.cell = &window;
    Request answer(cell);
    answer.capsule.origin = &answering;
    answer.capsule.inputMode = cmcCellCapsule::kInputChosen;
    answer.capsule.inputText = "8388608";
    answer.capsule.shiftHeld = true;
    answer.run(kHandlerAction, bindings);
    EXPECT_EQ(g_seen.kind, CodecRequest::Kind::Chosen);
    EXPECT_EQ(g_seen.typed, "8388608");
    EXPECT_FALSE(g_seen.shift);
}

// The sheet's key handling is over when a list answers; an editor the answer
// asks for is opened through the sheet's callback, and only then.
TEST_F(HandlerTest, EditorAskedByAListAnswerOpensThroughTheSheet)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast, .codec = answerAsTold}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    struct Reopened {
        std::vector<std::string> texts;
        static void call(void *context, const cmcCellCapsule &capsule, bool keepClosed)
        {
            static_cast<Reopened *>(context)->texts.push_back(
                capsule.outputText + " " + std::to_string(capsule.editSelStart) + "+" +
                std::to_string(capsule.editSelLength) + (keepClosed ? " closed" : ""));
        }
    } reopened;
    g_answer = {.text = "023i", .open = CodecOpen::Editor(0, 4)};
    cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
    cmcCellObj entry = cellOf(CT_Null, FlexDtcs, 53);
    cmcCellCapsule list;
    list.cell = &entry;

    Request answer(cell);
    answer.capsule.origin = &list;
    answer.capsule.inputMode = cmcCellCapsule::kInputChosen;
    answer.capsule.editor = {&Reopened::call, &reopened};
    EXPECT_EQ(answer.run(kHandlerAction, bindings), kHandlerOpenEditor);
    EXPECT_EQ(reopened.texts, std::vector<std::string>{"023i 0+4"});

    Request enter(cell, cmcCellCapsule::kCodeEnter);
    enter.capsule.editor = {&Reopened::call, &reopened};
    EXPECT_EQ(enter.run(kHandlerAction, bindings), kHandlerOpenEditor);
    EXPECT_EQ(reopened.texts.size(), 1u); // the sheet opens its editor itself
}

// A language change opens the main texts on another overlay; option texts
// must come from that one.
TEST_F(HandlerTest, ProgramFormatsFollowTheOverlayOfTheMainTexts)
{
    const std::string previous = mainTextDatabase().fileName();
    {
        const testing_support::ScopedTexts english(
            {{"GI_Sheet_Sel_Test_Cells", {"{(%Flex0[0])}Off", "#"}}});
        EXPECT_EQ(indCellHandler::ProgramFormats().Text("GI_Sheet_Sel_Test", Flex0, 0), "Off");
        const testing_support::ScopedTexts other(
            {{"GI_Sheet_Sel_Test_Cells", {"{(%Flex0[0])}Aus", "#"}}});
        EXPECT_EQ(indCellHandler::ProgramFormats().Text("GI_Sheet_Sel_Test", Flex0, 0), "Aus");
    }
    mainTextDatabase().Open(previous);
}

// A value in the answer is stored even when it equals the stored one: a
// command's value is what runs it.
TEST_F(HandlerTest, AnswerWithAValueStoresItAndWidensTheRedraw)
{
    const CellBinding rows[] = {{.label = CL_SetM_LcdContrast,
                                 .storage = CellStorage::imageByte(kSetModeByte),
                                 .codec = answerAsTold,
                                 .redrawOnChange = cmcCellCapsule::kRedrawSameLabel}};
    CellBindingRegistry bindings;
    bindings.Add(rows);
    for (std::int32_t value : {0x42, 0x42}) {
        g_answer = {.text = "new", .value = value};
        model->WorkingImage().SetByte(kSetModeByte, 0x42);
        cmcCellObj cell = cellOf(CT_Null, CL_SetM_LcdContrast);
        Request request(cell, cmcCellCapsule::kCodeEnter);
        request.run(kHandlerAction, bindings);
        EXPECT_EQ(model->WorkingImage().GetByte(kSetModeByte), value);
        EXPECT_EQ(request.masks, std::vector<std::uint32_t>{cmcCellCapsule::kRedrawSameCell |
                                                            cmcCellCapsule::kRedrawSameLabel});
    }
}

TEST_F(HandlerTest, ChangedRecordIsWrittenBackAndRedrawsTheRow)
{
    setChannels({145000000, 146000000});
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Msk_Log, 1);
    Request request(cell, ' ');
    request.run(kHandlerAction, bindings);
    datCh channel(&model->WorkingImage());
    channel.decode(datCh::channelKind(), 1);
    EXPECT_EQ(channel.Inh, 1);
    EXPECT_EQ(channel.FreqR, 146000000);
    ASSERT_EQ(request.masks.size(), 1u);
    EXPECT_EQ(request.masks[0] & cmcCellCapsule::kRedrawSameIndex,
              cmcCellCapsule::kRedrawSameIndex);
}

// --- Change hooks ---------------------------------------------------------

struct HookCase {
    const char *name;
    std::int32_t mode;
    std::int32_t code;
    std::uint32_t inputMode;
    std::int32_t command;
    int hooks;
};

class ChangeHookTest : public HandlerTest, public ::testing::WithParamInterface<HookCase>
{};

TEST_P(ChangeHookTest, RunOnlyForRequestsThatCarryAnAction)
{
    const HookCase &c = GetParam();
    cmcCellObj cell = cellOf(CT_Null, CL_Misc_QuarterPillar);
    Request request(cell, c.code);
    request.capsule.inputMode = c.inputMode;
    request.capsule.command = c.command;
    request.run(c.mode);
    EXPECT_EQ(model->changeHooks, c.hooks);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ChangeHookTest,
    ::testing::Values(HookCase{"Draw", kHandlerDraw, 0, 0, 0, 0},
                      HookCase{"MenuClick", kHandlerDraw, 13, 0, 0, 1},
                      HookCase{"Key", kHandlerAction, 'a', 0, 0, 1},
                      HookCase{"TypedText", kHandlerAction, 0, cmcCellCapsule::kInputText, 0, 1},
                      HookCase{"ChosenValue", kHandlerAction, 0, cmcCellCapsule::kInputChosen, 0,
                               1},
                      HookCase{"Command", kHandlerAction, 0, 0, CL_PMenu_Copy, 1}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// --- Category stage: empty rows --------------------------------------------

struct RedirectCase {
    const char *name;
    std::int32_t category;
    std::int32_t label;
    std::int32_t index;
    std::int32_t code;
    bool groupBank;
    std::int32_t jumpLabel; // 0: no jump
};

class RedirectTest : public HandlerTest, public ::testing::WithParamInterface<RedirectCase>
{};

// Bank 0 holds channels 0 and 2 in use and channel 1 without a frequency;
// the talk-group list holds two entries, the other ID lists none.
TEST_P(RedirectTest, KeysOnRowsWithoutAnEntryGoToTheCellThatCreatesOne)
{
    const RedirectCase &c = GetParam();
    setChannels({145000000, 0, 146000000});
    datCh lists(&model->WorkingImage());
    lists.setListCount(datCh::kKindDigTg, 2);
    lists.setListCount(datCh::kKindDigInd, 0);
    lists.setListCount(datCh::kKindDpmrId, 0);
    lists.setBankLtr(0, c.groupBank);
    cmcCellObj cell = cellOf(c.category, c.label, c.index);
    Request request(cell, c.code);
    request.run(kHandlerAction);
    if (c.jumpLabel == 0) {
        EXPECT_EQ(request.capsule.jumpRequest, 0u);
        return;
    }
    EXPECT_EQ(request.capsule.jumpRequest, 1u);
    EXPECT_EQ(request.capsule.jumpCategory, c.category);
    EXPECT_EQ(request.capsule.jumpLabel, c.jumpLabel);
    EXPECT_EQ(request.capsule.jumpIndex, c.index);
    EXPECT_EQ(request.capsule.repeatCode, c.code);
    EXPECT_EQ(request.capsule.outputText, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RedirectTest,
    ::testing::Values(
        RedirectCase{"DigitOnEmptyRow", CT_Mch, CL_Mch_Msk_Log, 3, '5', false, CL_Mch_FreqR},
        RedirectCase{"EnterOnEmptyRow", CT_Mch, CL_Mch_Text, 3, 13, false, CL_Mch_FreqR},
        RedirectCase{"RowNumberOfEmptyRow", CT_Mch, CL_Mch_No, 3, '1', false, CL_Mch_FreqR},
        RedirectCase{"ChannelNotInUse", CT_Mch, CL_Mch_Msk_Log, 1, ' ', false, CL_Mch_FreqR},
        RedirectCase{"GroupBankGoesToGroupId", CT_Mch, CL_Mch_Msk_Log, 3, '5', true, CL_Grp_RxId},
        RedirectCase{"ReceiveFrequencyKeepsItsKey", CT_Mch, CL_Mch_FreqR, 3, '5', false, 0},
        RedirectCase{"AttributeColumnKeepsItsKey", CT_Mch, CL_Mch_Atr, 3, '5', false, 0},
        RedirectCase{"ChannelInUse", CT_Mch, CL_Mch_Msk_Log, 2, '5', false, 0},
        RedirectCase{"CodeAbove127", CT_Mch, CL_Mch_Msk_Log, 3, 200, false, 0},
        RedirectCase{"TalkGroupBelowTheList", CT_DIG_Tg, CL_Digi_Grp_Id_Name, 2, 'a', false,
                     CL_Digi_Grp_Id_Dec},
        RedirectCase{"TalkGroupInTheList", CT_DIG_Tg, CL_Digi_Grp_Id_Name, 1, 'a', false, 0},
        RedirectCase{"IndividualIdListEmpty", CT_DIG_Inv, CL_Digi_Ind_Id_Name, 0, 'a', false,
                     CL_Digi_Ind_Id_Dec},
        RedirectCase{"DpmrListEmpty", CT_DPMR_Inv, CL_Dpmr_Ind_Id_Name, 0, '7', false,
                     CL_Dpmr_Ind_Id_Dec},
        RedirectCase{"OtherCategory", CT_Scan, CL_Mch_Msk_Log, 40, '5', false, 0}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, RedirectedKeyRedrawsTheCellAndCountsAsAnAction)
{
    setChannels({145000000});
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Msk_Log, 1);
    Request request(cell, '5');
    EXPECT_EQ(request.run(kHandlerAction), kHandlerNothing);
    EXPECT_EQ(request.masks, std::vector<std::uint32_t>{cmcCellCapsule::kRedrawSameCell});
    EXPECT_EQ(model->changeHooks, 1);
}

struct EmptyRowTextCase {
    const char *name;
    std::int32_t category;
    std::int32_t label;
    std::int32_t index;
    const char *text;
};

class EmptyRowTextTest : public HandlerTest, public ::testing::WithParamInterface<EmptyRowTextCase>
{};

// Channels 0 and 2 in use, channel 1 not; two talk groups.
TEST_P(EmptyRowTextTest, ShowsNothingExceptNumbers)
{
    const EmptyRowTextCase &c = GetParam();
    setChannels({145000000, 0, 146000000});
    datCh(&model->WorkingImage()).setListCount(datCh::kKindDigTg, 2);
    cmcCellObj cell = cellOf(c.category, c.label, c.index);
    Request request(cell);
    request.run(kHandlerDraw);
    EXPECT_EQ(request.capsule.outputText, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EmptyRowTextTest,
    ::testing::Values(
        EmptyRowTextCase{"UnboundColumnOfEmptyRow", CT_Mch, CL_Mch_Msk_Log, 3, ""},
        EmptyRowTextCase{"UnboundColumnOfChannelNotInUse", CT_Mch, CL_Mch_Msk_Log, 1, ""},
        EmptyRowTextCase{"NumberOfEmptyRow", CT_Mch, CL_Mch_No, 3, "New"},
        EmptyRowTextCase{"NumberOfChannelNotInUse", CT_Mch, CL_Mch_No, 1, "1-  2"},
        EmptyRowTextCase{"NumberOfChannel", CT_Mch, CL_Mch_No, 2, "1-  3"},
        EmptyRowTextCase{"NumberBelowTalkGroups", CT_DIG_Tg, Flex_TgIDList_ChNo, 2, "New"},
        EmptyRowTextCase{"NumberOfTalkGroup", CT_DIG_Tg, Flex_TgIDList_ChNo, 1, "  2"},
        EmptyRowTextCase{"NumberFarBelowTalkGroups", CT_DIG_Tg, Flex_TgIDList_ChNo, 5, ""}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, GroupBankDrawsFrequencyColumnsInSilver)
{
    setChannels({145000000});
    datCh(&model->WorkingImage()).setBankLtr(0, true);
    for (std::int32_t label : {CL_Mch_FreqR, CL_Mch_FreqT, CL_Mch_Text}) {
        cmcCellObj cell = cellOf(CT_Mch, label, 0);
        Request request(cell);
        request.run(kHandlerDraw);
        const bool silver = cell.font && cell.font->colour == kColourSilver;
        EXPECT_EQ(silver, label != CL_Mch_Text) << label;
    }
}

TEST_F(HandlerTest, OrdinaryBankKeepsTheCellsColour)
{
    setChannels({145000000});
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_FreqR, 0);
    Request request(cell);
    request.run(kHandlerDraw);
    EXPECT_FALSE(cell.font.has_value());
}

// --- Row numbers and list numbering ---------------------------------------

struct NumberCase {
    const char *name;
    std::int32_t label;
    std::int32_t index;
    const char *text;
};

class RowNumberTest : public HandlerTest, public ::testing::WithParamInterface<NumberCase>
{};

// Bank 0 holds three channels; the individual-ID and dPMR lists are empty.
TEST_P(RowNumberTest, ShowsBankAndPositionOrTheNewEntry)
{
    const NumberCase &c = GetParam();
    setChannels({145000000, 146000000, 147000000});
    datCh lists(&model->WorkingImage());
    lists.setListCount(datCh::kKindDigInd, 0);
    lists.setListCount(datCh::kKindDpmrId, 0);
    cmcCellObj cell = cellOf(CT_Null, c.label, c.index);
    Request request(cell);
    request.run(kHandlerDraw);
    EXPECT_EQ(request.capsule.outputText, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, RowNumberTest,
    ::testing::Values(NumberCase{"ChannelNumber", CL_Mch_No, 0, "1-  1"},
                      NumberCase{"ZeroBased", CL_Misc_ChNo_0Base, 2, "1-  3"},
                      NumberCase{"ZeroBasedBelowTheBank", CL_Misc_ChNo_0Base, 3, "New"},
                      NumberCase{"OneBased", CL_Misc_ChNo_1Base, 3, "1-  3"},
                      NumberCase{"OneBasedBelowTheBank", CL_Misc_ChNo_1Base, 4, "New"},
                      NumberCase{"OneBasedBeforeTheBank", CL_Misc_ChNo_1Base, 0, ""},
                      NumberCase{"LanguageNumber", Flex_Language_ChNo, 0, "  1"},
                      NumberCase{"ZoneNumber", FlexZoneSelNum, 11, " 12"},
                      NumberCase{"ChannelSelection", FlexCHSelNum, 999, "1000"},
                      NumberCase{"EmptyIndividualIdList", Flex_InvIDList_ChNo, 0, "New"},
                      NumberCase{"EmptyDpmrGroupList", Flex_Dpmr_CallList_ChNo_Grp, 0, "New"},
                      NumberCase{"BelowEmptyDpmrList", Flex_Dpmr_CallList_ChNo, 1, ""}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, StaticListEntriesShowTheirOwnText)
{
    for (std::int32_t label :
         {Flex0, Flex2, FlexDtcs, FlexKeyOpt, FlexZoneSel, FlexCHSel, FlexRxCodeAUX}) {
        cmcCellObj cell = cellOf(CT_Null, label, 3);
        cell.SetText("D023N");
        Request request(cell);
        request.run(kHandlerDraw);
        EXPECT_EQ(request.capsule.outputText, "D023N") << label;
    }
}

// --- Command stage --------------------------------------------------------

TEST_F(HandlerTest, EditCommandActsAsEnter)
{
    cmcCellObj cell = cellOf(CT_Null, CallSheet);
    cell.suffix = "GI_Sheet_Scan,S";
    Request request(cell);
    request.capsule.command = CL_PMenu_Edit;
    request.run(kHandlerAction);
    EXPECT_EQ(calls, std::vector<std::string>{"open sheet GI_Sheet_Scan,S"});
    EXPECT_EQ(request.capsule.code, cmcCellCapsule::kCodeEnter);
    EXPECT_EQ(request.capsule.command, 0);
}

TEST_F(HandlerTest, HelpCommandOpensTheHelpFileAtTheCellsTopic)
{
    model->helpTopic = 4711;
    cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Msk_Log, 0);
    Request request(cell);
    request.capsule.command = CL_PMenu_Help;
    request.run(kHandlerAction);
    EXPECT_EQ(calls, std::vector<std::string>{"help " + programFolder() + "QX7315C_ENG.qch #4711"});
    EXPECT_EQ(request.capsule.outputText, "");
}

// A block command is the whole request: the label's own case does not run.
TEST_F(HandlerTest, BlockCommandsDoNotRunTheLabelsOwnCase)
{
    setChannels({145000000, 146000000});
    for (std::int32_t command = CL_PMenu_Copy; command <= CL_PMenu_Insert; ++command) {
        cmcCellObj cell = cellOf(CT_Mch, CL_Mch_Msk_Log, 1);
        Request request(cell);
        request.capsule.command = command;
        request.run(kHandlerAction);
        EXPECT_EQ(request.capsule.outputText, "") << command;
    }
}

struct SerialCase {
    const char *name;
    const char *serial;
    const char *clipboard; // nullptr: nothing copied
};

class SerialCopyTest : public HandlerTest, public ::testing::WithParamInterface<SerialCase>
{};

// The serial number as the radio's ID reply reports it, in bytes 60 to 71
// of the clone information.
void reportSerial(indMain &model, const std::string &serial)
{
    std::array<std::uint8_t, 127> area{};
    area[0] = static_cast<std::uint8_t>(area.size());
    std::copy(serial.begin(), serial.end(), area.begin() + 60);
    model.SetCloneInformation(area.data(), static_cast<int>(area.size()));
}

TEST_P(SerialCopyTest, CopiesTwelveHexDigitsAsDecimal)
{
    reportSerial(*model, GetParam().serial);
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Null, CL_CloneInfo_Esn);
    Request request(cell);
    request.capsule.command = CL_PMenu_WinCopy;
    request.run(kHandlerAction, bindings);
    if (GetParam().clipboard == nullptr)
        EXPECT_TRUE(calls.empty());
    else
        EXPECT_EQ(calls,
                  std::vector<std::string>{std::string("clipboard ") + GetParam().clipboard});
}

INSTANTIATE_TEST_SUITE_P(Serials, SerialCopyTest,
                         ::testing::Values(SerialCase{"Hex", "0A123456789B", "101193046"},
                                           SerialCase{"LowerCase", "ff00000affff", "25500010"},
                                           SerialCase{"SmallNumbers", "010000100000", "0100016"},
                                           SerialCase{"NotHex", "0A12345678XB", nullptr},
                                           SerialCase{"TooShort", "0A123456789", nullptr}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HandlerTest, CopyCommandOnOtherCellsCopiesNothing)
{
    reportSerial(*model, "0A123456789B");
    const CellBindingRegistry bindings = testBindings();
    cmcCellObj cell = cellOf(CT_Null, CL_CloneInfo_Model);
    Request request(cell);
    request.capsule.command = CL_PMenu_WinCopy;
    request.run(kHandlerAction, bindings);
    EXPECT_TRUE(calls.empty());
}

// --- Convenience forms ----------------------------------------------------

TEST_F(HandlerTest, ConvenienceFormsAskInModeZeroOnACopy)
{
    const CellBindingRegistry bindings = testBindings();
    model->WorkingImage().SetByte(kSetModeByte, 0x70);
    const cmcCellObj cell = cellOf(CT_Null, CL_Maker_SDD);
    EXPECT_EQ(indCellHandler::TextOf(cell, 0, bindings), "7");
    EXPECT_EQ(indCellHandler::ValueOf(cell, cmcCellCapsule::kCodeEnter, bindings),
              kHandlerOpenEditor);
}

TEST_F(HandlerTest, MarksOfACellAreItsWarningAndErrorBits)
{
    const CellBindingRegistry bindings = testBindings();
    const std::array<std::pair<std::uint8_t, std::uint8_t>, 3> cases = {{
        {0x50, 0},
        {0x60, cmcCellCapsule::kStateWarning},
        {0xA0, cmcCellCapsule::kStateWarning | cmcCellCapsule::kStateError},
    }};
    for (const auto &[stored, marks] : cases) {
        model->WorkingImage().SetByte(kSetModeByte, stored);
        EXPECT_EQ(indCellHandler::MarksOf(CT_Null, CL_Maker_SDD, 0, bindings), marks)
            << int(stored);
    }
}

TEST_F(HandlerTest, RequestWithoutACellDoesNothing)
{
    cmcCellCapsule capsule;
    indActiveCell context;
    EXPECT_EQ(indCellHandler::Handle(&context, capsule, kHandlerAction), kHandlerNothing);
    EXPECT_EQ(model->changeHooks, 0);
}

// --- Faults of the tables -------------------------------------------------

using HandlerDeathTest = HandlerTest;

TEST_F(HandlerDeathTest, LabelBoundTwiceEndsTheProgram)
{
    const CellBinding rows[] = {{.label = Flex1, .codec = stepOnSpace}};
    EXPECT_DEATH(
        {
            CellBindingRegistry registry;
            addProgramFamilies(registry);
            registry.Add(rows);
        },
        "The cell label 'Flex1' is bound twice\\.");
}

TEST_F(HandlerDeathTest, UnusableRowEndsTheProgram)
{
    const CellBinding noCodec[] = {{.label = CL_Maker_NOISD}};
    EXPECT_DEATH(CellBindingRegistry().Add(noCodec),
                 "The cell binding of 'CL_Maker_NOISD' cannot be used\\.");
    const CellBinding wideBits[] = {{.label = CL_Maker_NOISD,
                                     .storage = CellStorage::imageBits(0, 4, 30),
                                     .codec = stepOnSpace}};
    EXPECT_DEATH(CellBindingRegistry().Add(wideBits),
                 "The cell binding of 'CL_Maker_NOISD' cannot be used\\.");
}

TEST_F(HandlerDeathTest, HandlerWithoutModelEndsTheProgram)
{
    installModelObject(nullptr);
    cmcCellObj cell = cellOf(CT_Null, Flex0);
    Request request(cell);
    EXPECT_DEATH(request.run(kHandlerDraw),
                 "The cell handler was called before the model object exists\\.");
}

} // namespace
