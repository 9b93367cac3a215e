#include "FormStyle.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

void FormStyle::apply()
{
    QApplication::setStyle(u"Fusion"_s);
}
