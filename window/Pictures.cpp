// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Pictures.h"

#include "pictures/car.xpm"
#include "pictures/door.xpm"
#include "pictures/exit-word.xpm"
#include "pictures/hand.xpm"
#include "pictures/pages.xpm"

QPixmap Pictures::pixmap(Picture picture)
{
    switch (picture) {
    case Picture::None:
        return {};
    case Picture::Car:
        return QPixmap(car);
    case Picture::Door:
        return QPixmap(door);
    case Picture::Pages:
        return QPixmap(pages);
    case Picture::ExitWord:
        return QPixmap(exit_word);
    case Picture::Hand:
        return QPixmap(hand);
    }
    return {};
}
