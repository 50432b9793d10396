#include "mainframe/TForm1.h"

#include "cells/cmcCellObj.h"
#include "image/indMain.h"
#include "mainframe/MainWindowView.h"
#include "mainframe/WindowGeometry.h"
#include "shell/CommandLineSwitches.h"
#include "shell/GlobalEnvironment.h"
#include "shell/WindowPlacement.h"
#include "shell/indEnviron.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QCloseEvent>
#include <QEvent>

namespace {

QFont toolkitFont(const CellFont &font, QFont base)
{
    if (!font.face.empty())
        base.setFamily(QString::fromStdString(font.face));
    if (font.height() < 0)
        base.setPixelSize(-font.height());
    base.setBold((font.style & CellFont::kBold) != 0);
    base.setItalic((font.style & CellFont::kItalic) != 0);
    base.setUnderline((font.style & CellFont::kUnderline) != 0);
    base.setStrikeOut((font.style & CellFont::kStrikeOut) != 0);
    return base;
}

} // namespace

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
        setFont(toolkitFont(*cellFont, font()));
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
