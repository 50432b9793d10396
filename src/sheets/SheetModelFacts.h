#pragma once

#include "channels/DpmrIdentity.h"

// What the sheet directives ask about the radio model and its working image:
// which display font the model uses, whether it is a mobile, and how many
// entries the growing lists hold. By default the lists are counted in the
// working image of the installed model object (empty without one), and the
// other answers are "no"; tests and other models install their own.
class SheetModelFacts
{
public:
    // Record kinds of the growing lists, as the record codec numbers them.
    static constexpr int kIndividualIdList = 17;
    static constexpr int kTalkGroupList = 18;
    static constexpr int kCallList = 23;

    virtual ~SheetModelFacts() = default;

    virtual bool UsesNFont() const { return false; }
    // No model of this family is a mobile.
    virtual bool IsMobile() const { return false; }
    // Entries in use of one of the lists above.
    virtual int ListCount(int recordKind) const;
    // Entries of the dPMR ID list that pass `filter`.
    virtual int CallListEntries(DpmrIdFilter filter) const;
};

// The installed answers (not owned); nullptr goes back to the defaults.
const SheetModelFacts &sheetModelFacts();
void installSheetModelFacts(const SheetModelFacts *facts);
