// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QWidget>

// The one window: every control of the form at its fixed place, reachable
// by its name. It holds the particulars and nothing else; FormActions gives
// the controls their behaviour.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);

    QWidget *control(QStringView name) const;
    template<typename Control>
    Control *control(QStringView name) const
    {
        return qobject_cast<Control *>(control(name));
    }

private:
    void createControls();
    void applyStacking();
    void applyTabOrder();
    void tieCaptionsToInputs();
    void centreOnScreen();

    // Keyed by the names in the control table, which outlive the window.
    QHash<QStringView, QWidget *> m_controls;
};
