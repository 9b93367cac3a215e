#pragma once

#include "DocumentFile.h"

#include <QByteArray>

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
// end, lead where the kernel takes them.
class LinuxDocumentFile final : public DocumentFile
{
public:
    enum class Way { Stream, Rename, InPlace };

    LinuxDocumentFile(Way way, int descriptor, QByteArray target, QByteArray temporary,
                      QString location);
    ~LinuxDocumentFile() override;
    LinuxDocumentFile(const LinuxDocumentFile &) = delete;
    LinuxDocumentFile &operator=(const LinuxDocumentFile &) = delete;

    static std::unique_ptr<DocumentFile> open(const QString &location, QString &reason);

    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString errorString() const override;
    QString location() const override;

private:
    bool writeAll(QByteArrayView bytes, off_t offset);
    bool rewriteInPlace();
    bool fail(int error);
    void release();

    Way m_way;
    int m_descriptor;
    // The file the document is for, its links followed.
    QByteArray m_target;
    // The file the document goes into first, when it is renamed over the target.
    QByteArray m_temporary;
    // The document, kept until it is written whole to a file.
    QByteArray m_pending;
    QString m_error;
    QString m_location;
};
