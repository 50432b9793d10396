#pragma once

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvAns.h"
#include "cells/cmcEvMan.h"
#include "channels/datCh.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "sheets/SheetLayout.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The model object with its working image installed, and the bank sheet
// fixture overlay as the main text database: the channels, banks and lists
// a test writes into the image are what the sheets read.
class BankSheetsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        model_ = std::make_unique<indMain>();
        // The model opened the installed overlays; the sheets read the fixture.
        mainTextDatabase().Open(testing_support::fixtureDir() + "banksheets/banksheets.ovl");
        installModelObject(model_.get());
    }
    void TearDown() override { installModelObject(nullptr); }

    indMain &model() { return *model_; }
    datCh records() { return datCh(&model_->WorkingImage()); }
    void setChannels(int count) { records().setBankChannelCount(0, count); }

    // Every row's cell index in one column, as the build left them.
    static std::vector<int> indexes(const SheetLayout &sheet, int col, int firstRow = 0)
    {
        std::vector<int> values;
        for (int row = firstRow; row < sheet.RowCount(); ++row)
            values.push_back(sheet.CellAt(col, row).index);
        return values;
    }
    // Which rows take part in multi-selection.
    static std::vector<bool> takingPart(const SheetLayout &sheet)
    {
        std::vector<bool> rows;
        for (int row = 0; row < sheet.RowCount(); ++row)
            rows.push_back(sheet.Slot(0, row).multiSelect);
        return rows;
    }
    static std::vector<int> counting(int from, int count)
    {
        std::vector<int> values;
        for (int i = 0; i < count; ++i)
            values.push_back(from + i);
        return values;
    }

    // Events 38 and 39 carry the number of rows as their object.
    static void sendRows(std::int32_t event, std::intptr_t rows)
    {
        eventManager().Send(event, reinterpret_cast<void *>(rows));
    }
    // The first answer to a query, as the cell handler reads it; -1 and -1
    // when nobody answers.
    struct Answer {
        std::int32_t code = -1;
        std::int32_t value = -1;
        friend bool operator==(const Answer &, const Answer &) = default;
    };
    static Answer ask(std::int32_t event)
    {
        const cmcEvAns *answer = eventManager().Query(event);
        return answer != nullptr ? Answer{answer->code, answer->value} : Answer{};
    }

private:
    std::unique_ptr<indMain> model_;
};
