// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

// The one place that picks the system's own file and shell, and what the
// program's process needs of the system before anything else runs.
#ifdef Q_OS_WIN
#include "windows/WindowsDocumentFile.h"
#include "windows/WindowsShellOpener.h"

using SystemDocumentFile = WindowsDocumentFile;
using SystemShellOpener = WindowsShellOpener;

namespace SystemServices {
inline void prepareProcess()
{
}
} // namespace SystemServices
#else
#include "linux/DesktopShellOpener.h"
#include "linux/LinuxDocumentFile.h"
#include "linux/WriteSignals.h"

using SystemDocumentFile = LinuxDocumentFile;
using SystemShellOpener = DesktopShellOpener;

namespace SystemServices {
inline void prepareProcess()
{
    WriteSignals::ignore();
}
} // namespace SystemServices
#endif
