// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Sonavel developers

#include "qt/window/Fonts.h"

#include <QStringList>

namespace {
QFont font(const QStringList& families, QFont::StyleHint hint, double points, bool bold) {
    QFont chosen;
    chosen.setFamilies(families);
    chosen.setStyleHint(hint);
    chosen.setPointSizeF(points);
    chosen.setWeight(bold ? QFont::Bold : QFont::Normal);
#ifdef Q_OS_WIN
    // Without font smoothing, as under Wine, Windows draws the narrow stems of a stand-in font
    // at these sizes as nothing: "Kestrum PRO II" showed as "Kestrum PRO".
    chosen.setStyleStrategy(QFont::PreferAntialias);
#endif
    return chosen;
}
} // namespace

namespace fonts {
QFont sansSerif(double points, bool bold) {
    return font({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans"},
                QFont::SansSerif, points, bold);
}

QFont courierNew(double points) {
    return font({"Courier New", "Liberation Mono", "DejaVu Sans Mono"}, QFont::Monospace, points,
                false);
}

QFont arial(double points) {
    return font({"Arial", "Liberation Sans", "DejaVu Sans"}, QFont::SansSerif, points, false);
}
} // namespace fonts
