#include "mainframe/FrameTestFixture.h"

#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "sheets/iuiTree.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QTreeWidget>

#include <set>
#include <string>
#include <vector>

namespace {

// A file's channels of every kind on the memory channel sheet the tree
// opens for its model type, in the shown main window. The picture is kept
// in the build tree (screenshots/) for a person to look at.
struct PictureCase {
    int modelType;
    const char *fixture;
    const char *picture;
    std::vector<std::string> names;
};

class ChannelSheetPicture : public FrameTest, public ::testing::WithParamInterface<PictureCase>
{
protected:
    void settle()
    {
        eventManager().Tick();
        QApplication::processEvents();
    }

    // The bank node selected as a user selects it; its sheet opens once
    // the selection has rested.
    cuiSheet *selectBankNode()
    {
        iuiTree *tree = view().Tree();
        QTreeWidgetItem *node = tree->FindBankNode(0);
        if (node == nullptr)
            return nullptr;
        tree->View()->setCurrentItem(node);
        tree->FlushChange();
        settle();
        const cmcCellObj *cell = tree->NodeCell(node);
        EXPECT_TRUE(cell != nullptr && cell->suffix && view().CurrentCallText() == *cell->suffix);
        return view().CurrentSheet();
    }

    // The texts the sheet shows, name column by channel and every cell.
    static std::vector<std::string> namesShown(cuiSheet &sheet)
    {
        std::vector<std::string> names;
        cmcCellCapsule capsule;
        cmcCellObj look;
        for (int row = 0; row < sheet.RowCount(); ++row) {
            for (int col = 0; col < sheet.ColCount(); ++col) {
                const std::string text = sheet.CellText(col, row, capsule, look, 0);
                EXPECT_EQ(text.find("*Yet*"), std::string::npos)
                    << "row " << row << ", column " << col << ": " << text;
                if (sheet.CellAt(col, row).label == CL_Mch_Text && !text.empty())
                    names.push_back(text);
            }
        }
        return names;
    }

    static std::size_t coloursIn(const QImage &image)
    {
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        }
        return colours.size();
    }
};

TEST_P(ChannelSheetPicture, TheFilledSheetIsPaintedAndKept)
{
    const PictureCase &c = GetParam();
    settings().modelType = c.modelType;
    openForm();
    settle();
    ASSERT_TRUE(model().LoadFile(testing_support::fixtureDir() + "channel-sheets/" + c.fixture));
    settle();
    form->resize(1280, 800);
    form->show();
    cuiSheet *sheet = selectBankNode();
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->Grid(), nullptr);
    settle();

    EXPECT_EQ(namesShown(*sheet), c.names);

    const QImage picture = form->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    // Not a blank window: the sheet's part has text, lines and colours.
    const QRect gridArea(sheet->Grid()->mapTo(form.get(), QPoint(0, 0)), sheet->Grid()->size());
    ASSERT_TRUE(picture.rect().contains(gridArea));
    EXPECT_GT(coloursIn(picture.copy(gridArea)), 8u);

    const QDir folder(QStringLiteral(QUILLON_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(picture.save(folder.filePath(QString::fromUtf8(c.picture)), "PNG"));
}

INSTANTIATE_TEST_SUITE_P(ModelTypes, ChannelSheetPicture,
                         ::testing::Values(PictureCase{0,
                                                       "lmr-modes.vrc",
                                                       "channel-sheet-lmr.png",
                                                       {"REPEATER", "DTCS", "DIGITAL", "MIXED"}},
                                           PictureCase{
                                               1,
                                               "pmr-modes.vrc",
                                               "channel-sheet-pmr.png",
                                               {"PMR 1", "PMR 8", "DPMR 1", "DPMR 16", "BASE"}}),
                         [](const ::testing::TestParamInfo<PictureCase> &tested) {
                             return tested.param.modelType == 0 ? std::string("Lmr")
                                                                : std::string("Pmr");
                         });

} // namespace
