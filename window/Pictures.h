#pragma once

#include <QImage>
#include <QPixmap>

enum class Picture { None, Car, Door, Pages, ExitWord, Hand };

// The window's pictures. They are compiled in as XPM and read straight from
// memory; loading files would first make the image reader scan its plugins,
// which costs more at start-up than the pictures themselves.
class Pictures
{
public:
    static QImage image(Picture picture);
    static QPixmap pixmap(Picture picture);
};
