#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "WindowsShellOpener.h"
using SystemShellOpener = WindowsShellOpener;
#else
#include "DesktopShellOpener.h"
using SystemShellOpener = DesktopShellOpener;
#endif
