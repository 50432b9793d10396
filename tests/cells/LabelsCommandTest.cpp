#include "support/TestPaths.h"

#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

namespace {

TEST(LabelsCommand, PrintsTheLabelNamesInIdentifierOrder)
{
    QProcess cli;
    cli.start(QString::fromStdString(testing_support::binaryDir() + "bin/quillon-cli"), {"labels"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 0);
    const std::string printed = cli.readAllStandardOutput().toStdString();
    EXPECT_EQ(printed,
              testing_support::readFile(testing_support::fixtureDir() + "cells/labels.txt"));
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
