// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FieldCatalogue.h"
#include "FormReader.h"
#include "TestFiles.h"

#include <QHash>

#include <optional>

// A form held in plain maps. It starts as the window does: captions and
// combo defaults from the catalogue, empty text boxes, the .doc layout
// selected and the default .doc path.
class MapForm final : public FormReader
{
public:
    MapForm()
    {
        for (const CatalogueRow &row : FieldCatalogue::rows()) {
            for (const CatalogueField &field : row.fields) {
                captions.insert(field.label, field.caption);
                texts.insert(field.input, field.defaultText);
            }
        }
    }

    QString caption(QStringView label) const override { return captions.value(label.toString()); }
    QString text(QStringView input) const override { return texts.value(input.toString()); }
    QString outputPath() const override { return path; }
    bool isSelected(Layout layout) const override { return selected == layout; }
    // Sets the inputs a values file under tests/data names.
    void fill(const QString &values)
    {
        for (const QStringList &row : testRows(values))
            texts.insert(row[0], row.value(1));
    }

    QHash<QString, QString> captions;
    QHash<QString, QString> texts;
    QString path = QStringLiteral("C:\\avto.doc");
    std::optional<Layout> selected = Layout::Doc;
};
