// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsShellOpener.h"

#include "WindowsShell.h"

namespace {

bool execute(const ShellRequest &request)
{
    return WindowsShell::execute(request.owner, request.verb.toStdWString(),
                                 request.file.toStdWString(), request.parameters.toStdWString(),
                                 request.directory.toStdWString(), request.showCommand);
}

} // namespace

quintptr WindowsShellOpener::desktopWindow()
{
    return WindowsShell::desktopWindow();
}

bool WindowsShellOpener::openDocument(const ShellRequest &request)
{
    return execute(request);
}

void WindowsShellOpener::openAddress(const ShellRequest &request)
{
    execute(request);
}
