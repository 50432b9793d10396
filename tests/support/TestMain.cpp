#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Death tests re-run the program for each fatal case; the threadsafe
    // style keeps that correct with Qt's threads around.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    // Nothing a test does ends up among the user's own files.
    QTemporaryDir userData;
    platform::setUserDataFolder(userData.path().toStdString());
    return RUN_ALL_TESTS();
}
