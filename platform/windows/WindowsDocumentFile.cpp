// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "WindowsDocumentFile.h"

#include "DocumentsFolder.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <algorithm>
#include <initializer_list>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int attempts = 10;
constexpr DWORD pauseMilliseconds = 100;

std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// Calls until the call succeeds or fails for a reason other than those that
// pass, pausing between tries; error is then the last failure's, read right
// after the call.
template<typename Call>
bool retried(WindowsFileCalls::Pause pause, Call call, std::initializer_list<DWORD> passing,
             DWORD &error)
{
    for (int attempt = 1;; ++attempt) {
        if (call())
            return true;
        error = GetLastError();
        if (attempt == attempts || std::ranges::find(passing, error) == passing.end())
            return false;
        pause(pauseMilliseconds);
    }
}

// What the search indexer or an antivirus program holds for a moment.
constexpr std::initializer_list<DWORD> briefHolds{ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED};

// A temporary file may be deleted through its handle while it is written.
// The error is read before anything is freed.
HANDLE openForWriting(const QString &path, DWORD disposition, DWORD access, DWORD &error)
{
    const HANDLE handle = CreateFileW(wide(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    return handle;
}

// The path is set only where the file was made, the error only where it was not.
HANDLE createTemporary(const QString &folder, QString &path, DWORD &error)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    AbstractDocumentFile::makeTemporary([&](const QString &name) {
        const QString candidate = QDir::toNativeSeparators(folder + u'/' + name);
        handle = openForWriting(candidate, CREATE_NEW, GENERIC_WRITE | DELETE, error);
        if (handle != INVALID_HANDLE_VALUE)
            path = candidate;
        return error != ERROR_FILE_EXISTS;
    });
    return handle;
}

QString unusedName(const QString &folder)
{
    QString path;
    AbstractDocumentFile::makeTemporary([&](const QString &name) {
        path = QDir::toNativeSeparators(folder + u'/' + name);
        return GetFileAttributesW(wide(path).c_str()) == INVALID_FILE_ATTRIBUTES;
    });
    return path;
}

// The last component of a path as the folder lists it: its long name, and
// whether it is a link or junction rather than a file of its own (a cloud
// placeholder or a deduplicated file is a reparse point, but no link).
std::pair<QString, bool> listedName(const QString &path)
{
    WIN32_FIND_DATAW found = {};
    const HANDLE search = FindFirstFileW(wide(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {QFileInfo(path).fileName(), false};
    FindClose(search);
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                      && IsReparseTagNameSurrogate(found.dwReserved0);
    return {QString::fromWCharArray(found.cFileName), link};
}

} // namespace

WindowsDocumentFile::WindowsDocumentFile()
    : WindowsDocumentFile(
        WindowsFileCalls{ReplaceFileW, MoveFileExW, GetFinalPathNameByHandleW, DeleteFileW, Sleep})
{
}

WindowsDocumentFile::WindowsDocumentFile(const WindowsFileCalls &calls)
    : m_calls(calls)
{
}

WindowsDocumentFile::~WindowsDocumentFile()
{
    release();
}

bool WindowsDocumentFile::begin()
{
    if (QFileInfo(location()).isDir())
        return failAsFolder();
    return beginHere(true);
}

bool WindowsDocumentFile::beginHere(bool mayGoToDocuments)
{
    const DWORD error = QFileInfo::exists(location()) ? beginExisting() : beginNew();
    if (error == ERROR_SUCCESS)
        return true;
    const QFileInfo file(location());
    if (error != ERROR_ACCESS_DENIED || !mayGoToDocuments || !QDir(file.absolutePath()).isRoot())
        return failWith(error);
    const QString documents = documentsFolder();
    if (documents.isEmpty())
        return failWith(error);
    goElsewhere(documents + u'\\' + file.fileName());
    return beginHere(false);
}

unsigned long WindowsDocumentFile::beginNew()
{
    DWORD error = ERROR_SUCCESS;
    const HANDLE handle = createTemporary(QFileInfo(location()).absolutePath(), m_temporary, error);
    if (handle == INVALID_HANDLE_VALUE)
        return error;
    m_way = Way::New;
    m_handle = handle;
    return ERROR_SUCCESS;
}

unsigned long WindowsDocumentFile::beginExisting()
{
    // Opening the file itself asks the system whether it may be written.
    HANDLE existing = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_SUCCESS;
    const auto open = [&] {
        existing = openForWriting(location(), OPEN_EXISTING, GENERIC_WRITE, error);
        SetLastError(error);
        return existing != INVALID_HANDLE_VALUE;
    };
    if (!retried(m_calls.pause, open, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION}, error))
        return error;
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool oneName = GetFileInformationByHandle(existing, &information)
                         && information.nNumberOfLinks == 1 && !throughLink(existing);
    const HANDLE replacement
        = oneName ? createTemporary(QFileInfo(location()).absolutePath(), m_temporary, error)
                  : INVALID_HANDLE_VALUE;
    if (replacement == INVALID_HANDLE_VALUE) {
        m_way = Way::InPlace;
        m_handle = existing;
        return ERROR_SUCCESS;
    }
    CloseHandle(existing);
    m_way = Way::Replace;
    m_handle = replacement;
    return ERROR_SUCCESS;
}

bool WindowsDocumentFile::finish(const QByteArray &document)
{
    if (m_way == Way::InPlace && !mayPlace())
        return false;
    if (m_way == Way::InPlace ? !rewriteInPlace(document) : !writeAll(document))
        return false;
    // A document cut short by a full disk never takes the old file's place.
    if (!FlushFileBuffers(m_handle))
        return failWithSystemReason();
    if (m_way != Way::InPlace && !mayPlace())
        return false;
    CloseHandle(std::exchange(m_handle, nullptr));
    if (m_way == Way::Replace)
        return replace();
    // Nothing that appeared at the path meanwhile is replaced.
    DWORD error = ERROR_SUCCESS;
    if (m_way == Way::New && !moved(wide(m_temporary), wide(location()), 0, error))
        return failWith(error);
    m_temporary.clear();
    return true;
}

bool WindowsDocumentFile::moved(const std::wstring &from, const std::wstring &to,
                                unsigned long flags, unsigned long &error)
{
    const auto move
        = [&] { return m_calls.move(from.c_str(), to.c_str(), flags | MOVEFILE_WRITE_THROUGH); };
    return retried(m_calls.pause, move, briefHolds, error);
}

// Whether the path reaches the open file through a link or junction at its
// end. The file's final name is compared with its folder's final name and
// its own long name, so that a mapped or substituted drive, short folder
// names or a redirected folder name cancel out. Wine marks no reparse point
// for a Unix link, but names the file by its target.
bool WindowsDocumentFile::throughLink(void *file) const
{
    const auto [name, link] = listedName(location());
    const HANDLE folder = CreateFileW(wide(QFileInfo(location()).absolutePath()).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (link || folder == INVALID_HANDLE_VALUE)
        return true;
    const QString expected = finalName(folder) + u'\\' + name;
    CloseHandle(folder);
    const QString named = finalName(file);
    return named.isEmpty() || named.compare(expected, Qt::CaseInsensitive) != 0;
}

// The name Windows gives an open file or folder; empty where it gives none.
QString WindowsDocumentFile::finalName(void *handle) const
{
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = m_calls.finalName(handle, name.data(), MAX_PATH, FILE_NAME_NORMALIZED);
    if (length >= MAX_PATH) {
        name.resize(length);
        length = m_calls.finalName(handle, name.data(), length, FILE_NAME_NORMALIZED);
    }
    return length > 0 && length < name.size()
               ? QString::fromWCharArray(name.data(), qsizetype(length))
               : QString();
}

// Where the replace fails halfway, the old document under the backup name
// and the new one under the temporary name, one of them is put at the path;
// where neither can be, both stay and the message says where.
bool WindowsDocumentFile::replace()
{
    const std::wstring target = wide(location());
    const std::wstring temporary = wide(m_temporary);
    const std::wstring backup = wide(unusedName(QFileInfo(location()).absolutePath()));
    DWORD error = ERROR_SUCCESS;
    DWORD moveError = ERROR_SUCCESS;
    const auto replaced = [&] {
        return m_calls.replace(target.c_str(), temporary.c_str(), backup.c_str(), 0, nullptr,
                               nullptr);
    };
    const bool done = retried(
        m_calls.pause, replaced,
        {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, ERROR_UNABLE_TO_REMOVE_REPLACED}, error);
    const bool targetGone = !done && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (done || (targetGone && moved(temporary, target, MOVEFILE_REPLACE_EXISTING, moveError))) {
        m_temporary.clear();
        removeBackup(backup);
        return true;
    }
    if (!targetGone || moved(backup, target, 0, moveError))
        return failWith(error);
    const QString kept = m_temporary;
    m_temporary.clear();
    return fail(u"%1. Новый документ остался в файле %2, прежний — в файле %3"_s.arg(
        qt_error_string(static_cast<int>(error)), kept, QString::fromStdWString(backup)));
}

// A backup that stays is named, so that nobody is left with a copy of the
// old document they were not told of.
void WindowsDocumentFile::removeBackup(const std::wstring &backup)
{
    DWORD error = ERROR_SUCCESS;
    const auto removed = [&] { return m_calls.remove(backup.c_str()); };
    if (!retried(m_calls.pause, removed, briefHolds, error))
        warn(u"прежний документ остался рядом, в файле %1"_s.arg(QString::fromStdWString(backup)));
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
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return fail(u"файл открыт в другой программе. Закройте его там, и документ можно будет "
                    u"записать снова"_s);
    return fail(qt_error_string(static_cast<int>(error)));
}

// The file goes once its handle is closed, as the program ends.
void WindowsDocumentFile::removeTemporary()
{
    FILE_DISPOSITION_INFO disposition = {TRUE};
    if (!m_temporary.isEmpty()
        && SetFileInformationByHandle(m_handle, FileDispositionInfo, &disposition,
                                      sizeof disposition))
        m_temporary.clear();
}

void WindowsDocumentFile::release()
{
    if (m_handle)
        CloseHandle(std::exchange(m_handle, nullptr));
    if (!m_temporary.isEmpty())
        DeleteFileW(wide(std::exchange(m_temporary, QString())).c_str());
}
