// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// A written document as the desktop is to show it, worked out where
// waiting on the disk holds nothing up.
struct DocumentViewer
{
    QString file;
    // The application the desktop chose for the file by its content, where
    // it chooses so; empty where the system's own opener chooses.
    QString application;

    friend bool operator==(const DocumentViewer &, const DocumentViewer &) = default;
};

// Hands the written document and the author's addresses to the desktop's
// applications. Requests return at once, without waiting for what they start.
class ShellOpener : public QObject
{
    Q_OBJECT

public:
    // What showing the file needs that may touch the disk; safe to call on
    // the thread that wrote the file.
    virtual DocumentViewer viewerFor(const QString &file) = 0;
    // Shows the document maximised, always as a file, whatever its name
    // looks like; false when nothing could be started to show it.
    virtual bool openDocument(const DocumentViewer &viewer) = 0;
    // Opens a web or mail address; its outcome is not reported.
    virtual void openAddress(const QString &address) = 0;

Q_SIGNALS:
    // What was started to show the document failed soon after it started.
    void documentNotShown(const QString &file);
};
