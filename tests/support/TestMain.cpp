#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Death tests re-run the program for each fatal case; the threadsafe
    // style keeps that correct with Qt's threads around.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
