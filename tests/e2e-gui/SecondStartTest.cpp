// Two starts of the desktop program: the second hands its clone file to the
// first, which opens it, and ends with exit code 0. The first writes what it
// shows into its probe folder; the test waits for that, never for a time.

#include "support/TestPaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Only a program that hangs takes this long.
constexpr qint64 kHangLimitMs = 120000;

class SecondStartTest : public ::testing::Test
{
protected:
    SecondStartTest()
    {
        QDir(home_.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(home_.filePath("run"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("QT_QPA_PLATFORM", "offscreen");
        environment_.insert("HOME", home_.path());
        environment_.insert("XDG_RUNTIME_DIR", home_.filePath("run"));
        environment_.insert("XDG_CONFIG_HOME", home_.filePath("config"));
        environment_.insert("XDG_DATA_HOME", home_.filePath("data"));
        environment_.insert("QUILLON_TEST_PROBE", probe());
    }

    ~SecondStartTest() override
    {
        first_.kill();
        first_.waitForFinished();
    }

    QString probe() const { return home_.filePath("probe"); }
    QString program() const
    {
        return QString::fromStdString(testing_support::binaryDir() + "bin/quillon");
    }

    QString state() const
    {
        QFile file(probe() + "/state");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // Waits until the first program's state holds the line; false when it
    // never does.
    bool stateHolds(const QString &line)
    {
        QElapsedTimer clock;
        clock.start();
        while (!state().split('\n').contains(line)) {
            if (clock.elapsed() > kHangLimitMs || first_.state() == QProcess::NotRunning)
                return false;
            QThread::msleep(20);
        }
        return true;
    }

    void startFirst()
    {
        first_.setProcessEnvironment(environment_);
        first_.setProcessChannelMode(QProcess::ForwardedChannels);
        first_.start(program(), {});
        ASSERT_TRUE(first_.waitForStarted());
        ASSERT_TRUE(stateHolds("modified=0")) << state().toStdString();
    }

    // The second start's exit code; -1 when it did not end.
    int startSecond(const QStringList &arguments)
    {
        QProcess second;
        second.setProcessEnvironment(environment_);
        second.setWorkingDirectory(home_.path());
        second.start(program(), arguments);
        if (!second.waitForFinished(int(kHangLimitMs))) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }

    QTemporaryDir home_;
    QProcessEnvironment environment_;
    QProcess first_;
};

TEST_F(SecondStartTest, HandsItsFileToTheRunningProgramAndEnds)
{
    const QString file = home_.filePath("Fleet B.vrc");
    ASSERT_TRUE(QFile::copy(
        QString::fromStdString(testing_support::sourceDir() + "data/QX7315C_PMR.vrc"), file));
    startFirst();

    // A name relative to the second start's folder reaches the first as a
    // whole path.
    EXPECT_EQ(startSecond({"Fleet B.vrc"}), 0);
    EXPECT_TRUE(stateHolds("file=" + file)) << state().toStdString();
    EXPECT_EQ(first_.state(), QProcess::Running);

    // Without a file the running program only comes to the front.
    EXPECT_EQ(startSecond({}), 0);
    EXPECT_EQ(first_.state(), QProcess::Running);
    EXPECT_TRUE(stateHolds("file=" + file)) << state().toStdString();
}

} // namespace
