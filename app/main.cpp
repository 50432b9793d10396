// quillon: the desktop clone programmer.

#include "TestProbe.h"

#include "platform/MessageService.h"
#include "shell/MainWindowView.h"
#include "shell/ProgramGlobals.h"
#include "shell/TForm1.h"
#include "ui/FatalDialog.h"
#include "ui/WidgetMessageService.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

#include <string>
#include <vector>

namespace {

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
    // The toolkit comes first here: the settings need the real screen size
    // and the event manager a thread to tick on.
    QApplication application(argc, argv);
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
