#pragma once

#include <QPoint>
#include <QString>

#include <memory>
#include <string>

class QTextBrowser;
class QWidget;

// The help bridge: shows the program's HTML help file in help windows of
// its own. The contents open in a window of their own; the help of one
// context opens in a small window at the mouse cursor, scrolled to the
// context's anchor. A context's anchor is a named anchor "ctx" followed by
// the context number in decimal (<a name="ctx110"></a>), which the help
// overlay's context list refers to.
class cuiHtmlHelp
{
public:
    enum Result { kShown = 0, kCannotOpen = 1, kNoSuchContext = 2, kNotAvailable = 3 };

    // The help windows belong to `owner`'s screen; not owned.
    explicit cuiHtmlHelp(QWidget *owner = nullptr);
    ~cuiHtmlHelp();
    cuiHtmlHelp(const cuiHtmlHelp &) = delete;
    cuiHtmlHelp &operator=(const cuiHtmlHelp &) = delete;

    // Both tell the user when the file cannot be shown (an error) or has no
    // such context (a warning).
    Result ShowContents(const std::string &path);
    Result ShowContext(const std::string &path, int context, QPoint cursor);

    // The anchor name of a context.
    static QString AnchorOf(int context);

    // The windows once opened, else null.
    QTextBrowser *ContentsWindow() const { return contents_.get(); }
    QTextBrowser *ContextWindow() const { return context_.get(); }

private:
    static void report(Result result, const std::string &path);
    Result showContents(const std::string &path);
    Result showContext(const std::string &path, int context, QPoint cursor);
    QTextBrowser &contextWindow();

    QWidget *owner_;
    std::unique_ptr<QTextBrowser> contents_;
    std::unique_ptr<QTextBrowser> context_;
};
