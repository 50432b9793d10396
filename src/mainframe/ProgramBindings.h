#pragma once

class CellBindingRegistry;

// The program's bindings: every label family and the main frame's commands,
// registered on first use.
const CellBindingRegistry &programBindings();
// Adds the same families to `registry` (tests build on them).
void addProgramFamilies(CellBindingRegistry &registry);
