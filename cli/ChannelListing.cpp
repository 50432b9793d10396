#include "ChannelListing.h"

#include "cells/CellCategories.h"
#include "cells/CellLabels.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "channels/datCh.h"
#include "model/CellTyping.h"
#include "model/indMain.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetLayoutFactory.h"
#include "textdb/GlobalTexts.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>

namespace {

constexpr std::int32_t kNoOtherLabel = -1;
constexpr int kNoColumn = -1;
// What the sheet shows in a transmit column that equals the receive one.
constexpr std::string_view kAsReceived = "<-";

struct ChannelColumn {
    const char *heading;
    // The labels a sheet shows the value under: the model types' sheets
    // show some values under twin labels.
    std::array<std::int32_t, 4> labels;
    bool rightAligned;
    // The column whose value the sheet's arrow stands for.
    int arrowMeans;
};

constexpr ChannelColumn kColumns[] = {
    {"no", {kNoOtherLabel, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, true, kNoColumn},
    {"receive MHz", {CL_Mch_FreqR, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, true, kNoColumn},
    {"transmit MHz", {CL_Mch_FreqT, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, true, 1},
    {"rx tone", {CL_Mch_CTone_R, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, false, kNoColumn},
    {"tx tone", {CL_Mch_CTone_T, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, false, 3},
    {"operation mode",
     {CL_Mch_OperationMode, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel},
     false,
     kNoColumn},
    {"bandwidth", {CL_Mch_Nar, CL_Mch_Nar_Pmr, CL_Mch_WNM, CL_Mch_WNM_Pmr}, false, kNoColumn},
    {"power", {CL_Mch_RfPo, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, false, kNoColumn},
    {"name", {CL_Mch_Text, kNoOtherLabel, kNoOtherLabel, kNoOtherLabel}, false, kNoColumn},
};
constexpr std::size_t kColumnCount = std::size(kColumns);
// The first column numbers the channel; the others are the sheet's texts.
constexpr std::size_t kNumberColumn = 0;

using Line = std::array<std::string, kColumnCount>;

bool shows(const ChannelColumn &column, std::int32_t label)
{
    return std::find(column.labels.begin(), column.labels.end(), label) != column.labels.end();
}

// The sheet the tree opens for the memory channels of the model type: the
// first that shows a receive frequency.
std::unique_ptr<SheetLayout> channelSheet(indMain &model)
{
    for (const std::string &call : CellTyping(model).TreeSheets()) {
        std::unique_ptr<SheetLayout> sheet = SheetLayoutFactory::Create(mainTextDatabase(), call);
        // Reading a sheet must not change the user's column widths.
        sheet->SetWidthsPersistent(false);
        sheet->SetHandler(SheetLayout::ModelHandler(), nullptr);
        sheet->Show();
        for (int row = 0; row < sheet->RowCount(); ++row) {
            for (int col = 0; col < sheet->ColCount(); ++col) {
                if (sheet->CellAt(col, row).label == CL_Mch_FreqR)
                    return sheet;
            }
        }
    }
    return nullptr;
}

// The channel a row of the sheet shows, when it is in use.
std::optional<std::int32_t> channelInUse(SheetLayout &sheet, int row, indMain &model)
{
    for (int col = 0; col < sheet.ColCount(); ++col) {
        const cmcCellObj &cell = sheet.CellAt(col, row);
        if (cell.label != CL_Mch_FreqR)
            continue;
        const int kind = cellRecordTable(cell.category);
        if (kind == datCh::kKindNone || cell.index < datCh::firstIndex(kind) ||
            cell.index > datCh::lastIndex(kind))
            return std::nullopt;
        datCh record(&model.WorkingImage());
        record.decode(kind, cell.index);
        if (!record.isUsed())
            return std::nullopt;
        return cell.index;
    }
    return std::nullopt;
}

Line channelLine(SheetLayout &sheet, int row, std::int32_t channel)
{
    Line line;
    line[kNumberColumn] = std::to_string(channel + 1);
    cmcCellCapsule capsule;
    cmcCellObj look;
    for (int col = 0; col < sheet.ColCount(); ++col) {
        const std::int32_t label = sheet.CellAt(col, row).label;
        for (std::size_t k = kNumberColumn + 1; k < kColumnCount; ++k) {
            if (shows(kColumns[k], label) && line[k].empty())
                line[k] = sheet.CellText(col, row, capsule, look, 0);
        }
    }
    for (std::size_t k = 0; k < kColumnCount; ++k) {
        if (kColumns[k].arrowMeans != kNoColumn && line[k] == kAsReceived)
            line[k] = line[static_cast<std::size_t>(kColumns[k].arrowMeans)];
    }
    return line;
}

std::vector<std::string> aligned(const std::vector<Line> &lines)
{
    std::array<std::size_t, kColumnCount> widths{};
    for (const Line &line : lines) {
        for (std::size_t k = 0; k < kColumnCount; ++k)
            widths[k] = std::max(widths[k], line[k].size());
    }
    std::vector<std::string> out;
    for (const Line &line : lines) {
        std::string text;
        for (std::size_t k = 0; k < kColumnCount; ++k) {
            const std::string padding(widths[k] - line[k].size(), ' ');
            text += "  ";
            // The last column is not padded: no blanks at the ends of lines.
            if (kColumns[k].rightAligned)
                text += padding + line[k];
            else
                text += k + 1 < kColumnCount ? line[k] + padding : line[k];
        }
        out.push_back(std::move(text));
    }
    return out;
}

} // namespace

std::vector<std::string> channelListing(indMain &model)
{
    const std::unique_ptr<SheetLayout> sheet = channelSheet(model);
    if (!sheet)
        return {};
    std::vector<Line> lines(1);
    for (std::size_t k = 0; k < kColumnCount; ++k)
        lines[0][k] = kColumns[k].heading;
    for (int row = 0; row < sheet->RowCount(); ++row) {
        if (const std::optional<std::int32_t> channel = channelInUse(*sheet, row, model))
            lines.push_back(channelLine(*sheet, row, *channel));
    }
    return aligned(lines);
}
