#pragma once

class CheckBox;
class ColumnBox;
class ComboBox;
class CommandButton;
class Lamp;
class LampWidget;
class TextBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

// Each binding shows the model control in its widget, follows every later change of the
// model, and turns the user's actions on the widget into the control's own events. The
// model stays the truth: a widget never changes the model except as the user's action.
namespace bindings {
void showText(TextBox& model, ColumnBox* widget);
// The notice box keeps its newest line in view.
void showNotices(TextBox& model, QTextEdit* widget);
void editCell(TextBox& model, QLineEdit* widget);
void comboBox(ComboBox& model, QComboBox* widget);
void button(CommandButton& model, QPushButton* widget);
void checkBox(CheckBox& model, QCheckBox* widget);
// The lamp's colour and, for assistive technology, its state in words.
void lamp(Lamp& model, LampWidget* widget);
} // namespace bindings
