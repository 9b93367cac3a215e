// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AbstractDocumentFile.h"

// The calls that put a document in place, which tests answer as Windows may
// where Wine cannot make Windows answer so: ReplaceFileW and MoveFileExW.
struct WindowsFileCalls
{
    using Replace = int(__stdcall *)(const wchar_t *replaced, const wchar_t *replacement,
                                     const wchar_t *backup, unsigned long flags, void *exclude,
                                     void *reserved);
    using Move = int(__stdcall *)(const wchar_t *from, const wchar_t *to, unsigned long flags);

    Replace replace;
    Move move;
};

// Writes a document as Windows replaces a file and keeps what protects it.
// The whole document goes into a temporary file beside the file, is flushed to
// disk and takes the file's place: a new file by MoveFileExW, an existing one
// by ReplaceFileW, which keeps its security descriptor and attributes, and
// keeps the old file under a backup name until the new one stands, so that
// the path never loses both. A file with other hard links, a link or another
// reparse point, or one in a folder that takes no new file, is rewritten in
// place once the whole document is known, after its new length is reserved.
// Where the root of a drive refuses the document, as Windows 10 and 11 do
// for a user without elevation, it goes under the same name to the user's
// Documents folder. What the search indexer or an antivirus program holds
// for a moment is tried again for about a second.
class WindowsDocumentFile final : public AbstractDocumentFile
{
public:
    WindowsDocumentFile();
    explicit WindowsDocumentFile(const WindowsFileCalls &calls);
    ~WindowsDocumentFile() override;
    WindowsDocumentFile(const WindowsDocumentFile &) = delete;
    WindowsDocumentFile &operator=(const WindowsDocumentFile &) = delete;

private:
    enum class Way { New, Replace, InPlace };

    bool begin() override;
    bool finish(const QByteArray &document) override;
    void release() override;
    void removeTemporary() override;

    bool beginHere(bool mayGoToDocuments);
    unsigned long beginNew();
    unsigned long beginExisting();
    bool replace();
    bool writeAll(QByteArrayView bytes);
    bool rewriteInPlace(const QByteArray &document);
    bool failWithSystemReason();
    bool failWith(unsigned long error);

    WindowsFileCalls m_calls;
    Way m_way = Way::New;
    void *m_handle = nullptr;
    QString m_temporary;
};
