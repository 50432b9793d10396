#include "bindings/SettingRules.h"

namespace setting_rules {

void runNothingKept(indCellHandler &frame, const CellBinding &)
{
    if (frame.IsDraw())
        frame.ShowNotApplicable("----");
}

} // namespace setting_rules
