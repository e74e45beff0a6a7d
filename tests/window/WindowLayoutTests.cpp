#include "platform/qt/window/Colours.h"
#include "platform/qt/window/Twips.h"
#include "tests/window/ShownWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {
struct Placement {
    const char* name;
    int left, top, width, height; // twips, in window client coordinates
};

// Where each control stands on the window, independent of the frame it is placed in.
constexpr Placement drawing[] = {
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
    for (const Placement& control : drawing) {
        EXPECT_EQ(inWindow(shown, control.name),
                  Twips({control.left, control.top, control.width, control.height}).pixels(dpi))
            << control.name;
    }
    for (int i = 0; i < 8; ++i) {
        const QString cell = QString("Text2(%1)").arg(i);
        EXPECT_EQ(inWindow(shown, cell), Twips({3120 + 240 * i, 4800, 255, 375}).pixels(dpi))
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
    EXPECT_EQ(colour("Frame5", QPalette::WindowText), QColor(255, 0, 0));
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

TEST(WindowLayout, UnderADarkThemeEveryFixedGroundKeepsTextThatReadsAndTheLampsStandOut) {
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
        const ShownWindow shown;
        for (const char* name : {"Text2(0)", "Text2(4)", "Text1", "Text3", "Text4"}) {
            const QPalette used = shown.widget(name)->palette();
            EXPECT_GE(contrast(used.color(QPalette::Text), used.color(QPalette::Base)), 4.5)
                << name;
        }
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
