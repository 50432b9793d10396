#include "mainframe/MainWindowView.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "image/indMain.h"
#include "link/cmcTask.h"
#include "mainframe/AboutBox.h"
#include "mainframe/CloneProgressWindow.h"
#include "mainframe/OptionDialog.h"
#include "mainframe/StatusPanel.h"
#include "mainframe/TForm1.h"
#include "shell/GlobalEnvironment.h"
#include "shell/indEnviron.h"

#include <QApplication>
#include <QFileDialog>
#include <QFrame>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPanelBevel = 2;
// The maker panel is as wide as its mark and this much more.
const char *const kMakerPanelPadding = "XX";
const QColor kMakerBackground(128, 0, 0);

QFrame *makePanel(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(kPanelBevel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return panel;
}

// Colours of the core: 0x00BBGGRR, or a system colour taken from the palette.
QColor screenColour(std::uint32_t colour, const QPalette &palette)
{
    if ((colour & 0xFF000000u) != 0x80000000u)
        return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF)};
    switch (colour & 0xFF) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
    case 7:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::Button);
    }
}

} // namespace

MainWindowView::MainWindowView(TForm1 &form, indMain &model) : form_(form), model_(model)
{
    eventManager().Register(onEvent, this);
}

MainWindowView::~MainWindowView()
{
    eventManager().Unregister(onEvent, this);
    StopTicking();
    if (busy_)
        QApplication::restoreOverrideCursor();
}

// --- what the frame asks ----------------------------------------------------

void MainWindowView::SetTitle(const std::string &title)
{
    form_.setWindowTitle(QString::fromStdString(title));
    notifyObserver();
}

void MainWindowView::SetBusyCursor(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindowView::EndCellEdit() {}

void MainWindowView::CloseCurrentSheet() {}

void MainWindowView::BuildWindow()
{
    buildPanels();
    buildStatusBar();
}

void MainWindowView::buildPanels()
{
    central_ = new QWidget(&form_);
    auto *column = new QVBoxLayout(central_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    splitter_ = new QSplitter(Qt::Horizontal, central_);
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->setOpaqueResize(true);
    leftPanel_ = makePanel(splitter_);
    leftPanel_->setMinimumWidth(kSplitterMinimum);
    rightPanel_ = makePanel(splitter_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    column->addWidget(splitter_, 1);
    form_.setCentralWidget(central_);
    const int treeWidth = std::max(environment().treeWidth, kSplitterMinimum);
    splitter_->setSizes({treeWidth, std::max(form_.width() - treeWidth, kSplitterMinimum)});
}

void MainWindowView::buildStatusBar()
{
    QStatusBar *bar = form_.statusBar();
    status_ = new StatusPanel(Qt::AlignLeft, bar);
    bar->addWidget(status_, 1);
}

void MainWindowView::RefreshMakerPanel()
{
    if (!model_.MakerMode() || makerPanel_ != nullptr)
        return;
    makerPanel_ = new StatusPanel(Qt::AlignHCenter, form_.statusBar());
    const QString text = QString::fromStdString(model_.MakerStatusText());
    makerPanel_->SetStatus(text, Qt::white, kMakerBackground);
    const QFontMetrics metrics(makerPanel_->font());
    makerPanel_->setFixedWidth(metrics.horizontalAdvance(text + QLatin1String(kMakerPanelPadding)));
    form_.statusBar()->addPermanentWidget(makerPanel_);
}

void MainWindowView::RebuildTree() {}

void MainWindowView::AppendToFirstTreeNode(const std::string &text) { (void)text; }

std::unique_ptr<QFileDialog>
MainWindowView::CreateFileDialog(QWidget *parent, const FileDialog &dialog, bool forSaving)
{
    auto fileDialog =
        std::make_unique<QFileDialog>(parent, QString(), QString::fromStdString(dialog.directory),
                                      QString::fromStdString(dialog.filter));
    fileDialog->setDefaultSuffix(QString::fromStdString(dialog.defaultExtension));
    if (forSaving) {
        fileDialog->setAcceptMode(QFileDialog::AcceptSave);
        fileDialog->setFileMode(QFileDialog::AnyFile);
        if (!dialog.fileName.empty())
            fileDialog->selectFile(QString::fromStdString(dialog.fileName));
    } else {
        fileDialog->setAcceptMode(QFileDialog::AcceptOpen);
        fileDialog->setFileMode(QFileDialog::ExistingFile);
    }
    return fileDialog;
}

bool MainWindowView::chooseFile(const FileDialog &dialog, bool forSaving, std::string &path)
{
    const auto fileDialog = CreateFileDialog(&form_, dialog, forSaving);
    if (chooser_)
        return chooser_(*fileDialog, path);
    if (fileDialog->exec() != QDialog::Accepted || fileDialog->selectedFiles().isEmpty())
        return false;
    path = fileDialog->selectedFiles().constFirst().toStdString();
    return true;
}

bool MainWindowView::ChooseFileToOpen(const FileDialog &dialog, std::string &path)
{
    return chooseFile(dialog, false, path);
}

bool MainWindowView::ChooseFileToSave(const FileDialog &dialog, std::string &path)
{
    return chooseFile(dialog, true, path);
}

bool MainWindowView::AskClonePassword()
{
    return OptionDialog(OptionDialog::Kind::ClonePassword, &form_).Run();
}

bool MainWindowView::AskComPort(int form)
{
    const bool changed = OptionDialog(OptionDialog::ComPortForm(form), &form_).Run();
    if (changed)
        eventManager().Send(kEvRefreshStates);
    return changed;
}

bool MainWindowView::AskIpAddress()
{
    const bool changed = OptionDialog(OptionDialog::Kind::IpAddress, &form_).Run();
    if (changed)
        eventManager().Send(kEvRefreshStates);
    return changed;
}

bool MainWindowView::AskTcpPort()
{
    const bool changed = OptionDialog(OptionDialog::Kind::TcpPort, &form_).Run();
    if (changed)
        eventManager().Send(kEvRefreshStates);
    return changed;
}

// --- the window's own work ----------------------------------------------------

void MainWindowView::StartTicking()
{
    if (task_ == nullptr) {
        task_ = new cmcTask;
        task_->Bind(onTick, this);
    }
    task_->SetPeriod(kTickMs);
}

void MainWindowView::StopTicking()
{
    cmcTask::dispose(task_);
    task_ = nullptr;
}

void MainWindowView::onTick(void *context, cmcTask *)
{
    static_cast<MainWindowView *>(context)->Tick();
}

void MainWindowView::Tick()
{
    if (warningArmed_ && warningCountdown_.Remaining() == 0) {
        warningArmed_ = false;
        model_.WarningCheck();
    }
}

void MainWindowView::ArmWarningCheck()
{
    warningCountdown_.Start(kWarningDelayMs);
    warningArmed_ = true;
}

bool MainWindowView::QueryClose()
{
    if (!model_.SaveChangesPrompt(false))
        return false;
    indEnviron &settings = environment();
    const QRect placement =
        form_.isMaximized() || form_.isMinimized() ? form_.normalGeometry() : form_.geometry();
    settings.windowLeft = placement.left();
    settings.windowTop = placement.top();
    settings.windowWidth = placement.width();
    settings.windowHeight = placement.height();
    if (const QFrame *panel = leftPanel_.data())
        settings.treeWidth = panel->width();
    return true;
}

void MainWindowView::FormDestroying()
{
    StopTicking();
    CloseCurrentSheet();
}

void MainWindowView::ShowAboutBox() { AboutBox::Open(&form_); }

void MainWindowView::ShowStatus(const std::string &text, std::uint32_t textColour,
                                std::uint32_t background)
{
    if (status_ == nullptr)
        return;
    const QPalette palette = status_->palette();
    status_->SetStatus(QString::fromStdString(text), screenColour(textColour, palette),
                       screenColour(background, palette));
}

CloneProgressWindow &MainWindowView::ProgressWindow()
{
    if (!progress_)
        progress_ = std::make_unique<CloneProgressWindow>(&form_);
    return *progress_;
}

void MainWindowView::notifyObserver()
{
    if (observer_)
        observer_();
}

// --- events -------------------------------------------------------------------

void MainWindowView::onEvent(void *object, const cmcEvent &event)
{
    static_cast<MainWindowView *>(object)->handleEvent(event);
}

void MainWindowView::handleEvent(const cmcEvent &event)
{
    switch (event.type) {
    case kEvRefreshStates:
        eventManager().Send(kEvMenuStates);
        eventManager().Send(kEvToolStates);
        break;
    case kEvAbout:
        ShowAboutBox();
        break;
    case kEvStatusText:
        ShowStatus(event.text(),
                   static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(event.object)),
                   static_cast<std::uint32_t>(event.argument));
        break;
    default:
        break;
    }
}
