#include "sheets/SheetColours.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetColours, ContrastRatioByRelativeLuminance)
{
    struct Case {
        QColor one;
        QColor other;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {Qt::gray, Qt::gray, 1.0},
        {QColor(0x80, 0x80, 0x80), Qt::black, 5.32},
        {QColor(0x80, 0x80, 0x80), Qt::white, 3.95},
        {Qt::yellow, QColor(0x80, 0x80, 0x80), 3.68},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(SheetColours::ContrastRatio(c.one, c.other), c.ratio, 0.01)
            << c.one.name().toStdString() << " on " << c.other.name().toStdString();
}

TEST(SheetColours, TextsStayReadableOnTheirBackground)
{
    const QColor grey(0x80, 0x80, 0x80);
    // Readable as it is: kept.
    EXPECT_EQ(SheetColours::ReadableOn(Qt::black, grey), QColor(Qt::black));
    // White on mid grey is not: black stands out more.
    EXPECT_EQ(SheetColours::ReadableOn(Qt::white, grey), QColor(Qt::black));
    EXPECT_EQ(SheetColours::ReadableOn(QColor(0x30, 0x30, 0x30), Qt::black), QColor(Qt::white));
    // A colour that means something keeps its hue; the background gives way.
    for (const QColor text : {QColor(Qt::yellow), QColor(Qt::cyan), QColor(0x20, 0x20, 0x80)}) {
        for (const QColor background : {grey, QColor(Qt::white), QColor(Qt::black)}) {
            const QColor shade = SheetColours::BackgroundFor(text, background);
            EXPECT_GE(SheetColours::ContrastRatio(text, shade), SheetColours::kReadableContrast)
                << text.name().toStdString() << " on " << background.name().toStdString();
            if (SheetColours::ContrastRatio(text, background) >= SheetColours::kReadableContrast) {
                EXPECT_EQ(shade, background);
            }
        }
    }
}

} // namespace
