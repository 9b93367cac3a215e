// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "DocumentFile.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <mutex>

// What writing a document is on every system: the typed path resolved or
// refused (see DocumentPath), the document kept whole until commit, and a
// failure that releases all the system holds and always gives a reason. A
// system adds only its calls: opening the file, writing a stream through,
// putting the whole document in place and releasing what it holds. Until
// the system's finish() says the document is on its way into place, another
// thread may abandon it.
class AbstractDocumentFile : public DocumentFile
{
public:
    QString locate(const QString &typedPath) const final;
    bool open(const QString &typedPath) final;
    bool write(QByteArrayView bytes) final;
    bool commit() final;
    bool abandon() final;
    QString location() const final;
    bool wentElsewhere() const final;
    QString errorString() const final;
    QString warning() const final;
    bool isStream() const final;
    bool namedAsText() const final;

    // Makes a file of a new short name beside the document, so that a file
    // whose own name is as long as the system allows can still be replaced:
    // make(name) tries a name and is false only where that name is taken.
    static void makeTemporary(const std::function<bool(const QString &name)> &make);

protected:
    // Opens the file at location() for the document, or fails.
    virtual bool begin() = 0;
    // A FIFO or device takes the document as it comes; asked only of a
    // system that said, through setStream(), that the document goes to one.
    virtual bool writeThrough(QByteArrayView bytes);
    // Puts the whole document in place of the file and closes it; a stream
    // is only closed.
    virtual bool finish(const QByteArray &document) = 0;
    // Closes what is open and removes a temporary file; safe to call twice.
    virtual void release() = 0;
    // Removes the temporary file while another thread may still write it.
    virtual void removeTemporary() = 0;

    // Before the first step that changes what stands at the path; false,
    // failing, where the document was abandoned.
    bool mayPlace();
    bool fail(const QString &reason);
    // The path leads to a folder, which no system names plainly.
    bool failAsFolder();
    void warn(const QString &warning);
    void setLocation(const QString &location);
    void goElsewhere(const QString &location);
    void setStream();
    void setNamedAsText(bool text);

private:
    enum class Stage { Writing, Flushing, Placing, Abandoned };

    QString m_location;
    QByteArray m_pending;
    QString m_error;
    QString m_warning;
    bool m_open = false;
    bool m_elsewhere = false;
    std::atomic<bool> m_stream = false;
    bool m_namedAsText = true;
    std::atomic<Stage> m_stage = Stage::Writing;
    // Held while the temporary file is removed, by a failure or an abandon.
    std::mutex m_releasing;
};
