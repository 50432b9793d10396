#include "CommandTable.h"

#include "CheckCommand.h"
#include "InspectCommand.h"
#include "LabelsCommand.h"
#include "RadioCommands.h"
#include "SetCommand.h"
#include "SheetCommand.h"

#include <cstring>

namespace {

constexpr const char *kLinkHelp =
    "LINK is --port N (a COM number from 1 to 256), --device PATH (a\n"
    "serial device such as /dev/ttyUSB0) or --tcp HOST:PORT (a TCP/IP\n"
    "bridge); --yes answers every question OK. Ctrl+C stops an operation\n"
    "that can still be stopped.\n";

constexpr const char *kSetHelp =
    "LABEL is a cell label name (quillon-cli labels lists them), INDEX the\n"
    "cell's index, 0 when left out (for a channel column the channel, counted\n"
    "from 0). The cell is the one a sheet of the file's model type shows; a\n"
    "cell that offers a list also takes the text of one of its entries. Each\n"
    "cell is printed as it then shows. When a cell does not take its text,\n"
    "nothing is saved and the exit status is 2.\n";

const CliCommand kCommands[] = {
    {"inspect", "inspect FILE.vrc", "show what a clone file holds", runInspectCommand},
    {"labels", "labels", "list the cell label names in identifier order", runLabelsCommand},
    {"sheet", "sheet DESCRIPTOR [--file FILE.vrc] [--model-type 0|1] [--lang N]",
     "print a sheet's rows as TAB-separated cell texts", runSheetCommand},
    {"set", "set FILE.vrc LABEL[INDEX]=TEXT ... [-o OUT.vrc]",
     "type each TEXT into its cell as a user would, then save the file (or OUT.vrc)", runSetCommand,
     kSetHelp},
    {"check", "check [--file FILE.vrc] [--model-type 0|1]",
     "list the errors and warnings of the settings (exit 0 none, 3 warnings only, 1 errors)",
     runCheckCommand},
    {"info", "info LINK [--password TEXT] [--yes]", "show the radio's clone information",
     runInfoCommand},
    {"read", "read LINK [--password TEXT] [--low-speed] [--no-backup] [--yes] -o FILE.vrc",
     "save the radio's memory as a clone file (and a copy in the backups folder)", runReadCommand},
    {"write",
     "write LINK [--password TEXT] [--low-speed] [--maker] [--no-backup] [--force] [--yes] "
     "FILE.vrc",
     "write a clone file to the radio (after a copy in the backups folder); a file with errors "
     "is refused unless --force is given",
     runWriteCommand},
};

bool takesLink(const CliCommand &command) { return std::strstr(command.usage, " LINK") != nullptr; }

} // namespace

const CliCommand *findCliCommand(const std::string &name)
{
    for (const CliCommand &command : kCommands) {
        if (name == command.name)
            return &command;
    }
    return nullptr;
}

void printCommandUsage(const std::string &name, std::FILE *out)
{
    const CliCommand *command = findCliCommand(name);
    if (command != nullptr)
        std::fprintf(out, "usage: quillon-cli %s\n", command->usage);
}

void printCommandHelp(const CliCommand &command, std::FILE *out)
{
    std::fprintf(out, "usage: quillon-cli %s\n%s\n", command.usage, command.summary);
    if (command.details != nullptr)
        std::fputs(command.details, out);
    if (takesLink(command))
        std::fputs(kLinkHelp, out);
}

void printOverview(std::FILE *out)
{
    std::fputs("usage: quillon-cli COMMAND [ARGUMENTS]\n"
               "       quillon-cli help [COMMAND]\n"
               "       quillon-cli --help | --version\n"
               "Reads, writes and inspects land-mobile radios and clone files.\n"
               "commands:\n",
               out);
    for (const CliCommand &command : kCommands)
        std::fprintf(out, "  %s\n      %s\n", command.usage, command.summary);
    std::fputs(kLinkHelp, out);
}
