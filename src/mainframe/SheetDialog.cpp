#include "mainframe/SheetDialog.h"

#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "ui/WindowGeometry.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

SheetDialog::SheetDialog(QWidget *owner, const std::string &caption, cmcGTex &texts,
                         const std::string &sheetKey, const cuiImageList *images)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), owner_(owner),
      panel_(new QFrame(this))
{
    setWindowTitle(QString::fromStdString(caption));
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(2);
    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(kPanelBorder, kPanelBorder, kPanelBorder, kPanelBorder);
    container_ = new QWidget(panel_);
    panelLayout->addWidget(container_);
    sheet_ = std::make_unique<cuiSheet>(container_, nullptr, 0, 0, texts, sheetKey, images);
    sheet_->Show();
    if (cuiGrid *grid = sheet_->Grid()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->installEventFilter(this);
    }

    buttons_ = new QHBoxLayout;
    buttons_->setSpacing(kButtonSpacing);
    buttons_->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, kButtonMargin, kButtonMargin);
    column->setSpacing(kButtonMargin);
    column->addWidget(panel_);
    column->addLayout(buttons_);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

// The sheet's panels live in this window, so the sheet goes first.
SheetDialog::~SheetDialog() { sheet_.reset(); }

QPushButton *SheetDialog::AddButton(const std::string &caption)
{
    auto *button = new QPushButton(QString::fromStdString(caption), this);
    button->setAutoDefault(false);
    buttons_->addWidget(button);
    return button;
}

void SheetDialog::ShowOverOwner()
{
    show();
    fitPanelToSheet();
    move(window_geometry::centredOnWorkArea(frameGeometry().size(), owner_));
}

// The sheet measures its chrome from its laid-out panels, which only a shown
// window has.
void SheetDialog::fitPanelToSheet()
{
    container_->setFixedSize(sheet_->RequiredWidth(), sheet_->RequiredHeight());
    layout()->activate();
}

bool SheetDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && escapeButton_ != nullptr &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        escapeButton_->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void SheetDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && escapeButton_ != nullptr) {
        escapeButton_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
