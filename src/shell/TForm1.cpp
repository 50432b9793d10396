#include "shell/TForm1.h"

#include "cells/cmcCellObj.h"
#include "link/indCloneMan.h"
#include "model/indMain.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetFonts.h"
#include "shell/CommandLineSwitches.h"
#include "shell/MainWindowView.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "ui/WindowGeometry.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>

TForm1::TForm1(indMain &model, const std::vector<std::string> &arguments) : model_(model)
{
    setWindowTitle(QString::fromStdString(appTitle()));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    applyFormFont();
    placeFromSettings();
    treeImages_ = cuiImageList::TreeImages();
    toolBarImages_ = cuiImageList::ToolBarImages();
    attachModel(arguments);
}

TForm1::~TForm1()
{
    view_->FormDestroying();
    model_.AttachView(nullptr);
}

// The form's font is the one the overlay gives its basic cell, so that the
// panels and dialogs match the sheets.
void TForm1::applyFormFont()
{
    cmcCellObj cell;
    cell.Parse(mainTextDatabase().GetFirstLine("GI_Form_Main_BasicCell"), nullptr, nullptr, false);
    if (const CellFont *cellFont = cell.FontInUse())
        setFont(SheetFonts::ToQFont(*cellFont));
}

void TForm1::placeFromSettings()
{
    const indEnviron &settings = environment();
    const WindowBounds bounds = keepOnWorkArea(
        {settings.windowLeft, settings.windowTop, settings.windowWidth, settings.windowHeight},
        window_geometry::workAreaOf(this));
    setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

void TForm1::attachModel(const std::vector<std::string> &arguments)
{
    view_ = std::make_unique<MainWindowView>(*this, model_);
    model_.AttachView(view_.get());
    model_.BuildWindow();
    view_->StartTicking();
    show();
    processCommandLineSwitches(arguments, model_);
    view_->RefreshMakerPanel();
}

void TForm1::BringForward(const std::string &path)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (path.empty() || model_.CloneManager().IsBusy() ||
        QApplication::activeModalWidget() != nullptr)
        return;
    model_.LoadFile(path);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (view_->QueryClose())
        event->accept();
    else
        event->ignore();
}

// Another window may have changed the document's state meanwhile.
void TForm1::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        view_->SetTitle(model_.TitleText());
    QMainWindow::changeEvent(event);
}
