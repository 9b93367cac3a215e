// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AbstractDocumentFile.h"

#include <sys/stat.h>

// Writes a document as trusted editors replace a file. A new file, or one
// that loses nothing by it, is replaced at once: the document goes into a
// temporary file beside it, which takes the old file's owner, group, mode
// and every extended attribute (its access control list among them), is
// flushed to disk and renamed over it. Otherwise (the file has other hard
// links, its owner or an attribute cannot be carried over, or no temporary
// file can be made beside it) the file itself is rewritten in place once the
// whole document is known, after the space for it is reserved. A FIFO,
// device or socket is written to as it is, and a FIFO without a reader is
// refused rather than waited for. Symbolic links, in the folders and at the
// end, lead where the kernel takes them, and the file they lead to is the
// document's location. A file that the system will not rename over (a bind
// mount's target, another file system) is written in place.
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

    bool beginExisting(const QByteArray &folder, struct stat old);
    bool writeAll(QByteArrayView bytes, off_t offset);
    bool rewriteInPlace(const QByteArray &document);
    bool writeInPlaceInstead(const QByteArray &document);
    bool failWith(int error);

    Way m_way = Way::Stream;
    int m_descriptor = -1;
    // The file the document is for, its links followed.
    QByteArray m_target;
    // The file the document goes into first, when it is renamed over the target.
    QByteArray m_temporary;
};
