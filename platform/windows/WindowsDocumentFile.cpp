#include "WindowsDocumentFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <windows.h>
// shlobj.h needs the types of windows.h.
#include <shlobj.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int temporaryAttempts = 100;

std::wstring wide(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

QString systemReason()
{
    return qt_error_string(static_cast<int>(GetLastError()));
}

HANDLE openForWriting(const QString &path, DWORD disposition)
{
    return CreateFileW(wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE createTemporary(const QString &folder, QString &path)
{
    for (int attempt = 0; attempt < temporaryAttempts; ++attempt) {
        path
            = folder + u"/.folvar-"_s + QString::number(QRandomGenerator::global()->generate(), 36);
        const HANDLE handle = openForWriting(path, CREATE_NEW);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

QString knownDocumentsFolder()
{
    PWSTR path = nullptr;
    const bool found = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path) == S_OK;
    const QString folder = found ? QString::fromWCharArray(path) : QString();
    CoTaskMemFree(path);
    return QDir::fromNativeSeparators(folder);
}

std::unique_ptr<DocumentFile> refused(QString &reason)
{
    reason = systemReason();
    return nullptr;
}

} // namespace

std::unique_ptr<DocumentFile> DocumentFile::open(const QString &location, QString &reason)
{
    return WindowsDocumentFile::open(location, reason, knownDocumentsFolder());
}

WindowsDocumentFile::WindowsDocumentFile(Way way, void *handle, QString target, QString temporary)
    : m_way(way)
    , m_handle(handle)
    , m_target(std::move(target))
    , m_temporary(std::move(temporary))
{
}

WindowsDocumentFile::~WindowsDocumentFile()
{
    release();
}

std::unique_ptr<DocumentFile> WindowsDocumentFile::open(const QString &location, QString &reason,
                                                        const QString &documents)
{
    const QFileInfo file(location);
    QString temporary;
    if (!file.exists()) {
        const HANDLE handle = createTemporary(file.absolutePath(), temporary);
        const bool rootRefuses = handle == INVALID_HANDLE_VALUE
                                 && GetLastError() == ERROR_ACCESS_DENIED
                                 && QDir(file.absolutePath()).isRoot();
        if (rootRefuses && !documents.isEmpty())
            return open(documents + u'/' + file.fileName(), reason, {});
        if (handle == INVALID_HANDLE_VALUE)
            return refused(reason);
        return std::make_unique<WindowsDocumentFile>(Way::New, handle, location, temporary);
    }
    // Opening the file itself asks the system whether it may be written.
    const HANDLE existing = openForWriting(location, OPEN_EXISTING);
    if (existing == INVALID_HANDLE_VALUE)
        return refused(reason);
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool oneName
        = GetFileInformationByHandle(existing, &information) && information.nNumberOfLinks == 1;
    const HANDLE replacement
        = oneName ? createTemporary(file.absolutePath(), temporary) : INVALID_HANDLE_VALUE;
    if (replacement == INVALID_HANDLE_VALUE)
        return std::make_unique<WindowsDocumentFile>(Way::InPlace, existing, location, QString());
    CloseHandle(existing);
    return std::make_unique<WindowsDocumentFile>(Way::Replace, replacement, location, temporary);
}

// The document goes to the file whole at commit, in one write.
bool WindowsDocumentFile::write(QByteArrayView bytes)
{
    if (m_handle == INVALID_HANDLE_VALUE)
        return false;
    m_pending += bytes;
    return true;
}

bool WindowsDocumentFile::commit()
{
    if (m_handle == INVALID_HANDLE_VALUE)
        return false;
    if (m_way == Way::InPlace ? !rewriteInPlace() : !writeAll(m_pending))
        return false;
    // A document cut short by a full disk never takes the old file's place.
    if (!FlushFileBuffers(m_handle))
        return fail();
    CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE));
    const std::wstring target = wide(m_target);
    const std::wstring temporary = wide(m_temporary);
    if (m_way == Way::New
        && !MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail();
    if (m_way == Way::Replace
        && !ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        return fail();
    m_temporary.clear();
    return true;
}

QString WindowsDocumentFile::errorString() const
{
    return m_error;
}

QString WindowsDocumentFile::location() const
{
    return m_target;
}

bool WindowsDocumentFile::writeAll(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto rest = static_cast<DWORD>(std::min<qsizetype>(bytes.size() - done, 1 << 30));
        if (!WriteFile(m_handle, bytes.data() + done, rest, &written, nullptr))
            return fail();
        done += written;
    }
    return true;
}

// The new length is reserved first where it is longer, so that a full disk
// fails before a byte of the old text is gone.
bool WindowsDocumentFile::rewriteInPlace()
{
    LARGE_INTEGER size = {};
    LARGE_INTEGER length = {};
    length.QuadPart = m_pending.size();
    const LARGE_INTEGER start = {};
    if (!GetFileSizeEx(m_handle, &size))
        return fail();
    if (length.QuadPart > size.QuadPart
        && (!SetFilePointerEx(m_handle, length, nullptr, FILE_BEGIN) || !SetEndOfFile(m_handle)))
        return fail();
    if (!SetFilePointerEx(m_handle, start, nullptr, FILE_BEGIN))
        return fail();
    return writeAll(m_pending) && (SetEndOfFile(m_handle) || fail());
}

bool WindowsDocumentFile::fail()
{
    m_error = systemReason();
    release();
    return false;
}

void WindowsDocumentFile::release()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(std::exchange(m_handle, INVALID_HANDLE_VALUE));
    if (!m_temporary.isEmpty())
        DeleteFileW(wide(std::exchange(m_temporary, QString())).c_str());
}
