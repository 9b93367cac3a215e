// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormFont.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

// The window was drawn for MS Sans Serif. On Windows 10 and 11 that is a
// bitmap face, of fixed sizes and with Cyrillic only under code page 1251, so
// its TrueType twin, Microsoft Sans Serif, comes first; where neither is, a
// narrow Cyrillic face keeps every caption within its label.
QFont formFont(QFont::Weight weight)
{
    QFont font;
    font.setFamilies({u"Microsoft Sans Serif"_s, u"MS Sans Serif"_s, u"Liberation Sans Narrow"_s});
    font.setPointSizeF(8.25);
    font.setWeight(weight);
    return font;
}
