#pragma once

#include "DocumentFile.h"

#include <QByteArray>
#include <QString>

// Writes a document as Windows replaces a file and keeps what protects it.
// The whole document goes into a temporary file beside the file, is flushed to
// disk and takes the file's place: a new file by MoveFileExW, an existing one
// by ReplaceFileW, which keeps its security descriptor and attributes. A
// file with other hard links, or one in a folder that takes no new file, is
// rewritten in place once the whole document is known, after its new length
// is reserved. Where the root of a drive refuses a new file, as Windows 10
// and 11 do for a user without elevation, the document goes under the same
// name to the user's Documents folder.
class WindowsDocumentFile final : public DocumentFile
{
public:
    enum class Way { New, Replace, InPlace };

    WindowsDocumentFile(Way way, void *handle, QString target, QString temporary);
    ~WindowsDocumentFile() override;
    WindowsDocumentFile(const WindowsDocumentFile &) = delete;
    WindowsDocumentFile &operator=(const WindowsDocumentFile &) = delete;

    // The known Documents folder, looked up as the document is opened.
    static std::unique_ptr<DocumentFile> open(const QString &location, QString &reason,
                                              const QString &documents);

    bool write(QByteArrayView bytes) override;
    bool commit() override;
    QString errorString() const override;
    QString location() const override;

private:
    bool writeAll(QByteArrayView bytes);
    bool rewriteInPlace();
    bool fail();
    void release();

    Way m_way;
    void *m_handle;
    QString m_target;
    QString m_temporary;
    QByteArray m_pending;
    QString m_error;
};
