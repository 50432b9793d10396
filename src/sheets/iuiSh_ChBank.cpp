#include "sheets/iuiSh_ChBank.h"

#include "sheets/SheetColours.h"
#include "sheets/cuiGrid.h"
#include "textdb/cmcGTex.h"

#include <QLabel>

#include <algorithm>

iuiSh_ChBank::iuiSh_ChBank(QWidget *container, const cmcCellCapsule *origin,
                           std::int32_t initialLabel, std::int32_t initialIndex, cmcGTex &texts,
                           const std::string &descriptor, const cuiImageList *images)
    : BankSheetLayout<cuiSheet>(container, origin, initialLabel, initialIndex, texts, descriptor,
                                images)
{}

int iuiSh_ChBank::AppendRows(int count)
{
    const int appended = BankSheetLayout::AppendRows(count);
    if (appended > 0 && Grid() != nullptr)
        Grid()->invalidateGrid();
    return appended;
}

int iuiSh_ChBank::RemoveRows(int count)
{
    const GridCoord from = CurrentCell();
    RemoveSelection();
    const int removed = BankSheetLayout::RemoveRows(count);
    if (removed == 0 || Grid() == nullptr)
        return removed;
    if (from.row >= FirstChannelRow())
        PutCursor(from.col, std::max(from.row - removed, FirstChannelRow()));
    Grid()->invalidateGrid();
    return removed;
}

void iuiSh_ChBank::RefreshTitle()
{
    QLabel *title = TitleLabel();
    if (title == nullptr)
        return;
    title->setText(QString::fromStdString(" " + Texts().GetFirstLine("GI_MChSheetTitle")));
    QPalette palette = title->palette();
    // The colour tells a trunking bank from a plain one, so it stays; the
    // background darkens until the title is readable on it.
    const QColor text =
        SheetColours::Plain(Facts().trunking ? kTrunkingTitleColour : kPlainTitleColour);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(
        QPalette::Window,
        SheetColours::BackgroundFor(text, SheetColours::Resolve(Style().titleColour, palette)));
    title->setPalette(palette);
    title->repaint();
}
