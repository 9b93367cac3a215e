// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// Asks for the window to be closed on the system's behalf, as the user's
// session ends or is told to end the program; a system with no such
// requests sends none.
class CloseRequests : public QObject
{
    Q_OBJECT

Q_SIGNALS:
    void closeRequested();
};
