// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

// The file a document goes to. The file at the path changes only when
// commit() succeeds; a failed or abandoned document leaves whatever stood
// there before. One document is written at a time, on one thread, which
// need not be the window's.
class DocumentFile
{
public:
    virtual ~DocumentFile() = default;

    // Where the path as the user typed it leads on this system; empty where
    // it leads nowhere.
    virtual QString locate(const QString &typedPath) const = 0;
    // Starts a new document for the path as the user typed it.
    virtual bool open(const QString &typedPath) = 0;
    virtual bool write(QByteArrayView bytes) = 0;
    // Puts the written bytes in place of the file and releases it.
    virtual bool commit() = 0;
    // Gives up, from any thread, a document whose commit is still flushing it
    // and has changed nothing at the path yet: true, with whatever it made
    // beside the file removed, where the path will now never change; false
    // where the document is already on its way into place, or being
    // rewritten in place, and must be waited for.
    virtual bool abandon() = 0;
    // Where the document goes, once open() has resolved the typed path: the
    // file the path leads to, or the place the system put it instead.
    virtual QString location() const = 0;
    // Whether the system put the document somewhere the path does not lead,
    // as Windows does in Documents when a drive's root refuses it.
    virtual bool wentElsewhere() const = 0;
    // Why the last step failed, in the user's language where the system has it.
    virtual QString errorString() const = 0;
    // What the user should know of a document that was written all the same.
    virtual QString warning() const = 0;
    // Whether the document goes to a FIFO or device, which takes it as it
    // comes and whose reader may never read; safe to ask from any thread.
    virtual bool isStream() const = 0;
    // Whether location() names the file exactly: a name that is not text in
    // the system's encoding is shown only approximately.
    virtual bool namedAsText() const = 0;
};
