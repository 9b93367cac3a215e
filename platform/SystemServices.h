// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The one place that picks the system's own file, shell and requests to
// close, and what the program's process needs of the system before
// anything else runs.
#ifdef Q_OS_WIN
#include "CloseRequests.h"
#include "windows/WindowsDocumentFile.h"
#include "windows/WindowsShellOpener.h"

using SystemDocumentFile = WindowsDocumentFile;
using SystemShellOpener = WindowsShellOpener;
// Windows ends a session through the window's own messages.
using SystemCloseRequests = CloseRequests;

namespace SystemServices {
inline void prepareProcess()
{
}
} // namespace SystemServices
#else
#include "linux/CloseSignals.h"
#include "linux/DesktopShellOpener.h"
#include "linux/LinuxDocumentFile.h"
#include "linux/WriteSignals.h"

using SystemDocumentFile = LinuxDocumentFile;
using SystemShellOpener = DesktopShellOpener;
using SystemCloseRequests = CloseSignals;

namespace SystemServices {
inline void prepareProcess()
{
    WriteSignals::catchAndGoOn();
}
} // namespace SystemServices
#endif
