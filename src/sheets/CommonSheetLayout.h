#pragma once

#include "cells/DescriptionText.h"
#include "cells/ModelCapabilities.h"
#include "sheets/SheetLayout.h"
#include "sheets/cmcScrBlock.h"

#include <string_view>
#include <utility>

// The common settings pages, added to a sheet engine (SheetLayout for the
// command-line tool, cuiSheet on screen): lines that hold only for some
// radios are skipped by conditional directives that ask the model's
// capabilities. "(Only_Maker 3)" skips the next three lines unless the maker
// mode is on. Other directives are the base sheet's.
template <class Sheet>
class CommonSheetLayout : public Sheet
{
public:
    using Sheet::Sheet;

    // Not owned; nullptr: the installed model object's answers.
    void SetCapabilities(const ModelCapabilities *capabilities) { capabilities_ = capabilities; }

    // 4
    void ApplyDirective(std::string_view directive) override
    {
        const cmcScrBlock block(directive);
        bool skip = false;
        if (!SkipsLines(capabilities(), block.Name(), skip)) {
            Sheet::ApplyDirective(directive);
            return;
        }
        if (skip)
            this->skipCount_ = readDecimal(block.Item(0));
    }

    // Whether `name` is one of the common pages' conditions and, when it is,
    // whether the model makes it skip its lines.
    static bool SkipsLines(const ModelCapabilities &model, std::string_view name, bool &skip)
    {
        using Test = bool (*)(const ModelCapabilities &);
        struct Condition {
            std::string_view name;
            Test skips;
        };
        static constexpr Condition kConditions[] = {
            {"Only_Pmr", [](const ModelCapabilities &m) { return !m.IsPmr() && !m.IsQsig(); }},
            {"Only_Lmr",
             [](const ModelCapabilities &m) { return !m.IsLmr() && !m.HasP25() && !m.HasLtr(); }},
            {"Only_MDC", [](const ModelCapabilities &m) { return !m.HasMdc(); }},
            {"Only_QSIG", [](const ModelCapabilities &m) { return !m.IsQsig(); }},
            {"Only_notQSIG", [](const ModelCapabilities &m) { return m.IsQsig(); }},
            {"Only_Mob", [](const ModelCapabilities &m) { return !m.IsMobile(); }},
            {"Only_Handy", [](const ModelCapabilities &m) { return !m.IsHandheld(); }},
            {"Only_Repeater", [](const ModelCapabilities &m) { return !m.IsRepeater(); }},
            {"Only_P25", [](const ModelCapabilities &m) { return !m.HasP25(); }},
            {"Only_DigEnable", [](const ModelCapabilities &m) { return !m.DigitalEnabled(); }},
            {"Only_Analog", [](const ModelCapabilities &m) { return m.HasP25(); }},
            {"Only_Ltr", [](const ModelCapabilities &m) { return !m.HasLtr(); }},
            {"Only_Maker", [](const ModelCapabilities &m) { return !m.MakerMode(); }},
            {"Never", [](const ModelCapabilities &) { return true; }},
        };
        for (const Condition &condition : kConditions) {
            if (condition.name == name) {
                skip = condition.skips(model);
                return true;
            }
        }
        return false;
    }

private:
    const ModelCapabilities &capabilities() const
    {
        return capabilities_ != nullptr ? *capabilities_ : ModelCapabilities::Installed();
    }

    const ModelCapabilities *capabilities_ = nullptr;
};
