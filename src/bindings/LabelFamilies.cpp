#include "bindings/LabelFamilies.h"

#include "bindings/ChannelColumnBindings.h"
#include "bindings/CheckBindings.h"
#include "bindings/CommonSettingsBindings.h"
#include "bindings/CwIdBindings.h"
#include "bindings/DigitalListBindings.h"
#include "bindings/DigitalSettingsBindings.h"
#include "bindings/DpmrBindings.h"
#include "bindings/DtmfBindings.h"
#include "bindings/ExpertBindings.h"
#include "bindings/ExternalPortBindings.h"
#include "bindings/FiveToneBindings.h"
#include "bindings/FlexLabelBindings.h"
#include "bindings/KeyDisplayBindings.h"
#include "bindings/MskBindings.h"
#include "bindings/MultiTableBindings.h"
#include "bindings/RowNumberBindings.h"
#include "bindings/ScanBindings.h"
#include "bindings/SetModeBindings.h"
#include "bindings/ToneTableBindings.h"
#include "bindings/TwoToneBindings.h"
#include "bindings/UserCharacterBindings.h"
#include "cells/CellBindingRegistry.h"

// One line per label family; a new family adds its table here.
void addLabelFamilies(CellBindingRegistry &registry)
{
    registry.Add(flexLabelBindings());
    registry.Add(rowNumberBindings());
    registry.Add(channelColumnBindings());
    registry.Add(setModeBindings());
    registry.Add(userSetModeBindings());
    registry.Add(cwIdBindings());
    registry.Add(keyDisplayBindings());
    registry.Add(expertBindings());
    registry.Add(externalPortBindings());
    registry.Add(scanBindings());
    registry.Add(toneTableBindings());
    registry.Add(commonSettingsBindings());
    registry.Add(userCharacterBindings());
    registry.Add(mskBindings());
    registry.Add(dtmfBindings());
    registry.Add(twoToneBindings());
    registry.Add(fiveToneBindings());
    registry.Add(digitalListBindings());
    registry.Add(digitalSettingsBindings());
    registry.Add(dpmrBindings());
    registry.Add(multiTableBindings());
    registry.Add(checkBindings());
    registry.SetMarkSource(checkMarksOf);
}
