#include "ListedLabels.h"
#include "support/TestPaths.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(LabelsCommand, PrintsTheLabelListInItsOrder)
{
    std::string listed;
    for (const std::string &name : listedLabels())
        listed += name + '\n';

    QProcess cli;
    cli.start(QString::fromStdString(testing_support::binaryDir() + "bin/quillon-cli"), {"labels"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0);
    const std::string printed = cli.readAllStandardOutput().toStdString();
    EXPECT_EQ(printed, listed);
}

TEST(LabelsCommand, RejectsExtraArguments)
{
    QProcess cli;
    cli.start(QString::fromStdString(testing_support::binaryDir() + "bin/quillon-cli"),
              {"labels", "extra"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 2);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
}

} // namespace
