#include "shell/MainWindowView.h"

#include "cells/CellCodec.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/ChannelGlobals.h"
#include "channels/ChannelOffsets.h"
#include "image/WorkingLayout.h"
#include "mainframe/AboutBox.h"
#include "mainframe/CloneProgressWindow.h"
#include "mainframe/OptionDialog.h"
#include "mainframe/StatusPanel.h"
#include "mainframe/cuiHtmlHelp.h"
#include "mainframe/cuiInformation.h"
#include "mainframe/cuiLanguage.h"
#include "model/TreeNodeFilter.h"
#include "model/indMain.h"
#include "platform/FatalError.h"
#include "platform/MessageService.h"
#include "platform/cmcTask.h"
#include "printing/cuiPrinter.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/SheetColours.h"
#include "sheets/SheetFactory.h"
#include "sheets/cuiGrid.h"
#include "sheets/cuiMenu.h"
#include "sheets/cuiMenuClick.h"
#include "sheets/cuiSheet.h"
#include "sheets/cuiToolBar.h"
#include "sheets/iuiTree.h"
#include "shell/TForm1.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "windows/cuiCEdit.h"
#include "windows/cuiFBitsR.h"
#include "windows/cuiFText.h"
#include "windows/cuiFlector.h"
#include "windows/indFlector.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFrame>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kPanelBevel = 2;
constexpr int kStatusMinimumWidth = 100;
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

cmcCellHandler g_handler = indCellHandler::Handle;

} // namespace

void MainWindowView::SetCellHandler(cmcCellHandler handler)
{
    g_handler = handler != nullptr ? handler : indCellHandler::Handle;
}

cmcCellHandler MainWindowView::CellHandler() { return g_handler; }

MainWindowView::MainWindowView(TForm1 &form, indMain &model)
    : form_(form), model_(model), htmlHelp_(std::make_unique<cuiHtmlHelp>(&form))
{
    eventManager().Register(onEvent, this);
}

MainWindowView::~MainWindowView()
{
    model_.SetCloneProgressView(nullptr);
    eventManager().Unregister(onEvent, this);
    StopTicking();
    destroyTree();
    toolBar_.reset();
    menu_.reset();
    if (busy_)
        QApplication::restoreOverrideCursor();
}

// --- what the frame asks ----------------------------------------------------

void MainWindowView::SetTitle(const std::string &title)
{
    form_.setWindowTitle(QString::fromStdString(title));
    form_.setWindowModified(model_.IsModified());
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

void MainWindowView::EndCellEdit()
{
    if (sheet_ != nullptr && sheet_->EditorActive())
        sheet_->CommitEditor(false);
}

// The sheet's place in the history keeps where the user was, for the next
// time the same call text opens.
void MainWindowView::CloseCurrentSheet()
{
    if (sheet_ == nullptr)
        return;
    if (const cuiGrid *grid = sheet_->Grid(); grid != nullptr && grid->isVisible()) {
        history_.Remember(
            {openCallText_, grid->col(), grid->row(), grid->leftCol(), grid->topRow()});
        focusWasOnSheet_ = grid->hasFocus() || sheet_->EditorActive();
    }
    if (QWidget *container = sheetContainer_.data())
        container->hide();
    retired_.push_back({std::move(sheet_), sheetContainer_});
    sheetContainer_ = nullptr;
    openCallText_.clear();
}

void MainWindowView::disposeRetiredSheets()
{
    std::vector<Retired> retired = std::move(retired_);
    retired_.clear();
    for (Retired &old : retired) {
        old.sheet.reset();
        delete old.container.data();
    }
}

std::unique_ptr<cuiSheet> MainWindowView::createSheet(QWidget *container,
                                                      const std::string &callText)
{
    return SheetFactory::Create(container, nullptr, 0, 0, mainTextDatabase(), callText,
                                &form_.TreeImages());
}

void MainWindowView::OpenSheet(const std::string &callText)
{
    CloseCurrentSheet();
    if (rightPanel_ == nullptr)
        return;
    auto *container = new QWidget(rightPanel_);
    rightPanel_->layout()->addWidget(container);
    sheetContainer_ = container;
    sheet_ = createSheet(container, callText);
    if (const SheetHistory::Entry *entry = history_.Find(callText))
        sheet_->SetRememberedPosition({entry->col, entry->row, entry->leftCol, entry->topRow});
    openCallText_ = callText;
    sheet_->Show();
    container->show();
    cuiGrid *grid = sheet_->Grid();
    if (focusWasOnSheet_ && grid != nullptr && grid->isEnabled())
        grid->setFocus();
    else if (tree_ != nullptr && tree_->View() != nullptr)
        tree_->View()->setFocus();
    notifyObserver();
}

void MainWindowView::EnableMainWindow(bool enabled) { form_.setEnabled(enabled); }

void MainWindowView::FocusMainWindow()
{
    form_.raise();
    form_.activateWindow();
}

void MainWindowView::ShowCloneInfoWindow()
{
    cuiInformation::Open(&form_, appTitle(), mainTextDatabase(), "GI_Sheet_CloneInfo",
                         &form_.TreeImages());
}

void MainWindowView::OpenLanguageWindow(const cmcCellCapsule &)
{
    if (languageWindow_ != nullptr) {
        languageWindow_->raise();
        return;
    }
    languageWindow_ =
        cuiLanguage::Open(&form_, appTitle(), mainTextDatabase(), "GI_Sheet_LanguageSel",
                          &form_.TreeImages(), [this] { return model_.ChangeLanguage(); });
}

cuiLanguage *MainWindowView::LanguageWindow() const { return languageWindow_; }

void MainWindowView::OpenSelectionList(const cmcCellCapsule &opening, std::int32_t style,
                                       std::int32_t current, const std::string &sheetKey,
                                       const std::string &listTag)
{
    if (listTag.empty())
        cuiFlector::Open(opening, style, current, mainTextDatabase(), sheetKey);
    else
        indFlector::Open(opening, style, current, mainTextDatabase(), sheetKey, listTag);
}

void MainWindowView::OpenCellWindow(const cmcCellCapsule &opening, const CodecOpen &window)
{
    switch (window.window) {
    case CodecOpen::Window::FlagBits:
        cuiFBitsR::Open(opening, mainTextDatabase(), static_cast<std::uint32_t>(window.current),
                        window.first, window.last, window.style, cuiFBitsR::kMarkCheck, window.key);
        return;
    case CodecOpen::Window::FormattedText:
        cuiFText::Open(opening, mainTextDatabase(), window.text, window.width,
                       window.selectionStart, window.selectionLength);
        return;
    case CodecOpen::Window::CellEditor: {
        // The squares grow with the desktop's zoom.
        constexpr int kUnzoomedDpi = 96;
        const int zoomPercent = form_.logicalDpiX() * 100 / kUnzoomedDpi;
        cuiCEdit::Open(opening, mainTextDatabase(), &form_.ToolBarImages(),
                       cuiCEdit::DotSizeFor(zoomPercent), window.width, window.last, window.text);
        return;
    }
    }
}

bool MainWindowView::CanPrintCurrentSheet() { return sheet_ != nullptr && sheet_->CanPrint(); }

void MainWindowView::PrintCurrentSheet()
{
    if (printer_ == nullptr || !CanPrintCurrentSheet())
        return;
    EndCellEdit();
    printer_->Print(false, sheet_.get(), openCallText_);
}

void MainWindowView::PrintAllSheets()
{
    if (printer_ == nullptr || printer_->BatchRunning())
        return;
    EndCellEdit();
    printer_->ClearSheetList();
    for (const std::string &callText : indMain::PrintAllCallTexts(TreeCallTexts()))
        printer_->AddSheet(callText);
    printer_->Print(true, sheet_.get(), openCallText_);
}

std::vector<std::string> MainWindowView::TreeCallTexts() const
{
    std::vector<std::string> texts;
    if (tree_ == nullptr || tree_->View() == nullptr)
        return texts;
    for (QTreeWidgetItem *node = tree_->View()->topLevelItem(0); node != nullptr;
         node = cuiTree::NextNode(node)) {
        const cmcCellObj *cell = tree_->NodeCell(node);
        if (cell != nullptr && cell->suffix && !cell->suffix->empty())
            texts.push_back(*cell->suffix);
    }
    return texts;
}

// Without a sheet the tree's selected node opens, as if it had just been
// chosen; without a tree the sheet closed last opens again.
void MainWindowView::openSelectedSheet()
{
    if (sheet_ != nullptr || !form_.isVisible())
        return;
    if (tree_ != nullptr) {
        if (const cmcCellObj *cell = tree_->SelectedCell())
            cuiMenuClick::SendEnter(g_handler, &form_, *cell, nullptr);
        return;
    }
    if (const SheetHistory::Entry *newest = history_.Newest())
        OpenSheet(newest->callText);
}

void MainWindowView::BuildWindow()
{
    model_.SetCloneProgressView(&ProgressWindow());
    buildPanels();
    buildMenuAndToolBar();
    buildStatusBar();
    printer_ = std::make_unique<cuiPrinter>(
        &form_, mainTextDatabase(),
        [this](QWidget *container, const std::string &callText) {
            return createSheet(container, callText);
        },
        &form_.ToolBarImages());
}

std::unique_ptr<cuiMenu> MainWindowView::buildMainMenu()
{
    auto menu = std::make_unique<cuiMenu>(&form_, form_.menuBar(), mainTextDatabase(),
                                          "GI_Menu_Main", g_handler);
    menu->SetAutoHotKeys(true);
    menu->Build();
    return menu;
}

void MainWindowView::buildMenuAndToolBar()
{
    menu_ = buildMainMenu();
    toolBar_ = std::make_unique<cuiToolBar>(&form_, mainTextDatabase(), "GI_ToolBar_Main",
                                            &form_.ToolBarImages(), g_handler);
    toolBar_->Build();
    if (QWidget *control = toolBar_->Control()) {
        static_cast<QVBoxLayout *>(central_->layout())->insertWidget(0, control);
        control->setVisible(environment().toolbarVisible);
    }
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
    // The message panel takes what the other panels leave, at least this.
    status_->setMinimumWidth(kStatusMinimumWidth);
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

void MainWindowView::destroyTree() { tree_.reset(); }

// The frame then runs the warning check, closes the sheet and has the memory
// channel branch filled (kEvRebuildChannelTree).
void MainWindowView::RebuildTree()
{
    destroyTree();
    if (leftPanel_ == nullptr)
        return;
    tree_ = std::make_unique<iuiTree>(leftPanel_, mainTextDatabase(), "GI_Tree_Main",
                                      &form_.TreeImages());
    QTreeWidget *view = tree_->View();
    view->hide();
    leftPanel_->layout()->addWidget(view);
    tree_->Build();
    tree_->SetBankSources(
        [this](int bank) {
            const cmcEeprom &image = model_.WorkingImage();
            iuiTree::BankInfo info;
            info.trunking =
                ChannelGlobals::bankFlag(image, channel_offsets::kBankSmarTrunk, bank) ||
                ChannelGlobals::bankFlag(image, channel_offsets::kBankLtr, bank);
            info.channelCount = ChannelGlobals::bankChannelCount(image, bank);
            return info;
        },
        {});
    const auto check = [this] { model_.WarningCheck(); };
    QObject::connect(view, &QTreeWidget::itemExpanded, view, check);
    QObject::connect(view, &QTreeWidget::itemCollapsed, view, check);
    tree_->SetChangeDelay(
        std::atoi(mainTextDatabase().GetFirstLine("GI_Sys_TreeChangeDelay").c_str()));
    tree_->SetSelectionCallback([this](const cmcCellObj *cell) { treeSelectionChanged(cell); });
    view->show();
    if (QTreeWidgetItem *first = view->topLevelItem(0))
        view->setCurrentItem(first);
}

// The new builder is made while the old one still lives, so that it never
// takes the old one's address: fills posted for the old builder (its edit
// entry's no-item entry) then find no builder rather than the new one. The
// old builder takes its items off the menu bar and with them the sheet's
// items mirrored in its edit entry.
void MainWindowView::RebuildMainMenu()
{
    if (menu_ == nullptr)
        return;
    std::unique_ptr<cuiMenu> old = std::move(menu_);
    menu_ = buildMainMenu();
    old.reset();
    eventManager().Send(kEvMenuStates);
}

void MainWindowView::AppendToFirstTreeNode(const std::string &text)
{
    if (tree_ == nullptr || tree_->View() == nullptr)
        return;
    if (QTreeWidgetItem *first = tree_->View()->topLevelItem(0))
        first->setText(0, first->text(0) + QString::fromStdString(text));
}

// A node opens its sheet the way a menu item runs its command: its cell goes
// to the handler with the Enter code.
void MainWindowView::treeSelectionChanged(const cmcCellObj *cell)
{
    if (cell == nullptr || (cell->suffix && *cell->suffix == openCallText_))
        return;
    cuiMenuClick::SendEnter(g_handler, &form_, *cell, nullptr);
}

// The nodes that do not apply to this radio and mode go; the memory channel
// node gets one child per bank.
void MainWindowView::rebuildChannelBranch()
{
    if (tree_ == nullptr)
        return;
    tree_->RebuildChannelBranch(TreeNodeFilter::HiddenFlags(model_),
                                indMain::ModelTypeSuffix(model_.ModelType()),
                                TreeNodeFilter::kBankCount);
}

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

// A changed link shows in the menus and the tool bar at once.
bool MainWindowView::askOption(int kind)
{
    const bool changed = OptionDialog(static_cast<OptionDialog::Kind>(kind), &form_).Run();
    if (changed)
        eventManager().Send(kEvRefreshStates);
    return changed;
}

bool MainWindowView::AskComPort(int form)
{
    return askOption(static_cast<int>(OptionDialog::ComPortForm(form)));
}

bool MainWindowView::AskIpAddress()
{
    return askOption(static_cast<int>(OptionDialog::Kind::IpAddress));
}

bool MainWindowView::AskTcpPort()
{
    return askOption(static_cast<int>(OptionDialog::Kind::TcpPort));
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
    // Not every change of the image passes through a cell.
    if (const bool modified = model_.IsModified(); modified != form_.isWindowModified())
        form_.setWindowModified(modified);
    disposeRetiredSheets();
    openSelectedSheet();
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

void MainWindowView::MarkTree(const std::vector<std::string> &errors,
                              const std::vector<std::string> &warnings)
{
    if (tree_ != nullptr)
        tree_->MarkProblems(errors, warnings);
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
    // The language window re-enables the form when it goes, which it must
    // do while the form is whole.
    delete languageWindow_.data();
    StopTicking();
    CloseCurrentSheet();
    disposeRetiredSheets();
    destroyTree();
}

void MainWindowView::CloseMainWindow() { form_.close(); }

void MainWindowView::ShowToolBar(bool visible)
{
    if (toolBar_ != nullptr && toolBar_->Control() != nullptr)
        toolBar_->Control()->setVisible(visible);
}

void *MainWindowView::MainMenuWithEmptyEditEntry()
{
    if (menu_ == nullptr)
        return nullptr;
    const QAction *edit = menu_->FindItemByLabel(CL_Menu_Edit_Top);
    return edit != nullptr && menu_->Items(edit).empty() ? menu_.get() : nullptr;
}

void MainWindowView::ShowHelpContents(const std::string &path) { htmlHelp_->ShowContents(path); }

void MainWindowView::ShowHelpContext(const std::string &path, int context)
{
    htmlHelp_->ShowContext(path, context, QCursor::pos());
}

void MainWindowView::CopyToClipboard(const std::string &text)
{
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

void MainWindowView::OpenFolder(const std::string &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void MainWindowView::ShowAboutBox() { AboutBox::Open(&form_); }

void MainWindowView::ShowStatus(const std::string &text, std::uint32_t textColour,
                                std::uint32_t background)
{
    if (status_ == nullptr)
        return;
    const QPalette palette = status_->palette();
    status_->SetStatus(QString::fromStdString(text), SheetColours::Resolve(textColour, palette),
                       SheetColours::Resolve(background, palette));
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
    case kEvRefreshViews:
        model_.RebuildTree();
        break;
    case kEvRebuildChannelTree:
        rebuildChannelBranch();
        break;
    default:
        break;
    }
}
