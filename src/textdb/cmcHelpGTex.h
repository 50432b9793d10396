#pragma once

#include "textdb/cmcGTex.h"

#include <string>

// The help overlay: the table from cell labels and functions to topic ids
// and from topic ids to help contexts. It is read the way the main text
// database is, but always from a file, and only ever looked up line by line.
class cmcHelpGTex : private cmcGTex
{
public:
    using cmcGTex::fileName;
    using cmcGTex::GetLine;
    using cmcGTex::Open;
    using cmcGTex::TryGetLine;
};
