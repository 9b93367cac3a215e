// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QSize>

// Window geometry is kept in twips; 15 twips make one logical pixel, and
// Qt's high-DPI scaling takes it from there.
namespace Twips {

constexpr int perPixel = 15;

constexpr int toPixels(int twips)
{
    return twips / perPixel;
}

constexpr QRect toPixels(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace Twips
