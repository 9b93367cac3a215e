// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "AbstractDocumentFile.h"

#include <string>

// The calls that put a document in place, which tests answer as Windows may
// where Wine cannot make Windows answer so: ReplaceFileW, MoveFileExW,
// GetFinalPathNameByHandleW, DeleteFileW, and Sleep between two tries.
struct WindowsFileCalls
{
    using Replace = int(__stdcall *)(const wchar_t *replaced, const wchar_t *replacement,
                                     const wchar_t *backup, unsigned long flags, void *exclude,
                                     void *reserved);
    using Move = int(__stdcall *)(const wchar_t *from, const wchar_t *to, unsigned long flags);
    using FinalName = unsigned long(__stdcall *)(void *file, wchar_t *name, unsigned long length,
                                                 unsigned long flags);
    using Remove = int(__stdcall *)(const wchar_t *path);
    using Pause = void(__stdcall *)(unsigned long milliseconds);

    Replace replace;
    Move move;
    FinalName finalName;
    Remove remove;
    Pause pause;
};

// Writes a document as Windows replaces a file and keeps what protects it.
// The whole document goes into a temporary file beside the file, is flushed to
// disk and takes the file's place: a new file by MoveFileExW, an existing one
// by ReplaceFileW, which keeps its security descriptor and attributes, and
// keeps the old file under a backup name until the new one stands, so that
// the path never loses both. A file with other hard links, one reached
// through a link or junction, or one in a folder that takes no new file, is
// rewritten in place once the whole document is known, after its new length
// is reserved; a file on a mapped or substituted drive, or behind short or
// redirected folder names, is replaced whole all the same.
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
    bool moved(const std::wstring &from, const std::wstring &to, unsigned long flags,
               unsigned long &error);
    void removeBackup(const std::wstring &backup);
    bool throughLink(void *file) const;
    QString finalName(void *handle) const;
    bool writeAll(QByteArrayView bytes);
    bool rewriteInPlace(const QByteArray &document);
    bool failWithSystemReason();
    bool failWith(unsigned long error);

    WindowsFileCalls m_calls;
    Way m_way = Way::New;
    void *m_handle = nullptr;
    QString m_temporary;
};
