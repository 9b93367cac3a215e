// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsDocumentFile.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>
// shlobj.h needs the types of windows.h.
#include <shlobj.h>

using namespace Qt::Literals::StringLiterals;

namespace {

std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

HANDLE openForWriting(const QString &path, DWORD disposition)
{
    return CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The path is set only where the file was made, the error only where it was not.
HANDLE createTemporary(const QString &folder, QString &path, DWORD &error)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    AbstractDocumentFile::makeTemporary([&](const QString &name) {
        const QString candidate = folder + u'/' + name;
        handle = openForWriting(candidate, CREATE_NEW);
        error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (handle != INVALID_HANDLE_VALUE)
            path = candidate;
        return error != ERROR_FILE_EXISTS;
    });
    return handle;
}

// The path as Windows itself takes it: full, its "." and ".." resolved as
// Windows resolves them, before any file is asked.
QString fullPath(const QString &path)
{
    const std::wstring given = wide(path);
    const DWORD size = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size > 0 ? GetFullPathNameW(given.c_str(), size, full.data(), nullptr) : 0;
    return length > 0 && length < size ? QString::fromWCharArray(full.data(), length) : path;
}

QString knownDocumentsFolder()
{
    PWSTR path = nullptr;
    const bool found = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path) == S_OK;
    const QString folder = found ? QString::fromWCharArray(path) : QString();
    CoTaskMemFree(path);
    return folder;
}

} // namespace

WindowsDocumentFile::~WindowsDocumentFile()
{
    release();
}

bool WindowsDocumentFile::begin()
{
    // What is shown, and named in messages, is the file Windows writes.
    setLocation(fullPath(location()));
    return QFileInfo::exists(location()) ? beginExisting() : beginNew(true);
}

bool WindowsDocumentFile::beginNew(bool mayGoToDocuments)
{
    const QFileInfo file(location());
    DWORD error = ERROR_SUCCESS;
    const HANDLE handle = createTemporary(file.absolutePath(), m_temporary, error);
    if (handle == INVALID_HANDLE_VALUE && error == ERROR_ACCESS_DENIED && mayGoToDocuments
        && QDir(file.absolutePath()).isRoot()) {
        const QString documents = knownDocumentsFolder();
        if (!documents.isEmpty()) {
            setLocation(documents + u'\\' + file.fileName());
            return beginNew(false);
        }
    }
    if (handle == INVALID_HANDLE_VALUE)
        return failWith(error);
    m_way = Way::New;
    m_handle = handle;
    return true;
}

bool WindowsDocumentFile::beginExisting()
{
    // Opening the file itself asks the system whether it may be written.
    const HANDLE existing = openForWriting(location(), OPEN_EXISTING);
    if (existing == INVALID_HANDLE_VALUE)
        return failWithSystemReason();
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool oneName
        = GetFileInformationByHandle(existing, &information) && information.nNumberOfLinks == 1;
    DWORD error = ERROR_SUCCESS;
    const HANDLE replacement
        = oneName ? createTemporary(QFileInfo(location()).absolutePath(), m_temporary, error)
                  : INVALID_HANDLE_VALUE;
    if (replacement == INVALID_HANDLE_VALUE) {
        m_way = Way::InPlace;
        m_handle = existing;
        return true;
    }
    CloseHandle(existing);
    m_way = Way::Replace;
    m_handle = replacement;
    return true;
}

// Windows writes no document to a stream: a device is not a file.
bool WindowsDocumentFile::writeThrough(QByteArrayView bytes)
{
    return writeAll(bytes);
}

bool WindowsDocumentFile::finish(const QByteArray &document)
{
    if (m_way == Way::InPlace ? !rewriteInPlace(document) : !writeAll(document))
        return false;
    // A document cut short by a full disk never takes the old file's place.
    if (!FlushFileBuffers(m_handle))
        return failWithSystemReason();
    CloseHandle(std::exchange(m_handle, nullptr));
    const std::wstring target = wide(location());
    const std::wstring temporary = wide(m_temporary);
    if (m_way == Way::New
        && !MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failWithSystemReason();
    if (m_way == Way::Replace
        && !ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        return failWithSystemReason();
    m_temporary.clear();
    return true;
}

bool WindowsDocumentFile::writeAll(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto rest = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        if (!WriteFile(m_handle, bytes.data() + done, rest, &written, nullptr))
            return failWithSystemReason();
        done += written;
    }
    return true;
}

// The new length is reserved first where it is longer, so that a full disk
// fails before a byte of the old text is gone.
bool WindowsDocumentFile::rewriteInPlace(const QByteArray &document)
{
    LARGE_INTEGER size = {};
    LARGE_INTEGER length = {};
    length.QuadPart = document.size();
    const LARGE_INTEGER start = {};
    if (!GetFileSizeEx(m_handle, &size))
        return failWithSystemReason();
    if (length.QuadPart > size.QuadPart
        && (!SetFilePointerEx(m_handle, length, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle)))
        return failWithSystemReason();
    if (!SetFilePointerEx(m_handle, start, nullptr, FILE_BEGIN))
        return failWithSystemReason();
    return writeAll(document) && (SetEndOfFile(m_handle) || failWithSystemReason());
}

// Right after the call that failed, before anything else can change it.
bool WindowsDocumentFile::failWithSystemReason()
{
    return failWith(GetLastError());
}

bool WindowsDocumentFile::failWith(unsigned long error)
{
    return fail(qt_error_string(static_cast<int>(error)));
}

void WindowsDocumentFile::release()
{
    if (m_handle)
        CloseHandle(std::exchange(m_handle, nullptr));
    if (!m_temporary.isEmpty())
        DeleteFileW(wide(std::exchange(m_temporary, QString())).c_str());
}
