// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AbstractDocumentFile.h"

#include <sys/stat.h>

// Writes a document as trusted editors replace a file. The kernel resolves
// the typed path once, following its links as it does for a shell's '>',
// and every later step works from what that open gave, never from a second
// walk of the path: a link swapped in meanwhile is never followed by hand.
// A new file, or an existing one that loses nothing by it, is replaced at
// once: the document goes into a temporary file beside it, which then takes
// the old file's owner, group, mode and every extended attribute (its
// access control list and capabilities among them), is flushed to disk and
// renamed over it, or, for a new file, to a name that is still free.
// Otherwise (the file has other hard links, its owner or an attribute
// cannot be carried over, no temporary file can be made beside it, or the
// system will not rename over it) the open file itself is rewritten in
// place once the whole document is known, after the space for it is
// reserved. A FIFO, character device or socket is written to as it is, and
// a FIFO without a reader is refused rather than waited for; a disk is
// never written.
class LinuxDocumentFile final : public AbstractDocumentFile
{
public:
    LinuxDocumentFile() = default;
    ~LinuxDocumentFile() override;
    LinuxDocumentFile(const LinuxDocumentFile &) = delete;
    LinuxDocumentFile &operator=(const LinuxDocumentFile &) = delete;

private:
    enum class Way { Stream, Rename, InPlace };

    bool begin() override;
    bool writeThrough(QByteArrayView bytes) override;
    bool finish(const QByteArray &document) override;
    void release() override;
    void removeTemporary() override;

    bool beginNew(const QByteArray &path);
    bool beginExisting(const QByteArray &path, bool throughLink);
    bool openFolderOf(const QByteArray &path);
    bool replace(const QByteArray &document);
    bool placeNew();
    bool rewriteInPlace(const QByteArray &document);
    bool closeFile();
    void restorePrivileges(const QByteArray &capabilities);
    void setLocationFrom(const QByteArray &path);
    bool failAsDisk();
    bool failWith(int error);

    Way m_way = Way::Stream;
    // The file the path led to, as the kernel opened it; -1 for a new file.
    int m_file = -1;
    // What the old file was when it was opened.
    struct stat m_old = {};
    // Whether opening it through a link made it.
    bool m_made = false;
    // The folder that holds it, and its name there.
    int m_folder = -1;
    QByteArray m_name;
    // The file the document goes into first, in that folder.
    int m_temporary = -1;
    QByteArray m_temporaryName;
};
