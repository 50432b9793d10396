// quillon-cli: the headless companion of the desktop program, on the same core.

#include "InspectCommand.h"
#include "LabelsCommand.h"
#include "RadioCommands.h"
#include "SheetCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Command {
    const char *name;
    const char *synopsis;
    int (*run)(const std::vector<std::string> &arguments);
};

const Command kCommands[] = {
    {"inspect", "inspect FILE.vrc   show what a clone file holds", runInspectCommand},
    {"labels", "labels             list the cell label names in identifier order",
     runLabelsCommand},
    {"sheet", "sheet DESCRIPTOR   print a sheet's rows as TAB-separated cell texts",
     runSheetCommand},
    {"info",
     "info LINK [--password TEXT]\n"
     "                     show the radio's clone information",
     runInfoCommand},
    {"read",
     "read LINK [--password TEXT] [--low-speed] -o FILE.vrc\n"
     "                     save the radio's memory as a clone file",
     runReadCommand},
    {"write",
     "write LINK [--password TEXT] [--low-speed] [--maker] FILE.vrc\n"
     "                     write a clone file to the radio",
     runWriteCommand},
};

int usage()
{
    std::fprintf(stderr, "usage: quillon-cli <command> [arguments]\ncommands:\n");
    for (const Command &command : kCommands)
        std::fprintf(stderr, "  %s\n", command.synopsis);
    std::fprintf(stderr, "LINK is --port N (COM number), --device PATH or --tcp HOST:PORT;\n"
                         "--yes answers every question OK.\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return usage();
    const std::string name = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    for (const Command &command : kCommands) {
        if (name == command.name)
            return command.run(arguments);
    }
    return usage();
}
