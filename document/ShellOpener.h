// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ShellRequest.h"

#include <QObject>

// Hands the written document and the author's addresses to the desktop's
// applications. Requests return at once, without waiting for what they start.
class ShellOpener : public QObject
{
    Q_OBJECT

public:
    // The handle of the desktop window, the owner of requests made for it.
    virtual quintptr desktopWindow() = 0;
    // Shows the written document, always as a file, whatever its name looks
    // like; false when nothing could be started to show it.
    virtual bool openDocument(const ShellRequest &request) = 0;
    // Opens a web or mail address; its outcome is not reported.
    virtual void openAddress(const ShellRequest &request) = 0;

Q_SIGNALS:
    // What was started to show the document failed soon after it started.
    void documentNotShown(const QString &file);
};
