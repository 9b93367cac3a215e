// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "FormStyle.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

void FormStyle::apply()
{
    QApplication::setStyle(u"Fusion"_s);
}
