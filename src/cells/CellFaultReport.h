#pragma once

#include <string>

// Takes the faults of cell descriptions that would otherwise end the program
// (unknown names, bad counter references, missing or runaway cell models),
// so that a checker can list them all and a fuzzer can go on. The text is
// the one the fatal box would show.
class CellFaultReport
{
public:
    virtual ~CellFaultReport() = default;
    virtual void Fault(const std::string &text) = 0;
};
