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
// has no desktop window handle and no show command, so the owner is 0 and
// the show command is dropped.
class DesktopShellOpener final : public ShellOpener
{
    Q_OBJECT

public:
    static constexpr int watchMilliseconds = 3000;

    quintptr desktopWindow() override;
    bool openDocument(const ShellRequest &request) override;
    void openAddress(const ShellRequest &request) override;

private:
    bool start(const QString &program, const QStringList &arguments, const QString &file);
};
