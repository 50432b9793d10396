// quillon-ovlcheck: proves that the overlays hold everything the program
// reads. Exit 0 when they do; otherwise every problem is listed.
//
// usage: quillon-ovlcheck --data DIR [--source DIR]...

#include "OverlayChecker.h"
#include "SheetBuildProbe.h"
#include "SourceKeys.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quillon-ovlcheck --data DIR [--source DIR]...\n");
    return 2;
}

std::string withSlash(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    std::string data;
    std::vector<std::string> sources;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--data")
            data = withSlash(argv[i + 1]);
        else if (option == "--source")
            sources.push_back(argv[i + 1]);
        else
            return usage();
    }
    if (data.empty() || argc % 2 == 0)
        return usage();
    OverlayChecker checker(data, sourceKeys(sources));
    checker.SetSheetBuilder([&data](int language, const std::string &descriptor) {
        return buildSheetInChild(data, language, descriptor);
    });
    const std::vector<std::string> problems = checker.Run();
    for (const std::string &text : problems)
        std::printf("%s\n", text.c_str());
    std::printf("ovlcheck: %zu sheets and %zu menus reached, %zu problems\n",
                checker.SheetsReached().size(), checker.MenusReached().size(), problems.size());
    return problems.empty() ? 0 : 1;
}
