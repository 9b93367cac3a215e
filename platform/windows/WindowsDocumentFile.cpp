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
// pass; error is then the last failure's.
template<typename Call>
bool retried(Call call, std::initializer_list<DWORD> passing, DWORD &error)
{
    for (int attempt = 1;; ++attempt) {
        if (call())
            return true;
        error = GetLastError();
        if (attempt == attempts || std::ranges::find(passing, error) == passing.end())
            return false;
        Sleep(pauseMilliseconds);
    }
}

// A temporary file may be deleted through its handle, while it is written.
HANDLE openForWriting(const QString &path, DWORD disposition, DWORD access = GENERIC_WRITE)
{
    return CreateFileW(wide(path).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The path is set only where the file was made, the error only where it was not.
HANDLE createTemporary(const QString &folder, QString &path, DWORD &error)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    AbstractDocumentFile::makeTemporary([&](const QString &name) {
        const QString candidate = QDir::toNativeSeparators(folder + u'/' + name);
        handle = openForWriting(candidate, CREATE_NEW, GENERIC_WRITE | DELETE);
        error = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
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

// Whether the path reaches the open file through a link or another reparse
// point: Windows then names the file by another path.
bool throughLink(HANDLE file, const QString &path)
{
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), MAX_PATH, FILE_NAME_NORMALIZED);
    if (length >= MAX_PATH) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file, final.data(), length, FILE_NAME_NORMALIZED);
    }
    QString named = QString::fromWCharArray(final.data(), length);
    if (named.startsWith("\\\\?\\UNC\\"_L1))
        named = u"\\"_s + named.sliced(8);
    else if (named.startsWith("\\\\?\\"_L1))
        named = named.sliced(4);
    return length == 0 || named.compare(path, Qt::CaseInsensitive) != 0;
}

} // namespace

WindowsDocumentFile::WindowsDocumentFile()
    : WindowsDocumentFile(WindowsFileCalls{ReplaceFileW, MoveFileExW})
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
        existing = openForWriting(location(), OPEN_EXISTING);
        return existing != INVALID_HANDLE_VALUE;
    };
    if (!retried(open, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION}, error))
        return error;
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool oneName = GetFileInformationByHandle(existing, &information)
                         && information.nNumberOfLinks == 1 && !throughLink(existing, location());
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
    if (m_way == Way::New
        && !m_calls.move(wide(m_temporary).c_str(), wide(location()).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failWithSystemReason();
    m_temporary.clear();
    return true;
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
    const auto replaced = [&] {
        return m_calls.replace(target.c_str(), temporary.c_str(), backup.c_str(), 0, nullptr,
                               nullptr);
    };
    const auto moved = [&](const std::wstring &from, DWORD flags) {
        return m_calls.move(from.c_str(), target.c_str(), flags | MOVEFILE_WRITE_THROUGH);
    };
    const bool done = retried(
        replaced, {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, ERROR_UNABLE_TO_REMOVE_REPLACED},
        error);
    const bool targetGone = !done && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (done || (targetGone && moved(temporary, MOVEFILE_REPLACE_EXISTING))) {
        m_temporary.clear();
        DeleteFileW(backup.c_str());
        return true;
    }
    if (!targetGone || moved(backup, 0))
        return failWith(error);
    const QString kept = m_temporary;
    m_temporary.clear();
    return fail(u"%1. Новый документ остался в файле %2, прежний — в файле %3"_s.arg(
        qt_error_string(static_cast<int>(error)), kept, QString::fromStdWString(backup)));
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
