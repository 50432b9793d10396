// quillon-cli: the headless companion of the desktop program, on the same core.

#include "CommandTable.h"

#include "platform/ProgramVersion.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kUsageExit = 2;

bool isHelpOption(const std::string &word) { return word == "--help" || word == "-h"; }

int badUsage(const std::string &complaint)
{
    if (!complaint.empty())
        std::fprintf(stderr, "quillon-cli: %s\n", complaint.c_str());
    printOverview(stderr);
    return kUsageExit;
}

// help [COMMAND]: the overview, or one command's usage.
int help(const std::vector<std::string> &arguments)
{
    if (arguments.empty()) {
        printOverview(stdout);
        return 0;
    }
    const CliCommand *command = findCliCommand(arguments[0]);
    if (arguments.size() > 1 || command == nullptr)
        return badUsage(arguments.size() > 1 ? "help takes one command"
                                             : "unknown command " + arguments[0]);
    printCommandHelp(*command, stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return badUsage({});
    const std::string name = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    if (isHelpOption(name) && arguments.empty()) {
        printOverview(stdout);
        return 0;
    }
    if (name == "--version" && arguments.empty()) {
        std::printf("quillon-cli %s\n", platform::programVersion());
        return 0;
    }
    if (name == "help")
        return help(arguments);
    const CliCommand *command = findCliCommand(name);
    if (command == nullptr)
        return badUsage((name[0] == '-' ? "unknown option " : "unknown command ") + name);
    if (arguments.size() == 1 && isHelpOption(arguments[0])) {
        printCommandHelp(*command, stdout);
        return 0;
    }
    return command->run(arguments);
}
