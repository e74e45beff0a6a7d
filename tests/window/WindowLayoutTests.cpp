// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Colours.h"
#include "qt/window/Placement.h"
#include "tests/window/ShownWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {
struct Drawn {
    const char* name;
    int left, top, width, height; // twips, in window client coordinates
};

// Where each control stands on the window, independent of the frame it is placed in.
constexpr Drawn drawing[] = {
    {"Frame4", 120, 120, 3255, 855},     {"Shape8", 240, 480, 150, 375},
    {"Command2", 360, 480, 855, 375},    {"Combo2", 1440, 480, 855, 315},
    {"Combo3", 2400, 480, 855, 315},     {"Frame5", 3480, 0, 2415, 1335},
    {"Text4", 3600, 360, 2175, 855},     {"Frame3", 120, 1320, 5775, 5295},
    {"Combo1", 840, 1680, 1575, 315},    {"Text1", 840, 2040, 1575, 4485},
    {"Command1", 2880, 6120, 975, 375},  {"Text3", 360, 2040, 495, 4455},
    {"Frame7", 2880, 1560, 2415, 855},   {"Command8", 3120, 1920, 855, 375},
    {"Command10", 4200, 1920, 855, 375}, {"Frame2", 2880, 2520, 2415, 975},
    {"Shape1", 3000, 2880, 135, 375},    {"Command6", 3120, 2880, 855, 375},
    {"Check1", 4080, 2880, 1095, 375},   {"Frame1", 2880, 3600, 2415, 1815},
    {"Combo4", 3120, 4080, 735, 360},    {"Command3", 4080, 3960, 975, 495},
};

QRect inWindow(const ShownWindow& shown, const QString& name) {
    const QWidget* widget = shown.widget(name);
    return {widget->mapTo(shown.client(), QPoint(0, 0)), widget->size()};
}

// The screen's logical resolution, checked against the one the test run asks for, so that a run
// at 144 dpi cannot pass by laying the window out at 96.
int dotsPerInch(const ShownWindow& shown) {
    const int asked =
        qEnvironmentVariableIsSet("QT_FONT_DPI") ? qEnvironmentVariableIntValue("QT_FONT_DPI") : 96;
    EXPECT_EQ(shown.client()->logicalDpiY(), asked);
    return shown.client()->logicalDpiY();
}

// Where the caret stands after the text, painted as the user would see it.
int caretAfter(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->end(false);
    edit->grab();
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
}

QRect inClient(const ShownWindow& shown, const QWidget* widget, QRect rect) {
    return rect.translated(widget->mapTo(shown.client(), QPoint(0, 0)));
}

// How many pixels of the area stand at least 3:1 from their colour in the other picture, or from
// the one colour given.
int standingOut(const QImage& image, const QRect& area, const std::function<QColor(QPoint)>& from) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += contrast(image.pixelColor(x, y), from({x, y})) >= 3.0;
        }
    }
    return count;
}

// What the window must be on any desktop: drawn in Fusion, however the desktop asked otherwise;
// every selector's arrow showing; every control's outline 3:1 from the ground above it; the
// keyboard focus changing the pixels of a ring round each control 3:1; every text 4.5:1 from
// its ground.
void expectEverythingStandsOut(ShownWindow& shown) {
    const auto* style = dynamic_cast<const QProxyStyle*>(QApplication::style());
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->baseStyle()->name(), "fusion");

    for (QComboBox* combo : shown.view->findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = true;
        const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxArrow, combo);
        const QImage drawn = combo->grab().toImage();
        const QColor face = drawn.pixelColor(arrow.left() + 2, arrow.top() + 2);
        EXPECT_GE(standingOut(drawn, arrow, [&](QPoint) { return face; }), 8)
            << combo->objectName().toStdString() << " shows no arrow";
    }

    std::vector<std::pair<QWidget*, QRect>> outlined;
    for (QWidget* widget : shown.view->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(widget) || qobject_cast<QPushButton*>(widget) ||
            qobject_cast<QTextEdit*>(widget) ||
            (qobject_cast<QLineEdit*>(widget) && widget->objectName().startsWith("Text2"))) {
            outlined.emplace_back(widget, widget->rect());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            QStyleOptionButton option;
            option.initFrom(box);
            outlined.emplace_back(
                box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box));
        }
    }
    ASSERT_EQ(outlined.size(), 22u);
    shown.widget("Combo1")->setFocus();
    QImage drawn = shown.client()->grab().toImage();
    for (const auto& [widget, rect] : outlined) {
        const QRect area = inClient(shown, widget, rect);
        const QPoint edge(area.center().x(), area.top());
        EXPECT_GE(contrast(drawn.pixelColor(edge), drawn.pixelColor(edge - QPoint(0, 2))), 3.0)
            << widget->objectName().toStdString() << " has no outline that shows";
    }

    for (const auto& [widget, rect] : outlined) {
        shown.widget(widget->objectName() == "Command1" ? "Combo1" : "Command1")->setFocus();
        const QImage before = shown.client()->grab().toImage();
        // Arrived at by the keyboard, for which Fusion shows the focus of a button.
        widget->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        drawn = shown.client()->grab().toImage();
        const QRect area = inClient(shown, widget, widget->rect());
        EXPECT_GE(standingOut(drawn, area, [&](QPoint at) { return before.pixelColor(at); }),
                  area.width() + area.height())
            << widget->objectName().toStdString() << " shows no focus";
    }

    for (const QWidget* widget : shown.view->findChildren<QWidget*>()) {
        const QPalette& colours = widget->palette();
        EXPECT_GE(contrast(colours.color(widget->foregroundRole()),
                           colours.color(widget->backgroundRole())),
                  4.5)
            << widget->objectName().toStdString() << " " << widget->metaObject()->className();
    }
}

// The lines a text box has laid its text out in, as the user sees them.
QStringList shownLines(const QTextEdit* box) {
    QStringList lines;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines << block.text().mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}
} // namespace

TEST(WindowLayout, EveryControlStandsWhereTheWindowWasDrawnAndTheClientAreaIsFixed) {
    const ShownWindow shown;
    const int dpi = dotsPerInch(shown);
    // 1440 twips to the logical inch.
    EXPECT_EQ(shown.client()->size(), QSize(6000 * dpi / 1440, 6750 * dpi / 1440));
    EXPECT_EQ(shown.view->minimumSize(), shown.view->maximumSize()) << "the window can be resized";
    EXPECT_FALSE(shown.view->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(shown.view->windowFlags() & Qt::MSWindowsFixedSizeDialogHint)
        << "Windows would let the border be dragged";
    const QSize size = shown.view->size();
    shown.view->showMaximized();
    EXPECT_FALSE(shown.view->isMaximized());
    EXPECT_EQ(shown.view->size(), size);
    for (const Drawn& control : drawing) {
        EXPECT_EQ(
            inWindow(shown, control.name),
            ::Placement({control.left, control.top, control.width, control.height}).pixels(dpi))
            << control.name;
    }
    for (int i = 0; i < 8; ++i) {
        const QString cell = QString("Text2(%1)").arg(i);
        EXPECT_EQ(inWindow(shown, cell), ::Placement({3120 + 240 * i, 4800, 255, 375}).pixels(dpi))
            << cell.toStdString();
    }
}

TEST(WindowLayout, FramesOverTheCommandViewerAndTheLineNumbersAreNotHiddenByIt) {
    const ShownWindow shown;
    const QStringList expectedCaptions{
        "Port Settings", "WARNING", "Command Viewer", "File", "Send Command to Radio", "Edit Line"};
    QStringList captions;
    for (const char* name : {"Frame4", "Frame5", "Frame3", "Frame7", "Frame2", "Frame1"}) {
        captions << shown.widget<QGroupBox>(name)->title();
    }
    EXPECT_EQ(captions, expectedCaptions);

    for (const char* above : {"Text3", "Frame7", "Frame2", "Frame1"}) {
        const QRect area = inWindow(shown, above);
        for (const QPoint corner : {area.topLeft(), area.bottomRight(), area.center()}) {
            const QWidget* top = shown.client()->childAt(corner);
            ASSERT_NE(top, nullptr) << above;
            EXPECT_TRUE(top->objectName() == above || shown.widget(above)->isAncestorOf(top))
                << above << " is covered at " << corner.x() << "," << corner.y() << " by "
                << top->objectName().toStdString();
        }
    }
    EXPECT_EQ(inWindow(shown, "Text3").right() + 1 - inWindow(shown, "Text1").left(),
              twipsToPixels(15, dotsPerInch(shown)))
        << "the line numbers overlap the sentence box by one pixel of the drawing";
}

TEST(WindowLayout, EveryCaptionAndListTextFitsItsRoomUncutAndUnscrolled) {
    const ShownWindow shown;
    for (QComboBox* combo : shown.view->findChildren<QComboBox*>()) {
        QStringList texts{combo->currentText()};
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        QLineEdit* edit = combo->lineEdit();
        const int start = caretAfter(edit, "");
        for (const QString& text : texts) {
            EXPECT_EQ(caretAfter(edit, text), start + edit->fontMetrics().horizontalAdvance(text))
                << combo->objectName().toStdString() << " scrolls " << text.toStdString();
            EXPECT_LT(caretAfter(edit, text), edit->width())
                << combo->objectName().toStdString() << " cuts " << text.toStdString();
        }
    }
    for (const QGroupBox* box : shown.view->findChildren<QGroupBox*>()) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        EXPECT_TRUE(box->rect().contains(label)) << box->title().toStdString();
    }
    for (const QPushButton* button : shown.view->findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const QStringList lines = button->text().remove('&').split('\n');
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), button->width() - 4)
                << button->objectName().toStdString() << ": " << line.toStdString();
        }
        EXPECT_LE(lines.size() * metrics.height(), button->height() - 4)
            << button->objectName().toStdString();
    }
}

TEST(WindowLayout, FontsHaveTheDrawnSizesAndWeights) {
    const ShownWindow shown;
    const auto points = [&](const char* name) { return shown.widget(name)->font().pointSizeF(); };
    for (const char* name : {"Text2(0)", "Text2(7)", "Combo4", "Check1"}) {
        EXPECT_DOUBLE_EQ(points(name), 9.75) << name;
    }
    for (const char* name :
         {"Frame4", "Frame3", "Frame7", "Frame2", "Frame1", "Command1", "Command2", "Command3",
          "Command6", "Command8", "Command10", "Combo1"}) {
        EXPECT_DOUBLE_EQ(points(name), 8.25) << name;
        EXPECT_EQ(shown.widget(name)->font().weight(), QFont::Normal) << name;
    }
    // "Com 1" is a little wider than the port and rate fields in the designed size.
    for (const char* name : {"Combo2", "Combo3"}) {
        EXPECT_LT(points(name), 8.25) << name;
        EXPECT_GE(points(name), 7.5) << name;
    }
    EXPECT_DOUBLE_EQ(points("Frame5"), 9.75);
    EXPECT_EQ(shown.widget("Frame5")->font().weight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(points("Text1"), 12);
    EXPECT_DOUBLE_EQ(points("Text3"), 12);
    EXPECT_DOUBLE_EQ(points("Text4"), 8.25);
    EXPECT_TRUE(QFontInfo(shown.widget("Text1")->font()).fixedPitch())
        << QFontInfo(shown.widget("Text1")->font()).family().toStdString();
}

TEST(WindowLayout, ColoursOfTheBoxesCaptionAndLampsFollowTheModel) {
    ShownWindow shown;
    const auto colour = [&](const char* name, QPalette::ColorRole role) {
        return shown.widget(name)->palette().color(role);
    };
    EXPECT_EQ(colour("Frame5", QPalette::WindowText).hue(), 0) << "the caption is no red";
    EXPECT_EQ(colour("Text4", QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(colour("Text4", QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(colour("Text1", QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(colour("Text1", QPalette::Text), QColor(0, 255, 255));
    EXPECT_EQ(colour("Text3", QPalette::Base), shown.client()->palette().color(QPalette::Button));
    EXPECT_EQ(colour("Text3", QPalette::Text),
              shown.client()->palette().color(QPalette::ButtonText));
    EXPECT_EQ(colour("Text2(0)", QPalette::Base), QColor(255, 255, 128));
    EXPECT_EQ(colour("Text2(4)", QPalette::Base), QColor(255, 255, 128));
    EXPECT_EQ(colour("Text2(4)", QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(colour("Text2(1)", QPalette::Base), shown.client()->palette().color(QPalette::Base));

    const auto lamp = [&](const char* name) {
        return shown.widget(name)->grab().toImage().pixelColor(3, 10);
    };
    EXPECT_EQ(lamp("Shape8"), QColor(128, 0, 0));
    EXPECT_EQ(lamp("Shape1"), QColor(0, 128, 0));
    shown.model->portLamp.setLit(true);
    shown.model->sendLamp.setLit(true);
    EXPECT_EQ(lamp("Shape8"), QColor(255, 0, 0));
    EXPECT_EQ(lamp("Shape1"), QColor(0, 255, 0));
}

// Under the desktop's colours of each run: as designed, and under a high-contrast scheme with
// the desktop asking for another style, whose window colour the run names.
TEST(WindowLayout, EveryOutlineFocusArrowAndTextStandsOutInTheDesktopsColours) {
    ShownWindow shown;
    expectEverythingStandsOut(shown);
    if (const QByteArray asked = qgetenv("SONAVEL_DESKTOP_WINDOW_COLOUR"); !asked.isEmpty()) {
        EXPECT_EQ(shown.client()->palette().color(QPalette::Window).name(), asked)
            << "the desktop's colours were not kept";
    }
}

TEST(WindowLayout, UnderADarkThemeEverythingStandsOutAndSoDoTheLamps) {
    QPalette dark;
    for (const auto& [role, colour] : std::initializer_list<std::pair<QPalette::ColorRole, QColor>>{
             {QPalette::Window, QColor(0x2e, 0x2f, 0x30)},
             {QPalette::WindowText, QColor(0xee, 0xee, 0xee)},
             {QPalette::Base, QColor(0x24, 0x24, 0x24)},
             {QPalette::Text, QColor(0xee, 0xee, 0xee)},
             {QPalette::Button, QColor(0x33, 0x33, 0x33)},
             {QPalette::ButtonText, QColor(0xdd, 0xdd, 0xdd)},
         }) {
        dark.setColor(role, colour);
    }
    const QPalette light = QApplication::palette();
    QApplication::setPalette(dark);
    {
        ShownWindow shown;
        expectEverythingStandsOut(shown);
        const QColor ground = shown.client()->palette().color(QPalette::Window);
        for (const char* name : {"Shape8", "Shape1"}) {
            const QColor outline = shown.widget(name)->grab().toImage().pixelColor(0, 10);
            EXPECT_GE(contrast(outline, ground), 4.5) << name;
        }
    }
    QApplication::setPalette(light);
}

TEST(WindowLayout, ToolTipsAreOnTheListedControlsOnly) {
    const ShownWindow shown;
    const std::map<QString, QString> expected{
        {"Text1", "DSP EQ Sentence (Menu 20 & 21)"},
        {"Combo1", "Select EQing Sample"},
        {"Combo2", "Communication Port"},
        {"Combo3", "Baud Rate"},
        {"Combo4", "Select Line of Command Sentence"},
        {"Command1", "Exit Program"},
        {"Command2", "Enable / Disable Comm Port"},
        {"Command6", "Send Data"},
        {"Check1", "Send Data Every Second"},
    };
    int named = 0;
    for (const QWidget* widget : shown.view->findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")) {
            continue;
        }
        ++named;
        const auto found = expected.find(widget->objectName());
        EXPECT_EQ(widget->toolTip(), found == expected.end() ? QString() : found->second)
            << widget->objectName().toStdString();
    }
    EXPECT_GE(named, 31);
}

TEST(WindowLayout, TheMenuBarHoldsFileWithOpenSaveAndExit) {
    const ShownWindow shown;
    const QList<QAction*> menus = shown.view->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&File");
    QStringList items;
    for (const QAction* item : menus[0]->menu()->actions()) {
        items << item->text();
        EXPECT_TRUE(item->shortcut().isEmpty());
        EXPECT_FALSE(item->isCheckable());
    }
    EXPECT_EQ(items, QStringList({"&Open", "&Save", "E&xit"}));
    EXPECT_EQ(shown.view->windowTitle(), "TS-2000 Sonavel  v1.1  (By Kestrum)");
    EXPECT_FALSE(shown.view->windowIcon().isNull());
}

TEST(WindowLayout, ASentenceShowsAsSixteenLinesOfEightBesideTheLineNumbers) {
    ShownWindow shown;
    shown.model->sampleSelector.choose(3);
    auto* sentence = shown.widget<QTextEdit>("Text1");
    auto* numbers = shown.widget<QTextEdit>("Text3");
    QApplication::processEvents();

    const QString text = sentence->toPlainText();
    ASSERT_EQ(text.size(), 128);
    QStringList expected;
    for (int line = 0; line < 16; ++line) {
        expected << text.mid(8 * line, 8);
    }
    EXPECT_EQ(shownLines(sentence), expected);
    QStringList lineNumbers;
    for (int line = 1; line <= 16; ++line) {
        lineNumbers << QString("%1").arg(line, 2, 10, QChar('0'));
    }
    EXPECT_EQ(shownLines(numbers), lineNumbers);

    for (const QTextEdit* box : {sentence, numbers}) {
        EXPECT_LE(box->document()->idealWidth(), box->viewport()->width())
            << box->objectName().toStdString() << " cuts its lines off";
        EXPECT_LE(box->document()->size().height(), box->viewport()->height())
            << box->objectName().toStdString() << " hides a line";
        EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
    }
    EXPECT_TRUE(sentence->verticalScrollBar()->isVisible());
    EXPECT_FALSE(numbers->verticalScrollBar()->isVisible());
}
