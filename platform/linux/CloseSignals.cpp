// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CloseSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The handler's end of the pipe: a handler may touch nothing else.
volatile sig_atomic_t signalEnd = -1;

void noteSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalEnd, &byte, 1);
    errno = saved;
}

} // namespace

CloseSignals::CloseSignals()
{
    if (::pipe2(m_pipe.data(), O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    signalEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CloseSignals::takeSignals);
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : std::array{SIGTERM, SIGHUP, SIGINT}) {
        struct sigaction earlier = {};
        if (::sigaction(signal, nullptr, &earlier) == 0 && earlier.sa_handler != SIG_IGN
            && ::sigaction(signal, &action, nullptr) == 0)
            m_earlier.append({signal, earlier});
    }
}

CloseSignals::~CloseSignals()
{
    for (const auto &[signal, earlier] : std::as_const(m_earlier))
        ::sigaction(signal, &earlier, nullptr);
    signalEnd = -1;
    for (const int end : m_pipe) {
        if (end >= 0)
            ::close(end);
    }
}

// Each signal is a request of its own, as a second close differs from the first.
void CloseSignals::takeSignals()
{
    char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1)
        Q_EMIT closeRequested();
}
