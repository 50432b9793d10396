// quillon-virtual-radio: a stand-in for the radio on a pseudo-terminal or a
// TCP port, for tests and demonstrations. The first line on standard output
// is the device path of the pseudo-terminal, or the TCP port number.
#include "MemoryFile.h"
#include "PtyChannel.h"
#include "RadioLink.h"
#include "TcpChannel.h"
#include "VirtualRadio.h"

#include "platform/ProgramVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <iostream>
#include <memory>

namespace {

struct Options {
    vradio::RadioSetup setup;
    QString memoryFile;
    QString saveFile;
    int tcpPort = -1;
    QString listenAddress = QStringLiteral("127.0.0.1");
    int paceBaud = 0;
    bool verbose = false;
};

struct Flag {
    const char *name;
    const char *value;
    const char *help;
};

constexpr Flag kFlags[] = {
    {"tcp", "port", "Listen on this TCP port (0: any free port) instead of a pseudo-terminal."},
    {"listen", "address", "Address to listen on with --tcp (default 127.0.0.1)."},
    {"memory", "file", "Load the memory from this clone file."},
    {"save", "file", "Save the memory to this clone file after every accepted write."},
    {"password", "text", "Require this clone password for reads and writes."},
    {"serial", "digits", "Report this serial number (12 hexadecimal digits; empty: none)."},
    {"stop-after-frames", "n", "Go silent after n answers (frames and acknowledgements)."},
    {"corrupt-checksum", "n", "Spoil the checksum of data frame n of every read."},
    {"refuse-block", "n", "Answer FA at block acknowledgement n of every write."},
    {"baud-pace", "baud", "Send and take bytes no faster than a line at this baud."},
    {"noise", "n", "Send n garbage bytes before every frame."},
};

bool numberOption(const QCommandLineParser &parser, const char *name, int minimum, int &out)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < minimum) {
        std::cerr << "quillon-virtual-radio: --" << name << " needs a number of at least "
                  << minimum << '\n';
        return false;
    }
    out = value;
    return true;
}

bool parseOptions(const QCoreApplication &app, Options &options)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("A radio that answers the clone protocol.");
    const QCommandLineOption help = parser.addHelpOption();
    // Only the long form: -v is the verbose log.
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Displays version information."));
    parser.addOption(version);
    for (const Flag &flag : kFlags)
        parser.addOption({flag.name, flag.help, flag.value});
    parser.addOption({{"v", "verbose"}, "Log every frame and event to standard error."});
    // A wrong command line is the caller's mistake: the reason and the usage
    // go to standard error with exit code 2, as the other programs do it.
    if (!parser.parse(app.arguments()) || !parser.positionalArguments().isEmpty()) {
        const QString reason =
            parser.errorText().isEmpty()
                ? QStringLiteral("unexpected argument ") + parser.positionalArguments().constFirst()
                : parser.errorText();
        std::cerr << "quillon-virtual-radio: " << reason.toStdString() << '\n'
                  << parser.helpText().toStdString();
        return false;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    vradio::FaultPlan &faults = options.setup.faults;
    const bool numbersOk = numberOption(parser, "tcp", 0, options.tcpPort) &&
                           numberOption(parser, "stop-after-frames", 0, faults.stopAfterAnswers) &&
                           numberOption(parser, "corrupt-checksum", 1, faults.corruptDataFrame) &&
                           numberOption(parser, "refuse-block", 1, faults.refuseBlock) &&
                           numberOption(parser, "baud-pace", 1, options.paceBaud) &&
                           numberOption(parser, "noise", 0, faults.noiseBytes);
    if (!numbersOk || options.tcpPort > 65535)
        return false;
    options.memoryFile = parser.value("memory");
    options.saveFile = parser.value("save");
    options.setup.password = parser.value("password").toStdString();
    if (parser.isSet("serial"))
        options.setup.serialNumber = parser.value("serial").toStdString();
    if (parser.isSet("listen"))
        options.listenAddress = parser.value("listen");
    options.verbose = parser.isSet("verbose");
    return true;
}

std::vector<std::uint8_t> initialMemory(const Options &options, bool &ok)
{
    auto memory = vradio::MemoryFile::blankMemory(vradio::VirtualRadio::kMemorySize);
    ok = true;
    if (!options.memoryFile.isEmpty()) {
        const std::string error =
            vradio::MemoryFile::load(options.memoryFile.toStdString(), memory);
        if (!error.empty()) {
            std::cerr << "quillon-virtual-radio: " << error << '\n';
            ok = false;
        }
    }
    return memory;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(platform::programVersion()));
    Options options;
    if (!parseOptions(app, options))
        return 2;
    bool memoryOk = false;
    vradio::VirtualRadio radio(options.setup, initialMemory(options, memoryOk));
    if (!memoryOk)
        return 1;
    if (options.verbose)
        radio.log = [](const std::string &line) { std::cerr << "radio: " << line << std::endl; };
    const std::string savePath = options.saveFile.toStdString();
    radio.onWritten = [savePath](const std::vector<std::uint8_t> &memory) {
        if (!savePath.empty() && !vradio::MemoryFile::save(savePath, memory))
            std::cerr << "quillon-virtual-radio: cannot save " << savePath << '\n';
    };

    std::unique_ptr<vradio::ByteChannel> channel;
    if (options.tcpPort >= 0) {
        auto tcp = std::make_unique<vradio::TcpChannel>();
        if (!tcp->listen(QHostAddress(options.listenAddress),
                         static_cast<quint16>(options.tcpPort))) {
            std::cerr << "quillon-virtual-radio: cannot listen on port " << options.tcpPort << '\n';
            return 1;
        }
        std::cout << tcp->port() << std::endl;
        channel = std::move(tcp);
    } else {
        auto pty = std::make_unique<vradio::PtyChannel>();
        if (!pty->valid()) {
            std::cerr << "quillon-virtual-radio: no pseudo-terminal available\n";
            return 1;
        }
        std::cout << pty->slavePath() << std::endl;
        channel = std::move(pty);
    }

    vradio::RadioLink link(radio, *channel, options.paceBaud);
    link.start();
    return app.exec();
}
