#include "mainframe/OptionDialog.h"

#include "link/PortDiscovery.h"
#include "link/PortMap.h"
#include "mainframe/OptionValues.h"
#include "platform/MessageService.h"
#include "platform/PlaceholderText.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"
#include "ui/WindowGeometry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

constexpr int kSerial = 0;
constexpr int kTcp = 1;

OptionDialog::ListSource g_numbers;
OptionDialog::ListSource g_descriptions;

std::vector<std::string> portNumbers()
{
    return g_numbers ? g_numbers() : PortDiscovery::registryPortNumbers();
}

std::vector<std::string> portDescriptions()
{
    return g_descriptions ? g_descriptions()
                          : PortDiscovery::portDescriptions(PortDiscovery::registryPortNumbers());
}

QString qText(const std::string &text) { return QString::fromStdString(text); }

std::string text(const std::string &key) { return mainTextDatabase().GetText(key); }

std::string line(const std::string &key, int index)
{
    return mainTextDatabase().GetLine(key, index);
}

constexpr const char *kDevicesKey = "GI_AppInd_Opt_ComSel_Devices";

enum DevicesLine { kNumberIsDevice = 0, kNumberReachesNothing = 1, kPresent = 2, kNonePresent = 3 };

// "33 = /dev/ttyUSB0": a COM number is only a name for a device on Linux.
std::string numberAndDevice(std::int32_t number)
{
    const std::string device = PortMap::devicePath(number);
    return platform::fillPlaceholders(
        line(kDevicesKey, device.empty() ? kNumberReachesNothing : kNumberIsDevice),
        {{"number", std::to_string(number)}, {"device", device}});
}

std::string devicesText(const std::string &typed)
{
    std::string text;
    if (const auto number = option_values::comPortFromText(typed))
        text = numberAndDevice(*number) + "\n";
    std::string present;
    for (const std::string &number : portNumbers()) {
        const std::int32_t port = PortDiscovery::numberOfText(number);
        if (port >= PortMap::kFirstPort && port <= PortMap::kLastPort)
            present += (present.empty() ? "" : ", ") + numberAndDevice(port);
    }
    return text + (present.empty() ? line(kDevicesKey, kNonePresent)
                                   : platform::fillPlaceholders(line(kDevicesKey, kPresent),
                                                                {{"ports", present}}));
}

// A combo box whose list is filled afresh each time it drops down.
class DroppingComboBox : public QComboBox
{
public:
    DroppingComboBox(QWidget *parent, std::function<void()> beforeDrop)
        : QComboBox(parent), beforeDrop_(std::move(beforeDrop))
    {}

    void showPopup() override
    {
        beforeDrop_();
        QComboBox::showPopup();
    }

private:
    std::function<void()> beforeDrop_;
};

} // namespace

enum class InputKind { Edit, EditableList, DropDownList };

struct OptionDialog::Form {
    const char *prefix;
    const char *errorSuffix;
    InputKind input;
    // The input is as wide as this text.
    const char *sample;
    int maxLength;
    bool masked;
};

const OptionDialog::Form &OptionDialog::formOf(Kind kind)
{
    static const Form kForms[] = {
        {"GI_AppInd_Opt_ComSel", "_OutofRange", InputKind::Edit, "255WWWW", 4, false},
        {"GI_AppInd_Opt_ComSel", "_OutofRange", InputKind::EditableList, "9999WW", 4, false},
        {"GI_AppInd_Opt_ComSel", "_OutofRange", InputKind::DropDownList,
         "256: USB Serial Port (/dev/ttyUSB0)WW", 0, false},
        {"GI_AppInd_Opt_IpAddr", "_OutofRange", InputKind::Edit, "255.255.255.255WWWW", 15, false},
        {"GI_AppInd_Opt_IpPort", "_OutofRange", InputKind::Edit, "65535WWWW", 5, false},
        {"GI_AppInd_Opt_ClonePwd", "_OutofRange", InputKind::Edit, "****************WWWW", 16,
         true},
    };
    return kForms[static_cast<int>(kind)];
}

OptionDialog::Kind OptionDialog::ComPortForm(int form)
{
    switch (form) {
    case 1:
        return Kind::ComPortList;
    case 2:
        return Kind::ComPortDescriptions;
    default:
        return Kind::ComPortEdit;
    }
}

void OptionDialog::SetPortSources(ListSource numbers, ListSource descriptions)
{
    g_numbers = std::move(numbers);
    g_descriptions = std::move(descriptions);
}

OptionDialog::OptionDialog(Kind kind, QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint),
      kind_(kind), mainWindow_(mainWindow)
{
    const Form &form = formOf(kind);
    const std::string prefix = form.prefix;
    setWindowTitle(qText(line(prefix + "_Caption", 0)));
    notice_ = new QLabel(qText(text(prefix + "_Notice")), this);
    notice_->setTextFormat(Qt::PlainText);
    createInput(form);
    ok_ = new QPushButton(qText(line(prefix + "_Buttons", 0)), this);
    cancel_ = new QPushButton(qText(line(prefix + "_Buttons", 1)), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &OptionDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &OptionDialog::reject);
    layOut(form);
}

void OptionDialog::createInput(const Form &form)
{
    const indEnviron &settings = environment();
    QWidget *input = nullptr;
    switch (form.input) {
    case InputKind::Edit:
        edit_ = new QLineEdit(this);
        edit_->setMaxLength(form.maxLength);
        if (form.masked)
            edit_->setEchoMode(QLineEdit::Password);
        if (kind_ == Kind::ComPortEdit)
            edit_->setText(QString::number(settings.comPort));
        else if (kind_ == Kind::IpAddress)
            edit_->setText(qText(settings.ipAddress));
        else if (kind_ == Kind::TcpPort)
            edit_->setText(QString::number(settings.tcpPort));
        input = edit_;
        break;
    case InputKind::EditableList:
        combo_ = new DroppingComboBox(this, [this] { fillComboList(); });
        combo_->setEditable(true);
        combo_->lineEdit()->setMaxLength(form.maxLength);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        combo_->setEditText(QString::number(settings.comPort));
        input = combo_;
        break;
    case InputKind::DropDownList:
        combo_ = new DroppingComboBox(this, [this] { fillComboList(); });
        fillComboList();
        input = combo_;
        break;
    }
    // Port numbers and addresses are typed as they are; no composition.
    input->setAttribute(Qt::WA_InputMethodEnabled, false);
    input->setFocus();
    if (kind_ == Kind::ComPortEdit || kind_ == Kind::ComPortList) {
        devices_ = new QLabel(this);
        devices_->setTextFormat(Qt::PlainText);
        devices_->setWordWrap(true);
        QLineEdit *typed = edit_ != nullptr ? edit_ : combo_->lineEdit();
        connect(typed, &QLineEdit::textChanged, this, [this] { showDevices(); });
        showDevices();
    }
}

void OptionDialog::showDevices()
{
    devices_->setText(qText(devicesText(inputText().toStdString())));
}

void OptionDialog::fillComboList()
{
    if (kind_ == Kind::ComPortList) {
        const QString typed = combo_->currentText();
        combo_->clear();
        for (const std::string &number : portNumbers())
            combo_->addItem(qText(number));
        combo_->setEditText(typed);
        return;
    }
    QStringList entries;
    for (const std::string &description : portDescriptions())
        entries << qText(description);
    QStringList shown;
    for (int i = 0; i < combo_->count(); ++i)
        shown << combo_->itemText(i);
    const std::int32_t wanted =
        combo_->count() > 0 ? PortDiscovery::numberOfText(combo_->currentText().toStdString())
                            : environment().comPort;
    if (entries != shown) {
        combo_->clear();
        combo_->addItems(entries);
    }
    for (int i = 0; i < combo_->count(); ++i) {
        if (PortDiscovery::numberOfText(combo_->itemText(i).toStdString()) == wanted)
            combo_->setCurrentIndex(i);
    }
    const QFontMetrics metrics(combo_->font());
    int widest = 0;
    for (const QString &entry : entries)
        widest = std::max(widest, metrics.horizontalAdvance(entry));
    int width = widest + metrics.horizontalAdvance(QStringLiteral("WW"));
    if (combo_->count() > combo_->maxVisibleItems())
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (width > combo_->width())
        combo_->view()->setMinimumWidth(width);
}

// Sizes follow the font: h is the height of a line; the input sits below the
// notice and is as wide as its sample; the buttons are two lines high, four
// input heights below the input's top, Cancel at the right.
void OptionDialog::layOut(const Form &form)
{
    const QFontMetrics metrics(font());
    const int h = metrics.height();
    notice_->adjustSize();
    QSize noticeSize = notice_->size();
    if (kind_ == Kind::IpAddress)
        noticeSize.setWidth(noticeSize.width() * 2);
    notice_->setGeometry(h, h, noticeSize.width(), noticeSize.height());

    QWidget *input = edit_ != nullptr ? static_cast<QWidget *>(edit_) : combo_;
    int inputWidth = metrics.horizontalAdvance(QString::fromLatin1(form.sample));
    if (combo_ != nullptr)
        inputWidth += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int inputHeight = input->sizeHint().height();
    const QPoint inputAt(h + metrics.horizontalAdvance(QStringLiteral("WW")),
                         notice_->geometry().bottom() + 1 + h / 2);
    input->setGeometry(QRect(inputAt, QSize(inputWidth, inputHeight)));

    const std::string prefix = form.prefix;
    const int buttonWidth =
        std::max(metrics.horizontalAdvance(qText(line(prefix + "_SizeOfButtons", 0))),
                 std::max(ok_->sizeHint().width(), cancel_->sizeHint().width()));
    const int buttonHeight = 2 * metrics.height();
    const int right = std::max(notice_->geometry().right(), input->geometry().right()) + 1;
    int buttonTop = inputAt.y() + 4 * inputHeight;
    if (devices_ != nullptr) {
        // Room for the device line and a line of ports, whatever they say.
        const int width = std::max(right - h, inputWidth);
        const int height = devices_->heightForWidth(width);
        devices_->setGeometry(h, input->geometry().bottom() + 1 + h / 2, width,
                              std::max(height, 3 * h));
        buttonTop = std::max(buttonTop, devices_->geometry().bottom() + 1 + h / 2);
    }
    cancel_->setGeometry(right - buttonWidth, buttonTop, buttonWidth, buttonHeight);
    ok_->setGeometry(right - buttonWidth - buttonHeight / 2 - buttonWidth, buttonTop, buttonWidth,
                     buttonHeight);
    const int left = std::min(ok_->x(), h);
    if (left < h) {
        for (QWidget *child : {static_cast<QWidget *>(notice_), input, static_cast<QWidget *>(ok_),
                               static_cast<QWidget *>(cancel_), static_cast<QWidget *>(devices_)}) {
            if (child != nullptr)
                child->move(child->x() + h - left, child->y());
        }
    }
    setFixedSize(cancel_->geometry().right() + 1 + h, buttonTop + buttonHeight + h);
}

bool OptionDialog::Run()
{
    move(window_geometry::centredOnWorkArea(size(), mainWindow_));
    return exec() == QDialog::Accepted;
}

QString OptionDialog::inputText() const
{
    return edit_ != nullptr ? edit_->text() : combo_->currentText();
}

void OptionDialog::accept()
{
    if (!store()) {
        refuse();
        return;
    }
    QDialog::accept();
}

bool OptionDialog::store()
{
    indEnviron &settings = environment();
    const std::string typed = inputText().toStdString();
    switch (kind_) {
    case Kind::ComPortEdit:
    case Kind::ComPortList:
    case Kind::ComPortDescriptions: {
        const auto port =
            kind_ == Kind::ComPortDescriptions
                ? option_values::comPortFromText(std::to_string(PortDiscovery::numberOfText(typed)))
                : option_values::comPortFromText(typed);
        if (!port)
            return false;
        settings.comPort = *port;
        settings.portSelect = kSerial;
        return true;
    }
    case Kind::IpAddress: {
        const auto address = option_values::ipAddressFromText(typed);
        if (!address)
            return false;
        settings.ipAddress = *address;
        settings.portSelect = kTcp;
        return true;
    }
    case Kind::TcpPort: {
        const auto port = option_values::tcpPortFromText(typed);
        if (!port)
            return false;
        settings.tcpPort = *port;
        settings.portSelect = kTcp;
        return true;
    }
    case Kind::ClonePassword: {
        const auto password = option_values::clonePasswordFromText(typed);
        if (!password)
            return false;
        settings.clonePassword = *password;
        return true;
    }
    }
    return false;
}

void OptionDialog::refuse()
{
    const Form &form = formOf(kind_);
    platform::showMessage(appTitle(), text(std::string(form.prefix) + form.errorSuffix),
                          platform::MessageIcon::Error);
    if (edit_ != nullptr)
        edit_->setFocus();
    else
        combo_->setFocus();
}
