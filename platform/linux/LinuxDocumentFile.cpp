// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxDocumentFile.h"

#include "SystemError.h"

#include <QFile>
#include <QList>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/limits.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// An existing file or FIFO is opened as a program that writes it from a
// shell opens it, with O_CREAT but without O_TRUNC: the kernel then asks
// the questions it asks of any writer in a shared folder
// (fs.protected_regular, fs.protected_fifos). It stands already, so nothing
// is made.
constexpr int existingFile = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY;

// The kernel gives up on a chain of symbolic links at the same depth.
constexpr int linkDepth = 40;

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The file the kernel writes for a path: its folders resolved as they are on
// disk, ".." after a linked folder included, and a link at its end read from
// the folder it physically lies in, as often as the kernel would. Empty, with
// the reason, where the kernel would fail; the path is then where the links
// led.
QByteArray physicalPath(QByteArray &path, int &error)
{
    for (int link = 0; link <= linkDepth; ++link) {
        const QByteArray name = nameOf(path);
        const bool folderOnly = name.isEmpty() || name == "." || name == "..";
        char *resolved
            = ::realpath(folderOnly ? path.constData() : folderOf(path).constData(), nullptr);
        if (resolved == nullptr) {
            error = errno;
            return {};
        }
        QByteArray folder(resolved);
        std::free(resolved);
        if (folderOnly)
            return folder;
        QByteArray physical = joined(folder, name);
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(physical.constData(), target.data(), target.size());
        if (length < 0)
            return physical;
        target.truncate(length);
        path = target.startsWith('/') ? target : joined(folder, target);
    }
    error = ELOOP;
    return {};
}

// The path is set only where the file was made.
int createTemporary(const QByteArray &folder, mode_t mode, QByteArray &path)
{
    int descriptor = -1;
    AbstractDocumentFile::makeTemporary([&](const QString &name) {
        const QByteArray candidate = joined(folder, QFile::encodeName(name));
        descriptor = ::open(candidate.constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        if (descriptor >= 0)
            path = candidate;
        return descriptor >= 0 || errno != EEXIST;
    });
    return descriptor;
}

// The names of a file's extended attributes, read at once into room for as
// many as Linux allows; false where they cannot be read.
bool attributeNames(int descriptor, QList<QByteArray> &names)
{
    QByteArray list(XATTR_LIST_MAX, Qt::Uninitialized);
    const ssize_t length = ::flistxattr(descriptor, list.data(), list.size());
    if (length < 0)
        return errno == ENOTSUP;
    names = list.first(length).split('\0');
    names.removeAll(QByteArray());
    return true;
}

// Makes the attributes of one file, access control lists included, those of
// another: none added, none lost.
bool copyAttributes(int from, int to)
{
    QList<QByteArray> kept;
    QList<QByteArray> inherited;
    if (!attributeNames(from, kept) || !attributeNames(to, inherited))
        return false;
    for (const QByteArray &name : inherited) {
        if (!kept.contains(name) && ::fremovexattr(to, name.constData()) != 0)
            return false;
    }
    QByteArray value(XATTR_SIZE_MAX, Qt::Uninitialized);
    for (const QByteArray &name : kept) {
        const ssize_t length = ::fgetxattr(from, name.constData(), value.data(), value.size());
        if (length < 0 || ::fsetxattr(to, name.constData(), value.constData(), length, 0) != 0)
            return false;
    }
    return true;
}

// The inode flags an owner may set with chattr (A c d s S t u); the others
// (i a j e E I N V) are the administrator's or the file system's own.
constexpr int ownerFlags = FS_NOATIME_FL | FS_COMPR_FL | FS_NODUMP_FL | FS_SECRM_FL | FS_SYNC_FL
                           | FS_NOTAIL_FL | FS_UNRM_FL;

// Gives one file the owner's inode flags of another, none added and none
// lost; a file system without inode flags has none to carry.
bool copyFlags(int from, int to)
{
    int kept = 0;
    int inherited = 0;
    if (::ioctl(from, FS_IOC_GETFLAGS, &kept) != 0)
        return errno == ENOTTY || errno == EOPNOTSUPP;
    if (::ioctl(to, FS_IOC_GETFLAGS, &inherited) != 0)
        return false;
    int wanted = (inherited & ~ownerFlags) | (kept & ownerFlags);
    return wanted == inherited || ::ioctl(to, FS_IOC_SETFLAGS, &wanted) == 0;
}

// Gives the temporary file all that protects the old one: owner, group,
// mode, attributes and inode flags. False where any of it cannot be
// carried over.
bool takesOver(int temporary, int existing, const struct stat &old)
{
    struct stat made = {};
    if (::fstat(temporary, &made) != 0)
        return false;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid)
        && ::fchown(temporary, old.st_uid, old.st_gid) != 0)
        return false;
    if ((made.st_mode & 07777) != (old.st_mode & 07777)
        && ::fchmod(temporary, old.st_mode & 07777) != 0)
        return false;
    return copyAttributes(existing, temporary) && copyFlags(existing, temporary);
}

} // namespace

LinuxDocumentFile::~LinuxDocumentFile()
{
    release();
}

bool LinuxDocumentFile::begin()
{
    // The kernel follows the links first, so that it refuses one that another
    // user planted in a shared folder (fs.protected_symlinks); only a link
    // whose target is yet to be made is followed by hand below.
    const int probe = ::open(QFile::encodeName(location()).constData(), O_PATH | O_CLOEXEC);
    if (probe < 0 && errno == EACCES)
        return failWith(EACCES);
    if (probe >= 0)
        ::close(probe);
    int error = 0;
    QByteArray path = QFile::encodeName(location());
    m_target = physicalPath(path, error);
    if (m_target.isEmpty()) {
        setLocation(QFile::decodeName(path));
        return failWith(error);
    }
    // What is shown, and named in messages, is the file itself.
    setLocation(QFile::decodeName(m_target));
    const QByteArray folder = folderOf(m_target);
    struct stat old = {};
    if (::stat(m_target.constData(), &old) == 0)
        return beginExisting(folder, old);
    if (errno != ENOENT)
        return failWith(errno);
    m_way = Way::Rename;
    // Created as any new file is: the umask or the folder's default ACL decide.
    m_descriptor = createTemporary(folder, 0666, m_temporary);
    return m_descriptor >= 0 || failWith(errno);
}

bool LinuxDocumentFile::beginExisting(const QByteArray &folder, struct stat old)
{
    if (S_ISDIR(old.st_mode))
        return failAsFolder();
    if (!S_ISREG(old.st_mode)) {
        // Opening a FIFO for writing waits for a reader; without blocking, a
        // FIFO with none fails at once. The writes then block as usual.
        m_descriptor = ::open(m_target.constData(), existingFile | O_NONBLOCK, 0666);
        if (m_descriptor < 0)
            return failWith(errno);
        ::fcntl(m_descriptor, F_SETFL, ::fcntl(m_descriptor, F_GETFL) & ~O_NONBLOCK);
        m_way = Way::Stream;
        setStream();
        return true;
    }
    // Opening the file itself asks the system whether it may be written.
    const int existing = ::open(m_target.constData(), existingFile, 0666);
    if (existing < 0)
        return failWith(errno);
    ::fstat(existing, &old);
    const int replacement = old.st_nlink == 1 ? createTemporary(folder, 0600, m_temporary) : -1;
    if (replacement >= 0 && takesOver(replacement, existing, old)) {
        ::close(existing);
        m_way = Way::Rename;
        m_descriptor = replacement;
        return true;
    }
    if (replacement >= 0) {
        ::close(replacement);
        ::unlink(std::exchange(m_temporary, QByteArray()).constData());
    }
    m_way = Way::InPlace;
    m_descriptor = existing;
    return true;
}

bool LinuxDocumentFile::writeThrough(QByteArrayView bytes)
{
    return writeAll(bytes, -1);
}

bool LinuxDocumentFile::finish(const QByteArray &document)
{
    if (m_way == Way::InPlace && !rewriteInPlace(document))
        return false;
    // A document cut short by a full disk never takes the old file's place.
    if (m_way == Way::Rename && !writeAll(document, -1))
        return false;
    if (m_way == Way::Rename && ::fsync(m_descriptor) != 0)
        return failWith(errno);
    if (::close(std::exchange(m_descriptor, -1)) != 0)
        return failWith(errno);
    if (m_way == Way::Rename && ::rename(m_temporary.constData(), m_target.constData()) != 0)
        return errno == EBUSY || errno == EXDEV ? writeInPlaceInstead(document) : failWith(errno);
    m_temporary.clear();
    return true;
}

// A file that nothing can be renamed over, such as a bind mount's target, may
// still take the document in place, as writing to it from a shell does.
bool LinuxDocumentFile::writeInPlaceInstead(const QByteArray &document)
{
    ::unlink(std::exchange(m_temporary, QByteArray()).constData());
    m_way = Way::InPlace;
    m_descriptor = ::open(m_target.constData(), existingFile, 0666);
    return (m_descriptor >= 0 || failWith(errno)) && finish(document);
}

// From the offset, or from the current position where it is negative.
bool LinuxDocumentFile::writeAll(QByteArrayView bytes, off_t offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const auto rest = static_cast<std::size_t>(bytes.size() - done);
        const ssize_t written
            = offset < 0 ? ::write(m_descriptor, bytes.data() + done, rest)
                         : ::pwrite(m_descriptor, bytes.data() + done, rest, offset + done);
        if (written < 0 && errno != EINTR)
            return failWith(errno);
        done += std::max<ssize_t>(written, 0);
    }
    return true;
}

// The space is reserved first, so that a full disk fails before a byte of
// the old text is gone. A file system that cannot reserve space (NFSv3,
// FUSE, ext2) is written all the same; the C library's emulation of a
// reservation would read from this write-only descriptor there.
bool LinuxDocumentFile::rewriteInPlace(const QByteArray &document)
{
    const auto size = static_cast<off_t>(document.size());
    if (::fallocate(m_descriptor, 0, 0, size) != 0 && errno != EOPNOTSUPP && errno != ENOSYS)
        return failWith(errno);
    if (!writeAll(document, 0))
        return false;
    if (::ftruncate(m_descriptor, size) != 0 || ::fsync(m_descriptor) != 0)
        return failWith(errno);
    return true;
}

bool LinuxDocumentFile::failWith(int error)
{
    return fail(SystemError::text(error));
}

void LinuxDocumentFile::release()
{
    if (m_descriptor >= 0)
        ::close(std::exchange(m_descriptor, -1));
    if (!m_temporary.isEmpty())
        ::unlink(std::exchange(m_temporary, QByteArray()).constData());
}
