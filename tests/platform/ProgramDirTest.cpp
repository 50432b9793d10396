#include "platform/ProgramDir.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An installation tree in a temporary folder: the programs in prefix/bin,
// maybe overlays beside them, maybe the installed data folder.
TEST(ProgramDirectory, BesideTheProgramWinsThenTheInstalledDataFolder)
{
    struct Case {
        const char *name;
        bool overlaysBeside;
        bool installedData;
        const char *expected;
    } cases[] = {
        {"build tree", true, false, "prefix/bin/"},
        {"installed", false, true, "prefix/share/quillon/"},
        {"build tree beside an installation", true, true, "prefix/bin/"},
        {"nothing anywhere", false, false, "prefix/bin/"},
    };
    for (const Case &c : cases) {
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const std::string base = root.path().toStdString() + "/";
        ASSERT_TRUE(QDir().mkpath(root.filePath("prefix/bin")));
        if (c.overlaysBeside)
            testing_support::writeFile(base + "prefix/bin/QX7315C.OVL", "#End_Of_Ovl\n");
        if (c.installedData) {
            ASSERT_TRUE(QDir().mkpath(root.filePath("prefix/share/quillon")));
        }
        EXPECT_EQ(platform::programDirectoryFor(base + "prefix/bin/"), base + c.expected) << c.name;
    }
}

} // namespace
