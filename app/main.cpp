// quillon: the desktop clone programmer.

#include "TestProbe.h"

#include "platform/InstanceChannel.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ProgramVersion.h"
#include "shell/MainWindowView.h"
#include "shell/ProgramGlobals.h"
#include "shell/TForm1.h"
#include "ui/FatalDialog.h"
#include "ui/WidgetMessageService.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kUsageExit = 2;
// A running program that is still starting may take a while to listen.
constexpr int kHandOverWaitMs = 10000;

constexpr const char *kUsage =
    "usage: quillon [/lantern] [/factory_adj] [FILE.vrc]\n"
    "       quillon --help | --version\n"
    "The clone programmer for land-mobile radios: reads a radio's memory over a\n"
    "serial cable or a TCP/IP bridge, edits it, and writes it back.\n"
    "  FILE.vrc      open this clone file; when the program already runs, it\n"
    "                opens the file there and comes to the front\n"
    "  /lantern      start in the maker mode (asks for its password)\n"
    "  /factory_adj  start in the factory adjustment mode (asks for its password)\n"
    "  -h, --help    show this text\n"
    "  --version     show the version\n"
    "The toolkit's own options, such as -platform and -style, work as well.\n";

bool anyArgument(int argc, char **argv, std::initializer_list<const char *> names)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *name : names) {
            if (std::strcmp(argv[i], name) == 0)
                return true;
        }
    }
    return false;
}

// What is left after the toolkit took its own options: the program's
// switches begin with '/', so a word that begins with '-' is a mistake.
std::string unknownOption()
{
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(QLatin1Char('-')))
            return arguments[i].toStdString();
    }
    return {};
}

// The clone file of the command line, with its full path, as the running
// program may have another working folder; empty when none was given.
std::string fileToOpen()
{
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString word = arguments[i].toLower();
        if (word != QLatin1String("/lantern") && word != QLatin1String("/factory_adj"))
            return QFileInfo(arguments[i]).absoluteFilePath().toStdString();
    }
    return {};
}

ScreenSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->size().width(), screen->size().height()};
}

std::vector<std::string> commandLine()
{
    std::vector<std::string> arguments;
    for (const QString &argument : QCoreApplication::arguments())
        arguments.push_back(argument.toStdString());
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered before the toolkit starts, so they work without a display.
    if (anyArgument(argc, argv, {"--help", "-h"})) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (anyArgument(argc, argv, {"--version"})) {
        std::printf("quillon %s\n", platform::programVersion());
        return 0;
    }
    // The toolkit comes first here: the settings need the real screen size
    // and the event manager a thread to tick on.
    QApplication application(argc, argv);
    if (const std::string word = unknownOption(); !word.empty()) {
        std::fprintf(stderr, "quillon: unknown option %s\n%s", word.c_str(), kUsage);
        return kUsageExit;
    }
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLON_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral(QUILLON_APP_ID),
        QIcon(QString::fromStdString(platform::programDirectory() + "icons/quillon.svg"))));
    installFatalDialog();
    QPointer<QWidget> mainWindow;
    WidgetMessageService messages([&mainWindow]() -> QWidget * { return mainWindow; });
    platform::MessageService::install(&messages);

    ProgramGlobals globals(screenSize());
    const std::string file = fileToOpen();
    // A second copy hands its file to the running one, which comes to the
    // front, and goes.
    if (!globals.IsFirstInstance()) {
        platform::MessageService::install(nullptr);
        if (!platform::InstanceChannel::Send(ProgramGlobals::kMutexName, file, kHandOverWaitMs))
            std::fputs("quillon: the running program did not answer\n", stderr);
        return 0;
    }
    {
        TForm1 form(globals.Model(), commandLine());
        mainWindow = &form;
        platform::InstanceChannel channel(ProgramGlobals::kMutexName);
        if (!channel.Listen([&form](const std::string &path) { form.BringForward(path); }))
            std::fputs("quillon: a second start cannot reach this program\n", stderr);
        if (!file.empty())
            form.BringForward(file);
        TestProbe probe(form, globals.Model());
        form.View().SetStateObserver([&probe] { probe.changed(); });
        probe.changed();
        QApplication::exec();
        form.View().SetStateObserver({});
    }
    platform::MessageService::install(nullptr);
    return 0;
}
