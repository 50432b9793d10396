// Ctrl+C in quillon-cli: the tool runs against the radio program through a
// relay in this process, which holds the radio's or the tool's bytes back at
// a chosen point and sends SIGINT there. Nothing can finish before the
// interrupt arrives, however fast or slow the machine is.
#include "E2eRig.h"

#include "MemoryFile.h"
#include "VirtualRadioProcess.h"

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <csignal>
#include <memory>

namespace e2e {
namespace {

constexpr int kHangLimitMs = 180000;

// Passes the connections of the tool to the radio. On the connection that
// carries the memory (a read's second, a write's third: the ones before ask
// for the radio's identity) it lets through only `limit` bytes in the held
// direction, then calls `onHold`; release() lets the rest through.
class HoldingRelay
{
public:
    enum class Held { FromRadio, ToRadio };

    HoldingRelay(quint16 radioPort, int memoryConnection, Held held, qint64 limit,
                 std::function<void()> onHold)
        : radioPort_(radioPort), memoryConnection_(memoryConnection), held_(held), limit_(limit),
          onHold_(std::move(onHold))
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { accept(); });
    }

    quint16 port() const { return server_.serverPort(); }
    bool holding() const { return holding_; }

    void release()
    {
        holding_ = false;
        limit_ = -1;
        for (auto &link : links_)
            pass(*link);
    }

private:
    struct Link {
        QTcpSocket *tool;
        std::unique_ptr<QTcpSocket> radio;
        bool memory;
        qint64 passed = 0;
        QByteArray toTool;
        QByteArray toRadio;
    };

    void accept()
    {
        while (QTcpSocket *tool = server_.nextPendingConnection()) {
            auto link = std::make_unique<Link>();
            link->tool = tool;
            link->radio = std::make_unique<QTcpSocket>();
            link->memory = ++connections_ == memoryConnection_;
            Link *raw = link.get();
            QObject::connect(tool, &QTcpSocket::readyRead, tool, [this, raw] {
                raw->toRadio += raw->tool->readAll();
                pass(*raw);
            });
            QObject::connect(raw->radio.get(), &QTcpSocket::readyRead, raw->radio.get(),
                             [this, raw] {
                                 raw->toTool += raw->radio->readAll();
                                 pass(*raw);
                             });
            QObject::connect(raw->radio.get(), &QTcpSocket::connected, raw->radio.get(),
                             [this, raw] { pass(*raw); });
            QObject::connect(tool, &QTcpSocket::disconnected, tool,
                             [raw] { raw->radio->disconnectFromHost(); });
            raw->radio->connectToHost(QHostAddress::LocalHost, radioPort_);
            links_.push_back(std::move(link));
        }
    }

    void pass(Link &link)
    {
        if (link.radio->state() != QAbstractSocket::ConnectedState)
            return;
        QByteArray &held = held_ == Held::FromRadio ? link.toTool : link.toRadio;
        if (link.memory && limit_ >= 0) {
            const qint64 room = std::max<qint64>(limit_ - link.passed, 0);
            const QByteArray now = held.left(room);
            held.remove(0, now.size());
            link.passed += now.size();
            write(link, now);
            if (link.passed >= limit_ && !holding_) {
                holding_ = true;
                onHold_();
            }
        } else {
            write(link, held);
            held.clear();
        }
        QByteArray &other = held_ == Held::FromRadio ? link.toRadio : link.toTool;
        (held_ == Held::FromRadio ? link.radio.get() : link.tool)->write(other);
        other.clear();
    }

    void write(Link &link, const QByteArray &bytes)
    {
        if (!bytes.isEmpty())
            (held_ == Held::FromRadio ? link.tool : link.radio.get())->write(bytes);
    }

    QTcpServer server_;
    quint16 radioPort_;
    int memoryConnection_;
    Held held_;
    qint64 limit_;
    std::function<void()> onHold_;
    bool holding_ = false;
    int connections_ = 0;
    std::vector<std::unique_ptr<Link>> links_;
};

class CliInterruptTest : public ModelRig
{
protected:
    struct Run {
        int exitCode = -1;
        std::string out;
        std::string err;
    };

    // Runs the tool with the event loop going, so that the relay works;
    // onError hears everything the tool has written to standard error so
    // far.
    Run runTool(QProcess &tool, const QStringList &arguments,
                const std::function<void(const std::string &)> &onError = {})
    {
        std::string err;
        QObject::connect(&tool, &QProcess::readyReadStandardError, &tool, [&] {
            err += tool.readAllStandardError().toStdString();
            if (onError)
                onError(err);
        });
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", QString::fromStdString(tempPath("home")));
        environment.insert("XDG_CONFIG_HOME", QString::fromStdString(tempPath("config")));
        environment.insert("XDG_DATA_HOME", QString::fromStdString(tempPath("data")));
        tool.setProcessEnvironment(environment);
        tool.setStandardInputFile(QProcess::nullDevice());
        QEventLoop loop;
        QObject::connect(&tool, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(kHangLimitMs, &loop, &QEventLoop::quit);
        tool.start(QStringLiteral(QUILLON_CLI_PROGRAM), arguments);
        loop.exec();
        Run run;
        if (tool.state() != QProcess::NotRunning) {
            tool.kill();
            tool.waitForFinished();
            return run;
        }
        run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        run.out = tool.readAllStandardOutput().toStdString();
        run.err = err + tool.readAllStandardError().toStdString();
        return run;
    }

    static void interrupt(QProcess &tool) { ::kill(pid_t(tool.processId()), SIGINT); }

    std::string backups() const { return tempPath("data") + "/quillon/backups"; }

    VirtualRadioProcess radio_;
};

TEST_F(CliInterruptTest, CtrlCStopsAReadAndNothingIsWritten)
{
    const Bytes memory = documentLayout();
    const quint16 radioPort =
        radio_.startOnTcp({"--memory", QString::fromStdString(saveMemory(memory, "radio.vrc"))});
    ASSERT_NE(radioPort, 0);
    QProcess tool;
    // A few data frames reach the tool, the rest waits for the interrupt.
    HoldingRelay relay(radioPort, 2, HoldingRelay::Held::FromRadio, 2000,
                       [&tool] { interrupt(tool); });
    const QString output = QString::fromStdString(tempPath("read.vrc"));
    const Run run = runTool(
        tool, {"read", "--tcp", "127.0.0.1:" + QString::number(relay.port()), "-o", output});
    EXPECT_TRUE(relay.holding());
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_NE(run.err.find("cancelled"), std::string::npos) << run.err;
    EXPECT_FALSE(QFile::exists(output));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(backups())));
}

// Once data went to the radio the write goes on to its end; the radio gets
// the whole file and the copy of what it got is kept.
TEST_F(CliInterruptTest, CtrlCLetsAWriteThatSentDataFinish)
{
    const Bytes before = vradio::MemoryFile::blankMemory(kRadioBytes);
    const std::string saved = tempPath("saved.vrc");
    const quint16 radioPort =
        radio_.startOnTcp({"--memory", QString::fromStdString(saveMemory(before, "radio.vrc")),
                           "--save", QString::fromStdString(saved)});
    ASSERT_NE(radioPort, 0);
    const Bytes memory = documentLayout();
    const std::string file = saveMemory(memory, "document.vrc");
    QProcess tool;
    // Data frames are on their way when the interrupt comes; they go on to
    // the radio once the tool has said it will not stop.
    HoldingRelay relay(radioPort, 3, HoldingRelay::Held::ToRadio, 4000,
                       [&tool] { interrupt(tool); });
    const Run run = runTool(tool,
                            {"write", "--tcp", "127.0.0.1:" + QString::number(relay.port()),
                             QString::fromStdString(file), "--yes"},
                            [&relay](const std::string &err) {
                                if (err.find("the write goes on") != std::string::npos)
                                    relay.release();
                            });
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("the write goes on"), std::string::npos) << run.err;
    Bytes written = vradio::MemoryFile::blankMemory(kRadioBytes);
    ASSERT_EQ(vradio::MemoryFile::load(saved, written), "");
    EXPECT_EQ(written, memory);
    EXPECT_NE(run.out.find("kept a backup copy in " + backups()), std::string::npos) << run.out;
}

} // namespace
} // namespace e2e
