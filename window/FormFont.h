#pragma once

#include <QFont>

// The font of the window's captions and inputs, in the given weight.
QFont formFont(QFont::Weight weight);
