// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "tests/window/ShownWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <vector>

namespace {
std::string said(const ShownWindow& shown, const QString& control, QAccessible::Text kind) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(shown.widget(control));
    return iface ? iface->text(kind).toStdString() : "(no interface)";
}
} // namespace

// Assistive technology learns of a change through events that Qt raises only while a screen
// reader listens; here what it would then read is checked, and tools/orca-check.sh hears it.
TEST(Accessibility, EachControlSaysWhatItIsTheLampsSayTheirStateAndEachResultIsAnnounced) {
    ShownWindow shown;
    shown.model->sampleSelector.choose(3);
    struct Said {
        QString control;
        std::string name;
        std::string description;
    };
    const auto expectSaid = [&shown](const std::vector<Said>& table) {
        for (const Said& expected : table) {
            const std::string control = expected.control.toStdString();
            EXPECT_EQ(said(shown, expected.control, QAccessible::Name), expected.name) << control;
            EXPECT_EQ(said(shown, expected.control, QAccessible::Description), expected.description)
                << control;
        }
    };
    expectSaid({
        {"Combo1", "Sample", "Select EQing Sample"},
        {"Text1", "Sentence", "DSP EQ Sentence (Menu 20 & 21)"},
        {"Text3", "Line numbers", ""},
        {"Command1", "Exit", "Exit Program"},
        {"Shape8", "Port lamp: closed", ""},
        {"Command2", "Connect", "Port lamp: closed. Enable / Disable Comm Port"},
        {"Combo2", "Port", "Communication Port"},
        {"Combo3", "Rate", "Baud Rate"},
        {"Text4", "Notices", ""},
        {"Command8", "Open", ""},
        {"Command10", "Save", ""},
        {"Shape1", "Send lamp: idle", ""},
        {"Command6", "Update", "Send Data"},
        {"Check1", "Auto", "Send Data Every Second"},
        {"Combo4", "Line", "Select Line of Command Sentence"},
        {"Command3", "Accept Changes", ""},
        {"Text2(0)", "Digit 1", "empty"},
        {"Text2(7)", "Digit 8", "empty"},
    });
    EXPECT_EQ(said(shown, "Combo3", QAccessible::Value), "9600");
    EXPECT_EQ(shown.widget<QComboBox>("Combo2")->currentText(), "Com 1") << "a caption changed";

    QWidget* announcer = shown.widget("Announcer");
    const auto announced = [announcer](const QString& news) {
        return QTest::qWaitFor([&] { return announcer->accessibleName().endsWith(news); }, 5000);
    };
    auto* lines = shown.widget<QComboBox>("Combo4");
    lines->setFocus();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(lines, Qt::Key_Down);
    }
    EXPECT_TRUE(announced("Line 05: 0 4 4 6 0 0 0 0"));
    auto* notices = shown.widget<QTextEdit>("Text4");
    int removed = 0;
    QObject::connect(notices->document(), &QTextDocument::contentsChange, notices,
                     [&removed](int, int charsRemoved, int) { removed += charsRemoved; });
    QTest::mouseClick(shown.widget("Command2"), Qt::LeftButton);
    const QString opened = notices->toPlainText();
    EXPECT_EQ(said(shown, "Shape8", QAccessible::Name), "Port lamp: open");
    EXPECT_EQ(said(shown, "Command2", QAccessible::Description),
              "Port lamp: open. Enable / Disable Comm Port");
    EXPECT_TRUE(announced(opened));
    EXPECT_TRUE(announcer->isVisible());

    // A success is confirmed without a line in the box.
    for (const auto& [button, confirmation] :
         {std::pair{"Command6", "Sent to the radio"},
          {"Command3", "Line 05 accepted; Update sends it to the radio"}}) {
        QTest::mouseClick(shown.widget(button), Qt::LeftButton);
        EXPECT_TRUE(announced(confirmation)) << button;
    }
    EXPECT_EQ(notices->toPlainText(), opened);
    shown.model.port.postDrained();
    shown.model.loop.runWaiting();
    QTest::mouseClick(shown.widget("Command2"), Qt::LeftButton);
    const QString closed = notices->document()->lastBlock().text();
    EXPECT_TRUE(announced(closed));

    expectSaid({
        {"Shape8", "Port lamp: closed", ""},
        {"Shape1", "Send lamp: sent", ""},
        {"Text2(0)", "Line 05, digit 1", ""},
        {"Text2(3)", "Line 05, digit 4", ""},
    });
    EXPECT_EQ(QAccessible::queryAccessibleInterface(announcer)->role(), QAccessible::Notification);
    EXPECT_EQ(notices->toPlainText(), opened + '\n' + closed);
    EXPECT_EQ(removed, 0) << "a report replaced the box's text instead of adding its line";

    // Two reports in one pass are said together: a screen reader would miss the first.
    shown.model->noticeBox.report("First of two");
    shown.model->noticeBox.report("Second of two");
    const QStringList told = notices->toPlainText().split('\n');
    EXPECT_TRUE(announced(told[told.size() - 2] + ' ' + told.last()));

    // A line the box wraps on screen is still one line to a screen reader reading line by line,
    // and Down reaches each line once, as a screen reader reads the line at the caret.
    shown.model->noticeBox.report("No device at /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_"
                                  "A50285BI-if00-port0: plug the adapter in");
    notices->grab();
    const QTextBlock written = notices->document()->lastBlock();
    ASSERT_GT(written.layout()->lineCount(), 1) << "the line fits, which proves nothing";
    int start = -1;
    int end = -1;
    QAccessibleTextInterface* reading =
        QAccessible::queryAccessibleInterface(notices)->textInterface();
    EXPECT_EQ(reading->textAtOffset(written.position() + written.length() / 2,
                                    QAccessible::LineBoundary, &start, &end),
              written.text());
    EXPECT_EQ(start, written.position());
    notices->setFocus();
    QTest::keyClick(notices, Qt::Key_Home, Qt::ControlModifier);
    QString heard;
    for (int press = 0; press <= notices->document()->blockCount(); ++press) {
        const int at = reading->cursorPosition();
        heard += reading->textAtOffset(at, QAccessible::LineBoundary, &start, &end);
        QTest::keyClick(notices, Qt::Key_Down);
        if (reading->cursorPosition() == at) {
            break;
        }
    }
    EXPECT_EQ(heard.toStdString(), notices->toPlainText().toStdString());

    // A notification that comes while another window is active waits for this one.
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    shown.model->noticeBox.report("While away");
    QCoreApplication::processEvents();
    EXPECT_NE(announcer->accessibleName().toStdString(),
              notices->document()->lastBlock().text().toStdString());
    shown.view->activateWindow();
    EXPECT_TRUE(announced(notices->document()->lastBlock().text()));
}
