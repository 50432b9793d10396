#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The commands of quillon-cli with their usage lines, so that the overview,
// `help COMMAND`, `COMMAND --help` and the usage a command prints after a
// wrong command line all say the same.
struct CliCommand {
    const char *name;
    // The command line after "quillon-cli ".
    const char *usage;
    const char *summary;
    int (*run)(const std::vector<std::string> &arguments);
    // More for `help COMMAND`, or nullptr.
    const char *details = nullptr;
};

// Nullptr when there is no such command.
const CliCommand *findCliCommand(const std::string &name);

// "usage: quillon-cli USAGE", the summary and the details of one command;
// with the link options explained when the command takes a link.
void printCommandHelp(const CliCommand &command, std::FILE *out);
// The usage line alone, for a command that was given a wrong command line.
void printCommandUsage(const std::string &name, std::FILE *out);
// Every command with its summary.
void printOverview(std::FILE *out);
