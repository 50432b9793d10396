#pragma once

class indEnviron;

// The program's one settings object. The desktop program builds it first
// and installs it; code that runs without it (the command-line tool before
// it installs its own, tests) sees detached default settings that are never
// saved.
indEnviron &environment();
// Installs the object (not owned); nullptr goes back to the defaults.
void installEnvironment(indEnviron *environment);
