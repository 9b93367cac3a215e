// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

// The two layouts of the document: the .doc layout and the .txt layout,
// which pads wider.
enum class Layout { Doc, Txt };

// Read access to the form: the catalogue's controls by their names, the
// output path and the layout options, so the document can be made from the
// window or, in tests, from a plain map.
class FormReader
{
public:
    virtual ~FormReader() = default;

    virtual QString caption(QStringView label) const = 0;
    virtual QString text(QStringView input) const = 0;
    virtual QString outputPath() const = 0;
    virtual bool isSelected(Layout layout) const = 0;
};
