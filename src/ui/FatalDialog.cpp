#include "ui/FatalDialog.h"

#include "platform/FatalError.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void showFatal(const std::string &caption, const std::string &text)
{
    if (QApplication::instance() == nullptr)
        return;
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void installFatalDialog() { platform::setFatalDisplay(showFatal); }
