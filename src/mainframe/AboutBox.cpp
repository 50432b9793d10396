#include "mainframe/AboutBox.h"

#include "platform/PlaceholderText.h"
#include "platform/ProgramVersion.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "ui/WindowGeometry.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kIconSize = 48;
}

AboutBox::AboutBox(QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    cmcGTex &texts = mainTextDatabase();
    setWindowTitle(QString::fromStdString(texts.GetFirstLine("GI_App_About_Caption")));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *icon = new QLabel(this);
    QIcon picture = QApplication::windowIcon();
    if (picture.isNull())
        picture = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    icon->setPixmap(picture.pixmap(kIconSize, kIconSize));
    // Which build it is matters when a radio misbehaves after a write.
    const std::string version = platform::fillPlaceholders(
        texts.GetFirstLine("GI_App_About_Version"),
        {{"version", platform::programVersion()}, {"date", platform::programBuildDate()}});
    information_ = new QLabel(
        QString::fromStdString(texts.GetText("GI_App_About_Text") + "\n\n" + version), this);
    information_->setTextFormat(Qt::PlainText);
    button_ =
        new QPushButton(QString::fromStdString(texts.GetFirstLine("GI_App_About_Button")), this);
    button_->setDefault(true);
    connect(button_, &QPushButton::clicked, this, &QDialog::close);

    auto *row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(information_, 1);
    auto *column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(button_, 0, Qt::AlignHCenter);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

AboutBox *AboutBox::Open(QWidget *mainWindow)
{
    auto *box = new AboutBox(mainWindow);
    box->adjustSize();
    box->show();
    box->move(window_geometry::centredOnWorkArea(box->frameGeometry().size(), mainWindow));
    return box;
}
