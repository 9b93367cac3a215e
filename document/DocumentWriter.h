// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GenerateCommand.h"

#include <QDeadlineTimer>
#include <QObject>

#include <memory>

class QThread;

// Generates documents without holding up the window: the form is read on
// this object's thread at the click, the file is written and flushed on a
// thread of its own, and the shell is asked to show the document back on
// this object's thread once the write has ended. One document at a time.
class DocumentWriter : public QObject
{
    Q_OBJECT

public:
    DocumentWriter(DocumentFile &file, ShellOpener &shell);
    ~DocumentWriter() override;

    // Reads the form and starts writing; false, with nothing read, while a
    // document is still being written.
    bool start(const FormReader &form);
    bool isWriting() const;
    // Whether the document goes to a FIFO or device, whose reader may never read.
    bool goesToStream() const;
    // Gives up the document where that leaves its path as it was (see
    // DocumentFile::abandon); false where it must be waited for.
    bool abandon();
    // Before the program ends: waits, until the deadline, for a document
    // that goes to a file, so that none is left half replaced; false,
    // without waiting, while one goes to a FIFO or device or was abandoned,
    // and false once the deadline has passed.
    bool finishBeforeExit(QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever));

Q_SIGNALS:
    void finished(const GenerateResult &result);

private:
    void show();

    DocumentFile &m_file;
    GenerateCommand m_command;
    std::unique_ptr<QThread> m_thread;
    GenerateResult m_result;
    bool m_abandoned = false;
};
