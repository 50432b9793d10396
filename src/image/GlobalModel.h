#pragma once

class indMain;

// The program's one model object (which is also the main frame). The entry
// point of the desktop program or of the command-line tool builds it and
// installs it here; code that acts on "the" working image (the cell handler,
// the menus) finds it through this accessor. Null until installed.
indMain *modelObject();
void installModelObject(indMain *model);
