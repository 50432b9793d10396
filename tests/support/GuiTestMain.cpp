#include "platform/ProgramDir.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    // Widget tests never need a real display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Nothing a test does ends up among the user's own files.
    QTemporaryDir userData;
    platform::setUserDataFolder(userData.path().toStdString());
    return RUN_ALL_TESTS();
}
