#pragma once

#include "cells/CellHandler.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A cell handler for tests: records every call and answers through
// std::functions the test sets. Draw requests keep the sheet's preset text
// (the cell's static text) unless onDraw changes it.
class FakeCellHandler
{
public:
    struct Call {
        std::int32_t mode = 0;
        std::int32_t code = 0;
        std::int32_t command = 0;
        std::uint32_t inputMode = 0;
        std::string inputText;
        std::int32_t category = 0;
        std::int32_t label = 0;
        std::int32_t index = 0;
        std::uint8_t stateBits = 0;
        std::uint8_t rangeBits = 0;
        std::int32_t rangeLow = 0;
        std::int32_t rangeHigh = 0;
        // For an answer of a selection list: the chosen entry.
        std::int32_t chosenLabel = -1;
        std::int32_t chosenIndex = -1;
        bool shift = false;
    };

    FakeCellHandler() { active() = this; }
    ~FakeCellHandler() { active() = nullptr; }
    FakeCellHandler(const FakeCellHandler &) = delete;
    FakeCellHandler &operator=(const FakeCellHandler &) = delete;

    static std::int32_t Handle(indActiveCell *, cmcCellCapsule &capsule, std::int32_t mode)
    {
        FakeCellHandler *self = active();
        if (self == nullptr)
            return 0;
        Call call{mode, capsule.code, capsule.command, capsule.inputMode, capsule.inputText};
        if (capsule.cell != nullptr) {
            call.category = capsule.cell->category;
            call.label = capsule.cell->label;
            call.index = capsule.cell->index;
        }
        call.stateBits = capsule.stateBits;
        call.rangeBits = capsule.rangeBits;
        call.rangeLow = capsule.rangeLow;
        call.rangeHigh = capsule.rangeHigh;
        call.shift = capsule.shiftHeld;
        if (capsule.origin != nullptr && capsule.origin->cell != nullptr) {
            call.chosenLabel = capsule.origin->cell->label;
            call.chosenIndex = capsule.origin->cell->index;
        }
        if (mode == kHandlerDraw) {
            self->draws.push_back(call);
            if (self->onDraw)
                self->onDraw(capsule);
            return 0;
        }
        self->actions.push_back(call);
        return self->onAction ? self->onAction(capsule) : 0;
    }

    std::vector<Call> actions;
    std::vector<Call> draws;
    std::function<std::int32_t(cmcCellCapsule &)> onAction;
    std::function<void(cmcCellCapsule &)> onDraw;

private:
    static FakeCellHandler *&active()
    {
        static FakeCellHandler *instance = nullptr;
        return instance;
    }
};
