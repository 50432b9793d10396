#pragma once

class indMain;

// The program's one model object (which is also the main frame). The entry
// point of the desktop program or of the command-line tool builds it and
// installs it here, which also makes it the cells' host (CellHost). Null
// until installed.
indMain *modelObject();
void installModelObject(indMain *model);
