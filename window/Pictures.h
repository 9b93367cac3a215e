// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPixmap>

enum class Picture { None, Car, Door, Pages, ExitWord, Hand };

// The window's pictures, compiled in as XPM.
class Pictures
{
public:
    static QPixmap pixmap(Picture picture);
};
