#pragma once

class CellBindingRegistry;

// Adds every label family of the sheets' cells (what each label reads and
// writes, and how it shows it) to `registry`. The main frame adds its own
// commands beside them.
void addLabelFamilies(CellBindingRegistry &registry);
