#include "mainframe/cuiHtmlHelp.h"

#include "platform/FatalError.h"
#include "platform/MessageService.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "ui/HelpWindowPlacement.h"
#include "ui/WindowGeometry.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

// Escape closes a help window, as it does a dialog.
class EscapeCloses final : public QObject
{
public:
    explicit EscapeCloses(QWidget *window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
            static_cast<QWidget *>(watched)->close();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

constexpr QSize kContentsSize{760, 560};

bool windowsAvailable() { return qobject_cast<QApplication *>(QCoreApplication::instance()); }

// The help file's text; false when it cannot be read.
bool readHelpFile(const std::string &path, QString &html)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    html = QString::fromUtf8(file.readAll());
    return true;
}

bool hasAnchor(const QString &html, const QString &name)
{
    QTextDocument document;
    document.setHtml(html);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(name))
                return true;
    return false;
}

int sizeText(const char *key) { return std::atoi(mainTextDatabase().GetFirstLine(key).c_str()); }

WorkArea workAreaAt(QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {0, 0, 1024, 768};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void place(QWidget &window, QPoint cursor)
{
    window.move(
        help_placement::position(cursor, window.frameGeometry().size(), workAreaAt(cursor)));
}

void load(QTextBrowser &window, const std::string &path, const QString &anchor = {})
{
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    // The same page again would not be re-read: the file may have changed.
    window.setSource(QUrl());
    window.setSource(url);
    const QString title = window.documentTitle();
    window.setWindowTitle(title.isEmpty() ? QString::fromStdString(appTitle()) : title);
}

} // namespace

cuiHtmlHelp::cuiHtmlHelp(QWidget *owner) : owner_(owner) {}

cuiHtmlHelp::~cuiHtmlHelp() = default;

QString cuiHtmlHelp::AnchorOf(int context) { return QStringLiteral("ctx%1").arg(context); }

cuiHtmlHelp::Result cuiHtmlHelp::ShowContents(const std::string &path)
{
    const Result result = showContents(path);
    report(result, path);
    return result;
}

cuiHtmlHelp::Result cuiHtmlHelp::ShowContext(const std::string &path, int context, QPoint cursor)
{
    const Result result = showContext(path, context, cursor);
    report(result, path);
    return result;
}

cuiHtmlHelp::Result cuiHtmlHelp::showContents(const std::string &path)
{
    QString html;
    if (!windowsAvailable())
        return kNotAvailable;
    if (!readHelpFile(path, html))
        return kCannotOpen;
    if (!contents_) {
        contents_ = std::make_unique<QTextBrowser>();
        new EscapeCloses(contents_.get());
        contents_->setOpenExternalLinks(true);
        contents_->resize(kContentsSize);
        contents_->move(window_geometry::centredOnWorkArea(kContentsSize, owner_));
    }
    load(*contents_, path);
    contents_->verticalScrollBar()->setValue(0);
    contents_->show();
    contents_->raise();
    contents_->activateWindow();
    return kShown;
}

QTextBrowser &cuiHtmlHelp::contextWindow()
{
    if (!context_) {
        context_ = std::make_unique<QTextBrowser>();
        // A note to read beside the sheet: no minimise or maximise boxes, and
        // opening it leaves the focus on the sheet.
        context_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint);
        context_->setAttribute(Qt::WA_ShowWithoutActivating);
        new EscapeCloses(context_.get());
        context_->setOpenExternalLinks(true);
        context_->resize(sizeText("GI_Sys_HtmlHelp_Popup_Width"),
                         sizeText("GI_Sys_HtmlHelp_Popup_Height"));
    }
    return *context_;
}

// A window shown before is hidden while it is refilled, and keeps the size
// the user gave it.
cuiHtmlHelp::Result cuiHtmlHelp::showContext(const std::string &path, int context, QPoint cursor)
{
    if (!windowsAvailable())
        return kNotAvailable;
    const bool wasShown = context_ && context_->isVisible();
    if (wasShown)
        context_->hide();
    QString html;
    if (!readHelpFile(path, html))
        return kCannotOpen;
    const QString anchor = AnchorOf(context);
    if (!hasAnchor(html, anchor)) {
        if (wasShown)
            context_->show();
        return kNoSuchContext;
    }
    QTextBrowser &window = contextWindow();
    load(window, path, anchor);
    place(window, cursor);
    window.show();
    // The frame of a window shown for the first time is known only now.
    place(window, cursor);
    window.scrollToAnchor(anchor);
    return kShown;
}

void cuiHtmlHelp::report(Result result, const std::string &path)
{
    if (result == kCannotOpen)
        platform::showMessage(
            appTitle(),
            platform::formatText(mainTextDatabase().GetLine("GI_Sys_HtmlHelp_Error", 0).c_str(),
                                 path),
            platform::MessageIcon::Error);
    else if (result == kNoSuchContext)
        platform::showMessage(appTitle(), mainTextDatabase().GetLine("GI_Sys_HtmlHelp_Error", 1),
                              platform::MessageIcon::Warning);
}
