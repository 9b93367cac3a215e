// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxDocumentFile.h"

#include "SystemError.h"

#include <QFile>
#include <QList>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/limits.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The path is opened as a program that writes it from a shell opens it,
// with O_CREAT but without O_TRUNC: the kernel follows the links and asks
// the questions it asks of any writer in a shared folder
// (fs.protected_symlinks, fs.protected_regular, fs.protected_fifos).
// Without blocking, a FIFO with no reader fails at once.
constexpr int shellOpen = O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

constexpr const char *capabilityAttribute = "security.capability";

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

// What a link says; empty where the path is no link.
QByteArray linkText(const QByteArray &link)
{
    QByteArray text(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.constData(), text.data(), text.size());
    text.truncate(std::max<ssize_t>(length, 0));
    return text;
}

// The name the kernel knows an open file or folder by; empty where it has
// none on disk (a pipe, a removed file) or /proc is not there.
QByteArray nameOfDescriptor(int descriptor)
{
    const QByteArray name = linkText("/proc/self/fd/" + QByteArray::number(descriptor));
    return name.startsWith('/') && !name.endsWith(" (deleted)") ? name : QByteArray();
}

// Where a link leads, for a message alone: nothing is opened by this name.
QByteArray linkTarget(const QByteArray &link)
{
    const QByteArray target = linkText(link);
    if (target.isEmpty())
        return link;
    return target.startsWith('/') ? target : joined(folderOf(link), target);
}

// A file of a new name in the folder; the name is set only where it was
// made, the error only where it was not.
int createTemporary(int folder, mode_t mode, QByteArray &name, int &error)
{
    int descriptor = -1;
    AbstractDocumentFile::makeTemporary([&](const QString &candidate) {
        const QByteArray encoded = QFile::encodeName(candidate);
        descriptor = ::openat(folder, encoded.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode);
        error = descriptor < 0 ? errno : 0;
        if (descriptor >= 0)
            name = encoded;
        return error != EEXIST;
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

// Makes the attributes of one file, access control lists and capabilities
// included, those of another: none added, none lost.
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

QByteArray capabilitiesOf(int descriptor)
{
    QByteArray value(XATTR_SIZE_MAX, Qt::Uninitialized);
    const ssize_t length = ::fgetxattr(descriptor, capabilityAttribute, value.data(), value.size());
    return value.first(std::max<ssize_t>(length, 0));
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

// Gives the written temporary file all that protects the old one: owner
// and group, then mode, then attributes and inode flags, after the data,
// since writing and a change of owner clear set-user-ID, set-group-ID and
// capabilities. False where any of it cannot be carried over; the mode is
// read back, as a change of mode may quietly drop set-group-ID.
bool takesOver(int temporary, int existing, const struct stat &old)
{
    struct stat made = {};
    if (::fstat(temporary, &made) != 0)
        return false;
    if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid)
        && ::fchown(temporary, old.st_uid, old.st_gid) != 0)
        return false;
    if (::fchmod(temporary, old.st_mode & 07777) != 0 || ::fstat(temporary, &made) != 0
        || (made.st_mode & 07777) != (old.st_mode & 07777))
        return false;
    return copyAttributes(existing, temporary) && copyFlags(existing, temporary);
}

// From the offset, or from the current position where it is negative; the
// error where it fails.
int writeAll(int descriptor, QByteArrayView bytes, off_t offset)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const auto rest = static_cast<std::size_t>(bytes.size() - done);
        const ssize_t written
            = offset < 0 ? ::write(descriptor, bytes.data() + done, rest)
                         : ::pwrite(descriptor, bytes.data() + done, rest, offset + done);
        if (written < 0 && errno != EINTR)
            return errno;
        done += std::max<ssize_t>(written, 0);
    }
    return 0;
}

void closeOnce(int &descriptor)
{
    if (descriptor >= 0)
        ::close(std::exchange(descriptor, -1));
}

} // namespace

LinuxDocumentFile::~LinuxDocumentFile()
{
    release();
}

bool LinuxDocumentFile::begin()
{
    const QByteArray path = QFile::encodeName(location());
    const int probe = ::open(path.constData(), O_PATH | O_CLOEXEC);
    const int error = probe < 0 ? errno : 0;
    if (probe >= 0) {
        struct stat found = {};
        const bool disk = ::fstat(probe, &found) == 0 && S_ISBLK(found.st_mode);
        ::close(probe);
        return disk ? failAsDisk() : beginExisting(path, false);
    }
    if (error != ENOENT)
        return failWith(error);
    // A link whose target is yet to be made: the kernel follows it, and may
    // refuse to, as it makes the file.
    struct stat link = {};
    if (::lstat(path.constData(), &link) == 0 && S_ISLNK(link.st_mode))
        return beginExisting(path, true);
    return beginNew(path);
}

bool LinuxDocumentFile::beginNew(const QByteArray &path)
{
    m_folder = ::open(folderOf(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_folder < 0)
        return failWith(errno);
    // A path that ends in a folder leads to an existing one, which the probe
    // found, or to none, whose folder cannot be opened: the name is a file's.
    m_name = nameOf(path);
    if (const QByteArray folder = nameOfDescriptor(m_folder); !folder.isEmpty())
        setLocationFrom(joined(folder, m_name));
    m_way = Way::Rename;
    int error = 0;
    // Created as any new file is: the umask or the folder's default ACL decide.
    m_temporary = createTemporary(m_folder, 0666, m_temporaryName, error);
    return m_temporary >= 0 || failWith(error);
}

bool LinuxDocumentFile::beginExisting(const QByteArray &path, bool throughLink)
{
    m_file = ::open(path.constData(), shellOpen, 0666);
    const int error = m_file < 0 ? errno : 0;
    if (error == EISDIR)
        return failAsFolder();
    if (error != 0) {
        if (throughLink)
            setLocationFrom(linkTarget(path));
        return failWith(error);
    }
    m_made = throughLink;
    ::fstat(m_file, &m_old);
    ::fcntl(m_file, F_SETFL, ::fcntl(m_file, F_GETFL) & ~O_NONBLOCK);
    if (S_ISBLK(m_old.st_mode))
        return failAsDisk();
    if (!S_ISREG(m_old.st_mode)) {
        m_way = Way::Stream;
        setStream();
        return true;
    }
    m_way = Way::InPlace;
    const QByteArray name = nameOfDescriptor(m_file);
    if (name.isEmpty())
        return true;
    // What is shown, and named in messages, is the file itself.
    setLocationFrom(name);
    int unused = 0;
    if (openFolderOf(name) && m_old.st_nlink == 1)
        m_temporary = createTemporary(m_folder, 0600, m_temporaryName, unused);
    if (m_temporary >= 0)
        m_way = Way::Rename;
    return true;
}

// The folder is found by the name the kernel gave the open file, and is
// used only while that name in it is still that file.
bool LinuxDocumentFile::openFolderOf(const QByteArray &path)
{
    m_folder = ::open(folderOf(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    m_name = nameOf(path);
    struct stat named = {};
    if (m_folder >= 0 && ::fstatat(m_folder, m_name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && named.st_dev == m_old.st_dev && named.st_ino == m_old.st_ino)
        return true;
    closeOnce(m_folder);
    return false;
}

bool LinuxDocumentFile::writeThrough(QByteArrayView bytes)
{
    const int error = writeAll(m_file, bytes, -1);
    return error == 0 || failWith(error);
}

bool LinuxDocumentFile::finish(const QByteArray &document)
{
    switch (m_way) {
    case Way::Rename:
        return replace(document);
    case Way::InPlace:
        return mayPlace() && rewriteInPlace(document);
    case Way::Stream:
        break;
    }
    return mayPlace() && closeFile();
}

// A document cut short by a full disk never takes the old file's place. A
// file that nothing can be renamed over, such as a bind mount's target, or
// whose protections the new one cannot take, may still take the document
// in place, as writing to it from a shell does.
bool LinuxDocumentFile::replace(const QByteArray &document)
{
    if (const int error = writeAll(m_temporary, document, -1); error != 0)
        return failWith(error);
    const bool existing = m_file >= 0;
    if (existing && !takesOver(m_temporary, m_file, m_old))
        return mayPlace() && rewriteInPlace(document);
    if (::fsync(m_temporary) != 0)
        return failWith(errno);
    if (!mayPlace())
        return false;
    if (::close(std::exchange(m_temporary, -1)) != 0)
        return failWith(errno);
    if (!existing)
        return placeNew();
    if (::renameat(m_folder, m_temporaryName.constData(), m_folder, m_name.constData()) != 0) {
        const int error = errno;
        return error == EBUSY || error == EXDEV ? rewriteInPlace(document) : failWith(error);
    }
    m_temporaryName.clear();
    return closeFile();
}

// Nothing appears under the name before the document stands there whole,
// and nothing that appeared there meanwhile is replaced. A file system that
// cannot rename without replacing (NFS) links the new name instead; one
// that can do neither (vfat) is renamed as it is.
bool LinuxDocumentFile::placeNew()
{
    const char *temporary = m_temporaryName.constData();
    const char *name = m_name.constData();
    int error = ::renameat2(m_folder, temporary, m_folder, name, RENAME_NOREPLACE) == 0 ? 0 : errno;
    if (error == EINVAL) {
        error = ::linkat(m_folder, temporary, m_folder, name, 0) == 0 ? 0 : errno;
        if (error == 0)
            removeTemporary();
    }
    if (error == EPERM || error == EOPNOTSUPP)
        error = ::renameat(m_folder, temporary, m_folder, name) == 0 ? 0 : errno;
    if (error != 0)
        return failWith(error);
    m_temporaryName.clear();
    return true;
}

// The space is reserved first, so that a full disk fails before a byte of
// the old text is gone. A file system that cannot reserve space (NFSv3,
// FUSE, ext2) is written all the same; the C library's emulation of a
// reservation would read from this write-only descriptor there.
bool LinuxDocumentFile::rewriteInPlace(const QByteArray &document)
{
    removeTemporary();
    closeOnce(m_temporary);
    m_way = Way::InPlace;
    // Read before the writing clears them.
    const QByteArray capabilities = capabilitiesOf(m_file);
    const auto size = static_cast<off_t>(document.size());
    int error = ::fallocate(m_file, 0, 0, size) == 0 ? 0 : errno;
    if (error != 0 && error != EOPNOTSUPP && error != ENOSYS)
        return failWith(error);
    if (error = writeAll(m_file, document, 0); error != 0)
        return failWith(error);
    if (::ftruncate(m_file, size) != 0 || ::fsync(m_file) != 0)
        return failWith(errno);
    restorePrivileges(capabilities);
    return closeFile();
}

bool LinuxDocumentFile::closeFile()
{
    m_made = false;
    return ::close(std::exchange(m_file, -1)) == 0 || failWith(errno);
}

// Writing cleared set-user-ID, set-group-ID and capabilities; the owner
// may set the mode again, and root the capabilities. Another user who may
// write the file cannot, and it keeps what the kernel left.
void LinuxDocumentFile::restorePrivileges(const QByteArray &capabilities)
{
    struct stat now = {};
    if (::fstat(m_file, &now) == 0 && (now.st_mode & 07777) != (m_old.st_mode & 07777))
        ::fchmod(m_file, m_old.st_mode & 07777);
    if (!capabilities.isEmpty() && capabilitiesOf(m_file).isEmpty())
        ::fsetxattr(m_file, capabilityAttribute, capabilities.constData(),
                    static_cast<std::size_t>(capabilities.size()), 0);
}

// A name that is not text in the locale's encoding cannot be shown as it is.
void LinuxDocumentFile::setLocationFrom(const QByteArray &path)
{
    const QString decoded = QFile::decodeName(path);
    setLocation(decoded);
    setNamedAsText(QFile::encodeName(decoded) == path);
}

// A disk typed by mistake is never written over, whoever may write it.
bool LinuxDocumentFile::failAsDisk()
{
    return fail(u"это диск или его раздел, а не файл: документ записал бы поверх его данных"_s);
}

bool LinuxDocumentFile::failWith(int error)
{
    return fail(SystemError::text(error));
}

void LinuxDocumentFile::release()
{
    removeTemporary();
    // A file that opening it through a link made goes again, while the name
    // in its folder is still that file.
    struct stat named = {};
    if (m_made && m_folder >= 0
        && ::fstatat(m_folder, m_name.constData(), &named, AT_SYMLINK_NOFOLLOW) == 0
        && named.st_ino == m_old.st_ino && named.st_dev == m_old.st_dev)
        ::unlinkat(m_folder, m_name.constData(), 0);
    m_made = false;
    closeOnce(m_temporary);
    closeOnce(m_file);
    closeOnce(m_folder);
}

void LinuxDocumentFile::removeTemporary()
{
    if (!m_temporaryName.isEmpty())
        ::unlinkat(m_folder, std::exchange(m_temporaryName, QByteArray()).constData(), 0);
}
