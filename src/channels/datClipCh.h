#pragma once

#include "channels/cmcClipCh.h"

// The channel clipboard: a row stored over another keeps what belongs to
// the position rather than to the entry. The E designation's on/off switch
// and the bank's SmarTrunk and LTR flags always stay as the target has them;
// the priority designations A, B and E travel with the entry, unless the
// paste keeps the target's whole attribute byte (overwriting and clearing
// rows must not move a designation onto them).
class datClipCh : public cmcClipCh
{
public:
    datClipCh() = default;
    ~datClipCh() override;

    void Store(cmcEeprom &image, int kind, int index, datCh &record) override;
    // A paste in which every target row keeps its own attribute byte.
    void PasteKeepingTargetAttributes(cmcEeprom &image, int kind, int firstIndex, int count);

    bool RawPaste() const { return rawPaste_; }

private:
    bool rawPaste_ = false;
    datCh target_;
};
