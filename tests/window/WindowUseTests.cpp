// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/QtEventLoop.h"
#include "tests/window/ShownWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QString focused() {
    const QWidget* widget = QApplication::focusWidget();
    // An editable combo box's own line edit holds the focus for it.
    while (widget && widget->objectName().isEmpty()) {
        widget = widget->parentWidget();
    }
    return widget ? widget->objectName() : QString("nothing");
}

bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 5000);
}
} // namespace

TEST(WindowUse, FocusStartsInTheSampleSelectorAndTabGoesRoundInTheDrawnOrder) {
    const ShownWindow shown;
    EXPECT_EQ(focused(), "Combo1");
    QStringList chain{"Combo1"};
    for (int i = 0; i < 22; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << focused();
    }
    EXPECT_EQ(chain,
              QStringList({"Combo1",   "Text1",    "Combo2",    "Combo3",   "Command2", "Command6",
                           "Check1",   "Text3",    "Combo4",    "Text2(0)", "Text2(1)", "Text2(2)",
                           "Text2(3)", "Text2(4)", "Text2(5)",  "Text2(6)", "Text2(7)", "Command3",
                           "Text4",    "Command8", "Command10", "Command1", "Combo1"}));
    EXPECT_TRUE(shown.model.settings.writes.empty()) << "passing through a selector chose in it";
}

TEST(WindowUse, ArrowKeysInTheClosedSampleSelectorChooseASampleAndTypingChoosesNothing) {
    ShownWindow shown;
    auto* samples = shown.widget<QComboBox>("Combo1");
    EXPECT_EQ(samples->currentText(), "Select Sample");
    QTest::keyClick(samples, Qt::Key_Down);
    EXPECT_EQ(shown.model->sampleSelector.listIndex(), 0);
    EXPECT_EQ(shown.widget<QTextEdit>("Text1")->toPlainText(), QString(128, '0'));
    QTest::keyClick(samples, Qt::Key_Down);
    EXPECT_EQ(samples->currentText(), "Ombrel");
    EXPECT_EQ(shown.model.settings.value("Bytes"), "Ombrel");

    const std::size_t writes = shown.model.settings.writes.size();
    samples->lineEdit()->selectAll();
    QTest::keyClicks(samples->lineEdit(), "Kestrum");
    EXPECT_EQ(shown.model->sampleSelector.text(), "Kestrum");
    EXPECT_EQ(shown.model->sampleSelector.listIndex(), 1) << "typing chose an item";
    EXPECT_EQ(shown.model.settings.writes.size(), writes) << "typing ran the handler";
    EXPECT_EQ(samples->count(), 6) << "typing added an item";

    auto* ports = shown.widget<QComboBox>("Combo2");
    ports->setFocus();
    ports->lineEdit()->selectAll();
    QTest::keyClicks(ports->lineEdit(), "Com 3");
    QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
    shown.widget("Combo3")->setFocus();
    EXPECT_EQ(shown.model.port.portNumber(), 1) << "Enter on a typed port name chose it";
    EXPECT_EQ(shown.model->portSelector.text(), "Com 3");
    EXPECT_EQ(shown.model.settings.writes.size(), writes);
}

TEST(WindowUse, ArrowKeysInASelectorShowingARestoredItemMoveFromThatItem) {
    ShownWindow shown([](TestWindow& model) {
        model.settings.store("settings", "19200,n,8,1");
        model.settings.store("Bytes", "Ombrel");
    });
    auto* rates = shown.widget<QComboBox>("Combo3");
    ASSERT_EQ(rates->currentText(), "19200");
    const int restoredIndex = shown.model->rateSelector.listIndex();
    rates->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(rates->currentText(), "38400");
    EXPECT_EQ(shown.model.settings.value("settings").substr(0, 6), "38400,");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(shown.model.settings.value("settings").substr(0, 6), "19200,");
    EXPECT_NE(shown.model->rateSelector.listIndex(), restoredIndex) << "the arrows chose nothing";

    auto* samples = shown.widget<QComboBox>("Combo1");
    samples->setFocus();
    const int samplesIndex = shown.model->sampleSelector.listIndex();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(shown.model->sampleSelector.listIndex(), samplesIndex)
        << "the list position moved before the user chose";
    samples->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(samples->currentText(), samples->itemText(samples->findText("Ombrel") - 1));
}

TEST(WindowUse, ReturnAndEnterPressTheFocusedButton) {
    ShownWindow shown;
    auto* connect = shown.widget("Command2");
    connect->setFocus();
    QTest::keyClick(connect, Qt::Key_Return);
    EXPECT_TRUE(shown.model.port.isOpen()) << "Return on Connect did not open the port";
    QTest::keyClick(connect, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(shown.model.port.isOpen()) << "Enter on Connect did not close the port";
}

TEST(WindowUse, ALineChosenFillsTheCellsAndTypedCellsAreAcceptedIntoTheStore) {
    ShownWindow shown;
    shown.model->sampleSelector.choose(3);
    auto* lines = shown.widget<QComboBox>("Combo4");
    lines->setFocus();
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(lines, Qt::Key_Down);
    }
    ASSERT_EQ(lines->currentText(), "05");
    const std::string sentence = shown.model->sentenceBox.text();
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(shown.widget<QLineEdit>(QString("Text2(%1)").arg(column))->text(),
                  QString(QChar(sentence[32 + column])));
    }

    auto* cell = shown.widget<QLineEdit>("Text2(3)");
    cell->selectAll();
    QTest::keyClicks(cell, "F");
    QTest::mouseClick(shown.widget("Command3"), Qt::LeftButton);
    EXPECT_EQ(shown.model->digitStore.join().substr(32, 8),
              sentence.substr(32, 3) + "F" + sentence.substr(36, 4));
    EXPECT_EQ(shown.widget<QTextEdit>("Text1")->toPlainText().toStdString(), sentence)
        << "Accept changed the sentence box";
}

TEST(WindowUse, TheAutoBoxTogglesWithTheSpaceBarAndTheModelFollows) {
    ShownWindow shown;
    auto* autoSend = shown.widget<QCheckBox>("Check1");
    EXPECT_TRUE(autoSend->isChecked());
    autoSend->setFocus();
    QTest::keyClick(autoSend, Qt::Key_Space);
    EXPECT_EQ(shown.model->autoResend.value(), 0);
    QTest::keyClick(autoSend, Qt::Key_Space);
    EXPECT_EQ(shown.model->autoResend.value(), 1);
}

TEST(WindowUse, AltXPressesExitFromAnywhereAndAltFOpensTheFileMenu) {
    ShownWindow shown;
    int exits = 0;
    shown.model->exitButton.onPress = [&] { ++exits; };
    shown.widget("Text2(5)")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(waitFor([&] { return exits == 1; }));

    int saves = 0;
    shown.model->saveMenuItem.onChosen = [&] { ++saves; };
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(waitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
    EXPECT_TRUE(waitFor([&] { return saves == 1; }));
    EXPECT_EQ(exits, 1);
}

TEST(WindowUse, TheNoticeBoxShowsTheNewestReport) {
    ShownWindow shown;
    for (int i = 0; i < 30; ++i) {
        shown.model->noticeBox.report("problem " + std::to_string(i));
    }
    auto* notices = shown.widget<QTextEdit>("Text4");
    EXPECT_TRUE(notices->toPlainText().endsWith("problem 29"));
    QApplication::processEvents();
    EXPECT_GT(notices->verticalScrollBar()->maximum(), 0) << "thirty lines should not fit";
    EXPECT_EQ(notices->verticalScrollBar()->value(), notices->verticalScrollBar()->maximum())
        << "the newest report is scrolled out of sight";
}

TEST(WindowUseDeathTest, ClosingTheWindowEndsTheProgramAtOnceEvenInsideAYield) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            application();
            QtEventLoop loop;
            TestWindow model;
            model.start();
            WindowView view(*model.window, loop);
            view.show();
            // A handler that yields while the window is closed must never resume.
            QTimer::singleShot(0, &view, [&view] { view.close(); });
            loop.yield();
            QTest::qWait(100);
            std::abort();
        },
        testing::ExitedWithCode(0), "");
}

TEST(WindowUse, AFastChangingSentenceIsDrawnAtScreenRateAndEndsOnItsLastState) {
    ShownWindow shown;
    auto* sentence = shown.widget<QTextEdit>("Text1");
    int drawn = 0;
    QObject::connect(sentence, &QTextEdit::textChanged, sentence, [&] { ++drawn; });
    QElapsedTimer clock;
    clock.start();
    for (int line = 0; line < 2000; ++line) {
        shown.model->sentenceBox.setText("line " + std::to_string(line));
        QApplication::processEvents();
    }
    const qint64 elapsed = clock.elapsed();
    EXPECT_TRUE(waitFor([&] { return sentence->toPlainText() == "line 1999"; }))
        << sentence->toPlainText().toStdString();
    // Each drawing changes the text and then its line pitch.
    EXPECT_LE(drawn, 2 * (elapsed / 16 + 3)) << "in " << elapsed << " ms";
}
