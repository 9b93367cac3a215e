#include "SaveFileOutput.h"

#include "DocumentPath.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <optional>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace {

// The kernel gives up on a chain of symbolic links at the same depth.
constexpr int linkDepth = 40;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString refusal(DocumentPath::Problem problem)
{
    switch (problem) {
    case DocumentPath::Problem::Empty:
        return u"не указано имя файла"_s;
    case DocumentPath::Problem::ControlCharacter:
        return u"в пути есть управляющие символы (например, перевод строки)"_s;
    case DocumentPath::Problem::NetworkPath:
        return u"сетевые пути (\\\\сервер\\папка) здесь недоступны"_s;
    case DocumentPath::Problem::None:
        break;
    }
    return {};
}

// The file that a path names once every symbolic link on the way is
// followed; a link whose target is missing names that target.
std::optional<QString> followLinks(const QString &path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < linkDepth && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    if (file.isSymLink())
        return std::nullopt;
    return file.absoluteFilePath();
}

#ifdef Q_OS_UNIX
// A replaced file keeps its mode; a new one gets what the umask allows, as
// any other new file would.
mode_t modeFor(const QString &target)
{
    struct stat existing = {};
    if (::stat(QFile::encodeName(target).constData(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
#endif

} // namespace

// A pipe whose reader has gone must fail the write with EPIPE, not end the
// program with SIGPIPE and lose everything typed.
SaveFileOutput::SaveFileOutput()
{
#ifdef Q_OS_UNIX
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

bool SaveFileOutput::open(const QString &typedPath)
{
    m_file.reset();
    m_target.clear();
    m_error.clear();
    const DocumentPath path = DocumentPath::resolve(typedPath);
    m_location = path.location;
    if (path.problem != DocumentPath::Problem::None)
        return fail(refusal(path.problem));

    const std::optional<QString> target = followLinks(path.location);
    if (!target)
        return fail(systemReason(ELOOP));
    const QFileInfo file(*target);
    if (file.isDir())
        return fail(systemReason(EISDIR));
    if (file.exists() && !file.isFile())
        return openNode(*target);
    if (file.exists() && !file.isWritable())
        return fail(systemReason(EACCES));
    return openTemporary(*target);
}

// Opening a FIFO for writing waits for a reader; without blocking, a FIFO
// with none fails at once with ENXIO. The writes then block as usual.
bool SaveFileOutput::openNode(const QString &path)
{
    m_file = std::make_unique<QFile>(path);
#ifdef Q_OS_UNIX
    const int descriptor
        = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return fail(systemReason(errno));
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    if (!m_file->open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return failWithSystemReason(*m_file);
    }
    return true;
#else
    return m_file->open(QIODevice::WriteOnly) || failWithSystemReason(*m_file);
#endif
}

// The temporary file's name is short, so that a file whose own name is as
// long as the system allows can still be replaced.
bool SaveFileOutput::openTemporary(const QString &target)
{
    const QFileInfo file(target);
    auto temporary = std::make_unique<QTemporaryFile>(file.absolutePath() + u"/.folvar-XXXXXX"_s);
    temporary->setAutoRemove(false);
    errno = 0;
    if (!temporary->open())
        return failWithSystemReason(*temporary);
    m_file = std::move(temporary);
    m_target = target;
#ifdef Q_OS_UNIX
    if (::fchmod(m_file->handle(), modeFor(target)) != 0)
        return failWithSystemReason(*m_file);
#else
    if (file.exists() && !m_file->setPermissions(file.permissions()))
        return failWithSystemReason(*m_file);
#endif
    return true;
}

bool SaveFileOutput::write(QByteArrayView bytes)
{
    if (!m_file)
        return false;
    errno = 0;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size())
        return failWithSystemReason(*m_file);
    return true;
}

// The bytes are flushed and checked before the rename, so that a document
// cut short by a full disk never takes the old file's place.
bool SaveFileOutput::commit()
{
    if (!m_file)
        return false;
    errno = 0;
    if (!m_file->flush())
        return failWithSystemReason(*m_file);
#ifdef Q_OS_UNIX
    if (!m_target.isEmpty() && ::fsync(m_file->handle()) != 0)
        return failWithSystemReason(*m_file);
#endif
    m_file->close();
    if (!m_target.isEmpty() && !replaceTarget())
        return failWithSystemReason(*m_file);
    m_file.reset();
    return true;
}

// Renaming over the file replaces it at once, whatever stood there.
bool SaveFileOutput::replaceTarget()
{
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(m_file->fileName()).constData(),
                    QFile::encodeName(m_target).constData())
           == 0;
#else
    return static_cast<QTemporaryFile *>(m_file.get())->rename(m_target);
#endif
}

QString SaveFileOutput::location() const
{
    return m_location;
}

QString SaveFileOutput::errorString() const
{
    return m_error;
}

bool SaveFileOutput::fail(const QString &reason)
{
    m_error = reason;
    if (m_file && !m_target.isEmpty())
        m_file->remove();
    m_file.reset();
    return false;
}

// errno still holds the system's reason after Qt's call failed; Qt's own
// text is the last resort, since it reads "Unknown error" for short writes.
bool SaveFileOutput::failWithSystemReason(const QFileDevice &file)
{
    const int error = errno;
    return fail(error != 0 ? systemReason(error) : file.errorString());
}
