// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowFormReader.h"

#include "ControlTable.h"
#include "Form1.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

WindowFormReader::WindowFormReader(const Form1 &form)
    : m_form(form)
{
}

QString WindowFormReader::caption(QStringView label) const
{
    return m_form.control<QLabel>(label)->text();
}

QString WindowFormReader::text(QStringView input) const
{
    if (const auto *combo = m_form.control<QComboBox>(input))
        return combo->currentText();
    return m_form.control<QLineEdit>(input)->text();
}

QString WindowFormReader::outputPath() const
{
    return m_form.control<QLineEdit>(ControlTable::pathBox)->text();
}

bool WindowFormReader::isSelected(Layout layout) const
{
    const QStringView option
        = layout == Layout::Doc ? ControlTable::docOption : ControlTable::txtOption;
    return m_form.control<QRadioButton>(option)->isChecked();
}
