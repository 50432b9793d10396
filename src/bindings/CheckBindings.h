#pragma once

#include "cells/CellBinding.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CellHost;

// The warning check's checks: each `CL_Check_…` label looks at the settings
// of one sheet and reports what is invalid (an error: the radio must not
// get it) or suspicious (a warning). A check is one row of a table: the
// inspections it runs on the working image and the cells whose own marks
// it collects. Its findings mark both the check cell (the worst of them)
// and the cells concerned, so that a sheet shows where the problem is.
struct CheckFinding {
    std::int32_t category = 0;
    std::int32_t label = 0;
    std::int32_t index = 0;
    bool error = false;
    // Line of "GI_WarningCheck_Reasons".
    int reason = 0;
};

// Reasons, by their line in "GI_WarningCheck_Reasons".
enum CheckReason : int {
    kReasonCellMark = 0,
    kReasonRepeaterSameFrequency,
    kReasonFrequencyOutsideBand,
    kReasonPriorityNotMember,
    kReasonKeyNeedsDigital,
    kReasonKeyOutsideList,
    kReasonNacWithoutCode,
    kReasonTalkGroupMissing,
    kReasonTalkGroupDuplicate,
    kReasonStatusEmpty,
    kReasonMultiTableConflict,
    kReasonLtrAndSmarTrunk,
    kReasonLtrSimplex,
    kReasonPortInputAndOutput,
    kReasonMskGroupOverlap,
};

// The label family of the check cells.
std::span<const CellBinding> checkBindings();

// Every finding of one check on the host's working image, in the order a
// sheet shows them; nothing for a check the model type does not have.
void collectCheckFindings(CellHost &host, std::int32_t checkLabel,
                          std::vector<CheckFinding> &findings);

// The marks (cmcCellCapsule warning and error bits) the checks' inspections
// put on the cell (label, index): the registry's mark source. Remembers the
// findings until the image or the model type changes.
std::uint8_t checkMarksOf(CellHost &host, std::int32_t label, std::int32_t index);

// The English text of a reason.
std::string checkReasonText(int reason);
