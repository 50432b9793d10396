#pragma once

class indMain;

// Connects the model object to the channel records and the normalisation:
// the hooks it calls, and the multi-table state every channel record uses.
void installStandardModelHooks(indMain &model);
