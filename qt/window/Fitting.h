// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#pragma once

#include <QFont>
#include <functional>

class QComboBox;
class QGroupBox;
class QPushButton;

// The window was drawn for fonts that a desktop may not have: where a control's texts do not
// fit its room in the designed font, the control's font steps down until they do.
namespace fitting {
QFont largestFitting(QFont font, const std::function<bool(const QFont&)>& fits);
// Every item and the text shown fit the edit field unscrolled, from now on: the field's room is
// final only once the style has polished the shown combo box.
void fitComboBox(QComboBox* widget);
void fitGroupBox(QGroupBox* box);
// A caption too wide for its button breaks between words, as captions on narrow buttons always
// have; the button was drawn tall enough for two lines.
void showCaption(QPushButton* button, const QString& caption);
} // namespace fitting
