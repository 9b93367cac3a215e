// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "Particular.h"

#include <QList>
#include <QString>
#include <QStringList>

enum class InputKind { Text, Combo };

// One input of the form and the caption label written in front of it.
// An input that shares the row's first caption has no label of its own.
// Where the caption alone does not say which particular the input holds,
// it has a name of its own for screen readers.
struct CatalogueField
{
    QString label;
    QString caption;
    QString input;
    InputKind kind = InputKind::Text;
    QString defaultText;
    QStringList items;
    QString spokenName;
};

struct CatalogueRow
{
    Particular particular;
    QList<CatalogueField> fields;
};

// The particulars the power of attorney is made of: the 23 rows in document
// order, with every caption, default text and list item the window shows.
// It holds no values; the window's controls do.
class FieldCatalogue
{
public:
    static const QList<CatalogueRow> &rows();
    static const CatalogueRow &row(Particular particular);
    // The field whose label or input has this control name, or nullptr.
    static const CatalogueField *field(QStringView controlName);
    // The label whose caption stands for an input: its own, or the row's
    // first where it has none.
    static QString captionLabel(QStringView input);
    // How a screen reader names an input, unique in the form.
    static QString spokenName(QStringView input);
    // A caption as it is to be spoken: on one line, without a trailing
    // colon, and with the Cyrillic letter where it is written with a Latin C.
    static QString spoken(const QString &caption);
};
