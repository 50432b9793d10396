#pragma once

// What the sheet directives ask about the radio model and its working image:
// which display font the model uses, whether it is a mobile, and how many
// entries the growing lists hold. The program installs the answers of the
// real model; without that every answer is "no" and every list is empty.
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
    virtual int ListCount(int recordKind) const
    {
        (void)recordKind;
        return 0;
    }
};

// The installed answers (not owned); nullptr goes back to the defaults.
const SheetModelFacts &sheetModelFacts();
void installSheetModelFacts(const SheetModelFacts *facts);
