#pragma once

#include <string>

class cmcGTex;

// The program-wide text databases: the main one (every text of the selected
// language) and the language list. Both live for the whole run.
cmcGTex &mainTextDatabase();
cmcGTex &languageTextDatabase();

// Line 0 of "GI_Sys_AppTitle": the caption of every user message.
std::string appTitle();
