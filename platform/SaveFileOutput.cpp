#include "SaveFileOutput.h"

#include "LocalPath.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isSpecialNode(const QFileInfo &target)
{
    return target.exists() && !target.isFile() && !target.isDir();
}

// Qt reports a short write without the system's reason, while errno still
// holds it; errno is cleared before each write so a stale value never shows.
QString writeFailure(const QFileDevice &file, int systemError)
{
    if (systemError != 0)
        return QString::fromLocal8Bit(std::strerror(systemError));
    return file.errorString();
}

} // namespace

bool SaveFileOutput::open(const QString &typedPath)
{
    m_file.reset();
    m_error.clear();
    if (typedPath.isEmpty())
        return fail(u"No file name given"_s);

    const QString path = localPath(typedPath);
    if (isSpecialNode(QFileInfo(path))) {
        m_file = std::make_unique<QFile>(path);
        if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(m_file->errorString());
        return true;
    }
    auto saveFile = std::make_unique<QSaveFile>(path);
    if (!saveFile->open(QIODevice::WriteOnly))
        return fail(saveFile->errorString());
    m_file = std::move(saveFile);
    return true;
}

bool SaveFileOutput::write(QByteArrayView bytes)
{
    if (!m_file)
        return false;
    errno = 0;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size()
        || m_file->error() != QFileDevice::NoError)
        return fail(writeFailure(*m_file, errno));
    return true;
}

bool SaveFileOutput::commit()
{
    if (!m_file)
        return false;
    // QSaveFile::commit() ignores a failed flush and would put the truncated
    // file in place, so the buffered bytes are flushed and checked first.
    errno = 0;
    if (!m_file->flush() || m_file->error() != QFileDevice::NoError)
        return fail(writeFailure(*m_file, errno));
    if (auto *saveFile = qobject_cast<QSaveFile *>(m_file.get())) {
        if (!saveFile->commit())
            return fail(saveFile->errorString());
    } else {
        m_file->close();
        if (m_file->error() != QFileDevice::NoError)
            return fail(m_file->errorString());
    }
    m_file.reset();
    return true;
}

QString SaveFileOutput::errorString() const
{
    return m_error;
}

bool SaveFileOutput::fail(const QString &reason)
{
    m_error = reason;
    m_file.reset();
    return false;
}
