// The DTMF, 2-tone and 5-tone sheets as the tree opens them on each model
// type: every cell they show is bound, shows a value of the overlay's lists
// and has its help topic; the LMR-only sheets stay out of the PMR tree.
#include "HelpFields.h"
#include "SignallingCells.h"

#include "bindings/LabelFamilies.h"
#include "cells/CellBindingRegistry.h"
#include "cells/cmcFCache.h"
#include "cells/indCellHandler.h"
#include "mainframe/HelpContext.h"
#include "model/CellTyping.h"
#include "model/TreeNodeFilter.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

class SignallingSheets : public SignallingCells
{};

bool ours(const std::string &name)
{
    for (const char *family : {"CL_Dtmf_", "CL_2T", "CL_5T", "CL_Select_"})
        if (name.starts_with(family))
            return true;
    return false;
}

// Also the labels no sheet shows yet (a list of transmit codes would).
TEST(SignallingLabels, EveryLabelOfTheFamiliesIsBoundAndHasHelp)
{
    CellBindingRegistry registry;
    addLabelFamilies(registry);
    const std::map<std::string, std::string> topics = helpFields("GI_AppItem_Topic_ID");
    int labels = 0;
    for (std::int32_t label = 0; label < kLabelCount; ++label) {
        const std::string name(cellLabelName(label));
        if (!ours(name))
            continue;
        ++labels;
        EXPECT_NE(registry.Find(label), nullptr) << name;
        EXPECT_TRUE(topics.contains(name)) << name;
    }
    EXPECT_GT(labels, 0);
}

TEST_F(SignallingSheets, TreeSheetsShowEveryCellBoundWithHelp)
{
    const std::map<std::string, std::string> topics = helpFields("GI_AppItem_Topic_ID");

    const struct {
        const char *call;
        bool lmrOnly;
    } sheets[] = {
        {"[St_Common]GI_Sheet_Dtmf", false}, {"GI_Sheet_Dtmf_Memory", false},
        {"GI_Sheet_Dtmf_Decode", true},      {"[St_Common]GI_Sheet_TwoTone", true},
        {"GI_Sheet_TwoTone_Code", true},     {"[St_Common]GI_Sheet_FiveTone", false},
        {"GI_Sheet_FiveTone_Rx", false},     {"GI_Sheet_FiveTone_Tx", false},
    };
    for (const int type : {0, 1}) {
        ASSERT_TRUE(model->ChangeModelType(type, false));
        const std::vector<std::string> tree = CellTyping::TreeSheets(
            mainTextDatabase(), type, TreeNodeFilter::HiddenFlags(type, false, false));
        for (const auto &sheet : sheets) {
            const bool inTree = std::find(tree.begin(), tree.end(), sheet.call) != tree.end();
            EXPECT_EQ(inTree, type == 0 || !sheet.lmrOnly) << type << " " << sheet.call;
            if (!inTree)
                continue;
            std::unique_ptr<SheetLayout> layout =
                SheetLayoutFactory::Create(mainTextDatabase(), sheet.call);
            layout->SetWidthsPersistent(false);
            layout->SetHandler(SheetLayout::ModelHandler(), nullptr);
            layout->Show();
            int bound = 0;
            for (int row = 0; row < layout->RowCount(); ++row) {
                for (int col = 0; col < layout->ColCount(); ++col) {
                    cmcCellObj cell = layout->CellAt(col, row);
                    // Headings and links have no label of a value.
                    if (cell.label <= CL_Null || cell.label == CallSheet ||
                        cellLabelName(cell.label).empty())
                        continue;
                    Request request(cell);
                    request.run(kHandlerDraw);
                    const std::string name(cellLabelName(cell.label));
                    const std::string where = std::string(sheet.call) + " " + name + "[" +
                                              std::to_string(cell.index) + "]";
                    EXPECT_EQ(request.capsule.outputText.find("*Yet*"), std::string::npos) << where;
                    EXPECT_NE(request.capsule.outputText, cmcFCache::kErrorText) << where;
                    if (ours(name)) {
                        EXPECT_TRUE(topics.contains(name)) << "no help topic for " << where;
                    }
                    ++bound;
                }
            }
            EXPECT_GT(bound, 0) << sheet.call;
        }
    }
}

// Context help on a decode entry's action looks its function up in the help
// overlay (the AUX outputs by their state): every action the list offers
// finds its topic and its context number.
TEST_F(SignallingSheets, EveryDtmfActionHasItsHelpContext)
{
    const std::map<std::string, std::string> contexts = helpFields("GI_AppItem_Context_ID");
    constexpr std::int32_t kFirstAction = 0x1A514 + 41;
    cmcFCache &formats = indCellHandler::ProgramFormats();
    const cmcFCacheEntry &actions = formats.Entry("GI_Sheet_Sel_DTMF_Action_Popup", FlexMark);
    ASSERT_FALSE(actions.byValue.empty());
    for (const cmcFCacheEntry::Record &action : actions.byValue) {
        setByte(kFirstAction, static_cast<std::uint8_t>(action.value));
        const help_context::Topic topic =
            help_context::topicOf(CL_Dtmf_Decode_Action, 0, image(), mainTextDatabase(), formats);
        std::map<std::string, std::string> topics = helpFields(topic.key);
        ASSERT_TRUE(topics.contains(topic.text)) << action.value << " " << topic.text;
        EXPECT_TRUE(contexts.contains(topics[topic.text])) << topic.text;
    }
}

// The receive code lists number their rows from 1, as the records do.
TEST_F(SignallingSheets, ReceiveCodeRowsAreTheRecordsTheyNumber)
{
    for (const char *call : {"GI_Sheet_FiveTone_Rx", "GI_Sheet_TwoTone_Code"}) {
        std::unique_ptr<SheetLayout> layout = SheetLayoutFactory::Create(mainTextDatabase(), call);
        layout->SetWidthsPersistent(false);
        layout->SetHandler(SheetLayout::ModelHandler(), nullptr);
        layout->Show();
        const int first = layout->FixedRows();
        const cmcCellObj number = layout->CellAt(0, first);
        const cmcCellObj code = layout->CellAt(1, first);
        EXPECT_EQ(drawCell(number.category, number.label, number.index).text, "  1") << call;
        EXPECT_EQ(code.index, 1) << call;
        EXPECT_EQ(layout->CellAt(1, layout->RowCount() - 1).index, layout->RowCount() - first)
            << call;
    }
}

} // namespace
