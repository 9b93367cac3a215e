#pragma once

#include "FormReader.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// A form held in plain maps. It starts as the window does: captions and
// combo defaults from the catalogue, empty text boxes, the .doc option
// selected and the default .doc path. Every read is logged by control name.
class MapForm final : public FormReader
{
public:
    MapForm();

    QString caption(QStringView label) const override;
    QString text(QStringView input) const override;
    bool isSelected(QStringView option) const override;

    void select(const QString &option);
    void clearCombos();
    // Sets inputs from lines of the form "Name=value".
    void fill(const QByteArray &lines);

    QHash<QString, QString> captions;
    QHash<QString, QString> texts;
    QSet<QString> selected;
    mutable QStringList reads;
};
