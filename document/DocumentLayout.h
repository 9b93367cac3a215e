// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FormReader.h"
#include "Particular.h"

#include <QString>

#include <optional>

// Composes the 26 written lines of the power of attorney. The two layouts
// differ only in the runs of spaces between a caption and its value. A
// composed line carries its own ending but not the CR LF that writing adds.
class DocumentLayout
{
public:
    static constexpr int rowCount = 26;

    // Composes row 1..26 from the form's current captions and values.
    static QString composeRow(Layout layout, int row, const FormReader &form);
    // The particular row 1..26 prints, if it prints one.
    static std::optional<Particular> particular(int row);
};
