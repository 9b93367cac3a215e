// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>

// A label that reports a click with the left mouse button, or its
// activation by a screen reader.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    void activate();

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
