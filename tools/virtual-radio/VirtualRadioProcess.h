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
//     const std::string device = radio.startOnPty({"--password", "1234"});
//     // map a COM number to device through the settings group "Ports", or:
//     const quint16 port = radio.startOnTcp();   // connect to 127.0.0.1:port
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

    // Ends the radio; harmless when it does not run.
    void stop();
    bool running() const { return process_.state() != QProcess::NotRunning; }

    // The program started; built beside the other programs.
    static QString program();

private:
    QString start(const QStringList &arguments);

    QProcess process_;
};
