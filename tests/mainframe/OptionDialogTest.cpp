#include "FrameTestFixture.h"

#include "mainframe/OptionDialog.h"
#include "mainframe/OptionValues.h"
#include "textdb/GlobalTexts.h"
#include "textdb/cmcGTex.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

namespace ov = option_values;
using Kind = OptionDialog::Kind;

TEST(OptionValues, TextsTheDialogsAcceptAndRefuse)
{
    EXPECT_EQ(ov::comPortFromText(" 12 "), 12);
    EXPECT_EQ(ov::comPortFromText("256"), 256);
    EXPECT_EQ(ov::comPortFromText("12x4"), 12);
    for (const char *refused : {"0", "257", "abc", "", "x12", "99999999999"})
        EXPECT_FALSE(ov::comPortFromText(refused)) << refused;

    EXPECT_EQ(ov::ipAddressFromText("192.168.001.010"), "192.168.1.10");
    EXPECT_EQ(ov::ipAddressFromText("0.0.0.0"), "0.0.0.0");
    for (const char *refused : {"1.2.3", "1.2.3.4.5", "1.2.3.", "1234.1.1.1", "256.1.1.1", "1..2.3",
                                "a.b.c.d", "1.2.3.-1", ""})
        EXPECT_FALSE(ov::ipAddressFromText(refused)) << refused;

    EXPECT_EQ(ov::tcpPortFromText("1024"), 1024);
    EXPECT_EQ(ov::tcpPortFromText("65535"), 65535);
    for (const char *refused : {"1023", "65536", " 2000", "2000x", "", "-5000"})
        EXPECT_FALSE(ov::tcpPortFromText(refused)) << refused;

    EXPECT_EQ(ov::clonePasswordFromText("abc"), "abc");
    EXPECT_FALSE(ov::clonePasswordFromText(""));
    EXPECT_FALSE(ov::clonePasswordFromText(std::string(17, 'x')));
}

class OptionDialogs : public FrameTest
{
protected:
    OptionDialogs() { openForm(); }
    ~OptionDialogs() override { OptionDialog::SetPortSources({}, {}); }
};

TEST_F(OptionDialogs, RefusalKeepsTheDialogOpenAndTheSettings)
{
    struct Case {
        Kind kind;
        const char *text;
        const char *errorKey;
    } cases[] = {
        {Kind::ComPortEdit, "257", "GI_AppInd_Opt_ComSel_OutofRange"},
        {Kind::ComPortList, "abc", "GI_AppInd_Opt_ComSel_OutofRange"},
        {Kind::IpAddress, "1.2.3", "GI_AppInd_Opt_IpAddr_OutofRange"},
        {Kind::TcpPort, "1023", "GI_AppInd_Opt_IpPort_OutofRange"},
        {Kind::ClonePassword, "", "GI_AppInd_Opt_ClonePwd_OutofRange"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        recorder.clear();
        settings().portSelect = 0;
        settings().comPort = 3;
        OptionDialog dialog(c.kind, form.get());
        dialog.show();
        if (dialog.Edit() != nullptr)
            dialog.Edit()->setText(c.text);
        else
            dialog.Combo()->setEditText(c.text);
        dialog.OkButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_EQ(shownTexts(), std::vector<std::string>{mainTextDatabase().GetText(c.errorKey)});
        EXPECT_EQ(recorder.shown()[0].icon, platform::MessageIcon::Error);
        EXPECT_EQ(settings().comPort, 3);
        EXPECT_EQ(settings().portSelect, 0);
    }
}

TEST_F(OptionDialogs, AcceptedValuesGoIntoTheSettingsAndChooseTheLink)
{
    struct Case {
        Kind kind;
        const char *text;
        int portSelect;
    } cases[] = {
        {Kind::ComPortEdit, " 12 ", 0},
        {Kind::ComPortList, "7", 0},
        {Kind::IpAddress, "010.000.000.002", 1},
        {Kind::TcpPort, "50000", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        settings().portSelect = c.portSelect == 0 ? 1 : 0;
        OptionDialog dialog(c.kind, form.get());
        if (dialog.Edit() != nullptr)
            dialog.Edit()->setText(c.text);
        else
            dialog.Combo()->setEditText(c.text);
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(settings().portSelect, c.portSelect);
    }
    EXPECT_EQ(settings().comPort, 7);
    EXPECT_EQ(settings().ipAddress, "10.0.0.2");
    EXPECT_EQ(settings().tcpPort, 50000);
    EXPECT_TRUE(recorder.shown().empty());
}

TEST_F(OptionDialogs, TextsComeFromTheDialogsKeys)
{
    settings().ipAddress = "10.1.2.3";
    OptionDialog dialog(Kind::IpAddress, form.get());
    cmcGTex &texts = mainTextDatabase();
    EXPECT_EQ(dialog.windowTitle().toStdString(),
              texts.GetFirstLine("GI_AppInd_Opt_IpAddr_Caption"));
    EXPECT_EQ(dialog.Notice()->text().toStdString(), texts.GetText("GI_AppInd_Opt_IpAddr_Notice"));
    EXPECT_EQ(dialog.OkButton()->text().toStdString(),
              texts.GetLine("GI_AppInd_Opt_IpAddr_Buttons", 0));
    EXPECT_EQ(dialog.CancelButton()->text().toStdString(),
              texts.GetLine("GI_AppInd_Opt_IpAddr_Buttons", 1));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_EQ(dialog.Edit()->text(), "10.1.2.3");
    EXPECT_EQ(dialog.Edit()->maxLength(), 15);
    EXPECT_FALSE(dialog.Edit()->testAttribute(Qt::WA_InputMethodEnabled));
    // Cancel changes nothing.
    dialog.Edit()->setText("1.1.1.1");
    dialog.CancelButton()->click();
    EXPECT_EQ(settings().ipAddress, "10.1.2.3");

    OptionDialog password(Kind::ClonePassword, form.get());
    EXPECT_EQ(password.Edit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password.Edit()->maxLength(), 16);
    EXPECT_TRUE(password.Edit()->text().isEmpty());
}

// A COM number is only a name for a device here: the dialog says which one,
// and which ports there are.
TEST_F(OptionDialogs, NumberFormsShowTheDeviceOfTheNumberAndThePortsPresent)
{
    std::vector<std::string> present = {"33", "97"};
    OptionDialog::SetPortSources([&present] { return present; }, {});
    for (const Kind kind : {Kind::ComPortEdit, Kind::ComPortList}) {
        OptionDialog dialog(kind, form.get());
        ASSERT_NE(dialog.Devices(), nullptr);
        QLineEdit *typed = dialog.Edit() != nullptr ? dialog.Edit() : dialog.Combo()->lineEdit();
        struct Case {
            const char *typed;
            const char *shown;
        } cases[] = {
            {"33", "33 = /dev/ttyUSB0\nPorts present: 33 = /dev/ttyUSB0, 97 = /dev/pts/0"},
            {"1", "1 = /dev/ttyS0\nPorts present: 33 = /dev/ttyUSB0, 97 = /dev/pts/0"},
            {"256", "256 reaches no device.\nPorts present: 33 = /dev/ttyUSB0, 97 = /dev/pts/0"},
            {"abc", "Ports present: 33 = /dev/ttyUSB0, 97 = /dev/pts/0"},
        };
        for (const Case &c : cases) {
            typed->setText(c.typed);
            EXPECT_EQ(dialog.Devices()->text().toStdString(), c.shown) << c.typed;
        }
        EXPECT_GT(dialog.OkButton()->geometry().top(), dialog.Devices()->geometry().bottom());
    }
    present.clear();
    OptionDialog none(Kind::ComPortEdit, form.get());
    none.Edit()->setText("x");
    EXPECT_EQ(none.Devices()->text(), "No serial ports are present.");
    EXPECT_EQ(OptionDialog(Kind::TcpPort, form.get()).Devices(), nullptr);
}

TEST_F(OptionDialogs, PortListsAreReadAgainWhenTheyDrop)
{
    std::vector<std::string> descriptions = {"1: Serial port (/dev/ttyS0)",
                                             "33: USB serial (/dev/ttyUSB0)"};
    OptionDialog::SetPortSources(
        [] {
            return std::vector<std::string>{"1", "33"};
        },
        [&descriptions] { return descriptions; });
    settings().comPort = 33;
    settings().portSelect = 1;
    OptionDialog described(Kind::ComPortDescriptions, form.get());
    ASSERT_EQ(described.Combo()->count(), 2);
    EXPECT_EQ(described.Combo()->currentText(), "33: USB serial (/dev/ttyUSB0)");
    // A device plugged in meanwhile shows up; the choice stays on its port.
    descriptions.insert(descriptions.begin() + 1, "2: Serial port (/dev/ttyS1)");
    described.Combo()->showPopup();
    described.Combo()->hidePopup();
    ASSERT_EQ(described.Combo()->count(), 3);
    EXPECT_EQ(described.Combo()->currentText(), "33: USB serial (/dev/ttyUSB0)");
    described.Combo()->setCurrentIndex(1);
    described.OkButton()->click();
    EXPECT_EQ(settings().comPort, 2);
    EXPECT_EQ(settings().portSelect, 0);

    OptionDialog typed(Kind::ComPortList, form.get());
    typed.Combo()->setEditText("45");
    typed.Combo()->showPopup();
    typed.Combo()->hidePopup();
    EXPECT_EQ(typed.Combo()->count(), 2);
    EXPECT_EQ(typed.Combo()->currentText(), "45");
}

} // namespace
