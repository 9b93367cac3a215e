// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>

// The colours of a face of the window and of the captions drawn on it: the
// scheme's colour for the face with highlight-text captions, as long as the
// two contrast (a ratio of at least 4.5:1); otherwise the standard scheme's
// black face with white captions. Under a dark scheme both of those system
// colours are light, and the captions would vanish.
struct CaptionColours
{
    static constexpr double readableContrast = 4.5;

    QColor face;
    QColor text;

    static CaptionColours of(const QPalette &scheme, QPalette::ColorRole face);
    // The scheme with these colours for the face and its text.
    QPalette applied(const QPalette &scheme) const;
};
