// quillon: the desktop clone programmer.

#include "TestProbe.h"

#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ProgramVersion.h"
#include "shell/MainWindowView.h"
#include "shell/ProgramGlobals.h"
#include "shell/TForm1.h"
#include "ui/FatalDialog.h"
#include "ui/WidgetMessageService.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kUsageExit = 2;

constexpr const char *kUsage =
    "usage: quillon [/lantern] [/factory_adj]\n"
    "       quillon --help | --version\n"
    "The clone programmer for land-mobile radios: reads a radio's memory over a\n"
    "serial cable or a TCP/IP bridge, edits it, and writes it back.\n"
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
    // A second copy leaves the running one alone and goes quietly.
    if (!globals.IsFirstInstance()) {
        platform::MessageService::install(nullptr);
        return 0;
    }
    {
        TForm1 form(globals.Model(), commandLine());
        mainWindow = &form;
        TestProbe probe(form, globals.Model());
        form.View().SetStateObserver([&probe] { probe.changed(); });
        probe.changed();
        QApplication::exec();
        form.View().SetStateObserver({});
    }
    platform::MessageService::install(nullptr);
    return 0;
}
