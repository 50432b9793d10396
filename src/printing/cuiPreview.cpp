#include "printing/cuiPreview.h"

#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "sheets/cuiImageList.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTopPageImage = 16;
constexpr int kPreviousPageImage = 17;
constexpr int kNextPageImage = 18;
constexpr int kLastPageImage = 19;
constexpr int kZoomImage = 20;
constexpr int kWindowAllowance = 50;

int screenDotsPerInch()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 0;
    return dpi > 0 ? static_cast<int>(dpi) : 96;
}

int toScreen(int printerPixels, int printerDpi)
{
    return printerDpi > 0 ? printerPixels * screenDotsPerInch() / printerDpi : printerPixels;
}

QRect toScreen(const QRect &rect, int printerDpi)
{
    return QRect(QPoint(toScreen(rect.left(), printerDpi), toScreen(rect.top(), printerDpi)),
                 QPoint(toScreen(rect.right(), printerDpi), toScreen(rect.bottom(), printerDpi)));
}

// Characters the page number edit keeps: editing keys, digits, '.' and the
// characters from '!' to '('.
bool passesThrough(QChar c)
{
    const char16_t u = c.unicode();
    return u == 8 || (u >= '0' && u <= '9') || u == '.' || (u >= '!' && u <= '(');
}

} // namespace

cuiPreview::cuiPreview(QWidget *owner, const std::string &caption, const cuiImageList *images)
    : QDialog(owner)
{
    setWindowTitle(QString::fromStdString(caption));
    setWindowFlags((windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) &
                   ~Qt::WindowMinimizeButtonHint & ~Qt::WindowContextHelpButtonHint);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar(images);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setStyleSheet("background-color: #555555;");
    image_ = new QLabel;
    image_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(image_);
    scroll_->setWidgetResizable(true);
    layout->addWidget(scroll_, 1);

    auto *status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    statusPage_ = new QLabel(" 1 / 1");
    statusPage_->setFrameShape(QFrame::Panel);
    statusPage_->setFrameShadow(QFrame::Sunken);
    statusPage_->setFixedWidth(80);
    auto *second = new QLabel;
    second->setFrameShape(QFrame::Panel);
    second->setFrameShadow(QFrame::Sunken);
    status->addWidget(statusPage_);
    status->addWidget(second, 1);
    layout->addWidget(status);
}

cuiPreview::~cuiPreview() = default;

void cuiPreview::buildToolBar(const cuiImageList *images)
{
    auto *bar = new QToolBar(this);
    bar->setFixedHeight(25);
    bar->setContentsMargins(4, 0, 0, 0);
    const auto icon = [images](int index) {
        return images != nullptr ? images->icon(index) : QIcon();
    };
    const auto button = [&](const QString &text, QAction *&action) {
        auto *push = new QPushButton(text, bar);
        push->setFixedWidth(70);
        push->setFocusPolicy(Qt::NoFocus);
        action = bar->addWidget(push);
        connect(push, &QPushButton::clicked, action, &QAction::trigger);
    };
    button("&Print", printAction_);
    connect(printAction_, &QAction::triggered, this, &cuiPreview::ChoosePrint);
    bar->addSeparator();
    button("&Setting", settingAction_);
    connect(settingAction_, &QAction::triggered, this, &cuiPreview::openSettingDialog);
    bar->addSeparator();
    topAction_ = bar->addAction(icon(kTopPageImage), "Top Page", [this] { ShowPage(0); });
    previousAction_ = bar->addAction(icon(kPreviousPageImage), "Previous Page",
                                     [this] { ShowPage(current_ - 1); });
    pageEdit_ = new QLineEdit("1", bar);
    pageEdit_->setMaxLength(3);
    pageEdit_->setFixedWidth(30);
    pageEdit_->installEventFilter(this);
    bar->addWidget(pageEdit_);
    countLabel_ = new QLabel(" / 1", bar);
    countLabel_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    bar->addWidget(countLabel_);
    nextAction_ =
        bar->addAction(icon(kNextPageImage), "Next Page", [this] { ShowPage(current_ + 1); });
    lastAction_ = bar->addAction(icon(kLastPageImage), "Last Page", [this] { ShowPage(last_); });
    bar->addSeparator();
    zoomAction_ = bar->addAction(icon(kZoomImage), "Zoom");
    zoomAction_->setCheckable(true);
    connect(zoomAction_, &QAction::toggled, this, &cuiPreview::SetZoom);
    layout()->addWidget(bar);
}

void cuiPreview::Prepare(QPrinter &printer, int pages)
{
    pages_.assign(static_cast<std::size_t>(std::max(pages, 0)), dst_Preview{});
    recorded_ = 0;
    const int dpi = printer.resolution();
    const QSize size(std::max(toScreen(printer.width(), dpi), 1),
                     std::max(toScreen(printer.height(), dpi), 1));
    if (bitmap_.size() != size) {
        bitmap_ = QImage(size, QImage::Format_RGB32);
        const int dotsPerMetre = static_cast<int>(screenDotsPerInch() / 0.0254);
        bitmap_.setDotsPerMeterX(dotsPerMetre);
        bitmap_.setDotsPerMeterY(dotsPerMetre);
    }
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize available = screen != nullptr ? screen->availableSize() : QSize(1024, 768);
    const int extra = 25 + 25 + kWindowAllowance;
    resize(std::min(size.width() + kWindowAllowance, available.width()),
           std::min(size.height() + extra, available.height()));
}

void cuiPreview::RecordPage(QPrinter &printer, const std::string &callText, const QRect &margins,
                            int firstCol, int firstRow, int colCount, int rowCount,
                            const QRect &tile)
{
    // A layout that gives more pages than its count still shows them all.
    if (recorded_ >= static_cast<int>(pages_.size()))
        pages_.resize(static_cast<std::size_t>(recorded_) + 1);
    const int dpi = printer.resolution();
    pages_[static_cast<std::size_t>(recorded_)] = {
        callText, toScreen(margins, dpi), toScreen(tile, dpi), firstCol, firstRow, colCount,
        rowCount};
}

void cuiPreview::CountPage() { ++recorded_; }

void cuiPreview::ShowFirstPage()
{
    last_ = std::max(recorded_ - 1, 0);
    ShowPage(0);
}

bool cuiPreview::Run()
{
    ShowFirstPage();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->availableGeometry();
        QRect frame(QPoint(), size());
        frame.moveCenter(area.center());
        move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
    }
    exec();
    return printChosen_;
}

void cuiPreview::ShowPage(int page)
{
    current_ = std::clamp(page, 0, last_);
    bitmap_.fill(Qt::white);
    {
        QPainter painter(&bitmap_);
        painter.setPen(Qt::black);
        painter.drawRect(bitmap_.rect().adjusted(0, 0, -1, -1));
    }
    if (renderer_ && current_ < recorded_)
        renderer_(pages_[static_cast<std::size_t>(current_)], bitmap_);
    const bool first = current_ == 0;
    const bool last = current_ == last_;
    topAction_->setEnabled(!first);
    previousAction_->setEnabled(!first);
    nextAction_->setEnabled(!last);
    lastAction_->setEnabled(!last);
    const int total = last_ + 1;
    pageEdit_->setText(QString::number(current_ + 1));
    countLabel_->setText(QString(" / %1").arg(total));
    statusPage_->setText(QString(" %1 / %2").arg(current_ + 1).arg(total));
    refreshImage();
}

// Unzoomed, the page is as wide as the window and scrolls down: a page
// shrunk to the window's height is too small to read on a wide screen.
void cuiPreview::refreshImage()
{
    if (bitmap_.isNull())
        return;
    const QPixmap pixmap = QPixmap::fromImage(bitmap_);
    scroll_->setWidgetResizable(false);
    if (zoomed_) {
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        image_->setPixmap(pixmap);
        image_->resize(pixmap.size());
        return;
    }
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QSize room = scroll_->size();
    int width = room.width();
    if (static_cast<qint64>(width) * pixmap.height() >
        static_cast<qint64>(room.height()) * pixmap.width())
        width -= scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    width = std::max(width, 1);
    const QPixmap fitted = pixmap.scaledToWidth(width, Qt::SmoothTransformation);
    image_->setPixmap(fitted);
    image_->resize(fitted.size());
}

void cuiPreview::SetZoom(bool actualSize)
{
    zoomed_ = actualSize;
    if (zoomAction_->isChecked() != actualSize)
        zoomAction_->setChecked(actualSize);
    refreshImage();
}

void cuiPreview::ChoosePrint()
{
    printChosen_ = true;
    accept();
}

void cuiPreview::ApplyFontSize(int size)
{
    environment().printerFontSize = std::clamp(size, kMinFontSize, kMaxFontSize);
    if (relayout_)
        relayout_(*this);
    ShowFirstPage();
    pageEdit_->setFocus();
}

void cuiPreview::GoToEnteredPage()
{
    bool ok = false;
    const int number = pageEdit_->text().trimmed().toInt(&ok, 10);
    ShowPage(ok ? number - 1 : current_);
}

void cuiPreview::openSettingDialog()
{
    QDialog dialog(this);
    dialog.setWindowTitle("Setting");
    auto *layout = new QVBoxLayout(&dialog);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel("Font Size: ", &dialog));
    auto *sizes = new QComboBox(&dialog);
    for (int entry = 1; entry <= kMaxFontSize - kMinFontSize + 1; ++entry)
        sizes->addItem(QString::number(entry));
    const int current = environment().printerFontSize > 0 ? environment().printerFontSize : 10;
    sizes->setCurrentIndex(std::clamp(current, kMinFontSize, kMaxFontSize) - kMinFontSize);
    row->addWidget(sizes);
    layout->addLayout(row);
    cmcGTex &texts = mainTextDatabase();
    auto *buttons = new QDialogButtonBox(&dialog);
    auto *ok =
        buttons->addButton(QString::fromStdString(texts.GetLine("GI_AppInd_Button_OkCancel", 0)),
                           QDialogButtonBox::AcceptRole);
    auto *cancel =
        buttons->addButton(QString::fromStdString(texts.GetLine("GI_AppInd_Button_OkCancel", 1)),
                           QDialogButtonBox::RejectRole);
    const QFontMetrics metrics(dialog.font());
    const int width = metrics.horizontalAdvance(QString::fromStdString(
                          texts.GetLine("GI_AppInd_Opt_ComSel_SizeOfButtons", 0))) +
                      8;
    for (QPushButton *button : {ok, cancel})
        button->setFixedSize(width, metrics.height() * 2);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() == QDialog::Accepted)
        ApplyFontSize(sizes->currentIndex() + kMinFontSize);
    else
        pageEdit_->setFocus();
}

void cuiPreview::scrollBy(int dx, int dy)
{
    QScrollBar *bar = dx != 0 ? scroll_->horizontalScrollBar() : scroll_->verticalScrollBar();
    bar->setValue(bar->value() + (dx != 0 ? dx : dy) * bar->singleStep());
}

void cuiPreview::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
        ShowPage(current_ - 1);
        return;
    case Qt::Key_PageDown:
        ShowPage(current_ + 1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (zoomed_)
            scrollBy(event->key() == Qt::Key_Left ? -1 : 1, 0);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (zoomed_)
            scrollBy(0, event->key() == Qt::Key_Up ? -1 : 1);
        else
            ShowPage(current_ + (event->key() == Qt::Key_Up ? -1 : 1));
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        GoToEnteredPage();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

// The window sees the keys first: paging keys act on the pages, and the
// page number edit receives only what a page number is made of.
bool cuiPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pageEdit_ && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            keyPressEvent(key);
            return true;
        default:
            break;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !passesThrough(text.at(0)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void cuiPreview::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    refreshImage();
}

// The room for the page is known only once the window is laid out on the
// screen.
void cuiPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refreshImage();
}
