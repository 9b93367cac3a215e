// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#endif

// How the platform suite sets its cases up: by shell commands, which give
// why they failed or nothing; as a user of the system. What protects a file
// there: its attributes and links on Windows; its owner, group, mode, links,
// every extended attribute, access control lists among them, and inode
// flags, on Linux.
// "missing" where nothing is there.

#ifdef Q_OS_WIN

constexpr bool isWindows = true;

inline QByteArray protection(const QString &path)
{
    const HANDLE file = CreateFileW(QDir::toNativeSeparators(path).toStdWString().c_str(), 0,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION information = {};
    const bool found = GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    return found ? QByteArray::number(uint(information.dwFileAttributes), 16) + ' '
                       + QByteArray::number(uint(information.nNumberOfLinks))
                 : "missing";
}

// Wine starts a Linux program but neither waits for it nor learns how it
// ended, so the commands leave their status in a file.
inline QString runShell(const QString &commands)
{
    const QString status = QStringLiteral(".shell-status");
    const QString script = QStringLiteral("(%1) 2>/dev/null; echo $? > %2").arg(commands, status);
    if (!QProcess::startDetached(QStringLiteral("Z:/bin/sh"), {QStringLiteral("-c"), script}))
        return QStringLiteral("no shell");
    QByteArray code;
    for (QDeadlineTimer wait(30'000); code.isEmpty() && !wait.hasExpired(); QThread::msleep(20))
        code = readFile(status).trimmed();
    QFile::remove(status);
    return code == "0" ? QString() : QStringLiteral("status ") + QString::fromUtf8(code);
}

inline bool actAs(const QString &user)
{
    return user.isEmpty();
}

#else

constexpr bool isWindows = false;

inline QByteArray protection(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return "missing";
    QByteArray kept = QString::asprintf("%o %u %u %lu", status.st_mode, status.st_uid,
                                        status.st_gid, static_cast<ulong>(status.st_nlink))
                          .toUtf8();
    QByteArray names(1 << 16, '\0');
    const ssize_t length = ::listxattr(name.constData(), names.data(), names.size());
    QList<QByteArray> attributes = names.first(std::max<ssize_t>(length, 0)).split('\0');
    std::ranges::sort(attributes);
    for (const QByteArray &attribute : attributes) {
        QByteArray value(1 << 16, '\0');
        const ssize_t size
            = ::getxattr(name.constData(), attribute.constData(), value.data(), value.size());
        kept += ' ' + attribute + '=' + value.first(std::max<ssize_t>(size, 0)).toHex();
    }
    int flags = 0;
    const int file = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file >= 0 && ::ioctl(file, FS_IOC_GETFLAGS, &flags) == 0)
        kept += " flags=" + QByteArray::number(flags, 16);
    return file < 0 || ::close(file) == 0 ? kept : "unreadable";
}

inline QString runShell(const QString &commands)
{
    QProcess shell;
    shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), commands});
    if (shell.waitForFinished() && shell.exitCode() == 0)
        return {};
    return QString::number(shell.exitCode()) + u' '
           + QString::fromLocal8Bit(shell.readAllStandardError());
}

// Acts as "nobody", or as a user by number (one the system has no account
// for), or as the test's own user again where no user is named; a change
// stops every thread for a moment, so only a change is made.
inline bool actAs(const QString &user)
{
    if (user.isEmpty())
        return geteuid() == getuid() || (seteuid(getuid()) == 0 && setegid(getgid()) == 0);
    const uint id = user == QLatin1StringView("nobody") ? 65534 : user.toUInt();
    // The test's folder is the user's way to the document.
    return id != 0 && ::chmod(".", 0755) == 0 && setegid(id) == 0 && seteuid(id) == 0;
}

#endif
