#pragma once

#include "cells/CellHandler.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include "support/TestPaths.h"

#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A cell handler that answers state requests from a table and records every
// call, so tests see what menus and tool bars ask and send.
struct FakeCellHandler {
    struct Answer {
        std::uint8_t userFlags = 0; // bit n = user flag n
        std::optional<std::string> text;
        std::optional<std::int32_t> imageIndex;
    };
    struct Call {
        std::int32_t label = 0;
        std::int32_t index = 0;
        std::int32_t code = 0;
        std::int32_t mode = 0;
        QObject *owner = nullptr;
        std::optional<std::int32_t> originLabel;
    };

    static inline std::map<std::pair<std::int32_t, std::int32_t>, Answer> answers;
    static inline std::vector<Call> calls;

    static void reset()
    {
        answers.clear();
        calls.clear();
    }
    static void answer(std::int32_t label, std::int32_t index, Answer a)
    {
        answers[{label, index}] = std::move(a);
    }

    static std::int32_t handle(indActiveCell *, cmcCellCapsule &capsule, std::int32_t mode)
    {
        cmcCellObj &cell = *capsule.cell;
        Call call{cell.label, cell.index, capsule.code, mode, capsule.ownerControl, {}};
        if (capsule.origin != nullptr && capsule.origin->cell != nullptr)
            call.originLabel = capsule.origin->cell->label;
        calls.push_back(call);
        const auto found = answers.find({cell.label, cell.index});
        if (capsule.code == 0 && found != answers.end()) {
            for (int flag = 0; flag < 4; ++flag)
                cell.SetUserFlag(flag, (found->second.userFlags & (1u << flag)) != 0);
            if (found->second.text)
                cell.SetText(*found->second.text);
            if (found->second.imageIndex)
                cell.imageIndex = *found->second.imageIndex;
        }
        return kHandlerNothing;
    }

    // Calls with the Enter code: the clicks that reached the handler.
    static std::vector<Call> clicks()
    {
        std::vector<Call> result;
        for (const Call &call : calls) {
            if (call.code == cmcCellCapsule::kCodeEnter)
                result.push_back(call);
        }
        return result;
    }
};

// Menus, the tree and the tool bar read the fixture overlay; cell models
// come from the main text database, so that is the one they use.
class MenusFixture : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        mainTextDatabase().Open(testing_support::fixtureDir() + "menus/menus.ovl");
    }
    void SetUp() override
    {
        FakeCellHandler::reset();
        // Nothing a previous test posted may arrive in this one.
        eventManager().Tick();
    }
    void TearDown() override { eventManager().Tick(); }

    static cmcGTex &texts() { return mainTextDatabase(); }

    static QStringList captions(const std::vector<QAction *> &actions)
    {
        QStringList result;
        for (const QAction *action : actions)
            result.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        return result;
    }

    QWidget window;
};
