// quillon-cli: the headless companion of the desktop program, on the same core.

#include "LabelsCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quillon-cli <command> [arguments]\n"
                         "commands:\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return usage();
    if (std::strcmp(argv[1], "labels") == 0)
        return runLabelsCommand(argc - 2, argv + 2);
    return usage();
}
