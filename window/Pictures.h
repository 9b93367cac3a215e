#pragma once

#include <QPixmap>

enum class Picture { None, Car, Door, Pages, ExitWord, Hand };

// The window's pictures, compiled in as XPM.
class Pictures
{
public:
    static QPixmap pixmap(Picture picture);
};
