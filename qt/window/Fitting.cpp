// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Fitting.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {
// Below this a caption is no longer easily read; a text that needs less is cut instead.
constexpr double smallestPoints = 6.0;
constexpr double step = 0.25;
// A line edit keeps this much room each side of its text, and one pixel for the caret.
constexpr int lineEditMargin = 2;
// The bevel around a button's face.
constexpr int buttonBevel = 2;

QString wrapped(const QString& caption, const QFontMetrics& metrics, int room) {
    if (metrics.horizontalAdvance(caption) <= room) {
        return caption;
    }
    QString lines;
    QString line;
    for (const QString& word : caption.split(' ')) {
        if (line.isEmpty()) {
            line = word;
        } else if (metrics.horizontalAdvance(line + ' ' + word) <= room) {
            line += ' ' + word;
        } else {
            lines += line + '\n';
            line = word;
        }
    }
    return lines + line;
}

// Fits a combo box's font to the room its edit field has each time the style or the size of
// the field changes.
class ComboFitter : public QObject {
public:
    explicit ComboFitter(QComboBox* widget) : QObject(widget), designed_(widget->font()) {}

    void fit() {
        auto* widget = static_cast<QComboBox*>(parent());
        QStringList texts{widget->currentText()};
        for (int i = 0; i < widget->count(); ++i) {
            texts << widget->itemText(i);
        }
        QLineEdit* edit = widget->lineEdit();
        // Some styles pad the field's text; the field was drawn for text from edge to edge.
        if (edit->textMargins() != QMargins()) {
            edit->setTextMargins(QMargins());
        }
        // The text's room as the line edit lays it out.
        QStyleOptionFrame panel;
        panel.initFrom(edit);
        panel.lineWidth =
            edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
        const QRect contents =
            edit->style()->subElementRect(QStyle::SE_LineEditContents, &panel, edit);
        const int room = contents.width() - 2 * lineEditMargin - 1;
        const QFont fitting = fitting::largestFitting(designed_, [&](const QFont& font) {
            const QFontMetrics metrics(font);
            return std::all_of(texts.begin(), texts.end(), [&](const QString& text) {
                return metrics.horizontalAdvance(text) <= room;
            });
        });
        if (fitting != widget->font()) {
            widget->setFont(fitting);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Polish || event->type() == QEvent::Show ||
            event->type() == QEvent::Resize) {
            fit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QFont designed_;
};
} // namespace

namespace fitting {
QFont largestFitting(QFont font, const std::function<bool(const QFont&)>& fits) {
    while (!fits(font) && font.pointSizeF() - step >= smallestPoints) {
        font.setPointSizeF(font.pointSizeF() - step);
    }
    return font;
}

void fitComboBox(QComboBox* widget) {
    auto* fitter = new ComboFitter(widget);
    widget->lineEdit()->installEventFilter(fitter);
    fitter->fit();
}

void fitGroupBox(QGroupBox* box) {
    box->setFont(largestFitting(box->font(), [box](const QFont& font) {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.fontMetrics = QFontMetrics(font);
        option.text = box->title();
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                         QStyle::SC_GroupBoxLabel, box);
        return box->rect().contains(label);
    }));
}

void showCaption(QPushButton* button, const QString& caption) {
    const int room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
    const auto lines = [&](const QFont& font) {
        return wrapped(caption, QFontMetrics(font), room).split('\n');
    };
    const QFont font = largestFitting(button->font(), [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        const QStringList shown = lines(candidate);
        return shown.size() * metrics.height() <= button->height() - 2 * buttonBevel &&
               std::all_of(shown.begin(), shown.end(), [&](const QString& line) {
                   return metrics.horizontalAdvance(QString(line).remove('&')) <= room;
               });
    });
    button->setFont(font);
    button->setText(lines(font).join('\n'));
}
} // namespace fitting
