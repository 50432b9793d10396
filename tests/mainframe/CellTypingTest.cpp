#include "ModelTestFixture.h"

#include "bindings/ChannelColumnBindings.h"
#include "bindings/FlexLabelBindings.h"
#include "bindings/RowNumberBindings.h"
#include "cells/CellBinding.h"
#include "cells/CellBindingRegistry.h"
#include "cells/CellIdentifiers.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "image/cmcEeprom.h"
#include "mainframe/MenuCommandBindings.h"
#include "model/CellTyping.h"
#include "model/GlobalModel.h"
#include "model/TreeNodeFilter.h"
#include "textdb/GlobalTexts.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Outcome = CellTyping::Outcome;

// --- A test family on cells the sheets show, in place of the program's
// common settings and clone information ---

constexpr std::int32_t kSetModeByte = 0x109DC;

// One digit; nine only after the user agreed to a question.
CodecAnswer oneDigit(std::int32_t value, const CodecRequest &request)
{
    CodecAnswer answer{.text = std::to_string(value)};
    if (request.IsEnter())
        answer.open = CodecOpen::Editor(0, 1);
    if (request.kind != CodecRequest::Kind::Typed || request.typed.size() != 1 ||
        request.typed[0] < '0' || request.typed[0] > '9')
        return answer;
    std::int32_t typed = request.typed[0] - '0';
    if (typed == 9 &&
        platform::showMessage("Quillon", "Nine is a lot. Keep it?", platform::MessageIcon::Question,
                              platform::MessageButtons::YesNo) != platform::MessageResult::Yes)
        typed = value;
    if (typed > 5)
        platform::showMessage("Quillon", "Above five.", platform::MessageIcon::Warning);
    answer.text = std::to_string(typed);
    if (typed != value)
        answer.value = typed;
    return answer;
}

void showModelName(indCellHandler &frame, const CellBinding &) { frame.SetOutput("QX"); }

const CellBinding kTestRows[] = {
    {.label = CL_Comm_SetModeAccess,
     .storage = CellStorage::imageBits(kSetModeByte, 0, 4),
     .codec = oneDigit},
    {.label = CL_CloneInfo_Model, .run = showModelName},
};

const CellBindingRegistry &testBindings()
{
    static const CellBindingRegistry registry = [] {
        CellBindingRegistry bindings;
        bindings.Add(flexLabelBindings());
        bindings.Add(rowNumberBindings());
        bindings.Add(channelColumnBindings());
        bindings.Add(menuCommandBindings());
        bindings.Add(kTestRows);
        return bindings;
    }();
    return registry;
}

class CellTypingTest : public ModelTest
{
protected:
    CellTypingTest() { installModelObject(model.get()); }
    ~CellTypingTest() override { installModelObject(nullptr); }

    CellTyping::Result type(std::string_view label, std::int32_t index, const std::string &text)
    {
        CellTyping typing(*model, testBindings());
        return typing.Type(label, index, text);
    }
    int setModeValue() const { return model->WorkingImage().GetByte(kSetModeByte) & 0x0F; }
    static std::vector<platform::MessageIcon> kinds(const CellTyping::Result &result)
    {
        std::vector<platform::MessageIcon> icons;
        for (const CellTyping::Message &message : result.messages)
            icons.push_back(message.icon);
        return icons;
    }
};

// --- Finding the cell ---

struct UntypedCase {
    const char *label;
    std::int32_t index;
    Outcome outcome;
    const char *complaint;
};

TEST_F(CellTypingTest, CellsThatCannotTakeTheTextAreNamedAndLeaveTheDocumentAlone)
{
    const UntypedCase cases[] = {
        {"CL_Nope", 0, Outcome::UnknownLabel,
         "CL_Nope[0]: unknown label (quillon-cli labels lists them)"},
        {"", 0, Outcome::UnknownLabel, "[0]: unknown label (quillon-cli labels lists them)"},
        // Bound nowhere and on no sheet.
        {"CL_Maker_NOISD", 0, Outcome::NotShown,
         "CL_Maker_NOISD[0]: no sheet of this model type shows this label"},
        // The common sheet shows the setting once.
        {"CL_Comm_SetModeAccess", 3, Outcome::NotShown,
         "CL_Comm_SetModeAccess[3]: no sheet shows this cell (the sheets show it at 0 to 0)"},
        // Shown, with nothing behind it yet.
        {"CL_Comm_PwrSave_Timer1", 0, Outcome::CannotType,
         "CL_Comm_PwrSave_Timer1[0]: this cell cannot be typed into"},
        // Shown by a row that only shows.
        {"CL_CloneInfo_Model", 0, Outcome::CannotType,
         "CL_CloneInfo_Model[0]: this cell cannot be typed into"},
        // The channel number column.
        {"CL_Mch_No", 0, Outcome::CannotType, "CL_Mch_No[0]: this cell cannot be typed into"},
    };
    cmcEeprom before;
    before.CopyFrom(model->WorkingImage());
    for (const UntypedCase &each : cases) {
        const CellTyping::Result result = type(each.label, each.index, "3");
        EXPECT_EQ(result.outcome, each.outcome) << each.label;
        EXPECT_FALSE(result.Typed()) << each.label;
        EXPECT_EQ(result.Complaint(), each.complaint);
    }
    EXPECT_TRUE(model->WorkingImage().Equals(before));
    EXPECT_FALSE(model->IsModified());
}

TEST_F(CellTypingTest, TheTreeShowsTheSheetsOfTheModelType)
{
    cmcGTex &texts = mainTextDatabase();
    const std::string lmrChannels = "[St_ChBank]GI_Sheet_Mch_Conv_Lmr_KCOOP_Rep,Bank 0";
    const std::string pmrChannels = "[St_ChBank]GI_Sheet_Mch_Conv_Pmr_Dpmr_Rep,Bank 0";
    const std::string lmrOnly = "GI_Sheet_Digital_Ind_Id,X";
    auto holds = [](const std::vector<std::string> &sheets, const std::string &call) {
        return std::ranges::find(sheets, call) != sheets.end();
    };

    const std::vector<std::string> lmr =
        CellTyping::TreeSheets(texts, 0, TreeNodeFilter::HiddenFlags(0, false, false));
    EXPECT_TRUE(holds(lmr, lmrChannels));
    EXPECT_FALSE(holds(lmr, pmrChannels));
    EXPECT_TRUE(holds(lmr, lmrOnly));
    EXPECT_TRUE(holds(lmr, "GI_Sheet_CloneInfo"));

    const std::vector<std::string> pmr =
        CellTyping::TreeSheets(texts, 1, TreeNodeFilter::HiddenFlags(1, false, false));
    EXPECT_TRUE(holds(pmr, pmrChannels));
    EXPECT_FALSE(holds(pmr, lmrChannels));
    EXPECT_FALSE(holds(pmr, lmrOnly));
    EXPECT_TRUE(holds(pmr, "[St_Common]GI_Sheet_Common"));
}

// --- Typing ---

TEST_F(CellTypingTest, TypedTextReachesTheCellThroughItsCodec)
{
    const CellTyping::Result result = type("CL_Comm_SetModeAccess", 0, "4");
    EXPECT_TRUE(result.Typed()) << result.Complaint();
    EXPECT_EQ(result.shown, "4");
    EXPECT_EQ(setModeValue(), 4);
    EXPECT_TRUE(model->IsModified());
    EXPECT_TRUE(result.messages.empty());

    // The value already held is no refusal.
    EXPECT_TRUE(type("CL_Comm_SetModeAccess", 0, "4").Typed());
}

TEST_F(CellTypingTest, RefusedTextKeepsTheValueAndSaysWhatTheCellShows)
{
    ASSERT_TRUE(type("CL_Comm_SetModeAccess", 0, "2").Typed());
    for (const char *text : {"x", "12", ""}) {
        const CellTyping::Result result = type("CL_Comm_SetModeAccess", 0, text);
        EXPECT_EQ(result.outcome, Outcome::Refused) << text;
        EXPECT_EQ(result.shown, "2");
        EXPECT_EQ(result.Complaint(), "CL_Comm_SetModeAccess[0]: the cell did not take '" +
                                          std::string(text) + "' (it shows '2')");
    }
    EXPECT_EQ(setModeValue(), 2);
}

TEST_F(CellTypingTest, MessageBoxesOfTheEditAreKeptAndAnsweredByTheInstalledService)
{
    const CellTyping::Result warned = type("CL_Comm_SetModeAccess", 0, "7");
    EXPECT_TRUE(warned.Typed());
    EXPECT_EQ(kinds(warned), std::vector{platform::MessageIcon::Warning});
    EXPECT_EQ(warned.messages[0].text, "Above five.");

    // The question is answered by the service that was installed: No keeps
    // the value, so the text was refused.
    recorder.clear();
    recorder.queueAnswer(platform::MessageResult::No);
    const CellTyping::Result declined = type("CL_Comm_SetModeAccess", 0, "9");
    EXPECT_EQ(declined.outcome, Outcome::Refused);
    EXPECT_EQ(kinds(declined),
              (std::vector{platform::MessageIcon::Question, platform::MessageIcon::Warning}));
    EXPECT_EQ(setModeValue(), 7);
    EXPECT_EQ(recorder.shown().size(), 2u);

    recorder.queueAnswer(platform::MessageResult::Yes);
    EXPECT_TRUE(type("CL_Comm_SetModeAccess", 0, "9").Typed());
    EXPECT_EQ(setModeValue(), 9);
}

// The program's own channel columns, as the sheets of the model type show
// them: a channel made from the empty row, its name, list cells by the text
// of their entry, and the next empty row.
TEST_F(CellTypingTest, ChannelColumnsTakeTextAsOnTheChannelSheet)
{
    CellTyping typing(*model);
    struct Step {
        const char *label;
        std::int32_t index;
        const char *text;
        const char *shown;
    };
    const Step steps[] = {
        {"CL_Mch_FreqR", 0, "145.5", "145.500000"},
        {"CL_Mch_Text", 0, "HELLO", "HELLO"},
        {"CL_Mch_Inh", 0, "On", "On"},
        // The power list depends on the model: the row finds it when asked.
        {"CL_Mch_RfPo", 0, "Low 1", "Low 1"},
        {"CL_Mch_FreqR", 1, "146.52", "146.520000"},
    };
    for (const Step &step : steps) {
        const CellTyping::Result result = typing.Type(step.label, step.index, step.text);
        EXPECT_TRUE(result.Typed()) << result.Complaint();
        EXPECT_EQ(result.shown, step.shown) << step.label;
    }
    const datCh records(&model->WorkingImage());
    EXPECT_EQ(records.bankChannelCount(0), 2);

    // Beyond the empty row no sheet shows a channel.
    const CellTyping::Result beyond = typing.Type("CL_Mch_FreqR", 5, "145");
    EXPECT_EQ(beyond.outcome, Outcome::NotShown);
    EXPECT_EQ(beyond.shownHigh, 2);
    const CellTyping::Result garbage = typing.Type("CL_Mch_FreqR", 0, "abc");
    EXPECT_EQ(garbage.outcome, Outcome::Refused);
    EXPECT_EQ(garbage.shown, "145.500000");
}

} // namespace
