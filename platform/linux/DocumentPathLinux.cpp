// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentPath.h"

#include <QDir>
#include <QFile>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

// On Linux '\' separates folders as '/' does. A Windows drive path
// ("C:\avto.doc", "C:avto.doc", or "C:" alone) and a path from the root of
// the current drive ("\avto.doc") are taken inside the home folder, and, as
// at a drive's root, ".." never climbs above it; a network path
// ("\\server\share\a.doc") leads nowhere. Any other ".." is left for the
// system to follow, since after a linked folder it leads where the link does.

namespace {

// HOME, or where it is unset or empty, the home folder of the user's
// account; empty where there is none.
QString homeFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty())
        return home;
    const passwd *account = ::getpwuid(::geteuid());
    return account && account->pw_dir ? QFile::decodeName(account->pw_dir) : QString();
}

// The folders after the drive or the root, each ".." that would climb above
// it dropped, as Windows drops it there.
QString insideHome(const QString &home, const QString &rest)
{
    QStringList kept;
    qsizetype depth = 0;
    for (const QString &part : rest.split(u'/')) {
        if (part == ".."_L1 && depth == 0)
            continue;
        depth += part == ".."_L1 ? -1 : part.isEmpty() || part == "."_L1 ? 0 : 1;
        kept.append(part);
    }
    return home + u'/' + kept.join(u'/');
}

} // namespace

DocumentPath DocumentPath::locate(const QString &typedPath)
{
    if (typedPath.startsWith(u"\\\\"_s))
        return {{}, Problem::NetworkPath};
    QString path = typedPath;
    path.replace(u'\\', u'/');
    const bool drive = DocumentPath::startsWithDrive(path);
    if (drive || typedPath.startsWith(u'\\')) {
        const QString home = homeFolder();
        if (home.isEmpty())
            return {{}, Problem::NoHome};
        const QString rest = path.sliced(drive ? 2 : 0);
        path = insideHome(home, rest.startsWith(u'/') ? rest.sliced(1) : rest);
    }
    return {QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path, Problem::None};
}
