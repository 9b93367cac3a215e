// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "CloseRequests.h"

#include <QList>

#include <array>
#include <csignal>

class QSocketNotifier;

// SIGTERM (a logout, kill), SIGHUP (the terminal closed) and SIGINT taken
// as a close of the window, so that a document on its way is finished, or
// given up, as a close does, rather than left half made. The handler only
// writes to a pipe that the event loop reads: a blocked signal mask would
// be inherited by every program started from this one. A signal inherited
// as ignored (nohup, '&' in a script) stays ignored; while this object
// lives, and once it is gone each signal's earlier action is back, so a
// second SIGTERM after the event loop has ended ends the program.
class CloseSignals final : public CloseRequests
{
public:
    CloseSignals();
    ~CloseSignals() override;
    CloseSignals(const CloseSignals &) = delete;
    CloseSignals &operator=(const CloseSignals &) = delete;

private:
    void takeSignals();

    std::array<int, 2> m_pipe = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    QList<std::pair<int, struct sigaction>> m_earlier;
};
