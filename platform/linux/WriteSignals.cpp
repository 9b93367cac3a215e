// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WriteSignals.h"

#include <QtGlobal>

#include <array>
#include <csignal>

namespace {

#ifdef Q_OS_UNIX
constexpr std::array writeSignals{SIGPIPE, SIGXFSZ};
#endif

void handleWriteSignals([[maybe_unused]] void (*handler)(int))
{
#ifdef Q_OS_UNIX
    for (const int signal : writeSignals)
        std::signal(signal, handler);
#endif
}

} // namespace

void WriteSignals::ignore()
{
    handleWriteSignals(SIG_IGN);
}

void WriteSignals::restore()
{
    handleWriteSignals(SIG_DFL);
}
