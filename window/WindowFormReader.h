// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "FormReader.h"

class Form1;

// Reads captions, values and option states straight from the window's
// controls at the moment they are asked for.
class WindowFormReader final : public FormReader
{
public:
    explicit WindowFormReader(const Form1 &form);

    QString caption(QStringView label) const override;
    QString text(QStringView input) const override;
    QString outputPath() const override;
    bool isSelected(Layout layout) const override;

private:
    const Form1 &m_form;
};
