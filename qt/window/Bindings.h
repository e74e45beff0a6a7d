// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

class CheckBox;
class ColumnBox;
class ComboBox;
class CommandButton;
class Lamp;
class NoticeBox;
class LampWidget;
class TextBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QWidget;

// Each binding shows the model control in its widget, follows every later change of the
// model, and turns the user's actions on the widget into the control's own events. The
// model stays the truth: a widget never changes the model except as the user's action.
namespace bindings {
void showText(TextBox& model, ColumnBox* widget);
// The notice box keeps its newest line in view, and tells assistive technology each new line and
// each announcement.
void showNotices(NoticeBox& model, QTextEdit* widget);
void editCell(TextBox& model, QLineEdit* widget);
void comboBox(ComboBox& model, QComboBox* widget);
void button(CommandButton& model, QPushButton* widget);
void checkBox(CheckBox& model, QCheckBox* widget);
// The lamp's colour and, for assistive technology, its state in words, which the control the lamp
// belongs to carries in its description too: there the focus is when the state matters.
void lamp(Lamp& model, LampWidget* widget, QWidget* control = nullptr);
} // namespace bindings
