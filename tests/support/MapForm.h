#pragma once

#include "FormReader.h"

#include <QHash>
#include <QStringList>

#include <optional>

// A form held in plain maps. It starts as the window does: captions and
// combo defaults from the catalogue, empty text boxes, the .doc layout
// selected and the default .doc path. Every read is logged: controls by
// name, the path as "path" and the options as ".doc" and ".txt".
class MapForm final : public FormReader
{
public:
    MapForm();

    QString caption(QStringView label) const override;
    QString text(QStringView input) const override;
    QString outputPath() const override;
    bool isSelected(Layout layout) const override;

    // Sets inputs from lines of the form "Name=value".
    void fill(const QByteArray &lines);

    QHash<QString, QString> captions;
    QHash<QString, QString> texts;
    QString path;
    std::optional<Layout> selected = Layout::Doc;
    mutable QStringList reads;
};
