// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CaptionColours.h"

#include <algorithm>
#include <cmath>

namespace {

// Relative luminance and contrast ratio as the web's accessibility
// guidelines define them.
double luminance(const QColor &colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
           + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor &one, const QColor &other)
{
    const double first = luminance(one);
    const double second = luminance(other);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

} // namespace

CaptionColours CaptionColours::of(const QPalette &scheme, QPalette::ColorRole face)
{
    const CaptionColours colours{scheme.color(face), scheme.color(QPalette::HighlightedText)};
    if (contrast(colours.face, colours.text) >= readableContrast)
        return colours;
    return {Qt::black, Qt::white};
}

QPalette CaptionColours::applied(const QPalette &scheme) const
{
    QPalette palette = scheme;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, face);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, text);
    return palette;
}
