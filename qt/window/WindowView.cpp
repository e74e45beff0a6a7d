// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/WindowView.h"

#include "app/MainWindow.h"
#include "qt/Latin1Text.h"
#include "qt/window/AccessibleNames.h"
#include "qt/window/Bindings.h"
#include "qt/window/Colours.h"
#include "qt/window/ColumnBox.h"
#include "qt/window/Fitting.h"
#include "qt/window/Fonts.h"
#include "qt/window/LampWidget.h"
#include "qt/window/Placement.h"
#include "qt/window/ReadOnlyBox.h"
#include "qt/window/WindowStyle.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <optional>

namespace {
constexpr int clientWidth = 6000;
constexpr int clientHeight = 6750;

template <class Widget> Widget* place(QWidget* parent, const QString& name, Placement at) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(at.pixels(parent->logicalDpiY()));
    return widget;
}

QGroupBox* frame(QWidget* client, const QString& name, const Frame& model, Placement at,
                 const QFont& font) {
    auto* box = place<QGroupBox>(client, name, at);
    box->setTitle(toQString(model.caption()));
    box->setFont(font);
    fitting::fitGroupBox(box);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, CommandButton& model, Placement at) {
    auto* widget = place<QPushButton>(parent, name, at);
    widget->setFont(fonts::sansSerif(8.25));
    // Return and Enter press the focused button, as Space does.
    widget->setAutoDefault(true);
    bindings::button(model, widget);
    return widget;
}

// A fixed ground always comes with its text colour: the theme's own text colour may not read
// on it.
void setColours(QWidget* widget, Colour back, std::optional<Colour> text = std::nullopt) {
    QPalette palette = widget->palette();
    const QColor textColour = text ? toQColor(*text, palette) : textOn(back, palette);
    palette.setColor(QPalette::Base, toQColor(back, palette));
    palette.setColor(QPalette::Text, textColour);
    widget->setPalette(palette);
}

// The line pitch, in twips, the sentence box was drawn for: sixteen lines of 12 point in its
// height.
constexpr int sentenceLinePitch = 270;

ColumnBox* columnBox(QWidget* parent, const QString& name, Placement at, int columns) {
    auto* box = new ColumnBox(parent, fonts::courierNew(12), columns,
                              twipsToPixels(sentenceLinePitch, parent->logicalDpiY()));
    box->setObjectName(name);
    box->setGeometry(at.pixels(parent->logicalDpiY()));
    return box;
}

QComboBox* comboBox(QWidget* parent, const QString& name, ComboBox& model, Placement at,
                    const QFont& font) {
    auto* widget = place<QComboBox>(parent, name, at);
    widget->setFont(font);
    bindings::comboBox(model, widget);
    fitting::fitComboBox(widget);
    return widget;
}
} // namespace

WindowView::WindowView(MainWindow& model, EventLoop& eventLoop)
    : model_(model), eventLoop_(eventLoop), resendClock_(model.resendTimer, this),
      lampClock_(model.sendLampTimer, this) {
    WindowStyle::apply();
    setWindowTitle(toQString(model.form.caption()));
    // Nothing in the window follows a change of size, so it offers no maximise either. Windows
    // would still let the border be dragged, and the desktop under Wine maximise the window,
    // unless it has a fixed-size border.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QIcon icon;
    icon.addFile(":/icons/sonavel-16.png", QSize(16, 16));
    icon.addFile(":/icons/sonavel-32.png", QSize(32, 32));
    setWindowIcon(icon);
    setFont(fonts::sansSerif(9.75));

    auto* client = new QWidget(this);
    client->setObjectName("Form1");
    client->setFixedSize(
        Placement{0, 0, clientWidth, clientHeight}.pixels(client->logicalDpiY()).size());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Created bottom first: "Command Viewer" lies under the line numbers and the three frames
    // drawn over its area.
    buildCommandViewer(client);
    buildPortSettings(client);
    buildNotices(client);
    buildFile(client);
    buildSending(client);
    buildLineEditor(client);
    buildMenu();
    setTabOrder();
    nameControls(this);
    findChild<QComboBox*>("Combo1")->setFocus();
}

WindowView::~WindowView() {
    for (Observable* control : bound_) {
        control->setObserver(nullptr);
    }
    model_.noticeBox.onAnnounce = nullptr;
}

void WindowView::closeEvent(QCloseEvent*) {
    eventLoop_.endProgram();
}

void WindowView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
    }
    QMainWindow::changeEvent(event);
}

void WindowView::buildPortSettings(QWidget* client) {
    QGroupBox* box =
        frame(client, "Frame4", model_.portFrame, {120, 120, 3255, 855}, fonts::sansSerif(8.25));
    auto* portLamp = place<LampWidget>(box, "Shape8", {120, 360, 150, 375});
    QPushButton* connect = button(box, "Command2", model_.connectButton, {240, 360, 855, 375});
    connect->setToolTip("Enable / Disable Comm Port");
    bindings::lamp(model_.portLamp, portLamp, connect);
    comboBox(box, "Combo2", model_.portSelector, {1320, 360, 855, 315}, fonts::sansSerif(8.25))
        ->setToolTip("Communication Port");
    comboBox(box, "Combo3", model_.rateSelector, {2280, 360, 855, 315}, fonts::sansSerif(8.25))
        ->setToolTip("Baud Rate");
    bound_.insert(bound_.end(), {&model_.portLamp, &model_.portSelector, &model_.rateSelector});
}

void WindowView::buildNotices(QWidget* client) {
    QGroupBox* box = frame(client, "Frame5", model_.noticeFrame, {3480, 0, 2415, 1335},
                           fonts::sansSerif(9.75, true));
    // As pure a red as still reads on the desktop's ground.
    QPalette caption = box->palette();
    const QColor ground = caption.color(QPalette::Window);
    caption.setColor(QPalette::WindowText, standingOut(toQColor(colours::red, caption),
                                                       blackOrWhiteOn(ground), ground, 4.5));
    box->setPalette(caption);

    auto* notices = place<ReadOnlyBox>(box, "Text4", {120, 360, 2175, 855});
    notices->setFont(fonts::arial(8.25));
    notices->setLineWrapMode(QTextEdit::WidgetWidth);
    setColours(notices, colours::darkRed, colours::yellow);
    bindings::showNotices(model_.noticeBox, notices);
    bound_.push_back(&model_.noticeBox);
}

void WindowView::buildCommandViewer(QWidget* client) {
    QGroupBox* box = frame(client, "Frame3", model_.sentenceFrame, {120, 1320, 5775, 5295},
                           fonts::sansSerif(8.25));
    comboBox(box, "Combo1", model_.sampleSelector, {720, 360, 1575, 315}, fonts::sansSerif(8.25))
        ->setToolTip("Select EQing Sample");

    ColumnBox* sentence = columnBox(box, "Text1", {720, 720, 1575, 4485}, 8);
    setColours(sentence, colours::darkBlue, colours::cyan);
    sentence->setToolTip("DSP EQ Sentence (Menu 20 & 21)");
    bindings::showText(model_.sentenceBox, sentence);

    button(box, "Command1", model_.exitButton, {2760, 4800, 975, 375})->setToolTip("Exit Program");

    // The line numbers stand on the window itself, over the frame, beside the sentence.
    ColumnBox* lineNumbers = columnBox(client, "Text3", {360, 2040, 495, 4455}, 2);
    lineNumbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColours(lineNumbers, colours::scrollBars);
    bindings::showText(model_.lineNumbers, lineNumbers);
    bound_.insert(bound_.end(), {&model_.sampleSelector, &model_.sentenceBox, &model_.lineNumbers});
}

void WindowView::buildFile(QWidget* client) {
    QGroupBox* box =
        frame(client, "Frame7", model_.fileFrame, {2880, 1560, 2415, 855}, fonts::sansSerif(8.25));
    button(box, "Command8", model_.openButton, {240, 360, 855, 375});
    button(box, "Command10", model_.saveButton, {1320, 360, 855, 375});
}

void WindowView::buildSending(QWidget* client) {
    QGroupBox* box =
        frame(client, "Frame2", model_.sendFrame, {2880, 2520, 2415, 975}, fonts::sansSerif(8.25));
    bindings::lamp(model_.sendLamp, place<LampWidget>(box, "Shape1", {120, 360, 135, 375}));
    button(box, "Command6", model_.updateButton, {240, 360, 855, 375})->setToolTip("Send Data");
    auto* autoSend = place<QCheckBox>(box, "Check1", {1200, 360, 1095, 375});
    autoSend->setFont(fonts::sansSerif(9.75));
    autoSend->setToolTip("Send Data Every Second");
    bindings::checkBox(model_.autoResend, autoSend);
    bound_.insert(bound_.end(), {&model_.sendLamp, &model_.autoResend});
}

void WindowView::buildLineEditor(QWidget* client) {
    QGroupBox* box = frame(client, "Frame1", model_.lineEditFrame, {2880, 3600, 2415, 1815},
                           fonts::sansSerif(8.25));
    comboBox(box, "Combo4", model_.lineSelector, {240, 480, 735, 360}, fonts::sansSerif(9.75))
        ->setToolTip("Select Line of Command Sentence");
    button(box, "Command3", model_.acceptButton, {1200, 360, 975, 495});
    for (int column = 0; column < static_cast<int>(model_.digitCells.size()); ++column) {
        auto* cell = place<QLineEdit>(box, QString("Text2(%1)").arg(column),
                                      {240 + 240 * column, 1200, 255, 375});
        cell->setFont(fonts::sansSerif(9.75));
        cell->setTextMargins(0, 0, 0, 0);
        // The first digit of each group of four stands out.
        if (column % 4 == 0) {
            setColours(cell, colours::lightYellow);
        }
        bindings::editCell(model_.digitCells[column], cell);
        bound_.push_back(&model_.digitCells[column]);
    }
    bound_.push_back(&model_.lineSelector);
}

void WindowView::buildMenu() {
    QMenu* file = menuBar()->addMenu(toQString(model_.fileMenu.caption()));
    file->setObjectName("mnufile");
    for (MenuItem* item : {&model_.openMenuItem, &model_.saveMenuItem, &model_.exitMenuItem}) {
        QAction* action = file->addAction(toQString(item->caption()));
        connect(action, &QAction::triggered, this, [item] { item->choose(); });
    }
}

void WindowView::setTabOrder() {
    QStringList order{"Combo1",   "Text1",  "Combo2", "Combo3", "Command2",
                      "Command6", "Check1", "Text3",  "Combo4"};
    for (int column = 0; column < static_cast<int>(model_.digitCells.size()); ++column) {
        order << QString("Text2(%1)").arg(column);
    }
    order << "Command3"
          << "Text4"
          << "Command8"
          << "Command10"
          << "Command1";
    for (int i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(findChild<QWidget*>(order[i - 1]), findChild<QWidget*>(order[i]));
    }
}
