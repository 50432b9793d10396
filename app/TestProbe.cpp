#include "TestProbe.h"

#include "model/indMain.h"

#include <QDir>
#include <QPixmap>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

TestProbe::TestProbe(QWidget &window, indMain &model)
    : window_(&window), model_(model), folder_(qEnvironmentVariable(kVariable))
{
    if (active())
        QDir().mkpath(folder_);
}

void TestProbe::changed()
{
    if (!active() || pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, [this] {
        pending_ = false;
        write();
    });
}

void TestProbe::write()
{
    QWidget *window = window_.data();
    if (window == nullptr)
        return;
    const QString text = QStringLiteral("title=%1\nmodified=%2\nfile=%3\nmodelType=%4\n")
                             .arg(window->windowTitle())
                             .arg(model_.IsModified() ? 1 : 0)
                             .arg(QString::fromStdString(model_.FilePath()))
                             .arg(model_.ModelType());
    // Written whole or not at all: the test may read it at any moment.
    QSaveFile state(folder_ + QStringLiteral("/state"));
    if (state.open(QIODevice::WriteOnly)) {
        state.write(text.toUtf8());
        state.commit();
    }
    if (window->isVisible())
        window->grab().save(folder_ + QStringLiteral("/main-window.png"));
}
