// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The least a Qt window with text costs: one label and one line edit with
// Cyrillic text in the window's fonts.
#include "FormFont.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QFont font = formFont(QFont::Bold);

    QWidget window;
    window.setFixedSize(653, 570);
    QLabel label(u"Город:"_s, &window);
    label.setFont(font);
    label.setGeometry(8, 8, 57, 17);
    QLineEdit edit(u"Москва"_s, &window);
    edit.setFont(font);
    edit.setGeometry(72, 8, 569, 19);
    window.show();
    return QApplication::exec();
}
