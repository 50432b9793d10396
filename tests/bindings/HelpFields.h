#pragma once

#include "support/KeyLines.h"
#include "support/TestPaths.h"
#include "textdb/cmcGTex.h"

#include <map>
#include <string>

// The lines of a key of the program's help overlay as their first field
// (before the tab) and the rest: label -> topic, topic -> context number.
inline std::map<std::string, std::string> helpFields(const std::string &key)
{
    cmcGTex help;
    help.Open(testing_support::sourceDir() + "data/QX7315C_ENG_HLP.OVL");
    std::map<std::string, std::string> fields;
    for (const std::string &line : testing_support::keyLines(help, key)) {
        const std::size_t tab = line.find('\t');
        fields[line.substr(0, tab)] = tab == std::string::npos ? "" : line.substr(tab + 1);
    }
    return fields;
}
