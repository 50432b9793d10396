#include "sheets/cuiImageList.h"

#include "support/TestPaths.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Not a single visible pixel: the picture is missing or drew nothing.
bool blank(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
        }
    }
    return true;
}

const std::string iconDirectory = testing_support::sourceDir() + "data/icons/";

TEST(ImageList, ListsHoldThePicturesInTheirNumberedOrder)
{
    const cuiImageList tree = cuiImageList::TreeImages(iconDirectory);
    const cuiImageList bar = cuiImageList::ToolBarImages(iconDirectory);
    ASSERT_EQ(tree.count(), 13);
    ASSERT_EQ(bar.count(), 21);
    // The numbers the overlays use for marks, banks and the shared picture.
    EXPECT_EQ(tree.name(4), "imgIcon_Tree_Bank0");
    EXPECT_EQ(tree.name(9), "imgIcon_Tree_Bank5");
    EXPECT_EQ(tree.name(10), "imgIcon_Tree_WarnW_RB");
    EXPECT_EQ(tree.name(11), "imgIcon_Tree_WarnE_RB");
    EXPECT_EQ(tree.name(12), "imgIcon_ADJTree_Rig");
    EXPECT_EQ(bar.name(7), "imgIcon_Bar_Clone_Read");
    EXPECT_EQ(bar.name(14), "imgIcon_ADJTree_Rig");
    EXPECT_EQ(bar.name(20), "imgIcon_Bar_Page_Zoom");
    EXPECT_TRUE(tree.icon(-1).isNull());
    EXPECT_TRUE(bar.pixmap(21).isNull());
    EXPECT_EQ(tree.name(13), "");
}

TEST(ImageList, EveryPictureIsInstalledAndDrawsSomething)
{
    for (const cuiImageList &list :
         {cuiImageList::TreeImages(iconDirectory), cuiImageList::ToolBarImages(iconDirectory)}) {
        for (int i = 0; i < list.count(); ++i) {
            const QPixmap pixmap = list.pixmap(i);
            EXPECT_EQ(pixmap.size(), list.imageSize()) << list.name(i);
            EXPECT_FALSE(blank(pixmap)) << list.name(i);
        }
    }
}

TEST(ImageList, AMissingPictureKeepsTheOthersInPlace)
{
    const cuiImageList list = cuiImageList::TreeImages("/nonexistent/");
    ASSERT_EQ(list.count(), 13);
    EXPECT_FALSE(list.icon(3).isNull());
    EXPECT_TRUE(blank(list.pixmap(3)));
}

} // namespace
