// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AbstractDocumentFile.h"

// Writes a document as Windows replaces a file and keeps what protects it.
// The whole document goes into a temporary file beside the file, is flushed to
// disk and takes the file's place: a new file by MoveFileExW, an existing one
// by ReplaceFileW, which keeps its security descriptor and attributes. A
// file with other hard links, or one in a folder that takes no new file, is
// rewritten in place once the whole document is known, after its new length
// is reserved. Where the root of a drive refuses a new file, as Windows 10
// and 11 do for a user without elevation, the document goes under the same
// name to the user's Documents folder.
class WindowsDocumentFile final : public AbstractDocumentFile
{
public:
    WindowsDocumentFile() = default;
    ~WindowsDocumentFile() override;
    WindowsDocumentFile(const WindowsDocumentFile &) = delete;
    WindowsDocumentFile &operator=(const WindowsDocumentFile &) = delete;

private:
    enum class Way { New, Replace, InPlace };

    bool begin() override;
    bool writeThrough(QByteArrayView bytes) override;
    bool finish(const QByteArray &document) override;
    void release() override;

    bool beginNew(bool mayGoToDocuments);
    bool beginExisting();
    bool writeAll(QByteArrayView bytes);
    bool rewriteInPlace(const QByteArray &document);
    bool failWithSystemReason();
    bool failWith(unsigned long error);

    Way m_way = Way::New;
    void *m_handle = nullptr;
    QString m_temporary;
};
