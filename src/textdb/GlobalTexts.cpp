#include "textdb/GlobalTexts.h"

#include "textdb/cmcGTex.h"
#include "textdb/cmcHelpGTex.h"

cmcGTex &mainTextDatabase()
{
    static cmcGTex database;
    return database;
}

cmcGTex &languageTextDatabase()
{
    static cmcGTex database;
    return database;
}

cmcHelpGTex &helpTextDatabase()
{
    static cmcHelpGTex database;
    return database;
}

std::string appTitle() { return mainTextDatabase().GetFirstLine("GI_Sys_AppTitle"); }
