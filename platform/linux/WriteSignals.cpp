// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WriteSignals.h"

#include <array>
#include <csignal>

namespace {

void goOn(int)
{
}

} // namespace

void WriteSignals::catchAndGoOn()
{
    struct sigaction action = {};
    action.sa_handler = goOn;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : std::array{SIGPIPE, SIGXFSZ})
        ::sigaction(signal, &action, nullptr);
}
