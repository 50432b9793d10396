#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "model/indMain.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"

#include "support/TestPaths.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using testing_support::readFile;
using testing_support::writeFile;

// The model object in a program folder of its own: the English texts with
// the fixture's selection sheets in front (the first of two equal keys
// counts), the fixture's help overlay, and a second language "Lingua" with a
// help overlay of its own.
class HelpContext : public ::testing::Test
{
protected:
    HelpContext() : settings_(indEnviron::Detached::Defaults), messages_(recorder_)
    {
        const std::string data = testing_support::sourceDir() + "data/";
        const std::string help = testing_support::fixtureDir() + "help/";
        const std::string language = testing_support::fixtureDir() + "language/";
        const std::string into = folder_.path().toStdString() + "/";
        const std::string english =
            readFile(help + "sheets.ovl") + readFile(data + "QX7315C_ENG.OVL");
        for (const char *name : {"QX7315C_LMR.vrc", "QX7315C_PMR.vrc"})
            writeFile(into + name, readFile(data + name));
        writeFile(into + "QX7315C.OVL", readFile(language + "QX7315C.OVL"));
        writeFile(into + "QX7315C_ENG.OVL", english);
        writeFile(into + "QX7315C_ENG_HLP.OVL", readFile(help + "help-eng.ovl"));
        writeFile(into + "QX7315C_LIN.OVL", readFile(language + "lingua-texts.ovl") + english);
        writeFile(into + "QX7315C_LIN_HLP.OVL", readFile(help + "help-lin.ovl"));
        platform::setProgramDirectory(into);
        installEnvironment(&settings_);
        model_ = std::make_unique<indMain>();
    }
    ~HelpContext() override
    {
        model_.reset();
        installEnvironment(nullptr);
        platform::setProgramDirectory({});
    }

    int contextOf(std::int32_t label, std::int32_t index = 0)
    {
        cmcCellObj cell;
        cell.label = label;
        cell.index = index;
        cmcCellCapsule capsule;
        capsule.cell = &cell;
        return model_->FindHelpContext(capsule);
    }

    void setByte(std::int32_t offset, std::uint8_t value)
    {
        model_->WorkingImage().SetByte(offset, value);
    }

    QTemporaryDir folder_;
    indEnviron settings_;
    platform::RecordingMessageService recorder_;
    platform::ScopedMessageService messages_;
    std::unique_ptr<indMain> model_;
};

TEST_F(HelpContext, CellsAreLookedUpByLabelOrByTheFunctionTheyHold)
{
    struct Case {
        const char *name;
        std::vector<std::pair<std::int32_t, std::uint8_t>> bytes; // written first
        std::int32_t label;
        std::int32_t index;
        int context;
    } cases[] = {
        {"a plain cell by its label's name", {}, CL_Mch_FreqR, 0, 120},
        {"two context lines for one topic: the second wins", {}, CL_Mch_Text, 0, 135},
        {"a topic line without a TAB has no topic id", {}, CL_Mch_No, 0, 0},
        {"a label the overlay does not list", {}, CL_Mch_FreqT, 0, 0},
        {"not a label at all", {}, kLabelCount + 7, 0, 0},
        {"an empty context ends the search before a later line", {}, CL_Mch_Inh, 0, 0},
        {"the DTMF code entry 10 is the own id", {}, CL_Dtmf_Code, 10, 400},
        {"other DTMF code entries are plain cells", {}, CL_Dtmf_Code, 9, 0},
        {"a status action of 30 is the AUX output's",
         {{0x1707E + 16 * 2, 30}},
         CL_Digi_Msg_Status_Action,
         2,
         310},
        {"status actions from 223 on lie in the second block; the number is read as atol does",
         {{0x168EE + 16 * 230, 3}},
         CL_Digi_Msg_Status_Action,
         230,
         320},
        {"a key holding 30 is looked up by the key list's option text",
         {{0x10EBF + 2, 30}},
         CL_KDisp_Key_Conv_P2,
         0,
         210},
        {"a key holding 5 is the scan key of its own text",
         {{0x10ED4, 5}},
         CL_KDisp_Key_Shift_P0,
         0,
         215},
        {"a port line used as input",
         {{0x1A750 + 4, 0x80}, {0x1A750 + 5, 2}},
         CL_ExtPort_InOut_3,
         0,
         500},
        {"the same port line used as output",
         {{0x1A750 + 4, 0x00}, {0x1A750 + 5, 2}},
         CL_ExtPort_InOut_3,
         0,
         510},
        {"a dPMR status action of 30 needs no option list",
         {{0x19D14 + 17 * 4, 30}},
         CL_Dpmr_Msg_Status_Action,
         4,
         330},
        // The texts lack the dPMR action list: no help rather than the end
        // of the program.
        {"a function list the texts lack",
         {{0x19D14 + 17 * 4, 3}},
         CL_Dpmr_Msg_Status_Action,
         4,
         0},
        {"an action index beyond the image", {}, CL_Dtmf_Decode_Action, 100000, 0},
        // The help overlay lacks the dial list: the request finds nothing
        // instead of ending the program.
        {"a topic list the overlay lacks", {{0x10EC7, 1}}, CL_KDisp_Key_Conv_DialCw, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto &[offset, value] : c.bytes)
            setByte(offset, value);
        EXPECT_EQ(contextOf(c.label, c.index), c.context);
    }
    EXPECT_TRUE(recorder_.shown().empty());
}

TEST_F(HelpContext, ALanguageChangeReadsTheNewLanguagesHelpOverlay)
{
    EXPECT_EQ(contextOf(CL_Mch_FreqR), 120);
    settings_.languageNumber = 1;
    ASSERT_TRUE(model_->ChangeLanguage());
    EXPECT_EQ(contextOf(CL_Mch_FreqR), 777);
    EXPECT_EQ(contextOf(CL_Mch_Text), 0);
}

TEST_F(HelpContext, ACapsuleWithoutACellHasNoContext)
{
    cmcCellCapsule capsule;
    EXPECT_EQ(model_->FindHelpContext(capsule), 0);
}

} // namespace
