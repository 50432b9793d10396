#pragma once

#include <string>
#include <vector>

// The clone commands: the radio's clone information, a read into a clone
// file, a clone file written to the radio. Exit code 0 on success, the clone
// result code on a clone failure, 100 + the file error code on a file
// failure, 1 when the operation stopped before it ran (a question answered
// Cancel, a check that refused it), 2 for a wrong command line.
int runInfoCommand(const std::vector<std::string> &arguments);
int runReadCommand(const std::vector<std::string> &arguments);
int runWriteCommand(const std::vector<std::string> &arguments);
