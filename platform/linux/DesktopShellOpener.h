// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellOpener.h"

class QProcess;

// Opens requests on a Linux desktop without waiting for what they start.
// The document goes to the desktop's default application for its type,
// told the encoding where it can be (see ViewerCommand), otherwise to the
// desktop's opener, xdg-open. What is started runs in a session of its own
// and outlives the window; when it fails within the first seconds, that is
// reported, while a viewer that ends later has simply been closed. Linux
// has no show command: the viewer decides how large it opens.
class DesktopShellOpener final : public ShellOpener
{
public:
    static constexpr int watchMilliseconds = 3000;

    DocumentViewer viewerFor(const QString &file) override;
    bool openDocument(const DocumentViewer &viewer) override;
    void openAddress(const QString &address) override;

private:
    bool start(const QString &program, const QStringList &arguments, const QString &file);
};
