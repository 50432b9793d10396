#pragma once

// Lets fatal errors of the core show their box when the desktop program runs.
void installFatalDialog();
