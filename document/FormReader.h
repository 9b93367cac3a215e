#pragma once

#include <QString>
#include <QStringView>

// Read access to the form's controls by their names, so the document can be
// made from the window or, in tests, from a plain map.
class FormReader
{
public:
    virtual ~FormReader() = default;

    virtual QString caption(QStringView label) const = 0;
    virtual QString text(QStringView input) const = 0;
    virtual bool isSelected(QStringView option) const = 0;
};
