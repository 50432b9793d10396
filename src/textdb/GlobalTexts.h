#pragma once

#include <string>

class cmcGTex;
class cmcHelpGTex;

// The program-wide text databases: the main one (every text of the selected
// language), the language list and the help overlay of the selected
// language. All live for the whole run.
cmcGTex &mainTextDatabase();
cmcGTex &languageTextDatabase();
cmcHelpGTex &helpTextDatabase();

// Line 0 of "GI_Sys_AppTitle": the caption of every user message.
std::string appTitle();
