#pragma once

#include <string>
#include <string_view>

// A death-test pattern that matches the fatal report of `text` exactly as
// the program writes it ("<program>: <text>"), whatever characters it holds.
inline std::string fatalReport(const std::string &text)
{
    std::string pattern = "cells_tests: ";
    for (char c : text) {
        if (std::string_view(".[]{}()*+?|^$\\").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}
