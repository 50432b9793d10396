#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

// Runs quillon-virtual-radio as a child process for tests that talk to it
// through the program's real transports, and stops it again when destroyed.
// The radio's log (with "--verbose" among the arguments) goes to this
// process's standard error.
//
//     VirtualRadioProcess radio;
//     // on a pseudo-terminal: map a COM number to the device through the
//     // settings group "Ports" ("COM<n>" = device) and open that number
//     const std::string device = radio.startOnPty({"--password", "1234"});
//     // on TCP: connect to 127.0.0.1:port
//     const quint16 port = radio.startOnTcp({"--stop-after-frames", "3"});
//     // behind ser2net (a real TCP-to-serial bridge) on a pseudo-terminal
//     if (VirtualRadioProcess::bridgeAvailable())
//         const quint16 bridged = radio.startBehindBridge();
class VirtualRadioProcess
{
public:
    VirtualRadioProcess();
    ~VirtualRadioProcess();
    VirtualRadioProcess(const VirtualRadioProcess &) = delete;
    VirtualRadioProcess &operator=(const VirtualRadioProcess &) = delete;

    // The radio on a new pseudo-terminal; its device path, empty when the
    // radio did not start.
    std::string startOnPty(const QStringList &arguments = {});
    // The radio on a free TCP port of 127.0.0.1; the port, 0 when the radio
    // did not start.
    quint16 startOnTcp(const QStringList &arguments = {});
    // The radio on a pseudo-terminal with ser2net bridging a free TCP port of
    // 127.0.0.1 to it at the given baud; the port, 0 when either did not
    // start.
    quint16 startBehindBridge(const QStringList &arguments = {}, int baud = 9600);

    // Ends the radio and the bridge; harmless when they do not run.
    void stop();
    bool running() const { return radio_.state() != QProcess::NotRunning; }

    // The programs started.
    static QString program();
    static QString bridgeScript();
    // ser2net is installed.
    static bool bridgeAvailable();

private:
    QString start(const QStringList &arguments);

    QProcess radio_;
    QProcess bridge_;
};
