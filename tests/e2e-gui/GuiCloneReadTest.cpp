// The desktop program end to end: started under a virtual X server, it reads
// the virtual radio through the Clone menu, driven by keystrokes as a user
// would, and ends with File > Exit.

#include "VirtualRadioProcess.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString settingsText(quint16 port)
{
    QFile templateFile(
        QString::fromStdString(testing_support::fixtureDir() + "frame/settings-tcp.conf"));
    if (!templateFile.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(templateFile.readAll()).replace("@PORT@", QString::number(port));
}

QString readProbe(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed() : QString();
}

TEST(GuiCloneRead, MenuReadMakesTheDocumentUntitledAndModified)
{
    if (QStandardPaths::findExecutable("xvfb-run").isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed (scripts/setup-debian.sh installs it)";
    ASSERT_FALSE(QStandardPaths::findExecutable("xdotool").isEmpty())
        << "xdotool is missing; scripts/setup-debian.sh installs it";

    // The radio holds the LMR model's data; the program starts as PMR, so
    // the read also switches the model type.
    VirtualRadioProcess radio;
    const quint16 port =
        radio.startOnTcp({"--memory", QString::fromStdString(testing_support::sourceDir() +
                                                             "data/QX7315C_LMR.vrc")});
    ASSERT_NE(port, 0);

    QTemporaryDir home;
    ASSERT_TRUE(QDir().mkpath(home.filePath("config/Vorn")));
    QFile settings(home.filePath("config/Vorn/Quillon(dPMR).conf"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(settingsText(port).toUtf8());
    settings.close();
    const QString probe = home.filePath("probe");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", home.path());
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("QUILLON_TEST_PROBE", probe);
    QProcess session;
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::MergedChannels);
    const std::string bin = testing_support::binaryDir() + "bin/";
    session.start("xvfb-run", {"-a", "-s", "-screen 0 1024x768x24", "bash",
                               QString::fromStdString(testing_support::sourceDir() +
                                                      "tests/e2e-gui/drive-clone-read.sh"),
                               QString::fromStdString(bin + "quillon")});
    ASSERT_TRUE(session.waitForFinished(180000)) << session.readAll().toStdString();
    const std::string log = session.readAll().toStdString();

    const QString state = readProbe(probe + "/state");
    EXPECT_TRUE(state.contains("\nmodified=1\n")) << state.toStdString() << "\n" << log;
    EXPECT_TRUE(state.contains("\nfile=\n") || state.endsWith("\nfile=")) << state.toStdString();
    EXPECT_TRUE(state.contains("\nmodelType=0")) << state.toStdString();
    // The title carries the mark of unsaved changes.
    EXPECT_EQ(readProbe(probe + "/window-title"), "Untitled* - Quillon(dPMR)") << log;
    EXPECT_EQ(readProbe(probe + "/exit-code"), "0") << log;
    // The radio's memory was kept in the backups folder.
    EXPECT_EQ(QDir(home.filePath("data/quillon/backups"))
                  .entryList({QStringLiteral("*_read_0A1B2C3D4E5F.vrc")}, QDir::Files)
                  .size(),
              1);
    // The exit saved the settings, the link among them.
    EXPECT_TRUE(readProbe(settings.fileName()).contains("TcpipPort=" + QString::number(port)));

    // The pictures stay in the build tree for a look at the window.
    const QString output =
        QString::fromStdString(testing_support::binaryDir() + "test-output/frame");
    QDir().mkpath(output);
    for (const char *name : {"main-window.png", "screen.xwd"}) {
        QFile::remove(output + "/" + name);
        QFile::copy(probe + "/" + name, output + "/" + name);
    }
    EXPECT_TRUE(QFile::exists(output + "/main-window.png"));
    std::printf("screenshot: %s/main-window.png\n", output.toStdString().c_str());
}

} // namespace
