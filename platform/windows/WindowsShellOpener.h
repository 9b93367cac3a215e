// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellOpener.h"
#include "WindowsShell.h"

// Hands requests to the Windows shell with the arguments it has always
// been given: the document maximised and owned by no window; a web address
// owned by the desktop window, from the folder "c:\", and a mail address
// owned by none. The shell chooses the application itself, and may show
// its own dialogs, which need the window's thread.
class WindowsShellOpener final : public ShellOpener
{
public:
    explicit WindowsShellOpener(WindowsShell::Execute execute = WindowsShell::systemExecute());

    DocumentViewer viewerFor(const QString &file) override;
    bool openDocument(const DocumentViewer &viewer) override;
    void openAddress(const QString &address) override;

private:
    WindowsShell::Execute m_execute;
};
