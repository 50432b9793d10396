#include "bindings/LabelFamilies.h"

#include "bindings/ChannelColumnBindings.h"
#include "bindings/FlexLabelBindings.h"
#include "bindings/RowNumberBindings.h"
#include "bindings/UserCharacterBindings.h"
#include "cells/CellBindingRegistry.h"

// One line per label family; a new family adds its table here.
void addLabelFamilies(CellBindingRegistry &registry)
{
    registry.Add(flexLabelBindings());
    registry.Add(rowNumberBindings());
    registry.Add(channelColumnBindings());
    registry.Add(userCharacterBindings());
}
