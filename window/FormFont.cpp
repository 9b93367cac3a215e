// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormFont.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

// The window was drawn for MS Sans Serif; where it is missing, a narrow
// Cyrillic face keeps every caption within its label.
QFont formFont(QFont::Weight weight)
{
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Liberation Sans Narrow"_s});
    font.setPointSizeF(8.25);
    font.setWeight(weight);
    return font;
}
