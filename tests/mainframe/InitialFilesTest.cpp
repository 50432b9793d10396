#include "ModelTestFixture.h"

#include "image/LayoutConversion.h"
#include "image/ParameterBlockTable.h"
#include "platform/ProgramDir.h"
#include "support/TestPaths.h"

#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include <gmock/gmock.h>

#include <set>

namespace {

namespace wl = working_layout;
using image_words::read16;

class InitialFileTest : public ModelTest, public ::testing::WithParamInterface<int>
{};

// Each shipped initial file is a clone file the program accepts as it is:
// header, map revision, whole radio memory, strict identification, and a
// parameter table with every block the initial-file conversion reads.
TEST_P(InitialFileTest, ShippedFileIsCompleteAndStrictlyValid)
{
    const int modelType = GetParam();
    const std::string path =
        platform::programDirectory() + mainTextDatabase().GetLine("GI_App_InitialFile", modelType);
    cmcEeprom image;
    image.SetSize(wl::kImageSize);
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    file.SetReportErrors(false);
    ASSERT_EQ(file.Read(path, model->GetRangeList(3)), cmcVrcFile::ErrNone) << path;
    EXPECT_TRUE(model->CheckImage(image, true));
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(image), 0); // radio layout only: no option bits

    LayoutConversion conversion(LayoutContext{});
    ASSERT_TRUE(conversion.LoadDirectory(image));
    std::set<int> listed;
    const int entries = read16(image, wl::kTableHeader + 4);
    for (int k = 0; k < entries; ++k)
        listed.insert(read16(image, wl::kDirectoryCopy + 10 * k));
    for (const auto &block : parameter_blocks::all()) {
        if (block.initial != parameter_blocks::InitialFill::NotRead) {
            EXPECT_EQ(listed.count(block.id), 1u) << "block " << block.id;
        }
    }
    conversion.InitialToWorking(image);
    EXPECT_EQ(indMain::ModelTypeFromOptionBits(image), modelType);
    EXPECT_EQ(read16(image, wl::kChannelCount), 0);
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, InitialFileTest, ::testing::Values(0, 1));

TEST_F(ModelTest, MissingInitialFileEndsTheProgram)
{
    // A fixed folder: the death test's child process must name the same path.
    const std::string folder = testing_support::binaryDir() + "no-initial-files/";
    platform::setProgramDirectory(folder);
    EXPECT_DEATH(model->LoadInitialFile(0),
                 ::testing::HasSubstr("Cannot open '" + folder + "QX7315C_LMR.vrc'."));
    platform::setProgramDirectory({});
}

} // namespace
