#include "mainframe/cuiInformation.h"

#include "mainframe/WindowGeometry.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiSheet.h"
#include "textdb/cmcGTex.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kPanelBorder = 8;
constexpr int kButtonMargin = 5;
} // namespace

cuiInformation *cuiInformation::Open(QWidget *owner, const std::string &caption, cmcGTex &texts,
                                     const std::string &sheetKey, const cuiImageList *images)
{
    auto *window = new cuiInformation(owner, caption, texts, sheetKey, images);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->move(window_geometry::centredOnWorkArea(window->frameGeometry().size(), owner));
    window->ok_->setFocus();
    return window;
}

cuiInformation::cuiInformation(QWidget *owner, const std::string &caption, cmcGTex &texts,
                               const std::string &sheetKey, const cuiImageList *images)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), owner_(owner),
      panel_(new QFrame(this))
{
    setWindowTitle(QString::fromStdString(caption));
    // The owner takes no input while the window is open, as if disabled.
    setModal(true);
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(2);
    auto *panelLayout = new QVBoxLayout(panel_);
    panelLayout->setContentsMargins(kPanelBorder, kPanelBorder, kPanelBorder, kPanelBorder);
    auto *container = new QWidget(panel_);
    panelLayout->addWidget(container);
    sheet_ = std::make_unique<cuiSheet>(container, nullptr, 0, 0, texts, sheetKey, images);
    sheet_->Show();
    if (cuiGrid *grid = sheet_->Grid()) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    container->setFixedSize(sheet_->RequiredWidth(), sheet_->RequiredHeight());

    ok_ = new QPushButton(QString::fromStdString(texts.GetLine("GI_AppInd_Button_OkCancel", 0)),
                          this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::close);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, kButtonMargin, kButtonMargin);
    column->setSpacing(kButtonMargin);
    column->addWidget(panel_);
    column->addWidget(ok_, 0, Qt::AlignRight);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

// The sheet's panels live in this window, so the sheet goes first; the main
// window gets the focus back.
cuiInformation::~cuiInformation()
{
    sheet_.reset();
    if (owner_ != nullptr)
        owner_->activateWindow();
}
