#include "mainframe/ProgramBindings.h"

#include "bindings/LabelFamilies.h"
#include "cells/CellBindingRegistry.h"
#include "mainframe/CloneInfoBindings.h"
#include "mainframe/MenuCommandBindings.h"

void addProgramFamilies(CellBindingRegistry &registry)
{
    addLabelFamilies(registry);
    registry.Add(menuCommandBindings());
    registry.Add(cloneInfoBindings());
}

const CellBindingRegistry &programBindings()
{
    static const CellBindingRegistry program = [] {
        CellBindingRegistry registry;
        addProgramFamilies(registry);
        return registry;
    }();
    return program;
}
